// The About window: modeless, made once, and hidden only by its button.
#include <QPushButton>

#include "support/window_fixture.h"
#include "ui/small_windows/frm_about.h"

namespace ravo {
namespace {

using About = WindowTest;

TEST_F(About, OneModelessWindowThatOnlyItsButtonHides)
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

}  // namespace
}  // namespace ravo
