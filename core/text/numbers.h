// Conversions between numbers and the texts of entry boxes, captions and
// reports. The decimal separator is always the point, whatever the locale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ravo {

// An arithmetic result that no field can hold: a number too large to read, a
// value beyond the 32-bit float range, or 0/0 in the calculation.
class OverflowError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the longest leading number of an entry box's text. Blanks, tabs and
// line feeds are ignored wherever they stand. Accepts an optional sign, digits
// with at most one point, and an optional exponent introduced by E or D (either
// case); "&H" and "&O" introduce a whole number in hexadecimal or octal digits.
// A text without a leading number gives 0 ("", "-", ".", "abc"); "12abc" gives 12.
// Throws OverflowError for a number too large for a double; a number too small
// for one reads as 0.
double LeadingNumber(std::string_view text);

// The decimal exponent of the first significant digit of an unsigned number in
// from_chars form ("123" gives 2, ".001" -3, "1.5e7" 7), the exponent capped
// far beyond any double. Tells an overflow from an underflow when a conversion
// of the text is out of range.
long long DecimalExponent(std::string_view number);

// The least magnitude that rounds to a float infinity: halfway between FLT_MAX
// and the next power of two.
inline constexpr double FirstFloatOverflow = 0x1.ffffffp+127;

// Rounds to the nearest 32-bit float. Throws OverflowError when the value lies
// beyond the float range (or is not a number), instead of giving an infinity.
float ToFloat(double value);

// Rounds to a 32-bit signed integer, halves to the even neighbour (2.5 -> 2,
// 3.5 -> 4). Throws OverflowError beyond the 32-bit range.
std::int32_t ToCount(double value);

// The text of a number in a box or caption: a blank before a value of 0 or
// more, a minus sign before a negative one, no trailing zeros, no point without
// a fraction, no zero before the point below 1 (" .5", "-2.25", " 1000.5").
//
// A float is rounded to 7 significant digits. It is written plainly when the
// rounded value lies in 1E-04 <= |x| < 1E+07 (or is 0), otherwise in exponent
// form with a signed exponent of at least two digits: " 1.234568E+07", " 1E-05".
std::string NumberText(float value);

// As NumberText of a float, but with as many significant digits, up to 9, as
// the value needs to read back as the same float: " 12345.678" rather than
// " 12345.68". For a station that is read back from its box.
std::string ExactNumberText(float value);

// As for a float, with up to 15 significant digits; written plainly when the
// rounded value lies in 1E-04 <= |x| < 1E+15, otherwise in exponent form.
std::string NumberText(double value);

// All digits of a whole number: " 0", " 12", "-2".
std::string NumberText(std::int32_t value);

// The texts of numbers in messages and notes. All are written by to_chars,
// with a point whatever the locale of the program or of the C library.
//
// The shortest plain text that reads back as the same number: "17.165539" for
// that float, "100000" (never "1e+05", which could be taken for a station in
// another notation); the exponent form only for a number whose plain text
// would be hundreds of digits long.
std::string ShortestText(double value);
std::string ShortestText(float value);

// The characters of ShortestText written at `out`, which has room for at
// least ShortestTextRoom of them; returns the end of what was written. For
// writers of long files, which should not make a string per number.
inline constexpr std::size_t ShortestTextRoom = 400;
char* WriteShortest(char* out, double value);

// As printf's "%.*g" and "%.*f" in the C locale: the number rounded to
// `digits` significant digits, or to `decimals` places after the point.
std::string SignificantText(double value, int digits);
std::string FixedText(double value, int decimals);

// Formats a number by a pattern of "#", "0" and at most one ".": before the
// point "0" places are always written and "#" places only when significant, and
// all digits of the integer part are written however few places there are;
// after the point "0" places are always written and "#" places only when they
// are not trailing zeros; the point is written whenever the pattern has one.
// The exact binary value is rounded to the places after the point, halves away
// from zero. A negative value gets a leading "-" unless it rounds to zero.
//   "#####0.000": 101.3125 -> "101.313", 0 -> "0.000"
//   "######.000": 0.25 -> ".250"        "0.########": 2 -> "2."
//   "##": 0 -> ""
// Throws std::invalid_argument for any other pattern character, OverflowError
// for a value that is not finite.
std::string FormatPattern(double value, std::string_view pattern);

// The four patterns that the program writes numbers with.
// "#####0.000": a shown or logged elevation, a logged station or offset.
inline std::string ElevationText(double value) { return FormatPattern(value, "#####0.000"); }
// "######.000": an elevation or station in the echo's tables (".000" for 0).
inline std::string TableValueText(double value) { return FormatPattern(value, "######.000"); }
// "0.########": a grade or superelevation ("0." for 0).
inline std::string GradeText(double value) { return FormatPattern(value, "0.########"); }
// "##": a count (nothing for 0).
inline std::string CountText(double value) { return FormatPattern(value, "##"); }

}  // namespace ravo
