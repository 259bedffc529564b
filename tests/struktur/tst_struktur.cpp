#include "platform/textfile.h"
#include "struktur/Struktur.h"

#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidgetItemIterator>

class TstStruktur : public QObject {
    Q_OBJECT
private slots:
    void settersOnlyStore();
    void missingStructureFileEmptiesTree();
    void readsStructureFiles_data();
    void readsStructureFiles();
    void structureErrorKeepsNodesBeforeIt();
    void makesDataFileFromNodeTexts();
    void dataStringGivesIconAndDocument();
    void withoutDataOnNodesHaveNoData();
    void badDataFileStopsLoading_data();
    void badDataFileStopsLoading();
    void emptyTreeWithoutDataFile();
    void unwritableDataFile();
    void reloadReplacesTree();
    void findsFilesWhateverTheirCase();
    void getNodeTekst_data();
    void getNodeTekst();
    void getNodeTekstPassesNodesWithoutData();
    void getNodeTekstRefusesInvalidCharacters();
    void getNodeTekstWithDataOff();
    void loadsLargeStructure_data();
    void loadsLargeStructure();
};

namespace {
QString strukturPath(const QTemporaryDir& dir) {
    return dir.filePath("struktur.txt");
}
QString dataPath(const QTemporaryDir& dir) {
    return dir.filePath("data.txt");
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A tree pointed at the structure folder dir, data on, as the help window sets it up.
void pointAt(TStruktur& tree, const QTemporaryDir& dir) {
    tree.SetStrukturfile(strukturPath(dir));
    tree.SetDatafile(dataPath(dir));
    tree.SetInfomappe(dir.filePath("tekstfiler") + u'/');
    tree.SetDataOn(true);
}

// Writes the structure and, unless data is empty, the data file, then loads them.
void load(TStruktur& tree, const QTemporaryDir& dir, const QStringList& structure,
          const QStringList& data = {}) {
    QVERIFY(textfile::writeLines(strukturPath(dir), structure));
    if (!data.isEmpty())
        QVERIFY(textfile::writeLines(dataPath(dir), data));
    pointAt(tree, dir);
    QVERIFY(tree.HentStruktur());
}

// The message of the StrukturError that f throws; a null string when it throws none.
template <typename F> QString errorOf(F&& f) {
    try {
        f();
    } catch (const StrukturError& e) {
        return e.message();
    }
    return {};
}

QList<QTreeWidgetItem*> inTreeOrder(TStruktur& tree) {
    QList<QTreeWidgetItem*> nodes;
    for (QTreeWidgetItemIterator it(&tree); *it; ++it)
        nodes.append(*it);
    return nodes;
}

// Each node as the texts from its top-level node down to itself, joined by "/".
QStringList outline(TStruktur& tree) {
    QStringList paths;
    for (const QTreeWidgetItem* node : inTreeOrder(tree)) {
        QString path = node->text(0);
        for (const QTreeWidgetItem* p = node->parent(); p; p = p->parent())
            path.prepend(p->text(0) + u'/');
        paths.append(path);
    }
    return paths;
}

QStringList pdataOf(TStruktur& tree) {
    QStringList data;
    for (const QTreeWidgetItem* node : inTreeOrder(tree))
        data.append(TStruktur::Pdata(node).value_or(QStringLiteral("<none>")));
    return data;
}

QTreeWidgetItem* nodeNamed(TStruktur& tree, const QString& text) {
    const QList<QTreeWidgetItem*> found =
        tree.findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

QIcon icon(Qt::GlobalColor color) {
    QPixmap pixmap(16, 16);
    pixmap.fill(color);
    return QIcon(pixmap);
}
} // namespace

void TstStruktur::settersOnlyStore() {
    QTemporaryDir dir;
    QVERIFY(textfile::writeLines(strukturPath(dir), {"A", "B"}));
    TStruktur tree;
    pointAt(tree, dir);
    tree.SetBilledmappe(dir.filePath("Billeder"));
    tree.SetHtmlmappe(dir.filePath("tekstfiler/Design og funktioner/"));
    QCOMPARE(tree.Strukturfile(), strukturPath(dir));
    QCOMPARE(tree.Datafile(), dataPath(dir));
    QCOMPARE(tree.Infomappe(), dir.filePath("tekstfiler/"));
    QCOMPARE(tree.Billedmappe(), dir.filePath("Billeder"));
    QCOMPARE(tree.Htmlmappe(), dir.filePath("tekstfiler/Design og funktioner/"));
    QVERIFY(tree.DataOn());
    QCOMPARE(tree.nodeCount(), 0);
    QVERIFY(!QFile::exists(dataPath(dir)));

    QVERIFY(tree.HentStruktur());
    QCOMPARE(tree.nodeCount(), 2);
    QVERIFY(QFile::exists(dataPath(dir)));
    // Turning data off keeps the data strings already loaded.
    tree.SetDataOn(false);
    QCOMPARE(pdataOf(tree), (QStringList{"0A", "0B"}));
}

void TstStruktur::missingStructureFileEmptiesTree() {
    QTemporaryDir dir;
    TStruktur tree;
    load(tree, dir, {"A", "B"}, {"1A", "2B"});
    QCOMPARE(tree.nodeCount(), 2);

    tree.SetStrukturfile(dir.filePath("mangler.txt"));
    QVERIFY(!tree.HentStruktur());
    QCOMPARE(tree.nodeCount(), 0);
    QCOMPARE(readBytes(dataPath(dir)), QByteArray("1A\r\n2B\r\n"));

    tree.SetDatafile(dir.filePath("ny data.txt"));
    QVERIFY(!tree.HentStruktur());
    QVERIFY(!QFile::exists(dir.filePath("ny data.txt")));
}

void TstStruktur::readsStructureFiles_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QString text = QStringLiteral("\u00c6ble\r\n\t\u00d8l og \u00e5\r\n\t\tC\r\nD\r\n");
    QTest::newRow("utf-8") << text.toUtf8();
    QTest::newRow("utf-8 with bom") << QByteArray("\xef\xbb\xbf") + text.toUtf8();
    QStringEncoder le(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    QTest::newRow("utf-16 le with bom") << QByteArray(le(text));
    QStringEncoder be(QStringEncoder::Utf16BE, QStringEncoder::Flag::WriteBom);
    QTest::newRow("utf-16 be with bom") << QByteArray(be(text));
    QTest::newRow("windows-1252") << QByteArray("\xc6"
                                                "ble\r\n\t\xd8l og \xe5\r\n\t\tC\r\nD\r\n");
    QTest::newRow("lf") << QString(text).remove(u'\r').toUtf8();
    QTest::newRow("cr, no final break") << QString(text).remove(u'\n').chopped(1).toUtf8();
}

void TstStruktur::readsStructureFiles() {
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    writeBytes(strukturPath(dir), bytes);
    TStruktur tree;
    pointAt(tree, dir);
    tree.SetDataOn(false);
    QVERIFY(tree.HentStruktur());
    QCOMPARE(outline(tree), (QStringList{"\u00c6ble", "\u00c6ble/\u00d8l og \u00e5",
                                         "\u00c6ble/\u00d8l og \u00e5/C", "D"}));
    QCOMPARE(tree.topLevelItemCount(), 2);
    QVERIFY(tree.selectedItems().isEmpty());
}

void TstStruktur::structureErrorKeepsNodesBeforeIt() {
    QTemporaryDir dir;
    QVERIFY(textfile::writeLines(strukturPath(dir), {"A", "\tA1", "\t\t\tB", "C"}));
    TStruktur tree;
    pointAt(tree, dir);
    QCOMPARE(errorOf([&] { tree.HentStruktur(); }),
             QStringLiteral("Invalid level (3) for item \"B\""));
    QCOMPARE(outline(tree), (QStringList{"A", "A/A1"}));
    // Loading stopped before the data, so no data file was made from half a tree.
    QVERIFY(!QFile::exists(dataPath(dir)));
    QCOMPARE(pdataOf(tree), (QStringList{"<none>", "<none>"}));
}

void TstStruktur::makesDataFileFromNodeTexts() {
    QTemporaryDir dir;
    TStruktur tree;
    tree.setImageList({icon(Qt::red), icon(Qt::green)});
    load(tree, dir, {"A", "\tUnder A", "B"});
    QCOMPARE(readBytes(dataPath(dir)), QByteArray("0A\r\n0Under A\r\n0B\r\n"));
    QCOMPARE(pdataOf(tree), (QStringList{"0A", "0Under A", "0B"}));
    for (const QTreeWidgetItem* node : inTreeOrder(tree)) {
        QCOMPARE(TStruktur::imageIndex(node), 0);
        QCOMPARE(node->icon(0).cacheKey(), tree.imageList().at(0).cacheKey());
        QCOMPARE(tree.documentPath(node), dir.filePath("tekstfiler/") + node->text(0) + ".html");
    }
}

void TstStruktur::dataStringGivesIconAndDocument() {
    QTemporaryDir dir;
    TStruktur tree;
    load(tree, dir, {"Indledning", "Langt ude"}, {"3Intro", "7"});
    QTreeWidgetItem* intro = tree.topLevelItem(0);
    QCOMPARE(TStruktur::Pdata(intro), QStringLiteral("3Intro"));
    QCOMPARE(TStruktur::imageIndex(intro), 3);
    QCOMPARE(tree.documentPath(intro), dir.filePath("tekstfiler/Intro.html"));
    QTreeWidgetItem* far = tree.topLevelItem(1);
    QCOMPARE(TStruktur::imageIndex(far), 7);
    QCOMPARE(tree.documentPath(far), dir.filePath("tekstfiler/.html"));

    // The pictures may come after the structure; a digit beyond them shows no picture, but
    // keeps the picture's room, so the node's text lines up with the others'.
    QVERIFY(intro->icon(0).isNull());
    const QList<QIcon> images{icon(Qt::red), icon(Qt::green), icon(Qt::blue), icon(Qt::yellow)};
    tree.setImageList(images);
    QCOMPARE(intro->icon(0).cacheKey(), images.at(3).cacheKey());
    QVERIFY(!far->icon(0).isNull());
    QCOMPARE(far->icon(0).actualSize(QSize(16, 16)), intro->icon(0).actualSize(QSize(16, 16)));
    const QImage clear = far->icon(0).pixmap(16, 16).toImage();
    for (int y = 0; y < clear.height(); ++y) {
        for (int x = 0; x < clear.width(); ++x)
            QCOMPARE(qAlpha(clear.pixel(x, y)), 0);
    }
}

void TstStruktur::withoutDataOnNodesHaveNoData() {
    QTemporaryDir dir;
    QVERIFY(textfile::writeLines(strukturPath(dir), {"A", "\tB"}));
    TStruktur tree;
    tree.SetStrukturfile(strukturPath(dir));
    tree.SetDatafile(dataPath(dir));
    QVERIFY(!tree.DataOn());
    QVERIFY(tree.HentStruktur());
    QCOMPARE(tree.nodeCount(), 2);
    QVERIFY(!QFile::exists(dataPath(dir)));
    for (const QTreeWidgetItem* node : inTreeOrder(tree)) {
        QCOMPARE(TStruktur::Pdata(node), std::nullopt);
        QCOMPARE(TStruktur::imageIndex(node), -1);
        QCOMPARE(tree.documentPath(node), QString());
    }
}

void TstStruktur::badDataFileStopsLoading_data() {
    QTest::addColumn<QStringList>("data");
    QTest::addColumn<int>("withData");
    QTest::addColumn<QString>("error"); // %1 stands for the data file's path
    QTest::newRow("short") << QStringList{"1A", "2B"} << 2
                           << "Datafilen \"%1\" har ingen linje 3 til emnet \"C\".";
    QTest::newRow("empty file") << QStringList{} << 0
                                << "Datafilen \"%1\" har ingen linje 1 til emnet \"A\".";
    QTest::newRow("empty line") << QStringList{"1A", "", "3C"} << 1
                                << "Linje 2 i datafilen \"%1\" er tom.";
    QTest::newRow("no digit") << QStringList{"1A", "2B", "Intro"} << 2
                              << "Linje 3 i datafilen \"%1\" begynder ikke med et ciffer: "
                                 "\"Intro\".";
    QTest::newRow("no digit first") << QStringList{" 1A", "2B", "3C"} << 0
                                    << "Linje 1 i datafilen \"%1\" begynder ikke med et "
                                       "ciffer: \" 1A\".";
}

void TstStruktur::badDataFileStopsLoading() {
    QFETCH(QStringList, data);
    QFETCH(int, withData);
    QFETCH(QString, error);
    QTemporaryDir dir;
    QVERIFY(textfile::writeLines(strukturPath(dir), {"A", "\tB", "C"}));
    writeBytes(dataPath(dir), data.isEmpty() ? QByteArray() : data.join("\r\n").toUtf8() + "\r\n");
    TStruktur tree;
    pointAt(tree, dir);
    QCOMPARE(errorOf([&] { tree.HentStruktur(); }), error.arg(dataPath(dir)));
    QCOMPARE(tree.nodeCount(), 3);
    const QList<QTreeWidgetItem*> nodes = inTreeOrder(tree);
    for (int i = 0; i < nodes.size(); ++i) {
        if (i < withData) {
            QCOMPARE(TStruktur::Pdata(nodes[i]), data[i]);
            QCOMPARE(TStruktur::imageIndex(nodes[i]), data[i].front().digitValue());
        } else {
            QCOMPARE(TStruktur::Pdata(nodes[i]), std::nullopt);
            QCOMPARE(TStruktur::imageIndex(nodes[i]), -1);
        }
    }
}

void TstStruktur::emptyTreeWithoutDataFile() {
    QTemporaryDir dir;
    writeBytes(strukturPath(dir), QByteArray());
    TStruktur tree;
    pointAt(tree, dir);
    const QString error = errorOf([&] { tree.HentStruktur(); });
    QVERIFY2(error.startsWith(QStringLiteral("Kan ikke læse filen \"%1\".\n").arg(dataPath(dir))),
             qPrintable(error));
    QVERIFY(!QFile::exists(dataPath(dir)));
    QCOMPARE(tree.nodeCount(), 0);
}

void TstStruktur::unwritableDataFile() {
    QTemporaryDir dir;
    QVERIFY(textfile::writeLines(strukturPath(dir), {"A", "B"}));
    TStruktur tree;
    pointAt(tree, dir);
    const QString missingFolder = dir.filePath("mangler/data.txt");
    tree.SetDatafile(missingFolder);
    const QString error = errorOf([&] { tree.HentStruktur(); });
    QVERIFY2(
        error.startsWith(QStringLiteral("Kan ikke oprette filen \"%1\".\n").arg(missingFolder)),
        qPrintable(error));
    QCOMPARE(outline(tree), (QStringList{"A", "B"}));
}

void TstStruktur::reloadReplacesTree() {
    QTemporaryDir dir;
    TStruktur tree;
    load(tree, dir, {"A", "\tB"}, {"1A", "2B"});
    tree.setCurrentItem(tree.topLevelItem(0));

    QVERIFY(textfile::writeLines(strukturPath(dir), {"X", "Y"}));
    QVERIFY(textfile::writeLines(dataPath(dir), {"5X", "6Y", "7 more lines than nodes"}));
    QVERIFY(tree.HentStruktur());
    QCOMPARE(outline(tree), (QStringList{"X", "Y"}));
    QCOMPARE(pdataOf(tree), (QStringList{"5X", "6Y"}));
    QVERIFY(tree.selectedItems().isEmpty());
}

void TstStruktur::findsFilesWhateverTheirCase() {
    QTemporaryDir dir;
    QVERIFY(textfile::writeLines(dir.filePath("Struktur.TXT"), {"A"}));
    QVERIFY(textfile::writeLines(dir.filePath("Data.txt"), {"4Intro"}));
    TStruktur tree;
    pointAt(tree, dir);
    QVERIFY(tree.HentStruktur());
    QCOMPARE(pdataOf(tree), QStringList{"4Intro"});
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{"Data.txt", "Struktur.TXT"}));
}

