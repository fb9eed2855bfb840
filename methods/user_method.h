// The user-specified method ("GENERAL METHOD"): shaft capacity and end
// bearing from the user's unit values.
#pragma once

#include "engine/run_store.h"

namespace tovek {

void computeUserMethodCapacity(RunStore& store);

} // namespace tovek
