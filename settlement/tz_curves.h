// Load-transfer curves of the load-settlement analysis: the shaft t-z
// curves and the tip load-movement curve, the soil lookups that feed them,
// their generators and their evaluation at a movement.
//
// Working units: inch, pound and psi in English units; metre, kN and kPa in
// SI units. Depths handed to the lookups are in working length units below
// the ground surface; in English units a lookup compares in feet.
#pragma once

#include <cstdint>

#include "settlement/settlement_data.h"

namespace tovek {

// Feet-to-inches factor u of the working units: 12 in English units, 1
// otherwise.
double workingLengthFactor(const ProblemData& problem);

// Unit side friction of the chosen method at a depth, from the handed-over
// node values (ksf / kPa), in the working stress unit (psi / kPa). Constant
// time: the nodes are evenly spaced by the vertical increment.
double sideFrictionAt(const SettlementRun& run, double depth);

// Soil columns at a depth, read between neighbouring soil rows.
double peakMovementAt(const ProblemData& problem, double depth);
double residualFactorAt(const ProblemData& problem, double depth);
double frictionAngleAt(const ProblemData& problem, double depth);
int32_t soilTypeAt(const ProblemData& problem, double depth);

// Generators: fill movement and loadTransfer (10 points) of a curve whose
// curveSideFriction, curveFrictionAngle and curvePeakMovement are set.
void makeNonClayTzCurve(const ProblemData& problem, TzCurve& curve);
void makeClayTzCurve(const ProblemData& problem, TzCurve& curve, double residualFactor);

// Multiplies the curve by the t-z factor table at a depth.
void applyTzDepthFactors(const ProblemData& problem, TzCurve& curve, double depth);

// A complete shaft curve at a depth below ground (working units): the
// lookups, the generator chosen by soilCode (2 clay, else non-clay) and the
// depth factors. sideFriction is the working unit side friction to use.
void buildTzCurve(const SettlementRun& run, TzCurve& curve, double depth, int32_t soilCode, double sideFriction);

// Fills run.data.tipCurve for the ultimate tip force Q (working
// force unit); sets tipResistance and, for the USACE curve in sand or silt,
// referenceMovement.
void makeTipCurve(const SettlementRun& run, double tipResistance);

double evaluateTzCurve(const TzCurve& curve, double movement);
double evaluateTipCurve(const TipCurve& curve, double movement);

}  // namespace tovek
