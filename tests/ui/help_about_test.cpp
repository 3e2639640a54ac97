#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>

#include "frm_about.h"
#include "help_file.h"
#include "help_viewer.h"
#include "qt_platform.h"
#include "window_fixture.h"

namespace ravo {
namespace {

const QString kBuiltHelpFile = QStringLiteral(RAVO_BUILT_HELP_FILE);

class About : public WindowTest {
protected:
    frmAbout* ShowAbout()
    {
        Item("mnuAbout")->trigger();
        auto* about = window->findChild<frmAbout*>();
        EXPECT_NE(about, nullptr);
        return about;
    }
    static QPushButton* Ok(frmAbout* about)
    {
        return about->findChild<QPushButton*>(QStringLiteral("Command1"));
    }
};

TEST_F(About, ShowsOneWindowAndKeepsItWhereItWasLeft)
{
    frmAbout* about = ShowAbout();
    ShowAbout();
    EXPECT_EQ(window->findChildren<frmAbout*>().size(), 1);
    ASSERT_TRUE(about->isVisible());
    EXPECT_TRUE(about->isWindow());
    EXPECT_TRUE(window->isEnabled());  // modeless: the main window stays usable
    const QRect screen = about->screen()->geometry();
    EXPECT_EQ(about->pos(),
              screen.topLeft() + QPoint((screen.width() - 266) / 2, (screen.height() - 190) / 2));

    about->move(about->pos() + QPoint(-70, 45));
    const QPoint moved = about->pos();
    QTest::mouseClick(Ok(about), Qt::LeftButton);
    EXPECT_FALSE(about->isVisible());
    ShowAbout();
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->pos(), moved);
}

TEST_F(About, FitsItsTextAndOnlyTheButtonTakesTheFocus)
{
    frmAbout* about = ShowAbout();
    EXPECT_EQ(about->windowTitle(), "About Program RAVO");
    auto* label1 = about->findChild<QLabel*>(QStringLiteral("Label1"));
    auto* label2 = about->findChild<QLabel*>(QStringLiteral("Label2"));
    ASSERT_TRUE(label1 && label2);
    EXPECT_TRUE(label2->text().contains("the Ravo developers"));

    const QFontMetrics metrics(about->font());
    const QRect wrapped =
        metrics.boundingRect(QRect(0, 0, label1->width(), 1000), Qt::TextWordWrap, label1->text());
    EXPECT_LE(wrapped.height(), label1->height());
    EXPECT_LE(metrics.horizontalAdvance(label2->text()), label2->width());
    for (const QWidget* child : about->findChildren<QWidget*>()) {
        EXPECT_EQ(child->focusPolicy() != Qt::NoFocus, child == Ok(about))
            << child->objectName().toStdString();
    }
}

TEST_F(About, OnlyTheButtonHidesIt)
{
    frmAbout* about = ShowAbout();
    // A window counts as active while its owner is, so wait for the focus itself.
    ASSERT_TRUE(QTest::qWaitFor([about] { return QApplication::activeWindow() == about; }));
    EXPECT_EQ(QApplication::focusWidget(), Ok(about));

    EXPECT_FALSE(about->close());
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Escape);
    EXPECT_TRUE(about->isVisible());

    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Return);
    EXPECT_FALSE(about->isVisible());
    ShowAbout();
    QTest::keyClick(Ok(about), Qt::Key_Space);
    EXPECT_FALSE(about->isVisible());
}

using HelpMenu = WindowTest;

TEST_F(HelpMenu, ContentsOpensTheOverview)
{
    Item("mnuContents")->trigger();
    ASSERT_EQ(platform.helpTopics.size(), 1u);
    EXPECT_EQ(platform.helpTopics[0].first, HelpFilePath());
    EXPECT_EQ(platform.helpTopics[0].second, "Overview.htm");
}

