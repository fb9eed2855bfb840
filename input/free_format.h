// Sequential reading of the problem files and the run-control file.
//
// Text records take a whole line. A free-format read of a list of values
// starts at the beginning of the next line, takes values separated by blanks
// or commas, goes on over as many lines as it needs, and skips the rest of
// its last line (which may therefore carry comments or extra values).
//
// Choices for constructs these files do not use: a repeat count "r*value"
// is expanded as in Fortran list-directed input; a null value (two commas
// in a row, or a comma first on the read) and a slash that would end a read
// early are rejected with a message, since they would silently leave values
// unset.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovek {

// The largest magnitude a real of the problem files may have. Moduli are
// about 1E8 and the largest stress is the 9,999,000 psf limit marker; a value
// beyond this is a typing error, and would overflow the products of the
// analysis.
inline constexpr double kLargestValue = 1.0e12;

class FreeFormatReader {
public:
    // `fileName` is the name printed in messages.
    FreeFormatReader(std::string fileName, std::string content);

    // Reads the whole file; a file that cannot be opened is an InputError.
    static FreeFormatReader open(const std::filesystem::path& path, const std::string& fileName);

    const std::string& fileName() const { return fileName_; }
    bool atEnd() const { return next_ >= lines_.size(); }
    // The 1-based number of the line the next read starts on.
    int nextLineNumber() const { return static_cast<int>(next_) + 1; }

    // The next line as text, or nothing at the end of the file.
    std::optional<std::string> textLine();
    // The next line cut or padded with blanks to `width` characters; the end
    // of the file is an InputError that names `what`.
    std::string text(int width, std::string_view what);
    // The next line as it stands, whatever its length; the end of the file
    // is an InputError that names `what`.
    std::string wholeLine(std::string_view what);

    // One value of a list read, with the line it stood on.
    struct Token {
        std::string text;
        int line = 0;
    };

    // One free-format read of `count` values. `what` describes the record
    // for messages ("the pile line", "soil row 3, columns 6 to 19").
    class List {
    public:
        int32_t integer(int index, std::string_view name) const;  // index 1-based
        // A real of at most kLargestValue in magnitude (no quantity of a pile
        // problem comes near it).
        double real(int index, std::string_view name) const;
        // A real that is 0 or more: the value of a quantity no soil or pile
        // can have below zero.
        double nonNegative(int index, std::string_view name) const;
        // A real greater than 0.
        double positive(int index, std::string_view name) const;
        // A real from `low` up to but not including `high`.
        double below(int index, std::string_view name, double low, double high) const;
        int size() const { return static_cast<int>(tokens_.size()); }
        // The 1-based line number the value `index` stood on.
        int line(int index) const { return tokens_.at(static_cast<size_t>(index - 1)).line; }

    private:
        friend class FreeFormatReader;
        std::string within(std::string_view name) const;
        [[noreturn]] void outOfRange(int index, std::string_view name, std::string_view expected) const;
        const FreeFormatReader* reader_ = nullptr;
        std::string what_;
        std::vector<Token> tokens_;
    };
    List read(int count, std::string_view what);

    // Convenience reads of a single item.
    int32_t readInteger(std::string_view what);
    double readReal(std::string_view what);

    // Parses the values written on one text line alone, at most `limit`,
    // stopping at the first item that is not a number.
    static std::vector<double> valuesOnLine(std::string_view line, int limit);

    static bool parseInteger(std::string_view text, int32_t& value);
    static bool parseReal(std::string_view text, double& value);

private:
    std::string fileName_;
    std::vector<std::string> lines_;
    size_t next_ = 0;
};

}  // namespace tovek
