// The user-specified method ("GENERAL METHOD"): the unit side friction and
// unit end bearing the user gives per soil layer, turned directly into shaft
// capacity and end-bearing force at every penetration node. No zero-friction
// length and no limit act on the user's values.
//
// Source: the user's own unit load transfers; no published method.
#include <algorithm>

#include "capacity/segment_walk.h"
#include "input/units.h"
#include "methods/methods.h"

namespace tovek {

void computeUserMethodCapacity(AnalysisState& state, ReportWriter&) {
    const ProblemData& p = state.problem;
    const ComputationGrid& grid = state.grid;
    MethodResults& user = state.method(kUserMethod);
    const int32_t n = countWithin(grid.segmentCount, kMaxSegments);
    const int32_t m = countWithin(grid.nodeCount, kMaxNodes);
    if (n < 1 || m < 1) return;
    assert(m <= n);  // every node has the segment that starts there
    const double c = diameterDivisor(p);
    const double perimeter = 3.14159f * p.pile.outsideDiameter / c;

    // Bearing area: a given tip area always; otherwise the steel ring of an
    // unplugged pipe, or the full section.
    double area = 0.0;
    if (p.pile.tipArea > 1.0e-4f) {
        area = p.pile.tipArea;
    } else if (p.options.plugOption == 2) {
        const double od = p.pile.outsideDiameter;
        const double id = p.pile.enhancedEndInsideDiameter;
        area = 0.7853975f * (od * od - id * id) / (c * c);
    } else {
        area = 0.7853975f * (p.pile.outsideDiameter / c) * (p.pile.outsideDiameter / c);
    }

    CapacityProfile& cap = user.capacity;
    cap.skinFriction[1] = 0.0;
    cap.endBearing[1] = grid.segments[1].userUnitEndBearing * area;
    SegmentWalk walk(grid);
    for (int32_t j = 2; j <= m; ++j) {
        // The segment that ends at the node gives the friction of the
        // increment above it and the bearing at the node; the LRFD friction
        // factor is that of the segment below the node, as in the other
        // methods. The increment is measured along the pile.
        const SoilSegment& above = grid.segments[walk.locate((j - 1) * grid.verticalIncrement).segment];
        cap.skinFriction[j] = cap.skinFriction[j - 1] + grid.segments[j].lrfdFrictionFactor *
                                                            above.userUnitSkinFriction * p.options.lengthIncrement *
                                                            perimeter;
        cap.endBearing[j] = above.userUnitEndBearing * area;
    }
    // The unit side friction of the plot rows, which is also what the
    // load-settlement stage takes when this method carries the load
    // transfer: the user's value of the segment that starts at the node.
    for (int32_t j = 1; j <= m; ++j) user.nodes.nodeSideFriction[j] = grid.segments[j].userUnitSkinFriction;
}

}  // namespace tovek
