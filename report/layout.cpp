#include "report/layout.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <stdexcept>
#include <unordered_map>

namespace tovek {

// ---------------------------------------------------------------------------
// Field editing. Every editor writes its field at `out` and returns the end;
// a field never takes more than its width (at most kMaxFieldWidth columns).

namespace {

// Blanks by whole blocks: the editors may write up to kFieldSlack characters
// past the blanks they put (what follows overwrites them); every buffer they
// write to leaves that room.
constexpr char kBlankBlock[kFieldSlack + 1] = "                                ";
static_assert(sizeof kBlankBlock == kFieldSlack + 1);

char* putBlanks(char* out, size_t count) {
    while (count > kFieldSlack) {
        std::memcpy(out, kBlankBlock, kFieldSlack);
        out += kFieldSlack;
        count -= kFieldSlack;
    }
    std::memcpy(out, kBlankBlock, kFieldSlack);
    return out + count;
}

char* putStars(char* out, int width) {
    if (width <= 0) return out;
    std::memset(out, '*', static_cast<size_t>(width));
    return out + width;
}

// `body` right-aligned in `width` columns, or asterisks when it does not fit.
// (Fields are short: plain loops, no library calls.)
char* putRight(char* out, const char* body, size_t length, int width) {
    if (static_cast<int>(length) > width) return putStars(out, width);
    out = putBlanks(out, static_cast<size_t>(width) - length);
    for (size_t k = 0; k < length; ++k) *out++ = body[k];
    return out;
}

// Infinite and undefined values are written as Fortran does: right-aligned
// words when they fit, asterisks otherwise. (The engine ends a run before
// such a value reaches a file; the editors stay total.)
char* putNonFinite(char* out, double value, int width) {
    if (std::isnan(value)) return putRight(out, "NaN", 3, width);
    const char* word = value < 0 ? (width >= 9 ? "-Infinity" : "-Inf") : (width >= 9 ? "Infinity" : "Inf");
    return putRight(out, word, std::strlen(word), width);
}

// Exact powers of ten (all exactly representable as doubles).
constexpr double kPow10[23] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                               1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr uint32_t kPow10Int[10] = {1,      10,      100,      1000,      10000,
                                    100000, 1000000, 10000000, 100000000, 1000000000};

// The decimal magnitudes 10^k for k = -kDecades .. kDecades, each the double
// nearest to it: the decade of a value is found by comparisons alone.
constexpr int kDecades = 30;
constexpr double kDecade[2 * kDecades + 1] = {
    1e-30, 1e-29, 1e-28, 1e-27, 1e-26, 1e-25, 1e-24, 1e-23, 1e-22, 1e-21, 1e-20, 1e-19, 1e-18, 1e-17, 1e-16, 1e-15,
    1e-14, 1e-13, 1e-12, 1e-11, 1e-10, 1e-9,  1e-8,  1e-7,  1e-6,  1e-5,  1e-4,  1e-3,  1e-2,  1e-1,  1e0,   1e1,
    1e2,   1e3,   1e4,   1e5,   1e6,   1e7,   1e8,   1e9,   1e10,  1e11,  1e12,  1e13,  1e14,  1e15,  1e16,  1e17,
    1e18,  1e19,  1e20,  1e21,  1e22,  1e23,  1e24,  1e25,  1e26,  1e27,  1e28,  1e29,  1e30};

// "00" to "99": digits are written two at a time.
constexpr char kDigitPairs[201] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes the `count` lowest decimal digits of r (leading zeros included)
// backwards, so that the last digit lands just before `end`; r is left with
// the digits above them. Returns the first digit written.
char* lowDigitsBackward(char* end, uint64_t& r, int count) {
    while (count >= 2) {
        const auto pair = static_cast<size_t>(r % 100) * 2;
        r /= 100;
        end -= 2;
        end[0] = kDigitPairs[pair];
        end[1] = kDigitPairs[pair + 1];
        count -= 2;
    }
    if (count == 1) {
        *--end = static_cast<char>('0' + r % 10);
        r /= 10;
    }
    return end;
}

// Writes exactly `count` digits of r < 10^count backwards; see above.
char* digitsBackward(char* end, uint64_t r, int count) { return lowDigitsBackward(end, r, count); }

// The number of decimal digits of r (at least 1).
int digitCount(uint64_t r) {
    int n = 1;
    while (n < 10 && r >= kPow10Int[n]) ++n;
    if (n == 10)  // beyond the fields of the tables: the long way
        while (n < 20 && r >= static_cast<uint64_t>(kPow10[n])) ++n;
    return n;
}

// r / 10^d for the decimals of the fast Fw.d path (each a division by a
// constant, which the compiler turns into a multiplication).
uint64_t wholePart(uint64_t r, int d) {
    switch (d) {
    case 0: return r;
    case 1: return r / 10;
    case 2: return r / 100;
    case 3: return r / 1000;
    case 4: return r / 10000;
    case 5: return r / 100000;
    case 6: return r / 1000000;
    case 7: return r / 10000000;
    default: return r / 100000000;
    }
}

// Rounds m >= 0 (a scaled value carrying at most one rounding error) to an
// integer. Fails near a half, where only the exact decimal expansion can
// decide; the caller then takes the exact path.
bool roundScaled(double m, uint64_t& r) {
    if (!(m < 1e9)) return false;
    const auto whole = static_cast<uint64_t>(m);  // m >= 0: truncation is the floor
    const double fraction = m - static_cast<double>(whole);
    if (std::fabs(fraction - 0.5) < 1e-6) return false;
    r = whole + (fraction > 0.5 ? 1 : 0);
    return true;
}

// The decade e of a magnitude, 10^(e-1) <= x < 10^e, when it lies inside
// the table: estimated from the binary exponent of the value (its bits, as
// floor(k log10 2) = 78913 k / 2^18 for |k| < 1700) and settled by one look
// at the table of decades. A neighbour is possible right at a decade (the
// table's entries are rounded): the caller checks the scaled value.
bool decadeOf(double magnitude, int& e) {
    if (!(magnitude >= kDecade[0]) || !(magnitude < kDecade[2 * kDecades])) return false;
    uint64_t bits = 0;
    std::memcpy(&bits, &magnitude, sizeof bits);
    const int binaryExponent = static_cast<int>((bits >> 52) & 0x7ff) - 1023;
    e = ((binaryExponent * 78913) >> 18) + 1;  // 10^(e-1) <= x < 10^(e+1)
    if (magnitude >= kDecade[e + kDecades]) ++e;
    return true;
}

// Fast mantissa digits (exactly `decimals` of them, at `digits`) and exponent
// of Ew.d (0.ddd x 10^exponent); false when the exact path is needed.
bool fastExponentDigits(double magnitude, int decimals, char* digits, int& exponent) {
    if (decimals > 8) return false;
    int e = 0;
    if (!decadeOf(magnitude, e)) return false;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int shift = decimals - e;
        if (shift > 22 || shift < -22) return false;
        // One rounding: a product or a quotient by an exact power of ten.
        const double m = shift >= 0 ? magnitude * kPow10[shift] : magnitude / kPow10[-shift];
        if (m < kPow10[decimals - 1]) {  // one digit too few
            --e;
            continue;
        }
        if (m >= kPow10[decimals]) {
            ++e;
            continue;
        }
        uint64_t r = 0;
        if (!roundScaled(m, r)) return false;
        if (r >= kPow10Int[decimals]) {  // rounded up to 10^d
            r /= 10;
            ++e;
        }
        digitsBackward(digits + decimals, r, decimals);
        exponent = e;
        return true;
    }
    return false;
}

}  // namespace

