#include "core/modeltree.h"
#include "platform/textfile.h"
#include "platform/urlcheck.h"
#include "store/elementlistmodel.h"
#include "store/entrycheck.h"
#include "store/model.h"
#include "writefile.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QDirIterator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using store::EntryCheck;
using store::Model;
using store::Result;
Q_DECLARE_METATYPE(EntryCheck)
Q_DECLARE_METATYPE(Result::Kind)

// The model on a folder tree of its own, without any window: what it holds, what is on disk,
// and that a failed write changes neither.
class TstModel : public QObject {
    Q_OBJECT
private slots:
    void loadsModeAndGroup();
    void failedListWriteChangesNothing_data();
    void failedListWriteChangesNothing();
    void shelfWritesBothFilesOrNeither_data();
    void shelfWritesBothFilesOrNeither();
    void shelfKeepsEachNameOnce();
    void rememberedGroupFollows_data();
    void rememberedGroupFollows();
    void failedElementWritesChangeNothing_data();
    void failedElementWritesChangeNothing();
    void renameKeepsElementFiles();
    void elementListFollowsModel();
    void entryChecks_data();
    void entryChecks();
    void modelRefusesWhatNoFileCanHold_data();
    void modelRefusesWhatNoFileCanHold();
    void listFileNamesAreNoGroups();
    void handMadeGroupNamesAreShownAndKept();
    void hostileListFileIsNeverReplaced_data();
    void hostileListFileIsNeverReplaced();
};

namespace {
bool yes(const QString&) {
    return true;
}
} // namespace


void TstModel::loadsModeAndGroup() {
    Tree t;
    QCOMPARE(t.model.programdir(), t.web() + "/");
    QCOMPARE(t.model.webGruppefil(), t.web() + "/webgruppe.txt");
    QCOMPARE(t.model.gruppeliste(), (QStringList{"A", "B", "C"}));
    QCOMPARE(t.model.lagerliste(), QStringList{"X"});
    QCOMPARE(t.model.WebAntal(), 2);
    QCOMPARE(t.model.WebNo(), 1);
    QCOMPARE(t.model.Web()[1].Navn, QStringLiteral("TV 2"));
    // Each element knows the file it was read from.
    QCOMPARE(t.model.Web()[0].file.path, t.web() + "/B/DR.txt");

    QSignalSpy mode(&t.model, &Model::modeChanged);
    QVERIFY(t.model.switchMode(1).ok());
    QCOMPARE(mode.size(), 1);
    QCOMPARE(t.model.gruppenavn(), QStringLiteral("P"));
    QCOMPARE(t.model.gruppeliste(), QStringList{"P"});
    QCOMPARE(t.model.lagerliste(), QStringList{});
    QCOMPARE(t.model.WebAntal(), 0);
    QCOMPARE(t.model.WebNo(), -1);
    QVERIFY(t.model.switchMode(0).ok());
    QCOMPARE(t.model.gruppenavn(), QStringLiteral("B"));
}

void TstModel::failedListWriteChangesNothing_data() {
    QTest::addColumn<QString>("operation");
    QTest::newRow("create") << "create";
    QTest::newRow("rename") << "rename";
    QTest::newRow("sort") << "sort";
    QTest::newRow("delete") << "delete";
    QTest::newRow("shelf") << "shelf";
}

