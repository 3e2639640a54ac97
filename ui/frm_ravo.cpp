// Construction and layout of the main window. Positions and sizes are kept in
// twips, as the layout was drawn, and converted at 15 twips to the pixel.
#include "frm_ravo.h"

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

#include "frm_title.h"
#include "icons.h"
#include "window_guard.h"

namespace ravo {
namespace {

constexpr int Px(int twips) { return (twips + 7) / 15; }

QRect TwipsRect(int left, int top, int width, int height)
{
    return {Px(left), Px(top), Px(width), Px(height)};
}

constexpr int kClientWidth = 7005;
constexpr int kClientHeight = 4080;  // above the status bar, which is 255 high
constexpr int kStatusBarHeight = 255;
constexpr int kPanelWidth = 2220;
constexpr int kPanelMinimumWidth = 1440;

// A red caption that stays readable, paler, when the frame is disabled.
void PaintCaptionRed(QGroupBox* frame)
{
    QPalette palette = frame->palette();
    palette.setColor(QPalette::Active, QPalette::WindowText, QColor(255, 0, 0));
    palette.setColor(QPalette::Inactive, QPalette::WindowText, QColor(255, 0, 0));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(230, 140, 140));
    frame->setPalette(palette);
}

QGroupBox* AddFrame(QWidget* parent, const char* name, const QString& caption, int left, int top,
                    int width, int height)
{
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(QLatin1String(name));
    frame->setGeometry(TwipsRect(left, top, width, height));
    PaintCaptionRed(frame);
    return frame;
}

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

// Where the labels and boxes of an editor frame stand, in twips inside it.
struct EditorLayout {
    struct Field {
        const char* labelName;
        const char* label;
        int labelLeft;
        int labelWidth;
        const char* boxName;
    };
    std::array<Field, ColumnCount> fields;
};

frmRavo::frmRavo(ProfileState& state, Platform& platform, QWidget* parent)
    : QMainWindow(parent), state_(state), platform_(platform)
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
    setFixedSize(sizeHint());

    for (QLineEdit* box : findChildren<QLineEdit*>())
        box->installEventFilter(this);
    txtElevation->setReadOnly(true);
    connect(txtStation, &QLineEdit::textChanged, this, &frmRavo::txtStation_Change);
    connect(SScmdNextElev, &QToolButton::clicked, this, &frmRavo::SScmdNextElev_Click);
    connect(txtNVC, &QLineEdit::editingFinished, this, [this] { CountBox_Left(curves_); });
    connect(txtNSUP, &QLineEdit::editingFinished, this, [this] { CountBox_Left(supers_); });
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

QLabel* frmRavo::AddLabel(QWidget* parent, const char* name, const QString& caption, int left,
                          int top, int width, int height)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(TwipsRect(left, top, width, height));
    // Labels keep the desktop's text colour inside the red-captioned frames.
    QPalette palette = label->palette();
    const QPalette desktop = QApplication::palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::WindowText, desktop.color(group, QPalette::WindowText));
    label->setPalette(palette);
    return label;
}

void frmRavo::BuildCountsFrame(QWidget* client)
{
    fraSegments = AddFrame(client, "fraSegments", QStringLiteral("NO. OF SEGMENTS"), 3600, 120,
                           3252, 1212);
    txtNVC = AddBox(fraSegments, "txtNVC", 240, 360, 612, 288, QStringLiteral("0"));
    AddLabel(fraSegments, "lblNVC", QStringLiteral("Vertical curves"), 960, 360, 1092, 252);
    txtNSUP = AddBox(fraSegments, "txtNSUP", 240, 720, 612, 288, QStringLiteral("0"));
    AddLabel(fraSegments, "lblNSUP", QStringLiteral("Superelevations"), 960, 720, 1212, 252);
    curves_.countBox = txtNVC;
    supers_.countBox = txtNSUP;
}

