#include "platform/toolkit/icontheme.h"

#include <QDir>
#include <QIcon>
#include <QStandardPaths>
#include <QStringList>

namespace {

bool darkInUse = false;

const QString& desktopTheme() {
    // The theme the platform chose, before the program changed anything.
    static const QString name = QIcon::themeName();
    return name;
}

// Qt's search path, with the "icons" folders of the XDG data folders added where the platform
// left them out (the offscreen platform searches only Qt's resources).
QStringList searchPaths() {
    QStringList paths = QIcon::themeSearchPaths();
    const QStringList dataDirs =
        QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    for (const QString& dataDir : dataDirs) {
        const QString icons = QDir(dataDir).filePath(QStringLiteral("icons"));
        if (!paths.contains(icons) && QDir(icons).exists())
            paths << icons;
    }
    return paths;
}

// Breeze in the variant that suits the style.
QString breeze(bool dark) {
    return dark ? QStringLiteral("breeze-dark") : QStringLiteral("breeze");
}

} // namespace

namespace icontheme {

QString themeFor(const QString& desktop, bool darkVariant) {
    // "hicolor" is the base every theme falls back to, and what the platform names when the
    // desktop chose no theme (a bare X session): it holds none of the pictures, and its index
    // is the longest of all to read.
    if (desktop.isEmpty() || desktop == QLatin1String("hicolor") ||
        desktop.startsWith(QLatin1String("breeze")))
        return breeze(darkVariant);
    return desktop;
}

void use(bool darkVariant) {
    static const QStringList paths = searchPaths();
    QIcon::setFallbackThemeName(breeze(darkVariant));
    QIcon::setThemeName(themeFor(desktopTheme(), darkVariant));
    // Setting the search path makes every icon look itself up anew: the fallback theme alone
    // does not.
    QIcon::setThemeSearchPaths(paths);
    darkInUse = darkVariant;
}

bool dark() {
    return darkInUse;
}

} // namespace icontheme