void TstModel::failedListWriteChangesNothing() {
    QFETCH(QString, operation);
    Tree t;
    t.block("webgruppe.txt");
    const QStringList folders = t.folders();
    QSignalSpy lists(&t.model, &Model::groupListsChanged);
    QSignalSpy current(&t.model, &Model::currentGroupChanged);
    Result result;
    if (operation == "create")
        result = t.model.NyGruppe("Nye");
    else if (operation == "rename")
        result = t.model.RedigerGruppe("Omdøbt");
    else if (operation == "sort")
        result = t.model.sortGroups(QLocale::c());
    else if (operation == "delete")
        result = t.model.deleteGruppefil();
    else
        result = t.model.saveShelf({}, {"X", "A", "B", "C"});
    QCOMPARE(result.kind, Result::FileNotCreated);
    QCOMPARE(result.path, t.web() + "/webgruppe.txt");
    QVERIFY(!result.error.isEmpty());
    // The new folder went again, the renamed one has its old name back.
    QCOMPARE(t.folders(), folders);
    QCOMPARE(t.model.gruppeliste(), (QStringList{"A", "B", "C"}));
    QCOMPARE(t.model.lagerliste(), QStringList{"X"});
    QCOMPARE(t.model.gruppenavn(), QStringLiteral("B"));
    QCOMPARE(t.model.gruppenavn0(), QStringLiteral("B"));
    QCOMPARE(t.model.gruppeDir(), t.web() + "/B");
    QCOMPARE(t.model.WebAntal(), 2);
    QCOMPARE(t.onDisk("webLager.txt"), QStringList{"X"});
    QCOMPARE(lists.size(), 0);
    QCOMPARE(current.size(), 0);
}

void TstModel::shelfWritesBothFilesOrNeither_data() {
    QTest::addColumn<bool>("activeFileExisted");
    QTest::newRow("active list file put back") << true;
    QTest::newRow("new active list file removed") << false;
}

void TstModel::shelfWritesBothFilesOrNeither() {
    QFETCH(bool, activeFileExisted);
    Tree t;
    const QByteArray before = "A\r\nB\r\nC\r\n";
    if (!activeFileExisted)
        QFile::remove(t.web() + "/webgruppe.txt");
    t.block("webLager.txt");
    const Result result = t.model.saveShelf({"A"}, {"X", "B", "C"});
    QCOMPARE(result.kind, Result::FileNotCreated);
    QCOMPARE(result.path, t.web() + "/webLager.txt");
    if (activeFileExisted) {
        QFile file(t.web() + "/webgruppe.txt");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    } else {
        QVERIFY(!QFileInfo::exists(t.web() + "/webgruppe.txt"));
    }
    QCOMPARE(t.model.gruppeliste(), (QStringList{"A", "B", "C"}));
    QCOMPARE(t.model.gruppenavn(), QStringLiteral("B"));
}

void TstModel::shelfKeepsEachNameOnce() {
    Tree t;
    // Stale working lists: B both active and shelved, X twice, c as C in other case.
    QVERIFY(t.model.saveShelf({"A", "B", "A"}, {"X", "B", "X", "c", "C"}).ok());
    QCOMPARE(t.onDisk("webgruppe.txt"), (QStringList{"A", "B"}));
    QCOMPARE(t.onDisk("webLager.txt"), (QStringList{"X", "c"}));
    QCOMPARE(t.model.gruppeliste(), (QStringList{"A", "B"}));
    QCOMPARE(t.model.lagerliste(), (QStringList{"X", "c"}));
}

void TstModel::rememberedGroupFollows_data() {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("after");
    QTest::newRow("create") << "create"
                            << "Nye";
    QTest::newRow("rename") << "rename"
                            << "Bee";
    QTest::newRow("delete") << "delete"
                            << "";
    QTest::newRow("shelve") << "shelve"
                            << "";
    QTest::newRow("select") << "select"
                            << "C";
}

void TstModel::rememberedGroupFollows() {
    QFETCH(QString, operation);
    QFETCH(QString, after);
    Tree t;
    QSignalSpy shelved(&t.model, &Model::groupShelved);
    Result result;
    if (operation == "create")
        result = t.model.NyGruppe("Nye");
    else if (operation == "rename")
        result = t.model.RedigerGruppe("Bee");
    else if (operation == "delete")
        result = t.model.deleteGruppefil();
    else if (operation == "shelve")
        result = t.model.saveShelf({"A", "C"}, {"X", "B"});
    else
        t.model.selectGroup("C");
    QVERIFY(result.ok());
    QCOMPARE(shelved.size(), operation == "shelve" ? 1 : 0);
    QCOMPARE(t.model.gruppenavn(), after);
    QCOMPARE(t.model.gruppenavn0(), after);
    QCOMPARE(t.model.gruppenavn1(), QStringLiteral("P"));
    QVERIFY(t.model.switchMode(1).ok());
    QVERIFY(t.model.switchMode(0).ok());
    QCOMPARE(t.model.gruppenavn(), after);
}

