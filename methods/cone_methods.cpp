#include "methods/cone_methods.h"

#include <algorithm>
#include <cmath>

#include "capacity/charts.h"
#include "capacity/end_bearing.h"
#include "capacity/soil_rules.h"
#include "input/units.h"
#include "methods/shaft_capacity.h"

namespace tovek {

double conePressure(const ProblemData& problem) {
    return englishUnits(problem) ? static_cast<double>(2.0885546f) : 100.0;
}

double sandConeResistance(const AnalysisState& state, int32_t segment) {
    const double perBlow = englishUnits(state.problem) ? static_cast<double>(5.8479528f) : 280.0;
    return coneResistanceAt(state, segment, perBlow);
}

double distanceToTip(const ProblemData& problem, int32_t segment) {
    return (problem.pile.embeddedLength - (segment - 1) * problem.options.lengthIncrement) * diameterDivisor(problem);
}

double heldDistanceToTip(const ProblemData& problem, int32_t segment) {
    return std::max<double>(1.0e-5f, distanceToTip(problem, segment));
}

double equivalentRadius(const PileSection& pile) {
    const double d = pile.outsideDiameter;
    const double di = pile.enhancedEndInsideDiameter;
    // An end section wider than the pile (possible only for a pile given by
    // its perimeter) leaves no wall: R* = 0 rather than the root of a
    // negative number. The ratios h / R* are then unbounded and the
    // friction terms that fall with them vanish.
    return std::sqrt(std::max(0.0, (d * d - di * di) / 4));
}

double sandInterfaceTangent(const SoilSegment& segment) { return std::tan((segment.frictionAngle - 5) / 57.2958f); }

namespace {

// Source: interface friction angle of clays against plasticity index,
// Jardine, Chow, Overy and Standing (2005), ICP design methods for driven
// piles in sands and clays, Thomas Telford, London.
constexpr Chart<17> kClayInterfaceAngle{
    {0, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80},
    {34, 32, 29, 27, 24.5f, 22.5f, 20, 18.5f, 17, 15.2f, 14.7f, 13, 12.3f, 11.5f, 10, 9.2f, 8.5f}};

// ICP/MTD, Fugro and UWA in clay: f = 0.8 sigma'v Kc tan(delta_f), with
// Kc = (2 - 0.625 log10 St) YSR^0.42 (h / R*)^-0.2, h / R* held at 8 or
// more near the tip. The same at both ends, each with its own stress.
// Source: Jardine, Chow, Overy and Standing (2005), the ICP shaft capacity
// of driven piles in clay.
EndFriction coneClayFriction(AnalysisState& state, ReportWriter& report, int32_t i) {
    const ProblemData& p = state.problem;
    ComputationGrid& grid = state.grid;
    const SoilSegment& seg = grid.segments[i];
    if (!englishUnits(p)) clampBottomStress(grid, i);
    const double pi = seg.plasticityIndex;
    // The segment goes on with the angle of PI 0 (34 degrees).
    if (pi < 0) report.write("1X,'ERROR - NO DATA FOUND FOR PLASTIC INDEX.'");
    const double tanDeltaF = std::tan(clayInterfaceAngle(pi) / 57.2958f);
    const double r = std::max<double>(8, distanceToTip(p, i) / equivalentRadius(p.pile));
    const double su = seg.undrainedShearStrength;
    const double sr = seg.remoldedShearStrength;
    // A clay without an undrained or a remoulded strength has no measured
    // sensitivity: it is taken as 1 (an insensitive clay).
    const double sensitivity = su < 1.0e-10f || sr < 1.0e-10f ? 1.0 : su / sr;
    // The yield stress ratio is held at 0 or more: a negative ratio has no
    // meaning and would give no real power; 0 gives no friction.
    const double ysr = std::max(0.0, seg.blowCount);
    const double kc = (2 - 0.625f * std::log10(sensitivity)) * std::pow(ysr, 0.42f) * std::pow(r, -0.2f);
    return {0.8f * grid.boundaryStress[2 * i - 1] * kc * tanDeltaF, 0.8f * grid.boundaryStress[2 * i] * kc * tanDeltaF};
}

}  // namespace

double clayInterfaceAngle(double plasticityIndex) { return kClayInterfaceAngle(plasticityIndex); }

void computeConeFriction(AnalysisState& state, ReportWriter& report, int32_t methodCode, ConeSandRule sandRule) {
    if (state.grid.segmentCount < 1 || state.grid.nodeCount < 1) return;
    const ProblemData& p = state.problem;
    MethodResults& method = state.method(methodCode);
    UnitTransferProfile& transfer = method.transfer;
    const int32_t n = countWithin(state.grid.segmentCount, kMaxSegments);
    const double pa = conePressure(p);
    for (int32_t i = 1; i <= n; ++i) {
        const SoilSegment& seg = state.grid.segments[i];
        EndFriction f;
        if (seg.soilType - 1 > 1.0e-6f) {
            f = coneClayFriction(state, report, i);
        } else {
            const ConeSand sand{.problem = p,
                                .qc = sandConeResistance(state, i),
                                .stressTop = state.grid.boundaryStress[2 * i - 1],
                                .stressBottom = state.grid.boundaryStress[2 * i],
                                .tanDelta = sandInterfaceTangent(seg),
                                .distanceToTip = heldDistanceToTip(p, i),
                                .pa = pa,
                                .tension = p.options.loadingType == 1};
            f = sandRule(sand);
        }
        // The inside friction takes the shaft's values.
        transfer.shaftUnitFriction[2 * i - 1] = transfer.unitSideFriction[2 * i - 1] = f.top;
        transfer.shaftUnitFriction[2 * i] = transfer.unitSideFriction[2 * i] = f.bottom;
    }
    coneShaftCapacity(state, method);
}

void coneShaftCapacity(AnalysisState& state, MethodResults& method) {
    nodeUnitFrictionFrom(state, method.transfer.shaftUnitFriction, method.nodes);
    sumShaftCapacity(
        state, method,
        {.limited = false, .limitedFrictionAbove = false, .perimeter = shaftPerimeter(state.problem, false)});
}

}  // namespace tovek
