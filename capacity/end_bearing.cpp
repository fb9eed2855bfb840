// Unit end bearing on the full tip area at the top and the bottom of every
// segment, by the rules of the method being integrated.
#include "capacity/end_bearing.h"

#include <algorithm>
#include <cmath>

#include "capacity/charts.h"
#include "input/units.h"

namespace tovek {

double cptResistanceAt(const ProblemData& problem, double pileLength) {
    const int32_t count = countWithin(problem.cptPointCount, kMaxCptPoints);
    if (count == 0) return 0.0;
    // The CPT profile is read like any other chart: depth against resistance.
    return ChartTable{&problem.cptDepth[1], &problem.cptTipResistance[1], static_cast<size_t>(count)}(pileLength);
}

double coneResistanceAt(const AnalysisState& state, int32_t segment, double perBlow) {
    const ProblemData& p = state.problem;
    assert(segment >= 1 && segment <= state.grid.segmentCount);
    const SoilSegment& seg = state.grid.segments[segment];
    const double psfPerKsf = englishUnits(p) ? 1000.0 : 1.0;
    if (seg.coneTipResistance >= 1.0e-5f) return seg.coneTipResistance / psfPerKsf;
    // The profile is read at the pile length of the node at the segment top.
    if (p.cptPointCount > 0) return cptResistanceAt(p, (segment - 1) * p.options.lengthIncrement) / psfPerKsf;
    // No sounding: estimate from the blow count.
    return perBlow * seg.blowCount;
}

double coneResistanceAt(const AnalysisState& state, int32_t segment) {
    return coneResistanceAt(state, segment, 2.8f * atmosphericPressure(state.problem));
}

namespace {

bool clayForEndBearing(double soilType) { return 1.0e-6f < soilType - 1 && soilType <= 2.5f; }

// The limit of the Army Corps and the cone-resistance rules: the layer's
// maxUnitBearing when the file gave one and it is above 0.001.
double limitedByLayer(double q, double maxUnitBearing) {
    if (bearingLimitGiven(maxUnitBearing) && maxUnitBearing > 0.001f) return std::min(q, maxUnitBearing);
    return q;
}

struct BoundaryBearing {
    double top = 0;
    double bottom = 0;
};

// What a sand rule reads of segment i.
struct SandSegment {
    const SoilSegment& soil;
    int32_t index;
    double stressTop;
    double stressBottom;
};

// FHWA: Nordlund's toe resistance, alpha-t x N'q x sigma'v, the stress held
// at 150 kPa and the unit toe resistance at the chart limit.
// Source: Nordlund (1963, 1979) as given in FHWA NHI-05-042, Design and
// Construction of Driven Pile Foundations (Hannigan et al. 2006).
BoundaryBearing fhwaSandBearing(const ProblemData& p, const SandSegment& s) {
    const double phi = s.soil.frictionAngle;
    const double c = diameterDivisor(p);
    const double ratio = p.pile.embeddedLength / (p.pile.outsideDiameter / c);
    const double factor = fhwaToeCoefficient(phi, ratio) * fhwaBearingFactor(phi);
    // The chart limit is in tons per square foot: 2 ksf per tsf.
    double chartLimit = 2 * fhwaLimitingToeResistance(phi);
    if (!englishUnits(p)) chartLimit *= 47.88f;
    const double limit = std::min(s.soil.maxUnitBearing, chartLimit);
    // The effective stress at the toe is capped at 150 kPa (its ksf value
    // converted with the same 47.88).
    const double stressCap = englishUnits(p) ? 150.0 / static_cast<double>(47.88f) : 150.0;
    return {std::min(factor * std::min(s.stressTop, stressCap), limit),
            std::min(factor * std::min(s.stressBottom, stressCap), limit)};
}

// The Army Corps critical-depth stresses. The cap Sc and the class values
// S15 and S20 are taken once per call, when the first node below the
// critical depth of the density class is met, and then kept for the
// segments below.
struct UsaceLatches {
    double cap = 0;
    double medium = 0;  // S15
    double dense = 0;   // S20
};

// Army Corps: Nq x sigma'v, the stress held below the critical depth of the
// sand's density class (10, 15 or 20 diameters) or the given critical depth.
// Source: USACE EM 1110-2-2906, Design of Pile Foundations (1991), end
// bearing in granular soil.
BoundaryBearing usaceSandBearing(const AnalysisState& state, const SandSegment& s, UsaceLatches& latches) {
    const ProblemData& p = state.problem;
    const double phi = s.soil.frictionAngle;
    const double c = diameterDivisor(p);
    const double factor = usaceBearingFactor(phi);
    double d10 = 10 * p.pile.outsideDiameter / c + 1;
    double d15 = 15 * p.pile.outsideDiameter / c + 1;
    double d20 = 20 * p.pile.outsideDiameter / c + 1;
    if (p.options.criticalDepthOption > 0) d10 = d15 = d20 = p.options.criticalDepth;
    const double nodeLength = (s.index - 1) * p.options.lengthIncrement;
    const double critical = state.grid.criticalDepthStress[2 * s.index];
    if (phi <= 33 && nodeLength > d10 && latches.cap < 1.0e-5f) latches.cap = critical;
    if (phi > 33 && nodeLength > d15) {
        if (phi <= 36 && latches.medium < 1.0e-5f) latches.medium = critical;
        latches.cap = latches.medium;
    }
    if (phi > 36 && nodeLength > d20) {
        if (latches.dense < 1.0e-5f) latches.dense = critical;
        latches.cap = latches.dense;
    }
    BoundaryBearing q{factor * s.stressTop, factor * s.stressBottom};
    if (s.stressBottom > latches.cap && latches.cap > 1.0e-5f) q.top = q.bottom = factor * latches.cap;
    return {limitedByLayer(q.top, s.soil.maxUnitBearing), limitedByLayer(q.bottom, s.soil.maxUnitBearing)};
}

// Limiting unit end bearing of API RP-2A (also used by Revised Lambda) from
// the bearing capacity factor, when the layer gives no limit of its own.
// Source: API RP 2A-WSD (2010 printing), design parameters for cohesionless
// siliceous soil.
double apiBearingLimit(double nq, bool english) {
    if (english) {
        if (nq <= 8) return 40.0;
        if (nq <= 12) return 40.0 + 5.0 * (nq - 8);
        if (nq <= 20) return 60.0 + 5.0 * (nq - 12);
        if (nq <= 40) return 100.0 + 100.0 * (nq - 20) / 20.0;
        if (nq <= 50) return 200.0 + 50.0 * (nq - 40) / 10.0;
        return 250.0;
    }
    if (nq <= 8) return 1900.0;
    if (nq <= 12) return 1900.0 + 250.0 * (nq - 8);
    if (nq <= 20) return 2900.0 + 237.5f * (nq - 12);
    if (nq <= 40) return 4800.0 + 4800.0 * (nq - 20) / 20.0;
    if (nq <= 50) return 9600.0 + 2400.0 * (nq - 40) / 10.0;
    return 12000.0;
}

// API RP-2A and Revised Lambda: Nq x sigma'v up to the limit.
// Source: API RP 2A-WSD (2010 printing), end bearing in cohesionless soils.
BoundaryBearing apiSandBearing(const ProblemData& p, const SandSegment& s, double nq) {
    const double limit =
        bearingLimitGiven(s.soil.maxUnitBearing) ? s.soil.maxUnitBearing : apiBearingLimit(nq, englishUnits(p));
    return {std::min(nq * s.stressTop, limit), std::min(nq * s.stressBottom, limit)};
}

// NGI: relative density from the cone resistance and the stress, and the
// unit end bearing from the cone resistance reduced by it.
// Source: Clausen, Aas and Karlsrud (2005), Bearing capacity of driven piles
// in sand, the NGI approach; Proc. ISFOG, Perth.
BoundaryBearing ngiSandBearing(const AnalysisState& state, const SandSegment& s) {
    const ProblemData& p = state.problem;
    const double qc = coneResistanceAt(state, s.index);
    const double pa = atmosphericPressure(p);
    const bool closedEnd = p.pile.enhancedEndInsideDiameter <= 1.0e-4f;
    auto ngi = [&](double stress) {
        // A zero cone resistance, or a zero stress at the ground surface,
        // makes the relative density unbounded and the bearing 0 (the limit
        // of the formula), without forming 0/0.
        if (qc <= 0 || stress <= 0) return 0.0;
        const double dr = 0.4f * std::log(qc / (22 * std::sqrt(pa * stress)));
        const double q = closedEnd ? 0.8f * qc / (1 + dr * dr) : 0.7f * qc / (1 + 3 * dr * dr);
        return limitedByLayer(q, s.soil.maxUnitBearing);
    };
    return {ngi(s.stressTop), ngi(s.stressBottom)};
}

// ICP/MTD: a fraction of the cone resistance falling with the diameter.
// Source: Jardine, Chow, Overy and Standing (2005), ICP design methods for
// driven piles in sands and clays, Thomas Telford, London.
BoundaryBearing icpSandBearing(const AnalysisState& state, const SandSegment& s) {
    const ProblemData& p = state.problem;
    const double qc = coneResistanceAt(state, s.index);
    const double dmm = englishUnits(p) ? p.pile.outsideDiameter * 25.4f : p.pile.outsideDiameter;
    const double l = std::log10(dmm / 36);
    double q;
    if (p.pile.enhancedEndInsideDiameter >= 1.0e-4f) {
        q = (0.5f - 0.25f * l) * qc;
        if (dmm > 900 && q < 0.15f * qc) q = 0.15f * qc;
        if (p.options.plugOption == 2) q = qc;
    } else {
        q = (1 - 0.5f * l) * qc;
        if (dmm > 900 && q < 0.3f * qc) q = 0.3f * qc;
    }
    q = limitedByLayer(q, s.soil.maxUnitBearing);
    return {q, q};
}

// Fugro: 8.5 pa sqrt(qc / pa) on the effective area ratio.
// Source: Kolk, Baaijens and Senders (2005), Design criteria for pipe piles
// in silica sands; Proc. ISFOG, Perth.
BoundaryBearing fugroSandBearing(const AnalysisState& state, const SandSegment& s) {
    const ProblemData& p = state.problem;
    const double pa = atmosphericPressure(p);
    // Negative cone resistances (bad CPT rows) and an end section wider
    // than the pile are held at zero instead of taking roots of negative
    // numbers.
    const double qc = std::max(0.0, coneResistanceAt(state, s.index));
    const double ratio = p.pile.enhancedEndInsideDiameter / p.pile.outsideDiameter;
    const double ring = std::max(0.0, 1 - ratio * ratio);
    const double q = limitedByLayer(8.5f * pa * std::sqrt(qc / pa) * std::pow(ring, 0.25f), s.soil.maxUnitBearing);
    return {q, q};
}

// UWA: qc (0.15 + 0.45 Arb) on the effective area ratio of the filling.
// Source: Lehane, Schneider and Xu (2005), The UWA-05 method for prediction
// of axial capacity of driven piles in sand; Proc. ISFOG, Perth.
BoundaryBearing uwaSandBearing(const AnalysisState& state, const SandSegment& s) {
    const ProblemData& p = state.problem;
    const double qc = coneResistanceAt(state, s.index);
    const double inside = p.pile.enhancedEndInsideDiameter;
    const double di = englishUnits(p) ? inside * 0.0254f : inside / 1000;
    const double ffr = std::min(1.0, std::pow(di / 1.5f, 0.2f));
    const double ratio = inside / p.pile.outsideDiameter;
    const double arb = 1 - ffr * ratio * ratio;
    double q = qc * (0.15f + 0.45f * arb);
    if (inside < 1.0e-4f || p.options.plugOption == 1)
        q = std::max(q, 0.3f * qc);
    else
        q = std::max(q, 0.15f * qc);
    q = limitedByLayer(q, s.soil.maxUnitBearing);
    return {q, q};
}

// The user-specified method is integrated only in tension, where the
// end-bearing column is the self weight; its unit end bearing still drives
// the plug decision. The user's own unit end bearing of the layer is used
// for it, as the method itself uses it: constant over the segment and
// without any limit.
BoundaryBearing userSandBearing(const SandSegment& s) { return {s.soil.userUnitEndBearing, s.soil.userUnitEndBearing}; }

BoundaryBearing sandBearing(const AnalysisState& state, int32_t code, const SandSegment& s, double nq,
                            UsaceLatches& latches) {
    switch (code) {
    case kFhwa: return fhwaSandBearing(state.problem, s);
    case kUsace: return usaceSandBearing(state, s, latches);
    case kRevisedLambda:
    case kApi: return apiSandBearing(state.problem, s, nq);
    case kNgi: return ngiSandBearing(state, s);
    case kIcp: return icpSandBearing(state, s);
    case kFugro: return fugroSandBearing(state, s);
    case kUwa: return uwaSandBearing(state, s);
    case kUserMethod: return userSandBearing(s);
    default: return {};
    }
}

// Clay: 9 su, or for ICP/MTD, Fugro and UWA with a closed or a slipping
// plug, a fraction of the cone resistance by the drainage of the clay.
BoundaryBearing clayBearing(const AnalysisState& state, int32_t code, int32_t i) {
    const ProblemData& p = state.problem;
    const SoilSegment& seg = state.grid.segments[i];
    double q = 9 * seg.undrainedShearStrength;
    if (code == kIcp || code == kFugro || code == kUwa) {
        const double qc = coneResistanceAt(state, i);
        const int32_t plug = p.options.plugOption;
        const int32_t drainage = p.options.clayDrainage;
        if (p.pile.enhancedEndInsideDiameter < 1.0e-6f || plug == 1) {
            if (drainage == 1)
                q = plug == 1 ? 0.65f * qc : 1.3f * qc;
            else if (drainage == 0)
                q = plug == 1 ? 0.4f * qc : 0.8f * qc;
        } else if (plug == 2) {
            if (drainage == 1)
                q = 1.6f * qc;
            else if (drainage == 0)
                q = qc;
        }
    }
    if (bearingLimitGiven(seg.maxUnitBearing)) q = std::min(q, seg.maxUnitBearing);
    return {q, q};
}

}  // namespace

void computeUnitEndBearing(AnalysisState& state, int32_t methodCode) {
    const int32_t n = countWithin(state.grid.segmentCount, kMaxSegments);
    auto& bearing = state.method(methodCode).transfer.unitEndBearing;
    UsaceLatches latches;
    for (int32_t i = 1; i <= n; ++i) {
        SoilSegment& seg = state.grid.segments[i];
        BoundaryBearing q;
        if (clayForEndBearing(seg.soilType)) {
            q = clayBearing(state, methodCode, i);
        } else {
            // A layer without a bearing capacity factor gets the API value for
            // delta = phi - 5, for this and every later method of the pass.
            if (seg.bearingCapacityFactor == 0) seg.bearingCapacityFactor = apiBearingFactor(seg.frictionAngle - 5);
            const SandSegment sand{seg, i, state.grid.boundaryStress[2 * i - 1], state.grid.boundaryStress[2 * i]};
            q = sandBearing(state, methodCode, sand, seg.bearingCapacityFactor, latches);
        }
        bearing[2 * i - 1] = q.top;
        bearing[2 * i] = q.bottom;
    }
}

}  // namespace tovek
