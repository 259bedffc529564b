#include "platform/browserprofiles.h"

#include "platform/desktopentry.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QStandardPaths>

namespace {

// Profiles of one profiles.ini: each [ProfileN] section names a folder, relative to the
// file's own folder unless IsRelative says otherwise.
void firefoxProfiles(const QString& folder, const QString& browser, QList<BrowserProfile>& found,
                     QSet<QString>& seen) {
    const QString ini = QDir(folder).filePath(QStringLiteral("profiles.ini"));
    // Checked before it is read, as every file a profile names: a pipe under its name would
    // never end, and a file of more than a megabyte is no list of profiles.
    QByteArray bytes;
    if (!textfile::readBytes(ini, bytes, nullptr, textfile::largestSmallFile))
        return;
    // A key file as the desktop's: "[ProfileN]" sections of "key=value" lines. Values are taken
    // as they are written, unlike QSettings: no escape makes a name two lines, and no comma makes
    // it a list ("Arbejde, privat" is a profile's name).
    const DesktopEntry file = DesktopEntry::parse(bytes);
    for (const QString& section : file.groupNames()) {
        if (!section.startsWith(QStringLiteral("Profile"), Qt::CaseInsensitive))
            continue;
        const QString path = file.raw(QStringLiteral("Path"), section);
        const QString isRelative = file.raw(QStringLiteral("IsRelative"), section);
        const bool relative = isRelative.isNull() || isRelative.toInt() != 0;
        QString name = file.raw(QStringLiteral("Name"), section);
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
    // A state file of many megabytes is no state file; its names are not needed.
    QByteArray state;
    if (!textfile::readBytes(QDir(folder).filePath(QStringLiteral("Local State")), state, nullptr,
                             qint64(16) << 20))
        return names;
    const QJsonObject cache = QJsonDocument::fromJson(state)
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

QString BrowserProfile::label() const {
    // One row of the chooser, whatever the name holds: a folder's name or a name in Chromium's
    // state file may hold a line break or another control character.
    QString shown = browser + QStringLiteral(": ") + name;
    for (QChar& c : shown) {
        if (c.category() == QChar::Other_Control)
            c = u' ';
    }
    return shown.simplified();
}
