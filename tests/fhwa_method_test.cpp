// FHWA: the charts of Nordlund's rule and of alpha. Chart values are
// single-precision constants: expected values are compared to 1e-6 unless
// worked out to more digits.
#include <gtest/gtest.h>

#include "methods/fhwa_charts.h"

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

}  // namespace
}  // namespace tovek