void frmRavo::BuildElevationsFrame(QWidget* client)
{
    fraElevations = AddFrame(client, "fraElevations", QStringLiteral("ELEVATIONS"), 120, 120,
                             3252, 1212);
    AddLabel(fraElevations, "lblStation", QStringLiteral("Station"), 120, 360, 612, 252);
    txtStation = AddBox(fraElevations, "txtStation", 120, 720, 852, 288);
    AddLabel(fraElevations, "lblOffset", QStringLiteral("Offset"), 1080, 360, 492, 252);
    txtOffset = AddBox(fraElevations, "txtOffset", 1080, 720, 612, 288, QStringLiteral("0"));
    QLabel* elevation =
        AddLabel(fraElevations, "lblElevation", QStringLiteral("Elevation"), 1800, 360, 732, 252);
    QPalette blue = elevation->palette();
    blue.setColor(QPalette::Active, QPalette::WindowText, QColor(0, 0, 255));
    blue.setColor(QPalette::Inactive, QPalette::WindowText, QColor(0, 0, 255));
    elevation->setPalette(blue);
    txtElevation = AddBox(fraElevations, "txtElevation", 1800, 720, 732, 288);

    SScmdNextElev =
        AddPictureButton(fraElevations, "SScmdNextElev", NextStationIcon(), 2640, 360, 492, 612);
    SScmdNextElev->setText(QStringLiteral("&Next"));
    SScmdNextElev->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    SScmdNextElev->setIconSize(QSize(16, 16));
}

void frmRavo::BuildEditorFrame(Editor& editor, const EditorLayout& layout)
{
    for (int i = 0; i < ColumnCount; ++i) {
        const EditorLayout::Field& field = layout.fields[static_cast<std::size_t>(i)];
        const int top = 360 + 360 * i;
        QLabel* label = AddLabel(editor.frame, field.labelName, QLatin1String(field.label),
                                 field.labelLeft, top, field.labelWidth, 252);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        editor.fields[static_cast<std::size_t>(i)] = AddBox(editor.frame, field.boxName, 2160, top, 852, 288);
    }
}

void frmRavo::BuildCurveFrame(QWidget* client)
{
    fraVCurve = AddFrame(client, "fraVCurve", QStringLiteral("VERTICAL CURVE NO. 1"), 120, 1440,
                         3252, 2652);
    curves_.frame = fraVCurve;
    curves_.rowCaption = QStringLiteral("VERTICAL CURVE NO.");
    curves_.emptyCaption = QStringLiteral("VERTICAL CURVES");
    curves_.kindName = QStringLiteral("vertical curves");
    const EditorLayout layout{{{
                                  {"lblE1", "Beginning elevation:", 600, 1452, "txtE1"},
                                  {"lblG1", "Beginning grade:", 720, 1332, "txtG1"},
                                  {"lblG2", "Ending grade:", 960, 1092, "txtG2"},
                                  {"lblSta1", "Beginning station:", 720, 1332, "txtSta1"},
                                  {"lblSta2", "Ending station:", 960, 1092, "txtSta2"},
                              }}};
    BuildEditorFrame(curves_, layout);
    txtE1 = curves_.fields[0];
    txtG1 = curves_.fields[1];
    txtG2 = curves_.fields[2];
    txtSta1 = curves_.fields[3];
    txtSta2 = curves_.fields[4];
    SScmdPrevVC = AddPictureButton(fraVCurve, "SScmdPrevVC", ArrowIcon(Qt::LeftArrow), 2040, 2160,
                                   492, 372);
    SScmdNextVC = AddPictureButton(fraVCurve, "SScmdNextVC", ArrowIcon(Qt::RightArrow), 2640, 2160,
                                   492, 372);
    curves_.previous = SScmdPrevVC;
    curves_.next = SScmdNextVC;
    connect(SScmdNextVC, &QToolButton::clicked, this, [this] { Next_Click(curves_); });
    connect(SScmdPrevVC, &QToolButton::clicked, this, [this] { Previous_Click(curves_); });
}

