#include "store/model.h"

#include "platform/filenames.h"
#include "platform/textfile.h"
#include "platform/urlcheck.h"
#include "store/elementedit.h"
#include "store/elementlistmodel.h"
#include "store/elementstore.h"
#include "store/groups.h"
#include "store/shelf.h"
#include "store/visits.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <functional>

namespace store {

Model::Model(const UrlCheck& urlCheck_, QObject* parent)
    : QObject(parent), urlCheck(urlCheck_), elementList(new ElementListModel(Web_, this)) {}

Model::~Model() = default;

void Model::setFolders(const QString& dir0, const QString& dir1) {
    programdir0_ = dir0;
    programdir1_ = dir1;
}

QString& Model::remembered() {
    return funkNo_ != 0 ? gruppenavn1_ : gruppenavn0_;
}

void Model::restore(const std::optional<QString>& gruppenavn,
                    const std::optional<QString>& gruppenavn0,
                    const std::optional<QString>& gruppenavn1, std::optional<quint8> funkNo) {
    // A name that could lead out of the content folder is no group. One a file manager made
    // ("Film: klassikere") is, as it is in the group lists.
    auto take = [](QString& field, const std::optional<QString>& read) {
        if (read)
            field = isListableName(*read) ? *read : QString();
    };
    take(gruppenavn_, gruppenavn);
    take(gruppenavn0_, gruppenavn0);
    take(gruppenavn1_, gruppenavn1);
    if (!funkNo)
        return;
    funkNo_ = *funkNo;
    remembered() = gruppenavn_;
}

Result Model::setMappe() {
    programdir_ = funkNo_ != 0 ? programdir1_ : programdir0_;
    gruppenavn_ = remembered();
    webGruppefil_ = programdir_ + QStringLiteral("webgruppe.txt");
    webLagerfil_ = programdir_ + QStringLiteral("webLager.txt");
    Result result;
    readLists(result);
    emit groupListsChanged();
    emit currentGroupChanged();
    return result;
}

void Model::readLists(Result& result) {
    QStringList lists[2];
    const QString paths[2] = {webGruppefil_, webLagerfil_};
    for (int i = 0; i < 2; ++i) {
        QString error;
        kept_[i].clear();
        if (const auto lines = readGroupList(paths[i], &error)) {
            GroupList read = readGroupLines(*lines, contentFolder());
            lists[i] = std::move(read.names);
            kept_[i] = std::move(read.kept);
            unreadable_[i].clear();
        } else {
            unreadable_[i] = error.isEmpty() ? QStringLiteral("Ukendt fejl") : error;
            if (result.ok())
                result = {Result::FileNotRead, paths[i], error};
        }
    }
    gruppeliste_ = lists[0];
    lagerliste_ = lists[1];
}

Result Model::listWritable(List list) const {
    if (unreadable_[list].isEmpty())
        return {};
    return {Result::FileNotRead, list == Active ? webGruppefil_ : webLagerfil_,
            unreadable_[list] +
                QStringLiteral(".\nFilen kunne ikke læses, og den ændres ikke, før den kan læses "
                               "igen.")};
}

Result Model::switchMode(quint8 funkNo) {
    funkNo_ = funkNo == 1 ? 1 : 0;
    Result result = setMappe();
    loadGruppefil();
    emit modeChanged();
    return result;
}

QString Model::contentFolder() const {
    return programdir_.isEmpty() ? QString() : programdir_.chopped(1);
}

QString Model::groupFolder(const QString& navn) const {
    return filenames::entryPath(contentFolder(), navn);
}

void Model::loadGruppefil() {
    elementList->beginReplace();
    Web_.clear();
    WebNo_ = -1;
    WebAntal_ = 0;
    if (!gruppenavn_.isEmpty()) {
        gruppeDir_ = groupFolder(gruppenavn_);
        if (QFileInfo(gruppeDir_).isDir()) {
            readWeb(gruppeDir_, Web_);
            WebAntal_ = int(Web_.size());
            WebNo_ = WebAntal_ - 1;
        }
    }
    elementList->endReplace();
    emit groupLoaded();
    emit currentGroupChanged();
}

void Model::selectGroup(const QString& navn) {
    gruppenavn_ = navn;
    remembered() = navn;
    loadGruppefil();
}

Result Model::GemWeb(int row, TWebRecord record) {
    // An element is written to the file it was read from, whatever its name says: line 2 is
    // only text, and a name such as "../Nyheder/DR", or that of a stray copy, names another
    // element's file or one outside the group.
    QString error;
    if (!saveElement(record, &error))
        return {Result::FileNotCreated, record.file.path, error};
    Web_[row] = record;
    WebNo_ = row;
    elementList->elementChanged(row);
    return {};
}

Result Model::recordVisit(int row, const QString& dateText, const QString& timeText) {
    TWebRecord record = Web_[row];
    stampVisit(record, dateText, timeText);
    return GemWeb(row, record);
}

namespace {
// Writes an element without visits to path, which its line 6 names.
Result writeNewElement(const QString& path, const QString& url, const QString& navn) {
    QString error;
    if (!writeElement(path, newElement(path, url, navn), &error))
        return {Result::FileNotCreated, path, error};
    return {};
}
} // namespace

Result Model::insertElement(const QString& aUrl, const QString& aNavn,
                            const std::function<bool(const QString&)>& confirmOverwrite) {
    if (gruppenavn_.isEmpty())
        return {Result::NoGroup};
    // The name becomes a file name inside the group folder; a path separator or another
    // character no file name may hold would write elsewhere or fail.
    if (!filenames::isUsableName(aNavn))
        return {Result::UnusableName};
    // Nor can an address hold a line break: it would cut the element's file.
    if (!textfile::isLineText(aUrl))
        return {Result::InvalidAddress};
    const QString dir = groupFolder(gruppenavn_);
    if (filenames::fileExists(dir, elementFileName(aNavn)) && !confirmOverwrite(aNavn))
        return {Result::Declined};
    // Overwriting finds the existing file whatever the case of its name, so a group never
    // holds two element files whose names differ only in case.
    if (Result written = writeNewElement(elementFilePath(dir, aNavn), aUrl, aNavn); !written.ok())
        return written;
    loadGruppefil();
    return {};
}

Result Model::editElement(int row, const QString& url, const QString& navn) {
    if (!urlCheck.IsValidURL(url) || !textfile::isLineText(url))
        return {Result::InvalidAddress};
    const ElementEdit plan = planEdit(Web_[row], url, navn);
    if (plan.original)
        return {Result::Original};
    if (plan.newName) {
        // The new name is checked before anything is written; the address travels with it.
        TWebArray web = Web_;
        if (plan.newUrl)
            web[row].Url = url;
        const ElementChange change = renameElement(gruppeDir_, web, row, navn);
        switch (change.result) {
        case ElementChange::UnusableName:
            return {Result::UnusableName};
        case ElementChange::NameTaken:
            return {Result::NameTaken};
        case ElementChange::WriteFailed:
            return {Result::FileNotCreated, change.path, change.error};
        case ElementChange::OldFileKept:
            loadGruppefil();
            return {Result::FileNotDeleted, change.path, change.error};
        case ElementChange::Done:
            break;
        }
        loadGruppefil();
        return {};
    }
    if (plan.newUrl) {
        TWebRecord record = Web_[row];
        record.Url = url;
        return GemWeb(row, record);
    }
    return {};
}

Result Model::resetVisits(int row, const QString& url, const QString& navn,
                          const std::function<bool(const QString&)>& confirmOverwrite) {
    if (!isOriginal(Web_[row], url, navn))
        return {Result::NotOriginal};
    if (!urlCheck.IsValidURL(url) || !textfile::isLineText(url))
        return {Result::InvalidAddress};
    // The element is entered again, as the typed texts have it, in its own file: asking first,
    // as entering does before it overwrites a file.
    TWebRecord record = Web_[row];
    if (filenames::isNativeFile(record.file.systemPath()) && !confirmOverwrite(navn))
        return {Result::Declined};
    record.Url = url;
    record.Navn = navn;
    record.dato = QStringLiteral("Dato");
    record.klokken = QStringLiteral("XX:XX");
    record.Visits = 0;
    QString error;
    if (!saveElement(record, &error))
        return {Result::FileNotCreated, record.file.path, error};
    loadGruppefil();
    return {};
}

Result Model::removeElements(const QList<int>& rows) {
    QList<int> order = rows;
    std::sort(order.begin(), order.end(), std::greater<int>());
    QStringList paths;
    QList<QByteArray> natives;
    // Each row removes the file it was read from: two rows of one name (a stray copy beside
    // the element) are two files, and a name holding a path names no file of this group.
    for (int row : order) {
        paths << Web_[row].file.path;
        natives << Web_[row].file.systemPath();
    }
    const FileRemoval removal = removeElementFiles(natives);
    loadGruppefil();
    if (!removal.ok())
        return {Result::FileNotDeleted, paths[removal.failed], removal.error};
    return {};
}

bool Model::writeActive(const QStringList& names, Result& failure) const {
    if (Result refused = listWritable(Active); !refused.ok()) {
        failure = refused;
        return false;
    }
    QString error;
    if (writeGroupList(webGruppefil_, groupListLines(names, kept_[Active]), &error))
        return true;
    failure = {Result::FileNotCreated, webGruppefil_, error};
    return false;
}

namespace {
Result refusal(const GroupChange& change, const QString& folder, Result::Kind failed) {
    switch (change.result) {
    case GroupChange::UnusableName:
        return {Result::UnusableName};
    case GroupChange::Exists:
        return {Result::Exists};
    case GroupChange::Failed:
        return {failed, folder, change.error};
    case GroupChange::Done:
        break;
    }
    return {};
}
} // namespace

Result Model::NyGruppe(const QString& navn) {
    if (Result refused = listWritable(Active); !refused.ok())
        return refused;
    const QString contentDir = contentFolder();
    const QString folder = filenames::join(contentDir, navn);
    if (Result refused = refusal(createGroup(contentDir, navn), folder, Result::FolderNotCreated);
        !refused.ok())
        return refused;
    const QStringList list = gruppeliste_ + QStringList{navn};
    Result failure;
    if (!writeActive(list, failure)) {
        // The group is not listed, so its new, empty folder goes again.
        QDir().rmdir(folder);
        return failure;
    }
    gruppeliste_ = list;
    emit groupListsChanged();
    selectGroup(navn);
    return {};
}

Result Model::RedigerGruppe(const QString& nytNavn) {
    if (gruppenavn_.isEmpty())
        return {Result::NoGroup};
    if (nytNavn.isEmpty())
        return {Result::NoName};
    if (Result refused = listWritable(Active); !refused.ok())
        return refused;
    const QString contentDir = contentFolder();
    const QString oldName = QFileInfo(gruppeDir_).fileName();
    const QString newFolder = filenames::join(contentDir, nytNavn);
    if (Result refused =
            refusal(renameGroup(contentDir, oldName, nytNavn), newFolder, Result::RenameRefused);
        !refused.ok())
        return refused;
    QStringList list = gruppeliste_;
    if (const qsizetype position = groupIndex(list, gruppenavn_); position >= 0)
        list[position] = nytNavn;
    Result failure;
    if (!writeActive(list, failure)) {
        // The list still names the old folder, so the folder takes its old name back.
        QDir().rename(newFolder, filenames::join(contentDir, oldName));
        return failure;
    }
    // The element files are not rewritten; they are where they were, in the renamed folder.
    for (TWebRecord& record : Web_)
        record.file.moveFolder(gruppeDir_, newFolder);
    gruppeliste_ = list;
    gruppenavn_ = nytNavn;
    remembered() = nytNavn;
    gruppeDir_ = newFolder;
    emit groupListsChanged();
    emit currentGroupChanged();
    return {};
}

Result Model::sortGroups(const QLocale& locale) {
    const QStringList list = store::sortGroups(gruppeliste_, locale);
    Result failure;
    if (!writeActive(list, failure))
        return failure;
    gruppeliste_ = list;
    emit groupListsChanged();
    return {};
}

Result Model::deleteGruppefil() {
    if (!gruppenavn_.isEmpty()) {
        QStringList list = gruppeliste_;
        if (const qsizetype position = groupIndex(list, gruppenavn_); position >= 0)
            list.removeAt(position);
        Result failure;
        if (!writeActive(list, failure))
            return failure;
        gruppeliste_ = list;
        emit groupListsChanged();
    }
    gruppenavn_.clear();
    remembered().clear();
    loadGruppefil();
    return {};
}

Result Model::saveShelf(const QStringList& active, const QStringList& stored) {
    for (List list : {Active, Stored}) {
        if (Result refused = listWritable(list); !refused.ok())
            return refused;
    }
    // A name that can be no group would lead out of the content folder, or stand where a list
    // file belongs. One that could not have been typed is a group the lists showed.
    const auto isGroup = [this](const QString& name) {
        return isGroupName(name) || (isListableName(name) &&
                                     (gruppeliste_.contains(name) || lagerliste_.contains(name)));
    };
    for (const QStringList* names : {&active, &stored}) {
        if (!std::all_of(names->cbegin(), names->cend(), isGroup))
            return {Result::UnusableName};
    }
    QStringList newActive, newStored;
    for (const QString& name : active) {
        if (groupIndex(newActive, name) < 0)
            newActive << name;
    }
    for (const QString& name : stored) {
        if (groupIndex(newActive, name) < 0 && groupIndex(newStored, name) < 0)
            newStored << name;
    }
    const ListPairWrite written =
        writeListPair(webGruppefil_, groupListLines(newActive, kept_[Active]), webLagerfil_,
                      groupListLines(newStored, kept_[Stored]));
    if (written.result == ListPairWrite::Failed)
        return {Result::FileNotCreated, written.failedPath, written.error};
    if (written.result == ListPairWrite::UndoFailed) {
        // Neither list is what memory holds: what the files now say is shown instead.
        Result reread;
        readLists(reread);
        if (groupIndex(gruppeliste_, gruppenavn_) < 0) {
            gruppenavn_.clear();
            remembered().clear();
            loadGruppefil();
        }
        emit groupListsChanged();
        return {Result::FileNotCreated, written.failedPath,
                written.error + QStringLiteral(".\nFilen \"") +
                    QDir::toNativeSeparators(webGruppefil_) +
                    QStringLiteral("\" kunne ikke sættes tilbage, som den var: ") +
                    written.undoError +
                    QStringLiteral(".\nListerne viser nu, hvad de to filer indeholder.")};
    }
    const bool leaves = shelf::currentGroupLeavesActive(gruppenavn_, newActive);
    gruppeliste_ = newActive;
    lagerliste_ = newStored;
    emit groupListsChanged();
    if (leaves) {
        // The current group was shelved or moved out: nothing is selected any more.
        gruppenavn_.clear();
        remembered().clear();
        loadGruppefil();
        emit groupShelved();
    }
    return {};
}

Result Model::listGroups(const QStringList& navne) {
    if (Result refused = listWritable(Active); !refused.ok())
        return refused;
    QStringList list = gruppeliste_;
    for (const QString& navn : navne) {
        if (groupIndex(list, navn) < 0 && groupIndex(lagerliste_, navn) < 0)
            list << navn;
    }
    if (list == gruppeliste_)
        return {};
    Result failure;
    if (!writeActive(list, failure))
        return failure;
    gruppeliste_ = list;
    emit groupListsChanged();
    return {};
}

} // namespace store
