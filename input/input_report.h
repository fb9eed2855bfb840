// The "INPUT INFORMATION" section of the report.
#pragma once

#include "input/problem_data.h"
#include "report/layout.h"

namespace tovek {

// Writes the section and makes the store changes that belong to the echo
// (modulus label, cross-section area, embedded length, batter angle in
// radians) at their places in it.
void writeInputInformation(ProblemData& problem, ReportWriter& report);

}  // namespace tovek
