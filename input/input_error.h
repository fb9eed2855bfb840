// Input that the engine cannot go on with: a missing or truncated file, an
// unreadable value, a count over a limit, an impossible geometry. The run
// writes the message to the console and, once it is open, to the report,
// closes its files and returns status 1.
#pragma once

#include <stdexcept>
#include <string>

namespace tovek {

class InputError : public std::runtime_error {
public:
    // file: the file as the user named it; line: 1-based line number, 0 when
    // the problem is not tied to a line; what: what was expected or found.
    InputError(std::string file, int line, std::string what)
        : std::runtime_error(compose(file, line, what)), file_(std::move(file)), line_(line), what_(std::move(what)) {}

    const std::string& file() const { return file_; }
    int line() const { return line_; }
    const std::string& detail() const { return what_; }

private:
    static std::string compose(const std::string& file, int line, const std::string& what) {
        std::string text = "ERROR IN FILE \"" + file + "\"";
        if (line > 0) text += ", LINE " + std::to_string(line);
        return text + ": " + what;
    }
    std::string file_;
    int line_;
    std::string what_;
};

}  // namespace tovek
