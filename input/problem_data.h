// The problem of one run: pile, options, soil rows, CPT profile and the
// computation grid built from them.
//
// Arrays follow the engineering notation of the formulas: they are indexed
// from 1 (element 0 is unused) and sized for the input limits below, which
// the readers enforce.
#pragma once

#include <algorithm>
#include <array>
#include <cassert>
#include <concepts>
#include <cstdint>
#include <string>
#include <utility>

namespace tovek {

// Input limits: the readers reject files that exceed them.
inline constexpr int kMaxLayers = 80;
inline constexpr int kMaxPileLineValues = 50;
inline constexpr int kPileLineLength = 1000;
inline constexpr int kTitleLength = 72;
inline constexpr int kMaxAreaPoints = 100;
inline constexpr int kMaxTzPrintDepths = 100;
inline constexpr int kMaxTzFactorRows = 100;
inline constexpr int kMaxMovements = 21;
inline constexpr int kMaxCptPoints = 1000;
inline constexpr int kMaxSegments = 500;
inline constexpr int kMaxBoundaries = 2 * kMaxSegments;
inline constexpr int kMaxNodes = 500;

// Marker of a layer limit that the file did not give: the methods then
// apply their own limits.
inline constexpr double kNoLayerLimit = 9999999.0f;
// Water table depth when no row lies below it.
inline constexpr double kNoWaterTable = 99999.0f;

// An array indexed from 1 to N as the formulas write it. Element 0 exists:
// it is unused, or holds the ground-surface entry where a formula has one.
// Debug builds check every index.
template <typename T, int N>
struct Array1 {
    std::array<T, static_cast<size_t>(N) + 1> items;  // zeroed where declared with {} (or by the run store's allocation)

