#include "input/free_format.h"

#include <cerrno>
#include <charconv>
#include <limits>
#include <cmath>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "input/input_error.h"
#include "input/text.h"

namespace tovek {

namespace {

std::string quotedText(std::string_view text) { return "\"" + std::string(text) + "\""; }

// A limit of a range for a message: its whole value when it has no
// fraction.
std::string formatLimit(double value) {
    std::string text = std::to_string(value);
    while (!text.empty() && text.back() == '0') text.pop_back();
    if (!text.empty() && text.back() == '.') text.pop_back();
    return text;
}

}  // namespace

FreeFormatReader::FreeFormatReader(std::string fileName, std::string content) : fileName_(std::move(fileName)) {
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines_.push_back(std::move(line));
        start = end + 1;
    }
}

FreeFormatReader FreeFormatReader::open(const std::filesystem::path& path, const std::string& fileName) {
    // A folder opens as an empty stream on some systems: say what it is
    // rather than report an empty file.
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        throw InputError(fileName, 0, "this names a folder, not a file; expected a text file to read");
    std::ifstream in(path, std::ios::binary);
    if (!in) throw InputError(fileName, 0, "the file cannot be opened for reading");
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) throw InputError(fileName, 0, "the file cannot be read");
    return FreeFormatReader(fileName, content.str());
}

std::string FreeFormatReader::wholeLine(std::string_view what) {
    if (atEnd()) throw InputError(fileName_, nextLineNumber(), "the file ends here; expected " + std::string(what));
    return lines_[next_++];
}

std::optional<std::string> FreeFormatReader::textLine() {
    if (atEnd()) return std::nullopt;
    return lines_[next_++];
}

std::string FreeFormatReader::text(int width, std::string_view what) {
    if (atEnd()) throw InputError(fileName_, nextLineNumber(), "the file ends here; expected " + std::string(what));
    std::string line = lines_[next_++];
    line.resize(static_cast<size_t>(width), ' ');
    return line;
}

bool FreeFormatReader::parseInteger(std::string_view text, int32_t& value) {
    size_t k = 0;
    bool negative = false;
    if (k < text.size() && (text[k] == '+' || text[k] == '-')) negative = text[k++] == '-';
    if (k == text.size()) return false;
    long long v = 0;
    for (; k < text.size(); ++k) {
        if (text[k] < '0' || text[k] > '9') return false;
        v = v * 10 + (text[k] - '0');
        if (v > static_cast<long long>(INT32_MAX) + 1) return false;
    }
    if (negative) v = -v;
    if (v > INT32_MAX || v < INT32_MIN) return false;
    value = static_cast<int32_t>(v);
    return true;
}

