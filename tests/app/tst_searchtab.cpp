#include "controls.h"
#include "fixture.h"
#include "helpstructure.h"
#include "writefile.h"

#include "platform/toolkit/stylemanager.h"
#include "platform/toolkit/updateaction.h"
#include "settings/programsettings.h"
#include "struktur/Struktur.h"
#include "ui/admin/boks.h"
#include "ui/help/info.h"
#include "ui/main/main.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>

// The help window's search tab driven as a user would: type, press Enter or Ctrl+S, click a
// result.
class TstSearchtab : public QObject {
    Q_OBJECT
private slots:
    void enterListsDocumentsInFolderOrder();
    void emptyBoxDoesNothing();
    void missingFolderKeepsResults();
    void emptyTextClearsResults();
    void clickOpensDocumentAsHtml();
    void keysOpenResult_data();
    void keysOpenResult();
    void resultsDrawnByStyle_data();
    void resultsDrawnByStyle();
    void resultTextReadableOnItsRow_data();
    void resultTextReadableOnItsRow();
};

namespace {
struct Help {
    Fixture f;
    QString tekstfiler;
    App* app = nullptr;

    Help() {
        tekstfiler = makeHelpStructure(f.base);
        f.makeUser();
        app = &f.start();
        app->mainform->show();
        app->mainform->Information("Lenkaro");
        control<QTabWidget>(info(), "infoBog")->setCurrentIndex(1);
    }
    Tinfoformen* info() const { return app->infoformen; }
    QStringList results() const {
        QStringList texts;
        for (int i = 0; i < control<QListWidget>(info(), "Findis")->count(); ++i)
            texts << control<QListWidget>(info(), "Findis")->item(i)->text();
        return texts;
    }
    void search(const QString& text) {
        control<QLineEdit>(info(), "EditFind")->setText(text);
        QTest::keyClick(control<QLineEdit>(info(), "EditFind"), Qt::Key_Return);
    }
    void write(const QString& name, const QString& text) {
        writeFixture(tekstfiler + "/" + name, {text});
    }
};
} // namespace

void TstSearchtab::enterListsDocumentsInFolderOrder() {
    Help h;
    h.write("Noter.txt", "Et element i en tekstfil.");
    h.write("Sidst.html", "<p>elementer</p>");
    QDir(h.tekstfiler).mkpath("Design og funktioner");
    h.write("Design og funktioner/stil.css", "/* element */");
    // Every document of the test structure says "Hjælp om <b>...</b>"; "indfør" only one.
    h.search("indfør ELEMENT");
    QCOMPARE(h.results(), QStringList({"Indfor"}));
    h.search("element");
    QCOMPARE(h.results(), QStringList({"Indfor", "Noter", "Rediger"}));
    QCOMPARE(h.app->infform->takeShown(), QStringList());
    QCOMPARE(control<QListWidget>(h.info(), "Findis")->sizeHintForRow(0), 20);
}

void TstSearchtab::emptyBoxDoesNothing() {
    Help h;
    h.search("grupper");
    const QStringList before = h.results();
    QVERIFY(!before.isEmpty());
    control<QLineEdit>(h.info(), "EditFind")->clear();
    QTest::keyClick(control<QLineEdit>(h.info(), "EditFind"), Qt::Key_Return);
    control<UpdateAction>(h.info(), "aSearch")->update();
    QVERIFY(!control<UpdateAction>(h.info(), "aSearch")->isEnabled());
    control<UpdateAction>(h.info(), "aSearch")->execute();
    QCOMPARE(h.results(), before);
    QCOMPARE(h.app->infform->takeShown(), QStringList());
    control<QLineEdit>(h.info(), "EditFind")->setText("grupper");
    control<UpdateAction>(h.info(), "aSearch")->update();
    QVERIFY(control<UpdateAction>(h.info(), "aSearch")->isEnabled());
}

void TstSearchtab::missingFolderKeepsResults() {
    Help h;
    h.search("grupper");
    const QStringList before = h.results();
    QVERIFY(QDir(h.tekstfiler).removeRecursively());
    h.search("grupper");
    QCOMPARE(h.app->infform->takeShown(), QStringList({"Filerne blev ikke fundet."}));
    QCOMPARE(h.results(), before);
}

void TstSearchtab::emptyTextClearsResults() {
    Help h;
    h.search("grupper");
    QVERIFY(!h.results().isEmpty());
    h.info()->FindTekst(QString());
    QCOMPARE(h.app->infform->takeShown(), QStringList({"Der mangler en søgetekst."}));
    QCOMPARE(h.results(), QStringList());
}

