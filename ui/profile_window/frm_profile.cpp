// The profile window: its toolbar, the plot and keeping both up to date with the profile.
#include "ui/profile_window/frm_profile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QVBoxLayout>
#include <memory>

#include "ui/profile_window/design_speed_box.h"
#include "ui/profile_window/frm_profile_plot.h"
#include "ui/profile_window/ground_bar.h"
#include "ui/profile_window/sheet_export.h"
#include "ui/widgets/icons.h"
#include "ui/widgets/screen_fit.h"
#include "ui/widgets/text.h"

namespace ravo {
namespace {

template <typename T>
T* Named(T* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

}  // namespace

frmProfile::frmProfile(const ProfileState& state, Platform& platform,
                       std::function<void(const QString&)> setStation, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), platform_(platform)
{
    setObjectName(QStringLiteral("frmProfile"));
    setWindowTitle(QStringLiteral("Profile"));
    setWindowIcon(RavoIcon());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    auto* bar = new QWidget(this);
    BuildToolbar(bar);
    layout->addWidget(bar);
    plotProfile = new ProfilePlot(this);
    layout->addWidget(plotProfile, 1);
    groundBar->Drive(*plotProfile);
    setFocusProxy(plotProfile);  // so that Home fits the profile at once
    resize(900, 560);
    connect(plotProfile, &ProfilePlot::StationClicked, this, std::move(setStation));
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
    RestoreSettings();
}

frmProfile::~frmProfile() { SaveSettings(); }

void frmProfile::RestoreSettings()
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("ProfileWindow"));
    restoreGeometry(settings.value(QStringLiteral("geometry")).toByteArray());
    chkPlusNotation->setChecked(settings.value(QStringLiteral("plusNotation")).toBool());
    spnDesignSpeed->setValue(settings.value(QStringLiteral("designSpeed")).toInt());  // clamped
    const int units = settings.value(QStringLiteral("units")).toInt();
    cboUnits->setCurrentIndex(units >= 0 && units < cboUnits->count() ? units : 0);
    const int exaggeration = settings.value(QStringLiteral("exaggeration")).toInt();
    cboExaggeration->setCurrentIndex(
        exaggeration >= 0 && exaggeration < cboExaggeration->count() ? exaggeration : 0);
}

void frmProfile::SaveSettings()
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("ProfileWindow"));
    if (windowHandle() != nullptr)  // a window never shown keeps the stored place
        settings.setValue(QStringLiteral("geometry"), saveGeometry());
    settings.setValue(QStringLiteral("plusNotation"), chkPlusNotation->isChecked());
    settings.setValue(QStringLiteral("designSpeed"), spnDesignSpeed->value());
    settings.setValue(QStringLiteral("units"), cboUnits->currentIndex());
    settings.setValue(QStringLiteral("exaggeration"), cboExaggeration->currentIndex());
}

void frmProfile::BuildToolbar(QWidget* bar)
{
    // Two rows, so that the window fits a small or magnified screen.
    auto* rows = new QVBoxLayout(bar);
    rows->setContentsMargins(0, 0, 0, 0);
    auto* row = new QHBoxLayout;
    rows->addLayout(row);
    chkPlusNotation =
        Named(new QCheckBox(QStringLiteral("&12+34 stations"), bar), "chkPlusNotation");
    row->addWidget(chkPlusNotation);
    row->addSpacing(16);
    auto* speedLabel = new QLabel(QStringLiteral("Design &speed:"), bar);
    row->addWidget(speedLabel);
    spnDesignSpeed = Named(new DesignSpeedBox(bar), "spnDesignSpeed");
    spnDesignSpeed->setSpecialValueText(QStringLiteral("off"));
    spnDesignSpeed->setToolTip(
        QStringLiteral("Curves below the least K for this speed are drawn red"));
    speedLabel->setBuddy(spnDesignSpeed);
    row->addWidget(spnDesignSpeed);
    cboUnits = Named(new QComboBox(bar), "cboUnits");
    cboUnits->addItems({QStringLiteral("km/h, m"), QStringLiteral("mph, ft")});
    row->addWidget(cboUnits);
    row->addStretch(1);
    row = new QHBoxLayout;
    rows->addLayout(row);
    auto* exaggerationLabel = new QLabel(QStringLiteral("Exa&ggeration:"), bar);
    row->addWidget(exaggerationLabel);
    cboExaggeration = Named(new QComboBox(bar), "cboExaggeration");
    cboExaggeration->addItem(QStringLiteral("Auto"));
    for (int e : {1, 2, 5, 10, 20, 50, 100, 200})
        cboExaggeration->addItem(QString::number(e) + QStringLiteral(":1"), e);
    cboExaggeration->setToolTip(
        QStringLiteral("Vertical exaggeration: chosen, or worked out at each fit and then kept"));
    exaggerationLabel->setBuddy(cboExaggeration);
    row->addWidget(cboExaggeration);
    row->addStretch(1);
    cmdFit = Named(new QPushButton(QStringLiteral("&Fit"), bar), "cmdFit");
    cmdFit->setToolTip(QStringLiteral("Show the whole profile (Home, or a double-click)"));
    row->addWidget(cmdFit);
    cmdExport = Named(new QPushButton(QStringLiteral("&Export..."), bar), "cmdExport");
    row->addWidget(cmdExport);

    groundBar = new GroundBar(bar);
    rows->addWidget(groundBar);

    connect(chkPlusNotation, &QCheckBox::toggled, this, &frmProfile::OptionsChanged);
    connect(spnDesignSpeed, &QSpinBox::valueChanged, this, &frmProfile::OptionsChanged);
    connect(cboUnits, &QComboBox::currentIndexChanged, this, &frmProfile::OptionsChanged);
    connect(cboExaggeration, &QComboBox::currentIndexChanged, this,
            &frmProfile::ExaggerationChanged);
    connect(cmdFit, &QPushButton::clicked, this, [this] { plotProfile->Fit(); });
    connect(cmdExport, &QPushButton::clicked, this, &frmProfile::cmdExport_Click);
}

