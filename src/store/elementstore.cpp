#include "elementstore.h"

#include "filenames.h"
#include "textfile.h"

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
    for (const QString& name : filenames::listFiles(dir)) {
        const QString path = filenames::join(dir, name);
        const auto lines = textfile::readLines(path);
        if (!lines && !filenames::isFile(path))
            continue;
        web.append(TWebRecord{});
        web.last().sourceFile = path;
        if (!lines || !fillRecord(web.last(), *lines))
            return;
    }
}

QStringList elementLines(const TWebRecord& r) {
    return {r.Url, r.Navn, r.dato, r.klokken, QString::number(r.Visits), r.filnavn};
}

bool writeElement(const QString& path, const TWebRecord& record, QString* error) {
    return textfile::writeLines(path, elementLines(record), error);
}

std::optional<QStringList> readGroupList(const QString& path, QString* error) {
    if (!QFileInfo::exists(path))
        return QStringList{};
    return textfile::readLines(path, error);
}

} // namespace store
