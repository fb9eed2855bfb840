// API RP-2A (2010): unit side friction along the shaft and the shaft
// capacity against penetration.
//
// Sand: f = K x sigma'v x tan(phi - 5 deg), capped by the API limiting shaft
// friction for that interface angle. Clay: f = alpha x su with the API alpha
// from the strength ratio psi = su / sigma'v. The unit friction at a node is
// then cut to the layer limit (or, for a sand layer entered with the 9999
// marker, to a limit from its friction angle) and integrated over each
// length increment.
#include "methods/api_method.h"

#include <algorithm>
#include <cmath>

#include "capacity/charts.h"

namespace tovek {

namespace {

constexpr double kDepthTolerance = 1.0e-6;

bool englishUnits(const ProblemData& p) { return p.unitSystem < 2; }

// API alpha of a clay from its strength ratio psi = su / sigma'v.
double apiAlpha(double psi) {
    if (psi <= 1.0) return std::min(1.0, 0.5f / std::sqrt(psi));
    return std::min(1.0, 0.5f / std::pow(psi, 0.25f));
}

// Limiting unit side friction of a sand layer that carries no limit of its
// own (entered as 9999), from its friction angle (ksf or kPa).
double sandFrictionLimit(double phi, bool english) {
    if (english) {
        if (phi <= 20) return 1.0f;
        if (phi <= 25) return 1.0f + 0.4f * (phi - 20) / 5;
        if (phi <= 30) return 1.4f + 0.3f * (phi - 25) / 5;
        if (phi <= 35) return 1.7f + 0.3f * (phi - 30) / 5;
        if (phi <= 40) return 2.0f + 0.4f * (phi - 35) / 5;
        return 2.4f;
    }
    if (phi <= 20) return 47.8f;
    if (phi <= 25) return 47.8f + 19.2f * (phi - 20) / 5;
    if (phi <= 30) return 67.0f + 16.1f * (phi - 25) / 5;
    if (phi <= 35) return 83.1f + 12.4f * (phi - 30) / 5;
    if (phi <= 40) return 95.5f + 19.3f * (phi - 35) / 5;
    return 114.8f;
}

// Value of a boundary array at vertical depth z: the first segment s whose
// bottom lies at or below z (within the tolerance), interpolated linearly
// between its top entry 2s-1 and its bottom entry 2s. A depth below the last
// segment takes the last segment's bottom value. The nodes go down the pile,
// so the search goes on from the segment found for the node above.
struct BoundaryReader {
    const Array1<double, kMaxBoundaries>& boundary;
    int32_t segmentCount;
    double thickness;
    double top = 0.0;
    int32_t s = 1;

