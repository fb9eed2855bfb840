// The result section of the report: the section heading and one capacity
// table per selected method. Each printed row is written as soon as it is
// formed and is followed at once by its row in the plot data file; nothing
// of a table is kept after it is written.
#include "report/result_tables.h"

#include <cmath>
#include <string>

#include "input/input_error.h"
#include "input/text.h"
#include "report/plot_file.h"
#include "report/printed_rows.h"
#include "report/table_heading.h"

namespace tovek {

namespace {

bool hasDepthColumn(const ProblemData& p) { return p.pile.batterAngle != 0.0; }

bool plainTipOf(const ProblemData& p) {
    return plainTip(p.pile.insideDiameter, p.pile.tipClosure, p.options.plugOption);
}

// The row form's columns (Z is the depth or elevation column, L the pile
// length): the position of the node, the capacity values, and for the plug
// form the mark on the end bearing and the plug length. Rows are plain
// without a plug form of the method, for a plain tip, and in tension.
void writeReportRow(const TableOutput& out, const ProblemData& p, const MethodEntry& method, int32_t j,
                    const CapacityProfile& cap) {
    const double L = cap.pileLength[j];
    const double Z = cap.depthBelowGround[j];
    const double S = cap.skinFriction[j];
    const double E = cap.factoredEndBearing[j];
    const double U = cap.ultimateCapacity[j];
    const bool depth = hasDepthColumn(p);
    // The row forms, compiled once.
    static const RowLayout kPlainDepth("11X,F7.2,6X,F7.2,6X,F8.1,6X,F8.1,4X,F9.1");
    static const RowLayout kUserPlain("11X,F7.2,6X,F8.1,6X,F8.1,4X,F9.1");
    static const RowLayout kPlain("15X,F7.2,9X,F8.1,8X,F8.1,7X,F9.1");
    static const RowLayout kPlugDepth("11X,F7.2,6X,F7.2,6X,F8.1,6X,F8.1,A1,3X,F9.1,3X,F9.2");
    static const RowLayout kPlug("11X,F7.2,6X,F8.1,6X,F8.1,A1,3X,F9.1,3X,F9.2");
    if (!method.plugRows || plainTipOf(p) || p.options.loadingType == 1) {
        if (depth) out.report.row(kPlainDepth, {L, Z, S, E, U});
        else out.report.row(method.plugRows ? kPlain : kUserPlain, {Z, S, E, U});
        return;
    }
    // The asterisk stands right after the end bearing it flags: the soil
    // plug, not the plugged tip, controls that value.
    const std::string_view mark = cap.plugFlag[j] == 2 ? out.plugMark : out.blankMark;
    const double P = cap.plugLength[j];
    if (depth) out.report.row(kPlugDepth, {L, Z, S, E, U, P}, {mark});
    else out.report.row(kPlug, {Z, S, E, U, P}, {mark});
}

// The fixed heading of the user-specified, Fugro and UWA tables.
void writeFixedHeading(ReportWriter& report, const ProblemData& p, const MethodEntry& method) {
    const std::string& length = p.labels.lengthLabel;
    const std::string& force = p.labels.forceLabel;
    const bool depth = hasDepthColumn(p);

    // Loading type 0 is compression and 1 tension; a table of any other
    // loading code gets no heading block at all, only its rows.
    if (p.options.loadingType != 0 && p.options.loadingType != 1) return;

    const std::string indent = std::to_string(method.headingIndent) + "X,";
    const std::string frame = indent + std::to_string(method.titleLength) + "('*')";
    report.write("///" + frame + "/" + indent + "A/" + frame + "/", {method.title});

    if (p.options.loadingType == 1) {
        if (depth) {
            report.write(
                "10X,'PILE LENGTH      DEPTH         SKIN          SELF      ULTIMATE'/"
                "10X,'BELOW GND.    BELOW GND.    FRICTION        WEIGHT     CAPACITY'/"
                "10X,4X,A3,10X,A3,10X,A3,11X,A3,10X,A3",
                {length, length, force, force, force});
        } else {
            report.write(
                "10X,'   PILE          SKIN          SELF      ULTIMATE'/"
                "10X,'PENETRATION   FRICTION        WEIGHT     CAPACITY'/"
                "10X,4X,A3,10X,A3,11X,A3,10X,A3",
                {length, force, force, force});
        }
        return;
    }
    if (!method.plugRows || plainTipOf(p)) {
        if (depth) {
            report.write("10X,'PILE LENGTH      DEPTH         SKIN          END       ULTIMATE'");
            // The user-specified method's table (the one without a plug
            // form) spaces its second line its own way.
            if (!method.plugRows)
                report.write("10X,'BELOW GND.    BELOW GND.    FRICTION        BEARING    CAPACITY'");
            else
                report.write("10X,'BELOW GND.    BELOW GND.    FRICTION       BEARING     CAPACITY'");
            report.write("10X,4X,A3,10X,A3,10X,A3,11X,A3,10X,A3", {length, length, force, force, force});
        } else {
            report.write(
                "10X,'   PILE          SKIN          END       ULTIMATE'/"
                "10X,'PENETRATION   FRICTION       BEARING     CAPACITY'/"
                "10X,4X,A3,10X,A3,11X,A3,10X,A3",
                {length, force, force, force});
        }
        return;
    }
    if (depth) {
        report.write(
            "10X,'PILE LENGTH      DEPTH         SKIN          END       ULTIMATE',8X,'PLUG'/"
            "10X,'BELOW GND.    BELOW GND.    FRICTION       BEARING     CAPACITY',7X,'LENGTH'/"
            "10X,4X,A3,10X,A3,10X,A3,11X,A3,10X,A3,10X,A3",
            {length, length, force, force, force, length});
    } else {
        report.write(
            "10X,'   PILE          SKIN          END       ULTIMATE',8X,'PLUG'/"
            "10X,'PENETRATION   FRICTION       BEARING     CAPACITY',7X,'LENGTH'/"
            "10X,4X,A3,10X,A3,11X,A3,10X,A3,10X,A3",
            {length, force, force, force, length});
    }
}

// A table of infinite or undefined capacities is no result: input values far
// beyond any soil or pile (a factor of 1E300, say) make the products of the
// method overflow. The run ends there with a message instead.
void checkPrintedValuesAreFinite(const TableOutput& out, const AnalysisState& state, const MethodEntry& method) {
    const ProblemData& p = state.problem;
    const MethodResults& results = state.method(method.code);
    const CapacityProfile& c = results.capacity;
    const int32_t m = countWithin(state.grid.nodeCount, kMaxNodes);
    for (int32_t j = 1; j <= m; ++j) {
        if (!isPrintedRow(j, m, p.printIncrement)) continue;
        const struct {
            double value;
            const char* what;
        } columns[] = {
            {c.skinFriction[j], "skin friction"},         {c.factoredEndBearing[j], "end bearing"},
            {c.ultimateCapacity[j], "ultimate capacity"}, {c.plugLength[j], "plug length"},
            {c.plugFriction[j], "plug friction"},         {results.nodes.nodeSideFriction[j], "unit side friction"}};
        for (const auto& column : columns) {
            if (std::isfinite(column.value)) continue;
            std::string name = method.title;
            name = name.substr(name.find_first_not_of("* "));
            name = name.substr(0, name.find_last_not_of("* ") + 1);
            throw InputError(std::string(out.inputFileName), 0,
                             "the " + name + " table cannot be written: at the pile length " +
                                 trimmed(formatFixed(c.pileLength[j], 12, 2)) + " " + trimmed(p.labels.lengthLabel) +
                                 " the " + column.what +
                                 " exceeds the range of numbers; expected soil and pile values of realistic size");
        }
    }
}

}  // namespace

void writeResultHeading(ReportWriter& report) {
    report.write("///'1'/10X,22('*')/10X,'* COMPUTATION RESULT *'/10X,22('*')");
}

void writeMethodTable(TableOutput& out, const AnalysisState& state, int32_t methodCode) {
    const ProblemData& p = state.problem;
    const MethodEntry& method = methodByCode(methodCode);
    const MethodResults& results = state.method(methodCode);

    checkPrintedValuesAreFinite(out, state, method);
    if (method.heading == TableHeading::composed)
        composeTableHeading(out.report, method.title, method.titleLength, p.unitSystem, p.options.loadingType,
                            p.pile.batterAngle, p.options.elevationOutput, p.pile.insideDiameter, p.pile.tipClosure,
                            p.options.plugOption);
    else
        writeFixedHeading(out.report, p, method);

    const int32_t m = countWithin(state.grid.nodeCount, kMaxNodes);
    for (int32_t j = 1; j <= m; ++j) {
        if (!isPrintedRow(j, m, p.printIncrement)) continue;
        writeReportRow(out, p, method, j, results.capacity);
        writePlotRow(out.plot, j, results.capacity, results.nodes);
    }
}

}  // namespace tovek
