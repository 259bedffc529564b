#include "platform/pathname.h"

#include <QTest>

class TstPathname : public QObject {
    Q_OBJECT
private slots:
    void baseName_data();
    void baseName();
    void refusesCharactersPathsCannotHold_data();
    void refusesCharactersPathsCannotHold();
};

void TstPathname::baseName_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::newRow("windows path") << R"(C:\Lenkaromappe\Struktur\Lenkaroinfo\tekstfiler\Intro.html)"
                                  << "Intro";
    QTest::newRow("file address") << "file:///C:/Lenkaromappe/Struktur/Lenkaroinfo/tekstfiler/"
                                     "Intro.html"
                                  << "Intro";
    QTest::newRow("bare name, other extension") << "Intro.htm"
                                                << "Intro";
    QTest::newRow("no extension") << "Intro"
                                  << "Intro";
    QTest::newRow("only the last full stop goes") << "Kap.1.html"
                                                  << "Kap.1";
    QTest::newRow("bare Kap.1 loses .1") << "Kap.1"
                                         << "Kap";
    QTest::newRow("full stop in a folder only") << "tekst.filer/Intro"
                                                << "Intro";
    QTest::newRow("full stop in a backslash folder") << R"(a.b\Intro)"
                                                     << "Intro";
    QTest::newRow("drive colon") << "C:Intro.html"
                                 << "Intro";
    QTest::newRow("colon of a scheme") << "about:blank"
                                       << "blank";
    QTest::newRow("mixed separators, last wins") << R"(a\b/c\Intro.html)"
                                                 << "Intro";
    QTest::newRow("trailing separator") << "tekstfiler/"
                                        << "";
    QTest::newRow("only an extension") << "tekstfiler/.html"
                                       << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("spaces and danish letters") << "/x/Gr\u00e6s og \u00e5er.html"
                                               << "Gr\u00e6s og \u00e5er";
    // Wildcards and DEL may stand in a path, unlike in a name the program creates.
    QTest::newRow("wildcards allowed") << "Hvad?*.html"
                                       << "Hvad?*";
    QTest::newRow("DEL allowed") << "a\x7f.html"
                                 << "a\x7f";
}

void TstPathname::baseName() {
    QFETCH(QString, path);
    QFETCH(QString, name);
    QString error = "untouched";
    const std::optional<QString> result = pathname::baseName(path, &error);
    QVERIFY(result.has_value());
    QCOMPARE(*result, name);
    QCOMPARE(error, QStringLiteral("untouched"));
}

void TstPathname::refusesCharactersPathsCannotHold_data() {
    QTest::addColumn<QString>("path");
    QTest::newRow("NUL") << QString(QChar(0)) + "Intro.html";
    QTest::newRow("TAB") << "tekstfiler/\tIntro.html";
    QTest::newRow("code 31") << "Intro" + QString(QChar(31)) + ".html";
    QTest::newRow("line break in the folder") << "a\nb/Intro.html";
    QTest::newRow("double quote") << "\"Intro\".html";
    QTest::newRow("less than") << "a<b.html";
    QTest::newRow("greater than") << "a>b.html";
    QTest::newRow("bar") << "Nyheder | Forside";
}

void TstPathname::refusesCharactersPathsCannotHold() {
    QFETCH(QString, path);
    QString error;
    QCOMPARE(pathname::baseName(path, &error), std::nullopt);
    QCOMPARE(error, QStringLiteral("Invalid characters in path"));
}

QTEST_APPLESS_MAIN(TstPathname)
#include "tst_pathname.moc"
