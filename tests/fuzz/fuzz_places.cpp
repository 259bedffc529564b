// The rows of Firefox's table of bookmarks, as a read of places.sqlite gives them to the walk,
// made from the input: few ids, so that folders come under themselves, under each other and
// twice. Whatever the rows, the walk ends, walks each folder once (no bookmark is kept or
// counted twice), keeps to the limits, and gives names that stay in their folder.
#include "platform/textfile.h"
#include "store/bookmarks.h"
#include "store/profilebookmarks.h"

#include <QList>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

namespace bookmarks = store::bookmarks;

// Reads the input a byte at a time; past its end every byte is 0.
class Input {
public:
    Input(const uint8_t* data, size_t size) : at(data), end(data + size) {}
    bool done() const { return at == end; }
    uint8_t byte() { return at == end ? 0 : *at++; }
    QString text() {
        const size_t length = std::min<size_t>(byte() % 32, size_t(end - at));
        const QString text =
            QString::fromUtf8(reinterpret_cast<const char*>(at), qsizetype(length));
        at += length;
        return text;
    }

private:
    const uint8_t* at;
    const uint8_t* end;
};

const QString guids[] = {QStringLiteral("root________"),
                         QStringLiteral("menu________"),
                         QStringLiteral("toolbar_____"),
                         QStringLiteral("unfiled_____"),
                         QStringLiteral("mobile______"),
                         QStringLiteral("tags________"),
                         QString(),
                         QStringLiteral("abcdefghijkl")};

void trapUnless(bool holds) {
    if (!holds)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input input(data, size);
    QList<bookmarks::PlacesRow> rows;
    qsizetype bookmarkRows = 0;
    while (!input.done()) {
        bookmarks::PlacesRow row;
        row.id = input.byte();
        row.type = input.byte() % 4;
        row.parent = input.byte();
        row.guid = guids[input.byte() % 8];
        row.title = input.text();
        row.url = input.text();
        if (row.type == 1 && !row.url.isEmpty())
            ++bookmarkRows;
        rows.append(row);
    }
    const bookmarks::ProfileRead read = bookmarks::placesTree(rows);
    if (!read.ok)
        return 0;

    // The tree keeps to the limits, and holds each bookmark row at most once.
    qsizetype folders = 0, kept = 0;
    QList<std::pair<const bookmarks::Folder*, int>> pending{{&read.root, 0}};
    while (!pending.isEmpty()) {
        const auto [folder, level] = pending.takeLast();
        trapUnless(level <= bookmarks::deepestFolder);
        kept += folder->bookmarks.size();
        for (const bookmarks::Folder& sub : folder->folders) {
            ++folders;
            pending.append({&sub, level + 1});
        }
    }
    trapUnless(folders <= bookmarks::mostFolders && kept <= bookmarks::mostBookmarks);
    trapUnless(read.cut.tooDeep >= 0 && read.cut.tooMany >= 0);
    trapUnless(kept + read.cut.total() <= bookmarkRows);

    for (const bookmarks::Group& group : bookmarks::toGroups(read.root)) {
        trapUnless(bookmarks::isImportGroupName(group.navn) && textfile::isLineText(group.navn));
        for (const bookmarks::Entry& entry : group.entries)
            trapUnless(bookmarks::isElementName(entry.navn) && textfile::isLineText(entry.navn) &&
                       textfile::isLineText(entry.url));
    }
    return 0;
}
