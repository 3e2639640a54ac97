// The segment editor: the two count boxes, the field boxes of the shown curve
// and segment, and the buttons that step between rows.
#include <QGroupBox>
#include <QLineEdit>
#include <QToolButton>
#include <new>

#include "core/text/numbers.h"
#include "ui/main_window/frm_ravo.h"
#include "ui/widgets/text.h"

namespace ravo {
namespace {

// The count typed into a count box, rounded halves to even: a negative count
// counts as 0, one above the limit as limit + 1, however large it is.
std::int32_t TypedCount(const QLineEdit* box, std::int32_t limit)
{
    const QString text = box->text();
    double number = 0;
    try {
        number = LeadingNumber(text.toStdString());
    } catch (const OverflowError&) {
        const QString compact = text.simplified().remove(QLatin1Char(' '));
        number = compact.startsWith(QLatin1Char('-')) ? -1.0 : limit + 1.0;
    }
    if (number <= 0)
        return 0;
    if (number > limit)
        return limit + 1;
    return ToCount(number);
}

}  // namespace

// A key released in a count box sizes that kind's tables afresh, but only when
// the count really changes: an arrow key, Shift or re-typing the same number
// keeps the rows that were typed in.
void frmRavo::CountBox_KeyUp(Editor& editor)
{
    std::int32_t& count = CountOf(state_, editor.kind);
    if (state_.Loading == 0) {
        const std::int32_t typed = TypedCount(editor.countBox, MaxSegmentCount);
        if (typed > MaxSegmentCount) {
            ShowMessage(QStringLiteral("The number of %1 cannot be more than %2.")
                            .arg(editor.kindName)
                            .arg(MaxSegmentCount));
            editor.countBox->setText(Text(NumberText(count)));
            return;
        }
        // A loaded count of -2 shows as "-2" and reads as 0: no change either.
        if (typed == std::max(count, 0))
            return;
        try {
            RecreateTables(state_, editor.kind, typed);
        } catch (const std::bad_alloc&) {
            RecreateTables(state_, editor.kind, 0);
            ShowOutOfMemory(editor.kindName);
        }
        ResetEditor(editor);
    }
    if (count > 0) {
        editor.frame->setEnabled(true);
        editor.frame->setTitle(editor.rowCaption + Text(NumberText(std::int32_t{1})));
    }
}

// A count box left with a text that is not the count in effect ("2.5", "-2")
// shows the count again, so that what the box says is what the tables hold.
// Not while typing: rewriting the text then would garble the next digits.
void frmRavo::CountBox_Left(Editor& editor)
{
    const std::int32_t count = CountOf(state_, editor.kind);
    if (editor.countBox->text().trimmed() != QString::number(count))
        editor.countBox->setText(Text(NumberText(count)));
}

// Stores the box's number into the shown row at once; nothing is recalculated.
// A box whose text the user has not edited since the program wrote it holds
// the value rounded for display: storing that would lose the digits beyond
// the seventh, so only edited text is stored.
void frmRavo::FieldBox_KeyUp(Editor& editor, Column column)
{
    if (CountOf(state_, editor.kind) < 1)
        return;
    QLineEdit* box = editor.fields[static_cast<std::size_t>(column)];
    if (!box->isModified())
        return;
    const std::int32_t row = CurrentRowOf(state_, editor.kind);
    float value = 0;
    try {
        value = ToFloat(LeadingNumber(box->text().toStdString()));
    } catch (const OverflowError&) {
        ShowMessage(QStringLiteral("Invalid Entry"));
        // Show what the row still holds, so that the next key does not ask again.
        const std::optional<SegmentRow> stored = RowOf(state_, editor.kind, row);
        if (stored)
            box->setText(Text(NumberText(ColumnValue(*stored, column))));
        return;
    }
    if (StoreField(state_, editor.kind, column, row, value))
        ProfileChanged();
}

void frmRavo::Next_Click(Editor& editor)
{
    std::int32_t& row = CurrentRowOf(state_, editor.kind);
    if (row < CountOf(state_, editor.kind)) {
        ++row;
        ShowRow(editor);
    }
}

void frmRavo::Previous_Click(Editor& editor)
{
    std::int32_t& row = CurrentRowOf(state_, editor.kind);
    if (row > 1) {
        --row;
        ShowRow(editor);
    }
}

void frmRavo::ShowRow(Editor& editor)
{
    const std::int32_t row = CurrentRowOf(state_, editor.kind);
    editor.frame->setTitle(editor.rowCaption + Text(NumberText(row)));
    const std::optional<SegmentRow> values = RowOf(state_, editor.kind, row);
    if (!values)
        return;
    for (std::size_t i = 0; i < editor.fields.size(); ++i)
        editor.fields[i]->setText(Text(NumberText(ColumnValue(*values, static_cast<Column>(i)))));
}

void frmRavo::ShowMessage(const QString& text) { platform_.ShowMessage(this, Message{text}); }

void frmRavo::ShowOutOfMemory(const QString& what)
{
    platform_.ShowMessage(
        this, Message{QStringLiteral("Not enough memory for the %1.").arg(what),
                      QStringLiteral("Ravo"), MessageButtons::Ok, MessageIcon::Warning});
}

}  // namespace ravo
