// API RP-2A (2010): unit side friction and shaft capacity.
#pragma once

#include "engine/run_store.h"

namespace tovek {

void computeApiFriction(RunStore& store);

} // namespace tovek
