#include "ordinaryuser.h"
#include "platform/textfile.h"
#include "settings/userfolders.h"
#include "writefile.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

class TstUserfolders : public QObject {
    Q_OBJECT
private slots:
    void firstStartCopiesTemplates();
    void laterStartCopiesNothing();
    void missingTemplateIsReportedAndPathsStayWhole();
    void missingBaseFolderCreatesNothing();
    void userFolderThatCannotBeMadeIsReported();
    void noLoginNameGivesBruger();
    void newFoldersAreTheUsersAlone();
    void foreignUserFolderIsRefused_data();
    void foreignUserFolderIsRefused();
    void ownLinkedUserFolderIsUsed();
};

namespace {
// A base folder with the two templates: a group with one element and a group list in each.
void makeBase(const QString& base) {
    QDir(base).mkpath("Struktur/Program/Nyheder/Under");
    QDir(base).mkpath("Struktur/Programmer/V\u00e6rkt\u00f8j");
    writeFixture(base + "/Struktur/Program/webgruppe.txt", {"Nyheder"});
    writeFixture(base + "/Struktur/Program/Nyheder/DR.txt",
                         {"https://www.dr.dk/", "DR", "Dato", "XX:XX", "0", "C:\\x\\DR.txt"});
    writeFixture(base + "/Struktur/Program/Nyheder/Under/dyb.txt", {"d"});
    writeFixture(
        base + QStringLiteral("/Struktur/Programmer/V\u00e6rkt\u00f8j/Lommeregner.txt"),
        {"/usr/bin/gnome-calculator", "Lommeregner", "Dato", "XX:XX", "0", ""});
}

mode_t modeOf(const QString& path) {
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// Every entry below dir with its kind, owner, mode and size: what a start must leave alone.
QStringList snapshot(const QString& dir) {
    QStringList seen;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        struct stat st;
        if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
            continue;
        seen << QStringLiteral("%1 %2 %3 %4")
                    .arg(path)
                    .arg(st.st_mode, 0, 8)
                    .arg(st.st_uid)
                    .arg(S_ISDIR(st.st_mode) ? 0 : qint64(st.st_size));
    }
    seen.sort();
    return seen;
}

// A base folder as installed: open to every user (mode 1777), holding root's templates.
QString installedBase(const QTemporaryDir& tmp) {
    const QString base = tmp.path() + "/base";
    makeBase(base);
    ::chmod(QFile::encodeName(tmp.path()).constData(), 0755);
    ::chmod(QFile::encodeName(base).constData(), 01777);
    return base;
}

void own(const QString& path, uid_t uid, mode_t mode) {
    QVERIFY(::lchown(QFile::encodeName(path).constData(), uid, gid_t(uid)) == 0);
    QVERIFY(::chmod(QFile::encodeName(path).constData(), mode) == 0);
}
} // namespace

void TstUserfolders::firstStartCopiesTemplates() {
    QTemporaryDir tmp;
    makeBase(tmp.path());
    const UserFolders f = makeOptdir(tmp.path(), "anna");
    QVERIFY(f.errors.isEmpty());
    QCOMPARE(f.brugernavn, QStringLiteral("anna"));
    QCOMPARE(f.strukturDir, tmp.path() + "/Struktur");
    QCOMPARE(f.programdir0, tmp.path() + "/anna/Program/");
    QCOMPARE(f.programdir1, tmp.path() + "/anna/Programmer/");
    QCOMPARE(f.optdir, tmp.path() + "/anna/Egenskaber/");
    QVERIFY(QFileInfo(f.optdir).isDir());
    QCOMPARE(*textfile::readLines(f.programdir0 + "Nyheder/DR.txt"),
             (QStringList{"https://www.dr.dk/", "DR", "Dato", "XX:XX", "0", "C:\\x\\DR.txt"}));
    QVERIFY(QFileInfo::exists(f.programdir0 + "webgruppe.txt"));
    QVERIFY(QFileInfo::exists(f.programdir0 + "Nyheder/Under/dyb.txt"));
    QVERIFY(QFileInfo::exists(f.programdir1 + QStringLiteral("V\u00e6rkt\u00f8j/Lommeregner.txt")));
    QVERIFY(!QFileInfo::exists(f.optdir + "main.txt"));
}

void TstUserfolders::laterStartCopiesNothing() {
    QTemporaryDir tmp;
    makeBase(tmp.path());
    QDir(tmp.path()).mkdir("anna");
    const UserFolders f = makeOptdir(tmp.path(), "anna");
    QVERIFY(f.errors.isEmpty());
    QVERIFY(!QFileInfo::exists(tmp.path() + "/anna/Program"));
    QVERIFY(!QFileInfo::exists(tmp.path() + "/anna/Programmer"));
    QVERIFY(QFileInfo(tmp.path() + "/anna/Egenskaber").isDir());
}

