// Small text helpers shared by the readers and the writers.
#pragma once

#include <string>
#include <string_view>

namespace tovek {

// A separator of free-format values other than the comma: blank, tab, and
// the carriage return of a line written with CR LF.
constexpr bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

// The text without its leading and trailing blanks.
inline std::string trimmed(std::string_view text) {
    size_t first = 0;
    while (first < text.size() && isBlank(text[first])) ++first;
    size_t last = text.size();
    while (last > first && isBlank(text[last - 1])) --last;
    return std::string(text.substr(first, last - first));
}

}  // namespace tovek
