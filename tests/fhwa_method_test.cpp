// FHWA: the charts of Nordlund's rule and of alpha, the unit side friction
// of sand and clay at the segment boundaries, the clay cases and the
// penetration ratio, and the shaft capacity with its taper, on small
// hand-filled grids. Chart values are single-precision constants: expected
// values are compared to 1e-6 unless worked out to more digits.
#include <gtest/gtest.h>

#include <cmath>

#include "capacity_test_grid.h"
#include "methods/fhwa_charts.h"
#include "methods/methods.h"

namespace tovek {
namespace {

constexpr double kTol = 1e-6;

double f32(double x) { return static_cast<double>(static_cast<float>(x)); }

TEST(FhwaCharts, DeltaRatioByPileTypeAndDisplacedVolume) {
    struct Case {
        int32_t pileType;
        double volume, expected;
    };
    const Case cases[] = {
        {1, 0.3, 0.342},   // pipe, flat part of the chart
        {1, 2.5, 0.798},   // above 1.9: the last row
        {1, 0.05, 0.342},  // at or below 0.08: the first row
        {2, 1.0, 0.693},   // timber, at a row
        {3, 0.7, 0.669},   // precast: 0.63 + (0.708 - 0.63) x 0.1 / 0.2
        {5, 0.46, 0.87},   // uniform taper: 0.845 + 0.05 x 0.06 / 0.12
        {6, 0.09, 0.737},  // H-pile: 0.727 + 0.02 x 0.5
        {7, 1.9, 1.062},   // tapered monotube, last row
        // A pile type outside 1..7 reads the steel pipe column:
        // 0.516 + (0.593 - 0.516) x 0.1 / 0.2.
        {8, 0.7, 0.5545},
        {0, 0.3, 0.342},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(deltaRatio(c.pileType, c.volume), c.expected, kTol) << c.pileType << " " << c.volume;
}

TEST(FhwaCharts, CorrectionFactorColumnsAndRows) {
    struct Case {
        double ratio, phi, expected;
    };
    const Case cases[] = {
        // delta/phi = 1.0 gives 1.0 at every angle.
        {1.0, 14, 1.0},
        {1.0, 30, 1.0},
        {1.0, 43, 1.0},
        {1.0, 60, 1.0},
        // Between the 0.4 and 0.6 columns at 30 degrees: (0.69 + 0.82) / 2.
        {0.5, 30, 0.755},
        // Between rows as well: at 32 degrees the 0.4 column gives 0.66, the
        // 0.6 column 0.795; halfway 0.7275.
        {0.5, 32, 0.7275},
        // The ratio 0.2 itself reads the 0.4 column; below it the 0.2
        // column, above 1.4 the 1.4 column.
        {f32(0.2), 30, 0.69},
        {0.1, 30, 0.58},
        {1.5, 30, 1.06},
        // A column value starts its pair: 0.4 reads 0.69 at 30 degrees.
        {f32(0.4), 30, 0.69},
        // Angles outside the rows hold the end rows.
        {0.5, 10, 0.925},
        {0.5, 50, 0.525},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(correctionFactor(c.ratio, c.phi), c.expected, kTol) << c.ratio << " " << c.phi;
}

TEST(FhwaCharts, KDeltaColumnsByVolumeAndRowsByTaper) {
    struct Case {
        int32_t chart;
        double volume, omega, expected;
    };
    const Case cases[] = {
        // Non-tapered, 0.55 ft3/ft, 30 degrees: 0.85 + 0.3 x 0.45 / 0.9.
        {30, 0.55, 0, 1.0},
        // From 1.0 on between the 1.0 and 10.0 columns: 1.15 + 0.3 x 4.5 / 9.
        {30, 5.5, 0, 1.3},
        {30, 1.0, 0, 1.15},
        {30, 20, 0, 1.45},       // at and above 10.0 the 10.0 column
        {30, 0.05, 0, 0.85},     // at and below 0.1 the 0.1 column
        {25, 0.1, 0.15, 0.778},  // between taper rows: (0.739 + 0.817) / 2
        {35, 0.05, f32(0.25), 2.32},
        {40, 1.0, 3, 17.54},        // above the last taper row
        {40, 0.5, 0.1, 5.6675556},  // 5.12 + (6.352 - 5.12) x 0.4 / 0.9
    };
    for (const Case& c : cases)
        EXPECT_NEAR(kDelta(c.chart, c.volume, c.omega), c.expected, kTol)
            << c.chart << " " << c.volume << " " << c.omega;
}

TEST(FhwaCharts, AlphaByCaseStrengthAndPenetrationRatio) {
    struct Case {
        int32_t clayCase;
        double cu, ratio, expected;
    };
    const Case cases[] = {
        // Clay under sand, 2.0 ksf, r = 15: 1.0 + (0.95 - 1.0) x 5 / 10.
        {1, 2.0, 15, 0.975},
        {1, 2.5, 30, 0.6875},  // between the 20 and 40 curves
        {1, 4.0, 5, 1.0},      // r at or below 10: 1.0
        {1, 3.0, 80, 0.44},    // r above 40: the 40 curve
        // Soft over stiff, 1.25 ksf, r = 15: curves 0.366 and 0.72.
        {2, 1.25, 15, 0.543},
        {2, 0, 30, 0.97},
        // Stiff clay, 2.0 ksf, r = 25: 0.688 + (0.9 - 0.688) x 15 / 30.
        {3, 2.0, 25, 0.794},
        // At and above 4.5 ksf the last value.
        {3, 4.5, 50, 0.299},
        {3, 6.0, 5, 0.238},
        {2, 4.75, 10, 0.186},
        // No chart for another case.
        {4, 1.0, 10, 0.0},
        {0, 1.0, 10, 0.0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(alphaChart(c.clayCase, c.cu, c.ratio), c.expected, kTol)
            << c.clayCase << " " << c.cu << " " << c.ratio;
}

// Three 1 ft sand segments under a 12 in open pipe (inside 11 in), plug
// flags as the integration at the start of the pass left them.
test::CapacityGrid sandColumn(int unitSystem = 1) {
    test::CapacityGrid grid(3, 1.0, unitSystem);
    grid.openPipe(12, 11, 3);
    grid.nodes(3);
    for (int i = 1; i <= 3; ++i) {
        grid.segment(i).soilType = 1;
        grid.segment(i).lrfdFrictionFactor = 1;
        grid.stresses(i, 0.1 * (i - 1), 0.1 * i);
    }
    return grid;
}

const UnitTransferProfile& runFhwa(test::CapacityGrid& grid) {
    computeFhwaFriction(grid.store(), grid.store().report);
    return grid.transfer(kFhwa);
}

TEST(FhwaMethod, SandFrictionOnTheDisplacedVolumeOfThePlugState) {
    test::CapacityGrid grid = sandColumn();
    grid.segment(1).frictionAngle = 32.5;  // halfway between the 30 and 35 charts
    grid.segment(2).frictionAngle = 30;
    grid.segment(3).frictionAngle = 45;  // chart 40
    auto& flags = grid.store().method(kFhwa).capacity.plugFlag;
    flags[1] = 1;  // plugged: the full section, 0.7853975 ft3/ft
    flags[2] = 2;  // the plug slips: the steel, 0.7853975 x 23 / 144 = 0.1254454
    flags[3] = 0;  // neither: the steel as well
    const UnitTransferProfile& f = runFhwa(grid);
    // Segment 1: delta/phi = 0.516 + 0.077 x 0.1853975 / 0.2 = 0.5873780;
    // C_F between the 0.4 (0.6525) and 0.6 (0.78875) columns at 32.5
    // degrees, 0.7801513; K-delta (1.0784658 + 1.6069317) / 2 = 1.3426988;
    // f = sigma x C_F x K x sin(32.5 x 0.5873780 degrees).
    EXPECT_EQ(f.shaftUnitFriction[1], 0.0);
    EXPECT_NEAR(f.shaftUnitFriction[2], 0.034258683, 1e-9);
    // Segment 2: delta/phi 0.342, C_F 0.6581, K-delta 0.8584818.
    EXPECT_NEAR(f.shaftUnitFriction[3], 0.010062921, 1e-9);
    EXPECT_NEAR(f.shaftUnitFriction[4], 0.020125842, 1e-9);
    EXPECT_NEAR(f.shaftUnitFriction[5], 0.034559288, 1e-9);
    EXPECT_NEAR(f.shaftUnitFriction[6], 0.051838932, 1e-9);
    // The inside of the pile takes the same friction in sand.
    for (int k = 1; k <= 6; ++k) EXPECT_EQ(f.unitSideFriction[k], f.shaftUnitFriction[k]) << k;

    // A segment below the pile tip reads the flag of the tip node (the flag
    // 2 at index 3 belongs to no node of a two-node pile): plugged, so
    // 0.2184132 at its bottom instead of 0.0518389.
    test::CapacityGrid shortPile = sandColumn();
    shortPile.nodes(2);
    shortPile.segment(3).frictionAngle = 45;
    shortPile.store().method(kFhwa).capacity.plugFlag[2] = 1;
    shortPile.store().method(kFhwa).capacity.plugFlag[3] = 2;
    EXPECT_NEAR(runFhwa(shortPile).shaftUnitFriction[6], 0.21841315, 1e-8);
}

TEST(FhwaMethod, SandInSiUnits) {
    // 304.8 mm pipe, 279.4 mm inside: the steel, 0.7853975 x (304.8^2 -
    // 279.4^2) / 10^6 m2 / 0.0929 = 0.1254495 ft3/ft; the flag 2 changes
    // nothing in SI. The friction angle 39.99999 reads chart 40 (from
    // 39.9999885 in SI), while in English units it reads 99.9998 % of the
    // way from chart 35 to chart 40: on the English pile (0.1254454 ft3/ft)
    // 3.9435184 ksf from 20 ksf, where chart 40 alone gives 3.9435210.
    test::CapacityGrid grid = sandColumn(2);
    grid.openPipe(304.8, 279.4, 3);
    grid.segment(1).frictionAngle = 39.99999;
    grid.segment(2).frictionAngle = 30;
    grid.stresses(1, 10, 20);
    grid.stresses(2, 20, 30);
    auto& flags = grid.store().method(kFhwa).capacity.plugFlag;
    flags[1] = 2;
    flags[2] = 1;  // plugged: 0.7854 x 304.8^2 / 10^6 / 0.0929 = 0.7854257 ft3/ft
    const UnitTransferProfile& f = runFhwa(grid);
    EXPECT_NEAR(f.shaftUnitFriction[2], 3.9435345, 1e-7);
    EXPECT_NEAR(f.shaftUnitFriction[3], 5.3008613, 1e-7);

    test::CapacityGrid english = sandColumn();
    english.segment(1).frictionAngle = 39.99999;
    english.stresses(1, 10, 20);
    english.store().method(kFhwa).capacity.plugFlag[1] = 2;
    EXPECT_NEAR(runFhwa(english).shaftUnitFriction[2], 3.9435184, 1e-7);
}

TEST(FhwaMethod, ClosedEndSectionTaperAndHPile) {
    struct Case {
        int32_t pileType;
        double taper, tipArea, phi, expected;
    };
    const Case cases[] = {
        // A closed end section displaces the full section, 0.7854 ft3/ft:
        // delta/phi 0.5873977, C_F 0.7795, K-delta 1.0784658 at 30 degrees.
        {1, 0, 0, 30, 0.26503454},
        // Tapered 0.5 degrees, 1 ft stickup, at the bottom of segment 2 (2 ft):
        // D = 1 - 2 tan(0.5 x 0.01745) x 3 = 0.9476487 ft, V = 0.7853975 D^2
        // = 0.7053168; f = C_F K sin(delta + 0.5) / cos(0.5) on 1.0 ksf.
        {1, 0.5, 0, 30, 0.65720911},
        // An H-pile with a tip area displaces that area: V = 0.5 ft3/ft,
        // delta/phi = 0.933 + 0.039 x 0.1 / 0.12 = 0.9655.
        {6, 0, 0.5, 36, 0.89178031},
    };
    for (const Case& c : cases) {
        test::CapacityGrid grid = sandColumn();
        grid.pile().pileType = c.pileType;
        grid.pile().taperAngle = c.taper;
        grid.pile().stickupLength = 1;
        grid.pile().tipArea = c.tipArea;
        if (c.pileType == 1) {
            grid.pile().enhancedEndLength = 2;
            grid.pile().enhancedEndInsideDiameter = 0;
        }
        grid.segment(2).frictionAngle = c.phi;
        grid.stresses(2, 0, 1.0);
        grid.store().method(kFhwa).capacity.plugFlag[2] = 2;
        EXPECT_NEAR(runFhwa(grid).shaftUnitFriction[4], c.expected, 1e-8) << c.pileType << " " << c.taper;
    }
}

// Soil rows of a grid at the given depths and types.
void soilRows(test::CapacityGrid& grid, std::initializer_list<std::pair<double, double>> rows) {
    int m = 0;
    for (const auto& [depth, type] : rows) {
        ++m;
        grid.problem().layers[m].depth = depth;
        grid.problem().layers[m].soilType = type;
    }
    grid.problem().layerCount = m;
}

// Clay segments from `first` to `last` with strength su (remoulded su / 2).
void clay(test::CapacityGrid& grid, int first, int last, double su) {
    for (int i = first; i <= last; ++i) {
        grid.segment(i).soilType = 2;
        grid.segment(i).undrainedShearStrength = su;
        grid.segment(i).remoldedShearStrength = su / 2;
        grid.segment(i).lrfdFrictionFactor = 1;
    }
}

TEST(FhwaMethod, PenetrationRatioCountsEveryClayLayerOnce) {
    // 12 in pipe, 28 ft embedded, half-foot segments: sand to 2 ft, clay
    // (su 2.0 ksf) in two layers, 2 to 22 ft and 22 to 30 ft. Clay under
    // sand: case 1 throughout.
    test::CapacityGrid grid(60, 0.5);
    grid.openPipe(12, 11, 28);
    grid.nodes(57);
    soilRows(grid, {{0, 1}, {2, 2}, {22, 2}, {30, 2}});
    for (int i = 1; i <= 4; ++i) {
        grid.segment(i).soilType = 1;
        grid.segment(i).frictionAngle = 30;
    }
    clay(grid, 5, 60, 2.0);
    const UnitTransferProfile& f = runFhwa(grid);
    struct Case {
        int segment;
        double alpha;
    };
    const Case cases[] = {
        // Inside the first layer: r = (0 - 2 + 22) / 1 = 20, alpha 0.95.
        {20, 0.95},
        // The two segments ending within 0.95 ft of 22 ft both read the
        // layer as penetrated: T = 20 once, r = (20 - 22 + 22) / 1 = 20.
        // Counted twice, the second would read r = 40 and alpha 0.68.
        {43, 0.95},
        {44, 0.95},
        // The second layer, to the embedded length: r = (20 - 22 + 28) = 26,
        // alpha = 0.95 + (0.68 - 0.95) x 6 / 20 = 0.869 (0.68 with T = 40).
        {50, 0.869},
        // Its last two segments: T = 28, r = (28 - 30 + 28) = 26.
        {59, 0.869},
        {60, 0.869},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(f.shaftUnitFriction[2 * c.segment - 1], c.alpha * 2.0, kTol) << c.segment;
        EXPECT_NEAR(f.shaftUnitFriction[2 * c.segment], c.alpha * 2.0, kTol) << c.segment;
        // The inside of the pile: alpha on the remoulded strength.
        EXPECT_NEAR(f.unitSideFriction[2 * c.segment], c.alpha * 1.0, kTol) << c.segment;
    }
}

TEST(FhwaMethod, ClayFromTheGroundTakesItsCaseFromItsOwnStrength) {
    struct Case {
        int segments;
        double su1, su2;
        double alpha1, alpha2;
    };
    // Clay rows 0 to 10 ft, 12 in pile embedded one foot less than the
    // segments reach: r = (0 - 0 + L) / 1 = L, below 10 (first curves).
    const Case cases[] = {
        // Soft (below 0.8 ksf): case 2, alpha 0.519 at 0.5 ksf; segment 2
        // takes the case from segment 1.
        {4, 0.5, 0.5, 0.519, 0.519},
        // Stiff: case 3 for both, alpha 0.923 at 1.0 ksf.
        {4, 1.0, 1.0, 0.923, 0.923},
        // Segment 2 under a soft segment 1 follows it: case 2, 0.398 at 1.0.
        {4, 0.5, 1.0, 0.519, 0.398},
        // A table of two segments chooses no case from above: each its own,
        // 1.0 ksf is case 3.
        {2, 0.5, 1.0, 0.519, 0.923},
    };
    for (const Case& c : cases) {
        test::CapacityGrid grid(c.segments);
        grid.openPipe(12, 11, c.segments - 1);
        grid.nodes(c.segments);
        soilRows(grid, {{0, 2}, {10, 2}});
        clay(grid, 1, c.segments, c.su2);
        clay(grid, 1, 1, c.su1);
        const UnitTransferProfile& f = runFhwa(grid);
        EXPECT_NEAR(f.shaftUnitFriction[1], c.alpha1 * c.su1, kTol) << c.segments << " " << c.su1;
        EXPECT_NEAR(f.unitSideFriction[2], c.alpha1 * c.su1 / 2, kTol) << c.segments << " " << c.su1;
        EXPECT_NEAR(f.shaftUnitFriction[3], c.alpha2 * c.su2, kTol) << c.segments << " " << c.su2;
    }
}

TEST(FhwaMethod, LayerCurveCodeNamesTheCase) {
    struct Case {
        double code, alpha;
    };
    // Sand to 1 ft, clay (1.0 ksf) below; 3 ft embedded:
    // r = (0 - 1 + 3) / 1 = 2.
    const Case cases[] = {
        {0, 1.0},      // under sand: case 1
        {2, 0.398},    // case 2 whatever lies above
        {3.7, 0.923},  // truncated: case 3
        // A value that names no case (the column also carries the reference
        // movement of the Army Corps tip curve) leaves case 1.
        {0.25, 1.0},
        {5, 1.0},
    };
    for (const Case& c : cases) {
        test::CapacityGrid grid(4);
        grid.openPipe(12, 11, 3);
        grid.nodes(4);
        soilRows(grid, {{0, 1}, {1, 2}, {10, 2}});
        grid.segment(1).soilType = 1;
        grid.segment(1).frictionAngle = 30;
        clay(grid, 2, 4, 1.0);
        for (int i = 2; i <= 4; ++i) grid.segment(i).layerCurveCode = c.code;
        const UnitTransferProfile& f = runFhwa(grid);
        EXPECT_NEAR(f.shaftUnitFriction[3], c.alpha, kTol) << c.code;
        EXPECT_NEAR(f.shaftUnitFriction[8], c.alpha, kTol) << c.code;
    }
}

TEST(FhwaMethod, SiClayIsReadOnTheChartsInKsf) {
    // 95.76 kPa / 47.88 = 2.0 ksf, under sand (case 1); a 304.8 mm pile
    // 10 m into clay from 1 m: r = (0 - 1 + 10) / 0.3048 = 29.527559,
    // alpha = 0.95 + (0.68 - 0.95) x 9.527559 / 20 = 0.82137796.
    test::CapacityGrid grid(12, 1.0, 2);
    grid.openPipe(304.8, 279.4, 10);
    grid.nodes(11);
    soilRows(grid, {{0, 1}, {1, 2}, {20, 2}});
    grid.segment(1).soilType = 1;
    grid.segment(1).frictionAngle = 30;
    clay(grid, 2, 12, 95.76);
    const UnitTransferProfile& f = runFhwa(grid);
    EXPECT_NEAR(f.shaftUnitFriction[3], 78.655153, 1e-5);
    EXPECT_NEAR(f.unitSideFriction[3], 78.655153 / 2, 1e-5);
}

// Clay of alpha 1.0 (case 1 named by the layers, r below 10) with su 0.5,
// 1.0, 1.5 and 2.0 ksf in four 1 ft segments; a 12 in pile tapered 0.5
// degrees, 2 ft of stickup, 3 ft embedded; limits of 0.8 ksf on segments 2
// and 3 and LRFD friction factors 1, 1, 0.9, 0.8.
test::CapacityGrid taperedClayColumn() {
    test::CapacityGrid grid(4);
    grid.openPipe(12, 11, 3);
    grid.pile().taperAngle = 0.5;
    grid.pile().stickupLength = 2;
    grid.nodes(4);
    soilRows(grid, {{0, 2}, {10, 2}});
    const double su[] = {0, 0.5, 1.0, 1.5, 2.0};
    const double lrfd[] = {0, 1, 1, 0.9, 0.8};
    for (int i = 1; i <= 4; ++i) {
        clay(grid, i, i, su[i]);
        grid.segment(i).layerCurveCode = 1;
        grid.segment(i).lrfdFrictionFactor = lrfd[i];
    }
    grid.segment(2).maxUnitFriction = 0.8;
    grid.segment(3).maxUnitFriction = 0.8;
    return grid;
}

TEST(FhwaMethod, ShaftCapacityOnTheTaperedPerimeterFromTheLimitedFrictionAbove) {
    test::CapacityGrid grid = taperedClayColumn();
    runFhwa(grid);
    const MethodNodeArrays& n = grid.store().method(kFhwa).nodes;
    const CapacityProfile& cap = grid.capacity(kFhwa);
    // Nodes at 0, 1, 2, 3 ft read 0.5, 0.5 (bottom of segment 1), 1.0, 1.5;
    // held at the limits 9999999, 0.8, 0.8, 9999999: 0.5, 0.5, 0.8, 1.5.
    const double unit[] = {0, 0.5, 0.5, 1.0, 1.5};
    const double side[] = {0, 0.5, 0.5, 0.8, 1.5};
    for (int j = 1; j <= 4; ++j) {
        EXPECT_NEAR(n.nodeUnitFriction[j], unit[j], kTol) << j;
        EXPECT_NEAR(n.nodeSideFriction[j], side[j], kTol) << j;
    }
    // Perimeter at node j: 3.14159 x (1 - (2 + z) x 2 tan(0.5 x 0.01745)):
    // 2.9771237, 2.9223016, 2.8674794 ft at nodes 2, 3, 4. Increments:
    // (0.5 + 0.5) / 2 x P2; (0.5 + 1.0) / 2 x P3 under the limit trapezoid
    // 0.8 x P3; (0.8 + 1.5) / 2 x P4, from the limited friction of node 3
    // (1.25 x P4 from its unit friction).
    EXPECT_NEAR(n.skinIncrement[2], 0.5 * 2.9771237, 1e-6);
    EXPECT_NEAR(n.skinIncrement[3], 0.75 * 2.9223016, 1e-6);
    EXPECT_NEAR(n.skinIncrement[4], 1.15 * 2.8674794, 1e-6);
    // With the LRFD factors of segments 2, 3, 4 (1, 0.9, 0.8).
    EXPECT_NEAR(cap.skinFriction[2], 1.4885619, 1e-6);
    EXPECT_NEAR(cap.skinFriction[3], 3.4611154, 1e-6);
    EXPECT_NEAR(cap.skinFriction[4], 6.0991965, 1e-6);
    EXPECT_NEAR(n.loadTransferSkin[4], 6.9778894, 1e-6);  // unfactored
}

TEST(FhwaMethod, TensionAndZeroFrictionLength) {
    test::CapacityGrid grid = taperedClayColumn();
    grid.options().loadingType = 1;
    grid.options().tensionReductionFactor = 0.7;
    grid.options().sideFrictionReduction = 1;
    runFhwa(grid);
    const MethodNodeArrays& n = grid.store().method(kFhwa).nodes;
    // Unit frictions 0.35, 0.35, 0.7, 1.05, under the limits; increments
    // 0.35 P2, 0.525 P3, 0.875 P4 with the factors 1, 0.9, 0.8.
    EXPECT_NEAR(n.nodeUnitFriction[4], 1.05, kTol);
    EXPECT_NEAR(grid.capacity(kFhwa).skinFriction[4], 4.4300164, 1e-6);
    EXPECT_NEAR(n.loadTransferSkin[4], 4.4300164, 1e-6);  // factored, as selected

    test::CapacityGrid shallow = taperedClayColumn();
    shallow.pile().zeroFrictionLength = 1.5;
    runFhwa(shallow);
    const MethodNodeArrays& s = shallow.store().method(kFhwa).nodes;
    EXPECT_EQ(s.nodeUnitFriction[1], 0.0);
    EXPECT_EQ(s.nodeUnitFriction[2], 0.0);
    EXPECT_NEAR(s.nodeUnitFriction[3], 1.0, kTol);
    EXPECT_NEAR(s.skinIncrement[3], 0.5 * 2.9223016, 1e-6);  // (0 + 1.0) / 2, under 0.8
}

}  // namespace
}  // namespace tovek
