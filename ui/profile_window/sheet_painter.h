// Painting the profile sheet over the plot: the tangents through each PVI,
// the BVC and EVC ticks, the placed labels, the smooth superelevation line,
// the axis titles and the legend.
#pragma once

#include <QFontMetricsF>
#include <QRectF>
#include <QString>
#include <vector>

#include "core/view/profile_sheet.h"

class QPainter;

namespace ravo {

// The painted size of a text in the font, its line breaks included.
MeasureText MeasureWith(const QFontMetricsF& metrics);

// Tangents and curve-end ticks beneath the labels.
void PaintSheetMarks(QPainter& painter, const ProfileSheet& sheet, const QRectF& grade);

// The placed labels on a light ground, so that the line and the cursor pass
// beneath them; returns the rectangles the texts were painted in.
std::vector<QRectF> PaintSheetLabels(QPainter& painter, const ProfileSheet& sheet,
                                     const QRectF& grade);

// The superelevation as one path a line, smooth at any scale and in SVG.
void PaintSuperLine(QPainter& painter, const ProfileSheet& sheet, const QRectF& super,
                    const QColor& colour);

// The legend of dots, triangles, ticks, red curves and hatching, from the
// left of the strip for as many entries as fit; returns where the next entry
// may begin (the strip's right end when one was left out).
double PaintLegend(QPainter& painter, const QRectF& strip);

// A text in a rectangle, shortened with an ellipsis where it does not fit.
void PaintFitted(QPainter& painter, const QRectF& area, int flags, const QString& text);

}  // namespace ravo
