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
#include "capacity/prepare_profile.h"
#include "engine/plot_data_file.h"
#include "engine/run_control.h"
#include "engine/run_store.h"
#include "engine/text_output.h"
#include "input/free_format.h"
#include "input/input_checks.h"
#include "input/input_error.h"
#include "input/input_reader.h"
#include "input/input_report.h"
#include "input/units.h"
#include "methods/method_catalog.h"
#include "report/plot_file.h"
#include "report/printed_rows.h"
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

int32_t capacityBlockCount(const AnalysisOptions& options) {
    int32_t count = 0;
    for (const MethodEntry& method : methodCatalog())
        if (tableWritten(options, method)) ++count;
    return count;
}

// A method's unit load transfers and shaft capacity, then its integration
// (in compression the user-specified method keeps its own end bearing).
void runMethod(RunStore& store, const MethodEntry& method) {
    method.compute(store, store.report);
    if (method.integration == Integration::always || store.problem.options.loadingType == 1)
        integrateCapacity(store, method.code);
}

void tabulate(RunStore& store, const MethodEntry& method) {
    if (!tableWritten(store.problem.options, method)) return;
    TableOutput out = store.tableOutput();
    writeMethodTable(out, store, method.code);
}

// One pass of the result stage: the methods of the pass in the order of
// their tables, each run, integrated, prepared and tabulated; the methods
// prepared together are prepared and tabulated after the last of them.
void runResultPass(RunStore& store, int32_t pass) {
    const AnalysisOptions& options = store.problem.options;
    store.pass = pass;
    buildSoilSegments(store.problem, store.grid);
    for (const MethodEntry& method : methodCatalog())
        if (method.integratedAtPassStart) integrateCapacity(store, method.code);
    if (pass == 1)
        writePlotHeader(store.plot, store.problem, capacityBlockCount(options),
                        printedRowCount(store.grid.nodeCount, store.problem.printIncrement));

    std::vector<const MethodEntry*> together;
    for (const MethodEntry& method : methodCatalog()) {
        if (method.pass != pass || !methodRuns(options, method)) continue;
        runMethod(store, method);
        if (method.preparedTogether) {
            together.push_back(&method);
            continue;
        }
        prepareProfileForReport(store, method.code);
        tabulate(store, method);
    }
    for (const MethodEntry* method : together) prepareProfileForReport(store, method->code);
    for (const MethodEntry* method : together) tabulate(store, *method);
    if (pass != 2) return;

    handOverNodeValues(store, store.settlement);
    SettlementRun settlement = store.settlementRun();
    runLoadSettlement(settlement);
    if (options.tzPrintDepthCount > 0) listVerificationCurves(settlement);
}

void reportFatal(RunStore& store, const std::string& message) {
    const char* layout = "/1X,'*** ',A/1X,'*** THE ANALYSIS CANNOT PROCEED.'";
    store.console.write(layout, {message});
    store.report.write(layout, {message});
}

