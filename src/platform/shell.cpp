#include "platform/shell.h"

#ifdef Q_OS_WIN
#include <shellapi.h>
#include <windows.h>

namespace {
class WindowsShell : public Shell {
public:
    int execute(const QString& operation, const QString& file, const QString& parameters,
                const QString& folder, int showMode) override {
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
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QUrl>

namespace {
constexpr int started = 42;
constexpr int fileNotFound = 2;
constexpr int pathNotFound = 3;
constexpr int accessDenied = 5;
constexpr int badFormat = 11;
constexpr int noAssociation = 31;

// "open" on Linux: a web address goes to the user's default browser, an executable file is
// started as a detached process, and any other file opens in the program the desktop
// associates with its type. Nothing is waited for.
class DesktopShell : public Shell {
public:
    explicit DesktopShell(const XdgDirs& dirs) : apps(dirs) {}

    int execute(const QString& /*operation*/, const QString& file, const QString& parameters,
                const QString& folder, int /*showMode*/) override {
        if (!file.startsWith(u'/')) {
            const QUrl url(file, QUrl::StrictMode);
            if (!url.isValid() || url.scheme().isEmpty())
                return fileNotFound;
            if (url.isLocalFile())
                return execute(QString(), url.toLocalFile(), parameters, folder, 0);
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
        // The desktop's opener starts whatever it finds and reports success even when it
        // finds nothing, so the desktop is asked first whether any program opens the type.
        const QMimeType type = QMimeDatabase().mimeTypeForFile(info);
        if (apps.defaultApplication(type.name()).isEmpty())
            return noAssociation;
        return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()))
                   ? started
                   : noAssociation;
    }

private:
    DesktopApps apps;

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
