// The fields of an input file, taken one after the other, and the numbers in
// them. A field ends at a comma or a line end (CR LF, LF or CR); blanks and line
// ends before a field are skipped. A field that begins with a double quote runs
// to the closing quote, commas and line ends included, two double quotes in a
// row standing for one; what follows the closing quote up to the next comma or
// line end is skipped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ravo {

// NoNumber: the field holds no number and reads as 0.
enum class NumberStatus { Ok, OutOfRange, NoNumber };

struct NumberRead {
    NumberStatus status = NumberStatus::Ok;
    const char* end = nullptr;  // just after the number; the text's start when there is none
};

// Reads the number at the start of a field's text: blanks, an optional sign,
// digits with at most one point (at least one digit), an optional exponent (E
// or e, an optional sign, digits). Anything after it is ignored; a text with
// no such number reads 0 with the status NoNumber ("abc", "-", "inf", ""),
// and "0x10" reads 0. A number too
// small for the type reads as 0 with its sign; one too large is OutOfRange.
// Unlike an entry box's LeadingNumber, blanks inside the number end it, and
// there is no "D" exponent and no "&H".
NumberRead ReadFieldNumber(std::string_view text, float& value);
NumberRead ReadFieldNumber(std::string_view text, double& value);

// A count: the field's number rounded to a whole number, halves to even;
// OutOfRange beyond the 32-bit signed range.
NumberStatus ReadFieldCount(std::string_view text, std::int32_t& count);

// One field as it stands in the file: the text of an unquoted field, or the
// text between the quotes of a quoted one with its doubled quotes still doubled.
struct RawField {
    std::string_view text;
    bool quoted = false;
    std::size_t offset = 0;  // where the field begins, for messages
};

// Walks the fields of a text in one pass, without copying them.
class FieldCursor {
public:
    explicit FieldCursor(std::string_view bytes) : bytes_(bytes) {}

    // Takes the next field; false when only blanks and line ends remain.
    bool Next(RawField& field);

    // Takes the next field as a value; false when only blanks and line ends
    // remain. An unquoted field is converted where it stands, so that its
    // characters are passed over only once.
    bool NextValue(float& value, NumberStatus& status);

    std::size_t LastValueStart() const { return fieldStart_; }
    std::size_t Remaining() const { return bytes_.size() - pos_; }

private:
    bool SkipToField();
    void TakeQuoted(RawField& field);
    void ToFieldEnd();
    void SkipComma();
    void SkipRestOfField();
    std::size_t ClosingQuote(std::size_t from) const;

    std::string_view bytes_;
    std::size_t pos_ = 0;
    std::size_t fieldStart_ = 0;
};

// The text of a field as a title: an unquoted one without its trailing blanks,
// a quoted one with each doubled quote made one.
std::string TitleText(const RawField& field);

}  // namespace ravo
