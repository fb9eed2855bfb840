// The state of one analysis: the problem, the computation grid built from
// it, the results of every capacity method and the working arrays of the
// capacity integration. The capacity stage and the methods read and write
// only this; the run adds its files and writers on top of it.
#pragma once

#include <array>
#include <cstdint>

#include "capacity/profiles.h"
#include "input/problem_data.h"

namespace tovek {

struct AnalysisState {
    ProblemData problem;
    ComputationGrid grid;
    std::array<MethodResults, kMethodCount + 1> methods{};  // indexed by methodCode
    CapacityWork work;

    MethodResults& method(int32_t code) { return methods[methodIndex(code)]; }
    const MethodResults& method(int32_t code) const { return methods[methodIndex(code)]; }

private:
    static size_t methodIndex(int32_t code) {
        assert(code >= 1 && code <= kMethodCount);
        return static_cast<size_t>(code);
    }
};

}  // namespace tovek