void TstStruktur::getNodeTekst_data() {
    QTest::addColumn<QString>("dataUrl");
    QTest::addColumn<QString>("tekst");
    const QString folder =
        QStringLiteral("file:///C:/Lenkaromappe/Struktur/Lenkaroinfo/tekstfiler/");
    // The first Intro in tree order sits below Forside; a walk level by level would meet
    // "Intro igen" first.
    QTest::newRow("file address") << folder + "Intro.html"
                                  << "Intro i Forside";
    QTest::newRow("windows path") << R"(C:\Lenkaromappe\Struktur\Lenkaroinfo\tekstfiler\Intro.html)"
                                  << "Intro i Forside";
    QTest::newRow("bare name, other extension") << "Intro.htm"
                                                << "Intro i Forside";
    QTest::newRow("small letters find only small letters") << folder + "intro.html"
                                                           << "Lille intro";
    QTest::newRow("capitals find nothing") << "INTRO.html"
                                           << "";
    QTest::newRow("full stop in the name") << folder + "Kap.1.html"
                                           << "Kapitel 1";
    QTest::newRow("bare Kap.1 is Kap") << "Kap.1"
                                       << "Kap";
    QTest::newRow("empty document name") << folder + ".html"
                                         << "Tom";
    QTest::newRow("no such page") << folder + "Ukendt.html"
                                  << "";
    QTest::newRow("web address") << "https://www.example.com/search?q=lenkaro"
                                 << "";
}

