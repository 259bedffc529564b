#include "modelstart.h"
#include "platform/textfile.h"
#include "platform/urlcheck.h"
#include "store/elementindex.h"
#include "store/model.h"
#include "writefile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using store::ElementIndex;
using store::Model;

// The index of every element of the active groups, on a folder tree of its own without any
// window: what typing finds, in what order, and that it follows every change of the model.
class TstElementindex : public QObject {
    Q_OBJECT
private slots:
    void finds_data();
    void finds();
    void ordersByRelevance();
    void followsTheModel_data();
    void followsTheModel();
    void followsContentModes();
    void openingSeesFilesChangedByHand();
    void openingReadsOnlyWhatChanged();
};

namespace {

bool yes(const QString&) {
    return true;
}

// Web groups Nyheder (current) and Offentligt, Sport listed after them, a shelf holding Lager;
// the programs group Værktøj.
struct Tree {
    QTemporaryDir tmp;
    std::unique_ptr<UrlCheck> urlCheck = UrlCheck::system();
    Model model{*urlCheck};
    ElementIndex index{model};

    QString web() const { return tmp.path() + "/Program"; }
    QString programs() const { return tmp.path() + "/Programmer"; }

    static void element(const QString& dir, const QString& navn, const QString& url, int visits) {
        QDir().mkpath(dir);
        QVERIFY(textfile::writeLines(dir + "/" + navn + ".txt", {url, navn, "01-12-2026", "10:15",
                                                                 QString::number(visits), ""}));
    }

    Tree() {
        element(web() + "/Nyheder", "DR", "https://www.dr.dk/", 41);
        element(web() + "/Nyheder", "TV 2", "https://nyheder.tv2.dk/", 2);
        element(web() + "/Nyheder", "Ærø Turist", "https://www.visitaeroe.dk/", 3);
        element(web() + "/Offentligt", "Borger.dk", "https://www.borger.dk/", 10);
        element(web() + "/Offentligt", "Skat", "https://www.skat.dk/", 7);
        element(web() + "/Sport", "Håndbold", "https://www.dhf.dk/", 0);
        element(web() + "/Sport", "FODBOLD", "https://www.dbu.dk/", 5);
        element(web() + "/Lager", "Borgerservice", "https://www.kk.dk/borgerservice", 1);
        writeFixture(web() + "/webgruppe.txt", {"Nyheder", "Offentligt", "Sport"});
        writeFixture(web() + "/webLager.txt", {"Lager"});
        element(programs() + "/Værktøj", "Lommeregner", "/usr/bin/gnome-calculator", 4);
        writeFixture(programs() + "/webgruppe.txt", {"Værktøj"});
        QVERIFY(startModel(model, web(), programs(), "Nyheder", "Værktøj").ok());
    }

    // What typing text finds: "name (group)" for each element, in result order.
    QStringList found(const QString& text) const {
        QStringList names;
        for (const ElementIndex::Hit& hit : index.find(text))
            names << index.entry(hit).navn + " (" + index.groups()[hit.group].navn + ")";
        return names;
    }

    // Every element file as last written a day ago: a file written in the seconds before a
    // reading counts as written after it, file systems keeping times that coarsely.
    void age() const {
        const QDateTime dayAgo = QDateTime::currentDateTime().addDays(-1);
        for (const QString& dir : {web(), programs()}) {
            QDirIterator it(dir, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                QFile file(it.next());
                QVERIFY(file.open(QIODevice::ReadWrite));
                QVERIFY(file.setFileTime(dayAgo, QFileDevice::FileModificationTime));
            }
        }
    }

    int row(const QString& navn) const {
        for (int i = 0; i < model.Web().size(); ++i) {
            if (model.Web()[i].Navn == navn)
                return i;
        }
        return -1;
    }
};

} // namespace

void TstElementindex::finds_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("a word of the name") << "borger" << QStringList{"Borger.dk (Offentligt)"};
    QTest::newRow("letter case") << "BoRgEr" << QStringList{"Borger.dk (Offentligt)"};
    QTest::newRow("upper case in the name") << "fodbold" << QStringList{"FODBOLD (Sport)"};
    QTest::newRow("æø of either case") << "ÆRØ" << QStringList{"Ærø Turist (Nyheder)"};
    QTest::newRow("å of either case") << "hÅnd" << QStringList{"Håndbold (Sport)"};
    QTest::newRow("a finds not å") << "hand" << QStringList{};
    QTest::newRow("o finds not ø") << "aro" << QStringList{};
    QTest::newRow("the address") << "tv2" << QStringList{"TV 2 (Nyheder)"};
    QTest::newRow("every word, anywhere") << "dk nyheder" << QStringList{"TV 2 (Nyheder)"};
    QTest::newRow("every word, one missing") << "tv2 dr" << QStringList{};
    QTest::newRow("words in any order") << "2 tv" << QStringList{"TV 2 (Nyheder)"};
    QTest::newRow("spaces around") << "  skat  " << QStringList{"Skat (Offentligt)"};
    QTest::newRow("the group's name is no part of it") << "sport" << QStringList{};
    QTest::newRow("nothing typed: all, most visited first")
        << "" << QStringList{"DR (Nyheder)",    "Borger.dk (Offentligt)", "Skat (Offentligt)",
                             "FODBOLD (Sport)", "Ærø Turist (Nyheder)",   "TV 2 (Nyheder)",
                             "Håndbold (Sport)"};
}

