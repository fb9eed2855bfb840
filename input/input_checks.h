// Depth checks, the quantities fixed while the input is echoed, and the
// computation grid of soil segments.
#pragma once

#include <cstdint>

#include "input/problem_data.h"
#include "report/layout.h"

namespace tovek {

// Adjustments made while the input data file is read.
// Right after the pile line: tip averaging span, the values kept as read,
// tip area in square feet (English units), diameter of a non-circular pile
// from its perimeter.
void applyPileLineRules(ProblemData& problem);
// Right after the enhanced end record: no enhanced end section means one
// over the whole pile with the ordinary inside diameter.
void applyEnhancedEndRule(ProblemData& problem);
// Right after the two reads of soil row `row`: blow count of a sand row,
// water table, units of the limits and strengths, defaulted limits.
void prepareLayer(ProblemData& problem, int row);

// The two depth checks. The first writes a notice to the console; when the
// second fails its message goes to the report and the result is false.
bool checkSoilDepth(ProblemData& problem, ReportWriter& report, LayoutWriter& console);

// Quantities fixed while the input is echoed, in the order of the echo.
void setModulusLabel(ProblemData& problem);
void computeCrossSectionArea(ProblemData& problem);
void setEmbeddedLength(ProblemData& problem);
void convertBatterAngleToRadians(ProblemData& problem);

// Snaps the soil row depths to the length increment (once).
void snapLayerDepths(ProblemData& problem);
// Number of computation segments from the soil profile bottom.
int32_t countSegments(const ProblemData& problem);
// The grid must give every node a segment and every segment two soil rows
// to take its properties between: the deepest node, at the pile tip, reads
// the segment that starts there, the soil rows must reach below the top of
// the last segment, and the first two rows must not share a depth below the
// ground surface (the soil above them is extrapolated from them). False,
// with a message naming the depths in the report and on the console, when
// one of these fails.
bool checkGridCoversPile(const ProblemData& problem, const ComputationGrid& grid, ReportWriter& report,
                         LayoutWriter& console);
// Builds segments, stresses, estimates, critical depths and nodeCount
// (at the start of every pass of the result stage).
void buildSoilSegments(ProblemData& problem, ComputationGrid& grid);

}  // namespace tovek
