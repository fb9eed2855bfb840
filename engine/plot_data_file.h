// The plot data file of a run. Its rows are kept in memory while the run
// writes them; only a run that goes through puts them in place of the file,
// written beside it under a temporary name and then renamed over it. An
// early end, at whatever stage, leaves the file byte for byte as it was,
// so that the front end never reads a partial file as this run's results.
#pragma once

#include <filesystem>
#include <sstream>

namespace tovek {

class PlotDataFile {
public:
    explicit PlotDataFile(std::filesystem::path path) : path_(std::move(path)) {}

    std::ostream& stream() { return rows_; }

    // Puts the run's rows in place of the file. False when the file could
    // not be written; the file then holds what it held before, or, where the
    // system cannot replace a file by renaming, whatever part was written.
    bool commit();

private:
    std::filesystem::path path_;
    std::ostringstream rows_;
};

} // namespace tovek
