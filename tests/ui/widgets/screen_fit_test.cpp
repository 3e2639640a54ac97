// Windows open no larger than their screen, and wholly on it.
#include "ui/widgets/screen_fit.h"

#include <gtest/gtest.h>
#include <QScreen>
#include <QWidget>

namespace ravo {
namespace {

TEST(FitOnScreen, ShrinksAndMovesOnlyWhatDoesNotFit)
{
    struct Case {
        QRect placed;
        bool fitsAlready;
    };
    QWidget probe;
    const QRect room = probe.screen()->availableGeometry();
    const Case cases[] = {{QRect(room.topLeft() + QPoint(10, 10), QSize(200, 100)), true},
                          {QRect(room.topLeft(), room.size() * 3), false},
                          {QRect(room.bottomRight() - QPoint(50, 50), QSize(300, 200)), false},
                          {QRect(room.topLeft() - QPoint(4000, 4000), QSize(300, 200)), false}};
    for (const Case& c : cases) {
        QWidget window;
        window.setGeometry(c.placed);
        FitOnScreen(window);
        EXPECT_TRUE(room.contains(window.frameGeometry())) << c.placed.x() << "," << c.placed.y();
        if (c.fitsAlready) {
            EXPECT_EQ(window.geometry(), c.placed);
        }
    }
}

}  // namespace
}  // namespace ravo
