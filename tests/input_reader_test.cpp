// Reading the input data file and the CPT data file into the problem store,
// with the adjustments made while reading, and the messages for bad input.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "engine/run_store.h"
#include "input/free_format.h"
#include "input/input_error.h"
#include "input/input_reader.h"
#include "input/pile_line.h"
#include "input/units.h"
#include "support/test_support.h"

namespace tovek {
namespace {

// A small English problem, record by record, that tests change in place.
struct ProblemText {
    std::string titles = "Pile\nDesigner\nJob";
    std::string record4 = "1 1 2 0";
    std::string pileLine = "0 0 24 23 29000000 60 5";
    std::string record6 = "0 0 0";
    std::string record7 = "0 1.0 1 0 4 0 0";
    std::string record8 = "0 0 0 1 0 0 0 0 0";
    std::string record9 = "70 0";
    std::string rows =
        "0 1 0.8 115 32 0\n"
        "0 0 0 15 0 0 0 1000 40000 1 1 0 0 0\n"
        "70 2 0 55 0 0\n"
        "50 0 2400 1200 0 20 0 1400 21600 1 1 0 0 0";
    std::string record11 = "0";
    std::string record12 = "0 1.0";
    std::string record13 = "0 0 0";
    std::string record14 = "0 0";
    std::string record15 = "0 0";
    std::string record16 = "0";
    std::string record17 = "0";
    std::string record18 = "0";

