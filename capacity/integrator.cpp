// Capacity against penetration of one method: the tip part of the capacity at
// every penetration node. For an open-ended pile the tip is decided node by
// node between the plugged tip (end bearing on the full area) and the
// unplugged tip (wall bearing plus the friction of the soil column inside the
// pile); in tension the end bearing is replaced by the pile's self weight.
//
// Everything works on the fixed arrays of store.work; the walks along the
// segment table only move downwards as the nodes go deeper.
#include "capacity/integrator.h"

#include <algorithm>
#include <cmath>

#include "capacity/charts.h"
#include "capacity/end_bearing.h"

namespace tovek {

using capacity::atmosphericPressure;
using capacity::diameterDivisor;
using capacity::englishUnits;

namespace {

constexpr double kDepthTolerance = 1.0e-6f;

inline size_t at(int32_t k) { return static_cast<size_t>(k); }

// Position of a depth in the segment table: segment s is the first whose
// bottom (sum of the thicknesses down to it) is not more than the tolerance
// above the depth. A depth below the table stays in the last segment with
// the fraction held at its bottom; one above the ground surface at the top of
// segment 1.
struct SegmentWalk {
    const CapacityWork& work;
    int32_t count;  // N >= 1
    int32_t segment = 1;

    struct Position {
        int32_t segment;
        double offset;    // depth below the segment top
        double fraction;  // offset / thickness, within 0..1
    };

