#include "platform/shell.h"

#include "platform/urlcheck.h"

#include <QFileInfo>
#include <QUrl>

namespace {
constexpr int fileNotFound = 2;
constexpr int pathNotFound = 3;
constexpr int accessDenied = 5;
constexpr int noAssociation = 31;

// The schemes a browser or a mail program is for. Any other scheme names a program of its own
// (a game launcher, a remote desktop, a package installer) and is not opened from an address.
bool isWebScheme(const QString& scheme) {
    return scheme == u"http" || scheme == u"https" || scheme == u"ftp" || scheme == u"mailto";
}

// 0 when the default operation may open address, else the code it is refused with. Nothing is
// opened that could run: a program, a file the desktop would run, or what is not a file at all.
int addressRefusal(const QString& address) {
    switch (addressTarget(address)) {
    case AddressTarget::Elsewhere: {
        const QUrl url(address, QUrl::StrictMode);
        if (!url.isValid() || url.scheme().isEmpty())
            return fileNotFound;
        return isWebScheme(url.scheme().toLower()) ? 0 : noAssociation;
    }
    case AddressTarget::Missing: {
        const QFileInfo info(localPathOf(address));
        return QFileInfo(info.absolutePath()).isDir() ? fileNotFound : pathNotFound;
    }
    case AddressTarget::Document:
    case AddressTarget::Folder:
        return 0;
    case AddressTarget::Program:
    case AddressTarget::Special:
        break;
    }
    return accessDenied;
}
} // namespace

#ifdef Q_OS_WIN
#include <shellapi.h>
#include <windows.h>

namespace {
class WindowsShell : public Shell {
public:
    int execute(const QString& operation, const QString& file, const QString& parameters,
                const QString& folder, int showMode) override {
        // The default operation of a program file is to run it: an address that names one is
        // refused before the shell sees it.
        if (operation.isEmpty()) {
            if (const int refused = addressRefusal(file))
                return refused;
        }
        auto wide = [](const QString& s) {
            return s.isEmpty() ? nullptr : reinterpret_cast<LPCWSTR>(s.utf16());
        };
        const auto result = ShellExecuteW(nullptr, wide(operation), wide(file), wide(parameters),
                                          wide(folder), showMode);
        return int(reinterpret_cast<INT_PTR>(result));
    }
};
} // namespace

std::unique_ptr<Shell> Shell::system() {
    return std::make_unique<WindowsShell>();
}

#else
#include "platform/desktopapps.h"

#include <QDesktopServices>
#include <QMimeDatabase>
#include <QProcess>

namespace {
constexpr int started = 42;
constexpr int badFormat = 11;

// On Linux the default operation opens an address (see addressRefusal) and never starts a
// program; "open" starts an executable file as a detached process, and any other file opens
// in the program the desktop associates with its type. Nothing is waited for.
class DesktopShell : public Shell {
public:
    explicit DesktopShell(const XdgDirs& dirs) : apps(dirs) {}

    int execute(const QString& operation, const QString& file, const QString& parameters,
                const QString& folder, int /*showMode*/) override {
        if (operation.isEmpty())
            return openAddress(file);
        if (!file.startsWith(u'/')) {
            const QUrl url(file, QUrl::StrictMode);
            if (!url.isValid() || url.scheme().isEmpty())
                return fileNotFound;
            if (url.isLocalFile())
                return execute(QStringLiteral("open"), url.toLocalFile(), parameters, folder, 0);
            return QDesktopServices::openUrl(url) ? started : noAssociation;
        }
        const QFileInfo info(file);
        if (!info.exists())
            return QFileInfo(info.absolutePath()).isDir() ? fileNotFound : pathNotFound;
        if (!info.isReadable())
            return accessDenied;
        if (info.isFile() && info.isExecutable()) {
            QProcess process;
            process.setProgram(file);
            process.setArguments(QProcess::splitCommand(parameters));
            process.setWorkingDirectory(folder);
            return process.startDetached() ? started : startFailure(info);
        }
        return openDocument(info);
    }

private:
    DesktopApps apps;

    int openAddress(const QString& address) {
        if (const int refused = addressRefusal(address))
            return refused;
        const QString path = localPathOf(address);
        if (path.isEmpty())
            return QDesktopServices::openUrl(QUrl(address, QUrl::StrictMode)) ? started
                                                                              : noAssociation;
        const QFileInfo info(path);
        if (!info.isReadable())
            return accessDenied;
        return openDocument(info);
    }

    // A file or folder in the program the desktop opens its type with.
    int openDocument(const QFileInfo& info) {
        // The desktop's opener starts whatever it finds and reports success even when it
        // finds nothing, so the desktop is asked first whether any program opens the type.
        const QMimeType type = QMimeDatabase().mimeTypeForFile(info);
        if (apps.defaultApplication(type.name()).isEmpty())
            return noAssociation;
        return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()))
                   ? started
                   : noAssociation;
    }

    // An executable the system would not start: no right to run it, or not a program at all.
    static int startFailure(const QFileInfo& info) {
        return info.permission(QFileDevice::ExeUser) ? badFormat : accessDenied;
    }
};
} // namespace

std::unique_ptr<Shell> Shell::system() {
    return desktop(XdgDirs::system());
}

std::unique_ptr<Shell> Shell::desktop(const XdgDirs& dirs) {
    return std::make_unique<DesktopShell>(dirs);
}
#endif