char* putFixed(char* out, double value, int width, int decimals) {
    if (!std::isfinite(value)) return putNonFinite(out, value, width);
    // The common case straight into the field, right-aligned: its length is
    // known from the digits of the whole part, the decimals are written from
    // the field's end backwards, then the point, the whole part (its zero
    // only when the field has room) and the sign.
    uint64_t r = 0;
    if (decimals <= 8 && roundScaled(std::fabs(value) * kPow10[decimals], r)) {
        const bool negative = value < 0.0;
        const uint64_t whole = wholePart(r, decimals);
        const int sign = negative ? 1 : 0;
        int length = decimals + 1 + sign;
        bool zero = false;
        if (whole != 0) length += digitCount(whole);
        else if (length + 1 <= width) zero = true, ++length;
        if (length > width) return putStars(out, width);
        char* const end = putBlanks(out, static_cast<size_t>(width - length)) + length;
        char* b = lowDigitsBackward(end, r, decimals);  // r keeps the whole part
        *--b = '.';
        if (whole != 0) b = digitsBackward(b, r, digitCount(r));
        else if (zero) *--b = '0';
        if (negative) *--b = '-';
        return end;
    }
    // Near a half, or too many digits: the exact path.
    char buf[400];
    char* const end = buf + sizeof buf;
    const double magnitude = std::fabs(value);
    // The exact conversion, written forwards from buf + 1.
    const auto res = std::to_chars(buf + 1, end - 1, magnitude, std::chars_format::fixed, decimals);
    if (res.ec != std::errc()) return putStars(out, width);
    char* begin = buf + 1;
    char* last = res.ptr;
    if (decimals == 0) *last++ = '.';
    const bool negative = value < 0.0;
    // The zero before the point is written only when the field has room.
    if (last - begin >= 2 && begin[0] == '0' && begin[1] == '.' && (last - begin) + (negative ? 1 : 0) > width)
        ++begin;
    if (negative) *--begin = '-';
    return putRight(out, begin, static_cast<size_t>(last - begin), width);
}

