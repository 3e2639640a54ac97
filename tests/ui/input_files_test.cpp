#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include "core/input_file.h"
#include "frm_title.h"
#include "window_fixture.h"

namespace ravo {
namespace {

class InputFiles : public WindowTest {
protected:
    QString PathOf(const QString& name) const { return folder.filePath(name); }

    QString Write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(PathOf(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    static QByteArray Read(const QString& path)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    void Load(const QString& path)
    {
        platform.files.push_back(FileChoice{path, QFileInfo(path).fileName()});
        Item("mnuLoad")->trigger();
    }

    void Save(const QString& path)
    {
        platform.files.push_back(FileChoice{path, QFileInfo(path).fileName()});
        Item("mnuInput")->trigger();
    }

    QLineEdit* TitleBox() const { return window->TitleWindow().findChild<QLineEdit*>("txtTitle"); }

    QStringList ElevationsAt(const QStringList& stations) const
    {
        QStringList shown;
        for (const QString& station : stations) {
            TypeOver("txtStation", station);
            shown << Text("txtElevation");
        }
        return shown;
    }

    QTemporaryDir folder;
};

TEST_F(InputFiles, LoadingShowsTheFirstCurveAndSegment)
{
    TypeOver("txtStation", "5");
    Load(RAVO_EXAMPLES_DIR "/main-street.in");
    EXPECT_TRUE(platform.messages.empty());
    ASSERT_EQ(platform.dialogs.size(), 1u);
    EXPECT_EQ(platform.dialogs[0].kind, FileDialogKind::Open);
    EXPECT_EQ(platform.dialogs[0].filterList,
              "All Files (*.*)|*.*|Input Files (*.in)|*.in|Text Files (*.txt)|*.txt");

    EXPECT_EQ(Text("txtNVC"), "1");  // plain digits after a load
    EXPECT_EQ(Text("txtNSUP"), "1");
    EXPECT_EQ(Frame("fraVCurve")->title(), "VERTICAL CURVE NO. 1");
    EXPECT_EQ(Frame("fraSuper")->title(), "SUPERELEVATION SEGMENT NO. 1");
    const QStringList curve = {Text("txtE1"), Text("txtG1"), Text("txtG2"), Text("txtSta1"),
                               Text("txtSta2")};
    EXPECT_EQ(curve, QStringList({" 100", " .02", "-.01", " 1000", " 1200"}));
    EXPECT_EQ(Text("txtSG1"), " .0004");
    EXPECT_EQ(Text("txtStation"), "");
    EXPECT_EQ(Text("txtOffset"), "0");
    EXPECT_EQ(Text("txtElevation"), "");
    EXPECT_EQ(Panel(1), "Input file = main-street.in");
    EXPECT_EQ(state.InputFileTitle, "main-street.in");
    EXPECT_EQ(state.OutputTitle, "Main Street profile");
    EXPECT_EQ(TitleBox()->text(), "Main Street profile");
    EXPECT_FALSE(window->TitleWindow().isVisible());  // created hidden
    EXPECT_EQ(state.Loading, 0);
    EXPECT_EQ(state.IdxVC, 1);

    TypeOver("txtOffset", "12");
    EXPECT_EQ(ElevationsAt({"1000", "1100", "1150", "1250"}),
              QStringList({"99.760", "101.490", "101.313", "0.000"}));
}

TEST_F(InputFiles, ALoadReplacesTheWholeProfile)
{
    Load(RAVO_EXAMPLES_DIR "/ridge-road.in");
    ASSERT_GT(state.NumVC, 5);
    Load(Write("short.in", "\"Short\"\r\n0\r\n2\r\n0,0,0,0,10\r\n0.02,0,0,10,20\r\n"));
    EXPECT_EQ(state.NumVC, 0);
    EXPECT_EQ(Text("txtNVC"), "0");
    EXPECT_FALSE(Frame("fraVCurve")->isEnabled());
    EXPECT_EQ(Frame("fraVCurve")->title(), "VERTICAL CURVES");
    EXPECT_EQ(Text("txtE1"), "");
    EXPECT_EQ(Text("txtNSUP"), "2");
    QTest::mouseClick(Button("SScmdNextSup"), Qt::LeftButton);
    EXPECT_EQ(Text("txtS1"), " .02");
    EXPECT_EQ(TitleBox()->text(), "Short");

    Load(Write("negative.in", "\"\"\r\n1\r\n1,0,0,0,10\r\n-2\r\n"));
    EXPECT_EQ(Text("txtNSUP"), "-2");
    EXPECT_FALSE(Frame("fraSuper")->isEnabled());
    EXPECT_EQ(TitleBox()->text(), "");
}

TEST_F(InputFiles, AFailedOrCancelledLoadChangesNothing)
{
    TypeWorkedExample();
    state.OutputTitle = "Typed";
    state.InputPath = "/earlier/road.in";
    window->SetPanelText(1, "Input file = road.in");
    const ProfileState before = state;

    Load(Write("short.in", "\"Cut short\"\r\n2\r\n100,0,0,0,10\r\n"));
    Load(PathOf("missing.in"));
    Load(Write("empty.in", ""));
    ASSERT_EQ(::mkfifo(PathOf("pipe.in").toLocal8Bit().constData(), 0666), 0);
    Load(PathOf("pipe.in"));  // at once: a FIFO is never opened to wait for a writer
    EXPECT_EQ(platform.MessageTexts(), QStringList(4, "Error loading input file"));
    QStringList details;
    for (const Message& message : platform.messages)
        details << message.detail;
    EXPECT_EQ(details, QStringList({"the file ends before the beginning elevation of curve 2 of 2",
                                    PathOf("missing.in") + ": No such file or directory",
                                    "the file ends before the title or the curve count",
                                    PathOf("pipe.in") + ": Not a regular file (a FIFO)"}));
    platform.messages.clear();
    Item("mnuLoad")->trigger();  // the dialog is cancelled
    EXPECT_TRUE(platform.messages.empty());

    EXPECT_EQ(state.NumVC, before.NumVC);
    EXPECT_EQ(state.VcSta2, before.VcSta2);
    EXPECT_EQ(state.OutputTitle, "Typed");
    EXPECT_EQ(state.InputPath, "/earlier/road.in");
    EXPECT_EQ(Panel(1), "Input file = road.in");
    EXPECT_EQ(Text("txtE1"), "100");
    EXPECT_EQ(Frame("fraVCurve")->title(), "VERTICAL CURVE NO. 1");
}

TEST_F(InputFiles, AProfileTypedByHandSavesAndLoadsBack)
{
    TypeWorkedExample();
    Item("mnuDOutT")->trigger();
    EXPECT_TRUE(window->TitleWindow().isVisible());
    TitleBox()->setFocus();
    QTest::keyClicks(TitleBox(), "Main Street profile");
    EXPECT_EQ(state.OutputTitle, "Main Street profile");
    const QString path = PathOf("typed.in");
    Save(path);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(platform.dialogs.back().kind, FileDialogKind::Save);
    EXPECT_EQ(Panel(1), "Input file = typed.in");
    EXPECT_EQ(state.InputPath, path.toStdString());
    EXPECT_EQ(Read(path), Read(RAVO_EXAMPLES_DIR "/main-street.in"));

    Item("mnuResetAll")->trigger();
    Load(path);
    TypeOver("txtOffset", "12");
    EXPECT_EQ(ElevationsAt({"1000", "1100", "1150", "1250"}),
              QStringList({"99.760", "101.490", "101.313", "0.000"}));
    EXPECT_EQ(TitleBox()->text(), "Main Street profile");
}

TEST_F(InputFiles, AFailedSaveKeepsTheOldFileAndTheNames)
{
    TypeWorkedExample();
    const QString existing = Write("kept.in", "\"Old\"\r\n0\r\n0\r\n");
    Save(existing);
    ASSERT_TRUE(platform.messages.empty());
    platform.messages.clear();

    Save(PathOf("no-such-folder/new.in"));
    EXPECT_EQ(platform.MessageTexts(), QStringList({"Error saving input file"}));
    EXPECT_EQ(platform.messages[0].detail,
              PathOf("no-such-folder") + ": No such file or directory");
    EXPECT_EQ(state.InputPath, existing.toStdString());
    EXPECT_EQ(Panel(1), "Input file = kept.in");

    Item("mnuInput")->trigger();  // cancelled: nothing is written or asked
    EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(InputFiles, TitleWindowTakesTheTextOnKeyReleaseAndHidesOnClose)
{
    Item("mnuDOutT")->trigger();
    frmTitle& title = window->TitleWindow();
    EXPECT_EQ(title.windowTitle(), "Output Title");
    TitleBox()->setText("Pasted");  // no key released: not yet the title
    EXPECT_EQ(state.OutputTitle, "");
    QTest::keyClick(TitleBox(), Qt::Key_End);
    EXPECT_EQ(state.OutputTitle, "Pasted");

    EXPECT_FALSE(title.close());  // the title bar cannot close it
    EXPECT_TRUE(title.isVisible());
    QTest::mouseClick(title.findChild<QPushButton*>("Command1"), Qt::LeftButton);
    EXPECT_FALSE(title.isVisible());
    Item("mnuDOutT")->trigger();
    EXPECT_EQ(&window->TitleWindow(), &title);
    EXPECT_EQ(TitleBox()->text(), "Pasted");

    window->ResetAll();  // empties the title, not the box
    EXPECT_EQ(state.OutputTitle, "");
    EXPECT_EQ(TitleBox()->text(), "Pasted");
}

TEST_F(InputFiles, KeysWithoutAnEditKeepEveryDigitOfALoadedRow)
{
    const QByteArray file =
        "\"\"\r\n1\r\n100.12345,0.0123456,-0.0123456,12345.678,12545.678\r\n-2\r\n";
    Load(Write("precise.in", file));
    ASSERT_EQ(Text("txtSta1"), " 12345.68");  // shown to seven digits
    for (const char* name : {"txtE1", "txtG1", "txtG2", "txtSta1", "txtSta2"}) {
        Box(name)->setFocus();
        QTest::keyClick(Box(name), Qt::Key_Tab);
        QTest::keyClick(Box(name), Qt::Key_Home);
    }
    // Keys in a count box that shows a loaded negative count change nothing either.
    Item("mnuVOut")->setEnabled(true);
    QTest::keyClick(Box("txtNSUP"), Qt::Key_End);
    EXPECT_EQ(state.NumSup, -2);
    EXPECT_TRUE(Item("mnuVOut")->isEnabled());

    const QString saved = PathOf("saved.in");
    Save(saved);
    EXPECT_EQ(Read(saved), file);
}

}  // namespace
}  // namespace ravo
