// The profile window: the grade line over station with the superelevation
// diagram beneath it, a cursor at the station of the last calculation, and a
// toolbar for the station notation, a design speed and the export.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "core/formats/length_unit.h"
#include "core/ground/ground_profile.h"
#include "core/profile/profile_state.h"
#include "core/view/profile_view_index.h"
#include "ui/platform/platform.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QShortcut;

namespace ravo {

class DesignSpeedBox;
class GroundBar;
class ProfilePlot;

class frmProfile : public QWidget {
    Q_OBJECT

public:
    // A window of its own, made on first use and afterwards only hidden and
    // shown. A click in the plot hands its station text to setStation, which
    // puts it into the main window's station box.
    frmProfile(const ProfileState& state, Platform& platform,
               std::function<void(const QString&)> setStation, QWidget* parent = nullptr);
    ~frmProfile() override;

    // The rows changed; fit shows the whole profile afterwards (a load).
    void ProfileChanged(bool fit);
    // One field of a row was stored, or a kind's rows were made again: the
    // index of a shown window follows just that (frm_profile_rows.cpp).
    void RowStored(SegmentKind kind, std::int32_t row);
    void KindChanged(SegmentKind kind);
    // A calculation ran: the cursor moves to its station and elevation.
    void CalculationDone();
    // The unit of the loaded profile's lengths: stations in 12+34 form read
    // 1+234.567 in metres and 12+34.56 in feet, and the axes name it.
    void SetProfileUnit(LengthUnit unit);
    // The existing ground drawn under the grade line; none for an empty one.
    void SetGround(std::shared_ptr<const GroundProfile> ground);

    // A fitted grade line shown dashed beside the design (fitted_line_painter.cpp).
    void SetFittedLine(std::optional<ProfileState> fitted);

    ProfilePlot& Plot() { return *plotProfile; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void BuildToolbar(QWidget* bar);
    // The window's place and size and the toolbar's choices, kept between runs.
    void RestoreSettings();
    void SaveSettings();
    void Rebuild();
    void OptionsChanged();
    void cmdExport_Click();
    void ExaggerationChanged();

    const ProfileState& state_;
    Platform& platform_;
    bool stale_ = true;  // the rows changed while the window was hidden
    bool fitPending_ = true;
    std::shared_ptr<ProfileViewIndex> index_;  // what the plot draws from

    QCheckBox* chkPlusNotation = nullptr;
    DesignSpeedBox* spnDesignSpeed = nullptr;
    QComboBox* cboExaggeration = nullptr;
    LengthUnit unit_ = LengthUnit::Meter;
    QComboBox* cboUnits = nullptr;
    QPushButton* cmdFit = nullptr;
    QPushButton* cmdExport = nullptr;
    GroundBar* groundBar = nullptr;  // the section template and the mass haul toggle
    ProfilePlot* plotProfile = nullptr;
};

}  // namespace ravo