    std::string text() const {
        std::string t;
        for (const auto* r : {&titles, &record4, &pileLine, &record6, &record7, &record8, &record9, &rows, &record11,
                              &record12, &record13, &record14, &record15, &record16, &record17, &record18})
            t += *r + "\n";
        return t;
    }
};

std::unique_ptr<RunStore> freshStore() {
    auto store = std::make_unique<RunStore>();
    store->problem.waterTableDepth = kNoWaterTable;
    store->problem.options.tensionReductionFactor = 1.0f;
    return store;
}

std::unique_ptr<RunStore> readText(const std::string& content) {
    auto store = freshStore();
    FreeFormatReader reader("test.in", content);
    readInputFile((*store).problem, reader);
    return store;
}

std::unique_ptr<RunStore> readFile(const std::filesystem::path& path) {
    auto store = freshStore();
    FreeFormatReader reader = FreeFormatReader::open(path, path.filename().string());
    readInputFile((*store).problem, reader);
    setUnitLabels(store->problem);
    return store;
}

const SoilLayer& layer(const RunStore& s, int i) { return s.problem.layers[static_cast<size_t>(i)]; }

TEST(InputReader, ExampleProblemReadsWithItsAdjustedValues) {
    const auto store = readFile(test::testDataFolder() / "runs" / "pipe24" / "pipe24.in");
    const ProblemData& p = store->problem;
    EXPECT_EQ(p.projectDescription,
              "Open-ended steel pipe pile, 24 in, sand over clay - bridge pier 3" + std::string(7, ' '));
    EXPECT_EQ(p.designerName, "A. Engineer" + std::string(61, ' '));
    EXPECT_EQ(p.jobNumber.substr(0, 11), "J-2024-017 ");
    EXPECT_EQ(p.unitSystem, 1);
    EXPECT_EQ(p.printIncrement, 5);
    EXPECT_EQ(p.layerCount, 5);
    EXPECT_EQ(p.pile.tipClosure, 0);
    EXPECT_EQ(p.pile.outsideDiameter, 24);
    EXPECT_EQ(p.pile.insideDiameter, 23);
    EXPECT_EQ(p.pile.elasticModulus, 29000000);
    EXPECT_EQ(p.pile.totalLength, 60);
    EXPECT_EQ(p.options.tipAveraging, 1);
    EXPECT_EQ(p.options.tipAveragingDiameters, 1.5);
    // No enhanced end: the whole pile, 1.0E-7 ft short, with the pile's ID.
    EXPECT_NEAR(p.pile.enhancedEndLength, 59.9999999, 1e-12);
    EXPECT_EQ(p.pile.enhancedEndInsideDiameter, 23);
    EXPECT_EQ(p.options.lengthIncrement, 1.0);
    EXPECT_EQ(p.pile.pileType, 1);
    EXPECT_EQ(p.options.loadTransferMethod, 4);
    EXPECT_EQ(p.options.capacityMethods[4], 1);
    EXPECT_EQ(p.options.capacityMethods[5], 1);
    EXPECT_EQ(p.options.capacityMethods[6], 0);
    EXPECT_EQ(p.soilProfileBottom, 70);
    // Rows at 0, 10, 30, 30, 70 ft; the sand rows' column 9 is their blow count.
    const double depths[] = {0, 0, 10, 30, 30, 70};
    const double blows[] = {0, 15, 18, 25, 0, 0};
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(layer(*store, i).depth, depths[i]) << i;
        EXPECT_EQ(layer(*store, i).blowCount, blows[i]) << i;
        EXPECT_EQ(layer(*store, i).remoldedShearStrength, i == 4 ? 0.6 : i == 5 ? 1.2 : 0.0) << i;
        EXPECT_EQ(p.frictionLimitDefaulted[static_cast<size_t>(i)], 1);
        EXPECT_EQ(p.bearingLimitDefaulted[static_cast<size_t>(i)], 1);
        EXPECT_EQ(layer(*store, i).maxUnitFriction, 9999999.0);
    }
    EXPECT_EQ(layer(*store, 4).undrainedShearStrength, 1.2);  // 1200 psf
    EXPECT_EQ(layer(*store, 5).userUnitEndBearing, 21600);    // stays in psf
    // The first row lighter than 75 pcf is the one at 10 ft (62.6 pcf).
    EXPECT_EQ(p.waterTableDepth, 10);
    EXPECT_EQ(p.options.tzPrintOption, 1);
    EXPECT_EQ(p.options.tzPrintDepthCount, 2);
    EXPECT_EQ(p.options.tzPrintDepths[1], 10);
    EXPECT_EQ(p.options.tzPrintDepths[2], 40);
    EXPECT_EQ(p.options.tensionReductionFactor, 1.0);
    EXPECT_EQ(p.pile.areaOption, 0);
    EXPECT_EQ(p.options.tzFactorOption, 0);
    EXPECT_EQ(p.options.movementListOption, 0);
    EXPECT_EQ(p.options.tipCurveScaleOption, 0);
    EXPECT_EQ(p.labels.lengthLabel, "FT.");
}

TEST(InputReader, EveryOptionalBlockAndTheReadingRules) {
    // Values spread over lines, commas, exponents, trailing comments, a
    // title longer than 72 characters, SI units.
    const auto store = readFile(test::testDataFolder() / "input" / "every-block-si.in");
    const ProblemData& p = store->problem;
    const AnalysisOptions& o = p.options;
    EXPECT_EQ(p.projectDescription, "SI problem with every optional block; this title runs on past the sevent");
    EXPECT_EQ(p.unitSystem, 2);
    EXPECT_EQ(p.layerCount, 2);
    EXPECT_EQ(p.pile.tipClosure, 1);
    // Ten values before the comment: averaging code 2 (3.0 diameters).
    EXPECT_EQ(p.pile.elasticModulus, 2.0E8);
    EXPECT_EQ(o.elevationOutput, 1);
    EXPECT_EQ(o.groundElevation, 100.5);
    EXPECT_EQ(o.tipAveraging, 2);
    EXPECT_EQ(o.tipAveragingDiameters, 3.0);
    // Record 6 over two lines; SI tip area stays as read.
    EXPECT_EQ(p.pile.batterAngle, 5.0);
    EXPECT_EQ(p.pile.enhancedEndInsideDiameter, 580);
    EXPECT_EQ(o.lengthIncrement, 0.5);
    EXPECT_EQ(o.cptDataOption, 1);
    for (int k = 1; k <= 9; ++k) EXPECT_EQ(o.capacityMethods[static_cast<size_t>(k)], 1) << k;
    EXPECT_EQ(p.soilProfileBottom, 25.0);
    EXPECT_EQ(p.pile.crossSectionArea, 0.0225);
    // Row 1, sand: blow count 20 moved to column 10; no limits given.
    EXPECT_EQ(layer(*store, 1).blowCount, 20);
    EXPECT_EQ(layer(*store, 1).remoldedShearStrength, 0);
    EXPECT_EQ(p.frictionLimitDefaulted[1], 1);
    EXPECT_EQ(p.bearingLimitDefaulted[1], 1);
    EXPECT_EQ(layer(*store, 1).peakMovement, 0.005);  // 5 mm
    // Row 2, clay, its second read over two lines; SI strengths stay in kPa.
    const SoilLayer& clay = layer(*store, 2);
    EXPECT_EQ(clay.depth, 30);
    EXPECT_EQ(clay.soilType, 2);
    EXPECT_EQ(clay.maxUnitFriction, 60);
    EXPECT_EQ(clay.maxUnitBearing, 80);
    EXPECT_EQ(p.frictionLimitDefaulted[2], 0);
    EXPECT_EQ(clay.undrainedShearStrength, 100);
    EXPECT_EQ(clay.remoldedShearStrength, 50);
    EXPECT_EQ(clay.coneTipResistance, 1500);
    EXPECT_EQ(clay.userUnitEndBearing, 2500);
    EXPECT_EQ(clay.residualFactor, 0.9);
    EXPECT_EQ(p.waterTableDepth, 30);  // 7.5 kN/m3 is below 12
    EXPECT_EQ(o.tzPrintDepthCount, 2);
    EXPECT_EQ(o.tzPrintDepths[1], 3.0);
    EXPECT_EQ(o.tzPrintDepths[2], 8.5);
    EXPECT_EQ(o.loadingType, 1);
    EXPECT_EQ(o.tensionReductionFactor, 0.7);
    EXPECT_EQ(o.clayDrainage, 1);
    EXPECT_EQ(p.pile.areaPointCount, 3);
    EXPECT_EQ(p.pile.areaOption, 2);
    EXPECT_EQ(p.pile.areaDistance[3], 20.0);
    EXPECT_EQ(p.pile.areaValue[3], 0.0180);
    EXPECT_EQ(o.criticalDepthOption, 1);
    EXPECT_EQ(o.criticalDepth, 12.5);
    EXPECT_EQ(o.tzFactorCount, 2);
    EXPECT_EQ(o.tzFactorDepth[2], 20.0);
    EXPECT_EQ(o.tzFactorA[2], 2.0);
    EXPECT_EQ(o.tzFactorB[2], 0.5);
    EXPECT_EQ(o.movementCount, 3);
    EXPECT_EQ(o.movementList[1], 0.001);
    EXPECT_EQ(o.movementList[3], 0.1);
    EXPECT_EQ(o.tipCurveScaleA, 1.5);
    EXPECT_EQ(o.tipCurveScaleB, 0.5);
    EXPECT_EQ(p.labels.lengthLabel, "M. ");

    FreeFormatReader cpt =
        FreeFormatReader::open(test::testDataFolder() / "input" / "every-block-si.cpt", "every-block-si.cpt");
    auto s = freshStore();
    readCptFile((*s).problem, cpt);
    EXPECT_EQ(s->problem.cptPointCount, 3);
    EXPECT_EQ(s->problem.cptDepth[3], 25.0);
    EXPECT_EQ(s->problem.cptTipResistance[2], 2500.5);
}

TEST(InputReader, AbsentBlocksLeaveTheirCountsAtZero) {
    // Option 0 of record 11 is followed directly by record 12, and record 18
    // with option 0 is the last line of the file.
    ProblemText t;
    t.record12 = "1 0.5";
    const auto store = readText(t.text());
    const AnalysisOptions& o = store->problem.options;
    EXPECT_EQ(o.tzPrintDepthCount, 0);
    EXPECT_EQ(o.loadingType, 1);
    EXPECT_EQ(o.tensionReductionFactor, 0.5);
    EXPECT_EQ(o.tzFactorCount, 0);
    EXPECT_EQ(o.movementCount, 0);
    EXPECT_EQ(o.tipCurveScaleA, 0);
    EXPECT_EQ(o.tipCurveScaleB, 0);
    EXPECT_EQ(store->problem.pile.areaPointCount, 0);
}

TEST(InputReader, RepeatCountsStandForRepeatedValues) {
    ProblemText t;
    t.record8 = "4*0 1 4*0";
    t.record13 = "3*1";
    const auto store = readText(t.text());
    const AnalysisOptions& o = store->problem.options;
    for (int k = 1; k <= 9; ++k) EXPECT_EQ(o.capacityMethods[static_cast<size_t>(k)], k == 5 ? 1 : 0) << k;
    EXPECT_EQ(o.clayDrainage, 1);
    EXPECT_EQ(o.plugOption, 1);
    EXPECT_EQ(o.longPileOption, 1);
}

TEST(InputReader, OneRowFactorTableAndNegativeCountsReadNoFurther) {
    ProblemText t;
    // A factor table with a count of 1 has no row in the file: record 17
    // follows at once. A negative count reads no rows.
    t.record16 = "1\n1";
    t.record17 = "1\n-2";
    t.record14 = "-1 2";
    const auto store = readText(t.text());
    const AnalysisOptions& o = store->problem.options;
    EXPECT_EQ(o.tzFactorCount, 1);
    EXPECT_EQ(o.tzFactorA[1], 0.0);
    EXPECT_EQ(o.tzFactorB[1], 0.0);
    EXPECT_EQ(o.movementListOption, 1);
    EXPECT_EQ(o.movementCount, 0);
    EXPECT_EQ(store->problem.pile.areaPointCount, 0);
    EXPECT_EQ(store->problem.pile.areaOption, 2);
}

TEST(InputReader, PileLineOptionalValuesByCount) {
    const std::string seven = "0 0 24 23 29000000 60 5";
    std::string sixty = seven + " 1 12.5 2";
    for (int k = 11; k <= 60; ++k) sixty += " " + std::to_string(k);
    struct Case {
        std::string line;
        int32_t elevationOutput;
        double groundElevation;
        int32_t tipAveraging;
        double diameters;
    } cases[] = {
        {seven, 0, 0.0, 1, 1.5},
        {seven + " 1", 1, 0.0, 1, 1.5},
        {seven + " 1 12.5", 1, 12.5, 1, 1.5},
        {seven + " 1 12.5 0", 1, 12.5, 0, 0.0},
        {seven + " 1 12.5 2", 1, 12.5, 2, 3.0},
        {seven + " 1 12.5 7", 1, 12.5, 7, 1.5},
        {seven + " 1.9 -3 2.7", 1, -3.0, 2, 3.0},    // truncated toward zero
        {seven + " 1 12.5 0 4 5", 1, 12.5, 1, 1.5},  // 12 values: 10th to 12th ignored
        {sixty, 1, 12.5, 1, 1.5},                    // 60 values: the first 50 kept
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ProblemText t;
        t.pileLine = c.line;
        const auto store = readText(t.text());
        const AnalysisOptions& o = store->problem.options;
        EXPECT_EQ(o.elevationOutput, c.elevationOutput);
        EXPECT_EQ(o.groundElevation, c.groundElevation);
        EXPECT_EQ(o.tipAveraging, c.tipAveraging);
        EXPECT_EQ(o.tipAveragingDiameters, c.diameters);
        EXPECT_EQ(store->problem.pile.stickupLength, 5);
    }
}

TEST(PileLine, ValuesOfOneLine) {
    std::string sixty;
    for (int k = 1; k <= 60; ++k) sixty += std::to_string(k) + " ";
    const ValueList many = parseValueList(sixty);
    EXPECT_EQ(many.count, 50);
    EXPECT_EQ(many.values[50], 50);

    const ValueList mixed = parseValueList("1,2 , 3.5E1  4d0,2*7 end 9");
    EXPECT_EQ(mixed.count, 6);
    EXPECT_EQ(mixed.values[3], 35);
    EXPECT_EQ(mixed.values[4], 4);
    EXPECT_EQ(mixed.values[6], 7);
    EXPECT_FALSE(mixed.stoppedAtEmptyValue);

    const ValueList empty = parseValueList("1 2,,3");
    EXPECT_EQ(empty.count, 2);
    EXPECT_TRUE(empty.stoppedAtEmptyValue);

    EXPECT_EQ(parseValueList("").count, 0);
    EXPECT_EQ(valueOrDefault(mixed, mixed.count, 6, -1.0), 7);
    EXPECT_EQ(valueOrDefault(mixed, mixed.count, 7, -1.0), -1.0);
    EXPECT_EQ(valueOrDefault(mixed, 5, 6, -1.0), -1.0);
}

TEST(InputReader, PileLineOfMoreThanAThousandCharactersIsRefused) {
    ProblemText t;
    // The 8th value stands in columns 1000 and 1001: it would be cut.
    t.pileLine = "0 0 24 23 29000000 60 5" + std::string(999 - 23, ' ') + "12";
    try {
        readText(t.text());
        FAIL() << "a pile line of 1001 characters was read";
    } catch (const InputError& error) {
        EXPECT_EQ(error.line(), 5);
        EXPECT_EQ(error.detail(), "the pile line (record 5) is 1001 characters long; expected at most 1000 characters");
    }
    // Blanks beyond the 1000th character lose nothing.
    t.pileLine = "0 0 24 23 29000000 60 5 1" + std::string(1200, ' ');
    EXPECT_EQ(readText(t.text())->problem.options.elevationOutput, 1);
}

TEST(InputReader, PileLineAndLayerAdjustmentsWhileReading) {
    ProblemText t;
    // Perimeter 48 in, tip area 144 in2, an H-pile.
    t.pileLine = "48 144 0 0 29000000 60 0";
    t.record7 = "0 1.0 6 0 4 0 0";
    // Four rows: weights 110, 120, 60, 55 pcf at 0, 10, 20, 30 ft; the
    // first, a sand, with 25 in column 9 and 0 in column 10; limits of 0 and
    // 50 psf.
    t.record4 = "1 1 4 1";
    t.rows =
        "0 1 0.8 110 32 0\n0 0 0 25 0 0 0 0 0 1 1 0 0 0\n"
        "10 1 0.8 120 32 0\n50 0 0 0 0 0 0 0 0 1 1 0 0 0\n"
        "20 2 0.8 60 0 0\n0 50 1000 500 0 0 0 0 0 1 1 0 0 0\n"
        "30 2 0.8 55 0 0\n0 0 2000 900 0 0 0 0 0 1 1 0 0 0";
    t.record6 = "12.5 20 0";  // an enhanced end section of its own
    const auto store = readText(t.text());
    const ProblemData& p = store->problem;
    // 48 / 3.1416 = 15.27883...; the pile becomes solid.
    EXPECT_NEAR(p.pile.outsideDiameter, 15.278839, 1e-6);
    EXPECT_EQ(p.pile.insideDiameter, 0);
    EXPECT_EQ(p.pile.outsideDiameterAsRead, 0);
    EXPECT_EQ(p.pile.tipArea, 1.0);  // 144 in2 = 1 ft2
    EXPECT_EQ(p.pile.tipAreaAsRead, 144);
    EXPECT_EQ(p.pile.enhancedEndLength, 12.5);
    EXPECT_EQ(p.pile.enhancedEndInsideDiameter, 20);
    EXPECT_EQ(layer(*store, 1).blowCount, 25);
    EXPECT_EQ(layer(*store, 1).remoldedShearStrength, 0);
    EXPECT_EQ(p.waterTableDepth, 20);
    EXPECT_EQ(layer(*store, 2).maxUnitFriction, 0.05);  // 50 psf
    EXPECT_EQ(p.frictionLimitDefaulted[2], 0);
    EXPECT_EQ(p.bearingLimitDefaulted[2], 1);
    EXPECT_EQ(layer(*store, 2).maxUnitBearing, 9999999.0);
    EXPECT_EQ(layer(*store, 3).maxUnitBearing, 0.05);
    EXPECT_EQ(p.frictionLimitDefaulted[3], 1);
    EXPECT_EQ(layer(*store, 3).undrainedShearStrength, 1.0);
    // A clay row keeps its column 9 as the remolded strength.
    EXPECT_EQ(layer(*store, 4).remoldedShearStrength, 0.9);
    EXPECT_EQ(layer(*store, 4).blowCount, 0);
}

struct BadInput {
    const char* title;
    std::function<void(ProblemText&)> change;
    std::string message;
};

TEST(InputReader, BadInputIsRejectedWithFileLineAndWhatWasExpected) {
    const std::string at = "ERROR IN FILE \"test.in\", LINE ";
    const std::string seven = "0 0 24 23 29000000 60 5";
    std::string longRows;
    const BadInput cases[] = {
        {"unit system", [](ProblemText& t) { t.record4 = "3 1 2 0"; },
         at + "4: the unit system must be 1 (English units) or 2 (SI units), found 3"},
        {"printing increment", [](ProblemText& t) { t.record4 = "1 0 2 0"; },
         at + "4: the printing increment must be at least 1, found 0"},
        {"too many rows", [](ProblemText& t) { t.record4 = "1 1\n81 0"; },
         at + "5: the number of soil rows is 81; it must be 1 to 80 (at most 80 rows)"},
        {"no rows", [](ProblemText& t) { t.record4 = "1 1 0 0"; },
         at + "4: the number of soil rows is 0; it must be 1 to 80 (at most 80 rows)"},
        {"integer written with a point", [](ProblemText& t) { t.record4 = "1.0 1 2 0"; },
         at + "4: expected a whole number (digits only) for the unit system in record 4 (unit system, printing "
              "increment, number of soil rows, tip closure), found \"1.0\""},
        {"short pile line", [](ProblemText& t) { t.pileLine = "0 0 24 23 29000000 60"; },
         at + "5: the pile line (record 5) holds 6 values; at least 7 are needed (perimeter, tip area, outside "
              "diameter, inside diameter, modulus of elasticity, total length, stickup length)"},
        {"empty value on the pile line", [](ProblemText& t) { t.pileLine = "0,0,24,23,29000000,60,,5"; },
         at + "5: an empty value between commas on the pile line (record 5); every value must be given"},
        {"stickup above total length", [](ProblemText& t) { t.pileLine = "0 0 24 23 29000000 60 61.5"; },
         at + "5: the pile stickup length (61.5, 7th value of the pile line) is larger than the total pile "
              "length (60, 6th value)"},
        {"horizontal pile", [](ProblemText& t) { t.record6 = "0 0\n-90"; },
         at + "7: the batter angle must lie between -90 and 90 degrees, found -90"},
        {"zero length increment", [](ProblemText& t) { t.record7 = "0 0 1 0 4 0 0"; },
         at + "7: the increment of pile length must be greater than 0, found 0"},
        {"negative length increment", [](ProblemText& t) { t.record7 = "0 -0.5 1 0 4 0 0"; },
         at + "7: the increment of pile length must be greater than 0, found -0.5"},
        {"unreadable real", [](ProblemText& t) { t.record9 = "7O 0"; },
         at + "9: expected a number for the depth of the deepest soil profile in record 9 (deepest soil profile, "
              "cross-section area), found \"7O\""},
        {"empty value in a read", [](ProblemText& t) { t.record13 = "0,,0 0"; },
         at + "16: an empty value between commas in record 13 (clay drainage, plug option, long pile option); "
              "every value must be given"},
        {"slash ending a read early", [](ProblemText& t) { t.record12 = "0 /"; },
         at + "15: a slash ends record 12 (loading type, tension reduction factor) early; expected 2 values"},
        {"too many print depths", [](ProblemText& t) { t.record11 = "1\n101"; },
         at + "15: the number of t-z print depths is 101; at most 100 are allowed"},
        {"too many area points", [](ProblemText& t) { t.record14 = "101 2"; },
         at + "17: the number of points of the cross-section area table is 101; at most 100 are allowed"},
        {"too many factor rows", [](ProblemText& t) { t.record16 = "1\n101"; },
         at + "20: the number of t-z factor rows is 101; at most 100 are allowed"},
        {"too many movements", [](ProblemText& t) { t.record17 = "1\n22"; },
         at + "21: the number of movements is 22; at most 21 are allowed"},
        {"block option above 1", [](ProblemText& t) { t.record16 = "2"; },
         at + "19: the t-z factor option must be 0 (no data follow) or 1 (data follow), found 2"},
        {"file ends early", [](ProblemText& t) { t.record18 = "1"; },
         at + "22: the file ends here; expected the tip curve multipliers (record 18) (2 values, 0 found)"},
        {"row read ends early",
         [](ProblemText& t) {
             t.rows = "0 1 0.8 115 32 0\n0 0 0 15 0 0 0 1000 40000 1 1 0 0 0\n70 2 0 55 0 0\n50 0 2400";
             t.record11 = t.record12 = t.record13 = t.record14 = t.record15 = t.record16 = t.record17 = t.record18 = "";
         },
         at + "22: the file ends here; expected soil row 2, columns 6 to 19 (record 10) (14 values, 3 found)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        ProblemText t;
        c.change(t);
        try {
            readText(t.text());
            ADD_FAILURE() << "no error";
        } catch (const InputError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
}

TEST(CptReader, PointCountsAndErrors) {
    auto read = [](const std::string& content) {
        auto store = freshStore();
        FreeFormatReader reader("run.cpt", content);
        readCptFile((*store).problem, reader);
        return store;
    };
    EXPECT_EQ(read("0 0\n")->problem.cptPointCount, 0);
    const auto two = read("7 2\n1.5 200\n3.0,4.5E2 trailing\n");
    EXPECT_EQ(two->problem.cptPointCount, 2);
    EXPECT_EQ(two->problem.cptDepth[2], 3.0);
    EXPECT_EQ(two->problem.cptTipResistance[2], 450);

    struct Case {
        std::string content;
        std::string message;
    } cases[] = {
        {"",
         "ERROR IN FILE \"run.cpt\", LINE 1: the file ends here; expected record 1 of the CPT data (an unused "
         "whole number, number of CPT points) (2 values, 0 found)"},
        {"0 1001\n", "ERROR IN FILE \"run.cpt\", LINE 1: the number of CPT points is 1001; at most 1000 are allowed"},
        {"0 2\n1 100\n",
         "ERROR IN FILE \"run.cpt\", LINE 3: the file ends here; expected CPT point 2 (2 values, 0 "
         "found)"},
        {"0 2.0\n",
         "ERROR IN FILE \"run.cpt\", LINE 1: expected a whole number (digits only) for the number of "
         "CPT points in record 1 of the CPT data (an unused whole number, number of CPT points), found "
         "\"2.0\""},
    };
    for (const auto& c : cases) {
        try {
            read(c.content);
            ADD_FAILURE() << "no error for " << c.content;
        } catch (const InputError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
}

}  // namespace
}  // namespace tovek
