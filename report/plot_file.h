// The plot data file: header and capacity rows.
#pragma once

#include <cstdint>

#include "engine/run_store.h"

namespace tovek {

// Line 1: block count, row count, unitSystem, loadTransferMethod.
void writePlotHeader(RunStore& store, int32_t blockCount, int32_t rowCount);

} // namespace tovek
