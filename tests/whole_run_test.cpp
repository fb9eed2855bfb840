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

// The rows of the capacity table titled `title`: the lines after its
// heading block (title, frame, empty line, three heading lines) up to the
// empty line that ends the table (or the end of the report).
std::vector<std::string> tableRows(const std::vector<std::string>& report, const std::string& title) {
    long at = find(report, std::string(28, ' ') + title);
    if (at < 0) return {};
    std::vector<std::string> rows;
    for (size_t k = static_cast<size_t>(at) + 6; k < report.size() && !report[k].empty(); ++k)
        rows.push_back(report[k]);
    return rows;
}

// The line `offset` lines after the first line equal to `anchor`, "" when
// there is none.
std::string lineAfter(const std::vector<std::string>& lines, const std::string& anchor, long offset) {
    const long at = find(lines, anchor);
    if (at < 0 || at + offset >= static_cast<long>(lines.size())) return "";
    return lines[static_cast<size_t>(at + offset)];
}

struct MethodRun {
    const char* folder;
    std::vector<std::string> fhwa, usace, lambda;              // table rows
    std::vector<std::string> fhwaPlot, usacePlot, lambdaPlot;  // plot rows
    const char* plotHeader;
};

// Runs a problem folder and checks the three tables of pass 1 and their
// plot blocks, which follow the header in the order of the tables.
std::vector<std::string> checkMethodTables(const MethodRun& run, ScratchFolder& folder) {
    folder.copyFrom(test::testDataFolder() / "runs" / run.folder);
    const auto result = test::runEngine(folder.path());
    EXPECT_EQ(result.status, 0) << result.console;
    const auto report = folder.lines("prob.out");
    EXPECT_EQ(tableRows(report, "*  FED. HWY. METHOD  *"), run.fhwa);
    EXPECT_EQ(tableRows(report, "* ARMY CORPS METHOD  *"), run.usace);
    EXPECT_EQ(tableRows(report, "*  LAMBDA 2 METHOD   *"), run.lambda);
    const auto plot = folder.lines("prob.plt");
    EXPECT_EQ(plot.at(0), run.plotHeader);
    std::vector<std::string> blocks;
    for (const auto* block : {&run.fhwaPlot, &run.usacePlot, &run.lambdaPlot})
        blocks.insert(blocks.end(), block->begin(), block->end());
    EXPECT_EQ(std::vector<std::string>(plot.begin() + 1, plot.begin() + 1 + static_cast<long>(blocks.size())), blocks);
    return report;
}

