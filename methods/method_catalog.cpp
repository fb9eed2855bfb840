#include "methods/method_catalog.h"

#include <array>
#include <cassert>

#include "methods/methods.h"

namespace tovek {

namespace {

using enum TableHeading;
using enum Integration;
using enum InsideFriction;

// In the order of the tables of the report. Composed headings have no
// indent of their own; a fixed heading's frame is as wide as its title.
constexpr std::array<MethodEntry, kMethodCount> kCatalog{{
    {.code = kUserMethod,
     .flag = 5,
     .pass = 1,
     .title = "* GENERAL METHOD *",
     .titleLength = 18,
     .heading = fixed,
     .headingIndent = 29,
     .echoLine = "- Load-transfer Units specified by User",
     .integration = tensionOnly,
     .insideFriction = builtInRule,
     .tipAtLeastWall = false,
     .plugRows = false,
     .coneMethod = false,
     .preparedTogether = false,
     .integratedAtPassStart = false,
    
     .compute = computeUserMethodCapacity},
    {.code = kFhwa,
     .flag = 1,
     .pass = 1,
     .title = "*  FED. HWY. METHOD  *",
     .titleLength = 22,
     .heading = composed,
     .headingIndent = 0,
     .echoLine = "- FHWA (Federal Highway Administration)",
     .integration = always,
     .insideFriction = methodProfile,
     .tipAtLeastWall = false,
     .plugRows = true,
     .coneMethod = false,
     .preparedTogether = true,
     .integratedAtPassStart = true,
    
     .compute = computeFhwaFriction},
    {.code = kUsace,
     .flag = 2,
     .pass = 1,
     .title = "* ARMY CORPS METHOD  *",
     .titleLength = 22,
     .heading = composed,
     .headingIndent = 0,
     .echoLine = "- USACE (U.S. Army Corps of Engineers)",
     .integration = always,
     .insideFriction = methodProfile,
     .tipAtLeastWall = false,
     .plugRows = true,
     .coneMethod = false,
     .preparedTogether = true,
     .integratedAtPassStart = true,
    
     .compute = computeUsaceFriction},
    {.code = kRevisedLambda,
     .flag = 3,
     .pass = 1,
     .title = "*  LAMBDA 2 METHOD   *",
     .titleLength = 22,
     .heading = composed,
     .headingIndent = 0,
     .echoLine = "- Revised Lambda",
     .integration = always,
     .insideFriction = builtInRule,
     .tipAtLeastWall = false,
     .plugRows = true,
     .coneMethod = false,
     .preparedTogether = true,
     .integratedAtPassStart = true,
    
     .compute = computeLambdaFriction},
    {.code = kApi,
     .flag = 4,
     .pass = 2,
     .title = "*  API RP-2A (2010)  *",
     .titleLength = 22,
     .heading = composed,
     .headingIndent = 0,
     .echoLine = "- API RP 2A (American Petroleum Institute)",
     .integration = always,
     .insideFriction = builtInApiLimited,
     .tipAtLeastWall = false,
     .plugRows = true,
     .coneMethod = false,
     .preparedTogether = false,
     .integratedAtPassStart = false,
    
     .compute = computeApiFriction},
    {.code = kNgi,
     .flag = 6,
     .pass = 2,
     .title = "*  NORWEIGIAN GEOTECHNICAL INSTITUTE (NGI) METHOD  *",
     .titleLength = 52,
     .heading = composed,
     .headingIndent = 0,
     .echoLine = "- NGI (Norwegian Geotechnical Institute)",
     .integration = always,
     .insideFriction = methodProfile,
     .tipAtLeastWall = false,
     .plugRows = true,
     .coneMethod = true,
     .preparedTogether = false,
     .integratedAtPassStart = false,
    
     .compute = computeNgiFriction},
    {.code = kIcp,
     .flag = 7,
     .pass = 2,
     .title = "*  IMPERIAL COLLEGE (MTD) METHOD  *",
     .titleLength = 35,
     .heading = composed,
     .headingIndent = 0,
     .echoLine = "- ICP/MTD (Imperial College of London)",
     .integration = always,
     .insideFriction = methodProfile,
     .tipAtLeastWall = true,
     .plugRows = true,
     .coneMethod = true,
     .preparedTogether = false,
     .integratedAtPassStart = false,
    
     .compute = computeIcpFriction},
    {.code = kFugro,
     .flag = 8,
     .pass = 2,
     .title = "*    FUGRO 2004 (FUGRO) METHOD    *",
     .titleLength = 35,
     .heading = fixed,
     .headingIndent = 20,
     .echoLine = "- FUGRO (Offshore Driven Piles in Sand)",
     .integration = always,
     .insideFriction = methodProfile,
     .tipAtLeastWall = false,
     .plugRows = true,
     .coneMethod = true,
     .preparedTogether = false,
     .integratedAtPassStart = false,
    
     .compute = computeFugroFriction},
    {.code = kUwa,
     .flag = 9,
     .pass = 2,
     .title = "*  UNIV. OF WESTERN AUSTRALIA (UWA) METHOD  *",
     .titleLength = 45,
     .heading = fixed,
     .headingIndent = 13,
     .echoLine = "- UWA (University of Western Australia)",
     .integration = always,
     .insideFriction = methodProfile,
     .tipAtLeastWall = false,
     .plugRows = true,
     .coneMethod = true,
     .preparedTogether = false,
     .integratedAtPassStart = false,
    
     .compute = computeUwaFriction},
}};

}  // namespace

std::span<const MethodEntry> methodCatalog() { return kCatalog; }

const MethodEntry& methodByCode(int32_t code) {
    for (const MethodEntry& entry : kCatalog)
        if (entry.code == code) return entry;
    assert(false && "no method has this code");
    return kCatalog[0];
}

const MethodEntry* methodByFlag(int32_t flag) {
    for (const MethodEntry& entry : kCatalog)
        if (entry.flag == flag) return &entry;
    return nullptr;
}

bool methodSelected(const AnalysisOptions& options, int32_t code) {
    return options.capacityMethods[methodByCode(code).flag] == 1;
}

bool coneMethodsSelected(const AnalysisOptions& options) {
    for (const MethodEntry& entry : kCatalog)
        if (entry.coneMethod && options.capacityMethods[entry.flag] == 1) return true;
    return false;
}

bool coneMethodsRun(const AnalysisOptions& options) {
    return options.cptDataOption == 1 && coneMethodsSelected(options);
}

bool methodRuns(const AnalysisOptions& options, const MethodEntry& method) {
    return !method.coneMethod || coneMethodsRun(options);
}

bool tableWritten(const AnalysisOptions& options, const MethodEntry& method) {
    return options.capacityMethods[method.flag] == 1 && methodRuns(options, method);
}

const MethodEntry* loadTransferMethodOf(const AnalysisOptions& options) {
    return methodByFlag(options.loadTransferMethod);
}

}  // namespace tovek
