#include "dokumentsoeg.h"

#include "filenames.h"
#include "pathname.h"
#include "textfile.h"

#include <algorithm>
#include <iterator>

namespace dokumentsoeg {

namespace {
// Simple case folding with a quick path for ASCII, which is most of every document.
inline char16_t fold(char16_t c) {
    if (c < 0x80)
        return c >= u'A' && c <= u'Z' ? c + 32 : c;
    return QChar::toCaseFolded(c);
}

inline char foldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? c + 32 : c;
}

// The folds as types of their own rather than function pointers, so that the search loop calls
// them inline instead of through a pointer at every byte.
struct Fold {
    char16_t operator()(char16_t c) const { return fold(c); }
};
struct FoldAscii {
    char operator()(char c) const { return foldAscii(c); }
};

// How far Horspool's search may move its window, by the low byte of the window's last unit:
// the pattern's length, or less for a unit that occurs earlier in the pattern.
template <typename Unit> void makeShifts(const Unit* pattern, qsizetype m, qsizetype* shift) {
    std::fill(shift, shift + 256, m);
    for (qsizetype i = 0; i + 1 < m; ++i)
        shift[static_cast<unsigned>(pattern[i]) & 0xFF] = m - 1 - i;
}

// Horspool's search for a case-folded pattern: text that does not hold it is passed over about
// a pattern's length at a time, which is what makes searching every document of a structure
// quick. Fold folds one unit of the text the way the pattern was folded.
template <typename Unit, typename Fold>
qsizetype indexIn(const Unit* text, qsizetype n, const Unit* pattern, qsizetype m,
                  const qsizetype* shift, qsizetype from, Fold fold) {
    if (m == 0)
        return -1;
    for (qsizetype at = from; at + m <= n;) {
        const Unit last = fold(text[at + m - 1]);
        if (last == pattern[m - 1]) {
            qsizetype i = m - 2;
            while (i >= 0 && fold(text[at + i]) == pattern[i])
                --i;
            if (i < 0)
                return at;
        }
        at += shift[static_cast<unsigned>(last) & 0xFF];
    }
    return -1;
}

// Whether the character that ends just before `at`, or starts at `at`, is a letter or a digit;
// a surrogate pair counts as the one character it makes.
bool wordCharBefore(QStringView text, qsizetype at) {
    if (at <= 0)
        return false;
    char32_t c = text[at - 1].unicode();
    if (QChar::isLowSurrogate(c) && at >= 2 && text[at - 2].isHighSurrogate())
        c = QChar::surrogateToUcs4(text[at - 2], text[at - 1]);
    return QChar::isLetterOrNumber(c);
}

bool wordCharAt(QStringView text, qsizetype at) {
    if (at >= text.size())
        return false;
    char32_t c = text[at].unicode();
    if (QChar::isHighSurrogate(c) && at + 1 < text.size() && text[at + 1].isLowSurrogate())
        c = QChar::surrogateToUcs4(text[at], text[at + 1]);
    return QChar::isLetterOrNumber(c);
}
} // namespace

WholeWord::WholeWord(const QString& tekst) {
    folded.reserve(tekst.size());
    bool ascii = true;
    for (const QChar c : tekst) {
        const char16_t f = fold(c.unicode());
        folded.append(QChar(f));
        ascii = ascii && f < 0x80;
        // U+017F (long s) and U+212A (Kelvin sign) are the only letters outside ASCII that fold
        // into it.
        foldsFromBeyondAscii = foldsFromBeyondAscii || f == u's' || f == u'k';
    }
    makeShifts(reinterpret_cast<const char16_t*>(folded.utf16()), folded.size(), shift);
    if (ascii) {
        asciiFolded = folded.toLatin1();
        makeShifts(asciiFolded.constData(), asciiFolded.size(), asciiShift);
    }
}

bool WholeWord::foundIn(QStringView text) const {
    const auto* pattern = reinterpret_cast<const char16_t*>(folded.utf16());
    const qsizetype m = folded.size();
    for (qsizetype at = indexIn(text.utf16(), text.size(), pattern, m, shift, 0, Fold{}); at >= 0;
         at = indexIn(text.utf16(), text.size(), pattern, m, shift, at + 1, Fold{})) {
        if (!wordCharBefore(text, at) && !wordCharAt(text, at + m))
            return true;
    }
    return false;
}

WholeWord::Verdict WholeWord::lookInBytes(QByteArrayView bytes) const {
    // An ASCII search text is the same bytes in UTF-8 and in the Windows code page, and so is
    // an ASCII letter or digit beside it; a byte beyond ASCII beside it needs the decoded text to
    // tell letter from boundary. A file with a byte-order mark is read by it (UTF-16 or UTF-32
    // have other bytes for every letter): the reader's own test decides, so the two never differ.
    if (asciiFolded.isEmpty() || textfile::hasByteOrderMark(bytes))
        return Verdict::Decode;
    const char* data = bytes.data();
    const qsizetype n = bytes.size(), m = asciiFolded.size();
    const auto isAsciiWordChar = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    };
    const char* pattern = asciiFolded.constData();
    for (qsizetype at = indexIn(data, n, pattern, m, asciiShift, 0, FoldAscii{}); at >= 0;
         at = indexIn(data, n, pattern, m, asciiShift, at + 1, FoldAscii{})) {
        const char before = at > 0 ? data[at - 1] : ' ';
        const char after = at + m < n ? data[at + m] : ' ';
        if ((before & 0x80) || (after & 0x80))
            return Verdict::Decode;
        if (!isAsciiWordChar(before) && !isAsciiWordChar(after))
            return Verdict::Yes;
    }
    // Besides, U+017F (long s) and U+212A (Kelvin sign) fold into ASCII letters.
    if (foldsFromBeyondAscii &&
        (bytes.indexOf("\xC5\xBF") >= 0 || bytes.indexOf("\xE2\x84\xAA") >= 0))
        return Verdict::Decode;
    return Verdict::No;
}

QStringList findDokumenter(const QString& mappe, const QString& tekst) {
    QStringList found;
    if (tekst.isEmpty())
        return found;
    const WholeWord word(tekst);
    QByteArray bytes; // one buffer for every document
    QString previous; // a file under a Windows-1252 name beside its UTF-8 twin is listed once
    for (const filenames::FileEntry& entry : filenames::listFileEntries(mappe)) {
        const QString& name = entry.name;
        if (name == previous)
            continue;
        previous = name;
        if (!textfile::readNativeBytes(entry.native, bytes)) {
            if (!filenames::isNativeFile(entry.native))
                continue; // gone since the listing: nothing to search
            break;
        }
        const auto verdict = word.lookInBytes(bytes);
        if (verdict == WholeWord::Verdict::No ||
            (verdict == WholeWord::Verdict::Decode && !word.foundIn(textfile::decode(bytes))))
            continue;
        const auto dokument = pathname::baseName(name);
        if (!dokument)
            break;
        found.append(*dokument);
    }
    return found;
}

} // namespace dokumentsoeg
