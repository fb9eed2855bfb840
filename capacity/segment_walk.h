// The walk along the segment table that finds where a vertical depth lies:
// segment s is the first whose bottom, d_s = t_1 + ... + t_s, is not more
// than the depth tolerance above the depth z. A value of a boundary array
// (top entry and bottom entry per segment) at z is the line between the two
// entries of that segment.
//
// The nodes go down the pile, so a walk goes on from the segment of its last
// position; a shallower position steps back. A position below the table
// stays in the last segment, at its bottom; one above the ground surface in
// segment 1, at its top.
#pragma once

#include <cstdint>

#include "input/problem_data.h"
#include "input/units.h"

namespace tovek {

class SegmentWalk {
public:
    explicit SegmentWalk(const ComputationGrid& grid)
        : grid_(grid), count_(countWithin(grid.segmentCount, kMaxSegments)) {}

    struct Position {
        int32_t segment;   // s, 1..N
        double offset;     // z - d_(s-1), the depth below the segment top
        double thickness;  // t_s
    };

    Position locate(double z) {
        const auto& bottom = grid_.segmentBottomDepth;
        while (segment_ < count_ && z - bottom[segment_] > kDepthTolerance) ++segment_;
        while (segment_ > 1 && z - bottom[segment_ - 1] <= kDepthTolerance) --segment_;
        return {segment_, z - bottom[segment_ - 1], grid_.segmentThickness[segment_]};
    }

    // The value at z of a boundary array whose entries for segment s are
    // 2s + topEntry (top) and 2s + topEntry + 1 (bottom): topEntry -1 for
    // the arrays of boundaries 1..2N, -2 for an array of 0..2N that holds
    // the top of segment s at 2s-2.
    template <typename Array>
    double valueAt(const Array& values, double z, int32_t topEntry = -1) {
        const Position pos = locate(z);
        const double top = values[2 * pos.segment + topEntry];
        const double bottom = values[2 * pos.segment + topEntry + 1];
        if (!(pos.offset > 0)) return top;
        if (!(pos.offset < pos.thickness)) return bottom;
        return top + (bottom - top) * pos.offset / pos.thickness;
    }

    int32_t segmentCount() const { return count_; }

private:
    const ComputationGrid& grid_;
    int32_t count_;
    int32_t segment_ = 1;
};

}  // namespace tovek