    Position locate(double z) {
        const auto& bottom = work.segmentBottomDepth;
        // Forward for deeper positions (the normal case), backward only if a
        // caller ever asks for a shallower one.
        while (segment < count && z - bottom[at(segment)] > kDepthTolerance) ++segment;
        while (segment > 1 && z - bottom[at(segment - 1)] <= kDepthTolerance) --segment;
        const double offset = z - bottom[at(segment - 1)];
        const double thickness = work.segmentThickness[at(segment)];
        double fraction = thickness > 0 ? offset / thickness : 1.0;
        fraction = std::clamp(fraction, 0.0, 1.0);
        return {segment, offset, fraction};
    }
};

// A boundary array read at depth z: linear between the entries of the top
// and the bottom of the segment that holds z.
template <typename Array>
double readAt(SegmentWalk& walk, const Array& values, double z, int32_t topOffset) {
    const SegmentWalk::Position pos = walk.locate(z);
    const double top = values[at(2 * pos.segment + topOffset)];
    const double bottom = values[at(2 * pos.segment + topOffset + 1)];
    return top + (bottom - top) * pos.fraction;
}

// Integrals from the ground surface to depth z of the plugged tip force (IB)
// and of the limiting tip force (IC). Positions above the ground surface
// integrate to zero; below the segment table the last segment's bottom
// values carry on.
struct TipIntegrals {
    double tip = 0;
    double limit = 0;
};

TipIntegrals integralsTo(SegmentWalk& walk, const CapacityWork& w, double z) {
    if (z < 1.0e-4f) return {};
    const SegmentWalk::Position pos = walk.locate(z);
    const int32_t s = pos.segment;
    const double tipTop = w.tipForce[at(2 * s - 1)];
    const double tipBottom = w.tipForce[at(2 * s)];
    const double depthBelowTable = z - w.segmentBottomDepth[at(walk.count)];
    if (s == walk.count && depthBelowTable > 0) {
        return {w.tipForceIntegral[at(s)] + tipBottom * depthBelowTable,
                w.limitForceIntegral[at(s)] + w.limitForce[at(s)] * depthBelowTable};
    }
    const double thickness = w.segmentThickness[at(s)];
    const double tipAtZ = thickness > 0 ? tipTop + (tipBottom - tipTop) * pos.offset / thickness : tipTop;
    return {w.tipForceIntegral[at(s - 1)] + (tipTop + tipAtZ) * 0.5f * pos.offset,
            w.limitForceIntegral[at(s - 1)] + w.limitForce[at(s)] * pos.offset};
}

bool closedEnded(const PileSection& pile) { return pile.insideDiameter < 1.0e-10f || pile.tipClosure == 1; }

// Step 1: the end bearing force on the pile wall at every boundary.
void annulusBearing(RunStore& store, int32_t n) {
    const ProblemData& p = store.problem;
    const PileSection& pile = p.pile;
    const double c = diameterDivisor(p);
    const auto& unitEndBearing = store.method(store.methodCode).transfer.unitEndBearing;
    const double ringArea =
        pile.tipArea > 1.0e-4f
            ? pile.tipArea
            : 0.7853975f * (pile.outsideDiameter * pile.outsideDiameter -
                            pile.enhancedEndInsideDiameter * pile.enhancedEndInsideDiameter) / (c * c);
    const bool coneOnWall = store.methodCode >= kNgi && pile.enhancedEndInsideDiameter > 1.0e-4f;
    for (int32_t k = 1; k <= 2 * n; ++k) {
        double q = unitEndBearing[at(k)];
        // The cone methods bear on the wall with the cone resistance of the
        // soil under it: the top of segment i uses segment i, its bottom the
        // segment below (the last one at the bottom of the table).
        if (coneOnWall) q = coneResistanceAt(store, std::min(k / 2 + 1, n));
        store.work.annulusBearing[at(k)] = q * ringArea;
    }
}

// Step 2: unit friction inside the pile and the inside friction force from
// the ground surface down to every boundary.
void insideFriction(RunStore& store, int32_t n) {
    ProblemData& p = store.problem;
    ComputationGrid& grid = store.grid;
    CapacityWork& w = store.work;
    const int32_t code = store.methodCode;
    const auto& methodFriction = store.method(code).transfer.unitSideFriction;
    const bool methodOwnFriction =
        code == kFhwa || code == kUsace || code == kNgi || code == kIcp || code == kFugro || code == kUwa;
    const double c = diameterDivisor(p);
    // Vertical thickness to length along a battered pile.
    const double alongPile =
        grid.verticalIncrement > 0 ? p.options.lengthIncrement / grid.verticalIncrement : 1.0;
    const bool unplugged = p.options.plugOption == 2;

    w.insideFrictionForce[0] = 0;
    for (int32_t i = 1; i <= n; ++i) {
        const SoilSegment& seg = grid.segments[at(i)];
        double ft;
        double fb;
        if (seg.soilType - 1 <= 1.0e-6f) {
            const double delta = seg.frictionAngle - 5;
            const double tanDelta = std::tan(delta / 57.2958f);
            const double k = seg.lateralEarthPressure;
            ft = std::min(k * grid.boundaryStress[at(2 * i - 1)] * tanDelta, seg.maxUnitFriction);
            fb = std::min(k * grid.boundaryStress[at(2 * i)] * tanDelta, seg.maxUnitFriction);
            if (methodOwnFriction) {
                ft = methodFriction[at(2 * i - 1)];
                fb = methodFriction[at(2 * i)];
            } else if (code == kApi) {
                double limit = apiShaftLimit(delta);
                if (!englishUnits(p)) limit *= 47.8f;
                ft = std::min(ft, limit);
                fb = std::min(fb, limit);
            }
        } else {
            // Clay (and silt): alpha from the strength ratio, on the remoulded
            // strength of the soil inside the pile.
            const double stress = std::max<double>(1.0e-10f, grid.boundaryStress[at(2 * i)]);
            grid.boundaryStress[at(2 * i)] = stress;
            const double psi = std::max<double>(1.0e-10f, seg.undrainedShearStrength / stress);
            const double alpha = psi <= 1 ? std::min(1.0, 0.5f / std::sqrt(psi)) : std::min(1.0, 0.5f / std::pow(psi, 0.25f));
            ft = fb = alpha * seg.remoldedShearStrength;
            if (methodOwnFriction) ft = fb = methodFriction[at(2 * i - 1)];
        }
        w.insideFriction[at(2 * i - 1)] = ft;
        w.insideFriction[at(2 * i)] = fb;
        const double force =
            unplugged ? 0.0
                      : w.insideFrictionForce[at(2 * i - 2)] + (seg.segmentBottom - seg.segmentTop) * 1.570795f *
                                                                   (ft + fb) * p.pile.enhancedEndInsideDiameter / c *
                                                                   alongPile;
        w.insideFrictionForce[at(2 * i - 1)] = force;
        w.insideFrictionForce[at(2 * i)] = force;
    }
}

// Self weight of the pile in tension, with buoyancy below the water table.
double selfWeight(const ProblemData& p, double z) {
    const PileSection& pile = p.pile;
    const bool english = englishUnits(p);
    const double c = diameterDivisor(p);
    double gp;
    switch (pile.pileType) {
    case 2: gp = english ? 0.05f : 7.8543506f; break;   // timber
    case 3: gp = english ? 0.15f : 23.563051f; break;   // precast concrete
    default: gp = english ? 0.49f : 76.97263f; break;   // steel
    }
    const double gw = english ? 0.0624f : 9.8f;
    const double od = pile.outsideDiameter;
    const double id = pile.insideDiameter;
    const double material = pile.crossSectionArea > 1.0e-6f ? (english ? pile.crossSectionArea / 144 : pile.crossSectionArea)
                                                            : 0.7853975f * (od * od - id * id) / (c * c);
    const double full = 0.7853975f * od * od / (c * c);
    const double zw = p.waterTableDepth;
    const double aboveGround = gp * material * pile.stickupLength;
    if (z <= zw) return gp * material * z + aboveGround;
    const bool sealed = (pile.pileType == 4 || pile.pileType == 5 || pile.pileType == 7 ||
                         (pile.pileType == 1 && pile.tipClosure == 1));
    if (closedEnded(pile) && sealed && pile.crossSectionArea > 1.0e-5f) {
        // A closed pile displaces its whole section below the water table.
        return gp * material * z - gw * full * (z - zw) + aboveGround;
    }
    return gp * material * zw + (gp - gw) * material * (z - zw) + aboveGround;
}

} // namespace

void integrateCapacity(RunStore& store) {
    const int32_t code = store.methodCode;
    if (code < 1 || code > kMethodCount) return;
    computeUnitEndBearing(store);

    ProblemData& p = store.problem;
    const PileSection& pile = p.pile;
    const AnalysisOptions& options = p.options;
    ComputationGrid& grid = store.grid;
    CapacityWork& w = store.work;
    CapacityProfile& profile = store.method(code).capacity;
    const auto& unitEndBearing = store.method(code).transfer.unitEndBearing;

    const int32_t n = std::clamp<int32_t>(grid.segmentCount, 0, kMaxSegments);
    const int32_t m = std::clamp<int32_t>(grid.nodeCount, 0, kMaxNodes);
    const double c = diameterDivisor(p);
    const double lengthIncrement = options.lengthIncrement;
    const double dz = grid.verticalIncrement;
    const bool tension = options.loadingType == 1;

    if (n < 1) {
        // No soil segments: nothing bears and nothing rubs.
        for (int32_t j = 1; j <= m; ++j) {
            profile.endBearing[at(j)] = 0;
            profile.plugFlag[at(j)] = 1;
            profile.plugLength[at(j)] = 0;
            profile.plugFriction[at(j)] = 0;
        }
        return;
    }

    // Segment thicknesses and the depths of their bottoms.
    w.segmentBottomDepth[0] = 0;
    for (int32_t i = 1; i <= n; ++i) {
        const SoilSegment& seg = grid.segments[at(i)];
        w.segmentThickness[at(i)] = seg.segmentBottom - seg.segmentTop;
        w.segmentBottomDepth[at(i)] = w.segmentBottomDepth[at(i - 1)] + w.segmentThickness[at(i)];
    }

    annulusBearing(store, n);
    insideFriction(store, n);

    // Step 3: inside friction over the end section and wall bearing at the nodes.
    {
        SegmentWalk atNode{w, n};
        SegmentWalk aboveSection{w, n};
        for (int32_t j = 1; j <= m; ++j) {
            const double z = (j - 1) * dz;
            const double plugged = readAt(atNode, w.insideFrictionForce, z, -2);
            const double above = z - pile.enhancedEndLength;
            const double outside = above > kDepthTolerance ? readAt(aboveSection, w.insideFrictionForce, above, -2) : 0.0;
            w.endSectionFriction[at(j)] = plugged - outside;
            w.annulusAtNode[at(j)] = readAt(atNode, w.annulusBearing, z, -1);
            profile.plugFriction[at(j)] = 0;
            profile.plugLength[at(j)] = 0;
        }
    }

    // Step 4: plugged tip force at the boundaries and its segment integrals.
    double tipDiameter = pile.outsideDiameter / c;
    if (pile.taperAngle > 0)
        tipDiameter -= (pile.stickupLength + pile.embeddedLength) * 2 * std::tan(0.01745f * pile.taperAngle);
    const double tipArea = pile.tipArea > 1.0e-4f ? pile.tipArea : 0.7853975f * tipDiameter * tipDiameter;
    for (int32_t k = 1; k <= 2 * n; ++k) {
        double force = unitEndBearing[at(k)] * tipArea;
        // ICP/MTD: the plugged tip never carries less than the wall alone.
        if (code == kIcp) force = std::max(force, w.annulusBearing[at(k)]);
        w.tipForce[at(k)] = force;
    }
    w.tipForceIntegral[0] = 0;
    w.limitForceIntegral[0] = 0;
    for (int32_t i = 1; i <= n; ++i) {
        const double t = w.segmentThickness[at(i)];
        w.limitForce[at(i)] = grid.segments[at(i)].maxUnitBearing * tipArea;
        w.tipForceIntegral[at(i)] =
            w.tipForceIntegral[at(i - 1)] + (w.tipForce[at(2 * i - 1)] + w.tipForce[at(2 * i)]) * 0.5f * t;
        w.limitForceIntegral[at(i)] = w.limitForceIntegral[at(i - 1)] + w.limitForce[at(i)] * t;
    }

    // Steps 5 and 6: plugged tip resistance averaged over the window around
    // each node, cut to the averaged limit.
    {
        const double half = options.tipAveragingDiameters * pile.outsideDiameter / c;  // butt diameter
        SegmentWalk lower{w, n};
        SegmentWalk upper{w, n};
        TipIntegrals previous{};
        for (int32_t j = 1; j <= m; ++j) {
            const double z = (j - 1) * dz;
            double tip = 0;
            double limit = 0;
            if (options.tipAveraging > 0) {
                const TipIntegrals below = integralsTo(upper, w, z + half);
                if (half > 0) {
                    const TipIntegrals aboveWindow = integralsTo(lower, w, z - half);
                    tip = (below.tip - aboveWindow.tip) / (2 * half);
                    limit = (below.limit - aboveWindow.limit) / (2 * half);
                } else {
                    // A window of no height (a pile without a diameter): the
                    // value at the node itself, the limit of the mean.
                    const SegmentWalk::Position pos = upper.locate(z);
                    const int32_t s = pos.segment;
                    tip = w.tipForce[at(2 * s - 1)] + (w.tipForce[at(2 * s)] - w.tipForce[at(2 * s - 1)]) * pos.fraction;
                    limit = w.limitForce[at(s)];
                }
            } else {
                // Mean over the increment just above the node.
                const TipIntegrals here = integralsTo(upper, w, z);
                if (j >= 2 && dz > 0) {
                    tip = (here.tip - previous.tip) / dz;
                    limit = (here.limit - previous.limit) / dz;
                }
                previous = here;
            }
            if (tip - limit > kDepthTolerance) tip = limit;
            w.averagedTipForce[at(j)] = tip;
            w.averagedLimitForce[at(j)] = limit;
        }
    }

    // Step 7: a water table shallower than 1.0 is taken at 0.1.
    if (p.waterTableDepth < 1.0f) p.waterTableDepth = 0.1f;

    // Step 8: self weight, in tension only.
    for (int32_t j = 1; j <= m; ++j) w.selfWeight[at(j)] = tension ? selfWeight(p, (j - 1) * dz) : 0.0;

    // Step 9: the tip at every node.
    const bool closed = closedEnded(pile);
    const bool closedEndSection = pile.enhancedEndInsideDiameter < 1.0e-4f && pile.enhancedEndLength > 1.0e-4f;
    for (int32_t j = 1; j <= m; ++j) {
        const double plugged = w.averagedTipForce[at(j)];
        const double weight = w.selfWeight[at(j)];
        if (closed) {
            profile.endBearing[at(j)] = tension ? weight : plugged;
            profile.plugFlag[at(j)] = 1;
            continue;
        }
        const double wall = w.annulusAtNode[at(j)];
        const double step = j >= 2 ? w.endSectionFriction[at(j)] - w.endSectionFriction[at(j - 1)] : 0.0;
        const double previousFriction = j >= 2 ? profile.plugFriction[at(j - 1)] : 0.0;
        const double previousLength = j >= 2 ? profile.plugLength[at(j - 1)] : 0.0;
        const double unplugged = j >= 2 ? previousFriction + step + wall : profile.plugFriction[1] + wall;

        if (unplugged - plugged <= kDepthTolerance || options.plugOption == 2) {
            // The soil plug slips: wall bearing plus the inside friction.
            profile.endBearing[at(j)] = tension ? weight : unplugged;
            if (j >= 2) {
                profile.plugFriction[at(j)] = previousFriction + step;
                profile.plugLength[at(j)] = previousLength + lengthIncrement;
            }
            if (options.plugOption == 1) {
                profile.endBearing[at(j)] = tension ? weight : plugged;
                profile.plugFlag[at(j)] = 1;
            } else if (options.plugOption == 2) {
                profile.plugFlag[at(j)] = 2;
            } else {
                profile.plugFlag[at(j)] = closedEndSection ? 1 : 2;
            }
        } else {
            // The plugged tip governs; only the part of the inside friction
            // needed to carry it is mobilised.
            profile.endBearing[at(j)] = tension ? weight : plugged;
            profile.plugFlag[at(j)] = 1;
            if (j >= 2) {
                const double needed = profile.endBearing[at(j)] - previousFriction - wall;
                profile.plugFriction[at(j)] = previousFriction;
                profile.plugLength[at(j)] = previousLength;
                if (needed > kDepthTolerance) {
                    profile.plugFriction[at(j)] = previousFriction + needed;
                    // In tension the self weight may call for friction where the
                    // end section adds none: the plug length then stays.
                    if (step > 0) profile.plugLength[at(j)] = previousLength + lengthIncrement * needed / step;
                }
            }
        }
    }
}

} // namespace tovek
