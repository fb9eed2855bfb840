#include "report/layout.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <stdexcept>
#include <unordered_map>

namespace tovek {

namespace {

void appendStars(std::string& out, int width) {
    if (width > 0) out.append(static_cast<size_t>(width), '*');
}

// Appends `body` right-aligned in `width` columns, or asterisks when it does
// not fit.
void appendRight(std::string& out, const char* body, size_t length, int width) {
    if (static_cast<int>(length) > width) {
        appendStars(out, width);
        return;
    }
    out.append(static_cast<size_t>(width) - length, ' ');
    out.append(body, length);
}

// Infinite and undefined values are written as Fortran does: right-aligned
// words when they fit, asterisks otherwise.
void appendNonFinite(std::string& out, double value, int width) {
    if (std::isnan(value)) {
        appendRight(out, "NaN", 3, width);
        return;
    }
    const char* word = value < 0 ? (width >= 9 ? "-Infinity" : "-Inf") : (width >= 9 ? "Infinity" : "Inf");
    appendRight(out, word, std::char_traits<char>::length(word), width);
}

// Exact powers of ten (all exactly representable as doubles).
constexpr double kPow10[23] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                               1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Rounds m >= 0 (a scaled value carrying at most one rounding error) to an
// integer. Fails near a half, where only the exact decimal expansion can
// decide; the caller then takes the exact path.
bool roundScaled(double m, unsigned long long& r) {
    if (!(m < 1e9)) return false;
    const auto whole = static_cast<unsigned long long>(m);  // m >= 0: truncation is the floor
    const double fraction = m - static_cast<double>(whole);
    if (std::fabs(fraction - 0.5) < 1e-6) return false;
    r = whole + (fraction > 0.5 ? 1 : 0);
    return true;
}

// Writes the decimal digits of r, at least `minDigits` of them, at p.
char* putDigits(char* p, unsigned long long r, int minDigits) {
    char tmp[24];
    int n = 0;
    do {
        tmp[n++] = static_cast<char>('0' + r % 10);
        r /= 10;
    } while (r != 0);
    while (n < minDigits) tmp[n++] = '0';
    while (n > 0) *p++ = tmp[--n];
    return p;
}

// Fast Fw.d digits "iii.ddd" of |value| into p; false when the exact path is
// needed.
bool fastFixedDigits(double magnitude, int decimals, char*& end, char* p) {
    if (decimals > 8) return false;
    unsigned long long r = 0;
    if (!roundScaled(magnitude * kPow10[decimals], r)) return false;
    const auto scale = static_cast<unsigned long long>(kPow10[decimals]);
    p = putDigits(p, r / scale, 1);
    *p++ = '.';
    if (decimals > 0) p = putDigits(p, r % scale, decimals);
    end = p;
    return true;
}

// Fast mantissa digits and exponent of Ew.d (0.ddd x 10^exponent); false
// when the exact path is needed.
bool fastExponentDigits(double magnitude, int decimals, char* digits, int& exponent) {
    if (decimals > 8) return false;
    // Decimal exponent estimated from the binary one (off by at most one;
    // the loop corrects it).
    const int binaryExponent = std::ilogb(magnitude);
    // floor(k log10 2) as 78913 k / 2^18, exact for |k| < 1700.
    int e = ((binaryExponent * 78913) >> 18) + 1;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int shift = decimals - e;
        if (shift > 22 || shift < -22) return false;
        const double m = shift >= 0 ? magnitude * kPow10[shift] : magnitude / kPow10[-shift];
        if (m < kPow10[decimals - 1]) {  // log10 fell short: one digit too few
            --e;
            continue;
        }
        if (m >= kPow10[decimals]) {
            ++e;
            continue;
        }
        unsigned long long r = 0;
        if (!roundScaled(m, r)) return false;
        if (r >= static_cast<unsigned long long>(kPow10[decimals])) {  // rounded up to 10^d
            r /= 10;
            ++e;
        }
        putDigits(digits, r, decimals);
        exponent = e;
        return true;
    }
    return false;
}

}  // namespace

