// The profile window's design speed: typed, or stepped through the design
// speeds that highway design lists, never through speeds no road is built for.
#pragma once

#include <QSpinBox>
#include <vector>

#include "core/design/design_speed.h"

namespace ravo {

class DesignSpeedBox : public QSpinBox {
public:
    explicit DesignSpeedBox(QWidget* parent = nullptr);

    // The listed speeds: 30 to 130 km/h by ten, or 15 to 80 mph by five.
    void SetUnits(LengthUnits units);

protected:
    // Up and Down go to the next listed speed, from "off" to the first one.
    void stepBy(int steps) override;
    StepEnabled stepEnabled() const override;
    // The wheel turns only a box with the focus, not one the mouse passes over.
    void wheelEvent(QWheelEvent* event) override;

private:
    std::vector<int> listed_;
};

}  // namespace ravo