void TstSearchtab::clickOpensDocumentAsHtml() {
    Help h;
    h.write("Noter.txt", "Rediger element her.");
    h.search("rediger");
    QCOMPARE(h.results(), QStringList({"Noter", "Rediger"}));
    QListWidget* list = control<QListWidget>(h.info(), "Findis");
    const QRect row = list->visualItemRect(list->item(0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    // A result names a document without its extension: the page view is asked for it as HTML.
    const QString asked = h.f.fakes.pageView->navigated.last();
    QCOMPARE(QFileInfo(asked).fileName(), QString("Noter.html"));
    QCOMPARE(QFileInfo(asked).absolutePath(), QFileInfo(h.tekstfiler).absoluteFilePath());
    QCOMPARE(h.info()->currentDocument(), asked);
}

void TstSearchtab::keysOpenResult_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Space") << int(Qt::Key_Space);
}

// A result chosen with the arrow keys opens with Enter or Space, as a click opens it; moving
// opens nothing.
void TstSearchtab::keysOpenResult() {
    QFETCH(int, key);
    Help h;
    h.write("Noter.txt", "Rediger element her.");
    h.search("rediger");
    QListWidget* list = control<QListWidget>(h.info(), "Findis");
    h.info()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.info()));
    list->setFocus();
    const qsizetype before = h.f.fakes.pageView->navigated.size();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(h.f.fakes.pageView->navigated.size(), before);
    QTest::keyClick(list, Qt::Key(key));
    QCOMPARE(QFileInfo(h.f.fakes.pageView->navigated.last()).fileName(), QString("Rediger.html"));
}

void TstSearchtab::resultsDrawnByStyle_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<QColor>("bullet");
    QTest::addColumn<bool>("whiteRow");
    QTest::newRow("first style of the list") << 0 << QColor(192, 220, 192) << true;
    QTest::newRow("another style") << 3 << QColor(255, 255, 0) << false;
    QTest::newRow("no style chosen") << -1 << QColor(255, 255, 0) << false;
}

void TstSearchtab::resultsDrawnByStyle() {
    QFETCH(int, position);
    QFETCH(QColor, bullet);
    QFETCH(bool, whiteRow);
    Help h;
    h.search("grupper");
    QListWidget* list = control<QListWidget>(h.info(), "Findis");
    list->setStyleSheet("QListWidget { background: rgb(10, 20, 30); }");
    list->clearSelection();
    // The style in use, by its place in the administration window's style list.
    QComboBox* styles = control<QComboBox>(h.app->boksform, "designBox");
    h.app->settings->setDesignname(position < 0 ? QString("Ingen") : styles->itemText(position));
    list->resize(200, 200);
    const QImage shot = list->viewport()->grab().toImage();
    const QRect r = list->visualItemRect(list->item(0));
    QCOMPARE(QColor(shot.pixel(r.left() + 7, r.top() + 9)), bullet);
    // Beside the text, the row is white or the list's own background; the last line is silver.
    const QColor row(shot.pixel(r.right() - 2, r.top() + 10));
    QCOMPARE(row, whiteRow ? QColor(Qt::white) : QColor(10, 20, 30));
    QCOMPARE(QColor(shot.pixel(r.left() + 30, r.bottom())), QColor(192, 192, 192));
}

void TstSearchtab::resultTextReadableOnItsRow_data() {
    QTest::addColumn<QString>("style");
    QTest::addColumn<bool>("darkRow");
    QTest::newRow("Sky: black on a light row") << "Sky" << false;
    QTest::newRow("Windows10 Clear Day") << "Windows10 Clear Day" << false;
    QTest::newRow("Carbon: light on a dark row") << "Carbon" << true;
}

// The text of a result stands out from its row: black where the row is light, as designed, and
// the palette's text colour where a dark style makes the row dark.
void TstSearchtab::resultTextReadableOnItsRow() {
    QFETCH(QString, style);
    QFETCH(bool, darkRow);
    Help h;
    QVERIFY(StyleManager::setStyle(style));
    QComboBox* designs = control<QComboBox>(h.app->boksform, "designBox");
    designs->setCurrentIndex(designs->findText(style));
    QVERIFY(designs->currentIndex() > 0);
    h.search("grupper");
    QListWidget* list = control<QListWidget>(h.info(), "Findis");
    QVERIFY(list->count() > 0);
    list->clearSelection();
    list->resize(200, 200);
    list->doItemsLayout();
    const QImage shot = list->viewport()->grab().toImage();
    const QRect r = list->visualItemRect(list->item(0));
    const int rowLightness = QColor(shot.pixel(r.right() - 2, r.top() + 10)).lightness();
    QCOMPARE(rowLightness < 128, darkRow);
    // The text's strongest pixel, against the row.
    int contrast = 0;
    for (int y = r.top() + 1; y < r.bottom(); ++y) {
        for (int x = r.left() + 16; x < r.left() + 80; ++x)
            contrast =
                std::max(contrast, std::abs(QColor(shot.pixel(x, y)).lightness() - rowLightness));
    }
    QVERIFY2(contrast > 120, qPrintable(QString::number(contrast)));
    QVERIFY(StyleManager::setStyle("Sky"));
}

QTEST_MAIN(TstSearchtab)
#include "tst_searchtab.moc"
