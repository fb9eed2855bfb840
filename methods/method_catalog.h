// Which design methods this build of the engine computes. A method that is
// not built yet is neither tabulated nor counted in the plot data file.
#pragma once

#include <cstdint>

#include "capacity/profiles.h"

namespace tovek {

constexpr bool methodIsBuilt(int32_t methodCode) {
    return methodCode == kApi || methodCode == kUserMethod;
}

} // namespace tovek
