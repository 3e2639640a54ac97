// An event filter that lets a window close only through its own command.
#include "ui/widgets/window_guard.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace ravo {
namespace {

constexpr const char* kCloseAllowed = "ravoCloseAllowed";

class CloseGuard : public QObject {
public:
    CloseGuard(QObject* parent, std::function<void()> onRefused)
        : QObject(parent), onRefused_(std::move(onRefused))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Close)
            return false;
        if (watched->property(kCloseAllowed).toBool() || qApp->isSavingSession())
            return false;
        event->ignore();
        if (onRefused_)
            onRefused_();
        return true;
    }

private:
    std::function<void()> onRefused_;
};

}  // namespace

void TrimSystemMenu(QWidget& window, std::function<void()> onRefused)
{
    Qt::WindowFlags flags = window.windowFlags();
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
             Qt::WindowMinimizeButtonHint;
    flags &= ~Qt::WindowCloseButtonHint;
    window.setWindowFlags(flags);
    window.installEventFilter(new CloseGuard(&window, std::move(onRefused)));
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager&) { AllowClose(window); });
}

void AllowClose(QWidget& window) { window.setProperty(kCloseAllowed, true); }

void CentreOnScreen(QWidget& window)
{
    if (window.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))
        return;
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect area = screen->geometry();
    const QSize size = window.frameGeometry().size();
    window.move(area.x() + static_cast<int>((area.width() - size.width()) / 2.0),
                area.y() + static_cast<int>((area.height() - size.height()) / 2.0));
}

}  // namespace ravo
