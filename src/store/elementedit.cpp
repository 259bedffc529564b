#include "store/elementedit.h"

#include "platform/filenames.h"
#include "platform/textcompare.h"
#include "store/elementstore.h"

#include <QFile>
#include <QFileInfo>

namespace store {

ElementEdit planEdit(const TWebRecord& element, const QString& url, const QString& navn) {
    ElementEdit edit;
    edit.original = isOriginal(element, url, navn);
    if (edit.original || navn.isEmpty())
        return edit;
    edit.newUrl = !sameTextAZ(url, element.Url);
    edit.newName = !sameTextAZ(navn, element.Navn);
    return edit;
}

bool isOriginal(const TWebRecord& element, const QString& url, const QString& navn) {
    return sameTextAZ(url, element.Url) && sameTextAZ(navn, element.Navn);
}

QString elementFilePath(const QString& gruppeDir, const QString& navn) {
    return filenames::entryPath(gruppeDir, elementFileName(navn));
}

ElementChange renameElement(const QString& gruppeDir, TWebArray& web, qsizetype index,
                            const QString& newNavn) {
    if (!filenames::isUsableName(newNavn))
        return {ElementChange::UnusableName, {}, {}};
    for (qsizetype i = 0; i < web.size(); ++i) {
        if (i != index && sameTextAZ(web[i].Navn, newNavn))
            return {ElementChange::NameTaken, {}, {}};
    }
    // The element's own file is the one it was read from; its old name need not name it (a
    // stray copy bears another element's name, a hostile file a path).
    const QString oldPath = web[index].file.path;
    const QByteArray oldNative = web[index].file.systemPath();
    const QString oldFile = QFileInfo(oldPath).fileName();
    // A file of the new name that is not this element's own would be overwritten: it may be
    // an element the listing never reached, or one whose name differs beyond A to Z.
    const QString newFile = elementFileName(newNavn);
    const QString clash = filenames::findEntry(gruppeDir, newFile);
    if (!clash.isEmpty() && clash != oldFile &&
        filenames::isFile(filenames::join(gruppeDir, clash)))
        return {ElementChange::NameTaken, {}, {}};

    TWebRecord renamed = web[index];
    renamed.Navn = newNavn;
    renamed.filnavn = filenames::join(gruppeDir, newFile);
    renamed.file.path = renamed.filnavn;
    renamed.file.native.clear();
    QString error;
    if (!writeElement(renamed.filnavn, renamed, &error))
        return {ElementChange::WriteFailed, error, renamed.filnavn};
    web[index] = renamed;

    if (oldFile.isEmpty() || oldFile == newFile)
        return {};
    // When only the case of the name changed, the two names may be one file (Windows) or two
    // (Linux). Deleting the old name of one file would delete the element just written, so
    // the listing decides: only when both names are there are they two files.
    const QStringList present = filenames::listFiles(gruppeDir);
    if (oldFile.compare(newFile, Qt::CaseInsensitive) == 0 &&
        !(present.contains(oldFile) && present.contains(newFile))) {
        // One file, which may still bear the old case. Giving it the new one is cosmetic: the
        // element reads the same under either, so a refusal is let pass.
        if (!present.contains(newFile))
            QFile::rename(oldPath, renamed.filnavn);
        return {};
    }
    if (!filenames::removeNative(oldNative, &error))
        return {ElementChange::OldFileKept, error, oldPath};
    return {};
}

FileRemoval removeElementFiles(const QList<QByteArray>& natives) {
    for (qsizetype i = 0; i < natives.size(); ++i) {
        QString error;
        if (!filenames::removeNative(natives[i], &error))
            return {i, error};
    }
    return {};
}

} // namespace store
