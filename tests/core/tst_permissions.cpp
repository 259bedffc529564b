// What the program does with files an ordinary user may not write or read. Run as root, this
// test runs as the user "nobody" (root writes through read-only files).
#include "modelstart.h"
#include "ordinaryuser.h"
#include "platform/textfile.h"
#include "platform/urlcheck.h"
#include "settings/options.h"
#include "store/bookmarkexchange.h"
#include "store/model.h"
#include "writefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using store::Model;
using store::Result;

class TstPermissions : public QObject {
    Q_OBJECT
private slots:
    void runsAsOrdinaryUser();
    void protectedFileIsKept_data();
    void protectedFileIsKept();
    void unreadableListIsNeverWritten_data();
    void unreadableListIsNeverWritten();
    void failedShelfUndoShowsWhatFilesHold();
    void importGivesTheReasonInDanish();
};

namespace {

QByteArray bytesOf(const QString& path) {
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return "(none)";
    // Read through a mode that lets the owner read, and set back.
    const mode_t mode = st.st_mode & 07777;
    ::chmod(QFile::encodeName(path).constData(), mode | S_IRUSR);
    QFile f(path);
    const QByteArray bytes = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unread)");
    ::chmod(QFile::encodeName(path).constData(), mode);
    return bytes;
}

mode_t modeOf(const QString& path) {
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// Web groups A, B (current, with the element DR) and C; a shelf holding X.
struct Tree {
    QTemporaryDir tmp;
    std::unique_ptr<UrlCheck> urlCheck = UrlCheck::system();
    Model model{*urlCheck};

    QString web() const { return tmp.path() + "/Program"; }

    Tree() {
        for (const char* g : {"A", "C", "X"})
            QDir().mkpath(web() + "/" + g);
        QDir().mkpath(web() + "/B");
        writeFixture(web() + "/B/DR.txt",
                     {"https://www.dr.dk/", "DR", "01-12-2026", "10:15", "41", ""});
        writeFixture(web() + "/webgruppe.txt", {"A", "B", "C"});
        writeFixture(web() + "/webLager.txt", {"X"});
        QDir().mkpath(tmp.path() + "/Programmer");
    }
    Result start() { return startModel(model, web(), tmp.path() + "/Programmer", "B"); }
    QStringList folders() const { return QDir(web()).entryList(QDir::Dirs | QDir::NoDotAndDotDot); }
    QStringList everything() const {
        return QDir(web()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
};

} // namespace

void TstPermissions::runsAsOrdinaryUser() {
    QVERIFY(::geteuid() != 0);
}

void TstPermissions::protectedFileIsKept_data() {
    QTest::addColumn<QString>("writer");
    QTest::addColumn<int>("mode");
    for (const char* writer : {"lines", "visit", "main options"}) {
        QTest::newRow(qPrintable(QString(writer) + ", read-only")) << writer << 0444;
        QTest::newRow(qPrintable(QString(writer) + ", unreadable")) << writer << 0;
    }
}

// A file the user made read-only (or took every right from) in a folder they may write: the
// write fails as any failed write does, and the file stays as it was, mode and all.
void TstPermissions::protectedFileIsKept() {
    QFETCH(QString, writer);
    QFETCH(int, mode);
    Tree t;
    QVERIFY(t.start().ok());
    const QString path = writer == "visit"        ? t.web() + "/B/DR.txt"
                         : writer == "main options" ? t.tmp.path() + "/main.txt"
                                                    : t.web() + "/liste.txt";
    if (writer != "visit")
        writeFixture(path, {"Sky", "120", "120", "595", "380", "B", "B", "", "0"});
    const QByteArray before = bytesOf(path);
    const QStringList entries = t.everything();
    const TWebArray web = t.model.Web();
    QVERIFY(::chmod(QFile::encodeName(path).constData(), mode_t(mode)) == 0);

    QString error;
    if (writer == "visit") {
        const Result result = t.model.recordVisit(0, "09.12.2026", "13.45");
        QCOMPARE(result.kind, Result::FileNotCreated);
        QCOMPARE(result.path, path);
        error = result.error;
        QCOMPARE(t.model.Web()[0].Visits, web[0].Visits);
        QCOMPARE(t.model.Web()[0].dato, web[0].dato);
    } else if (writer == "main options") {
        QVERIFY(!writeMainOptions(path, {"Sky", 10, 10, 500, 400, "A", "A", "", 0}, &error));
    } else {
        QVERIFY(!textfile::writeLines(path, {"ny"}, &error));
    }
    QCOMPARE(error, QStringLiteral("Filen er skrivebeskyttet"));
    QCOMPARE(modeOf(path), mode_t(mode));
    QCOMPARE(bytesOf(path), before);
    // No temporary file is left behind either.
    QCOMPARE(t.everything(), entries);
}

void TstPermissions::unreadableListIsNeverWritten_data() {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("list");
    for (const char* op : {"create", "rename", "sort", "delete", "shelf", "import"})
        QTest::newRow(op) << op << "webgruppe.txt";
    QTest::newRow("shelf, shelf list unreadable") << "shelf"
                                                 << "webLager.txt";
    QTest::newRow("create, shelf list unreadable") << "create"
                                                  << "webLager.txt";
}

// A list file that could not be read gave an empty list: writing that list would throw the
// user's groups away. Every operation that would write it is refused until it can be read.
void TstPermissions::unreadableListIsNeverWritten() {
    QFETCH(QString, operation);
    QFETCH(QString, list);
    Tree t;
    const QString path = t.web() + "/" + list;
    const QByteArray before = bytesOf(path);
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0) == 0);
    const Result start = t.start();
    QCOMPARE(start.kind, Result::FileNotRead);
    QCOMPARE(start.path, path);
    const QStringList folders = t.folders();

    auto run = [&]() -> Result {
        if (operation == "create")
            return t.model.NyGruppe("Nye");
        if (operation == "rename")
            return t.model.RedigerGruppe("Omdøbt");
        if (operation == "sort")
            return t.model.sortGroups(QLocale::c());
        if (operation == "delete")
            return t.model.deleteGruppefil();
        if (operation == "shelf")
            return t.model.saveShelf({"Nye"}, {});
        return store::importBookmarks(t.model, {{"Nye", {{"DR", "https://www.dr.dk/"}}}}, true);
    };
    const bool writesList = list == "webgruppe.txt" || operation == "shelf";
    const Result refused = run();
    if (writesList) {
        QCOMPARE(refused.kind, Result::FileNotRead);
        QCOMPARE(refused.path, path);
        QVERIFY2(refused.error.contains("kunne ikke læses"), qPrintable(refused.error));
        QCOMPARE(t.folders(), folders);
    } else {
        // The other list may be written: it was read.
        QVERIFY(refused.ok());
    }
    QCOMPARE(bytesOf(path), before);

    // Once the file can be read again (here at a switch of content mode), all is as before.
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0644) == 0);
    QVERIFY(t.model.switchMode(1).ok());
    QVERIFY(t.model.switchMode(0).ok());
    QVERIFY(t.model.NyGruppe("Sidste").ok());
    const QStringList groups = textfile::readLines(t.web() + "/webgruppe.txt").value();
    QVERIFY2(groups.startsWith("A") && groups.contains("C") && groups.endsWith("Sidste"),
             qPrintable(groups.join(',')));
    QCOMPARE(textfile::readLines(t.web() + "/webLager.txt").value(), QStringList{"X"});
}

