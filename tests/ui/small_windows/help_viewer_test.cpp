// The Help menu: where the help file is found, the help window, and the About
// window, modeless, made once and hidden only by its button. (Help > Contents
// and its key are the desktop test's.)
#include <QDir>
#include <QPushButton>

#include "support/window_fixture.h"
#include "ui/platform/qt_platform.h"
#include "ui/small_windows/frm_about.h"
#include "ui/small_windows/help_file.h"
#include "ui/small_windows/help_viewer.h"

namespace ravo {
namespace {

const QString kBuiltHelpFile = QStringLiteral(RAVO_BUILT_HELP_FILE);

using HelpMenu = WindowTest;

TEST_F(HelpMenu, AboutIsOneModelessWindowThatOnlyItsButtonHides)
{
    Item("mnuAbout")->trigger();
    auto* about = window->findChild<frmAbout*>();
    ASSERT_TRUE(about && about->isVisible());
    auto* ok = about->findChild<QPushButton*>("Command1");
    for (const QWidget* child : about->findChildren<QWidget*>())
        EXPECT_EQ(child->focusPolicy() != Qt::NoFocus, child == ok)
            << child->objectName().toStdString();

    // A window counts as active while its owner is, so wait for the focus itself.
    ASSERT_TRUE(QTest::qWaitFor([about] { return QApplication::activeWindow() == about; }));
    EXPECT_EQ(QApplication::focusWidget(), ok);
    EXPECT_FALSE(about->close());
    about->move(about->pos() + QPoint(-70, 45));
    const QPoint moved = about->pos();
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Escape);
    EXPECT_TRUE(about->isVisible());
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Return);
    EXPECT_FALSE(about->isVisible());
    Item("mnuAbout")->trigger();  // the same window again, where it was left
    EXPECT_EQ(window->findChildren<frmAbout*>().size(), 1);
    EXPECT_EQ(about->pos(), moved);
}

TEST(HelpFile, LiesBesideTheProgramOrInTheInstalledDataFolder)
{
    QTemporaryDir prefix;
    const QString program = prefix.filePath(RAVO_TEST_BINDIR);
    const QString installed = prefix.filePath(RAVO_TEST_DATADIR "/ravo/Ravo.chm");
    const QString beside = program + "/Ravo.chm";
    ASSERT_TRUE(QDir().mkpath(program) && QDir().mkpath(QFileInfo(installed).path()));
    const QString configured = RAVO_TEST_INSTALLED_HELP_FILE;
    EXPECT_EQ(HelpFilePathFor(program), QFileInfo(configured).isFile() ? configured : beside);
    for (const QString& path : {installed, beside}) {
        ASSERT_TRUE(QFile(path).open(QIODevice::WriteOnly));
        EXPECT_EQ(HelpFilePathFor(program), path);  // the one beside the program wins
    }
}

HelpViewer* ShownViewer()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* viewer = qobject_cast<HelpViewer*>(widget); viewer && viewer->isVisible())
            return viewer;
    }
    return nullptr;
}

// A missing file or topic shows nothing, and leaves an open help window at its page.
TEST(HelpViewerWindow, OpensTheOverviewFollowsLinksInsideTheFileAndShowsNoMissingTopic)
{
    const std::pair<QString, QString> missing[] = {
        {kBuiltHelpFile + ".missing", "Overview.htm"},
        {QCoreApplication::applicationFilePath(), "Overview.htm"},  // not a help file
        {kBuiltHelpFile, "NoSuchTopic.htm"},
        {kBuiltHelpFile, QString()},
    };
    QtPlatform desktop;
    for (const auto& [helpFile, topic] : missing) {
        desktop.ShowHelpTopic(helpFile, topic);
        EXPECT_EQ(ShownViewer(), nullptr) << helpFile.toStdString() << " " << topic.toStdString();
    }
    desktop.ShowHelpTopic(kBuiltHelpFile, "Overview.htm");
    HelpViewer* viewer = ShownViewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->source(), QUrl("chm:/Overview.htm"));
    EXPECT_EQ(viewer->windowTitle(), "Ravo overview - Ravo Help");

    // The first link of the page, reached with Tab and followed with Enter.
    QTest::keyClick(viewer, Qt::Key_Tab);
    QTest::keyClick(viewer, Qt::Key_Return);
    EXPECT_EQ(viewer->source(), QUrl("chm:/Entering.htm"));

    // One help window, reused for the next topic.
    desktop.ShowHelpTopic(kBuiltHelpFile, "Messages.htm");
    EXPECT_EQ(ShownViewer(), viewer);
    desktop.ShowHelpTopic(kBuiltHelpFile, "NoSuchTopic.htm");
    EXPECT_EQ(viewer->source(), QUrl("chm:/Messages.htm"));
}

}  // namespace
}  // namespace ravo
