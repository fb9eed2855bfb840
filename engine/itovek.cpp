// The exported entry of the engine library.
#include <cstdint>
#include <filesystem>
#include <iostream>

#include "engine/itovek.h"
#include "engine/run.h"

// One call is one complete run in the process's working folder. The two
// arguments carry no problem data. Returns the run status (0 or 1). No
// exception crosses this boundary.
extern "C" int32_t TOVEK_CALL ITOVEK(int32_t, int32_t) {
    try {
        tovek::RunEnvironment environment;
        std::error_code ec;
        environment.workingFolder = std::filesystem::current_path(ec);
        environment.consoleIn = &std::cin;
        environment.consoleOut = &std::cout;
        const int32_t status = tovek::runAnalysis(environment);
        std::cout.flush();
        return status;
    } catch (...) {
        return 1;
    }
}
