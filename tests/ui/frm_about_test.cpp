// The About window: one modeless window that shows its whole text and that
// only its button hides.
#include <QLabel>
#include <QPushButton>

#include "frm_about.h"
#include "window_fixture.h"

namespace ravo {
namespace {

class About : public WindowTest {
protected:
    frmAbout* ShowAbout()
    {
        Item("mnuAbout")->trigger();
        auto* about = window->findChild<frmAbout*>();
        EXPECT_NE(about, nullptr);
        return about;
    }
    static QPushButton* Ok(frmAbout* about) { return about->findChild<QPushButton*>("Command1"); }
};

TEST_F(About, ShowsOneModelessWindowThatFitsItsText)
{
    frmAbout* about = ShowAbout();
    ShowAbout();
    EXPECT_EQ(window->findChildren<frmAbout*>().size(), 1);
    ASSERT_TRUE(about->isVisible());
    EXPECT_TRUE(window->isEnabled());  // modeless: the main window stays usable
    EXPECT_EQ(about->windowTitle(), "About Program RAVO");

    auto* label1 = about->findChild<QLabel*>("Label1");
    auto* label2 = about->findChild<QLabel*>("Label2");
    ASSERT_TRUE(label1 && label2);
    const QFontMetrics metrics(about->font());
    const QRect wrapped =
        metrics.boundingRect(QRect(0, 0, label1->width(), 1000), Qt::TextWordWrap, label1->text());
    EXPECT_LE(wrapped.height(), label1->height());
    EXPECT_LE(metrics.horizontalAdvance(label2->text()), label2->width());
    for (const QWidget* child : about->findChildren<QWidget*>())
        EXPECT_EQ(child->focusPolicy() != Qt::NoFocus, child == Ok(about))
            << child->objectName().toStdString();
}

TEST_F(About, OnlyTheButtonHidesItAndItComesBackWhereItWasLeft)
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
    about->move(about->pos() + QPoint(-70, 45));
    const QPoint moved = about->pos();
    QTest::keyClick(Ok(about), Qt::Key_Space);
    EXPECT_FALSE(about->isVisible());
    ShowAbout();
    EXPECT_EQ(about->pos(), moved);
}

}  // namespace
}  // namespace ravo
