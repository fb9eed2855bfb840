// The design charts of the FHWA shaft friction: Nordlund's charts for sand
// (the friction angle ratio delta/phi, the correction factor C_F of K-delta
// and the coefficient of lateral earth pressure K-delta) and the adhesion
// factor alpha of driven piles in clay. All are read piecewise linearly and
// hold their end values outside their ranges.
#pragma once

#include <cstdint>

namespace tovek {

// delta/phi against the displaced volume V (ft3 per ft of pile) for the pile
// types 1 to 7; any other type reads the column of a steel pipe (type 1),
// the lowest ratio of the chart over most of its range.
double deltaRatio(int32_t pileType, double displacedVolume);

// C_F for the ratio r = delta/phi and the friction angle phi (degrees).
double correctionFactor(double ratio, double frictionAngle);

// K-delta of the chart for phi = 25, 30, 35 or 40 (`chartAngle`), at the
// displaced volume V (ft3/ft) and the taper angle omega (degrees). Any other
// chart angle reads the nearest of the four charts at or below it (the 25
// chart below 30).
double kDelta(int32_t chartAngle, double displacedVolume, double taperAngle);

// alpha for the clay case (1 sand or gravel over clay, 2 soft clay over
// stiff clay, 3 stiff clay), the undrained shear strength c_u in ksf and the
// penetration ratio r. A case outside 1..3 has no chart: 0.
double alphaChart(int32_t clayCase, double undrainedShearStrength, double penetrationRatio);

}  // namespace tovek
