// The options files of the windows: "main.txt", "lenKaro.txt", "information.txt",
// "urlboks1.txt" and "findelement.txt", each read by its own reader from the same bytes.
#include "fuzzfile.h"
#include "settings/findoptions.h"
#include "settings/options.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzFile file("options.txt");
    if (!file.write(data, size))
        return 0;
    const MainOptions main = readMainOptions(file.path, file.dir.path());
    if (main.complete && (!main.funkNo || *main.funkNo > 1))
        __builtin_trap();
    (void)readBoksOptions(file.path);
    if (const auto info = readInfoOptions(file.path))
        (void)formatInfoOptions(*info);
    (void)readUrlboksOptions(file.path);
    (void)readFindOptions(file.path);
    return 0;
}
