#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class QModelIndex;

namespace store {

class Model;

// Every element of every active group of the current content mode, for finding one by typing
// without knowing its group. The groups are read from disk once, when first asked for, and then
// follow the model's signals: an element entered, edited, visited or removed, a group loaded
// anew, created, renamed, deleted or shelved, a switch of content mode. A file changed behind
// the program's back is seen when its group is loaded anew, or at the next open(), which
// looks at each folder's files and reads again only the groups where a file came, went or was
// written since the group was read.
class ElementIndex : public QObject {
    Q_OBJECT
public:
    struct Entry {
        QString navn, url, dato, klokken;
        qint32 visits = 0;
        QString sourceFile; // the element's file, where it really is
        // The name and address as typed text is matched against them.
        QString foldedNavn, foldedUrl;
    };
    struct Group {
        QString navn; // as the group list names it
        QList<Entry> entries;
        // The names of the files its elements were read from, and when the reading began.
        QStringList files;
        qint64 readAt = 0;
    };
    // One element found: group and entry position in groups().
    struct Hit {
        int group = 0;
        int entry = 0;
    };

    // model must outlive the index.
    explicit ElementIndex(const Model& model, QObject* parent = nullptr);

    // Makes the index hold the active groups of the current content mode: read whole the first
    // time in that mode, afterwards only the groups whose files changed on disk.
    void open();
    // Whether the index holds the current content mode's groups.
    bool isOpen() const;

    // The groups in the order of the group list; empty until open().
    const QList<Group>& groups() const;
    const Entry& entry(const Hit& hit) const;
    int elementCount() const;

    // The elements whose name or address holds every word of text, best first: those whose
    // name starts with the text, then those whose name holds every word, then those that need
    // the address; within each the most visited first, then by name. An empty text finds every
    // element, most visited first.
    QList<Hit> find(const QString& text) const;

    // Text as it is matched: letter case folded (æ finds Æ) and composed, so an accent is part
    // of its letter (a finds not å).
    static QString fold(const QString& text);

signals:
    // Sent before and after the groups change, so a view of found elements can let go of them
    // and find again.
    void aboutToChange();
    void changed();

private:
    struct Mode {
        bool open = false;
        QList<Group> groups;
        // Every element, most visited first, then by name: worked out when first wanted.
        mutable QList<Hit> order;
        mutable bool ordered = false;
    };
    Mode& current();
    const Mode& current() const;
    // The group of the current mode called navn, or nullptr.
    Group* findGroup(const QString& navn);
    Group readGroup(const QString& navn) const;
    // Brings the groups in line with the model's group list: new groups are read from disk,
    // groups that left the list are dropped.
    void followGroupList();
    void takeCurrentGroup();
    void takeChangedElements(const QModelIndex& topLeft, const QModelIndex& bottomRight);
    // Says that the groups are about to change.
    void beginChange();
    const QList<Hit>& baseOrder() const;

    const Model& model;
    Mode modes[2];
};

} // namespace store
