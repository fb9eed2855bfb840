// The last steps of a method's capacity before its table: pile lengths, the
// LRFD factor on end bearing, the ultimate capacity and the position
// columns.
#pragma once

#include <cstdint>

#include "capacity/analysis_state.h"

namespace tovek {

// For every node j of the method `methodCode`: pileLength (j-1) x
// lengthIncrement; factoredEndBearing = endBearing x lrfdBearingFactor of
// segment j (the segment whose top is the node); ultimateCapacity =
// skinFriction + factoredEndBearing; the depth (or elevation) column and the
// plot position column. The unfactored end bearing is kept.
void prepareProfileForReport(AnalysisState& state, int32_t methodCode);

}  // namespace tovek
