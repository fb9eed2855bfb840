// tovek: runs one analysis of the engine in a problem folder, exactly as the
// desktop front end does: it makes the folder the working folder and calls
// the library's entry once.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

#include "engine/itovek.h"

#ifndef TOVEK_VERSION_TEXT
#define TOVEK_VERSION_TEXT "unknown"
#endif

namespace {

void printHelp() {
    std::cout << "Usage: tovek [FOLDER]\n"
                 "       tovek --help | --version\n"
                 "\n"
                 "Runs one axial analysis of a single driven pile with the TOVEK engine, with\n"
                 "FOLDER (default: the current folder) as the working folder, exactly as the\n"
                 "front end does.\n"
                 "\n"
                 "Reads, in FOLDER:\n"
                 "  names.dat        the run-control file: version text, three records read\n"
                 "                   past, then the names of the input data file, the report\n"
                 "                   file, the plot data file and the CPT data file (one a line).\n"
                 "                   When it ends within the names, the engine asks for the first\n"
                 "                   three on the console.\n"
                 "  input data file  pile, soil rows and options (free format).\n"
                 "  CPT data file    point count and depth / cone resistance pairs.\n"
                 "\n"
                 "Writes, in FOLDER (names from names.dat):\n"
                 "  the report file     the fixed-column report for people;\n"
                 "  the plot data file  the chart data the front end reads back.\n"
                 "\n"
                 "Exit status: the run status, 0 when the run went through, 1 when it ended\n"
                 "early on unusable input (the console and the report say why).\n";
}

}  // namespace

int main(int argc, char** argv) {
    std::string folder;
    for (int k = 1; k < argc; ++k) {
        if (std::strcmp(argv[k], "--help") == 0 || std::strcmp(argv[k], "-h") == 0) {
            printHelp();
            return 0;
        }
        if (std::strcmp(argv[k], "--version") == 0) {
            std::cout << "tovek " << TOVEK_VERSION_TEXT << "\n";
            return 0;
        }
        if (!folder.empty() || (argv[k][0] == '-' && argv[k][1] != '\0')) {
            std::cerr << "tovek: unexpected argument '" << argv[k] << "' (see tovek --help)\n";
            return 2;
        }
        folder = argv[k];
    }
    if (!folder.empty()) {
        std::error_code ec;
        std::filesystem::current_path(folder, ec);
        if (ec) {
            std::cerr << "tovek: cannot use folder '" << folder << "': " << ec.message() << "\n";
            return 2;
        }
    }
    const int32_t status = ITOVEK(0, 0);
    std::cout.flush();
    return status;
}
