// The run-control file "names.dat", the console dialogue that replaces its
// missing names, and the first block of every report: banner, file names,
// time and date.
#pragma once

#include <ctime>
#include <filesystem>
#include <iosfwd>
#include <string>

#include "engine/run_store.h"

namespace tovek {

inline constexpr const char* kRunControlFileName = "names.dat";

// Reads "names.dat" in `folder`; when it ends within the four file names,
// asks the console for the first three. Fatal problems throw InputError.
void readRunControl(RunFileNames& names, const std::filesystem::path& folder, std::istream& consoleIn,
                    LayoutWriter& console);

// The report and the plot data file are emptied when the run writes them:
// neither may name the run-control file, the input data file, the CPT data
// file or the other output file. Throws InputError naming the line of
// "names.dat" that holds the output name.
void checkOutputFilesAreDistinct(const RunFileNames& names, const std::filesystem::path& folder);

void writeBanner(LayoutWriter& out, const std::string& versionText);

struct PathParts {
    std::string drive;      // empty on POSIX
    std::string directory;  // with its trailing separator
    std::string baseName;
    std::string extension;  // with its period, at most 5 characters
};
// Makes `name` absolute against `folder` and splits it; all parts are blank
// when the name cannot be made absolute.
PathParts splitFileName(const std::string& name, const std::filesystem::path& folder);

void writeFileNames(ReportWriter& report, const RunFileNames& names, const std::filesystem::path& folder);

void writeRunDate(ReportWriter& report, const std::tm& now);

}  // namespace tovek
