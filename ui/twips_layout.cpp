#include "twips_layout.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>

namespace ravo {

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

}  // namespace ravo
