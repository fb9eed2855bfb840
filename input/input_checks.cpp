#include "input/input_checks.h"

namespace tovek {

bool checkSoilDepth(RunStore&) { return true; }

void setModulusLabel(ProblemData& problem) { problem.labels.modulusLabel = problem.unitSystem == 1 ? "PSI" : "KPA"; }
void computeCrossSectionArea(ProblemData&) {}
void setEmbeddedLength(ProblemData& problem) {
    problem.pile.embeddedLength = problem.pile.totalLength - problem.pile.stickupLength;
}
void convertBatterAngleToRadians(ProblemData& problem) {
    problem.pile.batterAngle = problem.pile.batterAngle * static_cast<double>(3.1415927f) / 180.0;
}

void snapLayerDepths(ProblemData&) {}
int32_t countSegments(const ProblemData&) { return 0; }
bool checkGridCoversPile(RunStore&) { return true; }
void buildSoilSegments(RunStore&) {}

} // namespace tovek
