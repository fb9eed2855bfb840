#include "capacity/prepare_profile.h"

#include "capacity/depth_columns.h"

namespace tovek {

void prepareProfileForReport(AnalysisState& state, int32_t methodCode) {
    const ProblemData& p = state.problem;
    const ComputationGrid& grid = state.grid;
    CapacityProfile& cap = state.method(methodCode).capacity;
    const int32_t m = countWithin(grid.nodeCount, kMaxNodes);
    assert(m <= grid.segmentCount);  // every node has the segment that starts there
    for (int32_t j = 1; j <= m; ++j) {
        cap.pileLength[j] = (j - 1) * p.options.lengthIncrement;
        cap.factoredEndBearing[j] = cap.endBearing[j] * grid.segments[j].lrfdBearingFactor;
        cap.ultimateCapacity[j] = cap.skinFriction[j] + cap.factoredEndBearing[j];
    }
    depthColumn(cap.pileLength, m, p.pile.batterAngle, p.options.groundElevation, p.options.elevationOutput,
                cap.depthBelowGround);
    plotPositionColumn(cap.pileLength, m, p.pile.batterAngle, p.options.groundElevation, p.options.elevationOutput,
                       cap.plotPosition);
}

}  // namespace tovek
