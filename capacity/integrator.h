// Capacity against penetration: end bearing, plug decision and plug length
// of one method, node by node.
#pragma once

#include <cstdint>

#include "capacity/analysis_state.h"

namespace tovek {

// Integrates the unit values of the method `methodCode` into the end bearing
// (self weight in tension), plug flag, plug length and plug friction of its
// capacity profile at every node. Fills the method's unit end bearing first.
void integrateCapacity(AnalysisState& state, int32_t methodCode);

}  // namespace tovek
