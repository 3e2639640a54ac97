// The tab order and the fonts of the main window.
#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QToolButton>
#include <vector>

#include "ui/main_window/frm_ravo.h"
#include "ui/main_window/segment_editor.h"
#include "ui/widgets/twips_layout.h"
#include "ui/widgets/whole_text.h"

namespace ravo {

void frmRavo::SetTabOrder()
{
    std::vector<QWidget*> order = {txtNVC, txtNSUP};
    for (const SegmentEditor* editor : {curves_, supers_})
        order.insert(order.end(), editor->Fields().begin(), editor->Fields().end());
    order.insert(order.end(), {txtStation, txtOffset, txtElevation, SScmdNextElev});
    for (const SegmentEditor* editor : {curves_, supers_})
        order.insert(order.end(), {editor->NextButton(), editor->PreviousButton()});
    QWidget* previous = nullptr;
    for (QWidget* widget : order) {
        if (previous != nullptr)
            setTabOrder(previous, widget);
        previous = widget;
    }
}

// Linux desktop fonts run wider than the font the layout was drawn for: take
// the largest size of the desktop's font at which every caption fits its place.
void frmRavo::FitWindowFont()
{
    QFont font = QApplication::font();
    const QList<QLabel*> labels = centralWidget()->findChildren<QLabel*>();
    const QStringList longestCaptions = {QStringLiteral("SUPERELEVATION SEGMENT NO. 99999")};
    for (int pixels = 12; pixels >= 8; --pixels) {
        font.setPixelSize(pixels);
        const QFontMetrics metrics(font);
        bool fits = true;
        for (const QLabel* label : labels)
            fits = fits && metrics.horizontalAdvance(label->text()) <= label->width();
        for (const QString& caption : longestCaptions)
            fits = fits && metrics.horizontalAdvance(caption) + 16 <= supers_->Frame()->width();
        for (const QLabel* panel : panels_)
            fits = fits && metrics.horizontalAdvance(panel->toolTip()) + 6 <= panel->width();
        if (fits || pixels == 8)
            break;
    }
    setFont(font);
    menuBar()->setFont(font);
    for (int panel = 1; panel <= static_cast<int>(panels_.size()); ++panel)
        SetPanelText(panel, PanelText(panel));  // shortened again for the new font
    QFont heading = font;
    heading.setUnderline(true);
    for (const char* name : {"lblStation", "lblOffset", "lblElevation"})
        findChild<QLabel*>(QLatin1String(name))->setFont(heading);
}

// Every box for a number shows its whole text in a font fitted to the values
// road data has: stations up to 9999999.999, offsets from -999.999, elevations
// from -99999.999 to 999999.999, counts up to the largest. A wider text gets a
// smaller font; one wider still is shown from its start and whole in the tooltip.
void frmRavo::FitNumberBoxes()
{
    const QString station = QStringLiteral("9999999.999");
    KeepTextWhole(*txtStation, station);
    KeepTextWhole(*txtOffset, QStringLiteral("-999.999"));
    KeepTextWhole(*txtElevation, QStringLiteral("999999.999"));
    for (QLineEdit* count : {txtNVC, txtNSUP})
        KeepTextWhole(*count, QString::number(MaxSegmentCount));
    for (const SegmentEditor* editor : {curves_, supers_}) {
        for (QLineEdit* box : editor->Fields())
            KeepTextWhole(*box, station);
    }
}

}  // namespace ravo
