// The fields of an input file and the numbers in them.
#include "core/formats/input_fields.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <system_error>
#include <type_traits>

#include "core/formats/plain_decimal.h"
#include "core/text/numbers.h"

namespace ravo {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool EndsUnquotedField(char c) { return c == ',' || IsLineEnd(c); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The leading number of a field's text, its sign taken off, so that from_chars
// sees neither a plus sign nor words such as "inf" and "nan".
struct NumberSpan {
    bool found = false;
    bool negative = false;
    const char* first = nullptr;
    const char* last = nullptr;
};

inline NumberSpan FindLeadingNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    NumberSpan number;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        number.negative = text[i] == '-';
        ++i;
    }
    const bool digitFirst = i < text.size() && IsDigit(text[i]);
    const bool pointFirst = i + 1 < text.size() && text[i] == '.' && IsDigit(text[i + 1]);
    number.found = digitFirst || pointFirst;
    number.first = text.data() + i;
    number.last = text.data() + text.size();
    return number;
}

// Clinger's fast path: a decimal without an exponent whose digits make a
// whole number of at most 2^24, with at most 10 after the point, is that
// whole number over a power of ten, both exact floats, and IEEE division
// rounds their quotient correctly, as from_chars does.
float FloatQuotient(std::uint64_t whole, int decimals)
{
    static constexpr float powers[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f,
                                       1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
    return static_cast<float>(whole) / powers[decimals];
}

// The same in doubles for up to 2^53 over up to 10^22, exact doubles too: the
// quotient rounded to a double rounds on to the float nearest the decimal,
// unless it lands exactly halfway between two floats (its 29 bits below a
// float's precision 1 then 0s), where the decimal may lie to either side.
std::optional<float> DoubleQuotient(std::uint64_t whole, int decimals)
{
    const double quotient = DecimalQuotient(whole, static_cast<std::size_t>(decimals));
    constexpr std::uint64_t below = (std::uint64_t{1} << 29) - 1;
    if ((std::bit_cast<std::uint64_t>(quotient) & below) == std::uint64_t{1} << 28)
        return std::nullopt;
    return static_cast<float>(quotient);
}

// The digits from `p` on added to `whole`; their count is added to `count`.
const char* Digits(const char* p, const char* last, std::uint64_t& whole, int& count)
{
    const char* const first = p;
    for (; p < last && IsDigit(*p); ++p)
        whole = whole * 10 + static_cast<std::uint64_t>(*p - '0');
    count += static_cast<int>(p - first);
    return p;
}

// A decimal without an exponent read by one of the quotients above: the end
// of the number, or none for any other number.
const char* ShortDecimal(const char* first, const char* last, float& value)
{
    std::uint64_t whole = 0;
    int digits = 0;
    const char* p = Digits(first, last, whole, digits);
    int decimals = 0;
    if (p < last && *p == '.')
        p = Digits(p + 1, last, whole, decimals);
    // More than 19 digits may have wrapped `whole` round.
    if (digits + decimals > 19 || whole > (std::uint64_t{1} << 53) || decimals > 22 ||
        (p < last && (*p == 'e' || *p == 'E')))
        return nullptr;
    if (whole <= (1u << 24) && decimals <= 10) {
        value = FloatQuotient(whole, decimals);
        return p;
    }
    const std::optional<float> quotient = DoubleQuotient(whole, decimals);
    if (!quotient)
        return nullptr;
    value = *quotient;
    return p;
}

template <typename Number>
std::from_chars_result Convert(const char* first, const char* last, Number& value)
{
    if constexpr (std::is_same_v<Number, float>) {
        if (const char* end = ShortDecimal(first, last, value))
            return {end, std::errc()};
    }
    return std::from_chars(first, last, value);
}

template <typename Number>
inline NumberRead ReadNumber(std::string_view text, Number& value)
{
    value = 0;
    const NumberSpan number = FindLeadingNumber(text);
    if (!number.found)
        return {NumberStatus::NoNumber, text.data()};
    const auto [end, error] = Convert(number.first, number.last, value);
    if (error == std::errc::result_out_of_range) {
        const std::string_view digits(number.first, static_cast<std::size_t>(end - number.first));
        if (DecimalExponent(digits) > 0)
            return {NumberStatus::OutOfRange, end};
        value = 0;  // too small for the type: the nearest value is zero
    }
    if (number.negative)
        value = -value;
    return {NumberStatus::Ok, end};
}

}  // namespace

