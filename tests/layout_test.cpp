// Field editing and line layouts of the report and plot data file.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <sstream>

#include "report/layout.h"

namespace tovek {
namespace {

struct FieldCase {
    char kind;  // F, E, I
    double value;
    int width;
    int decimals;
    const char* expected;
};

TEST(LayoutFields, NumbersFollowFortranEditing) {
    const FieldCase cases[] = {
        // Fw.d: rounding, sign, the zero before the point only with room.
        {'F', 12.345678, 10, 2, "     12.35"},
        {'F', -12.345678, 10, 2, "    -12.35"},
        {'F', 0.5, 4, 2, "0.50"},
        {'F', 0.5, 3, 2, ".50"},
        {'F', -0.5, 5, 2, "-0.50"},
        {'F', -0.5, 4, 2, "-.50"},
        {'F', 0.0, 7, 2, "   0.00"},
        {'F', -0.001, 7, 2, "  -0.00"},
        {'F', 0.005001, 7, 2, "   0.01"},
        {'F', 59.9999999, 10, 2, "     60.00"},
        {'F', 99.995, 5, 2, "*****"},  // 100.00 needs six columns
        {'F', 9999999.0, 9, 1, "9999999.0"},
        {'F', 10000000.0, 9, 1, "*********"},
        {'F', 2.5, 6, 0, "    2."},
        {'F', 0.125, 6, 2, "  0.12"},  // exact binary tie rounds to even
        {'F', 1234.5678, 8, 3, "1234.568"},
        // Ew.d: the 0.ddE+xx form; leading zero dropped when there is no room.
        {'E', 9999999.0, 9, 2, " 0.10E+08"},
        {'E', -9999999.0, 9, 2, "-0.10E+08"},
        {'E', -9999999.0, 8, 2, "-.10E+08"},
        {'E', 0.0, 10, 3, " 0.000E+00"},
        {'E', 1.0, 10, 3, " 0.100E+01"},
        {'E', 123456.0, 10, 3, " 0.123E+06"},
        {'E', 0.00012346, 16, 4, "      0.1235E-03"},
        {'E', -0.00012346, 17, 4, "      -0.1235E-03"},
        {'E', 5.0e-12, 10, 3, " 0.500E-11"},
        {'E', 0.99996, 10, 3, " 0.100E+01"},
        {'E', 1.0e100, 10, 3, " 0.100+101"},
        {'E', 1.0e10, 6, 3, "******"},
    };
    for (const auto& c : cases) {
        const std::string got =
            c.kind == 'F' ? formatFixed(c.value, c.width, c.decimals) : formatExponent(c.value, c.width, c.decimals);
        EXPECT_EQ(got, c.expected) << c.kind << c.width << "." << c.decimals << " of " << c.value;
    }
}

TEST(LayoutFields, IntegersAndTexts) {
    EXPECT_EQ(formatInteger(1000, 4, 0), "1000");
    EXPECT_EQ(formatInteger(10000, 4, 0), "****");
    EXPECT_EQ(formatInteger(-5, 4, 0), "  -5");
    EXPECT_EQ(formatInteger(5, 2, 2), "05");
    EXPECT_EQ(formatInteger(0, 2, 2), "00");
    EXPECT_EQ(formatInteger(-5, 5, 3), " -005");
    EXPECT_EQ(formatInteger(2024, 4, 0), "2024");
    EXPECT_EQ(formatText("ABCDEFGH", 4), "ABCD");
    EXPECT_EQ(formatText("AB", 4), "  AB");
    EXPECT_EQ(formatText("M. ", 3), "M. ");
}

std::vector<std::string> lines(std::string_view layout, std::initializer_list<LayoutValue> values = {}) {
    LayoutFormatter f;
    std::vector<std::string> out;
    f.format(layout, std::vector<LayoutValue>(values), out);
    return out;
}

TEST(LayoutLines, SlashesBlanksGroupsAndTexts) {
    // Leading slashes give empty lines, a trailing slash an empty line after.
    EXPECT_EQ(lines("//1X,'A'/1X,'B'"), (std::vector<std::string>{"", "", " A", " B"}));
    EXPECT_EQ(lines("1X,'A'/"), (std::vector<std::string>{" A", ""}));
    // nX never leaves blanks at the end of a line.
    EXPECT_EQ(lines("5X,'A',10X"), (std::vector<std::string>{"     A"}));
    EXPECT_EQ(lines("10X"), (std::vector<std::string>{""}));
    // Literal texts keep their trailing blanks; A writes a text in full.
    EXPECT_EQ(lines("2X,\"TENSION  \""), (std::vector<std::string>{"  TENSION  "}));
    EXPECT_EQ(lines("1X,A,'|'", {"M. "}), (std::vector<std::string>{" M. |"}));
    EXPECT_EQ(lines("A70", {"TITLE"})[0].size(), 70u);
    // Groups and repeat counts.
    EXPECT_EQ(lines("5X,3('=')"), (std::vector<std::string>{"     ==="}));
    EXPECT_EQ(lines("E17.4,3E16.4", {1.0, 2.0, 3.0, 4.0}),
              (std::vector<std::string>{"       0.1000E+01      0.2000E+01      0.3000E+01      0.4000E+01"}));
    EXPECT_EQ(lines("I2.2,':',I2.2", {9, 5}), (std::vector<std::string>{"09:05"}));
    // An overflowing number fills its field with asterisks; the line stays.
    EXPECT_EQ(lines("F5.1,'|'", {123456.0}), (std::vector<std::string>{"*****|"}));
    // An integer value prints in a real field.
    EXPECT_EQ(lines("F5.1", {3}), (std::vector<std::string>{"  3.0"}));
}

TEST(LayoutLines, MalformedLayoutsAndWrongValuesAreProgramFaults) {
    EXPECT_THROW(lines("F5"), std::logic_error);
    EXPECT_THROW(lines("'open"), std::logic_error);
    EXPECT_THROW(lines("I5", {1.5}), std::logic_error);
    EXPECT_THROW(lines("A", {1}), std::logic_error);
    EXPECT_THROW(lines("I5"), std::logic_error);
    EXPECT_THROW(lines("I5", {1, 2}), std::logic_error);
}

TEST(LayoutWriterTest, WritesLinesAndFreeFormatIntegers) {
    std::ostringstream out;
    LayoutWriter w(&out);
    w.write("/1X,I3", {7});
    w.integers({2, 4, 1, 4});
    w.line("raw");
    EXPECT_EQ(out.str(), "\n   7\n           2           4           1           4\nraw\n");
}

}  // namespace
}  // namespace tovek

