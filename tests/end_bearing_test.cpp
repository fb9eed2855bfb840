// Unit end bearing of the capacity methods and the cone resistance of a
// segment, on small hand-made grids (1 ft segments unless said otherwise).
#include <gtest/gtest.h>

#include <cmath>

#include "capacity/end_bearing.h"
#include "capacity_test_grid.h"

namespace tovek {
namespace {

using test::CapacityGrid;

constexpr double kTol = 1e-4;

// --- cone resistance -------------------------------------------------------

TEST(ConeResistance, StoredValueThenCptProfileThenBlowCount) {
    CapacityGrid g(30);
    ProblemData& p = g.problem();
    // A stored cone resistance in psf is used in ksf.
    g.segment(3).coneTipResistance = 150000.0;
    // Otherwise the CPT profile (0, 10, 20 ft: 100, 200, 400 ksf) at the
    // pile length of the node at the segment top.
    p.cptPointCount = 3;
    p.cptDepth[1] = 0.0;
    p.cptDepth[2] = 10.0;
    p.cptDepth[3] = 20.0;
    p.cptTipResistance[1] = 100000.0;
    p.cptTipResistance[2] = 200000.0;
    p.cptTipResistance[3] = 400000.0;
    g.segment(16).blowCount = 30;  // not used while a profile is present

    EXPECT_NEAR(coneResistanceAt(g.store(), 3), 150.0, 1e-9);
    EXPECT_NEAR(coneResistanceAt(g.store(), 1), 100.0, 1e-9);   // node 1 at 0 ft
    EXPECT_NEAR(coneResistanceAt(g.store(), 16), 300.0, 1e-9);  // 15 ft: 200 + 200 x 5 / 10
    EXPECT_NEAR(coneResistanceAt(g.store(), 25), 400.0, 1e-9);  // 24 ft, below the profile

    // Without a profile: 2.8 x 2.1168 x 20 = 118.5408 ksf.
    p.cptPointCount = 0;
    g.segment(5).blowCount = 20;
    EXPECT_NEAR(coneResistanceAt(g.store(), 5), 118.5408, kTol);
}

TEST(ConeResistance, SiValuesStayInKpa) {
    CapacityGrid g(5, 1.0, 2);
    g.segment(2).coneTipResistance = 5000.0;
    g.segment(3).blowCount = 20;
    EXPECT_NEAR(coneResistanceAt(g.store(), 2), 5000.0, 1e-9);
    EXPECT_NEAR(coneResistanceAt(g.store(), 3), 5600.0, kTol);  // 2.8 x 100 x 20
}

TEST(ConeResistance, TheBlowCountEstimateTakesItsFactorPerBlow) {
    // Only the estimate changes with the factor; stored and profile values
    // are the same for every caller.
    CapacityGrid g(5);
    ProblemData& p = g.problem();
    g.segment(2).coneTipResistance = 150000.0;
    g.segment(3).blowCount = 20;
    EXPECT_NEAR(coneResistanceAt(g.store(), 2, 5.0), 150.0, 1e-12);
    EXPECT_NEAR(coneResistanceAt(g.store(), 3, 5.0), 100.0, 1e-12);
    EXPECT_EQ(coneResistanceAt(g.store(), 3), coneResistanceAt(g.store(), 3, 2.8f * static_cast<double>(2.1168f)));
    p.cptPointCount = 1;
    p.cptDepth[1] = 0.0;
    p.cptTipResistance[1] = 80000.0;
    EXPECT_NEAR(coneResistanceAt(g.store(), 3, 5.0), 80.0, 1e-12);
}

TEST(CptResistance, ReadsTheProfileLikeAChart) {
    ProblemData p;
    EXPECT_EQ(cptResistanceAt(p, 5.0), 0.0);  // no points
    p.cptPointCount = 2;
    p.cptDepth[1] = 2.0;
    p.cptDepth[2] = 6.0;
    p.cptTipResistance[1] = 1000.0;
    p.cptTipResistance[2] = 3000.0;
    EXPECT_EQ(cptResistanceAt(p, 0.0), 1000.0);  // above the first depth
    EXPECT_EQ(cptResistanceAt(p, 2.0), 1000.0);
    EXPECT_EQ(cptResistanceAt(p, 5.0), 2500.0);  // 1000 + 2000 x 3 / 4
    EXPECT_EQ(cptResistanceAt(p, 9.0), 3000.0);  // below the last depth
}

// --- sand: FHWA -------------------------------------------------------------

TEST(FhwaEndBearing, StressIsCappedAt150Kpa) {
    CapacityGrid g(4);
    g.closedPile(12.0, 20.0);  // ratio 20 / (12 / 12) = 20: column 20
    for (int i = 1; i <= 4; ++i) {
        g.segment(i).soilType = 1;
        g.segment(i).frictionAngle = 40;  // alpha-t 0.75, N'q 160: Nq = 120
        g.segment(i).bearingCapacityFactor = 25;
    }
    g.stresses(1, 2.0, 4.0);
    g.stresses(2, 10.0, 20.0);
    g.stresses(3, 10.0, 20.0);
    g.segment(3).maxUnitBearing = 300.0;
    g.segment(4).frictionAngle = 32.5;  // 0.637 x 43 = 27.391, qL = 2 x 20 = 40 ksf
    g.stresses(4, 1.0, 3.0);
    computeUnitEndBearing(g.store(), kFhwa);

    EXPECT_NEAR(g.endBearingAt(kFhwa, 1), 240.0, kTol);      // 120 x 2.0
    EXPECT_NEAR(g.endBearingAt(kFhwa, 2), 375.93984, kTol);  // 120 x 3.1328320
    EXPECT_NEAR(g.endBearingAt(kFhwa, 3), 375.93984, kTol);  // deep sand: constant
    EXPECT_NEAR(g.endBearingAt(kFhwa, 4), 375.93984, kTol);
    EXPECT_NEAR(g.endBearingAt(kFhwa, 5), 300.0, kTol);   // the layer's limit
    EXPECT_NEAR(g.endBearingAt(kFhwa, 7), 27.391, kTol);  // 27.391 x 1.0
    EXPECT_NEAR(g.endBearingAt(kFhwa, 8), 40.0, kTol);    // 27.391 x 3.0 = 82.17 > qL
    // The FHWA factor is not kept in the segment.
    EXPECT_EQ(g.segment(1).bearingCapacityFactor, 25);
}

TEST(FhwaEndBearing, SiCapIs150KpaAndLimitIsConverted) {
    CapacityGrid g(1, 1.0, 2);
    g.closedPile(1000.0, 20.0);  // ratio 20
    g.segment(1).soilType = 1;
    g.segment(1).frictionAngle = 40;
    g.segment(1).bearingCapacityFactor = 25;
    g.stresses(1, 100.0, 200.0);
    computeUnitEndBearing(g.store(), kFhwa);
    // qL = 2 x 208.8 x 47.88 = 19994.69 kPa stays above 120 x 150 = 18000.
    EXPECT_NEAR(g.endBearingAt(kFhwa, 1), 12000.0, kTol);
    EXPECT_NEAR(g.endBearingAt(kFhwa, 2), 18000.0, kTol);
}

// --- sand: Army Corps ---------------------------------------------------------

// 30 sand segments; stresses 0.1 ksf per ft; the critical-depth stress is
// the stress down to `criticalDepth` and the stress there below it.
CapacityGrid usaceGrid(double phi, double criticalDepth) {
    CapacityGrid g(30);
    g.closedPile(12.0, 25.0);  // D = 1 ft: D10 = 11, D15 = 16, D20 = 21 ft
    for (int i = 1; i <= 30; ++i) {
        g.segment(i).soilType = 1;
        g.segment(i).frictionAngle = phi;
        g.segment(i).bearingCapacityFactor = 30;
        g.stresses(i, 0.1 * (i - 1), 0.1 * i);
        g.store().grid.criticalDepthStress[static_cast<size_t>(2 * i)] = std::min(0.1 * i, 0.1 * criticalDepth);
    }
    return g;
}

TEST(UsaceEndBearing, LooseSandStaysAtTheCriticalDepthStress) {
    CapacityGrid g = usaceGrid(30, 10);  // Nq(30) = 23
    computeUnitEndBearing(g.store(), kUsace);
    EXPECT_NEAR(g.endBearingAt(kUsace, 1), 0.0, kTol);
    EXPECT_NEAR(g.endBearingAt(kUsace, 2), 2.3, kTol);  // 23 x 0.1
    // Segment 12 (node at 11 ft, not below D10 = 11): unlimited.
    EXPECT_NEAR(g.endBearingAt(kUsace, 23), 25.3, kTol);  // 23 x 1.1
    EXPECT_NEAR(g.endBearingAt(kUsace, 24), 27.6, kTol);  // 23 x 1.2
    // From segment 13 (node at 12 ft) on: 23 x 1.0, the stress at 10 ft.
    for (int k = 25; k <= 60; ++k) EXPECT_NEAR(g.endBearingAt(kUsace, k), 23.0, kTol) << k;
}

TEST(UsaceEndBearing, UserCriticalDepthReplacesTheClassDepths) {
    CapacityGrid g = usaceGrid(30, 5);
    g.options().criticalDepthOption = 2;
    g.options().criticalDepth = 5.0;
    computeUnitEndBearing(g.store(), kUsace);
    EXPECT_NEAR(g.endBearingAt(kUsace, 12), 13.8, kTol);  // segment 6, node at 5 ft: 23 x 0.6
    EXPECT_NEAR(g.endBearingAt(kUsace, 13), 11.5, kTol);  // segment 7: 23 x 0.5
    EXPECT_NEAR(g.endBearingAt(kUsace, 60), 11.5, kTol);
}

TEST(UsaceEndBearing, DenseSandLatchesBelowTwentyDiameters) {
    CapacityGrid g = usaceGrid(38, 20);  // Nq(38) = 68
    g.segment(30).maxUnitBearing = 100.0;
    g.segment(29).maxUnitBearing = 0.0005f;  // at or below 0.001: not applied
    computeUnitEndBearing(g.store(), kUsace);
    // Segment 18 (node at 17 ft, below D15 = 16): the medium class value was
    // never taken, so there is no cap yet.
    EXPECT_NEAR(g.endBearingAt(kUsace, 36), 122.4, kTol);  // 68 x 1.8
    EXPECT_NEAR(g.endBearingAt(kUsace, 44), 149.6, kTol);  // segment 22: 68 x 2.2
    EXPECT_NEAR(g.endBearingAt(kUsace, 45), 136.0, kTol);  // segment 23: 68 x 2.0
    EXPECT_NEAR(g.endBearingAt(kUsace, 58), 136.0, kTol);
    EXPECT_NEAR(g.endBearingAt(kUsace, 60), 100.0, kTol);  // the layer's limit
}

// --- sand: API and Revised Lambda --------------------------------------------

struct ApiLimitCase {
    int unitSystem;
    double nq;
    double limit;
};

TEST(ApiEndBearing, LimitFollowsTheBearingFactor) {
    const ApiLimitCase cases[] = {
        {1, 8, 40},   {1, 10, 50},   {1, 16, 80},   {1, 20, 100},  {1, 30, 150},  {1, 45, 225},   {1, 60, 250},
        {2, 8, 1900}, {2, 10, 2400}, {2, 16, 3850}, {2, 20, 4800}, {2, 30, 7200}, {2, 45, 10800}, {2, 60, 12000},
    };
    // 2900 + 237.5 x 4 = 3850; 4800 + 4800 x 10 / 20 = 7200; 9600 + 2400 x 5 / 10 = 10800.
    for (const ApiLimitCase& c : cases) {
        for (int code : {kRevisedLambda, kApi}) {
            CapacityGrid g(1, 1.0, c.unitSystem);
            g.closedPile(12.0, 0.5);
            g.segment(1).soilType = 1;
            g.segment(1).frictionAngle = 30;
            g.segment(1).bearingCapacityFactor = c.nq;
            g.stresses(1, 0.5, 1.0e6);
            computeUnitEndBearing(g.store(), code);
            EXPECT_NEAR(g.endBearingAt(code, 1), c.nq * 0.5, kTol);
            EXPECT_NEAR(g.endBearingAt(code, 2), c.limit, kTol) << c.unitSystem << " " << c.nq;
        }
    }
}

TEST(ApiEndBearing, LayerLimitReplacesTheTable) {
    CapacityGrid g(1);
    g.closedPile(12.0, 0.5);
    g.segment(1).soilType = 1;
    g.segment(1).bearingCapacityFactor = 20;
    g.segment(1).maxUnitBearing = 70;
    g.stresses(1, 2.0, 10.0);
    computeUnitEndBearing(g.store(), kApi);
    EXPECT_NEAR(g.endBearingAt(kApi, 1), 40.0, kTol);
    EXPECT_NEAR(g.endBearingAt(kApi, 2), 70.0, kTol);
}

TEST(SandEndBearing, ZeroBearingFactorBecomesTheApiValueForLaterMethods) {
    CapacityGrid g(1);
    g.closedPile(12.0, 20.0);
    g.segment(1).soilType = 1;
    g.segment(1).frictionAngle = 35;  // delta 30: Nq 40
    g.stresses(1, 1.0, 2.0);
    computeUnitEndBearing(g.store(), kFhwa);
    EXPECT_EQ(g.segment(1).bearingCapacityFactor, 40.0);
    for (int code : {kRevisedLambda, kApi}) {
        computeUnitEndBearing(g.store(), code);
        EXPECT_NEAR(g.endBearingAt(code, 1), 40.0, kTol);
        EXPECT_NEAR(g.endBearingAt(code, 2), 80.0, kTol);
    }
}

TEST(SandEndBearing, SiltTakesTheSandRules) {
    CapacityGrid g(1);
    g.closedPile(12.0, 0.5);
    g.segment(1).soilType = 3;
    g.segment(1).bearingCapacityFactor = 20;
    g.segment(1).undrainedShearStrength = 1.0;
    g.stresses(1, 1.0, 2.0);
    computeUnitEndBearing(g.store(), kApi);
    EXPECT_NEAR(g.endBearingAt(kApi, 1), 20.0, kTol);  // Nq x stress, not 9 x Su
    EXPECT_NEAR(g.endBearingAt(kApi, 2), 40.0, kTol);
}

// --- sand: cone-resistance methods --------------------------------------------

TEST(NgiEndBearing, RelativeDensityFromConeAndStress) {
    CapacityGrid g(4, 1.0, 2);
    g.closedPile(1000.0, 2.0);
    for (int i = 1; i <= 4; ++i) {
        g.segment(i).soilType = 1;
        g.segment(i).bearingCapacityFactor = 20;
        g.stresses(i, 100.0, 100.0);
    }
    // qc = 22 x sqrt(100 x 100) = 2200: Dr = 0.4 ln(1) = 0.
    g.segment(1).coneTipResistance = 2200.0;
    // qc = 2200 e = 5980.2200: Dr = 0.4.
    g.segment(2).coneTipResistance = 2200.0 * std::exp(1.0);
    // No stress at the top of segment 3: Dr unbounded, no bearing there.
    g.segment(3).coneTipResistance = 2200.0;
    g.stress(5) = 0.0;
    // No cone resistance at all in segment 4 (no CPT, no blow count): 0.
    computeUnitEndBearing(g.store(), kNgi);
    EXPECT_NEAR(g.endBearingAt(kNgi, 1), 1760.0, kTol);     // closed: 0.8 x 2200
    EXPECT_NEAR(g.endBearingAt(kNgi, 3), 4124.2897, 1e-3);  // 0.8 x 5980.22 / 1.16
    EXPECT_EQ(g.endBearingAt(kNgi, 5), 0.0);
    EXPECT_NEAR(g.endBearingAt(kNgi, 6), 1760.0, kTol);
    EXPECT_EQ(g.endBearingAt(kNgi, 7), 0.0);
    EXPECT_EQ(g.endBearingAt(kNgi, 8), 0.0);

    g.openPipe(1000.0, 900.0, 2.0);
    computeUnitEndBearing(g.store(), kNgi);
    EXPECT_NEAR(g.endBearingAt(kNgi, 1), 1540.0, kTol);     // open: 0.7 x 2200
    EXPECT_NEAR(g.endBearingAt(kNgi, 3), 2828.4824, 1e-3);  // 0.7 x 5980.22 / 1.48
    EXPECT_EQ(g.endBearingAt(kNgi, 4), g.endBearingAt(kNgi, 3));
}

struct IcpCase {
    double outside;
    double inside;
    int plugOption;
    double factor;  // q / qc
};

TEST(IcpEndBearing, DiameterRuleAndFloors) {
    const IcpCase cases[] = {
        // 24 in = 609.6 mm: L = log10(609.6 / 36) = 1.2287425.
        {24.0, 22.0, 0, 0.1928144},  // 0.5 - 0.25 L
        {24.0, 0.0, 0, 0.3856288},   // 1 - 0.5 L
        {24.0, 22.0, 2, 1.0},        // unplugged: q = qc
        // 48 in = 1219.2 mm > 900: L = 1.5297724.
        {48.0, 44.0, 0, 0.15},  // 0.1175569 raised to 0.15
        {48.0, 0.0, 0, 0.3},    // 0.2351138 raised to 0.3
    };
    for (const IcpCase& c : cases) {
        CapacityGrid g(1);
        g.openPipe(c.outside, c.inside, 0.5);
        g.options().plugOption = c.plugOption;
        g.segment(1).soilType = 1;
        g.segment(1).bearingCapacityFactor = 20;
        g.segment(1).coneTipResistance = 100000.0;  // 100 ksf
        g.stresses(1, 1.0, 2.0);
        computeUnitEndBearing(g.store(), kIcp);
        EXPECT_NEAR(g.endBearingAt(kIcp, 1), 100.0 * c.factor, 1e-4) << c.outside << " " << c.inside;
        EXPECT_NEAR(g.endBearingAt(kIcp, 2), 100.0 * c.factor, 1e-4);
    }
}

TEST(FugroAndUwaEndBearing, AreaRatioRules) {
    CapacityGrid g(1, 1.0, 2);
    g.segment(1).soilType = 1;
    g.segment(1).bearingCapacityFactor = 20;
    g.segment(1).coneTipResistance = 10000.0;
    g.stresses(1, 50.0, 60.0);

    // Fugro: 8.5 x 100 x sqrt(10000 / 100) = 8500 on a closed tip; an end
    // section with (Di / D)^2 = 0.9375 keeps (0.0625)^0.25 = 0.5 of it.
    g.closedPile(1000.0, 2.0);
    computeUnitEndBearing(g.store(), kFugro);
    EXPECT_NEAR(g.endBearingAt(kFugro, 1), 8500.0, 1e-3);
    g.openPipe(1000.0, std::sqrt(0.9375) * 1000.0, 2.0);
    computeUnitEndBearing(g.store(), kFugro);
    EXPECT_NEAR(g.endBearingAt(kFugro, 2), 4250.0, 1e-3);

    // UWA, 1000 mm pipe with a 960 mm end section: FFR = (0.96 / 1.5)^0.2 =
    // 0.9146101, Arb = 1 - 0.9146101 x 0.9216 = 0.1570953, q = qc (0.15 +
    // 0.45 x 0.1570953) = 0.2206929 qc.
    g.openPipe(1000.0, 960.0, 2.0);
    computeUnitEndBearing(g.store(), kUwa);
    EXPECT_NEAR(g.endBearingAt(kUwa, 1), 2206.929, 1e-2);
    g.options().plugOption = 1;  // plugged: at least 0.3 qc
    computeUnitEndBearing(g.store(), kUwa);
    EXPECT_NEAR(g.endBearingAt(kUwa, 1), 3000.0, 1e-3);
    g.options().plugOption = 0;
    g.closedPile(1000.0, 2.0);  // FFR 0, Arb 1: 0.6 qc
    computeUnitEndBearing(g.store(), kUwa);
    EXPECT_NEAR(g.endBearingAt(kUwa, 2), 6000.0, 1e-3);
}

// --- clay --------------------------------------------------------------------

struct ClayCase {
    double inside;  // end section inside diameter, 0 closed
    int plugOption;
    int clayDrainage;
    double expected;  // ksf, qc = 100 ksf, Su = 0.5 ksf
};

TEST(ClayEndBearing, ConeRulesOfTheOffshoreMethods) {
    const ClayCase cases[] = {
        {0.0, 0, 1, 130.0},   // closed, drained: 1.3 qc
        {0.0, 0, 0, 80.0},    // closed, undrained: 0.8 qc
        {22.0, 1, 1, 65.0},   // plugged, drained: 0.65 qc
        {22.0, 1, 0, 40.0},   // plugged, undrained: 0.4 qc
        {22.0, 2, 1, 160.0},  // unplugged, drained: 1.6 qc
        {22.0, 2, 0, 100.0},  // unplugged, undrained: qc
        {22.0, 0, 1, 4.5},    // plug computed: 9 Su stays
        {0.0, 0, 5, 4.5},     // no drainage code of the list: 9 Su stays
    };
    for (int code : {kIcp, kFugro, kUwa}) {
        for (const ClayCase& c : cases) {
            CapacityGrid g(1);
            g.openPipe(24.0, c.inside, 0.5);
            g.options().plugOption = c.plugOption;
            g.options().clayDrainage = c.clayDrainage;
            g.segment(1).soilType = 2;
            g.segment(1).undrainedShearStrength = 0.5;
            g.segment(1).coneTipResistance = 100000.0;
            computeUnitEndBearing(g.store(), code);
            EXPECT_NEAR(g.endBearingAt(code, 1), c.expected, kTol) << code << " " << c.inside << " " << c.plugOption;
            EXPECT_NEAR(g.endBearingAt(code, 2), c.expected, kTol);
        }
    }
}

TEST(ClayEndBearing, NineTimesStrengthWithTheLayerLimit) {
    CapacityGrid g(2);
    g.openPipe(24.0, 22.0, 1.0);
    for (int i = 1; i <= 2; ++i) {
        g.segment(i).soilType = 2;
        g.segment(i).undrainedShearStrength = 0.5;
        g.segment(i).coneTipResistance = 100000.0;
    }
    g.segment(2).maxUnitBearing = 3.0;
    for (int code : {kFhwa, kUsace, kRevisedLambda, kApi, kNgi, kUserMethod}) {
        computeUnitEndBearing(g.store(), code);
        EXPECT_NEAR(g.endBearingAt(code, 1), 4.5, kTol) << code;
        EXPECT_NEAR(g.endBearingAt(code, 4), 3.0, kTol) << code;
    }
}

TEST(UserMethodEndBearing, SandUsesTheUsersOwnUnitEndBearing) {
    CapacityGrid g(2);
    g.openPipe(24.0, 22.0, 1.0);
    g.segment(1).soilType = 1;
    g.segment(1).userUnitEndBearing = 35.0;
    g.segment(1).maxUnitBearing = 10.0;  // no limit on the user's values
    g.segment(2).soilType = 2;
    g.segment(2).undrainedShearStrength = 1.0;
    computeUnitEndBearing(g.store(), kUserMethod);
    EXPECT_EQ(g.endBearingAt(kUserMethod, 1), 35.0);
    EXPECT_EQ(g.endBearingAt(kUserMethod, 2), 35.0);
    EXPECT_NEAR(g.endBearingAt(kUserMethod, 3), 9.0, kTol);
}

}  // namespace
}  // namespace tovek
