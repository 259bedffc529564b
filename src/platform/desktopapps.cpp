#include "platform/desktopapps.h"

#include "platform/desktopentry.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcessEnvironment>
#include <QStandardPaths>

namespace {

// A key file, or an empty one when it cannot be read. A desktop file is a few lines.
DesktopEntry readKeyFile(const QString& path, qint64 limit = DesktopEntry::largestEntry) {
    return DesktopEntry::read(path, nullptr, limit).value_or(DesktopEntry{});
}

// mimeapps.list and mimeinfo.cache, which grow long on a desktop with many programs: taken at
// the size of any list the program reads.
DesktopEntry readList(const QString& path) {
    return readKeyFile(path, textfile::largestFile);
}

// The items of a list value, blanks around them left out and empty ones passed over.
QStringList listValue(const DesktopEntry& file, const QString& key, const QString& group) {
    QStringList items = file.list(key, group);
    for (QString& item : items)
        item = item.trimmed();
    items.removeAll(QString());
    return items;
}

// The arguments of a desktop file's Exec value (its string escapes resolved first):
// blank-separated, double quotes group, and inside quotes a backslash takes the next character
// literally.
QStringList splitExec(const QString& exec) {
    QStringList args;
    QString current;
    bool inQuotes = false;
    bool any = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (inQuotes) {
            if (c == u'\\' && i + 1 < exec.size())
                current += exec[++i];
            else if (c == u'"')
                inQuotes = false;
            else
                current += c;
        } else if (c == u'"') {
            inQuotes = true;
            any = true;
        } else if (c.isSpace()) {
            if (any || !current.isEmpty())
                args << current;
            current.clear();
            any = false;
        } else {
            current += c;
        }
    }
    if (any || !current.isEmpty())
        args << current;
    return args;
}

// An argument with its field codes (%f, %u, %i and the like) left out and "%%" made "%".
// Empty when the argument was nothing but a field code.
QString withoutFieldCodes(const QString& arg, bool* onlyCode) {
    QString out;
    for (qsizetype i = 0; i < arg.size(); ++i) {
        if (arg[i] == u'%' && i + 1 < arg.size()) {
            if (arg[i + 1] == u'%')
                out += u'%';
            ++i;
            continue;
        }
        out += arg[i];
    }
    *onlyCode = out.isEmpty() && !arg.isEmpty();
    return out;
}

QStringList envDirs(const char* name, const QStringList& fallback) {
    const QString value = QProcessEnvironment::systemEnvironment().value(QString::fromLatin1(name));
    const QStringList dirs = value.split(u':', Qt::SkipEmptyParts);
    return dirs.isEmpty() ? fallback : dirs;
}

} // namespace

