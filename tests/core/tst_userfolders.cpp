#include "platform/textfile.h"
#include "settings/userfolders.h"
#include "writefile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

class TstUserfolders : public QObject {
    Q_OBJECT
private slots:
    void firstStartCopiesTemplates();
    void laterStartCopiesNothing();
    void missingTemplateIsReportedAndPathsStayWhole();
    void missingBaseFolderCreatesNothing();
    void userFolderThatCannotBeMadeIsReported();
    void noLoginNameGivesBruger();
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

// A base folder the user may not write in is met here as a file where the user folder would go
// (the tests run as root, who may write anywhere).
void TstUserfolders::userFolderThatCannotBeMadeIsReported() {
    QTemporaryDir tmp;
    makeBase(tmp.path());
    QFile blocker(tmp.path() + "/anna");
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const UserFolders f = makeOptdir(tmp.path(), "anna");
    QCOMPARE(f.errors.size(), 1);
    QVERIFY(f.errors.first().contains(QDir::toNativeSeparators(tmp.path() + "/anna/Program")));
}

void TstUserfolders::noLoginNameGivesBruger() {
    QTemporaryDir tmp;
    makeBase(tmp.path());
    const UserFolders f = makeOptdir(tmp.path(), QString());
    QCOMPARE(f.brugernavn, QStringLiteral("Bruger"));
    QVERIFY(QFileInfo(tmp.path() + "/Bruger/Program/Nyheder").isDir());
}

QTEST_GUILESS_MAIN(TstUserfolders)
#include "tst_userfolders.moc"
