#include "browsers.h"

#include <QFileInfo>

BrowserPlaces BrowserPlaces::system() {
#ifdef Q_OS_WIN
    return {{QStringLiteral("C:\\Program Files (x86)\\Google\\Chrome\\Application\\chrome.exe")},
            {QStringLiteral("C:\\Program Files (x86)\\Microsoft\\Edge\\Application\\msedge.exe")}};
#else
    // Chromium stands in for Chrome where only the open build is installed.
    return {{QStringLiteral("/usr/bin/google-chrome-stable"),
             QStringLiteral("/usr/bin/google-chrome"), QStringLiteral("/opt/google/chrome/chrome"),
             QStringLiteral("/usr/bin/chromium"), QStringLiteral("/usr/bin/chromium-browser")},
            {QStringLiteral("/usr/bin/microsoft-edge-stable"),
             QStringLiteral("/usr/bin/microsoft-edge"),
             QStringLiteral("/opt/microsoft/msedge/msedge")}};
#endif
}

QString BrowserPlaces::find(int browserIndex) const {
    const QStringList order = browserIndex == 0 ? chrome + edge : edge + chrome;
    for (const QString& path : order) {
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}
