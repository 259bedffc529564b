#include "store/elementstore.h"

#include "platform/filenames.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

void ElementFile::moveFolder(const QString& oldFolder, const QString& newFolder) {
    const QString oldPrefix = oldFolder + QDir::separator();
    if (!path.startsWith(oldPrefix))
        return;
    const QString newPrefix = newFolder + QDir::separator();
    path = newPrefix + path.mid(oldPrefix.size());
    const QByteArray oldNative = QFile::encodeName(oldPrefix);
    if (native.startsWith(oldNative))
        native = QFile::encodeName(newPrefix) + native.mid(oldNative.size());
}

namespace store {

QString elementFileName(const QString& navn) {
    return navn + QStringLiteral(".txt");
}

namespace {
// Fills record from the lines of its file; false at the first field that is not there.
bool fillRecord(TWebRecord& record, const QStringList& lines) {
    if (lines.size() < 1)
        return false;
    record.Url = lines[0];
    if (lines.size() < 2)
        return false;
    record.Navn = lines[1];
    if (lines.size() < 3)
        return false;
    record.setDato(lines[2]);
    if (lines.size() < 4)
        return false;
    record.setKlokken(lines[3]);
    if (lines.size() < 5)
        return false;
    bool ok = false;
    const qint32 visits = lines[4].trimmed().toInt(&ok, 10);
    if (!ok)
        return false;
    record.Visits = visits;
    if (lines.size() < 6)
        return false;
    record.filnavn = lines[5];
    return true;
}
} // namespace

void readWeb(const QString& dir, TWebArray& web) {
    // The listing gives files only, so each is opened and read straight away; only a file that
    // cannot be read is looked at again: one gone since the listing is passed over as before.
    QByteArray bytes; // one buffer for every file
    QList<QByteArray> temporaries;
    const QList<filenames::FileEntry> entries = filenames::listFileEntries(dir, &temporaries);
    // Temporary files that a killed write left are removed once they are stale.
    for (const QByteArray& temporary : temporaries)
        textfile::removeIfStale(temporary);
    for (const filenames::FileEntry& entry : entries) {
        const bool read =
            textfile::readNativeBytes(entry.native, bytes, nullptr, textfile::largestSmallFile);
        if (!read && !filenames::isNativeFile(entry.native))
            continue;
        TWebRecord& record = web.emplace_back();
        record.file = ElementFile(filenames::join(dir, entry.name),
                                  entry.windowsNamed ? entry.native : QByteArray());
        if (!read || !fillRecord(record, textfile::splitLines(textfile::decode(bytes))))
            return;
    }
}

TWebRecord newElement(const QString& path, const QString& url, const QString& navn) {
    return {url, navn, QStringLiteral("Dato"), QStringLiteral("XX:XX"), 0, path, ElementFile(path)};
}

QStringList elementLines(const TWebRecord& r) {
    return {r.Url, r.Navn, r.dato, r.klokken, QString::number(r.Visits), r.filnavn};
}

bool writeElement(const QString& path, const TWebRecord& record, QString* error) {
    return textfile::writeLines(path, elementLines(record), error);
}

bool saveElement(TWebRecord& record, QString* error) {
    TWebRecord saved = record;
    saved.filnavn = saved.file.path;
    if (!saved.file.native.isEmpty() &&
        !filenames::existsNative(QFile::encodeName(saved.file.path))) {
        if (!writeElement(saved.file.path, saved, error))
            return false;
        // The file the element was read from now stands under its UTF-8 name. Should the old
        // entry stay, it is the same element, and the next listing shows both.
        (void)filenames::removeNative(saved.file.native);
        saved.file.native.clear();
    } else if (!textfile::writeNativeLines(saved.file.systemPath(), elementLines(saved), error)) {
        return false;
    }
    record = saved;
    return true;
}

std::optional<QStringList> readGroupList(const QString& path, QString* error) {
    // Only where nothing stands is a list empty. A link that leads nowhere (a drive not there,
    // a loop) is a list that cannot be read, not one to be replaced by the next write.
    const QFileInfo entry(path);
    if (!entry.exists() && !entry.isSymLink())
        return QStringList{};
    return textfile::readLines(path, error, textfile::largestFile);
}

} // namespace store
