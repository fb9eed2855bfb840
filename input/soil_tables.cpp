// The soil tables of the input information: the soil rows as read (depths
// before snapping), with the values the engine assumes or estimates for the
// entries the file left at zero, each table followed by its notes.
#include "input/soil_tables.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "capacity/charts.h"
#include "input/input_checks.h"
#include "input/units.h"
#include "methods/method_catalog.h"

namespace tovek {

namespace {

constexpr double kAssumedEarthPressure = 0.8f;  // K put in for a row with K = 0
constexpr double kDefaultPeakRatio = 0.01f;     // z peak = 0.01 D when not given
constexpr double kDefaultClayResidual = 0.9f;   // t residual of clay when not given

const SoilLayer& layer(const ProblemData& p, int i) { return p.layers[i]; }

// The store holds at most kMaxLayers rows (the reader rejects more); the
// tables never read past them whatever the count says.
int rowCount(const ProblemData& p) { return countWithin(p.layerCount, kMaxLayers); }

// Columns of the soil information table after the friction angle.
struct SoilTableVariant {
    bool bearingFactor;  // the Nq of the rows (as read, or the API estimate)
    bool fhwaFactor;     // Nq of the FHWA chart
    bool armyFactor;     // Nq of the Army Corps chart
    const char* ending[3];
};

constexpr SoilTableVariant kVariants[8] = {
    {},
    {true, false, false, {"   BEARING", "      CAPACITY", "    FACTOR"}},
    {false, true, false, {"      Nq", "       FACTOR", "      FHWA"}},
    {false, false, true, {"      Nq", "       FACTOR", "     ARMY C."}},
    {false, true, true, {"      Nq          Nq", "       FACTOR      FACTOR", "      FHWA       ARMY C."}},
    {true, true, false, {"   BEARING        Nq", "      CAPACITY     FACTOR", "    FACTOR        FHWA"}},
    {true, false, true, {"   BEARING        Nq", "      CAPACITY     FACTOR", "    FACTOR       ARMY C."}},
    {true,
     true,
     true,
     {"   BEARING        Nq          Nq", "      CAPACITY     FACTOR      FACTOR",
      "    FACTOR        FHWA        ARMY C."}},
};

constexpr const char* kTitleStart[3] = {
    "                  LATERAL    EFFECTIVE    FRICTION",
    "          SOIL    EARTH      UNIT         ANGLE",
    " DEPTH    TYPE    PRESSURE   WEIGHT       DEGREES",
};

// The variant follows the chart factors that the selected methods use: the
// FHWA and Army Corps factors replace the Nq column when their method is the
// only one selected, and join it otherwise.
int soilTableVariant(const ProblemData& p) {
    const bool fhwa = methodSelected(p.options, kFhwa);
    const bool army = methodSelected(p.options, kUsace);
    // The codes are summed as written; a wide sum keeps codes far outside
    // 0 and 1 from overflowing.
    int64_t sum = 0;
    for (int flag = 1; flag <= kMethodCount; ++flag) sum += p.options.capacityMethods[flag];
    if (!fhwa && !army) return 1;
    if (fhwa && !army) return sum == 1 ? 2 : 5;
    if (!fhwa && army) return sum == 1 ? 3 : 6;
    return sum == 2 ? 4 : 7;
}

// Only the three codes of the input have a name. Another code is shown as
// its value, so that the reader of the report sees what the file gave.
std::string soilTypeText(double soilType) {
    if (soilType == 1.0) return "SAND";
    if (soilType == 2.0) return "CLAY";
    if (soilType == 3.0) return "SILT";
    return formatFixed(soilType, 4, 1);
}

void writeSoilInformation(ProblemData& p, ReportWriter& r) {
    const int variantNumber = soilTableVariant(p);
    const SoilTableVariant& variant = kVariants[variantNumber];

    r.write("//10X,'SOIL INFORMATIONS :'/10X,53(' ')");
    for (int k = 0; k < 3; ++k) r.write("10X,A,A", {kTitleStart[k], variant.ending[k]});
    r.write("10X,2X,A3,24X,A7", {p.labels.lengthLabel, p.labels.unitWeightLabel});
    convertBatterAngleToRadians(p);

    bool anyK = false;
    bool anyNq = false;
    std::vector<LayoutValue> values;
    for (int i = 1; i <= rowCount(p); ++i) {
        const SoilLayer& row = layer(p, i);
        const bool kAssumed = row.lateralEarthPressure == 0.0;
        const bool nqEstimated = row.bearingCapacityFactor == 0.0;
        anyK = anyK || kAssumed;
        anyNq = anyNq || nqEstimated;
        // Where the Nq column is not shown only an assumed K is a default.
        const bool hasDefault = kAssumed || (variant.bearingFactor && nqEstimated);

        const std::string type = soilTypeText(row.soilType);
        const double k = kAssumed ? kAssumedEarthPressure : row.lateralEarthPressure;
        const double nq = nqEstimated ? apiBearingFactor(row.frictionAngle - 5) : row.bearingCapacityFactor;
        const double fhwaNq = fhwaBearingFactor(row.frictionAngle);
        const double armyNq = usaceBearingFactor(row.frictionAngle);

        std::string layout = "10X,F7.2,3X,A4,F10.2";
        values.assign({row.depth, type, k});
        if (hasDefault) {
            layout += ",A2,F11.2";
            values.emplace_back(kAssumed ? "* " : "  ");
        } else {
            layout += ",F13.2";
        }
        values.emplace_back(row.effectiveUnitWeight);
        layout += ",F13.2";
        values.emplace_back(row.frictionAngle);
        if (variant.bearingFactor) {
            values.emplace_back(nq);
            if (hasDefault) {
                layout += ",F10.2,A2";
                values.emplace_back(nqEstimated ? "**" : "  ");
            } else {
                layout += variant.fhwaFactor || variant.armyFactor ? ",F10.2,2X" : ",F10.2";
            }
        }
        // The chart factors are always estimates.
        if (variant.fhwaFactor) {
            layout += ",F10.2,A2";
            values.emplace_back(fhwaNq);
            values.emplace_back("**");
        }
        if (variant.armyFactor) {
            layout += ",F10.2,A2";
            values.emplace_back(armyNq);
            values.emplace_back("**");
        }
        r.write(layout, values);
    }

    const bool chartFactors = variant.fhwaFactor || variant.armyFactor;
    if (anyK || anyNq || chartFactors) r.line("");
    if (anyK) r.write("10X,'*  VALUE ASSUMED BY THE PROGRAM '");
    if (anyNq || chartFactors) r.write("10X,'** VALUE ESTIMATED BY THE PROGRAM ','BASED ON FRICTION ANGLE'");
}

void writeLimitsAndStrengths(const ProblemData& p, ReportWriter& r) {
    const std::string& s = p.labels.stressLabel;
    r.write(
        "//10X,'MAXIMUM   MAXIMUM   UNDISTURB  REMOLDED '/"
        "10X,'UNIT      UNIT      SHEAR      SHEAR     BLOW   UNIT SKIN  ','UNIT END'/"
        "10X,'FRICTION  BEARING   STRENGTH   STRENGTH  COUNT  FRICTION   B','EARING'");
    r.write("10X,2X,A3,7X,A3,8X,A3,7X,A3,15X,A3,7X,A3", {s, s, s, s, s, s});

    // The user's unit skin friction and end bearing stay in psf in English
    // units until the segments are built: shown here in ksf.
    const double userScale = englishUnits(p) ? 1000 : 1;
    bool anyDefaulted = false;
    for (int i = 1; i <= rowCount(p); ++i) {
        const SoilLayer& row = layer(p, i);
        const bool frictionDefaulted = p.frictionLimitDefaulted[i] == 1;
        const bool bearingDefaulted = p.bearingLimitDefaulted[i] == 1;
        anyDefaulted = anyDefaulted || frictionDefaulted || bearingDefaulted;
        r.write("9X,E9.2,A1,E9.2,A1,F11.2,F10.2,F7.2,F11.2,F10.2",
                {row.maxUnitFriction, frictionDefaulted ? "*" : " ", row.maxUnitBearing, bearingDefaulted ? "*" : " ",
                 row.undrainedShearStrength, row.remoldedShearStrength, row.blowCount,
                 row.userUnitSkinFriction / userScale, row.userUnitEndBearing / userScale});
    }
    if (anyDefaulted)
        r.write(
            "/10X,'* MAXIMUM UNIT FRICTION AND/OR MAXIMUM UNIT BEARING '/"
            "10X,'  WERE SET TO LARGE VALUES INDICATING THAT TOVEK'/"
            "10X,'  USES THE LIMITS SPECIFIED BY EACH SELECTED'/"
            "10X,'  CRITERIA (IF ANY).'");
}

void writeLrfdFactors(const ProblemData& p, ReportWriter& r) {
    r.write(
        "//10X,'         LRFD FACTOR  LRFD FACTOR    '/"
        "10X,'          ON UNIT      ON UNIT       '/"
        "10X,' DEPTH    FRICTION     BEARING   '/"
        "10X,2X,A3",
        {p.labels.lengthLabel});
    for (int i = 1; i <= rowCount(p); ++i) {
        const SoilLayer& row = layer(p, i);
        r.write("10X,F7.2,1X,F8.3,4X,F8.3", {row.depth, row.lrfdFrictionFactor, row.lrfdBearingFactor});
    }
}

void writeCptData(const ProblemData& p, ReportWriter& r) {
    if (!coneMethodsRun(p.options)) return;
    r.write(
        "/10X,53(' ')/"
        "10X,'        PLASTIC    YIELD      Qc                             '/"
        "10X,'         INDEX    STRESS     FROM                            '/"
        "10X,' DEPTH     PI      RATIO     CPT                             '/"
        "10X,2X,A3,6X,'%',17X,A3",
        {p.labels.lengthLabel, p.labels.stressLabel});
    // The cone resistance of the rows stays in psf in English units.
    const double coneScale = englishUnits(p) ? 1000 : 1;
    for (int i = 1; i <= rowCount(p); ++i) {
        const SoilLayer& row = layer(p, i);
        // The blow count column carries the yield stress ratio for the
        // cone-resistance methods.
        r.write("10X,F7.2,1X,F6.2,3X,F6.2,3X,E10.3",
                {row.depth, row.plasticityIndex, row.blowCount, row.coneTipResistance / coneScale});
    }
}

void writeShaftLoadTransfer(const ProblemData& p, ReportWriter& r) {
    // The USACE load transfer has its own curves: no parameters to show.
    if (const MethodEntry* m = loadTransferMethodOf(p.options); m && m->code == kUsace) return;
    r.write(
        "//10X,53(' ')//"
        "10X,' DEPTH     Z PEAK      T RESIDUAL                          '/"
        "10X,4X,A3,6X,A3",
        {p.labels.lengthLabel, p.labels.smallLengthLabel});
    bool anyPeakDefault = false;
    bool anyResidualDefault = false;
    for (int i = 1; i <= rowCount(p); ++i) {
        const SoilLayer& row = layer(p, i);
        const bool peakDefault = row.peakMovement == 0.0;
        const bool residualDefault = row.soilType == 2.0 && row.residualFactor == 0.0;
        anyPeakDefault = anyPeakDefault || peakDefault;
        anyResidualDefault = anyResidualDefault || residualDefault;
        // The default is a fraction of the diameter (in or mm); a given SI
        // movement is held in metres and shown in millimetres.
        double z = kDefaultPeakRatio * p.pile.outsideDiameter;
        if (!peakDefault) z = englishUnits(p) ? row.peakMovement : row.peakMovement * 1000;
        const double t = residualDefault ? kDefaultClayResidual : row.residualFactor;
        r.write("10X,F7.2,3X,F7.3,1X,A2,4X,F6.2,1X,A2",
                {row.depth, z, peakDefault ? "* " : "  ", t, residualDefault ? "**" : "  "});
    }
    if (anyPeakDefault) r.write("/10X,'* DEFAULT VALUE = 0.01 D'");
    if (anyResidualDefault) {
        if (!anyPeakDefault) r.line("");
        r.write("10X,'** DEFAULT VALUE = 0.9'");
    }
}

}  // namespace

void writeSoilTables(ProblemData& p, ReportWriter& r) {
    writeSoilInformation(p, r);
    writeLimitsAndStrengths(p, r);
    writeLrfdFactors(p, r);
    writeCptData(p, r);
    writeShaftLoadTransfer(p, r);
}

}  // namespace tovek
