// The profile sheet as a file: PNG, SVG or PDF at a paper or pixel size, with
// a title block (title, file, design speed, unit, exaggeration, date) and a
// scale bar around the plot.
#pragma once

#include <QPageSize>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace ravo {

class ProfilePlot;

struct SheetSize {
    QString name;                     // as the list offers it
    QSize logical;                    // the sheet in device-independent pixels
    double pixelRatio = 1;            // image pixels to one of them
    std::optional<QPageSize> page{};  // a paper size, laid landscape
};

// The sizes offered: the screen-like pixel sizes first, then paper sizes.
const std::vector<SheetSize>& SheetSizes();
QStringList SheetSizeNames();

// What the title block says.
struct SheetInfo {
    QString title;        // the profile's title, else the file's name
    QString file;         // the input file's name
    QString designSpeed;  // "100 km/h", or "off"
    QString unit;         // "metres"
    QString date;         // "2026-12-07"
};

// Today, or the day of SOURCE_DATE_EPOCH where it is set, as yyyy-MM-dd.
QString SheetDate();

// Paints the whole sheet at a logical size.
void PaintSheetPage(QPainter& painter, QSize size, ProfilePlot& plot, const SheetInfo& info);

// Makes the file in memory in the format its suffix names (PNG when it names
// none of the three) and replaces the file whole. Empty on success, else the
// reason in the system's words.
QString ExportSheet(const QString& path, const SheetSize& size, ProfilePlot& plot,
                    const SheetInfo& info);

}  // namespace ravo
