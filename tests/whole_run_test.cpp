// Whole runs: a problem folder in, report and plot data file out, compared
// with values worked out by hand from the formulas.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/test_support.h"

namespace tovek {
namespace {

using test::ScratchFolder;

// Index of the first line equal to `text`, or -1.
long find(const std::vector<std::string>& lines, const std::string& text) {
    const auto it = std::find(lines.begin(), lines.end(), text);
    return it == lines.end() ? -1 : it - lines.begin();
}

// A 78-column composed heading line with words starting at the given
// 1-based columns, written after 5 blanks.
std::string heading(std::initializer_list<std::pair<const char*, int>> words) {
    std::string line(78, ' ');
    for (const auto& [word, column] : words)
        line.replace(static_cast<size_t>(column - 1), std::string(word).size(), word);
    return std::string(5, ' ') + line;
}

// Closed-ended 24 in pipe, 20 ft in uniform clay (effective unit weight
// 120 pcf, undrained strength 2000 psf), API RP-2A, no tip averaging,
// LRFD factors 0.9 on friction and 0.8 on bearing, printing increment 5.
//
// Segment i (1 ft) has a bottom stress of 0.12 i ksf; psi = 2 / (0.12 i);
// alpha = 0.5 / psi^0.25 while psi > 1 (i <= 16), else 0.5 / psi^0.5
// (capped at 1); f_i = 2 alpha ksf on the whole segment. Node 1 takes f_1,
// node j >= 2 the bottom of segment j-1, f_(j-1). Perimeter
// 3.14159 x 24 / 12 = 6.28318 ft; skin increment (f_(j-1) + f_j)/2 x 1 ft x
// perimeter x 0.9. Node 6: f = 0.74008, skin 17.260; node 11: 0.88011,
// 40.328; node 16: 0.97400, 66.604; node 21: 1.09545 (psi 0.8333, alpha
// 0.5477), 95.679.
// End bearing: 9 x 2 ksf x 0.7853975 x 2^2 ft2 = 56.549 kips, the mean over
// the increment above the node (0 at the ground surface), x 0.8 = 45.239.
TEST(WholeRun, ClosedPipeInClayApiTableAndPlotRows) {
    ScratchFolder folder;
    folder.copyFrom(test::testDataFolder() / "runs" / "clay-closed");
    const auto result = test::runEngine(folder.path());
    ASSERT_EQ(result.status, 0) << result.console;

    const auto report = folder.lines("clay.out");
    const long title = find(report, std::string(28, ' ') + "*  API RP-2A (2010)  *");
    ASSERT_GE(title, 4);
    const std::vector<std::string> expected = {
        "",
        "",
        "",
        std::string(28, ' ') + std::string(22, '*'),
        std::string(28, ' ') + "*  API RP-2A (2010)  *",
        std::string(28, ' ') + std::string(22, '*'),
        "",
        heading({{"PILE LENGTH", 11}, {"SKIN", 31}, {"END", 48}, {"ULTIMATE", 61}}),
        heading({{"BELOW GND.", 11}, {"FRICTION", 29}, {"BEARING", 46}, {"CAPACITY", 61}}),
        heading({{"FT.", 15}, {"KIP", 32}, {"KIP", 48}, {"KIP", 64}}),
        //       15X    F7.2     9X        F8.1     8X        F8.1    7X         F9.1
        "                  0.00              0.0             0.0             0.0",
        "                  5.00             17.3            45.2            62.5",
        "                 10.00             40.3            45.2            85.6",
        "                 15.00             66.6            45.2           111.8",
        "                 20.00             95.7            45.2           140.9",
    };
    const std::vector<std::string> got(
        report.begin() + title - 4, report.begin() + std::min<long>(title - 4 + 15, static_cast<long>(report.size())));
    EXPECT_EQ(got, expected);

    // Plot data file: header (1 block, R = 5, English, API for load
    // transfer), then one row per printed node: 2X,F7.2,2X,F8.1,2X,F8.1,2X,
    // F9.1,2X,F9.3 with the node unit side friction last.
    const auto plot = folder.lines("clay.plt");
    ASSERT_GE(plot.size(), 6u);
    EXPECT_EQ(plot[0], "           1           5           1           4");
    const std::vector<std::string> rows = {
        "     0.00       0.0       0.0        0.0      0.495", "     5.00      17.3      45.2       62.5      0.740",
        "    10.00      40.3      45.2       85.6      0.880", "    15.00      66.6      45.2      111.8      0.974",
        "    20.00      95.7      45.2      140.9      1.095",
    };
    EXPECT_EQ(std::vector<std::string>(plot.begin() + 1, plot.begin() + 6), rows);
}

// The bundled example, whole report and plot data file. The expected files
// were checked line by line against two independent calculations of the
// input information, the API RP-2A and GENERAL METHOD tables, the plot
// blocks and the load-settlement part; review any change to them as
// carefully as a change of code. "@FOLDER@" stands for the problem folder.
TEST(WholeRun, BundledExampleReportAndPlotFile) {
    ScratchFolder folder;
    folder.copyFrom(test::examplesFolder() / "pipe-pile");
    const auto result = test::runEngine(folder.path());
    ASSERT_EQ(result.status, 0) << result.console;

    ScratchFolder expected;
    expected.copyFrom(test::testDataFolder() / "expected");
    std::vector<std::string> report = expected.lines("pipe-pile.out");
    for (std::string& line : report) {
        const auto at = line.find("@FOLDER@");
        if (at != std::string::npos) line.replace(at, 8, folder.path().string() + "/");
    }
    const auto gotReport = folder.lines("pipe24.out");
    ASSERT_EQ(gotReport.size(), report.size());
    for (size_t k = 0; k < report.size(); ++k) EXPECT_EQ(gotReport[k], report[k]) << "report line " << k + 1;
    const auto plot = expected.lines("pipe-pile.plt");
    const auto gotPlot = folder.lines("pipe24.plt");
    ASSERT_EQ(gotPlot.size(), plot.size());
    for (size_t k = 0; k < plot.size(); ++k) EXPECT_EQ(gotPlot[k], plot[k]) << "plot line " << k + 1;
}

// Input information and capacity tables of problems that between them reach
// the plug form with its marks, plugged and unplugged tips, closed tips,
// tension with self weight (English and SI), the user method, batter with
// elevations, an area table, an H-pile, no tip averaging and the sand limit
// marker 9999. Each expected section (from the "INPUT INFORMATION" heading
// to the last capacity row) and each expected plot header with its capacity
// blocks was checked line by line against an independent calculation.
TEST(WholeRun, InputInformationAndCapacityTables) {
    const char* problems[] = {"open-pipe-sand",
                              "si-battered-elevation",
                              "closed-pipe-tension-user",
                              "soft-clay-dense-sand",
                              "si-tension-precast-blow-count",
                              "si-tension-area-table-elevation",
                              "h-pile",
                              "no-averaging-sand-limit-marker"};
    ScratchFolder expected;
    expected.copyFrom(test::testDataFolder() / "expected");
    for (const char* name : problems) {
        SCOPED_TRACE(name);
        ScratchFolder folder;
        folder.copyFrom(test::testDataFolder() / "runs" / name);
        const auto result = test::runEngine(folder.path());
        ASSERT_EQ(result.status, 0) << result.console;

        const auto section = expected.lines(std::string(name) + ".out");
        const auto report = folder.lines("prob.out");
        const long start = find(report, section.front());
        ASSERT_GE(start, 0);
        ASSERT_LE(start + static_cast<long>(section.size()), static_cast<long>(report.size()));
        for (size_t k = 0; k < section.size(); ++k)
            EXPECT_EQ(report[static_cast<size_t>(start) + k], section[k]) << "section line " << k + 1;
        // The load-settlement notes follow the last table.
        EXPECT_EQ(report[static_cast<size_t>(start) + section.size() + 2], "            NOTES:");

        const auto plot = expected.lines(std::string(name) + ".plt");
        const auto gotPlot = folder.lines("prob.plt");
        ASSERT_GE(gotPlot.size(), plot.size());
        for (size_t k = 0; k < plot.size(); ++k) EXPECT_EQ(gotPlot[k], plot[k]) << "plot line " << k + 1;
    }
}

}  // namespace
}  // namespace tovek
