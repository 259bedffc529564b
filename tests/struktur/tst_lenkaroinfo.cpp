// The installed help structure "Lenkaroinfo", read from the source tree with the real tree
// control, laid out the way the information window lays out a structure's folder.
#include "platform/textcompare.h"
#include "platform/textfile.h"
#include "struktur/Struktur.h"
#include "struktur/dokumentsoeg.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTreeWidgetItemIterator>
#include <QUrl>

#include <memory>

class TstLenkaroinfo : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void loadsWholeStructure();
    void topicsOpenTheirPages_data();
    void topicsOpenTheirPages();
    void everyNodeHasItsDocument();
    void everyPageLeadsBackToItsNode();
    void everyPageBelongsToANode();
    void linksReachExistingFiles();
    void picturesHaveAltText();
    void pagesShareOneStyleSheet();
    void outsideLinksStayInThePageView();
    void searchFindsTheFindPage_data();
    void searchFindsTheFindPage();
    void markupNamesFindNoPage();

private:
    struct Reference {
        QString page;   // the document the reference is in
        QString target; // the attribute's value as written
    };
    QList<Reference> references(const QString& attribute) const;
    QString read(const QString& path) const;

    const QString folder = QStringLiteral(HELP_STRUCTURE);
    QString infomappe;
    QString billedmappe;
    QString htmlmappe;
    std::unique_ptr<TStruktur> tree;
    QStringList pages; // every file in the document folder, the shared style sheet's folder aside
};

namespace {
const QString sep = QDir::separator();

// The first node in tree order whose text is the topic, letters A to Z compared without case:
// the node the information window opens for the topic.
QTreeWidgetItem* topicNode(TStruktur& tree, const QString& topic) {
    for (QTreeWidgetItemIterator it(&tree); *it; ++it) {
        if (sameTextAZ((*it)->text(0), topic))
            return *it;
    }
    return nullptr;
}

bool isOutside(const QString& target) {
    return QUrl(target).scheme().size() > 1; // a drive letter is no scheme
}
} // namespace

void TstLenkaroinfo::initTestCase() {
    QVERIFY2(QFileInfo(folder).isDir(), qPrintable(folder));
    infomappe = folder + sep + QStringLiteral("tekstfiler") + sep;
    billedmappe = folder + sep + QStringLiteral("Billeder") + sep;
    htmlmappe = infomappe + QStringLiteral("Design og funktioner") + sep;
    // Loading writes a data file when there is none; this one belongs to the source tree.
    QVERIFY(QFileInfo(folder + sep + QStringLiteral("data.txt")).isFile());

    tree = std::make_unique<TStruktur>();
    tree->SetBilledmappe(billedmappe);
    tree->SetStrukturfile(folder + sep + QStringLiteral("struktur.txt"));
    tree->SetDatafile(folder + sep + QStringLiteral("data.txt"));
    tree->SetInfomappe(infomappe);
    tree->SetHtmlmappe(htmlmappe);
    tree->SetDataOn(true);
    try {
        QVERIFY(tree->HentStruktur());
    } catch (const StrukturError& e) {
        QFAIL(qPrintable(e.message()));
    }

    const QDir documents(infomappe);
    for (const QString& name : documents.entryList(QDir::Files))
        pages << documents.filePath(name);
    QVERIFY(!pages.isEmpty());
}

QString TstLenkaroinfo::read(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return textfile::decode(file.readAll());
}

QList<TstLenkaroinfo::Reference> TstLenkaroinfo::references(const QString& attribute) const {
    const QRegularExpression pattern(QStringLiteral("\\b%1\\s*=\\s*\"([^\"]*)\"").arg(attribute));
    QList<Reference> found;
    for (const QString& page : pages) {
        auto it = pattern.globalMatch(read(page));
        while (it.hasNext())
            found.append({page, it.next().captured(1)});
    }
    return found;
}

void TstLenkaroinfo::loadsWholeStructure() {
    const std::optional<QStringList> data =
        textfile::readLines(folder + sep + QStringLiteral("data.txt"));
    QVERIFY(data);
    // One data line for each node, no more: a line too many belongs to a node that is gone.
    QCOMPARE(data->size(), tree->nodeCount());
    // Read as plain text in any code page, the data file must say the same.
    for (const QString& line : *data) {
        for (QChar c : line)
            QVERIFY2(c.unicode() < 128, qPrintable(line));
    }
}