char* putExponent(char* out, double value, int width, int decimals) {
    if (!std::isfinite(value)) return putNonFinite(out, value, width);
    if (decimals < 1) decimals = 1;
    // The common case straight into the field: [-]0.ddddE+xx, or .ddddE+xx
    // when the field has no room for the zero.
    const bool negative = value < 0.0;
    if (value != 0.0) {
        char digits[16];
        int exponent = 0;
        if (fastExponentDigits(std::fabs(value), decimals, digits, exponent) && exponent >= -99 && exponent <= 99) {
            int length = decimals + 6 + (negative ? 1 : 0);
            const bool zero = length <= width;
            if (!zero) --length;
            if (length > width) return putStars(out, width);
            out = putBlanks(out, static_cast<size_t>(width - length));
            if (negative) *out++ = '-';
            if (zero) *out++ = '0';
            *out++ = '.';
            for (int k = 0; k < decimals; ++k) *out++ = digits[k];
            const int magnitude = exponent < 0 ? -exponent : exponent;
            *out++ = 'E';
            *out++ = exponent < 0 ? '-' : '+';
            *out++ = kDigitPairs[2 * magnitude];
            *out++ = kDigitPairs[2 * magnitude + 1];
            return out;
        }
    }
    // The form [-]0.d...dE+xx; the mantissa digits come from the correctly
    // rounded scientific form d.d...de+xx.
    char body[64];
    size_t n = 0;
    if (negative) body[n++] = '-';
    body[n++] = '0';
    body[n++] = '.';
    int exponent = 0;
    if (value == 0.0 || decimals > 40) {
        for (int k = 0; k < decimals && k < 40; ++k) body[n++] = '0';
    } else if (fastExponentDigits(std::fabs(value), decimals, body + n, exponent)) {
        n += static_cast<size_t>(decimals);
    } else {
        char sci[64];
        const auto res =
            std::to_chars(sci, sci + sizeof sci, std::fabs(value), std::chars_format::scientific, decimals - 1);
        if (res.ec != std::errc()) return putStars(out, width);
        const char* p = sci;
        while (p < res.ptr && *p != 'e') {
            if (*p != '.') body[n++] = *p;
            ++p;
        }
        int parsed = 0;
        const char* e = p + 1;
        if (e < res.ptr && *e == '+') ++e;
        std::from_chars(e, res.ptr, parsed);
        exponent = parsed + 1;
    }
    const int magnitude = exponent < 0 ? -exponent : exponent;
    const char sign = exponent < 0 ? '-' : '+';
    if (magnitude <= 99) {
        body[n++] = 'E';
        body[n++] = sign;
        body[n++] = kDigitPairs[2 * magnitude];
        body[n++] = kDigitPairs[2 * magnitude + 1];
    } else if (magnitude <= 999) {
        body[n++] = sign;  // Fortran drops the E for a three-digit exponent
        body[n++] = static_cast<char>('0' + magnitude / 100);
        body[n++] = kDigitPairs[2 * (magnitude % 100)];
        body[n++] = kDigitPairs[2 * (magnitude % 100) + 1];
    } else {
        return putStars(out, width);
    }
    if (static_cast<int>(n) > width) {
        // No room for the zero before the point.
        const size_t zero = negative ? 1 : 0;
        std::memmove(body + zero, body + zero + 1, n - zero - 1);
        --n;
    }
    return putRight(out, body, n, width);
}

