// Fixed window layouts drawn in twips (1/1440 inch): the conversion to
// device-independent pixels and the framed, labelled controls the windows share.
#pragma once

#include <QRect>
#include <QString>

class QGroupBox;
class QIcon;
class QLabel;
class QLineEdit;
class QToolButton;
class QWidget;

namespace ravo {

// 15 twips to the pixel at 96 pixels per inch; Qt scales for high-DPI screens.
constexpr int Px(int twips) { return (twips + 7) / 15; }

inline QRect TwipsRect(int left, int top, int width, int height)
{
    return {Px(left), Px(top), Px(width), Px(height)};
}

// A frame with a red caption, paler while the frame is disabled.
QGroupBox* AddFrame(QWidget* parent, const char* name, const QString& caption, const QRect& place);

// A label in the desktop's text colour, also inside a red-captioned frame.
QLabel* AddLabel(QWidget* parent, const char* name, const QString& caption, const QRect& place);

// An entry box with a little margin inside.
QLineEdit* AddBox(QWidget* parent, const char* name, const QRect& place, const QString& text = {});

// A button with a picture, which takes the focus by Tab as well as by click.
QToolButton* AddPictureButton(QWidget* parent, const char* name, const QIcon& icon,
                              const QRect& place);

// The smallest font a box's text is shrunk to, in pixels: still legible.
inline constexpr int SmallestTextPixels = 7;

// The width that a box has for its text, as QLineEdit lays the text out.
int TextRoom(const QLineEdit& box);

// Gives the box the largest font, no larger than its own, in which the text
// fits the box whole; never below a legible size.
void FitTextFont(QLineEdit& box, const QString& widest);

}  // namespace ravo
