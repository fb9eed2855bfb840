// Fuzz target of the whole run: the input splits into an input data file and
// a CPT data file (at the first line "#CPT"), which the engine reads from a
// scratch folder whose plot data file holds a sentinel. A finding is an
// exception that leaves the run, a status other than 0 or 1, a missing
// report, a plot data file changed by a run that ended early, or an
// undefined or infinite number in an output of a run that went through.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <string_view>

#include <unistd.h>

#include "engine/run.h"

namespace {

const std::string kSentinel = "  sentinel plot data of an earlier run\n";

// The scratch folder of this process, removed when it ends. Kept for the
// whole process (never destroyed), so that the exit handler can still name it.
const std::filesystem::path& scratchFolder() {
    static const std::filesystem::path* const folder = [] {
        auto* path =
            new std::filesystem::path(std::filesystem::temp_directory_path() / ("tovek-fuzz-" + std::to_string(::getpid())));
        std::filesystem::create_directories(*path);
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(scratchFolder(), ec);
        });
        return path;
    }();
    return *folder;
}

void writeFile(const std::filesystem::path& path, std::string_view content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

[[noreturn]] void finding(const char* what) {
    std::fprintf(stderr, "tovek fuzz finding: %s\n", what);
    std::abort();
}

// The words the layout writer uses for undefined and infinite values.
bool holdsNonFinite(const std::string& text) {
    static const std::regex word("(^|[^A-Za-z])-?(NaN|Inf|Infinity)([^A-Za-z]|$)");
    return std::regex_search(text, word);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::string cpt = "0 0\n";
    if (const size_t split = text.find("\n#CPT\n"); split != std::string::npos) {
        cpt = text.substr(split + 6);
        text.resize(split + 1);
    }
    // The three title lines are echoed in the report as they stand: fixed
    // titles keep words such as "NaN" in them from reading as numbers.
    size_t afterTitles = 0;
    for (int line = 0; line < 3 && afterTitles != std::string::npos; ++line) {
        afterTitles = text.find('\n', afterTitles);
        if (afterTitles != std::string::npos) ++afterTitles;
    }
    text = "Fuzz\nFuzz\nFuzz\n" + (afterTitles == std::string::npos ? std::string() : text.substr(afterTitles));

    const std::filesystem::path& folder = scratchFolder();
    writeFile(folder / "names.dat", "1.0\nx\ny\n1\nprob.in\nprob.out\nprob.plt\nprob.cpt\n");
    writeFile(folder / "prob.in", text);
    writeFile(folder / "prob.cpt", cpt);
    writeFile(folder / "prob.plt", kSentinel);
    std::error_code ec;
    std::filesystem::remove(folder / "prob.out", ec);

    std::istringstream consoleIn;
    std::ostringstream consoleOut;
    tovek::RunEnvironment env;
    env.workingFolder = folder;
    env.consoleIn = &consoleIn;
    env.consoleOut = &consoleOut;
    env.clock = std::tm{};
    int32_t status = -1;
    try {
        status = tovek::runAnalysis(env);
    } catch (...) {
        finding("an exception left the run");
    }
    if (status != 0 && status != 1) finding("the run status is neither 0 nor 1");
    if (!std::filesystem::exists(folder / "prob.out")) finding("the run left no report");
    const std::string plot = readFile(folder / "prob.plt");
    if (status == 1 && plot != kSentinel) finding("a run that ended early changed the plot data file");
    if (status == 0) {
        if (holdsNonFinite(readFile(folder / "prob.out"))) finding("NaN or Infinity in the report of a run with status 0");
        if (holdsNonFinite(plot)) finding("NaN or Infinity in the plot data file of a run with status 0");
    }
    return 0;
}
