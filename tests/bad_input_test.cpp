// Whole runs on damaged or extreme input: each ends either with status 0 and
// finite numbers throughout, or with status 1 and a message that names the
// file and the line; the report is closed either way. The problems start
// from the bundled example with one or more of its lines replaced.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <string>

#include "support/test_support.h"

namespace tovek {
namespace {

using test::ScratchFolder;

struct Outcome {
    int32_t status = -1;
    std::string console;
    std::string report;
    std::string plot;
};

// Runs the bundled example with the given lines (1-based) of the input data
// file replaced, and of the CPT data file when `cpt` is not empty.
// With `plotBefore` the plot data file holds that text before the run; a
// missing plot data file stays missing until the run opens it.
Outcome runExampleWith(const std::map<int, std::string>& inputLines, const std::string& cpt = "",
                       const std::string* plotBefore = nullptr) {
    ScratchFolder folder;
    folder.copyFrom(test::examplesFolder() / "pipe-pile");
    if (plotBefore) folder.write("pipe24.plt", *plotBefore);
    auto lines = folder.lines("pipe24.in");
    for (const auto& [number, text] : inputLines) lines.at(static_cast<size_t>(number - 1)) = text;
    std::string content;
    for (const auto& line : lines) content += line + "\n";
    folder.write("pipe24.in", content);
    if (!cpt.empty()) folder.write("pipe24.cpt", cpt);
    const auto result = test::runEngine(folder.path());
    Outcome out;
    out.status = result.status;
    out.console = result.console;
    out.report = folder.read("pipe24.out");
    if (folder.exists("pipe24.plt")) out.plot = folder.read("pipe24.plt");
    return out;
}

// A number field that holds no number: the words the layout writer uses for
// undefined and infinite values.
bool holdsNonFinite(const std::string& text) {
    static const std::regex word("(^|[^A-Za-z])-?(NaN|Inf|Infinity)([^A-Za-z]|$)");
    return std::regex_search(text, word);
}

// Selection codes far outside 0 and 1 select nothing and leave the soil
// table's choice of chart columns to the codes as written (their sum no
// longer fits a 32-bit integer).
TEST(BadInput, CapacityMethodCodesAtTheIntegerLimitRunAsUnselected) {
    const auto out = runExampleWith({{8, "2147483647 0 2147483647 1 1 0 0 0 0"}});
    EXPECT_EQ(out.status, 0) << out.console;
    EXPECT_NE(out.report.find("API RP-2A (2010)"), std::string::npos);
    EXPECT_FALSE(holdsNonFinite(out.report));
}

// An axial stiffness in the last places of the number range: the modulus
// 1E-20 psi times the area 1E-300 in2 gives AE = 1E-320 lb, and h x Q / AE
// overflows on the first segment, the one at the tip: 61 nodes give
// h = 60 / 61 = 0.9836 ft and its middle lies 60 - h / 2 = 59.51 ft from the
// head. The run ends instead of writing infinite movements into the curve.
TEST(BadInput, LoadSettlementBeyondTheRangeOfNumbersEndsTheRun) {
    const auto out = runExampleWith({{5, "0 0 24 23 1e-20 60 0 0 0.0 1"}, {28, "2 2\n0 1e-300\n60 1e-300"}});
    EXPECT_EQ(out.status, 1);
    const std::string message =
        "ERROR IN FILE \"pipe24.in\": the load-settlement curve cannot be computed: at 59.51 FT. from the pile "
        "head the pile load or movement exceeds the range of numbers";
    EXPECT_NE(out.console.find(message), std::string::npos) << out.console;
    EXPECT_NE(out.report.find(message), std::string::npos);
    EXPECT_FALSE(holdsNonFinite(out.report));
    EXPECT_FALSE(holdsNonFinite(out.plot));
}

// Factors far beyond any soil make the capacity overflow: the general
// method's unit end bearing at the ground, 40000 psf x 1E300 (tension
// reduction factor) / 1000 = 4E301 ksf, times the tip area of 3.14 ft2 and
// the bearing factor 1E300, is infinite at the first node. The run ends
// before the table heading instead of printing infinite capacities.
// A value far beyond any soil or pile (1E300) would overflow the products
// of the methods: it is refused as it is read, naming its field.
TEST(BadInput, ValuesBeyondTheRangeOfThePilesAndSoilsAreRefusedAsRead) {
    const auto out = runExampleWith({{11, "0 0 0 15 0 0 0 1000 40000 1 1e300 0 0 0"}, {26, "0 1e300"}});
    EXPECT_EQ(out.status, 1);
    const std::string message =
        "ERROR IN FILE \"pipe24.in\", LINE 11: the LRFD factor on bearing (column 16) in soil row 1, columns 6 to "
        "19 (record 10) is \"1e300\"; expected a value of at most 1.0E12 in magnitude";
    EXPECT_NE(out.console.find(message), std::string::npos) << out.console;
    EXPECT_NE(out.report.find(message), std::string::npos);
    EXPECT_FALSE(holdsNonFinite(out.report));
    EXPECT_FALSE(holdsNonFinite(out.plot));
}

// Soil rows out of depth order: the example's third row moved up to 5 ft,
// above the second row at 10 ft. Rows at one depth (a layer boundary, as
// rows 2 and 3 of the example) stay valid.
TEST(BadInput, SoilRowsOutOfDepthOrderAreRefused) {
    const auto out = runExampleWith({{14, "5 1 0.8 62.6 32 0"}});
    EXPECT_EQ(out.status, 1);
    const std::string message =
        "ERROR IN FILE \"pipe24.in\", LINE 14: the depth of soil row 3 (5) lies above that of "
        "soil row 2 (10); expected the soil rows in order of increasing depth";
    EXPECT_NE(out.console.find(message), std::string::npos) << out.console;
    EXPECT_NE(out.report.find(message), std::string::npos);
}

// CPT points out of depth order are refused when the CPT data are used
// (option 1 in record 7), and read as they are otherwise.
TEST(BadInput, CptPointsOutOfDepthOrderAreRefusedWhenTheProfileIsUsed) {
    const std::string cpt = "0 3\n0 1000\n10 2000\n4 3000\n";
    const auto used = runExampleWith({{7, "0 1.0 1 0 4 1 0"}}, cpt);
    EXPECT_EQ(used.status, 1);
    const std::string message =
        "ERROR IN FILE \"pipe24.cpt\", LINE 4: the depth of CPT point 3 (4) lies above that "
        "of CPT point 2 (10); expected the points in order of increasing depth";
    EXPECT_NE(used.console.find(message), std::string::npos) << used.console;
    EXPECT_EQ(runExampleWith({}, cpt).status, 0);
}

// Pile geometry that no pile has is refused on the pile line (line 5 of the
// example); a perimeter describes a non-circular pile without diameters.
TEST(BadInput, ImpossiblePileGeometryIsRefusedOnThePileLine) {
    struct Case {
        const char* line;
        const char* message;
    } cases[] = {
        {"0 0 24 23 29000000 0 0", "the total pile length (0, 6th value of the pile line) must be greater than 0"},
        {"0 0 24 23 29000000 -10 -20",
         "the total pile length (-10, 6th value of the pile line) must be greater than 0"},
        {"0 0 24 23 29000000 60 -5",
         "the pile stickup length (-5, 7th value of the pile line) is negative; expected 0 or the length above the "
         "ground"},
        {"0 0 0 0 29000000 60 0",
         "the outside diameter (0, 3rd value of the pile line) must be greater than 0 when no perimeter (1st value) "
         "is given"},
        {"0 0 -24 0 29000000 60 0", "the outside diameter (-24, 3rd value of the pile line)"},
        {"0 0 24 30 29000000 60 0",
         "the inside diameter (30, 4th value of the pile line) must be 0 (solid pile) or greater and smaller than the "
         "outside diameter (24, 3rd value)"},
        {"0 0 24 24 29000000 60 0", "the inside diameter (24, 4th value of the pile line)"},
        {"0 0 24 -1 29000000 60 0", "the inside diameter (-1, 4th value of the pile line)"},
    };
    for (const Case& c : cases) {
        const auto out = runExampleWith({{5, c.line}});
        EXPECT_EQ(out.status, 1) << c.line;
        EXPECT_NE(out.console.find(std::string("ERROR IN FILE \"pipe24.in\", LINE 5: ") + c.message), std::string::npos)
            << out.console;
    }
    // The enhanced end section (line 6) of the 24 in pipe: its bore too.
    for (const char* line : {"10 40 0", "10 24 0", "10 -5 0"}) {
        const auto out = runExampleWith({{6, line}});
        EXPECT_EQ(out.status, 1) << line;
        EXPECT_NE(out.console.find("ERROR IN FILE \"pipe24.in\", LINE 6: the inside diameter of the enhanced end "
                                   "section ("),
                  std::string::npos)
            << out.console;
    }
    EXPECT_NE(runExampleWith({{6, "10 40 0"}})
                  .console.find("section (40) must be 0 (solid) or greater and smaller "
                                "than the outside diameter (24)"),
              std::string::npos);
    // No section (length 0): its diameter is not used.
    EXPECT_EQ(runExampleWith({{6, "0 40 0"}}).status, 0);
    // A perimeter of 75.4 in (a circle of 24 in) needs no diameters.
    EXPECT_EQ(runExampleWith({{5, "75.4 0 0 0 29000000 60 0 0 0.0 1"}}).status, 0);
}

// A taper that closes the 24 in pile: the segments of h = 720 in / 61 =
// 11.80 in are walked from the head; the second one, 1.5 h = 17.70 in deep
// (1.48 ft), has 24 - 2 x 17.70 x tan(45 x 0.01745) = -11.4 in left. A
// taper of 90 degrees or more is refused as read; a realistic monotube taper
// runs.
TEST(BadInput, ATaperThatClosesThePileIsRefused) {
    const auto closing = runExampleWith({{7, "0 1.0 7 45 4 0 0"}});
    EXPECT_EQ(closing.status, 1);
    EXPECT_NE(closing.console.find("ERROR IN FILE \"pipe24.in\": the angle of taper (45.00 degrees) narrows the pile "
                                   "to no diameter at 1.48 FT. from the pile head"),
              std::string::npos)
        << closing.console;
    const auto right = runExampleWith({{7, "0 1.0 7 90 4 0 0"}});
    EXPECT_EQ(right.status, 1);
    EXPECT_NE(right.console.find("ERROR IN FILE \"pipe24.in\", LINE 7: the angle of taper must be less than 90 "
                                 "degrees, found 90"),
              std::string::npos);
    EXPECT_EQ(runExampleWith({{7, "0 1.0 7 0.5 4 0 0"}}).status, 0);
}

// The area table and the t-z factor table are read downwards too.
TEST(BadInput, AreaAndTzFactorTablesOutOfOrderAreRefused) {
    const auto area = runExampleWith({{28, "3 2\n0 47\n40 40\n20 40"}});
    EXPECT_EQ(area.status, 1);
    EXPECT_NE(area.console.find("ERROR IN FILE \"pipe24.in\", LINE 31: the distance of area point 3 (20) is less "
                                "than that of area point 2 (40); expected the points in order of increasing distance"),
              std::string::npos)
        << area.console;
    const auto factors = runExampleWith({{30, "1\n3\n0 1 1\n30 1 1\n10 1 1"}});
    EXPECT_EQ(factors.status, 1);
    EXPECT_NE(factors.console.find("ERROR IN FILE \"pipe24.in\", LINE 34: the depth of t-z factor row 3 (10) lies "
                                   "above that of t-z factor row 2 (30); expected the rows in order of increasing "
                                   "depth"),
              std::string::npos)
        << factors.console;
    // Equal distances and depths (a step) are in order.
    EXPECT_EQ(runExampleWith({{28, "3 2\n0 47\n20 47\n20 40"}}).status, 0);
    EXPECT_EQ(runExampleWith({{30, "1\n3\n0 1 1\n30 1 1\n30 2 2"}}).status, 0);
}

// A pile line that stops counting at an item that is not a number says so:
// a word, and a number too large for the range (a digit string of 400).
TEST(BadInput, APileLineStoppedByAnUnreadableItemNamesIt) {
    const auto word = runExampleWith({{5, "0 0 24 x23 29000000 60 0"}});
    EXPECT_EQ(word.status, 1);
    EXPECT_NE(word.console.find("ERROR IN FILE \"pipe24.in\", LINE 5: the pile line (record 5) holds 3 values, then "
                                "\"x23\", which is not a number in range; at least 7 are needed"),
              std::string::npos)
        << word.console;
    const auto huge = runExampleWith({{5, std::string(400, '9')}});
    EXPECT_NE(huge.console.find("holds 0 values, then \"" + std::string(40, '9') + "...\", which is not a number"),
              std::string::npos)
        << huge.console;
}

// A read of a single value names it once.
TEST(BadInput, AnUnreadableSingleValueIsNamedOnce) {
    const auto out = runExampleWith({{24, "abc"}});
    EXPECT_EQ(out.status, 1);
    EXPECT_NE(out.console.find("ERROR IN FILE \"pipe24.in\", LINE 24: expected a number for t-z print depth 1 "
                               "(record 11), found \"abc\"\n"),
              std::string::npos)
        << out.console;
}

// The report and the plot data file are emptied by the run, so neither may
// be one of the files the run reads, nor the other output file. The run
// ends before it writes anything, and every file keeps what it held.
TEST(BadInput, OutputFileNamingAFileOfTheRunEndsTheRunAndKeepsTheFiles) {
    struct Case {
        const char* report;
        const char* plot;
        const char* cpt;
        const char* message;
    } cases[] = {
        {"pipe24.in", "pipe24.plt", "pipe24.cpt",
         "ERROR IN FILE \"names.dat\", LINE 6: the report file \"pipe24.in\" is the same file as the input data "
         "file \"pipe24.in\""},
        {"sub/../pipe24.in", "pipe24.plt", "pipe24.cpt",
         "LINE 6: the report file \"sub/../pipe24.in\" is the same file as the input data file"},
        {"names.dat", "pipe24.plt", "pipe24.cpt",
         "LINE 6: the report file \"names.dat\" is the same file as the run-control file"},
        {"pipe24.cpt", "pipe24.plt", "pipe24.cpt",
         "LINE 6: the report file \"pipe24.cpt\" is the same file as the CPT"},
        {"pipe24.out", "pipe24.in", "pipe24.cpt",
         "LINE 7: the plot data file \"pipe24.in\" is the same file as the input data file"},
        {"pipe24.out", "pipe24.cpt", "pipe24.cpt",
         "LINE 7: the plot data file \"pipe24.cpt\" is the same file as the CPT"},
        {"pipe24.out", "pipe24.out", "pipe24.cpt",
         "LINE 7: the plot data file \"pipe24.out\" is the same file as the report file \"pipe24.out\""},
    };
    for (const Case& c : cases) {
        ScratchFolder folder;
        folder.copyFrom(test::examplesFolder() / "pipe-pile");
        std::filesystem::create_directory(folder.path() / "sub");
        const std::string names = test::namesFile({"pipe24.in", c.report, c.plot, c.cpt});
        folder.write("names.dat", names);
        const std::string input = folder.read("pipe24.in");
        const std::string cpt = folder.read("pipe24.cpt");
        const auto result = test::runEngine(folder.path());
        EXPECT_EQ(result.status, 1) << c.report << " " << c.plot;
        EXPECT_NE(result.console.find(c.message), std::string::npos) << result.console;
        EXPECT_EQ(folder.read("pipe24.in"), input);
        EXPECT_EQ(folder.read("pipe24.cpt"), cpt);
        EXPECT_EQ(folder.read("names.dat"), names);
        EXPECT_FALSE(folder.exists("pipe24.out") && c.report != std::string("pipe24.out"));
    }
}

TEST(BadInput, AFolderNamedAsAnInputFileIsReportedAsAFolder) {
    ScratchFolder folder;
    folder.copyFrom(test::examplesFolder() / "pipe-pile");
    std::filesystem::create_directory(folder.path() / "data");
    for (const auto& [input, cpt] : {std::pair{"data", "pipe24.cpt"}, std::pair{"pipe24.in", "data"}}) {
        folder.write("names.dat", test::namesFile({input, "pipe24.out", "pipe24.plt", cpt}));
        const auto result = test::runEngine(folder.path());
        EXPECT_EQ(result.status, 1);
        EXPECT_NE(result.console.find("ERROR IN FILE \"data\": this names a folder, not a file"), std::string::npos)
            << result.console;
        EXPECT_NE(folder.read("pipe24.out").find("this names a folder, not a file"), std::string::npos);
    }
}

// The plot data file of an earlier run stays byte for byte as it was when a
// run ends early, at whatever stage: the front end must not read a partial
// file as this run's results. Each case is the bundled example with lines
// replaced; the message names the line and the field.
TEST(BadInput, EarlyEndsLeaveThePlotDataFileAsItWas) {
    const std::string earlier = "    plot data of an earlier run\n  1.00  2.00\n";
    struct Case {
        const char* what;
        std::map<int, std::string> lines;
        const char* message;
    };
    const Case cases[] = {
        {"modulus of elasticity 0", {{5, "0 0 24 23 0 60 0 0 0.0 1"}},
         "LINE 5: the modulus of elasticity (0, 5th value of the pile line) must be greater than 0"},
        {"taper that closes the pile (ends in the load-settlement stage)", {{7, "0 1.0 5 89 4 0 0"}},
         "narrows the pile to no diameter"},
        {"tip-curve multiplier 1e308", {{32, "1\n1e308 1"}},
         "the tip load multiplier in the tip curve multipliers (record 18) is \"1e308\"; expected a value of at "
         "most 1.0E12 in magnitude"},
        {"tension reduction factor 1e308", {{26, "1 1e308"}},
         "LINE 26: the reduction factor for tension loading in record 12 (loading type, tension reduction "
         "factor) is \"1e308\""},
        {"t-z factors of 1e308 for Revised Lambda", {{7, "0 1.0 1 0 3 0 0"}, {30, "1\n2\n0 1e308 1\n60 -1e308 1"}},
         "the load-transfer factor in t-z factor row 1 (record 16) is \"1e308\""},
        {"peak movement -1e308", {{19, "0 0 1200 600 0 20 0 800 10800 1 1 0 -1e308 0"}},
         "the peak movement (column 18) in soil row 5, columns 6 to 19 (record 10) is \"-1e308\""},
        {"negative effective unit weight", {{10, "0 1 0.8 -115 32 0"}},
         "LINE 10: the effective unit weight (column 3) in soil row 1, depth and columns 1 to 5 (record 10) is "
         "\"-115\"; expected 0 or more"},
        {"values beyond column 1000", {{5, "0 0 24 23 29000000 60 0" + std::string(995, ' ') + "1 100.0 1"}},
         "LINE 5: the pile line (record 5) is 1027 characters long; expected at most 1000 characters"},
        {"soil profile too shallow", {{9, "50 0"}}, "COMPUTATION DOES NOT PROCEED BECAUSE THE DEEPEST SOIL PROFILE"},
        {"more than 500 segments", {{7, "0 0.1 1 0 4 0 0"}}, "YOUR NUMBERS OF SEGMENT  700 IS LARGER THAN"},
    };
    for (const Case& c : cases) {
        const auto out = runExampleWith(c.lines, "", &earlier);
        EXPECT_EQ(out.status, 1) << c.what;
        EXPECT_EQ(out.plot, earlier) << c.what;
        EXPECT_NE(out.report.find(c.message), std::string::npos) << c.what << "\n" << out.report;
        EXPECT_FALSE(holdsNonFinite(out.report)) << c.what;
    }
    // A run that goes through replaces the file with its own rows; an early
    // end with no plot data file before leaves it created, empty.
    const auto good = runExampleWith({}, "", &earlier);
    EXPECT_EQ(good.status, 0);
    EXPECT_EQ(good.plot.find("earlier run"), std::string::npos);
    EXPECT_EQ(good.plot.substr(0, 12), "           2");
    const auto none = runExampleWith({{9, "50 0"}});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.plot, "");
}

// Values that no soil or pile can have are refused as they are read, each
// naming its file, line and field; what the design gives a meaning stays
// accepted: a negative plasticity index, negative user unit values, zero as
// "use the default", elevations of any sign.
TEST(BadInput, PhysicalRangesOfTheInputValues) {
    struct Case {
        std::map<int, std::string> lines;
        std::string cpt;
        const char* message;  // empty: the run goes through
    };
    const std::string row1 = "0 0 0 15 0 0 0 1000 40000 1 1 0 0 0";
    auto secondRead = [](int column, const char* value) {
        std::vector<std::string> v = {"0", "0", "0", "15", "0", "0", "0", "1000", "40000", "1", "1", "0", "0", "0"};
        v.at(static_cast<size_t>(column - 6)) = value;
        std::string text;
        for (const auto& item : v) text += (text.empty() ? "" : " ") + item;
        return text;
    };
    const Case cases[] = {
        {{{10, "0 1 -0.8 115 32 0"}}, "", "the lateral earth pressure coefficient (column 2) in soil row 1"},
        {{{10, "0 1 0.8 115 90 0"}}, "", "the friction angle (column 4) in soil row 1, depth and columns 1 to 5 "
                                         "(record 10) is \"90\"; expected a value from 0 up to but not including 90"},
        {{{10, "0 1 0.8 115 -1 0"}}, "", "the friction angle (column 4)"},
        {{{10, "0 1 0.8 115 32 -20"}}, "", "the bearing capacity factor (column 5)"},
        {{{11, secondRead(6, "-1")}}, "", "the maximum unit friction (column 6)"},
        {{{11, secondRead(7, "-1")}}, "", "the maximum unit end bearing (column 7)"},
        {{{11, secondRead(8, "-1")}}, "", "the undisturbed shear strength (column 8)"},
        {{{11, secondRead(9, "-15")}}, "", "the remolded shear strength or blow count (column 9)"},
        {{{11, secondRead(10, "-2")}}, "", "the blow count or yield stress ratio (column 10)"},
        {{{11, secondRead(12, "-5")}}, "", "the cone tip resistance (column 12)"},
        {{{11, secondRead(15, "-1")}}, "", "the LRFD factor on friction (column 15)"},
        {{{11, secondRead(16, "-1")}}, "", "the LRFD factor on bearing (column 16)"},
        {{{11, secondRead(19, "-0.5")}}, "", "the residual factor (column 19)"},
        {{{5, "0 -1 24 23 29000000 60 0 0 0.0 1"}}, "", "the tip area (2nd value of the pile line) is -1"},
        {{{26, "0 -0.5"}}, "", "the reduction factor for tension loading"},
        {{{31, "1\n2\n0.1\n-0.2"}}, "", "movement 2 (record 17) is \"-0.2\"; expected 0 or more"},
        {{{32, "1\n0.9 -1"}}, "", "the tip movement multiplier"},
        {{{28, "2 2\n0 36.5\n60 0"}}, "", "the area in area point 2 (record 14) is \"0\"; expected a value greater "
                                          "than 0"},
        {{{9, "70 0"}, {28, "0 1"}}, "", "the cross-section area (record 9) is 0 while the area option (record 14) "
                                         "is 1"},
        {{}, "0 2\n0 1000\n10 -2000\n", "the cone tip resistance in CPT point 2 is \"-2000\"; expected 0 or more"},
        // Accepted: negative plasticity index and user values, zeros,
        // negative elevations.
        {{{11, "0 0 0 15 0 -10 0 -1000 -40000 1 1 0 0 0"}, {5, "0 0 24 23 29000000 60 0 1 -25.0 1"}}, "", ""},
    };
    for (const Case& c : cases) {
        const auto out = runExampleWith(c.lines, c.cpt);
        if (*c.message == '\0') {
            EXPECT_EQ(out.status, 0) << out.console;
            EXPECT_FALSE(holdsNonFinite(out.report));
            continue;
        }
        EXPECT_EQ(out.status, 1) << c.message;
        EXPECT_NE(out.console.find(c.message), std::string::npos) << c.message << "\n" << out.console;
        EXPECT_NE(out.console.find("ERROR IN FILE \"pipe24."), std::string::npos);
        EXPECT_NE(out.console.find(", LINE "), std::string::npos) << c.message;
    }
}

}  // namespace
}  // namespace tovek
