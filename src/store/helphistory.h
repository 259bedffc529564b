#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>

namespace store {

// The help pages seen in this run, each (node text, structure) pair once in the order first
// seen, with the current position urlIndex and the flag of a move in the history. Column 0 is
// the node text, column 1 the structure's name, so each list of "Urlboks" shows one column of
// the same rows. Never written to a file: it lives as long as the program runs.
class HelpHistory : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { NodeTextColumn, StrukturColumn, ColumnCount };

    explicit HelpHistory(QObject* parent = nullptr);

    int entries() const { return static_cast<int>(rows.size()); }
    QString nodeText(int index) const;
    QString strukturName(int index) const;
    // The position of the current entry, -1 when there is none.
    int urlIndex() const { return current; }
    // The next page shown was asked for by a move in the history.
    bool naviKlikket() const { return moving; }

    // A page has been shown. After a move in the history it only ends the move (its entry is
    // there already) and returns true; the caller then looks up nothing for it.
    bool endMove();
    // Records the page of nodeText, empty for a page no node names, in structure strukturnavn:
    // an entry already holding the pair (letters A to Z in any case) becomes current, the last
    // such when several do; else the pair is appended and becomes current.
    void record(const QString& nodeText, const QString& strukturnavn);

    // Makes entry aIndex current and asks for its page; an index outside the history is
    // ignored (false).
    bool goToStruktur(int aIndex);
    // The four moves and their rules.
    bool canFirst() const { return entries() > 1 && current > 0; }
    bool canBack() const { return current > 0; }
    bool canForward() const { return current < entries() - 1; }
    bool canLast() const { return entries() > 1 && current < entries() - 1; }
    void first();
    void back();
    void forward();
    void last();

    // Empties the history; no entry is current afterwards.
    void clear();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

signals:
    // Entry index is the current one now: the views mark it.
    void currentShown(int index);
    // A move in the history wants the page of this node text shown.
    void openRequested(const QString& nodeText);

private:
    struct Entry {
        QString nodeText;
        QString strukturnavn;
    };
    QList<Entry> rows;
    int current = -1;
    bool moving = false;
};

} // namespace store
