// Runs a window command and turns any failure it did not handle into its message.
#include "ui/main_window/command_guard.h"

#include <new>

namespace ravo {

QString ReasonOf(const std::exception& error)
{
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr)
        return QStringLiteral(
            "Not enough memory: the file or profile is too large for this "
            "machine");
    return QString::fromLocal8Bit(error.what());
}

void RunCommand(Platform& platform, QWidget* parent, const QString& failureText,
                const std::function<void()>& command)
{
    QString reason;
    try {
        command();
        return;
    } catch (const std::exception& error) {
        reason = ReasonOf(error);
    } catch (...) {
        reason = QStringLiteral("An unknown error");
    }
    if (failureText.isEmpty())
        return;
    // The message is shown outside the handler of the exception, which may
    // have been a lack of memory.
    Message message{failureText};
    message.detail = reason;
    platform.ShowMessage(parent, message);
}

}  // namespace ravo
