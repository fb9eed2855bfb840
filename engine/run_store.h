// The store of one run: the analysis state, and on top of it what only the
// run itself holds: the file names, the load-settlement data and the
// writers of the report, the plot data file and the console. A fresh store
// is made for every call.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "capacity/analysis_state.h"
#include "report/layout.h"
#include "report/result_tables.h"
#include "settlement/settlement_data.h"

namespace tovek {

struct RunFileNames {
    std::string versionText;  // 12 characters as the front end writes it
    std::string inputFileName;
    std::string outputFileName;
    std::string plotFileName;
    std::string cptFileName;
};

struct RunStore : AnalysisState {
    RunFileNames names;
    SettlementData settlement;
    // Marks of the end-bearing column of the result tables.
    std::string blankMark = " ";
    std::string plugMark = "*";
    int32_t pass = 0;  // pass of the result stage, 1 or 2

    ReportWriter report;   // the report file
    PlotWriter plot;       // the plot data file
    LayoutWriter console;  // the process's standard output

    TableOutput tableOutput() { return {report, plot, blankMark, plugMark, names.inputFileName}; }
    SettlementRun settlementRun() { return {problem, grid, settlement, report, plot, names.inputFileName}; }
};

// The store of a run, taken zeroed from the allocator: the large arrays of
// the analysis have no initializers of their own (clearing 1 MB by hand for
// every call cost more than the rest of a small run), the allocator's fresh
// zeroed memory clears them. Every call starts from such a cleared store.
struct RunStoreRelease {
    void operator()(RunStore* store) const;
};
using RunStorePtr = std::unique_ptr<RunStore, RunStoreRelease>;
RunStorePtr newRunStore();

}  // namespace tovek