namespace tovek {
namespace {

// Fortran editing rebuilt from the C library's exact conversions, to check
// the field editing over many values of every magnitude.
std::string referenceFixed(double v, int w, int d) {
    char buf[512];
    std::snprintf(buf, sizeof buf, "%.*f", d, std::fabs(v));
    std::string body = buf;
    if (d == 0) body += '.';
    if (body.rfind("0.", 0) == 0 && static_cast<int>(body.size()) + (v < 0) > w) body.erase(0, 1);
    if (v < 0) body = "-" + body;
    if (static_cast<int>(body.size()) > w) return std::string(static_cast<size_t>(w), '*');
    return std::string(static_cast<size_t>(w) - body.size(), ' ') + body;
}

std::string referenceExponent(double v, int w, int d) {
    std::string mantissa(static_cast<size_t>(d), '0');
    int exponent = 0;
    if (v != 0.0) {
        char buf[128];
        std::snprintf(buf, sizeof buf, "%.*e", d - 1, std::fabs(v));
        const std::string text = buf;
        mantissa = text.substr(0, 1) + (d > 1 ? text.substr(2, static_cast<size_t>(d - 1)) : "");
        exponent = std::atoi(text.c_str() + text.find('e') + 1) + 1;
    }
    char expText[16];
    std::snprintf(expText, sizeof expText, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    std::string body = "0." + mantissa + expText;
    if (static_cast<int>(body.size()) + (v < 0) > w) body.erase(0, 1);
    if (v < 0) body = "-" + body;
    if (static_cast<int>(body.size()) > w) return std::string(static_cast<size_t>(w), '*');
    return std::string(static_cast<size_t>(w) - body.size(), ' ') + body;
}

TEST(LayoutFields, EditingAgreesWithExactConversionOverManyValues) {
    std::mt19937_64 random(20261211);
    std::uniform_real_distribution<double> exponent(-12.0, 12.0);
    std::uniform_int_distribution<int> decimals(1, 6);
    for (int k = 0; k < 200000; ++k) {
        double v = std::pow(10.0, exponent(random));
        if (k % 3 == 0) v = std::round(v * 1000.0) / 1000.0;  // short decimals, near-ties
        if (k % 2 == 0) v = -v;
        const int d = decimals(random);
        ASSERT_EQ(formatFixed(v, 16, d), referenceFixed(v, 16, d)) << v << " F16." << d;
        ASSERT_EQ(formatExponent(v, 16, d), referenceExponent(v, 16, d)) << v << " E16." << d;
    }
}

// Values right at a rounding half (exact binary ties and their neighbours),
// negative zero, fields too narrow for the value, exponents of three digits
// and the row form compiled once: the fast paths against the exact
// conversion.
TEST(LayoutFields, HalvesNarrowFieldsAndWideExponentsAgreeWithExactConversion) {
    std::mt19937_64 random(7);
    std::uniform_int_distribution<int> digits(0, 99999);
    std::uniform_int_distribution<int> decimals(0, 4);
    std::uniform_int_distribution<int> width(3, 12);
    for (int k = 0; k < 200000; ++k) {
        const int d = decimals(random);
        // n + 1/2 in the last place, and the doubles just beside it.
        double v = (digits(random) + 0.5) / std::pow(10.0, d);
        if (k % 3 == 1) v = std::nextafter(v, 0.0);
        if (k % 3 == 2) v = std::nextafter(v, 1e9);
        if (k % 2 == 0) v = -v;
        const int w = width(random);
        ASSERT_EQ(formatFixed(v, w, d), referenceFixed(v, w, d)) << v << " F" << w << "." << d;
        const int e = d < 1 ? 1 : d;
        ASSERT_EQ(formatExponent(v, w + 5, e), referenceExponent(v, w + 5, e)) << v << " E" << w + 5 << "." << e;
    }
    EXPECT_EQ(formatFixed(-0.0, 6, 2), "  0.00");
    EXPECT_EQ(formatExponent(-0.0, 10, 3), " 0.000E+00");
    EXPECT_EQ(formatExponent(1.5e-200, 10, 3), " 0.150-199");
    EXPECT_EQ(formatExponent(-2.5e123, 10, 3), "-0.250+124");
    EXPECT_EQ(formatExponent(-2.5e123, 9, 3), "-.250+124");
    EXPECT_EQ(formatExponent(1.0e300, 9, 3), "0.100+301");
    EXPECT_EQ(formatFixed(123.456, 5, 3), "*****");
    EXPECT_EQ(formatExponent(12.0, 5, 3), "*****");

    // A compiled row gives what the layout gives.
    const RowLayout row("3X,E10.3,2X,F7.2,1X,A1,I5,' |'");
    char buf[128];
    const double numbers[] = {-1234.5, 0.125, 42};
    const std::string_view texts[] = {"*"};
    const std::string got(buf, row.put(buf, numbers, texts));
    LayoutFormatter f;
    std::string expected;
    f.formatInto("3X,E10.3,2X,F7.2,1X,A1,I5,' |'", {-1234.5, 0.125, "*", 42}, expected);
    EXPECT_EQ(got, expected);
    EXPECT_LE(got.size(), row.maxLength());
    EXPECT_THROW(RowLayout("1X,'A'/1X,'B'"), std::logic_error);
    EXPECT_THROW(row.put(buf, std::span<const double>(numbers, 2), texts), std::logic_error);
}

}  // namespace
}  // namespace tovek
