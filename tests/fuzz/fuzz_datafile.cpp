// The data file of a help structure, loaded into the tree with its structure file. An input
// holding a NUL byte gives both files, the structure before it and the data after it; any other
// input is the data of a fixed structure.
#include "fuzzfile.h"
#include "struktur/Struktur.h"

#include <QApplication>

#include <cstring>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzFile structure("struktur.txt");
    static FuzzFile dataFile("data.txt");
    static TStruktur tree;
    static const uint8_t fixed[] = "Intro\n\tA\n\t\tB\n\tC\nSlut\n";
    const auto* nul = static_cast<const uint8_t*>(std::memchr(data, 0, size));
    const bool written =
        nul ? structure.write(data, size_t(nul - data)) &&
                  dataFile.write(nul + 1, size - size_t(nul - data) - 1)
            : structure.write(fixed, sizeof fixed - 1) && dataFile.write(data, size);
    if (!written)
        return 0;
    tree.SetStrukturfile(structure.path);
    tree.SetDatafile(dataFile.path);
    tree.SetInfomappe(structure.dir.path() + "/");
    tree.SetDataOn(true);
    try {
        tree.HentStruktur();
    } catch (const StrukturError&) {
    }
    (void)tree.getNodeTekst(QStringLiteral("file:///x/tekstfiler/Intro.html"));
    return 0;
}
