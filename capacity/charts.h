// Chart and table functions shared by the capacity methods and the input
// information report: bearing capacity factors, limiting values, the FHWA
// toe coefficient and the API limiting shaft friction.
#pragma once

#include <array>
#include <cstddef>

namespace tovek {

// A chart read piecewise linearly in its argument: at or below the first
// breakpoint the first value, above the last the last value, otherwise the
// line between the first breakpoint not below x and the one before it.
// The breakpoints ascend (equal neighbours allowed).
struct ChartTable {
    const double* x;
    const double* y;
    size_t count;
    double operator()(double at) const;
};

// A chart of N breakpoints held by value, read as a ChartTable.
template <size_t N>
struct Chart {
    std::array<double, N> x;
    std::array<double, N> y;
    double operator()(double at) const { return ChartTable{x.data(), y.data(), N}(at); }
};

double fhwaBearingFactor(double frictionAngle);                         // N'q
double fhwaToeCoefficient(double frictionAngle, double lengthToWidth);  // alpha-t
double fhwaLimitingToeResistance(double frictionAngle);                 // tons per square foot
double usaceBearingFactor(double frictionAngle);                        // Nq of the Army Corps
double apiBearingFactor(double delta);                                  // Nq of API RP-2A
double apiShaftLimit(double delta);                                     // ksf

}  // namespace tovek
