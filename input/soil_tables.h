// The soil tables of the "INPUT INFORMATION" section of the report.
#pragma once

#include "input/problem_data.h"
#include "report/layout.h"

namespace tovek {

// Writes the soil information, limits and strengths, LRFD factors, CPT data
// (when a cone-resistance method runs on CPT data) and shaft load-transfer
// parameters, each with its notes. Turns the batter angle into radians
// right after the heading of the first table: from there on the store holds
// the angle in radians.
void writeSoilTables(ProblemData& problem, ReportWriter& report);

}  // namespace tovek