void TstLenkaroinfo::topicsOpenTheirPages_data() {
    QTest::addColumn<QString>("topic");
    QTest::addColumn<QString>("document");
    // Asked for by the windows: the first showing, F1 in the main window, the administration
    // window's four information buttons and F1 in the find window.
    QTest::newRow("first showing") << "Information"
                                   << "Information";
    QTest::newRow("main window") << "Lenkaro"
                                 << "Lenkaro";
    QTest::newRow("tab Grupper") << "Grupper"
                                 << "Grupper";
    QTest::newRow("tab Indfør element") << "Indfør element"
                                        << "Nyt-element";
    QTest::newRow("tab Fjern eller rediger element") << "Rediger element"
                                                     << "Rediger-element";
    QTest::newRow("tab Administrer grupper") << "Administrer grupper"
                                             << "Lager";
    QTest::newRow("find window") << "Find element"
                                 << "Find-element";
    // Where a user looks for them.
    QTest::newRow("content modes") << "Webadresser og programmer"
                                   << "Indhold";
    QTest::newRow("visits") << "Dato, klokken og besøg"
                            << "Dato-og-klokken";
    QTest::newRow("bookmarks") << "Bogmærker"
                               << "Bogmaerker";
    QTest::newRow("administration window") << "Administrer grupper og elementer"
                                           << "Administration";
    QTest::newRow("styles") << "Design"
                            << "Design";
    QTest::newRow("browser choice") << "Valg af browser"
                                    << "Browser";
    QTest::newRow("help window") << "Informationsvinduet"
                                 << "Informationsvinduet";
    QTest::newRow("search") << "Søgning i hjælpen"
                            << "Fritekst";
    QTest::newRow("visited pages") << "Besøgte sider"
                                   << "Historik";
    QTest::newRow("shortcuts") << "Tastaturgenveje"
                               << "Genveje";
    QTest::newRow("files") << "Filer og mapper"
                           << "Filer";
    QTest::newRow("moving") << "Flyt til en anden computer"
                            << "Flytning";
    QTest::newRow("messages") << "Meddelelser"
                              << "Meddelelser";
    QTest::newRow("shell errors") << "Fejlinformation"
                                  << "Fejlinformation";
}

void TstLenkaroinfo::topicsOpenTheirPages() {
    QFETCH(QString, topic);
    QFETCH(QString, document);
    QTreeWidgetItem* node = topicNode(*tree, topic);
    QVERIFY2(node, qPrintable(topic));
    QCOMPARE(node->text(0), topic);
    QCOMPARE(tree->documentPath(node), infomappe + document + QStringLiteral(".html"));
}

void TstLenkaroinfo::everyNodeHasItsDocument() {
    QRegularExpression title(QStringLiteral("<title>([^<]*)</title>"));
    for (QTreeWidgetItemIterator it(tree.get()); *it; ++it) {
        const QString path = tree->documentPath(*it);
        QVERIFY2(!path.isEmpty(), qPrintable((*it)->text(0)));
        QVERIFY2(QFileInfo(path).isFile(), qPrintable(path));
        // The page's title is its topic, so the window's title bar and the tree agree.
        const QString text = read(path);
        QVERIFY2(text.startsWith(QStringLiteral("<!DOCTYPE html>")), qPrintable(path));
        QCOMPARE(title.match(text).captured(1), (*it)->text(0).toHtmlEscaped());
    }
}

void TstLenkaroinfo::everyPageLeadsBackToItsNode() {
    // The history names a page by its node: each document must find the node it belongs to,
    // also when it is reached through a link rather than through the tree.
    for (QTreeWidgetItemIterator it(tree.get()); *it; ++it) {
        const QString path = tree->documentPath(*it);
        QCOMPARE(tree->getNodeTekst(path), (*it)->text(0));
        QCOMPARE(tree->getNodeTekst(QUrl::fromLocalFile(path).toString()), (*it)->text(0));
        QCOMPARE(tree->currentItem(), *it);
    }
}

void TstLenkaroinfo::everyPageBelongsToANode() {
    // The search lists every file of the document folder; each result must be a topic.
    QSet<QString> documents;
    for (QTreeWidgetItemIterator it(tree.get()); *it; ++it)
        documents.insert(QFileInfo(tree->documentPath(*it)).absoluteFilePath());
    for (const QString& page : pages)
        QVERIFY2(documents.contains(QFileInfo(page).absoluteFilePath()), qPrintable(page));
}

void TstLenkaroinfo::linksReachExistingFiles() {
    const QList<Reference> found =
        references(QStringLiteral("href")) + references(QStringLiteral("src"));
    int inside = 0;
    for (const Reference& r : found) {
        if (isOutside(r.target))
            continue;
        const QString where = QFileInfo(r.page).fileName() + QStringLiteral(": ") + r.target;
        QVERIFY2(!r.target.contains(u'\\'), qPrintable(where));
        QVERIFY2(!r.target.contains(u' '), qPrintable(where));
        const QUrl url(r.target);
        QVERIFY2(url.isValid() && url.isRelative(), qPrintable(where));
        const QString target = QFileInfo(r.page).dir().filePath(url.path(QUrl::FullyDecoded));
        QVERIFY2(QFileInfo(target).isFile(), qPrintable(where));
        if (url.hasFragment()) {
            const QString id = QStringLiteral("id=\"%1\"").arg(url.fragment());
            QVERIFY2(read(target).contains(id), qPrintable(where));
        }
        ++inside;
    }
    QVERIFY(inside > 0);
}

