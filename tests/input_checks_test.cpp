// Depth checks, the quantities fixed during the input echo, row snapping,
// segment count, the grid checks and the soil segments with their stresses,
// estimates and critical depths; and the runs that end early on them.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sstream>

#include "engine/run_store.h"
#include "input/input_checks.h"
#include "support/test_support.h"

namespace tovek {
namespace {

using test::ScratchFolder;

// A store with its report and console written to strings.
struct Checked {
    std::unique_ptr<RunStore> store = std::make_unique<RunStore>();
    std::ostringstream report;
    std::ostringstream console;
    Checked() {
        store->report.attach(&report);
        store->console.attach(&console);
        ProblemData& p = store->problem;
        p.unitSystem = 1;
        p.labels.lengthLabel = "FT.";
        p.waterTableDepth = kNoWaterTable;
        p.options.tensionReductionFactor = 1.0f;
        p.options.lengthIncrement = 1.0;
    }
    ProblemData& problem() { return store->problem; }
    SoilLayer& row(int i) { return store->problem.layers[static_cast<size_t>(i)]; }
    void rows(std::initializer_list<double> depths) {
        int i = 0;
        for (double d : depths) row(++i).depth = d;
        store->problem.layerCount = i;
    }
    const SoilSegment& segment(int i) const { return store->grid.segments[static_cast<size_t>(i)]; }
    double stress(int k) const { return store->grid.boundaryStress[static_cast<size_t>(k)]; }
    double limited(int k) const { return store->grid.criticalDepthStress[static_cast<size_t>(k)]; }
};

TEST(DepthChecks, RequiredDepthAgainstTheSoilProfile) {
    struct Case {
        int32_t units;
        double total, stickup, diameter, batter, bottom, lastRow;
        double required;
        bool passes;
        bool notice;
    } cases[] = {
        // 55 + 2 x 24 / 12 = 59.0 > 58
        {1, 60, 5, 24, 0, 58, 70, 59.0, false, false},
        // 55 x cos(10 deg) + 4 = 54.16443 + 4 = 58.16443: fails at 58, passes at 58.2
        {1, 60, 5, 24, 10, 58, 70, 58.164426, false, false},
        {1, 60, 5, 24, 10, 58.2, 70, 58.164426, true, false},
        // rows end at 50 < 59: notice on the console only
        {1, 60, 5, 24, 0, 70, 50, 59.0, true, true},
        // SI: 20 + 2 x 610 / 1000 = 21.22
        {2, 20, 0, 610, 0, 21.2, 30, 21.22, false, false},
        {2, 20, 0, 610, 0, 21.3, 30, 21.22, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.total + c.batter + c.bottom + c.lastRow);
        Checked k;
        ProblemData& p = k.problem();
        p.unitSystem = c.units;
        p.pile.totalLength = c.total;
        p.pile.stickupLength = c.stickup;
        p.pile.outsideDiameter = c.diameter;
        p.pile.batterAngle = c.batter;
        p.soilProfileBottom = c.bottom;
        k.rows({0, c.lastRow});
        EXPECT_EQ(checkSoilDepth((*k.store).problem, (*k.store).report, (*k.store).console), c.passes);
        EXPECT_NEAR(p.requiredSoilDepth, c.required, 1e-6);
        EXPECT_EQ(k.report.str().empty(), c.passes);
        EXPECT_EQ(k.console.str().empty(), !c.notice);
    }
}

TEST(DepthChecks, MessagesOnTheConsoleAndInTheReport) {
    Checked k;
    ProblemData& p = k.problem();
    p.pile.totalLength = 60;
    p.pile.stickupLength = 5;
    p.pile.outsideDiameter = 24;
    p.soilProfileBottom = 58;
    k.rows({0, 50});
    EXPECT_FALSE(checkSoilDepth((*k.store).problem, (*k.store).report, (*k.store).console));
    EXPECT_EQ(k.console.str(),
              "\n\n\n"
              "          COMPUTATION DOES NOT PROCEED BECAUSE NO SOIL INFORMATION\n"
              "          WAS PROVIDED AT THE DEPTH      59.00 FT.\n"
              "          PLEASE NOTE THAT SOIL SHOULD EXTEND AT LEAST THE \n"
              "           PILE LENGTH PLUS TWO PILE DIAMETERS\n");
    EXPECT_EQ(k.report.str(),
              "\n\n"
              "          COMPUTATION DOES NOT PROCEED BECAUSE THE DEEPEST SOIL PROFILE   58.00 FT.\n"
              "          IS LESS THAN PILE EMBEDDED LENGTH PLUS TWO TIMES THE PILE DIAMETER      59.00 FT.\n");
}

TEST(EchoQuantities, CrossSectionAreaByPileType) {
    struct Case {
        int32_t units, pileType, areaOption;
        double perimeter, diameter, inside, tipArea;
        double expected;
    } cases[] = {
        {1, 1, 0, 0, 24, 23, 0, 36.9138},       // 0.7854 x (576 - 529)
        {1, 3, 0, 0, 18, 12, 0, 141.372},       // 0.7854 x (324 - 144), circular precast
        {1, 3, 0, 48, 0, 0, 144, 144},          // square precast: the tip area as read
        {1, 6, 0, 0, 14, 0, 15.5, 15.5},        // H-pile: the tip area as read
        {1, 2, 0, 0, 12, 0, 0, 113.0976},       // timber: 0.7854 x 144
        {1, 4, 0, 0, 14, 10, 0, 153.9384},      // step-taper: 0.7854 x 196, no hole
        {2, 1, 0, 0, 610, 580, 0, 0.02803878},  // 0.7854 x 35700 mm2 / 1000 / 1000
        {1, 1, 1, 0, 24, 23, 0, 25.0},          // given in record 9
        {1, 1, 2, 0, 24, 23, 0, 25.0},          // area table: record 9 value untouched
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        ProblemData p;
        p.unitSystem = c.units;
        p.pile.pileType = c.pileType;
        p.pile.areaOption = c.areaOption;
        p.pile.perimeter = c.perimeter;
        p.pile.outsideDiameterAsRead = c.diameter;
        p.pile.outsideDiameter = 99;  // the diameter after the perimeter rule is not used
        p.pile.insideDiameter = c.inside;
        p.pile.tipAreaAsRead = c.tipArea;
        p.pile.crossSectionArea = 25.0;
        computeCrossSectionArea(p);
        EXPECT_NEAR(p.pile.crossSectionArea, c.expected, std::fabs(c.expected) * 1e-6);
    }
}

TEST(EchoQuantities, EmbeddedLengthBatterAndModulusLabel) {
    ProblemData p;
    p.unitSystem = 2;
    p.pile.totalLength = 60;
    p.pile.stickupLength = 5;
    p.pile.batterAngle = 10;
    setEmbeddedLength(p);
    convertBatterAngleToRadians(p);
    setModulusLabel(p);
    EXPECT_EQ(p.pile.embeddedLength, 55);
    EXPECT_NEAR(p.pile.batterAngle, 0.17453293, 1e-8);  // 10 x 3.1415927 / 180
    EXPECT_EQ(p.labels.modulusLabel, "KPA");
}

TEST(GridPreparation, SnappedDepthsAndSegmentCount) {
    Checked k;
    k.rows({0, 10.3, 10.6, 11.2, 11.0, 20});
    snapLayerDepths(k.problem());
    // 10.6 is within half an increment of 10.3; 11.2 is then 0.9 below it
    // and moves a whole increment down; 11.0 lies above 11.3 and joins it.
    const double expected[] = {0, 0, 10.3, 10.3, 11.3, 11.3, 20};
    for (int i = 1; i <= 6; ++i) EXPECT_DOUBLE_EQ(k.row(i).depth, expected[i]) << i;

    struct Case {
        double bottom, increment;
        int32_t segments;
    } cases[] = {
        {100, 0.1, 1000}, {100, 0.2, 500},
        {70, 1.0, 70},    {0.7, 0.1, 7} /* 6.9999... + 1.0E-6 */,
        {64, 5, 12},      {1e300, 1e-300, 2147483647},
    };
    for (const auto& c : cases) {
        ProblemData p;
        p.soilProfileBottom = c.bottom;
        p.options.lengthIncrement = c.increment;
        EXPECT_EQ(countSegments(p), c.segments) << c.bottom << " / " << c.increment;
    }
}

// Rows of one soil, unit weight `gamma` (pcf), down to `bottom`.
void uniformSoil(Checked& k, double type, double gamma, double phi, double bottom) {
    k.rows({0, bottom});
    for (int i = 1; i <= 2; ++i) {
        k.row(i).soilType = type;
        k.row(i).effectiveUnitWeight = gamma;
        k.row(i).frictionAngle = phi;
        k.row(i).lateralEarthPressure = 1.0;
        k.row(i).undrainedShearStrength = 1.0;
    }
    k.problem().soilProfileBottom = bottom;
    k.store->grid.segmentCount = countSegments(k.problem());
}

TEST(SoilSegments, PropertiesBetweenRowsAndStresses) {
    Checked k;
    ProblemData& p = k.problem();
    p.options.lengthIncrement = 2;
    p.options.tensionReductionFactor = 0.5;
    p.pile.embeddedLength = 20;
    p.pile.outsideDiameter = 12;
    k.rows({0, 10, 20, 30});
    const double ks[] = {0, 0, 1.0, 0, 0};
    for (int i = 1; i <= 4; ++i) {
        k.row(i).soilType = 1;
        k.row(i).lateralEarthPressure = ks[i];
        k.row(i).effectiveUnitWeight = 100;
        k.row(i).frictionAngle = 30;
        k.row(i).undrainedShearStrength = 1.0;
        k.row(i).userUnitSkinFriction = 1000;
        k.row(i).userUnitEndBearing = 40000;
        k.row(i).residualFactor = 0.9;
    }
    k.row(4).lrfdFrictionFactor = 0.8;
    p.soilProfileBottom = 30;
    k.store->grid.segmentCount = countSegments(p);
    buildSoilSegments((*k.store).problem, (*k.store).grid);
    const ComputationGrid& g = k.store->grid;
    EXPECT_EQ(g.segmentCount, 15);
    EXPECT_EQ(g.verticalIncrement, 2);
    EXPECT_EQ(g.nodeCount, 11);  // 20 / 2 + 1
    EXPECT_EQ(k.segment(3).segmentTop, 4);
    EXPECT_EQ(k.segment(3).segmentBottom, 6);
    // K at mid-depth: 1 ft -> 0.1; 5 ft (mid-interval of 0 and 1.0) -> 0.5;
    // 11 ft -> 1 - 0.1 = 0.9; 15 ft -> 0.5; 23 ft (both rows 0) -> 0.8.
    EXPECT_DOUBLE_EQ(k.segment(1).lateralEarthPressure, 0.1);
    EXPECT_DOUBLE_EQ(k.segment(3).lateralEarthPressure, 0.5);
    EXPECT_DOUBLE_EQ(k.segment(6).lateralEarthPressure, 0.9);
    EXPECT_DOUBLE_EQ(k.segment(8).lateralEarthPressure, 0.5);
    EXPECT_NEAR(k.segment(12).lateralEarthPressure, 0.8, 1e-7);
    // LRFD factor from 0 at 20 ft to 0.8 at 30 ft, at 29 ft: 0.72.
    EXPECT_DOUBLE_EQ(k.segment(15).lrfdFrictionFactor, 0.72);
    // User values: 1000 psf x 0.5 / 1000 = 0.5 ksf; 40000 psf -> 20 ksf.
    EXPECT_DOUBLE_EQ(k.segment(4).userUnitSkinFriction, 0.5);
    EXPECT_DOUBLE_EQ(k.segment(4).userUnitEndBearing, 20);
    EXPECT_EQ(k.segment(4).residualFactor, 0);
    // 100 pcf x 2 ft = 0.2 ksf per segment; top and bottom entries separate.
    EXPECT_EQ(k.stress(1), 0);
    for (int i = 1; i <= 15; ++i) {
        EXPECT_NEAR(k.stress(2 * i), 0.2 * i, 1e-12) << i;
        if (i > 1) {
            EXPECT_EQ(k.stress(2 * i - 1), k.stress(2 * i - 2)) << i;
        }
    }
    // Sand of 30 degrees, D = 1 ft: critical depth 10 ft. From the segment
    // reaching 10 ft (5, bottom 10) on, the stress is that at the top of
    // segment 4 (6 ft, 0.6 ksf) plus 4 ft x 0.1 = 1.0 ksf.
    EXPECT_EQ(k.limited(1), 0);
    for (int i = 1; i <= 4; ++i) EXPECT_NEAR(k.limited(2 * i), 0.2 * i, 1e-12) << i;
    for (int i = 5; i <= 15; ++i) EXPECT_NEAR(k.limited(2 * i), 1.0, 1e-12) << i;
    for (int i = 2; i <= 15; ++i) EXPECT_EQ(k.limited(2 * i - 1), k.limited(2 * i - 2)) << i;
}

TEST(SoilSegments, EstimatedFrictionAngleAndUndrainedStrength) {
    Checked k;
    ProblemData& p = k.problem();
    p.pile.embeddedLength = 10;
    uniformSoil(k, 1, 120, 0, 20);
    for (int i = 1; i <= 2; ++i) {
        k.row(i).blowCount = 10;
        k.row(i).undrainedShearStrength = 0;
        k.row(i).coneTipResistance = 30000;  // psf
    }
    buildSoilSegments((*k.store).problem, (*k.store).grid);
    // Segment 1: 0.12 ksf = 0.8333 psi; N = 10: chart 38 - (0.8333/20) x 6 =
    // 37.75, bound 35 - (0.8333/40) x 5 = 34.8958.
    EXPECT_NEAR(k.segment(1).frictionAngle, 34.895833333, 1e-8);
    // Segment 12: 12 x 0.12 = 1.44 ksf = 10 psi: 33.75 (chart 35).
    EXPECT_NEAR(k.segment(12).frictionAngle, 33.75, 1e-8);
    // 30000 psf / 1000 / 15 = 2 ksf
    EXPECT_DOUBLE_EQ(k.segment(5).undrainedShearStrength, 2.0);

    // A blow count of 0 leaves the angle alone.
    Checked none;
    none.problem().pile.embeddedLength = 10;
    uniformSoil(none, 1, 120, 0, 20);
    buildSoilSegments((*none.store).problem, (*none.store).grid);
    EXPECT_EQ(none.segment(3).frictionAngle, 0);

    // SI: 10 kN/m3 x 7 m = 70 kPa = 70 / 6.8948 = 10.1526 psi; chart
    // 38 - 0.50763 x 6 = 34.9542, bound 35 - 0.25381 x 5 = 33.7309.
    Checked si;
    si.problem().unitSystem = 2;
    si.problem().pile.embeddedLength = 10;
    uniformSoil(si, 1, 10, 0, 20);
    for (int i = 1; i <= 2; ++i) {
        si.row(i).blowCount = 10;
        si.row(i).undrainedShearStrength = 0;
        si.row(i).coneTipResistance = 1500;  // kPa
    }
    buildSoilSegments((*si.store).problem, (*si.store).grid);
    EXPECT_NEAR(si.segment(7).frictionAngle, 33.730928, 1e-6);
    EXPECT_DOUBLE_EQ(si.segment(7).undrainedShearStrength, 100);
}

TEST(SoilSegments, CriticalDepthOptions) {
    // Sand of 120 pcf, 1 ft segments, D = 1 ft: the bottom stress of
    // segment i is 0.12 i ksf.
    struct Case {
        const char* title;
        int32_t option;
        double given, phi, bottom;
        double criticalDepth;  // after the build
        int firstLimited;      // first segment held at the limited stress
        double limitedStress;
    } cases[] = {
        // 30 degrees: 10 D = 10 ft; top of segment 9 at 8 ft: 0.96 + 2 x 0.12
        {"10 diameters", 0, 0, 30, 40, 0, 10, 1.2},
        // 34 degrees: 15 ft; 13 ft: 1.56 + 0.24
        {"15 diameters", 0, 0, 34, 40, 0, 15, 1.8},
        // 36 degrees: 20 ft; 18 ft: 2.16 + 0.24
        {"20 diameters", 0, 0, 36, 40, 0, 20, 2.4},
        // 0.12 x 30 = 3.6 > 3.5 first: critical depth 30 ft; 3.36 + 0.24
        {"at a stress", 1, 0, 30, 40, 30, 30, 3.6},
        // deepest stress 2.4 ksf: no critical depth, no limit
        {"stress never reached", 1, 0, 30, 20, 0, 0, 0},
        // user depth 5 ft: top of segment 4 at 3 ft: 0.36 + 0.24
        {"user depth", 2, 5, 30, 40, 5, 5, 0.6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        Checked k;
        ProblemData& p = k.problem();
        p.pile.embeddedLength = 10;
        p.pile.outsideDiameter = 12;
        p.options.criticalDepthOption = c.option;
        p.options.criticalDepth = c.given;
        uniformSoil(k, 1, 120, c.phi, c.bottom);
        buildSoilSegments((*k.store).problem, (*k.store).grid);
        EXPECT_EQ(p.options.criticalDepth, c.criticalDepth);
        const int n = k.store->grid.segmentCount;
        for (int i = 1; i <= n; ++i) {
            const double expected = c.firstLimited > 0 && i >= c.firstLimited ? c.limitedStress : 0.12 * i;
            EXPECT_NEAR(k.limited(2 * i), expected, 1e-9) << i;
        }
    }
}

TEST(SoilSegments, ClayTakesTheCriticalDepthOfTheSandAboveIt) {
    // Clay 0-10 ft, sand of 30 degrees 10-40 ft, clay 40-60 ft; 120 pcf.
    Checked k;
    ProblemData& p = k.problem();
    p.pile.embeddedLength = 30;
    p.pile.outsideDiameter = 12;
    k.rows({0, 10, 10, 40, 40, 60});
    const double types[] = {0, 2, 2, 1, 1, 2, 2};
    for (int i = 1; i <= 6; ++i) {
        k.row(i).soilType = types[i];
        k.row(i).effectiveUnitWeight = 120;
        k.row(i).frictionAngle = types[i] == 1 ? 30 : 0;
        k.row(i).undrainedShearStrength = 1.0;
    }
    p.soilProfileBottom = 60;
    k.store->grid.segmentCount = 60;
    buildSoilSegments((*k.store).problem, (*k.store).grid);
    EXPECT_EQ(k.segment(10).soilType, 2);
    EXPECT_EQ(k.segment(11).soilType, 1);
    EXPECT_EQ(k.segment(41).soilType, 2);
    // The top clay has no sand above it: no limit. From 10 ft on the sand's
    // 10 ft critical depth holds: 0.96 + 2 x 0.12 = 1.2 ksf, also in the
    // clay below the sand.
    for (int i = 1; i <= 10; ++i) EXPECT_NEAR(k.limited(2 * i), 0.12 * i, 1e-9) << i;
    for (int i = 11; i <= 60; ++i) EXPECT_NEAR(k.limited(2 * i), 1.2, 1e-9) << i;
}

TEST(SoilSegments, NodeCountAndBatteredSegments) {
    Checked k;
    ProblemData& p = k.problem();
    p.options.lengthIncrement = 0.1;
    p.pile.embeddedLength = 0.7;  // 0.7 / 0.1 = 6.9999...: 7 + 1 nodes
    uniformSoil(k, 2, 100, 0, 5);
    buildSoilSegments((*k.store).problem, (*k.store).grid);
    EXPECT_EQ(k.store->grid.nodeCount, 8);

    Checked b;
    b.problem().pile.embeddedLength = 10;
    b.problem().pile.batterAngle = 60 * 3.1415927f / 180;
    uniformSoil(b, 2, 100, 0, 20);
    buildSoilSegments((*b.store).problem, (*b.store).grid);
    // Segments 1 ft along the pile are 0.5 ft thick: 0.05 ksf each.
    EXPECT_NEAR(b.store->grid.verticalIncrement, 0.5, 1e-7);
    EXPECT_NEAR(b.segment(20).segmentBottom, 10.0, 1e-6);
    EXPECT_NEAR(b.stress(40), 1.0, 1e-6);
}

TEST(GridCheck, TheSegmentsMustHoldThePileTip) {
    struct Case {
        const char* title;
        std::vector<double> rows;
        double bottom, increment, embedded, batterDegrees;
        bool passes;
    } cases[] = {
        {"segments and rows reach below the tip", {0, 10, 70}, 70, 1, 60, 0, true},
        {"increment coarser than two diameters", {0, 10, 70}, 64, 5, 60, 0, false},
        {"steep batter", {0, 10, 70}, 35, 1, 60, 60, false},
        {"rows end above the last segment", {0, 10, 70}, 80, 1, 60, 0, false},
        {"last row just below the last segment's top", {0, 10, 70.5}, 71, 1, 60, 0, true},
        {"first two rows share a depth below ground", {5, 5, 70}, 70, 1, 60, 0, false},
        {"first two rows at the ground surface", {0, 0, 70}, 70, 1, 60, 0, true},
        {"one row", {70}, 70, 1, 60, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        Checked k;
        ProblemData& p = k.problem();
        int i = 0;
        for (double d : c.rows) k.row(++i).depth = d;
        p.layerCount = i;
        p.soilProfileBottom = c.bottom;
        p.options.lengthIncrement = c.increment;
        p.pile.embeddedLength = c.embedded;
        p.pile.batterAngle = c.batterDegrees * 3.1415927f / 180;
        k.store->grid.segmentCount = countSegments(p);
        EXPECT_EQ(checkGridCoversPile((*k.store).problem, (*k.store).grid, (*k.store).report, (*k.store).console),
                  c.passes);
        EXPECT_EQ(k.report.str().empty(), c.passes);
        EXPECT_EQ(k.console.str(), k.report.str());
    }
}

// Whole runs of the example problem changed line by line.
std::string replaceLine(const std::string& text, int number, const std::string& line) {
    auto lines = test::splitLines(text);
    lines.at(static_cast<size_t>(number - 1)) = line;
    std::string out;
    for (const auto& l : lines) out += l + "\n";
    return out;
}

struct EarlyEnd {
    const char* title;
    std::vector<std::pair<int, std::string>> changes;  // line number, new line
    std::vector<std::string> reportTail;
    bool onConsole;
};

TEST(EarlyEnds, ReportMessageStatusOneAndNoPlotData) {
    const EarlyEnd cases[] = {
        {"soil profile shorter than the pile plus two diameters",
         {{5, "0 0 24 23 29000000 60 5 0 0.0 1"}, {9, "58 0"}},
         {"               Date:  March 05, 2024     Time:  14:07:09", "", "",
          "          COMPUTATION DOES NOT PROCEED BECAUSE THE DEEPEST SOIL PROFILE   58.00 FT.",
          "          IS LESS THAN PILE EMBEDDED LENGTH PLUS TWO TIMES THE PILE DIAMETER      59.00 FT."},
         false},
        {"more than 500 segments",
         {{7, "0 0.1 1 0 4 0 0"}, {9, "100 0"}},
         {"", "", " YOUR NUMBERS OF SEGMENT 1000 IS LARGER THAN",
          " DEFAULT VALUE 500. YOU MIGHT WANT TO CHANGE THE LENGTH OF ",
          " SEGMENT OR CONSULT BRAVIK, INC. FOR CHANGING THE DEFAULT VALUE"},
         true},
        {"length increment coarser than two diameters",
         {{7, "0 5 1 0 4 0 0"}, {9, "64 0"}},
         {"", "",
          "          COMPUTATION DOES NOT PROCEED BECAUSE THE COMPUTATION SEGMENTS END AT THE DEPTH      60.00 FT.",
          "          AND DO NOT REACH BELOW THE PILE TIP AT THE DEPTH      60.00 FT.",
          "          PLEASE EXTEND THE DEEPEST SOIL PROFILE OR USE A SMALLER INCREMENT OF PILE LENGTH"},
         true},
        // 60 x cos(60 deg) + 4 = 34.0 <= 35; 35 segments of 0.5 ft reach 17.5 ft.
        {"steep batter",
         {{6, "0 0 60"}, {9, "35 0"}},
         {"", "",
          "          COMPUTATION DOES NOT PROCEED BECAUSE THE COMPUTATION SEGMENTS END AT THE DEPTH      17.50 FT.",
          "          AND DO NOT REACH BELOW THE PILE TIP AT THE DEPTH      30.00 FT.",
          "          PLEASE EXTEND THE DEEPEST SOIL PROFILE OR USE A SMALLER INCREMENT OF PILE LENGTH"},
         true},
        {"soil rows ending above the last segment",
         {{9, "80 0"}},
         {"", "",
          "          COMPUTATION DOES NOT PROCEED BECAUSE THE SOIL LAYER TABLE ENDS AT THE DEPTH      70.00 FT.",
          "          AND DOES NOT REACH BELOW THE TOP OF THE LAST SEGMENT AT      79.00 FT.",
          "          PLEASE GIVE SOIL LAYER ROWS DOWN TO THE DEEPEST SOIL PROFILE   80.00 FT."},
         true},
        // Rows at 5 and 5.3 ft merge into 5 ft.
        {"first two rows sharing a depth below the ground",
         {{10, "5 1 0.8 115 32 0"}, {12, "5.3 1 0.8 62.6 32 0"}},
         {"", "",
          "          COMPUTATION DOES NOT PROCEED BECAUSE THE FIRST TWO SOIL LAYER ROWS SHARE THE DEPTH       5.00 FT.",
          "          BELOW THE GROUND SURFACE: THE SOIL ABOVE THEM CANNOT BE EXTRAPOLATED",
          "          (ROW DEPTHS CLOSER THAN HALF THE INCREMENT OF PILE LENGTH ARE MERGED)"},
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        ScratchFolder folder;
        folder.copyFrom(test::testDataFolder() / "runs" / "pipe24");
        std::string input = folder.read("pipe24.in");
        for (const auto& [line, text] : c.changes) input = replaceLine(input, line, text);
        folder.write("pipe24.in", input);
        const auto result = test::runEngine(folder.path());
        EXPECT_EQ(result.status, 1);
        const auto report = folder.lines("pipe24.out");
        ASSERT_GE(report.size(), c.reportTail.size());
        const std::vector<std::string> tail(report.end() - static_cast<long>(c.reportTail.size()), report.end());
        EXPECT_EQ(tail, c.reportTail);
        // The message lines, also on the console except for the depth check.
        for (const auto& line : c.reportTail)
            if (!line.empty() && line.find("Date:") == std::string::npos) {
                EXPECT_EQ(result.console.find("\n" + line + "\n") != std::string::npos, c.onConsole) << line;
            }
        EXPECT_EQ(folder.read("pipe24.plt"), "");
    }
}

TEST(EarlyEnds, FiveHundredSegmentsAndTheEveryBlockProblemGoOn) {
    ScratchFolder folder;
    folder.copyFrom(test::testDataFolder() / "runs" / "pipe24");
    std::string input = folder.read("pipe24.in");
    input = replaceLine(input, 7, "0 0.2 1 0 4 0 0");
    input = replaceLine(input, 9, "100 0");
    input = replaceLine(input, 18, "100 2 0 55 0 0");
    folder.write("pipe24.in", input);
    EXPECT_EQ(test::runEngine(folder.path()).status, 0);

    ScratchFolder si;
    si.copyFrom(test::testDataFolder() / "input");
    si.write("names.dat", test::namesFile({"every-block-si.in", "si.out", "si.plt", "every-block-si.cpt"}));
    const auto result = test::runEngine(si.path());
    EXPECT_EQ(result.status, 0) << result.console;
}

TEST(EarlyEnds, BadInputEndsTheRunWithItsMessage) {
    ScratchFolder folder;
    folder.copyFrom(test::testDataFolder() / "runs" / "pipe24");
    folder.write("pipe24.in", replaceLine(folder.read("pipe24.in"), 4, "1 5 81 0"));
    const auto result = test::runEngine(folder.path());
    EXPECT_EQ(result.status, 1);
    const std::string message =
        " *** ERROR IN FILE \"pipe24.in\", LINE 4: the number of soil rows is 81; it must be 1 to 80 (at most 80 "
        "rows)\n *** THE ANALYSIS CANNOT PROCEED.\n";
    EXPECT_NE(result.console.find(message), std::string::npos) << result.console;
    EXPECT_NE(folder.read("pipe24.out").find(message), std::string::npos);
    EXPECT_EQ(folder.read("pipe24.plt"), "");
}

}  // namespace
}  // namespace tovek