void TstModel::failedElementWritesChangeNothing_data() {
    QTest::addColumn<QString>("operation");
    QTest::newRow("visit") << "visit";
    QTest::newRow("insert") << "insert";
    QTest::newRow("reset") << "reset";
    QTest::newRow("new address") << "address";
    QTest::newRow("new name") << "name";
}

void TstModel::failedElementWritesChangeNothing() {
    QFETCH(QString, operation);
    Tree t;
    const TWebArray before = t.model.Web();
    // The group's folder goes between listing and writing.
    QVERIFY(QDir(t.web() + "/B").removeRecursively());
    QSignalSpy changed(t.model.elements(), &QAbstractItemModel::dataChanged);
    QSignalSpy reset(t.model.elements(), &QAbstractItemModel::modelReset);
    Result result;
    if (operation == "visit")
        result = t.model.recordVisit(0, "09.12.2026", "13.45.59");
    else if (operation == "insert")
        result = t.model.insertElement("https://www.tv2.dk/", "TV 2 Play", yes);
    else if (operation == "reset")
        result = t.model.resetVisits(0, "https://www.dr.dk/", "DR", yes);
    else if (operation == "address")
        result = t.model.editElement(0, "https://www.dr.dk/tv", "DR");
    else
        result = t.model.editElement(0, "https://www.dr.dk/", "Danmarks Radio");
    QCOMPARE(result.kind, Result::FileNotCreated);
    QVERIFY(result.path.startsWith(t.web() + "/B/"));
    QVERIFY(!result.error.isEmpty());
    QCOMPARE(t.model.Web().size(), before.size());
    for (qsizetype i = 0; i < before.size(); ++i) {
        QCOMPARE(t.model.Web()[i].Url, before[i].Url);
        QCOMPARE(t.model.Web()[i].Navn, before[i].Navn);
        QCOMPARE(t.model.Web()[i].dato, before[i].dato);
        QCOMPARE(t.model.Web()[i].Visits, before[i].Visits);
    }
    QCOMPARE(changed.size(), 0);
    QCOMPARE(reset.size(), 0);
    QVERIFY(!QFileInfo::exists(t.web() + "/B"));
}

void TstModel::renameKeepsElementFiles() {
    Tree t;
    QVERIFY(t.model.RedigerGruppe("Bee").ok());
    QCOMPARE(t.onDisk("webgruppe.txt"), (QStringList{"A", "Bee", "C"}));
    QCOMPARE(t.model.gruppeDir(), t.web() + "/Bee");
    // The elements were not loaded anew, yet each still knows where its file is.
    QCOMPARE(t.model.Web()[0].file.path, t.web() + "/Bee/DR.txt");
    QVERIFY(QFileInfo::exists(t.model.Web()[0].file.path));
    // A visit then writes the element in its new place.
    QVERIFY(t.model.recordVisit(0, "09.12.2026", "13.45.59").ok());
    QCOMPARE(textfile::readLines(t.web() + "/Bee/DR.txt")->at(5), t.web() + "/Bee/DR.txt");
}

void TstModel::elementListFollowsModel() {
    Tree t;
    store::ElementListModel* list = t.model.elements();
    QCOMPARE(list->rowCount(), 2);
    QCOMPARE(list->index(0, store::ElementListModel::VisitsColumn).data().toString(),
             QStringLiteral("41"));
    QSignalSpy changed(list, &QAbstractItemModel::dataChanged);
    QVERIFY(t.model.recordVisit(0, "09.12.2026", "13.45.59").ok());
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed[0][0].toModelIndex().row(), 0);
    QCOMPARE(list->index(0, store::ElementListModel::DatoColumn).data().toString(),
             QStringLiteral("09.12.2026"));
    QCOMPARE(list->index(0, store::ElementListModel::KlokkenColumn).data().toString(),
             QStringLiteral("13.45"));
    QCOMPARE(list->index(0, store::ElementListModel::VisitsColumn).data().toString(),
             QStringLiteral("42"));

    QSignalSpy reset(list, &QAbstractItemModel::modelReset);
    QVERIFY(t.model.insertElement("https://www.tv2.dk/", "Politiken", yes).ok());
    QCOMPARE(reset.size(), 1);
    QCOMPARE(list->rowCount(), 3);
    QCOMPARE(list->index(1, store::ElementListModel::NavnColumn).data().toString(),
             QStringLiteral("Politiken"));
}