void frmRavo::BuildSuperFrame(QWidget* client)
{
    fraSuper = AddFrame(client, "fraSuper", QStringLiteral("SUPERELEVATION SEGMENT NO. 1"), 3600,
                        1440, 3252, 2652);
    supers_.frame = fraSuper;
    supers_.rowCaption = QStringLiteral("SUPERELEVATION SEGMENT NO.");
    supers_.emptyCaption = QStringLiteral("SUPERELEVATION SEGMENTS");
    supers_.kindName = QStringLiteral("superelevation segments");
    const EditorLayout layout{{{
                                  {"lblS1", "Beginning superelevation:", 120, 1932, "txtS1"},
                                  {"lblSG1", "Beginning super grade:", 360, 1692, "txtSG1"},
                                  {"lblSG2", "Ending super grade:", 480, 1572, "txtSG2"},
                                  {"lblSSta1", "Beginning station:", 720, 1332, "txtSSta1"},
                                  {"lblSSta2", "Ending station:", 960, 1092, "txtSSta2"},
                              }}};
    BuildEditorFrame(supers_, layout);
    txtS1 = supers_.fields[0];
    txtSG1 = supers_.fields[1];
    txtSG2 = supers_.fields[2];
    txtSSta1 = supers_.fields[3];
    txtSSta2 = supers_.fields[4];
    SScmdPrevSup = AddPictureButton(fraSuper, "SScmdPrevSup", ArrowIcon(Qt::LeftArrow), 1920, 2160,
                                    492, 372);
    SScmdNextSup = AddPictureButton(fraSuper, "SScmdNextSup", ArrowIcon(Qt::RightArrow), 2520, 2160,
                                    492, 372);
    supers_.previous = SScmdPrevSup;
    supers_.next = SScmdNextSup;
    connect(SScmdNextSup, &QToolButton::clicked, this, [this] { Next_Click(supers_); });
    connect(SScmdPrevSup, &QToolButton::clicked, this, [this] { Previous_Click(supers_); });
}

QAction* frmRavo::AddItem(QMenu* menu, const char* name, const QString& caption)
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(QLatin1String(name));
    return item;
}

void frmRavo::BuildMenus()
{
    QMenuBar* bar = menuBar();
    auto addMenu = [](QWidget* parent, const char* name, const QString& caption) {
        auto* menu = new QMenu(caption, parent);
        menu->setObjectName(QLatin1String(name));
        menu->menuAction()->setObjectName(QLatin1String(name) + QLatin1String("Item"));
        return menu;
    };

    QMenu* mnuFile = addMenu(bar, "mnuFile", QStringLiteral("&File"));
    bar->addMenu(mnuFile);
    mnuLoad = AddItem(mnuFile, "mnuLoad", QStringLiteral("&Load Input"));
    QMenu* mnuSave = addMenu(mnuFile, "mnuSave", QStringLiteral("&Save"));
    mnuFile->addMenu(mnuSave);
    mnuInput = AddItem(mnuSave, "mnuInput", QStringLiteral("&Input As"));
    mnuOutput = AddItem(mnuSave, "mnuOutput", QStringLiteral("&Output As"));
    QMenu* mnuDefine = addMenu(mnuFile, "mnuDefine", QStringLiteral("&Define"));
    mnuFile->addMenu(mnuDefine);
    mnuDOutT = AddItem(mnuDefine, "mnuDOutT", QStringLiteral("&Output Title (optional)"));
    mnuExit = AddItem(mnuFile, "mnuExit", QStringLiteral("&Exit"));

    QMenu* mnuReset = addMenu(bar, "mnuReset", QStringLiteral("&Reset"));
    bar->addMenu(mnuReset);
    mnuResetVcurves = AddItem(mnuReset, "mnuResetVcurves", QStringLiteral("&Vertical curves"));
    mnuResetSuper = AddItem(mnuReset, "mnuResetSuper", QStringLiteral("&Superelevations"));
    mnuResetAll = AddItem(mnuReset, "mnuResetAll", QStringLiteral("&All"));

    QMenu* mnuView = addMenu(bar, "mnuView", QStringLiteral("&View"));
    bar->addMenu(mnuView);
    mnuVOut = AddItem(mnuView, "mnuVOut", QStringLiteral("&Output File"));

    QMenu* mnuPrint = addMenu(bar, "mnuPrint", QStringLiteral("&Print"));
    bar->addMenu(mnuPrint);
    mnuPrintCS = AddItem(mnuPrint, "mnuPrintCS", QStringLiteral("&Input Data Echo"));
    mnuStartPrint = AddItem(mnuPrint, "mnuStartPrint", QStringLiteral("St&art Printing Elevations"));
    mnuStopPrint = AddItem(mnuPrint, "mnuStopPrint", QStringLiteral("St&op Printing Elevations"));

    QMenu* mnuHelp = addMenu(bar, "mnuHelp", QStringLiteral("&Help"));
    bar->addMenu(mnuHelp);
    mnuContents = AddItem(mnuHelp, "mnuContents", QStringLiteral("&Contents"));
    mnuAbout = AddItem(mnuHelp, "mnuAbout", QStringLiteral("&About Program RAVO"));

    connect(mnuExit, &QAction::triggered, this, &frmRavo::mnuExit_Click);
    connect(mnuResetVcurves, &QAction::triggered, this, &frmRavo::mnuResetVcurves_Click);
    connect(mnuResetSuper, &QAction::triggered, this, &frmRavo::mnuResetSuper_Click);
    connect(mnuResetAll, &QAction::triggered, this, &frmRavo::mnuResetAll_Click);
    connect(mnuLoad, &QAction::triggered, this, &frmRavo::mnuLoad_Click);
    connect(mnuInput, &QAction::triggered, this, &frmRavo::mnuInput_Click);
    connect(mnuDOutT, &QAction::triggered, this, &frmRavo::mnuDOutT_Click);
    connect(mnuOutput, &QAction::triggered, this, &frmRavo::mnuOutput_Click);
    connect(mnuVOut, &QAction::triggered, this, &frmRavo::mnuVOut_Click);
    connect(mnuPrintCS, &QAction::triggered, this, &frmRavo::mnuPrintCS_Click);
    connect(mnuStartPrint, &QAction::triggered, this, &frmRavo::mnuStartPrint_Click);
    connect(mnuStopPrint, &QAction::triggered, this, &frmRavo::mnuStopPrint_Click);
    connect(mnuContents, &QAction::triggered, this, &frmRavo::mnuContents_Click);
    connect(mnuAbout, &QAction::triggered, this, &frmRavo::mnuAbout_Click);
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
        auto* panel = new QLabel(texts[i], bar);
        panel->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i + 1));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setMinimumWidth(Px(kPanelMinimumWidth));
        panel->setFixedWidth(Px(kPanelWidth));
        bar->addWidget(panel);
        panels_[i] = panel;
    }
}

