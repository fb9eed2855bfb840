// Capacity against penetration on small hand-made grids: averaging of the
// plugged tip, its limit, the plug decision of open-ended piles, the friction
// inside the pile and the self weight in tension.
//
// Pile areas in English units use pi/4 = 0.7853975 and pi/2 = 1.570795:
//   12 in closed pile: A = 0.7853975 ft2
//   24 in pipe: A = 3.14159 ft2; wall of a 22 in bore A_r = 0.7853975 x 92 / 144 = 0.5017818 ft2
//   inside perimeter of a 22 in bore per ksf of friction on both ends of a
//   1 ft segment: 1.570795 x 22 / 12 = 2.8797909 (kips per ksf of f_t + f_b)
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "capacity/integrator.h"
#include "capacity_test_grid.h"

namespace tovek {
namespace {

using test::CapacityGrid;

constexpr double kTol = 1e-5;
constexpr double kArea12 = 0.7853975;  // ft2

// Clay segments from..to with undrained strength su: unit end bearing 9 su.
void clay(CapacityGrid& g, int from, int to, double su) {
    for (int i = from; i <= to; ++i) {
        g.segment(i).soilType = 2;
        g.segment(i).undrainedShearStrength = su;
        g.segment(i).remoldedShearStrength = su;
        g.stresses(i, 1.0, 1.0);
    }
}

void setAveraging(CapacityGrid& g, int option) {
    g.options().tipAveraging = option;
    g.options().tipAveragingDiameters = option == 0 ? 0.0 : (option == 2 ? 3.0 : 1.5);
}

void integrate(CapacityGrid& g, int code) { integrateCapacity(g.store(), code); }

TEST(IntegrateCapacity, PileShorterThanOneIncrementHasOneNode) {
    // Clay with Su = 1 ksf: 9 ksf x 0.7853975 = 7.0685775 kips at every boundary.
    struct Case {
        int averaging;
        double expected;
    };
    const Case cases[] = {
        {0, 0.0},
        {1, 3.5342888},  // window -1.5..1.5 ft: 7.0685775 x 1.5 / 3 (above ground counts 0)
        {2, 3.5342888},  // window -3..3 ft: 7.0685775 x 3 / 6
    };
    for (const Case& c : cases) {
        CapacityGrid g(5);
        g.closedPile(12.0, 0.5);
        g.nodes(1);
        clay(g, 1, 5, 1.0);
        setAveraging(g, c.averaging);
        integrate(g, kApi);
        EXPECT_NEAR(g.capacity(kApi).endBearing[1], c.expected, kTol) << c.averaging;
        EXPECT_EQ(g.capacity(kApi).plugFlag[1], 1);
    }
}

TEST(IntegrateCapacity, AveragingSpreadsAJumpInUnitEndBearing) {
    // 9 ksf above 10 ft, 27 ksf below; a 12 in closed pile 14 ft long (15
    // nodes, node j at j - 1 ft). Expected unit values (ksf) times A.
    struct Case {
        int averaging;
        std::vector<std::pair<int, double>> nodeUnit;  // (depth, ksf)
    };
    const Case cases[] = {
        // The mean over the increment above the node.
        {0, {{0, 0.0}, {1, 9.0}, {10, 9.0}, {11, 27.0}, {14, 27.0}}},
        // 1.5 diameters: linear over 8.5..11.5 ft, e.g. at 9 ft the window
        // 7.5..10.5 holds (2.5 x 9 + 0.5 x 27) / 3 = 12.
        {1, {{8, 9.0}, {9, 12.0}, {10, 18.0}, {11, 24.0}, {12, 27.0}}},
        // 3 diameters: linear over 7..13 ft, e.g. at 8 ft the window 5..11
        // holds (5 x 9 + 1 x 27) / 6 = 12, at 9 ft (4 x 9 + 2 x 27) / 6 = 15.
        {2, {{7, 9.0}, {8, 12.0}, {9, 15.0}, {10, 18.0}, {11, 21.0}, {12, 24.0}, {13, 27.0}}},
    };
    for (const Case& c : cases) {
        CapacityGrid g(20);
        g.closedPile(12.0, 14.0);
        g.nodes(15);
        clay(g, 1, 10, 1.0);
        clay(g, 11, 20, 3.0);
        setAveraging(g, c.averaging);
        integrate(g, kApi);
        for (const auto& [depth, unit] : c.nodeUnit)
            EXPECT_NEAR(g.capacity(kApi).endBearing[static_cast<size_t>(depth + 1)], unit * kArea12, kTol)
                << "averaging " << c.averaging << " at " << depth << " ft";
    }
}

TEST(IntegrateCapacity, AveragedBearingIsCutToTheAveragedLimit) {
    // The user method's bearing carries no limit of its own (100 ksf in
    // sand); the lower sand (from 10 ft) limits the tip to 60 ksf.
    CapacityGrid g(20);
    g.closedPile(12.0, 14.0);
    g.nodes(15);
    for (int i = 1; i <= 20; ++i) {
        g.segment(i).soilType = 1;
        g.segment(i).userUnitEndBearing = 100.0;
        if (i > 10) g.segment(i).maxUnitBearing = 60.0;
    }
    setAveraging(g, 1);
    integrate(g, kUserMethod);
    const auto& eb = g.capacity(kUserMethod).endBearing;
    // At 11 ft the window 9.5..12.5 still reaches 0.5 ft of unlimited soil.
    EXPECT_NEAR(eb[11], 100.0 * kArea12, kTol);
    EXPECT_NEAR(eb[12], 100.0 * kArea12, kTol);
    // From 12 ft the whole window lies in the limited sand: 60 x 0.7853975.
    EXPECT_NEAR(eb[13], 47.12385, kTol);
    EXPECT_NEAR(eb[15], 47.12385, kTol);

    setAveraging(g, 0);
    integrate(g, kUserMethod);
    EXPECT_NEAR(eb[11], 100.0 * kArea12, kTol);  // increment 9..10 ft
    EXPECT_NEAR(eb[12], 47.12385, kTol);         // increment 10..11 ft
}

TEST(IntegrateCapacity, WindowBelowTheSegmentTableUsesTheLastBottomValue) {
    // Five 1 ft segments: clay at 9 ksf, then API sand with Nq 20 between
    // stresses 1 and 2 ksf: 20 ksf at 4 ft rising to 40 ksf at 5 ft, the
    // bottom of the table. A 4 ft pile with a 3 diameter window reaches 2 ft
    // below the table at its tip; there the bottom value 40 ksf holds.
    CapacityGrid g(5);
    g.closedPile(12.0, 4.0);
    g.nodes(5);
    clay(g, 1, 4, 1.0);
    g.segment(5).soilType = 1;
    g.segment(5).bearingCapacityFactor = 20;
    g.stresses(5, 1.0, 2.0);
    setAveraging(g, 2);
    integrate(g, kApi);
    // 3 ft: window 0..6: (4 x 9 + 1 x 30 + 1 x 40) / 6 = 17.666667 ksf.
    EXPECT_NEAR(g.capacity(kApi).endBearing[4], 17.666667 * kArea12, kTol);
    // 4 ft: window 1..7: (3 x 9 + 1 x 30 + 2 x 40) / 6 = 22.833333 ksf.
    EXPECT_NEAR(g.capacity(kApi).endBearing[5], 22.833333 * kArea12, kTol);
}

// Open 24 in pipe (22 in bore) 30 ft long: soft clay to 10 ft over dense
// sand to 40 ft, API rules, no averaging.
//   clay: Su = Sr = 0.25 ksf at a stress of 1.0 ksf: alpha 1, inside friction
//         0.25 ksf, unit end bearing 9 x 0.25 = 2.25 ksf;
//   sand: inside friction held by maxUnitFriction at 1.0 ksf, end bearing
//         Nq 40 held by maxUnitBearing at 40 ksf.
// Per node (j - 1 ft):
//   plugged tip P: clay 2.25 x 3.14159 = 7.0685775, sand 40 x 3.14159 = 125.66360
//   wall Wn:       clay 2.25 x 0.5017818 = 1.1290090, sand 40 x 0.5017818 = 20.071270
//   dF:            clay 2.8797909 x 0.5 = 1.4398955, sand 2.8797909 x 2 = 5.7595819
CapacityGrid clayOverSand() {
    CapacityGrid g(40);
    g.openPipe(24.0, 22.0, 30.0);
    g.nodes(31);
    setAveraging(g, 0);
    clay(g, 1, 10, 0.25);
    for (int i = 11; i <= 40; ++i) {
        SoilSegment& s = g.segment(i);
        s.soilType = 1;
        s.frictionAngle = 35;
        s.lateralEarthPressure = 1.0;
        s.bearingCapacityFactor = 40;
        s.maxUnitFriction = 1.0;
        s.maxUnitBearing = 40.0;
        g.stresses(i, 10.0, 10.0);
    }
    return g;
}

TEST(IntegrateCapacity, PlugDecisionInSoftClayOverDenseSand) {
    CapacityGrid g = clayOverSand();
    integrate(g, kApi);
    const CapacityProfile& c = g.capacity(kApi);

    // Node 1: no plugged tip yet (P = 0 < U = Wn): plugged.
    EXPECT_EQ(c.plugFlag[1], 1);
    EXPECT_NEAR(c.endBearing[1], 0.0, kTol);
    // Node 2: U = 1.4398955 + 1.1290090 = 2.5689045 < P: the soil plug slips.
    EXPECT_EQ(c.plugFlag[2], 2);
    EXPECT_NEAR(c.endBearing[2], 2.5689045, kTol);
    EXPECT_NEAR(c.plugLength[2], 1.0, kTol);
    // Node 5: U = 4 x 1.4398955 + 1.1290090 = 6.8885910 < 7.0685775.
    EXPECT_EQ(c.plugFlag[5], 2);
    EXPECT_NEAR(c.plugFriction[5], 5.7595819, kTol);
    // Node 6: U = 8.3284864 > P: plugged. Needed friction r = 7.0685775 -
    // 5.7595819 - 1.1290090 = 0.1799866 = 0.125 x 1.4398955: plug length 4.125.
    EXPECT_EQ(c.plugFlag[6], 1);
    EXPECT_NEAR(c.endBearing[6], 7.0685775, kTol);
    EXPECT_NEAR(c.plugFriction[6], 5.9395685, kTol);
    EXPECT_NEAR(c.plugLength[6], 4.125, kTol);
    // Nodes 7 to 11: r = 0, the plug length stops growing.
    for (int j = 7; j <= 11; ++j) {
        EXPECT_EQ(c.plugFlag[static_cast<size_t>(j)], 1) << j;
        EXPECT_NEAR(c.plugLength[static_cast<size_t>(j)], 4.125, kTol) << j;
    }
    // Node 12, first in sand: U = 5.9395685 + 5.7595819 + 20.071270 =
    // 31.770421 < 125.66360.
    EXPECT_EQ(c.plugFlag[12], 2);
    EXPECT_NEAR(c.endBearing[12], 31.770421, 1e-4);
    EXPECT_NEAR(c.plugLength[12], 5.125, kTol);
    // Node 28: U = 5.9395685 + 16 x 5.7595819 + 5.7595819 + 20.071270 =
    // 123.92373 < P, still slipping; plug length 4.125 + 17 = 21.125.
    EXPECT_EQ(c.plugFlag[28], 2);
    EXPECT_NEAR(c.plugLength[28], 21.125, kTol);
    // Node 29: U = 129.68331 > P: plugged; r = 125.66360 - 103.85246 -
    // 20.071270 = 1.7398735 = 0.3020833 x 5.7595819.
    EXPECT_EQ(c.plugFlag[29], 1);
    EXPECT_NEAR(c.endBearing[29], 125.66360, 1e-4);
    EXPECT_NEAR(c.plugLength[29], 21.427083, 1e-5);
    EXPECT_NEAR(c.plugFriction[29], 105.59233, 1e-4);
    for (int j = 30; j <= 31; ++j) {
        EXPECT_EQ(c.plugFlag[static_cast<size_t>(j)], 1);
        EXPECT_NEAR(c.plugLength[static_cast<size_t>(j)], 21.427083, 1e-5);
    }
}

TEST(IntegrateCapacity, PlugOptionsFixTheFlag) {
    {
        CapacityGrid g = clayOverSand();
        g.options().plugOption = 1;
        integrate(g, kApi);
        const CapacityProfile& c = g.capacity(kApi);
        for (int j = 1; j <= 31; ++j) EXPECT_EQ(c.plugFlag[static_cast<size_t>(j)], 1) << j;
        EXPECT_NEAR(c.endBearing[2], 7.0685775, kTol);  // P although U < P
        EXPECT_NEAR(c.endBearing[12], 125.66360, 1e-4);
    }
    {
        // Unplugged: no inside friction, the wall bears alone.
        CapacityGrid g = clayOverSand();
        g.options().plugOption = 2;
        integrate(g, kApi);
        const CapacityProfile& c = g.capacity(kApi);
        for (int j = 1; j <= 31; ++j) {
            const auto at = static_cast<size_t>(j);
            EXPECT_EQ(c.plugFlag[at], 2) << j;
            EXPECT_NEAR(c.endBearing[at], j <= 11 ? 1.1290090 : 20.071270, 1e-6) << j;
            EXPECT_EQ(c.plugFriction[at], 0.0);
            EXPECT_NEAR(c.plugLength[at], j - 1, kTol);
        }
    }
}

TEST(IntegrateCapacity, ClosedEndSectionSetsFlagOne) {
    // An open pipe with a closed end section (no bore over its last 2 ft):
    // the slipping soil plug still gives flag 1.
    CapacityGrid g = clayOverSand();
    g.pile().enhancedEndInsideDiameter = 0.0;
    g.pile().enhancedEndLength = 2.0;
    integrate(g, kApi);
    const CapacityProfile& c = g.capacity(kApi);
    // No bore in the end section: no inside friction, and the "wall" is the
    // whole section, so U = Wn = P = 7.0685775: the soil plug branch, flag 1.
    EXPECT_NEAR(c.endBearing[2], 7.0685775, kTol);
    EXPECT_EQ(c.plugFlag[2], 1);
    EXPECT_EQ(c.plugFriction[2], 0.0);
    EXPECT_EQ(c.plugFlag[12], 1);
}

TEST(IntegrateCapacity, IcpPluggedTipNeverBelowTheWallBearing) {
    // ICP sand with qc = 100 ksf on a 24 in pipe: unit end bearing
    // 0.1928144 x 100 = 19.28144 ksf, on the full area 60.57438 kips. The
    // wall takes the cone resistance: 100 x A_r.
    struct Case {
        double inside;
        double tip;  // kips
    };
    const Case cases[] = {
        {18.0, 137.44457},  // A_r = 0.7853975 x 252 / 144 = 1.3744457: the wall governs
        {22.0, 60.57438},   // A_r = 0.5017818: 50.17818 < 60.57438
    };
    for (const Case& c : cases) {
        CapacityGrid g(5);
        g.openPipe(24.0, c.inside, 3.0);
        g.nodes(4);
        setAveraging(g, 0);
        for (int i = 1; i <= 5; ++i) {
            g.segment(i).soilType = 1;
            g.segment(i).bearingCapacityFactor = 20;
            g.segment(i).coneTipResistance = 100000.0;
        }
        integrate(g, kIcp);
        for (int k = 1; k <= 10; ++k) EXPECT_NEAR(g.store().work.tipForce[static_cast<size_t>(k)], c.tip, 1e-4);
        EXPECT_NEAR(g.store().work.averagedTipForce[3], c.tip, 1e-4);
    }
}

TEST(IntegrateCapacity, ConeMethodsBearOnTheWallWithTheSoilBelow) {
    CapacityGrid g(3);
    g.openPipe(24.0, 22.0, 2.0);
    g.nodes(3);
    for (int i = 1; i <= 3; ++i) {
        g.segment(i).soilType = 1;
        g.segment(i).bearingCapacityFactor = 20;
        g.segment(i).coneTipResistance = 100000.0 * i;  // 100, 200, 300 ksf
    }
    integrate(g, kNgi);
    const auto& wall = g.store().work.annulusBearing;
    // Top of segment i: qc(i); bottom: qc(i + 1); the last bottom stays in
    // segment 3. Times A_r = 0.5017818.
    const double expected[] = {0, 50.17818, 100.35635, 100.35635, 150.53453, 150.53453, 150.53453};
    for (int k = 1; k <= 6; ++k) EXPECT_NEAR(wall[static_cast<size_t>(k)], expected[k], 1e-4) << k;
}

TEST(IntegrateCapacity, InsideFrictionRules) {
    // Segment 1 sand: phi 25 (delta 20, tan = 0.3639701), K 0.8, stresses 5
    // and 6: K s tan(delta) = 1.4558804 and 1.7470565; the API limit at
    // delta 20 is 1.4 ksf. Segment 2 clay: Su 8 at a stress of 2: psi = 4,
    // alpha = 0.5 / 4^0.25 = 0.3535534, on Sr = 0.6: 0.2121320.
    // The method's own friction (FHWA): 0.3/0.4 in sand, 0.7 at the clay top.
    struct Case {
        int code;
        double f[5];      // insideFriction(1..4)
        double force[5];  // insideFrictionForce(1..4)
    };
    const double sand3 = 2.8797909 * (1.4558804 + 1.7470565);  // 9.2237886
    const double clay3 = 2.8797909 * 2 * 0.2121320;            // 1.2217918
    const Case cases[] = {
        {kRevisedLambda,
         {0, 1.4558804, 1.7470565, 0.2121320, 0.2121320},
         {0, sand3, sand3, sand3 + clay3, sand3 + clay3}},
        {kUserMethod, {0, 1.4558804, 1.7470565, 0.2121320, 0.2121320}, {0, sand3, sand3, sand3 + clay3, sand3 + clay3}},
        {kApi,
         {0, 1.4, 1.4, 0.2121320, 0.2121320},
         {0, 8.0634145, 8.0634145, 8.0634145 + clay3, 8.0634145 + clay3}},  // 2.8797909 x 2.8
        {kFhwa,
         {0, 0.3, 0.4, 0.7, 0.7},
         {0, 2.0158536, 2.0158536, 6.0475609, 6.0475609}},  // 2.8797909 x 0.7, + 2.8797909 x 1.4
    };
    for (const Case& c : cases) {
        CapacityGrid g(2);
        g.openPipe(24.0, 22.0, 1.0);
        g.nodes(2);
        SoilSegment& sand = g.segment(1);
        sand.soilType = 1;
        sand.frictionAngle = 25;
        sand.lateralEarthPressure = 0.8;
        sand.bearingCapacityFactor = 20;
        g.stresses(1, 5.0, 6.0);
        SoilSegment& clayer = g.segment(2);
        clayer.soilType = 2;
        clayer.undrainedShearStrength = 8.0;
        clayer.remoldedShearStrength = 0.6;
        g.stresses(2, 6.0, 2.0);
        auto& own = g.store().method(kFhwa).transfer.unitSideFriction;
        own[1] = 0.3;
        own[2] = 0.4;
        own[3] = 0.7;
        own[4] = 0.9;  // not used: clay takes the top value for both ends
        integrate(g, c.code);
        const CapacityWork& w = g.store().work;
        for (int k = 1; k <= 4; ++k) {
            const auto at = static_cast<size_t>(k);
            EXPECT_NEAR(w.insideFriction[at], c.f[k], 1e-6) << c.code << " " << k;
            EXPECT_NEAR(w.insideFrictionForce[at], c.force[k], 1e-5) << c.code << " " << k;
        }
        EXPECT_EQ(w.insideFrictionForce[0], 0.0);
    }
}

TEST(IntegrateCapacity, InsideFrictionAlongABatteredPileAndStressClamp) {
    // Vertical segments of 0.9 ft for a length increment of 1 ft: the
    // inside friction acts over the length along the pile, 1 ft per segment.
    CapacityGrid g(2, 0.9);
    g.options().lengthIncrement = 1.0;
    g.openPipe(24.0, 22.0, 1.0);
    g.nodes(2);
    for (int i = 1; i <= 2; ++i) {
        g.segment(i).soilType = 2;
        g.segment(i).undrainedShearStrength = 0.25;
        g.segment(i).remoldedShearStrength = 0.25;
    }
    g.stresses(1, 1.0, 1.0);
    g.stresses(2, 1.0, 0.0);  // zero stress at the bottom of segment 2
    integrate(g, kRevisedLambda);
    // Segment 1: alpha 1: 2.8797909 x 0.5 = 1.4398955 per segment.
    EXPECT_NEAR(g.store().work.insideFrictionForce[2], 1.4398955, 1e-6);
    // Segment 2: the stress is clamped (and kept) at 1e-10: psi is huge and
    // alpha = 0.5 / psi^0.25 tiny, but finite.
    EXPECT_NEAR(g.stress(4), 1.0e-10, 1e-16);
    EXPECT_NEAR(g.store().work.insideFriction[4], 0.0, 1e-2);
    EXPECT_TRUE(std::isfinite(g.store().work.insideFrictionForce[4]));
}

// --- self weight in tension ----------------------------------------------------

// 24 in steel pipe, cross section 36 in2 = 0.25 ft2, 2 ft above ground;
// gp A_m = 0.49 x 0.25 = 0.1225 kips/ft, W0 = 0.245 kips.
CapacityGrid tensionPile(int tipClosure, double waterTable) {
    CapacityGrid g(12);
    g.openPipe(24.0, 22.0, 10.0);
    g.pile().tipClosure = tipClosure;
    g.pile().stickupLength = 2.0;
    g.pile().crossSectionArea = 36.0;
    g.nodes(11);
    g.options().loadingType = 1;
    g.problem().waterTableDepth = waterTable;
    clay(g, 1, 12, 0.5);
    return g;
}

TEST(IntegrateCapacity, SelfWeightAboveAndBelowTheWaterTable) {
    CapacityGrid g = tensionPile(0, 5.0);
    integrate(g, kApi);
    const auto& eb = g.capacity(kApi).endBearing;
    EXPECT_NEAR(eb[1], 0.245, kTol);   // stick-up only
    EXPECT_NEAR(eb[4], 0.6125, kTol);  // 0.1225 x 3 + 0.245
    EXPECT_NEAR(eb[6], 0.8575, kTol);  // 0.1225 x 5 + 0.245
    // 0.1225 x 5 + (0.49 - 0.0624) x 0.25 x 3 + 0.245 = 1.1782
    EXPECT_NEAR(eb[9], 1.1782, kTol);
}

TEST(IntegrateCapacity, ClosedPileIsBuoyedOverItsWholeSection) {
    // A_f = 3.14159 ft2: 0.1225 x 8 - 0.0624 x 3.14159 x 3 + 0.245 = 0.6368944.
    CapacityGrid g = tensionPile(1, 5.0);
    integrate(g, kApi);
    EXPECT_NEAR(g.capacity(kApi).endBearing[9], 0.6368944, kTol);
    EXPECT_EQ(g.capacity(kApi).plugFlag[9], 1);
}

TEST(IntegrateCapacity, ShallowWaterTableIsTakenAtOneTenth) {
    CapacityGrid open = tensionPile(0, 0.5);
    integrate(open, kApi);
    EXPECT_NEAR(open.problem().waterTableDepth, 0.1, 1e-8);
    // 0.1225 x 0.1 + 0.4276 x 0.25 x 2.9 + 0.245 = 0.56726
    EXPECT_NEAR(open.capacity(kApi).endBearing[4], 0.56726, kTol);

    // Closed: 0.1225 x 10 - 0.0624 x 3.14159 x 9.9 + 0.245 = -0.4707486,
    // buoyancy makes the weight negative.
    CapacityGrid closed = tensionPile(1, 0.5);
    integrate(closed, kApi);
    EXPECT_NEAR(closed.capacity(kApi).endBearing[11], -0.4707486, kTol);

    // A water table at 1.0 stays where it is.
    CapacityGrid deep = tensionPile(0, 1.0);
    integrate(deep, kApi);
    EXPECT_EQ(deep.problem().waterTableDepth, 1.0);
}

TEST(IntegrateCapacity, SelfWeightInSiUnits) {
    // 300 mm timber pile, area computed: 0.7853975 x 0.09 = 0.0706858 m2;
    // 7.8543506 x 0.0706858 x 2 + (7.8543506 - 9.8) x 0.0706858 x 3 = 0.6977925.
    CapacityGrid g(8, 1.0, 2);
    g.closedPile(300.0, 6.0);
    g.pile().tipClosure = 0;
    g.pile().pileType = 2;
    g.nodes(7);
    g.options().loadingType = 1;
    g.problem().waterTableDepth = 2.0;
    clay(g, 1, 8, 20.0);
    integrate(g, kUserMethod);
    EXPECT_NEAR(g.capacity(kUserMethod).endBearing[6], 0.6977925, 1e-6);
}

TEST(IntegrateCapacity, TensionWithoutInsideFrictionKeepsThePlugLength) {
    // NGI in clay without strength (no plugged tip, no inside friction) and
    // a cone resistance of 0.01 ksf under the wall: Wn = 0.01 x 0.5017818 =
    // 0.0050178 > P = 0, so the plugged branch runs with E = W. The self
    // weight asks for friction that the end section does not add (dF = 0):
    // the plug friction takes it, the plug length stays 0.
    CapacityGrid g = tensionPile(0, 99999.0);
    for (int i = 1; i <= 12; ++i) {
        g.segment(i).undrainedShearStrength = 0.0;
        g.segment(i).remoldedShearStrength = 0.0;
        g.segment(i).coneTipResistance = 10.0;
    }
    integrate(g, kNgi);
    const CapacityProfile& c = g.capacity(kNgi);
    // Node 2: W = 0.1225 + 0.245 = 0.3675; r = 0.3675 - 0.0050178 = 0.3624822.
    EXPECT_NEAR(c.endBearing[2], 0.3675, kTol);
    EXPECT_NEAR(c.plugFriction[2], 0.3624822, kTol);
    // Node 3: W = 0.49; r = 0.49 - 0.3624822 - 0.0050178 = 0.1225.
    EXPECT_NEAR(c.plugFriction[3], 0.4849822, kTol);
    for (int j = 1; j <= 11; ++j) {
        EXPECT_EQ(c.plugFlag[static_cast<size_t>(j)], 1) << j;
        EXPECT_EQ(c.plugLength[static_cast<size_t>(j)], 0.0) << j;
    }
}

TEST(IntegrateCapacity, CompressionIgnoresTheWaterTableForTheTip) {
    CapacityGrid g = tensionPile(1, 5.0);
    g.options().loadingType = 0;
    setAveraging(g, 0);
    integrate(g, kApi);
    // 9 x 0.5 = 4.5 ksf on 3.14159 ft2.
    EXPECT_NEAR(g.capacity(kApi).endBearing[9], 14.137155, 1e-5);
}

TEST(IntegrateCapacity, TaperedPileBearsOnItsTipDiameter) {
    // 24 in butt tapered 0.5 degrees over 10 ft: D = 2 - 10 x 2 x
    // tan(0.01745 x 0.5) = 2 - 0.1745044 = 1.8254956 ft, A = 0.7853975 x
    // 3.3324345 = 2.6172857 ft2; 4.5 ksf on it: 11.777785 kips.
    CapacityGrid g = tensionPile(1, 5.0);
    g.options().loadingType = 0;
    g.pile().stickupLength = 0.0;
    g.pile().taperAngle = 0.5;
    setAveraging(g, 0);
    integrate(g, kApi);
    EXPECT_NEAR(g.capacity(kApi).endBearing[9], 11.777785, 1e-5);
}

}  // namespace
}  // namespace tovek
