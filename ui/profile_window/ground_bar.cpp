// The earthwork row of the profile window's toolbar.
#include "ui/profile_window/ground_bar.h"

#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include "ui/profile_window/frm_profile_plot.h"

namespace ravo {
namespace {

QDoubleSpinBox* NumberBox(QWidget* parent, QHBoxLayout* row, const char* name, const QString& label,
                          double value, double maximum, const QString& tip)
{
    auto* caption = new QLabel(label, parent);
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(0, maximum);
    box->setDecimals(2);
    box->setValue(value);
    box->setToolTip(tip);
    caption->setBuddy(box);
    row->addWidget(caption);
    row->addWidget(box);
    return box;
}

}  // namespace

GroundBar::GroundBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("groundBar"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    const SectionTemplate defaults{.width = 10, .fillSlope = 2, .cutSlope = 2};
    spnWidth = NumberBox(this, row, "spnWidth", QStringLiteral("Earthwork: &width"), defaults.width,
                         1000, QStringLiteral("Formation width of the section template"));
    spnFillSlope =
        NumberBox(this, row, "spnFillSlope", QStringLiteral("fi&ll slope 1:"), defaults.fillSlope,
                  100, QStringLiteral("Fill side slope, horizontal per vertical"));
    spnCutSlope =
        NumberBox(this, row, "spnCutSlope", QStringLiteral("&cut slope 1:"), defaults.cutSlope, 100,
                  QStringLiteral("Cut side slope, horizontal per vertical"));
    row->addStretch(1);
    tbMassHaul = new QToolButton(this);
    tbMassHaul->setObjectName(QStringLiteral("tbMassHaul"));
    tbMassHaul->setText(QStringLiteral("&Mass haul"));
    tbMassHaul->setCheckable(true);
    tbMassHaul->setToolTip(QStringLiteral(
        "Show the mass haul diagram beneath the grade line, with its balance points"));
    row->addWidget(tbMassHaul);
}

SectionTemplate GroundBar::Section() const
{
    SectionTemplate section;
    section.width = spnWidth->value();
    section.fillSlope = spnFillSlope->value();
    section.cutSlope = spnCutSlope->value();
    return section;
}

void GroundBar::Drive(ProfilePlot& plot)
{
    plot.SetSection(Section());
    plot.SetMassHaulShown(tbMassHaul->isChecked());
    for (QDoubleSpinBox* box : {spnWidth, spnFillSlope, spnCutSlope})
        connect(box, &QDoubleSpinBox::valueChanged, this,
                [this, &plot] { plot.SetSection(Section()); });
    connect(tbMassHaul, &QToolButton::toggled, this,
            [&plot](bool shown) { plot.SetMassHaulShown(shown); });
}

}  // namespace ravo
