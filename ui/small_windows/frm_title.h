// The small window in which the user types the optional title of the profile.
#pragma once

#include <QWidget>

#include "core/profile/profile_state.h"

class QLineEdit;
class QPushButton;

namespace ravo {

class frmTitle : public QWidget {
    Q_OBJECT

public:
    // Created once, on first use, and afterwards only hidden and shown again.
    explicit frmTitle(ProfileState& state, QWidget* parent = nullptr);
    ~frmTitle() override;

    // Sets the title box from the program (a loaded file's title).
    void SetTitleText(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void txtTitle_KeyUp();
    void Command1_Click();

    ProfileState& state_;
    QLineEdit* txtTitle = nullptr;
    QPushButton* Command1 = nullptr;
};

}  // namespace ravo
