// The group list files "webgruppe.txt" and "webLager.txt".
#include "fuzzfile.h"
#include "store/elementstore.h"
#include "store/groups.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzFile file("webgruppe.txt");
    if (!file.write(data, size))
        return 0;
    QString error;
    const auto names = store::readGroupList(file.path, &error);
    if (!names)
        return 0;
    for (const QString& name : *names)
        (void)store::groupIndex(*names, name);
    return 0;
}
