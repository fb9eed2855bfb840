#include "methods/user_method.h"

namespace tovek {

void computeUserMethodCapacity(RunStore&) {}

} // namespace tovek
