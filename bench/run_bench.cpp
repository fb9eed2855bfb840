// Whole runs of the engine, in-process through runAnalysis:
//  - the bundled example (examples/pipe-pile), copied to a scratch folder;
//  - a largest-size problem written here: 500 computation segments, 496
//    penetration nodes, 20 soil rows, 1000 CPT points, every capacity
//    method selected, 5 t-z print depths, a t-z factor table, 21 assumed
//    tip movements and a printing increment of 1.
// The load-settlement stage alone is also timed on a store filled by hand
// to the largest size (496 nodes and segments, 21 movements, every segment
// printed), so that its share of a run shows while the stages before it are
// still being built.
// After its timed runs the largest problem is run once more by the host
// program `tovek` in a child process, whose peak resident memory is
// reported as the counter tovek_peak_rss_MB.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <streambuf>
#include <string>

#include "engine/run.h"
#include "engine/run_store.h"
#include "settlement/load_settlement.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// A console that swallows everything.
class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// The problem folders of one benchmark process, removed when it ends.
void removeScratchFolders() {
    std::error_code ec;
    for (const char* name : {"largest", "example"})
        fs::remove_all(fs::temp_directory_path() / ("tovek-bench-" + std::to_string(::getpid()) + "-" + name), ec);
}

fs::path scratchFolder(const std::string& name) {
    static const bool cleanupRegistered = (std::atexit(removeScratchFolders), true);
    (void)cleanupRegistered;
    const fs::path folder = fs::temp_directory_path() / ("tovek-bench-" + std::to_string(::getpid()) + "-" + name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

void writeFile(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::string namesFile(const std::string& input, const std::string& report, const std::string& plot,
                      const std::string& cpt) {
    return "1.0\nC:\\TOVEK\nC:\\TOVEK\\BENCH\n1\n" + input + "\n" + report + "\n" + plot + "\n" + cpt + "\n";
}

// The input data file of the largest problem, record by record.
std::string largestInputFile() {
    std::ostringstream f;
    f << "Largest-size benchmark problem: 24 in open-ended pipe pile, 495 ft embedded\n";  // 1
    f << "Benchmark\n";                                                                    // 2
    f << "BENCH-500\n";                                                                    // 3
    f << "1 1 20 0\n";  // 4: English units, print every row, 20 soil rows, open-ended
    // 5: perimeter, tip area, OD, ID, modulus (psi), total length, stickup,
    // elevation output, ground elevation, tip averaging.
    f << "0 0 24 23 29000000 495 0 0 0.0 1\n";
    f << "0 0 0\n";  // 6: no enhanced end section, vertical pile
    // 7: zero-friction length, length increment, pile type, taper angle,
    // load-transfer method (API), CPT data present, no friction reduction.
    f << "0 1.0 1 0 4 1 0\n";
    f << "1 1 1 1 1 1 1 1 1\n";  // 8: every capacity method
    f << "500 0\n";              // 9: soil profile bottom 500 ft -> 500 segments
    // 10: ten 50 ft layers, each a top and a bottom row, sand and clay in turn.
    for (int layer = 0; layer < 10; ++layer) {
        for (int edge = 0; edge < 2; ++edge) {
            const int depth = 50 * (layer + edge);
            if (layer % 2 == 0) {
                f << depth << " 1 0.8 62.6 " << 30 + layer << " 0\n";
                f << "0 0 0 " << 15 + layer << " 0 0 0 1000 40000 1 1 0 0 0\n";
            } else {
                f << depth << " 2 0 55 0 0\n";
                f << "0 0 " << 1000 + 100 * layer << " 600 0 20 0 800 10800 1 1 0 0.3 0.9\n";
            }
        }
    }
    f << "1\n5\n10\n100\n250\n499\n600\n";               // 11: t-z print depths (the last outside the soil)
    f << "0 1.0\n";                                      // 12: compression
    f << "0 0 0\n";                                      // 13
    f << "0 0\n";                                        // 14: no area table
    f << "0 0\n";                                        // 15
    f << "1\n3\n0 1.0 1.0\n250 1.2 0.9\n500 1.4 0.8\n";  // 16: t-z factor table
    f << "1\n21\n";                                      // 17: 21 assumed tip movements
    for (int i = 1; i <= 21; ++i) f << 0.005 * i * i << "\n";
    f << "0\n";  // 18: no tip-curve scaling
    return f.str();
}

std::string largestCptFile() {
    std::ostringstream f;
    f << "0 1000\n";
    for (int i = 1; i <= 1000; ++i) f << 0.5 * i << " " << 40000 + 150 * i << "\n";
    return f.str();
}

fs::path largestProblemFolder() {
    static const fs::path folder = [] {
        const fs::path path = scratchFolder("largest");
        writeFile(path / "names.dat", namesFile("large.in", "large.out", "large.plt", "large.cpt"));
        writeFile(path / "large.in", largestInputFile());
        writeFile(path / "large.cpt", largestCptFile());
        return path;
    }();
    return folder;
}

fs::path exampleFolder() {
    static const fs::path folder = [] {
        const fs::path path = scratchFolder("example");
        for (const auto& entry : fs::directory_iterator(fs::path(TOVEK_SOURCE_DIR) / "examples" / "pipe-pile"))
            if (entry.is_regular_file())
                fs::copy_file(entry.path(), path / entry.path().filename(), fs::copy_options::overwrite_existing);
        return path;
    }();
    return folder;
}

void runWholeAnalysis(benchmark::State& state, const fs::path& folder) {
    NullBuffer sink;
    std::ostream console(&sink);
    std::istringstream noInput;
    tovek::RunEnvironment env;
    env.workingFolder = folder;
    env.consoleIn = &noInput;
    env.consoleOut = &console;
    std::tm clock{};
    clock.tm_year = 2024 - 1900;
    clock.tm_mday = 1;
    env.clock = clock;
    for (auto _ : state) {
        const int32_t status = tovek::runAnalysis(env);
        if (status != 0) {
            state.SkipWithError("the run ended early (status 1)");
            break;
        }
    }
}

// Runs the host program once on a folder; returns its peak resident set in
// kilobytes, or -1 when it could not be run.
long hostPeakMemoryKb(const fs::path& folder) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    std::string program = TOVEK_HOST_PROGRAM;
    std::string argument = folder.string();
    char* argv[] = {program.data(), argument.data(), nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;
    int status = 0;
    struct rusage usage {};
    if (wait4(pid, &status, 0, &usage) != pid) return -1;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    return usage.ru_maxrss;
}

void BM_BundledExample(benchmark::State& state) { runWholeAnalysis(state, exampleFolder()); }

void BM_LargestProblem(benchmark::State& state) {
    const fs::path folder = largestProblemFolder();
    runWholeAnalysis(state, folder);
    const long peak = hostPeakMemoryKb(folder);
    state.counters["tovek_peak_rss_MB"] = peak >= 0 ? static_cast<double>(peak) / 1024.0 : -1.0;
}

// The stage on a 495 ft, 24 in pipe pile in sand over clay, API node values
// of 0.2 to 1.7 ksf and a 500 kip tip, listing and all.
void BM_LoadSettlementStage(benchmark::State& state) {
    NullBuffer sink;
    std::ostream files(&sink);
    std::unique_ptr<tovek::RunStore> store;
    for (auto _ : state) {
        state.PauseTiming();
        store = std::make_unique<tovek::RunStore>();
        store->report.attach(&files);
        store->plot.attach(&files);
        tovek::ProblemData& p = store->problem;
        p.unitSystem = 1;
        p.printIncrement = 1;
        p.layerCount = 20;
        for (int i = 1; i <= 20; ++i) {
            tovek::SoilLayer& row = p.layers[static_cast<size_t>(i)];
            const int layer = (i - 1) / 2;
            row.depth = 50.0 * (layer + (i - 1) % 2);
            row.soilType = layer % 2 == 0 ? 1 : 2;
            row.frictionAngle = layer % 2 == 0 ? 30 + layer : 0;
            row.peakMovement = layer % 2 == 0 ? 0 : 0.3;
            row.residualFactor = layer % 2 == 0 ? 0 : 0.9;
        }
        p.pile.outsideDiameter = 24;
        p.pile.insideDiameter = 23;
        p.pile.elasticModulus = 29.0e6;
        p.pile.crossSectionArea = 36.5;
        p.pile.areaOption = 1;
        p.pile.totalLength = 495;
        p.pile.embeddedLength = 495;
        p.options.loadTransferMethod = 4;
        p.options.movementListOption = 1;
        p.options.movementCount = 21;
        for (size_t i = 1; i <= 21; ++i) p.options.movementList[i] = 0.005 * static_cast<double>(i * i);
        store->grid.verticalIncrement = 1;
        store->grid.segmentCount = 500;
        store->grid.nodeCount = 496;
        for (size_t j = 1; j <= 496; ++j) {
            store->methods[tovek::kApi].nodes.nodeSideFriction[j] = 0.2 + 1.5 * static_cast<double>(j) / 496;
            store->grid.segments[j].lrfdBearingFactor = 1;
        }
        store->methods[tovek::kApi].capacity.endBearing[496] = 500;
        state.ResumeTiming();
        tovek::handOverNodeValues(*store, (*store).settlement);
        tovek::SettlementRun run = store->settlementRun();
        tovek::runLoadSettlement(run);
        benchmark::DoNotOptimize(store->settlement.points[21].topLoad);
    }
}

BENCHMARK(BM_BundledExample)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LargestProblem)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSettlementStage)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
