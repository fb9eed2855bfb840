#include "engine/run_control.h"

#include <istream>

#include "input/free_format.h"
#include "input/input_error.h"
#include "input/text.h"

namespace tovek {

namespace {

std::string trimRight(const std::string& text) {
    const auto last = text.find_last_not_of(' ');
    return last == std::string::npos ? "" : text.substr(0, last + 1);
}

std::string askConsole(std::istream& in, LayoutWriter& console, const char* prompt, const char* purpose) {
    console.write("//7X,A/' ENTER >'", {prompt});
    std::string answer;
    if (!std::getline(in, answer))
        throw InputError("console (standard input)", 0,
                         std::string("the input ended while the engine waited for the name of the ") + purpose);
    if (answer.size() > 255) answer.resize(255);
    return trimmed(answer);
}

std::filesystem::path inFolder(const std::filesystem::path& folder, const std::string& name) {
    const std::filesystem::path path(name);
    return path.is_relative() ? folder / path : path;
}

// Whether two names lead to one file: the same existing file (links and
// case-insensitive file systems included), or the same path for files not
// yet made.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    if (std::filesystem::exists(a, ec) && std::filesystem::exists(b, ec)) {
        const bool same = std::filesystem::equivalent(a, b, ec);
        return !ec && same;
    }
    const auto ca = std::filesystem::weakly_canonical(a, ec);
    if (ec) return a.lexically_normal() == b.lexically_normal();
    const auto cb = std::filesystem::weakly_canonical(b, ec);
    if (ec) return a.lexically_normal() == b.lexically_normal();
    return ca == cb;
}

}  // namespace

void checkOutputFilesAreDistinct(const RunFileNames& names, const std::filesystem::path& folder) {
    struct Named {
        const std::string* name;
        const char* what;
    };
    const Named inputs[] = {{nullptr, "the run-control file"},
                            {&names.inputFileName, "the input data file"},
                            {&names.cptFileName, "the CPT data file"}};
    const std::string runControl = kRunControlFileName;
    auto check = [&](const std::string& output, int line, const char* what, const Named* others, size_t count) {
        if (output.empty()) return;
        for (size_t k = 0; k < count; ++k) {
            const std::string& other = others[k].name ? *others[k].name : runControl;
            if (other.empty() || !sameFile(inFolder(folder, output), inFolder(folder, other))) continue;
            throw InputError(kRunControlFileName, line,
                             std::string(what) + " \"" + output + "\" is the same file as " + others[k].what + " \"" +
                                 other + "\"; the run would overwrite it. Expected a file name of its own");
        }
    };
    check(names.outputFileName, 6, "the report file", inputs, 3);
    const Named plotOthers[] = {inputs[0], inputs[1], inputs[2], {&names.outputFileName, "the report file"}};
    check(names.plotFileName, 7, "the plot data file", plotOthers, 4);
}

void readRunControl(RunFileNames& names, const std::filesystem::path& folder, std::istream& consoleIn,
                    LayoutWriter& console) {
    const std::filesystem::path path = folder / kRunControlFileName;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        throw InputError(kRunControlFileName, 0,
                         "the run-control file is missing from the working folder " + folder.string() +
                             "; expected the version text, three records and the four file names");
    FreeFormatReader reader = FreeFormatReader::open(path, kRunControlFileName);
    const std::string early = " (the run-control file must hold at least the input, report and plot file names)";
    names.versionText = reader.text(12, "the version text (record 1)" + early);
    reader.text(256, "record 2" + early);
    reader.text(256, "record 3" + early);
    reader.readInteger("the whole number of record 4" + early);

    std::string* const fileNames[4] = {&names.inputFileName, &names.outputFileName, &names.plotFileName,
                                       &names.cptFileName};
    bool complete = true;
    for (std::string* name : fileNames) {
        auto line = reader.textLine();
        if (!line) {
            complete = false;
            break;
        }
        if (line->size() > 255) line->resize(255);
        *name = trimmed(*line);
    }
    if (complete) return;

    // The file ran out of names: the console supplies the first three; the
    // CPT data file keeps whatever record 8 gave (nothing here).
    names.inputFileName = askConsole(consoleIn, console, "ENTER A FILE NAME FOR YOUR INPUT FILE.", "input file");
    names.outputFileName = askConsole(consoleIn, console, "ENTER A FILE NAME FOR YOUR OUTPUT FILE.", "output file");
    names.plotFileName =
        askConsole(consoleIn, console, "ENTER A FILE NAME FOR YOUR GRAPHIC DATA FILE.", "graphic data file");
}

void writeBanner(LayoutWriter& out, const std::string& versionText) {
    out.write(
        "5X,73('=')/"
        "/"
        "20X,'  TOVEK for Windows, Version ',A12/"
        "/"
        "20X,'   A Program for Analyzing the Axial Capacity '/"
        "20X,'   and Short-term Settlement of Driven Piles '/"
        "20X,'             under Axial Loading. '/"
        "/"
        "5X,73('=')/"
        "/",
        {versionText});
}

PathParts splitFileName(const std::string& name, const std::filesystem::path& folder) {
    PathParts parts;
    if (trimRight(name).empty()) return parts;
    std::filesystem::path path(trimRight(name));
    if (path.is_relative()) {
        if (folder.empty() || folder.is_relative()) return parts;
        path = folder / path;
    }
    path = path.lexically_normal();
    parts.drive = path.root_name().string();
    std::string directory = path.root_directory().string() + path.relative_path().parent_path().string();
    if (!directory.empty() && directory.back() != '/' && directory.back() != '\\')
        directory += std::filesystem::path::preferred_separator;
    parts.directory = directory;
    parts.baseName = path.stem().string();
    parts.extension = path.extension().string();
    if (parts.drive.size() > 3) parts.drive.resize(3);
    if (parts.directory.size() > 256) parts.directory.resize(256);
    if (parts.baseName.size() > 256) parts.baseName.resize(256);
    if (parts.extension.size() > 5) parts.extension.resize(5);
    return parts;
}

void writeFileNames(ReportWriter& report, const RunFileNames& names, const std::filesystem::path& folder) {
    const PathParts input = splitFileName(names.inputFileName, folder);
    report.write("5X,'Path to file locations      : ',A,A", {trimRight(input.drive), trimRight(input.directory)});
    report.write("5X,'Name of input data file     : ',A,A",
                 {trimRight(input.baseName), trimRight(input.extension) + "d"});
    const PathParts output = splitFileName(names.outputFileName, folder);
    report.write("5X,'Name of output file         : ',A,A",
                 {trimRight(output.baseName), trimRight(output.extension) + "o"});
    const PathParts plot = splitFileName(names.plotFileName, folder);
    report.write("5X,'Name of plot output file    : ',A,A/",
                 {trimRight(plot.baseName), trimRight(plot.extension) + "p"});
}

void writeRunDate(ReportWriter& report, const std::tm& now) {
    static constexpr const char* kMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                                "July",    "August",   "September", "October", "November", "December"};
    report.write("5X,73('-')/26X,'Time and Date of Analysis'/5X,73('-')/");
    const int month = now.tm_mon + 1;
    if (month < 1 || month > 12) return;
    report.write("15X,'Date:  ',A,' ',I2.2,', ',I4,5X,'Time:  ',I2.2,':',I2.2,':',I2.2",
                 {kMonths[month - 1], now.tm_mday, now.tm_year + 1900, now.tm_hour, now.tm_min, now.tm_sec});
}

}  // namespace tovek