NumberRead ReadFieldNumber(std::string_view text, float& value) { return ReadNumber(text, value); }

NumberRead ReadFieldNumber(std::string_view text, double& value) { return ReadNumber(text, value); }

NumberStatus ReadFieldCount(std::string_view text, std::int32_t& count)
{
    double number = 0;
    const NumberStatus status = ReadFieldNumber(text, number).status;
    if (status != NumberStatus::Ok) {
        count = 0;
        return status;
    }
    try {
        count = ToCount(number);
    } catch (const OverflowError&) {
        return NumberStatus::OutOfRange;
    }
    return NumberStatus::Ok;
}

bool FieldCursor::Next(RawField& field)
{
    if (!SkipToField())
        return false;
    field.offset = pos_;
    field.quoted = bytes_[pos_] == '"';
    if (field.quoted) {
        TakeQuoted(field);
    } else {
        const std::size_t start = pos_;
        ToFieldEnd();
        field.text = bytes_.substr(start, pos_ - start);
        SkipComma();
    }
    return true;
}

bool FieldCursor::NextValue(float& value, NumberStatus& status)
{
    if (!SkipToField())
        return false;
    fieldStart_ = pos_;
    if (bytes_[pos_] == '"') {
        RawField field;
        TakeQuoted(field);
        status = ReadFieldNumber(field.text, value).status;
        return true;
    }
    const NumberRead read = ReadNumber(bytes_.substr(pos_), value);
    status = read.status;
    pos_ = static_cast<std::size_t>(read.end - bytes_.data());
    // Most fields end just after their number.
    if (pos_ < bytes_.size() && bytes_[pos_] == ',') {
        ++pos_;
        return true;
    }
    SkipRestOfField();
    return true;
}

bool FieldCursor::SkipToField()
{
    while (pos_ < bytes_.size() && (IsBlank(bytes_[pos_]) || IsLineEnd(bytes_[pos_])))
        ++pos_;
    return pos_ < bytes_.size();
}

void FieldCursor::TakeQuoted(RawField& field)
{
    const std::size_t start = pos_ + 1;
    const std::size_t close = ClosingQuote(start);
    field.text = bytes_.substr(start, close - start);
    pos_ = std::min(close + 1, bytes_.size());
    SkipRestOfField();
}

void FieldCursor::ToFieldEnd()
{
    while (pos_ < bytes_.size() && !EndsUnquotedField(bytes_[pos_]))
        ++pos_;
}

// The comma belongs to the field that it ends; a line end is left for the skip
// before the next field, so that a run of line ends separates like one.
void FieldCursor::SkipComma()
{
    if (pos_ < bytes_.size() && bytes_[pos_] == ',')
        ++pos_;
}

void FieldCursor::SkipRestOfField()
{
    ToFieldEnd();
    SkipComma();
}

std::size_t FieldCursor::ClosingQuote(std::size_t from) const
{
    for (;;) {
        const std::size_t quote = bytes_.find('"', from);
        if (quote == std::string_view::npos)
            return bytes_.size();
        if (quote + 1 < bytes_.size() && bytes_[quote + 1] == '"') {
            from = quote + 2;
            continue;
        }
        return quote;
    }
}

std::string TitleText(const RawField& field)
{
    std::string_view text = field.text;
    if (!field.quoted) {
        while (!text.empty() && IsBlank(text.back()))
            text.remove_suffix(1);
        return std::string(text);
    }
    std::string title;
    title.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        title += text[i];
        if (text[i] == '"')
            ++i;  // the second quote of a doubled pair
    }
    return title;
}

}  // namespace ravo
