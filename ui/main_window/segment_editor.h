// One editor of a kind of row: its count box, the frame with the five field
// boxes of the shown row, and the buttons that step between rows. The main
// window holds two, for the vertical curves and the superelevation segments.
#pragma once

#include <QObject>
#include <QString>
#include <array>

#include "core/profile/profile_state.h"
#include "ui/platform/platform.h"

class QGroupBox;
class QLineEdit;
class QToolButton;
class QWidget;

namespace ravo {

// What one editor frame holds and where, in twips inside the client area or
// the frame.
struct EditorLayout {
    struct Field {
        const char* labelName;
        const char* label;
        int labelLeft;
        int labelWidth;
        const char* boxName;
    };
    const char* frameName;
    int frameLeft;
    const char* rowCaption;    // "VERTICAL CURVE NO."
    const char* emptyCaption;  // "VERTICAL CURVES"
    const char* kindName;      // for messages: "vertical curves"
    std::array<Field, ColumnCount> fields;
    const char* previousName;
    int previousLeft;
    const char* nextName;
    int nextLeft;
};

class SegmentEditor : public QObject {
    Q_OBJECT

public:
    // Builds the frame inside client; the count box lies elsewhere in the
    // window. The state and the platform outlive the editor.
    SegmentEditor(ProfileState& state, Platform& platform, SegmentKind kind, QLineEdit* countBox,
                  QWidget* client, const EditorLayout& layout);

    SegmentKind Kind() const { return kind_; }
    QLineEdit* CountBox() const { return countBox_; }
    QGroupBox* Frame() const { return frame_; }
    const std::array<QLineEdit*, ColumnCount>& Fields() const { return fields_; }
    QToolButton* NextButton() const { return next_; }
    QToolButton* PreviousButton() const { return previous_; }

    // Runs the key-up handler of box when it is one of this editor's boxes,
    // and says whether it was.
    bool KeyUp(const QObject* box);
    void CountBox_Left();
    void ShowRow();
    // Shows the frame empty and disabled; the count and the rows stay.
    void Reset();
    // After a load: row 1, or the empty frame when there is no row of the kind.
    void ShowLoaded();

signals:
    // A field was stored into a row of the editor's kind.
    void RowsChanged(ravo::SegmentKind kind, std::int32_t row);
    // A typed count is about to re-create the kind's tables.
    void AboutToRecreate(ravo::SegmentKind kind);
    // The frame was emptied, after a reset or a re-created table.
    void WasReset();

private:
    void CountBox_KeyUp();
    void FieldBox_KeyUp(Column column);
    void Next_Click();
    void Previous_Click();
    void ClearFrame();
    void ShowMessage(const QString& text);
    void ShowOutOfMemory();

    ProfileState& state_;
    Platform& platform_;
    SegmentKind kind_;
    QLineEdit* countBox_;
    QGroupBox* frame_ = nullptr;
    std::array<QLineEdit*, ColumnCount> fields_{};
    QToolButton* next_ = nullptr;
    QToolButton* previous_ = nullptr;
    QString rowCaption_;
    QString emptyCaption_;
    QString kindName_;
};

}  // namespace ravo
