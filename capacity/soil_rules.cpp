#include "capacity/soil_rules.h"

#include <algorithm>
#include <cmath>

#include "capacity/charts.h"
#include "input/units.h"

namespace tovek {

double clampBottomStress(ComputationGrid& grid, int32_t segment) {
    double& stress = grid.boundaryStress[2 * segment];
    stress = std::max<double>(1.0e-10f, stress);
    return stress;
}

double apiClayAlpha(double undrainedShearStrength, double stress) {
    const double psi = std::max<double>(1.0e-10f, undrainedShearStrength / stress);
    if (psi <= 1) return std::min(1.0, 0.5f / std::sqrt(psi));
    return std::min(1.0, 0.5f / std::pow(psi, 0.25f));
}

double apiSandShaftLimit(const ProblemData& problem, double delta) {
    const double limit = apiShaftLimit(delta);
    return englishUnits(problem) ? limit : limit * static_cast<double>(47.8f);
}

}  // namespace tovek
