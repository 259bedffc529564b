#include "store/elementindex.h"

#include "platform/filenames.h"
#include "platform/filestamp.h"
#include "platform/textcompare.h"
#include "store/elementlistmodel.h"
#include "store/elementstore.h"
#include "store/groups.h"
#include "store/model.h"

#include <QStringMatcher>

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
            r.file.path,
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

// The names of the files the elements of folder were read from, in listing order. Listing the
// folder again for them, or looking at the time of each file, would cost a third of the reading
// again: a file's time is looked at when the folder is looked at again, against the moment the
// reading began. A group whose reading stopped at a file that is no element lists fewer names
// than its folder and is read again at each look, which such a group is worth.
QStringList fileNames(const QString& folder, const TWebArray& web) {
    QStringList names;
    names.reserve(web.size());
    const qsizetype prefix = filenames::join(folder, QString()).size();
    for (const TWebRecord& r : web)
        names.append(r.file.path.mid(prefix));
    return names;
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
    Group group{navn, {}, {}, nowForFiles()};
    const QString folder = model.groupFolder(navn);
    TWebArray web;
    readWeb(folder, web);
    group.entries = entriesOf(web);
    group.files = fileNames(folder, web);
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
    beginChange();
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
    beginChange();
    mode.groups = std::move(groups);
    emit changed();
}

void ElementIndex::takeCurrentGroup() {
    if (!current().open || !model.hasGroup())
        return;
    Group* group = findGroup(model.gruppenavn());
    if (!group)
        return;
    beginChange();
    // The model has just read the folder: what it holds is what is on disk.
    group->readAt = nowForFiles();
    group->entries = entriesOf(model.Web());
    group->files = fileNames(model.gruppeDir(), model.Web());
    emit changed();
}

void ElementIndex::takeChangedElements(const QModelIndex& topLeft, const QModelIndex& bottomRight) {
    if (!current().open || !model.hasGroup())
        return;
    Group* group = findGroup(model.gruppenavn());
    if (!group)
        return;
    beginChange();
    for (int row = topLeft.row(); row <= bottomRight.row() && row < model.Web().size(); ++row) {
        const TWebRecord& record = model.Web()[row];
        // The file the program has just written makes the group look changed at the next
        // open(), which reads it again then: one group, not worth a time of each file.
        for (Entry& e : group->entries) {
            if (e.sourceFile == record.file.path) {
                e = entryOf(record);
                break;
            }
        }
    }
    emit changed();
}

const QList<ElementIndex::Hit>& ElementIndex::baseOrder() const {
    const Mode& mode = current();
    if (mode.ordered)
        return mode.order;
    // Sorted once for every search until the index changes: each search then only sorts the
    // elements it finds into its three kinds, keeping this order within each.
    std::vector<Hit> order;
    order.reserve(size_t(elementCount()));
    for (int g = 0; g < mode.groups.size(); ++g) {
        for (int i = 0; i < mode.groups[g].entries.size(); ++i)
            order.push_back({g, i});
    }
    auto entry = [&mode](const Hit& h) -> const Entry& {
        return mode.groups[h.group].entries[h.entry];
    };
    std::stable_sort(order.begin(), order.end(), [&entry](const Hit& a, const Hit& b) {
        const Entry& x = entry(a);
        const Entry& y = entry(b);
        if (x.visits != y.visits)
            return x.visits > y.visits;
        return x.foldedNavn.compare(y.foldedNavn) < 0;
    });
    mode.order = QList<Hit>(order.begin(), order.end());
    mode.ordered = true;
    return mode.order;
}

void ElementIndex::beginChange() {
    current().ordered = false;
    emit aboutToChange();
}

QList<ElementIndex::Hit> ElementIndex::find(const QString& text) const {
    const QString folded = fold(text).simplified();
    std::vector<QStringMatcher> words;
    for (const QString& word : folded.split(u' ', Qt::SkipEmptyParts))
        words.emplace_back(word, Qt::CaseSensitive);
    // Name starts with the text, name holds every word, the address is needed.
    QList<Hit> kinds[3];
    const QList<Group>& groups = current().groups;
    for (const Hit& hit : baseOrder()) {
        const Entry& e = groups[hit.group].entries[hit.entry];
        bool all = true, inName = true;
        for (const QStringMatcher& word : words) {
            if (word.indexIn(e.foldedNavn) >= 0)
                continue;
            inName = false;
            if (word.indexIn(e.foldedUrl) < 0) {
                all = false;
                break;
            }
        }
        if (all)
            kinds[e.foldedNavn.startsWith(folded) ? 0 : inName ? 1 : 2].append(hit);
    }
    kinds[0].reserve(kinds[0].size() + kinds[1].size() + kinds[2].size());
    kinds[0].append(kinds[1]);
    kinds[0].append(kinds[2]);
    return kinds[0];
}

} // namespace store
