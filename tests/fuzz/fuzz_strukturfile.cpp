// The structure file of a help structure.
#include "fuzzfile.h"
#include "platform/textfile.h"
#include "struktur/strukturfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzFile file("struktur.txt");
    if (!file.write(data, size))
        return 0;
    const auto lines = textfile::readLines(file.path);
    if (!lines)
        return 0;
    const strukturfile::Structure s = strukturfile::parse(*lines);
    // Every node hangs below a node made before it, one level deeper.
    for (qsizetype i = 0; i < s.nodes.size(); ++i) {
        const strukturfile::Node& n = s.nodes[i];
        if (n.parent >= i || (n.parent < 0) != (n.depth == 0) ||
            (n.parent >= 0 && s.nodes[n.parent].depth != n.depth - 1))
            __builtin_trap();
    }
    return 0;
}
