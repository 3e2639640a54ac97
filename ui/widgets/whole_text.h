// Boxes that show their whole text: the font shrinks for a text wider than the
// box, and a text too wide even at the smallest font is shown from its start
// and whole in the box's tooltip.
#pragma once

#include <QString>

class QLineEdit;

namespace ravo {

// Fits the box's font to the widest text it is expected to hold, then follows
// every change of its text: a wider text gets a smaller font, a narrower one
// the fitted font again.
void KeepTextWhole(QLineEdit& box, const QString& widest);

// Whether the box shows all of its text in its font.
bool ShowsWholeText(const QLineEdit& box);

}  // namespace ravo
