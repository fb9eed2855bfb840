// Capacity against penetration of one method: the tip part of the capacity at
// every penetration node. For an open-ended pile the tip is decided node by
// node between the plugged tip (end bearing on the full area) and the
// unplugged tip (wall bearing plus the friction of the soil column inside the
// pile); in tension the end bearing is replaced by the pile's self weight.
//
// Everything works on the fixed arrays of the working store; the walks along
// the segment table only move downwards as the nodes go deeper.
#include "capacity/integrator.h"

#include <algorithm>
#include <cmath>

#include "capacity/end_bearing.h"
#include "capacity/segment_walk.h"
#include "capacity/soil_rules.h"
#include "input/units.h"

namespace tovek {

namespace {

// What every step of one integration reads.
struct IntegrationRun {
    AnalysisState& state;
    const MethodEntry& method;
    MethodResults& results;
    int32_t segments;  // N >= 1
    int32_t nodes;     // M
};

bool closedEnded(const PileSection& pile) { return pile.insideDiameter < 1.0e-10f || pile.tipClosure == 1; }

// Integrals from the ground surface to depth z of the plugged tip force (IB)
// and of the limiting tip force (IC). Positions above the ground surface
// integrate to zero; below the segment table the last segment's bottom
// values carry on.
struct TipIntegrals {
    double tip = 0;
    double limit = 0;
};

TipIntegrals integralsTo(SegmentWalk& walk, const ComputationGrid& grid, const CapacityWork& w, double z) {
    if (z < 1.0e-4f) return {};
    const SegmentWalk::Position pos = walk.locate(z);
    const int32_t s = pos.segment;
    const double tipTop = w.tipForce[2 * s - 1];
    const double tipBottom = w.tipForce[2 * s];
    const double depthBelowTable = z - grid.segmentBottomDepth[walk.segmentCount()];
    if (s == walk.segmentCount() && depthBelowTable > 0) {
        return {w.tipForceIntegral[s] + tipBottom * depthBelowTable,
                w.limitForceIntegral[s] + w.limitForce[s] * depthBelowTable};
    }
    const double tipAtZ = pos.thickness > 0 ? tipTop + (tipBottom - tipTop) * pos.offset / pos.thickness : tipTop;
    return {w.tipForceIntegral[s - 1] + (tipTop + tipAtZ) * 0.5f * pos.offset,
            w.limitForceIntegral[s - 1] + w.limitForce[s] * pos.offset};
}

// Step 1: the end bearing force on the pile wall at every boundary.
void annulusBearing(const IntegrationRun& in) {
    const ProblemData& p = in.state.problem;
    const PileSection& pile = p.pile;
    const double c = diameterDivisor(p);
    const auto& unitEndBearing = in.results.transfer.unitEndBearing;
    const double ringArea = pile.tipArea > 1.0e-4f
                                ? pile.tipArea
                                : 0.7853975f *
                                      (pile.outsideDiameter * pile.outsideDiameter -
                                       pile.enhancedEndInsideDiameter * pile.enhancedEndInsideDiameter) /
                                      (c * c);
    const bool coneOnWall = in.method.coneMethod && pile.enhancedEndInsideDiameter > 1.0e-4f;
    for (int32_t k = 1; k <= 2 * in.segments; ++k) {
        double q = unitEndBearing[k];
        // The cone methods bear on the wall with the cone resistance of the
        // soil under it: the top of segment i uses segment i, its bottom the
        // segment below (the last one at the bottom of the table).
        if (coneOnWall) q = coneResistanceAt(in.state, std::min(k / 2 + 1, in.segments));
        in.state.work.annulusBearing[k] = q * ringArea;
    }
}

// Unit friction inside the pile at the top and bottom of segment i.
struct InsideFrictionPair {
    double top;
    double bottom;
};

InsideFrictionPair insideFrictionOf(const IntegrationRun& in, int32_t i) {
    ComputationGrid& grid = in.state.grid;
    const SoilSegment& seg = grid.segments[i];
    const auto& methodFriction = in.results.transfer.unitSideFriction;
    const bool fromProfile = in.method.insideFriction == InsideFriction::methodProfile;
    if (seg.soilType - 1 <= 1.0e-6f) {
        if (fromProfile) return {methodFriction[2 * i - 1], methodFriction[2 * i]};
        const double delta = seg.frictionAngle - 5;
        const double tanDelta = std::tan(delta / 57.2958f);
        const double k = seg.lateralEarthPressure;
        double top = std::min(k * grid.boundaryStress[2 * i - 1] * tanDelta, seg.maxUnitFriction);
        double bottom = std::min(k * grid.boundaryStress[2 * i] * tanDelta, seg.maxUnitFriction);
        if (in.method.insideFriction == InsideFriction::builtInApiLimited) {
            const double limit = apiSandShaftLimit(in.state.problem, delta);
            top = std::min(top, limit);
            bottom = std::min(bottom, limit);
        }
        return {top, bottom};
    }
    // Clay (and silt): the API alpha on the remoulded strength of the soil
    // inside the pile; a method's own friction is that of the segment top.
    const double stress = clampBottomStress(grid, i);
    if (fromProfile) return {methodFriction[2 * i - 1], methodFriction[2 * i - 1]};
    const double f = apiClayAlpha(seg.undrainedShearStrength, stress) * seg.remoldedShearStrength;
    return {f, f};
}

// Step 2: unit friction inside the pile and the inside friction force from
// the ground surface down to every boundary.
void insideFriction(const IntegrationRun& in) {
    const ProblemData& p = in.state.problem;
    const ComputationGrid& grid = in.state.grid;
    CapacityWork& w = in.state.work;
    const double c = diameterDivisor(p);
    // Vertical thickness to length along a battered pile.
    const double alongPile = grid.verticalIncrement > 0 ? p.options.lengthIncrement / grid.verticalIncrement : 1.0;
    const bool unplugged = p.options.plugOption == 2;

    w.insideFrictionForce[0] = 0;
    for (int32_t i = 1; i <= in.segments; ++i) {
        const InsideFrictionPair f = insideFrictionOf(in, i);
        const SoilSegment& seg = grid.segments[i];
        w.insideFriction[2 * i - 1] = f.top;
        w.insideFriction[2 * i] = f.bottom;
        const double force = unplugged ? 0.0
                                       : w.insideFrictionForce[2 * i - 2] +
                                             (seg.segmentBottom - seg.segmentTop) * 1.570795f * (f.top + f.bottom) *
                                                 p.pile.enhancedEndInsideDiameter / c * alongPile;
        w.insideFrictionForce[2 * i - 1] = force;
        w.insideFrictionForce[2 * i] = force;
    }
}

// Step 3: inside friction over the end section and wall bearing at the
// nodes.
void nodeInsideFrictionAndWall(const IntegrationRun& in) {
    const AnalysisState& st = in.state;
    CapacityWork& w = in.state.work;
    CapacityProfile& profile = in.results.capacity;
    SegmentWalk atNode(st.grid);
    SegmentWalk aboveSection(st.grid);
    for (int32_t j = 1; j <= in.nodes; ++j) {
        const double z = (j - 1) * st.grid.verticalIncrement;
        const double plugged = atNode.valueAt(w.insideFrictionForce, z, -2);
        const double above = z - st.problem.pile.enhancedEndLength;
        const double outside = above > kDepthTolerance ? aboveSection.valueAt(w.insideFrictionForce, above, -2) : 0.0;
        w.endSectionFriction[j] = plugged - outside;
        w.annulusAtNode[j] = atNode.valueAt(w.annulusBearing, z);
        profile.plugFriction[j] = 0;
        profile.plugLength[j] = 0;
    }
}

// Step 4: plugged tip force at the boundaries and its segment integrals.
void tipForces(const IntegrationRun& in) {
    const ProblemData& p = in.state.problem;
    const PileSection& pile = p.pile;
    const ComputationGrid& grid = in.state.grid;
    CapacityWork& w = in.state.work;
    const double c = diameterDivisor(p);
    double tipDiameter = pile.outsideDiameter / c;
    if (pile.taperAngle > 0)
        tipDiameter -= (pile.stickupLength + pile.embeddedLength) * 2 * std::tan(0.01745f * pile.taperAngle);
    const double tipArea = pile.tipArea > 1.0e-4f ? pile.tipArea : 0.7853975f * tipDiameter * tipDiameter;
    const auto& unitEndBearing = in.results.transfer.unitEndBearing;
    for (int32_t k = 1; k <= 2 * in.segments; ++k) {
        double force = unitEndBearing[k] * tipArea;
        if (in.method.tipAtLeastWall) force = std::max(force, w.annulusBearing[k]);
        w.tipForce[k] = force;
    }
    w.tipForceIntegral[0] = 0;
    w.limitForceIntegral[0] = 0;
    for (int32_t i = 1; i <= in.segments; ++i) {
        const double t = grid.segmentThickness[i];
        w.limitForce[i] = grid.segments[i].maxUnitBearing * tipArea;
        w.tipForceIntegral[i] = w.tipForceIntegral[i - 1] + (w.tipForce[2 * i - 1] + w.tipForce[2 * i]) * 0.5f * t;
        w.limitForceIntegral[i] = w.limitForceIntegral[i - 1] + w.limitForce[i] * t;
    }
}

// Steps 5 and 6: plugged tip resistance averaged over the window around
// each node, cut to the averaged limit.
void averagedTipResistance(const IntegrationRun& in) {
    const ProblemData& p = in.state.problem;
    const ComputationGrid& grid = in.state.grid;
    CapacityWork& w = in.state.work;
    const double dz = grid.verticalIncrement;
    const double half = p.options.tipAveragingDiameters * p.pile.outsideDiameter / diameterDivisor(p);  // butt
    SegmentWalk lower(grid);
    SegmentWalk upper(grid);
    TipIntegrals previous{};
    for (int32_t j = 1; j <= in.nodes; ++j) {
        const double z = (j - 1) * dz;
        double tip = 0;
        double limit = 0;
        if (p.options.tipAveraging > 0) {
            const TipIntegrals below = integralsTo(upper, grid, w, z + half);
            if (half > 0) {
                const TipIntegrals aboveWindow = integralsTo(lower, grid, w, z - half);
                tip = (below.tip - aboveWindow.tip) / (2 * half);
                limit = (below.limit - aboveWindow.limit) / (2 * half);
            } else {
                // A window of no height (a pile without a diameter): the
                // value at the node itself, the limit of the mean.
                tip = upper.valueAt(w.tipForce, z);
                limit = w.limitForce[upper.locate(z).segment];
            }
        } else {
            // Mean over the increment just above the node.
            const TipIntegrals here = integralsTo(upper, grid, w, z);
            if (j >= 2 && dz > 0) {
                tip = (here.tip - previous.tip) / dz;
                limit = (here.limit - previous.limit) / dz;
            }
            previous = here;
        }
        if (tip - limit > kDepthTolerance) tip = limit;
        w.averagedTipForce[j] = tip;
        w.averagedLimitForce[j] = limit;
    }
}

// Step 8: self weight of the pile in tension, with buoyancy below the water
// table.
double selfWeight(const ProblemData& p, double z) {
    const PileSection& pile = p.pile;
    const bool english = englishUnits(p);
    const double c = diameterDivisor(p);
    double gp;
    switch (pile.pileType) {
    case 2: gp = english ? 0.05f : 7.8543506f; break;  // timber
    case 3: gp = english ? 0.15f : 23.563051f; break;  // precast concrete
    default: gp = english ? 0.49f : 76.97263f; break;  // steel
    }
    const double gw = english ? 0.0624f : 9.8f;
    const double od = pile.outsideDiameter;
    const double id = pile.insideDiameter;
    const double material = pile.crossSectionArea > 1.0e-6f
                                ? (english ? pile.crossSectionArea / 144 : pile.crossSectionArea)
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

// Step 9: the tip at every node.
void decideTip(const IntegrationRun& in) {
    const ProblemData& p = in.state.problem;
    const PileSection& pile = p.pile;
    const AnalysisOptions& options = p.options;
    const CapacityWork& w = in.state.work;
    CapacityProfile& profile = in.results.capacity;
    const bool tension = options.loadingType == 1;
    const bool closed = closedEnded(pile);
    const bool closedEndSection = pile.enhancedEndInsideDiameter < 1.0e-4f && pile.enhancedEndLength > 1.0e-4f;
    for (int32_t j = 1; j <= in.nodes; ++j) {
        const double plugged = w.averagedTipForce[j];
        const double weight = w.selfWeight[j];
        if (closed) {
            profile.endBearing[j] = tension ? weight : plugged;
            profile.plugFlag[j] = 1;
            continue;
        }
        const double wall = w.annulusAtNode[j];
        const double step = j >= 2 ? w.endSectionFriction[j] - w.endSectionFriction[j - 1] : 0.0;
        const double previousFriction = j >= 2 ? profile.plugFriction[j - 1] : 0.0;
        const double previousLength = j >= 2 ? profile.plugLength[j - 1] : 0.0;
        const double unplugged = j >= 2 ? previousFriction + step + wall : profile.plugFriction[1] + wall;

        if (unplugged - plugged <= kDepthTolerance || options.plugOption == 2) {
            // The soil plug slips: wall bearing plus the inside friction.
            profile.endBearing[j] = tension ? weight : unplugged;
            if (j >= 2) {
                profile.plugFriction[j] = previousFriction + step;
                profile.plugLength[j] = previousLength + options.lengthIncrement;
            }
            if (options.plugOption == 1) {
                profile.endBearing[j] = tension ? weight : plugged;
                profile.plugFlag[j] = 1;
            } else if (options.plugOption == 2) {
                profile.plugFlag[j] = 2;
            } else {
                profile.plugFlag[j] = closedEndSection ? 1 : 2;
            }
            continue;
        }
        // The plugged tip governs; only the part of the inside friction
        // needed to carry it is mobilised.
        profile.endBearing[j] = tension ? weight : plugged;
        profile.plugFlag[j] = 1;
        if (j < 2) continue;
        const double needed = profile.endBearing[j] - previousFriction - wall;
        profile.plugFriction[j] = previousFriction;
        profile.plugLength[j] = previousLength;
        if (needed > kDepthTolerance) {
            profile.plugFriction[j] = previousFriction + needed;
            // In tension the self weight may call for friction where the end
            // section adds none: the plug length then stays.
            if (step > 0) profile.plugLength[j] = previousLength + options.lengthIncrement * needed / step;
        }
    }
}

}  // namespace

void integrateCapacity(AnalysisState& state, int32_t methodCode) {
    computeUnitEndBearing(state, methodCode);
    IntegrationRun in{state, methodByCode(methodCode), state.method(methodCode),
                      countWithin(state.grid.segmentCount, kMaxSegments), countWithin(state.grid.nodeCount, kMaxNodes)};
    CapacityProfile& profile = in.results.capacity;
    if (in.segments < 1) {
        // No soil segments: nothing bears and nothing rubs.
        for (int32_t j = 1; j <= in.nodes; ++j) {
            profile.endBearing[j] = 0;
            profile.plugFlag[j] = 1;
            profile.plugLength[j] = 0;
            profile.plugFriction[j] = 0;
        }
        return;
    }
    annulusBearing(in);
    insideFriction(in);
    nodeInsideFrictionAndWall(in);
    tipForces(in);
    averagedTipResistance(in);

    // Step 7: a water table shallower than 1.0 is taken at 0.1.
    ProblemData& p = state.problem;
    if (p.waterTableDepth < 1.0f) p.waterTableDepth = 0.1f;
    const bool tension = p.options.loadingType == 1;
    for (int32_t j = 1; j <= in.nodes; ++j)
        state.work.selfWeight[j] = tension ? selfWeight(p, (j - 1) * state.grid.verticalIncrement) : 0.0;

    decideTip(in);
}

}  // namespace tovek
