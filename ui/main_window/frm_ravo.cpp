// Construction and layout of the main window. Positions and sizes are kept in
// twips, as the layout was drawn, and converted at 15 twips to the pixel.
#include "ui/main_window/frm_ravo.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>
#include <QToolButton>

#include "ui/main_window/command_guard.h"
#include "ui/main_window/segment_editor.h"
#include "ui/small_windows/frm_title.h"
#include "ui/widgets/icons.h"
#include "ui/widgets/twips_layout.h"
#include "ui/widgets/window_guard.h"

namespace ravo {
namespace {

constexpr int kClientWidth = 7005;
constexpr int kClientHeight = 4080;  // above the status bar, which is 255 high
constexpr int kStatusBarHeight = 255;
constexpr int kPanelWidth = 2220;
constexpr int kPanelMinimumWidth = 1440;
// Number boxes run wider than drawn, up to the next control or the frame's
// edge, so that a seven-digit station or a six-digit elevation shows whole;
// the elevation box begins a little to the left, its heading with it, and
// the offset box keeps its drawn width up to it, room for "-999.999".
constexpr int kStationBoxWidth = 948;
// A count box runs up to its label, so that " 1000000", the largest count as
// a reset shows it, fits whole.
constexpr int kCountBoxWidth = 700;
constexpr int kOffsetBoxWidth = 612;
constexpr int kElevationLeft = 1716;
constexpr int kElevationBoxWidth = 912;

}  // namespace

frmRavo::frmRavo(ProfileState& state, Platform& platform, QWidget* parent)
    : QMainWindow(parent), state_(state), platform_(platform), report_(state)
{
    setObjectName(QStringLiteral("frmRavo"));
    BuildWindow();
    Form_Load();
}

// The boxes outlive this object by a little while QWidget deletes its
// children, and losing the focus then must not reach the handlers.
frmRavo::~frmRavo()
{
    SaveWindowPosition();
    title_.reset();
    for (QLineEdit* box : findChildren<QLineEdit*>()) {
        box->removeEventFilter(this);
        box->disconnect(this);
    }
}

void frmRavo::BuildWindow()
{
    setWindowTitle(QStringLiteral("Elevation Calculation"));
    setWindowIcon(RavoIcon());
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(Px(kClientWidth), Px(kClientHeight));
    setCentralWidget(client);

    BuildCountsFrame(client);
    BuildElevationsFrame(client);
    BuildCurveFrame(client);
    BuildSuperFrame(client);
    BuildMenus();
    BuildStatusBar();
    SetTabOrder();
    FitWindowFont();
    FitNumberBoxes();
    setFixedSize(sizeHint());

    for (QLineEdit* box : findChildren<QLineEdit*>())
        box->installEventFilter(this);
    txtElevation->setReadOnly(true);
    connect(txtStation, &QLineEdit::textChanged, this,
            Guarded(&frmRavo::txtStation_Change, CommandFailedText()));
    connect(SScmdNextElev, &QToolButton::clicked, this,
            Guarded(&frmRavo::SScmdNextElev_Click, WriteFailureText()));
    for (SegmentEditor* editor : {curves_, supers_}) {
        connect(editor, &SegmentEditor::RowsChanged, this, &frmRavo::RowStored);
        connect(editor, &SegmentEditor::AboutToRecreate, this,
                [this](SegmentKind kind) { undo_.KeepBefore(state_, kind); });
        connect(editor, &SegmentEditor::WasReset, this,
                [this, editor] { EditorWasReset(editor->Kind()); });
    }
}

void frmRavo::BuildCountsFrame(QWidget* client)
{
    fraSegments = AddFrame(client, "fraSegments", QStringLiteral("NO. OF SEGMENTS"),
                           TwipsRect(3600, 120, 3252, 1212));
    txtNVC = AddBox(fraSegments, "txtNVC", TwipsRect(240, 360, kCountBoxWidth, 288),
                    QStringLiteral("0"));
    AddLabel(fraSegments, "lblNVC", QStringLiteral("Vertical curves"),
             TwipsRect(960, 360, 1092, 252));
    txtNSUP = AddBox(fraSegments, "txtNSUP", TwipsRect(240, 720, kCountBoxWidth, 288),
                     QStringLiteral("0"));
    AddLabel(fraSegments, "lblNSUP", QStringLiteral("Superelevations"),
             TwipsRect(960, 720, 1212, 252));
}

void frmRavo::BuildElevationsFrame(QWidget* client)
{
    fraElevations = AddFrame(client, "fraElevations", QStringLiteral("ELEVATIONS"),
                             TwipsRect(120, 120, 3252, 1212));
    AddLabel(fraElevations, "lblStation", QStringLiteral("Station"), TwipsRect(120, 360, 612, 252));
    txtStation = AddBox(fraElevations, "txtStation", TwipsRect(120, 720, kStationBoxWidth, 288));
    AddLabel(fraElevations, "lblOffset", QStringLiteral("Offset"), TwipsRect(1080, 360, 492, 252));
    txtOffset = AddBox(fraElevations, "txtOffset", TwipsRect(1080, 720, kOffsetBoxWidth, 288),
                       QStringLiteral("0"));
    QLabel* elevation = AddLabel(fraElevations, "lblElevation", QStringLiteral("Elevation"),
                                 TwipsRect(kElevationLeft, 360, 732, 252));
    QPalette blue = elevation->palette();
    blue.setColor(QPalette::Active, QPalette::WindowText, QColor(0, 0, 255));
    blue.setColor(QPalette::Inactive, QPalette::WindowText, QColor(0, 0, 255));
    elevation->setPalette(blue);
    txtElevation = AddBox(fraElevations, "txtElevation",
                          TwipsRect(kElevationLeft, 720, kElevationBoxWidth, 288));

    SScmdNextElev = AddPictureButton(fraElevations, "SScmdNextElev", NextStationIcon(),
                                     TwipsRect(2640, 360, 492, 612));
    SScmdNextElev->setText(QStringLiteral("&Next"));
    SScmdNextElev->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    SScmdNextElev->setIconSize(QSize(16, 16));
}

void frmRavo::BuildCurveFrame(QWidget* client)
{
    curves_ = new SegmentEditor(state_, platform_, SegmentKind::VerticalCurve, txtNVC, client,
                                {"fraVCurve",
                                 120,
                                 "VERTICAL CURVE NO.",
                                 "VERTICAL CURVES",
                                 "vertical curves",
                                 {{
                                     {"lblE1", "Beginning elevation:", 600, 1452, "txtE1"},
                                     {"lblG1", "Beginning grade:", 720, 1332, "txtG1"},
                                     {"lblG2", "Ending grade:", 960, 1092, "txtG2"},
                                     {"lblSta1", "Beginning station:", 720, 1332, "txtSta1"},
                                     {"lblSta2", "Ending station:", 960, 1092, "txtSta2"},
                                 }},
                                 "SScmdPrevVC",
                                 2040,
                                 "SScmdNextVC",
                                 2640});
}

void frmRavo::BuildSuperFrame(QWidget* client)
{
    supers_ = new SegmentEditor(state_, platform_, SegmentKind::Superelevation, txtNSUP, client,
                                {"fraSuper",
                                 3600,
                                 "SUPERELEVATION SEGMENT NO.",
                                 "SUPERELEVATION SEGMENTS",
                                 "superelevation segments",
                                 {{
                                     {"lblS1", "Beginning superelevation:", 120, 1932, "txtS1"},
                                     {"lblSG1", "Beginning super grade:", 360, 1692, "txtSG1"},
                                     {"lblSG2", "Ending super grade:", 480, 1572, "txtSG2"},
                                     {"lblSSta1", "Beginning station:", 720, 1332, "txtSSta1"},
                                     {"lblSSta2", "Ending station:", 960, 1092, "txtSSta2"},
                                 }},
                                 "SScmdPrevSup",
                                 1920,
                                 "SScmdNextSup",
                                 2520});
}

void frmRavo::BuildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    bar->setFixedHeight(Px(kStatusBarHeight) + 4);
    const QString texts[] = {QStringLiteral("No input file specified"),
                             QStringLiteral("No output file specified"),
                             QStringLiteral("Elevation logging is off")};
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i + 1));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setMinimumWidth(Px(kPanelMinimumWidth));
        panel->setFixedWidth(Px(kPanelWidth));
        bar->addWidget(panel);
        panels_[i] = panel;
        SetPanelText(static_cast<int>(i) + 1, texts[i]);
    }
}

