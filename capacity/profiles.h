// Per-method results of the capacity analysis: unit load transfers at the
// segment boundaries, capacity against penetration at the nodes, and the
// node arrays that carry a method's results to the load-settlement stage.
#pragma once

#include <cstdint>

#include "input/problem_data.h"

namespace tovek {

// Codes under which the methods are integrated.
enum MethodCode : int32_t {
    kFhwa = 1,
    kUsace = 2,
    kRevisedLambda = 3,
    kApi = 4,
    kNgi = 5,
    kIcp = 6,
    kFugro = 7,
    kUwa = 8,
    kUserMethod = 9,
};
inline constexpr int kMethodCount = 9;

// The capacity method flags of the input (and loadTransferMethod) are in
// another order: flag k selects methodCode kFlagToMethodCode[k].
inline constexpr int32_t kFlagToMethodCode[10] = {0, kFhwa, kUsace, kRevisedLambda, kApi, kUserMethod,
                                                  kNgi, kIcp, kFugro, kUwa};

struct UnitTransferProfile {
    // Unit side friction the integrator reads for the friction inside an
    // open-ended pile (ksf / kPa), per boundary.
    Array1<double, kMaxBoundaries> unitSideFriction{};
    // Unit side friction of the shaft where a method keeps it apart from the
    // inside friction (FHWA, NGI), per boundary.
    Array1<double, kMaxBoundaries> shaftUnitFriction{};
    // Unit end bearing on the full tip area, per boundary.
    Array1<double, kMaxBoundaries> unitEndBearing{};
};

struct CapacityProfile {
    Array1<double, kMaxNodes> pileLength{};
    Array1<double, kMaxNodes> depthBelowGround{};
    Array1<double, kMaxNodes> plotPosition{};
    Array1<double, kMaxNodes> skinFriction{};
    Array1<double, kMaxNodes> endBearing{};  // self weight in tension
    Array1<double, kMaxNodes> ultimateCapacity{};
    Array1<int32_t, kMaxNodes> plugFlag{};
    Array1<double, kMaxNodes> plugLength{};
    Array1<double, kMaxNodes> plugFriction{};
};

struct MethodNodeArrays {
    Array1<double, kMaxNodes> nodeUnitFriction{};
    Array1<double, kMaxNodes> nodeFrictionLimit{};
    Array1<double, kMaxNodes> nodeSideFriction{};
    Array1<double, kMaxNodes> skinIncrement{};
    Array1<double, kMaxNodes> loadTransferSkin{};
    // The unit side friction written in the last column of the method's plot
    // rows.
    Array1<double, kMaxNodes> plotSideFriction{};
};

struct MethodResults {
    UnitTransferProfile transfer;
    CapacityProfile capacity;
    MethodNodeArrays nodes;
    bool prepared = false;  // end bearing factored for the report
};

// Working arrays of one integration, overwritten by the next.
struct CapacityWork {
    Array1<double, kMaxBoundaries> annulusBearing{};
    Array1<double, kMaxBoundaries> insideFriction{};
    std::array<double, kMaxBoundaries + 1> insideFrictionForce{};  // indexed 0..2N
    Array1<double, kMaxNodes> endSectionFriction{};
    Array1<double, kMaxNodes> annulusAtNode{};
    Array1<double, kMaxBoundaries> tipForce{};
    Array1<double, kMaxNodes> averagedTipForce{};
    Array1<double, kMaxNodes> selfWeight{};
    double currentConeResistance = 0;
    // Segment thicknesses t_i and the depth of each segment's bottom as the
    // sum t_1 + ... + t_i (entry 0 = 0, the ground surface).
    Array1<double, kMaxSegments> segmentThickness{};
    std::array<double, kMaxSegments + 1> segmentBottomDepth{};
    // Limiting tip force Q_i = maxUnitBearing x tip area, per segment.
    Array1<double, kMaxSegments> limitForce{};
    // Integrals from the ground surface to the bottom of segment i of the
    // plugged tip force and of the limiting tip force (entry 0 = 0).
    std::array<double, kMaxSegments + 1> tipForceIntegral{};
    std::array<double, kMaxSegments + 1> limitForceIntegral{};
    // Averaged limiting tip force at node j, the cap of averagedTipForce.
    Array1<double, kMaxNodes> averagedLimitForce{};
};

} // namespace tovek
