// Capacity against penetration: end bearing, plug decision and plug
// length of the method named by store.methodCode, node by node.
#pragma once

#include "engine/run_store.h"

namespace tovek {

void integrateCapacity(RunStore& store);

} // namespace tovek
