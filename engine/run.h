// One run of the engine: names, reading, checks, echo, results, closing.
#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <iosfwd>
#include <optional>

namespace tovek {

struct RunEnvironment {
    // The working folder: "names.dat" is read there and relative file
    // names are resolved against it.
    std::filesystem::path workingFolder;
    std::istream* consoleIn = nullptr;
    std::ostream* consoleOut = nullptr;
    // The time of the analysis; the local clock when not given.
    std::optional<std::tm> clock;
};

// Runs one analysis and returns the run status: 0 when the run went
// through, 1 when it ended early on unusable input.
int32_t runAnalysis(const RunEnvironment& environment);

}  // namespace tovek
