// Data of the load-settlement stage: load-transfer curves, the tip curve,
// the axial stiffness table and the points of the load-settlement curve.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "input/problem_data.h"
#include "report/layout.h"

namespace tovek {

inline constexpr int kTzCurvePoints = 10;
// The curve store holds a curve for every node the input allows.
inline constexpr int kMaxTzCurves = kMaxNodes;
inline constexpr int kMaxStiffnessPoints = kMaxAreaPoints;
// The result store holds a point for every movement the input allows.
inline constexpr int kMaxLoadSettlementPoints = kMaxMovements;

struct TzCurve {
    int32_t curveNumber = 0;
    int32_t pointCount = 0;
    double curveDepth = 0;
    int32_t curveSoilType = 0;
    double curveSideFriction = 0;
    double curveFrictionAngle = 0;
    // Movement at peak side resistance looked up at the curve's depth,
    // working length unit; 0 or less selects 0.01 x outside diameter.
    double curvePeakMovement = 0;
    Array1<double, kTzCurvePoints> movement{};
    Array1<double, kTzCurvePoints> loadTransfer{};
};

struct TipCurve {
    Array1<double, kTzCurvePoints> tipMovement{};
    Array1<double, kTzCurvePoints> tipLoad{};
};

struct StiffnessPoint {
    double distance = 0;
    double axialStiffness = 0;
};

struct LoadSettlementPoint {
    double topLoad = 0;
    double topMovement = 0;
    double tipLoad = 0;
    double tipMovement = 0;
};

// One row of a load distribution: the mid-point of a printed segment of the
// solution, its distance from the pile head along the pile (feet / metres),
// the load there (printed force unit) and its movement.
struct DistributionRow {
    double distance = 0;
    double load = 0;
    double movement = 0;
};

struct SettlementData {
    // Handed over from the method chosen by loadTransferMethod.
    Array1<double, kMaxNodes> nodeSideFriction{};
    Array1<double, kMaxNodes> nodeTipResistance{};
    Array1<TzCurve, kMaxTzCurves> curves{};
    TipCurve tipCurve;
    double tipResistance = 0;
    double referenceMovement = 0;
    int32_t stiffnessPointCount = 0;
    Array1<StiffnessPoint, kMaxStiffnessPoints> stiffness{};
    int32_t pointCount = 0;
    Array1<LoadSettlementPoint, kMaxLoadSettlementPoints> points{};
    // Layer curves listed by the last solution.
    int32_t layerCurveCount = 0;
    // Segments whose mid-segment iteration reached its pass limit, over all
    // assumed movements, and the first movement where that happened.
    int32_t unconvergedSegments = 0;
    int32_t firstUnconvergedMovement = 0;
    // The printed rows of the load distribution of the last assumed
    // movement, from the tip upwards.
    std::vector<DistributionRow> distributions;
};

// What the load-settlement stage reads and writes: the problem (the stage
// turns the SI diameters into metres), the computation grid of the last
// pass, its own data, the report and the plot data file.
struct SettlementRun {
    ProblemData& problem;
    const ComputationGrid& grid;
    SettlementData& data;
    ReportWriter& report;
    PlotWriter& plot;
    // Named in the message of a solution that cannot be computed.
    std::string_view inputFileName;
};

}  // namespace tovek
