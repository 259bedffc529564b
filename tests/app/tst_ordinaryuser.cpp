// The windows meeting files an ordinary user may not write or read, as that user (run as root,
// this test runs as "nobody": root writes through read-only files).
#include "controls.h"
#include "fixture.h"
#include "ordinaryuser.h"
#include "writefile.h"

#include "platform/toolkit/updateaction.h"
#include "ui/admin/boks.h"
#include "ui/main/main.h"

#include <QApplication>
#include <QDirIterator>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <sys/stat.h>

class TstOrdinaryUser : public QObject {
    Q_OBJECT
private slots:
    void readOnlyElementIsNotVisited();
    void protectedOptionsFileIsKeptAtClose_data();
    void protectedOptionsFileIsKeptAtClose();
    void unreadableListRefusesNewGroup();
    void userFolderNotTheUsersOwnIsRefused_data();
    void userFolderNotTheUsersOwnIsRefused();
};

namespace {
QByteArray bytesOf(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat st;
    if (::stat(native.constData(), &st) != 0)
        return "(none)";
    ::chmod(native.constData(), (st.st_mode & 07777) | S_IRUSR);
    QFile f(path);
    const QByteArray bytes = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unread)");
    ::chmod(native.constData(), st.st_mode & 07777);
    return bytes;
}

void doubleClickRow(QTableView* list, int row) {
    const QPoint at = list->visualRect(list->model()->index(row, 3)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QCoreApplication::processEvents();
}
} // namespace

// A visit of an element whose file the user made read-only: the error box names the file and
// says why; the file, the row and the count stay, and no browser opens.
void TstOrdinaryUser::readOnlyElementIsNotVisited() {
    QVERIFY(::geteuid() != 0);
    Fixture f;
    f.makeGroupsWithShelf();
    const QString path = f.web() + "/B/DR.txt";
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0444) == 0);
    const QByteArray before = bytesOf(path);
    App& app = f.start();
    app.mainform->show();
    QVERIFY(QTest::qWaitForWindowExposed(app.mainform));
    QTableView* listen = control<QTableView>(app.mainform, "Listen");
    const QString visits = cell(listen, 0, 2);
    doubleClickRow(listen, 0);

    const auto shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].text.contains(path) && shown[0].text.contains("skrivebeskyttet"),
             qPrintable(shown[0].text));
    QCOMPARE(bytesOf(path), before);
    QCOMPARE(cell(listen, 0, 2), visits);
    QCOMPARE(f.fakes.shell->calls.size(), 0);
}

void TstOrdinaryUser::protectedOptionsFileIsKeptAtClose_data() {
    QTest::addColumn<int>("mode");
    QTest::newRow("read-only") << 0444;
    QTest::newRow("unreadable") << 0;
}

// "main.txt" the user may not write: closing the program says so and leaves the file as it was.
void TstOrdinaryUser::protectedOptionsFileIsKeptAtClose() {
    QFETCH(int, mode);
    Fixture f;
    f.makeGroupsWithShelf();
    const QString path = f.options() + "/main.txt";
    const QByteArray before = bytesOf(path);
    QVERIFY(::chmod(QFile::encodeName(path).constData(), mode_t(mode)) == 0);
    App& app = f.start();
    app.mainform->show();
    QVERIFY(QTest::qWaitForWindowExposed(app.mainform));
    MessageBox::takeShown();
    app.mainform->close();

    const auto shown = MessageBox::takeShown();
    QVERIFY(!shown.isEmpty());
    QVERIFY2(shown[0].text.startsWith("Kan ikke oprette filen") && shown[0].text.contains(path),
             qPrintable(shown[0].text));
    QCOMPARE(bytesOf(path), before);
}

// "webgruppe.txt" unreadable at start: the start says so and the list shows empty. Creating a
// group then would write the file with that one name and lose the others: it is refused, with
// a message naming the file, until the file can be read.
void TstOrdinaryUser::unreadableListRefusesNewGroup() {
    Fixture f;
    f.makeGroupsWithShelf();
    const QString path = f.web() + "/webgruppe.txt";
    const QByteArray before = bytesOf(path);
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0) == 0);
    App& app = f.start();
    app.mainform->show();
    QVERIFY(QTest::qWaitForWindowExposed(app.mainform));
    auto shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].text.startsWith("Kan ikke læse filen") && shown[0].text.contains(path),
             qPrintable(shown[0].text));

    app.boksform->show();
    control<QLineEdit>(app.boksform, "gEdit")->setText("Nye");
    control<UpdateAction>(app.boksform, "aNyGruppe")->execute();
    shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].text.contains(path) && shown[0].text.contains("kunne ikke læses"),
             qPrintable(shown[0].text));
    QVERIFY(!QFileInfo::exists(f.web() + "/Nye"));
    QCOMPARE(control<QLineEdit>(app.boksform, "gEdit")->text(), QStringLiteral("Nye"));
    QCOMPARE(bytesOf(path), before);
}

void TstOrdinaryUser::userFolderNotTheUsersOwnIsRefused_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("open to all") << "open"
                                 << "kan skrives af andre";
    QTest::newRow("a link to another user's folder") << "link"
                                                     << "tilhører en anden bruger";
}

// A user folder that is not the user's alone: the start says which folder and why, makes no
// window, and writes nothing, not even its lock, into the folder.
void TstOrdinaryUser::userFolderNotTheUsersOwnIsRefused() {
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QVERIFY(::geteuid() != 0);
    Fixture f;
    QString folder = f.user();
    if (kind == "open") {
        f.makeGroupsWithShelf();
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0777) == 0);
    } else {
        // The root folder: another user's, and one the program could not write in anyway.
        QVERIFY(QFile::link(QStringLiteral("/"), folder));
    }
    auto everything = [&] {
        QStringList all;
        QDirIterator it(f.tmp.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo entry(it.next());
            all << entry.filePath() + " " + QString::number(entry.size()) + " " +
                       entry.lastModified().toString(Qt::ISODateWithMs);
        }
        all.sort();
        return all;
    };
    const QStringList before = everything();
    FakeServices fakes;
    Services services = fakes.make();
    services.singleInstance = true;
    App app(f.base, "anna", std::move(services));
    QVERIFY(app.folderRefused());
    QVERIFY(!app.runsElsewhere());
    QVERIFY(app.mainform == nullptr && app.boksform == nullptr && app.findform() == nullptr);
    const auto shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].text.contains("\"" + QDir::toNativeSeparators(folder) + "\"") &&
                 shown[0].text.contains(reason),
             qPrintable(shown[0].text));
    QCOMPARE(everything(), before);
}

LENKARO_ORDINARY_USER_MAIN(TstOrdinaryUser)
#include "tst_ordinaryuser.moc"