    template <std::integral I>
    constexpr T& operator[](I i) {
        assert(std::cmp_greater_equal(i, 0) && std::cmp_less_equal(i, N));
        return items[static_cast<size_t>(i)];
    }
    template <std::integral I>
    constexpr const T& operator[](I i) const {
        assert(std::cmp_greater_equal(i, 0) && std::cmp_less_equal(i, N));
        return items[static_cast<size_t>(i)];
    }
    static constexpr int32_t capacity() { return N; }
    void fill(const T& value) { items.fill(value); }
};

// A count that the readers keep within a store's size (0..limit). Debug
// builds check it; a release build holds it within the size all the same,
// so that no walk can leave its array.
constexpr int32_t countWithin(int32_t count, int32_t limit) {
    assert(count >= 0 && count <= limit);
    return std::clamp<int32_t>(count, 0, limit);
}

struct PileSection {
    double perimeter = 0;                  // in / mm; 0 for a circular pile
    double tipArea = 0;                    // in2 / m2 as read; ft2 in English units after reading
    double outsideDiameter = 0;            // in / mm
    double insideDiameter = 0;             // in / mm
    double elasticModulus = 0;             // psi / kPa
    double totalLength = 0;                // ft / m
    double stickupLength = 0;              // ft / m
    double embeddedLength = 0;             // ft / m, set while the input is echoed
    double enhancedEndLength = 0;          // ft / m
    double enhancedEndInsideDiameter = 0;  // in / mm
    double batterAngle = 0;                // degrees as read; radians after the input echo
    double zeroFrictionLength = 0;         // ft / m
    int32_t pileType = 0;
    int32_t tipClosure = 0;       // 0 open-ended, 1 closed-ended
    double taperAngle = 0;        // degrees
    double crossSectionArea = 0;  // in2 / m2
    int32_t areaOption = 0;
    int32_t areaPointCount = 0;
    Array1<double, kMaxAreaPoints> areaDistance{};
    Array1<double, kMaxAreaPoints> areaValue{};
    // The report prints these two as the file gave them.
    double outsideDiameterAsRead = 0;
    double tipAreaAsRead = 0;
};

struct AnalysisOptions {
    int32_t elevationOutput = 0;
    double groundElevation = 0;
    int32_t tipAveraging = 0;
    double tipAveragingDiameters = 0;  // 0.0, 1.5 or 3.0
    double lengthIncrement = 0;
    int32_t loadTransferMethod = 0;  // numbered like the capacity method flags
    int32_t cptDataOption = 0;
    int32_t sideFrictionReduction = 0;
    Array1<int32_t, 9> capacityMethods{};  // FHWA, USACE, Lambda, API, user, NGI, ICP, Fugro, UWA
    int32_t loadingType = 0;               // 1 tension, otherwise compression
    double tensionReductionFactor = 0;
    int32_t clayDrainage = 0;
    int32_t plugOption = 0;  // 0 computed, 1 plugged, 2 unplugged
    int32_t longPileOption = 0;
    int32_t criticalDepthOption = 0;
    double criticalDepth = 0;
    int32_t tzPrintOption = 0;
    int32_t tzPrintDepthCount = 0;
    Array1<double, kMaxTzPrintDepths> tzPrintDepths{};
    int32_t tzFactorOption = 0;
    int32_t tzFactorCount = 0;
    Array1<double, kMaxTzFactorRows> tzFactorDepth{};
    Array1<double, kMaxTzFactorRows> tzFactorA{};
    Array1<double, kMaxTzFactorRows> tzFactorB{};
    int32_t movementListOption = 0;
    int32_t movementCount = 0;
    Array1<double, kMaxMovements> movementList{};
    int32_t tipCurveScaleOption = 0;
    double tipCurveScaleA = 0;
    double tipCurveScaleB = 0;
};

// The soil columns shared by a soil row and a computation segment.
struct SoilProperties {
    double soilType = 0;               // 1 SAND, 2 CLAY, 3 SILT (compared as reals)
    double lateralEarthPressure = 0;   // K
    double effectiveUnitWeight = 0;    // pcf / kN/m3
    double frictionAngle = 0;          // degrees
    double bearingCapacityFactor = 0;  // Nq
    double maxUnitFriction = 0;        // psf / kPa in the file, ksf / kPa after reading
    double maxUnitBearing = 0;
    double undrainedShearStrength = 0;
    double remoldedShearStrength = 0;
    double blowCount = 0;
    double plasticityIndex = 0;
    double coneTipResistance = 0;  // stays in the file's units (psf / kPa)
    double userUnitSkinFriction = 0;
    double userUnitEndBearing = 0;
    double lrfdFrictionFactor = 0;
    double lrfdBearingFactor = 0;
    double layerCurveCode = 0;
    double peakMovement = 0;  // in / m after reading
    double residualFactor = 0;
};

struct SoilLayer : SoilProperties {
    double depth = 0;  // ft / m below the ground surface
};

struct SoilSegment : SoilProperties {
    double segmentTop = 0;
    double segmentBottom = 0;
};

struct UnitLabels {
    std::string lengthLabel = "   ";
    std::string smallLengthLabel = "   ";
    std::string forceLabel = "   ";
    std::string stressLabel = "   ";
    std::string unitWeightLabel = "       ";
    std::string areaLabel = "   ";
    std::string modulusLabel = "   ";
};

struct ProblemData {
    std::string projectDescription;
    std::string designerName;
    std::string jobNumber;
    int32_t unitSystem = 0;  // 1 English, 2 SI
    int32_t printIncrement = 0;
    int32_t layerCount = 0;
    double soilProfileBottom = 0;
    int32_t cptPointCount = 0;
    Array1<double, kMaxCptPoints> cptDepth{};
    Array1<double, kMaxCptPoints> cptTipResistance{};
    double waterTableDepth = kNoWaterTable;
    PileSection pile;
    AnalysisOptions options;
    Array1<SoilLayer, kMaxLayers> layers{};
    Array1<int32_t, kMaxLayers> frictionLimitDefaulted{};
    Array1<int32_t, kMaxLayers> bearingLimitDefaulted{};
    double requiredSoilDepth = 0;
    UnitLabels labels;
};

// The computation grid: equal soil segments with their effective stresses,
// rebuilt at the start of every pass of the result stage.
struct ComputationGrid {
    int32_t segmentCount = 0;  // N
    double verticalIncrement = 0;
    Array1<SoilSegment, kMaxSegments> segments{};
    // Boundary 2i-1 is the top and 2i the bottom of segment i.
    Array1<double, kMaxBoundaries> boundaryStress;
    Array1<double, kMaxBoundaries> criticalDepthStress;
    // Thickness t_i of every segment (bottom less top) and the depth of its
    // bottom as the sum t_1 + ... + t_i (entry 0 = 0, the ground surface):
    // the walks along the segment table read positions from them.
    Array1<double, kMaxSegments> segmentThickness;
    Array1<double, kMaxSegments> segmentBottomDepth;
    int32_t nodeCount = 0;  // M
};

// Fills segmentThickness and segmentBottomDepth from the segments' tops and
// bottoms.
void measureSegments(ComputationGrid& grid);

}  // namespace tovek
