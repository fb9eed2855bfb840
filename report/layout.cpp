#include "report/layout.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <ostream>
#include <stdexcept>
#include <unordered_map>

namespace tovek {

namespace {

std::string stars(int width) { return std::string(static_cast<size_t>(width > 0 ? width : 0), '*'); }

std::string rightAlign(const std::string& body, int width) {
    if (static_cast<int>(body.size()) > width) return stars(width);
    return std::string(static_cast<size_t>(width) - body.size(), ' ') + body;
}

// Infinite and undefined values are written as Fortran does: right-aligned
// words when they fit, asterisks otherwise.
std::string nonFinite(double value, int width) {
    if (std::isnan(value)) return rightAlign("NaN", width);
    std::string word = width >= 9 ? "Infinity" : "Inf";
    if (value < 0) word = "-" + word;
    return rightAlign(word, width);
}

} // namespace

std::string formatFixed(double value, int width, int decimals) {
    if (!std::isfinite(value)) return nonFinite(value, width);
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::fixed, decimals);
    if (res.ec != std::errc()) return stars(width);
    std::string body(buf, res.ptr);
    if (decimals == 0) body += '.';
    const bool negative = value < 0.0;
    // The zero before the point is written only when the field has room.
    if (body.size() >= 2 && body[0] == '0' && body[1] == '.' &&
        static_cast<int>(body.size()) + (negative ? 1 : 0) > width)
        body.erase(0, 1);
    if (negative) body.insert(body.begin(), '-');
    return rightAlign(body, width);
}

std::string formatExponent(double value, int width, int decimals) {
    if (!std::isfinite(value)) return nonFinite(value, width);
    if (decimals < 1) decimals = 1;
    std::string digits;
    int exponent = 0;
    if (value == 0.0) {
        digits.assign(static_cast<size_t>(decimals), '0');
    } else {
        char buf[64];
        const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific,
                                       decimals - 1);
        if (res.ec != std::errc()) return stars(width);
        const std::string text(buf, res.ptr);  // d.ddde+xx
        const auto ePos = text.find('e');
        for (size_t k = 0; k < ePos; ++k)
            if (text[k] != '.') digits += text[k];
        exponent = std::atoi(text.c_str() + ePos + 1) + 1;
    }
    std::string expText;
    const int magnitude = std::abs(exponent);
    const char sign = exponent < 0 ? '-' : '+';
    if (magnitude <= 99) {
        expText = std::string("E") + sign + (magnitude < 10 ? "0" : "") + std::to_string(magnitude);
    } else if (magnitude <= 999) {
        expText = std::string(1, sign) + std::to_string(magnitude);  // Fortran drops the E
    } else {
        return stars(width);
    }
    const bool negative = value < 0.0;
    std::string body = "0." + digits + expText;
    if (static_cast<int>(body.size()) + (negative ? 1 : 0) > width) body.erase(0, 1);
    if (negative) body.insert(body.begin(), '-');
    return rightAlign(body, width);
}

std::string formatInteger(long long value, int width, int minDigits) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (static_cast<int>(digits.size()) < minDigits)
        digits.insert(0, static_cast<size_t>(minDigits) - digits.size(), '0');
    if (value < 0) digits.insert(digits.begin(), '-');
    return rightAlign(digits, width);
}

std::string formatText(std::string_view text, int width) {
    if (static_cast<int>(text.size()) >= width) return std::string(text.substr(0, static_cast<size_t>(width)));
    return std::string(static_cast<size_t>(width) - text.size(), ' ') + std::string(text);
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
            if (c == ',') { ++pos_; continue; }
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
        case 'F': case 'f':
            item.op = LayoutItem::Op::Fixed;
            break;
        case 'E': case 'e':
            item.op = LayoutItem::Op::Exponent;
            break;
        case 'I': case 'i':
            item.op = LayoutItem::Op::Integer;
            break;
        case 'A': case 'a':
            item.op = LayoutItem::Op::Text;
            if (!digitAhead()) {
                item.op = LayoutItem::Op::TextFree;
                return item;
            }
            item.width = number();
            return item;
        default:
            fail(std::string("unknown item '") + c + "'");
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

} // namespace

