// Writing an input file in the canonical layout, and saving it safely.
#include <algorithm>
#include <charconv>
#include <cmath>

#include "file_replace.h"
#include "input_file.h"

namespace ravo {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
// The text is handed to the file in pieces of about this size, so that saving
// a large profile never holds all of its text.
constexpr std::size_t kPieceBytes = 1 << 16;

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

const char* RowName(SegmentKind kind)
{
    return kind == SegmentKind::VerticalCurve ? "curve" : "segment";
}

// A count below 1 holds no rows; any other must be a row of its tables.
bool TablesHoldCount(const ProfileState& state, SegmentKind kind)
{
    const std::int32_t count = CountOf(state, kind);
    return count < 1 || IsRow(state, kind, count);
}

void RequireRowsOfCount(const ProfileState& state, SegmentKind kind)
{
    const std::int32_t count = CountOf(state, kind);
    if (!TablesHoldCount(state, kind))
        throw InputFileError(std::string("the ") + RowName(kind) + " count " +
                             std::to_string(count) + " exceeds the rows of its tables");
}

// The canonical text, built in `out`; with a sink, handed on to it in pieces.
class CanonicalWriter {
public:
    CanonicalWriter(const ProfileState& state, std::string& out, ByteSink* sink)
        : state_(state), out_(out), sink_(sink)
    {
    }

    void Write()
    {
        // Checked first: a profile that cannot be written writes nothing.
        RequireRowsOfCount(state_, SegmentKind::VerticalCurve);
        RequireRowsOfCount(state_, SegmentKind::Superelevation);
        AppendTitle(out_, state_.OutputTitle);
        AppendCount(out_, state_.NumVC);
        WriteRecords(SegmentKind::VerticalCurve);
        AppendCount(out_, state_.NumSup);
        WriteRecords(SegmentKind::Superelevation);
        if (sink_ != nullptr)
            sink_->Write(out_);
    }

private:
    void WriteRecords(SegmentKind kind)
    {
        const ConstKindTables tables = TablesOf(state_, kind);
        for (std::int32_t row = 1; row <= CountOf(state_, kind); ++row) {
            const auto index = static_cast<std::size_t>(row);
            for (std::size_t column = 0; column < tables.size(); ++column) {
                const float value = (*tables[column])[index];
                if (!std::isfinite(value))
                    throw InputFileError(std::string(RowName(kind)) + " " + std::to_string(row) +
                                         " holds a value that is not a finite number");
                if (column > 0)
                    out_ += ',';
                AppendValue(out_, value);
            }
            out_ += kLineEnd;
            if (sink_ != nullptr && out_.size() >= kPieceBytes) {
                sink_->Write(out_);
                out_.clear();
            }
        }
    }

    const ProfileState& state_;
    std::string& out_;
    ByteSink* sink_;
};

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
    std::string out;
    if (TablesHoldCount(state, SegmentKind::VerticalCurve) &&
        TablesHoldCount(state, SegmentKind::Superelevation))
        out.reserve(TextSizeEstimate(state));
    CanonicalWriter(state, out, nullptr).Write();
    return out;
}

void WriteInputFile(const ProfileState& state, const std::string& path)
{
    try {
        ReplaceFile(path, [&state](ByteSink& sink) {
            std::string piece;
            piece.reserve(kPieceBytes + 256);
            CanonicalWriter(state, piece, &sink).Write();
        });
    } catch (const FileWriteError& error) {
        throw InputFileError(error.what());
    }
}

std::string ValueText(float value)
{
    std::string text;
    AppendValue(text, value);
    return text;
}

}  // namespace ravo
