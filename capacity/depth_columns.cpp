#include "capacity/depth_columns.h"

#include <algorithm>
#include <cmath>

namespace tovek {

void depthColumn(const Array1<double, kMaxNodes>& L, int32_t M, double batterAngle, double groundElevation,
                 int32_t elevationOutput, Array1<double, kMaxNodes>& out) {
    const int32_t n = std::min<int32_t>(M, kMaxNodes);
    for (int32_t j = 1; j <= n; ++j) {
        const double depth = (L[j] - L[1]) * std::cos(batterAngle);
        out[j] = elevationOutput == 1 ? groundElevation - depth : depth;
    }
}

void plotPositionColumn(const Array1<double, kMaxNodes>& L, int32_t M, double batterAngle, double groundElevation,
                        int32_t elevationOutput, Array1<double, kMaxNodes>& out) {
    const int32_t n = std::min<int32_t>(M, kMaxNodes);
    for (int32_t j = 1; j <= n; ++j)
        out[j] = elevationOutput == 1 ? groundElevation - (L[j] - L[1]) * std::cos(batterAngle) : L[j];
}

}  // namespace tovek
