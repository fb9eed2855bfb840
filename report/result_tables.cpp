#include "report/result_tables.h"

namespace tovek {

void writeResultHeading(RunStore&) {}

int32_t printedRowCount(int32_t nodeCount, int32_t printIncrement) {
    if (nodeCount < 1 || printIncrement < 1) return 0;
    int32_t rows = (nodeCount - 1) / printIncrement + 1;
    if ((nodeCount - 1) % printIncrement != 0) ++rows;
    return rows;
}

void prepareProfileForReport(RunStore&, int32_t) {}

void writeMethodTable(RunStore&, int32_t) {}

} // namespace tovek