void frmProfile::ProfileChanged(bool fit)
{
    stale_ = true;
    fitPending_ = fitPending_ || fit;
    if (isVisible())
        Rebuild();
}

void frmProfile::CalculationDone()
{
    plotProfile->SetCursor(state_.CalcStation, state_.CalcElevation, state_.CalcOffset);
}

void frmProfile::SetProfileUnit(LengthUnit unit)
{
    unit_ = unit;
    plotProfile->SetStationStyle(
        unit == LengthUnit::Meter ? StationStyle::Kilometre : StationStyle::Hundreds,
        unit == LengthUnit::Meter  ? QStringLiteral("m")
        : unit == LengthUnit::Foot ? QStringLiteral("ft")
                                   : QStringLiteral("US ft"));
}

void frmProfile::SetGround(std::shared_ptr<const GroundProfile> ground)
{
    plotProfile->SetGround(std::move(ground));
}

// The index is worked out only for a shown window; a hidden one waits.
void frmProfile::Rebuild()
{
    if (!stale_)
        return;
    index_ = std::make_shared<ProfileViewIndex>(state_);
    plotProfile->SetIndex(index_);
    stale_ = false;
    if (fitPending_)
        plotProfile->Fit();
    fitPending_ = false;
}

void frmProfile::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    FitOnScreen(*this);  // a size kept from a larger screen, or the default on a small one
    Rebuild();
    plotProfile->setFocus(Qt::OtherFocusReason);
}

void frmProfile::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    SaveSettings();
}

void frmProfile::ExaggerationChanged()
{
    const QVariant chosen = cboExaggeration->currentData();
    plotProfile->SetExaggeration(chosen.isValid() ? std::optional<double>(chosen.toDouble())
                                                  : std::nullopt);
}

void frmProfile::OptionsChanged()
{
    spnDesignSpeed->SetUnits(cboUnits->currentIndex() == 1 ? LengthUnits::Feet
                                                           : LengthUnits::Metres);
    const int speed = spnDesignSpeed->value();
    plotProfile->SetOptions(
        chkPlusNotation->isChecked(), speed > 0 ? std::optional<double>(speed) : std::nullopt,
        cboUnits->currentIndex() == 1 ? LengthUnits::Feet : LengthUnits::Metres);
}

// The file and then its size; a failure names the file and gives the
// system's reason beneath it.
void frmProfile::cmdExport_Click()
{
    const std::optional<FileChoice> choice = platform_.ChooseFile(
        this, {FileDialogKind::Save,
               QStringLiteral("PNG Image (*.png)|*.png|SVG Image (*.svg)|*.svg|PDF Document "
                              "(*.pdf)|*.pdf"),
               1});
    if (!choice)
        return;
    const std::optional<int> size =
        platform_.ChooseItem(this, QStringLiteral("Export"),
                             QStringLiteral("Export the sheet at which size?"), SheetSizeNames());
    if (!size || *size < 0 || *size >= static_cast<int>(SheetSizes().size()))
        return;
    QString path = choice->fullPath;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".png");
    const int speed = spnDesignSpeed->value();
    const SheetInfo info{
        Text(state_.OutputTitle.empty() ? state_.InputFileTitle : state_.OutputTitle),
        state_.InputFileTitle.empty() ? QStringLiteral("(none)") : Text(state_.InputFileTitle),
        speed > 0 ? QString::number(speed) + " " + cboUnits->currentText().section(',', 0, 0)
                  : QStringLiteral("off"),
        QString::fromLatin1(UnitWords(unit_)), SheetDate()};
    const QString reason =
        ExportSheet(path, SheetSizes()[static_cast<std::size_t>(*size)], *plotProfile, info);
    if (!reason.isEmpty())
        platform_.ShowMessage(
            this, Message{QStringLiteral("Unable to export the profile"), QStringLiteral("Ravo"),
                          MessageButtons::Ok, MessageIcon::Warning, MessageAnswer::Ok,
                          path + QStringLiteral("\n") + reason});
}

}  // namespace ravo
