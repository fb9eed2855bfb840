// Problem files with CR LF line ends, as Windows programs write them, read
// as the same files with LF line ends: a whole run of a CR LF copy of every
// whole-run problem gives the status, report and plot data file of the LF
// original, and the output files keep LF line ends here.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "support/test_support.h"

namespace tovek {
namespace {

using test::ScratchFolder;

std::string withCrLf(const std::string& text, bool lastLineEnded) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    if (!lastLineEnded && out.ends_with("\r\n")) out.resize(out.size() - 2);
    return out;
}

std::vector<std::filesystem::path> problemFolders() {
    std::vector<std::filesystem::path> folders = {test::examplesFolder() / "pipe-pile"};
    std::vector<std::filesystem::path> runs;
    for (const auto& entry : std::filesystem::directory_iterator(test::testDataFolder() / "runs"))
        if (entry.is_directory()) runs.push_back(entry.path());
    std::sort(runs.begin(), runs.end());
    folders.insert(folders.end(), runs.begin(), runs.end());
    return folders;
}

std::set<std::string> fileNames(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_regular_file()) names.insert(entry.path().filename().string());
    return names;
}

// A written file with the problem folder's path replaced by a mark, so that
// runs in two folders compare.
std::string outputText(const ScratchFolder& folder, const std::string& name) {
    std::string text = folder.read(name);
    const std::string path = folder.path().string();
    for (size_t at = text.find(path); at != std::string::npos; at = text.find(path, at))
        text.replace(at, path.size(), "@FOLDER@");
    return text;
}

TEST(LineEnds, CrLfProblemFilesGiveTheSameRunAsLfOnes) {
    struct Case {
        const char* name;
        bool lastLineEnded;
    };
    const Case cases[] = {{"CR LF line ends", true}, {"CR LF line ends, the last line without one", false}};
    const auto folders = problemFolders();
    ASSERT_GE(folders.size(), 10u);
    for (const auto& source : folders) {
        SCOPED_TRACE(source.filename().string());
        const std::set<std::string> inputs = fileNames(source);
        ScratchFolder lf;
        lf.copyFrom(source);
        const auto lfResult = test::runEngine(lf.path());
        ASSERT_EQ(lfResult.status, 0) << lfResult.console;
        std::set<std::string> outputs;
        for (const std::string& name : fileNames(lf.path()))
            if (!inputs.contains(name)) outputs.insert(name);
        ASSERT_EQ(outputs.size(), 2u);  // the report and the plot data file

        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            ScratchFolder crlf;
            for (const std::string& name : inputs) crlf.write(name, withCrLf(lf.read(name), c.lastLineEnded));
            ASSERT_NE(crlf.read("names.dat").find("\r\n"), std::string::npos);
            const auto result = test::runEngine(crlf.path());
            EXPECT_EQ(result.status, lfResult.status) << result.console;
            for (const std::string& name : outputs) {
                SCOPED_TRACE(name);
                ASSERT_TRUE(crlf.exists(name));
                const std::string text = outputText(crlf, name);
                EXPECT_EQ(text.find('\r'), std::string::npos);
                EXPECT_EQ(text, outputText(lf, name));
            }
        }
    }
}

} // namespace
} // namespace tovek
