// The About window. Its layout is kept in twips, as it was drawn, and
// converted at 15 twips to the pixel like the main window's.
#include "ui/small_windows/frm_about.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "core/report/report.h"
#include "ui/widgets/icons.h"
#include "ui/widgets/text.h"
#include "ui/widgets/twips_layout.h"
#include "ui/widgets/window_guard.h"

namespace ravo {
namespace {

constexpr int kClientWidth = 3990;
constexpr int kClientHeight = 2850;
constexpr int kSmallestFontPixels = 8;

const QString kDescription = QStringLiteral(
    "Elevation calculation program.  This program may be used to calculate elevations using "
    "vertical curve and superelevation information.");
const QString kCredit = QStringLiteral("Written by the Ravo developers");

bool FitsWrapped(const QFontMetrics& metrics, const QLabel* label)
{
    const QRect wrapped = metrics.boundingRect(QRect(0, 0, label->width(), 10 * label->height()),
                                               Qt::TextWordWrap, label->text());
    return wrapped.width() <= label->width() && wrapped.height() <= label->height();
}

bool FitsOneLine(const QFontMetrics& metrics, const QLabel* label)
{
    return metrics.horizontalAdvance(label->text()) <= label->width() &&
           metrics.height() <= label->height();
}

bool CaptionFits(const QFontMetrics& metrics, const QGroupBox* frame)
{
    return metrics.horizontalAdvance(frame->title()) + 16 <= frame->width();
}

}  // namespace

frmAbout::frmAbout(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmAbout"));
    BuildWindow();
    Form_Load();
}

void frmAbout::BuildWindow()
{
    setWindowTitle(QStringLiteral("About Program RAVO"));
    setWindowIcon(RavoIcon());
    setFixedSize(Px(kClientWidth), Px(kClientHeight));

    Frame1 = AddFrame(this, "Frame1",
                      QStringLiteral("Program RAVO Version") + Text(CurrentVersionText()),
                      TwipsRect(120, 240, 3732, 1212));
    Label1 = AddLabel(Frame1, "Label1", kDescription, TwipsRect(240, 360, 3252, 732));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Frame2 = AddFrame(this, "Frame2", QStringLiteral("Credit"), TwipsRect(120, 1560, 3732, 612));
    Label2 = AddLabel(Frame2, "Label2", kCredit, TwipsRect(240, 240, 3132, 252));

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(TwipsRect(3480, 2400, 372, 372));
    Command1->setAutoDefault(false);
    Command1->setDefault(false);
    connect(Command1, &QPushButton::clicked, this, &frmAbout::Command1_Click);

    FitWindowFont();
}

// Desktop fonts run wider than the font the layout was drawn for: start from
// the main window's font and take the largest size at which the description
// wraps inside its label and every caption fits its place.
void frmAbout::FitWindowFont()
{
    QFont font = parentWidget() != nullptr ? parentWidget()->font() : QApplication::font();
    const int largest = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    for (int pixels = largest; pixels >= kSmallestFontPixels; --pixels) {
        font.setPixelSize(pixels);
        const QFontMetrics metrics(font);
        const bool fits = FitsWrapped(metrics, Label1) && FitsOneLine(metrics, Label2) &&
                          CaptionFits(metrics, Frame1) && CaptionFits(metrics, Frame2) &&
                          metrics.horizontalAdvance(Command1->text()) + 8 <= Command1->width();
        if (fits)
            break;
    }
    setFont(font);
}

void frmAbout::Form_Load()
{
    CentreOnScreen(*this);
    TrimSystemMenu(*this);
}

void frmAbout::Command1_Click() { hide(); }

// The button is the only control that takes the focus: Enter presses it as the
// space bar does. Escape does nothing, since the button is not a cancel button.
void frmAbout::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && Command1->hasFocus()) {
        Command1->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace ravo
