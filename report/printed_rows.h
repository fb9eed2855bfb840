// The printed rows of the capacity tables and of the load distributions:
// every k-th entry from the first, and the last.
#pragma once

#include <algorithm>
#include <cstdint>

namespace tovek {

// Whether entry j (1..count) is printed with the printing increment k. An
// increment below 1 is taken as 1 (every entry printed); the reader rejects
// it anyway.
constexpr bool isPrintedRow(int32_t j, int32_t count, int32_t increment) {
    const int32_t k = std::max<int32_t>(increment, 1);
    return (j - 1) % k == 0 || j == count;
}

// Number of printed entries of `count`: the rows of every capacity table and
// of every capacity and load-distribution block of the plot data file.
constexpr int32_t printedRowCount(int32_t count, int32_t increment) {
    if (count < 1) return 0;
    const int32_t k = std::max<int32_t>(increment, 1);
    int32_t rows = (count - 1) / k + 1;
    if ((count - 1) % k != 0) ++rows;
    return rows;
}

}  // namespace tovek
