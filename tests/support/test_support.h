// Helpers of the whole-run tests: a scratch problem folder, a run of the
// engine in it, and the files it leaves.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tovek::test {

// A fresh folder under the system's temporary folder, removed at the end.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    void write(const std::string& name, const std::string& content) const;
    std::string read(const std::string& name) const;
    std::vector<std::string> lines(const std::string& name) const;
    bool exists(const std::string& name) const;
    // Copies every file of `source` into this folder.
    void copyFrom(const std::filesystem::path& source) const;

private:
    std::filesystem::path path_;
};

// names.dat with the version text, three records read past and the given
// names (as many as given).
std::string namesFile(const std::vector<std::string>& fileNames, const std::string& version = "1.0");

struct RunResult {
    int32_t status = -1;
    std::string console;
};

// Runs the engine in `folder` with `consoleInput` as the console and a fixed
// clock (5 March 2024, 14:07:09).
RunResult runEngine(const std::filesystem::path& folder, const std::string& consoleInput = "");

// Splits a text into lines (without the line ends).
std::vector<std::string> splitLines(const std::string& text);

// The folder of the bundled examples and of the test problems.
std::filesystem::path examplesFolder();
std::filesystem::path testDataFolder();

}  // namespace tovek::test