char* putInteger(char* out, long long value, int width, int minDigits) {
    const uint64_t magnitude =
        value < 0 ? 0ULL - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    char buf[48];
    char* const end = buf + sizeof buf;
    const int count = std::max(digitCount(magnitude), std::min(minDigits, 20));
    char* begin = digitsBackward(end, magnitude, count);
    if (value < 0) *--begin = '-';
    return putRight(out, begin, static_cast<size_t>(end - begin), width);
}

char* putText(char* out, std::string_view text, int width) {
    if (width <= 0) return out;
    if (static_cast<int>(text.size()) >= width) {
        std::memcpy(out, text.data(), static_cast<size_t>(width));
        return out + width;
    }
    return putRight(out, text.data(), text.size(), width);
}

void appendFixed(std::string& out, double value, int width, int decimals) {
    char buf[kMaxFieldWidth + kFieldSlack];
    const int w = std::clamp(width, 0, kMaxFieldWidth);
    out.append(buf, static_cast<size_t>(putFixed(buf, value, w, decimals) - buf));
}

void appendExponent(std::string& out, double value, int width, int decimals) {
    char buf[kMaxFieldWidth + kFieldSlack];
    const int w = std::clamp(width, 0, kMaxFieldWidth);
    out.append(buf, static_cast<size_t>(putExponent(buf, value, w, decimals) - buf));
}

void appendInteger(std::string& out, long long value, int width, int minDigits) {
    char buf[kMaxFieldWidth + kFieldSlack];
    const int w = std::clamp(width, 0, kMaxFieldWidth);
    out.append(buf, static_cast<size_t>(putInteger(buf, value, w, minDigits) - buf));
}

void appendText(std::string& out, std::string_view text, int width) {
    if (static_cast<int>(text.size()) >= width) {
        out.append(text.substr(0, static_cast<size_t>(width > 0 ? width : 0)));
        return;
    }
    out.append(static_cast<size_t>(width) - text.size(), ' ');
    out.append(text);
}

std::string formatFixed(double value, int width, int decimals) {
    std::string out;
    appendFixed(out, value, width, decimals);
    return out;
}

std::string formatExponent(double value, int width, int decimals) {
    std::string out;
    appendExponent(out, value, width, decimals);
    return out;
}

std::string formatInteger(long long value, int width, int minDigits) {
    std::string out;
    appendInteger(out, value, width, minDigits);
    return out;
}

std::string formatText(std::string_view text, int width) {
    std::string out;
    appendText(out, text, width);
    return out;
}

// ---------------------------------------------------------------------------
// Layout compilation

struct LayoutItem {
    enum class Op { Blanks, NewLine, Literal, Fixed, Exponent, Integer, Text, TextFree };
    Op op;
    int width = 0;
    int decimals = 0;  // d of Fw.d / Ew.d, m of Iw.m
    std::string literal;
};

struct CompiledLayout {
    std::vector<LayoutItem> items;
};

namespace {

LayoutItem makeItem(LayoutItem::Op op, int width = 0) {
    LayoutItem item;
    item.op = op;
    item.width = width;
    return item;
}

class LayoutParser {
public:
    explicit LayoutParser(std::string_view text) : text_(text) {}

