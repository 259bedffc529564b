#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

// Full-text search over the documents of a help structure: which documents hold a word or a
// phrase as a whole word, letter case ignored. Markup counts as text, so a word that occurs only
// in a tag or an attribute is found too.
namespace dokumentsoeg {

// A search text prepared once and tried against many documents. Letters and digits are word
// characters; everything else, the underscore included, is a boundary. Case is folded for every
// letter (æ finds Æ), as a text box's find does.
class WholeWord {
public:
    explicit WholeWord(const QString& tekst);

    // True when the text holds the search text with a boundary (or the text's end) on each side.
    bool foundIn(QStringView text) const;

    // The answer for the raw bytes of a file where it can be had without decoding them, which
    // is most files for a search text in ASCII: Decode when only the decoded text can tell.
    enum class Verdict { No, Yes, Decode };
    Verdict lookInBytes(QByteArrayView bytes) const;

private:
    QString folded;                    // the search text, case folded
    qsizetype shift[256];              // Horspool's moves for it
    QByteArray asciiFolded;            // the same when it is all ASCII, else empty
    unsigned char asciiSkip[256];      // the moves for that by a raw byte, 0 for its last letter
    qsizetype asciiLastShift = 0;      // the move once a window ending in that letter failed
    bool foldsFromBeyondAscii = false; // holds a letter that a non-ASCII letter folds to
};

// The documents of the folder mappe that hold tekst as a whole word: each file directly in the
// folder (subfolders are not entered), in the order the folder is listed, read whole by the text
// files' encoding rules, listed by its name without folder and extension. A file that cannot be
// read, or any other error, ends the walk quietly with the documents found so far.
QStringList findDokumenter(const QString& mappe, const QString& tekst);

} // namespace dokumentsoeg
