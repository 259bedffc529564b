#include "platform/username.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <pwd.h>
#include <unistd.h>
#endif

namespace platform {

QString loginName() {
#ifdef Q_OS_WIN
    wchar_t buffer[255];
    DWORD size = 255;
    if (!GetUserNameW(buffer, &size) || size == 0)
        return {};
    return QString::fromWCharArray(buffer, int(size) - 1);
#else
    const passwd* entry = getpwuid(geteuid());
    if (!entry || !entry->pw_name)
        return {};
    return QString::fromLocal8Bit(entry->pw_name);
#endif
}

} // namespace platform
