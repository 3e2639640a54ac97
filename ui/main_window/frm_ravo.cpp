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
#include <tuple>

#include "ui/main_window/command_guard.h"
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
// the elevation box takes a little room from the offset box, whose numbers
// are short, and its heading moves with it.
constexpr int kStationBoxWidth = 948;
constexpr int kOffsetBoxWidth = 552;
constexpr int kElevationLeft = 1716;
constexpr int kElevationBoxWidth = 912;
constexpr int kFieldBoxWidth = 1032;

QToolButton* AddPictureButton(QWidget* parent, const char* name, const QIcon& icon, int left,
                              int top, int width, int height)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(icon);
    button->setGeometry(TwipsRect(left, top, width, height));
    button->setFocusPolicy(Qt::StrongFocus);
    button->setAutoRaise(false);
    return button;
}

}  // namespace

// What one editor frame holds and where, in twips inside the frame.
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
    const char* rowCaption;
    const char* emptyCaption;
    const char* kindName;
    std::array<Field, ColumnCount> fields;
    const char* previousName;
    int previousLeft;
    const char* nextName;
    int nextLeft;
};

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
    for (Editor* editor : {&curves_, &supers_}) {
        connect(editor->countBox, &QLineEdit::editingFinished, this, [this, editor] {
            RunCommand(platform_, this, CommandFailedText(), [&] { CountBox_Left(*editor); });
        });
    }
}

QLineEdit* frmRavo::AddBox(QWidget* parent, const char* name, int left, int top, int width,
                           int height, const QString& text)
{
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(TwipsRect(left, top, width, height));
    box->setTextMargins(1, 0, 1, 0);
    return box;
}

void frmRavo::BuildCountsFrame(QWidget* client)
{
    fraSegments = AddFrame(client, "fraSegments", QStringLiteral("NO. OF SEGMENTS"),
                           TwipsRect(3600, 120, 3252, 1212));
    txtNVC = AddBox(fraSegments, "txtNVC", 240, 360, 612, 288, QStringLiteral("0"));
    AddLabel(fraSegments, "lblNVC", QStringLiteral("Vertical curves"),
             TwipsRect(960, 360, 1092, 252));
    txtNSUP = AddBox(fraSegments, "txtNSUP", 240, 720, 612, 288, QStringLiteral("0"));
    AddLabel(fraSegments, "lblNSUP", QStringLiteral("Superelevations"),
             TwipsRect(960, 720, 1212, 252));
    curves_.countBox = txtNVC;
    supers_.countBox = txtNSUP;
}

void frmRavo::BuildElevationsFrame(QWidget* client)
{
    fraElevations = AddFrame(client, "fraElevations", QStringLiteral("ELEVATIONS"),
                             TwipsRect(120, 120, 3252, 1212));
    AddLabel(fraElevations, "lblStation", QStringLiteral("Station"), TwipsRect(120, 360, 612, 252));
    txtStation = AddBox(fraElevations, "txtStation", 120, 720, kStationBoxWidth, 288);
    AddLabel(fraElevations, "lblOffset", QStringLiteral("Offset"), TwipsRect(1080, 360, 492, 252));
    txtOffset =
        AddBox(fraElevations, "txtOffset", 1080, 720, kOffsetBoxWidth, 288, QStringLiteral("0"));
    QLabel* elevation = AddLabel(fraElevations, "lblElevation", QStringLiteral("Elevation"),
                                 TwipsRect(kElevationLeft, 360, 732, 252));
    QPalette blue = elevation->palette();
    blue.setColor(QPalette::Active, QPalette::WindowText, QColor(0, 0, 255));
    blue.setColor(QPalette::Inactive, QPalette::WindowText, QColor(0, 0, 255));
    elevation->setPalette(blue);
    txtElevation =
        AddBox(fraElevations, "txtElevation", kElevationLeft, 720, kElevationBoxWidth, 288);

    SScmdNextElev =
        AddPictureButton(fraElevations, "SScmdNextElev", NextStationIcon(), 2640, 360, 492, 612);
    SScmdNextElev->setText(QStringLiteral("&Next"));
    SScmdNextElev->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    SScmdNextElev->setIconSize(QSize(16, 16));
}

void frmRavo::BuildEditorFrame(Editor& editor, QWidget* client, const EditorLayout& layout)
{
    editor.rowCaption = QLatin1String(layout.rowCaption);
    editor.emptyCaption = QLatin1String(layout.emptyCaption);
    editor.kindName = QLatin1String(layout.kindName);
    editor.frame = AddFrame(client, layout.frameName, editor.rowCaption + QStringLiteral(" 1"),
                            TwipsRect(layout.frameLeft, 1440, 3252, 2652));
    for (std::size_t i = 0; i < editor.fields.size(); ++i) {
        const EditorLayout::Field& field = layout.fields[i];
        const int top = 360 + 360 * static_cast<int>(i);
        QLabel* label = AddLabel(editor.frame, field.labelName, QLatin1String(field.label),
                                 TwipsRect(field.labelLeft, top, field.labelWidth, 252));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        editor.fields[i] = AddBox(editor.frame, field.boxName, 2160, top, kFieldBoxWidth, 288);
    }
    editor.previous = AddPictureButton(editor.frame, layout.previousName, ArrowIcon(Qt::LeftArrow),
                                       layout.previousLeft, 2160, 492, 372);
    editor.next = AddPictureButton(editor.frame, layout.nextName, ArrowIcon(Qt::RightArrow),
                                   layout.nextLeft, 2160, 492, 372);
    connect(editor.next, &QToolButton::clicked, this, [this, &editor] {
        RunCommand(platform_, this, CommandFailedText(), [&] { Next_Click(editor); });
    });
    connect(editor.previous, &QToolButton::clicked, this, [this, &editor] {
        RunCommand(platform_, this, CommandFailedText(), [&] { Previous_Click(editor); });
    });
}

void frmRavo::BuildCurveFrame(QWidget* client)
{
    BuildEditorFrame(curves_, client,
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
    fraVCurve = curves_.frame;
    std::tie(txtE1, txtG1, txtG2, txtSta1, txtSta2) = std::tuple_cat(curves_.fields);
    SScmdPrevVC = curves_.previous;
    SScmdNextVC = curves_.next;
}

void frmRavo::BuildSuperFrame(QWidget* client)
{
    BuildEditorFrame(supers_, client,
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
    fraSuper = supers_.frame;
    std::tie(txtS1, txtSG1, txtSG2, txtSSta1, txtSSta2) = std::tuple_cat(supers_.fields);
    SScmdPrevSup = supers_.previous;
    SScmdNextSup = supers_.next;
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
    for (Editor* editor : {&curves_, &supers_}) {
        if (box == editor->countBox)
            return CountBox_KeyUp(*editor);
        for (std::size_t i = 0; i < editor->fields.size(); ++i) {
            if (box == editor->fields[i])
                return FieldBox_KeyUp(*editor, static_cast<Column>(i));
        }
    }
}

bool frmRavo::eventFilter(QObject* watched, QEvent* event)
{
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
