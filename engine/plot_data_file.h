// The plot data file of a run. The run writes its rows to a temporary file
// beside it ("<name>.tovek-new"); only a run that goes through puts them in
// place of the file by renaming the temporary file over it. An early end, at
// whatever stage, removes the temporary file and leaves the plot data file
// byte for byte as it was, so that the front end never reads a partial file
// as this run's results.
#pragma once

#include <filesystem>
#include <fstream>

namespace tovek {

class PlotDataFile {
public:
    explicit PlotDataFile(std::filesystem::path path);
    ~PlotDataFile();
    PlotDataFile(const PlotDataFile&) = delete;
    PlotDataFile& operator=(const PlotDataFile&) = delete;

    // The stream of the temporary file; false when it cannot be made.
    bool open();
    std::ostream& stream() { return rows_; }

    // Puts the rows in place of the file. False when the file could not be
    // written; the file then holds what it held before, or, where the system
    // cannot replace a file by renaming, whatever part was written.
    bool commit();

private:
    void discard();

    std::filesystem::path path_;
    std::filesystem::path temporary_;
    std::ofstream rows_;
    bool committed_ = false;
};

} // namespace tovek
