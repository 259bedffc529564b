#include "elementstore.h"

#include "filenames.h"
#include "textfile.h"

#include <QFile>
#include <QFileInfo>

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
    for (const filenames::FileEntry& entry : filenames::listFileEntries(dir)) {
        const bool read =
            textfile::readNativeBytes(entry.native, bytes, nullptr, textfile::largestSmallFile);
        if (!read && !filenames::isNativeFile(entry.native))
            continue;
        TWebRecord& record = web.emplace_back();
        record.sourceFile = filenames::join(dir, entry.name);
        if (entry.windowsNamed)
            record.sourceNative = entry.native;
        if (!read || !fillRecord(record, textfile::splitLines(textfile::decode(bytes))))
            return;
    }
}

QStringList elementLines(const TWebRecord& r) {
    return {r.Url, r.Navn, r.dato, r.klokken, QString::number(r.Visits), r.filnavn};
}

bool writeElement(const QString& path, const TWebRecord& record, QString* error) {
    return textfile::writeLines(path, elementLines(record), error);
}

QByteArray nativeSource(const TWebRecord& record) {
    return record.sourceNative.isEmpty() ? QFile::encodeName(record.sourceFile)
                                         : record.sourceNative;
}

bool saveElement(TWebRecord& record, QString* error) {
    TWebRecord saved = record;
    saved.filnavn = saved.sourceFile;
    if (!saved.sourceNative.isEmpty() && !filenames::existsNative(QFile::encodeName(saved.sourceFile))) {
        if (!writeElement(saved.sourceFile, saved, error))
            return false;
        // The file the element was read from now stands under its UTF-8 name. Should the old
        // entry stay, it is the same element, and the next listing shows both.
        (void)filenames::removeNative(saved.sourceNative);
        saved.sourceNative.clear();
    } else if (!textfile::writeNativeLines(nativeSource(saved), elementLines(saved), error)) {
        return false;
    }
    record = saved;
    return true;
}

std::optional<QStringList> readGroupList(const QString& path, QString* error) {
    if (!QFileInfo::exists(path))
        return QStringList{};
    return textfile::readLines(path, error, textfile::largestFile);
}

} // namespace store
