// Chart and table functions shared by the capacity methods and the input
// information report: bearing capacity factors, limiting values, the FHWA
// toe coefficient and the API limiting shaft friction.
#pragma once

#include <array>
#include <cstddef>

namespace tovek {

// Which line of a chart a value between its first and last breakpoints is
// read on.
enum class ChartLine {
    // The line between the first breakpoint not below x and the one before
    // it: a value at a breakpoint ends the line that comes up to it.
    endingAt,
    // The line between the last breakpoint not above x and the next one: a
    // value at a breakpoint starts the line that leaves it, and so takes
    // that breakpoint's value exactly (charts whose columns are chosen as
    // a <= x < b).
    startingAt,
};

// A chart read piecewise linearly in its argument: at or below the first
// breakpoint the first value, above the last the last value (at the last
// too, when read on the lines starting at the breakpoints), otherwise on the
// line the reading chooses. The breakpoints ascend (equal neighbours
// allowed).
struct ChartTable {
    const double* x;
    const double* y;
    size_t count;
    ChartLine line = ChartLine::endingAt;
    double operator()(double at) const;
};

// A chart of N breakpoints held by value, read as a ChartTable.
template <size_t N>
struct Chart {
    std::array<double, N> x;
    std::array<double, N> y;
    double operator()(double at, ChartLine line = ChartLine::endingAt) const {
        return ChartTable{x.data(), y.data(), N, line}(at);
    }
};

double fhwaBearingFactor(double frictionAngle);                         // N'q
double fhwaToeCoefficient(double frictionAngle, double lengthToWidth);  // alpha-t
double fhwaLimitingToeResistance(double frictionAngle);                 // tons per square foot
double usaceBearingFactor(double frictionAngle);                        // Nq of the Army Corps
double apiBearingFactor(double delta);                                  // Nq of API RP-2A
double apiShaftLimit(double delta);                                     // ksf

}  // namespace tovek
