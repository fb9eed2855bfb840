// The unit load-transfer methods: each fills its method's unit side friction
// at the segment boundaries and its shaft capacity against penetration.
#pragma once

#include "capacity/analysis_state.h"
#include "report/layout.h"

namespace tovek {

// API RP-2A (2010).
void computeApiFriction(AnalysisState& state, ReportWriter& report);

// The cone-resistance methods: NGI, ICP/MTD, Fugro (2004) and UWA.
void computeNgiFriction(AnalysisState& state, ReportWriter& report);
void computeIcpFriction(AnalysisState& state, ReportWriter& report);
void computeFugroFriction(AnalysisState& state, ReportWriter& report);
void computeUwaFriction(AnalysisState& state, ReportWriter& report);

// The user-specified method ("GENERAL METHOD"): shaft capacity and end
// bearing from the user's unit values.
void computeUserMethodCapacity(AnalysisState& state, ReportWriter& report);

}  // namespace tovek
