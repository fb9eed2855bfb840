// UWA (University of Western Australia): unit side friction along the
// shaft and the shaft capacity against penetration.
//
// Sand: f = (sigma'rc + dsigma'rd) tan(phi - 5 deg), with the radial stress
// sigma'rc = 0.03 qc Are^0.3 (h / D)^-0.5 (h / D held at 2 or more) on the
// effective area ratio of an open pile, Are = 1 - FFR (Di / D)^2, FFR
// being the filling ratio estimated from the inside diameter, and the
// dilation term G dr / D with G = 185 qc qN^-0.75 and a radial
// displacement dr of 0.08 mm. Tension takes 0.75 of the friction. Clay
// follows the rule shared with ICP/MTD and Fugro.
//
// Source: Lehane, Schneider and Xu (2005), The UWA-05 method for
// prediction of axial capacity of driven piles in sand; Proc. ISFOG, Perth.
#include <algorithm>
#include <cmath>

#include "input/units.h"
#include "methods/cone_methods.h"
#include "methods/methods.h"

namespace tovek {

namespace {

EndFriction uwaSandFriction(const ConeSand& s) {
    const ProblemData& p = s.problem;
    const bool english = englishUnits(p);
    const double d = p.pile.outsideDiameter;
    const double di = p.pile.enhancedEndInsideDiameter;
    const double insideMetres = english ? di * 0.0254f : di * 0.001f;
    const double fillingRatio = std::min(1.0, std::pow(insideMetres / 1.5f, 0.2f));
    // An end section wider than the pile (possible only for a pile given by
    // its perimeter) leaves no area: the ratio is held at 0 rather than
    // taking a root of a negative number.
    const double areaRatio = std::max(0.0, 1 - fillingRatio * ((di / d) * (di / d)));
    const double qc = s.qc;
    const double radial =
        0.03f * qc * std::pow(areaRatio, 0.3f) * std::pow(std::max<double>(s.distanceToTip / d, 2), -0.5f);
    const double dr = english ? static_cast<double>(0.0031496063f) : static_cast<double>(0.08f);  // in / mm
    auto friction = [&](double stress) {
        // Without cone resistance there is no stiffness: G = 185 qc / qN^0.75
        // grows as qc^0.25 and is taken as its limit 0 at qc = 0, rather
        // than forming 0 / 0.
        double dilation = 0;
        if (qc > 0) {
            const double qn = (qc / s.pa) / std::sqrt(std::max<double>(1.0E-7f, stress / s.pa));
            const double shearModulus = 185 * qc / std::pow(qn, 0.75f);
            dilation = shearModulus * dr / d;
        }
        const double f = (radial + dilation) * s.tanDelta;
        return s.tension ? f * 0.75f : f;
    };
    return {friction(s.stressTop), friction(s.stressBottom)};
}

}  // namespace

void computeUwaFriction(AnalysisState& state, ReportWriter& report) {
    computeConeFriction(state, report, kUwa, uwaSandFriction);
}

}  // namespace tovek