// Closed-ended 12 in pipe, 20 ft, 1 ft increments, no tip averaging; sand
// (K 1.0, 120 pcf, phi 32) to 10 ft over clay (110 pcf, su 1000 psf,
// remoulded 500 psf); LRFD factors 0.9 on friction and 0.8 on bearing;
// FHWA carries the load transfer. P = 3.14159 ft, tip area 0.7853975 ft2.
//
// FHWA sand: a closed end section displaces V = 0.7854 ft3/ft; delta/phi =
// 0.516 + 0.077 x 0.1854 / 0.2 = 0.587379; C_F (0.4 and 0.6 columns at 32
// degrees, 0.66 and 0.795) = 0.786481; K-delta 1.078467 (30) + 0.4 x
// (1.606934 (35) - 1.078467) = 1.289854; f = sigma x 0.786481 x 1.289854 x
// sin(18.796 deg) = 0.326870 sigma, 0.196 ksf at 5 ft (0.6 ksf). Linear in
// depth, so the trapezoids are exact: skin at 5 ft = 0.9 x P x 0.326870 x
// 0.12 x 5^2 / 2 = 1.386, at 10 ft 5.545. Clay under sand, case 1; r =
// (0 - 10 + 20) / 1 = 10: alpha 1.0, f = 1.0 ksf; node 11 (10 ft) still
// holds the sand's 0.392: at 15 ft 5.545 + 0.9 P ((0.392 + 1.0) / 2 + 4) =
// 18.82, at 20 ft + 0.9 P x 5 = 32.96.
// End bearing (mean over the increment above the node): alpha-t 0.6256 x
// N'q 40.4 = 25.274 on the mean stress 0.54 ksf of 4 to 5 ft: 13.648 ksf x
// 0.7853975 = 10.719 kips x 0.8 = 8.6; 25.274 x 1.14 at 10 ft: 18.1. Clay:
// 9 su x A x 0.8 = 5.655.
// USACE sand: K sigma tan(0.75 x 32) = 0.445229 sigma (0.267 at 5 ft):
// skin 0.9 P x 0.445229 x 0.12 x 12.5 = 1.888 at 5 ft; clay alpha 0.75
// (1.0 ksf): 0.75 ksf. End bearing Nq 30 x 0.54 x A x 0.8 = 10.18 at 5 ft
// (above the critical depth of 10 diameters + 1 ft).
// Revised Lambda at 5 ft: sigma_m 0.3, c_m = 0.3 tan 32 = 0.187461, X =
// 3141.59 x 12 x 25 x 0.187461 / (113.0973 x 29e6 x 0.1) = 5.387e-4, ratio
// 0.62 (second line): lambda = 0.232 - 0.032 ln X = 0.47284; Q = (2 x
// 0.187461 + 0.3) x P x 5 x 0.47284 = 5.013, x 0.9 = 4.5. End bearing Nq
// 28 (API, phi - 5 = 27) x 0.54 x A x 0.8 = 9.50.
// The load-settlement stage takes FHWA's unfactored tip, 9 x 1.0 x
// 0.7853975 = 7.069 kips, and its node friction (0.196 ksf at 5 ft = 1.362
// psi on the curve at mid-layer).
TEST(WholeRunMethods, FhwaUsaceAndRevisedLambdaInEnglishUnits) {
    const MethodRun run{
        "three-methods-english",
        {
            "                  0.00              0.0             0.0             0.0",
            "                  5.00              1.4             8.6            10.0",
            "                 10.00              5.5            18.1            23.6",
            "                 15.00             18.8             5.7            24.5",
            "                 20.00             33.0             5.7            38.6",
        },
        {
            "                  0.00              0.0             0.0             0.0",
            "                  5.00              1.9            10.2            12.1",
            "                 10.00              7.6            21.5            29.0",
            "                 15.00             17.9             5.7            23.5",
            "                 20.00             28.5             5.7            34.1",
        },
        {
            "                  0.00              0.0             0.0             0.0",
            "                  5.00              4.5             9.5            14.0",
            "                 10.00             15.5            20.1            35.6",
            "                 15.00             32.0             5.7            37.6",
            "                 20.00             49.4             5.7            55.0",
        },
        {
            "     0.00       0.0       0.0        0.0      0.000",
            "     5.00       1.4       8.6       10.0      0.196",
            "    10.00       5.5      18.1       23.6      0.392",
            "    15.00      18.8       5.7       24.5      1.000",
            "    20.00      33.0       5.7       38.6      1.000",
        },
        {
            "     0.00       0.0       0.0        0.0      0.000",
            "     5.00       1.9      10.2       12.1      0.267",
            "    10.00       7.6      21.5       29.0      0.534",
            "    15.00      17.9       5.7       23.5      0.750",
            "    20.00      28.5       5.7       34.1      0.750",
        },
        {
            "     0.00       0.0       0.0        0.0      0.000",
            "     5.00       4.5       9.5       14.0      0.528",
            "    10.00      15.5      20.1       35.6      0.931",
            "    15.00      32.0       5.7       37.6      1.188",
            "    20.00      49.4       5.7       55.0      1.264",
        },
        "           3           5           1           1",
    };
    ScratchFolder folder;
    const auto report = checkMethodTables(run, folder);

    // The composed heading block of the first table of the section.
    const long title = find(report, std::string(28, ' ') + "*  FED. HWY. METHOD  *");
    ASSERT_GE(title, 1);
    EXPECT_EQ(report[static_cast<size_t>(title - 1)], std::string(28, ' ') + std::string(22, '*'));
    EXPECT_EQ(report[static_cast<size_t>(title + 3)],
              heading({{"PILE LENGTH", 11}, {"SKIN", 31}, {"END", 48}, {"ULTIMATE", 61}}));
    EXPECT_EQ(report[static_cast<size_t>(title + 5)], heading({{"FT.", 15}, {"KIP", 32}, {"KIP", 48}, {"KIP", 64}}));

    // Load transfer from FHWA: the tip curve reaches the unfactored end
    // bearing at the tip; the sand layer's middle curve peaks at FHWA's node
    // friction at 5 ft.
    EXPECT_EQ(lineAfter(report, "        TIP   LOAD        TIP MOVEMENT", 10), "        0.7069E+01         0.1200E+01");
    EXPECT_EQ(lineAfter(report, "            2         10      0.5000E+01", 6),
              std::string(47, ' ') + "0.1362E+01      0.1200E+00");
}

