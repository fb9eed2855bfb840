#include "support/test_support.h"

#include <atomic>
#include <fstream>
#include <random>
#include <sstream>

#include <unistd.h>

#include "engine/run.h"

namespace tovek::test {

ScratchFolder::ScratchFolder() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("tovek-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void ScratchFolder::write(const std::string& name, const std::string& content) const {
    std::ofstream out(path_ / name, std::ios::binary);
    out << content;
}

std::string ScratchFolder::read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> ScratchFolder::lines(const std::string& name) const { return splitLines(read(name)); }

bool ScratchFolder::exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }

void ScratchFolder::copyFrom(const std::filesystem::path& source) const {
    for (const auto& entry : std::filesystem::directory_iterator(source))
        if (entry.is_regular_file())
            std::filesystem::copy_file(entry.path(), path_ / entry.path().filename(),
                                       std::filesystem::copy_options::overwrite_existing);
}

std::string namesFile(const std::vector<std::string>& fileNames, const std::string& version) {
    std::string text = version + "\nC:\\TOVEK\nC:\\TOVEK\\WORK\n1\n";
    for (const auto& name : fileNames) text += name + "\n";
    return text;
}

RunResult runEngine(const std::filesystem::path& folder, const std::string& consoleInput) {
    std::istringstream in(consoleInput);
    std::ostringstream out;
    RunEnvironment env;
    env.workingFolder = folder;
    env.consoleIn = &in;
    env.consoleOut = &out;
    std::tm clock{};
    clock.tm_year = 2024 - 1900;
    clock.tm_mon = 2;
    clock.tm_mday = 5;
    clock.tm_hour = 14;
    clock.tm_min = 7;
    clock.tm_sec = 9;
    env.clock = clock;
    RunResult result;
    result.status = runAnalysis(env);
    result.console = out.str();
    return result;
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::filesystem::path examplesFolder() { return std::filesystem::path(TOVEK_SOURCE_DIR) / "examples"; }
std::filesystem::path testDataFolder() { return std::filesystem::path(TOVEK_SOURCE_DIR) / "tests" / "data"; }

}  // namespace tovek::test
