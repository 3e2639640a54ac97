#include "input_file.h"

#include "numbers.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <new>
#include <stdexcept>
#include <system_error>
#include <utility>

namespace ravo {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool EndsUnquotedField(char c) { return c == ',' || IsLineEnd(c); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// ---------------------------------------------------------------------------
// Numbers

// The leading number of a field's text, its sign taken off, so that from_chars
// sees neither a plus sign nor words such as "inf" and "nan".
struct NumberSpan {
    bool found = false;
    bool negative = false;
    const char* first = nullptr;
    const char* last = nullptr;
};

NumberSpan FindLeadingNumber(std::string_view text)
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

enum class NumberStatus { Ok, OutOfRange };

struct NumberRead {
    NumberStatus status = NumberStatus::Ok;
    const char* end = nullptr;  // just after the number; the text's start when there is none
};

template <typename Number>
NumberRead ReadLeadingNumber(std::string_view text, Number& value)
{
    value = 0;
    const NumberSpan number = FindLeadingNumber(text);
    if (!number.found)
        return {NumberStatus::Ok, text.data()};
    const auto [end, error] = std::from_chars(number.first, number.last, value);
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

NumberStatus ReadCount(std::string_view text, std::int32_t& count)
{
    double number = 0;
    if (ReadLeadingNumber(text, number).status == NumberStatus::OutOfRange)
        return NumberStatus::OutOfRange;
    try {
        count = ToCount(number);
    } catch (const OverflowError&) {
        return NumberStatus::OutOfRange;
    }
    return NumberStatus::Ok;
}

// ---------------------------------------------------------------------------
// Fields

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
    bool Next(RawField& field)
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

    // Takes the next field as a value. An unquoted field is converted where
    // it stands, so that its characters are passed over only once.
    bool NextValue(float& value, NumberStatus& status)
    {
        if (!SkipToField())
            return false;
        fieldStart_ = pos_;
        if (bytes_[pos_] == '"') {
            RawField field;
            TakeQuoted(field);
            status = ReadLeadingNumber(field.text, value).status;
            return true;
        }
        const NumberRead read = ReadLeadingNumber(bytes_.substr(pos_), value);
        status = read.status;
        pos_ = static_cast<std::size_t>(read.end - bytes_.data());
        SkipRestOfField();
        return true;
    }

    std::size_t LastValueStart() const { return fieldStart_; }
    std::size_t Remaining() const { return bytes_.size() - pos_; }

private:
    bool SkipToField()
    {
        while (pos_ < bytes_.size() && (IsBlank(bytes_[pos_]) || IsLineEnd(bytes_[pos_])))
            ++pos_;
        return pos_ < bytes_.size();
    }

    void TakeQuoted(RawField& field)
    {
        const std::size_t start = pos_ + 1;
        const std::size_t close = ClosingQuote(start);
        field.text = bytes_.substr(start, close - start);
        pos_ = std::min(close + 1, bytes_.size());
        SkipRestOfField();
    }

    void ToFieldEnd()
    {
        while (pos_ < bytes_.size() && !EndsUnquotedField(bytes_[pos_]))
            ++pos_;
    }

    // The comma belongs to the field that it ends; a line end is left for the
    // skip before the next field, so that a run of line ends separates like one.
    void SkipComma()
    {
        if (pos_ < bytes_.size() && bytes_[pos_] == ',')
            ++pos_;
    }

    void SkipRestOfField()
    {
        ToFieldEnd();
        SkipComma();
    }

    std::size_t ClosingQuote(std::size_t from) const
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

    std::string_view bytes_;
    std::size_t pos_ = 0;
    std::size_t fieldStart_ = 0;
};

// ---------------------------------------------------------------------------
// Text encoding

bool IsAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Length of the UTF-8 sequence at text[i], or 0 when it is not well formed
// (overlong forms, surrogates and code points beyond U+10FFFF included).
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (i + length > text.size() || byte(i + 1) < low || byte(i + 1) > high)
        return 0;
    for (std::size_t k = 2; k < length; ++k) {
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF)
            return 0;
    }
    return length;
}

bool IsValidUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

void AppendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Windows-1252 differs from Latin-1 only in 0x80..0x9F.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::string Windows1252ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool remapped = byte >= 0x80 && byte <= 0x9F;
        AppendUtf8(out, remapped ? kWindows1252High[byte - 0x80] : char32_t{byte});
    }
    return out;
}

// ---------------------------------------------------------------------------
// Reading

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

