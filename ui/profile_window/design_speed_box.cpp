// The design speed box: listed steps, typed values, the wheel only with focus.
#include "ui/profile_window/design_speed_box.h"

#include <QWheelEvent>
#include <algorithm>

namespace ravo {

DesignSpeedBox::DesignSpeedBox(QWidget* parent) : QSpinBox(parent)
{
    setRange(0, 200);
    setFocusPolicy(Qt::StrongFocus);
    SetUnits(LengthUnits::Metres);
}

void DesignSpeedBox::SetUnits(LengthUnits units)
{
    listed_.clear();
    const bool metric = units == LengthUnits::Metres;
    for (int speed = metric ? 30 : 15; speed <= (metric ? 130 : 80); speed += metric ? 10 : 5)
        listed_.push_back(speed);
}

void DesignSpeedBox::stepBy(int steps)
{
    int speed = value();
    for (; steps > 0; --steps) {
        const auto next = std::upper_bound(listed_.begin(), listed_.end(), speed);
        speed = next == listed_.end() ? speed : *next;
    }
    for (; steps < 0; ++steps) {
        const auto next = std::lower_bound(listed_.begin(), listed_.end(), speed);
        speed = next == listed_.begin() ? 0 : *(next - 1);
    }
    setValue(speed);
    selectAll();
}

QAbstractSpinBox::StepEnabled DesignSpeedBox::stepEnabled() const
{
    StepEnabled enabled = StepNone;
    if (value() < listed_.back())
        enabled |= StepUpEnabled;
    if (value() > 0)
        enabled |= StepDownEnabled;
    return enabled;
}

void DesignSpeedBox::wheelEvent(QWheelEvent* event)
{
    if (hasFocus())
        QSpinBox::wheelEvent(event);
    else
        event->ignore();
}

}  // namespace ravo