void TstUserfolders::missingTemplateIsReportedAndPathsStayWhole() {
    QTemporaryDir tmp;
    QDir(tmp.path()).mkpath("Struktur");
    const UserFolders f = makeOptdir(tmp.path(), "anna");
    QCOMPARE(f.errors.size(), 1);
    QVERIFY(f.errors.first().contains(QDir::toNativeSeparators(tmp.path() + "/Struktur/Program")));
    QCOMPARE(f.programdir1, tmp.path() + "/anna/Programmer/");
    QVERIFY(QFileInfo(f.programdir0).isDir());
    QVERIFY(QFileInfo(f.optdir).isDir());
    // The user folder now exists, so the next start copies nothing and reports nothing.
    QVERIFY(makeOptdir(tmp.path(), "anna").errors.isEmpty());
}

void TstUserfolders::missingBaseFolderCreatesNothing() {
    QTemporaryDir tmp;
    const QString base = tmp.path() + "/Lenkaromappe";
    const UserFolders f = makeOptdir(base, "anna");
    QCOMPARE(f.errors.size(), 1);
    QVERIFY(!QFileInfo::exists(base));
    QCOMPARE(f.optdir, base + "/anna/Egenskaber/");
}

// A base folder the user may not write in: nothing can be made, and the start says so.
void TstUserfolders::userFolderThatCannotBeMadeIsReported() {
    if (::geteuid() != 0)
        QSKIP("Root makes the base folder that the ordinary user may not write in.");
    QTemporaryDir tmp;
    const QString base = installedBase(tmp);
    ::chmod(QFile::encodeName(base).constData(), 0755);
    QVERIFY(ordinaryuser::asNobody([&] {
        const UserFolders f = makeOptdir(base, "anna");
        QCOMPARE(f.errors.size(), 1);
        QVERIFY(f.errors.first().contains(QDir::toNativeSeparators(base + "/anna/Program")));
        QVERIFY(f.refused.isEmpty());
        QVERIFY(!QFileInfo::exists(base + "/anna"));
    }));
}

void TstUserfolders::noLoginNameGivesBruger() {
    QTemporaryDir tmp;
    makeBase(tmp.path());
    const UserFolders f = makeOptdir(tmp.path(), QString());
    QCOMPARE(f.brugernavn, QStringLiteral("Bruger"));
    QVERIFY(QFileInfo(tmp.path() + "/Bruger/Program/Nyheder").isDir());
}

// Whoever can write in the user's folders can read what the user keeps there and plant files
// the program reads: a new user's folders are the user's alone.
void TstUserfolders::newFoldersAreTheUsersAlone() {
    QTemporaryDir tmp;
    const QString base = installedBase(tmp);
    auto check = [&] {
        const UserFolders f = makeOptdir(base, "anna");
        QVERIFY(f.errors.isEmpty() && f.refused.isEmpty());
        for (const char* folder : {"", "/Program", "/Programmer", "/Egenskaber"})
            QCOMPARE(modeOf(base + "/anna" + folder), mode_t(0700));
        QVERIFY(QFileInfo::exists(f.programdir0 + "Nyheder/DR.txt"));
    };
    if (::geteuid() == 0)
        QVERIFY(ordinaryuser::asNobody(check));
    else
        check();
}

void TstUserfolders::foreignUserFolderIsRefused_data() {
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("reason");
    const QString foreign = QStringLiteral("tilhører en anden bruger");
    const QString open = QStringLiteral("kan skrives af andre");
    QTest::newRow("made by another user before the first start") << "root 755"
                                                                 << "anna" << foreign;
    QTest::newRow("made by another user, open to all") << "root 777"
                                                       << "anna" << foreign;
    QTest::newRow("the user's own, the group may write") << "own 770"
                                                         << "anna" << open;
    QTest::newRow("the user's own, all may write") << "own 777"
                                                   << "anna" << open;
    QTest::newRow("the user's own, all may write, sticky") << "own 1777"
                                                           << "anna" << open;
    QTest::newRow("a content folder of another user") << "program root"
                                                      << "anna/Program" << foreign;
    QTest::newRow("an options folder all may write") << "options 777"
                                                     << "anna/Egenskaber" << open;
    QTest::newRow("a link to another user's folder") << "link to root's"
                                                     << "anna" << foreign;
    QTest::newRow("another user's link to the user's own folder")
        << "root's link"
        << "anna"
        << "symbolsk link, som tilhører en anden bruger";
    QTest::newRow("a link to itself") << "loop"
                                      << "anna"
                                      << "symbolske link";
    QTest::newRow("a link to nothing") << "broken"
                                       << "anna"
                                       << "findes ikke";
    QTest::newRow("a file") << "file"
                            << "anna"
                            << "ikke er en mappe";
    QTest::newRow("a FIFO") << "fifo"
                            << "anna"
                            << "ikke er en mappe";
}

