// The cone-resistance methods NGI, ICP/MTD, Fugro and UWA on small
// hand-filled grids: their unit side friction at the segment boundaries,
// the copy the inside friction reads, the store values they leave for the
// later methods, and the shaft capacity from the node friction.
//
// English units unless said otherwise. The methods' own reference pressure
// is pa = 2.0885546 ksf (100 kPa); tan(35 - 5 deg) = tan(30 / 57.2958) =
// 0.57735003. A 24 in pipe with a 22 in bore has R = 12 in and
// R* = sqrt((576 - 484) / 4) = sqrt(23) = 4.7958315 in; a closed 12 in
// pile R* = 6 in.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "capacity/integrator.h"
#include "capacity_test_grid.h"
#include "methods/cone_methods.h"
#include "methods/methods.h"
#include "support/test_support.h"

namespace tovek {
namespace {

using test::CapacityGrid;

constexpr double kPa = 2.0885546f;
constexpr double kTan30 = 0.577350028635931;
const double kTan245 = std::tan(static_cast<double>(24.5f) / 57.2958f);

void sand(CapacityGrid& g, int i, double qcPsf, double top, double bottom) {
    SoilSegment& s = g.segment(i);
    s.soilType = 1;
    s.frictionAngle = 35;
    s.coneTipResistance = qcPsf;
    s.lrfdFrictionFactor = 1;
    g.stresses(i, top, bottom);
}

void clay(CapacityGrid& g, int i, double su, double sr, double ysr, double pi, double top, double bottom) {
    SoilSegment& s = g.segment(i);
    s.soilType = 2;
    s.undrainedShearStrength = su;
    s.remoldedShearStrength = sr;
    s.blowCount = ysr;
    s.plasticityIndex = pi;
    s.lrfdFrictionFactor = 1;
    g.stresses(i, top, bottom);
}

const Array1<double, kMaxBoundaries>& shaft(CapacityGrid& g, int code) {
    return g.store().method(code).transfer.shaftUnitFriction;
}
const Array1<double, kMaxBoundaries>& inside(CapacityGrid& g, int code) {
    return g.store().method(code).transfer.unitSideFriction;
}

// The report lines a method wrote.
std::vector<std::string> reportLines(const std::ostringstream& out) { return test::splitLines(out.str()); }

// --- shared steps ------------------------------------------------------------

TEST(ConeMethods, SandConeResistanceEstimatesWithTheMethodsOwnPressure) {
    CapacityGrid g(3);
    g.segment(1).coneTipResistance = 150000.0;  // psf: 150 ksf
    g.segment(2).blowCount = 20;
    EXPECT_NEAR(sandConeResistance(g.store(), 1), 150.0, 1e-12);
    // 2.8 x 2.0885546 = 5.8479528 ksf per blow (not 2.8 x 2.1168).
    EXPECT_NEAR(sandConeResistance(g.store(), 2), 20 * 5.8479528, 1e-5);
    CapacityGrid si(3, 1.0, 2);
    si.segment(2).blowCount = 20;
    EXPECT_NEAR(sandConeResistance(si.store(), 2), 5600.0, 1e-9);
    // With a profile the profile is read instead of the estimate (in psf).
    g.problem().cptPointCount = 1;
    g.problem().cptTipResistance[1] = 90000.0;
    EXPECT_NEAR(sandConeResistance(g.store(), 2), 90.0, 1e-12);
}

TEST(ConeMethods, ClayInterfaceAngleFromThePlasticityIndex) {
    struct Case {
        double pi, angle;
    };
    const Case cases[] = {
        {-1, 34}, {0, 34}, {2.5, 33}, {5, 32}, {42.5, 16.1}, {45, 15.2}, {67.5, 10.75}, {80, 8.5}, {100, 8.5},
    };
    for (const Case& c : cases) EXPECT_NEAR(clayInterfaceAngle(c.pi), c.angle, 1e-6) << c.pi;
}

TEST(ConeMethods, DistancesToTheTipAndTheEquivalentRadius) {
    CapacityGrid g(6);
    g.openPipe(24.0, 22.0, 4.0);
    const ProblemData& p = g.problem();
    // Segment i starts at the pile length of node i: h = (4 - (i - 1)) x 12 in.
    EXPECT_DOUBLE_EQ(distanceToTip(p, 1), 48.0);
    EXPECT_DOUBLE_EQ(distanceToTip(p, 4), 12.0);
    EXPECT_DOUBLE_EQ(distanceToTip(p, 6), -12.0);
    EXPECT_DOUBLE_EQ(heldDistanceToTip(p, 5), static_cast<double>(1.0e-5f));
    EXPECT_DOUBLE_EQ(heldDistanceToTip(p, 6), static_cast<double>(1.0e-5f));
    EXPECT_NEAR(equivalentRadius(p.pile), 4.7958315, 1e-7);
    g.closedPile(12.0, 4.0);
    EXPECT_DOUBLE_EQ(equivalentRadius(g.pile()), 6.0);
    // An end section wider than a pile given by its perimeter leaves no
    // wall: R* = 0, and the ratios to it are unbounded, not undefined.
    g.pile().enhancedEndInsideDiameter = 13.0;
    EXPECT_EQ(equivalentRadius(g.pile()), 0.0);
}

TEST(ConeMethods, NoWallLeavesFiniteFriction) {
    // Sand and clay under a pile whose end section is wider than the pile:
    // r and x are infinite, the terms that fall with them vanish.
    CapacityGrid g(3);
    g.closedPile(12.0, 2.0);
    g.pile().enhancedEndInsideDiameter = 13.0;
    g.nodes(3);
    sand(g, 1, 100000, 0.0, 0.1);
    sand(g, 2, 100000, 0.1, 0.2);
    clay(g, 3, 1.0, 0.5, 2, 20, 0.2, 0.3);
    computeIcpFriction(g.store(), g.store().report);
    computeFugroFriction(g.store(), g.store().report);
    computeUwaFriction(g.store(), g.store().report);
    for (int code : {kIcp, kFugro, kUwa})
        for (int k = 1; k <= 6; ++k) EXPECT_TRUE(std::isfinite(shaft(g, code)[k])) << code << " " << k;
    // Fugro's friction falls with x^-0.9: nothing is left of it.
    EXPECT_EQ(shaft(g, kFugro)[2], 0.0);
}

TEST(ConeMethods, ShaftCapacityIsTheTrapezoidOfTheNodeFrictionWithoutLimitOrTensionFactor) {
    // Segments of 1 ft under a closed 12 in pile (P = 3.14159 ft) carry the
    // boundary friction below; the nodes at 0, 1, 2 and 3 ft read 0, 0.2,
    // 0.5 and 0.6 ksf (a node at a segment bottom reads that bottom).
    CapacityGrid g(4);
    g.closedPile(12.0, 3.0);
    g.nodes(4);
    g.options().loadingType = 1;
    g.options().tensionReductionFactor = 0.5;  // not used by the cone methods
    g.options().sideFrictionReduction = 0;
    for (int i = 1; i <= 4; ++i) {
        g.segment(i).maxUnitFriction = 0.01;  // no limit acts either
        g.segment(i).lrfdFrictionFactor = i == 3 ? 0.5 : 1.0;
    }
    MethodResults& m = g.store().method(kFugro);
    const double boundary[] = {0, 0.0, 0.2, 0.3, 0.5, 0.4, 0.6};
    for (int k = 1; k <= 6; ++k) m.transfer.shaftUnitFriction[k] = boundary[k];
    m.transfer.unitSideFriction[2] = 99;  // the inside copy is not read for the shaft
    coneShaftCapacity(g.store(), m);
    // Increments (f(j-1) + f(j)) / 2 x 1 ft x 3.14159: 0.314159, 1.0995565,
    // 1.7278745; the increment to node j takes the LRFD factor of segment j
    // (0.5 for node 3).
    const double unit[] = {0, 0.0, 0.2, 0.5, 0.6};
    const double skin[] = {0, 0.0, 0.314159, 0.86393725, 2.59181175};
    const double unfactored[] = {0, 0.0, 0.314159, 1.4137155, 3.14159};
    for (int j = 1; j <= 4; ++j) {
        EXPECT_NEAR(m.nodes.nodeUnitFriction[j], unit[j], 1e-12) << j;
        EXPECT_EQ(m.nodes.nodeSideFriction[j], m.nodes.nodeUnitFriction[j]) << j;
        EXPECT_NEAR(m.capacity.skinFriction[j], skin[j], 1e-6) << j;
        EXPECT_NEAR(m.nodes.loadTransferSkin[j], unfactored[j], 1e-6) << j;
    }
    EXPECT_NEAR(m.nodes.skinIncrement[4], 1.727874, 1e-6);
    // A zero-friction length of 1.5 ft leaves nodes 1 and 2 without friction.
    g.pile().zeroFrictionLength = 1.5;
    coneShaftCapacity(g.store(), m);
    EXPECT_EQ(m.nodes.nodeUnitFriction[2], 0.0);
    EXPECT_NEAR(m.nodes.nodeUnitFriction[3], 0.5, 1e-12);
    EXPECT_NEAR(m.capacity.skinFriction[3], 0.39269875, 1e-6);  // 0.5 / 2 x 3.14159 x 0.5
}

// --- NGI -------------------------------------------------------------------

// Two 1 ft sand segments under a closed 12 in steel pile 2 ft long in
// compression: F_tip x F_load x F_mat = 1.6 x 1.3 x 1.0; segment 2 has
// z = 1 / 2.
CapacityGrid ngiSandGrid(int unitSystem = 1) {
    CapacityGrid g(2, 1.0, unitSystem);
    g.closedPile(unitSystem == 1 ? 12.0 : 300.0, 2.0);
    g.nodes(3);
    sand(g, 1, 0, 0.0, 0.5);
    sand(g, 2, 0, 0.5, 1.0);
    return g;
}

TEST(NgiMethod, SandAtTheFloorOfTheRelativeDensity) {
    // qc = x = 22 sqrt(pa x pa) at the bottom: Dr = D0 = 0.200001 and
    // 2.1 (D0 - 0.1)^1.7 = 0.04190121; f = pa x 1^0.25 x 0.04190121 x 0.5 x
    // 2.08 = 0.09101349.
    CapacityGrid g = ngiSandGrid();
    sand(g, 2, 22 * kPa * 1000, 0.5, kPa);
    computeNgiFriction(g.store(), g.store().report);
    EXPECT_NEAR(shaft(g, kNgi)[4], 0.09101349180926584, 1e-12);
    // The first segment has z = 0: no friction at either end.
    EXPECT_EQ(shaft(g, kNgi)[1], 0.0);
    EXPECT_EQ(shaft(g, kNgi)[2], 0.0);
}

TEST(NgiMethod, SandFrictionFromTheRelativeDensityAtEachEnd) {
    // qc = 200 ksf. Bottom (s = 1.0): x = 22 sqrt(2.0885546) = 31.794031,
    // Dr = 0.4 ln(200 / 31.794031) = 0.7356155; top (s = 0.5): x =
    // 22.481775, Dr = 0.8742450. f = pa (s / pa)^0.25 x 2.1 (Dr - 0.1)^1.7 x
    // z x 2.08.
    CapacityGrid g = ngiSandGrid();
    sand(g, 2, 200000, 0.5, 1.0);
    computeNgiFriction(g.store(), g.store().report);
    EXPECT_NEAR(shaft(g, kNgi)[3], 2.065250509623003, 1e-11);
    EXPECT_NEAR(shaft(g, kNgi)[4], 1.7561742921034798, 1e-11);
    // The inside friction reads the same values.
    EXPECT_EQ(inside(g, kNgi)[3], shaft(g, kNgi)[3]);
    EXPECT_EQ(inside(g, kNgi)[4], shaft(g, kNgi)[4]);
}

TEST(NgiMethod, TipLoadingAndMaterialFactors) {
    // The friction with all three factors 1 is 0.8443146 at the bottom
    // (qc = 200 ksf, s = 1.0, z = 0.5); each case multiplies it.
    struct Case {
        double inside;
        int32_t loading;
        int32_t pileType;
        double factor;
    };
    const Case cases[] = {
        {0.0, 0, 1, 1.6 * 1.3},        // closed, compression: 2.08
        {0.0, 1, 1, 1.6},              // closed, tension
        {10.0, 0, 1, 1.3},             // open end section, compression
        {10.0, 1, 1, 1.0},             // open, tension
        {0.0, 0, 2, 1.6 * 1.3 * 1.2},  // timber
        {10.0, 1, 3, 1.2},             // precast concrete, open, tension
        {1.0e-5f, 0, 1, 1.6 * 1.3},    // an end section of 1.0E-5 counts as closed
    };
    for (const Case& c : cases) {
        CapacityGrid g = ngiSandGrid();
        sand(g, 2, 200000, 0.5, 1.0);
        g.pile().enhancedEndInsideDiameter = c.inside;
        g.options().loadingType = c.loading;
        g.pile().pileType = c.pileType;
        computeNgiFriction(g.store(), g.store().report);
        EXPECT_NEAR(shaft(g, kNgi)[4], 0.8443145818992954 * c.factor, 1e-6) << c.inside << " " << c.pileType;
    }
}

TEST(NgiMethod, ZeroConeResistanceInEnglishUnitsTakesTheFloorDensity) {
    // No cone resistance, no profile, no blow count: Dr = D0 through the
    // maximum; f = pa (s / pa)^0.25 x 0.04190121 x 0.5 x 2.08.
    CapacityGrid g = ngiSandGrid();
    computeNgiFriction(g.store(), g.store().report);
    EXPECT_NEAR(shaft(g, kNgi)[3], 0.06366295871474648, 1e-12);
    EXPECT_NEAR(shaft(g, kNgi)[4], 0.07570844346570098, 1e-12);
}

TEST(NgiMethod, WeakSandInSiUnitsIsTakenJustAboveTheStress) {
    // s_t = 10, s_b = 100 kPa, qc = 500 kPa. Bottom: x = 22 sqrt(100 x 100)
    // = 2200 > qc, so qc = 1.01 x 2200 = 2222.0 and Dr = D0 = 0.20001;
    // f = 100 x 1 x 2.1 (0.10001)^1.7 x 0.5 x 2.08 = 4.3583930. Top: x =
    // 695.70109, Dr = 0.4 ln(2222.0 / 695.70109) = 0.4644972 above D0;
    // f = 100 x 0.1^0.25 x 2.1 x 0.3644972^1.7 x 0.5 x 2.08 = 22.086791.
    CapacityGrid g = ngiSandGrid(2);
    sand(g, 2, 500, 10, 100);
    computeNgiFriction(g.store(), g.store().report);
    EXPECT_NEAR(shaft(g, kNgi)[4], 4.358392963992707, 1e-9);
    EXPECT_NEAR(shaft(g, kNgi)[3], 22.086791018570533, 1e-8);
    // SI units write no stress back.
    EXPECT_EQ(g.stress(1), 0.0);
}

TEST(NgiMethod, SandSegmentTopStressIsRaisedInEnglishUnitsForTheLaterMethods) {
    CapacityGrid g = ngiSandGrid();
    clay(g, 2, 0.5, 0.25, 1, 40, 0.0, 1.0);  // a clay top is left alone
    computeNgiFriction(g.store(), g.store().report);
    EXPECT_EQ(g.stress(1), static_cast<double>(1.0e-8f));
    EXPECT_EQ(g.stress(3), 0.0);
    // A sand top already above 1.0E-8 keeps its stress.
    CapacityGrid h = ngiSandGrid();
    computeNgiFriction(h.store(), h.store().report);
    EXPECT_EQ(h.stress(3), 0.5);
}

TEST(NgiMethod, SandWithoutStressAtItsTopHasNoFrictionThere) {
    // A segment below a weightless one: x = 0 at its top. The friction is
    // the formula's limit 0 (not 0 x infinity).
    CapacityGrid g = ngiSandGrid();
    sand(g, 2, 200000, 0.0, 1.0);
    computeNgiFriction(g.store(), g.store().report);
    EXPECT_EQ(shaft(g, kNgi)[3], 0.0);
    EXPECT_NEAR(shaft(g, kNgi)[4], 1.7561742921034798, 1e-11);
}

TEST(NgiMethod, ClayRangesOfTheStrengthRatio) {
    // One clay segment (bottom stress s) under an open pipe (tip factor
    // F = 0.8 + 0.2 sqrt(psi)) or a closed pile (F = 1). Shaft friction on
    // su, the inside copy on the remoulded strength sr.
    //   psi < 0.25: f = 0.08 (PI - 10)^0.3 s, PI held at 10.000001; the copy
    //     equals f.
    //   0.25 <= psi <= 1: alpha from alpha_NC = 0.32 (PI - 10)^0.3 to
    //     alpha_OC = 0.5 / psi^0.3, floor 0.06 (PI - 12)^0.33 s (PI held at
    //     12.000001); PI 40: alpha_NC = 0.8877412, floor 0.1801828 s.
    //   psi > 1: alpha = 0.5 / psi^0.3 (psi 4: 0.3298770).
    struct Case {
        double su, sr, s, pi;
        bool open;
        double shaftFriction, insideFriction;
    };
    const Case cases[] = {
        // psi 0.2, PI 30: 0.08 x 20^0.3 = 0.1965165.
        {0.2, 0.1, 1.0, 30, true, 0.1965164868, 0.1965164868},
        // PI 5 held at 10.000001: 0.08 x (9.5367E-7)^0.3 = 0.00125.
        {0.2, 0.1, 1.0, 5, true, 0.001249999765, 0.001249999765},
        // psi 0.25 (F 0.9): 0.25 x 0.9 x 0.8877412 = 0.1997418; copy at the floor.
        {0.25, 0.1, 1.0, 40, true, 0.1997417669, 0.1801828326},
        // psi 0.5 (F 0.9414214): alpha = 0.8877412 + 0.25 (0.6155722 -
        // 0.8877412) / 0.75 = 0.7970182.
        {0.5, 0.25, 1.0, 40, true, 0.3751649763, 0.1875824882},
        // psi 1: alpha = 0.5; F = 0.8 + 0.2 (single precision, 1.0000000149)
        // open or 1 closed.
        {1.0, 0.2, 1.0, 40, true, 0.5000000074505806, 0.1801828326},
        {1.0, 0.2, 1.0, 40, false, 0.5, 0.1801828326},
        // psi 4 (F 1.2): 4 x 1.2 x 0.3298770 = 1.5834095; copy 2 x 1.2 x 0.3298770.
        {4.0, 2.0, 1.0, 40, true, 1.58340949, 0.7917047452},
        // PI 12 or less in the middle range: floor 0.06 x (9.5367E-7)^0.33.
        {0.5, 0.4, 1.0, 12, true, 0.2202148923, 0.1761719138},
    };
    for (const Case& c : cases) {
        CapacityGrid g(1);
        if (c.open)
            g.openPipe(24.0, 22.0, 1.0);
        else
            g.closedPile(24.0, 1.0);
        g.nodes(2);
        clay(g, 1, c.su, c.sr, 1, c.pi, 0.0, c.s);
        computeNgiFriction(g.store(), g.store().report);
        for (int k : {1, 2}) {
            EXPECT_NEAR(shaft(g, kNgi)[k], c.shaftFriction, 1e-9) << c.su << " " << c.pi << " " << k;
            EXPECT_NEAR(inside(g, kNgi)[k], c.insideFriction, 1e-9) << c.su << " " << c.pi << " " << k;
        }
    }
    EXPECT_NEAR(0.06 * std::pow(static_cast<double>(12.000001f) - 12, 0.33f), 0.0006185192, 1e-10);
}

TEST(NgiMethod, ClayBottomStressIsClampedAndKept) {
    // s = 0 is held at 1.0E-10: psi = 5E9, the overconsolidated rule.
    CapacityGrid g(1);
    g.openPipe(24.0, 22.0, 1.0);
    g.nodes(2);
    clay(g, 1, 0.5, 0.25, 1, 40, 0.0, 0.0);
    computeNgiFriction(g.store(), g.store().report);
    EXPECT_EQ(g.stress(2), static_cast<double>(1.0e-10f));
    EXPECT_NEAR(shaft(g, kNgi)[1], 4.35299794, 1e-6);
    EXPECT_NEAR(inside(g, kNgi)[1], 2.17649897, 1e-6);
}

TEST(NgiMethod, InsideFrictionOfAnOpenPileReadsTheRemouldedCopy) {
    // psi 0.5, PI 40 as above: shaft 0.3751650, copy 0.1875825 at both
    // ends of the clay segment; 24 in pipe, 22 in bore, 1 ft segment:
    // inside force = 1.570795 x 22 / 12 x (0.1875825 x 2) = 0.5401966 kips.
    CapacityGrid g(2);
    g.openPipe(24.0, 22.0, 1.0);
    g.nodes(2);
    clay(g, 1, 0.5, 0.25, 1, 40, 0.0, 1.0);
    clay(g, 2, 0.5, 0.25, 1, 40, 1.0, 2.0);
    computeNgiFriction(g.store(), g.store().report);
    integrateCapacity(g.store(), kNgi);
    const CapacityWork& w = g.store().work;
    EXPECT_NEAR(w.insideFriction[1], 0.1875824882, 1e-9);
    EXPECT_NEAR(w.insideFriction[2], 0.1875824882, 1e-9);
    EXPECT_NEAR(w.insideFrictionForce[2], 2.8797909 * 2 * 0.1875824882, 1e-6);
    // The node friction is that of the shaft.
    EXPECT_NEAR(g.store().method(kNgi).nodes.nodeUnitFriction[2], 0.3751649763, 1e-9);
}

// --- ICP/MTD, Fugro and UWA: clay ---------------------------------------------

// Twelve 1 ft segments under a closed 12 in pile 10 ft long (R* = 6 in):
// r = (10 - (i - 1)) x 12 / 6 for segment i, held at 8 or more.
CapacityGrid coneClayGrid(int unitSystem = 1) {
    CapacityGrid g(12, 1.0, unitSystem);
    g.closedPile(unitSystem == 1 ? 12.0 : 300.0, 10.0);
    g.nodes(11);
    for (int i = 1; i <= 12; ++i) clay(g, i, 1.0, 0.5, 2, 20, 0.1 * (i - 1), 0.1 * i);
    return g;
}

TEST(ConeClayRule, FrictionFromSensitivityYieldStressRatioAndDistanceToTheTip) {
    // Kc = (2 - 0.625 log10 St) YSR^0.42 r^-0.2, f = 0.8 s Kc tan(delta_f).
    // Segment 1: St 2, YSR 2, r 20, PI 20 (delta_f 24.5): Kc = 1.3315281,
    // f_b = 0.8 x 0.1 x 1.3315281 x tan(24.5 deg) = 0.0485450, f_t = 0.
    // Segment 3: no remoulded strength, so St = 1; YSR 1, r 16, PI 0
    // (delta_f 34): Kc = 2 x 16^-0.2 = 1.1486983; f = 0.1239690 and 0.1859536.
    // Segment 10 (r = 12 / 6 = 2, held at 8) and 11 (at the tip): Kc =
    // 1.5993309, the bound (2 - 0.625 log10 2) 2^0.42 8^-0.2.
    CapacityGrid g = coneClayGrid();
    clay(g, 3, 1.0, 0.0, 1, 0, 0.2, 0.3);
    clay(g, 11, 1.0, 0.5, 2, 20, 1.0, 1.1);
    computeIcpFriction(g.store(), g.store().report);
    const auto& f = shaft(g, kIcp);
    EXPECT_EQ(f[1], 0.0);
    EXPECT_NEAR(f[2], 0.048544966339047105, 1e-12);
    EXPECT_NEAR(f[5], 0.12396903794199238, 1e-12);
    EXPECT_NEAR(f[6], 0.18595355691298854, 1e-12);
    EXPECT_NEAR(f[19], 0.8f * 0.9 * 1.5993309186669562 * kTan245, 1e-12);
    EXPECT_NEAR(f[21], 0.5830854537586216, 1e-12);
    EXPECT_NEAR(f[22], 0.641393999134484, 1e-12);
    // Segment 12 lies below the tip: r stays 8 as well.
    EXPECT_NEAR(f[24], 0.8f * 1.2 * 1.5993309186669562 * kTan245, 1e-12);
    // Both arrays carry the same values.
    for (int k = 1; k <= 24; ++k) EXPECT_EQ(inside(g, kIcp)[k], f[k]) << k;
}

TEST(ConeClayRule, NoFrictionWithoutYieldStressRatioAndSensitivityOneWithoutStrengths) {
    CapacityGrid g = coneClayGrid();
    clay(g, 2, 1.0, 0.5, 0, 20, 0.1, 0.2);   // YSR 0
    clay(g, 5, 1.0, 0.5, -1, 20, 0.4, 0.5);  // a negative YSR counts as 0
    clay(g, 3, 0.0, 0.5, 1, 0, 0.2, 0.3);    // no undrained strength: St = 1
    clay(g, 4, 1.0, 0.0, 1, 0, 0.2, 0.3);    // no remoulded strength: St = 1
    computeUwaFriction(g.store(), g.store().report);
    EXPECT_EQ(shaft(g, kUwa)[3], 0.0);
    EXPECT_EQ(shaft(g, kUwa)[4], 0.0);
    EXPECT_EQ(shaft(g, kUwa)[9], 0.0);
    EXPECT_EQ(shaft(g, kUwa)[10], 0.0);
    // 0.8 x 0.3 x 2 x r^-0.2 x tan(34 deg), r = 16 and 14.
    EXPECT_NEAR(shaft(g, kUwa)[6], 0.18595355691298854, 1e-12);
    EXPECT_NEAR(shaft(g, kUwa)[8], 0.8f * 0.3 * 2 * std::pow(14.0, -0.2f) * std::tan(34.0 / 57.2958f), 1e-12);
}

TEST(ConeClayRule, NegativePlasticityIndexIsReportedOncePerSegmentAndMethodRun) {
    CapacityGrid g = coneClayGrid();
    std::ostringstream out;
    g.store().report.attach(&out);
    clay(g, 4, 1.0, 0.5, 2, -1, 0.3, 0.4);
    clay(g, 7, 1.0, 0.5, 2, -3, 0.6, 0.7);
    clay(g, 8, 1.0, 0.5, 2, 0, 0.7, 0.8);  // 0 is no error
    computeIcpFriction(g.store(), g.store().report);
    const std::string line = " ERROR - NO DATA FOUND FOR PLASTIC INDEX.";
    EXPECT_EQ(reportLines(out), (std::vector<std::string>{line, line}));
    // The segment goes on with delta_f = 34: 0.8 x 0.4 x 1.4299825 x
    // tan(34 deg) (r = 7 x 12 / 6 = 14).
    EXPECT_NEAR(shaft(g, kIcp)[8], 0.30865118860693586, 1e-12);
    // Each of the other two methods reports again.
    computeFugroFriction(g.store(), g.store().report);
    computeUwaFriction(g.store(), g.store().report);
    EXPECT_EQ(reportLines(out).size(), 6u);
    // NGI has no such message.
    computeNgiFriction(g.store(), g.store().report);
    EXPECT_EQ(reportLines(out).size(), 6u);
}

TEST(ConeClayRule, TheSameRuleInTheThreeMethods) {
    CapacityGrid g = coneClayGrid();
    computeIcpFriction(g.store(), g.store().report);
    computeFugroFriction(g.store(), g.store().report);
    computeUwaFriction(g.store(), g.store().report);
    for (int k = 1; k <= 24; ++k) {
        EXPECT_EQ(shaft(g, kFugro)[k], shaft(g, kIcp)[k]) << k;
        EXPECT_EQ(shaft(g, kUwa)[k], shaft(g, kIcp)[k]) << k;
    }
}

TEST(ConeClayRule, BottomStressIsClampedInSiUnitsOnly) {
    CapacityGrid si = coneClayGrid(2);
    si.stress(2) = 0.0;
    computeFugroFriction(si.store(), si.store().report);
    EXPECT_EQ(si.stress(2), static_cast<double>(1.0e-10f));
    CapacityGrid english = coneClayGrid();
    english.stress(2) = 0.0;
    computeFugroFriction(english.store(), english.store().report);
    EXPECT_EQ(english.stress(2), 0.0);
    EXPECT_EQ(shaft(english, kFugro)[2], 0.0);
}

// --- ICP/MTD, Fugro and UWA: sand ----------------------------------------------

// Twelve 1 ft sand segments (qc 100 ksf, phi 35) of 0.1 ksf each, under a
// pile 10 ft long: h_i = (10 - (i - 1)) x 12 in.
CapacityGrid coneSandGrid(double outside, double inside) {
    CapacityGrid g(12);
    g.openPipe(outside, inside, 10.0);
    g.nodes(11);
    for (int i = 1; i <= 12; ++i) sand(g, i, 100000, 0.1 * (i - 1), 0.1 * i);
    return g;
}

TEST(IcpMethod, SandRadialStressAndDilation) {
    // 24 in pipe, 22 in bore: R* = 4.7958315, R = 12 in.
    // Segment 1: r = 120 / 4.7958315 = 25.021730. Dilation from the bottom
    // stress 0.1: eta = 100 / sqrt(2.0885546 x 0.1) = 218.81500, G = 100 /
    // (0.0203 + 0.00125 eta - 1.216E-6 eta^2) = 424.45424, dsigma = 2 G x
    // 0.0007874016 / 12 = 0.0557027. At the top (s = 0) f = dsigma x
    // tan(30 deg) = 0.0321599; at the bottom sigma_rc = 0.029 x 100 x
    // (0.1 / pa)^0.13 x r^-0.38 is added.
    // Segment 9: h / R* = 24 / 4.7958315 = 5.004, held at 8.
    CapacityGrid g = coneSandGrid(24, 22);
    computeIcpFriction(g.store(), g.store().report);
    const auto& f = shaft(g, kIcp);
    EXPECT_NEAR(f[1], 0.032159930003961334, 1e-12);
    EXPECT_NEAR(f[2], 0.3639754126443549, 1e-12);
    EXPECT_NEAR(f[17], 0.7427898294995914, 1e-12);
    EXPECT_NEAR(f[18], 0.7531374374019715, 1e-12);
    EXPECT_EQ(inside(g, kIcp)[2], f[2]);
}

TEST(IcpMethod, TensionWithAndWithoutTheOpenPileFactor) {
    // Tension: (0.8 sigma_rc + dsigma) tan(delta), times 0.9 for an open
    // end section; a closed 24 in pile (R* = R = 12, r = 10) has no 0.9.
    CapacityGrid open = coneSandGrid(24, 22);
    open.options().loadingType = 1;
    computeIcpFriction(open.store(), open.store().report);
    EXPECT_NEAR(shaft(open, kIcp)[1], 0.9f * 0.032159930003961334, 1e-12);
    EXPECT_NEAR(shaft(open, kIcp)[2], 0.26785108096901183, 1e-12);
    EXPECT_NEAR(shaft(open, kIcp)[18], 0.5552472302873498, 1e-12);

    CapacityGrid closed = coneSandGrid(24, 0);
    closed.options().loadingType = 1;
    computeIcpFriction(closed.store(), closed.store().report);
    EXPECT_NEAR(shaft(closed, kIcp)[1], 0.032159930003961334, 1e-12);
    EXPECT_NEAR(shaft(closed, kIcp)[2], 0.40829794016439563, 1e-12);
    closed.options().loadingType = 0;
    computeIcpFriction(closed.store(), closed.store().report);
    EXPECT_NEAR(shaft(closed, kIcp)[2], 0.5023324356983879, 1e-12);
}

TEST(FugroMethod, SandInCompressionAndTensionAroundFourRadiiFromTheTip) {
    // Closed 12 in pile, R* = 6: x = h / 6 is 20 for segment 1, 4 for
    // segment 9, 2 for segment 10 and 1.7E-6 for segment 11 (h held at
    // 1.0E-5 in at the tip).
    CapacityGrid g = coneSandGrid(12, 0);
    computeFugroFriction(g.store(), g.store().report);
    const auto& f = shaft(g, kFugro);
    EXPECT_EQ(f[1], 0.0);  // no stress at the ground surface
    EXPECT_NEAR(f[2], 0.4636291345919855, 1e-12);
    // x = 4: 0.08 x 100 x (0.9 / pa)^0.05 x 4^-0.9 from either piece.
    EXPECT_NEAR(f[18], 0.08f * 100.0 * std::pow(0.9 / kPa, 0.05f) * std::pow(4.0, -0.9f), 1e-12);
    EXPECT_NEAR(f[18], 2.202702439422098, 1e-12);
    // x = 2: the same expression at x times x / 4.
    EXPECT_NEAR(f[19], 2.055194012555458, 1e-12);
    EXPECT_NEAR(f[20], 2.066049395878859, 1e-12);
    EXPECT_NEAR(f[22], 0.5120260587102984, 1e-12);

    g.options().loadingType = 1;
    computeFugroFriction(g.store(), g.store().report);
    // 0.045 qc (s / pa)^0.15 max(x, 4)^-0.85: x = 2 counts as 4, so the top
    // of segment 10 equals the bottom of segment 9 (both s = 0.9).
    EXPECT_NEAR(f[2], 0.22354250855153524, 1e-12);
    EXPECT_NEAR(f[18], 1.2207339491064324, 1e-12);
    EXPECT_EQ(f[19], f[18]);
    EXPECT_EQ(f[1], 0.0);
}

TEST(UwaMethod, SandWithTheFillingRatioOfTheBore) {
    // 24 in pipe, 22 in bore: D_i = 0.5588 m, FFR = (0.5588 / 1.5)^0.2 =
    // 0.8207918, A_re = 1 - 0.8207918 (22 / 24)^2 = 0.3103069.
    // sigma_rc = 0.03 x 100 x A_re^0.3 x max(h / D, 2)^-0.5 (h / D = 5 for
    // segment 1, 0.5 held at 2 for segment 10); q_N = (qc / pa) /
    // sqrt(max(1.0E-7, s / pa)), G = 185 qc / q_N^0.75, dsigma = G x
    // 0.0031496063 / 24. At the top of segment 1 s / pa is held at 1.0E-7.
    struct Case {
        double outside, bore;
        int32_t loading;
        double f1, f2, f19, f20;
    };
    const Case cases[] = {
        {24, 22, 0, 0.5454541725602371, 0.5699091409642913, 0.9183115789741028, 0.9205749513435346},
        {24, 22, 1, 0.4090906294201778, 0.4274318557232185, 0.6887336842305771, 0.6904312135076509},
        // Closed: FFR = 0, A_re = 1.
        {24, 0, 0, 0.7747789458225917, 0.7992339142266459, 1.2809058826794641, 1.283169255048896},
        // A 60 in bore (1.524 m) fills: FFR = 1, A_re = 1 - (60 / 72)^2.
        {72, 60, 0, 0.8582292117751331, 0.8663808679098177, 0.8768888558828521, 0.8776433133393293},
    };
    for (const Case& c : cases) {
        CapacityGrid g = coneSandGrid(c.outside, c.bore);
        g.options().loadingType = c.loading;
        computeUwaFriction(g.store(), g.store().report);
        const auto& f = shaft(g, kUwa);
        EXPECT_NEAR(f[1], c.f1, 1e-12) << c.outside << " " << c.bore << " " << c.loading;
        EXPECT_NEAR(f[2], c.f2, 1e-12) << c.outside << " " << c.bore << " " << c.loading;
        EXPECT_NEAR(f[19], c.f19, 1e-12) << c.outside << " " << c.bore << " " << c.loading;
        EXPECT_NEAR(f[20], c.f20, 1e-12) << c.outside << " " << c.bore << " " << c.loading;
    }
}

TEST(UwaMethod, SiBoreOfOnePointFiveMetresFills) {
    // D_i = 1500 mm: FFR = 1 and A_re = 1 - (1500 / 1600)^2 = 0.12109375.
    // Top of segment 1 (s = 0, qc 5000 kPa, h = 10000 mm, h / D = 6.25):
    // sigma_rc = 0.03 x 5000 x A_re^0.3 x 6.25^-0.5, and the dilation with
    // s / pa held at 1.0E-7.
    CapacityGrid g(2, 1.0, 2);
    g.openPipe(1600, 1500, 10.0);
    g.nodes(11);
    sand(g, 1, 5000, 0.0, 10.0);
    sand(g, 2, 0, 10.0, 20.0);
    computeUwaFriction(g.store(), g.store().report);
    const double radial = 0.03f * 5000.0 * std::pow(0.12109375, 0.3f) * std::pow(6.25, -0.5f);
    const double qn = (5000 / 100.0) / std::sqrt(static_cast<double>(1.0e-7f));
    const double dilation = 185 * 5000 / std::pow(qn, 0.75f) * 0.08f / 1600;
    EXPECT_NEAR(shaft(g, kUwa)[1], (radial + dilation) * kTan30, 1e-9);
    // Without cone resistance there is no friction at all (no 0 / 0).
    EXPECT_EQ(shaft(g, kUwa)[3], 0.0);
    EXPECT_EQ(shaft(g, kUwa)[4], 0.0);
}

}  // namespace
}  // namespace tovek
