// The result section of the report: the section heading and one capacity
// table per selected method. Each printed row is written as soon as it is
// formed and is followed at once by its row in the plot data file; nothing
// of a table is kept after it is written.
#include "report/result_tables.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "capacity/depth_columns.h"
#include "engine/run_errors.h"
#include "report/layout.h"
#include "report/plot_file.h"
#include "report/table_heading.h"

namespace tovek {

namespace {

// How a method's table is headed: a composed heading (title in a frame of
// 22 asterisks and words spaced to the row form), or fixed column lines
// under a frame of the title's own width at the given indent.
struct MethodTable {
    const char* title;
    int titleLength;
    bool composed;
    int indent;      // fixed headings only
    int frameWidth;  // fixed headings only
};

// Indexed by methodCode.
const MethodTable kMethodTables[kMethodCount + 1] = {
    {"", 0, false, 0, 0},
    {"*  FED. HWY. METHOD  *", 22, true, 0, 0},
    {"* ARMY CORPS METHOD  *", 22, true, 0, 0},
    {"*  LAMBDA 2 METHOD   *", 22, true, 0, 0},
    {"*  API RP-2A (2010)  *", 22, true, 0, 0},
    {"*  NORWEIGIAN GEOTECHNICAL INSTITUTE (NGI) METHOD  *", 52, true, 0, 0},
    {"*  IMPERIAL COLLEGE (MTD) METHOD  *", 35, true, 0, 0},
    {"*    FUGRO 2004 (FUGRO) METHOD    *", 35, false, 20, 35},
    {"*  UNIV. OF WESTERN AUSTRALIA (UWA) METHOD  *", 45, false, 13, 45},
    {"* GENERAL METHOD *", 18, false, 29, 18},
};

bool validMethod(int32_t code) { return code >= 1 && code <= kMethodCount; }

// Rows without a mark or plug length: a closed or solid tip, a plug state
// given by the user, or tension.
bool plainRows(const ProblemData& p) {
    return p.pile.insideDiameter < 1.0e-10 || p.pile.tipClosure == 1 || p.options.plugOption != 0 ||
           p.options.loadingType == 1;
}

bool hasDepthColumn(const ProblemData& p) { return p.pile.batterAngle != 0.0; }

// The row form's columns (Z is the depth or elevation column, L the pile
// length): the position of the node, the capacity values, and for the plug
// form the mark on the end bearing and the plug length.
void writeReportRow(RunStore& store, int32_t code, int32_t j, const CapacityProfile& cap) {
    const ProblemData& p = store.problem;
    const size_t jj = static_cast<size_t>(j);
    const double L = cap.pileLength[jj];
    const double Z = cap.depthBelowGround[jj];
    const double S = cap.skinFriction[jj];
    const double E = cap.endBearing[jj];
    const double U = cap.ultimateCapacity[jj];
    const bool depth = hasDepthColumn(p);
    if (code == kUserMethod) {
        if (depth)
            store.report.write("11X,F7.2,6X,F7.2,6X,F8.1,6X,F8.1,4X,F9.1", {L, Z, S, E, U});
        else
            store.report.write("11X,F7.2,6X,F8.1,6X,F8.1,4X,F9.1", {Z, S, E, U});
        return;
    }
    if (plainRows(p)) {
        if (depth)
            store.report.write("11X,F7.2,6X,F7.2,6X,F8.1,6X,F8.1,4X,F9.1", {L, Z, S, E, U});
        else
            store.report.write("15X,F7.2,9X,F8.1,8X,F8.1,7X,F9.1", {Z, S, E, U});
        return;
    }
    // The asterisk stands right after the end bearing it flags: the soil
    // plug, not the plugged tip, controls that value.
    const std::string& mark = cap.plugFlag[jj] == 2 ? store.plugMark : store.blankMark;
    const double P = cap.plugLength[jj];
    if (depth)
        store.report.write("11X,F7.2,6X,F7.2,6X,F8.1,6X,F8.1,A1,3X,F9.1,3X,F9.2", {L, Z, S, E, mark, U, P});
    else
        store.report.write("11X,F7.2,6X,F8.1,6X,F8.1,A1,3X,F9.1,3X,F9.2", {Z, S, E, mark, U, P});
}

// The fixed heading of the user-specified, Fugro and UWA tables.
void writeFixedHeading(RunStore& store, int32_t code, const MethodTable& table) {
    const ProblemData& p = store.problem;
    const std::string& length = p.labels.lengthLabel;
    const std::string& force = p.labels.forceLabel;
    const bool depth = hasDepthColumn(p);
    const bool plain = p.pile.insideDiameter < 1.0e-10 || p.pile.tipClosure == 1 || p.options.plugOption != 0;

    // Loading type 0 is compression and 1 tension; a table of any other
    // loading code gets no heading block at all, only its rows.
    if (p.options.loadingType != 0 && p.options.loadingType != 1) return;

    const std::string indent = std::to_string(table.indent) + "X,";
    const std::string frame = indent + std::to_string(table.frameWidth) + "('*')";
    store.report.write("///" + frame + "/" + indent + "A/" + frame + "/", {table.title});

    if (p.options.loadingType == 1) {
        if (depth) {
            store.report.write("10X,'PILE LENGTH      DEPTH         SKIN          SELF      ULTIMATE'/"
                               "10X,'BELOW GND.    BELOW GND.    FRICTION        WEIGHT     CAPACITY'/"
                               "10X,4X,A3,10X,A3,10X,A3,11X,A3,10X,A3",
                               {length, length, force, force, force});
        } else {
            store.report.write("10X,'   PILE          SKIN          SELF      ULTIMATE'/"
                               "10X,'PENETRATION   FRICTION        WEIGHT     CAPACITY'/"
                               "10X,4X,A3,10X,A3,11X,A3,10X,A3",
                               {length, force, force, force});
        }
        return;
    }
    if (code == kUserMethod || plain) {
        if (depth) {
            store.report.write("10X,'PILE LENGTH      DEPTH         SKIN          END       ULTIMATE'");
            if (code == kUserMethod)
                store.report.write("10X,'BELOW GND.    BELOW GND.    FRICTION        BEARING    CAPACITY'");
            else
                store.report.write("10X,'BELOW GND.    BELOW GND.    FRICTION       BEARING     CAPACITY'");
            store.report.write("10X,4X,A3,10X,A3,10X,A3,11X,A3,10X,A3", {length, length, force, force, force});
        } else {
            store.report.write("10X,'   PILE          SKIN          END       ULTIMATE'/"
                               "10X,'PENETRATION   FRICTION       BEARING     CAPACITY'/"
                               "10X,4X,A3,10X,A3,11X,A3,10X,A3",
                               {length, force, force, force});
        }
        return;
    }
    if (depth) {
        store.report.write("10X,'PILE LENGTH      DEPTH         SKIN          END       ULTIMATE',8X,'PLUG'/"
                           "10X,'BELOW GND.    BELOW GND.    FRICTION       BEARING     CAPACITY',7X,'LENGTH'/"
                           "10X,4X,A3,10X,A3,10X,A3,11X,A3,10X,A3,10X,A3",
                           {length, length, force, force, force, length});
    } else {
        store.report.write("10X,'   PILE          SKIN          END       ULTIMATE',8X,'PLUG'/"
                           "10X,'PENETRATION   FRICTION       BEARING     CAPACITY',7X,'LENGTH'/"
                           "10X,4X,A3,10X,A3,11X,A3,10X,A3,10X,A3",
                           {length, force, force, force, length});
    }
}

} // namespace

void writeResultHeading(RunStore& store) {
    store.report.write("///'1'/10X,22('*')/10X,'* COMPUTATION RESULT *'/10X,22('*')");
}

// Printing increments below 1 are taken as 1 (every node printed), here and
// in the table writer, so that the plot header always announces the rows
// the tables write.
int32_t printedRowCount(int32_t nodeCount, int32_t printIncrement) {
    if (nodeCount < 1) return 0;
    const int32_t k = std::max<int32_t>(printIncrement, 1);
    int32_t rows = (nodeCount - 1) / k + 1;
    if ((nodeCount - 1) % k != 0) ++rows;
    return rows;
}

void prepareProfileForReport(RunStore& store, int32_t methodCode) {
    if (!validMethod(methodCode)) return;
    MethodResults& method = store.method(methodCode);
    // The LRFD factor acts once on a profile: a second call before the
    // method is computed again leaves it as it is.
    if (method.prepared) return;
    const ProblemData& p = store.problem;
    const ComputationGrid& grid = store.grid;
    CapacityProfile& cap = method.capacity;
    const int32_t M = std::clamp<int32_t>(grid.nodeCount, 0, kMaxNodes);
    const int32_t N = std::clamp<int32_t>(grid.segmentCount, 0, kMaxSegments);
    for (int32_t j = 1; j <= M; ++j) {
        const size_t jj = static_cast<size_t>(j);
        cap.pileLength[jj] = (j - 1) * p.options.lengthIncrement;
        // The bearing factor of the segment whose top is the node.
        const double factor = N >= 1 ? grid.segments[static_cast<size_t>(std::min(j, N))].lrfdBearingFactor : 0.0;
        cap.endBearing[jj] *= factor;
        cap.ultimateCapacity[jj] = cap.skinFriction[jj] + cap.endBearing[jj];
    }
    depthColumn(cap.pileLength, M, p.pile.batterAngle, p.options.groundElevation, p.options.elevationOutput,
                cap.depthBelowGround);
    plotPositionColumn(cap.pileLength, M, p.pile.batterAngle, p.options.groundElevation, p.options.elevationOutput,
                       cap.plotPosition);
    method.prepared = true;
}

namespace {

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Whether node j is a printed row: every k-th node from the ground surface,
// and the tip.
template <typename Visit>
void forPrintedNodes(int32_t k, int32_t M, Visit visit) {
    int32_t counter = k - 1;
    for (int32_t j = 1; j <= M; ++j) {
        ++counter;
        if (counter != k && j != M) continue;
        counter = 0;
        visit(j);
    }
}

// A table of infinite or undefined capacities is no result: input values far
// beyond any soil or pile (a factor of 1E300, say) make the products of the
// method overflow. The run ends there with a message instead.
void checkPrintedValuesAreFinite(RunStore& store, int32_t methodCode) {
    const ProblemData& p = store.problem;
    const MethodResults& method = store.method(methodCode);
    const CapacityProfile& c = method.capacity;
    const int32_t k = std::max<int32_t>(p.printIncrement, 1);
    const int32_t M = std::clamp<int32_t>(store.grid.nodeCount, 0, kMaxNodes);
    forPrintedNodes(k, M, [&](int32_t j) {
        const size_t jj = static_cast<size_t>(j);
        const struct {
            double value;
            const char* what;
        } columns[] = {{c.skinFriction[jj], "skin friction"},
                       {c.endBearing[jj], "end bearing"},
                       {c.ultimateCapacity[jj], "ultimate capacity"},
                       {c.plugLength[jj], "plug length"},
                       {c.plugFriction[jj], "plug friction"},
                       {method.nodes.plotSideFriction[jj], "unit side friction"}};
        for (const auto& column : columns) {
            if (std::isfinite(column.value)) continue;
            std::string name = kMethodTables[methodCode].title;
            name = name.substr(name.find_first_not_of("* "));
            name = name.substr(0, name.find_last_not_of("* ") + 1);
            throw InputError(store.names.inputFileName, 0,
                             "the " + name + " table cannot be written: at the pile length " +
                                 trimmed(formatFixed(c.pileLength[jj], 12, 2)) + " " +
                                 trimmed(p.labels.lengthLabel) + " the " + column.what +
                                 " exceeds the range of numbers; expected soil and pile values of realistic size");
        }
    });
}

} // namespace

void writeMethodTable(RunStore& store, int32_t methodCode) {
    if (!validMethod(methodCode)) return;
    const ProblemData& p = store.problem;
    const MethodTable& table = kMethodTables[methodCode];
    const MethodResults& method = store.method(methodCode);

    checkPrintedValuesAreFinite(store, methodCode);
    if (table.composed)
        composeTableHeading(store.report, table.title, table.titleLength, p.unitSystem, p.options.loadingType,
                            p.pile.batterAngle, p.options.elevationOutput, p.pile.insideDiameter, p.pile.tipClosure,
                            p.options.plugOption);
    else
        writeFixedHeading(store, methodCode, table);

    // Printed nodes: every k-th node from the ground surface, and the tip.
    const int32_t k = std::max<int32_t>(p.printIncrement, 1);
    const int32_t M = std::clamp<int32_t>(store.grid.nodeCount, 0, kMaxNodes);
    int32_t counter = k - 1;
    for (int32_t j = 1; j <= M; ++j) {
        ++counter;
        if (counter != k && j != M) continue;
        counter = 0;
        writeReportRow(store, methodCode, j, method.capacity);
        writePlotRow(store, j, method.capacity, method.nodes);
    }
}

} // namespace tovek
