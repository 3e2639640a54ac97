// Reading and writing PVI tables, in CSV and as plain columns.
#include "core/formats/pvi_table.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <type_traits>

#include "core/formats/input_file.h"
#include "core/formats/plain_decimal.h"
#include "core/formats/row_point_stream.h"
#include "core/formats/text_out.h"
#include "core/text/numbers.h"
#include "core/text/station_notation.h"
#include "core/text/text_encoding.h"
#include "core/text/words.h"

namespace ravo {
namespace {

// Splits the text into lines (LF, CR LF or CR), numbered from 1.
template <typename Visit>
void ForEachLine(std::string_view text, Visit visit)
{
    int number = 0;
    while (!text.empty()) {
        // A plain loop: find_first_of looks each character up in the set.
        std::size_t end = 0;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        visit(++number, text.substr(0, end));
        const bool crlf = text.substr(end).starts_with("\r\n");
        text.remove_prefix(std::min(end + (crlf ? 2 : 1), text.size()));
    }
}

// RFC 4180 fields of one line: quoted fields may hold separators and doubled
// quotes. Spreadsheets set to a locale with a decimal comma separate fields by
// semicolons instead.
void CsvFieldsInto(std::string_view line, char separator, std::vector<std::string>& fields)
{
    // Most lines hold no quote: their fields are the text between separators.
    // Plain loops: lines are short, and find calls memchr once a field.
    if (std::find(line.begin(), line.end(), '"') == line.end()) {
        std::size_t count = 0;
        for (std::size_t at = 0;; ++count) {
            std::size_t end = at;
            while (end < line.size() && line[end] != separator)
                ++end;
            if (count == fields.size())
                fields.emplace_back();
            fields[count].assign(line.substr(at, end - at));
            if (end == line.size())
                break;
            at = end + 1;
        }
        fields.resize(count + 1);
        return;
    }
    fields.assign(1, std::string());
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"')
            fields.back() += line[++i];
        else if (c == '"')
            quoted = !quoted;
        else if (c == separator && !quoted)
            fields.emplace_back();
        else
            fields.back() += c;
    }
}

std::vector<std::string> CsvFields(std::string_view line, char separator = ',')
{
    std::vector<std::string> fields;
    CsvFieldsInto(line, separator, fields);
    return fields;
}

std::string Lowered(std::string_view text)
{
    std::string lowered(Trimmed(text));
    for (char& c : lowered)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lowered;
}

[[noreturn]] void Refuse(int line, const std::string& text)
{
    throw InputFileError("line " + std::to_string(line) + ": " + text);
}

// The separator of the header's fields: ';' when the header reads so, which
// also makes the comma the decimal sign of the table's numbers.
char SeparatorOf(std::string_view header)
{
    const std::vector<std::string> names = CsvFields(header, ';');
    return names.size() >= 3 && Lowered(names[0]) == "station" ? ';' : ',';
}

// The number text of a field as the header's style writes it, with a decimal
// point: a table whose lines follow another style is refused at that line, so
// that no number is read with the wrong sign (265.5 is not 2655, nor 265,5 two
// fields).
std::string InPointStyle(std::string_view text, const char* column, int line, char separator)
{
    std::string field(Trimmed(text));
    const bool semicolons = separator == ';';
    if (field.find(semicolons ? '.' : ';') != std::string::npos)
        Refuse(line, std::string(column) + " \"" + field +
                         (semicolons ? "\" has a decimal point, but the header separates fields "
                                       "by \";\" and so asks for a decimal comma"
                                     : "\" holds \";\", but the header separates fields by \",\""));
    if (semicolons)
        std::replace(field.begin(), field.end(), ',', '.');
    return field;
}

template <typename Parse>
double Field(std::string_view text, const char* column, int line, Parse parse)
{
    try {
        return parse(Trimmed(text));
    } catch (const NotationError&) {
        // A long field is cut short, so that the message stays readable.
        constexpr std::size_t shown = 40;
        const std::string_view field = Trimmed(text);
        Refuse(line, std::string(column) + " \"" + std::string(field.substr(0, shown)) +
                         (field.size() > shown ? "...\"" : "\"") + " is not a number");
    }
}

double Length(std::string_view text, const char* column, int line)
{
    return Trimmed(text).empty() ? 0 : Field(text, column, line, ParsePlainNumber);
}

// A numeric field of a CSV line, in the header's style.
// A message names the field as the file writes it.
template <typename Parse>
double CsvNumber(std::string_view text, const char* column, int line, char separator, Parse parse)
{
    // Most fields are plain decimals with a point, read in place.
    if (separator == ',') {
        if (const std::optional<double> value = PlainDecimal(text))
            return *value;
    }
    const std::string number = InPointStyle(text, column, line, separator);
    return Field(text, column, line, [&](std::string_view) { return parse(number); });
}

double CsvLength(std::string_view text, const char* column, int line, char separator)
{
    return Trimmed(text).empty() ? 0 : CsvNumber(text, column, line, separator, ParsePlainNumber);
}

struct Columns {
    std::optional<std::size_t> lengthOut{};
    std::optional<std::size_t> desc{};
    std::size_t count = 3;
    char separator = ',';
};

Columns HeaderColumns(std::string_view line)
{
    const char separator = SeparatorOf(line);
    const std::vector<std::string> names = CsvFields(line, separator);
    Columns columns{.count = names.size(), .separator = separator};
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string name = Lowered(names[i]);
        const char* expected[] = {"station", "elevation", "length"};
        if (i < 3 && name != expected[i])
            Refuse(1, "the header must begin station,elevation,length");
        if (i >= 3 && name == "length_out" && !columns.lengthOut)
            columns.lengthOut = i;
        else if (i >= 3 && name == "desc" && !columns.desc)
            columns.desc = i;
        else if (i >= 3)
            Refuse(1, "unknown column \"" + names[i] + "\"");
    }
    return columns;
}

