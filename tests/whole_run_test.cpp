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

// The lines of the report from `first` on, `count` of them; empty when
// `first` is not in the report.
std::vector<std::string> section(const std::vector<std::string>& report, const std::string& first, size_t count) {
    const long at = find(report, first);
    if (at < 0) return {};
    const size_t end = std::min(report.size(), static_cast<size_t>(at) + count);
    return std::vector<std::string>(report.begin() + at, report.begin() + static_cast<long>(end));
}

// The framed title of a composed heading (22 asterisks at 28X, the title
// running on past them) and of a fixed one (its own width at its indent).
std::vector<std::string> composedTitle(const std::string& title) {
    const std::string frame = std::string(28, ' ') + std::string(22, '*');
    return {frame, std::string(28, ' ') + title, frame, ""};
}
std::vector<std::string> fixedTitle(const std::string& title, size_t indent) {
    const std::string frame = std::string(indent, ' ') + std::string(title.size(), '*');
    return {frame, std::string(indent, ' ') + title, frame, ""};
}

std::vector<std::string> joined(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

const char* const kNgiTitle = "*  NORWEIGIAN GEOTECHNICAL INSTITUTE (NGI) METHOD  *";
const char* const kIcpTitle = "*  IMPERIAL COLLEGE (MTD) METHOD  *";
const char* const kFugroTitle = "*    FUGRO 2004 (FUGRO) METHOD    *";
const char* const kUwaTitle = "*  UNIV. OF WESTERN AUSTRALIA (UWA) METHOD  *";

// Closed-ended 12 in steel pipe (no bore), 4 ft in sand: K 0.8, 100 pcf,
// phi 35 (delta 30, tan 0.5773500), qc 100000 psf in the soil rows (the
// CPT profile is not read), no tip averaging, every node printed, the four
// cone methods selected, NGI for load transfer. Segment i (1 ft) has
// stresses 0.1 (i - 1) and 0.1 i ksf; node j at j - 1 ft reads the bottom
// of segment j - 1 (node 1 the top of segment 1). P = 3.14159 ft; skin
// increment (f(j-1) + f(j)) / 2 x 1 ft x P; tip area 0.7853975 ft2; the end
// bearing of node j is the mean of the tip force over segment j - 1.
//
// NGI (pa 2.0885546, F_tip x F_load = 1.6 x 1.3): z = (i - 1) / 4, so
// segment 1 carries nothing. Node 3, segment 2 bottom: x = 22 sqrt(pa x
// 0.2) = 14.218723, Dr = 0.4 ln(100 / x) = 0.7802442, f = pa (0.2 /
// pa)^0.25 x 2.1 (Dr - 0.1)^1.7 x 0.25 x 2.08 = 2.0885546 x 0.5562833 x
// 1.0908111 x 0.52 = 0.6590142; skin 0.6590142 / 2 x P = 1.0351763.
// NGI raises the top stress of segment 1 to 1.0E-8 in English units before
// its integration: the end bearing (pa 2.1168, Dr = 0.4 ln(qc / 22
// sqrt(pa s)), q = 0.8 qc / (1 + Dr^2)) is 4.4106308 there and 43.492476
// at 0.1 ksf, so node 2 has (4.4106308 + 43.492476) / 2 x 0.7853975 =
// 18.811491.
// ICP (R* = R = 6 in, r = 8 at every segment of this short pile): node 2,
// segment 1 bottom: sigma_rc = 0.029 x 100 x (0.1 / pa)^0.13 x 8^-0.38 =
// 0.8864288, eta = 218.81500, G = 424.45423, dsigma = 2 G x 0.0007874016 /
// 6 = 0.1114053, f = (0.8864288 + 0.1114053) x 0.5773500 = 0.5760995.
// Node 1 (top, s = 1.0E-8 after NGI) 0.127. End bearing (1 - 0.5
// log10(304.8 / 36)) x 100 = 53.614377 ksf, 42.108598 kips.
// Fugro (x = h / 6 = 8, 6, 4, 2 for segments 1 to 4): node 4, segment 3
// bottom at x = 4: 0.08 x 100 x (0.3 / pa)^0.05 x 4^-0.9 = 2.0849698;
// node 5 (x = 2) the same form times 2 / 4: 1.9735299. Node 1 is not 0:
// NGI left 1.0E-8 at the ground surface. End bearing 8.5 x 2.1168 x
// sqrt(100 / 2.1168) = 123.66843 ksf, 97.128876 kips.
// UWA (closed: FFR 0, A_re 1): node 2, segment 1 bottom (h / D = 4):
// sigma_rc = 0.03 x 100 x 4^-0.5 = 1.5, q_N = 218.81500, G = 185 x 100 /
// q_N^0.75 = 325.17258, dsigma = G x 0.0031496063 / 12 = 0.0853471, f =
// 0.9153002. End bearing 0.6 qc = 60 ksf, 47.12385 kips.
TEST(WholeRun, ConeMethodsClosedPipeInSandEnglish) {
    ScratchFolder folder;
    folder.copyFrom(test::testDataFolder() / "runs" / "cone-closed-sand");
    const auto result = test::runEngine(folder.path());
    ASSERT_EQ(result.status, 0) << result.console;
    const auto report = folder.lines("prob.out");

    const auto composedWords = std::vector<std::string>{
        heading({{"PILE LENGTH", 11}, {"SKIN", 31}, {"END", 48}, {"ULTIMATE", 61}}),
        heading({{"BELOW GND.", 11}, {"FRICTION", 29}, {"BEARING", 46}, {"CAPACITY", 61}}),
        heading({{"FT.", 15}, {"KIP", 32}, {"KIP", 48}, {"KIP", 64}}),
    };
    const auto fixedWords = std::vector<std::string>{
        "             PILE          SKIN          END       ULTIMATE",
        "          PENETRATION   FRICTION       BEARING     CAPACITY",
        "              FT.          KIP           KIP          KIP",
    };
    const std::vector<std::string> gap = {"", "", ""};
    //  15X    F7.2     9X        F8.1     8X        F8.1    7X         F9.1
    const std::vector<std::string> expected = joined({
        composedTitle(kNgiTitle),
        composedWords,
        {
            "                  0.00              0.0             0.0             0.0",
            "                  1.00              0.0            18.8            18.8",
            "                  2.00              1.0            36.7            37.7",
            "                  3.00              3.9            40.7            44.7",
            "                  4.00              8.3            43.5            51.7",
        },
        gap,
        composedTitle(kIcpTitle),
        composedWords,
        {
            "                  0.00              0.0             0.0             0.0",
            "                  1.00              1.1            42.1            43.2",
            "                  2.00              3.0            42.1            45.1",
            "                  3.00              5.1            42.1            47.2",
            "                  4.00              7.3            42.1            49.4",
        },
        gap,
        fixedTitle(kFugroTitle, 20),
        fixedWords,
        {
            "                  0.00              0.0             0.0             0.0",
            "                  1.00              2.4            97.1            99.5",
            "                  2.00              6.3            97.1           103.4",
            "                  3.00             11.8            97.1           108.9",
            "                  4.00             18.2            97.1           115.3",
        },
        gap,
        fixedTitle(kUwaTitle, 13),
        fixedWords,
        {
            "                  0.00              0.0             0.0             0.0",
            "                  1.00              2.8            47.1            49.9",
            "                  2.00              5.9            47.1            53.0",
            "                  3.00              9.6            47.1            56.7",
            "                  4.00             13.7            47.1            60.8",
        },
    });
    const auto first = std::string(28, ' ') + std::string(22, '*');
    EXPECT_EQ(section(report, first, expected.size()), expected);
    // The result heading is followed by the NGI table, and the UWA table by
    // the notes of the load-settlement stage.
    EXPECT_EQ(report[static_cast<size_t>(find(report, first)) - 4], "          **********************");
    EXPECT_EQ(report[static_cast<size_t>(find(report, first)) + expected.size() + 2], "            NOTES:");

    // Four blocks of five rows, NGI for load transfer; the last column is
    // the node unit friction.
    const auto plot = folder.lines("prob.plt");
    ASSERT_GE(plot.size(), 21u);
    EXPECT_EQ(plot[0], "           4           5           1           6");
    const std::vector<std::string> rows = {
        "     0.00       0.0       0.0        0.0      0.000", "     1.00       0.0      18.8       18.8      0.000",
        "     2.00       1.0      36.7       37.7      0.659", "     3.00       3.9      40.7       44.7      1.176",
        "     4.00       8.3      43.5       51.7      1.596", "     0.00       0.0       0.0        0.0      0.127",
        "     1.00       1.1      42.1       43.2      0.576", "     2.00       3.0      42.1       45.1      0.642",
        "     3.00       5.1      42.1       47.2      0.686", "     4.00       7.3      42.1       49.4      0.719",
        "     0.00       0.0       0.0        0.0      0.472", "     1.00       2.4      97.1       99.5      1.058",
        "     2.00       6.3      97.1      103.4      1.418", "     3.00      11.8      97.1      108.9      2.085",
        "     4.00      18.2      97.1      115.3      1.974", "     0.00       0.0       0.0        0.0      0.866",
        "     1.00       2.8      47.1       49.9      0.915", "     2.00       5.9      47.1       53.0      1.064",
        "     3.00       9.6      47.1       56.7      1.299", "     4.00      13.7      47.1       60.8      1.308",
    };
    EXPECT_EQ(std::vector<std::string>(plot.begin() + 1, plot.begin() + 21), rows);
}

// The same sand under an open-ended 12 in pipe with an 11 in bore, plug
// decided by the engine, nodes 1, 3 and 5 printed (printing increment 2),
// Fugro for load transfer. The wall (A_r = 0.7853975 x 23 / 144 =
// 0.1254454 ft2) bears on the cone resistance: 12.544544 kips at every
// node; the inside friction takes each method's own unit side friction
// (1.570795 x 11 / 12 = 1.4398955 kips per ksf of f_t + f_b per 1 ft
// segment). Where the wall and the plug friction U stay below the plugged
// tip P, the soil plug controls (asterisk) and the plug grows by 1 ft.
// NGI (open: F_tip 1.0): f at node 3 = 0.6590142 / 1.6 = 0.4118839; end
// bearing q = 0.7 qc / (1 + 3 Dr^2). Node 3: inside force to 2 ft
// 1.4398955 x (0 + 0 + 0.4747399 + 0.4118839) = 1.2766, U = 0 + 1.2766 +
// 12.544544 = 13.821 < P = 17.583: 13.8*, plug length 1.00 (node 2 was
// plugged at P = 8.338 < U).
// ICP (R* = sqrt(23) / 2 = 2.3979 in), its plugged tip raised to the wall:
// q = (0.5 - 0.25 x 0.9277125) x 100 = 26.807189 ksf, 21.054300 kips >
// 12.54. Node 5: U = 6.0554 + 12.5445 = 18.600 < 21.054: 18.6*, plug 4 ft.
// Fugro: q = 8.5 x 2.1168 x sqrt(100 / 2.1168) x (1 - (11/12)^2)^0.25 =
// 78.180813 ksf, 61.403 kips. UWA: FFR = (0.2794 / 1.5)^0.2 = 0.7145408,
// A_re = 0.3995873, q = 100 (0.15 + 0.45 A_re) = 32.981427 ksf.
TEST(WholeRun, ConeMethodsOpenPipeInSandWithThePlugDecided) {
    ScratchFolder folder;
    folder.copyFrom(test::testDataFolder() / "runs" / "cone-open-sand");
    const auto result = test::runEngine(folder.path());
    ASSERT_EQ(result.status, 0) << result.console;
    const auto report = folder.lines("prob.out");

    const auto composedWords = std::vector<std::string>{
        heading({{"PILE LENGTH", 8}, {"SKIN", 25}, {"END", 39}, {"ULTIMATE", 49}, {"PLUG", 64}}),
        heading({{"BELOW GND.", 8}, {"FRICTION", 23}, {"BEARING", 37}, {"CAPACITY", 49}, {"LENGTH", 63}}),
        heading({{"FT.", 12}, {"KIP", 26}, {"KIP", 39}, {"KIP", 52}, {"FT.", 65}}),
    };
    const auto fixedWords = std::vector<std::string>{
        "             PILE          SKIN          END       ULTIMATE        PLUG",
        "          PENETRATION   FRICTION       BEARING     CAPACITY       LENGTH",
        "              FT.          KIP           KIP          KIP          FT.",
    };
    const std::vector<std::string> gap = {"", "", ""};
    //  11X    F7.2     6X     F8.1  6X     F8.1 A1 3X    F9.1 3X     F9.2
    const std::vector<std::string> expected = joined({
        composedTitle(kNgiTitle),
        composedWords,
        {
            "              0.00           0.0           0.0          0.0        0.00",
            "              2.00           0.6          13.8*        14.5        1.00",
            "              4.00           5.2          19.1*        24.3        3.00",
        },
        gap,
        composedTitle(kIcpTitle),
        composedWords,
        {
            "              0.00           0.0           0.0          0.0        0.00",
            "              2.00           2.3          14.8*        17.1        2.00",
            "              4.00           6.3          18.6*        24.9        4.00",
        },
        gap,
        fixedTitle(kFugroTitle, 20),
        fixedWords,
        {
            "              0.00           0.0           0.0          0.0        0.00",
            "              2.00           2.8          15.3*        18.0        2.00",
            "              4.00           9.3          22.8*        32.1        4.00",
        },
        gap,
        fixedTitle(kUwaTitle, 13),
        fixedWords,
        {
            "              0.00           0.0           0.0          0.0        0.00",
            "              2.00           4.5          16.9*        21.4        2.00",
            "              4.00          10.6          22.6*        33.2        4.00",
        },
    });
    EXPECT_EQ(section(report, std::string(28, ' ') + std::string(22, '*'), expected.size()), expected);

    const auto plot = folder.lines("prob.plt");
    ASSERT_GE(plot.size(), 13u);
    EXPECT_EQ(plot[0], "           4           3           1           8");
    const std::vector<std::string> rows = {
        "     0.00       0.0       0.0        0.0      0.000", "     2.00       0.6      13.8       14.5      0.412",
        "     4.00       5.2      19.1       24.3      0.997", "     0.00       0.0       0.0        0.0      0.109",
        "     2.00       2.3      14.8       17.1      0.523", "     4.00       6.3      18.6       24.9      0.719",
        "     0.00       0.0       0.0        0.0      0.207", "     2.00       2.8      15.3       18.0      0.621",
        "     4.00       9.3      22.8       32.1      1.729", "     0.00       0.0       0.0        0.0      0.658",
        "     2.00       4.5      16.9       21.4      0.823", "     4.00      10.6      22.6       33.2      1.013",
    };
    EXPECT_EQ(std::vector<std::string>(plot.begin() + 1, plot.begin() + 13), rows);
}

// SI units, tension: an open-ended 610 mm pipe (580 mm bore, R* =
// sqrt(8925) = 94.472 mm), 4 m in sand (0 to 2 m: 19 kN/m3, phi 35) over
// clay (su 50, sr 25 kPa, YSR 2, 18 kN/m3), the clay from 6 m on with a
// plasticity index of -1 (segments 7 and 8, below the tip). The sand's qc
// comes from the CPT profile, 5000 + 1000 L kPa at the pile length L of
// the segment top. ICP for load transfer. P = 3.14159 x 0.61 = 1.9163699 m.
// Every row is plain; the end-bearing column holds the self weight
// 76.97263 x 0.7854 x (0.61^2 - 0.58^2) x z = 2.1582187 z kN.
// NGI in tension (F_load 1.0, open: F_tip 1.0): node 3, segment 2 bottom
// (s = 38, qc 6000): x = 22 sqrt(3800) = 1356.1711, Dr = 0.4 ln(6000 /
// x) = 0.5948376, f = 100 (0.38)^0.25 x 2.1 x 0.4948376^1.7 x 0.25 =
// 12.464987. Clay segment 3 (s_b = 56, psi = 0.8928571, PI 20): alpha =
// 0.6384839 + 0.6428571 (0.5172916 - 0.6384839) / 0.75 = 0.5346048, F =
// 0.8 + 0.2 sqrt(psi) = 0.9889822, f = 50 x F x alpha = 26.435732 (the
// floor 0.06 x 8^0.33 x 56 = 6.67 is lower): node 4.
// The clay rule (ICP, Fugro, UWA alike): segment 3, r = 2000 / 94.472 =
// 21.170, Kc = (2 - 0.625 log10 2) 2^0.42 21.170^-0.2 = 1.3164706, f_b =
// 0.8 x 56 x Kc x tan(24.5 deg) = 26.877759 (node 4 of all three).
// ICP sand in tension: (0.8 sigma_rc + dsigma) tan(30 deg) x 0.9, e.g.
// node 1 (s = 0): dsigma x tan(30) x 0.9 with eta = 5000 / sqrt(100 x 19)
// = 114.708, G = 5000 / (0.0203 + 0.00125 eta - 1.216E-6 eta^2) =
// 33855.9, dsigma = 2 G x 0.02 / 305 = 4.4401: 2.307.
// Fugro in tension: 0.045 qc (s / pa)^0.15 max(x, 4)^-0.85, 0 at s = 0.
// UWA in tension: 0.75 (sigma_rc + dsigma) tan(30 deg), node 1 (s / pa
// held at 1.0E-7): 16.789.
// Each of ICP, Fugro and UWA reports the two clay segments without a
// plasticity index before its table.
TEST(WholeRun, ConeMethodsOpenPipeInTensionSiSandOverClay) {
    ScratchFolder folder;
    folder.copyFrom(test::testDataFolder() / "runs" / "cone-open-si-tension");
    const auto result = test::runEngine(folder.path());
    ASSERT_EQ(result.status, 0) << result.console;
    const auto report = folder.lines("prob.out");

    const auto composedWords = std::vector<std::string>{
        heading({{"PILE LENGTH", 11}, {"TOTAL SKIN", 28}, {"SELF", 47}, {"ULTIMATE", 61}}),
        heading({{"BELOW GND.", 11}, {"FRICTION", 29}, {"WEIGHT", 46}, {"CAPACITY", 61}}),
        heading({{"M.", 15}, {"KN.", 32}, {"KN.", 48}, {"KN.", 64}}),
    };
    const auto fixedWords = std::vector<std::string>{
        "             PILE          SKIN          SELF      ULTIMATE",
        "          PENETRATION   FRICTION        WEIGHT     CAPACITY",
        "              M.           KN.           KN.          KN.",
    };
    const std::vector<std::string> message = {" ERROR - NO DATA FOUND FOR PLASTIC INDEX.",
                                              " ERROR - NO DATA FOUND FOR PLASTIC INDEX.", "", "", ""};
    const std::vector<std::string> expected = joined({
        composedTitle(kNgiTitle),
        composedWords,
        {
            "                  0.00              0.0             0.0             0.0",
            "                  1.00              0.0             2.2             2.2",
            "                  2.00             11.9             4.3            16.3",
            "                  3.00             49.2             6.5            55.7",
            "                  4.00            102.1             8.6           110.7",
        },
        message,
        composedTitle(kIcpTitle),
        composedWords,
        {
            "                  0.00              0.0             0.0             0.0",
            "                  1.00             15.6             2.2            17.8",
            "                  2.00             48.5             4.3            52.8",
            "                  3.00             93.7             6.5           100.1",
            "                  4.00            158.5             8.6           167.1",
        },
        message,
        fixedTitle(kFugroTitle, 20),
        fixedWords,
        {
            "                  0.00              0.0             0.0             0.0",
            "                  1.00              7.0             2.2             9.1",
            "                  2.00             25.8             4.3            30.1",
            "                  3.00             63.4             6.5            69.8",
            "                  4.00            128.2             8.6           136.8",
        },
        message,
        fixedTitle(kUwaTitle, 13),
        fixedWords,
        {
            "                  0.00              0.0             0.0             0.0",
            "                  1.00             33.6             2.2            35.8",
            "                  2.00             75.4             4.3            79.7",
            "                  3.00            125.3             6.5           131.8",
            "                  4.00            190.2             8.6           198.8",
        },
    });
    EXPECT_EQ(section(report, std::string(28, ' ') + std::string(22, '*'), expected.size()), expected);

    const auto plot = folder.lines("prob.plt");
    ASSERT_GE(plot.size(), 21u);
    EXPECT_EQ(plot[0], "           4           5           2           7");
    const std::vector<std::string> rows = {
        "     0.00       0.0       0.0        0.0      0.000", "     1.00       0.0       2.2        2.2      0.000",
        "     2.00      11.9       4.3       16.3     12.465", "     3.00      49.2       6.5       55.7     26.436",
        "     4.00     102.1       8.6      110.7     28.706", "     0.00       0.0       0.0        0.0      2.307",
        "     1.00      15.6       2.2       17.8     14.008", "     2.00      48.5       4.3       52.8     20.274",
        "     3.00      93.7       6.5      100.1     26.878", "     4.00     158.5       8.6      167.1     40.798",
        "     0.00       0.0       0.0        0.0      0.000", "     1.00       7.0       2.2        9.1      7.265",
        "     2.00      25.8       4.3       30.1     12.353", "     3.00      63.4       6.5       69.8     26.878",
        "     4.00     128.2       8.6      136.8     40.798", "     0.00       0.0       0.0        0.0     16.789",
        "     1.00      33.6       2.2       35.8     18.281", "     2.00      75.4       4.3       79.7     25.289",
        "     3.00     125.3       6.5      131.8     26.878", "     4.00     190.2       8.6      198.8     40.798",
    };
    EXPECT_EQ(std::vector<std::string>(plot.begin() + 1, plot.begin() + 21), rows);
}

// Each cone method as the load-transfer method of the closed pipe in sand
// above: the header names it, and the curves take its node values. The
// one soil layer (0 to 8 ft) has three listed curves; the second, at mid
// depth 4 ft (the tip node), reaches the unit side friction of node 5 at
// its last point (ksf x 1000 / 144 psi); the tip curve reaches the
// unfactored end bearing of node 5 at its last three points.
TEST(WholeRun, EachConeMethodFeedsTheLoadSettlementStage) {
    struct Case {
        int method;
        const char* friction;  // node 5, psi, E17.4
        const char* tip;       // node 5, kips, E18.4
    };
    const Case cases[] = {
        {6, "0.1108E+02", "0.4346E+02"},  // NGI: 1.5959420 ksf, 43.463393 kips
        {7, "0.4994E+01", "0.4211E+02"},  // ICP: 0.7191829 ksf, 42.108598 kips
        {8, "0.1371E+02", "0.9713E+02"},  // Fugro: 1.9735299 ksf, 97.128876 kips
        {9, "0.9081E+01", "0.4712E+02"},  // UWA: 1.3076151 ksf, 47.12385 kips
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.method);
        ScratchFolder folder;
        folder.copyFrom(test::testDataFolder() / "runs" / "cone-closed-sand");
        std::string input = folder.read("prob.in");
        const std::string record7 = "0 1.0 1 0 6 1 0\n";
        const auto at = input.find(record7);
        ASSERT_NE(at, std::string::npos);
        input.replace(at, record7.size(), "0 1.0 1 0 " + std::to_string(c.method) + " 1 0\n");
        folder.write("prob.in", input);
        const auto result = test::runEngine(folder.path());
        ASSERT_EQ(result.status, 0) << result.console;

        const auto plot = folder.lines("prob.plt");
        ASSERT_GE(plot.size(), 65u);
        EXPECT_EQ(plot[0], "           4           5           1           " + std::to_string(c.method));
        // After the 20 capacity rows: the curve count, then 3 curves of a
        // row and 10 points each, then the 10 rows of the tip curve.
        EXPECT_EQ(plot[21], "           3");
        EXPECT_EQ(plot[33], "            2         10      0.4000E+01");
        EXPECT_EQ(plot[43].substr(0, 57), std::string(40, ' ') + "       " + c.friction);
        for (size_t k : {62u, 63u, 64u}) EXPECT_EQ(plot[k].substr(0, 18), std::string("        ") + c.tip) << k;
    }
}

// Cone flags without CPT data: the cone methods do not run, their tables
// are not written and the header does not count them.
TEST(WholeRun, ConeMethodsNeedTheCptDataOption) {
    ScratchFolder folder;
    folder.copyFrom(test::testDataFolder() / "runs" / "cone-closed-sand");
    std::string input = folder.read("prob.in");
    const std::string record7 = "0 1.0 1 0 6 1 0\n";
    const auto at = input.find(record7);
    ASSERT_NE(at, std::string::npos);
    input.replace(at, record7.size(), "0 1.0 1 0 4 0 0\n");
    folder.write("prob.in", input);
    const auto result = test::runEngine(folder.path());
    ASSERT_EQ(result.status, 0) << result.console;
    const auto report = folder.lines("prob.out");
    for (const char* title : {kNgiTitle, kIcpTitle, kFugroTitle, kUwaTitle})
        for (const std::string& line : report) EXPECT_EQ(line.find(title), std::string::npos) << title;
    EXPECT_EQ(folder.lines("prob.plt")[0], "           0           5           1           4");
}

}  // namespace
}  // namespace tovek
