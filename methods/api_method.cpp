#include "methods/api_method.h"

namespace tovek {

void computeApiFriction(RunStore&) {}

} // namespace tovek
