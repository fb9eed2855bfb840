#include "engine/plot_data_file.h"

#include <fstream>
#include <system_error>

#include "engine/text_output.h"

namespace tovek {

namespace {

bool writeFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, kTextOutputMode);
    if (!out) return false;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return !out.fail();
}

} // namespace

bool PlotDataFile::commit() {
    const std::string text = rows_.str();
    std::filesystem::path temporary = path_;
    temporary += ".tovek-new";
    std::error_code ec;
    if (writeFile(temporary, text)) {
        std::filesystem::rename(temporary, path_, ec);
        if (!ec) return true;
    }
    // No temporary file beside it (a read-only folder with a writable file,
    // say), or a system that does not rename over an existing file: the file
    // is written in place.
    std::filesystem::remove(temporary, ec);
    return writeFile(path_, text);
}

} // namespace tovek
