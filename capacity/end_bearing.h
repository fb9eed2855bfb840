// Unit end bearing of the capacity methods at the segment boundaries, and the
// cone resistance of a segment (stored, interpolated in the CPT profile, or
// estimated from the blow count).
#pragma once

#include <cstdint>

#include "capacity/analysis_state.h"

namespace tovek {

// A layer's maxUnitBearing holds kNoLayerLimit when the file gave no limit.
inline bool bearingLimitGiven(double maxUnitBearing) { return maxUnitBearing != kNoLayerLimit; }

// Cone resistance interpolated in the CPT profile at a pile length, in the
// file's units: 0 without CPT points, the first value at or above the first
// CPT depth, the last value below the last one.
double cptResistanceAt(const ProblemData& problem, double pileLength);

// Cone resistance used for segment i (1..N) by the end bearing and the wall
// bearing, in ksf / kPa: the segment's own value, else the CPT profile at the
// pile length of node i, else 2.8 pa x blow count.
double coneResistanceAt(const AnalysisState& state, int32_t segment);

// The same with the blow-count estimate `perBlow` x blow count (ksf / kPa
// per blow) in place of 2.8 pa per blow.
double coneResistanceAt(const AnalysisState& state, int32_t segment, double perBlow);

// Fills unitEndBearing(1..2N) of the method `methodCode`. A sand segment
// without a bearing capacity factor receives the API estimate, for this and
// every later method of the pass.
void computeUnitEndBearing(AnalysisState& state, int32_t methodCode);

}  // namespace tovek
