// Every profile written in each text format reads back to the same rows, and
// what the LandXML writer makes is XML that a strict parser accepts.
#include <expat.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "core/formats/landxml_write.h"
#include "core/formats/profile_file.h"
#include "core/formats/pvi_mapping.h"
#include "core/formats/pvi_table.h"
#include "core/formats/text_out.h"
#include "support/input_profiles.h"
#include "support/points_from_rows.h"

namespace ravo {
namespace {

// Points from stations below zero to beyond a million (where the shortest
// text of a double takes an exponent), each curve inside the room its
// neighbours leave. Stations and lengths are eighths, which a float holds
// exactly, so that the rows meet exactly and make one profile.
std::vector<PviPoint> RandomPoints(std::mt19937& random)
{
    const double starts[] = {0, -5000.25, 99990, 123456.75, 1e6, 0.125};
    const auto eighths = [&random](double most) {
        return static_cast<double>(
                   std::uniform_int_distribution<int>(0, static_cast<int>(most * 8))(random)) /
               8;
    };
    std::uniform_real_distribution<double> elevation(-50, 3000);
    std::uniform_int_distribution<int> kind(0, 2);
    const int count = std::uniform_int_distribution<int>(2, 9)(random);
    std::vector<double> stations = {starts[random() % std::size(starts)]};
    for (int i = 1; i < count; ++i)
        stations.push_back(stations.back() + 1 + eighths(5000));
    std::vector<PviPoint> points;
    for (std::size_t i = 0; i < stations.size(); ++i) {
        PviPoint p{stations[i], static_cast<float>(elevation(random))};
        if (i > 0 && i + 1 < stations.size()) {
            const double before = (stations[i] - stations[i - 1]) * 0.45;
            const double after = (stations[i + 1] - stations[i]) * 0.45;
            p.kind = static_cast<PviKind>(kind(random));
            if (p.kind == PviKind::Para)
                p.lengthIn = p.lengthOut = eighths(std::min(before, after));
            if (p.kind == PviKind::Unsym) {
                p.lengthIn = eighths(before);
                p.lengthOut = eighths(after);
            }
        }
        points.push_back(p);
    }
    return points;
}

// 48,000 points one to two units apart, each of a random kind up to
// lastKind in the last quarter and up to Para before, with curves of an
// eighth to three eighths of a unit each side, on grades up and down by
// turns; stations in 64ths, which floats hold exactly there.
std::vector<PviPoint> LongPoints(PviKind lastKind)
{
    constexpr int count = 48'000;
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> run(64, 128), rise(1, 300), side(8, 24);
    std::uniform_int_distribution<int> early(0, 1), late(0, static_cast<int>(lastKind));
    std::vector<PviPoint> points = {{.station = 0, .elevation = 250}};
    for (int i = 1; i < count; ++i) {
        PviPoint p{points.back().station + run(random) / 64.0,
                   points.back().elevation + (i % 2 ? 1 : -1) * rise(random) / 10'000.0};
        const int kind = i < count / 4 * 3 ? early(random) : late(random);
        p.kind = i + 1 < count ? static_cast<PviKind>(kind) : PviKind::Pvi;
        if (p.kind != PviKind::Pvi) {
            p.lengthIn = side(random) / 64.0;
            p.lengthOut = p.kind == PviKind::Para ? p.lengthIn : side(random) / 64.0;
        }
        points.push_back(p);
    }
    return points;
}

TEST(EveryFormat, WrittenProfilesReadBackToTheSameRows)
{
    for (unsigned seed = 1; seed <= 200; ++seed) {
        std::mt19937 random(seed);
        const InputProfile rows = RowsFromPoints(RandomPoints(random), "");
        const ProfileState state = test::StateOf(rows);
        const std::string texts[] = {
            InputFileText(state),
            PviCsvText(test::PointsFromRows(state, {})),
            LandXmlText(state, LengthUnits::Metres).text,
        };
        // Exported from the rows, the table is that of the points found.
        StringSink exported;
        WriteProfile(exported, state, ProfileFormat::PviCsv, LengthUnit::Meter);
        EXPECT_EQ(exported.text, texts[1]);
        for (const std::string& text : texts) {
            SCOPED_TRACE("seed " + std::to_string(seed) + "\n" + text);
            const LoadedProfile back = AnyProfileFromBytes(text);
            test::ExpectSameBits(back.profile, rows);
            EXPECT_EQ(text.find("e+"), std::string::npos);
        }
    }
}

// A long profile's points are drafted in two halves at once and their
// elevations chosen a stretch at a time while the first are written, but
// where unsymmetric curves must be read back first: the exports are those of
// the points found all at once, read back as the rows, and go to the file in
// pieces. A disk that fails part way through: the failure is passed on
// wherever it falls, in the text written as the points are chosen or in the
// last points' text made apart, and no thread outlives the export.
TEST(EveryFormat, LongProfilesReadBackAndADiskFailingPartWayIsPassedOn)
{
    // Keeps what it is given and its largest piece; fails as a full disk does
    // beyond `room`.
    class Sink : public ByteSink {
    public:
        explicit Sink(std::size_t room) : room_(room) {}
        void Write(std::string_view bytes) override
        {
            if (bytes.size() > room_)
                throw FileWriteError("disk full");
            room_ -= bytes.size();
            largest = std::max(largest, bytes.size());
            text.append(bytes);
        }
        std::size_t largest = 0;
        std::string text;

    private:
        std::size_t room_;
    };
    for (const auto lastKind : {PviKind::Para, PviKind::Unsym}) {
        const InputProfile rows = RowsFromPoints(LongPoints(lastKind), "");
        ASSERT_GT(rows.numVC, 1 << 16);
        const ProfileState state = test::StateOf(rows);
        for (const ProfileFormat format :
             {ProfileFormat::PviCsv, ProfileFormat::LandXml, ProfileFormat::InputFile}) {
            Sink whole(SIZE_MAX);
            WriteProfile(whole, state, format, LengthUnit::Meter);
            if (format == ProfileFormat::PviCsv) {
                EXPECT_EQ(whole.text, PviCsvText(test::PointsFromRows(state, {})));
            }
            test::ExpectSameBits(AnyProfileFromBytes(whole.text).profile, rows);
            const std::size_t size = whole.text.size();
            ASSERT_GT(size, 2 * TextOut::PieceBytes);
            EXPECT_LT(whole.largest, TextOut::PieceBytes + 1024);
            if (lastKind != PviKind::Para)
                continue;  // a failing disk is met alike
            for (const std::size_t room : {std::size_t{0}, size / 3, size / 6 * 5, size - 1}) {
                Sink sink(room);
                EXPECT_THROW(WriteProfile(sink, state, format, LengthUnit::Meter), FileWriteError)
                    << room;
            }
        }
    }
}

// expat refuses what XML 1.0 forbids, character references included.
std::string XmlFault(const std::string& text)
{
    XML_Parser parser = XML_ParserCreate(nullptr);
    const bool ok =
        XML_Parse(parser, text.data(), static_cast<int>(text.size()), 1) == XML_STATUS_OK;
    std::string fault = ok ? "" : XML_ErrorString(XML_GetErrorCode(parser));
    XML_ParserFree(parser);
    return fault;
}

TEST(LandXmlText, TitlesOfAnyCharactersMakeWellFormedXml)
{
    const struct {
        std::string title;
        std::string readBack;
    } cases[] = {
        {"a\x01z\x1F", "az"},
        {"tab\there\r\nline", "tab\there\r\nline"},
        {"\x7F caf\xC3\xA9 \xEF\xBF\xBF\xEF\xBF\xBE", "\x7F caf\xC3\xA9 "},
        {"caf\xE9\x02", "caf\xC3\xA9"},  // not UTF-8: taken as Windows-1252
        {"<&\"'>", "<&\"'>"},
    };
    InputProfile profile = test::kRidge;
    profile.numSup = 0;
    for (const auto& c : cases) {
        profile.title = c.title;
        const std::string text = LandXmlText(test::StateOf(profile), LengthUnits::Feet).text;
        EXPECT_EQ(XmlFault(text), "") << text;
        const LoadedProfile back = AnyProfileFromBytes(text);
        EXPECT_EQ(back.profile.title, c.readBack);
    }
}

}  // namespace
}  // namespace ravo
