#include "report/table_heading.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tovek {

namespace {

std::string_view trimmedRight(std::string_view word) {
    const size_t end = word.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view{} : word.substr(0, end + 1);
}

struct HeadingWords {
    std::vector<std::string_view> line1;
    std::vector<std::string_view> line2;
    std::vector<std::string_view> line3;
};

}  // namespace

std::string centerWords(std::span<const std::string_view> words, int width) {
    if (width < 1) return {};
    std::string line(static_cast<size_t>(width), ' ');
    const int n = static_cast<int>(words.size());
    // The spacing is worked out in single precision: 78 / 5 = 15.6 gives 16.
    const int d = static_cast<int>(std::ceil(static_cast<float>(width) / static_cast<float>(n + 1)));
    for (int j = 1; j <= n; ++j) {
        std::string_view word = trimmedRight(words[static_cast<size_t>(j - 1)]);
        if (static_cast<int>(word.size()) > width) word = word.substr(0, static_cast<size_t>(width));
        const int t = static_cast<int>(word.size());
        int start = j == 1 ? d - t / 2 : j * d - t / 2 + 1;
        start = std::clamp(start, 1, width - t + 1);
        const size_t at = static_cast<size_t>(start - 1);
        line.replace(at, line.size() - at, word);
        line.resize(static_cast<size_t>(width), ' ');
    }
    return line;
}

void composeTableHeading(ReportWriter& report, std::string_view title, int titleLength, int32_t unitSystem,
                         int32_t loadingType, double batterAngle, int32_t elevationOutput, double insideDiameter,
                         int32_t tipClosure, int32_t plugOption) {
    // The heading takes every loading code other than 0 as tension, and
    // shows the depth column from a batter angle of 1.0E-10 rad on. The
    // rows decide their own form (only loading type 1 is tension there, and
    // any non-zero batter angle gives the depth column), so for a loading
    // code above 1 or a vanishing batter angle the words of the heading and
    // the columns of the rows are chosen by these two different tests.
    // The word lists and lines are made anew on every call; nothing is kept
    // from one table's heading to the next.
    const bool tension = loadingType != 0;
    const bool depthColumn = std::fabs(batterAngle) >= 1.0e-10f;
    const bool plain = plainTip(insideDiameter, tipClosure, plugOption);

    // The first variable column.
    std::string_view w1 = "DEPTH";
    std::string_view w2 = "BELOW GND.";
    if (elevationOutput == 1) {
        w1 = "ELEVATION";
        w2 = "";
    } else if (!depthColumn) {
        w1 = "PILE LENGTH";
    }
    const std::string_view length = unitSystem == 1 ? "FT." : "M. ";
    const std::string_view force = unitSystem == 1 ? "KIP" : "KN.";

    HeadingWords h;
    if (tension) {
        if (depthColumn)
            h = {{"PILE LENGTH", w1, "SKIN", "SELF", "ULTIMATE"},
                 {"BELOW GND.", w2, "FRICTION", "WEIGHT", "CAPACITY"},
                 {length, length, force, force, force}};
        else
            h = {{w1, "TOTAL SKIN", "SELF", "ULTIMATE"},
                 {w2, "FRICTION", "WEIGHT", "CAPACITY"},
                 {length, force, force, force}};
    } else if (plain) {
        if (depthColumn)
            h = {{"PILE LENGTH", w1, "SKIN", "END", "ULTIMATE"},
                 {"BELOW GND.", w2, "FRICTION", "BEARING", "CAPACITY"},
                 {length, length, force, force, force}};
        else
            h = {{w1, "SKIN", "END", "ULTIMATE"},
                 {w2, "FRICTION", "BEARING", "CAPACITY"},
                 {length, force, force, force}};
    } else {
        if (depthColumn)
            h = {{"PILE LENGTH", w1, "SKIN", "END", "ULTIMATE", "PLUG"},
                 {"BELOW GND.", w2, "FRICTION", "BEARING", "CAPACITY", "LENGTH"},
                 {length, length, force, force, force, length}};
        else
            h = {{w1, "SKIN", "END", "ULTIMATE", "PLUG"},
                 {w2, "FRICTION", "BEARING", "CAPACITY", "LENGTH"},
                 {length, force, force, force, length}};
    }

    // The title is written at its given length, whatever the frame's width.
    std::string framedTitle(title.substr(0, static_cast<size_t>(std::max(titleLength, 0))));
    framedTitle.resize(static_cast<size_t>(std::max(titleLength, 0)), ' ');
    report.write("///28X,22('*')/28X,A/28X,22('*')/", {framedTitle});
    report.write("5X,A/5X,A/5X,A", {centerWords(h.line1, kHeadingLineWidth), centerWords(h.line2, kHeadingLineWidth),
                                    centerWords(h.line3, kHeadingLineWidth)});
}

}  // namespace tovek