    CompiledLayout parse() {
        CompiledLayout out;
        parseList(out.items, false);
        return out;
    }

private:
    [[noreturn]] void fail(const std::string& what) const {
        throw std::logic_error("layout \"" + std::string(text_) + "\": " + what);
    }
    void skipBlanks() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
    }
    bool atEnd() const { return pos_ >= text_.size(); }
    int number() {
        int v = 0;
        bool any = false;
        while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') {
            v = v * 10 + (text_[pos_] - '0');
            ++pos_;
            any = true;
        }
        if (!any) fail("number expected");
        return v;
    }
    bool digitAhead() const { return pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9'; }

    void parseList(std::vector<LayoutItem>& items, bool inGroup) {
        for (;;) {
            skipBlanks();
            if (atEnd()) {
                if (inGroup) fail("missing )");
                return;
            }
            const char c = text_[pos_];
            if (c == ',') {
                ++pos_;
                continue;
            }
            if (c == ')') {
                if (!inGroup) fail("unexpected )");
                ++pos_;
                return;
            }
            if (c == '/') {
                ++pos_;
                items.push_back(makeItem(LayoutItem::Op::NewLine));
                continue;
            }
            if (c == '"' || c == '\'') {
                items.push_back(literal());
                continue;
            }
            int repeat = 1;
            bool counted = false;
            if (digitAhead()) {
                repeat = number();
                counted = true;
                skipBlanks();
                if (atEnd()) fail("item expected after count");
            }
            const char d = text_[pos_];
            if (d == 'X' || d == 'x') {
                ++pos_;
                if (!counted) repeat = 1;
                items.push_back(makeItem(LayoutItem::Op::Blanks, repeat));
                continue;
            }
            if (d == '(') {
                ++pos_;
                std::vector<LayoutItem> group;
                parseList(group, true);
                for (int k = 0; k < repeat; ++k) items.insert(items.end(), group.begin(), group.end());
                continue;
            }
            if (d == '"' || d == '\'') {
                const LayoutItem lit = literal();
                for (int k = 0; k < repeat; ++k) items.push_back(lit);
                continue;
            }
            const LayoutItem item = descriptor();
            for (int k = 0; k < repeat; ++k) items.push_back(item);
        }
    }

    LayoutItem literal() {
        const char quote = text_[pos_++];
        LayoutItem item = makeItem(LayoutItem::Op::Literal);
        for (;;) {
            if (atEnd()) fail("unterminated literal");
            const char c = text_[pos_++];
            if (c == quote) {
                if (pos_ < text_.size() && text_[pos_] == quote) {  // doubled quote
                    item.literal += quote;
                    ++pos_;
                    continue;
                }
                return item;
            }
            item.literal += c;
        }
    }

    LayoutItem descriptor() {
        const char c = text_[pos_++];
        LayoutItem item{};
        switch (c) {
        case 'F':
        case 'f': item.op = LayoutItem::Op::Fixed; break;
        case 'E':
        case 'e': item.op = LayoutItem::Op::Exponent; break;
        case 'I':
        case 'i': item.op = LayoutItem::Op::Integer; break;
        case 'A':
        case 'a':
            item.op = LayoutItem::Op::Text;
            if (!digitAhead()) {
                item.op = LayoutItem::Op::TextFree;
                return item;
            }
            item.width = number();
            return item;
        default: fail(std::string("unknown item '") + c + "'");
        }
        item.width = number();
        if (pos_ < text_.size() && text_[pos_] == '.') {
            ++pos_;
            item.decimals = number();
        } else if (item.op != LayoutItem::Op::Integer) {
            fail("Fw.d and Ew.d need decimals");
        }
        return item;
    }

    std::string_view text_;
    size_t pos_ = 0;
};

}  // namespace

struct LayoutFormatter::Cache {
    // Keyed by the layout text: layouts are string literals, so the key is
    // cheap and the table stays small (one entry per distinct layout).
    struct TextHash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<std::string, CompiledLayout, TextHash, std::equal_to<>> byText;
    // Layouts are mostly string literals written row after row: a small
    // table by address finds them without hashing their text. An entry is
    // used only when its text still matches.
    struct Recent {
        const char* address = nullptr;
        const std::string* text = nullptr;
        const CompiledLayout* layout = nullptr;
    };
    std::array<Recent, 64> recent{};
};

LayoutFormatter::LayoutFormatter() : cache_(std::make_unique<Cache>()) {}
LayoutFormatter::~LayoutFormatter() = default;

const CompiledLayout& LayoutFormatter::compiled(std::string_view layout) {
    auto& slot = cache_->recent[(reinterpret_cast<uintptr_t>(layout.data()) >> 3) % cache_->recent.size()];
    if (slot.address == layout.data() && slot.text && *slot.text == layout) return *slot.layout;
    auto& table = cache_->byText;
    auto it = table.find(layout);
    if (it == table.end()) it = table.emplace(std::string(layout), LayoutParser(layout).parse()).first;
    slot = {layout.data(), &it->first, &it->second};
    return it->second;
}

