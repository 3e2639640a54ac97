// Reading and writing the input file, the text file that holds a whole
// profile: an optional title, the vertical curves and the superelevation
// segments.
//
// The file is a sequence of fields, taken strictly one after the other; the
// line a field stands on does not matter:
//   title (optional), curve count, five values per curve,
//   segment count, five values per segment.
// Nothing after the last field that the counts call for is read. The values of
// a record are in column order (see Column): for a curve the beginning
// elevation, beginning grade, ending grade, beginning station, ending station;
// for a segment the beginning superelevation, beginning and ending super
// grade, beginning and ending station.
//
// Fields
// - Fields are separated by commas; a line end (CR LF, LF alone or CR alone)
//   ends a field too. Blanks (spaces, tabs) and line ends before a field are
//   skipped, so blank lines separate nothing and a record may be split after
//   any comma. Two commas in a row enclose an empty field. A comma that ends
//   the file starts no further field.
// - A field that begins with a double quote holds everything up to the closing
//   quote, commas and line ends included; two double quotes in a row inside
//   it stand for one. Whatever stands between the closing quote and the next
//   comma or line end is skipped. A quote that is never closed runs to the end
//   of the file.
// - Any other field holds everything up to the next comma or line end. An
//   unquoted title loses its trailing blanks.
// - A count or a value is the field's leading number: blanks, an optional
//   sign, digits with at most one point, an optional exponent (E or e, an
//   optional sign, digits). What follows the number is ignored ("12abc" reads
//   12, "1.5 m" 1.5, "1D3" 1); a field without a leading number ("abc", "",
//   "-", "inf") reads 0 without failure. Quotes around a number are ignored.
// - A value is rounded to the nearest 32-bit float. One too small for a float
//   reads as 0 with its sign; one that rounds beyond the float range fails.
// - A count is rounded to the nearest whole number, halves to even ("2.5"
//   reads 2, "3.5" 4), and fails beyond the 32-bit signed range.
//
// Title rule
// - A first field that begins with a double quote is the title, whatever it
//   holds ("5" in quotes is a title), and the second field is the curve count.
// - Otherwise the first field is read as a count. When it is 1 or more the
//   file has no title and that field is the curve count; when it is below 1
//   (0, a negative number, a word, an empty field) the field's text is the
//   title and the second field is the curve count. So an unquoted title that
//   begins with a number of 1 or more ("3rd Street") is taken for the curve
//   count, and one whose number lies beyond the 32-bit range fails.
//
// Text encoding
// - A file that begins with a UTF-16 byte order mark (little or big endian) is
//   decoded to UTF-8 and then read as below.
// - A UTF-8 byte order mark at the start of the file is skipped.
// - A file that is valid UTF-8 is read as UTF-8; any other file is read as
//   Windows-1252 and its title converted to UTF-8 (the five codes that
//   Windows-1252 leaves undefined become the control characters U+0081 etc.).
//   The profile always holds UTF-8; files are written in UTF-8.
//
// Limits
// - A count of more than MaxSegmentCount curves or segments fails before any
//   table is allocated, as does a count of more records than the rest of the
//   file could hold.
// - Only a regular file is read (a folder, FIFO, device or socket fails at
//   once, without waiting), and one larger than MaxInputFileBytes is refused
//   before it is read.
//
// Writing (the canonical layout)
// - Line 1 the title between double quotes, each double quote in it doubled;
//   then the curve count, one line per curve, the segment count, one line per
//   segment. Fields of a line are separated by single commas, every line ends
//   with CR LF, there are no blanks and nothing after the last line.
// - Counts are plain digits with a minus sign when negative. A value is the
//   shortest decimal text that reads back as the same 32-bit float, so every
//   value loads back bit for bit: written plainly for magnitudes from 1E-04 up
//   to below 1E+09 (12345.678, 0.0004, -0.02), in exponent form beyond them
//   (1.5E+10, 3E-05).
//   An empty title, one curve and no segments:  ""  1  100,0,0,1000,1400  0
//
// Paths are UTF-8 text.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/io/file_replace.h"
#include "core/profile/profile_state.h"

