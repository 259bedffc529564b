#include "struktur/dokumentsoeg.h"

#include "platform/filenames.h"
#include "platform/pathname.h"
#include "platform/textfile.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace dokumentsoeg {

namespace {
// Simple case folding with a quick path for ASCII, which is most of every document.
inline char16_t fold(char16_t c) {
    if (c < 0x80)
        return c >= u'A' && c <= u'Z' ? c + 32 : c;
    return QChar::toCaseFolded(c);
}

// A byte of a document as the ASCII search compares it: A to Z folded, every other byte (one
// of a longer UTF-8 sequence or of the Windows code page too) as it is.
constexpr std::array<unsigned char, 256> asciiFolds = [] {
    std::array<unsigned char, 256> folds{};
    for (unsigned b = 0; b < 256; ++b)
        folds[b] = static_cast<unsigned char>(b >= 'A' && b <= 'Z' ? b + 32 : b);
    return folds;
}();

// The folds as types of their own rather than function pointers, so that the search loop calls
// them inline instead of through a pointer at every byte.
struct Fold {
    char16_t operator()(char16_t c) const { return fold(c); }
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

// The same search over bytes for a pattern in ASCII, the usual case, with its moves looked up by
// the raw byte so that the loop that passes over the text folds nothing: skip is 0 for the bytes
// that fold to the pattern's last letter, and only there are the other letters compared. Most of
// a document is passed over in that loop alone.
qsizetype indexInAscii(const unsigned char* text, qsizetype n, const unsigned char* pattern,
                       qsizetype m, const unsigned char* skip, qsizetype lastShift,
                       qsizetype from) {
    if (m == 0)
        return -1;
    const qsizetype last = m - 1;
    for (qsizetype at = from; at + m <= n;) {
        if (const unsigned k = skip[text[at + last]]; k != 0) {
            at += k;
            continue;
        }
        qsizetype i = 0;
        while (i < last && asciiFolds[text[at + i]] == pattern[i])
            ++i;
        if (i == last)
            return at;
        at += lastShift;
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
        const qsizetype m = asciiFolded.size();
        qsizetype moves[256];
        makeShifts(asciiFolded.constData(), m, moves);
        // A move longer than a byte holds is cut short, which only costs a long pattern a step.
        const auto lastLetter = static_cast<unsigned char>(asciiFolded.back());
        for (unsigned b = 0; b < 256; ++b) {
            const unsigned char f = asciiFolds[b];
            asciiSkip[b] = f == lastLetter ? 0 : static_cast<unsigned char>(std::min<qsizetype>(moves[f], 255));
        }
        asciiLastShift = std::min<qsizetype>(moves[lastLetter], 255);
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
    const auto* text = reinterpret_cast<const unsigned char*>(data);
    const auto* pattern = reinterpret_cast<const unsigned char*>(asciiFolded.constData());
    for (qsizetype at = indexInAscii(text, n, pattern, m, asciiSkip, asciiLastShift, 0); at >= 0;
         at = indexInAscii(text, n, pattern, m, asciiSkip, asciiLastShift, at + 1)) {
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
    const textfile::FolderReader folder(mappe);
    for (const filenames::FileEntry& entry : filenames::listFileEntries(mappe)) {
        const QString& name = entry.name;
        if (name == previous)
            continue;
        previous = name;
        if (!folder.read(entry.native, bytes)) {
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
