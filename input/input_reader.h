// Readers of the input data file and the CPT data file.
#pragma once

#include "engine/run_store.h"
#include "input/free_format.h"

namespace tovek {

// Fills the problem from the input data file, record by record, applying
// the adjustments that belong to the reading. Bad input throws InputError.
void readInputFile(RunStore& store, FreeFormatReader& reader);

// Sets the unit labels (all but the modulus label) from unitSystem.
void setUnitLabels(ProblemData& problem);

// Fills the CPT profile from the CPT data file.
void readCptFile(RunStore& store, FreeFormatReader& reader);

} // namespace tovek
