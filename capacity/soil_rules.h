// Soil rules that the capacity integration and several methods share.
#pragma once

#include <cstdint>

#include "input/problem_data.h"

namespace tovek {

// The effective stress at the bottom of segment i held at 1.0E-10 or more,
// as the clay rules divide by it; the held value is written back to the
// grid, where every later rule of the pass reads it.
double clampBottomStress(ComputationGrid& grid, int32_t segment);

// API RP-2A adhesion factor of a clay: alpha = 0.5 / sqrt(psi) for
// psi <= 1 and 0.5 / psi^0.25 above, at most 1, with psi the strength ratio
// su / sigma'v (held at 1.0E-10 or more).
// Source: API RP 2A-WSD (2010 printing), shaft friction in cohesive soils.
double apiClayAlpha(double undrainedShearStrength, double stress);

// API RP-2A limiting unit shaft friction of a sand at the pile-soil friction
// angle delta, in the stress unit of the analysis (the ksf chart value
// times 47.8 in SI units).
double apiSandShaftLimit(const ProblemData& problem, double delta);

}  // namespace tovek
