// Capacity tables of the result section and their plot rows, on hand-filled
// profiles. Every expected row is laid out by hand from its layout.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "capacity/prepare_profile.h"
#include "capacity_test_grid.h"
#include "engine/run_store.h"
#include "methods/methods.h"
#include "report/plot_file.h"
#include "report/printed_rows.h"
#include "report/result_tables.h"
#include "support/test_support.h"

namespace tovek {
namespace {

std::string sp(int n) { return std::string(static_cast<size_t>(n), ' '); }

constexpr double kTwentyDegrees = 20 * static_cast<double>(3.1415927f) / 180;

// An open-ended 24 in pipe in compression, plug decided by the engine, 1 ft
// increments, 11 nodes printed every 4 (nodes 1, 5, 9, 11), English units.
// The API and user-method profiles hold the same hand values; segment 9 has
// an LRFD bearing factor of 0.5, all others 1.
struct Tables {
    std::unique_ptr<RunStore> store = std::make_unique<RunStore>();
    std::ostringstream report;
    std::ostringstream plot;

    Tables() {
        store->report.attach(&report);
        store->plot.attach(&plot);
        ProblemData& p = store->problem;
        p.unitSystem = 1;
        p.printIncrement = 4;
        p.labels.lengthLabel = "FT.";
        p.labels.forceLabel = "KIP";
        p.pile.outsideDiameter = 24;
        p.pile.insideDiameter = 23;
        p.options.lengthIncrement = 1;
        store->grid.nodeCount = 11;
        store->grid.segmentCount = 13;
        store->grid.verticalIncrement = 1;
        for (int i = 1; i <= 13; ++i) store->grid.segments[i].lrfdBearingFactor = i == 9 ? 0.5 : 1.0;
        for (int32_t code : {kApi, kUserMethod, kFugro, kUwa}) {
            CapacityProfile& cap = store->method(code).capacity;
            MethodNodeArrays& nodes = store->method(code).nodes;
            // Nodes that are not printed hold values that would show.
            for (int j = 1; j <= 11; ++j) {
                cap.skinFriction[j] = 900 + j;
                cap.endBearing[j] = 800 + j;
                cap.plugFlag[j] = 2;
                cap.plugLength[j] = 700 + j;
                nodes.nodeSideFriction[j] = 9.999;
            }
            set(cap, nodes, 1, 0.0, 2.0, 2, 0.0, 0.0);
            set(cap, nodes, 5, 12.34, 20.0, 2, 4.0, 0.123);
            set(cap, nodes, 9, 45.678, 80.0, 1, 5.5, 1.5);
            set(cap, nodes, 11, 70.26, 100.0, 1, 5.5, 2.25);
        }
    }
    static void set(CapacityProfile& cap, MethodNodeArrays& nodes, int j, double skin, double bearing, int flag,
                    double plug, double unitFriction) {
        cap.skinFriction[j] = skin;
        cap.endBearing[j] = bearing;
        cap.plugFlag[j] = flag;
        cap.plugLength[j] = plug;
        nodes.nodeSideFriction[j] = unitFriction;
    }
    ProblemData& problem() { return store->problem; }
    void table(int32_t code) {
        prepareProfileForReport(*store, code);
        {
            auto out = (*store).tableOutput();
            writeMethodTable(out, *store, code);
        };
    }
    std::vector<std::string> reportLines() const { return test::splitLines(report.str()); }
    std::vector<std::string> plotLines() const { return test::splitLines(plot.str()); }
    // The rows after a heading block of `headingLines` lines.
    std::vector<std::string> rows(size_t headingLines) const {
        std::vector<std::string> all = reportLines();
        return {all.begin() + static_cast<long>(std::min(headingLines, all.size())), all.end()};
    }
};

// The plot rows of the four printed nodes (2X,F7.2,2X,F8.1,2X,F8.1,2X,F9.1,2X,F9.3)
// with the given first column.
std::vector<std::string> plotRows(const char* p1, const char* p5, const char* p9, const char* p11) {
    return {sp(2) + p1 + sp(2) + "     0.0" + sp(2) + "     2.0" + sp(2) + "      2.0" + sp(2) + "    0.000",
            sp(2) + p5 + sp(2) + "    12.3" + sp(2) + "    20.0" + sp(2) + "     32.3" + sp(2) + "    0.123",
            sp(2) + p9 + sp(2) + "    45.7" + sp(2) + "    40.0" + sp(2) + "     85.7" + sp(2) + "    1.500",
            sp(2) + p11 + sp(2) + "    70.3" + sp(2) + "   100.0" + sp(2) + "    170.3" + sp(2) + "    2.250"};
}

TEST(ResultHeading, PageEjectAndFramedTitle) {
    Tables t;
    writeResultHeading(t.store->report);
    EXPECT_EQ(t.reportLines(),
              (std::vector<std::string>{"", "", "", "1", sp(10) + std::string(22, '*'),
                                        sp(10) + "* COMPUTATION RESULT *", sp(10) + std::string(22, '*')}));
}

TEST(PrepareProfile, FactorsEndBearingAndFormsTheColumns) {
    Tables t;
    t.problem().pile.batterAngle = kTwentyDegrees;
    t.problem().options.elevationOutput = 1;
    t.problem().options.groundElevation = 100;
    CapacityProfile& cap = t.store->method(kApi).capacity;
    cap.pileLength[9] = -1;  // whatever a method left there
    prepareProfileForReport(*t.store, kApi);
    // Node 9: L = 8; E = 80 x 0.5 = 40; U = 45.678 + 40 = 85.678; the
    // elevation 100 - 8 cos 20 = 100 - 7.5175410 = 92.482459 in both columns.
    EXPECT_EQ(cap.pileLength[9], 8.0);
    EXPECT_EQ(cap.factoredEndBearing[9], 40.0);
    EXPECT_EQ(cap.endBearing[9], 80.0);  // the integration's value is kept
    EXPECT_NEAR(cap.ultimateCapacity[9], 85.678, 1e-12);
    EXPECT_NEAR(cap.depthBelowGround[9], 92.482459, 1e-6);
    EXPECT_NEAR(cap.plotPosition[9], 92.482459, 1e-6);
    EXPECT_NEAR(cap.ultimateCapacity[5], 32.34, 1e-12);
    // A second call gives the same profile: nothing is factored twice.
    prepareProfileForReport(*t.store, kApi);
    EXPECT_EQ(cap.factoredEndBearing[9], 40.0);
    EXPECT_NEAR(cap.ultimateCapacity[9], 85.678, 1e-12);
}

TEST(MethodTable, PlugFormMarksTheNodesWhereTheSoilPlugControls) {
    Tables t;
    t.table(kApi);
    const std::vector<std::string> lines = t.reportLines();
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[4], sp(28) + "*  API RP-2A (2010)  *");
    EXPECT_EQ(lines[7].substr(0, 23), sp(12) + "PILE LENGTH");  // plug variant: column 8 + 5
    EXPECT_EQ(lines[7].substr(68), "PLUG" + sp(11));            // column 64 + 5, to column 83
    // 11X,F7.2,6X,F8.1,6X,F8.1,A1,3X,F9.1,3X,F9.2: Z, S, E, mark, U, P.
    const std::vector<std::string> expected = {
        sp(11) + "   0.00" + sp(6) + "     0.0" + sp(6) + "     2.0" + "*" + sp(3) + "      2.0" + sp(3) + "     0.00",
        sp(11) + "   4.00" + sp(6) + "    12.3" + sp(6) + "    20.0" + "*" + sp(3) + "     32.3" + sp(3) + "     4.00",
        sp(11) + "   8.00" + sp(6) + "    45.7" + sp(6) + "    40.0" + " " + sp(3) + "     85.7" + sp(3) + "     5.50",
        sp(11) + "  10.00" + sp(6) + "    70.3" + sp(6) + "   100.0" + " " + sp(3) + "    170.3" + sp(3) + "     5.50",
    };
    EXPECT_EQ(t.rows(10), expected);
    EXPECT_EQ(t.plotLines(), plotRows("   0.00", "   4.00", "   8.00", "  10.00"));
}

TEST(MethodTable, EachPlotRowFollowsItsReportRow) {
    Tables t;
    std::ostringstream both;
    t.store->report.attach(&both);
    t.store->plot.attach(&both);
    t.table(kApi);
    const std::vector<std::string> lines = test::splitLines(both.str());
    ASSERT_EQ(lines.size(), 18u);
    const std::vector<std::string> plot = plotRows("   0.00", "   4.00", "   8.00", "  10.00");
    const char* const depths[] = {"   0.00", "   4.00", "   8.00", "  10.00"};
    for (size_t r = 0; r < 4; ++r) {
        EXPECT_EQ(lines[10 + 2 * r].substr(0, 18), sp(11) + depths[r]);
        EXPECT_EQ(lines[11 + 2 * r], plot[r]);
    }
}

TEST(MethodTable, PlainFormForClosedSolidPluggedUnpluggedOrTensionPiles) {
    struct Case {
        const char* name;
        double insideDiameter;
        int32_t tipClosure, plugOption, loadingType;
    };
    const Case cases[] = {
        {"closed tip", 23, 1, 0, 0}, {"solid pile", 0, 0, 0, 0}, {"plugged", 23, 0, 1, 0},
        {"unplugged", 23, 0, 2, 0},  {"tension", 23, 0, 0, 1},
    };
    for (const Case& c : cases) {
        Tables t;
        t.problem().pile.insideDiameter = c.insideDiameter;
        t.problem().pile.tipClosure = c.tipClosure;
        t.problem().options.plugOption = c.plugOption;
        t.problem().options.loadingType = c.loadingType;
        t.table(kApi);
        // 15X,F7.2,9X,F8.1,8X,F8.1,7X,F9.1: Z, S, E, U.
        const std::vector<std::string> expected = {
            sp(15) + "   0.00" + sp(9) + "     0.0" + sp(8) + "     2.0" + sp(7) + "      2.0",
            sp(15) + "   4.00" + sp(9) + "    12.3" + sp(8) + "    20.0" + sp(7) + "     32.3",
            sp(15) + "   8.00" + sp(9) + "    45.7" + sp(8) + "    40.0" + sp(7) + "     85.7",
            sp(15) + "  10.00" + sp(9) + "    70.3" + sp(8) + "   100.0" + sp(7) + "    170.3",
        };
        EXPECT_EQ(t.rows(10), expected) << c.name;
        EXPECT_EQ(t.plotLines(), plotRows("   0.00", "   4.00", "   8.00", "  10.00")) << c.name;
    }
}

TEST(MethodTable, BatteredPileShowsPileLengthAndVerticalDepth) {
    // Depths 4 cos 20 = 3.7587705, 8 cos 20 = 7.5175410, 10 cos 20 = 9.3969262.
    Tables t;
    t.problem().pile.batterAngle = kTwentyDegrees;
    t.table(kApi);
    const std::vector<std::string> lines = t.reportLines();
    EXPECT_EQ(lines[7].substr(0, 32), sp(11) + "PILE LENGTH" + sp(5) + "DEPTH");  // columns 12 and 28
    // 11X,F7.2,6X,F7.2,6X,F8.1,6X,F8.1,A1,3X,F9.1,3X,F9.2: L, Z, S, E, mark, U, P.
    const std::vector<std::string> expected = {
        sp(11) + "   0.00" + sp(6) + "   0.00" + sp(6) + "     0.0" + sp(6) + "     2.0" + "*" + sp(3) + "      2.0" +
            sp(3) + "     0.00",
        sp(11) + "   4.00" + sp(6) + "   3.76" + sp(6) + "    12.3" + sp(6) + "    20.0" + "*" + sp(3) + "     32.3" +
            sp(3) + "     4.00",
        sp(11) + "   8.00" + sp(6) + "   7.52" + sp(6) + "    45.7" + sp(6) + "    40.0" + " " + sp(3) + "     85.7" +
            sp(3) + "     5.50",
        sp(11) + "  10.00" + sp(6) + "   9.40" + sp(6) + "    70.3" + sp(6) + "   100.0" + " " + sp(3) + "    170.3" +
            sp(3) + "     5.50",
    };
    EXPECT_EQ(t.rows(10), expected);
    // The plot keeps the pile length.
    EXPECT_EQ(t.plotLines(), plotRows("   0.00", "   4.00", "   8.00", "  10.00"));

    // A closed-ended battered pile: 11X,F7.2,6X,F7.2,6X,F8.1,6X,F8.1,4X,F9.1.
    Tables closed;
    closed.problem().pile.batterAngle = kTwentyDegrees;
    closed.problem().pile.tipClosure = 1;
    closed.table(kApi);
    EXPECT_EQ(closed.rows(10)[1],
              sp(11) + "   4.00" + sp(6) + "   3.76" + sp(6) + "    12.3" + sp(6) + "    20.0" + sp(4) + "     32.3");
}

TEST(MethodTable, ElevationOutputInRowsHeadingAndPlot) {
    // Ground at elevation 100: 100, 96, 92, 90 for a vertical pile; the
    // battered pile's node 5 lies at 100 - 3.7587705 = 96.241230.
    Tables t;
    t.problem().options.elevationOutput = 1;
    t.problem().options.groundElevation = 100;
    t.table(kApi);
    EXPECT_EQ(t.reportLines()[7].substr(0, 22), sp(13) + "ELEVATION");  // column 9 + 5
    EXPECT_EQ(t.reportLines()[8].substr(0, 27), sp(27));                // no second word
    const std::vector<std::string> rows = t.rows(10);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].substr(0, 18), sp(11) + " 100.00");
    EXPECT_EQ(rows[1].substr(0, 18), sp(11) + "  96.00");
    EXPECT_EQ(rows[3].substr(0, 18), sp(11) + "  90.00");
    EXPECT_EQ(t.plotLines(), plotRows(" 100.00", "  96.00", "  92.00", "  90.00"));

    Tables battered;
    battered.problem().options.elevationOutput = 1;
    battered.problem().options.groundElevation = 100;
    battered.problem().pile.batterAngle = kTwentyDegrees;
    battered.table(kApi);
    EXPECT_EQ(battered.rows(10)[1].substr(0, 31), sp(11) + "   4.00" + sp(6) + "  96.24");
    EXPECT_EQ(battered.plotLines()[1].substr(0, 9), sp(2) + "  96.24");
}

