// Shaft t-z curves, the tip curve, their soil lookups and evaluation.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "engine/run_store.h"
#include "settlement/tz_curves.h"

namespace tovek {
namespace {

struct Row {
    double depth;
    double soilType;
    double frictionAngle;
    double peakMovement;
    double residualFactor;
};

class TzCurves : public ::testing::Test {
protected:
    std::unique_ptr<RunStore> store = std::make_unique<RunStore>();
    ProblemData& p = store->problem;

    void SetUp() override {
        p.unitSystem = 1;
        p.pile.outsideDiameter = 24;
        p.options.loadTransferMethod = 4;
    }
    void rows(const std::vector<Row>& table) {
        p.layerCount = static_cast<int32_t>(table.size());
        for (size_t i = 0; i < table.size(); ++i) {
            SoilLayer& l = p.layers[i + 1];
            l.depth = table[i].depth;
            l.soilType = table[i].soilType;
            l.frictionAngle = table[i].frictionAngle;
            l.peakMovement = table[i].peakMovement;
            l.residualFactor = table[i].residualFactor;
        }
    }
    TzCurve curve(double f, double phi = 0, double peak = 0) {
        TzCurve c;
        c.pointCount = kTzCurvePoints;
        c.curveSideFriction = f;
        c.curveFrictionAngle = phi;
        c.curvePeakMovement = peak;
        return c;
    }
};

void expectPoints(const TzCurve& c, const std::vector<double>& movement, const std::vector<double>& transfer,
                  double tolerance) {
    for (size_t k = 1; k <= kTzCurvePoints; ++k) {
        EXPECT_NEAR(c.movement[k], movement[k - 1], tolerance) << "point " << k;
        EXPECT_NEAR(c.loadTransfer[k], transfer[k - 1], tolerance) << "point " << k;
    }
}

TEST_F(TzCurves, ClayCurveOfA24InchPileScalesByOnePercentOfTheDiameterAndHoldsTheResidual) {
    // z_p = 0.01 x 24 = 0.24 in: movements 0.16, 0.31, 0.57, 0.80, 1, 2, 3,
    // 5, 20 times 0.24. f = 10 psi: 3, 5, 7.5, 9, 10, then r x 10.
    const std::vector<double> movement = {0, 0.0384, 0.0744, 0.1368, 0.192, 0.24, 0.48, 0.72, 1.2, 4.8};
    struct Case {
        double residual;
        double held;  // load transfer from point 7 on
    };
    for (const Case c : {Case{0, 9}, Case{-1, 9}, Case{0.75, 7.5}}) {
        TzCurve t = curve(10);
        makeClayTzCurve(p, t, c.residual);
        expectPoints(t, movement, {0, 3, 5, 7.5, 9, 10, c.held, c.held, c.held, c.held}, 1e-6);
    }
    // A given peak movement replaces the default: 0.5 in, point 9 at 2.5 in.
    TzCurve t = curve(10, 0, 0.5);
    makeNonClayTzCurve(p, t);
    EXPECT_NEAR(t.movement[9], 2.5, 1e-6);
    EXPECT_NEAR(t.loadTransfer[10], 10, 1e-6);
}

TEST_F(TzCurves, UsaceNonClayCurveIsHyperbolicInFixedMovements) {
    p.options.loadTransferMethod = 2;
    // English, f = 1 psi, phi = 30: K = 6000 + 1333.3 x 2 = 8666.6 psf/in,
    // tau = 144 psf. At 0.01 in: 0.01 / (0.01/144 + 1/8666.6) / 144
    // = 0.375721 psi; at 10 in: 10 / (10/144 + 1/8666.6) / 144 = 0.998341.
    TzCurve t = curve(1, 30);
    makeNonClayTzCurve(p, t);
    EXPECT_EQ(t.movement[1], 0);
    EXPECT_EQ(t.loadTransfer[1], 0);
    EXPECT_NEAR(t.movement[2], 0.01, 1e-8);
    EXPECT_NEAR(t.loadTransfer[2], 0.375721, 1e-5);
    EXPECT_NEAR(t.movement[10], 10, 1e-8);
    EXPECT_NEAR(t.loadTransfer[10], 0.998341, 1e-5);

    // SI, f = 10 kPa: tau = 10 x 20.89 = 208.9 psf; at 0.01 in
    // 0.01 / (0.01/208.9 + 1/8666.6) / 20.89 = 2.932205 kPa, at 10 in
    // 9.975954 kPa; movements 0.01 / 39.37 = 2.5400E-4 m and 10 / 39.37.
    p.unitSystem = 2;
    TzCurve s = curve(10, 30);
    makeNonClayTzCurve(p, s);
    EXPECT_NEAR(s.movement[2], 0.01 / 39.37, 1e-9);
    EXPECT_NEAR(s.loadTransfer[2], 2.932205, 1e-5);
    EXPECT_NEAR(s.movement[10], 10 / 39.37, 1e-8);
    EXPECT_NEAR(s.loadTransfer[10], 9.975954, 1e-5);

    // No friction: no load transfer anywhere.
    TzCurve z = curve(0, 30);
    makeNonClayTzCurve(p, z);
    for (size_t k = 1; k <= kTzCurvePoints; ++k) EXPECT_EQ(z.loadTransfer[k], 0);
}

TEST_F(TzCurves, UsaceStiffnessFollowsTheFrictionAngleTable) {
    p.options.loadTransferMethod = 2;
    // K by hand from the table; the point at 0.01 in then carries
    // 0.01 / (0.01/144 + 1/K) / 144 psi with f = 1 psi.
    struct Case {
        double phi;
        double k;
    };
    const Case cases[] = {{20, 6000},    {28, 6000},    {29.5, 7999.95}, {31, 9999.9},  {31.5, 10000}, {33, 11333.3},
                          {34, 12666.6}, {34.5, 14000}, {36, 15333.3},   {38, 17999.9}, {40, 18000}};
    for (const Case& c : cases) {
        TzCurve t = curve(1, c.phi);
        makeNonClayTzCurve(p, t);
        const double expected = 0.01 / (0.01 / 144 + 1 / c.k) / 144;
        EXPECT_NEAR(t.loadTransfer[2], expected, 2e-6) << "phi " << c.phi;
    }
}

TEST_F(TzCurves, UsaceClayCurveSoftensAfterItsPeakAndUsesItsOwnMetreFactor) {
    p.options.loadTransferMethod = 2;
    const std::vector<double> inches = {0, 0.01, 0.02, 0.04, 0.06, 0.08, 0.12, 0.16, 0.5, 10};
    const std::vector<double> fraction = {0, 0.18, 0.38, 0.79, 0.97, 1.0, 0.97, 0.93, 0.93, 0.93};
    std::vector<double> transfer;
    for (double v : fraction) transfer.push_back(v * 20);
    TzCurve t = curve(20);
    makeClayTzCurve(p, t, 0.5);  // the residual factor plays no part here
    expectPoints(t, inches, transfer, 1e-5);

    p.unitSystem = 2;
    std::vector<double> metres;
    for (double v : inches) metres.push_back(v / 39.79);
    TzCurve s = curve(20);
    makeClayTzCurve(p, s, 0.5);
    expectPoints(s, metres, transfer, 1e-5);
}

TEST_F(TzCurves, DepthFactorsInterpolateBetweenTableRows) {
    p.options.tzFactorOption = 1;
    p.options.tzFactorCount = 2;
    p.options.tzFactorDepth[1] = 0;
    p.options.tzFactorA[1] = 1.0;
    p.options.tzFactorB[1] = 1.0;
    p.options.tzFactorDepth[2] = 20;
    p.options.tzFactorA[2] = 2.0;
    p.options.tzFactorB[2] = 0.5;
    struct Case {
        double depthInches;
        double a;  // load-transfer factor
        double b;  // movement factor
    };
    // 10 ft: halfway, 1.5 and 0.75; at 20 ft and beyond: 2.0 and 0.5.
    for (const Case c : {Case{0, 1, 1}, Case{120, 1.5, 0.75}, Case{240, 2, 0.5}, Case{360, 2, 0.5}}) {
        TzCurve t = curve(10);
        makeNonClayTzCurve(p, t);
        applyTzDepthFactors(p, t, c.depthInches);
        // Point 6 is (z_p, f) = (0.24 in, 10 psi) before the factors.
        EXPECT_NEAR(t.loadTransfer[6], 10 * c.a, 1e-5) << c.depthInches;
        EXPECT_NEAR(t.movement[6], 0.24 * c.b, 1e-6) << c.depthInches;
    }
}

TEST_F(TzCurves, FactorTablesWithoutTwoRowsNeverWipeOutTheCurves) {
    p.options.tzFactorOption = 1;
    struct Case {
        int32_t count;
        double a, b;    // row 1 as held
        double ea, eb;  // factors applied
    };
    const Case cases[] = {
        {0, 0, 0, 1, 1},      // no rows: unchanged
        {1, 0, 0, 1, 1},      // one row never read (zeros): unchanged
        {1, 3, 0.5, 3, 0.5},  // one row held: applied at every depth
        {-2, 3, 0.5, 1, 1},
    };
    for (const Case& c : cases) {
        p.options.tzFactorCount = c.count;
        p.options.tzFactorDepth[1] = 5;
        p.options.tzFactorA[1] = c.a;
        p.options.tzFactorB[1] = c.b;
        for (double depth : {0.0, 600.0}) {
            TzCurve t = curve(10);
            makeNonClayTzCurve(p, t);
            applyTzDepthFactors(p, t, depth);
            EXPECT_NEAR(t.loadTransfer[6], 10 * c.ea, 1e-5) << c.count << " " << c.a;
            EXPECT_NEAR(t.movement[6], 0.24 * c.eb, 1e-6) << c.count << " " << c.a;
        }
    }
    // Option 0: a table that is present is not applied.
    p.options.tzFactorOption = 0;
    p.options.tzFactorCount = 1;
    TzCurve t = curve(10);
    makeNonClayTzCurve(p, t);
    applyTzDepthFactors(p, t, 0);
    EXPECT_NEAR(t.loadTransfer[6], 10, 1e-5);
}

TEST_F(TzCurves, ScaledTipCurveReachesQAtATenthOfTheDiameter) {
    makeTipCurve((*store).settlementRun(), 1000);
    const TipCurve& tip = store->settlement.tipCurve;
    // D = 24 in: 0.0005, 0.001, 0.002, 0.013, 0.042, 0.073, 0.1, 0.15, 0.2 x 24.
    const double movement[] = {0, 0.012, 0.024, 0.048, 0.312, 1.008, 1.752, 2.4, 3.6, 4.8};
    const double load[] = {0, 62.5, 125, 250, 500, 750, 900, 1000, 1000, 1000};
    for (size_t k = 1; k <= kTzCurvePoints; ++k) {
        EXPECT_NEAR(tip.tipMovement[k], movement[k - 1], 1e-6);
        EXPECT_NEAR(tip.tipLoad[k], load[k - 1], 1e-4);
    }
    EXPECT_DOUBLE_EQ(store->settlement.tipResistance, 1000);
    struct Case {
        double w, expected;
    };
    // 1.2 in: 750 + 150 x (1.2 - 1.008) / (1.752 - 1.008) = 788.710.
    // At or below 0: the first point (0). Beyond 4.8 in the tip holds Q.
    for (const Case c :
         {Case{-1, 0}, Case{0, 0}, Case{0.006, 31.25}, Case{1.2, 788.710}, Case{4.8, 1000}, Case{10, 1000}})
        EXPECT_NEAR(evaluateTipCurve(tip, c.w), c.expected, 1e-3) << c.w;
}

TEST_F(TzCurves, UsaceTipCurveInSandFollowsAPowerLawOfTheReferenceMovement) {
    p.options.loadTransferMethod = 2;
    p.pile.embeddedLength = 60;
    store->grid.nodeCount = 61;
    store->grid.segments[61].layerCurveCode = 1.2;  // z_r, inches
    struct Case {
        double phiAt0, phiAt100;  // phi at the tip (60 ft) = 0.4 x top + 0.6 x bottom
        double exponent;
    };
    // Tip at 60 ft: phi 30 (e 0.5), 36 (0.333), 40 (0.25). Read at 5 ft
    // (60 / 12) the second case would give 30.5 and the exponent 0.5.
    for (const Case c : {Case{30, 30, 0.5}, Case{30, 40, 0.333}, Case{40, 40, 0.25}}) {
        rows({{0, 1, c.phiAt0, 0, 0}, {100, 1, c.phiAt100, 0, 0}});
        makeTipCurve((*store).settlementRun(), 500);
        const TipCurve& tip = store->settlement.tipCurve;
        EXPECT_NEAR(tip.tipMovement[10], 2.0, 1e-7);
        EXPECT_NEAR(tip.tipMovement[2], 0.0001, 1e-10);
        // At 2.0 in: 500 x (2.0/1.2)^e, above Q: 1.136219 for e = 0.25.
        EXPECT_NEAR(tip.tipLoad[10], 500 * std::pow(2.0 / 1.2, c.exponent), 1e-4) << c.phiAt100;
        EXPECT_NEAR(tip.tipLoad[9], 500 * std::pow(1.0 / 1.2, c.exponent), 1e-4);
        EXPECT_DOUBLE_EQ(store->settlement.referenceMovement, 1.2);
    }
    EXPECT_NEAR(store->settlement.tipCurve.tipLoad[10], 568.1097, 1e-3);  // 500 x 1.1362194

    // No reference movement given: 0.05 x 24 = 1.2 in as well.
    store->grid.segments[61].layerCurveCode = 0;
    makeTipCurve((*store).settlementRun(), 500);
    EXPECT_NEAR(store->settlement.referenceMovement, 1.2, 1e-6);
    EXPECT_NEAR(store->settlement.tipCurve.tipLoad[10], 568.1097, 1e-3);
}

TEST_F(TzCurves, UsaceTipCurveInClayRisesWithTheRootOfTheMovementUpToQ) {
    p.options.loadTransferMethod = 2;
    p.pile.embeddedLength = 30;
    rows({{0, 1, 30, 0, 0}, {20, 1, 30, 0, 0}, {20, 2, 0, 0, 0}, {50, 2, 0, 0, 0}});
    makeTipCurve((*store).settlementRun(), 100);
    const TipCurve& tip = store->settlement.tipCurve;
    // c_t = 0.5 x 100 / sqrt(2 x 24 x 0.005) = 102.0621: at 0.01 in
    // 10.20621, at 0.5 in 72.16878, from 1.0 in on Q = 100.
    EXPECT_NEAR(tip.tipLoad[4], 10.20621, 1e-4);
    EXPECT_NEAR(tip.tipLoad[8], 72.16878, 1e-4);
    EXPECT_NEAR(tip.tipLoad[9], 100, 1e-9);
    EXPECT_NEAR(tip.tipLoad[10], 100, 1e-9);

    // SI: the fixed tip movements are divided by 39.79; the tip scale
    // factors then multiply loads by 2 and movements by 0.5.
    p.unitSystem = 2;
    p.pile.outsideDiameter = 0.6096;
    p.options.tipCurveScaleOption = 1;
    p.options.tipCurveScaleA = 2;
    p.options.tipCurveScaleB = 0.5;
    makeTipCurve((*store).settlementRun(), 100);
    EXPECT_NEAR(tip.tipMovement[10], 2.0 / 39.79 * 0.5, 1e-8);
    EXPECT_NEAR(tip.tipLoad[10], 200, 1e-9);
    EXPECT_EQ(tip.tipLoad[1], 0);
}

TEST_F(TzCurves, CurveEvaluationInterpolatesAndHoldsTheLastPoint) {
    TzCurve t = curve(10);
    makeClayTzCurve(p, t, 0.75);
    struct Case {
        double w, expected;
    };
    // Points (0.0384, 3), (0.0744, 5): at 0.0564, 4. At 0.24 exactly, 10.
    // Past 4.8 in the residual 7.5 holds; at or below 0, nothing.
    for (const Case c : {Case{-0.5, 0}, Case{0, 0}, Case{0.0192, 1.5}, Case{0.0564, 4}, Case{0.24, 10},
                         Case{0.36, 8.75}, Case{4.8, 7.5}, Case{100, 7.5}})
        EXPECT_NEAR(evaluateTzCurve(t, c.w), c.expected, 1e-5) << c.w;
}

TEST_F(TzCurves, SoilLookupsLetTheLowerLayerWinAtItsTopAndTheUpperLayerGiveTheCode) {
    // SAND 0-20 ft over CLAY 20-40 ft, as pairs of top and bottom rows.
    rows({{0, 1, 30, 0.1, 0.2}, {20, 1, 34, 0.2, 0.4}, {20, 2, 0, 0.5, 0.8}, {40, 2, 0, 0.7, 0.6}});
    struct Case {
        double depthInches;
        double peak, residual, phi;
        int32_t code;
    };
    const Case cases[] = {
        {-12, 0.1, 0.2, 30, 1},                           // above ground: row 1
        {0, 0.1, 0.2, 30, 1},   {120, 0.15, 0.3, 32, 1},  // 10 ft, halfway down the sand
        {240, 0.5, 0.8, 0, 1},                            // boundary: the clay's columns, the sand's code
        {360, 0.6, 0.7, 0, 2},                            // 30 ft
        {480, 0.7, 0.6, 0, 2},                            // last row
        {600, 0.7, 0.6, 0, 2},                            // below the table: last row
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(peakMovementAt(p, c.depthInches), c.peak, 1e-12) << c.depthInches;
        EXPECT_NEAR(residualFactorAt(p, c.depthInches), c.residual, 1e-12) << c.depthInches;
        EXPECT_NEAR(frictionAngleAt(p, c.depthInches), c.phi, 1e-12) << c.depthInches;
        EXPECT_EQ(soilTypeAt(p, c.depthInches), c.code) << c.depthInches;
    }
    // SI depths are compared as they are (metres).
    p.unitSystem = 2;
    EXPECT_NEAR(peakMovementAt(p, 10), 0.15, 1e-12);
    EXPECT_EQ(soilTypeAt(p, 30), 2);
}

TEST_F(TzCurves, SoilLookupsReadLayersOfTwoRowsAcrossGapsAndOddRows) {
    // SAND 1.5-10 ft, a gap, then CLAY 12-40 ft; a fifth row at 50 ft that
    // belongs to no whole layer. Columns: phi, peak movement, residual.
    rows({{1.5, 1, 30, 0.2, 0.1},
          {10, 1, 34, 0.3, 0.2},
          {12, 2, 0, 0.4, 0.5},
          {40, 2, 0, 0.6, 0.7},
          {50, 3, 36, 0.8, 0.9}});
    // 11 ft, in the gap: the clay layer's line extended upward,
    // 0.4 + 0.2 x (11 - 12) / 28 = 0.392857; the clay's code (its bottom row
    // is the first bottom at or below 11 ft).
    EXPECT_NEAR(peakMovementAt(p, 132), 0.4 + 0.2 * (11.0 - 12.0) / 28.0, 1e-12);
    EXPECT_EQ(soilTypeAt(p, 132), 2);
    // 1 ft, above the first row: the sand layer's line extended upward,
    // 30 + 4 x (1 - 1.5) / 8.5.
    EXPECT_NEAR(frictionAngleAt(p, 12), 30 + 4 * (1.0 - 1.5) / 8.5, 1e-12);
    EXPECT_EQ(soilTypeAt(p, 12), 1);
    // 10 ft, the sand's bottom row: it is not below the sand's bottom, so
    // the clay layer's line gives the value, 0.5 + 0.2 x (10 - 12) / 28; the
    // code is the sand's, whose bottom reaches 10 ft.
    EXPECT_NEAR(residualFactorAt(p, 120), 0.5 + 0.2 * (10.0 - 12.0) / 28.0, 1e-12);
    EXPECT_EQ(soilTypeAt(p, 120), 1);
    // 45 ft lies in no whole layer: no value and no code.
    EXPECT_EQ(peakMovementAt(p, 540), 0);
    EXPECT_EQ(soilTypeAt(p, 540), 0);
    // At and below the last row: the last row.
    EXPECT_NEAR(peakMovementAt(p, 600), 0.8, 1e-12);
    EXPECT_EQ(soilTypeAt(p, 600), 3);
    // A code no soil could have, and a depth that is not a number: no code.
    p.layers[5].soilType = 1.0e20;
    EXPECT_EQ(soilTypeAt(p, 900), 0);
    EXPECT_EQ(soilTypeAt(p, std::nan("")), 0);
    EXPECT_EQ(peakMovementAt(p, std::nan("")), 0);
    // A layer of no thickness gives its top row, not a division by zero.
    rows({{0, 1, 30, 0.1, 0.2},
          {20, 1, 30, 0.1, 0.2},
          {30, 2, 0, 0.5, 0.6},
          {30, 2, 0, 0.9, 0.6},
          {40, 2, 0, 0.7, 0.6},
          {70, 2, 0, 0.7, 0.6}});
    EXPECT_NEAR(peakMovementAt(p, 300), 0.5, 1e-12);
    // No rows at all: nothing.
    p.layerCount = 0;
    EXPECT_EQ(soilTypeAt(p, 240), 0);
    EXPECT_EQ(peakMovementAt(p, 240), 0);
}

TEST_F(TzCurves, SideFrictionIsInterpolatedBetweenNodesAndTurnedIntoPsi) {
    store->grid.nodeCount = 4;
    store->grid.verticalIncrement = 1;
    const double f[] = {0, 1.2, 2.4, 3.6};  // ksf at 0, 1, 2, 3 ft
    for (size_t j = 1; j <= 4; ++j) store->settlement.nodeSideFriction[j] = f[j - 1];
    struct Case {
        double depthInches, psi;
    };
    // ksf x 1000 / 144: 1.8 ksf at 1.5 ft = 12.5 psi; 2.4 ksf = 16.6667;
    // 3.6 ksf = 25 at the tip and below it.
    for (const Case c :
         {Case{-6, 0}, Case{0, 0}, Case{18, 12.5}, Case{24, 16.666667}, Case{36, 25}, Case{120, 25}, Case{6, 4.166667}})
        EXPECT_NEAR(sideFrictionAt((*store).settlementRun(), c.depthInches), c.psi, 1e-5) << c.depthInches;

    // SI: kPa as handed over; battered spacing 0.5 m.
    p.unitSystem = 2;
    store->grid.verticalIncrement = 0.5;
    EXPECT_NEAR(sideFrictionAt((*store).settlementRun(), 0.75), 1.8, 1e-12);
    EXPECT_NEAR(sideFrictionAt((*store).settlementRun(), 1.0), 2.4, 1e-12);

    // A single node: its value at every depth.
    store->grid.nodeCount = 1;
    store->settlement.nodeSideFriction[1] = 5;
    EXPECT_NEAR(sideFrictionAt((*store).settlementRun(), 3), 5, 1e-12);
    store->grid.nodeCount = 0;
    EXPECT_EQ(sideFrictionAt((*store).settlementRun(), 3), 0);
    store->grid.nodeCount = 4;
    EXPECT_EQ(sideFrictionAt((*store).settlementRun(), std::nan("")), 0);
}

TEST_F(TzCurves, BuildTzCurveChoosesTheGeneratorByTheSoilCode) {
    rows({{0, 2, 0, 0, 0.5}, {40, 2, 0, 0, 0.5}});
    TzCurve clay;
    buildTzCurve((*store).settlementRun(), clay, 120, 2, 10);
    EXPECT_EQ(clay.pointCount, 10);
    EXPECT_EQ(clay.curveSoilType, 2);
    EXPECT_NEAR(clay.loadTransfer[10], 5, 1e-6);  // residual 0.5 x 10 psi
    TzCurve other;
    buildTzCurve((*store).settlementRun(), other, 120, 3, 10);
    EXPECT_NEAR(other.loadTransfer[10], 10, 1e-6);
}

}  // namespace
}  // namespace tovek