void appendFixed(std::string& out, double value, int width, int decimals) {
    if (!std::isfinite(value)) return appendNonFinite(out, value, width);
    // buf[0] is kept for the sign.
    char buf[400];
    char* const digits = buf + 1;
    char* end = nullptr;
    if (!fastFixedDigits(std::fabs(value), decimals, end, digits)) {
        const auto res =
            std::to_chars(digits, buf + sizeof buf - 1, std::fabs(value), std::chars_format::fixed, decimals);
        if (res.ec != std::errc()) return appendStars(out, width);
        end = res.ptr;
        if (decimals == 0) *end++ = '.';
    }
    char* begin = digits;
    const bool negative = value < 0.0;
    // The zero before the point is written only when the field has room.
    if (end - begin >= 2 && begin[0] == '0' && begin[1] == '.' && (end - begin) + (negative ? 1 : 0) > width) ++begin;
    if (negative) *--begin = '-';
    appendRight(out, begin, static_cast<size_t>(end - begin), width);
}

void appendExponent(std::string& out, double value, int width, int decimals) {
    if (!std::isfinite(value)) return appendNonFinite(out, value, width);
    if (decimals < 1) decimals = 1;
    // The form [-]0.d...dE+xx; the mantissa digits come from the correctly
    // rounded scientific form d.d...de+xx.
    char body[64];
    size_t n = 0;
    const bool negative = value < 0.0;
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
        if (res.ec != std::errc()) return appendStars(out, width);
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
        body[n++] = static_cast<char>('0' + magnitude / 10);
        body[n++] = static_cast<char>('0' + magnitude % 10);
    } else if (magnitude <= 999) {
        body[n++] = sign;  // Fortran drops the E for a three-digit exponent
        body[n++] = static_cast<char>('0' + magnitude / 100);
        body[n++] = static_cast<char>('0' + magnitude / 10 % 10);
        body[n++] = static_cast<char>('0' + magnitude % 10);
    } else {
        return appendStars(out, width);
    }
    char* begin = body;
    if (static_cast<int>(n) > width) {
        // No room for the zero before the point.
        const size_t zero = negative ? 1 : 0;
        for (size_t k = zero; k + 1 < n; ++k) body[k] = body[k + 1];
        --n;
    }
    appendRight(out, begin, n, width);
}

void appendInteger(std::string& out, long long value, int width, int minDigits) {
    char buf[48];
    const unsigned long long magnitude =
        value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    char digits[24];
    const auto res = std::to_chars(digits, digits + sizeof digits, magnitude);
    size_t count = static_cast<size_t>(res.ptr - digits);
    size_t n = 0;
    if (value < 0) buf[n++] = '-';
    for (size_t k = count; static_cast<int>(k) < minDigits && n < 20; ++k) buf[n++] = '0';
    for (size_t k = 0; k < count; ++k) buf[n++] = digits[k];
    appendRight(out, buf, n, width);
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

void LayoutWriter::write(std::string_view layout, std::initializer_list<LayoutValue> values) {
    scratch_.assign(values.begin(), values.end());
    write(layout, scratch_);
}

void LayoutWriter::write(std::string_view layout, const std::vector<LayoutValue>& values) {
    text_.clear();
    formatter_.formatInto(layout, values, text_);
    if (out_) out_->write(text_.data(), static_cast<std::streamsize>(text_.size()));
}

void LayoutWriter::line(std::string_view text) {
    if (!out_) return;
    out_->write(text.data(), static_cast<std::streamsize>(text.size()));
    out_->put('\n');
}

void LayoutWriter::integers(std::initializer_list<long long> values) {
    text_.clear();
    for (long long v : values) appendInteger(text_, v, 12, 0);
    line(text_);
}

}  // namespace tovek