TEST(MethodTable, TensionShowsTheSelfWeightUnderTensionWords) {
    Tables t;
    t.problem().options.loadingType = 1;
    t.store->method(kApi).capacity.endBearing[5] = -3.5;  // buoyant self weight
    t.table(kApi);
    const std::vector<std::string> lines = t.reportLines();
    EXPECT_EQ(lines[7].substr(0, 42), sp(15) + "PILE LENGTH" + sp(6) + "TOTAL SKIN");  // columns 16 and 33
    EXPECT_EQ(lines[8].find("WEIGHT"), 50u);                                           // column 46 + 5
    // U = 12.34 - 3.5 = 8.84.
    EXPECT_EQ(t.rows(10)[1], sp(15) + "   4.00" + sp(9) + "    12.3" + sp(8) + "    -3.5" + sp(7) + "      8.8");
}

TEST(MethodTable, ValuesTooWideForTheirFieldsPrintAsAsterisks) {
    Tables t;
    t.store->method(kApi).capacity.skinFriction[5] = 12345678.9;  // U = 12345698.9, ten characters
    t.table(kApi);
    EXPECT_EQ(t.rows(10)[1], sp(11) + "   4.00" + sp(6) + "********" + sp(6) + "    20.0" + "*" + sp(3) + "*********" +
                                 sp(3) + "     4.00");
    EXPECT_EQ(t.plotLines()[1],
              sp(2) + "   4.00" + sp(2) + "********" + sp(2) + "    20.0" + sp(2) + "*********" + sp(2) + "    0.123");
    EXPECT_EQ(t.rows(10).size(), 4u);
}

