// API RP-2A (2010): unit side friction along the shaft and the shaft
// capacity against penetration.
//
// Sand: f = K x sigma'v x tan(phi - 5 deg), capped by the API limiting shaft
// friction for that interface angle. Clay: f = alpha x su with the API alpha
// from the strength ratio psi = su / sigma'v. The unit friction at a node is
// then cut to the layer limit (or, for a sand layer entered with the 9999
// marker, to a limit from its friction angle) and integrated over each
// length increment.
//
// Source: API RP 2A-WSD, Recommended Practice for Planning, Designing and
// Constructing Fixed Offshore Platforms (2010 printing), axial capacity of
// piles in cohesive and cohesionless soils.
#include <algorithm>
#include <cmath>

#include "capacity/soil_rules.h"
#include "input/units.h"
#include "methods/methods.h"
#include "methods/shaft_capacity.h"

namespace tovek {

namespace {

// Limiting unit side friction of a sand layer that carries no limit of its
// own (entered as 9999), from its friction angle (ksf or kPa).
double sandFrictionLimit(double phi, bool english) {
    if (english) {
        if (phi <= 20) return 1.0f;
        if (phi <= 25) return 1.0f + 0.4f * (phi - 20) / 5;
        if (phi <= 30) return 1.4f + 0.3f * (phi - 25) / 5;
        if (phi <= 35) return 1.7f + 0.3f * (phi - 30) / 5;
        if (phi <= 40) return 2.0f + 0.4f * (phi - 35) / 5;
        return 2.4f;
    }
    if (phi <= 20) return 47.8f;
    if (phi <= 25) return 47.8f + 19.2f * (phi - 20) / 5;
    if (phi <= 30) return 67.0f + 16.1f * (phi - 25) / 5;
    if (phi <= 35) return 83.1f + 12.4f * (phi - 30) / 5;
    if (phi <= 40) return 95.5f + 19.3f * (phi - 35) / 5;
    return 114.8f;
}

// Step 1: unit side friction at the top and bottom of every segment.
void boundaryFriction(AnalysisState& state, Array1<double, kMaxBoundaries>& f) {
    ComputationGrid& grid = state.grid;
    const int32_t n = countWithin(grid.segmentCount, kMaxSegments);
    for (int32_t i = 1; i <= n; ++i) {
        const SoilSegment& seg = grid.segments[i];
        if (seg.soilType > 1.0) {
            // Clay (and silt): alpha on the stress at the segment bottom; the
            // clamped stress is kept for the later methods.
            const double stress = clampBottomStress(grid, i);
            f[2 * i - 1] = f[2 * i] = apiClayAlpha(seg.undrainedShearStrength, stress) * seg.undrainedShearStrength;
        } else {
            const double delta = seg.frictionAngle - 5;
            const double tanDelta = std::tan(delta / 57.2958f);
            const double limit = apiSandShaftLimit(state.problem, delta);
            f[2 * i - 1] = std::min(seg.lateralEarthPressure * grid.boundaryStress[2 * i - 1] * tanDelta, limit);
            f[2 * i] = std::min(seg.lateralEarthPressure * grid.boundaryStress[2 * i] * tanDelta, limit);
        }
    }
}

// Step 3: a sand layer entered with the limit 9999 takes its limit from its
// friction angle, for this and every later method of the pass.
void replaceSandLimitMarkers(AnalysisState& state) {
    const int32_t m = countWithin(state.grid.nodeCount, kMaxNodes);
    for (int32_t j = 1; j <= m; ++j) {
        SoilSegment& seg = state.grid.segments[j];
        if (seg.maxUnitFriction == 9999.0 && seg.soilType == 1.0)
            seg.maxUnitFriction = sandFrictionLimit(seg.frictionAngle, englishUnits(state.problem));
    }
}

}  // namespace

void computeApiFriction(AnalysisState& state, ReportWriter&) {
    if (state.grid.segmentCount < 1 || state.grid.nodeCount < 1) return;
    MethodResults& api = state.method(kApi);
    boundaryFriction(state, api.transfer.unitSideFriction);
    nodeUnitFrictionFrom(state, api.transfer.unitSideFriction, api.nodes);
    replaceSandLimitMarkers(state);
    nodeFrictionLimits(state, api.nodes);
    applyTensionReduction(state, api.nodes);
    sumShaftCapacity(
        state, api,
        {.limited = true, .limitedFrictionAbove = false, .perimeter = shaftPerimeter(state.problem, false)});
}

}  // namespace tovek