void TstModel::entryChecks_data() {
    QTest::addColumn<int>("funkNo");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("navn");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<EntryCheck>("check");
    const QString dr = "https://www.dr.dk/";
    QTest::newRow("web") << 0 << dr << "DR1" << 3 << EntryCheck::Ok;
    QTest::newRow("short name first") << 0 << ""
                                      << "DR" << 3 << EntryCheck::ShortName;
    QTest::newRow("one character is enough on the tab") << 0 << dr << "D" << 1 << EntryCheck::Ok;
    QTest::newRow("no name") << 0 << dr << "" << 1 << EntryCheck::ShortName;
    QTest::newRow("no address") << 0 << ""
                                << "DR" << 1 << EntryCheck::NoAddress;
    QTest::newRow("not an address") << 0 << "www.dr.dk"
                                    << "DR" << 1 << EntryCheck::InvalidAddress;
    QTest::newRow("no program") << 1 << ""
                                << "Regner" << 1 << EntryCheck::NoProgram;
    QTest::newRow("missing program") << 1 << "/ingen/sådan/fil"
                                     << "Regner" << 1 << EntryCheck::ProgramMissing;
    QTest::newRow("a folder is no program")
        << 1 << QDir::tempPath() << "Regner" << 1 << EntryCheck::ProgramMissing;
    QTest::newRow("program") << 1 << "PROGRAM"
                             << "Regner" << 1 << EntryCheck::Ok;
    QTest::newRow("a line break in an address")
        << 0 << dr + "\nx" << "DR" << 1 << EntryCheck::InvalidAddress;
    QTest::newRow("a path with a line break")
        << 0 << "/tmp/a\nb" << "DR" << 1 << EntryCheck::InvalidAddress;
    QTest::newRow("a program with a line break, even one that exists")
        << 1 << "PROGRAM\n" << "Regner" << 1 << EntryCheck::ProgramMissing;
}

void TstModel::entryChecks() {
    QFETCH(int, funkNo);
    QFETCH(QString, url);
    QFETCH(QString, navn);
    QFETCH(int, minimum);
    QFETCH(EntryCheck, check);
    QTemporaryDir tmp;
    if (url.startsWith("PROGRAM")) {
        const QString file = tmp.path() + "/regner" + url.mid(7);
        // A file name may hold a line break on Linux; the element's file may not.
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        url = file;
    }
    const auto urlCheck = UrlCheck::system();
    QCOMPARE(store::checkEntry(quint8(funkNo), url, navn, minimum, *urlCheck), check);
}

void TstModel::modelRefusesWhatNoFileCanHold_data() {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Result::Kind>("kind");
    QTest::newRow("a group named as the group list") << "group" << "webgruppe.txt"
                                                     << Result::UnusableName;
    QTest::newRow("a group named as the shelf list, other case") << "group" << "WEBLAGER.TXT"
                                                                  << Result::UnusableName;
    QTest::newRow("a group named as a temporary file") << "group" << ".lenkaro-a1B2c3.tmp"
                                                       << Result::UnusableName;
    QTest::newRow("renamed to the shelf list") << "rename" << "webLager.txt"
                                               << Result::UnusableName;
    QTest::newRow("element named with a path") << "element" << "../../x" << Result::UnusableName;
    QTest::newRow("element named with a line break") << "element" << "a\nb"
                                                     << Result::UnusableName;
    QTest::newRow("address with a line break") << "address" << "https://x.dk/\r\n3"
                                               << Result::InvalidAddress;
    QTest::newRow("edited address with a NUL")
        << "edit" << QStringLiteral("https://x.dk/") + QChar(0) << Result::InvalidAddress;
    QTest::newRow("shelf holding a path") << "shelf" << "../../etc" << Result::UnusableName;
    QTest::newRow("shelf holding the list's own name") << "shelf" << "webgruppe.txt"
                                                       << Result::UnusableName;
}