bool FreeFormatReader::parseReal(std::string_view text, double& value) {
    // [sign] digits [. digits] [E|D [sign] digits], at least one digit in
    // the mantissa.
    size_t k = 0;
    std::string normal;
    if (k < text.size() && (text[k] == '+' || text[k] == '-')) normal += text[k++];
    int mantissaDigits = 0;
    while (k < text.size() && text[k] >= '0' && text[k] <= '9') {
        normal += text[k++];
        ++mantissaDigits;
    }
    if (k < text.size() && text[k] == '.') {
        normal += text[k++];
        while (k < text.size() && text[k] >= '0' && text[k] <= '9') {
            normal += text[k++];
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) return false;
    if (k < text.size()) {
        const char e = text[k];
        if (e != 'E' && e != 'e' && e != 'D' && e != 'd') return false;
        ++k;
        normal += 'E';
        if (k < text.size() && (text[k] == '+' || text[k] == '-')) normal += text[k++];
        int expDigits = 0;
        while (k < text.size() && text[k] >= '0' && text[k] <= '9') {
            normal += text[k++];
            ++expDigits;
        }
        if (expDigits == 0 || k != text.size()) return false;
    }
    const char* first = normal.c_str();
    const char* last = first + normal.size();
    if (*first == '+') ++first;  // from_chars takes no plus sign
    double v = 0;
    const auto res = std::from_chars(first, last, v, std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        // Out of range: an underflow is harmless (the value is 0); an
        // overflow is not a usable value.
        errno = 0;
        const double approximate = std::strtod(normal.c_str(), nullptr);
        if (std::fabs(approximate) < 1.0) {
            value = 0.0;
            return true;
        }
        return false;
    }
    if (res.ec != std::errc() || res.ptr != last) return false;
    // A result below the smallest normal number has lost its precision:
    // taken as 0, as an underflow.
    value = v != 0 && std::fabs(v) < std::numeric_limits<double>::min() ? 0.0 : v;
    return true;
}

FreeFormatReader::List FreeFormatReader::read(int count, std::string_view what) {
    List list;
    list.reader_ = this;
    list.what_ = std::string(what);
    bool valueSinceSeparator = false;
    while (static_cast<int>(list.tokens_.size()) < count) {
        if (atEnd()) {
            throw InputError(fileName_, nextLineNumber(),
                             "the file ends here; expected " + list.what_ + " (" + std::to_string(count) + " values, " +
                                 std::to_string(list.tokens_.size()) + " found)");
        }
        const int lineNumber = nextLineNumber();
        const std::string& line = lines_[next_++];
        size_t k = 0;
        while (k < line.size() && static_cast<int>(list.tokens_.size()) < count) {
            if (isBlank(line[k])) {
                ++k;
                continue;
            }
            if (line[k] == ',') {
                if (!valueSinceSeparator)
                    throw InputError(fileName_, lineNumber,
                                     "an empty value between commas in " + list.what_ + "; every value must be given");
                valueSinceSeparator = false;
                ++k;
                continue;
            }
            if (line[k] == '/')
                throw InputError(
                    fileName_, lineNumber,
                    "a slash ends " + list.what_ + " early; expected " + std::to_string(count) + " values");
            size_t end = k;
            while (end < line.size() && !isBlank(line[end]) && line[end] != ',') ++end;
            std::string item = line.substr(k, end - k);
            k = end;
            valueSinceSeparator = true;
            const size_t star = item.find('*');
            if (star != std::string::npos) {
                int32_t repeat = 0;
                if (!parseInteger(item.substr(0, star), repeat) || repeat < 1 || star + 1 == item.size())
                    throw InputError(fileName_, lineNumber,
                                     "unreadable value " + quotedText(item) + " in " + list.what_);
                const std::string value = item.substr(star + 1);
                for (int32_t r = 0; r < repeat && static_cast<int>(list.tokens_.size()) < count; ++r)
                    list.tokens_.push_back({value, lineNumber});
                continue;
            }
            list.tokens_.push_back({std::move(item), lineNumber});
        }
    }
    return list;
}

// " in <record>" after the item's name, left out when a single-item read
// names the item and the record alike.
std::string FreeFormatReader::List::within(std::string_view name) const {
    return name == what_ ? std::string() : " in " + what_;
}

int32_t FreeFormatReader::List::integer(int index, std::string_view name) const {
    const Token& t = tokens_.at(static_cast<size_t>(index - 1));
    int32_t v = 0;
    if (!parseInteger(t.text, v))
        throw InputError(reader_->fileName_, t.line,
                         "expected a whole number (digits only) for " + std::string(name) + within(name) + ", found " +
                             quotedText(t.text));
    return v;
}

double FreeFormatReader::List::real(int index, std::string_view name) const {
    const Token& t = tokens_.at(static_cast<size_t>(index - 1));
    double v = 0;
    if (!parseReal(t.text, v))
        throw InputError(reader_->fileName_, t.line,
                         "expected a number for " + std::string(name) + within(name) + ", found " + quotedText(t.text));
    if (!(std::fabs(v) <= kLargestValue)) outOfRange(index, name, "a value of at most 1.0E12 in magnitude");
    return v;
}

void FreeFormatReader::List::outOfRange(int index, std::string_view name, std::string_view expected) const {
    const Token& t = tokens_.at(static_cast<size_t>(index - 1));
    throw InputError(reader_->fileName_, t.line,
                     std::string(name) + within(name) + " is " + quotedText(t.text) + "; expected " +
                         std::string(expected));
}

double FreeFormatReader::List::nonNegative(int index, std::string_view name) const {
    const double v = real(index, name);
    if (v < 0) outOfRange(index, name, "0 or more");
    return v;
}

double FreeFormatReader::List::positive(int index, std::string_view name) const {
    const double v = real(index, name);
    if (!(v > 0)) outOfRange(index, name, "a value greater than 0");
    return v;
}

double FreeFormatReader::List::below(int index, std::string_view name, double low, double high) const {
    const double v = real(index, name);
    if (!(v >= low && v < high))
        outOfRange(index, name, "a value from " + formatLimit(low) + " up to but not including " + formatLimit(high));
    return v;
}

int32_t FreeFormatReader::readInteger(std::string_view what) { return read(1, what).integer(1, what); }

double FreeFormatReader::readReal(std::string_view what) { return read(1, what).real(1, what); }

std::vector<double> FreeFormatReader::valuesOnLine(std::string_view line, int limit) {
    std::vector<double> values;
    size_t k = 0;
    while (k < line.size() && static_cast<int>(values.size()) < limit) {
        if (isBlank(line[k]) || line[k] == ',') {
            ++k;
            continue;
        }
        size_t end = k;
        while (end < line.size() && !isBlank(line[end]) && line[end] != ',') ++end;
        double v = 0;
        if (!parseReal(line.substr(k, end - k), v)) break;
        values.push_back(v);
        k = end;
    }
    return values;
}

}  // namespace tovek