// 1-based line of a position, counting CR LF, LF and CR each as one line end.
std::size_t LineOf(std::string_view bytes, std::size_t offset)
{
    std::size_t line = 1;
    for (std::size_t i = 0; i < offset && i < bytes.size(); ++i) {
        const bool crAlone = bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n');
        if (bytes[i] == '\n' || crAlone)
            ++line;
    }
    return line;
}

const char* ColumnName(SegmentKind kind, std::size_t column)
{
    static const char* const curve[ColumnCount] = {"beginning elevation", "beginning grade",
                                                   "ending grade", "beginning station",
                                                   "ending station"};
    static const char* const segment[ColumnCount] = {"beginning superelevation",
                                                     "beginning super grade", "ending super grade",
                                                     "beginning station", "ending station"};
    return (kind == SegmentKind::VerticalCurve ? curve : segment)[column];
}

const char* RowsName(SegmentKind kind)
{
    return kind == SegmentKind::VerticalCurve ? "curves" : "segments";
}

const char* RowName(SegmentKind kind)
{
    return kind == SegmentKind::VerticalCurve ? "curve" : "segment";
}

using Tables = std::array<std::vector<float>, ColumnCount>;

class ProfileParser {
public:
    explicit ProfileParser(std::string_view bytes) : bytes_(bytes), cursor_(bytes) {}

    InputProfile Parse()
    {
        InputProfile profile;
        const RawField first = Require("the title or the curve count");
        std::int32_t firstCount = 0;
        if (!first.quoted)
            firstCount = Count(first, "curve count");
        if (firstCount >= 1) {
            profile.numVC = firstCount;
        } else {
            profile.title = TitleText(first);
            profile.numVC = Count(Require("the curve count"), "curve count");
        }
        ReadRecords(profile.numVC, profile.curves, SegmentKind::VerticalCurve);
        profile.numSup = Count(Require("the segment count"), "segment count");
        ReadRecords(profile.numSup, profile.segments, SegmentKind::Superelevation);
        // ASCII is the same in both encodings; only then is the whole file checked.
        if (!IsAscii(profile.title) && !IsValidUtf8(bytes_))
            profile.title = Windows1252ToUtf8(profile.title);
        return profile;
    }

private:
    RawField Require(const char* what)
    {
        RawField field;
        if (!cursor_.Next(field))
            throw InputFileError(std::string("the file ends before ") + what);
        return field;
    }

    std::int32_t Count(const RawField& field, const char* what) const
    {
        std::int32_t count = 0;
        if (ReadCount(field.text, count) == NumberStatus::OutOfRange)
            FailRange(field.offset, std::string("the ") + what, "the 32-bit range of a count");
        return count;
    }

    void ReadRecords(std::int32_t count, Tables& tables, SegmentKind kind)
    {
        if (count < 1)
            return;
        // Every field takes at least one byte of the text, so a count of more
        // records than the rest can hold must end early; failing at once
        // never allocates tables for it.
        if (static_cast<std::uint64_t>(count) * ColumnCount > cursor_.Remaining())
            FailTooShort(kind, count);
        for (std::vector<float>& table : tables)
            table.assign(static_cast<std::size_t>(count) + 1, 0.0f);
        NumberStatus status = NumberStatus::Ok;
        for (std::size_t row = 1; row <= static_cast<std::size_t>(count); ++row) {
            for (std::size_t column = 0; column < ColumnCount; ++column) {
                if (!cursor_.NextValue(tables[column][row], status))
                    FailEnd(kind, row, count, column);
                if (status == NumberStatus::OutOfRange)
                    FailRange(cursor_.LastValueStart(), FieldName(kind, row, column),
                              "the 32-bit float range");
            }
        }
    }

    static std::string FieldName(SegmentKind kind, std::size_t row, std::size_t column)
    {
        return std::string("the ") + ColumnName(kind, column) + " of " + RowName(kind) + " " +
               std::to_string(row);
    }

    [[noreturn]] static void FailTooShort(SegmentKind kind, std::int32_t count)
    {
        throw InputFileError("the file ends before all of its " + std::to_string(count) + " " +
                             RowsName(kind) + " can be read");
    }

    [[noreturn]] static void FailEnd(SegmentKind kind, std::size_t row, std::int32_t count,
                                     std::size_t column)
    {
        throw InputFileError("the file ends before " + FieldName(kind, row, column) + " of " +
                             std::to_string(count));
    }

    [[noreturn]] void FailRange(std::size_t offset, const std::string& what,
                                const char* range) const
    {
        RawField field;
        FieldCursor(bytes_.substr(offset)).Next(field);
        constexpr std::size_t shown = 40;
        const std::string_view text = field.text.substr(0, shown);
        throw InputFileError("line " + std::to_string(LineOf(bytes_, offset)) + ": " + what + ", " +
                             std::string(text) + (field.text.size() > shown ? "..." : "") +
                             ", lies beyond " + range);
    }

