// Twips to pixels, and the framed, labelled controls of the fixed layouts.
#include "ui/widgets/twips_layout.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolButton>

namespace ravo {

QLineEdit* AddBox(QWidget* parent, const char* name, const QRect& place, const QString& text)
{
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(place);
    box->setTextMargins(1, 0, 1, 0);
    return box;
}

QToolButton* AddPictureButton(QWidget* parent, const char* name, const QIcon& icon,
                              const QRect& place)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(icon);
    button->setGeometry(place);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setAutoRaise(false);
    return button;
}

QGroupBox* AddFrame(QWidget* parent, const char* name, const QString& caption, const QRect& place)
{
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(QLatin1String(name));
    frame->setGeometry(place);
    QPalette palette = frame->palette();
    palette.setColor(QPalette::Active, QPalette::WindowText, QColor(255, 0, 0));
    palette.setColor(QPalette::Inactive, QPalette::WindowText, QColor(255, 0, 0));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(230, 140, 140));
    frame->setPalette(palette);
    return frame;
}

QLabel* AddLabel(QWidget* parent, const char* name, const QString& caption, const QRect& place)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(place);
    // Set explicitly, or the label would take the red of its frame's caption.
    QPalette palette = label->palette();
    const QPalette desktop = QApplication::palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::WindowText, desktop.color(group, QPalette::WindowText));
    label->setPalette(palette);
    return label;
}

// The room for text is worked out as QLineEdit lays its text out: the style's
// contents rectangle, less the text margins and the box's own margin of 2 on
// each side, and a pixel for the cursor.
int TextRoom(const QLineEdit& box)
{
    QStyleOptionFrame option;
    option.initFrom(&box);
    option.rect = QRect(QPoint(0, 0), box.size());
    option.lineWidth = box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &box);
    const QRect contents = box.style()->subElementRect(QStyle::SE_LineEditContents, &option, &box);
    const QMargins margins = box.textMargins();
    return contents.width() - margins.left() - margins.right() - 2 * 2 - 1;
}

void FitTextFont(QLineEdit& box, const QString& widest)
{
    const int room = TextRoom(box);
    QFont font = box.font();
    int pixels = QFontInfo(font).pixelSize();
    font.setPixelSize(pixels);
    while (pixels > SmallestTextPixels && QFontMetrics(font).horizontalAdvance(widest) > room)
        font.setPixelSize(--pixels);
    box.setFont(font);
}

}  // namespace ravo