    double operator()(double z) {
        while (s < segmentCount && z - (top + thickness) > kDepthTolerance) {
            top += thickness;
            ++s;
        }
        const double upper = boundary[static_cast<size_t>(2 * s - 1)];
        const double lower = boundary[static_cast<size_t>(2 * s)];
        if (thickness <= 0.0) return upper;
        if (z - (top + thickness) > kDepthTolerance) return lower;
        return upper + (lower - upper) * (z - top) / thickness;
    }
};

} // namespace

void computeApiFriction(RunStore& store) {
    ProblemData& p = store.problem;
    ComputationGrid& grid = store.grid;
    MethodResults& api = store.method(kApi);
    api.prepared = false;

    const int32_t N = std::clamp<int32_t>(grid.segmentCount, 0, kMaxSegments);
    const int32_t M = std::clamp<int32_t>(grid.nodeCount, 0, kMaxNodes);
    if (N < 1 || M < 1) return;
    const bool english = englishUnits(p);
    const double c = english ? 12 : 1000;
    const double perimeter = 3.14159f * p.pile.outsideDiameter / c;
    const double t = grid.verticalIncrement;
    auto& f = api.transfer.unitSideFriction;

    // Step 1: unit side friction at the top and bottom of every segment.
    for (int32_t i = 1; i <= N; ++i) {
        const SoilSegment& seg = grid.segments[static_cast<size_t>(i)];
        const size_t top = static_cast<size_t>(2 * i - 1);
        const size_t bottom = static_cast<size_t>(2 * i);
        if (seg.soilType > 1.0) {
            // Clay (and silt): alpha method on the stress at the segment
            // bottom; the clamped stress is kept for the later methods.
            const double s = std::max(1.0e-10, grid.boundaryStress[bottom]);
            grid.boundaryStress[bottom] = s;
            const double psi = std::max(1.0e-10, seg.undrainedShearStrength / s);
            f[top] = f[bottom] = apiAlpha(psi) * seg.undrainedShearStrength;
        } else {
            const double delta = seg.frictionAngle - 5;
            const double tanDelta = std::tan(delta / 57.2958f);
            const double limit = apiShaftLimit(delta) * (english ? 1.0 : static_cast<double>(47.8f));
            f[top] = std::min(seg.lateralEarthPressure * grid.boundaryStress[top] * tanDelta, limit);
            f[bottom] = std::min(seg.lateralEarthPressure * grid.boundaryStress[bottom] * tanDelta, limit);
        }
    }

    MethodNodeArrays& nodes = api.nodes;
    BoundaryReader valueAtDepth{f, N, t};
    for (int32_t j = 1; j <= M; ++j) {
        const size_t jj = static_cast<size_t>(j);
        // Step 2: unit friction at the node; none above the zero-friction
        // length.
        const double z = (j - 1) * t;
        nodes.nodeUnitFriction[jj] =
            z - p.pile.zeroFrictionLength <= -kDepthTolerance ? 0.0 : valueAtDepth(z);

        // Step 3: the limit of the segment whose top is the node (the last
        // segment for a node below the grid, which the grid check rules out).
        SoilSegment& seg = grid.segments[static_cast<size_t>(std::min(j, N))];
        if (seg.maxUnitFriction == 9999.0 && seg.soilType == 1.0)
            seg.maxUnitFriction = sandFrictionLimit(seg.frictionAngle, english);
        nodes.nodeFrictionLimit[jj] = seg.maxUnitFriction;

        // Step 4: tension.
        if (p.options.loadingType == 1) nodes.nodeUnitFriction[jj] *= p.options.tensionReductionFactor;
    }

    // Step 5: shaft capacity, the smaller of the friction and the limit
    // trapezoids of each increment, with and without the LRFD factor.
    CapacityProfile& cap = api.capacity;
    double unfactored = 0.0;
    double factored = 0.0;
    for (int32_t j = 1; j <= M; ++j) {
        const size_t jj = static_cast<size_t>(j);
        nodes.nodeSideFriction[jj] = std::min(nodes.nodeUnitFriction[jj], nodes.nodeFrictionLimit[jj]);
        if (j == 1) {
            nodes.skinIncrement[jj] = 0.0;
        } else {
            const double a =
                (nodes.nodeUnitFriction[jj - 1] + nodes.nodeUnitFriction[jj]) * 0.5f * p.options.lengthIncrement * perimeter;
            const double b =
                (nodes.nodeFrictionLimit[jj - 1] + nodes.nodeFrictionLimit[jj]) * 0.5f * p.options.lengthIncrement * perimeter;
            nodes.skinIncrement[jj] = a - b > kDepthTolerance ? b : a;
            unfactored += nodes.skinIncrement[jj];
            factored += nodes.skinIncrement[jj] * grid.segments[static_cast<size_t>(std::min(j, N))].lrfdFrictionFactor;
        }
        if (p.options.sideFrictionReduction == 0) nodes.loadTransferSkin[jj] = unfactored;
        else if (p.options.sideFrictionReduction == 1) nodes.loadTransferSkin[jj] = factored;
        cap.skinFriction[jj] = factored;
        // The last column of the method's plot rows.
        nodes.plotSideFriction[jj] = nodes.nodeSideFriction[jj];
    }
}

} // namespace tovek