TEST(MethodTable, PrintedNodesEveryIncrementAndTheTip) {
    struct Case {
        int32_t nodeCount, printIncrement;
        std::vector<const char*> pileLengths;
    };
    const Case cases[] = {
        {11, 4, {"   0.00", "   4.00", "   8.00", "  10.00"}},
        {9, 4, {"   0.00", "   4.00", "   8.00"}},
        {3, 1, {"   0.00", "   1.00", "   2.00"}},
        {5, 4, {"   0.00", "   4.00"}},
        {5, 9, {"   0.00", "   4.00"}},
        {1, 4, {"   0.00"}},
        // A printing increment below 1 prints every node.
        {3, 0, {"   0.00", "   1.00", "   2.00"}},
    };
    for (const Case& c : cases) {
        Tables t;
        t.store->grid.nodeCount = c.nodeCount;
        t.problem().printIncrement = c.printIncrement;
        t.table(kApi);
        const std::vector<std::string> plot = t.plotLines();
        ASSERT_EQ(plot.size(), c.pileLengths.size()) << c.nodeCount << "/" << c.printIncrement;
        EXPECT_EQ(printedRowCount(c.nodeCount, c.printIncrement), static_cast<int32_t>(plot.size()));
        EXPECT_EQ(t.rows(10).size(), plot.size());
        for (size_t r = 0; r < plot.size(); ++r)
            EXPECT_EQ(plot[r].substr(2, 7), c.pileLengths[r]) << c.nodeCount << "/" << c.printIncrement;
    }
}

