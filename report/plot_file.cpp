#include "report/plot_file.h"

namespace tovek {

void writePlotHeader(PlotWriter& plot, const ProblemData& problem, int32_t blockCount, int32_t rowCount) {
    plot.integers({blockCount, rowCount, problem.unitSystem, problem.options.loadTransferMethod});
}

void writePlotRow(PlotWriter& plot, int32_t node, const CapacityProfile& profile, const MethodNodeArrays& nodes) {
    static const RowLayout kRow("2X,F7.2,2X,F8.1,2X,F8.1,2X,F9.1,2X,F9.3");
    plot.row(kRow, {profile.plotPosition[node], profile.skinFriction[node], profile.factoredEndBearing[node],
                    profile.ultimateCapacity[node], nodes.nodeSideFriction[node]});
}

}  // namespace tovek