void TstElementindex::finds() {
    QFETCH(QString, text);
    QFETCH(QStringList, found);
    Tree t;
    QVERIFY(!t.index.isOpen());
    QVERIFY(t.index.find(text).isEmpty());
    t.index.open();
    QVERIFY(t.index.isOpen());
    QCOMPARE(t.index.elementCount(), 7);
    QCOMPARE(t.found(text), found);
}

void TstElementindex::ordersByRelevance() {
    Tree t;
    // "Radio" needs its address, "Andre" holds the text, the other two start with it.
    Tree::element(t.web() + "/Sport", "Radio", "https://www.dr.dk/radio", 500);
    Tree::element(t.web() + "/Sport", "Andre", "https://www.andre.dk/", 100);
    Tree::element(t.web() + "/Sport", "Drengene", "https://www.drengene.dk/", 0);
    Tree::element(t.web() + "/Offentligt", "drenge", "https://www.dreng.dk/", 0);
    t.index.open();
    QCOMPARE(t.found("dr"), (QStringList{"DR (Nyheder)", "drenge (Offentligt)", "Drengene (Sport)",
                                         "Andre (Sport)", "Radio (Sport)"}));
    // The whole text counts as a start, more than the words one by one.
    QCOMPARE(t.found("dr radio"), QStringList{"Radio (Sport)"});
    Tree::element(t.web() + "/Sport", "DR Radio", "https://www.dr.dk/lyd", 0);
    t.index.open();
    QCOMPARE(t.found("dr radio"), (QStringList{"DR Radio (Sport)", "Radio (Sport)"}));
}

void TstElementindex::followsTheModel_data() {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("element entered") << "insert"
                                     << "politik" << QStringList{"Politiken (Nyheder)"};
    QTest::newRow("element renamed") << "rename"
                                     << "danmarks" << QStringList{"Danmarks Radio (Nyheder)"};
    QTest::newRow("old name gone after rename") << "rename"
                                                << "dr" << QStringList{"Danmarks Radio (Nyheder)"};
    QTest::newRow("new address") << "address"
                                 << "dr.dk/tv" << QStringList{"DR (Nyheder)"};
    QTest::newRow("element removed") << "remove"
                                     << "dr" << QStringList{};
    QTest::newRow("visit counted") << "visit"
                                   << "" << QStringList{"DR (Nyheder)"};
    QTest::newRow("group loaded anew") << "reload"
                                       << "kultur" << QStringList{"Kultur (Nyheder)"};
    QTest::newRow("group created") << "create"
                                   << "nyheder" << QStringList{"TV 2 (Nyheder)"};
    QTest::newRow("group renamed") << "renameGroup"
                                   << "tv 2" << QStringList{"TV 2 (Aviser)"};
    QTest::newRow("group deleted") << "delete"
                                   << "tv 2" << QStringList{};
    QTest::newRow("group shelved") << "shelve"
                                   << "skat" << QStringList{};
    QTest::newRow("group off the shelf")
        << "unshelve"
        << "borger" << QStringList{"Borger.dk (Offentligt)", "Borgerservice (Lager)"};
    QTest::newRow("groups reordered")
        << "reorder"
        << "bold" << QStringList{"FODBOLD (Sport)", "Håndbold (Sport)"};
}

