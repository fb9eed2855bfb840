// The load-settlement stage: hand-over of the chosen method's node values,
// t-z and tip curves, load distributions and the load-settlement curve, and
// the verification listing of t-z curves.
#pragma once

#include <cstdint>

#include "capacity/analysis_state.h"
#include "settlement/settlement_data.h"

namespace tovek {

// Passes of the mid-segment iteration after which a segment is taken as it
// stands and counted as not converged.
inline constexpr int kMaxMidSegmentPasses = 100;

// Takes nodeSideFriction and nodeTipResistance (the unfactored end bearing)
// from the method chosen by loadTransferMethod.
void handOverNodeValues(const AnalysisState& state, SettlementData& data);

// Notes, heading, the solution and the load-settlement table.
void runLoadSettlement(SettlementRun& run);

// Layer curves (listed when listingFlag is 1), node curves, stiffness
// table, tip curve and the load-settlement points by assumed tip movements.
// In SI units it turns the pile diameters into metres, in place.
void solveLoadSettlement(SettlementRun& run, int32_t listingFlag);

// t-z curves at the depths the user asked for.
void listVerificationCurves(SettlementRun& run);

}  // namespace tovek
