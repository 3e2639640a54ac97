// The existing ground in the profile plot: the ground line with cut and fill
// shaded under the grade line, the mass haul panel, their legend and the
// ground's part of the pointer readout. The plot owns one layer.
#pragma once

#include <QRectF>
#include <QString>
#include <memory>
#include <optional>

#include "core/ground/ground_profile.h"
#include "core/ground/section_template.h"
#include "core/view/ground_view.h"

class QPainter;

namespace ravo {

class GroundLayer {
public:
    GroundLayer();

    void SetGround(std::shared_ptr<const GroundProfile> ground);
    void SetSection(const SectionTemplate& section);
    void SetMassShown(bool shown) { massShown_ = shown; }

    const GroundProfile& Ground() const { return *ground_; }
    bool HasGround() const { return !ground_->Empty(); }
    const SectionTemplate& Section() const { return section_; }
    bool MassShown() const { return massShown_; }

    // Takes the mass panel's room, and the gap above it, from the grade panel.
    void Arrange(ProfileView& view, int gap) const;

    // The scene of the view on screen, kept until the view, the profile, the
    // ground or the section changes.
    const GroundScene& SceneFor(const std::shared_ptr<const ProfileViewIndex>& index,
                                const ProfileView& view, const Panel& grade);
    GroundScene BuildFor(const ProfileViewIndex& index, const ProfileView& view,
                         const Panel& grade) const;

    // The shading and the ground line, beneath the grade line.
    void PaintUnderGrade(QPainter& painter, const GroundScene& scene, const QRectF& grade) const;
    // The mass haul panel: its grid, the mass line, the 0 line and the balance points.
    void PaintMassPanel(QPainter& painter, const GroundScene& scene, const QRectF& area,
                        const QString& unitName, const std::vector<Tick>& stationTicks) const;
    // The ground's legend entries from the left of the strip, as many as fit.
    double PaintLegend(QPainter& painter, const QRectF& strip) const;

private:
    std::shared_ptr<const GroundProfile> ground_;
    SectionTemplate section_;
    bool massShown_ = false;
    // The scene on screen and what it was made of.
    std::optional<GroundScene> scene_;
    std::shared_ptr<const ProfileViewIndex> sceneIndex_;
    ProfileView sceneView_;
    double sceneTop_ = 0;
    double sceneBottom_ = 0;
    bool sectionChanged_ = false;
};

}  // namespace ravo
