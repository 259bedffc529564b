#include "controls.h"
#include "fixture.h"
#include "writefile.h"

#include "ui/main/main.h"

#include <QDateTime>
#include <QTableView>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

// Group folders as other programs leave them: a file named in Windows-1252 by an archive
// unpacked on Linux, and a temporary file a killed save left behind.
class TstForeignFiles : public QObject {
    Q_OBJECT
private slots:
    void windowsNamedElementIsShownAndRenamedByAVisit();

private:
    static QString cell(QTableView* list, int row, int column) {
        return list->model()->index(row, column).data().toString();
    }
};

void TstForeignFiles::windowsNamedElementIsShownAndRenamedByAVisit() {
    Fixture f;
    f.makeUser();
    const QString group = f.web() + "/Nyheder";
    Fixture::element(group, "DR", "https://www.dr.dk/", 41);
    const QByteArray raw = QFile::encodeName(group) + "/B\xf8ger.txt";
    const int fd = ::open(raw.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    QVERIFY(fd >= 0);
    const QByteArray content("https://b\xf8ger.dk/\r\nB\xf8ger\r\nDato\r\nXX:XX\r\n3\r\nC:\\x\r\n");
    QCOMPARE(::write(fd, content.constData(), size_t(content.size())), ssize_t(content.size()));
    ::close(fd);
    const QString stray = group + "/.lenkaro-a1B2c3.tmp";
    QVERIFY(textfile::writeLines(stray, {"halvt skrevet"}));
    QFile strayFile(stray);
    QVERIFY(strayFile.open(QIODevice::ReadWrite));
    QVERIFY(strayFile.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                  QFileDevice::FileModificationTime));
    strayFile.close();
    writeFixture(f.web() + "/webgruppe.txt", {"Nyheder"});
    writeFixture(f.options() + "/main.txt",
                         {"Sky", "120", "120", "595", "380", "Nyheder", "Nyheder", "", "0"});
    App& app = f.start();
    app.mainform->show();
    QTableView* listen = control<QTableView>(app.mainform, "Listen");
    QCOMPARE(listen->model()->rowCount(), 2);
    QCOMPARE(cell(listen, 0, 3), QStringLiteral("B\u00f8ger"));
    QCOMPARE(cell(listen, 1, 3), QStringLiteral("DR"));

    const QPoint at = listen->visualRect(listen->model()->index(0, 3)).center();
    QTest::mouseClick(listen->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(listen->viewport(), Qt::LeftButton, {}, at);
    QCoreApplication::processEvents();
    QCOMPARE(cell(listen, 0, 2), QStringLiteral("4"));
    // Saved under its UTF-8 name, the old name gone; the stray temporary file went with the save.
    const QString name = QStringLiteral("B\u00f8ger.txt");
    QCOMPARE(QDir(group).entryList(QDir::Files | QDir::Hidden), (QStringList{name, "DR.txt"}));
    QCOMPARE(textfile::readLines(group + "/" + name)->mid(1, 4),
             (QStringList{QStringLiteral("B\u00f8ger"), "09.12.2026", "13.45", "4"}));
}

QTEST_MAIN(TstForeignFiles)
#include "tst_foreignfiles.moc"