void TstElementindex::followsTheModel() {
    QFETCH(QString, operation);
    QFETCH(QString, text);
    QFETCH(QStringList, found);
    Tree t;
    t.index.open();
    QSignalSpy before(&t.index, &ElementIndex::aboutToChange);
    QSignalSpy after(&t.index, &ElementIndex::changed);
    const int dr = t.row("DR");
    if (operation == "insert") {
        QVERIFY(t.model.insertElement("https://politiken.dk/", "Politiken", yes).ok());
    } else if (operation == "rename") {
        QVERIFY(t.model.editElement(dr, "https://www.dr.dk/", "Danmarks Radio").ok());
    } else if (operation == "address") {
        QVERIFY(t.model.editElement(dr, "https://www.dr.dk/tv", "DR").ok());
    } else if (operation == "remove") {
        QVERIFY(t.model.removeElements({dr}).ok());
    } else if (operation == "visit") {
        QVERIFY(t.model.recordVisit(dr, "09.12.2026", "13.45").ok());
    } else if (operation == "reload") {
        Tree::element(t.web() + "/Nyheder", "Kultur", "https://www.kultur.dk/", 0);
        t.model.loadGruppefil();
    } else if (operation == "create") {
        QVERIFY(t.model.NyGruppe("Tomt").ok());
    } else if (operation == "renameGroup") {
        QVERIFY(t.model.RedigerGruppe("Aviser").ok());
    } else if (operation == "delete") {
        QVERIFY(t.model.deleteGruppefil().ok());
    } else if (operation == "shelve") {
        QVERIFY(t.model.saveShelf({"Nyheder", "Sport"}, {"Lager", "Offentligt"}).ok());
    } else if (operation == "unshelve") {
        QVERIFY(t.model.saveShelf({"Nyheder", "Offentligt", "Sport", "Lager"}, {}).ok());
    } else if (operation == "reorder") {
        // Each group keeps its own elements in its new place.
        QVERIFY(t.model.saveShelf({"Sport", "Offentligt", "Nyheder"}, {"Lager"}).ok());
    }
    QVERIFY(after.size() >= 1);
    QCOMPARE(before.size(), after.size());
    if (operation == "visit") {
        const QList<ElementIndex::Hit> hits = t.index.find(text);
        QCOMPARE(t.index.entry(hits[0]).navn, QStringLiteral("DR"));
        QCOMPARE(t.index.entry(hits[0]).visits, 42);
        QCOMPARE(t.index.entry(hits[0]).dato, QStringLiteral("09.12.2026"));
        QCOMPARE(t.index.entry(hits[0]).klokken, QStringLiteral("13.45"));
        return;
    }
    QCOMPARE(t.found(text), found);
    // The index says what a fresh reading of the same files says.
    ElementIndex fresh(t.model);
    fresh.open();
    QCOMPARE(fresh.elementCount(), t.index.elementCount());
    for (qsizetype g = 0; g < fresh.groups().size(); ++g) {
        QCOMPARE(t.index.groups()[g].navn, fresh.groups()[g].navn);
        QCOMPARE(t.index.groups()[g].files, fresh.groups()[g].files);
    }
}

void TstElementindex::followsContentModes() {
    Tree t;
    t.index.open();
    QCOMPARE(t.found("lomme"), QStringList{});
    QVERIFY(t.model.switchMode(1).ok());
    // The programs have not been read yet: the index is opened anew for them.
    QVERIFY(!t.index.isOpen());
    t.index.open();
    QCOMPARE(t.found("lomme"), QStringList{"Lommeregner (Værktøj)"});
    QCOMPARE(t.found("dr"), QStringList{});
    QVERIFY(t.model.switchMode(0).ok());
    QVERIFY(t.index.isOpen());
    QCOMPARE(t.found("dr"), QStringList{"DR (Nyheder)"});
    QCOMPARE(t.found("lomme"), QStringList{});
}

void TstElementindex::openingSeesFilesChangedByHand() {
    Tree t;
    t.index.open();
    // Behind the program's back: an element renamed inside its file, one added, one removed,
    // in groups that are not current.
    QVERIFY(textfile::writeLines(t.web() + "/Offentligt/Skat.txt",
                                 {"https://www.skat.dk/", "Skattestyrelsen", "x", "y", "0", ""}));
    Tree::element(t.web() + "/Sport", "Cykling", "https://www.dcu.dk/", 0);
    QVERIFY(QFile::remove(t.web() + "/Sport/Håndbold.txt"));
    QCOMPARE(t.found("skattestyrelsen"), QStringList{});
    QCOMPARE(t.found("cykling"), QStringList{});
    QCOMPARE(t.found("håndbold"), QStringList{"Håndbold (Sport)"});
    t.index.open();
    QCOMPARE(t.found("skattestyrelsen"), QStringList{"Skattestyrelsen (Offentligt)"});
    QCOMPARE(t.found("cykling"), QStringList{"Cykling (Sport)"});
    QCOMPARE(t.found("håndbold"), QStringList{});
}

void TstElementindex::openingReadsOnlyWhatChanged() {
    Tree t;
    t.age();
    const QString skat = t.web() + "/Offentligt/Skat.txt";
    QFile file(skat);
    const QDateTime modified = QFileInfo(skat).lastModified();
    t.index.open();
    QSignalSpy changed(&t.index, &ElementIndex::changed);
    t.index.open();
    QCOMPARE(changed.size(), 0);
    // A file whose name stays and that was last written before the group was read is taken as
    // unchanged and not read again: its element is found as it was first read.
    QVERIFY(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    file.close();
    bytes.replace("Skat", "Sk@t");
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    QVERIFY(file.flush());
    QVERIFY(file.setFileTime(modified, QFileDevice::FileModificationTime));
    file.close();
    t.index.open();
    QCOMPARE(changed.size(), 0);
    QCOMPARE(t.found("skat"), QStringList{"Skat (Offentligt)"});
}

QTEST_MAIN(TstElementindex)
#include "tst_elementindex.moc"
