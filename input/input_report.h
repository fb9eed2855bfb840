// The "INPUT INFORMATION" section of the report.
#pragma once

#include "engine/run_store.h"

namespace tovek {

// Writes the section and makes the store changes that belong to the echo
// (modulus label, cross-section area, embedded length, batter angle in
// radians) at their places in it.
void writeInputInformation(RunStore& store);

} // namespace tovek