// Timber pile in SI units, 12 m with 0.5 m stickup (11.5 m embedded), 300 mm
// at the butt, tapered 0.25 degrees, closed, 0.5 m increments, printing
// increment 4; sand (K 1.2, 19 kN/m3, phi 34) to 5 m over clay (18 kN/m3,
// su 60 kPa, remoulded 30); LRFD factors 0.8 and 0.7; USACE carries the load
// transfer.
//
// USACE: timber delta = 0.9 x 34 = 30.6 degrees; sand f = 1.2 x sigma x
// tan 30.6 = 0.709311 sigma, 26.968 kPa at 2 m (38 kPa); linear, so the
// skin at 2 m is 0.8 x 0.942477 m x 0.709311 x 19 x 2^2 / 2 = 20.33 kN (the
// straight perimeter 3.14159 x 0.3 m: no taper in this method). Clay:
// alpha = 1 - (60 - 24) / 48 x 0.5 = 0.625, f = 37.5 kPa.
// FHWA clay: 60 / 47.88 = 1.2531 ksf on the charts; under sand (case 1)
// with r = (0 - 5 + 11.5) / D_a, D_a = 0.3 - tan(0.25 x 0.01745) x (5 + 16
// + 2 x 0.5) = 0.204007 m, r = 31.862; alpha between the 20 curve (1.0)
// and the 40 curve (0.9 + (0.815 - 0.9) x 0.2531 / 0.5 = 0.856966):
// 0.915168, f = 54.911 kPa. Its perimeter narrows with depth.
// Tip in clay, on the tapered tip: D = 0.3 - 12 x 2 tan(0.25 x 0.01745) =
// 0.195299 m, A = 0.0299565 m2, 9 x 60 x A = 16.1765 kN unfactored (as the
// USACE tip curve ends), x 0.7 = 11.3.
TEST(WholeRunMethods, FhwaUsaceAndRevisedLambdaInSiUnits) {
    const MethodRun run{
        "three-methods-si",
        {
            "                  0.00              0.0             0.0             0.0",
            "                  2.00             18.1            24.6            42.7",
            "                  4.00             65.2            52.7           117.9",
            "                  6.00            129.9            11.3           141.2",
            "                  8.00            194.1            11.3           205.4",
            "                 10.00            253.4            11.3           264.7",
            "                 11.50            294.7            11.3           306.0",
        },
        {
            "                  0.00              0.0             0.0             0.0",
            "                  2.00             20.3            30.0            50.3",
            "                  4.00             81.3            64.2           145.6",
            "                  6.00            158.5            11.3           169.8",
            "                  8.00            215.0            11.3           226.3",
            "                 10.00            271.6            11.3           282.9",
            "                 11.50            314.0            11.3           325.3",
        },
        {
            "                  0.00              0.0             0.0             0.0",
            "                  2.00             25.7            25.1            50.8",
            "                  4.00             82.6            53.8           136.4",
            "                  6.00            152.7            11.3           164.0",
            "                  8.00            221.3            11.3           232.6",
            "                 10.00            292.2            11.3           303.5",
            "                 11.50            347.0            11.3           358.3",
        },
        {
            "     0.00       0.0       0.0        0.0      0.000",
            "     2.00      18.1      24.6       42.7     24.775",
            "     4.00      65.2      52.7      117.9     44.677",
            "     6.00     129.9      11.3      141.2     54.911",
            "     8.00     194.1      11.3      205.4     54.911",
            "    10.00     253.4      11.3      264.7     54.911",
            "    11.50     294.7      11.3      306.0     54.911",
        },
        {
            "     0.00       0.0       0.0        0.0      0.000",
            "     2.00      20.3      30.0       50.3     26.968",
            "     4.00      81.3      64.2      145.6     53.936",
            "     6.00     158.5      11.3      169.8     37.500",
            "     8.00     215.0      11.3      226.3     37.500",
            "    10.00     271.6      11.3      282.9     37.500",
            "    11.50     314.0      11.3      325.3     37.500",
        },
        {
            "     0.00       0.0       0.0        0.0      0.000",
            "     2.00      25.7      25.1       50.8     26.675",
            "     4.00      82.6      53.8      136.4     43.557",
            "     6.00     152.7      11.3      164.0     44.690",
            "     8.00     221.3      11.3      232.6     46.024",
            "    10.00     292.2      11.3      303.5     47.641",
            "    11.50     347.0      11.3      358.3     48.876",
        },
        "           3           7           2           2",
    };
    ScratchFolder folder;
    const auto report = checkMethodTables(run, folder);
    const long title = find(report, std::string(28, ' ') + "* ARMY CORPS METHOD  *");
    ASSERT_GE(title, 0);
    EXPECT_EQ(report[static_cast<size_t>(title + 5)], heading({{"M.", 15}, {"KN.", 32}, {"KN.", 48}, {"KN.", 64}}));

    // Load transfer from USACE: its clay curve at mid-layer (10.5 m) is
    // 37.5 kPa at 0.08 in (2.011 mm); its tip curve reaches the unfactored
    // tip resistance.
    EXPECT_EQ(lineAfter(report, "            5         10      0.1050E+02", 6),
              std::string(47, ' ') + "0.3750E+02      0.2011E-02");
    EXPECT_EQ(lineAfter(report, "        TIP   LOAD        TIP MOVEMENT", 12), "        0.1618E+02         0.5026E-01");
}

