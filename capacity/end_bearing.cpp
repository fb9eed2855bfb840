#include "capacity/end_bearing.h"

#include <algorithm>
#include <cmath>

#include "capacity/charts.h"

namespace tovek {

using capacity::atmosphericPressure;
using capacity::bearingLimitGiven;
using capacity::diameterDivisor;
using capacity::englishUnits;

double cptResistanceAt(const ProblemData& problem, double pileLength) {
    const int32_t count = std::clamp<int32_t>(problem.cptPointCount, 0, kMaxCptPoints);
    if (count == 0) return 0.0;
    // The CPT profile is read like any other chart: depth against resistance.
    return ChartTable{&problem.cptDepth[1], &problem.cptTipResistance[1], static_cast<size_t>(count)}(pileLength);
}

double coneResistanceAt(RunStore& store, int32_t segment) {
    const ProblemData& p = store.problem;
    const int32_t n = std::clamp<int32_t>(store.grid.segmentCount, 1, kMaxSegments);
    const int32_t i = std::clamp<int32_t>(segment, 1, n);
    const SoilSegment& seg = store.grid.segments[static_cast<size_t>(i)];
    const double toStress = englishUnits(p) ? 1.0 / 1000.0 : 1.0;  // psf to ksf

    double qc;
    if (seg.coneTipResistance >= 1.0e-5f) {
        qc = seg.coneTipResistance * toStress;
    } else if (p.cptPointCount > 0) {
        // The profile is read at the pile length of the node at the segment top.
        qc = cptResistanceAt(p, (i - 1) * p.options.lengthIncrement) * toStress;
    } else {
        // No sounding: estimate from the blow count.
        qc = 2.8f * atmosphericPressure(p) * seg.blowCount;
    }
    store.work.currentConeResistance = qc;
    return qc;
}

namespace {

bool clayForEndBearing(double soilType) { return 1.0e-6f < soilType - 1 && soilType <= 2.5f; }

// Limit of codes 2 and 5 to 8: the layer's maxUnitBearing when the file gave
// one and it is above 0.001.
double limitedByLayer(double q, double maxUnitBearing) {
    if (bearingLimitGiven(maxUnitBearing) && maxUnitBearing > 0.001f) return std::min(q, maxUnitBearing);
    return q;
}

// Limiting unit end bearing of API RP-2A (also used by Revised Lambda) from
// the bearing capacity factor, when the layer gives no limit of its own.
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

// The Army Corps critical-depth stresses. The cap Sc and the class values
// S15 and S20 are taken once per call, when the first node below the
// critical depth of the density class is met, and then kept for the
// segments below.
struct UsaceLatches {
    double cap = 0;
    double medium = 0;  // S15
    double dense = 0;   // S20
};

struct BoundaryBearing {
    double top = 0;
    double bottom = 0;
};

BoundaryBearing sandBearing(RunStore& store, int32_t i, double nq, UsaceLatches& latches) {
    const ProblemData& p = store.problem;
    const PileSection& pile = p.pile;
    const SoilSegment& seg = store.grid.segments[static_cast<size_t>(i)];
    const double st = store.grid.boundaryStress[static_cast<size_t>(2 * i - 1)];
    const double sb = store.grid.boundaryStress[static_cast<size_t>(2 * i)];
    const double phi = seg.frictionAngle;
    const double c = diameterDivisor(p);
    const double pa = atmosphericPressure(p);
    const bool english = englishUnits(p);

    switch (store.methodCode) {
    case kFhwa: {
        const double ratio = pile.embeddedLength / (pile.outsideDiameter / c);
        const double factor = fhwaToeCoefficient(phi, ratio) * fhwaBearingFactor(phi);
        // The chart limit is in tons per square foot: 2 ksf per tsf.
        double chartLimit = 2 * fhwaLimitingToeResistance(phi);
        if (!english) chartLimit *= 47.88f;
        const double limit = std::min(seg.maxUnitBearing, chartLimit);
        // The effective stress at the toe is capped at 150 kPa (its ksf value
        // converted with the same 47.88).
        const double stressCap = english ? 150.0 / static_cast<double>(47.88f) : 150.0;
        return {std::min(factor * std::min(st, stressCap), limit), std::min(factor * std::min(sb, stressCap), limit)};
    }
    case kUsace: {
        const double factor = usaceBearingFactor(phi);
        double d10 = 10 * pile.outsideDiameter / c + 1;
        double d15 = 15 * pile.outsideDiameter / c + 1;
        double d20 = 20 * pile.outsideDiameter / c + 1;
        if (p.options.criticalDepthOption > 0) d10 = d15 = d20 = p.options.criticalDepth;
        const double nodeLength = (i - 1) * p.options.lengthIncrement;
        const double critical = store.grid.criticalDepthStress[static_cast<size_t>(2 * i)];
        if (phi <= 33 && nodeLength > d10 && latches.cap < 1.0e-5f) latches.cap = critical;
        if (phi > 33 && nodeLength > d15) {
            if (phi <= 36 && latches.medium < 1.0e-5f) latches.medium = critical;
            latches.cap = latches.medium;
        }
        if (phi > 36 && nodeLength > d20) {
            if (latches.dense < 1.0e-5f) latches.dense = critical;
            latches.cap = latches.dense;
        }
        BoundaryBearing q{factor * st, factor * sb};
        if (sb > latches.cap && latches.cap > 1.0e-5f) q.top = q.bottom = factor * latches.cap;
        return {limitedByLayer(q.top, seg.maxUnitBearing), limitedByLayer(q.bottom, seg.maxUnitBearing)};
    }
    case kRevisedLambda:
    case kApi: {
        const double limit = bearingLimitGiven(seg.maxUnitBearing) ? seg.maxUnitBearing : apiBearingLimit(nq, english);
        return {std::min(nq * st, limit), std::min(nq * sb, limit)};
    }
    case kNgi: {
        const double qc = coneResistanceAt(store, i);
        const bool closedEnd = pile.enhancedEndInsideDiameter <= 1.0e-4f;
        auto ngi = [&](double stress) {
            // Relative density from cone resistance and stress. A zero cone
            // resistance, or a zero stress at the ground surface, makes the
            // relative density unbounded and the bearing 0 (the limit of the
            // formula), without forming 0/0.
            if (qc <= 0 || stress <= 0) return 0.0;
            const double dr = 0.4f * std::log(qc / (22 * std::sqrt(pa * stress)));
            const double q = closedEnd ? 0.8f * qc / (1 + dr * dr) : 0.7f * qc / (1 + 3 * dr * dr);
            return limitedByLayer(q, seg.maxUnitBearing);
        };
        return {ngi(st), ngi(sb)};
    }
    case kIcp: {
        const double qc = coneResistanceAt(store, i);
        const double dmm = english ? pile.outsideDiameter * 25.4f : pile.outsideDiameter;
        const double l = std::log10(dmm / 36);
        double q;
        if (pile.enhancedEndInsideDiameter >= 1.0e-4f) {
            q = (0.5f - 0.25f * l) * qc;
            if (dmm > 900 && q < 0.15f * qc) q = 0.15f * qc;
            if (p.options.plugOption == 2) q = qc;
        } else {
            q = (1 - 0.5f * l) * qc;
            if (dmm > 900 && q < 0.3f * qc) q = 0.3f * qc;
        }
        q = limitedByLayer(q, seg.maxUnitBearing);
        return {q, q};
    }
    case kFugro: {
        // Negative cone resistances (bad CPT rows) and an end section wider
        // than the pile are held at zero instead of taking roots of
        // negative numbers.
        const double qc = std::max(0.0, coneResistanceAt(store, i));
        const double ratio = pile.enhancedEndInsideDiameter / pile.outsideDiameter;
        const double ring = std::max(0.0, 1 - ratio * ratio);
        double q = 8.5f * pa * std::sqrt(qc / pa) * std::pow(ring, 0.25f);
        q = limitedByLayer(q, seg.maxUnitBearing);
        return {q, q};
    }
    case kUwa: {
        const double qc = coneResistanceAt(store, i);
        const double di = english ? pile.enhancedEndInsideDiameter * 0.0254f : pile.enhancedEndInsideDiameter / 1000;
        const double ffr = std::min(1.0, std::pow(di / 1.5f, 0.2f));
        const double ratio = pile.enhancedEndInsideDiameter / pile.outsideDiameter;
        const double arb = 1 - ffr * ratio * ratio;
        double q = qc * (0.15f + 0.45f * arb);
        if (pile.enhancedEndInsideDiameter < 1.0e-4f || p.options.plugOption == 1)
            q = std::max(q, 0.3f * qc);
        else
            q = std::max(q, 0.15f * qc);
        q = limitedByLayer(q, seg.maxUnitBearing);
        return {q, q};
    }
    case kUserMethod: {
        // The user-specified method is integrated only in tension, where the
        // end-bearing column is the self weight; its unit end bearing still
        // drives the plug decision. The user's own unit end bearing of the
        // layer is used for it, as the method itself uses it: constant over
        // the segment and without any limit.
        const double q = seg.userUnitEndBearing;
        return {q, q};
    }
    default:
        // No method: no unit end bearing in sand.
        return {0.0, 0.0};
    }
}

BoundaryBearing clayBearing(RunStore& store, int32_t i) {
    const ProblemData& p = store.problem;
    const SoilSegment& seg = store.grid.segments[static_cast<size_t>(i)];
    double q = 9 * seg.undrainedShearStrength;
    const int32_t code = store.methodCode;
    if (code == kIcp || code == kFugro || code == kUwa) {
        const double qc = coneResistanceAt(store, i);
        const int32_t plug = p.options.plugOption;
        const int32_t drainage = p.options.clayDrainage;
        if (p.pile.enhancedEndInsideDiameter < 1.0e-6f || plug == 1) {
            if (drainage == 1) q = plug == 1 ? 0.65f * qc : 1.3f * qc;
            else if (drainage == 0) q = plug == 1 ? 0.4f * qc : 0.8f * qc;
        } else if (plug == 2) {
            if (drainage == 1) q = 1.6f * qc;
            else if (drainage == 0) q = qc;
        }
    } else if (code == kNgi) {
        coneResistanceAt(store, i);  // keeps the current cone resistance up to date
    }
    if (bearingLimitGiven(seg.maxUnitBearing)) q = std::min(q, seg.maxUnitBearing);
    return {q, q};
}

} // namespace

void computeUnitEndBearing(RunStore& store) {
    const int32_t code = store.methodCode;
    if (code < 1 || code > kMethodCount) return;
    const int32_t n = std::clamp<int32_t>(store.grid.segmentCount, 0, kMaxSegments);
    auto& bearing = store.method(code).transfer.unitEndBearing;
    UsaceLatches latches;
    for (int32_t i = 1; i <= n; ++i) {
        SoilSegment& seg = store.grid.segments[static_cast<size_t>(i)];
        BoundaryBearing q;
        if (clayForEndBearing(seg.soilType)) {
            q = clayBearing(store, i);
        } else {
            // A layer without a bearing capacity factor gets the API value for
            // delta = phi - 5, for this and every later method of the pass.
            if (seg.bearingCapacityFactor == 0) seg.bearingCapacityFactor = apiBearingFactor(seg.frictionAngle - 5);
            q = sandBearing(store, i, seg.bearingCapacityFactor, latches);
        }
        bearing[static_cast<size_t>(2 * i - 1)] = q.top;
        bearing[static_cast<size_t>(2 * i)] = q.bottom;
    }
}

} // namespace tovek
