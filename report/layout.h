// Fixed-column line layouts of the report, the plot data file and the console.
//
// A layout is a list of items separated by commas:
//   nX            n blank positions (only moves the position: never leaves
//                 blanks at the end of a line)
//   /             ends the current line; leading slashes give empty lines,
//                 a trailing slash an empty line after the last text line
//   "text" 'text' a literal, printed as it stands, blanks included
//   n(...)        the group repeated n times, e.g. 73("=")
//   Fw.d          real, d decimals, right-aligned in w columns
//   Ew.d          real in the form 0.ddddE+xx, right-aligned in w columns
//   Iw, Iw.m      integer, right-aligned, at least m digits zero-filled
//   Aw, A         text cut to / right-aligned in w columns; at its own length
// Edit descriptors take a repeat count too (3E16.4). A number that does not
// fit its field is written as w asterisks; the line is still written.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <iosfwd>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tovek {

// One value of a layout's value list.
class LayoutValue {
public:
    enum class Kind { Integer, Real, Text };
    LayoutValue(int v) : kind_(Kind::Integer), integer_(v) {}
    LayoutValue(long v) : kind_(Kind::Integer), integer_(v) {}
    LayoutValue(long long v) : kind_(Kind::Integer), integer_(v) {}
    LayoutValue(double v) : kind_(Kind::Real), real_(v) {}
    LayoutValue(std::string_view v) : kind_(Kind::Text), text_(v) {}
    LayoutValue(const char* v) : kind_(Kind::Text), text_(v) {}
    LayoutValue(const std::string& v) : kind_(Kind::Text), text_(v) {}

    Kind kind() const { return kind_; }
    long long integer() const { return integer_; }
    double real() const { return kind_ == Kind::Integer ? static_cast<double>(integer_) : real_; }
    std::string_view text() const { return text_; }

private:
    Kind kind_;
    long long integer_ = 0;
    double real_ = 0.0;
    std::string_view text_;
};

// The widest number or text field a layout may give.
inline constexpr int kMaxFieldWidth = 256;

// Characters an editor may write past the end of what it puts (scratch that
// the next field overwrites): a buffer leaves this room after its last field.
inline constexpr size_t kFieldSlack = 32;

// Field editing into a buffer: each puts exactly `width` characters at `out`
// (width at most kMaxFieldWidth), may write up to kFieldSlack characters
// beyond, and returns the end of the field.
char* putFixed(char* out, double value, int width, int decimals);
char* putExponent(char* out, double value, int width, int decimals);
char* putInteger(char* out, long long value, int width, int minDigits);
char* putText(char* out, std::string_view text, int width);

// Field editing, appended to a text.
void appendFixed(std::string& out, double value, int width, int decimals);
void appendExponent(std::string& out, double value, int width, int decimals);
void appendInteger(std::string& out, long long value, int width, int minDigits);
void appendText(std::string& out, std::string_view text, int width);

// Field editing, usable on its own.
std::string formatFixed(double value, int width, int decimals);        // Fw.d
std::string formatExponent(double value, int width, int decimals);     // Ew.d
std::string formatInteger(long long value, int width, int minDigits);  // Iw, Iw.m (m = 0: Iw)
std::string formatText(std::string_view text, int width);              // Aw

struct CompiledLayout;

// A one-line layout compiled once, for the rows written many times (table
// rows, plot rows, load distributions, curve listings). Its numbers come as
// reals, an I field taking the whole value; its texts apart; both in the
// order of their fields.
class RowLayout {
public:
    // A malformed layout, or one of more than one line, is a program fault
    // (std::logic_error).
    explicit RowLayout(std::string_view layout);

    // The row and its line end at `out`, at most maxLength() characters
    // (and kFieldSlack characters of scratch beyond).
    // Throws std::logic_error when the counts of numbers or texts are not
    // those of the layout.
    char* put(char* out, std::span<const double> numbers, std::span<const std::string_view> texts) const;
    size_t maxLength() const { return maxLength_; }

private:
    struct Field {
        enum class Op : uint8_t { Literal, Fixed, Exponent, Integer, Text, TextFree };
        Op op;
        int blanksBefore;
        int width;
        int decimals;
        size_t literalStart;
        size_t literalLength;
    };
    std::vector<Field> fields_;
    std::string literals_;
    size_t numberCount_ = 0;
    size_t textCount_ = 0;
    size_t fixedTextWidth_ = 0;
    size_t maxLength_ = 0;
    bool freeText_ = false;
};

// Turns a layout and its values into lines of text. Compiled layouts are
// kept per formatter, so a layout used for every row is parsed once.
class LayoutFormatter {
public:
    LayoutFormatter();
    ~LayoutFormatter();
    LayoutFormatter(const LayoutFormatter&) = delete;
    LayoutFormatter& operator=(const LayoutFormatter&) = delete;

    // Appends the lines of one layout to `lines`. Throws std::logic_error
    // for a malformed layout or a value of the wrong kind (a program fault).
    void format(std::string_view layout, const std::vector<LayoutValue>& values, std::vector<std::string>& lines);
    // The same lines appended to `text`, each ended by a line feed.
    void formatInto(std::string_view layout, const std::vector<LayoutValue>& values, std::string& text);

private:
    const CompiledLayout& compiled(std::string_view layout);
    struct Cache;
    std::unique_ptr<Cache> cache_;
};

// Writes whole lines from layouts to one text stream: the report, the plot
// data file or the console. Lines are formatted straight into the writer's
// buffer. An unbuffered writer hands each call's lines to its stream at
// once; a buffered one only when its buffer fills and on flush().
class LayoutWriter {
public:
    explicit LayoutWriter(std::ostream* out = nullptr) : out_(out) {}
    ~LayoutWriter();
    LayoutWriter(const LayoutWriter&) = delete;
    LayoutWriter& operator=(const LayoutWriter&) = delete;

    void attach(std::ostream* out, bool buffered = false);
    bool attached() const { return out_ != nullptr; }

    void write(std::string_view layout, std::initializer_list<LayoutValue> values = {});
    void write(std::string_view layout, const std::vector<LayoutValue>& values);
    // One row of a compiled layout.
    void row(const RowLayout& layout, std::initializer_list<double> numbers,
             std::initializer_list<std::string_view> texts = {});
    // A line written as it stands.
    void line(std::string_view text);
    // A free-format line of integers, each preceded by blanks (I12 each).
    void integers(std::initializer_list<long long> values);
    // Hands what the buffer holds to the stream.
    void flush();

private:
    char* reserve(size_t length);
    void written(char* end);

    std::ostream* out_;
    bool buffered_ = false;
    LayoutFormatter formatter_;
    std::string text_;
    std::vector<LayoutValue> scratch_;
    struct FreeBuffer {
        void operator()(char* p) const;
    };
    std::unique_ptr<char, FreeBuffer> buffer_;
    size_t capacity_ = 0;
    size_t used_ = 0;
};

// The report file and the plot data file share the writer; the names say
// which file a stage writes to.
using ReportWriter = LayoutWriter;
using PlotWriter = LayoutWriter;

}  // namespace tovek
