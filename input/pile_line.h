// The pile line of the input data file: one text line holding 7 to 50
// values, of which the later ones are optional.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "input/problem_data.h"

namespace tovek {

struct ValueList {
    Array1<double, kMaxPileLineValues> values{};  // values 1..count
    int32_t count = 0;
    // The count stopped at an empty value between two commas.
    bool stoppedAtEmptyValue = false;
    // The item the count stopped at when it is not a number (empty when the
    // count reached the end of the line or its limit).
    std::string stoppedAtItem;
};

// The values written on `line` alone (the line is not continued), in order,
// at most 50; values after the 50th are ignored. Counting stops at the first
// item that is not a number, so that the rest of the line may carry a
// comment, and at an empty value between two commas. A repeat count "r*v"
// stands for r values v, as in every other free-format read.
ValueList parseValueList(std::string_view line);

// The value at `position` when the list holds at least that many values,
// else `defaultValue`.
double valueOrDefault(const ValueList& list, int32_t count, int32_t position, double defaultValue);

}  // namespace tovek