// Closed-ended 16 in pipe in tension (reduction factor 0.7), 40 ft, 1 ft
// increments, printing increment 8; clay (110 pcf, su 800 psf, remoulded
// 400, limit 600 psf) to 20 ft over sand (K 0.8, 120 pcf, phi 36); API RP-2A
// selected too; critical depth where the stress exceeds 3.5 ksf; Revised
// Lambda carries the load transfer. P = 3.14159 x 16 / 12 = 4.188787 ft.
//
// Self weight: 0.49 kcf x 0.7854 x 16^2 / 144 ft2 x z, x 0.8: 4.38 kips at
// 8 ft.
// FHWA clay from the ground: 800 psf is 0.8 ksf, below the single-precision
// 0.8 of the case rule: case 2; r = 20 / (16 / 12) = 15: alpha = (0.446400
// + 0.783600) / 2 = 0.615, f = 0.492, in tension 0.3444 ksf; skin at 8 ft
// 0.9 x P x 0.3444 x 8 = 10.39.
// USACE: clay alpha 1 - 0.3 x 0.5 = 0.85, 0.68 ksf, in tension 0.476: 0.9
// P x 0.476 x 8 = 14.36 at 8 ft. Sand with API selected: K = 0.6 in
// tension; the critical depth is the bottom of the first sand segment
// above 3.5 ksf, 31 ft (2.2 + 11 x 0.12 = 3.52 ksf), below it the stress
// stays 3.52: f = 0.6 x 3.52 x tan 27 x 0.7 = 0.7533 ksf at 32 and 40 ft.
// Revised Lambda: the 0.6 ksf limit holds the clay's unit friction
// (0.6 x 0.7 = 0.42 in tension); the capacity grows 0.9 x P x 0.42 a foot:
// 12.67 at 8 ft, 25.33 at 16 ft. The tension factor acts once on the whole
// column: applied at every node to a capacity already reduced above it,
// the capacity would level off near 0.7 x P x 0.6 / 0.3 = 5.9 kips.
// The load-settlement stage takes Revised Lambda's node friction (0.42 ksf
// = 2.917 psi at 10 ft) and, in tension, the unfactored self weight at the
// tip, 0.49 x 1.396263 x 40 = 27.37 kips.
TEST(WholeRunMethods, FhwaUsaceAndRevisedLambdaInTension) {
    const MethodRun run{
        "three-methods-tension-english",
        {
            "                  0.00              0.0             0.0             0.0",
            "                  8.00             10.4             4.4            14.8",
            "                 16.00             20.8             8.8            29.5",
            "                 24.00             44.2            13.1            57.4",
            "                 32.00             95.7            17.5           113.2",
            "                 40.00            162.7            21.9           184.6",
        },
        {
            "                  0.00              0.0             0.0             0.0",
            "                  8.00             14.4             4.4            18.7",
            "                 16.00             28.7             8.8            37.5",
            "                 24.00             43.8            13.1            56.9",
            "                 32.00             64.1            17.5            81.6",
            "                 40.00             86.8            21.9           108.7",
        },
        {
            "                  0.00              0.0             0.0             0.0",
            "                  8.00             12.7             4.4            17.0",
            "                 16.00             25.3             8.8            34.1",
            "                 24.00             65.7            13.1            78.8",
            "                 32.00            104.6            17.5           122.2",
            "                 40.00            151.2            21.9           173.0",
        },
        {
            "     0.00       0.0       0.0        0.0      0.344",
            "     8.00      10.4       4.4       14.8      0.344",
            "    16.00      20.8       8.8       29.5      0.344",
            "    24.00      44.2      13.1       57.4      1.446",
            "    32.00      95.7      17.5      113.2      1.964",
            "    40.00     162.7      21.9      184.6      2.483",
        },
        {
            "     0.00       0.0       0.0        0.0      0.476",
            "     8.00      14.4       4.4       18.7      0.476",
            "    16.00      28.7       8.8       37.5      0.476",
            "    24.00      43.8      13.1       56.9      0.574",
            "    32.00      64.1      17.5       81.6      0.753",
            "    40.00      86.8      21.9      108.7      0.753",
        },
        {
            "     0.00       0.0       0.0        0.0      0.000",
            "     8.00      12.7       4.4       17.0      0.420",
            "    16.00      25.3       8.8       34.1      0.420",
            "    24.00      65.7      13.1       78.8      1.135",
            "    32.00     104.6      17.5      122.2      1.408",
            "    40.00     151.2      21.9      173.0      1.641",
        },
        "           4           6           1           3",
    };
    ScratchFolder folder;
    const auto report = checkMethodTables(run, folder);
    const long title = find(report, std::string(28, ' ') + "*  LAMBDA 2 METHOD   *");
    ASSERT_GE(title, 0);
    EXPECT_EQ(report[static_cast<size_t>(title + 3)],
              heading({{"PILE LENGTH", 11}, {"TOTAL SKIN", 28}, {"SELF", 47}, {"ULTIMATE", 61}}));
    // API RP-2A follows in pass 2.
    EXPECT_GT(find(report, std::string(28, ' ') + "*  API RP-2A (2010)  *"), title);

    EXPECT_EQ(lineAfter(report, "            2         10      0.1000E+02", 6),
              std::string(47, ' ') + "0.2917E+01      0.1600E+00");
    EXPECT_EQ(lineAfter(report, "        TIP   LOAD        TIP MOVEMENT", 10), "        0.2737E+02         0.1600E+01");
}

