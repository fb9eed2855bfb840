#include "engine/plot_data_file.h"

#include <system_error>

#include "engine/text_output.h"

namespace tovek {

PlotDataFile::PlotDataFile(std::filesystem::path path) : path_(std::move(path)) {
    temporary_ = path_;
    temporary_ += ".tovek-new";
}

PlotDataFile::~PlotDataFile() {
    if (!committed_) discard();
}

bool PlotDataFile::open() {
    rows_.open(temporary_, kTextOutputMode);
    return static_cast<bool>(rows_);
}

void PlotDataFile::discard() {
    if (rows_.is_open()) rows_.close();
    std::error_code ec;
    std::filesystem::remove(temporary_, ec);
}

bool PlotDataFile::commit() {
    rows_.close();
    if (rows_.fail()) return false;
    std::error_code ec;
    std::filesystem::rename(temporary_, path_, ec);
    if (!ec) {
        committed_ = true;
        return true;
    }
    // A system that does not rename over an existing file: the rows are
    // copied in place.
    std::filesystem::copy_file(temporary_, path_, std::filesystem::copy_options::overwrite_existing, ec);
    return !ec;
}

} // namespace tovek
