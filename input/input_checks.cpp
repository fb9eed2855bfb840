#include "input/input_checks.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>

#include "capacity/blow_count.h"
#include "input/units.h"

namespace tovek {

namespace {

bool english(const ProblemData& p) { return englishUnits(p); }

// int(x) of a count that the file drives, held inside the integer range.
int32_t truncatedCount(double value) {
    if (!(value > std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
    if (!(value < std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

int32_t nodeCountOf(const ProblemData& p) {
    const int32_t intervals = truncatedCount(p.pile.embeddedLength / p.options.lengthIncrement + 0.000001f);
    return intervals < std::numeric_limits<int32_t>::max() ? intervals + 1 : intervals;
}

double verticalIncrementOf(const ProblemData& p) { return p.options.lengthIncrement * std::cos(p.pile.batterAngle); }

// Top of segment `i`, accumulated from the ground surface exactly as the
// segments are built.
double segmentTopOf(int32_t i, double verticalIncrement) {
    double top = 0;
    for (int32_t k = 1; k < i; ++k) top = top + verticalIncrement;
    return top;
}

const SoilLayer& row(const ProblemData& p, int k) { return p.layers[k]; }

// Linear interpolation of one soil field between rows k and k+1 at depth m.
double interpolate(double above, double below, double depthAbove, double depthBelow, double m) {
    return above + (below - above) / (depthBelow - depthAbove) * (m - depthAbove);
}

void interpolateSegment(SoilSegment& s, const SoilLayer& a, const SoilLayer& b, double m) {
    if (b.depth == a.depth) {
        // Only reachable when the rows were never checked: take the upper row.
        static_cast<SoilProperties&>(s) = a;
        return;
    }
    auto at = [&](double SoilProperties::*field) { return interpolate(a.*field, b.*field, a.depth, b.depth, m); };
    s.soilType = a.soilType;
    s.lateralEarthPressure = at(&SoilProperties::lateralEarthPressure);
    s.effectiveUnitWeight = at(&SoilProperties::effectiveUnitWeight);
    s.frictionAngle = at(&SoilProperties::frictionAngle);
    s.bearingCapacityFactor = at(&SoilProperties::bearingCapacityFactor);
    s.maxUnitFriction = at(&SoilProperties::maxUnitFriction);
    s.maxUnitBearing = at(&SoilProperties::maxUnitBearing);
    s.undrainedShearStrength = at(&SoilProperties::undrainedShearStrength);
    s.remoldedShearStrength = at(&SoilProperties::remoldedShearStrength);
    s.blowCount = at(&SoilProperties::blowCount);
    s.plasticityIndex = at(&SoilProperties::plasticityIndex);
    s.coneTipResistance = at(&SoilProperties::coneTipResistance);
    s.userUnitSkinFriction = at(&SoilProperties::userUnitSkinFriction);
    s.userUnitEndBearing = at(&SoilProperties::userUnitEndBearing);
    s.lrfdFrictionFactor = at(&SoilProperties::lrfdFrictionFactor);
    s.lrfdBearingFactor = at(&SoilProperties::lrfdBearingFactor);
    s.layerCurveCode = at(&SoilProperties::layerCurveCode);
    s.peakMovement = at(&SoilProperties::peakMovement);
    // The residual factor is taken from the rows themselves by the t-z
    // curves; a segment carries none.
    s.residualFactor = 0;
}

// Writes a message that ends the run to the report and the console.
void writeStopMessage(ReportWriter& report, LayoutWriter& console, const char* layout,
                      std::initializer_list<LayoutValue> values) {
    report.write(layout, values);
    console.write(layout, values);
}

}  // namespace

void applyPileLineRules(ProblemData& p) {
    PileSection& pile = p.pile;
    AnalysisOptions& o = p.options;
    o.tipAveragingDiameters = o.tipAveraging == 0 ? 0.0 : o.tipAveraging == 2 ? 3.0 : 1.5;
    pile.outsideDiameterAsRead = pile.outsideDiameter;
    pile.tipAreaAsRead = pile.tipArea;
    if (english(p)) pile.tipArea = pile.tipArea / 144;
    // A non-circular pile is analysed as a solid circle of its perimeter.
    if (pile.perimeter > 1.0E-10f) {
        pile.outsideDiameter = pile.perimeter / 3.1416f;
        pile.insideDiameter = 0;
    }
}

void applyEnhancedEndRule(ProblemData& p) {
    PileSection& pile = p.pile;
    if (pile.enhancedEndLength < 0.00001f) {
        pile.enhancedEndInsideDiameter = pile.insideDiameter;
        pile.enhancedEndLength = pile.totalLength - 0.0000001f;
    }
}

void prepareLayer(ProblemData& p, int i) {
    SoilLayer& r = p.layers[i];
    // A sand row carries its blow count in the remolded strength column.
    if (r.soilType == 1.0) {
        r.blowCount = r.remoldedShearStrength;
        r.remoldedShearStrength = 0;
    }
    // The water table lies at the first row of submerged unit weight.
    if (p.waterTableDepth >= kNoWaterTable) {
        const double submerged = english(p) ? 75.0f : 12.0f;
        if (r.effectiveUnitWeight < submerged) p.waterTableDepth = r.depth;
    }
    if (english(p)) {
        // psf to ksf
        r.maxUnitFriction = r.maxUnitFriction / 1000;
        r.maxUnitBearing = r.maxUnitBearing / 1000;
        r.undrainedShearStrength = r.undrainedShearStrength / 1000;
        r.remoldedShearStrength = r.remoldedShearStrength / 1000;
    } else {
        r.peakMovement = r.peakMovement / 1000;  // mm to m
    }
    if (r.maxUnitFriction < 1.0E-10f) {
        p.frictionLimitDefaulted[i] = 1;
        r.maxUnitFriction = kNoLayerLimit;
    }
    if (r.maxUnitBearing < 1.0E-10f) {
        p.bearingLimitDefaulted[i] = 1;
        r.maxUnitBearing = kNoLayerLimit;
    }
}

bool checkSoilDepth(ProblemData& p, ReportWriter& report, LayoutWriter& console) {
    const PileSection& pile = p.pile;
    p.requiredSoilDepth = (pile.totalLength - pile.stickupLength) * std::cos(pile.batterAngle * 3.1415927f / 180) +
                          2 * pile.outsideDiameter / diameterDivisor(p);
    const std::string& label = p.labels.lengthLabel;
    if (p.requiredSoilDepth > row(p, p.layerCount).depth)
        console.write(
            "///10X,'COMPUTATION DOES NOT PROCEED BECAUSE NO SOIL',' INFORMATION'/"
            "10X,'WAS PROVIDED AT THE DEPTH ',F10.2,1X,A3/"
            "10X,'PLEASE NOTE THAT SOIL SHOULD EXTEND AT LEAST THE '/"
            "10X,' PILE LENGTH PLUS TWO PILE DIAMETERS'",
            {p.requiredSoilDepth, label});
    if (p.requiredSoilDepth > p.soilProfileBottom) {
        report.write(
            "//10X,'COMPUTATION DOES NOT PROCEED BECAUSE THE ','DEEPEST SOIL PROFILE ',F7.2,1X,A3/"
            "10X,'IS LESS THAN PILE ','EMBEDDED LENGTH PLUS TWO TIMES THE PILE DIAMETER ',F10.2,1X,A3",
            {p.soilProfileBottom, label, p.requiredSoilDepth, label});
        return false;
    }
    return true;
}

void setModulusLabel(ProblemData& problem) { problem.labels.modulusLabel = english(problem) ? "PSI" : "KPA"; }

void computeCrossSectionArea(ProblemData& problem) {
    PileSection& pile = problem.pile;
    // A non-zero option keeps the area of record 9 or uses the area table.
    if (pile.areaOption != 0) return;
    const bool nonCircular = pile.pileType == 6 || (pile.pileType == 3 && pile.perimeter > 0);
    if (nonCircular) {
        pile.crossSectionArea = pile.tipAreaAsRead;
        return;
    }
    const double d = pile.outsideDiameterAsRead;
    const bool hollow = pile.pileType == 1 || (pile.pileType == 3 && pile.perimeter == 0);
    double area = hollow ? 0.7854f * (d * d - pile.insideDiameter * pile.insideDiameter) : 0.7854f * (d * d);
    if (!english(problem)) area = area / 1000 / 1000;  // mm2 to m2
    pile.crossSectionArea = area;
}

void setEmbeddedLength(ProblemData& problem) {
    problem.pile.embeddedLength = problem.pile.totalLength - problem.pile.stickupLength;
}

void convertBatterAngleToRadians(ProblemData& problem) {
    problem.pile.batterAngle = problem.pile.batterAngle * 3.1415927f / 180;
}

void snapLayerDepths(ProblemData& problem) {
    const double h = problem.options.lengthIncrement;
    for (int k = 1; k < problem.layerCount; ++k) {
        const double above = problem.layers[k].depth;
        double& below = problem.layers[k + 1].depth;
        const double d = below - above;
        if (d < h / 2)
            below = above;  // the row interval vanishes
        else if (d < h)
            below = above + h;
    }
}

int32_t countSegments(const ProblemData& problem) {
    return truncatedCount(problem.soilProfileBottom / problem.options.lengthIncrement + 0.000001f);
}

bool checkGridCoversPile(const ProblemData& p, const ComputationGrid& grid, ReportWriter& report,
                         LayoutWriter& console) {
    const std::string& label = p.labels.lengthLabel;
    const int32_t n = grid.segmentCount;
    const int32_t m = nodeCountOf(p);
    const double vi = verticalIncrementOf(p);

    if (p.layerCount < 2) {
        writeStopMessage(report, console,
                         "//10X,'COMPUTATION DOES NOT PROCEED BECAUSE THE SOIL LAYER TABLE HAS ONLY ONE ROW'/"
                         "10X,'SOIL PROPERTIES ARE TAKEN BETWEEN ROWS: PLEASE GIVE AT LEAST TWO ROWS'",
                         {});
        return false;
    }
    // Node j reads segment j, so the deepest node, at the pile tip, needs
    // the segment that starts there.
    if (n < m) {
        const double reached = n > 0 ? segmentTopOf(n, vi) + vi : 0.0;
        const double tip = p.pile.embeddedLength * std::cos(p.pile.batterAngle);
        writeStopMessage(report, console,
                         "//10X,'COMPUTATION DOES NOT PROCEED BECAUSE THE COMPUTATION SEGMENTS ',"
                         "'END AT THE DEPTH ',F10.2,1X,A3/"
                         "10X,'AND DO NOT REACH BELOW THE PILE TIP AT THE DEPTH ',F10.2,1X,A3/"
                         "10X,'PLEASE EXTEND THE DEEPEST SOIL PROFILE OR USE A SMALLER INCREMENT OF PILE LENGTH'",
                         {reached, label, tip, label});
        return false;
    }
    // Every segment takes its properties between two rows below its top.
    const double lastTop = segmentTopOf(n, vi);
    const double deepestRow = row(p, p.layerCount).depth;
    if (!(deepestRow - lastTop > 0.000001f)) {
        writeStopMessage(report, console,
                         "//10X,'COMPUTATION DOES NOT PROCEED BECAUSE THE SOIL LAYER TABLE ',"
                         "'ENDS AT THE DEPTH ',F10.2,1X,A3/"
                         "10X,'AND DOES NOT REACH BELOW THE TOP OF THE LAST SEGMENT AT ',F10.2,1X,A3/"
                         "10X,'PLEASE GIVE SOIL LAYER ROWS DOWN TO THE DEEPEST SOIL PROFILE ',F7.2,1X,A3",
                         {deepestRow, label, lastTop, label, p.soilProfileBottom, label});
        return false;
    }
    // Segments above a first row below the ground surface are extrapolated
    // from the first two rows, which needs two different depths.
    const double first = row(p, 1).depth;
    if (row(p, 2).depth - 0.0 > 0.000001f && row(p, 2).depth == first) {
        writeStopMessage(report, console,
                         "//10X,'COMPUTATION DOES NOT PROCEED BECAUSE THE FIRST TWO SOIL LAYER ROWS ',"
                         "'SHARE THE DEPTH ',F10.2,1X,A3/"
                         "10X,'BELOW THE GROUND SURFACE: THE SOIL ABOVE THEM CANNOT BE EXTRAPOLATED'/"
                         "10X,'(ROW DEPTHS CLOSER THAN HALF THE INCREMENT OF PILE LENGTH ARE MERGED)'",
                         {first, label});
        return false;
    }
    return true;
}

void measureSegments(ComputationGrid& grid) {
    const int32_t n = countWithin(grid.segmentCount, kMaxSegments);
    grid.segmentBottomDepth[0] = 0;
    for (int32_t i = 1; i <= n; ++i) {
        const SoilSegment& seg = grid.segments[i];
        grid.segmentThickness[i] = seg.segmentBottom - seg.segmentTop;
        grid.segmentBottomDepth[i] = grid.segmentBottomDepth[i - 1] + grid.segmentThickness[i];
    }
}

void buildSoilSegments(ProblemData& p, ComputationGrid& g) {
    const bool eng = english(p);
    const int32_t n = std::min(std::max(g.segmentCount, 0), kMaxSegments);
    const double vi = verticalIncrementOf(p);
    g.verticalIncrement = vi;
    auto seg = [&](int i) -> SoilSegment& { return g.segments[i]; };
    auto stress = [&](int k) -> double& { return g.boundaryStress[k]; };
    auto limited = [&](int k) -> double& { return g.criticalDepthStress[k]; };

    AnalysisOptions& o = p.options;
    const bool stressCriticalDepth = o.criticalDepthOption == 1;
    if (stressCriticalDepth) o.criticalDepth = 0;
    const double criticalStress = eng ? 3.5f : 167.58f;
    double estimate = 0;  // friction angle from blow count

    // First sweep, from the top: geometry, properties, stresses, estimates.
    int k = 1;
    const int lastInterval = std::max(p.layerCount - 1, 1);
    for (int i = 1; i <= n; ++i) {
        SoilSegment& s = seg(i);
        s.segmentTop = i == 1 ? 0.0 : seg(i - 1).segmentBottom;
        s.segmentBottom = s.segmentTop + vi;
        while (k < lastInterval && !(row(p, k + 1).depth - s.segmentTop > 0.000001f)) ++k;
        const double mid = s.segmentTop + vi / 2;
        interpolateSegment(s, row(p, k), row(p, std::min(k + 1, kMaxLayers)), mid);

        if (s.lateralEarthPressure == 0) s.lateralEarthPressure = 0.8f;
        if (eng) {
            s.userUnitSkinFriction = s.userUnitSkinFriction * o.tensionReductionFactor / 1000;
            s.userUnitEndBearing = s.userUnitEndBearing * o.tensionReductionFactor / 1000;
        }

        if (i == 1) stress(1) = 0;
        double increment = (s.segmentBottom - s.segmentTop) * s.effectiveUnitWeight;
        if (eng) increment = increment / 1000;  // pcf x ft to ksf
        stress(2 * i) = stress(2 * i - 1) + increment;
        if (i < n) stress(2 * i + 1) = stress(2 * i);

        if (s.frictionAngle < 1.0E-10f && s.blowCount > 0) {
            const double psi = eng ? stress(2 * i) * 1000 / 144 : stress(2 * i) / 6.8948f;
            frictionAngleFromBlowCount(estimate, s.blowCount, psi);
            s.frictionAngle = estimate;
        }
        if (s.undrainedShearStrength < 1.0E-10f) {
            const double qc = eng ? s.coneTipResistance / 1000 : s.coneTipResistance;
            s.undrainedShearStrength = qc / 15;
        }
        if (stressCriticalDepth && i >= 2 && stress(2 * i) > criticalStress && o.criticalDepth < 0.00001f)
            o.criticalDepth = s.segmentBottom;
    }

    // Second sweep: critical depth per segment and the limited stresses.
    // No limit applies (infinite critical depth) to a clay segment with no
    // sand or silt segment above it, and, with the critical depth at a
    // stress, to every segment when no stress in the column reaches that
    // stress: the effective stress then grows with depth as it does above a
    // critical depth. Literally these cases would give a critical depth of 0
    // and a limited stress of 0 everywhere, which the users of the value
    // would take as no stress at all.
    const double noLimit = std::numeric_limits<double>::infinity();
    const double diameter = p.pile.outsideDiameter / diameterDivisor(p);
    const bool criticalDepthFound = !stressCriticalDepth || o.criticalDepth >= 0.00001f;
    double dc = noLimit;
    if (n >= 1) {
        limited(1) = 0;
        limited(2) = stress(2);
        if (n > 1) limited(3) = limited(2);
    }
    for (int i = 2; i <= n; ++i) {
        const SoilSegment& s = seg(i);
        if (s.soilType < 1.5 || s.soilType > 2.5) {
            const double phi = s.frictionAngle;
            dc = phi < 33 ? 10 * diameter : phi < 36 ? 15 * diameter : 20 * diameter;
        }
        if (o.criticalDepthOption > 0) dc = criticalDepthFound ? o.criticalDepth : noLimit;
        if (s.segmentBottom < dc) {
            limited(2 * i) = stress(2 * i);
        } else {
            int c = 2;
            while (c < i && seg(c).segmentBottom < dc) ++c;
            const SoilSegment& above = seg(c - 1);
            double extra = (dc - above.segmentTop) * above.effectiveUnitWeight;
            if (eng) extra = extra / 1000;
            limited(2 * i) = stress(2 * (c - 1) - 1) + extra;
        }
        if (i < n) limited(2 * i + 1) = limited(2 * i);
    }

    measureSegments(g);
    g.nodeCount = nodeCountOf(p);
}

}  // namespace tovek