void TstStruktur::getNodeTekst() {
    QFETCH(QString, dataUrl);
    QFETCH(QString, tekst);
    QTemporaryDir dir;
    TStruktur tree;
    load(tree, dir,
         {"Forside", "\tLille intro", "\tIntro i Forside", "\t\tKapitel 1", "Kap", "Intro igen",
          "Tom"},
         {"0Forside", "1intro", "2Intro", "3Kap.1", "4Kap", "5Intro", "6"});
    QTreeWidgetItem* before = tree.topLevelItem(0);
    tree.setCurrentItem(before);

    QCOMPARE(tree.getNodeTekst(dataUrl), tekst);
    QTreeWidgetItem* expected = tekst.isEmpty() ? before : nodeNamed(tree, tekst);
    QCOMPARE(tree.currentItem(), expected);
    QCOMPARE(tree.selectedItems(), QList<QTreeWidgetItem*>{expected});
}

void TstStruktur::getNodeTekstPassesNodesWithoutData() {
    // B is left without a data string by the short data file; it has no document name, not an
    // empty one.
    QTemporaryDir dir;
    QVERIFY(textfile::writeLines(strukturPath(dir), {"A", "B"}));
    QVERIFY(textfile::writeLines(dataPath(dir), {"0X"}));
    TStruktur tree;
    pointAt(tree, dir);
    QVERIFY(!errorOf([&] { tree.HentStruktur(); }).isNull());
    QCOMPARE(tree.getNodeTekst("tekstfiler/.html"), QString());
    QVERIFY(tree.selectedItems().isEmpty());
    QCOMPARE(tree.getNodeTekst("tekstfiler/X.html"), QStringLiteral("A"));
}

