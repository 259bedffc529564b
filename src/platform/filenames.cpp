#include "filenames.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <vector>

namespace filenames {

namespace {
QString matchIn(const QString& dir, const QString& name, QDir::Filters kinds) {
    if (name.isEmpty())
        return {};
    const QFileInfo exact(join(dir, name));
    const bool exactKind = kinds == QDir::AllEntries ? exact.exists()
                           : kinds == QDir::Dirs     ? exact.isDir()
                                                     : exact.isFile();
    if (exactKind)
        return name;
    const QStringList entries =
        QDir(dir).entryList(kinds | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return {};
}
} // namespace

QString join(const QString& dir, const QString& name) {
    return dir + QDir::separator() + name;
}

QString findEntry(const QString& dir, const QString& name) {
    return matchIn(dir, name, QDir::AllEntries);
}

QString entryPath(const QString& dir, const QString& name) {
    const QString found = findEntry(dir, name);
    return join(dir, found.isEmpty() ? name : found);
}

bool fileExists(const QString& dir, const QString& name) {
    return !matchIn(dir, name, QDir::Files).isEmpty();
}

bool folderExists(const QString& dir, const QString& name) {
    return !matchIn(dir, name, QDir::Dirs).isEmpty();
}

void sortLikeWindows(QStringList& names) {
    // Each upper-case key is made once: making two inside every comparison dominated the
    // listing of large folders.
    struct Keyed {
        QString key;
        QString name;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(names.size());
    for (QString& name : names)
        keyed.push_back({name.toUpper(), std::move(name)});
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        const int byKey = QString::compare(a.key, b.key, Qt::CaseSensitive);
        return byKey != 0 ? byKey < 0 : a.name < b.name;
    });
    for (qsizetype i = 0; i < names.size(); ++i)
        names[i] = std::move(keyed[i].name);
}

QStringList listFiles(const QString& dir) {
    QStringList names =
        QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
    sortLikeWindows(names);
    return names;
}

bool isUsableName(const QString& name) {
    if (name.isEmpty() || name == u"." || name == u"..")
        return false;
    if (name.endsWith(u' ') || name.endsWith(u'.'))
        return false;
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    for (const QChar c : name) {
        if (c.unicode() < 32 || c.unicode() == 127 || forbidden.contains(c))
            return false;
    }
    return true;
}

} // namespace filenames
