// The "INPUT INFORMATION" section of the report: whole sections of a few
// problems against texts written out from the line layouts, the store
// changes made while the input is echoed, and the conditional lines.
//
// The problems are put into the store by hand with the values as they stand
// after reading: English tip areas already in square feet, layer limits and
// strengths in ksf (9999999.0 with the flag when the file gave 0), SI peak
// movements in metres, the outside diameter after the perimeter rule next to
// the diameter and tip area as read.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/run_store.h"
#include "input/input_checks.h"
#include "input/input_reader.h"
#include "input/input_report.h"
#include "input/units.h"
#include "support/test_support.h"

namespace tovek {
namespace {

// One soil row as it stands after reading.
struct Row {
    double depth, soilType, k, unitWeight, frictionAngle, nq;
    double maxFriction, maxBearing, undrained, remolded, blowCount;
    double plasticity, cone, userSkin, userEnd, lrfdFriction, lrfdBearing;
    double peak, residual;
};

void setRows(ProblemData& p, const std::vector<Row>& rows) {
    p.layerCount = static_cast<int32_t>(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        const Row& r = rows[i];
        SoilLayer& l = p.layers[i + 1];
        l.depth = r.depth;
        l.soilType = r.soilType;
        l.lateralEarthPressure = r.k;
        l.effectiveUnitWeight = r.unitWeight;
        l.frictionAngle = r.frictionAngle;
        l.bearingCapacityFactor = r.nq;
        // A limit the file left at 0 is held as the no-limit marker.
        l.maxUnitFriction = r.maxFriction == 0 ? kNoLayerLimit : r.maxFriction;
        l.maxUnitBearing = r.maxBearing == 0 ? kNoLayerLimit : r.maxBearing;
        p.frictionLimitDefaulted[i + 1] = r.maxFriction == 0 ? 1 : 0;
        p.bearingLimitDefaulted[i + 1] = r.maxBearing == 0 ? 1 : 0;
        l.undrainedShearStrength = r.undrained;
        l.remoldedShearStrength = r.remolded;
        l.blowCount = r.blowCount;
        l.plasticityIndex = r.plasticity;
        l.coneTipResistance = r.cone;
        l.userUnitSkinFriction = r.userSkin;
        l.userUnitEndBearing = r.userEnd;
        l.lrfdFrictionFactor = r.lrfdFriction;
        l.lrfdBearingFactor = r.lrfdBearing;
        l.peakMovement = r.peak;
        l.residualFactor = r.residual;
    }
}

void setMethods(ProblemData& p, std::initializer_list<int> flags) {
    int k = 1;
    for (int f : flags) p.options.capacityMethods[static_cast<size_t>(k++)] = f;
}

// The pile line and the enhanced end as the reader leaves them.
void setPile(ProblemData& p, double perimeter, double tipArea, double od, double id, double modulus, double totalLength,
             double stickup) {
    PileSection& pile = p.pile;
    pile.perimeter = perimeter;
    pile.tipAreaAsRead = tipArea;
    pile.tipArea = p.unitSystem == 1 ? tipArea / 144 : tipArea;
    pile.outsideDiameterAsRead = od;
    pile.outsideDiameter = od;
    pile.insideDiameter = id;
    if (perimeter > 1.0e-10) {
        pile.outsideDiameter = perimeter / static_cast<double>(3.1416f);
        pile.insideDiameter = 0;
    }
    pile.elasticModulus = modulus;
    pile.totalLength = totalLength;
    pile.stickupLength = stickup;
}

void setNoEnhancedEnd(ProblemData& p) {
    p.pile.enhancedEndLength = p.pile.totalLength - static_cast<double>(0.0000001f);
    p.pile.enhancedEndInsideDiameter = p.pile.insideDiameter;
}

void startProblem(ProblemData& p, int unitSystem, const std::string& title, const std::string& designer,
                  const std::string& job) {
    p.projectDescription = title;
    p.designerName = designer;
    p.jobNumber = job;
    p.unitSystem = unitSystem;
    p.options.tensionReductionFactor = 1.0;
    setUnitLabels(p);
}

// English open-ended pipe, API RP 2A and ICP/MTD with CPT data: soil table
// without chart factors, every default of the soil tables, the CPT table.
void openPipeEnglish(ProblemData& p) {
    startProblem(p, 1, "Open-ended steel pipe pile, 24 in, sand over clay - bridge pier 3, rev.B", "A. Engineer",
                 "J-2024-017");
    p.printIncrement = 5;
    p.pile.tipClosure = 0;
    setPile(p, 0, 0, 24, 23, 29000000, 60, 0);
    p.options.tipAveraging = 1;
    setNoEnhancedEnd(p);
    p.pile.batterAngle = 0;
    p.pile.zeroFrictionLength = 0;
    p.options.lengthIncrement = 1.0;
    p.pile.pileType = 1;
    p.options.loadTransferMethod = 4;
    p.options.cptDataOption = 1;
    p.options.sideFrictionReduction = 0;
    setMethods(p, {0, 0, 0, 1, 0, 0, 1, 0, 0});
    p.pile.areaOption = 1;
    p.pile.crossSectionArea = 36.91;
    p.options.clayDrainage = 1;
    p.options.plugOption = 0;
    setRows(p, {
                   // depth type K gamma phi Nq | limits (ksf) su sr N | PI qc(psf) user skin/end (psf) | LRFD | z(in) t
                   {0, 1, 0, 115, 32, 0, 0, 0, 0, 0, 15, 0, 40000, 1000, 40000, 1, 1, 0, 0},
                   {10, 1, 0, 62.6, 34, 40, 2.0, 0, 0, 0, 18, 0, 50000, 1200, 50000, 0.75, 0.8, 0.1, 0},
                   {30, 2, 1.0, 55, 0, 10, 1.5, 45.0, 1.2, 0.6, 0, 20, 10800, 800, 10800, 0.7, 0.65, 0, 0},
               });
}

// SI timber pile, FHWA alone, tension without API RP 2A, a taper angle.
void timberSi(ProblemData& p) {
    startProblem(p, 2, "Timber pile, SI", "B. Designer", "");
    p.printIncrement = 4;
    setPile(p, 0, 0, 300, 0, 1.1e7, 12, 0.5);
    p.options.tipAveraging = 0;
    p.pile.batterAngle = 5;
    p.pile.zeroFrictionLength = 1.0;
    p.options.lengthIncrement = 0.25;
    p.pile.pileType = 2;
    p.pile.taperAngle = 0.5;
    p.options.loadTransferMethod = 1;
    p.options.sideFrictionReduction = 1;
    setMethods(p, {1, 0, 0, 0, 0, 0, 0, 0, 0});
    p.pile.areaOption = 1;
    p.pile.crossSectionArea = 0.0707;
    p.options.loadingType = 1;
    p.options.tensionReductionFactor = 0.7;
    setRows(p, {
                   // SI: limits and strengths in kPa, z in m
                   {0, 1, 1.2, 18.5, 30, 0, 0, 5000, 0, 0, 12, 0, 0, 40, 3000, 0.8, 0.9, 0.005, 0.8},
                   {13.5, 3, 0, 9.0, 28, 25, 60, 0, 0, 0, 20, 0, 0, 55, 4500, 1.0, 1.0, 0, 0},
               });
}

// English H-pile: USACE alone with its critical depth and the long-pile
// option, an area table, no shaft load-transfer table.
void hPileEnglish(ProblemData& p) {
    startProblem(p, 1, "H-pile HP14x89 through soft clay", "C. Checker", "J-2024-018");
    p.printIncrement = 10;
    setPile(p, 48, 15.5, 0, 0, 29000000, 50, 2);
    p.options.tipAveraging = 2;
    setNoEnhancedEnd(p);
    p.options.lengthIncrement = 0.5;
    p.pile.pileType = 6;
    p.options.loadTransferMethod = 2;
    setMethods(p, {0, 1, 0, 0, 0, 0, 0, 0, 0});
    p.options.criticalDepthOption = 2;
    p.options.criticalDepth = 12.5;
    p.options.longPileOption = 1;
    p.pile.areaOption = 2;
    p.pile.areaPointCount = 2;
    p.pile.areaDistance[1] = 0;
    p.pile.areaValue[1] = 15.5;
    p.pile.areaDistance[2] = 50;
    p.pile.areaValue[2] = 12.25;
    setRows(p, {
                   {0, 2, 0.9, 120, 0, 0, 1.2, 9.0, 1.0, 0.5, 0, 0, 0, 0, 0, 0.6, 0.55, 0, 0},
                   {60, 1, 1.1, 57.6, 36, 30, 2.5, 60, 0, 0, 30, 0, 0, 0, 0, 0.6, 0.55, 0, 0},
               });
}

// SI precast square pile: FHWA and USACE, critical depth at a stress, a
// batter, an unknown tip averaging code.
void precastSquareSi(ProblemData& p) {
    startProblem(p, 2, "Precast square pile 400 mm", "D. Designer", "P-77");
    p.printIncrement = 1;
    setPile(p, 1600, 0.16, 0, 0, 3.0e7, 20, 0);
    p.options.tipAveraging = 7;
    setNoEnhancedEnd(p);
    p.pile.batterAngle = 10;
    p.pile.zeroFrictionLength = 0.5;
    p.options.lengthIncrement = 0.5;
    p.pile.pileType = 3;
    p.options.loadTransferMethod = 3;
    setMethods(p, {1, 1, 0, 0, 0, 0, 0, 0, 0});
    p.options.criticalDepthOption = 1;
    p.pile.areaOption = 1;
    p.pile.crossSectionArea = 0.16;
    setRows(p, {
                   {0, 1, 0, 19, 32, 0, 100, 10000, 0, 0, 25, 0, 0, 0, 0, 1, 1, 0.0025, 0},
                   {25, 2, 1.0, 8.0, 0, 0, 30, 0, 50, 25, 0, 0, 0, 0, 0, 1, 1, 0, 0.5},
               });
}

// English closed-ended pipe with an enhanced end: FHWA and API RP 2A,
// tension with its reduction factor, unplugged.
void closedPipeEnglish(ProblemData& p) {
    startProblem(p, 1, "Closed-ended pipe 18 in", "E. Engineer", "J-19");
    p.printIncrement = 2;
    p.pile.tipClosure = 1;
    setPile(p, 0, 0, 18, 17.25, 29000000, 45, 3);
    p.options.tipAveraging = 1;
    p.pile.enhancedEndLength = 4.0;
    p.pile.enhancedEndInsideDiameter = 16.5;
    p.pile.zeroFrictionLength = 3.0;
    p.options.lengthIncrement = 1.0;
    p.pile.pileType = 1;
    p.pile.taperAngle = 2.0;
    p.options.loadTransferMethod = 5;
    p.options.cptDataOption = 1;
    setMethods(p, {1, 0, 0, 1, 0, 0, 0, 0, 0});
    p.options.loadingType = 1;
    p.options.tensionReductionFactor = 0.8;
    p.options.plugOption = 2;
    p.pile.areaOption = 1;
    p.pile.crossSectionArea = 20.76;
    setRows(p, {
                   {0, 1, 0.8, 110, 30, 20, 1.5, 80, 0, 0, 10, 0, 0, 500, 20000, 1, 1, 0.15, 0.9},
                   {20, 1, 1.0, 60, 35, 0, 2.0, 100, 0, 0, 30, 0, 0, 0, 0, 1, 1, 0.2, 0},
               });
}

// SI precast tube, open at the tip: USACE and the user's unit values,
// plugged, an enhanced end equal to the embedded length.
void precastTubeSi(ProblemData& p) {
    startProblem(p, 2, "Precast tubular pile 600/400", "F. Designer", "T-6");
    p.printIncrement = 2;
    p.pile.tipClosure = 0;
    setPile(p, 0, 0, 600, 400, 3.5e7, 15, 1);
    p.options.tipAveraging = 1;
    p.pile.enhancedEndLength = 14;
    p.pile.enhancedEndInsideDiameter = 380;
    p.options.lengthIncrement = 0.5;
    p.pile.pileType = 3;
    p.options.loadTransferMethod = 6;
    setMethods(p, {0, 1, 0, 0, 1, 0, 0, 0, 0});
    p.options.criticalDepthOption = 0;
    p.pile.areaOption = 1;
    p.pile.crossSectionArea = 0.1571;
    p.options.plugOption = 1;
    setRows(p, {
                   {0, 2, 0, 17, 0, 0, 0, 500, 40, 20, 0, 0, 0, 30, 900, 0.9, 0.8, 0, 0},
                   {6, 1, 1.0, 9.5, 34, 35, 80, 9000, 0, 0, 22, 0, 0, 45, 4000, 0.9, 0.8, 0.004, 0},
                   {20, 3, 0.7, 9.0, 30, 0, 70, 8000, 0, 0, 28, 0, 0, 50, 5000, 0.9, 0.8, 0.003, 0.85},
               });
}

// English tapered monotube with every method selected: all chart columns,
// CPT table, reduced side friction, tension with API RP 2A.
void taperedAllMethodsEnglish(ProblemData& p) {
    startProblem(p, 1, "Monotube, tapered portion", "G. Engineer", "M-1");
    p.printIncrement = 1;
    p.pile.tipClosure = 1;
    setPile(p, 0, 0, 16, 0, 29000000, 40, 0);
    p.options.tipAveraging = 2;
    setNoEnhancedEnd(p);
    p.options.lengthIncrement = 1.0;
    p.pile.pileType = 7;
    p.pile.taperAngle = 0.6;
    p.options.loadTransferMethod = 9;
    p.options.cptDataOption = 1;
    p.options.sideFrictionReduction = 1;
    setMethods(p, {1, 1, 1, 1, 1, 1, 1, 1, 1});
    p.options.criticalDepthOption = 3;
    p.options.longPileOption = 1;
    p.options.clayDrainage = 0;
    p.options.loadingType = 1;
    p.options.tensionReductionFactor = 1.0;
    p.pile.areaOption = 1;
    p.pile.crossSectionArea = 12.5;
    setRows(p, {
                   {0, 1, 1.0, 115, 33, 25, 0, 60, 0, 0, 20, 0, 120000, 0, 0, 1, 1, 0.2, 0},
                   {15, 2, 0, 50, 0, 0, 1.0, 9.0, 0.8, 0.4, 1.5, 25, 15000, 0, 0, 1, 1, 0.3, 0},
               });
}

// The bundled example (examples/pipe-pile/pipe24.in) as the reader leaves
// it: sand rows carry their blow count in column 10, limits of 0 become the
// no-limit marker, the area is the computed 0.7854 x (24^2 - 23^2) = 36.91.
void pipe24Example(ProblemData& p) {
    startProblem(p, 1, "Open-ended steel pipe pile, 24 in, sand over clay - bridge pier 3", "A. Engineer",
                 "J-2024-017");
    p.printIncrement = 5;
    p.pile.tipClosure = 0;
    setPile(p, 0, 0, 24, 23, 29000000, 60, 0);
    p.options.tipAveraging = 1;
    setNoEnhancedEnd(p);
    p.options.lengthIncrement = 1.0;
    p.pile.pileType = 1;
    p.options.loadTransferMethod = 4;
    setMethods(p, {0, 0, 0, 1, 1, 0, 0, 0, 0});
    p.pile.areaOption = 1;
    p.pile.crossSectionArea = 0.7854 * 47;
    setRows(p, {
                   {0, 1, 0.8, 115, 32, 0, 0, 0, 0, 0, 15, 0, 0, 1000, 40000, 1, 1, 0, 0},
                   {10, 1, 0.8, 62.6, 32, 0, 0, 0, 0, 0, 18, 0, 0, 1200, 50000, 1, 1, 0, 0},
                   {30, 1, 0.8, 62.6, 34, 0, 0, 0, 0, 0, 25, 0, 0, 1500, 60000, 1, 1, 0, 0},
                   {30, 2, 0, 55, 0, 0, 0, 0, 1.2, 0.6, 0, 20, 0, 800, 10800, 1, 1, 0, 0},
                   {70, 2, 0, 55, 0, 0, 0, 0, 2.4, 1.2, 0, 20, 0, 1400, 21600, 1, 1, 0, 0},
               });
}

struct SectionRun {
    std::unique_ptr<RunStore> store = std::make_unique<RunStore>();
    std::ostringstream text;
    std::vector<std::string> lines;
};

std::unique_ptr<SectionRun> writeSection(void (*fill)(ProblemData&)) {
    auto run = std::make_unique<SectionRun>();
    fill(run->store->problem);
    run->store->report.attach(&run->text);
    writeInputInformation((*run->store).problem, (*run->store).report);
    run->lines = test::splitLines(run->text.str());
    return run;
}

std::vector<std::string> expectedLines(const std::string& name) {
    std::ifstream in(test::testDataFolder() / "echo" / name, std::ios::binary);
    EXPECT_TRUE(in.good()) << name;
    std::ostringstream s;
    s << in.rdbuf();
    return test::splitLines(s.str());
}

// Compares line by line; the line ends are shown by '|' so that trailing
// blanks are visible.
void expectSameLines(const std::vector<std::string>& got, const std::vector<std::string>& want,
                     const std::string& name) {
    const size_t n = std::max(got.size(), want.size());
    for (size_t i = 0; i < n; ++i) {
        const std::string g = i < got.size() ? "|" + got[i] + "|" : "(no line)";
        const std::string w = i < want.size() ? "|" + want[i] + "|" : "(no line)";
        EXPECT_EQ(g, w) << name << " line " << i + 1;
    }
}

struct SectionCase {
    const char* file;
    void (*fill)(ProblemData&);
};

class WholeSection : public testing::TestWithParam<SectionCase> {};

TEST_P(WholeSection, MatchesTheLayoutsLineByLine) {
    const SectionCase& c = GetParam();
    const auto run = writeSection(c.fill);
    expectSameLines(run->lines, expectedLines(c.file), c.file);
}

INSTANTIATE_TEST_SUITE_P(Problems, WholeSection,
                         testing::Values(SectionCase{"open_pipe_english.txt", openPipeEnglish},
                                         SectionCase{"timber_si.txt", timberSi},
                                         SectionCase{"h_pile_english.txt", hPileEnglish},
                                         SectionCase{"precast_square_si.txt", precastSquareSi},
                                         SectionCase{"closed_pipe_english.txt", closedPipeEnglish},
                                         SectionCase{"precast_tube_si.txt", precastTubeSi},
                                         SectionCase{"tapered_all_methods_english.txt", taperedAllMethodsEnglish},
                                         SectionCase{"pipe24_example.txt", pipe24Example}),
                         [](const testing::TestParamInfo<SectionCase>& c) {
                             std::string name = c.param.file;
                             return name.substr(0, name.find('.'));
                         });

// The lines that follow the line `from` up to the next empty line.
std::vector<std::string> linesAfter(const std::vector<std::string>& lines, const std::string& from) {
    std::vector<std::string> out;
    size_t i = 0;
    while (i < lines.size() && lines[i] != from) ++i;
    EXPECT_LT(i, lines.size()) << "no line \"" << from << "\"";
    for (++i; i < lines.size() && !lines[i].empty(); ++i) out.push_back(lines[i]);
    return out;
}

const std::string kTen(10, ' ');

TEST(InputEcho, StoreHoldsTheEchoedQuantitiesAfterwards) {
    // SI square pile: 10 degree batter, given area, no stickup.
    const auto si = writeSection(precastSquareSi);
    const PileSection& pile = si->store->problem.pile;
    EXPECT_EQ(si->store->problem.labels.modulusLabel, "KPA");
    EXPECT_EQ(pile.embeddedLength, 20.0);  // 20 - 0
    // 10 x 3.1415927 / 180 = 0.174532927 (the printed angle stayed 10.00 DEG).
    EXPECT_DOUBLE_EQ(pile.batterAngle, 10.0 * static_cast<double>(3.1415927f) / 180.0);
    EXPECT_EQ(pile.crossSectionArea, 0.16);  // area option 1 keeps the given area

    // English pipe with stickup: 45 - 3 = 42; an area table leaves the area alone.
    const auto en = writeSection([](ProblemData& p) {
        closedPipeEnglish(p);
        p.pile.areaOption = 2;
        p.pile.crossSectionArea = 0;
    });
    EXPECT_EQ(en->store->problem.labels.modulusLabel, "PSI");
    EXPECT_EQ(en->store->problem.pile.embeddedLength, 42.0);
    EXPECT_EQ(en->store->problem.pile.batterAngle, 0.0);
    EXPECT_EQ(en->store->problem.pile.crossSectionArea, 0.0);
}

struct PileTypeCase {
    int32_t pileType;
    double perimeter;
    int32_t tipClosure;
    int fhwa;
    double taperAngle;
    std::vector<std::string> lines;  // after "PILE TYPE : "
};

TEST(InputEcho, PileTypeClosureAndTaperLines) {
    const std::string taper = kTen + "Angle of taper for a tapered pile  (degrees) =";
    const std::vector<PileTypeCase> cases = {
        {4, 0, 0, 1, 1.25, {kTen + "Raymond step-taper pile", taper + "     1.250"}},
        // The taper line needs FHWA selected and an angle above 0.
        {5, 0, 0, 0, 1.0, {kTen + "Raymond Uniform taper pile"}},
        {7, 0, 0, 1, 0.0, {kTen + "Tapered portion of Monotube pile"}},
        {2, 0, 0, 1, -0.5, {kTen + "Timber pile"}},
        // Only timber and the Raymond and monotube tapers have a taper line.
        {6, 0, 0, 1, 2.0, {kTen + "H-Pile/Steel Pile"}},
        // A tip closure code other than 0 and 1 has no line.
        {1, 0, 2, 0, 0, {kTen + "Steel pipe pile or non-tapered portion of monotube pile"}},
        {3, 0, 1, 0, 0, {kTen + "Precast concrete pile (Circular/Tubular)", kTen + "- Close-Ended Pile"}},
        // A non-zero perimeter makes the precast pile orthogonal: no closure line.
        {3, -4.0, 0, 0, 0, {kTen + "Precast concrete pile (Square/Rectangular/Orthogonal)"}},
        {9, 0, 0, 1, 2.0, {}},
    };
    for (const auto& c : cases) {
        auto run = std::make_unique<SectionRun>();
        ProblemData& p = run->store->problem;
        timberSi(p);
        p.pile.pileType = c.pileType;
        p.pile.perimeter = c.perimeter;
        p.pile.tipClosure = c.tipClosure;
        p.options.capacityMethods[1] = c.fhwa;
        p.pile.taperAngle = c.taperAngle;
        run->store->report.attach(&run->text);
        writeInputInformation((*run->store).problem, (*run->store).report);
        EXPECT_EQ(linesAfter(test::splitLines(run->text.str()), kTen + "PILE TYPE : "), c.lines)
            << "pile type " << c.pileType << ", closure " << c.tipClosure;
    }
}

TEST(InputEcho, CodesOutsideTheirListsWriteNoLine) {
    const auto run = writeSection([](ProblemData& p) {
        openPipeEnglish(p);
        p.options.loadTransferMethod = 0;
        setMethods(p, {0, 0, 0, 0, 0, 0, 0, 0, 0});
        p.options.plugOption = 3;
    });
    const auto& lines = run->lines;
    // No method line under the load-transfer heading, none under the
    // capacity heading.
    EXPECT_EQ(linesAfter(lines, kTen + "METHOD FOR UNIT LOAD TRANSFERS : "),
              std::vector<std::string>{kTen + "  Unfactored Unit Side Friction and Unit Side Resistance are used."});
    EXPECT_TRUE(linesAfter(lines, kTen + "COMPUTATION METHOD(S) FOR PILE CAPACITY : ").empty());
    // Plug option 3: the pile block ends with the enhanced end, then the
    // soil table heading.
    const auto block = linesAfter(lines, kTen + "CIRCULAR PILE PROPERTIES : ");
    ASSERT_FALSE(block.empty());
    EXPECT_EQ(block.back(), kTen + "  ENHANCED END SECTION      =     23.00 IN.");
    for (const auto& line : lines) EXPECT_EQ(line.find("PLUGGED/UNPLUGGED"), std::string::npos);
    // No CPT table: no cone-resistance method selected.
    for (const auto& line : lines) EXPECT_EQ(line.find("PLASTIC"), std::string::npos);
}

TEST(InputEcho, ClosedPrecastTubeHasNoEnhancedEndOrPlugLines) {
    const auto run = writeSection([](ProblemData& p) {
        precastTubeSi(p);
        p.pile.tipClosure = 1;
        p.pile.enhancedEndLength = 3;  // differs from the embedded length, 14
    });
    const auto block = linesAfter(run->lines, kTen + "CIRCULAR PILE PROPERTIES : ");
    ASSERT_FALSE(block.empty());
    EXPECT_EQ(block.back(), kTen + "- PRINTING INCREMENT        =         2");
    for (const auto& line : run->lines) {
        EXPECT_EQ(line.find("ENHANCED"), std::string::npos);
        EXPECT_EQ(line.find("PLUGGED/UNPLUGGED"), std::string::npos);
    }
}

TEST(InputEcho, UnknownSoilTypeShowsItsCode) {
    const auto run = writeSection([](ProblemData& p) {
        hPileEnglish(p);
        p.layers[2].soilType = 4;
    });
    // V3 row without a default: 10X,F7.2,3X,A4,F10.2,F13.2,F13.2,F10.2,A2;
    // the Army Corps factor at 36 degrees is 56.00.
    const std::string row =
        kTen + "  60.00" + "   " + " 4.0" + "      1.10" + "        57.60" + "        36.00" + "     56.00" + "**";
    EXPECT_NE(std::find(run->lines.begin(), run->lines.end(), row), run->lines.end());
}

TEST(InputEcho, CountsBeyondTheStoreReadNoFurtherThanItsRows) {
    // Counts the reader would have rejected are a program fault: a debug
    // build stops on them; a release build still stops the tables at the 80
    // rows and the area table at the 100 points the store holds.
    const auto fill = [](ProblemData& p) {
        hPileEnglish(p);
        p.layerCount = 200;
        p.pile.areaPointCount = 150;
    };
#ifndef NDEBUG
    EXPECT_DEATH(writeSection(fill), "count");
#else
    const auto run = writeSection(fill);
    const auto lrfdRows = linesAfter(run->lines, kTen + "  FT.");
    EXPECT_EQ(lrfdRows.size(), static_cast<size_t>(kMaxLayers));
    const auto areaRows = linesAfter(run->lines, kTen + "- MODULUS OF ELASTICITY     = 0.290E+08 PSI");
    EXPECT_EQ(areaRows.size(), 2u + kMaxAreaPoints);  // heading, units, points
#endif
}

// The cross-section area computed from the geometry when the file gives
// area option 0. Runs once the area computation of the input checks is in
// the build.
TEST(InputEcho, AreaFromTheGeometryWithAreaOptionZero) {
    {
        ProblemData probe;
        probe.unitSystem = 1;
        probe.pile.pileType = 2;
        probe.pile.outsideDiameterAsRead = probe.pile.outsideDiameter = 10;
        computeCrossSectionArea(probe);
        if (probe.pile.crossSectionArea == 0.0) GTEST_SKIP() << "the cross-section area is not computed in this build";
    }
    struct AreaCase {
        void (*fill)(ProblemData&);
        std::string line;
    };
    const std::string area = kTen + "- CROSS SECTION AREA        =";
    const AreaCase cases[] = {
        // Pipe: 0.7854 x (24^2 - 23^2) = 0.7854 x 47 = 36.914 in2.
        {openPipeEnglish, area + "     36.91 IN2"},
        // H-pile: the tip area as read, 15.5 in2 (not the 15.5/144 ft2 held).
        {hPileEnglish, area + "     15.50 IN2"},
        // Timber, SI: 0.7854 x 300^2 / 1000 / 1000 = 0.0707 m2.
        {timberSi, area + "      0.07 M2 "},
        // Precast tube, SI: 0.7854 x (600^2 - 400^2) / 1000 / 1000 = 0.157 m2.
        {precastTubeSi, area + "      0.16 M2 "},
    };
    for (const auto& c : cases) {
        auto run = std::make_unique<SectionRun>();
        c.fill(run->store->problem);
        run->store->problem.pile.areaOption = 0;
        run->store->problem.pile.crossSectionArea = 123.0;  // replaced by the computed area
        run->store->report.attach(&run->text);
        writeInputInformation((*run->store).problem, (*run->store).report);
        const auto lines = test::splitLines(run->text.str());
        EXPECT_NE(std::find(lines.begin(), lines.end(), c.line), lines.end()) << c.line;
    }
}

// The bundled example through the whole engine: the section stands in the
// report exactly as written out. Runs once the input reader is in the build.
TEST(InputEcho, BundledPipeExampleReport) {
    test::ScratchFolder folder;
    folder.copyFrom(test::testDataFolder() / "runs" / "pipe24");
    test::runEngine(folder.path());
    const auto report = folder.lines("pipe24.out");
    const auto heading = std::find(report.begin(), report.end(), kTen + "* INPUT INFORMATION *");
    ASSERT_NE(heading, report.end());
    // The section starts with three empty lines and the page eject before
    // the starred heading; the project description is the fourth line after it.
    const size_t start = static_cast<size_t>(heading - report.begin());
    ASSERT_GE(start, 5u);
    ASSERT_LT(start + 4, report.size());
    if (report[start + 4].find("Open-ended") == std::string::npos)
        GTEST_SKIP() << "the input data file is not read in this build";
    const auto want = expectedLines("pipe24_example.txt");
    const size_t end = std::min(report.size(), start - 5 + want.size());
    const std::vector<std::string> got(report.begin() + static_cast<long>(start - 5),
                                       report.begin() + static_cast<long>(end));
    expectSameLines(got, want, "pipe24_example.txt");
}

}  // namespace
}  // namespace tovek
