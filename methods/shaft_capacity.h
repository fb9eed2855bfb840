// Steps that the unit load-transfer methods share: the unit side friction at
// the penetration nodes and the shaft capacity summed over the length
// increments.
#pragma once

#include <cstdint>

#include "capacity/analysis_state.h"

namespace tovek {

// nodeUnitFriction(j) of node j at vertical depth (j-1) x verticalIncrement:
// 0 where the node lies above the zero-friction length (by more than the
// depth tolerance), else the boundary friction read at the node in the
// segment that holds it.
void nodeUnitFrictionFrom(const AnalysisState& state, const Array1<double, kMaxBoundaries>& boundaryFriction,
                          MethodNodeArrays& nodes);

// nodeFrictionLimit(j) = maxUnitFriction of segment j, the segment whose top
// is node j.
void nodeFrictionLimits(const AnalysisState& state, MethodNodeArrays& nodes);

// In tension every nodeUnitFriction is multiplied by the tension reduction
// factor.
void applyTensionReduction(const AnalysisState& state, MethodNodeArrays& nodes);

// Perimeter of the length increment that ends at a node: 3.14159 x D / c,
// or for a tapered pile the perimeter at the node's depth below the pile
// head.
struct ShaftPerimeter {
    double constant = 0;
    bool tapered = false;
    double buttDiameter = 0;  // ft / m
    double taperTerm = 0;     // 2 tan(taper)
    double stickup = 0;

    double at(double nodeDepth) const {
        if (!tapered) return constant;
        return 3.14159f * (buttDiameter - (stickup + nodeDepth) * taperTerm);
    }
};

// The perimeter of a straight shaft; with `withTaper` that of a tapered
// pile where the pile has a taper.
ShaftPerimeter shaftPerimeter(const ProblemData& problem, bool withTaper);

// How a method sums its shaft capacity.
struct ShaftSummation {
    // The node friction limit acts: each increment is the smaller of the
    // friction and the limit trapezoids, and nodeSideFriction is the unit
    // friction held at the limit. Without it the increment is the friction
    // trapezoid and nodeSideFriction the unit friction itself.
    bool limited = true;
    // The friction trapezoid takes the node above at its limited side
    // friction (else at its unit friction).
    bool limitedFrictionAbove = false;
    ShaftPerimeter perimeter;
};

// From nodeUnitFriction and nodeFrictionLimit: nodeSideFriction,
// skinIncrement, the cumulative shaft capacity with the LRFD friction factor
// of segment j (skinFriction) and the load-transfer copy, without the factor
// when sideFrictionReduction is 0 and with it when 1 (any other value leaves
// the copy as it was).
void sumShaftCapacity(const AnalysisState& state, MethodResults& method, const ShaftSummation& rule);

}  // namespace tovek
