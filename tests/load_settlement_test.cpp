// The load-settlement stage: hand-over, node curves, the march from the tip,
// the report and plot blocks, and the verification listing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/run_store.h"
#include "input/input_error.h"
#include "settlement/load_settlement.h"
#include "settlement/tz_curves.h"
#include "support/test_support.h"

namespace tovek {
namespace {

constexpr double kPsiPerKsf = 1000.0 / 144.0;

// A store with the report and the plot data file captured.
struct Stage {
    std::unique_ptr<RunStore> store = std::make_unique<RunStore>();
    std::ostringstream report;
    std::ostringstream plot;
    Stage() {
        store->report.attach(&report);
        store->plot.attach(&plot);
        store->names.inputFileName = "pile.in";
    }
    std::vector<std::string> reportLines() const { return test::splitLines(report.str()); }
    std::vector<std::string> plotLines() const { return test::splitLines(plot.str()); }
};

// An English 24 in steel pipe pile (ID 23 in, 36.5 in2, 29.0E6 psi) in sand
// to 70 ft, length increment 1 ft, API as load-transfer method; the tip
// resistance Q (kips) at the tip node and the unit side friction f (ksf) at
// every node.
void englishPile(RunStore& store, double embedded, double stickup, double tipKips, double frictionKsf) {
    ProblemData& p = store.problem;
    p.unitSystem = 1;
    p.printIncrement = 1;
    p.layerCount = 2;
    p.layers[1].depth = 0;
    p.layers[1].soilType = 1;
    p.layers[1].frictionAngle = 32;
    p.layers[2].depth = 70;
    p.layers[2].soilType = 1;
    p.layers[2].frictionAngle = 32;
    p.pile.outsideDiameter = 24;
    p.pile.insideDiameter = 23;
    p.pile.elasticModulus = 29.0e6;
    p.pile.crossSectionArea = 36.5;
    p.pile.areaOption = 1;
    p.pile.stickupLength = stickup;
    p.pile.totalLength = embedded + stickup;
    p.pile.embeddedLength = embedded;
    p.options.loadTransferMethod = 4;
    p.options.lengthIncrement = 1;
    store.grid.verticalIncrement = 1;
    store.grid.segmentCount = 70;
    store.grid.nodeCount = static_cast<int32_t>(embedded / 1 + 0.000001) + 1;
    for (int32_t j = 1; j <= store.grid.nodeCount; ++j)
        store.settlement.nodeSideFriction[static_cast<size_t>(j)] = frictionKsf;
    store.settlement.nodeTipResistance[static_cast<size_t>(store.grid.nodeCount)] = tipKips;
}

void setMovements(RunStore& store, const std::vector<double>& list) {
    ProblemData& p = store.problem;
    p.options.movementListOption = 1;
    p.options.movementCount = static_cast<int32_t>(list.size());
    for (size_t i = 0; i < list.size(); ++i) p.options.movementList[i + 1] = list[i];
}

void expectLines(const std::vector<std::string>& got, const std::vector<std::string>& expected) {
    ASSERT_EQ(got.size(), expected.size());
    for (size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], expected[i]) << "line " << i + 1;
}

TEST(LoadSettlement, ReportAndPlotBlocksFollowTheLayoutsLineByLine) {
    // A CLAY layer 0-20 ft (one layer, three curves at 0.5 in, 10 ft and
    // 19.958 ft), a pile 2 ft long (3 nodes, 3 segments of 8 in), no shaft
    // friction, Q = 10 kips, the user movements 0.012, 0.024 and 10 in.
    Stage stage;
    RunStore& store = *stage.store;
    englishPile(store, 2, 0, 10, 0);
    store.problem.layers[1].soilType = 2;
    store.problem.layers[2].soilType = 2;
    store.problem.layers[2].depth = 20;
    setMovements(store, {0.012, 0.024, 10});
    {
        auto run = (store).settlementRun();
        runLoadSettlement(run);
    }
    // Curve movements: z_p = 0.24 in (no peak movement given) times 0.16,
    // 0.31, 0.57, 0.80, 1, 2, 3, 5, 20. Tip curve: Q = 10 kips, movements
    // 24 in x 0.0005 ... 0.2. Tip loads: 0.0625 Q = 0.625 kips at 0.012 in,
    // 1.25 at 0.024, Q beyond 4.8 in. AE = 36.5 x 29.0E6 = 1.0585E9 lb;
    // top movement = tip movement + P x 24 in / AE (0.012 + 1.417E-5).
    // Segment rows: mid-points 20, 12, 4 in from the head (1.667, 1.0,
    // 0.333 ft); mid movement = w_b + P x 8 / (2 AE).
    expectLines(stage.reportLines(), {
                                         "",
                                         "",
                                         "            NOTES:",
                                         "            - AN ASTERISK IS PLACED IN THE END-BEARING COLUMN",
                                         "              IF THE TIP RESISTANCE IS CONTROLLED BY THE FRICTION",
                                         "              OF SOIL PLUG INSIDE AN OPEN-ENDED PIPE PILE.",
                                         "",
                                         "",
                                         "",
                                         "                *************************************************",
                                         "                * COMPUTE LOAD-DISTRIBUTION AND LOAD-SETTLEMENT *",
                                         "                * CURVES FOR AXIAL LOADING                      *",
                                         "                *************************************************",
                                         "",
                                         "",
                                         "        T-Z CURVE   NO. OF   DEPTH TO CURVE   LOAD TRANSFER   PILE MOVEMENT",
                                         "           NO.      POINTS        FT.              PSI             IN.",
                                         "",
                                         "            1         10      0.4167E-01",
                                         "                                               0.0000E+00      0.0000E+00",
                                         "                                               0.0000E+00      0.3840E-01",
                                         "                                               0.0000E+00      0.7440E-01",
                                         "                                               0.0000E+00      0.1368E+00",
                                         "                                               0.0000E+00      0.1920E+00",
                                         "                                               0.0000E+00      0.2400E+00",
                                         "                                               0.0000E+00      0.4800E+00",
                                         "                                               0.0000E+00      0.7200E+00",
                                         "                                               0.0000E+00      0.1200E+01",
                                         "                                               0.0000E+00      0.4800E+01",
                                         "            2         10      0.1000E+02",
                                         "                                               0.0000E+00      0.0000E+00",
                                         "                                               0.0000E+00      0.3840E-01",
                                         "                                               0.0000E+00      0.7440E-01",
                                         "                                               0.0000E+00      0.1368E+00",
                                         "                                               0.0000E+00      0.1920E+00",
                                         "                                               0.0000E+00      0.2400E+00",
                                         "                                               0.0000E+00      0.4800E+00",
                                         "                                               0.0000E+00      0.7200E+00",
                                         "                                               0.0000E+00      0.1200E+01",
                                         "                                               0.0000E+00      0.4800E+01",
                                         "            3         10      0.1996E+02",
                                         "                                               0.0000E+00      0.0000E+00",
                                         "                                               0.0000E+00      0.3840E-01",
                                         "                                               0.0000E+00      0.7440E-01",
                                         "                                               0.0000E+00      0.1368E+00",
                                         "                                               0.0000E+00      0.1920E+00",
                                         "                                               0.0000E+00      0.2400E+00",
                                         "                                               0.0000E+00      0.4800E+00",
                                         "                                               0.0000E+00      0.7200E+00",
                                         "                                               0.0000E+00      0.1200E+01",
                                         "                                               0.0000E+00      0.4800E+01",
                                         "",
                                         "",
                                         "",
                                         "        TIP   LOAD        TIP MOVEMENT",
                                         "            KIP               IN.",
                                         "",
                                         "        0.0000E+00         0.0000E+00",
                                         "        0.6250E+00         0.1200E-01",
                                         "        0.1250E+01         0.2400E-01",
                                         "        0.2500E+01         0.4800E-01",
                                         "        0.5000E+01         0.3120E+00",
                                         "        0.7500E+01         0.1008E+01",
                                         "        0.9000E+01         0.1752E+01",
                                         "        0.1000E+02         0.2400E+01",
                                         "        0.1000E+02         0.3600E+01",
                                         "        0.1000E+02         0.4800E+01",
                                         "",
                                         "",
                                         "",
                                         "                      LOAD VERSUS SETTLEMENT CURVE",
                                         "                      ****************************",
                                         "",
                                         "",
                                         "",
                                         "        TOP  LOAD     TOP MOVEMENT       TIP  LOAD      TIP MOVEMENT",
                                         "           KIP             IN.              KIP            IN.",
                                         "       0.6250E+00      0.1201E-01      0.6250E+00      0.1200E-01",
                                         "       0.1250E+01      0.2403E-01      0.1250E+01      0.2400E-01",
                                         "       0.1000E+02      0.1000E+02      0.1000E+02      0.1000E+02",
                                     });
    expectLines(stage.plotLines(), {
                                       "           3",
                                       "            1         10      0.4167E-01",
                                       "                                               0.0000E+00      0.0000E+00",
                                       "                                               0.0000E+00      0.3840E-01",
                                       "                                               0.0000E+00      0.7440E-01",
                                       "                                               0.0000E+00      0.1368E+00",
                                       "                                               0.0000E+00      0.1920E+00",
                                       "                                               0.0000E+00      0.2400E+00",
                                       "                                               0.0000E+00      0.4800E+00",
                                       "                                               0.0000E+00      0.7200E+00",
                                       "                                               0.0000E+00      0.1200E+01",
                                       "                                               0.0000E+00      0.4800E+01",
                                       "            2         10      0.1000E+02",
                                       "                                               0.0000E+00      0.0000E+00",
                                       "                                               0.0000E+00      0.3840E-01",
                                       "                                               0.0000E+00      0.7440E-01",
                                       "                                               0.0000E+00      0.1368E+00",
                                       "                                               0.0000E+00      0.1920E+00",
                                       "                                               0.0000E+00      0.2400E+00",
                                       "                                               0.0000E+00      0.4800E+00",
                                       "                                               0.0000E+00      0.7200E+00",
                                       "                                               0.0000E+00      0.1200E+01",
                                       "                                               0.0000E+00      0.4800E+01",
                                       "            3         10      0.1996E+02",
                                       "                                               0.0000E+00      0.0000E+00",
                                       "                                               0.0000E+00      0.3840E-01",
                                       "                                               0.0000E+00      0.7440E-01",
                                       "                                               0.0000E+00      0.1368E+00",
                                       "                                               0.0000E+00      0.1920E+00",
                                       "                                               0.0000E+00      0.2400E+00",
                                       "                                               0.0000E+00      0.4800E+00",
                                       "                                               0.0000E+00      0.7200E+00",
                                       "                                               0.0000E+00      0.1200E+01",
                                       "                                               0.0000E+00      0.4800E+01",
                                       "        0.0000E+00         0.0000E+00",
                                       "        0.6250E+00         0.1200E-01",
                                       "        0.1250E+01         0.2400E-01",
                                       "        0.2500E+01         0.4800E-01",
                                       "        0.5000E+01         0.3120E+00",
                                       "        0.7500E+01         0.1008E+01",
                                       "        0.9000E+01         0.1752E+01",
                                       "        0.1000E+02         0.2400E+01",
                                       "        0.1000E+02         0.3600E+01",
                                       "        0.1000E+02         0.4800E+01",
                                       "           3",
                                       "    0.167E+01    0.625E+00    0.120E-01",
                                       "    0.100E+01    0.625E+00    0.120E-01",
                                       "    0.333E+00    0.625E+00    0.120E-01",
                                       "    0.167E+01    0.125E+01    0.240E-01",
                                       "    0.100E+01    0.125E+01    0.240E-01",
                                       "    0.333E+00    0.125E+01    0.240E-01",
                                       "    0.167E+01    0.100E+02    0.100E+02",
                                       "    0.100E+01    0.100E+02    0.100E+02",
                                       "    0.333E+00    0.100E+02    0.100E+02",
                                       "       0.6250E+00      0.1201E-01      0.6250E+00      0.1200E-01",
                                       "       0.1250E+01      0.2403E-01      0.1250E+01      0.2400E-01",
                                       "       0.1000E+02      0.1000E+02      0.1000E+02      0.1000E+02",
                                   });
}

TEST(LoadSettlement, WithoutShaftFrictionTheTopCarriesTheTipLoadAndTheElasticShortening) {
    // 40 ft pile: 41 nodes and 41 segments; printing every 5th segment.
    Stage stage;
    RunStore& store = *stage.store;
    englishPile(store, 40, 0, 100, 0);
    store.problem.printIncrement = 5;
    {
        auto run = (store).settlementRun();
        runLoadSettlement(run);
    }
    const SettlementData& s = store.settlement;
    ASSERT_EQ(s.pointCount, 13);
    // L_t / AE = 480 in / (36.5 in2 x 29.0E6 psi) = 4.534719E-7 in/lb.
    const double compliance = 480 / (36.5 * 29.0e6);
    const double builtIn[] = {0.0001, 0.001, 0.005, 0.01, 0.02, 0.05, 0.08, 0.1, 0.2, 0.5, 0.8, 1.0, 2.0};
    for (size_t i = 1; i <= 13; ++i) {
        const LoadSettlementPoint& pt = s.points[i];
        EXPECT_NEAR(pt.tipMovement, builtIn[i - 1], 1e-7);  // single-precision constants
        EXPECT_EQ(pt.topLoad, pt.tipLoad);
        EXPECT_NEAR(pt.topMovement - pt.tipMovement, pt.tipLoad * compliance, 1e-9 * (1 + pt.topMovement));
    }
    // Tip curve of Q = 100 kips, D = 24 in. 0.0001 in: 1/120 of the first
    // point (0.012 in, 6250 lb). 0.05 in: 25000 + 25000 x (0.05 - 0.048) /
    // (0.312 - 0.048) = 25189.39 lb. 2.0 in: 90000 + 10000 x (2.0 - 1.752)
    // / (2.4 - 1.752) = 93827.16 lb.
    EXPECT_NEAR(s.points[1].tipLoad, 6250.0 / 120, 1e-3);
    EXPECT_NEAR(s.points[6].tipLoad, 25189.39, 0.02);
    EXPECT_NEAR(s.points[13].tipLoad, 93827.16, 0.02);

    // Plot: count 3 and three layer curves (34 lines), 10 tip rows, the
    // movement count, 13 x 9 segment rows (segments 1, 6, ... 41), 13 rows.
    const auto lines = stage.plotLines();
    ASSERT_EQ(lines.size(), 1u + 33 + 10 + 1 + 13 * 9 + 13);
    EXPECT_EQ(lines[44], "          13");
    // Mid-points from the head, ft: 40 - (s - 1) x 40/41 - 20/41.
    const char* distances[] = {" 0.395E+02", " 0.346E+02", " 0.298E+02", " 0.249E+02", " 0.200E+02",
                               " 0.151E+02", " 0.102E+02", " 0.537E+01", " 0.488E+00"};
    for (size_t movement = 0; movement < 13; ++movement)
        for (size_t r = 0; r < 9; ++r)
            EXPECT_EQ(lines[45 + movement * 9 + r].substr(3, 10), distances[r]) << movement << " " << r;
    // The segment rows carry the tip load in kips: 0.0521 for the first
    // movement; its top movement is 0.0001 + 52.08 x 4.5347E-7 = 1.236E-4.
    EXPECT_EQ(lines[45].substr(16, 10), " 0.521E-01");
    EXPECT_EQ(lines[45 + 13 * 9], "       0.5208E-01      0.1236E-03      0.5208E-01      0.1000E-03");
}

TEST(LoadSettlement, FullyMobilisedShaftsGiveTheHandWorkedHeadLoads) {
    // A user list of 3 movements beyond every curve's last point (4.8 in):
    // every segment carries its full unit side friction f = 1 ksf =
    // 6.944444 psi, and the tip Q = 100 kips.
    struct Case {
        const char* what;
        double embedded, stickup, zeroFriction, taper;
        double shaftPounds;
    };
    const Case cases[] = {
        // 1 ft stickup: 41 segments of 12 in; mid-points at 6, 18, ... 486
        // in below the head; node curves at 12 j in, curve 1 (at the ground)
        // empty. The top segment takes none, the next half (between curves
        // 1 and 2), 39 take f: 24 x 3.1416 x 12 x 39.5 x 6.944444 = 248186.4.
        {"stickup", 40, 1, 0, 0, 248186.4},
        // No stickup, 41 segments of 480/41 in; the 10 whose mid-points lie
        // less than 120 in below the head take none:
        // 24 x 3.1416 x 480/41 x 6.944444 x 31 = 190028.49.
        {"zero friction length", 40, 0, 10, 0, 190028.49},
        // Taper 1 degree: D = 24 - 2 z tan(0.01745); the mid-points average
        // 240 in, so the diameters add up to 41 x 24 - 2 x 0.0174518 x 41 x
        // 240 = 640.5491: 3.1416 x 480/41 x 6.944444 x 640.5491 = 163605.62.
        {"taper", 40, 0, 0, 1, 163605.62},
        // A pile half an increment long has one node: one segment of 6 in
        // on the one curve: 24 x 3.1416 x 6 x 6.944444 = 3141.6.
        {"single node", 0.5, 0, 0, 0, 3141.6},
    };
    for (const Case& c : cases) {
        Stage stage;
        RunStore& store = *stage.store;
        englishPile(store, c.embedded, c.stickup, 100, 1);
        store.problem.pile.zeroFrictionLength = c.zeroFriction;
        store.problem.pile.taperAngle = c.taper;
        setMovements(store, {10, 12, 15});
        {
            auto run = (store).settlementRun();
            runLoadSettlement(run);
        }
        const SettlementData& s = store.settlement;
        ASSERT_EQ(s.pointCount, 3) << c.what;
        const double movements[] = {10, 12, 15};
        for (size_t i = 1; i <= 3; ++i) {
            const LoadSettlementPoint& pt = s.points[i];
            EXPECT_EQ(pt.tipMovement, movements[i - 1]) << c.what;  // taken unconverted
            EXPECT_NEAR(pt.tipLoad, 100000, 1e-6) << c.what;        // the tip holds Q
            EXPECT_NEAR(pt.topLoad, 100000 + c.shaftPounds, 0.05) << c.what;
        }
        EXPECT_EQ(s.unconvergedSegments, 0) << c.what;
        if (c.stickup > 0) {
            const TzCurve& first = s.curves[1];
            EXPECT_NEAR(first.curveDepth, 12, 1e-12);
            for (size_t k = 1; k <= kTzCurvePoints; ++k) EXPECT_EQ(first.loadTransfer[k], 0);
            EXPECT_NEAR(s.curves[2].loadTransfer[10], kPsiPerKsf, 1e-9);
        }
    }
}

TEST(LoadSettlement, AreaTableGivesAStiffnessVaryingAlongThePile) {
    // No shaft friction, the tip held at Q = 100,000 lb (movement 10 in);
    // the shortening is the integral of P / AE(x) over the 480 in.
    struct Case {
        std::vector<double> distance, area;  // ft, in2
        double shortening;                   // in
    };
    const Case cases[] = {
        // 30 in2 at the head to 20 at the tip: P x 480 / (10 x 29.0E6) x
        // ln(30/20) = 0.0671115 (the 41 mid-points agree to 1E-6).
        {{0, 40}, {30, 20}, 0.0671115},
        // A table that stops at 20 ft (25 in2): the last area holds below:
        // P x 240 / (5 x 29.0E6) x ln(30/25) + P x 240 / (25 x 29.0E6)
        // = 0.0301771 + 0.0331034 = 0.0632805.
        {{0, 20}, {30, 25}, 0.0632805},
    };
    for (const Case& c : cases) {
        Stage stage;
        RunStore& store = *stage.store;
        englishPile(store, 40, 0, 100, 0);
        PileSection& pile = store.problem.pile;
        pile.areaOption = 2;
        pile.areaPointCount = static_cast<int32_t>(c.distance.size());
        for (size_t k = 0; k < c.distance.size(); ++k) {
            pile.areaDistance[k + 1] = c.distance[k];
            pile.areaValue[k + 1] = c.area[k];
        }
        setMovements(store, {10});
        {
            auto run = (store).settlementRun();
            runLoadSettlement(run);
        }
        const LoadSettlementPoint& pt = store.settlement.points[1];
        // The 41 mid-points sample the integral to within 1E-5 in.
        EXPECT_NEAR(pt.topMovement - pt.tipMovement, c.shortening, 1e-5);
        EXPECT_EQ(pt.topLoad, pt.tipLoad);
    }
}

TEST(LoadSettlement, SiRunsWorkInMetresAndKilonewtons) {
    // 12 m pile of 609.6 mm; Q = 1000 kN; no shaft friction; AE = 0.0235 m2
    // x 2.0E8 kPa.
    Stage stage;
    RunStore& store = *stage.store;
    englishPile(store, 12, 0, 1000, 0);
    ProblemData& p = store.problem;
    p.unitSystem = 2;
    p.pile.outsideDiameter = 609.6;
    p.pile.insideDiameter = 584.2;
    p.pile.elasticModulus = 2.0e8;
    p.pile.crossSectionArea = 0.0235;
    p.layers[2].depth = 20;
    {
        auto run = (store).settlementRun();
        runLoadSettlement(run);
    }
    // Diameters now in metres; the verification listing relies on it.
    EXPECT_NEAR(p.pile.outsideDiameter, 0.6096, 1e-12);
    EXPECT_NEAR(p.pile.insideDiameter, 0.5842, 1e-12);
    const SettlementData& s = store.settlement;
    // Built-in movements / 39.79: 0.0001 in is 2.5132E-6 m, 2.0 in 0.0502639.
    EXPECT_NEAR(s.points[1].tipMovement, 2.5132e-6, 1e-10);
    EXPECT_NEAR(s.points[13].tipMovement, 0.0502639, 1e-7);
    // The tip curve: 0.073 x 0.6096 = 0.0445008 (900 kN) and 0.1 x 0.6096 =
    // 0.06096 (1000 kN): at 0.0502639, 900 + 100 x 0.350144 = 935.014 kN.
    EXPECT_NEAR(s.points[13].tipLoad, 935.014, 1e-3);
    // The shortening: 935.014 x 12 / (0.0235 x 2.0E8) = 0.00238727 m.
    EXPECT_NEAR(s.points[13].topMovement - s.points[13].tipMovement, 0.00238727, 1e-8);
    const auto lines = stage.reportLines();
    const auto has = [&lines](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(
        has("           NO.      POINTS        M. " + std::string(14, ' ') + "KPA" + std::string(13, ' ') + "M. "));
    EXPECT_TRUE(has("            KN." + std::string(15, ' ') + "M. "));
    EXPECT_TRUE(has("           KN." + std::string(13, ' ') + "M. " + std::string(14, ' ') + "KN." +
                    std::string(12, ' ') + "M. "));
    EXPECT_TRUE(has("       0.9350E+03      0.5265E-01      0.9350E+03      0.5026E-01"));
    // The tip curve rows in kN and m: point 8 is (1000 kN, 0.06096 m).
    EXPECT_TRUE(has("        0.1000E+04         0.6096E-01"));
}

TEST(LoadSettlement, HandOverTakesTheChosenMethodsNodeValuesUnfactored) {
    struct Case {
        int32_t flag;
        double friction;  // expected at node 2, ksf
        double tip;       // expected at node 3, kips
    };
    const Case cases[] = {
        {4, 1.5, 20},  // API: its node friction and its end bearing before the LRFD factor
        {1, 2.5, 40},  // FHWA (methodCode 1), integrated again in the second pass: unfactored too
        {2, 3.5, 60},  // USACE, likewise
        {3, 4.5, 80},  // Revised Lambda, likewise
        {5, 0.75, 4},  // user method
        {0, 0, 0},     // no method: nothing handed over
        {10, 0, 0},
    };
    for (const Case& c : cases) {
        Stage stage;
        RunStore& store = *stage.store;
        store.problem.options.loadTransferMethod = c.flag;
        store.grid.nodeCount = 3;
        store.grid.segmentCount = 5;
        for (size_t j = 1; j <= 5; ++j) {
            store.grid.segments[j].lrfdBearingFactor = 0.5;
            store.grid.segments[j].userUnitSkinFriction = 0.75;
        }
        store.methods[kApi].nodes.nodeSideFriction[2] = 1.5;
        store.methods[kApi].capacity.endBearing[3] = 20;
        store.methods[kApi].capacity.factoredEndBearing[3] = 10;  // the table's value: not taken
        store.methods[kFhwa].nodes.nodeSideFriction[2] = 2.5;
        store.methods[kFhwa].capacity.endBearing[3] = 40;
        store.methods[kUsace].nodes.nodeSideFriction[2] = 3.5;
        store.methods[kUsace].capacity.endBearing[3] = 60;
        store.methods[kUsace].capacity.factoredEndBearing[3] = 30;
        store.methods[kRevisedLambda].nodes.nodeSideFriction[2] = 4.5;
        store.methods[kRevisedLambda].capacity.endBearing[3] = 80;
        store.methods[kRevisedLambda].capacity.factoredEndBearing[3] = 40;
        store.methods[kUserMethod].nodes.nodeSideFriction[2] = 0.75;
        store.methods[kUserMethod].capacity.endBearing[3] = 4;
        store.settlement.nodeSideFriction[2] = 99;  // left from before: replaced
        handOverNodeValues(store, (store).settlement);
        EXPECT_EQ(store.settlement.nodeSideFriction[2], c.friction) << c.flag;
        EXPECT_EQ(store.settlement.nodeTipResistance[3], c.tip) << c.flag;
    }
    // A bearing factor of 0 takes the tip out of the design: 0.
    Stage stage;
    RunStore& store = *stage.store;
    store.problem.options.loadTransferMethod = 4;
    store.grid.nodeCount = 2;
    store.grid.segmentCount = 2;
    store.methods[kApi].capacity.endBearing[2] = 30;
    handOverNodeValues(store, (store).settlement);
    EXPECT_EQ(store.settlement.nodeTipResistance[2], 0);
}

TEST(LoadSettlement, AnUnknownTransferMethodIsNotedInTheReport) {
    Stage stage;
    RunStore& store = *stage.store;
    englishPile(store, 10, 0, 50, 1);
    store.problem.options.loadTransferMethod = 12;
    handOverNodeValues(store, (store).settlement);
    {
        auto run = (store).settlementRun();
        runLoadSettlement(run);
    }
    const auto lines = stage.reportLines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[lines.size() - 3], "");
    EXPECT_EQ(lines[lines.size() - 2], "        NOTE: LOAD-TRANSFER METHOD     12 IS NOT ONE OF THE METHODS 1 TO 9;");
    EXPECT_EQ(lines[lines.size() - 1], "              NO UNIT SIDE FRICTION OR END BEARING WAS TAKEN FOR THE CURVES.");
    EXPECT_EQ(store.settlement.points[13].topLoad, 0);
}

TEST(LoadSettlement, LargestProblemKeepsEveryNodeCurveAnd21Movements) {
    // 495 ft embedded: 496 nodes and segments; 21 movements; every segment printed.
    Stage stage;
    RunStore& store = *stage.store;
    englishPile(store, 495, 0, 500, 1.2);
    store.problem.layers[2].depth = 500;
    store.grid.segmentCount = 500;
    std::vector<double> list;
    for (int i = 1; i <= 21; ++i) list.push_back(0.01 * i * i);
    setMovements(store, list);
    {
        auto run = (store).settlementRun();
        runLoadSettlement(run);
    }
    const SettlementData& s = store.settlement;
    ASSERT_EQ(s.pointCount, 21);
    EXPECT_EQ(s.curves[496].curveNumber, 496);
    // Node curve 496 at the tip: 495 ft = 5940 in.
    EXPECT_NEAR(s.curves[496].curveDepth, 5940, 1e-9);
    EXPECT_EQ(s.points[21].tipMovement, list[20]);
    EXPECT_EQ(s.unconvergedSegments, 0);
    for (size_t i = 2; i <= 21; ++i) {
        // Q is reached at 2.4 in and the shaft is then fully mobilised.
        if (s.points[i - 1].tipMovement < 2.4)
            EXPECT_GT(s.points[i].topLoad, s.points[i - 1].topLoad);
        else
            EXPECT_EQ(s.points[i].topLoad, s.points[i - 1].topLoad);
        EXPECT_GT(s.points[i].topMovement, s.points[i].tipMovement);
    }
    // 1 + 33 curve lines, 10 tip rows, the count, 21 x 496 segment rows, 21 rows.
    const auto lines = stage.plotLines();
    EXPECT_EQ(lines.size(), 1u + 33 + 10 + 1 + 21 * 496 + 21);
    EXPECT_EQ(lines[44], "          21");
}

TEST(LoadSettlement, TheAssumedMovementsComeFromTheUserListOnlyWhenItHoldsValues) {
    struct Case {
        int32_t option, count;
        int32_t rows;
        double first;  // first tip movement, in
    };
    const Case cases[] = {
        {1, 3, 3, 0.5},      // the user's values, as given
        {1, 21, 21, 0.5},    // the whole list the input allows
        {1, 0, 13, 0.0001},  // an empty list keeps the built-in one
        {0, 3, 13, 0.0001},  // no list option: built-in
    };
    for (const Case& c : cases) {
        Stage stage;
        RunStore& store = *stage.store;
        englishPile(store, 5, 0, 10, 0.5);
        std::vector<double> list;
        for (int32_t i = 1; i <= 21; ++i) list.push_back(0.5 * i);
        setMovements(store, list);
        store.problem.options.movementListOption = c.option;
        store.problem.options.movementCount = c.count;
        {
            auto run = (store).settlementRun();
            runLoadSettlement(run);
        }
        EXPECT_EQ(store.settlement.pointCount, c.rows);
        EXPECT_NEAR(store.settlement.points[1].tipMovement, c.first, 1e-9);
        const auto plot = stage.plotLines();
        EXPECT_EQ(plot[44], std::string(10, ' ') + (c.rows < 10 ? " " : "") + std::to_string(c.rows));
        // 6 nodes and segments: every one printed for every movement.
        EXPECT_EQ(plot.size(), 45u + static_cast<size_t>(c.rows) * 7);
    }
}

TEST(LoadSettlement, TheMidSegmentIterationAlwaysEnds) {
    // A clay curve with residual 0.5 on a pile so soft (AE = 706.86 lb,
    // chosen so that a mobilised friction of 1 psi moves the mid-segment
    // 0.48 in) that the movement jumps between the peak (0.24 in) and the
    // residual branch (0.48 in) for ever: 0.2914 and 0.4287 in. An undefined
    // unit side friction never settles either, and leaves no curve: the run
    // ends before the solution writes anything.
    struct Case {
        double friction;
        double modulus;
        int32_t expectedAtLeast;
    };
    const Case cases[] = {{std::numeric_limits<double>::quiet_NaN(), 29.0e6, 2}, {0.144, 706.86, 1}};
    {
        Stage stage;
        RunStore& store = *stage.store;
        englishPile(store, 1, 0, 0, cases[0].friction);
        setMovements(store, {0.0001});
        auto run = store.settlementRun();
        EXPECT_THROW(runLoadSettlement(run), InputError);
        EXPECT_EQ(stage.plot.str().find("NaN"), std::string::npos);
        EXPECT_EQ(stage.report.str().find("NaN"), std::string::npos);
    }
    for (const Case& c : {cases[1]}) {
        Stage stage;
        RunStore& store = *stage.store;
        englishPile(store, 1, 0, 0, c.friction);
        store.problem.layers[1].soilType = 2;
        store.problem.layers[2].soilType = 2;
        store.problem.layers[1].residualFactor = 0.5;
        store.problem.layers[2].residualFactor = 0.5;
        store.problem.pile.crossSectionArea = 1;
        store.problem.pile.elasticModulus = c.modulus;
        setMovements(store, {0.0001});
        {
            auto run = (store).settlementRun();
            runLoadSettlement(run);
        }
        EXPECT_GE(store.settlement.unconvergedSegments, c.expectedAtLeast);
        EXPECT_EQ(store.settlement.firstUnconvergedMovement, 1);
        const auto lines = stage.reportLines();
        ASSERT_GE(lines.size(), 4u);
        EXPECT_EQ(lines[lines.size() - 4], "");
        EXPECT_EQ(lines[lines.size() - 3].substr(0, 21), "        NOTE: IN     ");
        EXPECT_EQ(lines[lines.size() - 3].substr(23), " SEGMENT(S) THE MID-SEGMENT MOVEMENT DID NOT CONVERGE");
        EXPECT_EQ(lines[lines.size() - 2], "              WITHIN  100 PASSES (FIRST AT ASSUMED TIP MOVEMENT   1);");
        EXPECT_EQ(lines[lines.size() - 1], "              THE VALUES OF THE LAST PASS ARE USED.");
    }
}

TEST(LoadSettlement, APileWithoutStiffnessCannotBeSolved) {
    Stage stage;
    RunStore& store = *stage.store;
    englishPile(store, 10, 0, 50, 1);
    store.problem.pile.elasticModulus = 0;
    try {
        {
            auto run = (store).settlementRun();
            runLoadSettlement(run);
        }
        FAIL() << "no error";
    } catch (const InputError& error) {
        EXPECT_EQ(error.file(), "pile.in");
        EXPECT_NE(error.detail().find("axial stiffness"), std::string::npos);
        EXPECT_NE(error.detail().find("0.45 FT. from the pile head"), std::string::npos);  // head segment: 120/11/2 in
    }
}

TEST(LoadSettlement, UnitCodesBelowOneLeaveOutTheUnitsLinesAndTheTipHeading) {
    Stage stage;
    RunStore& store = *stage.store;
    englishPile(store, 2, 0, 10, 0);
    store.problem.unitSystem = 0;
    store.problem.options.loadingType = 1;  // tension: the buoyancy note too
    {
        auto run = (store).settlementRun();
        runLoadSettlement(run);
    }
    const auto lines = stage.reportLines();
    const std::string report = stage.report.str();
    EXPECT_EQ(report.find("POINTS"), std::string::npos);
    EXPECT_EQ(report.find("TIP   LOAD"), std::string::npos);
    EXPECT_NE(report.find("\n            - A NEGATIVE SELF-WEIGHT VALUE IS DUE TO THE\n"
                          "              BOUYANCY EFFECT.\n\n"),
              std::string::npos);
    // The curve heading is followed directly by the first curve row, the
    // column heading of the table directly by its rows (13 built-in).
    const auto heading = std::find(lines.begin(), lines.end(),
                                   "        T-Z CURVE   NO. OF   DEPTH TO CURVE   LOAD TRANSFER   PILE MOVEMENT");
    ASSERT_NE(heading, lines.end());
    EXPECT_EQ((heading + 1)->substr(0, 13), "            1");
    EXPECT_EQ(lines[lines.size() - 14], "        TOP  LOAD     TOP MOVEMENT       TIP  LOAD      TIP MOVEMENT");
}

TEST(LoadSettlement, VerificationCurvesListValidDepthsOnly) {
    // Soil to 100 ft; f = 1.44 ksf = 10 psi everywhere. Depths 10 ft, -1 ft
    // (above ground) and 500 ft (below the last row).
    Stage stage;
    RunStore& store = *stage.store;
    englishPile(store, 40, 0, 100, 1.44);
    ProblemData& p = store.problem;
    p.layers[2].depth = 100;
    p.options.tzPrintDepthCount = 3;
    p.options.tzPrintDepths[1] = 10;
    p.options.tzPrintDepths[2] = -1;
    p.options.tzPrintDepths[3] = 500;
    {
        auto run = (store).settlementRun();
        listVerificationCurves(run);
    }
    // Sand (non-clay) curve at 10 ft: z_p = 0.24 in, f = 10 psi.
    expectLines(stage.reportLines(), {
                                         "",
                                         "",
                                         "                *************************************************",
                                         "                * COMPUTE INTERNALLY-GENERATED LOAD-TRANSFER    *",
                                         "                * (t-z) CURVES FOR VERIFICATION                 *",
                                         "                *************************************************",
                                         "",
                                         "",
                                         "        T-Z CURVE   NO. OF   DEPTH TO CURVE   LOAD TRANSFER   PILE MOVEMENT",
                                         "           NO.      POINTS        FT.              PSI             IN.",
                                         "",
                                         "            1         10      0.1000E+02",
                                         "                                               0.0000E+00      0.0000E+00",
                                         "                                               0.3000E+01      0.3840E-01",
                                         "                                               0.5000E+01      0.7440E-01",
                                         "                                               0.7500E+01      0.1368E+00",
                                         "                                               0.9000E+01      0.1920E+00",
                                         "                                               0.1000E+02      0.2400E+00",
                                         "                                               0.1000E+02      0.4800E+00",
                                         "                                               0.1000E+02      0.7200E+00",
                                         "                                               0.1000E+02      0.1200E+01",
                                         "                                               0.1000E+02      0.4800E+01",
                                         "            2         10     -0.1000E+01",
                                         "               CURVE NOT PRINTED SINCE DEPTH OUTSIDE SOIL RANGE",
                                         "            3         10      0.5000E+03",
                                         "               CURVE NOT PRINTED SINCE DEPTH OUTSIDE SOIL RANGE",
                                     });
    const auto plot = stage.plotLines();
    ASSERT_EQ(plot.size(), 12u);
    EXPECT_EQ(plot[0], "           1");
    EXPECT_EQ(plot[1], "            1         10      0.1000E+02");
    EXPECT_EQ(plot[11], "                                               0.1000E+02      0.4800E+01");
}

TEST(LoadSettlement, VerificationCurvesOfTheUsaceMethodHaveItsFixedMovements) {
    // The last row's depth is still inside the soil; in SI the USACE sand
    // curve's movements are the inch values / 39.37, the diameters already
    // in metres from the load-settlement stage.
    Stage stage;
    RunStore& store = *stage.store;
    englishPile(store, 12, 0, 100, 10);
    ProblemData& p = store.problem;
    p.unitSystem = 2;
    p.options.loadTransferMethod = 2;
    p.options.tzPrintDepthCount = 1;
    p.options.tzPrintDepths[1] = 70;
    {
        auto run = (store).settlementRun();
        listVerificationCurves(run);
    }
    const auto plot = stage.plotLines();
    ASSERT_EQ(plot.size(), 12u);
    EXPECT_EQ(plot[0], "           1");
    // 10 in / 39.37 = 0.254 m.
    EXPECT_EQ(plot[11].substr(plot[11].size() - 16), "      0.2540E+00");
    EXPECT_EQ(store.settlement.curves[1].curveSoilType, 1);
}

TEST(LoadSettlement, LayerCurvesAreThreePerLayerInDepthOrder) {
    // Rows as in the bundled example, a top and a bottom row per layer:
    // sand 0-10 ft, sand 10-30 ft, clay 30-70 ft; neighbouring rows at the
    // same depth (10 ft, 30 ft) make no layer.
    Stage stage;
    RunStore& store = *stage.store;
    englishPile(store, 60, 0, 100, 1);
    ProblemData& p = store.problem;
    const double depth[] = {0, 10, 10, 30, 30, 70};
    const double type[] = {1, 1, 1, 1, 2, 2};
    p.layerCount = 6;
    for (size_t i = 1; i <= 6; ++i) {
        p.layers[i].depth = depth[i - 1];
        p.layers[i].soilType = type[i - 1];
        p.layers[i].residualFactor = 0.8;
    }
    {
        auto run = (store).settlementRun();
        solveLoadSettlement(run, 1);
    }
    EXPECT_EQ(store.settlement.layerCurveCount, 9);
    const auto plot = stage.plotLines();
    EXPECT_EQ(plot[0], "           9");
    // Depths below ground, ft: 0.5 in, 5 ft, 119.5 in; 120.5 in, 20 ft,
    // 359.5 in; 360.5 in, 50 ft, 839.5 in.
    const char* depths[] = {"0.4167E-01", "0.5000E+01", "0.9958E+01", "0.1004E+02", "0.2000E+02",
                            "0.2996E+02", "0.3004E+02", "0.5000E+02", "0.6996E+02"};
    for (size_t c = 0; c < 9; ++c) {
        const std::string& row = plot[1 + c * 11];
        EXPECT_EQ(row.substr(8, 5), std::string(4, ' ') + std::to_string(c + 1));
        EXPECT_EQ(row.substr(row.size() - 10), depths[c]);
    }
    // The clay layer's curves hold the residual 0.8 x f past the peak.
    const std::string& clayLast = plot[1 + 8 * 11 + 10];
    EXPECT_EQ(clayLast.substr(40, 17), "       0.5556E+01");  // 0.8 x 6.944 psi
    // Node curves then replace the layer curves from entry 1 on.
    EXPECT_EQ(store.settlement.curves[9].curveDepth, 96);
}

}  // namespace
}  // namespace tovek