void LayoutFormatter::formatInto(std::string_view layout, const std::vector<LayoutValue>& values, std::string& text) {
    const CompiledLayout& compiledLayout = compiled(layout);
    int pendingBlanks = 0;
    size_t next = 0;
    auto take = [&](LayoutValue::Kind wanted) -> const LayoutValue& {
        if (next >= values.size()) throw std::logic_error("layout \"" + std::string(layout) + "\": too few values");
        const LayoutValue& v = values[next++];
        const bool ok = wanted == LayoutValue::Kind::Text      ? v.kind() == LayoutValue::Kind::Text
                        : wanted == LayoutValue::Kind::Integer ? v.kind() == LayoutValue::Kind::Integer
                                                               : v.kind() != LayoutValue::Kind::Text;
        if (!ok) throw std::logic_error("layout \"" + std::string(layout) + "\": value of the wrong kind");
        return v;
    };
    // nX only moves the position: its blanks are written when an item follows.
    auto blanks = [&]() {
        text.append(static_cast<size_t>(pendingBlanks), ' ');
        pendingBlanks = 0;
    };
    for (const LayoutItem& item : compiledLayout.items) {
        switch (item.op) {
        case LayoutItem::Op::Blanks: pendingBlanks += item.width; break;
        case LayoutItem::Op::NewLine:
            text += '\n';
            pendingBlanks = 0;
            break;
        case LayoutItem::Op::Literal:
            blanks();
            text += item.literal;
            break;
        case LayoutItem::Op::Fixed: {
            const double v = take(LayoutValue::Kind::Real).real();
            blanks();
            appendFixed(text, v, item.width, item.decimals);
            break;
        }
        case LayoutItem::Op::Exponent: {
            const double v = take(LayoutValue::Kind::Real).real();
            blanks();
            appendExponent(text, v, item.width, item.decimals);
            break;
        }
        case LayoutItem::Op::Integer: {
            const long long v = take(LayoutValue::Kind::Integer).integer();
            blanks();
            appendInteger(text, v, item.width, item.decimals);
            break;
        }
        case LayoutItem::Op::Text: {
            const std::string_view v = take(LayoutValue::Kind::Text).text();
            blanks();
            appendText(text, v, item.width);
            break;
        }
        case LayoutItem::Op::TextFree: {
            const std::string_view v = take(LayoutValue::Kind::Text).text();
            blanks();
            text += v;
            break;
        }
        }
    }
    text += '\n';
    if (next != values.size()) throw std::logic_error("layout \"" + std::string(layout) + "\": too many values");
}

