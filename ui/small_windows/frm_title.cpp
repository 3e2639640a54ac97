// The output-title window.
#include "ui/small_windows/frm_title.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "ui/widgets/twips_layout.h"
#include "ui/widgets/window_guard.h"

namespace ravo {

frmTitle::frmTitle(ProfileState& state, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state)
{
    setObjectName(QStringLiteral("frmTitle"));
    setWindowTitle(QStringLiteral("Output Title"));
    setFixedSize(Px(6990), Px(900));

    txtTitle = new QLineEdit(this);
    txtTitle->setObjectName(QStringLiteral("txtTitle"));
    txtTitle->setGeometry(TwipsRect(240, 240, 5532, 375));
    txtTitle->setToolTip(QStringLiteral("Enter Output Title"));
    txtTitle->installEventFilter(this);

    Command1 = new QPushButton(QStringLiteral("&Close"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(TwipsRect(6000, 240, 735, 375));
    Command1->setToolTip(QStringLiteral("Close form"));
    connect(Command1, &QPushButton::clicked, this, &frmTitle::Command1_Click);

    setTabOrder(txtTitle, Command1);
    Form_Load();
}

frmTitle::~frmTitle() { txtTitle->removeEventFilter(this); }

void frmTitle::Form_Load()
{
    CentreOnScreen(*this);
    TrimSystemMenu(*this);
}

void frmTitle::SetTitleText(const QString& text) { txtTitle->setText(text); }

bool frmTitle::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtTitle && event->type() == QEvent::KeyRelease &&
        !static_cast<QKeyEvent*>(event)->isAutoRepeat())
        txtTitle_KeyUp();
    return QWidget::eventFilter(watched, event);
}

// Only a key released in the box takes the text; a change made otherwise (a
// paste with the mouse) reaches the title at the next key release.
void frmTitle::txtTitle_KeyUp() { state_.OutputTitle = txtTitle->text().toStdString(); }

void frmTitle::Command1_Click() { hide(); }

}  // namespace ravo