// The base folder is open to every user, so another may make a user's folder before its owner
// first starts, or a folder may be open to others: the start refuses it, says which folder and
// why, and writes nothing in it (nor copies the templates into it).
void TstUserfolders::foreignUserFolderIsRefused() {
    QFETCH(QString, setup);
    QFETCH(QString, folder);
    QFETCH(QString, reason);
    if (::geteuid() != 0)
        QSKIP("Root plays the other user here.");
    QTemporaryDir tmp;
    const QString base = installedBase(tmp);
    const QString user = base + "/anna";
    const QByteArray native = QFile::encodeName(user);
    const uid_t nobody = ordinaryuser::nobody;
    const QString elsewhere = tmp.path() + "/andetsteds";
    if (setup.startsWith("root ")) {
        QVERIFY(QDir().mkdir(user));
        own(user, 0, mode_t(setup.mid(5).toInt(nullptr, 8)));
    } else if (setup.startsWith("own ")) {
        QVERIFY(QDir().mkdir(user));
        own(user, nobody, mode_t(setup.mid(4).toInt(nullptr, 8)));
    } else if (setup == "program root" || setup == "options 777") {
        for (const char* sub : {"/Program", "/Programmer", "/Egenskaber"}) {
            QVERIFY(QDir().mkpath(user + sub));
            own(user + sub, nobody, 0700);
        }
        own(user, nobody, 0700);
        if (setup == "program root")
            own(user + "/Program", 0, 0755);
        else
            own(user + "/Egenskaber", nobody, 0777);
    } else if (setup == "link to root's" || setup == "root's link") {
        QVERIFY(QDir().mkdir(elsewhere));
        own(elsewhere, setup == "root's link" ? nobody : 0, 0700);
        QVERIFY(::symlink(QFile::encodeName(elsewhere).constData(), native.constData()) == 0);
        QVERIFY(::lchown(native.constData(), setup == "root's link" ? 0 : nobody, nobody) == 0);
    } else if (setup == "loop" || setup == "broken") {
        const QByteArray target = setup == "loop" ? native : QFile::encodeName(elsewhere);
        QVERIFY(::symlink(target.constData(), native.constData()) == 0);
        QVERIFY(::lchown(native.constData(), nobody, nobody) == 0);
    } else if (setup == "file") {
        writeFixture(user, {"ikke en mappe"});
        own(user, nobody, 0600);
    } else {
        QVERIFY(::mkfifo(native.constData(), 0600) == 0);
        own(user, nobody, 0600);
    }
    const QStringList before = snapshot(tmp.path());

    QVERIFY(ordinaryuser::asNobody([&] {
        const UserFolders f = makeOptdir(base, "anna");
        const QString path = QDir::toNativeSeparators(base + "/" + folder);
        QVERIFY2(f.refused.contains("\"" + path + "\"") && f.refused.contains(reason),
                 qPrintable(f.refused));
        QVERIFY(f.errors.isEmpty());
        // The paths are whole all the same.
        QCOMPARE(f.optdir, user + "/Egenskaber/");
    }));
    QCOMPARE(snapshot(tmp.path()), before);
}

// A user folder linked to a folder of the user's own elsewhere, by a link of the user's own, is
// the user's choice: it is used.
void TstUserfolders::ownLinkedUserFolderIsUsed() {
    QTemporaryDir tmp;
    const QString base = installedBase(tmp);
    const QString elsewhere = tmp.path() + "/mine";
    QVERIFY(QDir().mkdir(elsewhere));
    QVERIFY(::symlink(QFile::encodeName(elsewhere).constData(),
                      QFile::encodeName(base + "/anna").constData()) == 0);
    if (::geteuid() == 0) {
        own(elsewhere, ordinaryuser::nobody, 0700);
        QVERIFY(::lchown(QFile::encodeName(base + "/anna").constData(), ordinaryuser::nobody,
                         ordinaryuser::nogroup) == 0);
    }
    auto check = [&] {
        const UserFolders f = makeOptdir(base, "anna");
        QVERIFY2(f.refused.isEmpty(), qPrintable(f.refused));
        QVERIFY(QFileInfo(elsewhere + "/Egenskaber").isDir());
    };
    if (::geteuid() == 0)
        QVERIFY(ordinaryuser::asNobody(check));
    else
        check();
}

QTEST_GUILESS_MAIN(TstUserfolders)
#include "tst_userfolders.moc"
