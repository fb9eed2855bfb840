#include "settlement/tz_curves.h"

#include <algorithm>
#include <cmath>

#include "input/units.h"
#include "methods/method_catalog.h"

namespace tovek {

namespace {

bool english(const ProblemData& p) { return englishUnits(p); }
bool si(const ProblemData& p) { return p.unitSystem == 2; }

// Depth in feet or metres from a working depth (a private copy: the
// caller's value is never changed).
double soilDepth(const ProblemData& p, double depth) { return english(p) ? depth / 12 : depth; }

int32_t rowCount(const ProblemData& p) { return countWithin(p.layerCount, kMaxLayers); }

const SoilLayer& row(const ProblemData& p, int32_t i) { return p.layers[static_cast<size_t>(i)]; }

// A soil code as an integer, truncated toward zero; a value no code could
// have (not a number, or beyond any integer) is no code, 0.
int32_t soilCode(double value) {
    if (!(std::fabs(value) < 1.0e9)) return 0;
    return static_cast<int32_t>(value);
}

// The soil table read as layers of two rows each: layer k runs from its top
// row 2k-1 to its bottom row 2k (k = 1..m, m = rows / 2). A column at depth
// x (feet or metres): the first row's value at or above the ground surface,
// the last row's at or below the last row; otherwise the first layer, from
// the top, whose top row lies at x gives that row's value, or whose bottom
// row lies below x gives the line through its two rows (extended upward
// into a gap above the layer). Where one layer ends and the next begins,
// the next layer's top row wins. A depth in no layer (past the last whole
// pair of an odd row count) gives 0. A layer of no thickness gives its top
// row's value rather than a division by zero.
template <typename Column>
double columnAt(const ProblemData& p, double depth, Column column) {
    const int32_t n = rowCount(p);
    if (n < 1) return 0;
    const double x = soilDepth(p, depth);
    if (x <= 0) return column(row(p, 1));
    if (x >= row(p, n).depth) return column(row(p, n));
    for (int32_t k = 1; k <= n / 2; ++k) {
        const SoilLayer& top = row(p, 2 * k - 1);
        const SoilLayer& bottom = row(p, 2 * k);
        if (x == top.depth) return column(top);
        if (x < bottom.depth) {
            if (!(bottom.depth != top.depth)) return column(top);
            return column(top) + (column(bottom) - column(top)) * (x - top.depth) / (bottom.depth - top.depth);
        }
    }
    return 0;
}

// Point fractions of the scaled shaft curves (movement / peak movement and
// load transfer / unit side friction).
// Source: the t-z curves of API RP 2A-WSD (2010 printing), axial pile
// load-transfer curves.
constexpr double kScaledMovement[kTzCurvePoints + 1] = {0,    0,    0.16f, 0.31f, 0.57f, 0.80f,
                                                        1.0f, 2.0f, 3.0f,  5.0f,  20.0f};
constexpr double kScaledTransfer[kTzCurvePoints + 1] = {0, 0, 0.30f, 0.50f, 0.75f, 0.90f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
// Fixed movements of the USACE shaft curves, inches.
// Source: the load-transfer curves of USACE EM 1110-2-2906, Design of Pile
// Foundations (1991).
constexpr double kUsaceMovement[kTzCurvePoints + 1] = {0,     0,     0.01f, 0.02f, 0.04f, 0.06f,
                                                       0.08f, 0.12f, 0.16f, 0.5f,  10.0f};
constexpr double kUsaceClayTransfer[kTzCurvePoints + 1] = {0,    0,     0.18f, 0.38f, 0.79f, 0.97f,
                                                           1.0f, 0.97f, 0.93f, 0.93f, 0.93f};
// Tip curve: movement / diameter and load / Q; USACE fixed tip movements.
// Source: the Q-z curve of API RP 2A-WSD (2010 printing), pile tip
// load-displacement; the USACE tip movements as for the shaft curves.
constexpr double kTipMovement[kTzCurvePoints + 1] = {0,      0,      0.0005f, 0.001f, 0.002f, 0.013f,
                                                     0.042f, 0.073f, 0.1f,    0.15f,  0.2f};
constexpr double kTipLoad[kTzCurvePoints + 1] = {0, 0, 0.0625f, 0.125f, 0.25f, 0.5f, 0.75f, 0.9f, 1.0f, 1.0f, 1.0f};
constexpr double kUsaceTipMovement[kTzCurvePoints + 1] = {0,    0,    0.0001f, 0.005f, 0.01f, 0.05f,
                                                          0.1f, 0.2f, 0.5f,    1.0f,   2.0f};

constexpr double kInchesPerMetre = 39.37f;
constexpr double kInchesPerMetreClay = 39.79f;  // the clay and tip curves' factor
constexpr double kPsfPerKpa = 20.89f;

// The Army Corps load transfer has curves of its own.
bool usace(const ProblemData& p) {
    const MethodEntry* method = loadTransferMethodOf(p.options);
    return method && method->code == kUsace;
}

// Peak movement of the scaled curves: the looked-up value, or 0.01 x the
// outside diameter when that is 0 or less.
double peakMovement(const ProblemData& p, const TzCurve& curve) {
    return curve.curvePeakMovement > 0 ? curve.curvePeakMovement : 0.01f * p.pile.outsideDiameter;
}

// Initial stiffness of the USACE hyperbolic curve, psf per inch.
double usaceStiffness(double phi) {
    constexpr double slope = 1333.3f;
    if (phi <= 28) return 6000;
    if (phi <= 31) return 6000 + slope * (phi - 28);
    if (phi <= 32) return 10000;
    if (phi <= 34) return 10000 + slope * (phi - 32);
    if (phi <= 35) return 14000;
    if (phi <= 38) return 14000 + slope * (phi - 35);
    return 18000;
}

// Tip soil code of the USACE tip curve: the row at or below the embedded
// length, truncated toward zero.
int32_t tipSoilCode(const ProblemData& p) {
    const int32_t n = rowCount(p);
    if (n < 1) return 0;
    const double tip = p.pile.embeddedLength;
    if (tip <= row(p, 1).depth) return soilCode(row(p, 1).soilType);
    for (int32_t i = 2; i <= n; ++i)
        if (row(p, i).depth >= tip) return soilCode(row(p, i).soilType);
    return soilCode(row(p, n).soilType);
}

}  // namespace

double workingLengthFactor(const ProblemData& problem) { return english(problem) ? 12 : 1; }

double sideFrictionAt(const SettlementRun& run, double depth) {
    const int32_t m = countWithin(run.grid.nodeCount, kMaxNodes);
    if (m < 1) return 0;
    const ProblemData& p = run.problem;
    const auto& f = run.data.nodeSideFriction;
    const double spacing = run.grid.verticalIncrement;
    const double x = soilDepth(p, depth);
    auto nodeDepth = [spacing](int32_t j) { return (j - 1) * spacing; };
    double value = 0;
    if (std::isnan(x)) {
        value = 0;  // no depth, no friction
    } else if (x <= nodeDepth(1)) {
        value = f[1];
    } else if (x >= nodeDepth(m)) {
        value = f[static_cast<size_t>(m)];
    } else if (m < 2) {
        value = 0;
    } else {
        // Node g with depth(g) <= x < depth(g + 1): the nodes are evenly
        // spaced, so the estimate from the spacing needs at most a step of
        // correction for rounding.
        int32_t g = std::clamp(static_cast<int32_t>(x / spacing) + 1, 1, m - 1);
        while (g > 1 && nodeDepth(g) > x) --g;
        while (g < m - 1 && nodeDepth(g + 1) <= x) ++g;
        const double xg = nodeDepth(g);
        const double xh = nodeDepth(g + 1);
        const double fg = f[static_cast<size_t>(g)];
        const double fh = f[static_cast<size_t>(g + 1)];
        value = x == xg ? fg : fg + (fh - fg) * (x - xg) / (xh - xg);
    }
    if (english(p)) value = value * 1000 / 12 / 12;  // ksf to psi
    return value;
}

double peakMovementAt(const ProblemData& problem, double depth) {
    return columnAt(problem, depth, [](const SoilLayer& r) { return r.peakMovement; });
}

double residualFactorAt(const ProblemData& problem, double depth) {
    return columnAt(problem, depth, [](const SoilLayer& r) { return r.residualFactor; });
}

double frictionAngleAt(const ProblemData& problem, double depth) {
    return columnAt(problem, depth, [](const SoilLayer& r) { return r.frictionAngle; });
}

// The code of the first row at or below the depth: at the boundary between
// two layers the upper layer wins.
int32_t soilTypeAt(const ProblemData& problem, double depth) {
    const int32_t n = rowCount(problem);
    if (n < 1) return 0;
    const double x = soilDepth(problem, depth);
    if (x <= 0) return soilCode(row(problem, 1).soilType);
    if (x >= row(problem, n).depth) return soilCode(row(problem, n).soilType);
    // The code of the bottom row of the first layer that reaches down to x:
    // at a boundary between two layers the upper layer wins.
    for (int32_t k = 1; k <= n / 2; ++k)
        if (row(problem, 2 * k).depth >= x) return soilCode(row(problem, 2 * k).soilType);
    return 0;
}

void makeNonClayTzCurve(const ProblemData& problem, TzCurve& curve) {
    const double f = curve.curveSideFriction;
    curve.movement[1] = 0;
    curve.loadTransfer[1] = 0;
    if (!usace(problem)) {
        const double zp = peakMovement(problem, curve);
        for (int k = 2; k <= kTzCurvePoints; ++k) {
            curve.movement[static_cast<size_t>(k)] = kScaledMovement[k] * zp;
            curve.loadTransfer[static_cast<size_t>(k)] = kScaledTransfer[k] * f;
        }
        return;
    }
    // USACE: hyperbolic in fixed movements, worked in psf and inches.
    const double stressToPsf = english(problem) ? 144 : kPsfPerKpa;
    const double tau = f * stressToPsf;
    const double stiffness = usaceStiffness(curve.curveFrictionAngle);
    for (int k = 2; k <= kTzCurvePoints; ++k) {
        const double z = kUsaceMovement[k];
        const double t = tau > 1.0E-9f ? z / (z / tau + 1 / stiffness) / stressToPsf : 0.0;
        curve.movement[static_cast<size_t>(k)] = si(problem) ? z / kInchesPerMetre : z;
        curve.loadTransfer[static_cast<size_t>(k)] = t;
    }
}

void makeClayTzCurve(const ProblemData& problem, TzCurve& curve, double residualFactor) {
    const double f = curve.curveSideFriction;
    curve.movement[1] = 0;
    curve.loadTransfer[1] = 0;
    if (!usace(problem)) {
        const double zp = peakMovement(problem, curve);
        const double r = residualFactor > 0 ? residualFactor : 0.9f;
        for (int k = 2; k <= kTzCurvePoints; ++k) {
            curve.movement[static_cast<size_t>(k)] = kScaledMovement[k] * zp;
            curve.loadTransfer[static_cast<size_t>(k)] = (k >= 7 ? r : kScaledTransfer[k]) * f;
        }
        return;
    }
    for (int k = 2; k <= kTzCurvePoints; ++k) {
        const double z = kUsaceMovement[k];
        curve.movement[static_cast<size_t>(k)] = si(problem) ? z / kInchesPerMetreClay : z;
        curve.loadTransfer[static_cast<size_t>(k)] = kUsaceClayTransfer[k] * f;
    }
}

// A factor table announced with fewer than two rows: the reader reads rows
// only for a count above 1, so a table of 0 rows, or of 1 row whose factors
// are both still 0, holds nothing the user gave; the curves are then left
// unchanged (multiplying them by the zeros of an empty table would wipe out
// every curve). A one-row table that holds factors applies them at every
// depth.
void applyTzDepthFactors(const ProblemData& problem, TzCurve& curve, double depth) {
    const AnalysisOptions& o = problem.options;
    if (o.tzFactorOption <= 0) return;
    const int32_t n = std::min(o.tzFactorCount, kMaxTzFactorRows);
    if (n < 1) return;
    if (n == 1 && o.tzFactorA[1] == 0 && o.tzFactorB[1] == 0) return;
    const double x = soilDepth(problem, depth);
    double a = o.tzFactorA[1];
    double b = o.tzFactorB[1];
    const auto nn = static_cast<size_t>(n);
    if (x <= o.tzFactorDepth[1]) {
        a = o.tzFactorA[1];
        b = o.tzFactorB[1];
    } else if (x >= o.tzFactorDepth[nn]) {
        a = o.tzFactorA[nn];
        b = o.tzFactorB[nn];
    } else {
        for (size_t i = 2; i <= nn; ++i) {
            if (x == o.tzFactorDepth[i]) {
                a = o.tzFactorA[i];
                b = o.tzFactorB[i];
                break;
            }
            if (o.tzFactorDepth[i] > x) {
                const double share = (x - o.tzFactorDepth[i - 1]) / (o.tzFactorDepth[i] - o.tzFactorDepth[i - 1]);
                a = o.tzFactorA[i - 1] + (o.tzFactorA[i] - o.tzFactorA[i - 1]) * share;
                b = o.tzFactorB[i - 1] + (o.tzFactorB[i] - o.tzFactorB[i - 1]) * share;
                break;
            }
        }
    }
    for (size_t k = 1; k <= kTzCurvePoints; ++k) {
        curve.loadTransfer[k] *= a;
        curve.movement[k] *= b;
    }
}

void buildTzCurve(const SettlementRun& run, TzCurve& curve, double depth, int32_t soilCode, double sideFriction) {
    const ProblemData& p = run.problem;
    curve.pointCount = kTzCurvePoints;
    curve.curveSoilType = soilCode;
    curve.curveSideFriction = sideFriction;
    curve.curvePeakMovement = peakMovementAt(p, depth);
    const double residual = residualFactorAt(p, depth);
    curve.curveFrictionAngle = frictionAngleAt(p, depth);
    if (soilCode == 2)
        makeClayTzCurve(p, curve, residual);
    else
        makeNonClayTzCurve(p, curve);
    applyTzDepthFactors(p, curve, depth);
}

void makeTipCurve(const SettlementRun& run, double tipResistance) {
    const ProblemData& p = run.problem;
    SettlementData& s = run.data;
    TipCurve& tip = s.tipCurve;
    const double q = tipResistance;
    const double d = p.pile.outsideDiameter;
    s.tipResistance = q;
    s.referenceMovement = 0;
    tip.tipMovement[1] = 0;
    tip.tipLoad[1] = 0;
    if (!usace(p)) {
        for (size_t k = 2; k <= kTzCurvePoints; ++k) {
            tip.tipMovement[k] = kTipMovement[k] * d;
            tip.tipLoad[k] = kTipLoad[k] * q;
        }
    } else {
        for (size_t k = 2; k <= kTzCurvePoints; ++k)
            tip.tipMovement[k] = si(p) ? kUsaceTipMovement[k] / kInchesPerMetreClay : kUsaceTipMovement[k];
        const int32_t code = tipSoilCode(p);
        if (code == 1 || code == 3) {
            // Sand or silt: a power law through Q at the reference movement,
            // read from the segment that starts at the pile tip.
            const int32_t tipSegment = std::clamp(run.grid.nodeCount, 1, kMaxSegments);
            const double given = run.grid.segments[static_cast<size_t>(tipSegment)].layerCurveCode;
            const double zr = given > 0 ? given : 0.05f * d;
            s.referenceMovement = zr;
            // The friction angle at the pile tip: the embedded length in
            // working units, as every depth lookup takes it.
            const double phi = frictionAngleAt(p, p.pile.embeddedLength * workingLengthFactor(p));
            const double e = phi <= 31 ? 0.5f : (phi <= 38 ? 0.333f : 0.25f);
            for (size_t k = 2; k <= kTzCurvePoints; ++k)
                // A pile of no diameter has no reference movement: the tip
                // then carries Q at any movement.
                tip.tipLoad[k] = zr > 0 ? q * std::pow(tip.tipMovement[k] / zr, e) : q;
        } else {
            const double root = std::sqrt(2 * d * 0.005f);
            for (size_t k = 2; k <= kTzCurvePoints; ++k)
                tip.tipLoad[k] = root > 0 ? std::min(q, 0.5f * q / root * std::sqrt(tip.tipMovement[k])) : q;
        }
    }
    if (p.options.tipCurveScaleOption > 0) {
        for (size_t k = 1; k <= kTzCurvePoints; ++k) {
            tip.tipLoad[k] *= p.options.tipCurveScaleA;
            tip.tipMovement[k] *= p.options.tipCurveScaleB;
        }
    }
}

// A movement at or below the first point (no movement, or an upward one)
// takes the first point's value, 0: the shaft curves describe resistance
// to downward movement only. Beyond the last point the curve holds its last
// value.
double evaluateTzCurve(const TzCurve& curve, double movement) {
    const int count = std::clamp(curve.pointCount, 1, kTzCurvePoints);
    if (movement <= curve.movement[1]) return curve.loadTransfer[1];
    for (size_t k = 2; k <= static_cast<size_t>(count); ++k) {
        if (curve.movement[k] >= movement) {
            if (curve.movement[k] == movement) return curve.loadTransfer[k];
            return curve.loadTransfer[k - 1] + (curve.loadTransfer[k] - curve.loadTransfer[k - 1]) *
                                                   (movement - curve.movement[k - 1]) /
                                                   (curve.movement[k] - curve.movement[k - 1]);
        }
    }
    return curve.loadTransfer[static_cast<size_t>(count)];
}

// At or below the first tip movement the tip carries the first point's
// load (0: no movement, no tip load). Beyond the last point the tip holds
// the last point's load: the curve ends where the tip resistance is fully
// mobilised and the tip plunges at that load, as the scaled curve's last
// three points already show (a line through the origin would let the tip
// load grow without bound).
double evaluateTipCurve(const TipCurve& curve, double movement) {
    if (movement <= curve.tipMovement[1]) return curve.tipLoad[1];
    for (size_t k = 2; k <= kTzCurvePoints; ++k) {
        if (curve.tipMovement[k] >= movement)
            return curve.tipLoad[k - 1] + (curve.tipLoad[k] - curve.tipLoad[k - 1]) *
                                              (movement - curve.tipMovement[k - 1]) /
                                              (curve.tipMovement[k] - curve.tipMovement[k - 1]);
    }
    return curve.tipLoad[kTzCurvePoints];
}

}  // namespace tovek
