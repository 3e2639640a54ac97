// The segment editor: the two count boxes, the field boxes of the shown curve
// and segment, and the buttons that step between rows.
#include <QGroupBox>
#include <QLineEdit>
#include <QToolButton>

#include "core/numbers.h"
#include "frm_ravo.h"

namespace ravo {
namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

// A key released in a count box sizes that kind's tables afresh, but only when
// the count really changes: Tab into the box, an arrow key or re-typing the
// same number keeps the rows that were typed in.
void frmRavo::CountBox_KeyUp(Editor& editor)
{
    std::int32_t& count = CountOf(state_, editor.kind);
    if (state_.Loading == 0) {
        std::int32_t typed = 0;
        try {
            typed = std::max(ToCount(LeadingNumber(editor.countBox->text().toStdString())), 0);
        } catch (const OverflowError&) {
            typed = MaxTypedCount + 1;
        }
        if (typed > MaxTypedCount) {
            ShowMessage(QStringLiteral("The number of %1 cannot be more than %2.")
                            .arg(editor.kindName)
                            .arg(MaxTypedCount));
            editor.countBox->setText(Text(NumberText(count)));
            return;
        }
        if (typed == count)
            return;
        RecreateTables(state_, editor.kind, typed);
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
void frmRavo::FieldBox_KeyUp(Editor& editor, Column column)
{
    if (CountOf(state_, editor.kind) < 1)
        return;
    const QLineEdit* box = editor.fields[static_cast<std::size_t>(column)];
    float value = 0;
    try {
        value = ToFloat(LeadingNumber(box->text().toStdString()));
    } catch (const OverflowError&) {
        ShowMessage(QStringLiteral("Invalid Entry"));
        return;
    }
    StoreField(state_, editor.kind, column, CurrentRowOf(state_, editor.kind), value);
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
    const float shown[] = {values->start, values->rate1, values->rate2, values->station1,
                           values->station2};
    for (std::size_t i = 0; i < editor.fields.size(); ++i)
        editor.fields[i]->setText(Text(NumberText(shown[i])));
}

void frmRavo::ShowMessage(const QString& text) { platform_.ShowMessage(this, Message{text}); }

}  // namespace ravo