// The model refuses by itself what would write outside the group, where a list file belongs,
// or a line break into a file, whoever calls it.
void TstModel::modelRefusesWhatNoFileCanHold() {
    QFETCH(QString, operation);
    QFETCH(QString, text);
    QFETCH(Result::Kind, kind);
    Tree t;
    const auto everything = [&] {
        QStringList all;
        QDirIterator it(t.tmp.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            all << path + ":" + QString::fromUtf8(QFileInfo(path).isFile()
                                                      ? textfile::readLines(path)->join('|').toUtf8()
                                                      : QByteArray());
        }
        all.sort();
        return all;
    };
    const QStringList before = everything();
    Result result;
    if (operation == "group")
        result = t.model.NyGruppe(text);
    else if (operation == "rename")
        result = t.model.RedigerGruppe(text);
    else if (operation == "element")
        result = t.model.insertElement("https://x.dk/", text, yes);
    else if (operation == "address")
        result = t.model.insertElement(text, "Ny", yes);
    else if (operation == "edit")
        result = t.model.editElement(0, text, "DR");
    else
        result = t.model.saveShelf({"A", text}, {"X"});
    QCOMPARE(result.kind, kind);
    QCOMPARE(everything(), before);
    QCOMPARE(t.model.gruppeliste(), (QStringList{"A", "B", "C"}));
    QCOMPARE(t.model.WebAntal(), 2);
}

void TstModel::listFileNamesAreNoGroups() {
    // A hand-edited list naming the program's own files: those are no groups.
    Tree t;
    writeFixture(t.web() + "/webgruppe.txt", {"A", "webLager.txt", "B", "WebGruppe.TXT", "C"});
    QVERIFY(t.model.setMappe().ok());
    QCOMPARE(t.model.gruppeliste(), (QStringList{"A", "B", "C"}));
}

