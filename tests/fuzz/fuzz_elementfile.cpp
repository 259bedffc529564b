// The element files of a group folder, read as a group is loaded.
#include "fuzzfile.h"
#include "store/elementstore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzFile file("Element.txt");
    if (!file.write(data, size))
        return 0;
    TWebArray web;
    store::readWeb(file.dir.path(), web);
    for (const TWebRecord& r : web) {
        if (r.dato.size() > 10 || r.klokken.size() > 5)
            __builtin_trap();
        // What was read is written back as it came, line for line.
        (void)store::elementLines(r);
    }
    return 0;
}
