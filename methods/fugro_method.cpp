// Fugro (2004): unit side friction along the shaft and the shaft capacity
// against penetration.
//
// Sand in compression: f = 0.08 qc (sigma'v / pa)^0.05 (h / R*)^-0.9,
// reduced linearly to the tip over the last four equivalent radii (the
// factor h / 4 R*). In tension: f = 0.045 qc (sigma'v / pa)^0.15
// (h / R*)^-0.85 with h / R* held at 4 or more. Clay follows the rule
// shared with ICP/MTD and UWA.
//
// Source: Kolk, Baaijens and Senders (2005), Design criteria for pipe
// piles in silica sands; Proc. ISFOG, Perth.
#include <algorithm>
#include <cmath>

#include "methods/cone_methods.h"
#include "methods/methods.h"

namespace tovek {

namespace {

EndFriction fugroSandFriction(const ConeSand& s) {
    const double x = s.distanceToTip / equivalentRadius(s.problem.pile);
    const double qc = s.qc;
    auto friction = [&](double stress) {
        if (s.tension) return 0.045f * qc * std::pow(stress / s.pa, 0.15f) * std::pow(std::max<double>(x, 4), -0.85f);
        const double f = 0.08f * qc * std::pow(stress / s.pa, 0.05f) * std::pow(x, -0.9f);
        // Near the tip the same expression falls off with x / 4; both
        // pieces meet at x = 4.
        return x > 4 ? f : f * x / 4;
    };
    return {friction(s.stressTop), friction(s.stressBottom)};
}

}  // namespace

void computeFugroFriction(AnalysisState& state, ReportWriter& report) {
    computeConeFriction(state, report, kFugro, fugroSandFriction);
}

}  // namespace tovek
