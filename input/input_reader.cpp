#include "input/input_reader.h"

#include <cmath>
#include <limits>
#include <string>

#include "input/input_checks.h"
#include "input/input_error.h"
#include "input/pile_line.h"

namespace tovek {

namespace {

std::string number(double value) {
    std::string text = std::to_string(value);
    // Trim the fixed six decimals to what the value needs.
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    return text;
}

// Tables read downwards (soil rows, area points, factor rows, CPT points)
// must not step back: entry k (of `what`, e.g. "soil row") holding `value`
// may not lie before entry k-1 holding `previous`. `quantity` names what is
// compared, `relation` how a wrong entry lies, `plural` the entries.
void requireInOrder(const std::string& file, int line, const std::string& what, int k, double value, double previous,
                    const char* quantity, const char* relation, const char* plural) {
    if (k <= 1 || !(value < previous)) return;
    throw InputError(file, line,
                     "the " + std::string(quantity) + " of " + what + " " + std::to_string(k) + " (" + number(value) +
                         ") " + relation + " that of " + what + " " + std::to_string(k - 1) + " (" + number(previous) +
                         "); expected the " + plural + " in order of increasing " + quantity);
}

// A real written where the file means a whole number, truncated toward
// zero; values beyond the integer range are held at its ends.
int32_t truncatedToInteger(double value) {
    if (!(value > std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
    if (!(value < std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

// The number of rows a block count asks for: a count of 0 or less reads no
// rows and leaves the block empty; more than `limit` does not fit the store.
int32_t rowCount(const FreeFormatReader& reader, const FreeFormatReader::List& list, int index, int32_t count,
                 int limit, const std::string& what) {
    if (count > limit)
        throw InputError(reader.fileName(), list.line(index),
                         what + " is " + std::to_string(count) + "; at most " + std::to_string(limit) + " are allowed");
    return count < 0 ? 0 : count;
}

// Options that announce a block: 1 means the block follows, 0 that it does
// not. Any other value would leave the block unread while the later stages
// take it as present.
int32_t blockOption(const FreeFormatReader& reader, const FreeFormatReader::List& list, const std::string& what) {
    const int32_t option = list.integer(1, what);
    if (option != 0 && option != 1)
        throw InputError(reader.fileName(), list.line(1),
                         what + " must be 0 (no data follow) or 1 (data follow), found " + std::to_string(option));
    return option;
}

void readPileLine(ProblemData& p, FreeFormatReader& reader) {
    const int lineNumber = reader.nextLineNumber();
    std::string line = reader.wholeLine("the pile line (record 5)");
    const std::string& file = reader.fileName();
    // The line holds at most 1000 characters: values further on would be
    // lost without a word.
    if (line.size() > static_cast<size_t>(kPileLineLength)) {
        if (line.find_first_not_of(" \t\r", static_cast<size_t>(kPileLineLength)) != std::string::npos)
            throw InputError(file, lineNumber,
                             "the pile line (record 5) is " + std::to_string(line.size()) +
                                 " characters long; expected at most " + std::to_string(kPileLineLength) +
                                 " characters");
        line.resize(static_cast<size_t>(kPileLineLength));
    }
    const ValueList list = parseValueList(line);
    if (list.stoppedAtEmptyValue)
        throw InputError(file, lineNumber,
                         "an empty value between commas on the pile line (record 5); every value must be given");
    const int32_t n = list.count;
    if (n < 7) {
        // Name the item the count stopped at, when it was one that is not a
        // number (a long item is cut for the message).
        std::string stop;
        if (!list.stoppedAtItem.empty()) {
            std::string item = list.stoppedAtItem;
            if (item.size() > 40) item = item.substr(0, 40) + "...";
            stop = ", then \"" + item + "\", which is not a number in range";
        }
        throw InputError(file, lineNumber,
                         "the pile line (record 5) holds " + std::to_string(n) + " values" + stop +
                             "; at least 7 are needed (perimeter, tip area, outside diameter, inside "
                             "diameter, modulus of elasticity, total length, stickup length)");
    }
    for (int32_t k = 1; k <= n; ++k)
        if (!(std::fabs(list.values[k]) <= kLargestValue))
            throw InputError(file, lineNumber,
                             "value " + std::to_string(k) + " of the pile line (record 5) is " +
                                 number(list.values[k]) + "; expected a value of at most 1.0E12 in magnitude");
    PileSection& pile = p.pile;
    pile.perimeter = list.values[1];
    pile.tipArea = list.values[2];
    pile.outsideDiameter = list.values[3];
    pile.insideDiameter = list.values[4];
    pile.elasticModulus = list.values[5];
    pile.totalLength = list.values[6];
    pile.stickupLength = list.values[7];
    const struct {
        double value;
        const char* what;
    } nonNegative[] = {{pile.perimeter, "the perimeter (1st value"}, {pile.tipArea, "the tip area (2nd value"}};
    for (const auto& v : nonNegative)
        if (v.value < 0)
            throw InputError(file, lineNumber,
                             std::string(v.what) + " of the pile line) is " + number(v.value) +
                                 "; expected 0 (circular pile) or more");
    if (!(pile.elasticModulus > 0))
        throw InputError(file, lineNumber,
                         "the modulus of elasticity (" + number(pile.elasticModulus) +
                             ", 5th value of the pile line) must be greater than 0");
    if (pile.stickupLength > pile.totalLength)
        throw InputError(file, lineNumber,
                         "the pile stickup length (" + number(pile.stickupLength) +
                             ", 7th value of the pile line) is larger than the total pile length (" +
                             number(pile.totalLength) + ", 6th value)");
    // A pile has a length and a size, and the bore of a pipe lies inside its
    // wall: other values leave areas, perimeters or embedded lengths that no
    // pile has.
    if (!(pile.totalLength > 0))
        throw InputError(file, lineNumber,
                         "the total pile length (" + number(pile.totalLength) +
                             ", 6th value of the pile line) must be greater than 0");
    if (pile.stickupLength < 0)
        throw InputError(file, lineNumber,
                         "the pile stickup length (" + number(pile.stickupLength) +
                             ", 7th value of the pile line) is negative; expected 0 or the length above the ground");
    if (!(pile.perimeter > 1.0E-10f)) {
        // A circular pile: its size comes from the diameters.
        if (!(pile.outsideDiameter > 0))
            throw InputError(file, lineNumber,
                             "the outside diameter (" + number(pile.outsideDiameter) +
                                 ", 3rd value of the pile line) must be greater than 0 when no perimeter (1st "
                                 "value) is given");
        if (!(pile.insideDiameter >= 0 && pile.insideDiameter < pile.outsideDiameter))
            throw InputError(file, lineNumber,
                             "the inside diameter (" + number(pile.insideDiameter) +
                                 ", 4th value of the pile line) must be 0 (solid pile) or greater and smaller than "
                                 "the outside diameter (" +
                                 number(pile.outsideDiameter) + ", 3rd value)");
    }
    AnalysisOptions& o = p.options;
    o.elevationOutput = truncatedToInteger(valueOrDefault(list, n, 8, 0.0));
    o.groundElevation = valueOrDefault(list, n, 9, 0.0);
    // The tip averaging code is only taken from a line of exactly 10 values.
    o.tipAveraging = n == 10 ? truncatedToInteger(list.values[10]) : 1;
}

void readSoilRows(ProblemData& p, FreeFormatReader& reader) {
    for (int i = 1; i <= p.layerCount; ++i) {
        p.frictionLimitDefaulted[i] = 0;
        p.bearingLimitDefaulted[i] = 0;
        SoilLayer& row = p.layers[i];
        const std::string name = "soil row " + std::to_string(i);

        const auto first = reader.read(6, name + ", depth and columns 1 to 5 (record 10)");
        row.depth = first.real(1, "the depth");
        row.soilType = first.real(2, "the soil type (column 1)");
        row.lateralEarthPressure = first.nonNegative(3, "the lateral earth pressure coefficient (column 2)");
        row.effectiveUnitWeight = first.nonNegative(4, "the effective unit weight (column 3)");
        row.frictionAngle = first.below(5, "the friction angle (column 4)", 0, 90);
        row.bearingCapacityFactor = first.nonNegative(6, "the bearing capacity factor (column 5)");
        // The rows describe the soil downwards: a row above the one before it
        // would be merged into that row's depth without a word (rows closer
        // than half an increment are merged), so the table is refused.
        if (i > 1)
            requireInOrder(reader.fileName(), first.line(1), "soil row", i, row.depth, p.layers[i - 1].depth, "depth",
                           "lies above", "soil rows");

        const auto second = reader.read(14, name + ", columns 6 to 19 (record 10)");
        row.maxUnitFriction = second.nonNegative(1, "the maximum unit friction (column 6)");
        row.maxUnitBearing = second.nonNegative(2, "the maximum unit end bearing (column 7)");
        row.undrainedShearStrength = second.nonNegative(3, "the undisturbed shear strength (column 8)");
        row.remoldedShearStrength = second.nonNegative(4, "the remolded shear strength or blow count (column 9)");
        row.blowCount = second.nonNegative(5, "the blow count or yield stress ratio (column 10)");
        row.plasticityIndex = second.real(6, "the plasticity index (column 11)");
        row.coneTipResistance = second.nonNegative(7, "the cone tip resistance (column 12)");
        row.userUnitSkinFriction = second.real(8, "the user unit skin friction (column 13)");
        row.userUnitEndBearing = second.real(9, "the user unit end bearing (column 14)");
        row.lrfdFrictionFactor = second.nonNegative(10, "the LRFD factor on friction (column 15)");
        row.lrfdBearingFactor = second.nonNegative(11, "the LRFD factor on bearing (column 16)");
        row.layerCurveCode = second.real(12, "the curve code (column 17)");
        row.peakMovement = second.nonNegative(13, "the peak movement (column 18)");
        row.residualFactor = second.nonNegative(14, "the residual factor (column 19)");

        prepareLayer(p, i);
    }
}

// Records 1 to 3: the title lines.
void readTitles(ProblemData& p, FreeFormatReader& reader) {
    p.projectDescription = reader.text(kTitleLength, "the project description (record 1)");
    p.designerName = reader.text(kTitleLength, "the designer name (record 2)");
    p.jobNumber = reader.text(kTitleLength, "the job number (record 3)");
}

// Record 4: unit system, printing increment, number of soil rows, tip
// closure.
void readUnitsAndCounts(ProblemData& p, FreeFormatReader& reader) {
    const std::string& file = reader.fileName();
    const auto r = reader.read(4, "record 4 (unit system, printing increment, number of soil rows, tip closure)");
    p.unitSystem = r.integer(1, "the unit system");
    if (p.unitSystem != 1 && p.unitSystem != 2)
        throw InputError(
            file, r.line(1),
            "the unit system must be 1 (English units) or 2 (SI units), found " + std::to_string(p.unitSystem));
    p.printIncrement = r.integer(2, "the printing increment");
    if (p.printIncrement < 1)
        throw InputError(file, r.line(2),
                         "the printing increment must be at least 1, found " + std::to_string(p.printIncrement));
    p.layerCount = r.integer(3, "the number of soil rows");
    if (p.layerCount < 1 || p.layerCount > kMaxLayers)
        throw InputError(file, r.line(3),
                         "the number of soil rows is " + std::to_string(p.layerCount) + "; it must be 1 to " +
                             std::to_string(kMaxLayers) + " (at most " + std::to_string(kMaxLayers) + " rows)");
    p.pile.tipClosure = r.integer(4, "the tip closure");
}

// Record 6: the enhanced end section and the batter.
void readEnhancedEnd(ProblemData& p, FreeFormatReader& reader) {
    PileSection& pile = p.pile;
    const std::string& file = reader.fileName();
    const auto r = reader.read(3, "record 6 (enhanced end length, its inside diameter, batter angle)");
    pile.enhancedEndLength = r.real(1, "the length of the enhanced end section");
    pile.enhancedEndInsideDiameter = r.real(2, "the inside diameter of the enhanced end section");
    pile.batterAngle = r.real(3, "the batter angle");
    // A pile battered 90 degrees or more from the vertical has no vertical
    // penetration: its segments would have no thickness.
    if (!(std::fabs(pile.batterAngle) < 90))
        throw InputError(file, r.line(3),
                         "the batter angle must lie between -90 and 90 degrees, found " + number(pile.batterAngle));
    // The bore of an enhanced end section of a circular pile lies inside its
    // wall as the pile's own bore does (a wider one gives a negative annulus
    // and negative end bearing).
    if (pile.enhancedEndLength >= 0.00001f && !(pile.perimeter > 1.0E-10f) &&
        !(pile.enhancedEndInsideDiameter >= 0 && pile.enhancedEndInsideDiameter < pile.outsideDiameter))
        throw InputError(file, r.line(2),
                         "the inside diameter of the enhanced end section (" + number(pile.enhancedEndInsideDiameter) +
                             ") must be 0 (solid) or greater and smaller than the outside diameter (" +
                             number(pile.outsideDiameter) + ")");
}

// Record 7: zero friction length, length increment, pile type, taper,
// load-transfer method, CPT data option, side friction reduction.
void readShaftOptions(ProblemData& p, FreeFormatReader& reader) {
    PileSection& pile = p.pile;
    AnalysisOptions& o = p.options;
    const std::string& file = reader.fileName();
    const auto r = reader.read(7,
                               "record 7 (zero friction length, length increment, pile type, taper angle, "
                               "load-transfer method, CPT data option, side friction reduction)");
    pile.zeroFrictionLength = r.real(1, "the zero friction length");
    o.lengthIncrement = r.real(2, "the increment of pile length");
    if (!(o.lengthIncrement > 0))
        throw InputError(file, r.line(2),
                         "the increment of pile length must be greater than 0, found " + number(o.lengthIncrement));
    pile.pileType = r.integer(3, "the pile type");
    pile.taperAngle = r.real(4, "the taper angle");
    if (!(pile.taperAngle < 90))
        throw InputError(file, r.line(4),
                         "the angle of taper must be less than 90 degrees, found " + number(pile.taperAngle));
    o.loadTransferMethod = r.integer(5, "the load-transfer method");
    o.cptDataOption = r.integer(6, "the CPT data option");
    o.sideFrictionReduction = r.integer(7, "the side friction reduction option");
}

// Record 8: the capacity methods.
void readMethodSelection(ProblemData& p, FreeFormatReader& reader) {
    const auto r = reader.read(9, "record 8 (the nine capacity method selections)");
    for (int k = 1; k <= 9; ++k) p.options.capacityMethods[k] = r.integer(k, "capacity method " + std::to_string(k));
}

// Record 9: deepest soil profile and cross-section area.
// Returns the line of the cross-section area, which the area option of record
// 14 may call for.
int readProfileBottom(ProblemData& p, FreeFormatReader& reader) {
    const auto r = reader.read(2, "record 9 (deepest soil profile, cross-section area)");
    p.soilProfileBottom = r.real(1, "the depth of the deepest soil profile");
    p.pile.crossSectionArea = r.real(2, "the cross-section area");
    return r.line(2);
}

// An area option of 1 (or another value up to 1 but 0) takes the
// cross-section area of record 9 for the axial stiffness: it must be a
// section.
void checkGivenArea(const ProblemData& p, const std::string& file, int line) {
    const PileSection& pile = p.pile;
    if (pile.areaOption == 0 || pile.areaOption > 1 || pile.crossSectionArea > 0) return;
    throw InputError(file, line,
                     "the cross-section area (record 9) is " + number(pile.crossSectionArea) + " while the area option " +
                         "(record 14) is " + std::to_string(pile.areaOption) +
                         " and uses it; expected an area greater than 0");
}

// The head of an optional block of records 11, 16 and 17: its option (0
// or 1) and, when the option is 1, the number of its rows (`what`, e.g.
// "t-z print depths"), at most `limit`. The count stays 0 when the block is
// absent.
void readBlockHead(FreeFormatReader& reader, int record, const std::string& optionName, const std::string& what,
                   int limit, int32_t& option, int32_t& count) {
    const std::string inRecord = " (record " + std::to_string(record) + ")";
    const auto r = reader.read(1, "record " + std::to_string(record) + " (" + optionName + ")");
    option = blockOption(reader, r, "the " + optionName);
    if (option != 1) return;
    const auto c = reader.read(1, "the number of " + what + inRecord);
    count = rowCount(reader, c, 1, c.integer(1, "the number of " + what), limit, "the number of " + what);
}

// Record 11: depths at which t-z curves are printed.
void readTzPrintDepths(ProblemData& p, FreeFormatReader& reader) {
    AnalysisOptions& o = p.options;
    readBlockHead(reader, 11, "t-z print option", "t-z print depths", kMaxTzPrintDepths, o.tzPrintOption,
                  o.tzPrintDepthCount);
    for (int k = 1; k <= o.tzPrintDepthCount; ++k)
        o.tzPrintDepths[k] = reader.readReal("t-z print depth " + std::to_string(k) + " (record 11)");
}

// Records 12 and 13: loading, and the clay, plug and long pile options.
void readLoadingAndPlug(ProblemData& p, FreeFormatReader& reader) {
    AnalysisOptions& o = p.options;
    {
        const auto r = reader.read(2, "record 12 (loading type, tension reduction factor)");
        o.loadingType = r.integer(1, "the loading type");
        o.tensionReductionFactor = r.nonNegative(2, "the reduction factor for tension loading");
    }
    const auto r = reader.read(3, "record 13 (clay drainage, plug option, long pile option)");
    o.clayDrainage = r.integer(1, "the clay drainage option");
    o.plugOption = r.integer(2, "the plug option");
    o.longPileOption = r.integer(3, "the long pile option");
}

// Record 14: the cross-section area table.
void readAreaTable(ProblemData& p, FreeFormatReader& reader) {
    PileSection& pile = p.pile;
    const auto r = reader.read(2, "record 14 (number of area points, area option)");
    pile.areaPointCount = rowCount(reader, r, 1, r.integer(1, "the number of area points"), kMaxAreaPoints,
                                   "the number of points of the cross-section area table");
    pile.areaOption = r.integer(2, "the area option");
    for (int k = 1; k <= pile.areaPointCount; ++k) {
        const auto a = reader.read(2, "area point " + std::to_string(k) + " (record 14)");
        pile.areaDistance[k] = a.real(1, "the distance");
        // The areas of the table stand for the pile's section where the
        // option uses them.
        pile.areaValue[k] = pile.areaOption > 1 ? a.positive(2, "the area") : a.real(2, "the area");
        // The table is read downwards from the pile head.
        requireInOrder(reader.fileName(), a.line(1), "area point", k, pile.areaDistance[k], pile.areaDistance[k - 1],
                       "distance", "is less than", "points");
    }
}

// Record 15: the critical depth option.
void readCriticalDepth(ProblemData& p, FreeFormatReader& reader) {
    const auto r = reader.read(2, "record 15 (critical depth option, critical depth)");
    p.options.criticalDepthOption = r.integer(1, "the critical depth option");
    p.options.criticalDepth = r.real(2, "the critical depth");
}

// Record 16: the t-z factor table.
void readTzFactors(ProblemData& p, FreeFormatReader& reader) {
    AnalysisOptions& o = p.options;
    readBlockHead(reader, 16, "t-z factor option", "t-z factor rows", kMaxTzFactorRows, o.tzFactorOption,
                  o.tzFactorCount);
    // The file carries the rows only for a count above 1: a count of 1 is
    // followed directly by record 17. Reading a row there would take the
    // next records for it. The table then holds no row, and the
    // load-transfer curves are used as generated.
    for (int k = 1; o.tzFactorCount > 1 && k <= o.tzFactorCount; ++k) {
        const auto f = reader.read(3, "t-z factor row " + std::to_string(k) + " (record 16)");
        o.tzFactorDepth[k] = f.real(1, "the depth");
        o.tzFactorA[k] = f.nonNegative(2, "the load-transfer factor");
        o.tzFactorB[k] = f.nonNegative(3, "the movement factor");
        // The factors are interpolated downwards between the rows.
        requireInOrder(reader.fileName(), f.line(1), "t-z factor row", k, o.tzFactorDepth[k], o.tzFactorDepth[k - 1],
                       "depth", "lies above", "rows");
    }
}

// Record 17: the movement list.
void readMovements(ProblemData& p, FreeFormatReader& reader) {
    AnalysisOptions& o = p.options;
    readBlockHead(reader, 17, "movement list option", "movements", kMaxMovements, o.movementListOption,
                  o.movementCount);
    for (int k = 1; k <= o.movementCount; ++k)
        o.movementList[k] = reader.read(1, "movement " + std::to_string(k) + " (record 17)")
                                .nonNegative(1, "movement " + std::to_string(k) + " (record 17)");
}

// Record 18: the tip curve multipliers.
void readTipCurveScale(ProblemData& p, FreeFormatReader& reader) {
    AnalysisOptions& o = p.options;
    const auto r = reader.read(1, "record 18 (tip curve scale option)");
    o.tipCurveScaleOption = blockOption(reader, r, "the tip curve scale option");
    if (o.tipCurveScaleOption != 1) return;
    const auto m = reader.read(2, "the tip curve multipliers (record 18)");
    o.tipCurveScaleA = m.nonNegative(1, "the tip load multiplier");
    o.tipCurveScaleB = m.nonNegative(2, "the tip movement multiplier");
}

}  // namespace

void readInputFile(ProblemData& p, FreeFormatReader& reader) {
    readTitles(p, reader);
    readUnitsAndCounts(p, reader);
    readPileLine(p, reader);
    applyPileLineRules(p);
    readEnhancedEnd(p, reader);
    applyEnhancedEndRule(p);
    readShaftOptions(p, reader);
    readMethodSelection(p, reader);
    const int areaLine = readProfileBottom(p, reader);
    readSoilRows(p, reader);
    readTzPrintDepths(p, reader);
    readLoadingAndPlug(p, reader);
    readAreaTable(p, reader);
    checkGivenArea(p, reader.fileName(), areaLine);
    readCriticalDepth(p, reader);
    readTzFactors(p, reader);
    readMovements(p, reader);
    readTipCurveScale(p, reader);
}

void readCptFile(ProblemData& p, FreeFormatReader& reader) {
    const auto r = reader.read(2, "record 1 of the CPT data (an unused whole number, number of CPT points)");
    r.integer(1, "the first value");
    p.cptPointCount =
        rowCount(reader, r, 2, r.integer(2, "the number of CPT points"), kMaxCptPoints, "the number of CPT points");
    for (int k = 1; k <= p.cptPointCount; ++k) {
        const auto point = reader.read(2, "CPT point " + std::to_string(k));
        p.cptDepth[k] = point.real(1, "the depth");
        p.cptTipResistance[k] = point.nonNegative(2, "the cone tip resistance");
        // The cone methods interpolate between the points downwards; a point
        // above the one before it is refused when they use the profile.
        if (p.options.cptDataOption == 1 && k > 1)
            requireInOrder(reader.fileName(), point.line(1), "CPT point", k, p.cptDepth[k], p.cptDepth[k - 1], "depth",
                           "lies above", "points");
    }
}

}  // namespace tovek