PviPoint CurvePoint(double station, double elevation, double lengthIn,
                    std::optional<double> lengthOut, int line)
{
    PviPoint p{.station = station, .elevation = elevation, .line = line};
    if (lengthOut) {
        p.lengthIn = lengthIn;
        p.lengthOut = *lengthOut;
        p.kind = PviKind::Unsym;
    } else {
        p.lengthIn = p.lengthOut = lengthIn / 2;
        p.kind = PviKind::Para;
    }
    if (p.lengthIn == 0 && p.lengthOut == 0)
        p.kind = PviKind::Pvi;
    return p;
}

void AddCsvField(TextOut& out, const std::string& field)
{
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
        out << field;
        return;
    }
    out << '"';
    for (char c : field) {
        if (c == '"')
            out << '"';
        out << c;
    }
    out << '"';
}

void WriteCsvHeader(TextOut& out, bool unsym, bool desc)
{
    out << "station,elevation,length" << (unsym ? ",length_out" : "") << (desc ? ",desc" : "")
        << "\r\n";
}

// A point's line, PviPoints and RowPoints alike, the latter with no descriptions.
template <class Point>
void WriteCsvLine(TextOut& out, const Point& p, bool unsym, bool desc)
{
    out.Number(p.station) << ',';
    out.Number(p.elevation) << ',';
    if (p.kind == PviKind::Unsym)
        out.Number(p.lengthIn) << ',';
    if (p.kind == PviKind::Unsym)
        out.Number(p.lengthOut);
    else if (p.kind != PviKind::Pvi)
        out.Number(p.lengthIn + p.lengthOut) << (unsym ? "," : "");
    else if (unsym)
        out << ',';
    if constexpr (std::is_same_v<Point, PviPoint>) {
        if (desc) {
            out << ',';
            AddCsvField(out, p.desc);
        }
    }
    out << "\r\n";
}

}  // namespace

bool LooksLikePviCsv(std::string_view text)
{
    text = WithoutUtf8Bom(text);
    const std::string_view header = text.substr(0, text.find_first_of("\r\n"));
    const std::vector<std::string> names = CsvFields(header, SeparatorOf(header));
    return names.size() >= 3 && Lowered(names[0]) == "station" &&
           Lowered(names[1]) == "elevation" && Lowered(names[2]) == "length";
}

