#include "input/input_report.h"

#include "input/input_checks.h"

namespace tovek {

void writeInputInformation(RunStore& store) {
    ProblemData& p = store.problem;
    setModulusLabel(p);
    if (p.pile.areaOption == 0) computeCrossSectionArea(p);
    setEmbeddedLength(p);
    convertBatterAngleToRadians(p);
}

} // namespace tovek
