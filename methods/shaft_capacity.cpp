#include "methods/shaft_capacity.h"

#include <algorithm>
#include <cmath>

#include "capacity/segment_walk.h"
#include "input/units.h"

namespace tovek {

void nodeUnitFrictionFrom(const AnalysisState& state, const Array1<double, kMaxBoundaries>& boundaryFriction,
                          MethodNodeArrays& nodes) {
    const int32_t m = countWithin(state.grid.nodeCount, kMaxNodes);
    const double zeroFriction = state.problem.pile.zeroFrictionLength;
    SegmentWalk walk(state.grid);
    for (int32_t j = 1; j <= m; ++j) {
        const double z = (j - 1) * state.grid.verticalIncrement;
        nodes.nodeUnitFriction[j] = z - zeroFriction <= -kDepthTolerance ? 0.0 : walk.valueAt(boundaryFriction, z);
    }
}

void nodeFrictionLimits(const AnalysisState& state, MethodNodeArrays& nodes) {
    const int32_t m = countWithin(state.grid.nodeCount, kMaxNodes);
    assert(m <= state.grid.segmentCount);  // every node has the segment that starts there
    for (int32_t j = 1; j <= m; ++j) nodes.nodeFrictionLimit[j] = state.grid.segments[j].maxUnitFriction;
}

void applyTensionReduction(const AnalysisState& state, MethodNodeArrays& nodes) {
    if (state.problem.options.loadingType != 1) return;
    const int32_t m = countWithin(state.grid.nodeCount, kMaxNodes);
    for (int32_t j = 1; j <= m; ++j) nodes.nodeUnitFriction[j] *= state.problem.options.tensionReductionFactor;
}

ShaftPerimeter shaftPerimeter(const ProblemData& problem, bool withTaper) {
    const PileSection& pile = problem.pile;
    const double c = diameterDivisor(problem);
    ShaftPerimeter perimeter;
    perimeter.constant = 3.14159f * pile.outsideDiameter / c;
    if (withTaper && pile.taperAngle > 0) {
        perimeter.tapered = true;
        perimeter.buttDiameter = pile.outsideDiameter / c;
        perimeter.taperTerm = 2 * std::tan(pile.taperAngle * 0.01745f);
        perimeter.stickup = pile.stickupLength;
    }
    return perimeter;
}

void sumShaftCapacity(const AnalysisState& state, MethodResults& method, const ShaftSummation& rule) {
    const ProblemData& p = state.problem;
    const int32_t m = countWithin(state.grid.nodeCount, kMaxNodes);
    const double increment = p.options.lengthIncrement;
    MethodNodeArrays& nodes = method.nodes;
    CapacityProfile& cap = method.capacity;
    for (int32_t j = 1; j <= m; ++j)
        nodes.nodeSideFriction[j] =
            rule.limited ? std::min(nodes.nodeUnitFriction[j], nodes.nodeFrictionLimit[j]) : nodes.nodeUnitFriction[j];

    double unfactored = 0.0;
    double factored = 0.0;
    for (int32_t j = 1; j <= m; ++j) {
        if (j == 1) {
            nodes.skinIncrement[j] = 0.0;
        } else {
            const double perimeter = rule.perimeter.at((j - 1) * state.grid.verticalIncrement);
            const double above =
                rule.limitedFrictionAbove ? nodes.nodeSideFriction[j - 1] : nodes.nodeUnitFriction[j - 1];
            const double a = (above + nodes.nodeUnitFriction[j]) * 0.5f * increment * perimeter;
            double skin = a;
            if (rule.limited) {
                const double b =
                    (nodes.nodeFrictionLimit[j - 1] + nodes.nodeFrictionLimit[j]) * 0.5f * increment * perimeter;
                // The smaller trapezoid of the increment, not the integral of
                // the smaller function.
                if (a - b > kDepthTolerance) skin = b;
            }
            nodes.skinIncrement[j] = skin;
            unfactored += skin;
            factored += skin * state.grid.segments[j].lrfdFrictionFactor;
        }
        if (p.options.sideFrictionReduction == 0)
            nodes.loadTransferSkin[j] = unfactored;
        else if (p.options.sideFrictionReduction == 1)
            nodes.loadTransferSkin[j] = factored;
        cap.skinFriction[j] = factored;
    }
}

}  // namespace tovek
