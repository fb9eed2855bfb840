#include "settlement/load_settlement.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "input/input_error.h"
#include "input/text.h"
#include "input/units.h"
#include "report/layout.h"
#include "report/printed_rows.h"
#include "settlement/tz_curves.h"

namespace tovek {

namespace {

bool english(const ProblemData& p) { return englishUnits(p); }
bool si(const ProblemData& p) { return p.unitSystem == 2; }
// Units lines and the tip curve heading are written for unit codes 1 and up.
bool unitsLines(const ProblemData& p) { return p.unitSystem >= 1; }

bool validTransferMethod(const ProblemData& p) { return loadTransferMethodOf(p.options) != nullptr; }

// A curve or a row whose values are not all finite numbers is no result: the
// run ends with a message before anything of it is written, so that neither
// file shows an undefined or infinite value.
bool finiteCurve(const TzCurve& curve) {
    if (!std::isfinite(curve.curveDepth)) return false;
    for (int32_t k = 1; k <= countWithin(curve.pointCount, kTzCurvePoints); ++k)
        if (!std::isfinite(curve.loadTransfer[k]) || !std::isfinite(curve.movement[k])) return false;
    return true;
}

[[noreturn]] void cannotWrite(const SettlementRun& run, const std::string& what) {
    throw InputError(std::string(run.inputFileName), 0,
                     what + " cannot be written: it holds a value beyond the range of numbers; expected soil "
                            "values, t-z factors, tip-curve multipliers and movements of realistic size");
}

// Working force to the printed force: kips in English units.
double printedForce(const ProblemData& p, double force) { return english(p) ? force / 1000 : force; }

constexpr const char* kCurveListHeading = "8X,'T-Z CURVE   NO. OF   DEPTH TO CURVE   LOAD ','TRANSFER   PILE MOVEMENT'";
constexpr const char* kCurveListUnits = "11X,'NO.',6X,'POINTS',8X,A3,14X,A3,13X,A3,/";
// The rows of the curve listings, compiled once.
const RowLayout& curveRow() {
    static const RowLayout layout("8X,I5,I11,E16.4");
    return layout;
}
const RowLayout& curvePointRow() {
    static const RowLayout layout("40X,E17.4,E16.4");
    return layout;
}

void writeCurveListHeading(SettlementRun& run) {
    const ProblemData& p = run.problem;
    run.report.write(kCurveListHeading);
    if (!unitsLines(p)) return;
    if (english(p))
        run.report.write(kCurveListUnits, {p.labels.lengthLabel, "PSI", p.labels.smallLengthLabel});
    else
        run.report.write(kCurveListUnits, {p.labels.lengthLabel, p.labels.stressLabel, p.labels.lengthLabel});
}

// One listed curve: its row and its point rows, each report line followed
// by the same line in the plot data file.
void writeCurve(SettlementRun& run, int32_t number, const TzCurve& curve, double depth) {
    const double count = curve.pointCount;
    run.report.row(curveRow(), {static_cast<double>(number), count, depth});
    run.plot.row(curveRow(), {static_cast<double>(number), count, depth});
    for (size_t k = 1; k <= static_cast<size_t>(countWithin(curve.pointCount, kTzCurvePoints)); ++k) {
        run.report.row(curvePointRow(), {curve.loadTransfer[k], curve.movement[k]});
        run.plot.row(curvePointRow(), {curve.loadTransfer[k], curve.movement[k]});
    }
}

// Pile geometry of the solution in working units.
struct PileFrame {
    double u = 1;          // feet (metres) to working length
    double cosBatter = 1;  // c_b
    bool hasStickup = false;
    double stickupVertical = 0;  // s_v, feet or metres
    double totalLength = 0;      // L_t, working length
};

PileFrame pileFrame(const ProblemData& p) {
    PileFrame f;
    f.u = workingLengthFactor(p);
    f.cosBatter = std::cos(p.pile.batterAngle);
    f.hasStickup = p.pile.stickupLength > 1.0E-6f;
    f.stickupVertical = p.pile.stickupLength * f.cosBatter;
    f.totalLength = (p.pile.stickupLength + p.pile.embeddedLength) * f.u;
    return f;
}

// Layer curves: three per pair of neighbouring rows at least 0.11 ft (m)
// apart, at the top, middle and bottom of the layer, numbered in that
// order.
void buildLayerCurves(SettlementRun& run, const PileFrame& frame, int32_t listingFlag) {
    const ProblemData& p = run.problem;
    SettlementData& s = run.data;
    const int32_t n = countWithin(p.layerCount, kMaxLayers);
    const double e = english(p) ? 0.5f : 0.01f;
    int32_t count = 0;
    for (int32_t i = 1; i < n; ++i) {
        const SoilLayer& upper = p.layers[static_cast<size_t>(i)];
        const SoilLayer& lower = p.layers[static_cast<size_t>(i + 1)];
        if (!(std::fabs(lower.depth - upper.depth) >= 0.11f)) continue;
        const int32_t code = upper.soilType == 1 && lower.soilType == 1   ? 1
                             : upper.soilType == 2 && lower.soilType == 2 ? 2
                                                                          : 3;
        const double top = upper.depth * frame.u + e;
        const double bottom = lower.depth * frame.u - e;
        const double depths[3] = {top, (top + bottom) / 2, bottom};
        for (double x : depths) {
            if (count >= kMaxTzCurves) break;
            TzCurve& curve = s.curves[static_cast<size_t>(++count)];
            curve.curveNumber = count;
            curve.curveDepth = x + frame.stickupVertical * frame.u;
            buildTzCurve(run, curve, x, code, sideFrictionAt(run, x));
        }
    }
    s.layerCurveCount = count;
    if (listingFlag != 1) return;
    for (int32_t c = 1; c <= count; ++c)
        if (!finiteCurve(s.curves[c])) cannotWrite(run, "the listing of t-z curves (curve " + std::to_string(c) + ")");
    writeCurveListHeading(run);
    run.plot.integers({count});
    for (int32_t c = 1; c <= count; ++c) {
        const TzCurve& curve = s.curves[static_cast<size_t>(c)];
        writeCurve(run, c, curve, curve.curveDepth / frame.u - frame.stickupVertical);
    }
}

// Node curves, one per computation node, evenly spaced from the ground
// surface to the pile tip.
//
// A pile shorter than one length increment has a single node (nodeCount
// 1) and no node spacing: its one curve stands at the ground surface and
// serves the whole shaft.
void buildNodeCurves(SettlementRun& run, const PileFrame& frame, int32_t nodes) {
    const ProblemData& p = run.problem;
    for (int32_t j = 1; j <= nodes; ++j) {
        const double x = nodes > 1 ? (j - 1) * p.pile.embeddedLength * frame.cosBatter / (nodes - 1) * frame.u : 0.0;
        TzCurve& curve = run.data.curves[static_cast<size_t>(j)];
        curve.curveNumber = j;
        curve.curveDepth = x + frame.stickupVertical * frame.u;
        // The node at the ground surface of a pile with a stickup carries
        // nothing: the pile above it stands free.
        const double f = (j == 1 && frame.hasStickup) ? 0.0 : sideFrictionAt(run, x);
        buildTzCurve(run, curve, x, soilTypeAt(p, x), f);
    }
}

// Axial stiffness table; returns whether the pile is uniform.
bool buildStiffnessTable(SettlementRun& run, const PileFrame& frame) {
    const ProblemData& p = run.problem;
    const PileSection& pile = p.pile;
    SettlementData& s = run.data;
    const int32_t tableRows = std::min(pile.areaPointCount, kMaxStiffnessPoints);
    // An area table option without rows falls back to the uniform pile.
    if (pile.areaOption >= 2 && tableRows >= 1) {
        s.stiffnessPointCount = tableRows;
        for (size_t k = 1; k <= static_cast<size_t>(tableRows); ++k) {
            s.stiffness[k].distance = pile.areaDistance[k] * frame.u;
            s.stiffness[k].axialStiffness = pile.areaValue[k] * pile.elasticModulus;
        }
        return false;
    }
    double area = 0;
    if (pile.crossSectionArea > 1.0E-5f)
        area = pile.crossSectionArea;
    else if (pile.tipArea > 1.0E-5f)
        area = english(p) ? pile.tipArea * 144 : pile.tipArea;
    else
        area = 0.7854f * (pile.outsideDiameter * pile.outsideDiameter - pile.insideDiameter * pile.insideDiameter);
    s.stiffnessPointCount = 2;
    s.stiffness[1] = {0.0, area * pile.elasticModulus};
    s.stiffness[2] = {frame.totalLength, area * pile.elasticModulus};
    return true;
}

double interpolateStiffness(const StiffnessPoint& a, const StiffnessPoint& b, double x) {
    if (b.distance == a.distance) return a.axialStiffness;
    return a.axialStiffness + (b.axialStiffness - a.axialStiffness) * (x - a.distance) / (b.distance - a.distance);
}

// AE at a distance x from the pile head along the pile. A table is read
// between the first point at or beyond x and the point before it, a
// distance before the second point on the first two points. Beyond the
// table's last point the table says nothing: the last point's stiffness is
// held there (a line carried on past the table could fall to zero or below).
double stiffnessAt(const SettlementData& s, bool uniform, double x) {
    const int32_t n = s.stiffnessPointCount;
    if (uniform) return interpolateStiffness(s.stiffness[1], s.stiffness[2], x);
    if (n == 1) return s.stiffness[1].axialStiffness;
    for (size_t k = 2; k <= static_cast<size_t>(n); ++k)
        if (s.stiffness[k].distance >= x) return interpolateStiffness(s.stiffness[k - 1], s.stiffness[k], x);
    return s.stiffness[static_cast<size_t>(n)].axialStiffness;
}

void listTipCurve(SettlementRun& run) {
    const ProblemData& p = run.problem;
    const TipCurve& tip = run.data.tipCurve;
    for (int32_t k = 1; k <= kTzCurvePoints; ++k)
        if (!std::isfinite(tip.tipLoad[k]) || !std::isfinite(tip.tipMovement[k]))
            cannotWrite(run, "the tip load-movement curve");
    if (unitsLines(p))
        run.report.write("///8X,'TIP   LOAD',8X,'TIP MOVEMENT'/12X,A3,15X,A3/",
                         {p.labels.forceLabel, english(p) ? p.labels.smallLengthLabel : p.labels.lengthLabel});
    for (size_t k = 1; k <= kTzCurvePoints; ++k) {
        const double load = printedForce(p, tip.tipLoad[k]);
        static const RowLayout kTipRow("E18.4,E19.4");
        run.report.row(kTipRow, {load, tip.tipMovement[k]});
        run.plot.row(kTipRow, {load, tip.tipMovement[k]});
    }
}

// Assumed tip movements: the built-in list (inches; metres in SI) or the
// user's list as given. A list option with no values keeps the built-in
// list; a list longer than the result store is cut to it (the input allows
// 21 values and the store holds 21).
int32_t assumedMovements(const ProblemData& p, std::array<double, kMaxLoadSettlementPoints + 1>& list) {
    const AnalysisOptions& o = p.options;
    if (o.movementListOption > 0 && o.movementCount >= 1) {
        const int32_t count = std::min(o.movementCount, kMaxLoadSettlementPoints);
        for (size_t i = 1; i <= static_cast<size_t>(count); ++i) list[i] = o.movementList[i];
        return count;
    }
    constexpr double builtIn[] = {0.0001f, 0.001f, 0.005f, 0.01f, 0.02f, 0.05f, 0.08f,
                                  0.1f,    0.2f,   0.5f,   0.8f,  1.0f,  2.0f};
    int32_t count = 0;
    for (double w : builtIn) list[static_cast<size_t>(++count)] = si(p) ? w / 39.79f : w;
    return count;
}

// Where a segment reads its load transfer among the node curves: one curve,
// or a depth interpolation between two (lower 0: no curve, zero load
// transfer at the pile head).
struct SegmentCurves {
    int32_t upper = 0;
    int32_t lower = 0;
    bool single = true;
};

struct Segment {
    double distance = 0;  // x_s, mid-point distance from the head along the pile
    double depth = 0;     // z_s, mid-point vertical distance below the head
    double diameter = 0;
    double stiffness = 0;
    bool frictionless = false;
    SegmentCurves curves;
};

double segmentTransfer(const SettlementData& s, const Segment& seg, double movement) {
    if (seg.frictionless) return 0;
    const SegmentCurves& c = seg.curves;
    if (c.upper < 1) return 0;
    const TzCurve& below = s.curves[static_cast<size_t>(c.upper)];
    const double tBelow = evaluateTzCurve(below, movement);
    if (c.single) return tBelow;
    const double zAbove = c.lower >= 1 ? s.curves[static_cast<size_t>(c.lower)].curveDepth : 0.0;
    const double tAbove = c.lower >= 1 ? evaluateTzCurve(s.curves[static_cast<size_t>(c.lower)], movement) : 0.0;
    return tAbove + (seg.depth - zAbove) * (tBelow - tAbove) / (below.curveDepth - zAbove);
}

}  // namespace

void handOverNodeValues(const AnalysisState& state, SettlementData& data) {
    data.nodeSideFriction.fill(0);
    data.nodeTipResistance.fill(0);
    // A load-transfer method outside 1..9 names no method: nothing is
    // handed over, the curves carry no load, and the report says so.
    const MethodEntry* chosen = loadTransferMethodOf(state.problem.options);
    if (!chosen) return;
    const MethodResults& method = state.method(chosen->code);
    const int32_t nodes = countWithin(state.grid.nodeCount, kMaxNodes);
    assert(nodes <= state.grid.segmentCount);  // every node has the segment that starts there
    for (int32_t j = 1; j <= nodes; ++j) {
        data.nodeSideFriction[j] = method.nodes.nodeSideFriction[j];
        // The curves take the end bearing without the LRFD factor. A bearing
        // factor of 0 takes the tip out of the design: the tip then carries
        // no load, as its table shows.
        const double factor = state.grid.segments[j].lrfdBearingFactor;
        data.nodeTipResistance[j] = std::fabs(factor) > 1.0E-10f ? method.capacity.endBearing[j] : 0.0;
    }
}

namespace {

// The segments of the solution from the tip (s = 1) to the head (s = N),
// N = nodeCount, and what each reads from the curves and the stiffness
// table: the same for every assumed movement.
std::vector<Segment> solutionSegments(const SettlementRun& run, const PileFrame& frame, int32_t n, bool uniform) {
    const ProblemData& p = run.problem;
    const SettlementData& s = run.data;
    const double h = n > 0 ? frame.totalLength / n : 0.0;
    const double hv = n > 0 ? frame.totalLength * frame.cosBatter / n : 0.0;
    std::vector<Segment> segments(static_cast<size_t>(n) + 1);
    // Curves 1 to M-1 take part (the curve at the tip does not); a single
    // node has its one curve.
    const int32_t curvesUsed = n >= 2 ? n - 1 : n;
    int32_t next = 1;  // walks down the curves as the segments go down the pile
    for (int32_t k = n; k >= 1; --k) {
        Segment& seg = segments[static_cast<size_t>(k)];
        seg.distance = frame.totalLength - (k - 1) * h - h / 2;
        seg.depth = frame.totalLength * frame.cosBatter - (k - 1) * hv - hv / 2;
        seg.frictionless = p.pile.zeroFrictionLength * frame.u > seg.distance;
        seg.diameter = p.pile.outsideDiameter;
        if (p.pile.taperAngle > 0) seg.diameter -= 2 * seg.depth * std::tan(p.pile.taperAngle * 0.01745f);
        // A taper that closes the pile above this segment leaves it no
        // perimeter (or a negative one) to carry load.
        if (p.pile.taperAngle > 0 && !(seg.diameter > 0))
            throw InputError(std::string(run.inputFileName), 0,
                             "the angle of taper (" + trimmed(formatFixed(p.pile.taperAngle, 12, 2)) +
                                 " degrees) narrows the pile to no diameter at " +
                                 trimmed(formatFixed(seg.distance / frame.u, 12, 2)) + " " +
                                 trimmed(p.labels.lengthLabel) +
                                 " from the pile head; expected a taper that leaves the tip a diameter");
        seg.stiffness = stiffnessAt(s, uniform, seg.distance);
        if (!(seg.stiffness > 0) || !std::isfinite(seg.stiffness))
            throw InputError(std::string(run.inputFileName), 0,
                             "the axial stiffness of the pile (area times modulus of elasticity) is not positive at " +
                                 trimmed(formatFixed(seg.distance / frame.u, 12, 2)) + " " +
                                 trimmed(p.labels.lengthLabel) +
                                 " from the pile head: the load-settlement curve cannot be computed");
        while (next <= curvesUsed && s.curves[next].curveDepth < seg.depth) ++next;
        SegmentCurves& c = seg.curves;
        if (next > curvesUsed) {
            c = {curvesUsed, 0, true};
        } else {
            const double zBelow = s.curves[next].curveDepth;
            const double zAbove = next > 1 ? s.curves[next - 1].curveDepth : 0.0;
            c = {next, next - 1, zBelow == seg.depth || !(zBelow > zAbove)};
        }
    }
    return segments;
}

// The method of assumed tip movements, for assumed movement i: the tip load
// from the tip curve, then segment by segment up the pile the movement at
// which the shaft load transfer and the elastic shortening agree. Gives the
// load-settlement point and fills the printed rows of the movement's load
// distribution.
LoadSettlementPoint marchFromTip(SettlementRun& run, const PileFrame& frame, const std::vector<Segment>& segments,
                                 int32_t i, double tipMovement) {
    const ProblemData& p = run.problem;
    SettlementData& s = run.data;
    const int32_t n = static_cast<int32_t>(segments.size()) - 1;
    const double h = n > 0 ? frame.totalLength / n : 0.0;
    const double plotLength = english(p) ? 12 : 1;
    s.distributions.clear();
    const double tipLoad = evaluateTipCurve(s.tipCurve, tipMovement);
    double loadBelow = tipLoad;
    double movementBelow = tipMovement;
    for (int32_t k = 1; k <= n; ++k) {
        const Segment& seg = segments[static_cast<size_t>(k)];
        double mid = movementBelow;
        double midLoad = 0, topLoad = 0, topMovement = 0, newMid = 0;
        for (int pass = 1;; ++pass) {
            const double t = segmentTransfer(s, seg, mid);
            const double transferred = seg.diameter * 3.1416f * h * t;
            midLoad = loadBelow + 0.5f * transferred;
            topLoad = loadBelow + transferred;
            topMovement = movementBelow + h * midLoad / seg.stiffness;
            newMid = ((loadBelow + topLoad) * 0.5f + loadBelow) * (0.25f * h) / seg.stiffness + movementBelow;
            if (std::fabs(newMid - mid) <= 0.0001f) break;
            // A segment that has not settled after the pass limit keeps the
            // values of its last pass, and the report says so.
            if (pass >= kMaxMidSegmentPasses) {
                if (s.unconvergedSegments++ == 0) s.firstUnconvergedMovement = i;
                break;
            }
            mid = newMid;
        }
        // Loads or movements that are not finite numbers (an overflow, or
        // curves that are not) leave no usable load-settlement curve.
        if (!std::isfinite(midLoad) || !std::isfinite(topLoad) || !std::isfinite(topMovement) || !std::isfinite(newMid))
            throw InputError(std::string(run.inputFileName), 0,
                             "the load-settlement curve cannot be computed: at " +
                                 trimmed(formatFixed(seg.distance / frame.u, 12, 2)) + " " +
                                 trimmed(p.labels.lengthLabel) +
                                 " from the pile head the pile load or movement exceeds the range of numbers; "
                                 "expected an axial stiffness (area times modulus of elasticity) and load "
                                 "transfers of realistic size");
        if (isPrintedRow(k, n, p.printIncrement))
            s.distributions.push_back({seg.distance / plotLength, printedForce(p, midLoad), newMid});
        loadBelow = topLoad;
        movementBelow = topMovement;
    }
    return {loadBelow, movementBelow, tipLoad, tipMovement};
}

// Block 6 of the plot data file: the load distribution of one movement.
void writeLoadDistribution(SettlementRun& run) {
    static const RowLayout kDistributionRow("3X,E10.3,3X,E10.3,3X,E10.3");
    for (const DistributionRow& row : run.data.distributions)
        run.plot.row(kDistributionRow, {row.distance, row.load, row.movement});
}

}  // namespace

void solveLoadSettlement(SettlementRun& run, int32_t listingFlag) {
    ProblemData& p = run.problem;
    SettlementData& s = run.data;
    setUnitLabels(p);
    if (si(p)) {
        p.pile.outsideDiameter /= 1000;
        p.pile.insideDiameter /= 1000;
    }
    if (run.grid.nodeCount > kMaxNodes)
        throw InputError(std::string(run.inputFileName), 0,
                         "the pile has " + std::to_string(run.grid.nodeCount) + " computation nodes, more than " +
                             std::to_string(kMaxNodes) + "; use a longer increment of pile length");
    const int32_t nodes = std::max(run.grid.nodeCount, 0);
    const PileFrame frame = pileFrame(p);

    buildLayerCurves(run, frame, listingFlag);
    buildNodeCurves(run, frame, nodes);
    const bool uniform = buildStiffnessTable(run, frame);

    makeTipCurve(run, nodes >= 1 ? s.nodeTipResistance[nodes] * (english(p) ? 1000 : 1) : 0.0);
    listTipCurve(run);

    std::array<double, kMaxLoadSettlementPoints + 1> movements{};
    const int32_t movementCount = assumedMovements(p, movements);
    run.plot.integers({movementCount});

    const std::vector<Segment> segments = solutionSegments(run, frame, nodes, uniform);
    s.pointCount = movementCount;
    s.unconvergedSegments = 0;
    s.firstUnconvergedMovement = 0;
    s.distributions.reserve(static_cast<size_t>(printedRowCount(nodes, p.printIncrement)));
    for (int32_t i = 1; i <= movementCount; ++i) {
        s.points[i] = marchFromTip(run, frame, segments, i, movements[static_cast<size_t>(i)]);
        writeLoadDistribution(run);
    }
}

void runLoadSettlement(SettlementRun& run) {
    ProblemData& p = run.problem;
    run.report.write(
        "//12X,'NOTES:'/12X,'- AN ASTERISK IS PLACED IN THE END-BEARING COLUMN'/"
        "12X,'  IF THE TIP RESISTANCE IS CONTROLLED BY THE FRICTION'/"
        "12X,'  OF SOIL PLUG INSIDE AN OPEN-ENDED PIPE PILE.'/");
    if (p.options.loadingType == 1)
        run.report.write("/12X,'- A NEGATIVE SELF-WEIGHT VALUE IS DUE TO THE'/12X,'  BOUYANCY EFFECT.'/");
    run.report.write(
        "//16X,'*************************************************'/"
        "16X,'* COMPUTE LOAD-DISTRIBUTION AND LOAD-SETTLEMENT *'/"
        "16X,'* CURVES FOR AXIAL LOADING                      *'/"
        "16X,'*************************************************'//");

    solveLoadSettlement(run, 1);

    const SettlementData& s = run.data;
    run.report.write("///22X,'LOAD VERSUS SETTLEMENT CURVE'/22X,'****************************'");
    run.report.write("///8X,'TOP  LOAD     TOP MOVEMENT       TIP  LOAD ',5X,'TIP MOVEMENT'");
    if (unitsLines(p)) {
        const UnitLabels& l = p.labels;
        const std::string& movementLabel = english(p) ? l.smallLengthLabel : l.lengthLabel;
        run.report.write("11X,A3,13X,A3,14X,A3,12X,A3", {l.forceLabel, movementLabel, l.forceLabel, movementLabel});
    }
    for (size_t i = 1; i <= static_cast<size_t>(s.pointCount); ++i) {
        const LoadSettlementPoint& pt = s.points[i];
        static const RowLayout kPointRow("E17.4,3E16.4");
        const double top = printedForce(p, pt.topLoad);
        const double tip = printedForce(p, pt.tipLoad);
        run.report.row(kPointRow, {top, pt.topMovement, tip, pt.tipMovement});
        run.plot.row(kPointRow, {top, pt.topMovement, tip, pt.tipMovement});
    }

    if (!validTransferMethod(p))
        run.report.write(
            "/8X,'NOTE: LOAD-TRANSFER METHOD ',I6,' IS NOT ONE OF THE METHODS 1 TO 9;'/"
            "8X,'      NO UNIT SIDE FRICTION OR END BEARING WAS TAKEN FOR THE CURVES.'",
            {p.options.loadTransferMethod});
    if (s.unconvergedSegments > 0)
        run.report.write(
            "/8X,'NOTE: IN ',I6,' SEGMENT(S) THE MID-SEGMENT MOVEMENT DID NOT CONVERGE'/"
            "8X,'      WITHIN ',I4,' PASSES (FIRST AT ASSUMED TIP MOVEMENT ',I3,');'/"
            "8X,'      THE VALUES OF THE LAST PASS ARE USED.'",
            {s.unconvergedSegments, kMaxMidSegmentPasses, s.firstUnconvergedMovement});
}

void listVerificationCurves(SettlementRun& run) {
    ProblemData& p = run.problem;
    SettlementData& s = run.data;
    run.report.write(
        "//16X,'*************************************************'/"
        "16X,'* COMPUTE INTERNALLY-GENERATED LOAD-TRANSFER    *'/"
        "16X,'* (t-z) CURVES FOR VERIFICATION                 *'/"
        "16X,'*************************************************'//");
    setUnitLabels(p);
    const PileFrame frame = pileFrame(p);
    const int32_t count = countWithin(p.options.tzPrintDepthCount, kMaxTzPrintDepths);
    const int32_t rows = countWithin(p.layerCount, kMaxLayers);
    const double lastRowDepth = rows >= 1 ? p.layers[static_cast<size_t>(rows)].depth : 0.0;
    std::array<bool, kMaxTzPrintDepths + 1> valid{};
    int32_t validCount = 0;
    for (size_t k = 1; k <= static_cast<size_t>(count); ++k) {
        const double depth = p.options.tzPrintDepths[k];
        valid[k] = rows >= 1 && depth >= 0 && depth <= lastRowDepth;
        if (valid[k]) ++validCount;
    }
    for (int32_t k = 1; k <= count; ++k) {
        const double x = p.options.tzPrintDepths[static_cast<size_t>(k)] * frame.u;
        TzCurve& curve = s.curves[static_cast<size_t>(k)];
        curve.curveNumber = k;
        curve.curveDepth = x + frame.stickupVertical * frame.u;
        buildTzCurve(run, curve, x, soilTypeAt(p, x), sideFrictionAt(run, x));
    }
    for (int32_t k = 1; k <= count; ++k)
        if (valid[static_cast<size_t>(k)] && !finiteCurve(s.curves[k]))
            cannotWrite(run, "the verification listing of t-z curves (depth " + std::to_string(k) + ")");
    writeCurveListHeading(run);
    run.plot.integers({validCount});
    for (int32_t k = 1; k <= count; ++k) {
        const auto kk = static_cast<size_t>(k);
        const TzCurve& curve = s.curves[kk];
        if (valid[kk]) {
            writeCurve(run, k, curve, p.options.tzPrintDepths[kk]);
        } else {
            run.report.row(curveRow(), {static_cast<double>(k), static_cast<double>(curve.pointCount),
                                        p.options.tzPrintDepths[kk]});
            run.report.write("15X,'CURVE NOT PRINTED SINCE DEPTH OUTSIDE SOIL RANGE'");
        }
    }
}

}  // namespace tovek
