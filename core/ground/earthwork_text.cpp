// The earthwork table and its totals laid out as text and as CSV.
#include "core/ground/earthwork_text.h"

#include <array>
#include <cstddef>

#include "core/text/numbers.h"
#include "core/text/station_notation.h"

namespace ravo {
namespace {

constexpr std::array<const char*, 11> Headings = {"STATION",  "GRADE",     "GROUND",  "DEPTH",
                                                  "CUT AREA", "FILL AREA", "CUT VOL", "FILL VOL",
                                                  "CUM CUT",  "CUM FILL",  "MASS ORD"};
constexpr std::size_t FirstWidth = 12;
constexpr std::size_t Width = 13;

std::string RightAligned(const std::string& text, std::size_t width)
{
    return text.size() >= width ? " " + text : std::string(width - text.size(), ' ') + text;
}

std::string Joined(const std::array<std::string, Headings.size()>& fields)
{
    std::string line = RightAligned(fields[0], FirstWidth);
    for (std::size_t i = 1; i < fields.size(); ++i)
        line += RightAligned(fields[i], Width);
    return line;
}

// A value that rounds to zero is written without a sign.
std::string Rounded(double value, int decimals)
{
    std::string text = FixedText(value, decimals);
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    return text;
}

std::string Level(double value) { return Rounded(value, 3); }
std::string Quantity(double value) { return Rounded(value, 2); }

std::string StationsText(const std::vector<double>& stations, bool plusNotation)
{
    if (stations.empty())
        return "none";
    std::string text;
    for (double station : stations)
        text += (text.empty() ? "" : ", ") + StationText(station, plusNotation);
    return text;
}

}  // namespace

void WriteEarthworkLines(const EarthworkTable& table, bool plusNotation, const LineSink& line)
{
    std::array<std::string, Headings.size()> fields;
    for (std::size_t i = 0; i < Headings.size(); ++i)
        fields[i] = Headings[i];
    const std::string heading = Joined(fields);
    line(heading);
    line(std::string(heading.size(), '-'));
    for (const EarthworkRow& row : table.rows) {
        fields = {StationText(row.station, plusNotation)};
        if (row.hasSection) {
            fields[1] = Level(row.design);
            fields[2] = Level(row.ground);
            fields[3] = Level(row.depth);
            fields[4] = Quantity(row.cutArea);
            fields[5] = Quantity(row.fillArea);
        } else {
            fields[1] = "no section";
        }
        fields[6] = Quantity(row.cutVolume);
        fields[7] = Quantity(row.fillVolume);
        fields[8] = Quantity(row.cumulativeCut);
        fields[9] = Quantity(row.cumulativeFill);
        fields[10] = Quantity(row.massOrdinate);
        line(Joined(fields));
    }
}

void WriteEarthworkSummary(const EarthworkTable& table, bool plusNotation, const LineSink& line)
{
    const EarthworkTotals& t = table.totals;
    line("Cut " + Quantity(t.cut) + ", as fill " + Quantity(t.cutAsFill) + "; fill " +
         Quantity(t.fill) + "; net " + Quantity(t.net) +
         (t.net > 0   ? " (surplus)"
          : t.net < 0 ? " (shortage)"
                      : ""));
    line("Prismoidal check: cut " + Quantity(t.prismoidalCut) + ", fill " +
         Quantity(t.prismoidalFill));
    line("Balance points: " + StationsText(table.balancePoints, plusNotation));
    line("Largest haul ordinate: " + Quantity(table.largestHaul.ordinate) + " at station " +
         StationText(table.largestHaul.station, plusNotation));
}

void WriteEarthworkCsv(const EarthworkTable& table, const LineSink& line)
{
    line(
        "station,grade,ground,depth,cut_area,fill_area,cut_volume,fill_volume,prismoidal_cut,"
        "prismoidal_fill,cumulative_cut,cumulative_fill,mass_ordinate");
    std::string text;
    for (const EarthworkRow& row : table.rows) {
        text = Level(row.station) + ',';
        if (row.hasSection)
            text += Level(row.design) + ',' + Level(row.ground) + ',' + Level(row.depth) + ',' +
                    Level(row.cutArea) + ',' + Level(row.fillArea) + ',';
        else
            text += ",,,,,";
        for (double value : {row.cutVolume, row.fillVolume, row.prismoidalCut, row.prismoidalFill,
                             row.cumulativeCut, row.cumulativeFill})
            text += Level(value) + ',';
        text += Level(row.massOrdinate);
        line(text);
    }
}

}  // namespace ravo
