// What the cone-resistance methods (NGI, ICP/MTD, Fugro, UWA) share: their
// reference pressure, the cone resistance of a sand segment, the distances
// to the tip, the clay rule of ICP/MTD, Fugro and UWA, and the shaft
// capacity from the boundary friction.
//
// Each method keeps two boundary arrays: the unit side friction of the
// shaft (shaftUnitFriction, read at the nodes) and the copy that the
// capacity integration reads for the friction inside an open-ended pile
// (unitSideFriction). They differ only in NGI's clay.
#pragma once

#include <cstdint>

#include "capacity/analysis_state.h"
#include "report/layout.h"

namespace tovek {

// Reference (atmospheric) pressure of the cone methods: 2.0885546 ksf or
// 100 kPa (the end bearing of the integration takes 2.1168 ksf).
double conePressure(const ProblemData& problem);

// Cone resistance of sand segment i in ksf / kPa: the segment's own value,
// else the CPT profile at the pile length of node i, else 2.8 pa x blow
// count with the methods' own pa (5.8479528 ksf or 280 kPa per blow).
double sandConeResistance(const AnalysisState& state, int32_t segment);

// Distance along the pile from the top of segment i (the pile length of
// node i) to the tip, in the diameter unit (in / mm); negative below the
// tip.
double distanceToTip(const ProblemData& problem, int32_t segment);

// h_i: the same held at 1.0E-5 or more.
double heldDistanceToTip(const ProblemData& problem, int32_t segment);

// R* = sqrt((D^2 - Di^2) / 4), the radius of a closed pile of the same
// steel area, with Di the inside diameter of the end section (in / mm).
double equivalentRadius(const PileSection& pile);

// tan(phi - 5 deg) of a sand segment.
double sandInterfaceTangent(const SoilSegment& segment);

// Interface friction angle delta_f of a clay (degrees) against its
// plasticity index: 34 at PI 0 or below, 8.5 above PI 80.
double clayInterfaceAngle(double plasticityIndex);

// Unit friction at the top and the bottom of one segment.
struct EndFriction {
    double top = 0;
    double bottom = 0;
};

// What the sand rule of ICP/MTD, Fugro or UWA reads of segment i.
struct ConeSand {
    const ProblemData& problem;
    double qc;             // cone resistance, ksf / kPa
    double stressTop;      // effective vertical stress at the segment top
    double stressBottom;   // and at its bottom
    double tanDelta;       // tan(phi - 5 deg)
    double distanceToTip;  // h_i, in / mm
    double pa;             // conePressure
    bool tension;          // loadingType 1
};

using ConeSandRule = EndFriction (*)(const ConeSand& sand);

// ICP/MTD, Fugro and UWA: the clay rule shared by the three and the
// method's sand rule at every segment, both friction arrays, then the node
// friction and the shaft capacity. A clay segment with a negative
// plasticity index writes its message to the report.
void computeConeFriction(AnalysisState& state, ReportWriter& report, int32_t methodCode, ConeSandRule sandRule);

// Node unit friction from the shaft friction of the method, and the shaft
// capacity as the friction trapezoids: no friction limit and no tension
// factor (tension acts through the methods' own rules).
void coneShaftCapacity(AnalysisState& state, MethodResults& method);

}  // namespace tovek
