// The main window on the desktop: the standard keys, files opened from the
// command line, a drop or the recent files list, and what is kept between runs;
// and how the command line is read.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QSpinBox>
#include <QUrl>

#include "support/window_fixture.h"
#include "ui/main_window/command_line.h"
#include "ui/profile_window/frm_profile.h"
#include "ui/small_windows/help_file.h"

namespace ravo {
namespace {

const QByteArray ShortProfile = "\"Short\"\r\n1\r\n10,0.01,0.01,0,100\r\n0\r\n";

class Desktop : public WindowTest {
protected:
    // Drags the URLs over the target and drops them: whether the drag was
    // taken, after the queued load has run.
    bool Drop(QWidget* target, const QList<QUrl>& urls)
    {
        QMimeData data;
        data.setUrls(urls);
        data.setText(urls.isEmpty() ? QString() : urls.constFirst().toString());
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        QCoreApplication::processEvents();
        return drop.isAccepted();
    }

    void Restart()
    {
        window.reset();
        platform = {};
        WindowTest::SetUp();
    }

    QStringList RecentCaptions() const
    {
        QStringList captions;
        for (QAction* item : window->findChild<QMenu*>("mnuRecent")->actions()) {
            if (item->isVisible())
                captions << item->text();
        }
        return captions;
    }
};

// Each key reaches its item from a box with the focus, and the menu shows it.
TEST_F(Desktop, StandardKeysRunTheirMenuItems)
{
    struct Case {
        const char* item;
        const char* caption;
        QKeyCombination key;
        const char* shown;
    };
    const Case cases[] = {{"mnuLoad", "&Load Input", Qt::CTRL | Qt::Key_O, "Ctrl+O"},
                          {"mnuInput", "&Input As", Qt::CTRL | Qt::Key_S, "Ctrl+S"},
                          {"mnuContents", "&Contents", QKeyCombination(Qt::Key_F1), "F1"},
                          {"mnuExit", "&Exit", Qt::CTRL | Qt::Key_Q, "Ctrl+Q"}};
    Box("txtStation")->setFocus();
    for (const Case& c : cases) {
        EXPECT_EQ(Item(c.item)->text(), c.caption);
        EXPECT_EQ(Item(c.item)->shortcut().toString(), c.shown);
        QTest::keyClick(static_cast<QWidget*>(nullptr), c.key.key(), c.key.keyboardModifiers());
    }
    ASSERT_EQ(platform.dialogs.size(), 2u);  // both cancelled
    EXPECT_EQ(platform.dialogs[0].kind, FileDialogKind::Open);
    EXPECT_EQ(platform.dialogs[1].kind, FileDialogKind::Save);
    EXPECT_EQ(platform.helpTopics,
              (std::vector<std::pair<QString, QString>>{{HelpFilePath(), "Overview.htm"}}));
    EXPECT_EQ(Text("txtStation"), "");  // no key reached the box
    EXPECT_FALSE(window->isVisible());
}

// One local file dropped on the window or on a box loads; the box does not
// take the file's name as text. Other drags are not taken. A file named on the
// command line loads by a relative name too; one that does not load says so.
TEST_F(Desktop, ADroppedOrNamedFileLoads)
{
    const QString path = Write("short.in", ShortProfile);
    const QString other = Write("other.in", ShortProfile);
    EXPECT_FALSE(Drop(window.get(), {QUrl::fromLocalFile(path), QUrl::fromLocalFile(other)}));
    EXPECT_FALSE(Drop(window.get(), {QUrl("https://example.org/road.in")}));
    EXPECT_FALSE(Drop(window.get(), {}));
    EXPECT_EQ(Panel(1), "No input file specified");

    EXPECT_TRUE(Drop(window.get(), {QUrl::fromLocalFile(path)}));
    EXPECT_EQ(Panel(1), "Input file = short.in");
    EXPECT_EQ(Text("txtE1"), " 10");
    EXPECT_TRUE(Drop(Box("txtStation"), {QUrl::fromLocalFile(other)}));
    EXPECT_EQ(Panel(1), "Input file = other.in");
    EXPECT_EQ(Text("txtStation"), "");
    EXPECT_TRUE(platform.messages.empty());

    const QString before = QDir::currentPath();
    QDir::setCurrent(folder.path());
    window->OpenFile("short.in");
    QDir::setCurrent(before);
    EXPECT_EQ(QString::fromStdString(state.InputPath), path);
    window->OpenFile(folder.filePath("missing.in"));
    ASSERT_EQ(platform.MessageTexts(), QStringList({"Error loading input file"}));
    EXPECT_FALSE(platform.messages[0].detail.isEmpty());  // the reason beneath
    EXPECT_EQ(Panel(1), "Input file = short.in");
}

// Loads and saves go to the list, a failed load does not; the list outlives
// the window, and an entry loads its file.
TEST_F(Desktop, RecentFilesMenuOpensAndOutlivesTheWindow)
{
    QStringList captions;
    for (QAction* item : window->findChild<QMenu*>("mnuFile")->actions())
        captions << item->text();
    EXPECT_EQ(captions, QStringList({"&Load Input", "&Save", "&Define", "&Exit", "Load &Ground",
                                     "Recent &Files"}));
    EXPECT_FALSE(Item("mnuRecentItem")->isEnabled());

    QStringList paths;
    for (int i = 1; i <= 5; ++i) {
        paths.prepend(Write(QStringLiteral("p%1.in").arg(i), ShortProfile));
        Choose("mnuLoad", paths.front());
    }
    Choose("mnuInput", folder.filePath("saved.in"));
    paths.prepend(folder.filePath("saved.in"));
    Choose("mnuLoad", folder.filePath("missing.in"));
    EXPECT_TRUE(Item("mnuRecentItem")->isEnabled());
    QStringList expected;
    for (qsizetype i = 0; i < 5; ++i)
        expected << QStringLiteral("&%1 %2").arg(i + 1).arg(paths[i]);
    EXPECT_EQ(RecentCaptions(), expected);

    Restart();
    EXPECT_EQ(RecentCaptions(), expected);
    Item("mnuRecent3")->trigger();  // p4.in moves up, and stands once
    EXPECT_EQ(Panel(1), "Input file = p4.in");
    EXPECT_EQ(Item("mnuRecent1")->data().toString(), paths[2]);
    EXPECT_EQ(Item("mnuRecent4")->data().toString(), paths[3]);
}

// The main window comes back where it was left, unless that is on no screen;
// the profile window comes back with its size and toolbar choices.
TEST_F(Desktop, WindowPlacesAndChoicesOutliveTheWindow)
{
    window->move(40, 50);
    frmProfile& profile = window->ProfileWindow();
    profile.show();
    profile.resize(700, 420);
    profile.findChild<QCheckBox*>("chkPlusNotation")->setChecked(true);
    profile.findChild<QSpinBox*>("spnDesignSpeed")->setValue(80);
    profile.findChild<QComboBox*>("cboUnits")->setCurrentIndex(1);
    Restart();
    EXPECT_EQ(window->pos(), QPoint(40, 50));
    frmProfile& again = window->ProfileWindow();
    again.show();
    EXPECT_EQ(again.size(), QSize(700, 420));
    EXPECT_TRUE(again.findChild<QCheckBox*>("chkPlusNotation")->isChecked());
    EXPECT_EQ(again.findChild<QSpinBox*>("spnDesignSpeed")->value(), 80);
    EXPECT_EQ(again.findChild<QComboBox*>("cboUnits")->currentIndex(), 1);

    window.reset();
    QSettings settings;
    settings.setValue("MainWindow/position", QPoint(-20000, -20000));
    settings.setValue("ProfileWindow/units", 7);
    settings.sync();
    Restart();
    EXPECT_NE(QGuiApplication::screenAt(window->frameGeometry().center()), nullptr);
    EXPECT_EQ(window->ProfileWindow().findChild<QComboBox*>("cboUnits")->currentIndex(), 0);
}

// The command line: a file to open, help and version before the toolkit has
// read its own options, and the mistakes that are refused.
TEST(CommandLine, TellsAFileHelpVersionAndMistakesApart)
{
    struct Case {
        QStringList arguments;
        bool strict;
        StartAction action;
        QString file;
    };
    using enum StartAction;
    const Case cases[] = {
        {{"ravo"}, true, OpenWindow, ""},
        {{"ravo", "road.in"}, true, OpenWindow, "road.in"},
        {{"ravo", "--", "--help"}, true, OpenWindow, "--help"},  // a file's name
        {{"ravo", "--help"}, true, ShowHelp, ""},
        {{"ravo", "-h"}, false, ShowHelp, ""},
        {{"ravo", "road.in", "--version"}, true, ShowVersion, ""},
        {{"ravo", "-v"}, false, ShowVersion, ""},
        // Before the toolkit has taken its options out they are passed over,
        // and one that holds an h or a v is not mistaken for -h or -v.
        {{"ravo", "-platform", "xcb", "--version"}, false, ShowVersion, ""},
        {{"ravo", "-platformtheme", "gtk3", "-reverse", "a.in"}, false, OpenWindow, ""},
        {{"ravo", "--bogus"}, true, Refuse, ""},
        {{"ravo", "a.in", "b.in"}, true, Refuse, ""},
        {{"ravo", ""}, true, Refuse, ""},
    };
    for (const Case& c : cases) {
        const StartRequest request = ReadCommandLine(c.arguments, c.strict);
        const std::string shown = c.arguments.join(' ').toStdString();
        EXPECT_EQ(request.action, c.action) << shown;
        EXPECT_EQ(request.file, c.file) << shown;
        EXPECT_EQ(request.message.isEmpty(), c.action != StartAction::Refuse) << shown;
    }
    EXPECT_EQ(RefuseBadCommandLine(ReadCommandLine({"ravo", "x", "y"}, true)), 2);
    EXPECT_EQ(RefuseBadCommandLine(ReadCommandLine({"ravo", "x"}, true)), std::nullopt);
}

}  // namespace
}  // namespace ravo
