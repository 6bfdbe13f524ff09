#include "CommandGuard.h"

#include "AppError.h"
#include "Dialogs.h"

#include <new>

bool RunGuarded(const std::function<void()> &command)
{
    try {
        command();
        return true;
    } catch (const AppError &e) {
        dialogs().showMessage(applicationTitle(), e.message(), MessageKind::Error);
    } catch (const std::bad_alloc &) {
        dialogs().showMessage(applicationTitle(), QStringLiteral("内存不足，操作未完成。"),
                              MessageKind::Error);
    } catch (const std::exception &e) {
        dialogs().showMessage(applicationTitle(), QString::fromLocal8Bit(e.what()),
                              MessageKind::Error);
    }
    return false;
}