void LayoutFormatter::format(std::string_view layout, const std::vector<LayoutValue>& values,
                             std::vector<std::string>& lines) {
    std::string text;
    formatInto(layout, values, text);
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

RowLayout::RowLayout(std::string_view layout) {
    const CompiledLayout compiledLayout = LayoutParser(layout).parse();
    int pendingBlanks = 0;
    for (const LayoutItem& item : compiledLayout.items) {
        Field field{};
        field.blanksBefore = pendingBlanks;
        field.width = std::clamp(item.width, 0, kMaxFieldWidth);
        field.decimals = item.decimals;
        switch (item.op) {
        case LayoutItem::Op::Blanks: pendingBlanks += item.width; continue;
        case LayoutItem::Op::NewLine:
            throw std::logic_error("layout \"" + std::string(layout) + "\": a row layout has one line");
        case LayoutItem::Op::Literal:
            field.op = Field::Op::Literal;
            field.literalStart = literals_.size();
            field.literalLength = item.literal.size();
            literals_ += item.literal;
            maxLength_ += item.literal.size();
            break;
        case LayoutItem::Op::Fixed: field.op = Field::Op::Fixed; ++numberCount_; break;
        case LayoutItem::Op::Exponent: field.op = Field::Op::Exponent; ++numberCount_; break;
        case LayoutItem::Op::Integer: field.op = Field::Op::Integer; ++numberCount_; break;
        case LayoutItem::Op::Text: field.op = Field::Op::Text; ++textCount_; break;
        case LayoutItem::Op::TextFree:
            field.op = Field::Op::TextFree;
            ++textCount_;
            freeText_ = true;
            break;
        }
        if (field.op != Field::Op::Literal && field.op != Field::Op::TextFree)
            maxLength_ += static_cast<size_t>(field.width);
        maxLength_ += static_cast<size_t>(pendingBlanks);
        pendingBlanks = 0;  // nX only moves the position: blanks before an item, never at the line end
        fields_.push_back(field);
    }
    maxLength_ += 1;  // the line end
}

char* RowLayout::put(char* out, std::span<const double> numbers, std::span<const std::string_view> texts) const {
    if (numbers.size() != numberCount_ || texts.size() != textCount_)
        throw std::logic_error("a row layout takes " + std::to_string(numberCount_) + " numbers and " +
                               std::to_string(textCount_) + " texts");
    const double* number = numbers.data();
    const std::string_view* text = texts.data();
    for (const Field& field : fields_) {
        if (field.blanksBefore > 0) {
            out = putBlanks(out, static_cast<size_t>(field.blanksBefore));
        }
        switch (field.op) {
        case Field::Op::Literal:
            std::memcpy(out, literals_.data() + field.literalStart, field.literalLength);
            out += field.literalLength;
            break;
        case Field::Op::Fixed: out = putFixed(out, *number++, field.width, field.decimals); break;
        case Field::Op::Exponent: out = putExponent(out, *number++, field.width, field.decimals); break;
        case Field::Op::Integer:
            out = putInteger(out, static_cast<long long>(*number++), field.width, field.decimals);
            break;
        case Field::Op::Text: out = putText(out, *text++, field.width); break;
        case Field::Op::TextFree:
            std::memcpy(out, text->data(), text->size());
            out += text->size();
            ++text;
            break;
        }
    }
    *out++ = '\n';
    return out;
}

LayoutWriter::~LayoutWriter() = default;

void LayoutWriter::FreeBuffer::operator()(char* p) const { std::free(p); }

void LayoutWriter::attach(std::ostream* out, bool buffered) {
    flush();
    out_ = out;
    buffered_ = buffered;
}

// Room for `length` more characters in the buffer.
char* LayoutWriter::reserve(size_t length) {
    length += kFieldSlack;  // room for the editors' whole blocks of blanks
    if (used_ + length > capacity_) {
        if (buffered_ && used_ > 0) flush();
        if (used_ + length > capacity_) {
            // A large buffer keeps the many short rows of a big run to few
            // writes.
            const size_t capacity = std::max<size_t>({capacity_ * 2, used_ + length, size_t{buffered_ ? 1u << 16 : 1u << 12}});
            // realloc keeps the lines already written without a copy where the
            // system can extend the block in place.
            char* grown = static_cast<char*>(std::realloc(buffer_.get(), capacity));
            if (!grown) throw std::bad_alloc();
            (void)buffer_.release();
            buffer_.reset(grown);
            capacity_ = capacity;
        }
    }
    return buffer_.get() + used_;
}

void LayoutWriter::written(char* end) {
    used_ = static_cast<size_t>(end - buffer_.get());
    if (!buffered_) flush();
}

void LayoutWriter::flush() {
    if (used_ == 0) return;
    if (out_) out_->write(buffer_.get(), static_cast<std::streamsize>(used_));
    used_ = 0;
}

void LayoutWriter::row(const RowLayout& layout, std::initializer_list<double> numbers,
                       std::initializer_list<std::string_view> texts) {
    size_t length = layout.maxLength();
    for (std::string_view t : texts) length += t.size();
    char* out = reserve(length);
    written(layout.put(out, std::span<const double>(numbers.begin(), numbers.size()),
                       std::span<const std::string_view>(texts.begin(), texts.size())));
}

void LayoutWriter::write(std::string_view layout, std::initializer_list<LayoutValue> values) {
    scratch_.assign(values.begin(), values.end());
    write(layout, scratch_);
}

void LayoutWriter::write(std::string_view layout, const std::vector<LayoutValue>& values) {
    text_.clear();
    formatter_.formatInto(layout, values, text_);
    char* out = reserve(text_.size());
    std::memcpy(out, text_.data(), text_.size());
    written(out + text_.size());
}

void LayoutWriter::line(std::string_view text) {
    char* out = reserve(text.size() + 1);
    std::memcpy(out, text.data(), text.size());
    out[text.size()] = '\n';
    written(out + text.size() + 1);
}

void LayoutWriter::integers(std::initializer_list<long long> values) {
    char* out = reserve(12 * values.size() + 1);
    for (long long v : values) out = putInteger(out, v, 12, 0);
    *out++ = '\n';
    written(out);
}

}  // namespace tovek
