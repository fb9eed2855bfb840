#include "capacity/integrator.h"

namespace tovek {

void integrateCapacity(RunStore&) {}

} // namespace tovek