    std::string_view bytes_;
    FieldCursor cursor_;
};

bool HoldsCount(std::int32_t count, const Tables& tables)
{
    return count < 1 ||
           std::all_of(tables.begin(), tables.end(), [count](const std::vector<float>& table) {
               return table.size() > static_cast<std::size_t>(count);
           });
}

void ApplyKind(ProfileState& state, SegmentKind kind, std::int32_t count, Tables& tables)
{
    CountOf(state, kind) = count;
    if (count < 1)
        return;
    const KindTables target = TablesOf(state, kind);
    for (std::size_t column = 0; column < target.size(); ++column)
        *target[column] = std::move(tables[column]);
}

// ---------------------------------------------------------------------------
// Writing

// The shortest digits that read back as the same float; plainly written for
// the magnitudes that road data has, so that the file stays easy to read
// (0.0004 rather than 4E-04), and in exponent form beyond them.
void AppendValue(std::string& out, float value)
{
    std::array<char, 64> buffer{};
    const float magnitude = std::fabs(value);
    const bool plain = magnitude == 0 || (magnitude >= 1e-4f && magnitude < 1e9f);
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                      plain ? std::chars_format::fixed : std::chars_format::scientific);
    std::replace(buffer.data(), result.ptr, 'e', 'E');
    out.append(buffer.data(), result.ptr);
}

void AppendCount(std::string& out, std::int32_t count)
{
    std::array<char, 16> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), count);
    out.append(buffer.data(), result.ptr);
    out += kLineEnd;
}

void AppendTitle(std::string& out, std::string_view title)
{
    out += '"';
    for (char c : title) {
        out += c;
        if (c == '"')
            out += '"';
    }
    out += '"';
    out += kLineEnd;
}

// A count below 1 holds no rows; any other must be a row of its tables.
bool TablesHoldCount(const ProfileState& state, SegmentKind kind)
{
    const std::int32_t count = CountOf(state, kind);
    return count < 1 || IsRow(state, kind, count);
}

void AppendRecords(std::string& out, const ProfileState& state, SegmentKind kind)
{
    if (!TablesHoldCount(state, kind))
        throw InputFileError(std::string("the ") + RowName(kind) + " count " +
                             std::to_string(CountOf(state, kind)) +
                             " exceeds the rows of its tables");
    const ConstKindTables tables = TablesOf(state, kind);
    for (std::int32_t row = 1; row <= CountOf(state, kind); ++row) {
        const auto index = static_cast<std::size_t>(row);
        for (std::size_t column = 0; column < tables.size(); ++column) {
            const float value = (*tables[column])[index];
            if (!std::isfinite(value))
                throw InputFileError(std::string(RowName(kind)) + " " + std::to_string(row) +
                                     " holds a value that is not a finite number");
            if (column > 0)
                out += ',';
            AppendValue(out, value);
        }
        out += kLineEnd;
    }
}

std::size_t TextSizeEstimate(const ProfileState& state)
{
    constexpr std::size_t bytesPerRecord = 5 * 12;
    const auto rows = static_cast<std::size_t>(std::max(state.NumVC, 0)) +
                      static_cast<std::size_t>(std::max(state.NumSup, 0));
    return state.OutputTitle.size() + 32 + rows * bytesPerRecord;
}

// ---------------------------------------------------------------------------
// Files

