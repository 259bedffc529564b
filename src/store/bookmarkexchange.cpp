#include "store/bookmarkexchange.h"

#include "platform/filenames.h"
#include "platform/systemreason.h"
#include "platform/textfile.h"
#include "store/elementstore.h"
#include "store/model.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>

#include <filesystem>

namespace store {

namespace {
// The files of a group folder by their names without regard to case, so an import need not
// look at the folder for each of thousands of bookmarks.
QHash<QString, QString> filesByName(const QString& dir) {
    QHash<QString, QString> files;
    for (const QString& name : filenames::listFiles(dir))
        files.insert(name.toCaseFolded(), name);
    return files;
}

// The entries of the content folder likewise, files and folders.
QHash<QString, QString> entriesByName(const QString& dir) {
    QHash<QString, QString> found;
    const QStringList names =
        QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : names)
        found.insert(name.toCaseFolded(), name);
    return found;
}

bool isImportable(const bookmarks::Entry& entry) {
    return bookmarks::isElementName(entry.navn) && textfile::isLineText(entry.navn) &&
           textfile::isLineText(entry.url);
}
} // namespace

ExistingElements existingElements(const Model& model, const QList<bookmarks::Group>& groups) {
    ExistingElements existing;
    const QString contentDir = model.contentFolder();
    const QHash<QString, QString> entries = entriesByName(contentDir);
    for (const bookmarks::Group& group : groups) {
        if (!bookmarks::isImportGroupName(group.navn) ||
            !entries.contains(group.navn.toCaseFolded()))
            continue;
        const QString navn = filenames::findEntry(contentDir, group.navn);
        if (navn.isEmpty())
            continue;
        const QHash<QString, QString> files = filesByName(filenames::join(contentDir, navn));
        int found = 0;
        for (const bookmarks::Entry& entry : group.entries) {
            if (isImportable(entry) && files.contains(elementFileName(entry.navn).toCaseFolded()))
                ++found;
        }
        if (found > 0) {
            existing.elements += found;
            existing.groups << navn;
        }
    }
    return existing;
}

