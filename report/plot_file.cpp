#include "report/plot_file.h"

namespace tovek {

void writePlotHeader(RunStore& store, int32_t blockCount, int32_t rowCount) {
    store.plot.integers({blockCount, rowCount, store.problem.unitSystem, store.problem.options.loadTransferMethod});
}

} // namespace tovek
