// The About window: the program's name and version, what it does and who wrote it.
#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;
class QPushButton;

namespace ravo {

class frmAbout : public QWidget {
    Q_OBJECT

public:
    // A window of its own that the main window owns; it is created once, on
    // the first Help > About, and afterwards only hidden and shown again.
    explicit frmAbout(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildWindow();
    void FitWindowFont();
    void Form_Load();
    void Command1_Click();

    // Controls; each one's objectName is its name here.
    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* Command1 = nullptr;
};

}  // namespace ravo
