// The profile window: its toolbar, the plot and keeping both up to date with the profile.
#include "ui/profile_window/frm_profile.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <memory>

#include "core/io/file_replace.h"
#include "ui/profile_window/frm_profile_plot.h"
#include "ui/widgets/icons.h"
#include "ui/widgets/screen_fit.h"

namespace ravo {
namespace {

const QSize ExportSize(1200, 700);

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
    setFocusProxy(plotProfile);  // so that Home fits the profile at once
    resize(900, 560);
    connect(plotProfile, &ProfilePlot::StationClicked, this, std::move(setStation));
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
}

void frmProfile::BuildToolbar(QWidget* bar)
{
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    chkPlusNotation =
        Named(new QCheckBox(QStringLiteral("&12+34 stations"), bar), "chkPlusNotation");
    row->addWidget(chkPlusNotation);
    row->addSpacing(16);
    auto* speedLabel = new QLabel(QStringLiteral("Design &speed:"), bar);
    row->addWidget(speedLabel);
    spnDesignSpeed = Named(new QSpinBox(bar), "spnDesignSpeed");
    spnDesignSpeed->setRange(0, 200);
    spnDesignSpeed->setSingleStep(10);
    spnDesignSpeed->setSpecialValueText(QStringLiteral("off"));
    spnDesignSpeed->setToolTip(
        QStringLiteral("Curves below the least K for this speed are drawn red"));
    speedLabel->setBuddy(spnDesignSpeed);
    row->addWidget(spnDesignSpeed);
    cboUnits = Named(new QComboBox(bar), "cboUnits");
    cboUnits->addItems({QStringLiteral("km/h, m"), QStringLiteral("mph, ft")});
    row->addWidget(cboUnits);
    row->addStretch(1);
    cmdFit = Named(new QPushButton(QStringLiteral("&Fit"), bar), "cmdFit");
    cmdFit->setToolTip(QStringLiteral("Show the whole profile (Home, or a double-click)"));
    row->addWidget(cmdFit);
    cmdExport = Named(new QPushButton(QStringLiteral("&Export..."), bar), "cmdExport");
    row->addWidget(cmdExport);

    connect(chkPlusNotation, &QCheckBox::toggled, this, &frmProfile::OptionsChanged);
    connect(spnDesignSpeed, &QSpinBox::valueChanged, this, &frmProfile::OptionsChanged);
    connect(cboUnits, &QComboBox::currentIndexChanged, this, &frmProfile::OptionsChanged);
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
    plotProfile->SetCursor(state_.CalcStation, state_.CalcElevation);
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
}

void frmProfile::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    SaveSettings();
}

void frmProfile::OptionsChanged()
{
    const int speed = spnDesignSpeed->value();
    plotProfile->SetOptions(
        chkPlusNotation->isChecked(), speed > 0 ? std::optional<double>(speed) : std::nullopt,
        cboUnits->currentIndex() == 1 ? LengthUnits::Feet : LengthUnits::Metres);
}

void frmProfile::cmdExport_Click()
{
    const std::optional<FileChoice> choice = platform_.ChooseFile(
        this, {FileDialogKind::Save,
               QStringLiteral("PNG Image (*.png)|*.png|SVG Image (*.svg)|*.svg"), 1});
    if (!choice)
        return;
    QString path = choice->fullPath;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".png");
    if (!Export(path))
        platform_.ShowMessage(
            this, Message{QStringLiteral("Unable to export the profile"), QStringLiteral("Ravo"),
                          MessageButtons::Ok, MessageIcon::Warning, MessageAnswer::Ok, path});
}

// The picture is made in memory and then replaces the file whole, so a failed
// export leaves an earlier file as it was.
bool frmProfile::Export(const QString& path)
{
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    if (QFileInfo(path).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0) {
        QSvgGenerator svg;
        svg.setOutputDevice(&bytes);
        svg.setSize(ExportSize);
        svg.setViewBox(QRect(QPoint(0, 0), ExportSize));
        svg.setTitle(QStringLiteral("Profile"));
        QPainter painter(&svg);
        plotProfile->Paint(painter, ExportSize);
    } else {
        QImage image(ExportSize, QImage::Format_RGB32);
        {
            QPainter painter(&image);
            plotProfile->Paint(painter, ExportSize);
        }
        if (!image.save(&bytes, "PNG"))
            return false;
    }
    try {
        ReplaceFile(path.toStdString(), [&bytes](ByteSink& sink) {
            sink.Write(
                std::string_view(bytes.data().constData(), static_cast<std::size_t>(bytes.size())));
        });
    } catch (const FileWriteError&) {
        return false;
    }
    return true;
}

}  // namespace ravo
