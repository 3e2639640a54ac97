// The profile plot's ground: the ground line, cut and fill and the mass haul
// panel painted from the ground layer, and the ground under the pointer.
#include <QPainter>

#include "ui/profile_window/frm_profile_plot.h"
#include "ui/profile_window/sheet_painter.h"
#include "ui/widgets/text.h"

namespace ravo {

void ProfilePlot::SetGround(std::shared_ptr<const GroundProfile> ground)
{
    ground_.SetGround(std::move(ground));
    // The automatic exaggeration is worked out again over the ground.
    SetExaggeration(fixedExaggeration_);
}

void ProfilePlot::SetSection(const SectionTemplate& section)
{
    ground_.SetSection(section);
    update();
}

// The mass haul panel takes its room from the grade panel.
void ProfilePlot::SetMassHaulShown(bool shown)
{
    if (shown == ground_.MassShown())
        return;
    ground_.SetMassShown(shown);
    SetView(view_);
}

const GroundScene& ProfilePlot::GroundSceneNow()
{
    return ground_.SceneFor(index_, view_, Scene().grade);
}

QString ProfilePlot::GroundReadoutAt(double x)
{
    return Text(GroundReadout(*index_, ground_.Ground(), GroundSceneNow(), view_, x));
}

// On screen the scene is kept between paints; an export of another size
// gets its own.
void ProfilePlot::PaintGround(QPainter& painter, const ProfileView& view,
                              const ProfileScene& profile, const QRectF& grade, const QRectF& mass,
                              bool shown)
{
    if (!ground_.HasGround() && view.massHeight <= 0)
        return;
    const GroundScene sized =
        shown ? GroundScene{} : ground_.BuildFor(*index_, view, profile.grade);
    const GroundScene& scene = shown ? ground_.SceneFor(index_, view, profile.grade) : sized;
    ground_.PaintUnderGrade(painter, scene, grade);
    if (view.massHeight > 0)
        ground_.PaintMassPanel(painter, scene, mass, unitName_, profile.stationTicks);
}

// Beneath the grade panel, to the right of the next panel's title.
void ProfilePlot::PaintGroundReadout(QPainter& painter, double x)
{
    if (!ground_.HasGround())
        return;
    constexpr double TitleRoom = 150;
    const QRectF row(LeftMargin + TitleRoom, TopMargin + view_.gradeHeight + 1,
                     std::max(view_.plotWidth - TitleRoom, 0.0), 18);
    painter.setPen(Qt::black);
    PaintFitted(painter, row, Qt::AlignRight | Qt::AlignVCenter, GroundReadoutAt(x));
}

}  // namespace ravo
