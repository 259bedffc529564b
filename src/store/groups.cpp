#include "store/groups.h"

#include "platform/filenames.h"
#include "platform/systemreason.h"
#include "platform/textcompare.h"
#include "platform/textfile.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

namespace store {

bool isGroupName(const QString& name) {
    if (!filenames::isUsableName(name) || textfile::isTemporaryName(name))
        return false;
    return !sameTextAZ(name, QStringLiteral("webgruppe.txt")) &&
           !sameTextAZ(name, QStringLiteral("webLager.txt"));
}

namespace {
// Refusals shared by creating and renaming: a name that cannot be a folder name, and a name
// that an existing folder already bears, whatever its case (on Windows they are one folder).
GroupChange checkNewName(const QString& contentDir, const QString& name) {
    if (!isGroupName(name))
        return {GroupChange::UnusableName, {}};
    if (filenames::folderExists(contentDir, name))
        return {GroupChange::Exists, {}};
    return {};
}
} // namespace

GroupChange createGroup(const QString& contentDir, const QString& name) {
    if (GroupChange refused = checkNewName(contentDir, name); refused.result != GroupChange::Done)
        return refused;
    // QDir::mkdir keeps the reason of a failure to itself; the standard library hands on the
    // system's, which the error box shows.
    std::error_code ec;
    const bool created = std::filesystem::create_directory(
        QFileInfo(filenames::join(contentDir, name)).filesystemFilePath(), ec);
    if (ec)
        return {GroupChange::Failed, systemReason(ec.value())};
    if (!created)
        return {GroupChange::Exists, {}};
    return {};
}

GroupChange renameGroup(const QString& contentDir, const QString& oldName, const QString& newName) {
    if (GroupChange refused = checkNewName(contentDir, newName);
        refused.result != GroupChange::Done)
        return refused;
    const QString oldPath = filenames::entryPath(contentDir, oldName);
    if (!QFileInfo(oldPath).isDir())
        return {GroupChange::Failed, {}};
    if (!QDir().rename(oldPath, filenames::join(contentDir, newName)))
        return {GroupChange::Failed, {}};
    return {};
}

QStringList sortGroups(const QStringList& names, const QLocale& locale) {
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    QStringList sorted = names;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&collator](const QString& a, const QString& b) { return collator(a, b); });
    return sorted;
}

bool writeGroupList(const QString& path, const QStringList& names, QString* error) {
    return textfile::writeLines(path, names, error);
}

ListPairWrite writeListPair(const QString& activePath, const QStringList& active,
                            const QString& storedPath, const QStringList& stored) {
    ListPairWrite written;
    // The first file's bytes as they are now, to put back should the second write fail.
    std::optional<QByteArray> before;
    if (QFileInfo::exists(activePath)) {
        QByteArray bytes;
        if (!textfile::readBytes(activePath, bytes, &written.error))
            return {ListPairWrite::Failed, activePath, written.error, {}};
        before = bytes;
    }
    if (!writeGroupList(activePath, active, &written.error))
        return {ListPairWrite::Failed, activePath, written.error, {}};
    if (writeGroupList(storedPath, stored, &written.error))
        return {};
    written.failedPath = storedPath;
    const bool undone = before ? textfile::writeBytes(activePath, *before, &written.undoError)
                               : filenames::removeFile(activePath, &written.undoError);
    written.result = undone ? ListPairWrite::Failed : ListPairWrite::UndoFailed;
    return written;
}

bool isListableName(const QString& name) {
    if (name.isEmpty() || name == u"." || name == u".." || textfile::isTemporaryName(name) ||
        sameTextAZ(name, QStringLiteral("webgruppe.txt")) ||
        sameTextAZ(name, QStringLiteral("webLager.txt")))
        return false;
    // Both separators on every platform: a list may come from the other one.
    return textfile::isLineText(name) && !name.contains(u'/') && !name.contains(u'\\');
}

GroupList readGroupLines(const QStringList& lines, const QString& contentDir) {
    GroupList list;
    // The content folder's folders by their case-folded names, listed once and only when a line
    // needs them: a list may hold thousands of lines.
    std::optional<QSet<QString>> folders;
    auto folderThere = [&](const QString& name) {
        if (QFileInfo(filenames::join(contentDir, name)).isDir())
            return true;
        if (!folders) {
            folders.emplace();
            const QStringList found =
                QDir(contentDir)
                    .entryList(QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
            for (const QString& folder : found)
                folders->insert(folder.toCaseFolded());
        }
        return folders->contains(name.toCaseFolded());
    };
    for (const QString& line : lines) {
        // Looked at first: the name check of typed names lets a C1 control character by, and a
        // list showing one could never be written again.
        if (!textfile::isWritableLine(line))
            continue;
        if (isListableName(line) && (isGroupName(line) || folderThere(line)))
            list.names << line;
        else
            list.kept.append({list.names.size() + list.kept.size(), line});
    }
    return list;
}

QStringList groupListLines(const QStringList& names, const QList<KeptLine>& kept) {
    QStringList lines;
    lines.reserve(names.size() + kept.size());
    // One pass, not an insert per kept line: a list may hold thousands of both.
    auto name = names.cbegin();
    auto line = kept.cbegin();
    while (name != names.cend() || line != kept.cend()) {
        if (line != kept.cend() && (line->line <= lines.size() || name == names.cend()))
            lines << (line++)->text;
        else
            lines << *name++;
    }
    return lines;
}

qsizetype groupIndex(const QStringList& names, const QString& name) {
    const auto found = std::find_if(names.cbegin(), names.cend(), [&name](const QString& entry) {
        return sameTextAZ(entry, name);
    });
    return found == names.cend() ? -1 : found - names.cbegin();
}

} // namespace store