namespace ravo {

// Any failure to read, parse or write an input file. The text says what went
// wrong and, for a field that cannot be used, on which line it stands.
class InputFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A whole input file read into memory. curves[c] and segments[c] are the five
// columns in Column order. When a count is 1 or more its five tables hold
// count + 1 entries, row 0 unused as in ProfileState; when the count is below
// 1 they are empty, and putting the profile into the model leaves the model's
// tables of that kind as they are.
struct InputProfile {
    std::string title;  // UTF-8; empty when the file has none
    std::int32_t numVC = 0;
    std::int32_t numSup = 0;
    std::array<std::vector<float>, ColumnCount> curves;
    std::array<std::vector<float>, ColumnCount> segments;

    friend bool operator==(const InputProfile&, const InputProfile&) = default;
};

// The largest input file that is read: the text of MaxSegmentCount curves and
// as many segments at 32 bytes a field, about twice what the writer needs,
// with a megabyte to spare for the title; twice that for UTF-16.
inline constexpr std::uint64_t MaxInputFileBytes =
    2 * (2ULL * MaxSegmentCount * ColumnCount * 32 + (1 << 20));

// Reads the text of a whole input file. Throws InputFileError when the text
// ends before every field that its counts call for has been read (an empty
// file among them), when a count or a value lies beyond its range, or when a
// count is above MaxSegmentCount.
InputProfile ParseInputFile(std::string_view bytes);

// The fields of one kind (its count and its records) that hold no number and
// so read as 0: how many, and which was the first of them.
struct FieldsWithoutNumber {
    std::int32_t count = 0;
    std::string first;  // e.g. the beginning grade of curve 2 (line 4), "abc"
};

// What a parse noticed beyond the profile itself.
struct InputFileNotes {
    FieldsWithoutNumber curves;
    FieldsWithoutNumber segments;
    bool countHoldsNumber = false;  // the curve count or the segment count holds a number
};

// As ParseInputFile, for a text already decoded to UTF-8 (DecodedText), and
// noting the fields that hold no number.
InputProfile ParseInputText(std::string_view text, InputFileNotes& notes);

// One line for each kind with fields that hold no number, for the user to see
// that a typo read as 0.
std::vector<std::string> FieldsWithoutNumberLines(const InputFileNotes& notes);

// "curve" or "segment": a row of the kind, as messages about input files name it.
const char* RowName(SegmentKind kind);

// The bytes of a profile file: only a regular file is read, without blocking,
// and one larger than MaxInputFileBytes is refused. Throws InputFileError with
// the path and the system's reason.
std::string ReadInputFileBytes(const std::string& path);

// Reads the whole file, then parses it. Throws InputFileError when the file
// cannot be read (see Limits; the text then gives the path and the system's
// reason), does not fit into memory, or does not parse.
InputProfile ReadInputFile(const std::string& path);

// Puts a profile that was read into the model: OutputTitle, NumVC and NumSup
// as read (a count of 0 or less too), and the five tables of a kind replaced
// only when its count is 1 or more. Nothing else changes; the caller resets
// the window beforehand and sets IdxVC, IdxSup, InputPath and the rest.
// Throws InputFileError, changing nothing, when a count of 1 or more has
// tables of fewer than count + 1 entries.
void ApplyInputProfile(ProfileState& state, InputProfile&& profile);

// The profile in the canonical layout described above. Throws InputFileError
// when a count of 1 or more exceeds the rows of its tables or a value is not a
// finite number, since such a file could not be read back.
std::string InputFileText(const ProfileState& state);

// Saves the canonical layout with ReplaceFile (core/io/file_replace.h): the
// previous file stays as it was until the whole text is on disk (unless no
// file can be made beside it: it is then rewritten in place), a symbolic link
// stays a link, permissions are kept, and only a regular file is replaced. Throws InputFileError,
// whose text gives the path and the system's reason, when the profile cannot be written (as for
// InputFileText) or the file cannot be written or replaced.
void WriteInputFile(const ProfileState& state, const std::string& path);
// The same text into a sink, a line at a time.
void WriteInputFile(const ProfileState& state, ByteSink& sink);

}  // namespace ravo