TEST(MethodTable, UserMethodFixedHeadingsAndRows) {
    struct Case {
        const char* name;
        double batter;
        int32_t loadingType, unitSystem;
        std::vector<std::string> columns;
        std::string row5;
    };
    const std::string c2units = sp(14) + "FT." + sp(10) + "KIP" + sp(11) + "KIP" + sp(10) + "KIP";
    const std::string c1units = sp(14) + "FT." + sp(10) + "FT." + sp(10) + "KIP" + sp(11) + "KIP" + sp(10) + "KIP";
    // 11X,F7.2,6X,F8.1,6X,F8.1,4X,F9.1 without the depth column; with it
    // 11X,F7.2,6X,F7.2,6X,F8.1,6X,F8.1,4X,F9.1. An open pipe with the plug
    // decided by the engine still has no plug columns here.
    const std::string plainRow = sp(11) + "   4.00" + sp(6) + "    12.3" + sp(6) + "    20.0" + sp(4) + "     32.3";
    const std::string depthRow =
        sp(11) + "   4.00" + sp(6) + "   3.76" + sp(6) + "    12.3" + sp(6) + "    20.0" + sp(4) + "     32.3";
    const Case cases[] = {
        {"C2",
         0,
         0,
         1,
         {sp(10) + "   PILE          SKIN          END       ULTIMATE",
          sp(10) + "PENETRATION   FRICTION       BEARING     CAPACITY", c2units},
         plainRow},
        {"C1, the user method's second line",
         kTwentyDegrees,
         0,
         1,
         {sp(10) + "PILE LENGTH      DEPTH         SKIN          END       ULTIMATE",
          sp(10) + "BELOW GND.    BELOW GND.    FRICTION        BEARING    CAPACITY", c1units},
         depthRow},
        {"C6",
         0,
         1,
         1,
         {sp(10) + "   PILE          SKIN          SELF      ULTIMATE",
          sp(10) + "PENETRATION   FRICTION        WEIGHT     CAPACITY", c2units},
         plainRow},
        {"C5",
         kTwentyDegrees,
         1,
         1,
         {sp(10) + "PILE LENGTH      DEPTH         SKIN          SELF      ULTIMATE",
          sp(10) + "BELOW GND.    BELOW GND.    FRICTION        WEIGHT     CAPACITY", c1units},
         depthRow},
        {"C2 in SI units",
         0,
         0,
         2,
         {sp(10) + "   PILE          SKIN          END       ULTIMATE",
          sp(10) + "PENETRATION   FRICTION       BEARING     CAPACITY",
          sp(14) + "M. " + sp(10) + "KN." + sp(11) + "KN." + sp(10) + "KN."},
         plainRow},
    };
    for (const Case& c : cases) {
        Tables t;
        t.problem().pile.batterAngle = c.batter;
        t.problem().options.loadingType = c.loadingType;
        if (c.unitSystem == 2) {
            t.problem().labels.lengthLabel = "M. ";
            t.problem().labels.forceLabel = "KN.";
        }
        t.table(kUserMethod);
        std::vector<std::string> heading = {
            "", "", "", sp(29) + std::string(18, '*'), sp(29) + "* GENERAL METHOD *", sp(29) + std::string(18, '*'),
            ""};
        heading.insert(heading.end(), c.columns.begin(), c.columns.end());
        const std::vector<std::string> lines = t.reportLines();
        ASSERT_EQ(lines.size(), 14u) << c.name;
        EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 10), heading) << c.name;
        EXPECT_EQ(lines[11], c.row5) << c.name;
        EXPECT_EQ(t.plotLines()[1], plotRows("", "   4.00", "", "")[1]) << c.name;
    }
}

