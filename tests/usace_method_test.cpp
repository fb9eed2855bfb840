// Army Corps: unit side friction of sand, clay and silt at the segment
// boundaries (interface angle by pile type, the API-selected coefficient,
// critical-depth stresses, batter, the long-pile rule), the critical depth
// at a stress, and the shaft capacity on the straight perimeter, on small
// hand-filled grids.
#include <gtest/gtest.h>

#include "capacity/integrator.h"
#include "capacity_test_grid.h"
#include "methods/methods.h"

namespace tovek {
namespace {

constexpr double kTol = 1e-9;

// Four 1 ft segments under a 12 in closed pipe, 3 ft embedded; every
// segment sand (K 0.8, phi 32) on an effective stress of 1.0 ksf per foot,
// the critical-depth stresses equal to the stresses.
test::CapacityGrid sandColumn(int unitSystem = 1) {
    test::CapacityGrid grid(4, 1.0, unitSystem);
    grid.closedPile(12, 3);
    grid.pile().pileType = 1;
    grid.nodes(4);
    for (int i = 1; i <= 4; ++i) {
        SoilSegment& s = grid.segment(i);
        s.soilType = 1;
        s.lateralEarthPressure = 0.8;
        s.frictionAngle = 32;
        s.lrfdFrictionFactor = 1;
        grid.stresses(i, i - 1.0, i);
        grid.store().grid.criticalDepthStress[2 * i - 1] = i - 1.0;
        grid.store().grid.criticalDepthStress[2 * i] = i;
    }
    return grid;
}

const UnitTransferProfile& runUsace(test::CapacityGrid& grid) {
    computeUsaceFriction(grid.store(), grid.store().report);
    return grid.transfer(kUsace);
}

TEST(UsaceMethod, InterfaceAngleByPileType) {
    struct Case {
        int32_t pileType;
        double tanDelta;  // tan(delta / 57.2958) at phi = 32
    };
    const Case cases[] = {
        {1, 0.44522851},                                                     // 0.75 phi = 24
        {2, 0.54975441},                                                     // timber: 0.9 phi = 28.8
        {3, 0.58669626},                                                     // precast: 0.95 phi = 30.4
        {4, 0.44522851}, {5, 0.44522851}, {7, 0.44522851}, {6, 0.53170922},  // H-pile: (phi + 0.75 phi) / 2 = 28
        {9, 0.50952524},                                                     // any other type: phi - 5 = 27
    };
    for (const Case& c : cases) {
        test::CapacityGrid grid = sandColumn();
        grid.pile().pileType = c.pileType;
        const UnitTransferProfile& f = runUsace(grid);
        // K sigma tan(delta) on the stresses 0 and 1 ksf of segment 1.
        EXPECT_EQ(f.shaftUnitFriction[1], 0.0);
        EXPECT_NEAR(f.shaftUnitFriction[2], 0.8 * c.tanDelta, 1e-8) << c.pileType;
        EXPECT_EQ(f.unitSideFriction[2], f.shaftUnitFriction[2]) << c.pileType;
    }
}

TEST(UsaceMethod, ApiSelectedSetsTheEarthPressureCoefficient) {
    struct Case {
        int32_t apiFlag, loadingType;
        double k;
    };
    const Case cases[] = {
        {0, 0, 0.8},                // the segment's own K
        {0, 1, 0.8}, {1, 0, 1.25},  // with API RP-2A selected: 1.25 in compression,
        {1, 1, 0.6},                // 0.6 in tension, whatever the segment's K
        {2, 0, 0.8},                // a flag other than 1 selects nothing
    };
    for (const Case& c : cases) {
        test::CapacityGrid grid = sandColumn();
        grid.options().capacityMethods[4] = c.apiFlag;
        grid.options().loadingType = c.loadingType;
        grid.options().tensionReductionFactor = 1;
        grid.segment(3).lateralEarthPressure = 2.0;
        const UnitTransferProfile& f = runUsace(grid);
        // The coefficients of the rule are single-precision constants.
        const double k = c.apiFlag == 1 ? static_cast<float>(c.k) : c.k;
        EXPECT_NEAR(f.shaftUnitFriction[2], k * 0.44522851, 1e-8) << c.apiFlag << " " << c.loadingType;
        if (c.apiFlag == 1)
            EXPECT_NEAR(f.shaftUnitFriction[6], k * 3 * 0.44522851, 1e-7);
        else
            EXPECT_NEAR(f.shaftUnitFriction[6], 2.0 * 3 * 0.44522851, 1e-7);
    }
}

TEST(UsaceMethod, SandTakesTheCriticalDepthStressAndTheBatter) {
    test::CapacityGrid grid = sandColumn();
    // Below a critical depth of 2 ft the stress stays 2 ksf.
    auto& critical = grid.store().grid.criticalDepthStress;
    critical[5] = critical[6] = critical[7] = critical[8] = 2.0;
    const UnitTransferProfile& f = runUsace(grid);
    EXPECT_NEAR(f.shaftUnitFriction[6], 0.8 * 2.0 * 0.44522851, 1e-8);
    EXPECT_NEAR(f.shaftUnitFriction[8], 0.8 * 2.0 * 0.44522851, 1e-8);

    // A battered pile, 0.2 rad: K sigma tan(delta) cos(beta) + sigma
    // tan(delta) sin(beta) = 0.8 x 0.4452285 x 0.9800666 + 0.4452285 x
    // 0.1986693 on 1 ksf.
    test::CapacityGrid battered = sandColumn();
    battered.pile().batterAngle = 0.2;
    EXPECT_NEAR(runUsace(battered).shaftUnitFriction[2], 0.43753612, 1e-8);
    // No batter term for a vertical pile.
    test::CapacityGrid vertical = sandColumn();
    vertical.pile().batterAngle = 0;
    EXPECT_NEAR(runUsace(vertical).shaftUnitFriction[2], 0.8 * 0.44522851, 1e-8);
}

TEST(UsaceMethod, ClayAlphaFromTheUndrainedStrength) {
    struct Case {
        int unitSystem;
        double su, alpha;
    };
    const Case cases[] = {
        {1, 0.4, 1.0}, {1, 0.5, 1.0}, {1, 1.0, 0.75}, {1, 1.2, 0.65}, {1, 1.5, 0.5}, {1, 2.0, 0.5},
        {2, 24, 1.0},  {2, 48, 0.75}, {2, 60, 0.625}, {2, 72, 0.5},   {2, 100, 0.5},
    };
    for (const Case& c : cases) {
        test::CapacityGrid grid = sandColumn(c.unitSystem);
        SoilSegment& s = grid.segment(2);
        s.soilType = 2;
        s.undrainedShearStrength = c.su;
        s.remoldedShearStrength = c.su / 4;
        const UnitTransferProfile& f = runUsace(grid);
        EXPECT_NEAR(f.shaftUnitFriction[3], c.alpha * c.su, 1e-6) << c.su;
        EXPECT_NEAR(f.shaftUnitFriction[4], c.alpha * c.su, 1e-6) << c.su;
        EXPECT_NEAR(f.unitSideFriction[3], c.alpha * c.su / 4, 1e-6) << c.su;
        EXPECT_NEAR(f.unitSideFriction[4], c.alpha * c.su / 4, 1e-6) << c.su;
    }
}

TEST(UsaceMethod, SiltCarriesTheClayAndTheSandParts) {
    test::CapacityGrid grid = sandColumn();
    SoilSegment& s = grid.segment(1);
    s.soilType = 3;
    s.frictionAngle = 30;
    s.undrainedShearStrength = 1.0;
    s.remoldedShearStrength = 0.5;
    grid.stresses(1, 0.5, 0.7);
    grid.store().grid.criticalDepthStress[1] = 0.5;
    grid.store().grid.criticalDepthStress[2] = 0.7;
    const UnitTransferProfile& f = runUsace(grid);
    // alpha 0.75 on 1.0 ksf plus 0.8 x sigma x tan(22.5 degrees).
    EXPECT_NEAR(f.shaftUnitFriction[1], 0.91568536, 1e-8);
    EXPECT_NEAR(f.shaftUnitFriction[2], 0.98195951, 1e-8);
    // The inside of the pile: alpha on the remoulded strength only.
    EXPECT_NEAR(f.unitSideFriction[1], 0.375, kTol);
    EXPECT_NEAR(f.unitSideFriction[2], 0.375, kTol);
}

TEST(UsaceMethod, LongPileRule) {
    struct Case {
        double embedded;  // 12 in pile: L/D = embedded length in ft
        double stress;    // critical-depth stress at the segment bottom
        double alpha;
    };
    // su 1.0 ksf, in the band 0.5 to 1.5 where the long-pile rule acts.
    const Case cases[] = {
        {40, 4.0, 1.0},  // L/D 40: g 1.0; psi 0.25: a 1.0
        // psi = 0.5: a = 1 - (0.5 - 0.35) x 0.4 / 0.45 = 0.8666667.
        {50, 2.0, 0.86666666},
        // L/D 85, halfway between 50 and 120: g = 0.85.
        {85, 2.0, 0.73666665},
        {85, 4.0, 0.85},
        {120, 1.0, 0.7 * 0.6},  // psi 1.0: a 0.6; L/D 120: g 0.7
        {150, 1.0, 0.7 * 0.6},
        {150, 0.0, 0.7 * 0.6},  // no stress: the strength ratio is unbounded
    };
    for (const Case& c : cases) {
        test::CapacityGrid grid = sandColumn();
        grid.options().longPileOption = 1;
        grid.pile().embeddedLength = c.embedded;
        SoilSegment& s = grid.segment(2);
        s.soilType = 2;
        s.undrainedShearStrength = 1.0;
        grid.store().grid.criticalDepthStress[4] = c.stress;
        EXPECT_NEAR(runUsace(grid).shaftUnitFriction[3], c.alpha, 1e-7) << c.embedded << " " << c.stress;
    }
    // Outside the band the rule does not act: 0.5 above 1.5 ksf.
    test::CapacityGrid stiff = sandColumn();
    stiff.options().longPileOption = 1;
    stiff.pile().embeddedLength = 150;
    stiff.segment(2).soilType = 2;
    stiff.segment(2).undrainedShearStrength = 2.0;
    EXPECT_NEAR(runUsace(stiff).shaftUnitFriction[3], 1.0, kTol);
}

TEST(UsaceMethod, CriticalDepthAtAStress) {
    struct Case {
        int unitSystem;
        int32_t option;
        double stressScale;  // bottom stress of segment i = i x scale
        double soil2;        // soil type of segment 2
        double expected;
    };
    const Case cases[] = {
        // Bottom stresses 1.2, 2.4, 3.6, 4.8 ksf: segment 3 is the first
        // above 3.5 ksf; its bottom, 3 ft.
        {1, 1, 1.2, 1, 3.0},
        // Segment 2 exceeds first (1.8 x 2 = 3.6) but is clay: segment 3
        // (silt) sets it.
        {1, 1, 1.8, 2, 3.0},
        {1, 1, 1.8, 3, 2.0},
        // No segment above 3.5 ksf: the critical depth stays 0.
        {1, 1, 0.5, 1, 0.0},
        // SI: 168 kPa; 42 x 4 = 168 does not exceed it, 42.1 x 4 does.
        {2, 1, 42, 1, 0.0},
        {2, 1, 42.1, 1, 4.0},
        // A given critical depth is kept.
        {1, 2, 1.2, 1, 7.5},
    };
    for (const Case& c : cases) {
        test::CapacityGrid grid = sandColumn(c.unitSystem);
        grid.options().criticalDepthOption = c.option;
        grid.options().criticalDepth = 7.5;
        grid.segment(2).soilType = c.soil2;
        grid.segment(2).undrainedShearStrength = 1.0;
        for (int i = 1; i <= 4; ++i) grid.stresses(i, (i - 1) * c.stressScale, i * c.stressScale);
        runUsace(grid);
        EXPECT_EQ(grid.options().criticalDepth, c.expected) << c.stressScale << " " << c.soil2;
    }
}

TEST(UsaceMethod, ShaftCapacityOnTheStraightPerimeterFromTheLimitedFrictionAbove) {
    // Unit frictions 0, 0.356 (bottom of segment 1), 0.712, 1.068 ksf at
    // nodes 0 to 3 ft (0.8 x z x 0.4452285); a limit of 0.5 ksf on segment 3
    // holds node 3 at 0.5. A taper does not narrow this method's perimeter:
    // 3.14159 ft throughout.
    test::CapacityGrid grid = sandColumn();
    grid.pile().taperAngle = 0.5;
    grid.segment(3).maxUnitFriction = 0.5;
    grid.segment(4).lrfdFrictionFactor = 0.5;
    runUsace(grid);
    const MethodNodeArrays& n = grid.store().method(kUsace).nodes;
    const double f1 = 0.8 * 0.44522851;
    EXPECT_NEAR(n.nodeUnitFriction[3], 2 * f1, 1e-8);
    EXPECT_NEAR(n.nodeSideFriction[3], 0.5, kTol);
    // Node 3: (f1 + 2 f1) / 2 x P, the friction trapezoid being below the
    // limit trapezoid (9999999 + 0.5) / 2 x P. Node 4: (0.5 + 3 f1) / 2 x P
    // from the limited friction of node 3, with the LRFD factor 0.5.
    const double p = static_cast<double>(3.14159f);
    EXPECT_NEAR(n.skinIncrement[2], f1 / 2 * p, 1e-7);
    EXPECT_NEAR(n.skinIncrement[3], 3 * f1 / 2 * p, 1e-7);
    EXPECT_NEAR(n.skinIncrement[4], (0.5 + 3 * f1) / 2 * p, 1e-7);
    EXPECT_NEAR(grid.capacity(kUsace).skinFriction[4], (f1 / 2 + 3 * f1 / 2 + (0.5 + 3 * f1) / 4) * p, 1e-7);
    EXPECT_NEAR(n.loadTransferSkin[4], (f1 / 2 + 3 * f1 / 2 + (0.5 + 3 * f1) / 2) * p, 1e-7);
}

TEST(UsaceMethod, TheIntegrationThatFollowsReadsTheCriticalDepthItSets) {
    // Six sand segments (phi 32, Nq 30), bottom stresses 1.2 i ksf; with the
    // critical depth at a stress this method finds 3 ft (3.6 ksf). The end
    // bearing then holds the stress from the first node deeper than 3 ft
    // (node 5, 4 ft): Nq x 6.0 at the bottom of segment 5, Nq x 6.0 again at
    // the bottom of segment 6 (7.2 ksf). With the critical depth 0 the pass
    // started with, it would hold it from node 2 on: Nq x 2.4.
    for (bool usaceFirst : {true, false}) {
        test::CapacityGrid grid(6);
        grid.closedPile(12, 5);
        grid.nodes(6);
        grid.options().criticalDepthOption = 1;
        grid.options().criticalDepth = 0;
        for (int i = 1; i <= 6; ++i) {
            SoilSegment& s = grid.segment(i);
            s.soilType = 1;
            s.frictionAngle = 32;
            s.lateralEarthPressure = 0.8;
            s.lrfdFrictionFactor = 1;
            s.lrfdBearingFactor = 1;
            grid.stresses(i, 1.2 * (i - 1), 1.2 * i);
            grid.store().grid.criticalDepthStress[2 * i - 1] = 1.2 * (i - 1);
            grid.store().grid.criticalDepthStress[2 * i] = 1.2 * i;
        }
        if (usaceFirst) runUsace(grid);
        integrateCapacity(grid.store(), kUsace);
        const double held = usaceFirst ? 6.0 : 2.4;
        EXPECT_NEAR(grid.endBearingAt(kUsace, 12), 30 * held, 1e-9) << usaceFirst;
        EXPECT_NEAR(grid.endBearingAt(kUsace, 8), usaceFirst ? 30 * 4.8 : 30 * 2.4, 1e-9) << usaceFirst;
    }
}

}  // namespace
}  // namespace tovek
