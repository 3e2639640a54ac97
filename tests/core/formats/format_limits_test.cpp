// Hostile files: rows beyond the limit in every PVI format, deep and huge XML,
// and profiles of the same names in one LandXML file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/formats/landxml_read.h"
#include "core/formats/profile_file.h"
#include "core/formats/pvi_mapping.h"
#include "support/error_text.h"

namespace ravo {
namespace {

std::string ErrorOf(const std::string& bytes)
{
    return test::ErrorText<InputFileError>([&] { AnyProfileFromBytes(bytes); });
}

// The counter agrees with the rows that RowsFromPoints makes, so that a reader
// refuses exactly the profiles of too many rows.
TEST(RowCounter, CountsTheRowsThatThePointsMake)
{
    const std::vector<std::vector<PviPoint>> profiles = {
        {{0, 1}, {10, 2}},
        {{0, 1}, {50, 2, 10, 10, PviKind::Para}, {100, 1}},
        {{0, 1}, {50, 2, 50, 20, PviKind::Unsym}, {70, 1}},  // no straight rows at all
        {{0, 1}, {50, 2, 10, 10, PviKind::Circ}, {60, 3}, {100, 1}},
        {{0, 1}, {1e7, 2, 0.1, 0.1, PviKind::Para}, {2e7, 1}},  // a curve lost to rounding
    };
    for (const std::vector<PviPoint>& points : profiles) {
        const std::int32_t rows = RowsFromPoints(points, "").numVC;
        RowCounter counter;
        for (const PviPoint& p : points)
            counter.Add(p);
        EXPECT_EQ(counter.Rows(), rows) << points.size();
        // As many rows as the limit are taken, and not one more.
        const auto addAll = [&points](std::int64_t limit) {
            RowCounter limited(limit);
            for (const PviPoint& p : points)
                limited.Add(p);
        };
        EXPECT_NO_THROW(addAll(rows)) << points.size();
        EXPECT_THROW(addAll(rows - 1), InputFileError) << points.size();
    }
}

// Unsymmetric curves make three rows a point, so a third of a million points
// go beyond the limit of a million rows in every format; points made in the
// program rather than read from a file have no line to name.
TEST(AnyProfileFromBytes, StopsAtTheLineBeyondTheRowLimit)
{
    const int points = MaxSegmentCount / 3 + 2;
    const std::string refusal =
        "the points up to here make more than 1000000 curve rows; at most 1000000 can be loaded";
    std::string csv = "station,elevation,length,length_out\n0,0,,\n";
    std::string xml = "<LandXML><Alignments><Alignment><Profile><ProfAlign>\n<PVI>0 0</PVI>\n";
    std::vector<PviPoint> made = {{0, 0}};
    for (int i = 1; i < points; ++i) {
        const std::string station = std::to_string(i * 10);
        csv += station + ",1,4,4\n";
        xml +=
            "<UnsymParaCurve lengthIn=\"4\" lengthOut=\"4\">" + station + " 1</UnsymParaCurve>\n";
        made.push_back({i * 10.0, 1, 4, 4, PviKind::Unsym});
    }
    const std::string line = "line " + std::to_string(points + 1) + ": ";
    EXPECT_EQ(ErrorOf(csv), line + refusal);
    EXPECT_EQ(ErrorOf(xml + "</ProfAlign></Profile></Alignment></Alignments></LandXML>"),
              line + refusal);
    made.push_back({made.back().station + 10, 0});
    EXPECT_EQ(test::ErrorText<InputFileError>([&] { RowsFromPoints(made, ""); }), refusal);
}

TEST(ParseLandXml, RefusesDeepAndHugeDocumentsWithTheLine)
{
    const auto alignment = [](const std::string& inner) {
        return "<LandXML>\n<Alignments><Alignment name=\"A\">\n" + inner +
               "<Profile><ProfAlign><PVI>0 1</PVI><PVI>10 2</PVI></ProfAlign></Profile>"
               "</Alignment></Alignments></LandXML>";
    };
    const auto nested = [](int depth, const std::string& core) {
        std::string text;
        for (int i = 0; i < depth; ++i)
            text += "<a>";
        text += core;
        for (int i = 0; i < depth; ++i)
            text += "</a>";
        return text + "\n";
    };
    const std::string tooDeep =
        "line 3: elements are nested more than 256 deep; a LandXML profile needs far fewer";
    EXPECT_EQ(ErrorOf(alignment(nested(60000, ""))), tooDeep);
    // Within the limit, a Superelevation deep down is still found, by a walk
    // without recursion.
    const ImportedProfile deep = ImportLandXml(alignment(nested(250, "<Superelevation/>")), {});
    EXPECT_NE(deep.notes.front().find("(1 Superelevation elements)"), std::string::npos);
    // 256 elements deep are read, and one more is refused, by either reading.
    for (const std::string head : {"", "<!DOCTYPE LandXML>"}) {
        EXPECT_EQ(ErrorOf(head + alignment(nested(253, ""))), "no error");
        EXPECT_EQ(ErrorOf(head + alignment(nested(254, ""))), tooDeep);
    }

    std::string many = "<LandXML>\n";
    for (std::size_t i = 0; i + 1 < MaxXmlElements; ++i)
        many += "<a/>";
    EXPECT_EQ(ErrorOf(many + "\n<b/></LandXML>"),
              "line 3: the file holds more than 4000000 XML elements; at most that many can be "
              "read");
    // Closing tags are not elements: as many as the limit are read, by the
    // tree reading too (which a DOCTYPE asks for).
    for (const std::string head : {"", "<!DOCTYPE LandXML>"})
        EXPECT_EQ(ErrorOf(head + many + "\n</LandXML>").find("XML elements"), std::string::npos);
}

// Profiles of the same names are told apart by their numbers in the file.
TEST(ImportLandXml, ProfilesOfTheSameNamesAreChosenByNumber)
{
    const auto alignment = [](const std::string& name, const std::string& end) {
        return "<Alignment name=\"" + name + "\"><Profile><ProfAlign name=\"P\"><PVI>0 1</PVI>" +
               "<PVI>" + end + " 2</PVI></ProfAlign></Profile></Alignment>";
    };
    const std::string text = "<LandXML><Alignments>" + alignment("A", "10") + alignment("A", "20") +
                             alignment("2", "30") + alignment("B", "40") +
                             "</Alignments></LandXML>";
    try {
        ImportLandXml(text, {"A", ""});
        ADD_FAILURE() << "two profiles of the same names were not refused";
    } catch (const ProfileChoiceError& e) {
        EXPECT_NE(std::string(e.what()).find(
                      "\n  alignment \"A\", profile \"P\" (alignment 2, profile 1 of the file)"),
                  std::string::npos)
            << e.what();
        ASSERT_EQ(e.Candidates().size(), 2u);
        // A candidate, chosen as it is, takes its own profile.
        EXPECT_EQ(ImportLandXml(text, e.Candidates()[1]).profile.curves[4][1], 20.0f);
    }
    const struct {
        ProfileSelection selection;
        float end;
    } cases[] = {
        {{"1", ""}, 10},   // no alignment is named "1": the first
        {{"2", ""}, 30},   // one is named "2": by name
        {{"4", "1"}, 40},  // the fourth alignment's first profile
        {{"A", "", 2, 0}, 20},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ImportLandXml(text, c.selection).profile.curves[4][1], c.end)
            << c.selection.alignment;
}

}  // namespace
}  // namespace ravo
