// Loading and saving profiles through the File menu, and the title window.
#include <QPushButton>

#include "core/landxml_read.h"
#include "core/landxml_samples.h"
#include "frm_title.h"
#include "window_fixture.h"

namespace ravo {
namespace {

class ProfileFiles : public WindowTest {
protected:
    QLineEdit* TitleBox() const { return window->TitleWindow().findChild<QLineEdit*>("txtTitle"); }
};

TEST_F(ProfileFiles, LoadingShowsTheFirstCurveAndSegment)
{
    TypeOver("txtStation", "5");
    Choose("mnuLoad", RAVO_EXAMPLES_DIR "/main-street.in");
    EXPECT_TRUE(platform.messages.empty());
    ASSERT_EQ(platform.dialogs.size(), 1u);
    EXPECT_EQ(platform.dialogs[0].kind, FileDialogKind::Open);
    EXPECT_EQ(platform.dialogs[0].initialFilter, 2);  // input files first
    EXPECT_EQ(platform.dialogs[0].filterList,
              "All Files (*.*)|*.*|Input Files (*.in)|*.in|Text Files (*.txt)|*.txt");
    EXPECT_EQ(Texts({"txtNVC", "txtNSUP"}), QStringList({"1", "1"}));  // plain digits
    EXPECT_EQ(Frame("fraVCurve")->title(), "VERTICAL CURVE NO. 1");
    EXPECT_EQ(Frame("fraSuper")->title(), "SUPERELEVATION SEGMENT NO. 1");
    EXPECT_EQ(Texts({"txtE1", "txtG1", "txtG2", "txtSta1", "txtSta2", "txtSG1"}),
              QStringList({" 100", " .02", "-.01", " 1000", " 1200", " .0004"}));
    EXPECT_EQ(Texts({"txtStation", "txtOffset", "txtElevation"}), QStringList({"", "0", ""}));
    EXPECT_EQ(Panel(1), "Input file = main-street.in");
    EXPECT_EQ(TitleBox()->text(), "Main Street profile");
    EXPECT_FALSE(window->TitleWindow().isVisible());  // created hidden
    TypeOver("txtOffset", "12");
    TypeOver("txtStation", "1000");
    EXPECT_EQ(Text("txtElevation"), "99.760");
}

TEST_F(ProfileFiles, ALoadReplacesTheWholeProfileAndKeepsEveryDigitOfIt)
{
    Choose("mnuLoad", RAVO_EXAMPLES_DIR "/ridge-road.in");
    ASSERT_GT(state.NumVC, 5);
    Choose("mnuLoad", Write("short.in", "\"Short\"\r\n0\r\n2\r\n0,0,0,0,10\r\n0.02,0,0,10,20\r\n"));
    EXPECT_EQ(Texts({"txtNVC", "txtE1"}), QStringList({"0", ""}));
    EXPECT_FALSE(Frame("fraVCurve")->isEnabled());
    EXPECT_EQ(Frame("fraVCurve")->title(), "VERTICAL CURVES");
    Click("SScmdNextSup");
    EXPECT_EQ(Text("txtS1"), " .02");
    EXPECT_EQ(TitleBox()->text(), "Short");

    const QByteArray precise =
        "\"\"\r\n1\r\n100.12345,0.0123456,-0.0123456,12345.678,12545.678\r\n-2\r\n";
    Choose("mnuLoad", Write("precise.in", precise));
    EXPECT_EQ(Texts({"txtNSUP", "txtSta1"}), QStringList({"-2", " 12345.68"}));
    EXPECT_FALSE(Frame("fraSuper")->isEnabled());
    EXPECT_EQ(TitleBox()->text(), "");
    // Keys without an edit store nothing: a box shows a row to seven digits
    // only, and a count box a loaded negative count that reads as 0.
    for (const char* name : {"txtE1", "txtG1", "txtG2", "txtSta1", "txtSta2"})
        QTest::keyClick(Box(name), Qt::Key_Home);
    Item("mnuVOut")->setEnabled(true);
    QTest::keyClick(Box("txtNSUP"), Qt::Key_End);
    EXPECT_EQ(state.NumSup, -2);
    EXPECT_TRUE(Item("mnuVOut")->isEnabled());
    Choose("mnuInput", folder.filePath("saved.in"));
    EXPECT_EQ(Read(folder.filePath("saved.in")), precise);
}

TEST_F(ProfileFiles, AFailedOrCancelledLoadChangesNothing)
{
    TypeWorkedExample();
    state.OutputTitle = "Typed";
    state.InputPath = "/earlier/road.in";
    window->SetPanelText(1, "Input file = road.in");
    Choose("mnuLoad", Write("short.in", "\"Cut short\"\r\n2\r\n100,0,0,0,10\r\n"));
    ASSERT_EQ(platform.MessageTexts(), QStringList({"Error loading input file"}));
    EXPECT_EQ(platform.messages[0].detail,
              "the file ends before the beginning elevation of curve 2 of 2");
    Item("mnuLoad")->trigger();  // the dialog is cancelled
    EXPECT_EQ(platform.messages.size(), 1u);

    EXPECT_EQ(state.NumVC, 1);
    EXPECT_EQ(state.OutputTitle, "Typed");
    EXPECT_EQ(state.InputPath, "/earlier/road.in");
    EXPECT_EQ(Panel(1), "Input file = road.in");
    EXPECT_EQ(Text("txtE1"), "100");
    EXPECT_EQ(Frame("fraVCurve")->title(), "VERTICAL CURVE NO. 1");
}

TEST_F(ProfileFiles, LandXmlWithSeveralProfilesAsksWhichToLoad)
{
    const QString path = Write("road.xml", QByteArray::fromStdString(samples::TwoAlignments));
    platform.chosenItems = {std::nullopt, 1};
    Choose("mnuLoad", path);  // cancelled: nothing changes, nothing is said
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(Panel(1), "No input file specified");

    Choose("mnuLoad", path);
    ASSERT_EQ(platform.choices.size(), 2u);
    EXPECT_EQ(platform.choices[1], QStringList({"alignment \"North\", profile \"Design\"",
                                                "alignment \"South\", profile \"Design\""}));
    EXPECT_EQ(Panel(1), "Input file = road.xml");
    EXPECT_EQ(Texts({"txtNVC", "txtE1"}), QStringList({"1", " 50"}));
    EXPECT_EQ(TitleBox()->text(), "South - Design");
    ASSERT_EQ(platform.messages.size(), 1u);  // the notes, in one message
    EXPECT_TRUE(platform.messages[0].text.contains("Lengths are in meter"));
}

TEST_F(ProfileFiles, AProfileTypedByHandSavesAsTheFileItCameFrom)
{
    TypeWorkedExample();
    Item("mnuDOutT")->trigger();
    TitleBox()->setFocus();
    QTest::keyClicks(TitleBox(), "Main Street profile");
    const QString path = folder.filePath("typed.in");
    Choose("mnuInput", path);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(platform.dialogs.back().kind, FileDialogKind::Save);
    EXPECT_EQ(Panel(1), "Input file = typed.in");
    EXPECT_EQ(Read(path), Read(RAVO_EXAMPLES_DIR "/main-street.in"));

    Choose("mnuInput", folder.filePath("no-such-folder/new.in"));  // the old names stay
    EXPECT_EQ(platform.MessageTexts(), QStringList({"Error saving input file"}));
    EXPECT_EQ(state.InputPath, path.toStdString());
    EXPECT_EQ(Panel(1), "Input file = typed.in");
    Item("mnuInput")->trigger();  // cancelled: nothing is written or asked
    EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(ProfileFiles, LandXmlAsWritesTheCurvesOrSaysWhyNot)
{
    TypeWorkedExample();  // one curve and one segment
    const QString path = folder.filePath("main.xml");
    Choose("mnuLandXML", path);
    EXPECT_EQ(platform.dialogs[0].filterList, "LandXML Files (*.xml)|*.xml");
    EXPECT_EQ(ImportLandXml(Read(path).toStdString(), {}).profile.numVC, 1);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.contains("superelevation segments"));
    EXPECT_EQ(Panel(1), "No input file specified");  // an export, not a save

    TypeOver("txtNVC", "2");  // two rows of zeros: zero length at station 0
    Choose("mnuLandXML", folder.filePath("refused.xml"));
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_TRUE(platform.messages[1].text.contains(
        "so no LandXML file was written:\n\ncurve 1: zero length at station 0.000"));
    EXPECT_FALSE(QFile::exists(folder.filePath("refused.xml")));
}

TEST_F(ProfileFiles, TitleWindowTakesTheTextOnKeyReleaseAndHidesOnClose)
{
    Item("mnuDOutT")->trigger();
    frmTitle& title = window->TitleWindow();
    EXPECT_TRUE(title.isVisible());
    EXPECT_EQ(title.windowTitle(), "Output Title");
    TitleBox()->setText("Pasted");  // no key released: not yet the title
    EXPECT_EQ(state.OutputTitle, "");
    QTest::keyClick(TitleBox(), Qt::Key_End);
    EXPECT_EQ(state.OutputTitle, "Pasted");

    EXPECT_FALSE(title.close());  // the title bar cannot close it
    QTest::mouseClick(title.findChild<QPushButton*>("Command1"), Qt::LeftButton);
    EXPECT_FALSE(title.isVisible());
    Item("mnuDOutT")->trigger();
    EXPECT_EQ(&window->TitleWindow(), &title);
    EXPECT_TRUE(title.isVisible());

    window->ResetAll();  // empties the title, not the box
    EXPECT_EQ(TitleBox()->text(), "Pasted");
}

}  // namespace
}  // namespace ravo