TEST(HelpFile, LiesBesideTheProgramOrInTheInstalledDataFolder)
{
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    const QString program = prefix.filePath(QStringLiteral(RAVO_TEST_BINDIR));
    const QString installed = prefix.filePath(QStringLiteral(RAVO_TEST_DATADIR "/ravo/Ravo.chm"));
    const QString beside = program + QStringLiteral("/Ravo.chm");
    ASSERT_TRUE(QDir().mkpath(program) && QDir().mkpath(QFileInfo(installed).path()));
    const auto touch = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly);
    };

    const QString configured = QStringLiteral(RAVO_TEST_INSTALLED_HELP_FILE);
    EXPECT_EQ(HelpFilePathFor(program), QFileInfo(configured).isFile() ? configured : beside);
    ASSERT_TRUE(touch(installed));
    EXPECT_EQ(HelpFilePathFor(program), installed);
    ASSERT_TRUE(touch(beside));
    EXPECT_EQ(HelpFilePathFor(program), beside);
}

HelpViewer* ShownViewer()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* viewer = qobject_cast<HelpViewer*>(widget); viewer && viewer->isVisible())
            return viewer;
    }
    return nullptr;
}

TEST(HelpViewerWindow, OpensTheOverviewAndFollowsLinksInsideTheFile)
{
    QtPlatform desktop;
    desktop.ShowHelpTopic(kBuiltHelpFile, QStringLiteral("Overview.htm"));
    HelpViewer* viewer = ShownViewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->source(), QUrl(QStringLiteral("chm:/Overview.htm")));
    EXPECT_EQ(viewer->windowTitle(), "Ravo overview - Ravo Help");
    EXPECT_TRUE(viewer->toPlainText().contains("Ravo calculates finished road elevations"));

    // The first link of the page, reached with Tab and followed with Enter.
    QTest::keyClick(viewer, Qt::Key_Tab);
    QTest::keyClick(viewer, Qt::Key_Return);
    EXPECT_EQ(viewer->source(), QUrl(QStringLiteral("chm:/Entering.htm")));
    EXPECT_EQ(viewer->documentTitle(), "Entering a profile");

    // One help window, reused for the next topic.
    desktop.ShowHelpTopic(kBuiltHelpFile, QStringLiteral("Messages.htm"));
    EXPECT_EQ(ShownViewer(), viewer);
    EXPECT_EQ(viewer->documentTitle(), "Messages");
}

TEST(HelpViewerWindow, AMissingFileOrTopicShowsNothing)
{
    QTemporaryDir folder;
    const QString notHelp = folder.filePath(QStringLiteral("Ravo.chm"));
    QFile file(notHelp);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("not a help file") > 0);
    file.close();

    const std::pair<QString, QString> cases[] = {
        {folder.filePath(QStringLiteral("missing/Ravo.chm")), QStringLiteral("Overview.htm")},
        {notHelp, QStringLiteral("Overview.htm")},
        {kBuiltHelpFile, QStringLiteral("NoSuchTopic.htm")},
        {kBuiltHelpFile, QString()},
        {QString(), QStringLiteral("Overview.htm")},
    };
    QtPlatform desktop;
    for (const auto& [helpFile, topic] : cases) {
        desktop.ShowHelpTopic(helpFile, topic);
        EXPECT_EQ(ShownViewer(), nullptr) << helpFile.toStdString() << " " << topic.toStdString();
    }

    // An open help window stays at its page.
    desktop.ShowHelpTopic(kBuiltHelpFile, QStringLiteral("Reports.htm"));
    desktop.ShowHelpTopic(kBuiltHelpFile, QStringLiteral("NoSuchTopic.htm"));
    ASSERT_NE(ShownViewer(), nullptr);
    EXPECT_EQ(ShownViewer()->source(), QUrl(QStringLiteral("chm:/Reports.htm")));
}

// Every page of the contents is in the help file, and so is every page and
// style sheet that a page links to.
}  // namespace
}  // namespace ravo