// The shelf's two files are written both or neither. When the second cannot be written and
// the first cannot be put back either (the folder became read-only in between), the save says
// so, and the model shows what the two files now hold rather than what it meant to write.
void TstPermissions::failedShelfUndoShowsWhatFilesHold() {
    Tree t;
    QVERIFY(t.start().ok());
    int replaced = 0;
    const QByteArray folder = QFile::encodeName(t.web());
    textfile::setBeforeReplace([&] {
        if (++replaced == 2)
            ::chmod(folder.constData(), 0555);
    });
    QSignalSpy lists(&t.model, &Model::groupListsChanged);
    const Result result = t.model.saveShelf({"A"}, {"X", "B", "C"});
    textfile::setBeforeReplace({});
    ::chmod(folder.constData(), 0755);

    QCOMPARE(result.kind, Result::FileNotCreated);
    QCOMPARE(result.path, t.web() + "/webLager.txt");
    QVERIFY2(result.error.contains("kunne ikke sættes tilbage"), qPrintable(result.error));
    QCOMPARE(textfile::readLines(t.web() + "/webgruppe.txt").value(), QStringList{"A"});
    QCOMPARE(textfile::readLines(t.web() + "/webLager.txt").value(), QStringList{"X"});
    QCOMPARE(t.model.gruppeliste(), QStringList{"A"});
    QCOMPARE(t.model.lagerliste(), QStringList{"X"});
    // B, the current group, is in neither list now: it is current no more.
    QCOMPARE(t.model.gruppenavn(), QString());
    QVERIFY(lists.size() >= 1);
}

// A group folder an import cannot make: the error box gives the system's reason in Danish, as
// every other error box does.
void TstPermissions::importGivesTheReasonInDanish() {
    Tree t;
    QVERIFY(t.start().ok());
    const QByteArray folder = QFile::encodeName(t.web());
    QVERIFY(::chmod(folder.constData(), 0555) == 0);
    const Result result =
        store::importBookmarks(t.model, {{"Ny", {{"DR", "https://www.dr.dk/"}}}}, true);
    ::chmod(folder.constData(), 0755);
    QCOMPARE(result.kind, Result::FolderNotCreated);
    QCOMPARE(result.path, t.web() + "/Ny");
    QCOMPARE(result.error, QStringLiteral("Adgang nægtet"));
    QCOMPARE(t.folders(), (QStringList{"A", "B", "C", "X"}));
}

LENKARO_ORDINARY_USER_GUILESS_MAIN(TstPermissions)
#include "tst_permissions.moc"
