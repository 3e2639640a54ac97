// Loading and saving profiles through the File menu, the title window, and the
// folder that each kind of file dialog opens in.
#include <QDir>
#include <QPushButton>

#include <string>

#include "core/formats/landxml_read.h"
#include "support/landxml_samples.h"
#include "support/window_fixture.h"
#include "ui/platform/dialog_folders.h"
#include "ui/small_windows/frm_title.h"

namespace ravo {
namespace {

class ProfileFiles : public WindowTest {
protected:
    QLineEdit* TitleBox() const { return window->TitleWindow().findChild<QLineEdit*>("txtTitle"); }
};

TEST_F(ProfileFiles, ALoadShowsTheFirstRowsAndReplacesTheWholeProfile)
{
    TypeOver("txtStation", "5");
    TypeOver("txtOffset", "12");
    Choose("mnuLoad", RAVO_EXAMPLES_DIR "/main-street.in");
    EXPECT_EQ(platform.dialogs.at(0).kind, FileDialogKind::Open);
    EXPECT_EQ(platform.dialogs[0].initialFilter, 2);  // input files first
    EXPECT_EQ(platform.dialogs[0].filterList,
              "All Files (*.*)|*.*|Input Files (*.in)|*.in|Text Files (*.txt)|*.txt|"
              "LandXML Files (*.xml)|*.xml|PVI Tables (*.csv)|*.csv");
    EXPECT_EQ(Texts({"txtNVC", "txtNSUP"}), QStringList({"1", "1"}));  // plain digits
    EXPECT_EQ(Texts({"txtE1", "txtG1", "txtG2", "txtSta1", "txtSta2", "txtSG1"}),
              QStringList({" 100", " .02", "-.01", " 1000", " 1200", " .0004"}));
    EXPECT_EQ(Texts({"txtStation", "txtOffset", "txtElevation"}), QStringList({"", "0", ""}));
    EXPECT_EQ(Panel(1), "Input file = main-street.in");
    EXPECT_EQ(TitleBox()->text(), "Main Street profile");
    EXPECT_FALSE(window->TitleWindow().isVisible());  // until the menu shows it

    const QByteArray precise =
        "\"\"\r\n1\r\n100.12345,0.0123456,-0.0123456,12345.678,12545.678\r\n-2\r\n";
    Choose("mnuLoad", Write("precise.in", precise));
    EXPECT_EQ(Texts({"txtNSUP", "txtSta1", "txtS1"}), QStringList({"-2", " 12345.68", ""}));
    EXPECT_FALSE(Frame("fraSuper")->isEnabled());
    EXPECT_EQ(TitleBox()->text(), "");
    // Keys without an edit store nothing: a box shows a row to seven digits
    // only, and a count box a loaded negative count that reads as 0.
    for (const char* name : {"txtE1", "txtG1", "txtG2", "txtSta1", "txtSta2"})
        QTest::keyClick(Box(name), Qt::Key_Home);
    QTest::keyClick(Box("txtNSUP"), Qt::Key_End);
    EXPECT_EQ(state.NumSup, -2);
    Choose("mnuInput", folder.filePath("saved.in"));
    EXPECT_EQ(Read(folder.filePath("saved.in")), precise);
}

// The title window takes the text on a key release and hides only by its button.
TEST_F(ProfileFiles, AProfileTypedByHandSavesAndExportsAndOutlivesAFailedLoad)
{
    TypeWorkedExample();
    Item("mnuDOutT")->trigger();
    frmTitle& title = window->TitleWindow();
    EXPECT_EQ(title.windowTitle(), "Output Title");
    TitleBox()->setText("Main Street profile");  // no key released: not yet the title
    EXPECT_EQ(state.OutputTitle, "");
    QTest::keyClick(TitleBox(), Qt::Key_End);
    EXPECT_FALSE(title.close());  // the title bar cannot close it
    QTest::mouseClick(title.findChild<QPushButton*>("Command1"), Qt::LeftButton);
    EXPECT_FALSE(title.isVisible());
    Item("mnuDOutT")->trigger();
    EXPECT_TRUE(title.isVisible());
    const QString path = folder.filePath("typed.in");
    Choose("mnuInput", path);
    EXPECT_EQ(platform.dialogs.back().kind, FileDialogKind::Save);
    EXPECT_EQ(Panel(1), "Input file = typed.in");
    EXPECT_EQ(Read(path), Read(RAVO_EXAMPLES_DIR "/main-street.in"));

    // A save or a load that fails or is cancelled changes nothing.
    Choose("mnuInput", folder.filePath("no-such-folder/new.in"));
    Item("mnuInput")->trigger();
    Choose("mnuLoad", Write("short.in", "\"Cut short\"\r\n2\r\n100,0,0,0,10\r\n"));
    Item("mnuLoad")->trigger();
    EXPECT_EQ(platform.MessageTexts(),
              QStringList({"Error saving input file", "Error loading input file"}));
    EXPECT_EQ(platform.messages[1].detail,
              "the file ends before the beginning elevation of curve 2 of 2");
    EXPECT_EQ(Panel(1), "Input file = typed.in");
    EXPECT_EQ(state.OutputTitle, "Main Street profile");
    EXPECT_EQ(Text("txtE1"), "100");

    // LandXML As writes the curves, or says why not; it is an export, not a save.
    platform.messages.clear();
    Choose("mnuLandXML", folder.filePath("main.xml"));
    EXPECT_EQ(ImportLandXml(Read(folder.filePath("main.xml")).toStdString(), {}).profile.numVC, 1);
    EXPECT_EQ(platform.messages.size(), 1u);  // the superelevation is left out
    EXPECT_EQ(Panel(1), "Input file = typed.in");
    TypeOver("txtNVC", "2");  // two rows of zeros: zero length at station 0
    Choose("mnuLandXML", folder.filePath("refused.xml"));
    EXPECT_TRUE(platform.messages.back().text.contains(
        "written:\n\ncurve 1: zero length at station 0.000"));  // with the faults found
    EXPECT_FALSE(QFile::exists(folder.filePath("refused.xml")));

    window->ResetAll();  // as before a load: empties the title, not the box
    EXPECT_EQ(state.OutputTitle, "");
    EXPECT_EQ(TitleBox()->text(), "Main Street profile");
}

TEST_F(ProfileFiles, LandXmlWithSeveralProfilesAsksWhichToLoad)
{
    const QString path = Write("road.xml", QByteArray::fromStdString(samples::LandXml));
    platform.chosenItems = {std::nullopt, 1};
    Choose("mnuLoad", path);  // cancelled: nothing changes, nothing is said
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(Panel(1), "No input file specified");

    Choose("mnuLoad", path);
    EXPECT_EQ(platform.choices.at(1).at(1), "alignment \"Ramp\", profile \"Prelim\"");
    EXPECT_EQ(Panel(1), "Input file = road.xml");
    EXPECT_EQ(Texts({"txtNVC", "txtE1"}), QStringList({"1", " 10"}));
    EXPECT_EQ(TitleBox()->text(), "Ramp - Prelim");
    EXPECT_EQ(platform.messages.size(), 1u);  // the notes, in one message
    // Written back as LandXML, the profile keeps the file's unit; the next
    // file's, without units, is metres. (How profiles of the same names are
    // told apart is the reader's to check.)
    Choose("mnuLandXML", folder.filePath("ramp.xml"));
    EXPECT_TRUE(Read(folder.filePath("ramp.xml")).contains("linearUnit=\"foot\""));
    const std::string plain = samples::InOneProfile("<PVI>0 1</PVI><PVI>20 2</PVI>");
    Choose("mnuLoad", Write("plain.xml", QByteArray::fromStdString(plain)));
    EXPECT_EQ(Texts({"txtSta2"}), QStringList({" 20"}));
    Choose("mnuLandXML", folder.filePath("plain-out.xml"));
    EXPECT_TRUE(Read(folder.filePath("plain-out.xml")).contains("linearUnit=\"meter\""));
}

// Each kind of file dialog opens in the folder of its own last choice.
TEST(DialogFolders, EachKindKeepsItsOwnFolderWhileItExists)
{
    const QString input = "All Files (*.*)|*.*|Input Files (*.in)|*.in|Text Files (*.txt)|*.txt";
    const QString output = "All Files (*.*)|*.*|Output Files (*.out)|*.out";
    struct Case {
        FileDialogRequest request;
        QString key;
    };
    const Case cases[] = {
        {{FileDialogKind::Open, input + "|LandXML Files (*.xml)|*.xml", 2}, "FileDialogs/in"},
        {{FileDialogKind::Save, input, 2}, "FileDialogs/in"},  // loads and saves share
        {{FileDialogKind::Save, output, 2}, "FileDialogs/out"},
        {{FileDialogKind::Save, output, 9}, "FileDialogs/all"},  // no such entry: the first
        {{FileDialogKind::Open, "", 1}, "FileDialogs/all"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DialogFolderKey(c.request), c.key) << c.request.filterList.toStdString();

    QTemporaryDir top;
    ASSERT_TRUE(QDir(top.path()).mkpath("reports"));
    const FileDialogRequest load = cases[0].request, report = cases[2].request;
    EXPECT_EQ(LastDialogFolder(load), "");
    RememberDialogFolder(load, top.filePath("road.in"));
    RememberDialogFolder(report, top.filePath("reports/road.out"));
    EXPECT_EQ(LastDialogFolder(cases[1].request), top.path());
    EXPECT_EQ(LastDialogFolder(report), top.filePath("reports"));
    ASSERT_TRUE(QDir(top.filePath("reports")).removeRecursively());
    EXPECT_EQ(LastDialogFolder(report), "");  // gone: the dialog's own choice
}

}  // namespace
}  // namespace ravo
