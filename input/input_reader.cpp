#include "input/input_reader.h"

namespace tovek {

void readInputFile(RunStore&, FreeFormatReader&) {}

void setUnitLabels(ProblemData& problem) {
    UnitLabels& l = problem.labels;
    if (problem.unitSystem == 1) {
        l.lengthLabel = "FT.";
        l.smallLengthLabel = "IN.";
        l.forceLabel = "KIP";
        l.stressLabel = "KSF";
        l.unitWeightLabel = "LB/FT^3";
        l.areaLabel = "IN2";
    } else {
        l.lengthLabel = "M. ";
        l.smallLengthLabel = "MM.";
        l.forceLabel = "KN.";
        l.stressLabel = "KPA";
        l.unitWeightLabel = "KN/M^3 ";
        l.areaLabel = "M2 ";
    }
}

void readCptFile(RunStore&, FreeFormatReader&) {}

} // namespace tovek
