#include "settlement/load_settlement.h"

namespace tovek {

void handOverNodeValues(RunStore&) {}

void runLoadSettlement(RunStore&) {}

void listVerificationCurves(RunStore&) {}

} // namespace tovek
