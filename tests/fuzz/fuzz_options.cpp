// The options files "main.txt" and "lenKaro.txt".
#include "fuzzfile.h"
#include "options.h"
#include "textfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzFile file("main.txt");
    if (!file.write(data, size))
        return 0;
    const auto lines = textfile::readLines(file.path);
    if (!lines)
        return 0;
    const MainOptions main = parseMainOptions(*lines);
    if (main.complete && (!main.funkNo || *main.funkNo > 1))
        __builtin_trap();
    (void)parseBoksOptions(*lines);
    return 0;
}