// The SI timber pile above in tension (reduction factor 0.75), FHWA
// carrying the load transfer. Self weight 7.8543506 kN/m3 x 0.070686 m2 x
// (z + 0.5 m stickup), x 0.7: 0.19 kN at the ground surface, 4.66 kN at
// 11.5 m (6.662 kN unfactored, the tip of the load-settlement stage).
// Every unit friction is 0.75 of its compression value: FHWA clay 0.75 x
// 54.911 = 41.18 kPa, USACE clay 28.125 kPa, and the Revised Lambda column
// 0.75 of its compression column (260.2 = 0.75 x 347.0 at 11.5 m).
TEST(WholeRunMethods, FhwaUsaceAndRevisedLambdaInTensionInSiUnits) {
    const MethodRun run{
        "three-methods-tension-si",
        {
            "                  0.00              0.0             0.2             0.2",
            "                  2.00             13.6             1.0            14.6",
            "                  4.00             48.9             1.7            50.6",
            "                  6.00             97.4             2.5           100.0",
            "                  8.00            145.5             3.3           148.8",
            "                 10.00            190.0             4.1           194.1",
            "                 11.50            221.0             4.7           225.7",
        },
        {
            "                  0.00              0.0             0.2             0.2",
            "                  2.00             15.2             1.0            16.2",
            "                  4.00             61.0             1.7            62.7",
            "                  6.00            118.8             2.5           121.4",
            "                  8.00            161.3             3.3           164.6",
            "                 10.00            203.7             4.1           207.7",
            "                 11.50            235.5             4.7           240.1",
        },
        {
            "                  0.00              0.0             0.2             0.2",
            "                  2.00             19.2             1.0            20.2",
            "                  4.00             62.0             1.7            63.7",
            "                  6.00            114.5             2.5           117.0",
            "                  8.00            165.9             3.3           169.3",
            "                 10.00            219.1             4.1           223.2",
            "                 11.50            260.2             4.7           264.9",
        },
        {
            "     0.00       0.0       0.2        0.2      0.000",
            "     2.00      13.6       1.0       14.6     18.582",
            "     4.00      48.9       1.7       50.6     33.507",
            "     6.00      97.4       2.5      100.0     41.184",
            "     8.00     145.5       3.3      148.8     41.184",
            "    10.00     190.0       4.1      194.1     41.184",
            "    11.50     221.0       4.7      225.7     41.184",
        },
        {
            "     0.00       0.0       0.2        0.2      0.000",
            "     2.00      15.2       1.0       16.2     20.226",
            "     4.00      61.0       1.7       62.7     40.452",
            "     6.00     118.8       2.5      121.4     28.125",
            "     8.00     161.3       3.3      164.6     28.125",
            "    10.00     203.7       4.1      207.7     28.125",
            "    11.50     235.5       4.7      240.1     28.125",
        },
        {
            "     0.00       0.0       0.2        0.2      0.000",
            "     2.00      19.2       1.0       20.2     20.007",
            "     4.00      62.0       1.7       63.7     32.668",
            "     6.00     114.5       2.5      117.0     33.517",
            "     8.00     165.9       3.3      169.3     34.518",
            "    10.00     219.1       4.1      223.2     35.731",
            "    11.50     260.2       4.7      264.9     36.657",
        },
        "           3           7           2           1",
    };
    ScratchFolder folder;
    const auto report = checkMethodTables(run, folder);
    EXPECT_EQ(lineAfter(report, "            5         10      0.1050E+02", 6),
              std::string(47, ' ') + "0.4118E+02      0.3000E-02");
    EXPECT_EQ(lineAfter(report, "        TIP   LOAD        TIP MOVEMENT", 10), "        0.6662E+01         0.3000E-01");
}

}  // namespace
}  // namespace tovek