void frmRavo::SetClock(std::function<std::tm()> clock) { report_.SetClock(std::move(clock)); }

// The panel's whole text; the panel itself may show it shortened.
QString frmRavo::PanelText(int panel) const
{
    return panels_.at(static_cast<std::size_t>(panel - 1))->toolTip();
}

// A long file name is shortened in the middle, where it says least, and shown
// whole in the tooltip.
void frmRavo::SetPanelText(int panel, const QString& text)
{
    QLabel* label = panels_.at(static_cast<std::size_t>(panel - 1));
    label->setToolTip(text);
    const int room = label->contentsRect().width() - 2 * label->margin() - 4;
    label->setText(label->fontMetrics().elidedText(text, Qt::ElideMiddle, room));
}

void frmRavo::Form_Load()
{
    CentreOnScreen(*this);
    RestoreWindowPosition();
    setAcceptDrops(true);
    // A refused close beeps like the program's other refusals, so that it
    // does not look like a hang.
    TrimSystemMenu(*this, [this] { platform_.Beep(); });
    ResetAll();
    txtNVC->setFocus();
}

// A key release counts only in the box that also had the key pressed: the
// release of the Enter that closed a message box would otherwise run the
// handler again, and show the same message again, for ever.
bool frmRavo::IsKeyUp(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        pressedKeys_.remove(watched);
        return false;
    }
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->isAutoRepeat())
        return false;
    if (event->type() == QEvent::KeyPress) {
        pressedKeys_.insert(watched, key->key());
        return false;
    }
    return pressedKeys_.remove(watched, key->key()) > 0;
}

void frmRavo::DispatchKeyUp(QObject* box)
{
    if (box == txtOffset) {
        txtOffset_KeyUp();
        return;
    }
    for (SegmentEditor* editor : {curves_, supers_}) {
        if (editor->KeyUp(box))
            return;
    }
}

bool frmRavo::eventFilter(QObject* watched, QEvent* event)
{
    if (HandleFileDrop(event))  // a file dropped on a box loads, not pastes its name
        return true;
    // Ctrl+Z steps the tables back from every box: the box's own undo gives way.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Z))
        return true;
    if (IsKeyUp(watched, event)) {
        RunCommand(platform_, this, CommandFailedText(), [&] { DispatchKeyUp(watched); });
    } else if (watched == txtElevation && event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        txtElevation_Click();
        return true;
    } else if (watched == txtElevation && event->type() == QEvent::MouseButtonDblClick) {
        txtElevation_DblClick();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace ravo
