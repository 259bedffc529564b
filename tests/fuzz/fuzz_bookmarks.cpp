// Bookmark files as browsers export them, and Chromium's own "Bookmarks" file, read into the
// groups an import would make: whatever a file holds, no name the import gets may lead out of
// its folder or hold a control character, and no address may break a line.
#include "fuzzfile.h"
#include "platform/textfile.h"
#include "store/bookmarks.h"
#include "store/profilebookmarks.h"

namespace {
void check(const store::bookmarks::Folder& root) {
    for (const store::bookmarks::Group& group : store::bookmarks::toGroups(root)) {
        if (!store::bookmarks::isImportGroupName(group.navn) || !textfile::isLineText(group.navn))
            __builtin_trap();
        for (const store::bookmarks::Entry& entry : group.entries) {
            if (!store::bookmarks::isElementName(entry.navn) || !textfile::isLineText(entry.navn) ||
                !textfile::isLineText(entry.url))
                __builtin_trap();
        }
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzFile html("bogmærker.html");
    static FuzzFile json("Bookmarks");
    // The first byte chooses the reader, so one corpus serves both.
    if (size == 0)
        return 0;
    if (data[0] & 1) {
        if (!json.write(data + 1, size - 1))
            return 0;
        const store::bookmarks::ProfileRead read =
            store::bookmarks::readChromiumBookmarks(json.path);
        if (read.ok)
            check(read.root);
    } else {
        if (!html.write(data + 1, size - 1))
            return 0;
        const store::bookmarks::ReadResult read = store::bookmarks::readFile(html.path);
        if (read.error == store::bookmarks::ReadError::None)
            check(read.root);
    }
    return 0;
}