std::vector<PviPoint> ParsePviCsv(std::string_view bytes)
{
    std::vector<PviPoint> points;
    RowCounter rows;
    std::optional<Columns> columns;
    std::vector<std::string> f;  // the fields of a line, their room kept for the next
    ForEachLine(WithoutUtf8Bom(bytes), [&](int line, std::string_view text) {
        if (!columns) {
            columns = HeaderColumns(text);
            return;
        }
        if (Trimmed(text).empty())
            return;
        const char separator = columns->separator;
        CsvFieldsInto(text, separator, f);
        const char other = separator == ';' ? ',' : ';';
        if (f.size() < 2 && text.find(other) != std::string_view::npos)
            Refuse(line, std::string("the fields are separated by \"") + other +
                             "\", but the header separates them by \"" + separator + "\"");
        if (f.size() < 2 || f.size() > columns->count)
            Refuse(line, std::to_string(f.size()) + " fields where the header names " +
                             std::to_string(columns->count));
        const auto column = [&f](std::optional<std::size_t> at) {
            return at && *at < f.size() ? std::string_view(f[*at]) : std::string_view();
        };
        const std::string_view out = column(columns->lengthOut);
        // Field by field, so that a fault is told for the first of them.
        const double station = CsvNumber(f[0], "station", line, separator, ParseStation);
        const double elevation = CsvNumber(f[1], "elevation", line, separator, ParsePlainNumber);
        const double length = f.size() > 2 ? CsvLength(f[2], "length", line, separator) : 0;
        const std::optional<double> lengthOut =
            Trimmed(out).empty()
                ? std::nullopt
                : std::optional<double>(CsvLength(out, "length_out", line, separator));
        points.push_back(CurvePoint(station, elevation, length, lengthOut, line));
        points.back().desc = std::string(column(columns->desc));
        rows.Add(points.back());
    });
    return points;
}

std::vector<PviPoint> ParsePviPlain(std::string_view bytes)
{
    std::vector<PviPoint> points;
    RowCounter rows;
    ForEachLine(WithoutUtf8Bom(bytes), [&](int line, std::string_view text) {
        const std::vector<std::string_view> words = Words(text);
        if (words.empty())
            return;
        if (words.size() < 2 || words.size() > 3)
            Refuse(line, "expected \"station elevation [length]\", found " +
                             std::to_string(words.size()) + " fields");
        points.push_back(CurvePoint(Field(words[0], "station", line, ParseStation),
                                    Field(words[1], "elevation", line, ParsePlainNumber),
                                    words.size() > 2 ? Length(words[2], "length", line) : 0,
                                    std::nullopt, line));
        rows.Add(points.back());
    });
    return points;
}

void WritePviCsv(ByteSink& sink, const std::vector<PviPoint>& points)
{
    const bool unsym = std::any_of(points.begin(), points.end(),
                                   [](const PviPoint& p) { return p.kind == PviKind::Unsym; });
    const bool desc = std::any_of(points.begin(), points.end(),
                                  [](const PviPoint& p) { return !p.desc.empty(); });
    TextOut out(sink);
    WriteCsvHeader(out, unsym, desc);
    for (const PviPoint& p : points)
        WriteCsvLine(out, p, unsym, desc);
    out.Finish();
}

void WritePviCsv(ByteSink& sink, const RowPointStream& points)
{
    const bool unsym = points.Unsymmetric();
    TextOut out(sink);
    WriteCsvHeader(out, unsym, false);
    points.WriteEach(out,
                     [unsym](TextOut& o, const RowPoint& p) { WriteCsvLine(o, p, unsym, false); });
    out.Finish();
}

std::string PviCsvText(const std::vector<PviPoint>& points)
{
    StringSink sink;
    WritePviCsv(sink, points);
    return std::move(sink.text);
}

}  // namespace ravo