struct LayoutFormatter::Cache {
    // Keyed by the layout text: layouts are string literals, so the key is
    // cheap and the table stays small (one entry per distinct layout).
    struct TextHash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<std::string, CompiledLayout, TextHash, std::equal_to<>> byText;
};

LayoutFormatter::LayoutFormatter() : cache_(std::make_unique<Cache>()) {}
LayoutFormatter::~LayoutFormatter() = default;

const CompiledLayout& LayoutFormatter::compiled(std::string_view layout) {
    auto& table = cache_->byText;
    auto it = table.find(layout);
    if (it == table.end()) it = table.emplace(std::string(layout), LayoutParser(layout).parse()).first;
    return it->second;
}

void LayoutFormatter::format(std::string_view layout, const std::vector<LayoutValue>& values,
                             std::vector<std::string>& lines) {
    const CompiledLayout& compiledLayout = compiled(layout);
    std::string current;
    int pendingBlanks = 0;
    size_t next = 0;
    auto take = [&](LayoutValue::Kind wanted) -> const LayoutValue& {
        if (next >= values.size())
            throw std::logic_error("layout \"" + std::string(layout) + "\": too few values");
        const LayoutValue& v = values[next++];
        const bool ok = wanted == LayoutValue::Kind::Text ? v.kind() == LayoutValue::Kind::Text
                        : wanted == LayoutValue::Kind::Integer ? v.kind() == LayoutValue::Kind::Integer
                                                               : v.kind() != LayoutValue::Kind::Text;
        if (!ok) throw std::logic_error("layout \"" + std::string(layout) + "\": value of the wrong kind");
        return v;
    };
    auto put = [&](const std::string& text) {
        current.append(static_cast<size_t>(pendingBlanks), ' ');
        pendingBlanks = 0;
        current += text;
    };
    for (const LayoutItem& item : compiledLayout.items) {
        switch (item.op) {
        case LayoutItem::Op::Blanks:
            pendingBlanks += item.width;
            break;
        case LayoutItem::Op::NewLine:
            lines.push_back(current);
            current.clear();
            pendingBlanks = 0;
            break;
        case LayoutItem::Op::Literal:
            put(item.literal);
            break;
        case LayoutItem::Op::Fixed:
            put(formatFixed(take(LayoutValue::Kind::Real).real(), item.width, item.decimals));
            break;
        case LayoutItem::Op::Exponent:
            put(formatExponent(take(LayoutValue::Kind::Real).real(), item.width, item.decimals));
            break;
        case LayoutItem::Op::Integer:
            put(formatInteger(take(LayoutValue::Kind::Integer).integer(), item.width, item.decimals));
            break;
        case LayoutItem::Op::Text:
            put(formatText(take(LayoutValue::Kind::Text).text(), item.width));
            break;
        case LayoutItem::Op::TextFree:
            put(std::string(take(LayoutValue::Kind::Text).text()));
            break;
        }
    }
    lines.push_back(current);
    if (next != values.size())
        throw std::logic_error("layout \"" + std::string(layout) + "\": too many values");
}

void LayoutWriter::write(std::string_view layout, std::initializer_list<LayoutValue> values) {
    scratch_.assign(values.begin(), values.end());
    write(layout, scratch_);
}

void LayoutWriter::write(std::string_view layout, const std::vector<LayoutValue>& values) {
    lines_.clear();
    formatter_.format(layout, values, lines_);
    if (!out_) return;
    for (const std::string& l : lines_) {
        out_->write(l.data(), static_cast<std::streamsize>(l.size()));
        out_->put('\n');
    }
}

void LayoutWriter::line(std::string_view text) {
    if (!out_) return;
    out_->write(text.data(), static_cast<std::streamsize>(text.size()));
    out_->put('\n');
}

void LayoutWriter::integers(std::initializer_list<long long> values) {
    std::string text;
    for (long long v : values) text += formatInteger(v, 12, 0);
    line(text);
}

} // namespace tovek
