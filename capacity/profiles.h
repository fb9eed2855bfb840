// Per-method results of the capacity analysis: unit load transfers at the
// segment boundaries, capacity against penetration at the nodes, and the
// node arrays that carry a method's results to the load-settlement stage.
#pragma once

#include <array>
#include <cstdint>

#include "input/problem_data.h"
#include "methods/method_catalog.h"

namespace tovek {

// The per-method arrays below carry no initializers of their own: a run's
// store comes zeroed from the allocator (see the run store), and the
// method, the integration and the report fill what they read.
struct UnitTransferProfile {
    // Unit side friction the integrator reads for the friction inside an
    // open-ended pile (ksf / kPa), per boundary.
    Array1<double, kMaxBoundaries> unitSideFriction;
    // Unit side friction of the shaft where a method keeps it apart from the
    // inside friction (FHWA, USACE), per boundary.
    Array1<double, kMaxBoundaries> shaftUnitFriction;
    // Unit end bearing on the full tip area, per boundary.
    Array1<double, kMaxBoundaries> unitEndBearing;
};

struct CapacityProfile {
    Array1<double, kMaxNodes> pileLength;
    Array1<double, kMaxNodes> depthBelowGround;
    Array1<double, kMaxNodes> plotPosition;
    Array1<double, kMaxNodes> skinFriction;
    // Tip resistance of the integration (self weight in tension), and the
    // same with the LRFD factor on bearing, as the tables print it.
    Array1<double, kMaxNodes> endBearing;
    Array1<double, kMaxNodes> factoredEndBearing;
    Array1<double, kMaxNodes> ultimateCapacity;  // skin friction + factored end bearing
    Array1<int32_t, kMaxNodes> plugFlag;
    Array1<double, kMaxNodes> plugLength;
    Array1<double, kMaxNodes> plugFriction;
};

struct MethodNodeArrays {
    Array1<double, kMaxNodes> nodeUnitFriction;
    Array1<double, kMaxNodes> nodeFrictionLimit;
    // The unit side friction the method leaves at the node for the
    // load-transfer curves; also the last column of its plot rows.
    Array1<double, kMaxNodes> nodeSideFriction;
    Array1<double, kMaxNodes> skinIncrement;
    Array1<double, kMaxNodes> loadTransferSkin;
};

struct MethodResults {
    UnitTransferProfile transfer;
    CapacityProfile capacity;
    MethodNodeArrays nodes;
};

// Working arrays of one integration, overwritten by the next.
struct CapacityWork {
    Array1<double, kMaxBoundaries> annulusBearing;
    Array1<double, kMaxBoundaries> insideFriction;
    Array1<double, kMaxBoundaries> insideFrictionForce;  // indexed 0..2N, entry 0 at the ground surface
    Array1<double, kMaxNodes> endSectionFriction;
    Array1<double, kMaxNodes> annulusAtNode;
    Array1<double, kMaxBoundaries> tipForce;
    Array1<double, kMaxNodes> averagedTipForce;
    Array1<double, kMaxNodes> selfWeight;
    // Limiting tip force Q_i = maxUnitBearing x tip area, per segment.
    Array1<double, kMaxSegments> limitForce;
    // Integrals from the ground surface to the bottom of segment i of the
    // plugged tip force and of the limiting tip force (entry 0 = 0).
    Array1<double, kMaxSegments> tipForceIntegral;
    Array1<double, kMaxSegments> limitForceIntegral;
    // Averaged limiting tip force at node j, the cap of averagedTipForce.
    Array1<double, kMaxNodes> averagedLimitForce;
};

}  // namespace tovek
