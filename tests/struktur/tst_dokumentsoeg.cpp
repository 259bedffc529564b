#include "struktur/dokumentsoeg.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <QtTest>
#include <cstdio>

// The help window's full-text search over a structure's documents.
class TestDokumentsoeg : public QObject {
    Q_OBJECT

    static void write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }

private slots:
    void wholeWord_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("search");
        QTest::addColumn<bool>("found");
        QTest::newRow("same word") << "Et element her."
                                   << "element" << true;
        QTest::newRow("other case") << "ET ELEMENT"
                                    << "element" << true;
        QTest::newRow("longer word") << "alle elementer"
                                     << "element" << false;
        QTest::newRow("word inside a word") << "grundelement"
                                            << "element" << false;
        QTest::newRow("later occurrence is whole") << "elementer, element"
                                                   << "element" << true;
        QTest::newRow("digit is a word character") << "element2"
                                                   << "element" << false;
        QTest::newRow("underscore is a boundary") << "mit_element_x"
                                                  << "element" << true;
        QTest::newRow("start and end of text") << "element"
                                               << "element" << true;
        QTest::newRow("only in markup") << "<p class=\"noter\">Tekst</p>"
                                        << "noter" << true;
        QTest::newRow("tag name") << "<table><tr></tr></table>"
                                  << "TABLE" << true;
        QTest::newRow("danish letters fold") << "FØLG linket"
                                             << "følg" << true;
        QTest::newRow("å is a word character") << "blå bog"
                                               << "bl" << false;
        QTest::newRow("æ ends no word") << "Græs"
                                        << "Gr" << false;
        QTest::newRow("two words") << "Du kan indføre Element her"
                                   << "indføre element" << true;
        QTest::newRow("two words, second longer") << "indføre elementer"
                                                  << "indføre element" << false;
        QTest::newRow("empty search") << "alt"
                                      << "" << false;
        QTest::newRow("letter beyond the BMP is a word character")
            << QString("element") + QString::fromUcs4(U"\U0001D400") << "element" << false;
    }
    void wholeWord() {
        QFETCH(QString, text);
        QFETCH(QString, search);
        QFETCH(bool, found);
        const dokumentsoeg::WholeWord word(search);
        QCOMPARE(word.foundIn(text), found);
        // The look at raw bytes, in either encoding a document may have, answers the same or
        // leaves it to the decoded text.
        using Verdict = dokumentsoeg::WholeWord::Verdict;
        QList<QByteArray> encodings = {text.toUtf8()};
        QStringEncoder ansi("windows-1252");
        const QByteArray inAnsi = ansi(text);
        if (!ansi.hasError())
            encodings.append(inAnsi);
        for (const QByteArray& bytes : encodings) {
            const Verdict verdict = word.lookInBytes(bytes);
            if (verdict != Verdict::Decode)
                QCOMPARE(verdict == Verdict::Yes, found);
        }
    }

    // Files straight in the folder, in the folder's listing order, each listed once by its name
    // without extension; subfolders are not entered.
    void walk() {
        QTemporaryDir tmp;
        const QString mappe = tmp.path();
        write(mappe + "/b.html", "<p>Element</p>");
        write(mappe + "/A.html", "<p>element og element</p>");
        write(mappe + "/C.html", "<p>elementer</p>");
        write(mappe + "/Noter.txt", "element");
        write(mappe + "/Intro.html", "<title>element</title>");
        write(mappe + "/Intro.htm", "element");
        write(mappe + "/.skjult.html", "element");
        QDir(mappe).mkpath("Design og funktioner");
        write(mappe + "/Design og funktioner/stil.css", "element");
        QCOMPARE(dokumentsoeg::findDokumenter(mappe, "element"),
                 QStringList({".skjult", "A", "b", "Intro", "Intro", "Noter"}));
    }

    // Each file is read by the program's encoding rules: a byte-order mark, UTF-8, else the
    // Windows code page.
    void encodings() {
        QTemporaryDir tmp;
        const QString mappe = tmp.path();
        write(mappe + "/ansi.html", "<p>F\xf8lg linket</p>");
        write(mappe + "/utf8.html", "<p>F\xc3\xb8lg linket</p>");
        const QString utf16 = QStringLiteral("\uFEFFFølg linket");
        write(mappe + "/utf16.html",
              QByteArray(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2));
        write(mappe + "/andet.html", "<p>Folg linket</p>");
        QCOMPARE(dokumentsoeg::findDokumenter(mappe, "følg"),
                 QStringList({"ansi", "utf16", "utf8"}));
    }

    // A document with a UTF-32 byte-order mark is read by it, by the search as by the reader:
    // every one of its words finds it, not only those whose bytes happen to line up.
    void utf32Documents_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QString text = QStringLiteral("\uFEFFa ab element øl");
        QStringEncoder be(QStringEncoder::Utf32BE), le(QStringEncoder::Utf32LE);
        QTest::newRow("big-endian") << QByteArray(be(text));
        QTest::newRow("little-endian") << QByteArray(le(text));
    }
    void utf32Documents() {
        QFETCH(QByteArray, bytes);
        QTemporaryDir tmp;
        write(tmp.path() + "/side.html", bytes);
        for (const char* word : {"a", "ab", "element", "øl"}) {
            QCOMPARE(dokumentsoeg::findDokumenter(tmp.path(), QString::fromUtf8(word)),
                     QStringList{"side"});
            QVERIFY(dokumentsoeg::WholeWord(QString::fromUtf8(word)).lookInBytes(bytes) ==
                    dokumentsoeg::WholeWord::Verdict::Decode);
        }
        QCOMPARE(dokumentsoeg::findDokumenter(tmp.path(), "b"), QStringList{});
    }

    // A document unpacked from a Windows archive keeps a name in the Windows code page; it is
    // searched and listed under that name's reading.
    void windowsNamedDocument() {
        QTemporaryDir tmp;
        const QByteArray raw = QFile::encodeName(tmp.path()) + "/B\xf8ger.html";
        FILE* file = std::fopen(raw.constData(), "wb");
        QVERIFY(file);
        std::fputs("<p>element</p>", file);
        std::fclose(file);
        QCOMPARE(dokumentsoeg::findDokumenter(tmp.path(), "element"), QStringList({"Bøger"}));
    }

    void missingFolderFindsNothing() {
        QTemporaryDir tmp;
        QCOMPARE(dokumentsoeg::findDokumenter(tmp.path() + "/borte", "element"), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestDokumentsoeg)
#include "tst_dokumentsoeg.moc"
