// The run sequence: one call of the engine from naming the files to closing
// them. Every step below is one step of a run; a run that ends early on
// unusable input jumps to closing with status 1.
#include "engine/run.h"

#include <chrono>
#include <fstream>
#include <iostream>
#include <memory>
#include <vector>

#include "capacity/integrator.h"
#include "engine/lazy_file.h"
#include "engine/run_control.h"
#include "engine/run_errors.h"
#include "engine/run_store.h"
#include "engine/text_output.h"
#include "input/free_format.h"
#include "input/input_checks.h"
#include "input/input_reader.h"
#include "input/input_report.h"
#include "methods/api_method.h"
#include "methods/method_catalog.h"
#include "methods/user_method.h"
#include "report/plot_file.h"
#include "report/result_tables.h"
#include "settlement/load_settlement.h"

namespace tovek {

namespace {

std::tm localNow() {
    const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm out{};
#if defined(_WIN32)
    localtime_s(&out, &t);
#else
    localtime_r(&t, &out);
#endif
    return out;
}

std::filesystem::path resolve(const std::filesystem::path& folder, const std::string& name) {
    std::filesystem::path path(name);
    return path.is_relative() ? folder / path : path;
}

bool selected(const ProblemData& p, int flag) { return p.options.capacityMethods[static_cast<size_t>(flag)] == 1; }

// The four cone-resistance methods run only with CPT data and at least one
// of them selected.
bool coneMethodsRun(const ProblemData& p) {
    return p.options.cptDataOption == 1 &&
           (selected(p, 6) || selected(p, 7) || selected(p, 8) || selected(p, 9));
}

// A table is written for a selected method that this build computes.
bool tableWritten(const ProblemData& p, int flag) {
    if (!selected(p, flag)) return false;
    if (flag >= 6 && !coneMethodsRun(p)) return false;
    return methodIsBuilt(kFlagToMethodCode[flag]);
}

int32_t capacityBlockCount(const ProblemData& p) {
    int32_t count = 0;
    for (int flag = 1; flag <= 9; ++flag)
        if (tableWritten(p, flag)) ++count;
    return count;
}

void integrate(RunStore& store, int32_t code) {
    store.methodCode = code;
    integrateCapacity(store);
}

void tabulate(RunStore& store, int flag) {
    if (tableWritten(store.problem, flag)) writeMethodTable(store, kFlagToMethodCode[flag]);
}

// One pass of the result stage.
void runResultPass(RunStore& store, int32_t pass) {
    ProblemData& p = store.problem;
    store.pass = pass;
    buildSoilSegments(store);
    // FHWA, USACE and Revised Lambda are integrated on the unit values they
    // hold at this moment: zero in pass 1, pass 1's values in pass 2.
    integrate(store, kFhwa);
    integrate(store, kUsace);
    integrate(store, kRevisedLambda);

    if (pass == 1) {
        writePlotHeader(store, capacityBlockCount(p), printedRowCount(store.grid.nodeCount, p.printIncrement));
        computeUserMethodCapacity(store);
        if (p.options.loadingType == 1) integrate(store, kUserMethod);
        prepareProfileForReport(store, kUserMethod);
        tabulate(store, 5);
        // FHWA, USACE and Revised Lambda tables follow here once those
        // methods are built (tableWritten keeps them out until then).
        for (int flag = 1; flag <= 3; ++flag) tabulate(store, flag);
        return;
    }

    computeApiFriction(store);
    integrate(store, kApi);
    prepareProfileForReport(store, kApi);
    tabulate(store, 4);
    // NGI, ICP/MTD, Fugro and UWA follow here once those methods are built.
    if (coneMethodsRun(p))
        for (int flag = 6; flag <= 9; ++flag) tabulate(store, flag);

    handOverNodeValues(store);
    runLoadSettlement(store);
    if (p.options.tzPrintDepthCount > 0) listVerificationCurves(store);
}

void reportFatal(RunStore& store, const std::string& message) {
    const char* layout = "/1X,'*** ',A/1X,'*** THE ANALYSIS CANNOT PROCEED.'";
    store.console.write(layout, {message});
    store.report.write(layout, {message});
}

// Steps 5 to 14 once the report is open. Returns the run status.
int32_t runWithReport(RunStore& store, const RunEnvironment& env, LazyOutputFile& plotFile) {
    ProblemData& p = store.problem;
    const std::filesystem::path& folder = env.workingFolder;

    // Step 5: the input data file, the plot data file, the CPT data file.
    if (store.names.inputFileName.empty())
        throw InputError(kRunControlFileName, 5, "no input data file is named");
    FreeFormatReader input = FreeFormatReader::open(resolve(folder, store.names.inputFileName), store.names.inputFileName);
    if (store.names.plotFileName.empty())
        throw InputError(kRunControlFileName, 7, "no plot data file is named");
    {
        // The plot data file must be writable; it is emptied only when the
        // run first writes to it, so an early end leaves it as it was.
        std::ofstream probe(resolve(folder, store.names.plotFileName), std::ios::app);
        if (!probe)
            throw InputError(store.names.plotFileName, 0, "the plot data file cannot be opened for writing");
    }
    store.plot.attach(&plotFile);

    // Step 6: the input data file.
    readInputFile(store, input);
    setUnitLabels(p);

    // Step 7: the CPT data file. A run whose names came from the console has
    // no CPT data file name: it then runs without a CPT profile.
    if (store.names.cptFileName.empty()) {
        store.console.write("/1X,'NOTE: NO CPT DATA FILE IS NAMED; THE RUN HAS NO CPT PROFILE.'");
    } else {
        FreeFormatReader cpt = FreeFormatReader::open(resolve(folder, store.names.cptFileName), store.names.cptFileName);
        readCptFile(store, cpt);
    }

    // Step 8: depth checks.
    if (!checkSoilDepth(store)) return 1;

    // Step 9.
    store.console.write("//9X,'COMPUTATION IS PROCEEDING........'");

    // Steps 10 and 11: input information and the heading of the results.
    writeInputInformation(store);
    writeResultHeading(store);

    // Step 12: snap the row depths and count the segments.
    snapLayerDepths(p);
    const int32_t segments = countSegments(p);
    if (segments > kMaxSegments) {
        const char* layout = "//1X,'YOUR NUMBERS OF SEGMENT ',I4,' IS LARGER THAN'/"
                             "1X,'DEFAULT VALUE 500. YOU MIGHT WANT TO CHANGE THE LENGTH OF '/"
                             "1X,'SEGMENT OR CONSULT BRAVIK, INC. FOR CHANGING THE DEFAULT VALUE'";
        store.console.write(layout, {segments});
        store.report.write(layout, {segments});
        return 1;
    }
    store.grid.segmentCount = segments;
    if (!checkGridCoversPile(store)) return 1;

    // Step 13: the result stage, in two passes.
    runResultPass(store, 1);
    runResultPass(store, 2);
    return 0;
}

} // namespace

int32_t runAnalysis(const RunEnvironment& env) {
    std::istream& consoleIn = env.consoleIn ? *env.consoleIn : std::cin;
    std::ostream& consoleOut = env.consoleOut ? *env.consoleOut : std::cout;

    // Step 1: a cleared store with the run's defaults (the result-table
    // marks, a blank and an asterisk, are the store's own defaults).
    auto store = std::make_unique<RunStore>();
    store->problem.waterTableDepth = kNoWaterTable;
    store->problem.options.tensionReductionFactor = 1.0f;
    store->console.attach(&consoleOut);

    constexpr size_t kReportBufferSize = 1 << 18;  // few writes for the many rows of a big run
    std::unique_ptr<char[]> reportBuffer;
    std::unique_ptr<std::ofstream> reportFile;
    std::unique_ptr<LazyOutputFile> plotFile;
    int32_t status = 0;
    try {
        // Step 2: the run-control file (and the console when it runs out).
        readRunControl(store->names, env.workingFolder, consoleIn, store->console);
        // Step 3: the banner on the console.
        writeBanner(store->console, store->names.versionText);
        // Step 4: the report, with banner, file names, time and date.
        if (store->names.outputFileName.empty())
            throw InputError(kRunControlFileName, 6, "no report (output) file is named");
        checkOutputFilesAreDistinct(store->names, env.workingFolder);
        reportBuffer = std::make_unique_for_overwrite<char[]>(kReportBufferSize);
        reportFile = std::make_unique<std::ofstream>();
        reportFile->rdbuf()->pubsetbuf(reportBuffer.get(), static_cast<std::streamsize>(kReportBufferSize));
        reportFile->open(resolve(env.workingFolder, store->names.outputFileName),
                         kTextOutputMode);
        if (!*reportFile)
            throw InputError(store->names.outputFileName, 0, "the report file cannot be opened for writing");
        store->report.attach(reportFile.get());
        writeBanner(store->report, store->names.versionText);
        writeFileNames(store->report, store->names, env.workingFolder);
        writeRunDate(store->report, env.clock ? *env.clock : localNow());

        plotFile = std::make_unique<LazyOutputFile>(resolve(env.workingFolder, store->names.plotFileName));
        status = runWithReport(*store, env, *plotFile);
    } catch (const InputError& error) {
        reportFatal(*store, error.what());
        status = 1;
    } catch (const std::exception& error) {
        reportFatal(*store, std::string("INTERNAL ERROR: ") + error.what());
        status = 1;
    }

    // Step 14: close the report and the plot data file.
    consoleOut.flush();
    if (reportFile) reportFile->close();
    if (plotFile) {
        plotFile->close();
        if (plotFile->failed() && status == 0) {
            store->console.write("/1X,'*** ',A", {"ERROR IN FILE \"" + store->names.plotFileName +
                                                      "\": the plot data file could not be written"});
            status = 1;
        }
    }
    return status;
}

} // namespace tovek
