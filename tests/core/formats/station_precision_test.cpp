// Tests of the note on stations held by floats more than a millimetre apart.
#include "core/formats/station_precision.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/formats/profile_file.h"

namespace ravo {
namespace {

std::vector<std::string> PrecisionNotes(const std::string& bytes)
{
    std::vector<std::string> found;
    for (const std::string& note : AnyProfileFromBytes(bytes).notes)
        if (note.starts_with("Stations are held as 32-bit floats"))
            found.push_back(note);
    return found;
}

std::string Note(const std::string& station, const std::string& step)
{
    return "Stations are held as 32-bit floats, which lie more than 0.001 apart from station "
           "16384 on: this profile reaches station " +
           station + ", where they lie " + step + " apart.";
}

// Input files and imports alike: the note comes once, for the farthest
// station of either kind of row, and not where a millimetre still holds.
TEST(StationPrecisionNote, OnceForTheFarthestStationOfAnyLoad)
{
    const std::string landXml =
        R"(<LandXML xmlns="http://www.landxml.org/schema/LandXML-1.2" version="1.2">)"
        R"(<Units><Metric linearUnit="meter"/></Units><Alignments><Alignment name="A">)"
        R"(<Profile><ProfAlign name="P"><PVI>20000 10</PVI><PVI>20100 12</PVI></ProfAlign>)"
        R"(</Profile></Alignment></Alignments></LandXML>)";
    const struct {
        std::string bytes;
        std::vector<std::string> notes;
    } cases[] = {
        {"\"a\"\n1\n100,0,0,0,16383.99\n0\n", {}},
        {"\"a\"\n1\n100,0,0,0,16384\n0\n", {Note("16384", "0.001953125")}},
        {"\"a\"\n3\n100,0,0,0,20000\n100,0,0,20000,70000\n100,0,0,70000,65536\n0\n",
         {Note("70000", "0.0078125")}},
        {"\"a\"\n1\n100,0,0,0,100\n1\n0,0,0,-100000.5,0\n", {Note("-100000.5", "0.0078125")}},
        {landXml, {Note("20100", "0.001953125")}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PrecisionNotes(c.bytes), c.notes) << c.bytes;
}

}  // namespace
}  // namespace ravo
