// The unit load-transfer methods: each fills its method's unit side friction
// at the segment boundaries and its shaft capacity against penetration.
#pragma once

#include "capacity/analysis_state.h"
#include "report/layout.h"

namespace tovek {

// FHWA: Nordlund's rule in sand, alpha in clay and silt.
void computeFhwaFriction(AnalysisState& state, ReportWriter& report);

// U.S. Army Corps of Engineers. With the critical depth at a stress it also
// sets the critical depth that the end bearing of its integration reads.
void computeUsaceFriction(AnalysisState& state, ReportWriter& report);

// Revised Lambda: no unit side friction at the boundaries (the inside of an
// open-ended pile takes the integrator's own rule); its node unit friction
// is also its node side friction.
void computeLambdaFriction(AnalysisState& state, ReportWriter& report);

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