// Group names a file manager or a text editor makes, which the program would not take typed
// ("Rejser " with a blank at the end, "Film: klassikere" with a colon): a line whose folder is
// there is a group, shown, loaded and kept. Lines that are no group (no folder of the name, a
// list's own name, a path) are not shown, and stay in the file, at their places, through every
// write of the list.
void TstModel::handMadeGroupNamesAreShownAndKept() {
    Tree t;
    Tree::element(t.web() + "/Rejser ", "Rom", "https://www.rome.it/", 3);
    QVERIFY(QDir().mkpath(t.web() + "/Film: klassikere"));
    const QStringList active{"A",        "Rejser ",      "B", "Film: klassikere", "Mangler: x", "C",
                             "../Andre", "webLager.txt", "",  "Tab\tnavn"};
    writeFixture(t.web() + "/webgruppe.txt", active);
    writeFixture(t.web() + "/webLager.txt", {"X", "Arkiv?"});
    t.model.restore(QStringLiteral("Film: klassikere"), QStringLiteral("Film: klassikere"), {}, 0);
    QVERIFY(t.model.setMappe().ok());
    QCOMPARE(t.model.gruppeliste(), (QStringList{"A", "Rejser ", "B", "Film: klassikere", "C"}));
    QCOMPARE(t.model.lagerliste(), QStringList{"X"});
    QCOMPARE(t.model.gruppenavn(), QStringLiteral("Film: klassikere"));
    t.model.selectGroup("Rejser ");
    QCOMPARE(t.model.WebAntal(), 1);
    QCOMPARE(t.model.Web()[0].Navn, QStringLiteral("Rom"));

    // A new group: the list is written with every line it had.
    QVERIFY(t.model.NyGruppe("Ny").ok());
    QCOMPARE(t.onDisk("webgruppe.txt"), active + QStringList{"Ny"});
    // Sorted: the groups change places, the other lines keep theirs.
    QVERIFY(t.model.sortGroups(QLocale(QLocale::Danish)).ok());
    QCOMPARE(t.onDisk("webgruppe.txt"),
             (QStringList{"A", "B", "C", "Film: klassikere", "Mangler: x", "Ny", "../Andre",
                          "webLager.txt", "", "Tab\tnavn", "Rejser "}));
    // Shelved and back: a hand-made name moves as any other.
    QVERIFY(t.model.saveShelf({"A", "B", "C", "Film: klassikere", "Ny"}, {"X", "Rejser "}).ok());
    QCOMPARE(t.model.lagerliste(), (QStringList{"X", "Rejser "}));
    QCOMPARE(t.onDisk("webLager.txt"), (QStringList{"X", "Arkiv?", "Rejser "}));
    QCOMPARE(t.onDisk("webgruppe.txt"),
             (QStringList{"A", "B", "C", "Film: klassikere", "Mangler: x", "Ny", "../Andre",
                          "webLager.txt", "", "Tab\tnavn"}));
    // A name neither list showed, and that could not be typed, is still refused.
    QCOMPARE(t.model.saveShelf({"A", "Mangler: x"}, {}).kind, Result::UnusableName);
    // Taken out of the list by the user: that line goes, the others stay.
    t.model.selectGroup("Film: klassikere");
    QVERIFY(t.model.deleteGruppefil().ok());
    QCOMPARE(t.onDisk("webgruppe.txt"), (QStringList{"A", "B", "C", "Ny", "Mangler: x", "../Andre",
                                                     "webLager.txt", "", "Tab\tnavn"}));
    QVERIFY(QFileInfo(t.web() + "/Film: klassikere").isDir());
    // Read again, as the next start does: the same groups.
    QVERIFY(t.model.setMappe().ok());
    QCOMPARE(t.model.gruppeliste(), (QStringList{"A", "B", "C", "Ny"}));
    QCOMPARE(t.model.lagerliste(), (QStringList{"X", "Rejser "}));
}

void TstModel::hostileListFileIsNeverReplaced_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("a FIFO") << "fifo";
    QTest::newRow("a folder") << "folder";
    QTest::newRow("a link to itself") << "loop";
    QTest::newRow("a link to nothing") << "broken";
    QTest::newRow("far too large") << "huge";
}

// A list file that cannot be read, whatever stands in its place: the start says so at once
// (without waiting on a FIFO or reading 64 MB), and no operation replaces it with the list the
// failure gave.
void TstModel::hostileListFileIsNeverReplaced() {
    QFETCH(QString, kind);
    Tree t;
    const QString path = t.web() + "/webgruppe.txt";
    const QByteArray native = QFile::encodeName(path);
    QVERIFY(QFile::remove(path));
    if (kind == "fifo") {
        QVERIFY(::mkfifo(native.constData(), 0644) == 0);
    } else if (kind == "folder") {
        QVERIFY(QDir().mkdir(path));
    } else if (kind == "loop") {
        QVERIFY(::symlink(native.constData(), native.constData()) == 0);
    } else if (kind == "broken") {
        QVERIFY(::symlink("/lenkaro-drev-der-ikke-er/liste.txt", native.constData()) == 0);
    } else {
        QFile huge(path);
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(65) << 20));
    }
    struct stat before;
    QVERIFY(::lstat(native.constData(), &before) == 0);

    const Result start = t.model.setMappe();
    QCOMPARE(start.kind, Result::FileNotRead);
    QCOMPARE(start.path, path);
    QCOMPARE(t.model.NyGruppe("Nye").kind, Result::FileNotRead);
    QCOMPARE(t.model.saveShelf({"A"}, {"X"}).kind, Result::FileNotRead);
    struct stat after;
    QVERIFY(::lstat(native.constData(), &after) == 0);
    QCOMPARE(after.st_ino, before.st_ino);
    QCOMPARE(after.st_mode, before.st_mode);
    QVERIFY(!t.folders().contains("Nye"));
}

QTEST_MAIN(TstModel)
#include "tst_model.moc"
