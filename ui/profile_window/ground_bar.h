// The profile window's earthwork row: the section template (formation width,
// fill and cut side slopes) and the toggle of the mass haul panel.
#pragma once

#include <QWidget>

#include "core/ground/section_template.h"

class QDoubleSpinBox;
class QToolButton;

namespace ravo {

class ProfilePlot;

class GroundBar : public QWidget {
    Q_OBJECT

public:
    explicit GroundBar(QWidget* parent = nullptr);

    // Hands the template and the toggle to the plot now and at every change.
    void Drive(ProfilePlot& plot);
    SectionTemplate Section() const;

private:
    QDoubleSpinBox* spnWidth = nullptr;
    QDoubleSpinBox* spnFillSlope = nullptr;
    QDoubleSpinBox* spnCutSlope = nullptr;
    QToolButton* tbMassHaul = nullptr;
};

}  // namespace ravo
