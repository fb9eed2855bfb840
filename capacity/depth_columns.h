// The position columns of the capacity tables and plot rows: vertical depth
// below the ground surface, or elevation when the user asked for it.
#pragma once

#include <cstdint>

#include "input/problem_data.h"

namespace tovek {

// L: node pile lengths L(1..M); out: the column for nodes 1..M. M below 1
// gives an empty column.
void depthColumn(const Array1<double, kMaxNodes>& L, int32_t M, double batterAngle, double groundElevation,
                 int32_t elevationOutput, Array1<double, kMaxNodes>& out);
void plotPositionColumn(const Array1<double, kMaxNodes>& L, int32_t M, double batterAngle, double groundElevation,
                        int32_t elevationOutput, Array1<double, kMaxNodes>& out);

}  // namespace tovek
