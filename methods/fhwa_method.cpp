// FHWA: unit side friction along the shaft and the shaft capacity against
// penetration.
//
// Sand: Nordlund's rule, f = C_F x K-delta x sigma'v x sin(delta + omega) /
// cos(omega), with delta/phi from the displaced volume of the pile, the
// correction factor C_F and K-delta read from the charts at the friction
// angle, the displaced volume and the taper angle omega. Clay and silt:
// f = alpha x su, with Tomlinson's adhesion factor chosen by the soil above
// the clay (sand or gravel over clay, soft clay over stiff clay, stiff clay)
// and by the penetration ratio into the clay. The inside of an open-ended
// pile takes alpha on the remoulded strength. The unit friction at a node is
// cut to the layer limit and integrated over each length increment, with
// the perimeter of a tapered pile narrowing with depth.
//
// Source: FHWA NHI-05-042, Design and Construction of Driven Pile
// Foundations (Hannigan et al. 2006): Nordlund's method for cohesionless
// soils and the alpha method for cohesive soils.
#include <algorithm>
#include <array>
#include <cmath>

#include "capacity/charts.h"
#include "input/units.h"
#include "methods/fhwa_charts.h"
#include "methods/methods.h"
#include "methods/shaft_capacity.h"

namespace tovek {

namespace {

bool sandForFhwa(const SoilSegment& seg) { return seg.soilType - 1 <= 0; }

// Displaced volume of the pile in ft3 per ft of pile in the sand of
// segment i: the steel section, the full section where the tip acts plugged
// or is closed, the given tip area of an H-pile.
double displacedVolume(const AnalysisState& state, int32_t i) {
    const ProblemData& p = state.problem;
    const PileSection& pile = p.pile;
    const bool english = englishUnits(p);
    const double c = diameterDivisor(p);
    const double od = pile.outsideDiameter;
    const double id = pile.insideDiameter;
    double area = pile.tipArea <= 1.0e-6f ? 0.7853975f * (od * od - id * id) / (c * c) : pile.tipArea;

    // The plug as the integration at the start of the pass left it (in the
    // first pass on no FHWA friction yet). The flags belong to the nodes:
    // segment i reads node i, and a segment below the pile tip, which no
    // node reads friction from, the flag of the tip.
    const int32_t nodes = countWithin(state.grid.nodeCount, kMaxNodes);
    const int32_t plugFlag = state.method(kFhwa).capacity.plugFlag[std::min(i, nodes)];
    if (plugFlag == 1)
        area = english ? 0.7853975f * od * od / 144 : 0.7854f * od * od / 1000000;
    else if (plugFlag == 2 && english)
        area = 0.7853975f * (od * od - id * id) / 144;

    // A closed end section displaces the full section at the tip.
    if (pile.enhancedEndLength > 0.001f && pile.enhancedEndInsideDiameter < 1.0e-5f) {
        if (pile.taperAngle <= 0) {
            area = 0.7854f * od * od / (c * c);
        } else {
            const double bottom = state.grid.segments[i].segmentBottom;
            const double d = od / c - 2 * std::tan(pile.taperAngle * 0.01745f) * (pile.stickupLength + bottom);
            area = 0.7853975f * d * d;
        }
    }
    if (pile.pileType == 6 && pile.tipArea > 1.0e-6f) area = pile.tipArea;
    // The charts are in ft3/ft.
    if (!english) area = area / 0.0929f;
    return area;
}

// K-delta at the friction angle: the chart of 25 degrees below 25, of 40 at
// 40 and above, between two charts the line between them.
double kDeltaAt(double phi, double volume, double omega, bool english) {
    const double top = english ? 40.0 : static_cast<double>(39.9999885f);
    if (phi >= top) return kDelta(40, volume, omega);
    if (phi < 25) return kDelta(25, volume, omega);
    const int32_t lower = phi < 30 ? 25 : phi < 35 ? 30 : 35;
    const int32_t upper = lower + 5;
    const Chart<2> between{{static_cast<double>(lower), static_cast<double>(upper)},
                           {kDelta(lower, volume, omega), kDelta(upper, volume, omega)}};
    return between(phi, ChartLine::startingAt);
}

// Step 1: Nordlund's unit friction at the top and bottom of sand segment i.
void sandFriction(const AnalysisState& state, int32_t i, UnitTransferProfile& f) {
    const ProblemData& p = state.problem;
    const ComputationGrid& grid = state.grid;
    const double phi = grid.segments[i].frictionAngle;
    const double omega = p.pile.taperAngle;
    const double volume = displacedVolume(state, i);
    const double ratio = deltaRatio(p.pile.pileType, volume);
    const double delta = phi * ratio;
    const double cf = correctionFactor(ratio, phi);
    const double k = kDeltaAt(phi, volume, omega, englishUnits(p));
    const double top =
        grid.boundaryStress[2 * i - 1] * cf * k * std::sin((delta + omega) / 57.2958f) / std::cos(omega / 57.2958f);
    const double bottom =
        grid.boundaryStress[2 * i] * cf * k * std::sin((delta + omega) / 57.2958f) / std::cos(omega / 57.2958f);
    f.shaftUnitFriction[2 * i - 1] = f.unitSideFriction[2 * i - 1] = top;
    f.shaftUnitFriction[2 * i] = f.unitSideFriction[2 * i] = bottom;
}

// What the clay rule keeps from one clay segment to the next.
struct ClayColumn {
    static constexpr int32_t kNoCase = 10;
    int32_t clayCase = kNoCase;  // reset by every sand segment
    double clayThickness = 0;    // T
    double layerBottom = 0;      // B
    double penetrationRatio = 0;
    // The next segment is sand: its ratio is not recomputed.
    bool mark = false;
    // The soil rows whose interval is already in T.
    Array1<bool, kMaxLayers> counted{};
};

// Step 2.1: penetration ratio of the clay down to the bottom of the soil
// layer in which segment i ends, over the average diameter of the pile.
void penetrationRatio(const AnalysisState& state, int32_t i, ClayColumn& column) {
    const ProblemData& p = state.problem;
    const PileSection& pile = p.pile;
    const double bottom = state.grid.segments[i].segmentBottom;
    const double nearLayerBottom = englishUnits(p) ? 0.95f : 0.28956f;
    const int32_t rows = countWithin(p.layerCount, kMaxLayers);
    double reference = -0.1f;
    for (int32_t m = 1; m < rows; ++m) {
        const double upper = p.layers[m].depth;
        const double lower = p.layers[m + 1].depth;
        if (!(upper < bottom && bottom <= lower + 1.0e-6f)) continue;
        if (std::fabs(lower - bottom) < nearLayerBottom) {
            // A segment ending at the layer bottom adds the layer's
            // thickness to the clay penetrated. With fine increments several
            // segments end that close to it: the layer counts once.
            if (!column.counted[m]) column.clayThickness += lower - upper;
            column.counted[m] = true;
            reference = lower;
        } else {
            reference = upper;
        }
        column.layerBottom = lower;
        break;
    }
    const double averageDiameter =
        pile.outsideDiameter / diameterDivisor(p) -
        std::tan(pile.taperAngle * 0.01745f) * (reference + column.layerBottom + 2 * pile.stickupLength);
    column.layerBottom = std::min(pile.embeddedLength, column.layerBottom);
    column.penetrationRatio = (column.clayThickness - reference + column.layerBottom) / averageDiameter;
}

// The case of a clay by its own strength: soft (2) below 0.8 ksf, stiff (3)
// otherwise.
int32_t caseByStrength(const SoilSegment& seg, bool english) {
    const double su = english ? seg.undrainedShearStrength : seg.undrainedShearStrength / 47.88f;
    return su < 0.8f ? 2 : 3;
}

// Step 2: alpha x su at both boundaries of clay or silt segment i.
void clayFriction(const AnalysisState& state, int32_t i, ClayColumn& column, UnitTransferProfile& f) {
    const ProblemData& p = state.problem;
    const ComputationGrid& grid = state.grid;
    const int32_t n = countWithin(grid.segmentCount, kMaxSegments);
    const SoilSegment& seg = grid.segments[i];
    const bool english = englishUnits(p);

    if (!column.mark) penetrationRatio(state, i, column);
    if (i < n && grid.segments[i + 1].soilType - 1 < 0.9f) column.mark = true;

    // The case follows the soil above the first clay segment of a clay
    // stratum and stays for the segments below it.
    if (column.clayCase == ClayColumn::kNoCase && n > 2 && i > 1) {
        const SoilSegment& above = grid.segments[i - 1];
        column.clayCase = above.soilType - 1 < 1.0e-10f ? 1 : caseByStrength(above, english);
    }
    // A layer may name its case. Only 1, 2 and 3 name one: a code that
    // truncates to anything else (the layer column also carries the
    // reference movement of the Army Corps tip curve) leaves the case as the
    // rule chose it.
    const double given = seg.layerCurveCode;
    if (given >= 1 && given < 4) column.clayCase = static_cast<int32_t>(given);
    // The first segment from the ground, and every segment of a table of
    // two, has no soil above to choose from: it takes the case its own
    // strength gives by the rule for the soil above (instead of the alpha of
    // whatever segment was computed last).
    const int32_t clayCase = column.clayCase == ClayColumn::kNoCase ? caseByStrength(seg, english) : column.clayCase;

    const double su = seg.undrainedShearStrength;
    const double alpha = alphaChart(clayCase, english ? su : su / 47.88f, column.penetrationRatio);
    f.shaftUnitFriction[2 * i - 1] = f.shaftUnitFriction[2 * i] = alpha * su;
    f.unitSideFriction[2 * i - 1] = f.unitSideFriction[2 * i] = alpha * seg.remoldedShearStrength;
}

}  // namespace

void computeFhwaFriction(AnalysisState& state, ReportWriter&) {
    if (state.grid.segmentCount < 1 || state.grid.nodeCount < 1) return;
    MethodResults& fhwa = state.method(kFhwa);
    const int32_t n = countWithin(state.grid.segmentCount, kMaxSegments);
    ClayColumn column;
    for (int32_t i = 1; i <= n; ++i) {
        if (sandForFhwa(state.grid.segments[i])) {
            sandFriction(state, i, fhwa.transfer);
            column.clayCase = ClayColumn::kNoCase;
            column.mark = false;
        } else {
            clayFriction(state, i, column, fhwa.transfer);
        }
    }
    nodeUnitFrictionFrom(state, fhwa.transfer.shaftUnitFriction, fhwa.nodes);
    nodeFrictionLimits(state, fhwa.nodes);
    applyTensionReduction(state, fhwa.nodes);
    sumShaftCapacity(state, fhwa,
                     {.limited = true, .limitedFrictionAbove = true, .perimeter = shaftPerimeter(state.problem, true)});
}

}  // namespace tovek
