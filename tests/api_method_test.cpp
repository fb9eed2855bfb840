// API RP-2A unit side friction, node values and shaft capacity on small
// hand-filled grids.
#include <gtest/gtest.h>

#include <memory>

#include "capacity_test_grid.h"
#include "engine/run_store.h"
#include "methods/methods.h"

namespace tovek {
namespace {

constexpr double kTol = 1.0e-9;

// A 12 in pile (perimeter 3.14159 ft), 1 ft increments, four 1 ft segments:
// two sand segments (K 0.8, phi 35, so delta 30 and an API limit of 2.0 ksf)
// over two clay segments (su 0.5 ksf); nodes at 0, 1, 2 and 3 ft.
std::unique_ptr<RunStore> sandOverClay(double thickness = 1.0) {
    test::CapacityGrid grid(4, thickness);
    grid.options().lengthIncrement = 1;  // along the pile
    grid.pile().outsideDiameter = 12;
    grid.nodes(4);
    auto store = grid.take();
    ComputationGrid& g = store->grid;
    const double stress[] = {0, 0, 0.1, 0.1, 0.2, 0.2, 0.5, 0.5, 2.0};
    for (int k = 1; k <= 8; ++k) g.boundaryStress[k] = stress[k];
    for (int i = 1; i <= 4; ++i) {
        SoilSegment& s = g.segments[i];
        s.soilType = i <= 2 ? 1 : 2;
        s.lateralEarthPressure = 0.8;
        s.frictionAngle = i <= 2 ? 35 : 0;
        s.undrainedShearStrength = i <= 2 ? 0 : 0.5;
        s.lrfdFrictionFactor = 1;
    }
    return store;
}

TEST(ApiMethod, UnitSideFrictionOfSandAndClayAtTheBoundaries) {
    auto store = sandOverClay();
    computeApiFriction(*store, (*store).report);
    const auto& f = store->method(kApi).transfer.unitSideFriction;
    // Sand: 0.8 x sigma x tan(30 / 57.2958) = 0.8 x sigma x 0.57735003.
    EXPECT_NEAR(f[1], 0.0, kTol);
    EXPECT_NEAR(f[2], 0.046188002, 1e-8);  // 0.8 x 0.1 x 0.57735
    EXPECT_NEAR(f[3], 0.046188002, 1e-8);
    EXPECT_NEAR(f[4], 0.092376005, 1e-8);  // 0.8 x 0.2 x 0.57735
    // Clay segment 3: psi = 0.5 / 0.5 = 1, alpha 0.5: 0.25 ksf at both ends.
    EXPECT_NEAR(f[5], 0.25, kTol);
    EXPECT_NEAR(f[6], 0.25, kTol);
    // Clay segment 4: psi = 0.5 / 2.0 = 0.25, alpha = min(1, 0.5 / 0.5) = 1.
    EXPECT_NEAR(f[7], 0.5, kTol);
    EXPECT_NEAR(f[8], 0.5, kTol);
}

TEST(ApiMethod, ClayAlphaAndSandLimitCases) {
    struct Case {
        double soilType, phi, su, stress, unitSystem, expected;
    };
    const Case cases[] = {
        // Clay, su = 4 sigma: psi 4, alpha = 0.5 / 4^0.25 = 0.35355339.
        {2, 0, 4.0, 1.0, 1, 4.0 * 0.35355339},
        // Silt counts as clay here; su = sigma: alpha 0.5.
        {3, 0, 1.0, 1.0, 1, 0.5},
        // Sand held at the API limit: delta 30 gives 2.0 ksf.
        {1, 35, 0, 100.0, 1, 2.0},
        // Sand above the table (delta 45): 2.4 ksf, in SI 2.4 x 47.8 = 114.72 kPa.
        {1, 50, 0, 1000.0, 1, 2.4},
        {1, 50, 0, 100000.0, 2, 114.72},
    };
    for (const Case& c : cases) {
        auto store = sandOverClay();
        store->problem.unitSystem = static_cast<int32_t>(c.unitSystem);
        SoilSegment& s = store->grid.segments[1];
        s.soilType = c.soilType;
        s.frictionAngle = c.phi;
        s.undrainedShearStrength = c.su;
        store->grid.boundaryStress[1] = c.stress;
        store->grid.boundaryStress[2] = c.stress;
        computeApiFriction(*store, (*store).report);
        EXPECT_NEAR(store->method(kApi).transfer.unitSideFriction[2], c.expected, 1e-5)
            << "soil " << c.soilType << " phi " << c.phi << " su " << c.su;
    }
}

TEST(ApiMethod, ZeroStressUnderClayIsClampedAndKeptInTheGrid) {
    auto store = sandOverClay();
    store->grid.boundaryStress[6] = 0.0;
    computeApiFriction(*store, (*store).report);
    EXPECT_EQ(store->grid.boundaryStress[6], static_cast<double>(1.0e-10f));
    // psi = 0.5 / 1e-10 = 5e9; alpha = 0.5 / (5e9)^0.25 = 0.5 / 265.9148 = 0.00188030;
    // f = 0.5 x 0.00188030 = 0.00094015.
    EXPECT_NEAR(store->method(kApi).transfer.unitSideFriction[5], 0.00094015, 1e-8);
}

TEST(ApiMethod, NodeFrictionLimitsAndShaftCapacity) {
    auto store = sandOverClay();
    ComputationGrid& g = store->grid;
    g.segments[2].maxUnitFriction = 0.05;
    g.segments[3].maxUnitFriction = 0.05;
    g.segments[2].lrfdFrictionFactor = 1.0;
    g.segments[3].lrfdFrictionFactor = 0.5;
    g.segments[4].lrfdFrictionFactor = 0.8;
    computeApiFriction(*store, (*store).report);
    const MethodNodeArrays& n = store->method(kApi).nodes;
    const CapacityProfile& cap = store->method(kApi).capacity;

    // Node friction read at z = 0, 1, 2, 3 from segments 1, 1, 2, 3.
    const double unit[] = {0, 0.0, 0.046188002, 0.092376005, 0.25};
    const double limit[] = {0, kNoLayerLimit, 0.05, 0.05, kNoLayerLimit};
    const double side[] = {0, 0.0, 0.046188002, 0.05, 0.25};
    // P = 3.14159. Increments: node 2 a = 0.046188 / 2 x P = 0.0725519;
    // node 3 a = (0.046188 + 0.092376) / 2 x P = 0.217656 exceeds
    // b = (0.05 + 0.05) / 2 x P = 0.157080, so b; node 4 a = (0.092376 +
    // 0.25) / 2 x P = 0.537803.
    const double increment[] = {0, 0.0, 0.0725519, 0.1570795, 0.5378025};
    // Unfactored sums and the sums with the LRFD factors 1.0, 0.5, 0.8 of
    // segments 2, 3, 4.
    const double unfactored[] = {0, 0.0, 0.0725519, 0.2296314, 0.7674339};
    const double factored[] = {0, 0.0, 0.0725519, 0.1510916, 0.5813336};
    for (int j = 1; j <= 4; ++j) {
        EXPECT_NEAR(n.nodeUnitFriction[j], unit[j], 1e-8) << j;
        EXPECT_EQ(n.nodeFrictionLimit[j], limit[j]) << j;
        EXPECT_NEAR(n.nodeSideFriction[j], side[j], 1e-8) << j;
        EXPECT_NEAR(n.nodeSideFriction[j], side[j], 1e-8) << j;
        EXPECT_NEAR(n.skinIncrement[j], increment[j], 1e-6) << j;
        EXPECT_NEAR(n.loadTransferSkin[j], unfactored[j], 1e-6) << j;
        EXPECT_NEAR(cap.skinFriction[j], factored[j], 1e-6) << j;
    }
}

TEST(ApiMethod, LoadTransferSkinFollowsTheSideFrictionReductionOption) {
    for (int option : {0, 1, 2}) {
        auto store = sandOverClay();
        store->grid.segments[4].lrfdFrictionFactor = 0.5;
        store->problem.options.sideFrictionReduction = option;
        store->method(kApi).nodes.loadTransferSkin[4] = -1.0;  // left alone by option 2
        computeApiFriction(*store, (*store).report);
        // Node 4 increment: (0.092376 + 0.25) / 2 x 3.14159 = 0.5378025;
        // unfactored sum 0.0725519 + 0.2176557 + 0.5378025 = 0.8280101,
        // factored 0.0725519 + 0.2176557 + 0.5 x 0.5378025 = 0.5591089.
        const double expected = option == 0 ? 0.8280101 : option == 1 ? 0.5591089 : -1.0;
        EXPECT_NEAR(store->method(kApi).nodes.loadTransferSkin[4], expected, 1e-6) << option;
        EXPECT_NEAR(store->method(kApi).capacity.skinFriction[4], 0.5591089, 1e-6) << option;
    }
}

TEST(ApiMethod, ZeroFrictionLengthAndTension) {
    auto store = sandOverClay();
    store->problem.pile.zeroFrictionLength = 2.0;
    store->problem.options.loadingType = 1;
    store->problem.options.tensionReductionFactor = 0.7;
    computeApiFriction(*store, (*store).report);
    const MethodNodeArrays& n = store->method(kApi).nodes;
    // Nodes above 2 ft carry nothing; the node exactly at 2 ft does.
    EXPECT_EQ(n.nodeUnitFriction[1], 0.0);
    EXPECT_EQ(n.nodeUnitFriction[2], 0.0);
    EXPECT_NEAR(n.nodeUnitFriction[3], 0.7 * 0.092376005, 1e-8);
    EXPECT_NEAR(n.nodeUnitFriction[4], 0.7 * 0.25, 1e-9);
    // Skin: node 3 (0 + 0.0646632) / 2 x P = 0.1015726; node 4 adds
    // (0.0646632 + 0.175) / 2 x P = 0.3764618.
    EXPECT_NEAR(store->method(kApi).capacity.skinFriction[3], 0.1015726, 1e-6);
    EXPECT_NEAR(store->method(kApi).capacity.skinFriction[4], 0.4780344, 1e-6);
}

TEST(ApiMethod, SandLayerWithTheLimitMarkerTakesTheLimitFromItsFrictionAngle) {
    struct Case {
        double phi, english, si;
    };
    // English: 1.0 + 0.4 (phi - 20) / 5 and so on; SI: 47.8 + 19.2 (phi - 20) / 5 ...
    const Case cases[] = {
        {20, 1.0, 47.8},    {22.5, 1.2, 57.4},   {27.5, 1.55, 75.05}, {30, 1.7, 83.1},
        {32.5, 1.85, 89.3}, {37.5, 2.2, 105.15}, {45, 2.4, 114.8},
    };
    for (const Case& c : cases) {
        for (int unitSystem : {1, 2}) {
            auto store = sandOverClay();
            store->problem.unitSystem = unitSystem;
            SoilSegment& s = store->grid.segments[2];
            s.maxUnitFriction = 9999;
            s.frictionAngle = c.phi;
            computeApiFriction(*store, (*store).report);
            const double expected = unitSystem == 1 ? c.english : c.si;
            EXPECT_NEAR(store->method(kApi).nodes.nodeFrictionLimit[2], expected, 1e-5) << c.phi;
            // The layer keeps the limit for every later method.
            EXPECT_NEAR(s.maxUnitFriction, expected, 1e-5) << c.phi;
        }
    }
    // A clay layer, or any other value, keeps its own limit.
    auto store = sandOverClay();
    store->grid.segments[3].maxUnitFriction = 9999;
    store->grid.segments[2].maxUnitFriction = 9998;
    computeApiFriction(*store, (*store).report);
    EXPECT_EQ(store->method(kApi).nodes.nodeFrictionLimit[3], 9999.0);
    EXPECT_EQ(store->method(kApi).nodes.nodeFrictionLimit[2], 9998.0);
}

TEST(ApiMethod, BatteredPileWalksVerticalDepthsAndIntegratesAlongThePile) {
    // Half-foot segments (a 60 degree batter with 1 ft increments): node j
    // lies at z = (j - 1) x 0.5 and reads segment j - 1 at its bottom; the
    // increments are 1 ft long along the pile.
    auto store = sandOverClay(0.5);
    store->grid.nodeCount = 3;
    computeApiFriction(*store, (*store).report);
    const MethodNodeArrays& n = store->method(kApi).nodes;
    EXPECT_NEAR(n.nodeUnitFriction[2], 0.046188002, 1e-8);
    EXPECT_NEAR(n.nodeUnitFriction[3], 0.092376005, 1e-8);
    // (0 + 0.046188) / 2 x P + (0.046188 + 0.092376) / 2 x P = 0.2902075.
    EXPECT_NEAR(store->method(kApi).capacity.skinFriction[3], 0.2902075, 1e-6);
}

}  // namespace
}  // namespace tovek
