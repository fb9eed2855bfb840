// Readers of the input data file and the CPT data file.
#pragma once

#include "input/free_format.h"
#include "input/problem_data.h"

namespace tovek {

// Fills the problem from the input data file, record by record, applying
// the adjustments that belong to the reading. Bad input throws InputError.
void readInputFile(ProblemData& problem, FreeFormatReader& reader);

// Fills the CPT profile from the CPT data file.
void readCptFile(ProblemData& problem, FreeFormatReader& reader);

}  // namespace tovek