void frmRavo::SetClock(std::function<std::tm()> clock) { clock_ = std::move(clock); }

QString frmRavo::PanelText(int panel) const
{
    return panels_.at(static_cast<std::size_t>(panel - 1))->text();
}

void frmRavo::SetPanelText(int panel, const QString& text)
{
    QLabel* label = panels_.at(static_cast<std::size_t>(panel - 1));
    label->setText(text);
    label->setToolTip(text);  // a long file name may not fit the panel
}

void frmRavo::SetTabOrder()
{
    const std::initializer_list<QWidget*> order = {
        txtNVC,   txtNSUP,       txtE1,       txtG1,       txtG2,        txtSta1,      txtSta2,
        txtS1,    txtSG1,        txtSG2,      txtSSta1,    txtSSta2,     txtStation,   txtOffset,
        txtElevation, SScmdNextElev, SScmdNextVC, SScmdPrevVC, SScmdNextSup, SScmdPrevSup};
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
            fits = fits && metrics.horizontalAdvance(caption) + 16 <= fraSuper->width();
        for (const QLabel* panel : panels_)
            fits = fits && metrics.horizontalAdvance(panel->text()) + 6 <= panel->width();
        if (fits || pixels == 8)
            break;
    }
    setFont(font);
    menuBar()->setFont(font);
    QFont heading = font;
    heading.setUnderline(true);
    for (const char* name : {"lblStation", "lblOffset", "lblElevation"})
        findChild<QLabel*>(QLatin1String(name))->setFont(heading);
}

void frmRavo::Form_Load()
{
    CentreOnScreen(*this);
    TrimSystemMenu(*this);
    ResetAll();
    txtNVC->setFocus();
}

bool frmRavo::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease && !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
        if (watched == txtOffset) {
            txtOffset_KeyUp();
        } else if (watched == txtNVC) {
            CountBox_KeyUp(curves_);
        } else if (watched == txtNSUP) {
            CountBox_KeyUp(supers_);
        } else {
            for (Editor* editor : {&curves_, &supers_}) {
                for (int i = 0; i < ColumnCount; ++i) {
                    if (watched == editor->fields[static_cast<std::size_t>(i)])
                        FieldBox_KeyUp(*editor, static_cast<Column>(i));
                }
            }
        }
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
