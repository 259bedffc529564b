#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The two files of a help structure. The structure file has one line per node in tree order
// (depth-first, parents before their children): the node's depth in leading TABs, then its
// text. The data file has the node's data string on the same line number: one digit for the
// node's icon, then the name of its document.
namespace strukturfile {

struct Node {
    QString text;
    int depth = 0;
    qsizetype parent = -1; // index of the parent node in the list; -1 for a top-level node
};

struct Structure {
    QList<Node> nodes; // in tree order
    QString error;     // why reading stopped before the last line; empty when it did not
};

// Builds the tree from the lines of a structure file. Leading spaces count as TABs, the first
// line is always top-level, and a line may go at most one level deeper than the one before it.
// A deeper jump stops reading with "Invalid level (n) for item "text"", keeping the nodes made
// from the lines before it.
Structure parse(const QStringList& lines);

// The icon a data string asks for: its first character as a digit 0 to 9, or -1 when the
// string is empty or does not start with one.
int imageIndex(const QString& data);

// The document a data string names, relative to the information folder and without ".html".
QString documentName(const QString& data);

// The data strings a structure gets when it comes without a data file: icon 0 and a document
// named like the node.
QStringList defaultData(const QStringList& nodeTexts);

} // namespace strukturfile
