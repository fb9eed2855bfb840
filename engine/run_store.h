// The store of one run: everything a call of the engine reads, computes and
// writes lives here. A fresh store is made for every call.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "capacity/profiles.h"
#include "input/problem_data.h"
#include "report/layout.h"
#include "settlement/settlement_data.h"

namespace tovek {

struct RunFileNames {
    std::string versionText;   // 12 characters as the front end writes it
    std::string inputFileName;
    std::string outputFileName;
    std::string plotFileName;
    std::string cptFileName;
};

struct RunStore {
    RunFileNames names;
    ProblemData problem;
    ComputationGrid grid;
    int32_t methodCode = 0;                           // method being integrated
    std::array<MethodResults, kMethodCount + 1> methods{};  // indexed by methodCode
    CapacityWork work;
    SettlementData settlement;
    // Marks of the end-bearing column of the result tables.
    std::string blankMark = " ";
    std::string plugMark = "*";
    int32_t pass = 0;  // pass of the result stage, 1 or 2

    ReportWriter report;   // the report file
    PlotWriter plot;       // the plot data file
    LayoutWriter console;  // the process's standard output

    MethodResults& method(int32_t code) { return methods[static_cast<size_t>(code)]; }
};

} // namespace tovek