// Steps 5 to 14 once the report is open. Returns the run status.
int32_t runWithReport(RunStore& store, const RunEnvironment& env, PlotDataFile& plotFile) {
    ProblemData& p = store.problem;
    const std::filesystem::path& folder = env.workingFolder;

    // Step 5: the input data file, the plot data file, the CPT data file.
    if (store.names.inputFileName.empty()) throw InputError(kRunControlFileName, 5, "no input data file is named");
    FreeFormatReader input =
        FreeFormatReader::open(resolve(folder, store.names.inputFileName), store.names.inputFileName);
    if (store.names.plotFileName.empty()) throw InputError(kRunControlFileName, 7, "no plot data file is named");
    {
        // The plot data file must be writable (a missing one is created
        // empty); the run's rows replace it only when the run goes through.
        std::ofstream probe(resolve(folder, store.names.plotFileName), std::ios::app);
        if (!probe || !plotFile.open())
            throw InputError(store.names.plotFileName, 0, "the plot data file cannot be opened for writing");
    }
    store.plot.attach(&plotFile.stream(), true);

    // Step 6: the input data file.
    readInputFile(p, input);
    setUnitLabels(p);

    // Step 7: the CPT data file. A run whose names came from the console has
    // no CPT data file name: it then runs without a CPT profile.
    if (store.names.cptFileName.empty()) {
        store.console.write("/1X,'NOTE: NO CPT DATA FILE IS NAMED; THE RUN HAS NO CPT PROFILE.'");
    } else {
        FreeFormatReader cpt =
            FreeFormatReader::open(resolve(folder, store.names.cptFileName), store.names.cptFileName);
        readCptFile(p, cpt);
    }

    // Step 8: depth checks.
    if (!checkSoilDepth(p, store.report, store.console)) return 1;

    // Step 9.
    store.console.write("//9X,'COMPUTATION IS PROCEEDING........'");

    // Steps 10 and 11: input information and the heading of the results.
    writeInputInformation(p, store.report);
    writeResultHeading(store.report);

    // Step 12: snap the row depths and count the segments.
    snapLayerDepths(p);
    const int32_t segments = countSegments(p);
    if (segments > kMaxSegments) {
        const char* layout =
            "//1X,'YOUR NUMBERS OF SEGMENT ',I4,' IS LARGER THAN'/"
            "1X,'DEFAULT VALUE 500. YOU MIGHT WANT TO CHANGE THE LENGTH OF '/"
            "1X,'SEGMENT OR CONSULT BRAVIK, INC. FOR CHANGING THE DEFAULT VALUE'";
        store.console.write(layout, {segments});
        store.report.write(layout, {segments});
        return 1;
    }
    store.grid.segmentCount = segments;
    if (!checkGridCoversPile(p, store.grid, store.report, store.console)) return 1;

    // Step 13: the result stage, in two passes.
    runResultPass(store, 1);
    runResultPass(store, 2);
    return 0;
}

}  // namespace

int32_t runAnalysis(const RunEnvironment& env) {
    std::istream& consoleIn = env.consoleIn ? *env.consoleIn : std::cin;
    std::ostream& consoleOut = env.consoleOut ? *env.consoleOut : std::cout;

    // Step 1: a cleared store with the run's defaults (the result-table
    // marks, a blank and an asterisk, are the store's own defaults).
    RunStorePtr store = newRunStore();
    store->problem.waterTableDepth = kNoWaterTable;
    store->problem.options.tensionReductionFactor = 1.0f;
    store->console.attach(&consoleOut);

    std::unique_ptr<std::ofstream> reportFile;
    std::unique_ptr<PlotDataFile> plotFile;
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
        reportFile = std::make_unique<std::ofstream>();
        reportFile->open(resolve(env.workingFolder, store->names.outputFileName),
                         kTextOutputMode);
        if (!*reportFile)
            throw InputError(store->names.outputFileName, 0, "the report file cannot be opened for writing");
        store->report.attach(reportFile.get(), true);
        writeBanner(store->report, store->names.versionText);
        writeFileNames(store->report, store->names, env.workingFolder);
        writeRunDate(store->report, env.clock ? *env.clock : localNow());

        plotFile = std::make_unique<PlotDataFile>(resolve(env.workingFolder, store->names.plotFileName));
        status = runWithReport(*store, env, *plotFile);
    } catch (const InputError& error) {
        reportFatal(*store, error.what());
        status = 1;
    } catch (const std::exception& error) {
        reportFatal(*store, std::string("INTERNAL ERROR: ") + error.what());
        status = 1;
    }

    // Step 14: a run that went through puts its plot rows in place of the
    // plot data file; then the report is closed.
    store->plot.flush();
    if (plotFile && status == 0 && !plotFile->commit()) {
        const std::string message =
            "ERROR IN FILE \"" + store->names.plotFileName + "\": the plot data file could not be written";
        store->console.write("/1X,'*** ',A", {message});
        store->report.write("/1X,'*** ',A", {message});
        status = 1;
    }
    store->report.flush();
    consoleOut.flush();
    if (reportFile) reportFile->close();
    return status;
}

}  // namespace tovek
