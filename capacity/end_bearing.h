// Unit end bearing of the capacity methods at the segment boundaries, and the
// cone resistance of a segment (stored, interpolated in the CPT profile, or
// estimated from the blow count).
#pragma once

#include <cstdint>

#include "engine/run_store.h"

namespace tovek {

namespace capacity {

// English units (ft, in, kips, ksf) for unitSystem 1; every other value is
// taken as SI (m, mm, kN, kPa), the only other valid value being 2.
inline bool englishUnits(const ProblemData& p) { return p.unitSystem == 1; }

// Divisor that turns a diameter (in / mm) into a length (ft / m).
inline double diameterDivisor(const ProblemData& p) { return englishUnits(p) ? 12.0 : 1000.0; }

// Atmospheric pressure in the stress unit of the run (ksf / kPa).
inline double atmosphericPressure(const ProblemData& p) {
    return englishUnits(p) ? static_cast<double>(2.1168f) : 100.0;
}

// A layer's maxUnitBearing holds kNoLayerLimit when the file gave no limit.
inline bool bearingLimitGiven(double maxUnitBearing) { return maxUnitBearing != kNoLayerLimit; }

} // namespace capacity

// Cone resistance interpolated in the CPT profile at a pile length, in the
// file's units: 0 without CPT points, the first value at or above the first
// CPT depth, the last value below the last one.
double cptResistanceAt(const ProblemData& problem, double pileLength);

// Cone resistance used for segment i (1..N, clamped to the segment table),
// in ksf / kPa. Also kept in store.work.currentConeResistance.
double coneResistanceAt(RunStore& store, int32_t segment);

// Fills unitEndBearing(1..2N) of store.methods[store.methodCode].transfer
// for the method being integrated.
void computeUnitEndBearing(RunStore& store);

} // namespace tovek
