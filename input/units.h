// Unit helpers of the analysis. The input is converted once as it is read;
// from then on the analysis works in feet, inches (diameters), kips, ksf and
// pcf (English units, unitSystem 1) or in metres, millimetres (diameters),
// kN, kPa and kN/m3 (SI units, unitSystem 2). The reader accepts no other
// unit system.
#pragma once

#include "input/problem_data.h"

namespace tovek {

inline bool englishUnits(const ProblemData& p) { return p.unitSystem == 1; }

// Divisor c that turns a diameter (in / mm) into a length (ft / m).
inline double diameterDivisor(const ProblemData& p) { return englishUnits(p) ? 12.0 : 1000.0; }

// Atmospheric pressure in the stress unit of the analysis (ksf / kPa), as the
// end bearing and the inside friction of the capacity integration take it.
inline double atmosphericPressure(const ProblemData& p) {
    return englishUnits(p) ? static_cast<double>(2.1168f) : 100.0;
}

// Sets the unit labels (all but the modulus label) from unitSystem.
inline void setUnitLabels(ProblemData& problem) {
    UnitLabels& l = problem.labels;
    if (englishUnits(problem)) {
        l.lengthLabel = "FT.";
        l.smallLengthLabel = "IN.";
        l.forceLabel = "KIP";
        l.stressLabel = "KSF";
        l.unitWeightLabel = "LB/FT^3";
        l.areaLabel = "IN2";
    } else {
        l.lengthLabel = "M. ";
        l.smallLengthLabel = "MM.";
        l.forceLabel = "KN.";
        l.stressLabel = "KPA";
        l.unitWeightLabel = "KN/M^3 ";
        l.areaLabel = "M2 ";
    }
}

// Tolerance on depths of the segment walks and of the zero-friction length.
inline constexpr double kDepthTolerance = 1.0e-6f;

}  // namespace tovek
