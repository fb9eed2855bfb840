// Depth checks, the quantities fixed while the input is echoed, and the
// computation grid of soil segments.
#pragma once

#include <cstdint>

#include "engine/run_store.h"

namespace tovek {

// The two depth checks. The first writes a notice to the console; when the
// second fails its message goes to the report and the result is false.
bool checkSoilDepth(RunStore& store);

// Quantities fixed while the input is echoed, in the order of the echo.
void setModulusLabel(ProblemData& problem);
void computeCrossSectionArea(ProblemData& problem);
void setEmbeddedLength(ProblemData& problem);
void convertBatterAngleToRadians(ProblemData& problem);

// Snaps the soil row depths to the length increment (once).
void snapLayerDepths(ProblemData& problem);
// Number of computation segments from the soil profile bottom.
int32_t countSegments(const ProblemData& problem);
// The grid must give every node a segment: the deepest node, at the pile
// tip, reads the segment that starts there. False (with a message in the
// report) when the soil rows or the segments stop short of that.
bool checkGridCoversPile(RunStore& store);
// Builds segments, stresses, estimates, critical depths and nodeCount
// (at the start of every pass of the result stage).
void buildSoilSegments(RunStore& store);

} // namespace tovek