TEST(MethodTable, FugroAndUwaFixedHeadings) {
    const std::string c1line1 = sp(10) + "PILE LENGTH      DEPTH         SKIN          END       ULTIMATE";
    const std::string c1line2 = sp(10) + "BELOW GND.    BELOW GND.    FRICTION       BEARING     CAPACITY";
    const std::string c2line1 = sp(10) + "   PILE          SKIN          END       ULTIMATE";
    const std::string c2line2 = sp(10) + "PENETRATION   FRICTION       BEARING     CAPACITY";
    const std::string fugroFrame = sp(20) + std::string(35, '*');
    const std::string uwaFrame = sp(13) + std::string(45, '*');

    // Fugro, vertical open pipe, plug by the engine: C4.
    Tables fugro;
    fugro.table(kFugro);
    const std::vector<std::string> fugroLines = fugro.reportLines();
    ASSERT_EQ(fugroLines.size(), 14u);
    EXPECT_EQ(
        std::vector<std::string>(fugroLines.begin(), fugroLines.begin() + 10),
        (std::vector<std::string>{"", "", "", fugroFrame, sp(20) + "*    FUGRO 2004 (FUGRO) METHOD    *", fugroFrame,
                                  "", c2line1 + sp(8) + "PLUG", c2line2 + sp(7) + "LENGTH",
                                  sp(14) + "FT." + sp(10) + "KIP" + sp(11) + "KIP" + sp(10) + "KIP" + sp(10) + "FT."}));
    EXPECT_EQ(fugro.rows(10)[1].back(), '0');  // the plug form ends with the plug length

    // UWA, battered open pipe: C3.
    Tables uwa;
    uwa.problem().pile.batterAngle = kTwentyDegrees;
    uwa.table(kUwa);
    const std::vector<std::string> uwaLines = uwa.reportLines();
    ASSERT_EQ(uwaLines.size(), 14u);
    EXPECT_EQ(std::vector<std::string>(uwaLines.begin(), uwaLines.begin() + 10),
              (std::vector<std::string>{"", "", "", uwaFrame, sp(13) + "*  UNIV. OF WESTERN AUSTRALIA (UWA) METHOD  *",
                                        uwaFrame, "", c1line1 + sp(8) + "PLUG", c1line2 + sp(7) + "LENGTH",
                                        sp(14) + "FT." + sp(10) + "FT." + sp(10) + "KIP" + sp(11) + "KIP" + sp(10) +
                                            "KIP" + sp(10) + "FT."}));

    // Plain piles get C1 and C2 (with the common second line of C1).
    Tables closedBattered;
    closedBattered.problem().pile.tipClosure = 1;
    closedBattered.problem().pile.batterAngle = kTwentyDegrees;
    closedBattered.table(kUwa);
    EXPECT_EQ(closedBattered.reportLines()[7], c1line1);
    EXPECT_EQ(closedBattered.reportLines()[8], c1line2);
    Tables plugged;
    plugged.problem().options.plugOption = 1;
    plugged.table(kFugro);
    EXPECT_EQ(plugged.reportLines()[7], c2line1);
    EXPECT_EQ(plugged.reportLines()[8], c2line2);

    // Loading type 2: no heading block at all; the rows of the plug form
    // follow directly (the table of the earlier cases has 14 lines: 3 empty,
    // frame, title, frame, empty, 3 column lines and 4 rows).
    Tables other;
    other.problem().options.loadingType = 2;
    other.table(kFugro);
    EXPECT_EQ(other.reportLines().size(), 4u);
}

