// The group list files "webgruppe.txt" and "webLager.txt".
#include "fuzzfile.h"
#include "platform/textfile.h"
#include "store/elementstore.h"
#include "store/groups.h"

#include <QDir>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzFile file("webgruppe.txt");
    // Two group folders beside the list, one of a name that could not have been typed.
    static const bool folders = QDir(file.dir.path()).mkdir(QStringLiteral("Nyheder")) &&
                                QDir(file.dir.path()).mkdir(QStringLiteral("Film: klassikere"));
    if (!folders || !file.write(data, size))
        return 0;
    QString error;
    const auto lines = store::readGroupList(file.path, &error);
    if (!lines)
        return 0;
    const store::GroupList list = store::readGroupLines(*lines, file.dir.path());
    for (const QString& name : list.names) {
        (void)store::groupIndex(list.names, name);
        // Whatever the file holds, a group never leads out of the content folder.
        if (!store::isListableName(name))
            std::abort();
    }
    // Written back unchanged, the list holds every line the writer can write, in its order.
    QStringList writable;
    for (const QString& line : *lines) {
        if (textfile::isWritableLine(line))
            writable << line;
    }
    if (store::groupListLines(list.names, list.kept) != writable)
        std::abort();
    return 0;
}
