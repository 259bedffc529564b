#include "platform/browserprofiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>

namespace {

// Profiles of one profiles.ini: each [ProfileN] section names a folder, relative to the
// file's own folder unless IsRelative says otherwise.
void firefoxProfiles(const QString& folder, const QString& browser, QList<BrowserProfile>& found,
                     QSet<QString>& seen) {
    const QString ini = QDir(folder).filePath(QStringLiteral("profiles.ini"));
    if (!QFileInfo(ini).isFile())
        return;
    QSettings settings(ini, QSettings::IniFormat);
    QStringList groups = settings.childGroups();
    groups.sort();
    for (const QString& group : groups) {
        if (!group.startsWith(QStringLiteral("Profile"), Qt::CaseInsensitive))
            continue;
        settings.beginGroup(group);
        const QString path = settings.value(QStringLiteral("Path")).toString();
        const bool relative = settings.value(QStringLiteral("IsRelative"), 1).toInt() != 0;
        QString name = settings.value(QStringLiteral("Name")).toString();
        settings.endGroup();
        if (path.isEmpty())
            continue;
        const QString dir = relative ? QDir(folder).filePath(path) : path;
        const QString places = QDir::cleanPath(QDir(dir).filePath(QStringLiteral("places.sqlite")));
        if (!QFileInfo(places).isFile() || seen.contains(places))
            continue;
        seen.insert(places);
        if (name.isEmpty())
            name = QFileInfo(dir).fileName();
        found.append({BrowserProfile::Firefox, browser, name, places});
    }
}

// The names the browser shows for its profile folders, from its "Local State".
QHash<QString, QString> chromiumNames(const QString& folder) {
    QHash<QString, QString> names;
    QFile state(QDir(folder).filePath(QStringLiteral("Local State")));
    // A state file of many megabytes is no state file; its names are not needed.
    if (state.size() > 16 * 1024 * 1024 || !state.open(QIODevice::ReadOnly))
        return names;
    const QJsonObject cache = QJsonDocument::fromJson(state.readAll())
                                  .object()
                                  .value(QStringLiteral("profile"))
                                  .toObject()
                                  .value(QStringLiteral("info_cache"))
                                  .toObject();
    for (auto it = cache.begin(); it != cache.end(); ++it) {
        const QString name = it.value().toObject().value(QStringLiteral("name")).toString();
        if (!name.isEmpty())
            names.insert(it.key(), name);
    }
    return names;
}

void chromiumProfiles(const QString& folder, const QString& browser, QList<BrowserProfile>& found) {
    const QHash<QString, QString> names = chromiumNames(folder);
    // "Default", "Profile 1", ...; the other folders of the browser hold no bookmarks file.
    QStringList dirs = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& dir : dirs) {
        const QString file = QDir(folder).filePath(dir + QStringLiteral("/Bookmarks"));
        if (!QFileInfo(file).isFile())
            continue;
        const QString name = names.value(dir, dir);
        found.append({BrowserProfile::Chromium, browser,
                      name == dir ? name : name + QStringLiteral(" (") + dir + u')', file});
    }
}

} // namespace

QList<BrowserProfile> findBrowserProfiles(const QString& home, const QString& configHome) {
    QList<BrowserProfile> found;
    QSet<QString> seen;
    const QDir h(home);
    const QString firefox = QStringLiteral("Firefox");
    // Debian 12's firefox-esr keeps its profiles in the configuration folder, older versions
    // and most others in ~/.mozilla; the snap and the flatpak have their own home.
    for (const QString& folder :
         {QDir(configHome).filePath(QStringLiteral("mozilla/firefox")),
          h.filePath(QStringLiteral(".mozilla/firefox")),
          h.filePath(QStringLiteral("snap/firefox/common/.mozilla/firefox")),
          h.filePath(QStringLiteral(".var/app/org.mozilla.firefox/.mozilla/firefox"))})
        firefoxProfiles(folder, firefox, found, seen);
    const struct {
        const char* folder;
        const char* browser;
    } chromiums[] = {{"chromium", "Chromium"},
                     {"google-chrome", "Google Chrome"},
                     {"BraveSoftware/Brave-Browser", "Brave"},
                     {"microsoft-edge", "Microsoft Edge"},
                     {"vivaldi", "Vivaldi"}};
    for (const auto& c : chromiums)
        chromiumProfiles(QDir(configHome).filePath(QString::fromLatin1(c.folder)),
                         QString::fromLatin1(c.browser), found);
    return found;
}

QList<BrowserProfile> findBrowserProfiles() {
    return findBrowserProfiles(
        QDir::homePath(), QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}