namespace tovek {
namespace {

TEST(LoadSettlementRun, TheBundledExampleEndsItsResultsWithTheLoadSettlementCurve) {
    test::ScratchFolder folder;
    folder.copyFrom(test::examplesFolder() / "pipe-pile");
    ASSERT_EQ(test::runEngine(folder.path()).status, 0);
    const auto report = folder.lines("pipe24.out");
    const auto box =
        std::find(report.begin(), report.end(), "                * COMPUTE LOAD-DISTRIBUTION AND LOAD-SETTLEMENT *");
    ASSERT_NE(box, report.end());
    auto columns = std::find(box, report.end(), "        TOP  LOAD     TOP MOVEMENT       TIP  LOAD      TIP MOVEMENT");
    ASSERT_NE(columns, report.end());
    ++columns;
    if (columns != report.end() && columns->find("KIP") != std::string::npos) ++columns;  // units line
    // The built-in list: 13 rows of E17.4, 3E16.4.
    ASSERT_GE(report.end() - columns, 13);
    for (int i = 0; i < 13; ++i) {
        const std::string& row = *(columns + i);
        ASSERT_EQ(row.size(), 65u) << row;
        EXPECT_EQ(row.substr(13, 1), "E") << row;
        EXPECT_EQ(row.substr(61, 1), "E") << row;
    }
    const auto plot = folder.lines("pipe24.plt");
    EXPECT_NE(std::find(plot.begin(), plot.end(), "          13"), plot.end());
}

}  // namespace
}  // namespace tovek
