#include "capacity/blow_count.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "capacity/charts.h"

namespace tovek {

namespace {

// Friction angle against blow count at 0, 20 and 40 psi overburden. Each
// curve is only used inside its own range of blow counts.
// Source: the chart of standard penetration resistance against friction
// angle and effective overburden pressure after Gibbs and Holtz (1957), as
// reproduced in the USACE and FHWA pile design manuals.
constexpr Chart<7> kAt0Psi{{0, 2, 4, 6, 10, 15, 20}, {0, 32, 34, 36, 38, 42, 45}};
constexpr Chart<11> kAt20Psi{{6, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55}, {30, 32, 34, 36, 37, 39, 40, 41, 42, 44, 45}};
constexpr Chart<17> kAt40Psi{{10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70, 75, 80, 85, 90},
                             {31, 32, 34, 35, 36, 36, 37, 38, 39, 39, 40, 41, 42, 42, 43, 44, 44}};

// Upper bound of the angle at no overburden and at 40 psi and more, held
// constant below N = 3 and above N = 60.
constexpr Chart<5> kBoundHigh{{3, 4, 10, 30, 60}, {30, 32, 35, 40, 43}};
constexpr Chart<5> kBoundLow{{3, 4, 10, 30, 60}, {25, 27, 30, 35, 38}};

double upperBound(double n, double s) {
    const double hi = kBoundHigh(n);
    const double lo = kBoundLow(n);
    if (s <= 0) return hi;
    if (s < 40) return hi + (s / 40) * (lo - hi);
    return lo;
}

// The chart value, or false where the chart has none: at 40 psi and more
// for N <= 10 or N >= 90, and between 20 and 40 psi for N exactly 90.
bool chartValue(double n, double s, double& phi) {
    if (s <= 20) {
        if (n < 6) {
            const double c0 = kAt0Psi(n);
            phi = c0 - (s / 20) * (c0 - 30);
        } else if (n < 20) {
            const double c0 = kAt0Psi(n);
            phi = c0 - (s / 20) * (c0 - kAt20Psi(n));
        } else if (n < 55) {
            const double c20 = kAt20Psi(n);
            phi = c20 + ((20 - s) / 20) * (45 - c20);
        } else if (n == 55) {
            phi = 45 + 0.3f * (20 - s);
        } else if (n < 90) {
            const double c40 = kAt40Psi(n);
            phi = c40 + ((40 - s) / 20) * (45 - c40);
        } else {
            phi = 50;
        }
        return true;
    }
    if (s < 40) {
        if (n <= 6) {
            phi = 30;
        } else if (n < 10) {
            phi = 30 + 0.5f * (n - 6);
        } else if (n <= 55) {
            const double c20 = kAt20Psi(n);
            phi = c20 - ((s - 20) / 20) * (c20 - kAt40Psi(n));
        } else if (n < 90) {
            const double c40 = kAt40Psi(n);
            phi = c40 + ((40 - s) / 20) * (45 - c40);
        } else if (n > 90) {
            phi = 50;
        } else {
            return false;
        }
        return true;
    }
    if (n > 10 && n < 90) {
        phi = kAt40Psi(n);
        return true;
    }
    return false;
}

}  // namespace

void frictionAngleFromBlowCount(double& result, double blowCount, double stressPsi) {
    const double bound = upperBound(blowCount, stressPsi);
    double phi = 0;
    // Where the chart has no value the estimate is the upper bound itself.
    // Extending the chart there (the 40 psi curve held at 31 degrees below
    // N = 10 and at 44 above N = 90, and 50 degrees at N = 90 as on either
    // side of it) always lies above the bound for that overburden, so the
    // bound is what such an extension would give; the estimate thereby never
    // depends on an earlier segment's value.
    if (!chartValue(blowCount, stressPsi, phi)) phi = bound;
    result = std::min(phi, bound);
}

}  // namespace tovek
