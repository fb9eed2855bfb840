#include "report/plot_file.h"

namespace tovek {

void writePlotHeader(RunStore& store, int32_t blockCount, int32_t rowCount) {
    store.plot.integers({blockCount, rowCount, store.problem.unitSystem, store.problem.options.loadTransferMethod});
}

void writePlotRow(RunStore& store, int32_t node, const CapacityProfile& profile, const MethodNodeArrays& nodes) {
    const size_t j = static_cast<size_t>(node);
    store.plot.write("2X,F7.2,2X,F8.1,2X,F8.1,2X,F9.1,2X,F9.3",
                     {profile.plotPosition[j], profile.skinFriction[j], profile.endBearing[j],
                      profile.ultimateCapacity[j], nodes.plotSideFriction[j]});
}

} // namespace tovek
