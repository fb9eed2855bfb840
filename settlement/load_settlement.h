// The load-settlement stage: hand-over of the chosen method's node values,
// t-z and tip curves, load distributions and the load-settlement curve, and
// the verification listing of t-z curves.
#pragma once

#include "engine/run_store.h"

namespace tovek {

// Takes nodeSideFriction and nodeTipResistance from the method chosen by
// loadTransferMethod.
void handOverNodeValues(RunStore& store);

void runLoadSettlement(RunStore& store);

void listVerificationCurves(RunStore& store);

} // namespace tovek
