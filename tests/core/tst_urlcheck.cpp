#include "browsers.h"
#include "textfile.h"
#include "urlcheck.h"

#include <QTemporaryDir>
#include <QTest>

class TstUrlcheck : public QObject {
    Q_OBJECT
private slots:
    void checks_data();
    void checks();
    void findsBrowsersInOrder();
};

void TstUrlcheck::checks_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("https") << "https://www.dr.dk/" << true;
    QTest::newRow("http without path") << "http://dr.dk" << true;
    QTest::newRow("upper-case scheme") << "HTTPS://www.dr.dk/" << true;
    QTest::newRow("ftp") << "ftp://ftp.sunet.se/pub" << true;
    QTest::newRow("file") << "file:///home/anna/noter.html" << true;
    QTest::newRow("mailto") << "mailto:anna@example.dk" << true;
    QTest::newRow("danish letters") << QStringLiteral("https://blå.dk/søg?q=æø") << true;
    QTest::newRow("port") << "http://localhost:8080/x" << true;
    QTest::newRow("absolute path") << "/usr/bin/gnome-calculator" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("no scheme") << "www.dr.dk" << false;
    QTest::newRow("relative path") << "bin/program" << false;
    QTest::newRow("no host") << "https://" << false;
    QTest::newRow("blank in host") << "https://www.d r.dk/" << false;
    QTest::newRow("blank in path") << "https://dr.dk/a b" << false;
    QTest::newRow("leading blank") << " https://www.dr.dk/" << false;
    QTest::newRow("bad port") << "https://dr.dk:99999/" << false;
    QTest::newRow("unknown scheme") << "javascript:alert(1)" << false;
    QTest::newRow("windows path on linux") << "C:\\Programmer\\x.exe" << false;
    QTest::newRow("mailto without address") << "mailto:" << false;
}

void TstUrlcheck::checks() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(UrlCheck::system()->IsValidURL(text), valid);
}

void TstUrlcheck::findsBrowsersInOrder() {
    QTemporaryDir tmp;
    const QString chrome = tmp.filePath("chromium");
    const QString edge = tmp.filePath("msedge");
    const BrowserPlaces places{{tmp.filePath("google-chrome"), chrome}, {edge}};
    QCOMPARE(places.find(0), QString());
    textfile::writeLines(chrome, {"x"});
    QCOMPARE(places.find(0), chrome);
    QCOMPARE(places.find(1), chrome);
    textfile::writeLines(edge, {"x"});
    QCOMPARE(places.find(0), chrome);
    QCOMPARE(places.find(1), edge);
    QCOMPARE(places.find(-1), edge);
    // A folder of a browser's name is no browser.
    QDir().mkpath(tmp.filePath("google-chrome"));
    QCOMPARE(places.find(0), chrome);
    QVERIFY(BrowserPlaces::system().chrome.contains("/usr/bin/chromium"));
}

QTEST_GUILESS_MAIN(TstUrlcheck)
#include "tst_urlcheck.moc"
