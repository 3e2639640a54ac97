// Keeping a box's whole text in view by the size of its font.
#include "ui/widgets/whole_text.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QLineEdit>

#include "ui/widgets/twips_layout.h"

namespace ravo {
namespace {

const char* const FittedPixels = "ravoFittedPixels";

int TextWidth(const QFont& font, const QString& text)
{
    return QFontMetrics(font).horizontalAdvance(text);
}

// From the fitted size down, the first at which the text fits; a text that
// never does is shown from its start, and whole in the tooltip.
void Refit(QLineEdit& box)
{
    const QString text = box.text();
    const int room = TextRoom(box);
    QFont font = box.font();
    int pixels = box.property(FittedPixels).toInt();
    font.setPixelSize(pixels);
    while (pixels > SmallestTextPixels && TextWidth(font, text) > room)
        font.setPixelSize(--pixels);
    if (font != box.font())
        box.setFont(font);
    const bool whole = TextWidth(font, text) <= room;
    box.setToolTip(whole ? QString() : text);
    if (!whole && box.isReadOnly())
        box.setCursorPosition(0);
}

}  // namespace

void KeepTextWhole(QLineEdit& box, const QString& widest)
{
    FitTextFont(box, widest);
    box.setProperty(FittedPixels, QFontInfo(box.font()).pixelSize());
    QObject::connect(&box, &QLineEdit::textChanged, &box, [&box] { Refit(box); });
    Refit(box);
}

bool ShowsWholeText(const QLineEdit& box)
{
    return TextWidth(box.font(), box.text()) <= TextRoom(box);
}

}  // namespace ravo
