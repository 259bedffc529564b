// The help search's reader: the documents of a help folder searched for a word. The input's
// first line is the search text, the rest the document. The quick look at the raw bytes must
// agree with the search in the decoded text whenever it gives an answer of its own.
#include "fuzzfile.h"
#include "platform/textfile.h"
#include "struktur/dokumentsoeg.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzFile file("Side.html");
    const auto* newline = static_cast<const uint8_t*>(std::memchr(data, '\n', size));
    if (!newline)
        return 0;
    const size_t wordSize = size_t(newline - data);
    const QString tekst =
        QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(wordSize));
    const QByteArrayView document(newline + 1, qsizetype(size - wordSize - 1));
    if (!file.write(newline + 1, size - wordSize - 1))
        return 0;
    const QStringList found = dokumentsoeg::findDokumenter(file.dir.path(), tekst);
    if (tekst.isEmpty())
        return 0;
    const dokumentsoeg::WholeWord word(tekst);
    const bool inText = word.foundIn(textfile::decode(document.toByteArray()));
    const auto verdict = word.lookInBytes(document);
    using Verdict = dokumentsoeg::WholeWord::Verdict;
    if ((verdict == Verdict::Yes && !inText) || (verdict == Verdict::No && inText) ||
        found.isEmpty() == inText)
        __builtin_trap();
    return 0;
}
