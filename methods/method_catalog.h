// The capacity methods of the engine, one row each: how the method is
// selected, integrated, titled and headed. The run sequence, the integrator,
// the input echo, the result tables and the hand-over to the load-settlement
// stage read everything they need to know about a method from its row.
#pragma once

#include <cstdint>
#include <span>

#include "input/problem_data.h"

namespace tovek {

// Codes under which the methods are integrated.
enum MethodCode : int32_t {
    kFhwa = 1,
    kUsace = 2,
    kRevisedLambda = 3,
    kApi = 4,
    kNgi = 5,
    kIcp = 6,
    kFugro = 7,
    kUwa = 8,
    kUserMethod = 9,
};
inline constexpr int kMethodCount = 9;

struct AnalysisState;
class LayoutWriter;

// A method's unit side friction and shaft capacity. Messages of the method
// go to the report.
using MethodComputation = void (*)(AnalysisState& state, LayoutWriter& report);

enum class TableHeading {
    composed,  // title framed by 22 asterisks, words spaced to the row form
    fixed,     // title framed by its own width at an indent, fixed column lines
};

// Where the integrator takes the unit friction inside an open-ended pile.
enum class InsideFriction {
    builtInRule,        // K sigma tan(phi - 5) in sand, alpha x remoulded strength in clay
    builtInApiLimited,  // the same, sand limited by the API limiting shaft friction
    methodProfile,      // the method's own unit side friction at the boundaries
};

enum class Integration {
    always,       // integrated right after the method has run
    tensionOnly,  // in compression the method gives its own end bearing
};

struct MethodEntry {
    int32_t code;  // methodCode
    int32_t flag;  // position in capacityMethods, also the loadTransferMethod number
    int32_t pass;  // result pass the method runs in
    const char* title;
    int titleLength;
    TableHeading heading;
    int headingIndent;     // fixed headings: indent of the frame and the title
    const char* echoLine;  // the method's line in the input information
    Integration integration;
    InsideFriction insideFriction;
    // The plugged tip force is never taken below the wall bearing.
    bool tipAtLeastWall;
    // The rows may take the plug form (mark and plug length).
    bool plugRows;
    // A cone-resistance method: runs only with CPT data and one of these
    // methods selected; its wall bearing is the cone resistance.
    bool coneMethod;
    // Prepared for the report together with the other rows so marked, after
    // the last of them has been integrated.
    bool preparedTogether;
    // Integrated once more at the start of every result pass, on the unit
    // values the method holds at that moment (none yet in the first pass).
    bool integratedAtPassStart;
    MethodComputation compute;
};

// The methods in the order of their tables.
std::span<const MethodEntry> methodCatalog();

// The row of a method code (1..9).
const MethodEntry& methodByCode(int32_t code);

// The row selected by a capacity flag or load-transfer number, nullptr
// outside 1..9.
const MethodEntry* methodByFlag(int32_t flag);

// Whether the input selects the method `code` (its capacity flag is 1).
bool methodSelected(const AnalysisOptions& options, int32_t code);

// The cone-resistance methods run only with CPT data and at least one of
// them selected.
bool coneMethodsSelected(const AnalysisOptions& options);
bool coneMethodsRun(const AnalysisOptions& options);

// A method runs in every run, the cone-resistance methods only when
// coneMethodsRun; its table is written when it runs and is selected.
bool methodRuns(const AnalysisOptions& options, const MethodEntry& method);
bool tableWritten(const AnalysisOptions& options, const MethodEntry& method);

// The method whose unit load transfers feed the load-settlement stage,
// nullptr when loadTransferMethod names none.
const MethodEntry* loadTransferMethodOf(const AnalysisOptions& options);

}  // namespace tovek
