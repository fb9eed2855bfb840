// The "INPUT INFORMATION" section of the report, first half: project,
// methods, loading, pile type, tip averaging, axial stiffness and the pile
// properties. The soil tables follow (soil_tables.cpp).
//
// While the input is echoed the store receives the quantities that belong
// to the echo: the modulus label after the project lines, the cross-section
// area just before its line (area option 0 only), and the embedded length
// before the pile properties. The soil tables turn the batter angle into
// radians.
#include "input/input_report.h"

#include <algorithm>
#include <string>

#include "input/input_checks.h"
#include "input/soil_tables.h"
#include "methods/method_catalog.h"

namespace tovek {

namespace {

// A title is a fixed-length text of 255 characters: the title as read,
// blank-filled on the right. The A70 / A60 fields then show its first
// characters, left-aligned, whatever the length of the text in the store.
constexpr size_t kTitleTextLength = 255;

std::string titleText(const std::string& title) {
    std::string text = title.substr(0, kTitleTextLength);
    text.resize(kTitleTextLength, ' ');
    return text;
}

void writeProject(ReportWriter& r, const ProblemData& p) {
    const std::string project = titleText(p.projectDescription);
    const std::string designer = titleText(p.designerName);
    const std::string job = titleText(p.jobNumber);
    r.write("///'1'/10X,21('*')/10X,'* INPUT INFORMATION *'/10X,21('*')");
    r.write("/10X,'PROJECT DESCRIPTION   :'/10X,A70", {project});
    r.write("10X,'DESIGNER   : ',A60", {designer});
    r.write("10X,'JOB NUMBER : ',A60", {job});
}

void writeLoadTransferMethod(ReportWriter& r, const ProblemData& p) {
    r.write("/10X,'METHOD FOR UNIT LOAD TRANSFERS : '");
    if (const MethodEntry* method = loadTransferMethodOf(p.options)) r.write("10X,A", {method->echoLine});
    if (p.options.sideFrictionReduction == 1)
        r.write("10X,'  Reduced Unit Side Friction and ','Unit Side Resistance are used.'");
    else
        r.write("10X,'  Unfactored Unit Side Friction and ','Unit Side Resistance are used.'");
}

void writeCriticalDepthMethod(ReportWriter& r, const ProblemData& p) {
    switch (p.options.criticalDepthOption) {
    case 0:
        r.write(
            "10X,'  # Critical Depth Method for Sand:'/"
            "10X,'    10 to 20 Pile Diameter based on the Density'");
        break;
    case 1:
        r.write(
            "10X,'  # Critical Depth Method for Sand:'/"
            "10X,'    At Effective Stress Reaching 3,500 psf (185 kPa)'");
        break;
    case 2:
        r.write(
            "10X,'  # Critical Depth Method for Sand:'/"
            "10X,'    At User-Specified Critical Depth =',F10.2,1X,A3",
            {p.options.criticalDepth, p.labels.lengthLabel});
        break;
    default: break;
    }
}

void writeCapacityMethods(ReportWriter& r, const ProblemData& p) {
    r.write("/10X,'COMPUTATION METHOD(S) FOR PILE CAPACITY : '");
    // In the order of the capacity flags.
    for (int32_t flag = 1; flag <= kMethodCount; ++flag) {
        const MethodEntry& method = *methodByFlag(flag);
        if (!methodSelected(p.options, method.code)) continue;
        r.write("10X,A", {method.echoLine});
        if (method.code == kUsace) {
            writeCriticalDepthMethod(r, p);
            if (p.options.longPileOption == 1) r.write("10X,'  Use Long Pile Option'");
        } else if (method.code == kIcp) {
            if (p.options.clayDrainage == 1)
                r.write("10X,'  # Use Drained Condition for Clay'");
            else
                r.write("10X,'  # Use Undrained Condition for Clay'");
        }
    }
}

void writeLoading(ReportWriter& r, const ProblemData& p) {
    if (p.options.loadingType == 1) {
        r.write("/10X,'TYPE OF LOADING : '/10X,'- TENSION  '");
        // The reduction factor applies to the API RP 2A shaft friction only.
        if (methodSelected(p.options, kApi))
            r.write("10X,'  REDUCTION FACTOR FOR TENSION LOADING =',F10.2", {p.options.tensionReductionFactor});
    } else {
        r.write("/10X,'TYPE OF LOADING : '/10X,'- COMPRESSION  '");
    }
}

void writeTipClosure(ReportWriter& r, const PileSection& pile) {
    if (pile.tipClosure == 0)
        r.write("10X,'- Open-Ended Pile'");
    else if (pile.tipClosure == 1)
        r.write("10X,'- Close-Ended Pile'");
}

void writePileType(ReportWriter& r, const ProblemData& p) {
    const PileSection& pile = p.pile;
    r.write("/10X,'PILE TYPE : '");
    switch (pile.pileType) {
    case 1:
        r.write("10X,'Steel pipe pile or ','non-tapered portion of monotube pile'");
        writeTipClosure(r, pile);
        break;
    case 2: r.write("10X,'Timber pile'"); break;
    case 3:
        if (pile.perimeter != 0.0) {
            r.write("10X,'Precast concrete pile ','(Square/Rectangular/Orthogonal)'");
        } else {
            r.write("10X,'Precast concrete pile (Circular/Tubular)'");
            writeTipClosure(r, pile);
        }
        break;
    case 4: r.write("10X,'Raymond step-taper pile'"); break;
    case 5: r.write("10X,'Raymond Uniform taper pile'"); break;
    case 6: r.write("10X,'H-Pile/Steel Pile'"); break;
    case 7: r.write("10X,'Tapered portion of Monotube pile'"); break;
    default: break;
    }
    // The taper angle enters the FHWA side friction of tapered piles only.
    const bool taperedType = pile.pileType == 2 || pile.pileType == 4 || pile.pileType == 5 || pile.pileType == 7;
    if (methodSelected(p.options, kFhwa) && taperedType && pile.taperAngle > 0.0)
        r.write("10X,'Angle of taper for a tapered pile  (degrees) =',F10.3", {pile.taperAngle});
}

void writeTipAveraging(ReportWriter& r, const ProblemData& p) {
    r.write("/10X,' AVERAGE DEPTH TO ESTIMATE TIP RESISTANCE: '");
    switch (p.options.tipAveraging) {
    case 0: r.write("10X,'- DO NOT AVERAGE TIP RESISTANCE OVER DEPTH'"); break;
    case 1: r.write("10X,'- USE 1.5 DIAMETERS ABOVE AND BELOW TIP'"); break;
    case 2: r.write("10X,'- USE 3.0 DIAMETERS ABOVE AND BELOW TIP'"); break;
    default: break;
    }
}

void writeAxialStiffness(ReportWriter& r, ProblemData& p) {
    PileSection& pile = p.pile;
    const UnitLabels& labels = p.labels;
    r.write("/10X,'DATA FOR AXIAL STIFFNESS : '");
    r.write("10X,'- MODULUS OF ELASTICITY     =',E10.3,1X,A3", {pile.elasticModulus, labels.modulusLabel});
    if (pile.areaOption > 1) {
        r.write("10X,'- CROSS SECTION AREA ALONG PILE LENGTH'");
        r.write("10X,' DIST.,',A3,10X,' AREA,',A3", {labels.lengthLabel, labels.areaLabel});
        // The store holds at most kMaxAreaPoints points (the reader rejects more).
        const int points = countWithin(pile.areaPointCount, kMaxAreaPoints);
        for (int i = 1; i <= points; ++i) r.write("10X,F10.2,10X,F10.2", {pile.areaDistance[i], pile.areaValue[i]});
        return;
    }
    if (pile.areaOption == 0) computeCrossSectionArea(p);
    r.write("10X,'- CROSS SECTION AREA        =',F10.2,1X,A3", {pile.crossSectionArea, labels.areaLabel});
}

// The lines that both pile property blocks share, from the total length on;
// the non-circular block puts its perimeter and tip area after the zero
// friction length.
void writeLengthLines(ReportWriter& r, const ProblemData& p, bool nonCircular) {
    const PileSection& pile = p.pile;
    const UnitLabels& labels = p.labels;
    // The total length as read; the batter angle is still in degrees here.
    r.write("10X,'- TOTAL PILE LENGTH, TL     =',F10.2,1X,A3", {pile.totalLength, labels.lengthLabel});
    r.write("10X,'- BATTER ANGLE              =',F10.2,1X,'DEG'", {pile.batterAngle});
    r.write("10X,'- PILE STICKUP LENGTH, PSL  =',F10.2,1X,A3", {pile.stickupLength, labels.lengthLabel});
    r.write("10X,'- ZERO FRICTION LENGTH, ZFL =',F10.2,1X,A3", {pile.zeroFrictionLength, labels.lengthLabel});
    if (nonCircular) {
        r.write("10X,'- PERIMETER OF PILE         =',F10.2,1X,A3", {pile.perimeter, labels.smallLengthLabel});
        r.write("10X,'- TIP AREA OF PILE          =',F10.2,1X,A3", {pile.tipAreaAsRead, labels.areaLabel});
    }
    r.write("10X,'- INCREMENT OF PILE LENGTH'/10X,'  USED IN COMPUTATION       =',F10.2,1X,A3",
            {p.options.lengthIncrement, labels.lengthLabel});
    r.write("10X,'- PRINTING INCREMENT        =',I10", {p.printIncrement});
}

void writePileProperties(ReportWriter& r, const ProblemData& p) {
    const PileSection& pile = p.pile;
    const UnitLabels& labels = p.labels;
    const bool nonCircular = pile.pileType == 6 || (pile.pileType == 3 && pile.perimeter > 0.0);
    if (nonCircular) {
        r.write("/10X,'NONCIRCULAR PILE PROPERTIES : '");
        writeLengthLines(r, p, true);
        return;
    }

    // A pipe, or a precast tube, has a bore and may be open at the tip.
    const bool hollow = pile.pileType == 1 || (pile.pileType == 3 && pile.perimeter == 0.0);
    r.write("/10X,'CIRCULAR PILE PROPERTIES : '");
    r.write("10X,'- OUTSIDE DIAMETER, OD      =',F10.2,1X,A3", {pile.outsideDiameterAsRead, labels.smallLengthLabel});
    if (hollow)
        r.write("10X,'- INTERNAL DIAMETER, ID     =',F10.2,1X,A3", {pile.insideDiameter, labels.smallLengthLabel});
    writeLengthLines(r, p, false);

    const bool openable = pile.pileType == 1 || (pile.pileType == 3 && pile.perimeter == 0.0 && pile.tipClosure == 0);
    if (!openable) return;
    if (pile.enhancedEndLength != pile.embeddedLength) {
        r.write("10X,'- LENGTH OF ENHANCED '/10X,'  END SECTION               =',F10.2,1X,A3",
                {pile.enhancedEndLength, labels.lengthLabel});
        r.write("10X,'- INTERNAL DIAMETER OF '/10X,'  ENHANCED END SECTION      =',F10.2,1X,A3",
                {pile.enhancedEndInsideDiameter, labels.smallLengthLabel});
    }
    switch (p.options.plugOption) {
    case 0: r.write("/10X,'PLUGGED/UNPLUGGED CONDITIONS : '/10X,'Internal Pile Plug Calculated by Program'"); break;
    case 1: r.write("/10X,'PLUGGED/UNPLUGGED CONDITIONS : '/10X,'Plugged for open-ended pile'"); break;
    case 2: r.write("/10X,'PLUGGED/UNPLUGGED CONDITIONS : '/10X,'Unplugged for open-ended pile'"); break;
    default: break;
    }
}

}  // namespace

void writeInputInformation(ProblemData& p, ReportWriter& r) {
    writeProject(r, p);
    setModulusLabel(p);
    writeLoadTransferMethod(r, p);
    writeCapacityMethods(r, p);
    writeLoading(r, p);
    writePileType(r, p);
    writeTipAveraging(r, p);
    writeAxialStiffness(r, p);
    setEmbeddedLength(p);
    writePileProperties(r, p);
    writeSoilTables(p, r);
}

}  // namespace tovek
