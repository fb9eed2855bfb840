// U.S. Army Corps of Engineers: unit side friction along the shaft and the
// shaft capacity against penetration.
//
// Sand: f = K x sigma'v x tan(delta), the effective stress held at its value
// at the critical depth below it, delta a fraction of the friction angle by
// the pile material, and for a battered pile the normal and tangential
// parts of the vertical stress on the inclined shaft. Clay: f = alpha x su,
// alpha falling from 1.0 at 0.5 ksf to 0.5 at 1.5 ksf, or with the long-pile
// option from the strength ratio su / sigma'v and the slenderness of the
// pile. Silt carries both. The inside of an open-ended pile takes alpha on
// the remoulded strength. The unit friction at a node is cut to the layer
// limit and integrated over each length increment.
//
// Source: USACE EM 1110-2-2906, Design of Pile Foundations (1991), skin
// friction in granular and cohesive soils.
#include <cmath>
#include <limits>

#include "capacity/charts.h"
#include "input/units.h"
#include "methods/methods.h"
#include "methods/shaft_capacity.h"

namespace tovek {

namespace {

// Pile-soil friction angle by the pile material.
double interfaceAngle(int32_t pileType, double phi) {
    switch (pileType) {
    case 1: return 0.75f * phi;  // steel pipe, non-tapered monotube
    case 2: return 0.9f * phi;   // timber
    case 3: return 0.95f * phi;  // precast concrete
    case 4:
    case 5:
    case 7: return 0.75f * phi;                 // tapered and step-taper piles
    case 6: return (phi + 0.75f * phi) * 0.5f;  // H-pile: half soil on soil, half steel
    default: return phi - 5;
    }
}

struct BoundaryPair {
    double top = 0;
    double bottom = 0;
};

// Step 1: K sigma tan(delta) at the top and bottom of segment i, on the
// stresses held below the critical depth.
BoundaryPair sandFriction(const AnalysisState& state, int32_t i, double sinBatter, double cosBatter) {
    const ProblemData& p = state.problem;
    const ComputationGrid& grid = state.grid;
    const SoilSegment& seg = grid.segments[i];
    const double delta = interfaceAngle(p.pile.pileType, seg.frictionAngle);
    double k = seg.lateralEarthPressure;
    // Alongside API RP-2A the coefficient of that method's practice: 1.25
    // in compression, 0.6 in tension.
    if (p.options.capacityMethods[4] == 1) k = p.options.loadingType == 1 ? 0.6f : 1.25f;
    const double tanDelta = std::tan(delta / 57.2958f);
    const double stressTop = grid.criticalDepthStress[2 * i - 1];
    const double stressBottom = grid.criticalDepthStress[2 * i];
    BoundaryPair f{k * stressTop * tanDelta, k * stressBottom * tanDelta};
    if (p.pile.batterAngle > 0) {
        f.top = f.top * cosBatter + stressTop * tanDelta * sinBatter;
        f.bottom = f.bottom * cosBatter + stressBottom * tanDelta * sinBatter;
    }
    return f;
}

// The long-pile factor on alpha: 1.0 up to 50 diameters, 0.7 from 120
// diameters, on the line between them in between.
constexpr Chart<2> kLongPileFactor{{50, 120}, {1.0, 0.7f}};

// Step 2: alpha of a clay with undrained shear strength su at segment i.
double clayAlpha(const AnalysisState& state, int32_t i) {
    const ProblemData& p = state.problem;
    const bool english = englishUnits(p);
    const double cu = state.grid.segments[i].undrainedShearStrength;
    const double low = english ? 0.5f : 24;
    const double high = english ? 1.5f : 72;
    if (cu <= low) return 1.0;
    if (cu > high) return 0.5f;
    if (p.options.longPileOption != 1) return english ? 1 - (cu - 0.5f) * 0.5f : 1 - (cu - 24) / 48 * 0.5f;
    const double slenderness = p.pile.embeddedLength / (p.pile.outsideDiameter / diameterDivisor(p));
    const double g = kLongPileFactor(slenderness);
    // A zero stress (none above the segment bottom) makes the strength
    // ratio unbounded: the lowest factor.
    const double stress = state.grid.criticalDepthStress[2 * i];
    const double psi = stress > 0 ? cu / stress : std::numeric_limits<double>::infinity();
    double a;
    if (psi <= 0.35f)
        a = 1.0;
    else if (psi <= 0.8f)
        a = 1 - (psi - 0.35f) * 0.4f / 0.45f;
    else
        a = 0.6f;
    return a * g;
}

}  // namespace

void computeUsaceFriction(AnalysisState& state, ReportWriter&) {
    if (state.grid.segmentCount < 1 || state.grid.nodeCount < 1) return;
    ProblemData& p = state.problem;
    AnalysisOptions& options = p.options;
    const ComputationGrid& grid = state.grid;
    const bool english = englishUnits(p);
    MethodResults& usace = state.method(kUsace);
    UnitTransferProfile& f = usace.transfer;

    // With the critical depth at a stress, it is found anew here: the bottom
    // of the first sand or silt segment whose bottom stress exceeds 3.5 ksf.
    // The end bearing of the integration that follows reads it.
    const bool stressCriticalDepth = options.criticalDepthOption == 1;
    if (stressCriticalDepth) options.criticalDepth = 0;
    const double criticalStress = english ? 3.5f : 168;
    const double sinBatter = std::sin(p.pile.batterAngle);
    const double cosBatter = std::cos(p.pile.batterAngle);

    const int32_t n = countWithin(grid.segmentCount, kMaxSegments);
    for (int32_t i = 1; i <= n; ++i) {
        const SoilSegment& seg = grid.segments[i];
        const bool sand = english ? seg.soilType - 1 <= 0 : seg.soilType - 1 <= 1.0e-6f;
        const bool silt = seg.soilType == 3.0;
        BoundaryPair sandPart;
        if (sand || silt) {
            sandPart = sandFriction(state, i, sinBatter, cosBatter);
            f.shaftUnitFriction[2 * i - 1] = f.unitSideFriction[2 * i - 1] = sandPart.top;
            f.shaftUnitFriction[2 * i] = f.unitSideFriction[2 * i] = sandPart.bottom;
            if (stressCriticalDepth && grid.boundaryStress[2 * i] > criticalStress && options.criticalDepth < 1.0e-5f)
                options.criticalDepth = seg.segmentBottom;
        }
        if (sand) continue;
        // Clay, and the clay part of silt.
        const double alpha = clayAlpha(state, i);
        const double clayPart = alpha * seg.undrainedShearStrength;
        f.shaftUnitFriction[2 * i - 1] = silt ? clayPart + sandPart.top : clayPart;
        f.shaftUnitFriction[2 * i] = silt ? clayPart + sandPart.bottom : clayPart;
        f.unitSideFriction[2 * i - 1] = f.unitSideFriction[2 * i] = alpha * seg.remoldedShearStrength;
    }

    nodeUnitFrictionFrom(state, f.shaftUnitFriction, usace.nodes);
    nodeFrictionLimits(state, usace.nodes);
    applyTensionReduction(state, usace.nodes);
    sumShaftCapacity(
        state, usace,
        {.limited = true, .limitedFrictionAbove = true, .perimeter = shaftPerimeter(state.problem, false)});
}

}  // namespace tovek
