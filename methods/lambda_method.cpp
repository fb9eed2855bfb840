// Revised Lambda: shaft capacity against penetration and the node unit side
// friction.
//
// The shaft capacity of a pile penetrating to depth z is taken in one step,
// Q = lambda x (sigma'm + 2 cm) x perimeter x z, with the mean effective
// stress sigma'm and the mean strength cm over the penetrated depth (the
// undrained strength in clay and silt, K sigma'v tan(phi) in sand). Lambda
// falls with the logarithm of the pile compressibility ratio, by one of two
// lines as the mean strength is small or large against the mean stress, and
// never below 0.14. The unit friction of each length increment is taken back
// from the growth of Q, held at the layer limit and summed again, so that
// the capacity column and the unit frictions agree.
//
// Source: Kraft, Focht and Amerasinghe (1981), Friction capacity of piles
// driven into clay, J. Geotech. Eng. Div. ASCE 107(GT11), and the revised
// lambda correlation of Kraft (1982) with the pile compressibility ratio.
#include <algorithm>
#include <cmath>

#include "capacity/segment_walk.h"
#include "input/units.h"
#include "methods/methods.h"
#include "methods/shaft_capacity.h"

namespace tovek {

namespace {

// Step 1: strength term of every segment; step 2: the segments that end at
// or above the zero-friction length carry none.
void strengthTerms(const AnalysisState& state, Array1<double, kMaxSegments>& v) {
    const ComputationGrid& grid = state.grid;
    const int32_t n = countWithin(grid.segmentCount, kMaxSegments);
    for (int32_t i = 1; i <= n; ++i) {
        const SoilSegment& seg = grid.segments[i];
        const double top = grid.boundaryStress[2 * i - 1];
        const double bottom = grid.boundaryStress[2 * i];
        v[i] = seg.soilType - 1 <= 0
                   ? seg.lateralEarthPressure * 0.5f * (top + bottom) * std::tan(seg.frictionAngle / 57.2958f)
                   : seg.undrainedShearStrength;
    }
    // The segment in which the zero-friction length falls keeps its whole
    // strength.
    const double zeroFriction = state.problem.pile.zeroFrictionLength;
    for (int32_t i = 1; i <= n; ++i) {
        const double d = grid.segmentBottomDepth[i];
        if (std::fabs(zeroFriction - d) <= kDepthTolerance) {
            v[i] = 0;
            break;
        }
        if (zeroFriction - d <= kDepthTolerance) break;
        v[i] = 0;
    }
}

// Lambda at the compressibility ratio X and the ratio of mean strength to
// mean stress.
double lambdaAt(double x, double strengthRatio) {
    if (x == 0) return 0.0;
    const double lambda = strengthRatio < 0.4f ? 0.178f - 0.016f * std::log(x) : 0.232f - 0.032f * std::log(x);
    return std::max<double>(lambda, 0.14f);
}

}  // namespace

void computeLambdaFriction(AnalysisState& state, ReportWriter&) {
    if (state.grid.segmentCount < 1 || state.grid.nodeCount < 1) return;
    const ProblemData& p = state.problem;
    const PileSection& pile = p.pile;
    const ComputationGrid& grid = state.grid;
    const bool english = englishUnits(p);
    const int32_t n = countWithin(grid.segmentCount, kMaxSegments);
    const int32_t m = countWithin(grid.nodeCount, kMaxNodes);
    MethodResults& lambdaMethod = state.method(kRevisedLambda);
    MethodNodeArrays& nodes = lambdaMethod.nodes;
    auto& skin = lambdaMethod.capacity.skinFriction;

    // Steps 1 to 3: strength terms and, summed from the ground surface, the
    // areas of stress and of strength over the segments above segment i
    // (entry i - 1).
    Array1<double, kMaxSegments> v{};
    strengthTerms(state, v);
    Array1<double, kMaxSegments> stressArea{};
    Array1<double, kMaxSegments> strengthArea{};
    for (int32_t i = 1; i <= n; ++i) {
        const double t = grid.segmentThickness[i];
        stressArea[i] = stressArea[i - 1] + t * 0.5f * (grid.boundaryStress[2 * i - 1] + grid.boundaryStress[2 * i]);
        strengthArea[i] = strengthArea[i - 1] + v[i] * t;
    }

    // Step 4.
    nodeFrictionLimits(state, nodes);

    // Step 5: perimeter and the area of the pile section in in2 / mm2.
    const double c = diameterDivisor(p);
    const double perimeter = 3.14159f * pile.outsideDiameter / c;
    const double od = pile.outsideDiameter;
    const double bore = pile.enhancedEndInsideDiameter;
    const double area =
        pile.tipArea > 1.0e-4f ? pile.tipArea * (english ? 144 : 1000000) : 0.7853975f * (od * od - bore * bore);
    const double stiffness = english ? area * pile.elasticModulus * 0.1f : area * pile.elasticModulus * 2.54f;
    const double increment = perimeter * p.options.lengthIncrement;

    // Step 6: nodes in order.
    SegmentWalk walk(grid);
    for (int32_t j = 1; j <= m; ++j) {
        const double z = (j - 1) * grid.verticalIncrement;
        const int32_t k = walk.locate(z).segment;
        const double t = grid.segmentThickness[k];
        const double below = z - (grid.segmentBottomDepth[k] - t);
        const double top = grid.boundaryStress[2 * k - 1];
        const double stressAtNode = top + (grid.boundaryStress[2 * k] - top) * below / t;
        double meanStress;
        double meanStrength;
        if (z - grid.segmentThickness[1] <= kDepthTolerance) {
            meanStress = 0.5f * (grid.boundaryStress[1] + stressAtNode);
            meanStrength = v[1];
        } else {
            meanStress = (stressArea[k - 1] + 0.5f * (top + stressAtNode) * below) / z;
            meanStrength = (strengthArea[k - 1] + v[k] * below) / z;
        }

        // Pile compressibility ratio. A pile section or modulus of 0 makes
        // the pile infinitely compressible: X unbounded, so lambda at its
        // floor, unless there is no strength at all (X = 0, no friction). A
        // negative mean strength (soil rows extrapolated below zero) has no
        // logarithm either: it counts as no strength.
        const double scale = english ? static_cast<double>(3141.59f) : 3141590.0;
        const double numerator = scale * od * (z * z) * meanStrength;
        double lambda;
        if (!(numerator > 0))
            lambda = 0.0;
        else if (!(stiffness > 0))
            lambda = 0.14f;
        else
            lambda = lambdaAt(numerator / stiffness, meanStrength / meanStress);
        const double capacity = (2 * meanStrength + meanStress) * perimeter * z * lambda;

        // The unit friction of the increment above the node, from the growth
        // of the capacity since the node above. Where the formula falls
        // behind the capacity already reached, the increment repeats the
        // unit friction of the node above.
        double unit;
        if (j == 1) {
            unit = capacity / increment;
        } else {
            unit = (capacity - skin[j - 1]) / increment;
            if (unit < 1.0e-7f) unit = nodes.nodeUnitFriction[j - 1];
        }
        const double friction = std::min(unit, nodes.nodeFrictionLimit[j]);
        const double reached = j == 1 ? increment * friction : skin[j - 1] + increment * friction;
        skin[j] = reached;
        nodes.loadTransferSkin[j] = reached;
        nodes.nodeUnitFriction[j] = friction;
    }

    // In tension the capacity and the unit frictions are reduced once, after
    // the whole column is formed. Reducing each node's capacity as it is
    // reached would measure the next node's growth from a reduced capacity:
    // wherever the limit or the repeated friction acts, the reduction would
    // be applied again at every node and the capacity would decay with
    // depth.
    if (p.options.loadingType == 1) {
        const double factor = p.options.tensionReductionFactor;
        for (int32_t j = 1; j <= m; ++j) {
            skin[j] *= factor;
            nodes.loadTransferSkin[j] *= factor;
            nodes.nodeUnitFriction[j] *= factor;
        }
    }

    // Step 7: the LRFD friction factor of segment j on the capacity gained
    // at node j.
    double factored = 0.0;
    double above = 0.0;  // unfactored capacity of the node above
    for (int32_t j = 1; j <= m; ++j) {
        const double unfactored = skin[j];
        factored = j == 1 ? grid.segments[1].lrfdFrictionFactor * unfactored
                          : factored + grid.segments[j].lrfdFrictionFactor * (unfactored - above);
        above = unfactored;
        skin[j] = factored;
    }
    if (p.options.sideFrictionReduction == 1)
        for (int32_t j = 1; j <= m; ++j) nodes.loadTransferSkin[j] = skin[j];

    // The unit side friction of the node is the one the load-transfer curves
    // and the plot rows take.
    for (int32_t j = 1; j <= m; ++j) nodes.nodeSideFriction[j] = nodes.nodeUnitFriction[j];
}

}  // namespace tovek