fs::path PathOf(const std::string& utf8)
{
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string FileBytes(const std::string& path)
{
    std::ifstream in(PathOf(path), std::ios::binary);
    if (!in)
        throw InputFileError("cannot open the input file " + path);
    // Read straight into the text at the size the file has, then on in
    // chunks in case it is longer (or its size is unknown).
    std::error_code error;
    const std::uintmax_t expected = fs::file_size(PathOf(path), error);
    std::string bytes(error ? 0 : static_cast<std::size_t>(expected), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    std::array<char, 1 << 16> chunk{};
    while (in && (in.read(chunk.data(), chunk.size()) || in.gcount() > 0))
        bytes.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
    if (in.bad())
        throw InputFileError("cannot read the input file " + path);
    return bytes;
}

// Saving through a symbolic link replaces the file that it names, not the link.
fs::path ResolvedTarget(const std::string& path)
{
    const fs::path target = PathOf(path);
    std::error_code error;
    if (fs::is_symlink(target, error)) {
        const fs::path resolved = fs::canonical(target, error);
        if (!error)
            return resolved;
    }
    return target;
}

// An existing target that cannot be opened for writing (read-only, locked, a
// folder) is refused, as writing over it in place would be.
void RefuseUnwritableTarget(const fs::path& target, const std::string& path)
{
    std::error_code error;
    if (!fs::exists(target, error))
        return;
    if (fs::is_directory(target, error))
        throw InputFileError("cannot save the input file " + path + ": it is a folder");
    std::fstream probe(target, std::ios::in | std::ios::out | std::ios::binary);
    if (!probe)
        throw InputFileError("cannot save the input file " + path + ": it cannot be written");
}

// Different for every call, so that saves running side by side never share a
// temporary name; fs::exists rules out the rest.
std::uint64_t TemporaryNonce()
{
    static std::atomic<std::uint64_t> counter{0};
    const auto now =
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    return (now ^ (++counter << 48)) * 0x9E3779B97F4A7C15u;
}

fs::path TemporaryBeside(const fs::path& target)
{
    std::error_code error;
    for (int attempt = 0; attempt < 16; ++attempt) {
        std::array<char, 16> hex{};
        const auto digits =
            std::to_chars(hex.data(), hex.data() + hex.size(), TemporaryNonce(), 16);
        std::string suffix = ".";
        suffix.append(hex.data(), digits.ptr);
        suffix += ".tmp";
        fs::path temporary = target;
        temporary += suffix;
        if (!fs::exists(temporary, error))
            return temporary;
    }
    return {};
}

bool WriteWhole(const fs::path& file, const std::string& text)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    const bool written = static_cast<bool>(out);
    out.close();
    return written && !out.fail();
}

}  // namespace

InputProfile ParseInputFile(std::string_view bytes)
{
    if (bytes.starts_with(kByteOrderMark))
        bytes.remove_prefix(kByteOrderMark.size());
    try {
        return ProfileParser(bytes).Parse();
    } catch (const std::bad_alloc&) {
        throw InputFileError("not enough memory for the tables of the input file");
    }
}

InputProfile ReadInputFile(const std::string& path)
{
    std::string bytes;
    try {
        bytes = FileBytes(path);
    } catch (const std::bad_alloc&) {
        throw InputFileError("not enough memory to read the input file " + path);
    } catch (const std::length_error&) {
        throw InputFileError("the input file " + path + " is too large to read");
    }
    return ParseInputFile(bytes);
}

void ApplyInputProfile(ProfileState& state, InputProfile&& profile)
{
    if (!HoldsCount(profile.numVC, profile.curves) || !HoldsCount(profile.numSup, profile.segments))
        throw InputFileError("the profile holds fewer rows than its counts");
    state.OutputTitle = std::move(profile.title);
    ApplyKind(state, SegmentKind::VerticalCurve, profile.numVC, profile.curves);
    ApplyKind(state, SegmentKind::Superelevation, profile.numSup, profile.segments);
}

std::string InputFileText(const ProfileState& state)
{
    std::string out;
    if (TablesHoldCount(state, SegmentKind::VerticalCurve) &&
        TablesHoldCount(state, SegmentKind::Superelevation))
        out.reserve(TextSizeEstimate(state));
    AppendTitle(out, state.OutputTitle);
    AppendCount(out, state.NumVC);
    AppendRecords(out, state, SegmentKind::VerticalCurve);
    AppendCount(out, state.NumSup);
    AppendRecords(out, state, SegmentKind::Superelevation);
    return out;
}

void WriteInputFile(const ProfileState& state, const std::string& path)
{
    // The whole text first: a profile that cannot be written touches no file.
    const std::string text = InputFileText(state);
    if (path.empty())
        throw InputFileError("no input file name given");
    const fs::path target = ResolvedTarget(path);
    RefuseUnwritableTarget(target, path);

    const fs::path temporary = TemporaryBeside(target);
    std::error_code error;
    if (temporary.empty() || !WriteWhole(temporary, text)) {
        if (!temporary.empty())
            fs::remove(temporary, error);
        throw InputFileError("cannot write the input file " + path);
    }
    // A replaced file keeps the permissions that it had.
    const fs::file_status previous = fs::status(target, error);
    if (!error && fs::exists(previous))
        fs::permissions(temporary, previous.permissions(), error);
    fs::rename(temporary, target, error);
    if (error) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw InputFileError("cannot replace the input file " + path + ": " + error.message());
    }
}

std::string ValueText(float value)
{
    std::string text;
    AppendValue(text, value);
    return text;
}

}  // namespace ravo