Result importBookmarks(Model& model, const QList<bookmarks::Group>& groups, bool overwrite,
                       const ImportProgress& progress, Imported* imported) {
    if (Result refused = model.groupListWritable(); !refused.ok())
        return refused;
    const QString contentDir = model.contentFolder();
    Imported done;
    for (const bookmarks::Group& group : groups)
        done.total += int(group.entries.size());
    Result result;
    bool wroteNew = false;
    // The groups are listed while the import goes on, not only at its end: an import that is
    // killed (the session ends, the machine stops) leaves its groups listed with what was
    // written into them, where the next start shows them. A list write is a durable replace of
    // the whole list, so the groups are listed in steps: every so many groups, and at least
    // once a second while the import writes.
    QStringList unlisted; // the groups met since the list was last written, in their order
    QElapsedTimer sinceListed;
    sinceListed.start();
    auto listGroups = [&] {
        if (unlisted.isEmpty())
            return true;
        const Result listed = model.listGroups(unlisted);
        unlisted.clear();
        sinceListed.restart();
        if (!listed.ok() && result.ok())
            result = listed;
        return listed.ok();
    };
    auto listInTime = [&] { return !sinceListed.hasExpired(importListInterval) || listGroups(); };
    auto goOn = [&] {
        ++done.handled;
        if (progress && !progress(done.handled, done.total))
            done.cancelled = true;
        return !done.cancelled && listInTime();
    };
    // The content folder is looked at once, not once for each of thousands of folders.
    QHash<QString, QString> entries = entriesByName(contentDir);
    for (const bookmarks::Group& group : groups) {
        // Checked here too, not only where the groups were made: a name such as "../../x" would
        // write outside the content folder, "webLager.txt" where a list belongs.
        const bool named = bookmarks::isImportGroupName(group.navn);
        QString navn = named ? entries.value(group.navn.toCaseFolded()) : QString();
        if (!navn.isEmpty())
            navn = filenames::findEntry(contentDir, group.navn); // the exact name wins
        if (!named || (!navn.isEmpty() && !filenames::folderExists(contentDir, navn))) {
            done.unusable += int(group.entries.size());
            done.handled += int(group.entries.size());
            if (progress && !progress(done.handled, done.total))
                done.cancelled = true;
            if (done.cancelled)
                break;
            continue;
        }
        if (navn.isEmpty()) {
            navn = group.navn;
            // No entry of the name is there, whatever its case: the index said so.
            const QString folder = filenames::join(contentDir, navn);
            std::error_code ec;
            std::filesystem::create_directory(QFileInfo(folder).filesystemFilePath(), ec);
            if (ec) {
                result = {Result::FolderNotCreated, folder, systemReason(ec.value())};
                break;
            }
            entries.insert(navn.toCaseFolded(), navn);
            ++done.newGroups;
        }
        // A folder left by a group taken out of the list is listed again with its new elements.
        unlisted << navn;
        if (unlisted.size() >= importListStep && !listGroups())
            break;
        const QString dir = filenames::join(contentDir, navn);
        QHash<QString, QString> files = filesByName(dir);
        int written = 0;
        for (const bookmarks::Entry& entry : group.entries) {
            if (!isImportable(entry)) {
                ++done.unusable;
            } else {
                const QString fileName = elementFileName(entry.navn);
                const auto existing = files.constFind(fileName.toCaseFolded());
                if (existing != files.cend() && !overwrite) {
                    ++done.declined;
                } else if (existing != files.cend()) {
                    // An old file is replaced the careful way, so a crash never loses it.
                    const QString path = filenames::join(dir, *existing);
                    if (QString error;
                        !writeElement(path, newElement(path, entry.url, entry.navn), &error)) {
                        result = {Result::FileNotCreated, path, error};
                        break;
                    }
                    ++written;
                } else {
                    const QString path = filenames::join(dir, fileName);
                    QString error;
                    if (!textfile::writeNewLines(
                            path, elementLines(newElement(path, entry.url, entry.navn)), &error)) {
                        result = {Result::FileNotCreated, path, error};
                        break;
                    }
                    files.insert(fileName.toCaseFolded(), fileName);
                    wroteNew = true;
                    ++written;
                }
            }
            if (!goOn())
                break;
        }
        done.elements += written;
        if (written > 0)
            ++done.groups;
        if (!result.ok() || done.cancelled)
            break;
    }

    // The new element files were written without waiting for the disk; they are made durable
    // together, before the import says what it wrote.
    if (QString error; wroteNew && !textfile::syncFileSystem(contentDir, &error) && result.ok())
        result = {Result::FileNotCreated, contentDir, error};
    // The rest of the groups, a failed one too with what was written into it before the failure.
    listGroups();
    if (model.hasGroup())
        model.loadGruppefil();
    if (imported)
        *imported = done;
    return result;
}

QList<bookmarks::Group> bookmarkGroups(const Model& model, const QStringList& names) {
    QList<bookmarks::Group> groups;
    for (const QString& navn : names) {
        TWebArray web;
        const QString dir = model.groupFolder(navn);
        if (QFileInfo(dir).isDir())
            readWeb(dir, web);
        bookmarks::Group group{navn, {}};
        for (const TWebRecord& record : web)
            group.entries.append({record.Navn, record.Url});
        groups.append(group);
    }
    return groups;
}

Result exportBookmarks(const Model& model, const QString& path, const QStringList& names,
                       int* written) {
    const QList<bookmarks::Group> groups = bookmarkGroups(model, names);
    QString error;
    if (!bookmarks::writeFile(path, groups, &error))
        return {Result::FileNotCreated, path, error};
    if (written) {
        *written = 0;
        for (const bookmarks::Group& group : groups)
            *written += int(group.entries.size());
    }
    return {};
}

} // namespace store
