#pragma once

#include <QIcon>
#include <QList>
#include <QString>
#include <QTreeWidget>

#include <optional>
#include <stdexcept>

// Why loading a structure or looking up a page failed: a structure file indented too deep, a
// data file that is missing, short or malformed or cannot be written, or a page name holding
// characters no path may hold. The message is meant for the user.
class StrukturError : public std::runtime_error {
public:
    explicit StrukturError(const QString& message);
    QString message() const { return message_; }

private:
    QString message_;
};

// The tree of a help structure, bound to its structure file (the nodes) and its data file (one
// data string per node: the icon digit and the document name). Every walk over the nodes goes
// in tree order, parents before their children, the order of the lines in both files.
class TStruktur : public QTreeWidget {
    Q_OBJECT
    Q_PROPERTY(QString Strukturfile READ Strukturfile WRITE SetStrukturfile)
    Q_PROPERTY(QString Datafile READ Datafile WRITE SetDatafile)
    Q_PROPERTY(QString Infomappe READ Infomappe WRITE SetInfomappe)
    Q_PROPERTY(QString Billedmappe READ Billedmappe WRITE SetBilledmappe)
    Q_PROPERTY(QString Htmlmappe READ Htmlmappe WRITE SetHtmlmappe)
    Q_PROPERTY(bool DataOn READ DataOn WRITE SetDataOn)

public:
    // Where each node keeps its data string (absent when the node was loaded without data) and
    // the index of its icon in imageList() (absent for none).
    enum Role { PdataRole = Qt::UserRole, ImageIndexRole };

    explicit TStruktur(QWidget* parent = nullptr);

    // The setters only store: nothing is loaded or saved until HentStruktur.
    QString Strukturfile() const { return FStrukturfile; }
    void SetStrukturfile(const QString& value) { FStrukturfile = value; }
    QString Datafile() const { return FDatafile; }
    void SetDatafile(const QString& value) { FDatafile = value; }
    // Put in front of a document name to make its path; given with its trailing separator.
    QString Infomappe() const { return FInfomappe; }
    void SetInfomappe(const QString& value) { FInfomappe = value; }
    QString Billedmappe() const { return FBilledmappe; }
    void SetBilledmappe(const QString& value) { FBilledmappe = value; }
    QString Htmlmappe() const { return FHtmlmappe; }
    void SetHtmlmappe(const QString& value) { FHtmlmappe = value; }
    bool DataOn() const { return FDataOn; }
    void SetDataOn(bool value) { FDataOn = value; }

    // The pictures the nodes' icon digits refer to. A digit with no picture shows none.
    QList<QIcon> imageList() const { return FImageList; }
    void setImageList(const QList<QIcon>& images);

    // Replaces the tree by the one in Strukturfile and, with DataOn, gives every node its data
    // string from Datafile, writing a data file from the node texts when there is none.
    // Returns false, with the tree emptied and the data file left alone, when there is no
    // structure file. Throws StrukturError when the structure or the data cannot be read in
    // full; the nodes read before the fault stay, and so do their data strings.
    bool HentStruktur();

    // The text of the first node in tree order whose document name is the name of the page at
    // DataUrl (its folder and extension dropped), compared exactly; that node becomes selected.
    // Empty when no node has it or DataOn is off. Throws StrukturError, selecting nothing, when
    // DataUrl holds characters no path may hold.
    QString getNodeTekst(const QString& DataUrl);

    // The number of nodes at all levels.
    int nodeCount() const;

    // A node's data string, or nothing when it was loaded without one.
    static std::optional<QString> Pdata(const QTreeWidgetItem* node);
    // The index of the node's icon, -1 for none.
    static int imageIndex(const QTreeWidgetItem* node);
    // The path of the node's document: Infomappe, its document name and ".html". Empty for a
    // node without a data string.
    QString documentPath(const QTreeWidgetItem* node) const;

private:
    void loadData();
    void showIcon(QTreeWidgetItem* node) const;

    QString FStrukturfile;
    QString FDatafile;
    QString FInfomappe;
    QString FBilledmappe;
    QString FHtmlmappe;
    bool FDataOn = false;
    QList<QIcon> FImageList;
};
