#include "icontheme.h"

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

} // namespace

namespace icontheme {

void use(bool darkVariant) {
    static const QStringList paths = searchPaths();
    const QString& desktop = desktopTheme();
    const QString breeze = darkVariant ? QStringLiteral("breeze-dark") : QStringLiteral("breeze");
    QIcon::setFallbackThemeName(breeze);
    // A Breeze desktop, or none, shows the variant that suits the style; any other desktop
    // theme is kept, with Breeze behind it.
    if (desktop.isEmpty() || desktop.startsWith(QLatin1String("breeze")))
        QIcon::setThemeName(breeze);
    // Setting the search path makes every icon look itself up anew: the fallback theme alone
    // does not.
    QIcon::setThemeSearchPaths(paths);
    darkInUse = darkVariant;
}

bool dark() {
    return darkInUse;
}

} // namespace icontheme