// The user-specified method from its unit values to its printed rows, and
// the API method from its friction to its rows, as the two passes run them
// (the API end bearing is set by hand where the integrator would act).
TEST(MethodTable, MethodsFromUnitValuesToRows) {
    test::CapacityGrid grid(4);
    grid.nodes(3);
    auto store = grid.take();
    std::ostringstream report, plot;
    store->report.attach(&report);
    store->plot.attach(&plot);
    ProblemData& p = store->problem;
    p.printIncrement = 1;
    p.labels = {"FT.", "IN.", "KIP", "KSF", "LB/FT^3", "IN2", "PSI"};
    p.pile.outsideDiameter = 12;
    p.pile.tipClosure = 1;
    ComputationGrid& g = store->grid;
    const double stress[] = {0, 0, 0.1, 0.1, 0.2, 0.2, 0.5, 0.5, 2.0};
    for (int k = 1; k <= 8; ++k) g.boundaryStress[k] = stress[k];
    for (int i = 1; i <= 4; ++i) {
        SoilSegment& s = g.segments[i];
        s.soilType = i <= 2 ? 1 : 2;
        s.lateralEarthPressure = 0.8;
        s.frictionAngle = 35;
        s.undrainedShearStrength = 0.5;
        s.userUnitSkinFriction = 0.2 * i;
        s.userUnitEndBearing = 10.0 * i;
        s.lrfdFrictionFactor = 1;
        s.lrfdBearingFactor = 1;
    }

    computeUserMethodCapacity(*store, (*store).report);
    prepareProfileForReport(*store, kUserMethod);
    {
        auto out = (*store).tableOutput();
        writeMethodTable(out, *store, kUserMethod);
    };
    // Skin 0, 0.2 x P = 0.6283180, 0.6283180 + 0.4 x P = 1.8849541 (P = 3.14159);
    // bearing 10, 10, 20 x 0.7853975 = 7.853975, 7.853975, 15.70795.
    const std::vector<std::string> userRows = {
        sp(11) + "   0.00" + sp(6) + "     0.0" + sp(6) + "     7.9" + sp(4) + "      7.9",
        sp(11) + "   1.00" + sp(6) + "     0.6" + sp(6) + "     7.9" + sp(4) + "      8.5",
        sp(11) + "   2.00" + sp(6) + "     1.9" + sp(6) + "    15.7" + sp(4) + "     17.6",
    };
    std::vector<std::string> lines = test::splitLines(report.str());
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 10, lines.end()), userRows);
    EXPECT_EQ(
        test::splitLines(plot.str()),
        (std::vector<std::string>{
            sp(2) + "   0.00" + sp(2) + "     0.0" + sp(2) + "     7.9" + sp(2) + "      7.9" + sp(2) + "    0.200",
            sp(2) + "   1.00" + sp(2) + "     0.6" + sp(2) + "     7.9" + sp(2) + "      8.5" + sp(2) + "    0.400",
            sp(2) + "   2.00" + sp(2) + "     1.9" + sp(2) + "    15.7" + sp(2) + "     17.6" + sp(2) + "    0.600"}));

    report.str("");
    plot.str("");
    computeApiFriction(*store, (*store).report);
    for (int j = 1; j <= 3; ++j) store->method(kApi).capacity.endBearing[j] = 5.0 * j;
    prepareProfileForReport(*store, kApi);
    {
        auto out = (*store).tableOutput();
        writeMethodTable(out, *store, kApi);
    };
    // Skin 0, 0.0725519, 0.2902075 (sand, no limits); node friction 0,
    // 0.046188, 0.092376; a closed tip: plain rows.
    lines = test::splitLines(report.str());
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[10], sp(15) + "   0.00" + sp(9) + "     0.0" + sp(8) + "     5.0" + sp(7) + "      5.0");
    EXPECT_EQ(lines[11], sp(15) + "   1.00" + sp(9) + "     0.1" + sp(8) + "    10.0" + sp(7) + "     10.1");
    EXPECT_EQ(lines[12], sp(15) + "   2.00" + sp(9) + "     0.3" + sp(8) + "    15.0" + sp(7) + "     15.3");
    EXPECT_EQ(test::splitLines(plot.str())[2],
              sp(2) + "   2.00" + sp(2) + "     0.3" + sp(2) + "    15.0" + sp(2) + "     15.3" + sp(2) + "    0.092");
}

}  // namespace
}  // namespace tovek
