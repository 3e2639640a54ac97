// Writing an input file in the canonical layout, and saving it safely.
#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/formats/input_file.h"
#include "core/io/file_replace.h"

namespace ravo {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

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
void RequireRowsOfCount(const ProfileState& state, SegmentKind kind)
{
    const std::int32_t count = CountOf(state, kind);
    if (count >= 1 && !IsRow(state, kind, count))
        throw InputFileError(std::string("the ") + RowName(kind) + " count " +
                             std::to_string(count) + " exceeds the rows of its tables");
}

void RequireRowsOfCounts(const ProfileState& state)
{
    RequireRowsOfCount(state, SegmentKind::VerticalCurve);
    RequireRowsOfCount(state, SegmentKind::Superelevation);
}

// The rows of a kind, a line at a time.
void WriteRecords(const ProfileState& state, SegmentKind kind, ByteSink& sink)
{
    const ConstKindTables tables = TablesOf(state, kind);
    std::string line;
    for (std::int32_t row = 1; row <= CountOf(state, kind); ++row) {
        const auto index = static_cast<std::size_t>(row);
        line.clear();
        for (std::size_t column = 0; column < tables.size(); ++column) {
            const float value = (*tables[column])[index];
            if (!std::isfinite(value))
                throw InputFileError(std::string(RowName(kind)) + " " + std::to_string(row) +
                                     " holds a value that is not a finite number");
            if (column > 0)
                line += ',';
            AppendValue(line, value);
        }
        line += kLineEnd;
        sink.Write(line);
    }
}

// The canonical text. The counts are checked first: a profile that cannot be
// written writes nothing.
void WriteCanonical(const ProfileState& state, ByteSink& sink)
{
    RequireRowsOfCounts(state);
    std::string head;
    AppendTitle(head, state.OutputTitle);
    AppendCount(head, state.NumVC);
    sink.Write(head);
    WriteRecords(state, SegmentKind::VerticalCurve, sink);
    head.clear();
    AppendCount(head, state.NumSup);
    sink.Write(head);
    WriteRecords(state, SegmentKind::Superelevation, sink);
}

std::size_t TextSizeEstimate(const ProfileState& state)
{
    constexpr std::size_t bytesPerRecord = 5 * 12;
    const auto rows = static_cast<std::size_t>(std::max(state.NumVC, 0)) +
                      static_cast<std::size_t>(std::max(state.NumSup, 0));
    return state.OutputTitle.size() + 32 + rows * bytesPerRecord;
}

}  // namespace

std::string InputFileText(const ProfileState& state)
{
    RequireRowsOfCounts(state);  // before reserving for what the counts claim
    StringSink sink;
    sink.text.reserve(TextSizeEstimate(state));
    WriteCanonical(state, sink);
    return std::move(sink.text);
}

void WriteInputFile(const ProfileState& state, ByteSink& sink) { WriteCanonical(state, sink); }

void WriteInputFile(const ProfileState& state, const std::string& path)
{
    try {
        // The sink gathers the lines into few writes, so that saving a large
        // profile never holds all of its text.
        ReplaceFile(path, [&state](ByteSink& sink) { WriteCanonical(state, sink); });
    } catch (const FileWriteError& error) {
        throw InputFileError(error.what());
    }
}

}  // namespace ravo
