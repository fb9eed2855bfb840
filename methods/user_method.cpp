// The user-specified method ("GENERAL METHOD"): the unit side friction and
// unit end bearing the user gives per soil layer, turned directly into shaft
// capacity and end-bearing force at every penetration node. No zero-friction
// length and no limit act on the user's values.
#include "methods/user_method.h"

#include <algorithm>

namespace tovek {

namespace {

constexpr double kDepthTolerance = 1.0e-6;

// The segment that ends at or just below vertical depth z: the first s with
// z - (t_1 + ... + t_s) <= tolerance; the last segment for a depth below the
// grid. The nodes go down the pile, so the search goes on from the segment
// found for the node above.
struct SegmentEndingAt {
    int32_t segmentCount;
    double thickness;
    int32_t s = 1;
    double bottom;

    SegmentEndingAt(int32_t count, double t) : segmentCount(count), thickness(t), bottom(t) {}

    int32_t operator()(double z) {
        while (s < segmentCount && z - bottom > kDepthTolerance) {
            bottom += thickness;
            ++s;
        }
        return s;
    }
};

} // namespace

void computeUserMethodCapacity(RunStore& store) {
    const ProblemData& p = store.problem;
    const ComputationGrid& grid = store.grid;
    MethodResults& user = store.method(kUserMethod);
    user.prepared = false;

    const int32_t N = std::clamp<int32_t>(grid.segmentCount, 0, kMaxSegments);
    const int32_t M = std::clamp<int32_t>(grid.nodeCount, 0, kMaxNodes);
    if (N < 1 || M < 1) return;
    const double c = p.unitSystem < 2 ? 12 : 1000;
    const double perimeter = 3.14159f * p.pile.outsideDiameter / c;
    auto segment = [&](int32_t i) -> const SoilSegment& {
        return grid.segments[static_cast<size_t>(std::clamp<int32_t>(i, 1, N))];
    };

    // Bearing area: a given tip area always; otherwise the steel ring of an
    // unplugged pipe, or the full section.
    double area = 0.0;
    if (p.pile.tipArea > 1.0e-4) {
        area = p.pile.tipArea;
    } else if (p.options.plugOption == 2) {
        const double od = p.pile.outsideDiameter;
        const double id = p.pile.enhancedEndInsideDiameter;
        area = 0.7853975f * (od * od - id * id) / (c * c);
    } else {
        area = 0.7853975f * (p.pile.outsideDiameter / c) * (p.pile.outsideDiameter / c);
    }

    CapacityProfile& cap = user.capacity;
    MethodNodeArrays& nodes = user.nodes;
    cap.skinFriction[1] = 0.0;
    cap.endBearing[1] = segment(1).userUnitEndBearing * area;
    SegmentEndingAt segmentEndingAt(N, grid.verticalIncrement);
    for (int32_t j = 2; j <= M; ++j) {
        const size_t jj = static_cast<size_t>(j);
        // The segment that ends at the node gives the friction of the
        // increment above it and the bearing at the node; the LRFD friction
        // factor is that of the segment below the node, as in the other
        // methods. The increment is measured along the pile.
        const SoilSegment& above = segment(segmentEndingAt((j - 1) * grid.verticalIncrement));
        cap.skinFriction[jj] = cap.skinFriction[jj - 1] + segment(j).lrfdFrictionFactor * above.userUnitSkinFriction *
                                                              p.options.lengthIncrement * perimeter;
        cap.endBearing[jj] = above.userUnitEndBearing * area;
    }
    // The unit side friction of the plot rows, which is also what the
    // load-settlement stage takes when this method carries the load transfer.
    for (int32_t j = 1; j <= M; ++j) {
        const size_t jj = static_cast<size_t>(j);
        nodes.plotSideFriction[jj] = segment(j).userUnitSkinFriction;
        nodes.nodeSideFriction[jj] = nodes.plotSideFriction[jj];
    }
}

} // namespace tovek
