// Composed headings of the capacity tables: the method title in a frame of
// asterisks and three column-heading lines whose words are spaced evenly
// across a line, chosen to match the columns of the table's rows.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "report/layout.h"

namespace tovek {

// The plain test of the table rows and headings: a solid or closed tip, or
// a plug state given by the user. Such a table has no mark and no plug
// length.
constexpr bool plainTip(double insideDiameter, int32_t tipClosure, int32_t plugOption) {
    return insideDiameter < 1.0e-10f || tipClosure == 1 || plugOption != 0;
}

// Width of every composed heading line.
inline constexpr int kHeadingLineWidth = 78;

// A line of `width` characters holding the words at even spacing: with
// d = ceil(width / (n + 1)), word 1 is centred on column d and word j on
// column j x d + 1 (columns from 1). A word counts up to its last non-blank
// character; each word blanks the rest of the line to its right, so a later
// word overwrites an earlier one that reaches into it. Every word is kept
// inside the line.
std::string centerWords(std::span<const std::string_view> words, int width);

// Writes the heading block of one table: three empty lines, the title framed
// by 22 asterisks from column 29, an empty line and the three composed lines
// (indented by 5). The words follow the row form of the table: a depth
// column for a battered pile, the plug length for an open-ended pile whose
// plug the engine decides, the self weight in tension.
void composeTableHeading(ReportWriter& report, std::string_view title, int titleLength, int32_t unitSystem,
                         int32_t loadingType, double batterAngle, int32_t elevationOutput, double insideDiameter,
                         int32_t tipClosure, int32_t plugOption);

}  // namespace tovek
