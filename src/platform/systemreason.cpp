#include "platform/systemreason.h"

#include <cerrno>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

QString systemReason(int errnum) {
    switch (errnum) {
    case EACCES:
    case EPERM:
        return QStringLiteral("Adgang nægtet");
    case ENOENT:
        return QStringLiteral("Filen eller mappen findes ikke");
    case ENOSPC:
        return QStringLiteral("Der er ikke mere plads på drevet");
#ifdef EDQUOT
    case EDQUOT:
        return QStringLiteral("Der er ikke mere plads til brugeren på drevet (kvoten er brugt)");
#endif
    case EROFS:
        return QStringLiteral("Drevet er skrivebeskyttet");
    case EISDIR:
        return QStringLiteral("Det er en mappe");
    case ENOTDIR:
        return QStringLiteral("En del af stien er ikke en mappe");
#ifdef ELOOP
    case ELOOP:
        return QStringLiteral("Der er for mange symbolske link i stien (måske en løkke)");
#endif
    case ENAMETOOLONG:
        return QStringLiteral("Navnet er for langt");
    case EFBIG:
        return QStringLiteral("Filen er for stor");
    case EIO:
        return QStringLiteral("Fejl ved læsning eller skrivning på drevet");
    case EEXIST:
        return QStringLiteral("Filen findes allerede");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("For mange åbne filer");
    default:
        return qt_error_string(errnum);
    }
}

QString lastSystemReason() {
#ifdef Q_OS_WIN
    switch (::GetLastError()) {
    case ERROR_ACCESS_DENIED:
        return systemReason(EACCES);
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return systemReason(ENOENT);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return systemReason(ENOSPC);
    case ERROR_WRITE_PROTECT:
        return systemReason(EROFS);
    default:
        return qt_error_string();
    }
#else
    return systemReason(errno);
#endif
}
