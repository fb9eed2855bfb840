// Friction angle of a sand estimated from its SPT blow count and the
// vertical effective stress (overburden).
#pragma once

namespace tovek {

// Reads the friction angle (degrees) for blow count `blowCount` (> 0) at the
// overburden `stressPsi` (psi) from the chart of friction angle against
// blow count for 0, 20 and 40 psi overburden, then caps it by the upper
// bound of the angle against blow count for that overburden. `result`
// receives the estimate.
void frictionAngleFromBlowCount(double& result, double blowCount, double stressPsi);

}  // namespace tovek
