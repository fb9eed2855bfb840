// The result section of the report: its heading and one capacity table per
// selected method, each printed row followed by its plot row.
#pragma once

#include <cstdint>

#include "engine/run_store.h"

namespace tovek {

void writeResultHeading(RunStore& store);

// Number of printed nodes (rows of every capacity table).
int32_t printedRowCount(int32_t nodeCount, int32_t printIncrement);

// LRFD factor on end bearing, ultimate capacity, depth and plot columns.
void prepareProfileForReport(RunStore& store, int32_t methodCode);

// Heading block and rows of one method's table.
void writeMethodTable(RunStore& store, int32_t methodCode);

} // namespace tovek