void TstStruktur::getNodeTekstRefusesInvalidCharacters() {
    QTemporaryDir dir;
    TStruktur tree;
    load(tree, dir, {"Forside", "Nyheder"}, {"0Forside", "0Nyheder"});
    tree.setCurrentItem(tree.topLevelItem(0));
    QCOMPARE(errorOf([&] { tree.getNodeTekst("Lenkaro | Nyheder"); }),
             QStringLiteral("Invalid characters in path"));
    QCOMPARE(tree.selectedItems(), QList<QTreeWidgetItem*>{tree.topLevelItem(0)});
}

void TstStruktur::getNodeTekstWithDataOff() {
    QTemporaryDir dir;
    TStruktur tree;
    load(tree, dir, {"Indledning"}, {"3Intro"});
    tree.SetDataOn(false);
    QCOMPARE(tree.getNodeTekst("Intro.html"), QString());
    QCOMPARE(errorOf([&] { tree.getNodeTekst("a|b"); }), QString());
    QVERIFY(tree.selectedItems().isEmpty());
}

void TstStruktur::loadsLargeStructure_data() {
    QTest::addColumn<bool>("withDataFile");
    QTest::newRow("data file given") << true;
    QTest::newRow("data file made") << false;
}

void TstStruktur::loadsLargeStructure() {
    QFETCH(bool, withDataFile);
    // A wandering depth, each line at most one level below the one before, the depth kept
    // apart from the parents it should produce.
    const int count = 5000;
    QStringList structure, data, texts;
    QList<int> depths;
    QList<int> parents; // expected parent per node, -1 for top-level
    quint32 seed = 12345;
    int depth = 0;
    for (int i = 0; i < count; ++i) {
        seed = seed * 1103515245u + 12345u;
        if (i > 0)
            depth = int((seed >> 16) % quint32(std::min(depth, 6) + 2));
        int parent = -1;
        for (int j = i - 1; depth > 0 && j >= 0; --j) {
            if (depths[j] == depth - 1) {
                parent = j;
                break;
            }
        }
        depths.append(depth);
        parents.append(parent);
        const QString text = QStringLiteral("Emne %1 \u00e6\u00f8\u00e5").arg(i);
        texts.append(text);
        structure.append(QString(depth, u'\t') + text);
        data.append(withDataFile ? QString::number(i % 10) + "side-" + QString::number(i)
                                 : u'0' + text);
    }

    QTemporaryDir dir;
    TStruktur tree;
    load(tree, dir, structure, withDataFile ? data : QStringList{});
    if (!withDataFile)
        QCOMPARE(*textfile::readLines(dataPath(dir)), data);

    const QList<QTreeWidgetItem*> nodes = inTreeOrder(tree);
    QCOMPARE(nodes.size(), count);
    QCOMPARE(tree.nodeCount(), count);
    for (int i = 0; i < count; ++i) {
        QCOMPARE(nodes[i]->text(0), texts[i]);
        QCOMPARE(nodes[i]->parent() ? nodes[i]->parent()->text(0) : QString(),
                 parents[i] < 0 ? QString() : texts[parents[i]]);
        QCOMPARE(TStruktur::Pdata(nodes[i]), data[i]);
        QCOMPARE(TStruktur::imageIndex(nodes[i]), data[i].front().digitValue());
    }
    QCOMPARE(tree.getNodeTekst(dir.filePath("tekstfiler/") + data.last().mid(1) + ".html"),
             texts.last());
    QCOMPARE(tree.currentItem(), nodes.last());
}

QTEST_MAIN(TstStruktur)
#include "tst_struktur.moc"
