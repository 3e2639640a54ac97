// Reading an input file: the profile parser, reading the file from disk and
// putting what was read into the model.
#include "core/formats/input_file.h"

#include <algorithm>
#include <cerrno>
#include <new>
#include <optional>
#include <utility>

#include "core/formats/input_fields.h"
#include "core/io/file_read.h"
#include "core/text/text_encoding.h"

namespace ravo {
namespace {

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

using Tables = std::array<std::vector<float>, ColumnCount>;

// A count as read, and where its field stands, for messages.
struct CountField {
    std::int32_t count = 0;
    std::size_t offset = 0;
};

class ProfileParser {
public:
    ProfileParser(std::string_view bytes, InputFileNotes& notes)
        : bytes_(bytes), cursor_(bytes), notes_(notes)
    {
    }

    InputProfile Parse()
    {
        InputProfile profile;
        const RawField first = Require("the title or the curve count");
        CountField curves{0, first.offset};
        if (!first.quoted && Count(first, "curve count") == NumberStatus::Ok)
            curves.count = count_;
        if (curves.count < 1) {
            profile.title = TitleText(first);
            curves = ReadCountField(Require("the curve count"), SegmentKind::VerticalCurve);
        } else {
            notes_.countHoldsNumber = true;
        }
        profile.numVC = curves.count;
        ReadRecords(curves, profile.curves, SegmentKind::VerticalCurve);
        const CountField segments =
            ReadCountField(Require("the segment count"), SegmentKind::Superelevation);
        profile.numSup = segments.count;
        ReadRecords(segments, profile.segments, SegmentKind::Superelevation);
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

    NumberStatus Count(const RawField& field, const char* what)
    {
        const NumberStatus status = ReadFieldCount(field.text, count_);
        notes_.countHoldsNumber = notes_.countHoldsNumber || status == NumberStatus::OutOfRange;
        if (status == NumberStatus::OutOfRange)
            FailRange(field.offset, std::string("the ") + what, "the 32-bit range of a count");
        return status;
    }

    CountField ReadCountField(const RawField& field, SegmentKind kind)
    {
        const std::string what = std::string(RowName(kind)) + " count";
        if (Count(field, what.c_str()) == NumberStatus::NoNumber)
            NoteNoNumber(kind, field.offset, "the " + what);
        else
            notes_.countHoldsNumber = true;
        return {count_, field.offset};
    }

    void NoteNoNumber(SegmentKind kind, std::size_t offset, const std::string& what)
    {
        FieldsWithoutNumber& fields =
            kind == SegmentKind::VerticalCurve ? notes_.curves : notes_.segments;
        if (fields.count++ > 0)
            return;
        RawField field;
        FieldCursor(bytes_.substr(offset)).Next(field);
        fields.first = what + " (line " + std::to_string(LineOf(bytes_, offset)) + "), \"" +
                       std::string(field.text.substr(0, 40)) +
                       (field.text.size() > 40 ? "...\"" : "\"");
    }

    void ReadRecords(CountField count, Tables& tables, SegmentKind kind)
    {
        if (count.count < 1)
            return;
        if (count.count > MaxSegmentCount)
            FailTooMany(count, kind);
        // Every field takes at least one byte of the text, so a count of more
        // records than the rest can hold must end early; failing at once
        // never allocates tables for it.
        if (static_cast<std::uint64_t>(count.count) * ColumnCount > cursor_.Remaining())
            FailTooShort(kind, count.count);
        const auto rows = static_cast<std::size_t>(count.count);
        for (std::vector<float>& table : tables)
            table.assign(rows + 1, 0.0f);
        NumberStatus status = NumberStatus::Ok;
        for (std::size_t row = 1; row <= rows; ++row) {
            for (std::size_t column = 0; column < ColumnCount; ++column) {
                if (!cursor_.NextValue(tables[column][row], status))
                    FailEnd(kind, row, count.count, column);
                if (status == NumberStatus::OutOfRange)
                    FailRange(cursor_.LastValueStart(), FieldName(kind, row, column),
                              "the 32-bit float range");
                if (status == NumberStatus::NoNumber)
                    NoteNoNumber(kind, cursor_.LastValueStart(), FieldName(kind, row, column));
            }
        }
    }

    static std::string FieldName(SegmentKind kind, std::size_t row, std::size_t column)
    {
        return std::string("the ") + ColumnName(kind, column) + " of " + RowName(kind) + " " +
               std::to_string(row);
    }

    [[noreturn]] void FailTooMany(CountField count, SegmentKind kind) const
    {
        throw InputFileError("line " + std::to_string(LineOf(bytes_, count.offset)) +
                             ": the file has " + std::to_string(count.count) + " " +
                             RowsName(kind) + "; at most " + std::to_string(MaxSegmentCount) +
                             " can be loaded");
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
    InputFileNotes& notes_;
    std::int32_t count_ = 0;  // the last count read
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

InputProfile ParseText(std::string_view text, InputFileNotes& notes)
{
    try {
        return ProfileParser(text, notes).Parse();
    } catch (const std::bad_alloc&) {
        throw InputFileError(
            "the file is too large for this machine (not enough memory for its "
            "tables)");
    }
}

}  // namespace

const char* RowName(SegmentKind kind)
{
    return kind == SegmentKind::VerticalCurve ? "curve" : "segment";
}

InputProfile ParseInputFile(std::string_view bytes)
{
    std::string storage;
    InputFileNotes notes;
    return ParseText(DecodedText(bytes, storage), notes);
}

InputProfile ParseInputText(std::string_view text, InputFileNotes& notes)
{
    return ParseText(text, notes);
}

std::vector<std::string> FieldsWithoutNumberLines(const InputFileNotes& notes)
{
    std::vector<std::string> lines;
    for (const SegmentKind kind : {SegmentKind::VerticalCurve, SegmentKind::Superelevation}) {
        const FieldsWithoutNumber& fields =
            kind == SegmentKind::VerticalCurve ? notes.curves : notes.segments;
        if (fields.count == 1)
            lines.push_back(std::string("1 ") + RowName(kind) +
                            " field holds no number and reads as 0: " + fields.first);
        else if (fields.count > 1)
            lines.push_back(std::to_string(fields.count) + " " + RowName(kind) +
                            " fields hold no number and read as 0; the first is " + fields.first);
    }
    return lines;
}

std::string ReadInputFileBytes(const std::string& path)
{
    try {
        return ReadRegularFile(path, MaxInputFileBytes);
    } catch (const FileReadError& error) {
        throw InputFileError(error.what());
    } catch (const std::bad_alloc&) {
        throw InputFileError(TooLargeForMemoryText(path));
    }
}

InputProfile ReadInputFile(const std::string& path)
{
    return ParseInputFile(ReadInputFileBytes(path));
}

void ApplyInputProfile(ProfileState& state, InputProfile&& profile)
{
    if (!HoldsCount(profile.numVC, profile.curves) || !HoldsCount(profile.numSup, profile.segments))
        throw InputFileError("the profile holds fewer rows than its counts");
    state.OutputTitle = std::move(profile.title);
    ApplyKind(state, SegmentKind::VerticalCurve, profile.numVC, profile.curves);
    ApplyKind(state, SegmentKind::Superelevation, profile.numSup, profile.segments);
}

}  // namespace ravo
