// The user-specified method on small hand-filled grids.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "capacity_test_grid.h"
#include "engine/run_store.h"
#include "methods/methods.h"

namespace tovek {
namespace {

// A 12 in pipe (11 in inside), 1 ft increments along the pile, nodes at 0,
// 1 and 2 ft; four segments of `thickness` with user friction 0.2, 0.4, 0.6,
// 0.8 ksf, user bearing 10, 20, 30, 40 ksf and LRFD friction factors 1, 0.5,
// 0.8, 1.
std::unique_ptr<RunStore> userStore(double thickness = 1.0) {
    test::CapacityGrid grid(4, thickness);
    grid.pile().outsideDiameter = 12;
    grid.pile().insideDiameter = 11;
    grid.pile().enhancedEndInsideDiameter = 11;
    grid.options().lengthIncrement = 1;  // along the pile; the segments are vertical
    grid.nodes(3);
    auto store = grid.take();
    ComputationGrid& g = store->grid;
    const double lrfd[] = {0, 1, 0.5, 0.8, 1};
    for (int i = 1; i <= 4; ++i) {
        SoilSegment& s = g.segments[i];
        s.maxUnitFriction = 0;
        s.maxUnitBearing = 0;
        s.userUnitSkinFriction = 0.2 * i;
        s.userUnitEndBearing = 10.0 * i;
        s.lrfdFrictionFactor = lrfd[i];
    }
    return store;
}

TEST(UserMethod, ShaftCapacityAndEndBearingNodeByNode) {
    // Perimeter P = 3.14159 x 12 / 12; full section 0.7853975 ft2.
    // Node 1: skin 0, bearing 10 x 0.7853975.
    // Node 2 (segment 1 ends there): skin 0.5 (factor of segment 2) x 0.2 x 1 x P
    // = 0.3141590; bearing 10 x 0.7853975.
    // Node 3 (segment 2): skin 0.3141590 + 0.8 x 0.4 x P = 1.3194678; bearing
    // 20 x 0.7853975.
    // A battered pile (half-foot segments) walks the vertical depths and
    // still takes segment j - 1 at node j, with 1 ft increments of shaft.
    for (double thickness : {1.0, 0.5}) {
        auto store = userStore(thickness);
        computeUserMethodCapacity(*store, (*store).report);
        const CapacityProfile& cap = store->method(kUserMethod).capacity;
        const MethodNodeArrays& nodes = store->method(kUserMethod).nodes;
        const double skin[] = {0, 0.0, 0.3141590, 1.3194678};
        const double bearing[] = {0, 7.853975, 7.853975, 15.70795};
        for (int j = 1; j <= 3; ++j) {
            EXPECT_NEAR(cap.skinFriction[j], skin[j], 1e-6) << thickness << " node " << j;
            EXPECT_NEAR(cap.endBearing[j], bearing[j], 1e-5) << thickness << " node " << j;
            // The plot column: the user's friction of the segment below the node.
            EXPECT_NEAR(nodes.nodeSideFriction[j], 0.2 * j, 1e-12) << j;
            EXPECT_NEAR(nodes.nodeSideFriction[j], 0.2 * j, 1e-12) << j;
        }
    }
}

TEST(UserMethod, BearingAreaByPlugOptionAndTipArea) {
    struct Case {
        int plugOption;
        double tipArea;
        double area;
    };
    const Case cases[] = {
        {0, 0.0, 0.7853975},                                           // full section (12 in)^2 pi/4
        {1, 0.0, 0.7853975}, {2, 0.0, 0.7853975 * (144 - 121) / 144},  // the steel ring: 0.1254454
        {2, 0.5, 0.5},                                                 // a given tip area always
        {0, 0.5, 0.5},
    };
    for (const Case& c : cases) {
        auto store = userStore();
        store->problem.options.plugOption = c.plugOption;
        store->problem.pile.tipArea = c.tipArea;
        computeUserMethodCapacity(*store, (*store).report);
        EXPECT_NEAR(store->method(kUserMethod).capacity.endBearing[3], 20.0 * c.area, 1e-5)
            << c.plugOption << " " << c.tipArea;
    }
}

TEST(UserMethod, PileOneIncrementLongInSiUnits) {
    // M = 2, 600 mm pile: P = 3.14159 x 0.6 = 1.8849541 m; area 0.7853975 x
    // 0.36 = 0.2827431 m2. Node 2: skin = 0.5 x 0.2 x 1 x 1.8849541 = 0.1884954,
    // bearing 10 x 0.2827431 = 2.827431.
    auto store = userStore();
    store->problem.unitSystem = 2;
    store->problem.pile.outsideDiameter = 600;
    store->grid.nodeCount = 2;
    computeUserMethodCapacity(*store, (*store).report);
    const CapacityProfile& cap = store->method(kUserMethod).capacity;
    EXPECT_NEAR(cap.skinFriction[2], 0.1884954, 1e-6);
    EXPECT_NEAR(cap.endBearing[1], 2.827431, 1e-5);
    EXPECT_NEAR(cap.endBearing[2], 2.827431, 1e-5);
}

}  // namespace
}  // namespace tovek
