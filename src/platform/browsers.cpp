#include "platform/browsers.h"

BrowserPlaces BrowserPlaces::system() {
#ifdef Q_OS_WIN
    return {{QStringLiteral("C:\\Program Files (x86)\\Google\\Chrome\\Application\\chrome.exe")},
            {QStringLiteral("C:\\Program Files (x86)\\Microsoft\\Edge\\Application\\msedge.exe")}};
#else
    // Chromium stands in for Chrome where only the open build is installed. The browsers'
    // own folders are tried too, for installs that put no link on PATH.
    return {{QStringLiteral("google-chrome-stable"), QStringLiteral("google-chrome"),
             QStringLiteral("/opt/google/chrome/chrome"), QStringLiteral("chromium"),
             QStringLiteral("chromium-browser")},
            {QStringLiteral("microsoft-edge-stable"), QStringLiteral("microsoft-edge"),
             QStringLiteral("/opt/microsoft/msedge/msedge")},
            {QStringLiteral("x-www-browser")},
            XdgDirs::system()};
#endif
}

BrowserCommand BrowserPlaces::find(int browserIndex) const {
    QStringList order = browserIndex == 0 ? chrome + edge : edge + chrome;
    order << fallback;
    for (const QString& place : order) {
        const QString path = locateProgram(place, searchPath);
        if (!path.isEmpty())
            return {path, {}};
    }
    if (!desktop)
        return {};
    const DesktopApps apps(*desktop);
    for (const QString& type :
         {QStringLiteral("x-scheme-handler/http"), QStringLiteral("text/html")}) {
        QStringList command = apps.command(apps.defaultApplication(type));
        if (command.isEmpty())
            continue;
        const QString path = locateProgram(command.takeFirst(), searchPath);
        if (!path.isEmpty())
            return {path, command};
    }
    return {};
}

QString BrowserCommand::parameters() const {
    QStringList quoted;
    for (QString arg : arguments) {
        if (arg.contains(u' ') || arg.contains(u'"') || arg.isEmpty()) {
            // Three quotes stand for one inside a quoted parameter.
            arg.replace(u'"', QStringLiteral("\"\"\""));
            arg = u'"' + arg + u'"';
        }
        quoted << arg;
    }
    return quoted.join(u' ');
}