XdgDirs XdgDirs::system() {
    XdgDirs dirs;
    dirs.configDirs << QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                    << envDirs("XDG_CONFIG_DIRS", {QStringLiteral("/etc/xdg")});
    dirs.dataDirs << QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                  << envDirs("XDG_DATA_DIRS",
                             {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")});
    for (const QString& desktop : envDirs("XDG_CURRENT_DESKTOP", {}))
        dirs.desktops << desktop.toLower();
    return dirs;
}

DesktopApps::DesktopApps(XdgDirs dirs_) : dirs(std::move(dirs_)) {}

QStringList DesktopApps::applicationDirs() const {
    QStringList result;
    for (const QString& dir : dirs.dataDirs)
        result << dir + QStringLiteral("/applications");
    return result;
}

QStringList DesktopApps::mimeappsLists() const {
    // In each folder the running desktop's own list comes before the common one; the
    // configuration folders come before the data folders' applications folders.
    QStringList folders = dirs.configDirs;
    folders << applicationDirs();
    QStringList lists;
    for (const QString& folder : folders) {
        for (const QString& desktop : dirs.desktops)
            lists << folder + u'/' + desktop + QStringLiteral("-mimeapps.list");
        lists << folder + QStringLiteral("/mimeapps.list");
    }
    return lists;
}

QString DesktopApps::desktopFile(const QString& desktopId) const {
    if (desktopId.isEmpty() || desktopId.contains(u'/'))
        return {};
    // An ID names a file in an applications folder, or in a subfolder with "-" for the "/".
    QStringList relative{desktopId};
    for (qsizetype dash = desktopId.indexOf(u'-'); dash > 0;
         dash = desktopId.indexOf(u'-', dash + 1)) {
        QString nested = desktopId;
        nested[dash] = u'/';
        relative << nested;
    }
    for (const QString& dir : applicationDirs()) {
        for (const QString& name : relative) {
            const QString path = dir + u'/' + name;
            if (QFile::exists(path))
                return path;
        }
    }
    return {};
}

QStringList DesktopApps::command(const QString& desktopId) const {
    const QString path = desktopFile(desktopId);
    if (path.isEmpty())
        return {};
    const DesktopEntry entry = readKeyFile(path);
    if (entry.raw(QStringLiteral("Hidden")) == QStringLiteral("true"))
        return {};
    QStringList args;
    for (const QString& arg : splitExec(entry.string(QStringLiteral("Exec")))) {
        bool onlyCode = false;
        const QString kept = withoutFieldCodes(arg, &onlyCode);
        if (!onlyCode)
            args << kept;
    }
    return args;
}

bool DesktopApps::runsInTerminal(const QString& desktopId) const {
    const QString path = desktopFile(desktopId);
    return !path.isEmpty() && readKeyFile(path)
                                      .raw(QStringLiteral("Terminal"))
                                      .compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

QString DesktopApps::firstUsable(const QString& mimeType) const {
    const QString defaults = QStringLiteral("Default Applications");
    const QString added = QStringLiteral("Added Associations");
    const QString removed = QStringLiteral("Removed Associations");
    QList<DesktopEntry> lists;
    for (const QString& path : mimeappsLists())
        lists << readList(path);
    auto usable = [this](const QString& id) { return !command(id).isEmpty(); };

    for (const DesktopEntry& list : lists) {
        for (const QString& id : listValue(list, mimeType, defaults)) {
            if (usable(id))
                return id;
        }
    }
    QStringList unwanted;
    QStringList candidates;
    for (const DesktopEntry& list : lists) {
        unwanted << listValue(list, mimeType, removed);
        candidates << listValue(list, mimeType, added);
    }
    // Then what the installed programs say they open, folder by folder.
    for (const QString& dir : applicationDirs()) {
        const QString cache = dir + QStringLiteral("/mimeinfo.cache");
        if (QFile::exists(cache)) {
            candidates << listValue(readList(cache), mimeType, QStringLiteral("MIME Cache"));
            continue;
        }
        QDirIterator it(dir, {QStringLiteral("*.desktop")}, QDir::Files,
                        QDirIterator::Subdirectories);
        QStringList found;
        while (it.hasNext()) {
            const QString path = it.next();
            const QStringList types =
                listValue(readKeyFile(path), QStringLiteral("MimeType"), DesktopEntry::mainGroup);
            if (types.contains(mimeType))
                found << QDir(dir).relativeFilePath(path).replace(u'/', u'-');
        }
        found.sort();
        candidates << found;
    }
    for (const QString& id : candidates) {
        if (!unwanted.contains(id) && usable(id))
            return id;
    }
    return {};
}

QString DesktopApps::defaultApplication(const QString& mimeType) const {
    const QMimeType type = QMimeDatabase().mimeTypeForName(mimeType);
    QStringList types{type.isValid() ? type.name() : mimeType};
    if (type.isValid())
        types << type.allAncestors();
    for (const QString& name : types) {
        const QString id = firstUsable(name);
        if (!id.isEmpty())
            return id;
    }
    return {};
}

QString locateProgram(const QString& place, const QStringList& searchPath) {
    if (QDir::isAbsolutePath(place))
        return QFileInfo(place).isFile() ? place : QString();
    return QStandardPaths::findExecutable(place, searchPath);
}
