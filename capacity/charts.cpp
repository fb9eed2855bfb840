#include "capacity/charts.h"

#include <algorithm>
#include <array>

namespace tovek {

double ChartTable::operator()(double at) const {
    if (count == 0) return 0.0;
    if (at <= x[0]) return y[0];
    if (line == ChartLine::startingAt) {
        for (size_t k = count - 1; k >= 1; --k)
            if (x[k - 1] <= at) {
                if (k == count - 1 && at >= x[k]) return y[k];
                return y[k - 1] + (y[k] - y[k - 1]) * (at - x[k - 1]) / (x[k] - x[k - 1]);
            }
        return y[0];
    }
    // The breakpoints ascend, so the first one not below x is found by
    // bisection: a CPT profile of a thousand points is read at every
    // segment boundary of every cone method.
    const double* bracket = std::lower_bound(x + 1, x + count, at);
    if (bracket == x + count) return y[count - 1];
    const size_t k = static_cast<size_t>(bracket - x);
    return y[k - 1] + (y[k] - y[k - 1]) * (at - x[k - 1]) / (x[k] - x[k - 1]);
}

namespace {

// Chart values are single-precision constants used in double arithmetic.

// Source: Thurman's bearing capacity factor N'q for Nordlund's toe resistance,
// FHWA NHI-05-042 (Hannigan et al. 2006).
constexpr Chart<13> kFhwaBearing{
    {15.0f, 17.5f, 20.0f, 22.5f, 25.0f, 27.5f, 30.0f, 32.5f, 35.0f, 37.5f, 40.0f, 42.5f, 45.0f},
    {4.8f, 6.2f, 8.2f, 12.0f, 15.0f, 21.0f, 30.0f, 43.0f, 64.0f, 98.0f, 160.0f, 265.0f, 475.0f}};

// Source: Meyerhof's (1976) limiting unit toe resistance (tons per square
// foot), FHWA NHI-05-042 (Hannigan et al. 2006).
constexpr Chart<12> kFhwaLimitingToe{
    {30.0f, 31.25f, 32.5f, 33.75f, 35.0f, 36.25f, 37.5f, 38.75f, 40.0f, 41.25f, 42.5f, 43.75f},
    {6.66f, 11.25f, 20.0f, 32.5f, 53.8f, 81.3f, 117.5f, 159.5f, 208.8f, 262.5f, 318.8f, 368.8f}};

// Source: bearing capacity factor Nq against friction angle, USACE EM
// 1110-2-2906, Design of Pile Foundations (1991).
constexpr Chart<13> kUsaceBearing{
    {0.0f, 5.0f, 10.0f, 15.0f, 20.0f, 30.0f, 32.0f, 36.0f, 38.0f, 39.0f, 40.0f, 45.0f, 50.0f},
    {1.0f, 1.6f, 2.7f, 4.4f, 7.4f, 23.0f, 30.0f, 56.0f, 68.0f, 79.0f, 88.0f, 200.0f, 415.1f}};

// Source: API RP 2A-WSD (2010 printing), design parameters for cohesionless
// siliceous soil: Nq and the limiting unit shaft friction (ksf) against the
// pile-soil friction angle.
constexpr Chart<5> kApiBearing{{15.0f, 20.0f, 25.0f, 30.0f, 35.0f}, {8.0f, 12.0f, 20.0f, 40.0f, 50.0f}};

constexpr Chart<5> kApiShaftLimit{{15.0f, 20.0f, 25.0f, 30.0f, 35.0f}, {1.0f, 1.4f, 1.7f, 2.0f, 2.4f}};

// Source: the toe coefficient alpha-t of Nordlund's method against friction
// angle for length-to-width ratios 20, 30 and 45, FHWA NHI-05-042 (Hannigan
// et al. 2006).
constexpr std::array<double, 13> kToeAngles{20.0f, 20.5f, 22.5f, 25.0f, 27.5f, 30.0f, 32.5f,
                                            35.0f, 36.5f, 37.5f, 40.0f, 42.5f, 45.0f};
constexpr Chart<13> kToeRatio20{
    kToeAngles, {0.365f, 0.375f, 0.416f, 0.47f, 0.525f, 0.58f, 0.637f, 0.68f, 0.7f, 0.715f, 0.75f, 0.78f, 0.8f}};
constexpr Chart<13> kToeRatio30{
    kToeAngles, {0.256f, 0.267f, 0.319f, 0.389f, 0.4f, 0.52f, 0.605f, 0.67f, 0.7f, 0.715f, 0.75f, 0.78f, 0.8f}};
constexpr Chart<13> kToeRatio45{
    kToeAngles, {0.177f, 0.19f, 0.242f, 0.318f, 0.4f, 0.49f, 0.578f, 0.66f, 0.7f, 0.715f, 0.75f, 0.78f, 0.8f}};

}  // namespace

double fhwaBearingFactor(double frictionAngle) { return kFhwaBearing(frictionAngle); }

double fhwaLimitingToeResistance(double frictionAngle) { return kFhwaLimitingToe(frictionAngle); }

double usaceBearingFactor(double frictionAngle) {
    if (frictionAngle <= 0.0) return 1.0;
    return kUsaceBearing(frictionAngle);
}

double apiBearingFactor(double delta) { return kApiBearing(delta); }

double apiShaftLimit(double delta) { return kApiShaftLimit(delta); }

double fhwaToeCoefficient(double frictionAngle, double lengthToWidth) {
    // Columns for length-to-width ratios 20, 30 and 45; between 20 and 45 the
    // chosen column and the next one are interpolated in the ratio.
    const double a20 = kToeRatio20(frictionAngle);
    const double a30 = kToeRatio30(frictionAngle);
    const double a45 = kToeRatio45(frictionAngle);
    const double r = lengthToWidth;
    if (r <= 20.0) return a20;
    if (r < 30.0) return a20 + (a30 - a20) * (r - 20.0) / 10.0;
    if (r < 45.0) return a30 + (a45 - a30) * (r - 30.0) / 15.0;
    return a45;
}

}  // namespace tovek
