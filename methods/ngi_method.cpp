// NGI (Norwegian Geotechnical Institute): unit side friction along the
// shaft and the shaft capacity against penetration.
//
// Sand: f = pa (sigma'v / pa)^0.25 x 2.1 (Dr - 0.1)^1.7 x z / L x the
// factors of the tip (1.6 closed), the loading (1.3 in compression) and
// the pile material (1.2 for timber and concrete), the relative density
// from the cone resistance, Dr = 0.4 ln(qc / 22 sqrt(pa sigma'v)), held at
// 0.2 or more, and z / L the depth of the segment top over the embedded
// length. Clay: by the strength ratio psi = su / sigma'v, a normally
// consolidated rule on the plasticity index (psi < 0.25), an
// overconsolidated alpha = 0.5 psi^-0.3 on su (psi > 1), and between them
// alpha interpolated linearly in psi, with a floor on the plasticity
// index; open piles take the tip factor 0.8 + 0.2 sqrt(psi).
//
// Source: Clausen, Aas and Karlsrud (2005), Bearing capacity of driven
// piles in sand, the NGI approach; Karlsrud, Clausen and Aas (2005),
// Bearing capacity of driven piles in clay, the NGI approach; Proc. ISFOG,
// Perth.
#include <algorithm>
#include <cmath>

#include "capacity/soil_rules.h"
#include "input/units.h"
#include "methods/cone_methods.h"
#include "methods/methods.h"

namespace tovek {

namespace {

// Clay and silt segment i: the shaft friction and the copy for the inside
// of an open pile, the same at both ends of the segment.
struct NgiClay {
    double shaft;
    double inside;
};

NgiClay ngiClayFriction(AnalysisState& state, int32_t i) {
    ComputationGrid& grid = state.grid;
    const SoilSegment& seg = grid.segments[i];
    // The clamped bottom stress is kept for the later methods.
    const double s = clampBottomStress(grid, i);
    const double su = seg.undrainedShearStrength;
    const double sr = seg.remoldedShearStrength;
    const double psi = std::max<double>(1.0e-10f, su / s);
    const double tip = state.problem.pile.enhancedEndInsideDiameter >= 1.0e-5f ? 0.8f + 0.2f * std::sqrt(psi) : 1.0;
    const double pi = seg.plasticityIndex;
    if (psi < 0.25f) {
        // Normally consolidated: friction from the plasticity index and the
        // stress alone. No alpha is formed, so the soil inside the pile
        // takes the same friction as the shaft outside.
        const double index = pi <= 10 ? static_cast<double>(10.000001f) : pi;
        const double f = 0.08f * std::pow(index - 10, 0.3f) * s;
        return {f, f};
    }
    if (psi > 1) {
        const double alpha = 0.5f / std::pow(psi, 0.3f);
        return {su * tip * alpha, sr * tip * alpha};
    }
    const double index = pi <= 12 ? static_cast<double>(12.000001f) : pi;
    const double floor = 0.06f * std::pow(index - 12, 0.33f) * s;
    const double alphaNc = 0.32f * std::pow(index - 10, 0.3f);
    const double alphaOc = 0.5f / std::pow(psi, 0.3f);
    const double alpha = alphaNc + (psi - 0.25f) * (alphaOc - alphaNc) / 0.75f;
    return {std::max(floor, su * tip * alpha), std::max(floor, sr * tip * alpha)};
}

EndFriction ngiSandFriction(AnalysisState& state, int32_t i) {
    const ProblemData& p = state.problem;
    ComputationGrid& grid = state.grid;
    const bool english = englishUnits(p);
    const double pa = conePressure(p);
    double qc = sandConeResistance(state, i);
    // A pile with no embedded length has no shaft in the soil.
    const double embedded = p.pile.embeddedLength;
    const double z = embedded > 0 ? grid.segments[i].segmentTop / embedded : 0.0;
    const double tipFactor = p.pile.enhancedEndInsideDiameter <= 1.0e-5f ? static_cast<double>(1.6f) : 1.0;
    const double loadFactor = p.options.loadingType == 1 ? 1.0 : static_cast<double>(1.3f);
    const double materialFactor = p.pile.pileType == 2 || p.pile.pileType == 3 ? static_cast<double>(1.2f) : 1.0;
    const double floorDensity = english ? static_cast<double>(0.200001f) : static_cast<double>(0.20001f);
    // A zero cone resistance gives the floor through the maximum.
    auto density = [&](double x) { return std::max(floorDensity, 0.4f * std::log(qc / x)); };
    auto friction = [&](double stress, double dr) {
        // Without stress the friction is 0 (the limit of the formula as the
        // stress vanishes, however dense the sand), not 0 x infinity.
        if (!(stress > 0)) return 0.0;
        return pa * std::pow(stress / pa, 0.25f) * 2.1f * std::pow(dr - 0.1f, 1.7f) * z * tipFactor * loadFactor *
               materialFactor;
    };

    const double bottomStress = grid.boundaryStress[2 * i];
    const double xBottom = 22 * std::sqrt(pa * bottomStress);
    // In SI units a sand weaker than the stress allows is taken as just
    // above it.
    if (!english && xBottom > qc) qc = 1.01f * xBottom;
    double dr = density(xBottom);
    const double bottom = friction(bottomStress, dr);

    const double topStress = grid.boundaryStress[2 * i - 1];
    const double xTop = 22 * std::sqrt(pa * topStress);
    if (!english && xTop > qc) qc = 1.01f * xTop;
    // The top keeps the bottom's density where its own is not formed: at
    // the first segment in English units, without stress in SI units.
    if (english ? i > 1 : xTop > 0) dr = density(xTop);
    const double top = friction(topStress, dr);
    if (english) grid.boundaryStress[2 * i - 1] = std::max<double>(1.0e-8f, topStress);
    return {top, bottom};
}

}  // namespace

void computeNgiFriction(AnalysisState& state, ReportWriter&) {
    if (state.grid.segmentCount < 1 || state.grid.nodeCount < 1) return;
    MethodResults& ngi = state.method(kNgi);
    UnitTransferProfile& t = ngi.transfer;
    const int32_t n = countWithin(state.grid.segmentCount, kMaxSegments);
    for (int32_t i = 1; i <= n; ++i) {
        if (state.grid.segments[i].soilType - 1 > 1.0e-6f) {
            const NgiClay f = ngiClayFriction(state, i);
            t.shaftUnitFriction[2 * i - 1] = t.shaftUnitFriction[2 * i] = f.shaft;
            t.unitSideFriction[2 * i - 1] = t.unitSideFriction[2 * i] = f.inside;
        } else {
            const EndFriction f = ngiSandFriction(state, i);
            t.shaftUnitFriction[2 * i - 1] = t.unitSideFriction[2 * i - 1] = f.top;
            t.shaftUnitFriction[2 * i] = t.unitSideFriction[2 * i] = f.bottom;
        }
    }
    coneShaftCapacity(state, ngi);
}

}  // namespace tovek
