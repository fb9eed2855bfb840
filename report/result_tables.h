// The result section of the report: its heading and one capacity table per
// selected method, each printed row followed by its plot row.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "capacity/analysis_state.h"
#include "report/layout.h"

namespace tovek {

// Where a table goes.
struct TableOutput {
    ReportWriter& report;
    PlotWriter& plot;
    // Marks of the end-bearing column: the soil plug controls, or not.
    std::string_view blankMark;
    std::string_view plugMark;
    // Named in the message of a table that cannot be written.
    std::string_view inputFileName;
};

void writeResultHeading(ReportWriter& report);

// Heading block and rows of one method's table, from its prepared profile.
// A table whose printed values leave the range of numbers is not written:
// InputError.
void writeMethodTable(TableOutput& out, const AnalysisState& state, int32_t methodCode);

}  // namespace tovek
