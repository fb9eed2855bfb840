// The plot data file: header and capacity rows.
#pragma once

#include <cstdint>

#include "capacity/profiles.h"
#include "input/problem_data.h"
#include "report/layout.h"

namespace tovek {

// Line 1: block count, row count, unitSystem, loadTransferMethod.
void writePlotHeader(PlotWriter& plot, const ProblemData& problem, int32_t blockCount, int32_t rowCount);

// One capacity row of node `node`: plot position, skin friction, factored
// end bearing (self weight in tension), ultimate capacity and the method's
// unit side friction at the node. Written right after the node's report row.
void writePlotRow(PlotWriter& plot, int32_t node, const CapacityProfile& profile, const MethodNodeArrays& nodes);

}  // namespace tovek
