// Exporting the profile sheet: the title block, the scale bar and the three formats.
#include "ui/profile_window/sheet_export.h"

#include <QBuffer>
#include <QDateTime>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>

#include "core/io/file_replace.h"
#include "ui/profile_window/frm_profile_plot.h"
#include "ui/widgets/text.h"

namespace ravo {
namespace {

constexpr int HeaderHeight = 50;
constexpr int FooterHeight = 34;

// 1, 2 or 5 times a power of ten, the largest not above the value.
double RoundLength(double value)
{
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    for (double step : {5.0, 2.0, 1.0})
        if (step * power <= value)
            return step * power;
    return power;
}

SheetSize Paper(const char* name, QPageSize::PageSizeId id)
{
    const QSizeF points = QPageSize(id).size(QPageSize::Point).transposed();
    const QSize logical(int(std::lround(points.width() * 96 / 72)),
                        int(std::lround(points.height() * 96 / 72)));
    return {QString::fromLatin1(name), logical, 150.0 / 96, QPageSize(id)};
}

// A bar a fifth of the plot long, in round units, black and white halves.
void PaintScaleBar(QPainter& painter, const QRectF& strip, const ProfileView& view,
                   const QString& unit)
{
    const double perPixel = (view.lastStation - view.firstStation) / view.plotWidth;
    const double length = RoundLength(perPixel * view.plotWidth / 5);
    const double width = length / perPixel;
    const QRectF bar(strip.left(), strip.top() + 6, width, 6);
    painter.setPen(Qt::black);
    painter.fillRect(QRectF(bar.left(), bar.top(), width / 2, bar.height()), Qt::black);
    painter.drawRect(bar);
    const QString text = QString::number(length, 'g', 12) + QStringLiteral(" ") + unit;
    painter.drawText(QRectF(bar.right() + 6, strip.top(), 300, 18),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("0 to ") + text + QStringLiteral(" (horizontal scale)"));
}

void PaintHeader(QPainter& painter, QSize size, ProfilePlot& plot, const SheetInfo& info)
{
    QFont bold = painter.font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    painter.save();
    painter.setFont(bold);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(ProfilePlot::LeftMargin, 4, size.width() - 90, 22),
                     Qt::AlignLeft | Qt::AlignVCenter, info.title);
    painter.restore();
    const QString line = QStringLiteral("File ") + info.file + QStringLiteral("    Design speed ") +
                         info.designSpeed + QStringLiteral("    Unit ") + info.unit +
                         QStringLiteral("    ") + Text(plot.Scene().exaggerationText) +
                         QStringLiteral("    ") + info.date;
    const QFontMetricsF metrics(painter.font());
    painter.drawText(QRectF(ProfilePlot::LeftMargin, 26, size.width() - 90, 18),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     metrics.elidedText(line, Qt::ElideRight, size.width() - 90));
}

}  // namespace

const std::vector<SheetSize>& SheetSizes()
{
    static const std::vector<SheetSize> sizes = {
        {QStringLiteral("1200 x 700 pixels"), {1200, 700}},
        {QStringLiteral("1920 x 1080 pixels"), {1920, 1080}},
        {QStringLiteral("3840 x 2160 pixels"), {1920, 1080}, 2},
        Paper("A4 landscape", QPageSize::A4),
        Paper("A3 landscape", QPageSize::A3),
        Paper("Letter landscape", QPageSize::Letter),
        Paper("Tabloid landscape", QPageSize::Tabloid),
    };
    return sizes;
}

QStringList SheetSizeNames()
{
    QStringList names;
    for (const SheetSize& size : SheetSizes())
        names << size.name;
    return names;
}

QString SheetDate()
{
    bool ok = false;
    const qint64 epoch = qEnvironmentVariable("SOURCE_DATE_EPOCH").toLongLong(&ok);
    const QDateTime now =
        ok ? QDateTime::fromSecsSinceEpoch(epoch, Qt::UTC) : QDateTime::currentDateTime();
    return now.toString(QStringLiteral("yyyy-MM-dd"));
}

void PaintSheetPage(QPainter& painter, QSize size, ProfilePlot& plot, const SheetInfo& info)
{
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    PaintHeader(painter, size, plot, info);
    const QSize plotSize(size.width(), std::max(size.height() - HeaderHeight - FooterHeight, 100));
    painter.save();
    painter.translate(0, HeaderHeight);
    plot.Paint(painter, plotSize);
    painter.restore();
    PaintScaleBar(
        painter,
        QRectF(ProfilePlot::LeftMargin, HeaderHeight + plotSize.height(), 400, FooterHeight),
        plot.ViewAt(plotSize), plot.AxisUnit());
}

QString ExportSheet(const QString& path, const SheetSize& size, ProfilePlot& plot,
                    const SheetInfo& info)
{
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QStringLiteral("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&bytes);
        svg.setSize(size.logical);
        svg.setViewBox(QRect(QPoint(0, 0), size.logical));
        svg.setTitle(QStringLiteral("Profile"));
        QPainter painter(&svg);
        PaintSheetPage(painter, size.logical, plot, info);
    } else if (suffix == QStringLiteral("pdf")) {
        QPdfWriter pdf(&bytes);
        pdf.setResolution(96);
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        if (size.page) {
            pdf.setPageSize(*size.page);
            pdf.setPageOrientation(QPageLayout::Landscape);
        } else {
            pdf.setPageSize(QPageSize(QSizeF(size.logical) * 72.0 / 96, QPageSize::Point));
        }
        pdf.setTitle(QStringLiteral("Profile"));
        pdf.setCreator(QStringLiteral("Ravo"));
        QPainter painter(&pdf);
        if (!painter.isActive())
            return QStringLiteral("The PDF document could not be started");
        PaintSheetPage(painter, QSize(pdf.width(), pdf.height()), plot, info);
    } else {
        QImage image(size.logical * size.pixelRatio, QImage::Format_RGB32);
        image.setDevicePixelRatio(size.pixelRatio);
        {
            QPainter painter(&image);
            PaintSheetPage(painter, size.logical, plot, info);
        }
        if (!image.save(&bytes, "PNG"))
            return QStringLiteral("The PNG image could not be encoded");
    }
    try {
        ReplaceFile(path.toStdString(), [&bytes](ByteSink& sink) {
            sink.Write(
                std::string_view(bytes.data().constData(), static_cast<std::size_t>(bytes.size())));
        });
    } catch (const FileWriteError& e) {
        return QString::fromStdString(e.what());
    }
    return {};
}

}  // namespace ravo
