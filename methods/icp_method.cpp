// ICP/MTD (Imperial College): unit side friction along the shaft and the
// shaft capacity against penetration.
//
// Sand: f = (sigma'rc + dsigma'rd) tan(phi - 5 deg). The radial stress at
// rest falls with the distance to the tip, sigma'rc = 0.029 qc
// (sigma'v / pa)^0.13 (h / R*)^-0.38 with h / R* held at 8 or more; the
// dilation term is 2 G dh / R with the small-strain shear modulus from the
// cone resistance and the normalised cone resistance at the segment
// bottom, and a radial displacement dh of 0.02 mm. In tension the radial
// stress counts at 0.8, and an open pile's friction at 0.9 more. Clay
// follows the rule shared with Fugro and UWA.
//
// Source: Jardine, Chow, Overy and Standing (2005), ICP design methods for
// driven piles in sands and clays, Thomas Telford, London.
#include <algorithm>
#include <cmath>

#include "input/units.h"
#include "methods/cone_methods.h"
#include "methods/methods.h"

namespace tovek {

namespace {

EndFriction icpSandFriction(const ConeSand& s) {
    const ProblemData& p = s.problem;
    const bool english = englishUnits(p);
    const double r = std::max<double>(8, s.distanceToTip / equivalentRadius(p.pile));
    const double qc = s.qc;
    auto radialAtRest = [&](double stress) {
        return 0.029f * qc * std::pow(stress / s.pa, 0.13f) * std::pow(r, -0.38f);
    };
    // One dilation term for the segment, from its bottom stress. Without a
    // stress there the normalised cone resistance is unbounded and the
    // shear modulus, qc over a denominator that falls without bound, tends
    // to 0: the term is taken as that limit.
    double dilation = 0;
    if (s.stressBottom > 0) {
        const double eta = qc / std::sqrt(s.pa * s.stressBottom);
        const double shearModulus = qc / (0.0203f + 0.00125f * eta - 1.216E-6f * (eta * eta));
        const double dh = english ? static_cast<double>(0.0007874016f) : static_cast<double>(0.02f);  // in / mm
        dilation = 2 * shearModulus * dh / (p.pile.outsideDiameter / 2);
    }
    if (!s.tension)
        return {(radialAtRest(s.stressTop) + dilation) * s.tanDelta,
                (radialAtRest(s.stressBottom) + dilation) * s.tanDelta};
    EndFriction f{(0.8f * radialAtRest(s.stressTop) + dilation) * s.tanDelta,
                  (0.8f * radialAtRest(s.stressBottom) + dilation) * s.tanDelta};
    if (p.pile.enhancedEndInsideDiameter > 1.0e-5f) {
        f.top *= 0.9f;
        f.bottom *= 0.9f;
    }
    return f;
}

}  // namespace

void computeIcpFriction(AnalysisState& state, ReportWriter& report) {
    computeConeFriction(state, report, kIcp, icpSandFriction);
}

}  // namespace tovek
