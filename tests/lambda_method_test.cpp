// Revised Lambda: the capacity formula with its compressibility ratio and
// the two lambda lines, the floor, the zero-friction sweep, the unit
// friction taken back from the capacity (the repeated friction and the
// limit), tension and the LRFD factors, on hand-filled grids.
#include <gtest/gtest.h>

#include <cmath>

#include "capacity_test_grid.h"
#include "methods/methods.h"

namespace tovek {
namespace {

// The pile of the worked example: 12.75 in outside, 11.75 in inside (no
// tip area), 29,000,000 psi; A_p = 0.7853975 x (12.75^2 - 11.75^2) =
// 19.2422 in2, P = 3.14159 x 12.75 / 12 = 3.3379 ft. n segments of 1 ft of
// clay (su 1.0 ksf), the stress rising by `gradient` per foot (or constant
// at `constant` when that is given), nodes at every foot.
test::CapacityGrid clayColumn(int n, double gradient, double constant = -1) {
    test::CapacityGrid grid(n);
    grid.openPipe(12.75, 11.75, n - 1);
    grid.pile().elasticModulus = 29000000;
    grid.nodes(n);
    for (int i = 1; i <= n; ++i) {
        SoilSegment& s = grid.segment(i);
        s.soilType = 2;
        s.undrainedShearStrength = 1.0;
        s.lrfdFrictionFactor = 1;
        if (constant >= 0)
            grid.stresses(i, constant, constant);
        else
            grid.stresses(i, gradient * (i - 1), gradient * i);
    }
    return grid;
}

MethodResults& runLambda(test::CapacityGrid& grid) {
    computeLambdaFriction(grid.store(), grid.store().report);
    return grid.store().method(kRevisedLambda);
}

const double kPerimeter = static_cast<double>(3.14159f) * 12.75 / 12;

TEST(LambdaMethod, WorkedValuesAtOneHundredFeet) {
    // Node 101 at 100 ft, c_m = 1.0 ksf: X = 3141.59 x 12.75 x 100^2 x 1.0 /
    // (19.2422 x 29,000,000 x 0.1) = 7.178, ln X = 1.971.
    // sigma_m = 2.0 ksf (0.04 ksf per foot): ratio 0.5, the second line:
    // lambda = 0.232 - 0.032 x 1.971 = 0.1689, Q = 4.0 x 3.3379 x 100 x
    // 0.1689 = 225.5 kips. The formula grows at every node, so the
    // capacity reached is the formula's.
    test::CapacityGrid mean2 = clayColumn(101, 0.04);
    EXPECT_NEAR(runLambda(mean2).capacity.skinFriction[101], 225.54742, 1e-5);
    // sigma_m = 4.0 ksf at every depth: ratio 0.25, the first line:
    // lambda = 0.178 - 0.016 x 1.971 = 0.1465, Q = 6.0 x 3.3379 x 100 x
    // 0.1465 = 293.3 kips.
    test::CapacityGrid mean4 = clayColumn(101, 0, 4.0);
    EXPECT_NEAR(runLambda(mean4).capacity.skinFriction[101], 293.33193, 1e-5);
}

TEST(LambdaMethod, WorkedValueInSiUnits) {
    // The same pile and soil in SI: 323.85 / 298.45 mm, 199,948 MPa, 0.3048 m
    // increments, su 47.88 kPa, 1.9152 kPa per increment; X with 3141590
    // and 2.54 is the English X; Q = 1003.28 kN (225.5 kips).
    test::CapacityGrid grid(101, 0.3048, 2);
    grid.openPipe(323.85, 298.45, 30.48);
    grid.pile().elasticModulus = 29000000 * 6.894757;
    grid.nodes(101);
    for (int i = 1; i <= 101; ++i) {
        grid.segment(i).soilType = 2;
        grid.segment(i).undrainedShearStrength = 47.88;
        grid.segment(i).lrfdFrictionFactor = 1;
        grid.stresses(i, 0.04 * 47.88 * (i - 1), 0.04 * 47.88 * i);
    }
    EXPECT_NEAR(runLambda(grid).capacity.skinFriction[101], 1003.2805, 1e-4);
}

TEST(LambdaMethod, NodeAtTheGroundSurfaceCarriesNothing) {
    test::CapacityGrid grid = clayColumn(3, 0.1);
    MethodResults& r = runLambda(grid);
    EXPECT_EQ(r.capacity.skinFriction[1], 0.0);
    EXPECT_EQ(r.nodes.loadTransferSkin[1], 0.0);
    EXPECT_EQ(r.nodes.nodeUnitFriction[1], 0.0);
    EXPECT_EQ(r.nodes.nodeSideFriction[1], 0.0);
}

TEST(LambdaMethod, LambdaLinesThresholdFloorAndSectionArea) {
    struct Case {
        const char* what;
        double su;
        double tipArea;
        double expected;  // capacity at node 2 (1 ft), kips
    };
    // Node 2 lies in segment 1; with a constant 2.5 ksf, sigma_m = 2.5 and
    // c_m = su. X = 7.178e-4 su.
    const Case cases[] = {
        // c_m / sigma_m = 1.0 / 2.5 is below the single-precision 0.4: the
        // first line, lambda = 0.178 - 0.016 ln(7.178e-4) = 0.2938290;
        // Q = 4.5 x 3.3379 x 1 x 0.2938 (0.4637 on the second line).
        {"threshold", 1.0, 0, 4.4135258},
        // A huge strength: X = 71.8, lambda held at 0.14.
        {"floor", 100000, 0, 93463.475},
        // A tip area of 1.0 ft2 enters X as 144 in2: lambda 0.3260323.
        {"tip area", 1.0, 1.0, 4.8972426},
    };
    for (const Case& c : cases) {
        test::CapacityGrid grid = clayColumn(3, 0, 2.5);
        grid.pile().tipArea = c.tipArea;
        for (int i = 1; i <= 3; ++i) grid.segment(i).undrainedShearStrength = c.su;
        MethodResults& r = runLambda(grid);
        EXPECT_NEAR(r.capacity.skinFriction[2], c.expected, 1e-7 * c.expected) << c.what;
        EXPECT_NEAR(r.nodes.nodeUnitFriction[2], c.expected / kPerimeter, 1e-7 * c.expected) << c.what;
    }
}

TEST(LambdaMethod, NoSectionNoModulusAndNegativeStrength) {
    // A modulus of 0, or a bore as wide as the pile without a tip area,
    // makes X unbounded: lambda at its floor, Q = 4.5 x P x 1 x 0.14 at node
    // 2 (su 1.0, 2.5 ksf). A negative strength counts as none.
    const double floorCapacity = 4.5 * kPerimeter * static_cast<double>(0.14f);
    for (int what : {0, 1, 2}) {
        test::CapacityGrid grid = clayColumn(3, 0, 2.5);
        if (what == 0) grid.pile().elasticModulus = 0;
        if (what == 1) grid.pile().enhancedEndInsideDiameter = 12.75;
        if (what == 2)
            for (int i = 1; i <= 3; ++i) grid.segment(i).undrainedShearStrength = -0.5;
        MethodResults& r = runLambda(grid);
        const double expected = what == 2 ? 0.0 : floorCapacity;
        EXPECT_NEAR(r.capacity.skinFriction[2], expected, 1e-9) << what;
        EXPECT_TRUE(std::isfinite(r.capacity.skinFriction[3])) << what;
    }
}

TEST(LambdaMethod, SandStrengthTerm) {
    // K 0.8, sigma 1.0 to 1.2 ksf, phi 30: v = 0.8 x 0.5 x 2.2 x tan 30 =
    // 0.5080680 ksf; node 2 (1 ft, in segment 1): sigma_m = 1.1, c_m = v;
    // Q = 3.4281204 kips.
    test::CapacityGrid grid = clayColumn(3, 0);
    SoilSegment& s = grid.segment(1);
    s.soilType = 1;
    s.lateralEarthPressure = 0.8;
    s.frictionAngle = 30;
    grid.stresses(1, 1.0, 1.2);
    EXPECT_NEAR(runLambda(grid).capacity.skinFriction[2], 3.4281204, 1e-7);
}

TEST(LambdaMethod, ZeroFrictionSweep) {
    // Segments ending at or above the zero-friction length carry no strength;
    // the one it falls in keeps all of it. 10 ft and 10.5 ft both clear
    // segments 1 to 10 and keep segment 11; 11 ft clears segment 11 too.
    auto capacities = [](double zeroFriction) {
        test::CapacityGrid grid = clayColumn(14, 0.1);
        grid.pile().zeroFrictionLength = zeroFriction;
        MethodResults& r = runLambda(grid);
        std::vector<double> skin;
        for (int j = 1; j <= 14; ++j) skin.push_back(r.capacity.skinFriction[j]);
        return skin;
    };
    const std::vector<double> at10 = capacities(10);
    EXPECT_EQ(capacities(10.5), at10);
    // Nodes 1 to 11 (0 to 10 ft) have c_m = 0: no friction.
    for (size_t j = 0; j < 11; ++j) EXPECT_EQ(at10[j], 0.0) << j + 1;
    EXPECT_GT(at10[11], 0.0);
    const std::vector<double> at11 = capacities(11);
    EXPECT_EQ(at11[11], 0.0);
    EXPECT_GT(at11[12], 0.0);
}

TEST(LambdaMethod, FallingFormulaRepeatsTheUnitFrictionAbove) {
    // Stress rising 0.08 ksf per foot: below 62.5 ft c_m / sigma_m falls
    // under 0.4 and the formula drops to the first line. From node 64 (63
    // ft) the capacity grows at the unit friction of node 63 until the
    // formula overtakes it again.
    test::CapacityGrid grid = clayColumn(101, 0.08);
    MethodResults& r = runLambda(grid);
    const auto& skin = r.capacity.skinFriction;
    const auto& unit = r.nodes.nodeUnitFriction;
    EXPECT_NEAR(skin[63], 184.98551, 1e-5);  // the formula
    EXPECT_NEAR(unit[63], 1.0988323, 1e-7);
    for (int j = 64; j <= 101; ++j) {
        EXPECT_EQ(unit[j], unit[63]) << j;
        EXPECT_NEAR(skin[j] - skin[j - 1], kPerimeter * unit[63], 1e-9) << j;
    }
    EXPECT_NEAR(skin[100], 320.69542, 1e-5);  // the formula gives 289.10 there
}

TEST(LambdaMethod, LimitHoldsTheUnitFriction) {
    test::CapacityGrid grid = clayColumn(21, 0.04);
    for (int i = 1; i <= 21; ++i) grid.segment(i).maxUnitFriction = 0.5;
    MethodResults& r = runLambda(grid);
    for (int j = 2; j <= 21; ++j) {
        EXPECT_EQ(r.nodes.nodeFrictionLimit[j], 0.5);
        EXPECT_EQ(r.nodes.nodeUnitFriction[j], 0.5) << j;
        EXPECT_NEAR(r.capacity.skinFriction[j], (j - 1) * kPerimeter * 0.5, 1e-9) << j;
    }
}

TEST(LambdaMethod, TensionReducesTheWholeColumnOnce) {
    for (double limit : {kNoLayerLimit, 0.5}) {
        test::CapacityGrid compression = clayColumn(101, 0.04);
        test::CapacityGrid tension = clayColumn(101, 0.04);
        tension.options().loadingType = 1;
        tension.options().tensionReductionFactor = 0.7;
        for (int i = 1; i <= 101; ++i) {
            compression.segment(i).maxUnitFriction = limit;
            tension.segment(i).maxUnitFriction = limit;
        }
        MethodResults& c = runLambda(compression);
        MethodResults& t = runLambda(tension);
        // Every capacity and unit friction is 0.7 times its compression
        // value, also where the limit holds the friction: a deeper pile
        // never shows less capacity (with the limit, 0.7 x 100 x P x 0.5 =
        // 116.8 kips at node 101).
        for (int j = 1; j <= 101; ++j) {
            EXPECT_NEAR(t.capacity.skinFriction[j], 0.7 * c.capacity.skinFriction[j], 1e-9) << j;
            EXPECT_NEAR(t.nodes.loadTransferSkin[j], 0.7 * c.nodes.loadTransferSkin[j], 1e-9) << j;
            EXPECT_NEAR(t.nodes.nodeUnitFriction[j], 0.7 * c.nodes.nodeUnitFriction[j], 1e-12) << j;
            EXPECT_EQ(t.nodes.nodeSideFriction[j], t.nodes.nodeUnitFriction[j]) << j;
            if (j >= 2) {
                EXPECT_GT(t.capacity.skinFriction[j], t.capacity.skinFriction[j - 1]) << j;
            }
        }
        if (limit == 0.5) {
            EXPECT_NEAR(t.capacity.skinFriction[101], 0.7 * 100 * kPerimeter * 0.5, 1e-9);
        }
    }
}

TEST(LambdaMethod, LrfdFactorsOnTheCapacityGained) {
    for (int reduction : {0, 1}) {
        test::CapacityGrid grid = clayColumn(5, 0, 2.0);
        for (int i = 1; i <= 5; ++i) grid.segment(i).maxUnitFriction = 0.5;  // 1.66897 kips a foot
        grid.segment(3).lrfdFrictionFactor = 0.5;
        grid.segment(5).lrfdFrictionFactor = 0.8;
        grid.options().sideFrictionReduction = reduction;
        MethodResults& r = runLambda(grid);
        const double step = kPerimeter * 0.5;
        // Gains of nodes 2 to 5 with the factors 1, 0.5, 1, 0.8.
        EXPECT_NEAR(r.capacity.skinFriction[5], step * (1 + 0.5 + 1 + 0.8), 1e-9);
        EXPECT_NEAR(r.capacity.skinFriction[3], step * 1.5, 1e-9);
        EXPECT_NEAR(r.nodes.loadTransferSkin[5], reduction == 1 ? step * 3.3 : step * 4, 1e-9) << reduction;
    }
}

}  // namespace
}  // namespace tovek
