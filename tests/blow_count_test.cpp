// Friction angle of a sand from its blow count and overburden.
#include <gtest/gtest.h>

#include "capacity/blow_count.h"

namespace tovek {
namespace {

TEST(FrictionAngleFromBlowCount, ChartValueCappedByTheBound) {
    struct Case {
        double n, s, expected;
        const char* arithmetic;
    } cases[] = {
        {5, 0, 32.5, "chart 35 (34 to 36), bound hi 32 + 3/6 = 32.5"},
        {10, 10, 33.75, "chart 38 - 0.5 x 6 = 35, bound 35 - 0.25 x 5"},
        {30, 30, 36.25, "chart 39 - 0.5 x 3 = 37.5, bound 40 - 0.75 x 5"},
        {100, 10, 41.75, "chart 50, bound 43 - 0.25 x 5"},
        {1, 0, 16, "chart C0(1) = 16 below the bound 30"},
        {0.5, 10, 19, "chart 8 - 0.5 x (8 - 30) = 19, bound 28.75"},
        {3, 20, 27.5, "chart 33 - 3 = 30, bound 30 - 0.5 x 5"},
        {6, 21, 30, "N = 6 between 20 and 40 psi: 30, bound 33 - 0.525 x 5 = 30.375"},
        {55, 10, 41.25, "chart 45 + 0.3 x 10 = 48, bound 42.5 - 0.25 x 5"},
        {12, 45, 30.5, "chart C40(12) = 31.4, bound lo 30 + 5 x 2/20"},
        {40, 40, 36, "s = 40 reads C40(40) = 37, bound lo 35 + 3 x 10/30"},
        {20, 20, 35, "s = 20: C20(20) + 0 = 36, bound 37.5 + 0.5 x (32.5 - 37.5)"},
    };
    for (const auto& c : cases) {
        double result = -1;
        frictionAngleFromBlowCount(result, c.n, c.s);
        EXPECT_NEAR(result, c.expected, 1e-9) << c.arithmetic;
    }
}

TEST(FrictionAngleFromBlowCount, NoChartValueGivesTheBoundWhateverTheResultHeld) {
    struct Case {
        double n, s, expected;
    } cases[] = {
        {5, 50, 27.5},    // lo(5) = 27 + 3/6
        {10, 40, 30},     // lo(10)
        {95, 50, 38},     // lo above N = 60
        {90, 30, 39.25},  // 43 + 0.75 x (38 - 43)
    };
    for (const auto& c : cases) {
        for (double entry : {0.0, 20.0, 99.0}) {
            double result = entry;
            frictionAngleFromBlowCount(result, c.n, c.s);
            EXPECT_NEAR(result, c.expected, 1e-9) << c.n << " " << c.s << " " << entry;
        }
    }
}

}  // namespace
}  // namespace tovek
