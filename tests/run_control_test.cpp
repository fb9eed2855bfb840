// The run-control file, the console dialogue, the banner, the file-name
// block, the time-and-date block and the fatal read errors of a run.
#include <gtest/gtest.h>

#include <sstream>

#include "engine/run_control.h"
#include "support/test_support.h"

namespace tovek {
namespace {

using test::namesFile;
using test::runEngine;
using test::ScratchFolder;

const std::vector<std::string> kBanner = {
    "     =========================================================================",
    "",
    std::string(20, ' ') + "  TOVEK for Windows, Version 1.0         ",
    "",
    std::string(20, ' ') + "   A Program for Analyzing the Axial Capacity ",
    std::string(20, ' ') + "   and Short-term Settlement of Driven Piles ",
    std::string(20, ' ') + "             under Axial Loading. ",
    "",
    "     =========================================================================",
    "",
    "",
};

// A problem folder holding the bundled example's problem files.
void writeExampleProblem(const ScratchFolder& folder) { folder.copyFrom(test::testDataFolder() / "runs" / "pipe24"); }

std::vector<std::string> head(const std::vector<std::string>& lines, size_t n) {
    return std::vector<std::string>(lines.begin(), lines.begin() + static_cast<long>(std::min(n, lines.size())));
}

TEST(RunControl, FullNamesFileGivesBannerFileNamesAndDate) {
    ScratchFolder folder;
    writeExampleProblem(folder);
    const auto result = runEngine(folder.path());
    ASSERT_EQ(result.status, 0) << result.console;

    std::vector<std::string> expected = kBanner;
    const std::string dir = folder.path().string() + "/";
    expected.insert(expected.end(),
                    {
                        "     Path to file locations      : " + dir,
                        "     Name of input data file     : pipe24.ind",
                        "     Name of output file         : pipe24.outo",
                        "     Name of plot output file    : pipe24.pltp",
                        "",
                        "     -------------------------------------------------------------------------",
                        "                          Time and Date of Analysis",
                        "     -------------------------------------------------------------------------",
                        "",
                        "               Date:  March 05, 2024     Time:  14:07:09",
                    });
    const auto report = folder.lines("pipe24.out");
    EXPECT_EQ(head(report, expected.size()), expected);

    // The console shows the banner and the progress line, no prompt.
    const auto console = test::splitLines(result.console);
    EXPECT_EQ(head(console, kBanner.size()), kBanner);
    EXPECT_EQ(result.console.find("ENTER"), std::string::npos);
    EXPECT_NE(result.console.find("\n\n\n         COMPUTATION IS PROCEEDING........\n"), std::string::npos);
}

const char* kPrompts =
    "\n\n       ENTER A FILE NAME FOR YOUR INPUT FILE.\n ENTER >\n"
    "\n\n       ENTER A FILE NAME FOR YOUR OUTPUT FILE.\n ENTER >\n"
    "\n\n       ENTER A FILE NAME FOR YOUR GRAPHIC DATA FILE.\n ENTER >\n";

TEST(RunControl, FourRecordsOnlyAsksForThreeNames) {
    ScratchFolder folder;
    writeExampleProblem(folder);
    folder.write("names.dat", namesFile({}));
    const auto result = runEngine(folder.path(), "pipe24.in\nasked.out\nasked.plt\n");
    EXPECT_EQ(result.console.rfind(kPrompts, 0), 0u) << result.console;
    EXPECT_TRUE(folder.exists("asked.out"));
    // No CPT data file is named on this path: the run notes it and goes on.
    EXPECT_NE(result.console.find("NO CPT DATA FILE IS NAMED"), std::string::npos);
    EXPECT_EQ(result.status, 0) << result.console;
}

TEST(RunControl, MissingEighthRecordReplacesNamesAlreadyRead) {
    ScratchFolder folder;
    writeExampleProblem(folder);
    folder.write("names.dat", namesFile({"pipe24.in", "first.out", "first.plt"}));
    const auto result = runEngine(folder.path(), "pipe24.in\nsecond.out\nsecond.plt\n");
    EXPECT_EQ(result.console.rfind(kPrompts, 0), 0u);
    EXPECT_FALSE(folder.exists("first.out"));
    const std::string report = folder.read("second.out");
    EXPECT_NE(report.find("Name of output file         : second.outo"), std::string::npos);
}

struct FatalCase {
    const char* title;
    std::string namesContent;  // empty: no names.dat at all
    std::string consoleInput;
    std::string expectedMessage;
    bool reportWritten;
};

TEST(RunControl, FatalReadErrorsEndTheRunWithStatusOne) {
    const FatalCase cases[] = {
        {"missing names.dat", "", "", "ERROR IN FILE \"names.dat\": the run-control file is missing", false},
        {"names.dat ends before record 5", "1.0\nA\nB\n", "",
         "ERROR IN FILE \"names.dat\", LINE 4: the file ends here; expected the whole number of record 4", false},
        {"unreadable record 4", "1.0\nA\nB\nx\npipe24.in\n", "",
         "ERROR IN FILE \"names.dat\", LINE 4: expected a whole number", false},
        {"console ends at a prompt", namesFile({}), "pipe24.in\n",
         "ERROR IN FILE \"console (standard input)\": the input ended while the engine waited for the name of the "
         "output file",
         false},
        {"input data file missing", namesFile({"nothere.in", "run.out", "run.plt", "pipe24.cpt"}), "",
         "ERROR IN FILE \"nothere.in\": the file cannot be opened for reading", true},
        {"CPT data file missing", namesFile({"pipe24.in", "run.out", "run.plt", "nothere.cpt"}), "",
         "ERROR IN FILE \"nothere.cpt\": the file cannot be opened for reading", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        ScratchFolder folder;
        writeExampleProblem(folder);
        std::filesystem::remove(folder.path() / "names.dat");
        if (!c.namesContent.empty()) folder.write("names.dat", c.namesContent);
        const auto result = runEngine(folder.path(), c.consoleInput);
        EXPECT_EQ(result.status, 1);
        EXPECT_NE(result.console.find(" *** " + c.expectedMessage), std::string::npos) << result.console;
        EXPECT_NE(result.console.find(" *** THE ANALYSIS CANNOT PROCEED."), std::string::npos);
        if (c.reportWritten) {
            const std::string report = folder.read("run.out");
            EXPECT_EQ(report.rfind(kBanner[0], 0), 0u);
            EXPECT_NE(report.find(" *** " + c.expectedMessage), std::string::npos) << report;
            // The plot data file received nothing.
            EXPECT_EQ(folder.read("run.plt"), "");
        }
    }
}

TEST(RunControl, EarlyEndKeepsWhatThePlotFileHeld) {
    ScratchFolder folder;
    writeExampleProblem(folder);
    folder.write("names.dat", namesFile({"pipe24.in", "run.out", "run.plt", "nothere.cpt"}));
    folder.write("run.plt", "previous plot data\n");
    EXPECT_EQ(runEngine(folder.path()).status, 1);
    EXPECT_EQ(folder.read("run.plt"), "previous plot data\n");
}

TEST(SplitFileName, MakesNamesAbsoluteAndSplitsThem) {
    const std::filesystem::path work = "/data/jobs/";
    struct Case {
        std::string name;
        PathParts expected;
    } cases[] = {
        {"pile.dat", {"", "/data/jobs/", "pile", ".dat"}},
        {"sub/pile.dat", {"", "/data/jobs/sub/", "pile", ".dat"}},
        {"/abs/dir/run.output", {"", "/abs/dir/", "run", ".outp"}},
        {"../other/noext", {"", "/data/other/", "noext", ""}},
        {"", {"", "", "", ""}},
    };
    for (const auto& c : cases) {
        const PathParts got = splitFileName(c.name, work);
        EXPECT_EQ(got.drive, c.expected.drive) << c.name;
        EXPECT_EQ(got.directory, c.expected.directory) << c.name;
        EXPECT_EQ(got.baseName, c.expected.baseName) << c.name;
        EXPECT_EQ(got.extension, c.expected.extension) << c.name;
    }
}

TEST(RunDate, DayAndTimeAreZeroFilledAndBadMonthsLeaveTheLineOut) {
    std::ostringstream out;
    ReportWriter w(&out);
    std::tm t{};
    t.tm_year = 2025 - 1900;
    t.tm_mon = 0;
    t.tm_mday = 1;
    t.tm_hour = 9;
    t.tm_min = 5;
    t.tm_sec = 3;
    writeRunDate(w, t);
    EXPECT_NE(out.str().find("\n               Date:  January 01, 2025     Time:  09:05:03\n"), std::string::npos);
    std::ostringstream bad;
    ReportWriter wb(&bad);
    t.tm_mon = 12;
    writeRunDate(wb, t);
    EXPECT_EQ(test::splitLines(bad.str()).size(), 4u);
}

}  // namespace
}  // namespace tovek
