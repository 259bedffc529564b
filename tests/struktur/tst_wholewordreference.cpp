#include "struktur/dokumentsoeg.h"
#include "writefile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

// The help search against a reference written the plain way: fold both texts, look at every
// place the search text occurs, and take the document when one of them has no letter or digit
// on either side. Whatever shortcuts the search takes, it must agree with this on every case.
class TstWholeWordReference : public QObject {
    Q_OBJECT
private slots:
    void agreesWithReference_data();
    void agreesWithReference();
};

namespace {
bool isWordChar(QChar c) {
    return c.isLetterOrNumber();
}

bool referenceFinds(const QString& text, const QString& tekst) {
    const QString t = text.toCaseFolded();
    const QString s = tekst.toCaseFolded();
    if (s.isEmpty())
        return false;
    for (qsizetype at = t.indexOf(s); at >= 0; at = t.indexOf(s, at + 1)) {
        const bool startFree = at == 0 || !isWordChar(t[at - 1]);
        const qsizetype end = at + s.size();
        const bool endFree = end == t.size() || !isWordChar(t[end]);
        if (startFree && endFree)
            return true;
    }
    return false;
}

// The documents, each one line, named so that the folder's order is their order here.
const QList<std::pair<QString, QString>> documents = {
    {"a01.html", "<p>Et element i teksten.</p>"},
    {"a02.html", "<p>Elementer og elementet</p>"},
    {"a03.html", "snake_element_case"},
    {"a04.html", "ELEMENT."},
    {"a05.html", "xelement element2 2element"},
    {"a06.html", "<b>element</b>"},
    {"a07.html", "elem ent"},
    {"a08.html", "Æble og æbler"},
    {"a09.html", "indfør  element, indfør element"},
    {"a10.html", "<a href=\"element.html\">link</a>"},
    {"a11.txt", "elementelement element"},
    {"a12.html", "Ærø-æble"},
    {"a13.html", "Indfør element"},
    {"a14.html", "2026 og 20260"},
    // Longer than the search's moves by a byte reach, whole and inside a longer word.
    {"a15.html", QString(300, u'x') + " Y" + QString(299, u'X') + "Y"},
};
} // namespace

void TstWholeWordReference::agreesWithReference_data() {
    QTest::addColumn<QString>("tekst");
    for (const char* tekst :
         {"element", "ELEMENT", "elem", "ent", "æble", "ÆBLE", "indfør element", "element element",
          "element.html", "2026", "2", "_element", "ærø", "<b>", "href", "æ"})
        QTest::newRow(tekst) << QString::fromUtf8(tekst);
    QTest::newRow("300 letters") << QString(300, u'X');
    QTest::newRow("299 letters and one more") << QString(299, u'x') + u'y';
}

void TstWholeWordReference::agreesWithReference() {
    QFETCH(QString, tekst);
    QTemporaryDir tmp;
    QStringList expected;
    for (const auto& [name, text] : documents) {
        writeFixture(tmp.path() + "/" + name, {text});
        // As the file reads back: one line, with its line end.
        if (referenceFinds(text + "\r\n", tekst))
            expected << QFileInfo(name).completeBaseName();
    }
    QCOMPARE(dokumentsoeg::findDokumenter(tmp.path(), tekst), expected);
}

QTEST_GUILESS_MAIN(TstWholeWordReference)
#include "tst_wholewordreference.moc"
