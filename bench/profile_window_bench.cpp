// The profile window as the user waits for it, at a million rows of each kind:
// wheel and drag events sent to the real window with the whole profile in view,
// each timed to the end of its repaint, beside a bare QPainter polyline across
// the same pixels; and a keystroke in a curve field with the window closed and
// open. Run offscreen: QT_QPA_PLATFORM=offscreen unless a display is named.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPolygonF>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <cmath>
#include <memory>

#include "bench/alternating_profile.h"
#include "ui/main_window/frm_ravo.h"
#include "ui/platform/qt_platform.h"
#include "ui/profile_window/frm_profile.h"
#include "ui/profile_window/frm_profile_plot.h"

namespace {

constexpr std::int32_t Rows = 1'000'000;
const QSize WindowSize(1200, 700);

// The main window holding the profile, its profile window made and shown once
// a benchmark asks for it.
struct Session {
    ravo::ProfileState state;
    ravo::QtPlatform platform;
    std::unique_ptr<ravo::frmRavo> window;

    Session()
    {
        window = std::make_unique<ravo::frmRavo>(state, platform);
        window->show();
        (void)QTest::qWaitForWindowExposed(window.get());
        // Typed counts size the tables as a user's would; the rows are then filled.
        QTest::keyClicks(window->findChild<QLineEdit*>(QStringLiteral("txtNVC")),
                         QString::number(Rows));
        QTest::keyClicks(window->findChild<QLineEdit*>(QStringLiteral("txtNSUP")),
                         QString::number(Rows));
        ravo::bench::FillAlternatingRows(state, ravo::SegmentKind::VerticalCurve, Rows);
        ravo::bench::FillAlternatingRows(state, ravo::SegmentKind::Superelevation, Rows);
        state.CalcStation = 10.0f * Rows / 2 + 2.5f;
    }

    ravo::frmProfile& OpenProfile(bool shown)
    {
        ravo::frmProfile& profile = window->ProfileWindow();
        if (shown && !profile.isVisible()) {
            profile.resize(WindowSize);
            profile.show();
            (void)QTest::qWaitForWindowExposed(&profile);
            profile.Plot().Fit();
            profile.CalculationDone();
        } else if (!shown) {
            profile.hide();
        }
        QApplication::processEvents();
        return profile;
    }
};

// Made on first use and closed before the application ends.
std::unique_ptr<Session> session;

Session& TheSession()
{
    if (!session)
        session = std::make_unique<Session>();
    return *session;
}

// What drawing costs at the least: one antialiased polyline with a point in
// every pixel column of a plot as wide as the profile window's.
class BarePolyline : public QWidget {
public:
    explicit BarePolyline(int plotWidth)
    {
        for (int x = 0; x < plotWidth; ++x)
            line_.append(QPointF(70 + x, 300 + 200 * std::sin(x / 40.0)));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(20, 60, 200), 1.5));
        painter.drawPolyline(line_);
    }

private:
    QPolygonF line_;
};

void BM_Reference_BarePolyline(benchmark::State& bench)
{
    ravo::ProfilePlot& plot = TheSession().OpenProfile(true).Plot();
    BarePolyline bare(plot.View().plotWidth);
    bare.resize(plot.size());
    bare.show();
    (void)QTest::qWaitForWindowExposed(&bare);
    for (auto _ : bench)
        bare.repaint();
}
BENCHMARK(BM_Reference_BarePolyline)->Unit(benchmark::kMillisecond)->UseRealTime();

// One notch in, one out, about the middle: the whole profile stays in view.
void BM_WheelThenRepaint(benchmark::State& bench)
{
    ravo::ProfilePlot& plot = TheSession().OpenProfile(true).Plot();
    plot.Fit();
    const QPointF at(ravo::ProfilePlot::LeftMargin + plot.View().plotWidth / 2.0, 200);
    int notch = 120;
    for (auto _ : bench) {
        QWheelEvent wheel(at, plot.mapToGlobal(at), {}, {0, notch}, Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&plot, &wheel);
        plot.repaint();
        notch = -notch;
    }
    // To look at what was timed: RAVO_BENCH_SCREENSHOT=file.png.
    if (const QString path = qEnvironmentVariable("RAVO_BENCH_SCREENSHOT"); !path.isEmpty())
        plot.grab().save(path);
}
BENCHMARK(BM_WheelThenRepaint)->Unit(benchmark::kMillisecond)->UseRealTime();

// A drag 40 pixels right, then back: each move pans and is repainted.
void BM_DragThenRepaint(benchmark::State& bench)
{
    ravo::ProfilePlot& plot = TheSession().OpenProfile(true).Plot();
    plot.Fit();
    QPoint at(ravo::ProfilePlot::LeftMargin + 300, 200);
    QTest::mousePress(&plot, Qt::LeftButton, {}, at);
    int step = 40;
    for (auto _ : bench) {
        at += QPoint(step, 0);
        QTest::mouseMove(&plot, at);
        plot.repaint();
        step = -step;
    }
    QTest::mouseRelease(&plot, Qt::LeftButton, {}, at);
}
BENCHMARK(BM_DragThenRepaint)->Unit(benchmark::kMillisecond)->UseRealTime();

// A digit typed into a field of curve 1 and taken out again: two keystrokes,
// each stored into the row as its key is released.
void TypeAndErase(const char* box, benchmark::State& bench)
{
    QLineEdit* field = TheSession().window->findChild<QLineEdit*>(QLatin1String(box));
    for (auto _ : bench) {
        QTest::keyClick(field, Qt::Key_5);
        QTest::keyClick(field, Qt::Key_Backspace);
    }
}

void BM_Keystroke_WindowClosed_Elevation(benchmark::State& bench)
{
    TheSession().OpenProfile(false);
    TypeAndErase("txtE1", bench);
}
BENCHMARK(BM_Keystroke_WindowClosed_Elevation)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_Keystroke_WindowOpen_Elevation(benchmark::State& bench)
{
    TheSession().OpenProfile(true);
    TypeAndErase("txtE1", bench);
}
BENCHMARK(BM_Keystroke_WindowOpen_Elevation)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_Keystroke_WindowClosed_Station(benchmark::State& bench)
{
    TheSession().OpenProfile(false);
    TypeAndErase("txtSta2", bench);
}
BENCHMARK(BM_Keystroke_WindowClosed_Station)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_Keystroke_WindowOpen_Station(benchmark::State& bench)
{
    TheSession().OpenProfile(true);
    TypeAndErase("txtSta2", bench);
}
BENCHMARK(BM_Keystroke_WindowOpen_Station)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QTemporaryDir settings;  // never the user's own settings
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    QCoreApplication::setOrganizationName(QStringLiteral("RavoBench"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    session.reset();
    return 0;
}
