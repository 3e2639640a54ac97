// The segment editor: a count box sizes its kind's tables, the field boxes
// store into the shown row as keys are released, and the buttons step between
// rows.
#include "ui/main_window/segment_editor.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <new>

#include "core/text/numbers.h"
#include "ui/main_window/command_guard.h"
#include "ui/widgets/icons.h"
#include "ui/widgets/text.h"
#include "ui/widgets/twips_layout.h"

namespace ravo {
namespace {

constexpr int kFieldBoxWidth = 1032;

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

SegmentEditor::SegmentEditor(ProfileState& state, Platform& platform, SegmentKind kind,
                             QLineEdit* countBox, QWidget* client, const EditorLayout& layout)
    : QObject(client),
      state_(state),
      platform_(platform),
      kind_(kind),
      countBox_(countBox),
      rowCaption_(QLatin1String(layout.rowCaption)),
      emptyCaption_(QLatin1String(layout.emptyCaption)),
      kindName_(QLatin1String(layout.kindName))
{
    frame_ = AddFrame(client, layout.frameName, rowCaption_ + QStringLiteral(" 1"),
                      TwipsRect(layout.frameLeft, 1440, 3252, 2652));
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const EditorLayout::Field& field = layout.fields[i];
        const int top = 360 + 360 * static_cast<int>(i);
        QLabel* label = AddLabel(frame_, field.labelName, QLatin1String(field.label),
                                 TwipsRect(field.labelLeft, top, field.labelWidth, 252));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        fields_[i] = AddBox(frame_, field.boxName, TwipsRect(2160, top, kFieldBoxWidth, 288));
    }
    previous_ = AddPictureButton(frame_, layout.previousName, ArrowIcon(Qt::LeftArrow),
                                 TwipsRect(layout.previousLeft, 2160, 492, 372));
    next_ = AddPictureButton(frame_, layout.nextName, ArrowIcon(Qt::RightArrow),
                             TwipsRect(layout.nextLeft, 2160, 492, 372));
    const auto guarded = [this](void (SegmentEditor::*handler)()) {
        return [this, handler] {
            RunCommand(platform_, frame_->window(), CommandFailedText(),
                       [&] { (this->*handler)(); });
        };
    };
    connect(next_, &QToolButton::clicked, this, guarded(&SegmentEditor::Next_Click));
    connect(previous_, &QToolButton::clicked, this, guarded(&SegmentEditor::Previous_Click));
    connect(countBox_, &QLineEdit::editingFinished, this, guarded(&SegmentEditor::CountBox_Left));
}

bool SegmentEditor::KeyUp(const QObject* box)
{
    if (box == countBox_) {
        CountBox_KeyUp();
        return true;
    }
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (box == fields_[i]) {
            FieldBox_KeyUp(static_cast<Column>(i));
            return true;
        }
    }
    return false;
}

// A key released in a count box sizes that kind's tables afresh, but only when
// the count really changes: an arrow key, Shift or re-typing the same number
// keeps the rows that were typed in.
void SegmentEditor::CountBox_KeyUp()
{
    std::int32_t& count = CountOf(state_, kind_);
    if (state_.Loading == 0) {
        const std::int32_t typed = TypedCount(countBox_, MaxSegmentCount);
        if (typed > MaxSegmentCount) {
            ShowMessage(QStringLiteral("The number of %1 cannot be more than %2.")
                            .arg(kindName_)
                            .arg(MaxSegmentCount));
            countBox_->setText(Text(NumberText(count)));
            return;
        }
        // A loaded count of -2 shows as "-2" and reads as 0: no change either.
        if (typed == std::max(count, 0))
            return;
        emit AboutToRecreate(kind_);
        try {
            RecreateTables(state_, kind_, typed);
        } catch (const std::bad_alloc&) {
            RecreateTables(state_, kind_, 0);
            ShowOutOfMemory();
        }
        Reset();
    }
    if (count > 0) {
        frame_->setEnabled(true);
        frame_->setTitle(rowCaption_ + Text(NumberText(std::int32_t{1})));
    }
}

// A count box left with a text that is not the count in effect ("2.5", "-2")
// shows the count again, so that what the box says is what the tables hold.
// Not while typing: rewriting the text then would garble the next digits.
void SegmentEditor::CountBox_Left()
{
    const std::int32_t count = CountOf(state_, kind_);
    if (countBox_->text().trimmed() != QString::number(count))
        countBox_->setText(Text(NumberText(count)));
}

// Stores the box's number into the shown row at once; nothing is recalculated.
// A box whose text the user has not edited since the program wrote it holds
// the value rounded for display: storing that would lose the digits beyond
// the seventh, so only edited text is stored.
void SegmentEditor::FieldBox_KeyUp(Column column)
{
    if (CountOf(state_, kind_) < 1)
        return;
    QLineEdit* box = fields_[static_cast<std::size_t>(column)];
    if (!box->isModified())
        return;
    const std::int32_t row = CurrentRowOf(state_, kind_);
    float value = 0;
    try {
        value = ToFloat(LeadingNumber(box->text().toStdString()));
    } catch (const OverflowError&) {
        ShowMessage(QStringLiteral("Invalid Entry"));
        // Show what the row still holds, so that the next key does not ask again.
        const std::optional<SegmentRow> stored = RowOf(state_, kind_, row);
        if (stored)
            box->setText(Text(NumberText(ColumnValue(*stored, column))));
        return;
    }
    if (StoreField(state_, kind_, column, row, value))
        emit RowsChanged(kind_, row);
}

void SegmentEditor::Next_Click()
{
    std::int32_t& row = CurrentRowOf(state_, kind_);
    if (row < CountOf(state_, kind_)) {
        ++row;
        ShowRow();
    }
}

void SegmentEditor::Previous_Click()
{
    std::int32_t& row = CurrentRowOf(state_, kind_);
    if (row > 1) {
        --row;
        ShowRow();
    }
}

void SegmentEditor::ShowRow()
{
    const std::int32_t row = CurrentRowOf(state_, kind_);
    frame_->setTitle(rowCaption_ + Text(NumberText(row)));
    const std::optional<SegmentRow> values = RowOf(state_, kind_, row);
    if (!values)
        return;
    for (std::size_t i = 0; i < fields_.size(); ++i)
        fields_[i]->setText(Text(NumberText(ColumnValue(*values, static_cast<Column>(i)))));
}

void SegmentEditor::Reset()
{
    CurrentRowOf(state_, kind_) = 1;
    countBox_->setText(Text(NumberText(CountOf(state_, kind_))));
    ClearFrame();
    emit WasReset();
}

// The count box shows the count as read, in plain digits.
void SegmentEditor::ShowLoaded()
{
    const std::int32_t count = CountOf(state_, kind_);
    countBox_->setText(QString::number(count));
    if (count >= 1) {
        CurrentRowOf(state_, kind_) = 1;
        frame_->setEnabled(true);
        ShowRow();
    } else {
        ClearFrame();
    }
}

void SegmentEditor::ClearFrame()
{
    for (QLineEdit* field : fields_)
        field->clear();
    frame_->setTitle(emptyCaption_);
    frame_->setEnabled(false);
}

void SegmentEditor::ShowMessage(const QString& text)
{
    platform_.ShowMessage(frame_->window(), Message{text});
}

void SegmentEditor::ShowOutOfMemory()
{
    platform_.ShowMessage(
        frame_->window(),
        Message{QStringLiteral("Not enough memory for the %1.").arg(kindName_),
                QStringLiteral("Ravo"), MessageButtons::Ok, MessageIcon::Warning});
}

}  // namespace ravo
