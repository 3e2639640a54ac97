// The ground in the desktop program: loaded through File > Load Ground or with
// a LandXML profile, drawn under the grade line with its cut, fill and mass haul.
#include <QDoubleSpinBox>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QToolButton>

#include "support/window_fixture.h"
#include "ui/profile_window/frm_profile_plot.h"

namespace ravo {
namespace {

// A level design at 100 from 0 to 1000 over a ground rising to 101 at 500 and
// falling again: fill, cut from 250 to 750, fill.
const QByteArray Road = R"(<?xml version="1.0" encoding="UTF-8"?>
<LandXML xmlns="http://www.landxml.org/schema/LandXML-1.2" version="1.2">
  <Alignments>
    <Alignment name="Road" staStart="0" length="1000">
      <Profile name="Road">
        <ProfSurf name="Proposed" state="proposed"><PntList2D>0 50 1000 50</PntList2D></ProfSurf>
        <ProfSurf name="EG" state="existing"><PntList2D>0 99 500 101 1000 99</PntList2D></ProfSurf>
        <ProfAlign name="Design"><PVI>0 100</PVI><PVI>1000 100</PVI></ProfAlign>
      </Profile>
    </Alignment>
  </Alignments>
</LandXML>
)";

class GroundWindow : public WindowTest {
protected:
    std::size_t GroundPoints() const { return window->Ground().Points().size(); }
};

TEST_F(GroundWindow, LoadsAGroundThroughTheMenuAndKeepsItWhenAFileIsRefused)
{
    frmProfile* profile = OpenProfile();
    ASSERT_NE(profile, nullptr);
    Choose("mnuGround", Write("ground.csv", "station,elevation\n0,99\n500,101\n1000,99\n"));
    EXPECT_EQ(GroundPoints(), 3u);
    EXPECT_TRUE(profile->Plot().Ground().HasGround());
    EXPECT_TRUE(platform.messages.empty()) << platform.Last().toStdString();

    // A file the reader refuses says why (the reasons are the core's to
    // check), and the ground stays.
    Choose("mnuGround", Write("bad.csv", "station,elevation\n0,99\n10,abc\n"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.startsWith("Error loading ground file bad.csv:"));
    EXPECT_TRUE(platform.messages[0].text.contains("line 3")) << platform.Last().toStdString();
    EXPECT_EQ(GroundPoints(), 3u);

    // Several ground lines: the user picks one, or cancels and keeps the ground.
    platform.messages.clear();
    const QString xml = Write("road.xml", Road);
    platform.chosenItems.push_back(std::nullopt);
    Choose("mnuGround", xml);
    ASSERT_EQ(platform.choices.size(), 1u);
    EXPECT_EQ(platform.choices[0],
              QStringList({"Proposed (proposed), 2 points", "EG (existing), 3 points"}));
    EXPECT_EQ(GroundPoints(), 3u);
    platform.chosenItems.push_back(0);
    Choose("mnuGround", xml);
    ASSERT_EQ(GroundPoints(), 2u);
    EXPECT_EQ(window->Ground().Points()[0].elevation, 50);
    EXPECT_EQ(profile->Plot().Ground().Ground().Points().size(), 2u);
    EXPECT_TRUE(platform.messages.empty());
}

// A LandXML profile brings its existing ground line, which the profile window
// made afterwards shows: its readout and mass haul panel follow the section's
// boxes and the toggle. A profile without ground keeps it, for the fit too.
TEST_F(GroundWindow, TheGroundOfALandXmlProfileIsShownAndKept)
{
    Choose("mnuLoad", Write("road.xml", Road));
    ASSERT_EQ(GroundPoints(), 3u);  // the existing line, not the first
    EXPECT_EQ(window->Ground().Points()[1].elevation, 101);
    EXPECT_TRUE(platform.choices.empty());
    frmProfile* profile = OpenProfile();
    ProfilePlot& plot = profile->Plot();
    auto at = [&plot](double station) {
        return plot.GroundReadoutAt(XOfStation(plot.View(), station));
    };
    EXPECT_TRUE(at(100).startsWith("Ground 99.400  Fill 0.600  Mass ordinate -"))
        << at(100).toStdString();
    EXPECT_TRUE(at(300).startsWith("Ground 100.200  Cut 0.200  Mass ordinate -"));

    // The scene's mass and balance points are the core's; here, that the
    // section's boxes reach it. Fill of 1 falling to 0 over 250 with W = 10
    // and 1:2 slopes is 250 (10/2 + 2/3).
    auto massAt = [&](double station) {
        return MassAtX(plot.GroundSceneNow(), XOfStation(plot.View(), station)).value_or(NAN);
    };
    EXPECT_NEAR(massAt(250), -250 * (5 + 2.0 / 3), 15);

    // A wider formation moves more earth: the mass follows the box at once.
    profile->findChild<QDoubleSpinBox*>("spnWidth")->setValue(20);
    EXPECT_NEAR(massAt(250), -250 * (10 + 2.0 / 3), 25);
    profile->findChild<QDoubleSpinBox*>("spnFillSlope")->setValue(0);
    EXPECT_NEAR(massAt(250), -250 * 10, 25);

    // The mass haul panel is toggled beneath the grade panel.
    const int gradeAlone = plot.View().gradeHeight;
    EXPECT_EQ(plot.View().massHeight, 0);
    EXPECT_TRUE(plot.GroundSceneNow().massPanel.lines.empty());

    auto* toggle = profile->findChild<QToolButton*>("tbMassHaul");
    QTest::mouseClick(toggle, Qt::LeftButton);
    EXPECT_GT(plot.View().massHeight, 30);
    EXPECT_LT(plot.View().gradeHeight, gradeAlone - plot.View().massHeight);
    ASSERT_EQ(plot.GroundSceneNow().massPanel.lines.size(), 1u);

    // The ground line and the mass line are painted in their own colours, on
    // the screen and in an export at another size.
    QImage exported(1600, 1000, QImage::Format_RGB32);
    {
        QPainter painter(&exported);
        plot.Paint(painter, exported.size());
    }
    for (const QImage& image : {plot.grab().toImage(), exported}) {
        for (const QRgb colour : {qRgb(130, 80, 30), qRgb(120, 40, 150)}) {  // ground, mass
            bool painted = false;
            for (int y = 0; y < image.height() && !painted; ++y)
                for (int x = 0; x < image.width() && !painted; ++x)
                    painted = image.pixel(x, y) == colour;
            EXPECT_TRUE(painted) << std::hex << colour;
        }
    }

    QTest::mouseClick(toggle, Qt::LeftButton);
    EXPECT_EQ(plot.View().massHeight, 0);
    EXPECT_EQ(plot.View().gradeHeight, gradeAlone);

    Choose("mnuLoad", RAVO_EXAMPLES_DIR "/ridge-road.in");
    EXPECT_EQ(GroundPoints(), 3u);
    Item("mnuFitGrade")->trigger();
    EXPECT_TRUE(
        window->findChild<QLabel*>("lblGround")->text().startsWith("Loaded ground: 3 points"));
}

}  // namespace
}  // namespace ravo
