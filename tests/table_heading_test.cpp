// Composed headings of the capacity tables: word placement and the written
// block of every variant.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "report/table_heading.h"
#include "support/test_support.h"

namespace tovek {
namespace {

using Placement = std::vector<std::pair<int, std::string>>;

// A 78-column line with each word starting at its column (from 1).
std::string lineWith(const Placement& words) {
    std::string line(kHeadingLineWidth, ' ');
    for (const auto& [column, word] : words) line.replace(static_cast<size_t>(column - 1), word.size(), word);
    return line;
}

struct HeadingArgs {
    int32_t unitSystem = 1;
    int32_t loadingType = 0;
    double batterAngle = 0.0;
    int32_t elevationOutput = 0;
    double insideDiameter = 23.0;
    int32_t tipClosure = 0;
    int32_t plugOption = 0;
};

std::vector<std::string> headingLines(const HeadingArgs& a, const char* title = "*  API RP-2A (2010)  *",
                                      int titleLength = 22) {
    std::ostringstream out;
    ReportWriter report(&out);
    composeTableHeading(report, title, titleLength, a.unitSystem, a.loadingType, a.batterAngle, a.elevationOutput,
                        a.insideDiameter, a.tipClosure, a.plugOption);
    return test::splitLines(out.str());
}

struct VariantCase {
    const char* name;
    HeadingArgs args;
    Placement line1, line2, line3;
};

// Start columns within the 78-column composed line (the report line adds the
// 5-blank indent), English labels.
const VariantCase kVariants[] = {
    {"plain, no depth column (closed tip)",
     {.insideDiameter = 0.0},
     {{11, "PILE LENGTH"}, {31, "SKIN"}, {48, "END"}, {61, "ULTIMATE"}},
     {{11, "BELOW GND."}, {29, "FRICTION"}, {46, "BEARING"}, {61, "CAPACITY"}},
     {{15, "FT."}, {32, "KIP"}, {48, "KIP"}, {64, "KIP"}}},
    {"plain, depth column (tip closure 1)",
     {.batterAngle = 0.2, .tipClosure = 1},
     {{8, "PILE LENGTH"}, {25, "DEPTH"}, {38, "SKIN"}, {52, "END"}, {62, "ULTIMATE"}},
     {{8, "BELOW GND."}, {22, "BELOW GND."}, {36, "FRICTION"}, {50, "BEARING"}, {62, "CAPACITY"}},
     {{12, "FT."}, {26, "FT."}, {39, "KIP"}, {52, "KIP"}, {65, "KIP"}}},
    {"plug, no depth column",
     {},
     {{8, "PILE LENGTH"}, {25, "SKIN"}, {39, "END"}, {49, "ULTIMATE"}, {64, "PLUG"}},
     {{8, "BELOW GND."}, {23, "FRICTION"}, {37, "BEARING"}, {49, "CAPACITY"}, {63, "LENGTH"}},
     {{12, "FT."}, {26, "KIP"}, {39, "KIP"}, {52, "KIP"}, {65, "FT."}}},
    {"plug, depth column",
     {.batterAngle = 0.3},
     {{7, "PILE LENGTH"}, {23, "DEPTH"}, {35, "SKIN"}, {48, "END"}, {57, "ULTIMATE"}, {71, "PLUG"}},
     {{7, "BELOW GND."}, {20, "BELOW GND."}, {33, "FRICTION"}, {46, "BEARING"}, {57, "CAPACITY"}, {70, "LENGTH"}},
     {{11, "FT."}, {24, "FT."}, {36, "KIP"}, {48, "KIP"}, {60, "KIP"}, {72, "FT."}}},
    {"tension, no depth column (open tip: tension words win)",
     {.loadingType = 1},
     {{11, "PILE LENGTH"}, {28, "TOTAL SKIN"}, {47, "SELF"}, {61, "ULTIMATE"}},
     {{11, "BELOW GND."}, {29, "FRICTION"}, {46, "WEIGHT"}, {61, "CAPACITY"}},
     {{15, "FT."}, {32, "KIP"}, {48, "KIP"}, {64, "KIP"}}},
    {"tension, depth column (negative batter)",
     {.loadingType = 1, .batterAngle = -0.1},
     {{8, "PILE LENGTH"}, {25, "DEPTH"}, {38, "SKIN"}, {51, "SELF"}, {62, "ULTIMATE"}},
     {{8, "BELOW GND."}, {22, "BELOW GND."}, {36, "FRICTION"}, {50, "WEIGHT"}, {62, "CAPACITY"}},
     {{12, "FT."}, {26, "FT."}, {39, "KIP"}, {52, "KIP"}, {65, "KIP"}}},
    // ELEVATION: one column right of "PILE LENGTH" without a depth column,
    // two columns left of "DEPTH" with one; the empty second word leaves
    // its place blank.
    {"plain, no depth column, elevation",
     {.elevationOutput = 1, .plugOption = 1},
     {{12, "ELEVATION"}, {31, "SKIN"}, {48, "END"}, {61, "ULTIMATE"}},
     {{29, "FRICTION"}, {46, "BEARING"}, {61, "CAPACITY"}},
     {{15, "FT."}, {32, "KIP"}, {48, "KIP"}, {64, "KIP"}}},
    {"plain, depth column, elevation",
     {.batterAngle = 0.2, .elevationOutput = 1, .plugOption = 2},
     {{8, "PILE LENGTH"}, {23, "ELEVATION"}, {38, "SKIN"}, {52, "END"}, {62, "ULTIMATE"}},
     {{8, "BELOW GND."}, {36, "FRICTION"}, {50, "BEARING"}, {62, "CAPACITY"}},
     {{12, "FT."}, {26, "FT."}, {39, "KIP"}, {52, "KIP"}, {65, "KIP"}}},
    {"plug, no depth column, elevation",
     {.elevationOutput = 1},
     {{9, "ELEVATION"}, {25, "SKIN"}, {39, "END"}, {49, "ULTIMATE"}, {64, "PLUG"}},
     {{23, "FRICTION"}, {37, "BEARING"}, {49, "CAPACITY"}, {63, "LENGTH"}},
     {{12, "FT."}, {26, "KIP"}, {39, "KIP"}, {52, "KIP"}, {65, "FT."}}},
    {"plug, depth column, elevation",
     {.batterAngle = 0.3, .elevationOutput = 1},
     {{7, "PILE LENGTH"}, {21, "ELEVATION"}, {35, "SKIN"}, {48, "END"}, {57, "ULTIMATE"}, {71, "PLUG"}},
     {{7, "BELOW GND."}, {33, "FRICTION"}, {46, "BEARING"}, {57, "CAPACITY"}, {70, "LENGTH"}},
     {{11, "FT."}, {24, "FT."}, {36, "KIP"}, {48, "KIP"}, {60, "KIP"}, {72, "FT."}}},
    {"tension, no depth column, elevation",
     {.loadingType = 1, .elevationOutput = 1},
     {{12, "ELEVATION"}, {28, "TOTAL SKIN"}, {47, "SELF"}, {61, "ULTIMATE"}},
     {{29, "FRICTION"}, {46, "WEIGHT"}, {61, "CAPACITY"}},
     {{15, "FT."}, {32, "KIP"}, {48, "KIP"}, {64, "KIP"}}},
    {"tension, depth column, elevation",
     {.loadingType = 1, .batterAngle = 0.1, .elevationOutput = 1},
     {{8, "PILE LENGTH"}, {23, "ELEVATION"}, {38, "SKIN"}, {51, "SELF"}, {62, "ULTIMATE"}},
     {{8, "BELOW GND."}, {36, "FRICTION"}, {50, "WEIGHT"}, {62, "CAPACITY"}},
     {{12, "FT."}, {26, "FT."}, {39, "KIP"}, {52, "KIP"}, {65, "KIP"}}},
    // SI labels start where the English ones do; "M. " places as "M.".
    {"plug, depth column, SI",
     {.unitSystem = 2, .batterAngle = 0.3},
     {{7, "PILE LENGTH"}, {23, "DEPTH"}, {35, "SKIN"}, {48, "END"}, {57, "ULTIMATE"}, {71, "PLUG"}},
     {{7, "BELOW GND."}, {20, "BELOW GND."}, {33, "FRICTION"}, {46, "BEARING"}, {57, "CAPACITY"}, {70, "LENGTH"}},
     {{11, "M."}, {24, "M."}, {36, "KN."}, {48, "KN."}, {60, "KN."}, {72, "M."}}},
};

TEST(ComposedHeading, EveryVariantPlacesItsWordsAtTheirColumns) {
    for (const VariantCase& v : kVariants) {
        const std::vector<std::string> lines = headingLines(v.args);
        ASSERT_EQ(lines.size(), 10u) << v.name;
        EXPECT_EQ(lines[0], "") << v.name;
        EXPECT_EQ(lines[1], "") << v.name;
        EXPECT_EQ(lines[2], "") << v.name;
        EXPECT_EQ(lines[3], std::string(28, ' ') + std::string(22, '*')) << v.name;
        EXPECT_EQ(lines[4], std::string(28, ' ') + "*  API RP-2A (2010)  *") << v.name;
        EXPECT_EQ(lines[5], lines[3]) << v.name;
        EXPECT_EQ(lines[6], "") << v.name;
        // Each composed line is written in full: 5 + 78 = 83 characters.
        EXPECT_EQ(lines[7], "     " + lineWith(v.line1)) << v.name;
        EXPECT_EQ(lines[8], "     " + lineWith(v.line2)) << v.name;
        EXPECT_EQ(lines[9], "     " + lineWith(v.line3)) << v.name;
        EXPECT_EQ(lines[7].size(), 83u) << v.name;
    }
}

TEST(ComposedHeading, VerticalPlugOptionOnePileReadsAtReportColumns) {
    // "PILE LENGTH", "SKIN", "END", "ULTIMATE" from report columns 16, 36, 53, 66.
    const std::string line = headingLines({.plugOption = 1})[7];
    EXPECT_EQ(line.find("PILE LENGTH"), 15u);
    EXPECT_EQ(line.find("SKIN"), 35u);
    EXPECT_EQ(line.find("END"), 52u);
    EXPECT_EQ(line.find("ULTIMATE"), 65u);
}

TEST(ComposedHeading, LongTitlesRunPastTheFrame) {
    const std::vector<std::string> ngi = headingLines({}, "*  NORWEIGIAN GEOTECHNICAL INSTITUTE (NGI) METHOD  *", 52);
    EXPECT_EQ(ngi[3], std::string(28, ' ') + std::string(22, '*'));
    // Columns 29 to 80.
    EXPECT_EQ(ngi[4], std::string(28, ' ') + "*  NORWEIGIAN GEOTECHNICAL INSTITUTE (NGI) METHOD  *");
    EXPECT_EQ(ngi[4].size(), 80u);
    const std::vector<std::string> icp = headingLines({}, "*  IMPERIAL COLLEGE (MTD) METHOD  *", 35);
    EXPECT_EQ(icp[4], std::string(28, ' ') + "*  IMPERIAL COLLEGE (MTD) METHOD  *");
}

TEST(ComposedHeading, EveryNonZeroLoadingCodeAndOnlyARealBatterChangeTheWords) {
    // Loading type 2: the tension words, although its rows are computed and
    // written as compression rows.
    EXPECT_EQ(headingLines({.loadingType = 2})[7], headingLines({.loadingType = 1})[7]);
    EXPECT_EQ(headingLines({.loadingType = 2})[8], headingLines({.loadingType = 1})[8]);
    // A batter angle below 1.0E-10 rad that is not zero: no depth column in
    // the heading (the rows have one).
    EXPECT_EQ(headingLines({.batterAngle = 1.0e-12})[7], headingLines({})[7]);
    EXPECT_EQ(headingLines({.batterAngle = -2.0e-10})[7], headingLines({.batterAngle = 0.3})[7]);
}

TEST(CenterWords, KeepsWordsInsideAndLetLaterWordsOverwrite) {
    using Words = std::vector<std::string_view>;
    // d = ceil(9 / 3) = 3: word 1 would start at 3 - 4 = -1 and is kept at
    // column 1; word 2 starts at 2 x 3 - 0 + 1 = 7 and blanks the rest.
    const Words overlap{"ABCDEFGH", "X"};
    EXPECT_EQ(centerWords(overlap, 9), "ABCDEFX  ");
    // d = ceil(12 / 3) = 4: word 2 would start at 8 - 5 + 1 = 4 and end past
    // column 12; it is moved left to end in the last column.
    const Words tooLong{"A", "LONGWORDXX"};
    EXPECT_EQ(centerWords(tooLong, 12), "  LONGWORDXX");
    // A word longer than the line is cut to it.
    const Words huge{"ABCDEFGHIJ"};
    EXPECT_EQ(centerWords(huge, 5), "ABCDE");
    // Trailing blanks do not count: "M. " is placed as "M." from column
    // d - 1 = 4 (d = 5).
    const Words label{"M. "};
    EXPECT_EQ(centerWords(label, 10), "   M.     ");
}

}  // namespace
}  // namespace tovek