void TstLenkaroinfo::picturesHaveAltText() {
    const QRegularExpression img(QStringLiteral("<img\\b[^>]*>"));
    const QRegularExpression alt(QStringLiteral("\\balt=\"([^\"]+)\""));
    const QRegularExpression src(QStringLiteral("\\bsrc=\"([^\"]+)\""));
    int pictures = 0;
    for (const QString& page : pages) {
        auto it = img.globalMatch(read(page));
        while (it.hasNext()) {
            const QString tag = it.next().captured(0);
            const QString where = QFileInfo(page).fileName() + QStringLiteral(": ") + tag;
            QVERIFY2(alt.match(tag).captured(1).trimmed().size() > 10, qPrintable(where));
            // Pictures live in the structure's picture folder.
            const QString file = QFileInfo(page).dir().filePath(
                QUrl(src.match(tag).captured(1)).path(QUrl::FullyDecoded));
            QCOMPARE(QFileInfo(file).absolutePath() + u'/', QDir::cleanPath(billedmappe) + u'/');
            QVERIFY2(QFileInfo(file).isFile(), qPrintable(where));
            ++pictures;
        }
    }
    QVERIFY(pictures > 0);
}

void TstLenkaroinfo::pagesShareOneStyleSheet() {
    const QDir design(htmlmappe);
    const QStringList sheets = design.entryList({QStringLiteral("*.css")}, QDir::Files);
    QCOMPARE(sheets.size(), 1);
    const QString sheet = QFileInfo(design.filePath(sheets.first())).absoluteFilePath();
    const QRegularExpression link(QStringLiteral("<link rel=\"stylesheet\" href=\"([^\"]+)\">"));
    for (const QString& page : pages) {
        const QString href = link.match(read(page)).captured(1);
        QVERIFY2(!href.isEmpty(), qPrintable(page));
        const QString target = QFileInfo(page).dir().filePath(QUrl(href).path(QUrl::FullyDecoded));
        QCOMPARE(QFileInfo(target).absoluteFilePath(), sheet);
    }
}

void TstLenkaroinfo::outsideLinksStayInThePageView() {
    // A page that asks for a window of its own would leave the help window.
    for (const QString& page : pages)
        QVERIFY2(!read(page).contains(QStringLiteral("target=")), qPrintable(page));
    for (const Reference& r : references(QStringLiteral("href"))) {
        if (isOutside(r.target))
            QVERIFY2(r.target.startsWith(QStringLiteral("https://")), qPrintable(r.target));
    }
}

void TstLenkaroinfo::searchFindsTheFindPage_data() {
    QTest::addColumn<QString>("tekst");
    // What a user looking for it would type into the help's search.
    QTest::newRow("its title") << "Find element";
    QTest::newRow("its shortcut") << "Ctrl";
    QTest::newRow("Danish for search") << "søger";
    QTest::newRow("all groups") << "alle grupper";
}

void TstLenkaroinfo::searchFindsTheFindPage() {
    QFETCH(QString, tekst);
    QVERIFY(
        dokumentsoeg::findDokumenter(infomappe, tekst).contains(QStringLiteral("Find-element")));
}

// The search reads a page's markup like its text, so a class name that is a word of the help
// makes pages found for a word they never say ("knap" found 16 pages, of which 6 say it). No
// class name is a word that any page says.
void TstLenkaroinfo::markupNamesFindNoPage() {
    QSet<QString> words;
    for (const Reference& r : references(QStringLiteral("class"))) {
        for (const QString& word :
             r.target.split(QRegularExpression(QStringLiteral("[^\\w]+")), Qt::SkipEmptyParts))
            words.insert(word);
    }
    QVERIFY(!words.isEmpty());
    const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    for (const QString& word : words) {
        const QRegularExpression said(
            QStringLiteral("\\b%1\\b").arg(QRegularExpression::escape(word)),
            QRegularExpression::CaseInsensitiveOption |
                QRegularExpression::UseUnicodePropertiesOption);
        QStringList saying;
        for (const QString& page : pages) {
            if (QString(read(page)).remove(tag).contains(said))
                saying << QFileInfo(page).completeBaseName();
        }
        const QStringList found = dokumentsoeg::findDokumenter(infomappe.chopped(1), word);
        QVERIFY2(saying.isEmpty(),
                 qPrintable(QStringLiteral("%1: said in %2 of the %3 pages the search finds")
                                .arg(word)
                                .arg(saying.size())
                                .arg(found.size())));
    }
}

QTEST_MAIN(TstLenkaroinfo)
#include "tst_lenkaroinfo.moc"
