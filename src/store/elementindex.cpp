#include "elementindex.h"

#include "elementlistmodel.h"
#include "elementstore.h"
#include "filenames.h"
#include "filestamp.h"
#include "groups.h"
#include "model.h"
#include "textcompare.h"

#include <algorithm>
#include <vector>

namespace store {

namespace {
ElementIndex::Entry entryOf(const TWebRecord& r) {
    return {r.Navn,
            r.Url,
            r.dato,
            r.klokken,
            r.Visits,
            r.sourceFile,
            ElementIndex::fold(r.Navn),
            ElementIndex::fold(r.Url)};
}

QList<ElementIndex::Entry> entriesOf(const TWebArray& web) {
    QList<ElementIndex::Entry> entries;
    entries.reserve(web.size());
    for (const TWebRecord& r : web)
        entries.append(entryOf(r));
    return entries;
}

// File systems keep times as coarsely as two seconds (FAT): a file written that long before
// the reading began may look older than it is, so it counts as written after.
constexpr qint64 coarsestTime = 2'000'000'000;

// The files of folder as they are now, in listing order, and when that was. Looking at the time
// of each file here would cost a third of the reading again; it is looked at when the folder is
// looked at again, by comparing it with the moment the reading began.
void listFolder(const QString& folder, ElementIndex::Group& group) {
    group.readAt = nowForFiles();
    group.files = filenames::listFiles(folder);
}

bool folderChanged(const QString& folder, const ElementIndex::Group& group) {
    if (filenames::listFiles(folder) != group.files)
        return true;
    for (const QString& name : group.files) {
        const std::optional<qint64> written = lastWritten(filenames::join(folder, name));
        if (!written || *written >= group.readAt - coarsestTime)
            return true;
    }
    return false;
}
} // namespace

ElementIndex::ElementIndex(const Model& model_, QObject* parent) : QObject(parent), model(model_) {
    connect(&model, &Model::groupListsChanged, this, &ElementIndex::followGroupList);
    connect(&model, &Model::groupLoaded, this, &ElementIndex::takeCurrentGroup);
    // A visit or a new address rewrites one element of the current group in place.
    connect(model.elements(), &QAbstractItemModel::dataChanged, this,
            &ElementIndex::takeChangedElements);
}

QString ElementIndex::fold(const QString& text) {
    return text.toCaseFolded().normalized(QString::NormalizationForm_C);
}

ElementIndex::Mode& ElementIndex::current() {
    return modes[model.funkNo() == 1 ? 1 : 0];
}

const ElementIndex::Mode& ElementIndex::current() const {
    return modes[model.funkNo() == 1 ? 1 : 0];
}

bool ElementIndex::isOpen() const {
    return current().open;
}

const QList<ElementIndex::Group>& ElementIndex::groups() const {
    return current().groups;
}

const ElementIndex::Entry& ElementIndex::entry(const Hit& hit) const {
    return current().groups[hit.group].entries[hit.entry];
}

int ElementIndex::elementCount() const {
    int n = 0;
    for (const Group& g : current().groups)
        n += int(g.entries.size());
    return n;
}

ElementIndex::Group* ElementIndex::findGroup(const QString& navn) {
    QList<Group>& groups = current().groups;
    for (Group& g : groups) {
        if (g.navn == navn)
            return &g;
    }
    // The list compares names as the program always did, the letters A to Z without case.
    for (Group& g : groups) {
        if (sameTextAZ(g.navn, navn))
            return &g;
    }
    return nullptr;
}

ElementIndex::Group ElementIndex::readGroup(const QString& navn) const {
    Group group{navn, {}, {}, 0};
    const QString folder = model.groupFolder(navn);
    // Listed before reading: a file written in between is read again at the next look.
    listFolder(folder, group);
    TWebArray web;
    if (!group.files.isEmpty())
        readWeb(folder, web);
    group.entries = entriesOf(web);
    return group;
}

void ElementIndex::open() {
    Mode& mode = current();
    QList<Group> groups;
    bool same = mode.open;
    QStringList seen;
    for (const QString& navn : model.gruppeliste()) {
        // A name listed twice is one group.
        if (groupIndex(seen, navn) >= 0)
            continue;
        seen << navn;
        const Group* known = mode.open ? findGroup(navn) : nullptr;
        if (known && known->navn == navn && !folderChanged(model.groupFolder(navn), *known)) {
            groups.append(*known);
            continue;
        }
        groups.append(readGroup(navn));
        same = false;
    }
    if (same && groups.size() == mode.groups.size())
        return;
    emit aboutToChange();
    mode.groups = std::move(groups);
    mode.open = true;
    emit changed();
}

void ElementIndex::followGroupList() {
    Mode& mode = current();
    if (!mode.open)
        return;
    QList<Group> groups;
    QStringList seen;
    for (const QString& navn : model.gruppeliste()) {
        if (groupIndex(seen, navn) >= 0)
            continue;
        seen << navn;
        const Group* known = findGroup(navn);
        // A group new to the list (made, renamed, taken off the shelf, the list of the other
        // mode) is read from its folder: the model's elements may still be another group's.
        groups.append(known && known->navn == navn ? *known : readGroup(navn));
    }
    bool same = groups.size() == mode.groups.size();
    for (qsizetype i = 0; same && i < groups.size(); ++i)
        same = groups[i].navn == mode.groups[i].navn;
    if (same)
        return;
    emit aboutToChange();
    mode.groups = std::move(groups);
    emit changed();
}

void ElementIndex::takeCurrentGroup() {
    if (!current().open || !model.hasGroup())
        return;
    Group* group = findGroup(model.gruppenavn());
    if (!group)
        return;
    emit aboutToChange();
    // The model has just read the folder: what it holds is what is on disk.
    group->entries = entriesOf(model.Web());
    listFolder(model.gruppeDir(), *group);
    emit changed();
}

void ElementIndex::takeChangedElements(const QModelIndex& topLeft, const QModelIndex& bottomRight) {
    if (!current().open || !model.hasGroup())
        return;
    Group* group = findGroup(model.gruppenavn());
    if (!group)
        return;
    emit aboutToChange();
    for (int row = topLeft.row(); row <= bottomRight.row() && row < model.Web().size(); ++row) {
        const TWebRecord& record = model.Web()[row];
        // The file the program has just written makes the group look changed at the next
        // open(), which reads it again then: one group, not worth a time of each file.
        for (Entry& e : group->entries) {
            if (e.sourceFile == record.sourceFile) {
                e = entryOf(record);
                break;
            }
        }
    }
    emit changed();
}

QList<ElementIndex::Hit> ElementIndex::find(const QString& text) const {
    const QString folded = fold(text).simplified();
    const QStringList words = folded.split(u' ', Qt::SkipEmptyParts);
    struct Ranked {
        int rank;
        const Entry* entry;
        Hit hit;
    };
    std::vector<Ranked> found;
    const QList<Group>& groups = current().groups;
    for (int g = 0; g < groups.size(); ++g) {
        const QList<Entry>& entries = groups[g].entries;
        for (int i = 0; i < entries.size(); ++i) {
            const Entry& e = entries[i];
            bool all = true, inName = true;
            for (const QString& word : words) {
                if (e.foldedNavn.contains(word))
                    continue;
                inName = false;
                if (!e.foldedUrl.contains(word)) {
                    all = false;
                    break;
                }
            }
            if (!all)
                continue;
            const int rank = e.foldedNavn.startsWith(folded) ? 0 : inName ? 1 : 2;
            found.push_back({rank, &e, {g, i}});
        }
    }
    std::sort(found.begin(), found.end(), [](const Ranked& a, const Ranked& b) {
        if (a.rank != b.rank)
            return a.rank < b.rank;
        if (a.entry->visits != b.entry->visits)
            return a.entry->visits > b.entry->visits;
        if (const int byName = a.entry->foldedNavn.compare(b.entry->foldedNavn); byName != 0)
            return byName < 0;
        if (a.hit.group != b.hit.group)
            return a.hit.group < b.hit.group;
        return a.hit.entry < b.hit.entry;
    });
    QList<Hit> hits;
    hits.reserve(qsizetype(found.size()));
    for (const Ranked& r : found)
        hits.append(r.hit);
    return hits;
}

} // namespace store
