// Chart functions of the capacity methods and the depth / plot position
// columns. Chart values are single-precision constants, so the expected
// values are compared to 1e-5, or to 1e-7 of their size for large values.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "capacity/charts.h"
#include "capacity/depth_columns.h"

namespace tovek {
namespace {

constexpr double kTol = 1e-5;

double tolerance(double expected) { return std::max(kTol, 1e-7 * std::abs(expected)); }

struct ToeCase {
    double phi;
    double ratio;
    double expected;
};

TEST(FhwaToeCoefficient, ColumnsAreChosenAndInterpolatedByRatio) {
    const ToeCase cases[] = {
        // 44 degrees: between 42.5 (0.78) and 45 (0.8) in every column:
        // 0.78 + 0.02 x 1.5 / 2.5 = 0.792; ratio 25 is halfway between the
        // 20 and 30 columns, which agree there.
        {44.0, 25.0, 0.792},
        // 42.5 degrees is 0.78 in every column, whatever the ratio.
        {42.5, 5.0, 0.78},
        {42.5, 20.0, 0.78},
        {42.5, 25.0, 0.78},
        {42.5, 30.0, 0.78},
        {42.5, 40.0, 0.78},
        {42.5, 45.0, 0.78},
        {42.5, 90.0, 0.78},
        // 30 degrees: columns 0.58 (20), 0.52 (30), 0.49 (45).
        {30.0, 10.0, 0.58},  // below 20: column 20
        {30.0, 20.0, 0.58},
        {30.0, 25.0, 0.55},  // (0.58 + 0.52) / 2
        {30.0, 30.0, 0.52},
        {30.0, 37.5, 0.505},  // (0.52 + 0.49) / 2
        {30.0, 45.0, 0.49},
        {30.0, 60.0, 0.49},  // above 45: column 45
        // Angles between breakpoints, outside the chart.
        {21.5, 20.0, 0.3955},  // 0.375 + (0.416 - 0.375) x 1 / 2
        {15.0, 20.0, 0.365},   // below 20 degrees: first value
        {50.0, 30.0, 0.8},     // above 45 degrees: last value
        {26.25, 45.0, 0.359},  // 0.318 + (0.4 - 0.318) x 1.25 / 2.5
    };
    for (const ToeCase& c : cases)
        EXPECT_NEAR(fhwaToeCoefficient(c.phi, c.ratio), c.expected, kTol) << c.phi << " " << c.ratio;
}

struct ChartCase {
    double (*chart)(double);
    double x;
    double expected;
};

TEST(ChartFunctions, ReadPiecewiseLinearAndHoldTheEnds) {
    const ChartCase cases[] = {
        {fhwaBearingFactor, 10.0, 4.8},
        {fhwaBearingFactor, 15.0, 4.8},
        {fhwaBearingFactor, 36.25, 81.0},  // 64 + (98 - 64) / 2
        {fhwaBearingFactor, 45.0, 475.0},
        {fhwaBearingFactor, 50.0, 475.0},
        {fhwaLimitingToeResistance, 25.0, 6.66},
        {fhwaLimitingToeResistance, 35.625, 67.55},  // (53.8 + 81.3) / 2
        {fhwaLimitingToeResistance, 36.25, 81.3},
        {fhwaLimitingToeResistance, 45.0, 368.8},
        {usaceBearingFactor, -5.0, 1.0},
        {usaceBearingFactor, 0.0, 1.0},
        {usaceBearingFactor, 2.5, 1.3},    // (1 + 1.6) / 2
        {usaceBearingFactor, 34.0, 43.0},  // 30 + (56 - 30) / 2
        {usaceBearingFactor, 38.5, 73.5},  // (68 + 79) / 2
        {usaceBearingFactor, 55.0, 415.1},
        {apiBearingFactor, 10.0, 8.0},
        {apiBearingFactor, 22.5, 16.0},  // (12 + 20) / 2
        {apiBearingFactor, 30.0, 40.0},
        {apiBearingFactor, 40.0, 50.0},
        {apiShaftLimit, 10.0, 1.0},
        {apiShaftLimit, 27.5, 1.85},  // (1.7 + 2.0) / 2
        {apiShaftLimit, 30.0, 2.0},
        {apiShaftLimit, 45.0, 2.4},
    };
    for (const ChartCase& c : cases) EXPECT_NEAR(c.chart(c.x), c.expected, tolerance(c.expected)) << c.x;
}

TEST(ChartTable, EmptyTableReadsZero) { EXPECT_EQ((ChartTable{nullptr, nullptr, 0})(3.0), 0.0); }

TEST(ChartTable, EqualNeighbouringBreakpointsTakeTheFirstOfThem) {
    // A CPT profile may repeat a depth: at that depth the first of the two
    // values is read, just below it the line on from the second.
    const double x[] = {0, 5, 5, 10};
    const double y[] = {1, 2, 3, 4};
    const ChartTable chart{x, y, 4};
    EXPECT_EQ(chart(5.0), 2.0);
    EXPECT_EQ(chart(2.5), 1.5);
    EXPECT_EQ(chart(7.5), 3.5);
    EXPECT_EQ(chart(12.0), 4.0);
    EXPECT_EQ(chart(-1.0), 1.0);
}

TEST(ChartTable, ALongProfileIsReadAtEveryPoint) {
    // 1000 points at 0.5 ft with values 2 x depth: exact at the points and
    // between them.
    std::vector<double> x(1000), y(1000);
    for (size_t k = 0; k < x.size(); ++k) {
        x[k] = 0.5 * static_cast<double>(k + 1);
        y[k] = 2 * x[k];
    }
    const ChartTable chart{x.data(), y.data(), x.size()};
    for (double at : {0.5, 0.75, 1.0, 250.25, 499.5, 500.0}) EXPECT_DOUBLE_EQ(chart(at), 2 * at) << at;
    EXPECT_EQ(chart(600.0), 1000.0);
}

TEST(ChartTable, LinesStartingAtTheBreakpointsGiveTheBreakpointValuesExactly) {
    const double x[] = {0.0, 1.0, 2.0};
    const double y[] = {3.0, 0.0001, 1.0};
    const ChartTable ending{x, y, 3};
    const ChartTable starting{x, y, 3, ChartLine::startingAt};
    // At a breakpoint the line that ends there gives 3 + (0.0001 - 3) x 1,
    // which is not 0.0001 in double arithmetic; the line that starts there
    // gives 0.0001 itself.
    EXPECT_NE(ending(1.0), 0.0001);
    EXPECT_NEAR(ending(1.0), 0.0001, 1e-15);
    EXPECT_EQ(starting(1.0), 0.0001);
    // Between breakpoints and outside the chart both read alike.
    EXPECT_EQ(starting(0.5), ending(0.5));
    EXPECT_EQ(starting(1.5), ending(1.5));
    EXPECT_EQ(starting(-1.0), 3.0);
    EXPECT_EQ(starting(2.0), 1.0);
    EXPECT_EQ(starting(7.0), 1.0);
    const double one[] = {4.0};
    EXPECT_EQ((ChartTable{one, one, 1, ChartLine::startingAt})(9.0), 4.0);
}

// Node lengths 0, 1, 2, 3 (lengthIncrement 1).
Array1<double, kMaxNodes> nodeLengths() {
    Array1<double, kMaxNodes> l{};
    for (int j = 1; j <= 4; ++j) l[static_cast<size_t>(j)] = j - 1;
    return l;
}

TEST(DepthColumns, VerticalPileShowsPileLengths) {
    const auto l = nodeLengths();
    Array1<double, kMaxNodes> depth{};
    Array1<double, kMaxNodes> plot{};
    depthColumn(l, 4, 0.0, 100.0, 0, depth);
    plotPositionColumn(l, 4, 0.0, 100.0, 0, plot);
    for (int j = 1; j <= 4; ++j) {
        EXPECT_DOUBLE_EQ(depth[static_cast<size_t>(j)], j - 1);
        EXPECT_DOUBLE_EQ(plot[static_cast<size_t>(j)], j - 1);
    }
}

TEST(DepthColumns, BatteredPileProjectsOnTheVertical) {
    const auto l = nodeLengths();
    const double batter = 20.0 * 3.14159265358979 / 180.0;
    Array1<double, kMaxNodes> depth{};
    Array1<double, kMaxNodes> plot{};
    depthColumn(l, 4, batter, 0.0, 2, depth);
    plotPositionColumn(l, 4, batter, 0.0, 2, plot);
    // cos(20 degrees) = 0.9396926; node 3 at twice that.
    EXPECT_NEAR(depth[2], 0.9396926, 1e-7);
    EXPECT_NEAR(depth[3], 1.8793852, 1e-7);
    // With elevationOutput 2 the plot column keeps the pile length.
    EXPECT_DOUBLE_EQ(plot[3], 2.0);
}

TEST(DepthColumns, ElevationsCountDownFromTheGroundElevation) {
    const auto l = nodeLengths();
    const double batter = 20.0 * 3.14159265358979 / 180.0;
    Array1<double, kMaxNodes> depth{};
    Array1<double, kMaxNodes> plot{};
    depthColumn(l, 4, batter, 100.0, 1, depth);
    plotPositionColumn(l, 4, batter, 100.0, 1, plot);
    EXPECT_DOUBLE_EQ(depth[1], 100.0);
    EXPECT_DOUBLE_EQ(plot[1], 100.0);
    // 100 - 3 x 0.9396926 = 97.1809221
    EXPECT_NEAR(depth[4], 97.1809221, 1e-6);
    EXPECT_NEAR(plot[4], 97.1809221, 1e-6);
}

TEST(DepthColumns, NoNodesLeaveTheColumnAlone) {
    const auto l = nodeLengths();
    Array1<double, kMaxNodes> depth{};
    depth[1] = -7.0;
    depthColumn(l, 0, 0.0, 100.0, 1, depth);
    plotPositionColumn(l, -3, 0.0, 100.0, 1, depth);
    EXPECT_EQ(depth[1], -7.0);
}

}  // namespace
}  // namespace tovek
