#include "controls.h"
#include "fixture.h"
#include "helpstructure.h"
#include "writefile.h"

#include "platform/toolkit/updateaction.h"
#include "store/helphistory.h"
#include "struktur/Struktur.h"
#include "ui/admin/boks.h"
#include "ui/help/info.h"
#include "ui/help/url1.h"
#include "ui/main/main.h"

#include <QAccessible>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QUrlQuery>
#include <QWindow>

#include <limits>

// The information window driven as a user would, with a page view whose events the test raises.
class TstInfowindow : public QObject {
    Q_OBJECT
private slots:
    void engineWaitsForFirstShowing();
    void firstShowingOpensInformation();
    void topicLookup_data();
    void topicLookup();
    void everyCallerReachesItsNode_data();
    void everyCallerReachesItsNode();
    void noStructureShowsWindowOnly();
    void clickEnterAndSpaceOpenTopics();
    void titleChangeFeedsAddressBoxAndHistory();
    void navigationRules_data();
    void navigationRules();
    void backThenLinkAppendsOrSelects();
    void historyMovesAddNothing();
    void pagesOutsideStructureShareOneEntry();
    void goToStrukturOutsideHistoryIsIgnored();
    void addressBoxOpensDocument();
    void addressBoxSearchesEncoded_data();
    void addressBoxSearchesEncoded();
    void hoverRules();
    void newWindowRule();
    void rulesFollowPagesWithoutInput();
    void newPageClearsHover();
    void optionsDefaultsWrittenAtFirstShowing_data();
    void optionsDefaultsWrittenAtFirstShowing();
    void optionsReadAndWrittenAtClose();
    void extremeOptionsStayOnScreen_data();
    void extremeOptionsStayOnScreen();
    void layout();
    void arrowsByKeyboard();
    void readableByScreenReaders();
};

namespace {
// The row marked in a list of "Urlboks", -1 for none.
int selectedRow(const QAbstractItemView* list) {
    const QModelIndexList selected = list->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

struct Help {
    Fixture f;
    QString tekstfiler;
    App* app = nullptr;

    explicit Help(bool withStructure = true) {
        if (withStructure)
            tekstfiler = makeHelpStructure(f.base);
        f.makeUser();
        app = &f.start();
        app->mainform->show();
        app->mainform->activateWindow();
        if (!QTest::qWaitForWindowActive(app->mainform))
            qWarning("main window not active");
    }
    Tinfoformen* info() const { return app->infoformen; }
    Turlform1* urls() const { return app->urlform1; }
    store::HelpHistory* hist() const { return app->helpHistory.get(); }
    FakePageView* web() const { return f.fakes.pageView; }
    QString doc(const QString& name) const {
        return QDir::toNativeSeparators(tekstfiler) + QDir::separator() + name + ".html";
    }
    // Shows the window with F1 and lets the opening page load.
    void open() {
        QTest::keyClick(app->mainform, Qt::Key_F1);
        QVERIFY(web());
        loadLast();
    }
    // The page the view was last sent to loads, as after a click on a link would.
    void loadLast() { web()->load(QFileInfo(web()->navigated.last()).fileName()); }
    QStringList history() const {
        QStringList entries;
        for (int i = 0; i < hist()->entries(); ++i)
            entries << hist()->nodeText(i);
        return entries;
    }
};
} // namespace

void TstInfowindow::engineWaitsForFirstShowing() {
    Help h;
    QVERIFY(!h.info()->isVisible());
    QVERIFY(h.web() == nullptr);
    QVERIFY(h.info()->findChild<QWidget*>("Web") == nullptr);
    // The structure is there from the start; only the page view waits.
    QCOMPARE(control<TStruktur>(h.info(), "Struktur")->nodeCount(), 9);
    h.app->mainform->Information("Lenkaro");
    QVERIFY(h.web() != nullptr);
    QCOMPARE(h.info()->findChild<QWidget*>("Web"), h.web()->widget());
}

void TstInfowindow::firstShowingOpensInformation() {
    Help h;
    h.info()->goToInfo("Grupper");
    // "Information" opens at the first showing, then the topic asked for.
    QCOMPARE(h.web()->navigated, (QStringList{h.doc("Information"), h.doc("Grupper")}));
    h.info()->hide();
    h.info()->goToInfo("Lenkaro");
    QCOMPARE(h.web()->navigated.size(), 3);
    QCOMPARE(h.web()->navigated.last(), h.doc("Lenkaro"));
}

void TstInfowindow::topicLookup_data() {
    QTest::addColumn<QString>("topic");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("selected");
    QTest::newRow("exact") << "Indfør element" << true << "Indfor"
                           << "Indfør element";
    QTest::newRow("A-Z folded") << "iNDFøR ELEMENT" << true << "Indfor"
                                << "Indfør element";
    QTest::newRow("first of two equal") << "grupper" << true << "Grupper"
                                        << "Grupper";
    QTest::newRow("æ is not Æ") << "æble" << false << "Information"
                                << "Information";
    QTest::newRow("Æ with A-Z folded") << "ÆBLE" << true << "Aeble"
                                       << "Æble";
    QTest::newRow("empty opens first node") << "" << true << "Information"
                                            << "Information";
    QTest::newRow("unknown") << "Ingen" << false << "Information"
                             << "Information";
}

void TstInfowindow::topicLookup() {
    QFETCH(QString, topic);
    QFETCH(bool, found);
    QFETCH(QString, document);
    QFETCH(QString, selected);
    Help h;
    QCOMPARE(h.info()->goToInfo(topic), found);
    QVERIFY(h.info()->isVisible());
    QCOMPARE(h.web()->navigated.last(), h.doc(document));
    QCOMPARE(h.info()->currentDocument(), h.doc(document));
    const QList<QTreeWidgetItem*> items = control<TStruktur>(h.info(), "Struktur")->selectedItems();
    QCOMPARE(items.size(), 1);
    QCOMPARE(items.first()->text(0), selected);
    if (found && topic == "ÆBLE")
        QVERIFY(items.first()->parent()->isExpanded() || items.first()->isExpanded());
}

void TstInfowindow::everyCallerReachesItsNode_data() {
    QTest::addColumn<QString>("caller");
    QTest::addColumn<QString>("document");
    QTest::newRow("F1") << "F1"
                        << "Lenkaro";
    QTest::newRow("sbInformationsKnap") << "sbInformationsKnap"
                                        << "Grupper";
    QTest::newRow("sbInfo2") << "sbInfo2"
                             << "Indfor";
    QTest::newRow("sbInfo1") << "sbInfo1"
                             << "Rediger";
    QTest::newRow("sbInformation") << "sbInformation"
                                   << "Admin";
}

void TstInfowindow::everyCallerReachesItsNode() {
    QFETCH(QString, caller);
    QFETCH(QString, document);
    Help h;
    if (caller == "F1")
        QTest::keyClick(h.app->mainform, Qt::Key_F1);
    else
        h.app->boksform->findChild<QToolButton*>(caller)->click();
    QVERIFY(h.info()->isVisible());
    QCOMPARE(h.web()->navigated.last(), h.doc(document));
}

void TstInfowindow::noStructureShowsWindowOnly() {
    Help h(false);
    QCOMPARE(control<QLabel>(h.info(), "antalLabel")->text(), QStringLiteral("0"));
    QVERIFY(!h.info()->goToInfo("Lenkaro"));
    QVERIFY(h.info()->isVisible());
    QVERIFY(h.web()->navigated.isEmpty());
}

void TstInfowindow::clickEnterAndSpaceOpenTopics() {
    Help h;
    h.open();
    TStruktur* tree = control<TStruktur>(h.info(), "Struktur");
    tree->setFocus();
    // Moving with the arrow keys selects without opening.
    tree->setCurrentItem(tree->topLevelItem(0));
    const qsizetype before = h.web()->navigated.size();
    QTest::keyClick(tree, Qt::Key_Down);
    QCOMPARE(h.web()->navigated.size(), before);
    QCOMPARE(tree->currentItem()->text(0), QStringLiteral("Lenkaro"));
    QTest::keyClick(tree, Qt::Key_Return);
    QCOMPARE(h.web()->navigated.last(), h.doc("Lenkaro"));
    QTest::keyClick(tree, Qt::Key_Down);
    QTest::keyClick(tree, Qt::Key_Space);
    QCOMPARE(h.web()->navigated.last(), h.doc("Grupper"));
    QTreeWidgetItem* admin = tree->topLevelItem(2);
    const QRect rect = tree->visualItemRect(admin);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, rect.center());
    QCOMPARE(h.web()->navigated.last(), h.doc("Admin"));
}

void TstInfowindow::titleChangeFeedsAddressBoxAndHistory() {
    Help h;
    h.open();
    // F1 opened "Information" and then "Lenkaro"; the view shows the last page asked for.
    QCOMPARE(control<QLineEdit>(h.info(), "Edit")->text(), QStringLiteral("Lenkaro.html"));
    QCOMPARE(h.history(), QStringList{"Lenkaro"});
    QCOMPARE(h.hist()->strukturName(0), QStringLiteral("Lenkaroinfo.txt"));
    QCOMPARE(h.hist()->urlIndex(), 0);
    QCOMPARE(h.info()->currentDocument(), h.tekstfiler + QDir::separator() + "Lenkaro.html");
    // Further title changes of the same page, in any A-Z case, add nothing.
    h.web()->changeTitle();
    h.web()->location = "LENKARO.HTML";
    h.web()->changeTitle();
    QCOMPARE(h.history(), QStringList{"Lenkaro"});
    // The tree follows the page shown.
    h.web()->load("Rediger.html");
    QCOMPARE(control<TStruktur>(h.info(), "Struktur")->currentItem()->text(0),
             QStringLiteral("Rediger element"));
    QCOMPARE(h.history(), (QStringList{"Lenkaro", "Rediger element"}));
    h.urls()->show();
    QCOMPARE(selectedRow(control<QListView>(h.urls(), "urlListe")), 1);
    QCOMPARE(selectedRow(control<QListView>(h.urls(), "strukturliste")), 1);
}

void TstInfowindow::navigationRules_data() {
    QTest::addColumn<QStringList>("pages");
    QTest::addColumn<int>("current");
    QTest::addColumn<QList<bool>>("enabled"); // first, back, forward, last
    QTest::newRow("none") << QStringList{} << -1 << QList<bool>{false, false, false, false};
    QTest::newRow("one entry") << QStringList{"Information.html"} << 0
                               << QList<bool>{false, false, false, false};
    QTest::newRow("two, on the first") << QStringList{"Information.html", "Lenkaro.html"} << 0
                                       << QList<bool>{false, false, true, true};
    QTest::newRow("two, on the last") << QStringList{"Information.html", "Lenkaro.html"} << 1
                                      << QList<bool>{true, true, false, false};
    QTest::newRow("three, in the middle")
        << QStringList{"Information.html", "Lenkaro.html", "Grupper.html"} << 1
        << QList<bool>{true, true, true, true};
}

void TstInfowindow::navigationRules() {
    QFETCH(QStringList, pages);
    QFETCH(int, current);
    QFETCH(QList<bool>, enabled);
    Help h;
    h.info()->goToInfo("Information");
    for (const QString& page : pages)
        h.web()->load(page);
    // A move in the history puts the position where the row wants it.
    if (current >= 0 && current != h.hist()->urlIndex()) {
        QVERIFY(h.hist()->goToStruktur(current));
        h.loadLast();
    }
    QCOMPARE(h.hist()->urlIndex(), current);
    Tinfoformen* info = h.info();
    UpdateAction* actions[] = {
        control<UpdateAction>(info, "Afirst"), control<UpdateAction>(info, "Aback"),
        control<UpdateAction>(info, "Aforward"), control<UpdateAction>(info, "Alast")};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(actions[i]->update(), enabled[i]);
    // A disabled action does nothing, however it is started.
    const qsizetype before = h.web()->navigated.size();
    for (int i = 0; i < 4; ++i) {
        if (!enabled[i])
            QVERIFY(!actions[i]->execute());
    }
    QCOMPARE(h.web()->navigated.size(), before);
}

void TstInfowindow::backThenLinkAppendsOrSelects() {
    Help h;
    h.open();
    h.web()->load("Information.html");
    h.web()->load("Grupper.html");
    QCOMPARE(h.history(), (QStringList{"Lenkaro", "Information", "Grupper"}));
    QCOMPARE(h.hist()->urlIndex(), 2);

    QVERIFY(control<UpdateAction>(h.info(), "Aback")->execute());
    QCOMPARE(h.hist()->urlIndex(), 1);
    QCOMPARE(h.web()->navigated.last(), h.doc("Information"));
    h.loadLast();
    QCOMPARE(h.hist()->urlIndex(), 1);
    h.urls()->show();
    QCOMPARE(selectedRow(control<QListView>(h.urls(), "urlListe")), 1);

    // A link followed from there goes after the existing entries...
    h.web()->load("Admin.html");
    QCOMPARE(h.history(),
             (QStringList{"Lenkaro", "Information", "Grupper", "Administrer grupper"}));
    QCOMPARE(h.hist()->urlIndex(), 3);
    // ...or selects its entry when it has one; nothing is removed.
    h.web()->load("Lenkaro.html");
    QCOMPARE(h.history().size(), 4);
    QCOMPARE(h.hist()->urlIndex(), 0);
    QCOMPARE(selectedRow(control<QListView>(h.urls(), "strukturliste")), 0);
}

void TstInfowindow::historyMovesAddNothing() {
    Help h;
    h.open();
    h.web()->load("Information.html");
    h.web()->load("Grupper.html");
    QVERIFY(control<UpdateAction>(h.info(), "Afirst")->execute());
    QCOMPARE(h.web()->navigated.last(), h.doc("Lenkaro"));
    h.loadLast();
    QCOMPARE(h.hist()->urlIndex(), 0);
    QVERIFY(!h.hist()->naviKlikket());
    QVERIFY(control<UpdateAction>(h.info(), "Alast")->execute());
    QCOMPARE(h.web()->navigated.last(), h.doc("Grupper"));
    h.loadLast();
    QCOMPARE(h.hist()->urlIndex(), 2);
    QVERIFY(control<UpdateAction>(h.info(), "Aback")->execute());
    h.loadLast();
    QVERIFY(control<UpdateAction>(h.info(), "Aforward")->execute());
    h.loadLast();
    QCOMPARE(h.hist()->urlIndex(), 2);
    QCOMPARE(h.history(), (QStringList{"Lenkaro", "Information", "Grupper"}));
}

void TstInfowindow::pagesOutsideStructureShareOneEntry() {
    Help h;
    h.open();
    h.web()->load("https://www.google.com/search?q=lenkaro");
    QCOMPARE(h.history(), (QStringList{"Lenkaro", ""}));
    QCOMPARE(h.hist()->urlIndex(), 1);
    QCOMPARE(control<QLineEdit>(h.info(), "Edit")->text(),
             QStringLiteral("https://www.google.com/search?q=lenkaro"));
    h.web()->load("Information.html");
    // A title that no path could hold, and a page no node names, share the one entry.
    h.web()->load("https://example.com/a|b");
    QCOMPARE(h.hist()->urlIndex(), 1);
    h.web()->load("Ukendt.html");
    QCOMPARE(h.hist()->urlIndex(), 1);
    QCOMPARE(h.history(), (QStringList{"Lenkaro", "", "Information"}));
    // Going back to that entry opens the first node.
    h.info()->goToStruktur(1);
    QCOMPARE(h.web()->navigated.last(), h.doc("Information"));
    h.loadLast();
    QCOMPARE(h.hist()->urlIndex(), 1);
}

void TstInfowindow::goToStrukturOutsideHistoryIsIgnored() {
    Help h;
    h.open();
    const qsizetype before = h.web()->navigated.size();
    for (int index : {-1, 1, 7}) {
        h.info()->goToStruktur(index);
        QCOMPARE(h.hist()->urlIndex(), 0);
        QVERIFY(!h.hist()->naviKlikket());
    }
    QCOMPARE(h.web()->navigated.size(), before);
}

void TstInfowindow::addressBoxOpensDocument() {
    Help h;
    h.open();
    QVERIFY(control<UpdateAction>(h.info(), "Ago")->update());
    control<QLineEdit>(h.info(), "Edit")->setText("Rediger.html");
    QTest::keyClick(control<QLineEdit>(h.info(), "Edit"), Qt::Key_Return);
    QCOMPARE(h.web()->navigated.last(), h.tekstfiler + QDir::separator() + "Rediger.html");
    control<QLineEdit>(h.info(), "Edit")->clear();
    QVERIFY(!control<UpdateAction>(h.info(), "Ago")->update());
    const qsizetype before = h.web()->navigated.size();
    QTest::keyClick(control<QLineEdit>(h.info(), "Edit"), Qt::Key_Return);
    QCOMPARE(h.web()->navigated.size(), before);
}

void TstInfowindow::addressBoxSearchesEncoded_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("word") << "Grupper";
    QTest::newRow("ampersand") << "a&b";
    QTest::newRow("percent") << "50%";
    QTest::newRow("plus and hash") << "c++ #1";
    QTest::newRow("Danish and spaces") << "søg på æbler=gode?";
    QTest::newRow("folder that is no file") << ".";
}

void TstInfowindow::addressBoxSearchesEncoded() {
    QFETCH(QString, text);
    Help h;
    h.open();
    control<QLineEdit>(h.info(), "Edit")->setText(text);
    QVERIFY(control<UpdateAction>(h.info(), "Ago")->execute());
    const QUrl url(h.web()->navigated.last(), QUrl::StrictMode);
    QVERIFY(url.isValid());
    QCOMPARE(url.scheme(), QStringLiteral("https"));
    QCOMPARE(url.path(), QStringLiteral("/search"));
    const QUrlQuery query(url);
    QCOMPARE(query.queryItems().size(), 1);
    QVERIFY(query.hasQueryItem("q"));
    // As a search engine reads it: "+" for a space is never produced, so only %XX decoding.
    QCOMPARE(QUrl::fromPercentEncoding(query.queryItemValue("q", QUrl::FullyEncoded).toLatin1()),
             text);
    QVERIFY(url.fragment().isEmpty());
}

void TstInfowindow::hoverRules() {
    Help h;
    Tinfoformen* info = h.info();
    h.app->mainform->Information("Lenkaro");
    FakePageView* web = h.web();
    const QString link = "https://www.dr.dk/";
    // Before the first document has completed, the mouse is not followed.
    web->hover(link);
    QVERIFY(info->linkUnderMouse().isEmpty());
    QVERIFY(control<QStatusBar>(info, "infobar")->currentMessage().isEmpty());

    web->load("Lenkaro.html");
    web->hover(link);
    QCOMPARE(control<QStatusBar>(info, "infobar")->currentMessage(), link);
    QCOMPARE(info->linkUnderMouse(), link);
    // Anything that is no link clears both.
    web->hover(QString());
    QVERIFY(control<QStatusBar>(info, "infobar")->currentMessage().isEmpty());
    QVERIFY(info->linkUnderMouse().isEmpty());
    // A link the address check refuses is neither shown nor kept.
    web->hover(link);
    web->hover("Grupper.html");
    QVERIFY(control<QStatusBar>(info, "infobar")->currentMessage().isEmpty());
    QVERIFY(info->linkUnderMouse().isEmpty());
    const QString local = QUrl::fromLocalFile(h.doc("Grupper")).toString();
    web->hover(local);
    QCOMPARE(info->linkUnderMouse(), local);

    // From navigation start to document completion nothing changes.
    web->hover(link);
    web->startNavigation();
    web->hover(QString());
    web->hover("https://example.com/");
    QCOMPARE(control<QStatusBar>(info, "infobar")->currentMessage(), link);
    QCOMPARE(info->linkUnderMouse(), link);
    // A load that ends without a document leaves the mouse unfollowed.
    web->completeDocument(false);
    web->hover(QString());
    QCOMPARE(info->linkUnderMouse(), link);
    web->startNavigation();
    web->completeDocument();
    web->hover(QString());
    QVERIFY(info->linkUnderMouse().isEmpty());
}

void TstInfowindow::newWindowRule() {
    Help h;
    h.open();
    FakePageView* web = h.web();
    const QString link = "https://www.dr.dk/nyheder";
    web->hover(link);
    const qsizetype before = web->navigated.size();
    web->requestWindow(link);
    QCOMPARE(web->navigated.size(), before + 1);
    QCOMPARE(web->navigated.last(), link);
    QVERIFY(h.f.fakes.shell->calls.isEmpty());

    // With no link under the mouse the page goes to the desktop's browser.
    web->load("Lenkaro.html");
    web->hover(QString());
    web->requestWindow("https://example.com/popup");
    QCOMPARE(web->navigated.size(), before + 1);
    QCOMPARE(h.f.fakes.shell->calls.size(), 1);
    QCOMPARE(h.f.fakes.shell->calls[0].file, QStringLiteral("https://example.com/popup"));
    // Handed on as an address, which never starts a program.
    QCOMPARE(h.f.fakes.shell->calls[0].operation, QString());
}

// Pages arrive from the view with no key or click: the arrows and "Opdater/Gå" are greyed or
// not by what the history and the address box hold after the page, not after the next input.
void TstInfowindow::rulesFollowPagesWithoutInput() {
    Help h;
    h.open();
    Tinfoformen* info = h.info();
    // What the key F1 left to do is done; from here on only the view speaks.
    QCoreApplication::processEvents();
    QVERIFY(!control<UpdateAction>(info, "Aback")->isEnabled());
    QVERIFY(!control<UpdateAction>(info, "Afirst")->isEnabled());
    h.web()->load("Information.html");
    QCoreApplication::processEvents();
    QVERIFY(control<UpdateAction>(info, "Aback")->isEnabled());
    QVERIFY(control<UpdateAction>(info, "Afirst")->isEnabled());
    QVERIFY(!control<UpdateAction>(info, "Aforward")->isEnabled());
    QVERIFY(control<UpdateAction>(info, "Aback")->execute());
    h.loadLast();
    QCoreApplication::processEvents();
    QVERIFY(!control<UpdateAction>(info, "Aback")->isEnabled());
    QVERIFY(control<UpdateAction>(info, "Aforward")->isEnabled());
    QVERIFY(control<UpdateAction>(info, "Alast")->isEnabled());
    // A page without a title the history can use still fills the address box.
    control<QLineEdit>(info, "Edit")->clear();
    QCoreApplication::processEvents();
    QVERIFY(!control<UpdateAction>(info, "Ago")->isEnabled());
    h.web()->load("https://www.dr.dk/");
    QCoreApplication::processEvents();
    QVERIFY(control<UpdateAction>(info, "Ago")->isEnabled());
}

// The engine reports a link when the mouse enters or leaves it: a new page under a mouse that
// has not moved clears what the last page's link left, and a window the new page asks for by
// script does not open that link.
void TstInfowindow::newPageClearsHover() {
    Help h;
    h.open();
    FakePageView* web = h.web();
    Tinfoformen* info = h.info();
    const QString link = "https://www.dr.dk/nyheder";
    web->hover(link);
    QCOMPARE(info->linkUnderMouse(), link);
    web->load("Grupper.html");
    QVERIFY(info->linkUnderMouse().isEmpty());
    QVERIFY(control<QStatusBar>(info, "infobar")->currentMessage().isEmpty());
    const qsizetype before = web->navigated.size();
    web->requestWindow("https://example.com/popup");
    QCOMPARE(web->navigated.size(), before);
    QCOMPARE(h.f.fakes.shell->calls.size(), 1);
    QCOMPARE(h.f.fakes.shell->calls[0].file, QStringLiteral("https://example.com/popup"));
    // The next mouse-over sets both again.
    web->hover(link);
    QCOMPARE(control<QStatusBar>(info, "infobar")->currentMessage(), link);
    QCOMPARE(info->linkUnderMouse(), link);
}

void TstInfowindow::optionsDefaultsWrittenAtFirstShowing_data() {
    QTest::addColumn<QStringList>("lines"); // empty: no file
    QTest::newRow("no file") << QStringList{};
    QTest::newRow("four lines") << QStringList{"10", "20", "800", "600"};
    QTest::newRow("a line that is no integer") << QStringList{"10", "20", "bred", "600", "200"};
}

void TstInfowindow::optionsDefaultsWrittenAtFirstShowing() {
    QFETCH(QStringList, lines);
    Fixture f;
    makeHelpStructure(f.base);
    f.makeUser();
    const QString file = f.options() + "/information.txt";
    if (!lines.isEmpty())
        writeFixture(file, lines);
    App& app = f.start();
    QVERIFY(!app.infoformen->isVisible());
    app.mainform->Information("Lenkaro");
    const QStringList defaults{"52", "52", "753", "968", "195"};
    QCOMPARE(textfile::readLines(file).value_or(QStringList{}), defaults);
    // The place and size are the frame's.
    QVERIFY(QTest::qWaitForWindowExposed(app.infoformen));
    QCOMPARE(app.infoformen->frameGeometry(), QRect(52, 52, 753, 968));
    QCOMPARE(control<QSplitter>(app.infoformen, "Splitter1")->sizes().value(0), 195);
}

void TstInfowindow::optionsReadAndWrittenAtClose() {
    Fixture f;
    makeHelpStructure(f.base);
    f.makeUser();
    const QString file = f.options() + "/information.txt";
    writeFixture(file, {"40", "30", "900", "700", "260"});
    App& app = f.start();
    app.mainform->Information("Lenkaro");
    QVERIFY(QTest::qWaitForWindowExposed(app.infoformen));
    QCOMPARE(app.infoformen->frameGeometry(), QRect(30, 40, 900, 700));
    QCoreApplication::processEvents();
    QCOMPARE(control<QWidget>(app.infoformen, "leftPanel")->width(), 260);
    app.infoformen->move(70, 60);
    const QMargins frame = app.infoformen->windowHandle()->frameMargins();
    app.infoformen->resize(QSize(820, 640).shrunkBy(frame));
    control<QSplitter>(app.infoformen, "Splitter1")->setSizes({250, 566});
    QVERIFY(app.infoformen->close());
    QVERIFY(!app.infoformen->isVisible());
    QCOMPARE(textfile::readLines(file).value_or(QStringList{}),
             (QStringList{"60", "70", "820", "640", "250"}));
    // Shown again, the window keeps its state and reads nothing.
    writeFixture(file, {"1", "1", "760", "510", "200"});
    app.mainform->Information("Grupper");
    QCOMPARE(app.infoformen->frameGeometry().topLeft(), QPoint(70, 60));
}

void TstInfowindow::extremeOptionsStayOnScreen_data() {
    QTest::addColumn<QStringList>("lines");
    const QString most = QString::number(std::numeric_limits<int>::max());
    const QString least = QString::number(std::numeric_limits<int>::min());
    QTest::newRow("largest") << QStringList{most, most, most, most, most};
    QTest::newRow("smallest") << QStringList{least, least, least, least, least};
    QTest::newRow("panel wider than the window") << QStringList{"40", "30", "900", "700", most};
}

// Whatever "information.txt" holds, the window comes up whole on the screen, its panel within
// it, and that is what the file holds after the window is closed.
void TstInfowindow::extremeOptionsStayOnScreen() {
    QFETCH(QStringList, lines);
    Fixture f;
    makeHelpStructure(f.base);
    f.makeUser();
    const QString file = f.options() + "/information.txt";
    writeFixture(file, lines);
    App& app = f.start();
    app.mainform->Information("Lenkaro");
    Tinfoformen* info = app.infoformen;
    QVERIFY(QTest::qWaitForWindowExposed(info));
    const QRect placed = info->frameGeometry();
    QVERIFY(info->screen()->availableGeometry().contains(placed));
    QVERIFY(placed.width() >= info->minimumWidth());
    QVERIFY(placed.height() >= info->minimumHeight());
    QCoreApplication::processEvents();
    const int panel = control<QWidget>(info, "leftPanel")->width();
    QVERIFY(panel >= control<QWidget>(info, "leftPanel")->minimumWidth() && panel < placed.width());
    // The page view keeps the width it has in the narrowest window, whatever the panel's.
    QVERIFY2(control<QWidget>(info, "rightPanel")->width() >= info->minimumWidth() - 200,
             qPrintable(QString::number(control<QWidget>(info, "rightPanel")->width())));
    QVERIFY(info->close());
    QCOMPARE(textfile::readLines(file).value_or(QStringList{}),
             (QStringList{QString::number(placed.y()), QString::number(placed.x()),
                          QString::number(placed.width()), QString::number(placed.height()),
                          QString::number(panel)}));
}

void TstInfowindow::layout() {
    Help h;
    h.open();
    Tinfoformen* info = h.info();
    QCOMPARE(info->windowTitle(), QStringLiteral("Information"));
    QVERIFY(QTest::qWaitForWindowExposed(info));
    QCOMPARE(info->minimumSize().grownBy(info->windowHandle()->frameMargins()), QSize(753, 500));
    QCOMPARE(control<QTabWidget>(info, "infoBog")->tabText(0), QStringLiteral("Struktur"));
    QCOMPARE(control<QTabWidget>(info, "infoBog")->tabText(1), QStringLiteral("Søg"));
    QCOMPARE(control<QTabWidget>(info, "infoBog")->currentIndex(), 0);
    QCOMPARE(control<QLabel>(info, "antalLabel")->text(), QStringLiteral("9"));
    QCOMPARE(control<TStruktur>(info, "Struktur")->indentation(), 19);
    QStringList order;
    for (QAction* action : control<QToolBar>(info, "NavigateBar")->actions()) {
        if (action->isSeparator())
            order << "|";
        else if (QWidget* w = control<QToolBar>(info, "NavigateBar")->widgetForAction(action);
                 w && !w->objectName().isEmpty())
            order << w->objectName();
        else
            order << action->objectName();
    }
    QCOMPARE(order, (QStringList{"Afirst", "|", "Aback", "|", "Aforward", "|", "Alast", "Edit",
                                 "Ago", "|", "urlListeKnap", "|", "redigerKnap"}));
    // At the narrowest the address box gives way so every button stays in view; with room it
    // is 317 wide.
    info->resize(info->minimumSize());
    QCoreApplication::processEvents();
    QVERIFY(control<QToolButton>(info, "redigerKnap")->isVisible());
    QVERIFY(control<QToolButton>(info, "urlListeKnap")->isVisible());
    info->resize(1100, 700);
    QCoreApplication::processEvents();
    QCOMPARE(control<QLineEdit>(info, "Edit")->width(), 317);
    QCOMPARE(control<UpdateAction>(info, "Afirst")->statusTip(), QStringLiteral("Gå til første"));
    QCOMPARE(control<UpdateAction>(info, "AfavListe")->shortcut(),
             QKeySequence(Qt::CTRL | Qt::Key_F));
    QCOMPARE(control<QToolButton>(info, "redigerKnap")->text(), QStringLiteral("Rediger"));
    // The search tab: its box takes the focus when the tab is chosen.
    info->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(info));
    control<QTabWidget>(info, "infoBog")->setCurrentIndex(1);
    QCOMPARE(QApplication::focusWidget(),
             static_cast<QWidget*>(control<QLineEdit>(info, "EditFind")));
    QVERIFY(!control<UpdateAction>(info, "aSearch")->update());
    control<QLineEdit>(info, "EditFind")->setText("grupper");
    QVERIFY(control<UpdateAction>(info, "aSearch")->update());
    // Ctrl+F shows the list of visited pages.
    QVERIFY(!h.urls()->isVisible());
    QVERIFY(control<UpdateAction>(info, "AfavListe")->execute());
    QVERIFY(h.urls()->isVisible());
}

// The four arrows are reached by Tab; Alt+Left and Alt+Right go back and forward wherever the
// focus is in the window.
void TstInfowindow::arrowsByKeyboard() {
    Help h;
    h.open();
    h.web()->load("Information.html");
    h.web()->load("Grupper.html");
    Tinfoformen* info = h.info();
    info->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(info));
    auto* bar = control<QToolBar>(info, "NavigateBar");
    for (const char* name : {"Afirst", "Aback", "Aforward", "Alast"})
        QVERIFY2(bar->widgetForAction(control<QAction>(info, name))->focusPolicy() & Qt::TabFocus,
                 name);
    QWidget* tree = control<QWidget>(info, "Struktur");
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(h.hist()->urlIndex(), 1);
    QCOMPARE(h.web()->navigated.last(), h.doc("Information"));
    h.loadLast();
    QLineEdit* address = control<QLineEdit>(info, "Edit");
    address->setFocus();
    QTest::keyClick(address, Qt::Key_Right, Qt::AltModifier);
    QCOMPARE(h.hist()->urlIndex(), 2);
    QCOMPARE(h.web()->navigated.last(), h.doc("Grupper"));
}

void TstInfowindow::readableByScreenReaders() {
    Help h;
    h.open();
    Tinfoformen* info = h.info();
    auto nameOf = [](QObject* o) {
        return QAccessible::queryAccessibleInterface(o)->text(QAccessible::Name);
    };
    auto* bar = control<QToolBar>(info, "NavigateBar");
    const struct {
        QObject* control;
        const char* name;
    } named[] = {{control<QLineEdit>(info, "Edit"), "Adresse"},
                 {control<QToolButton>(info, "urlListeKnap"), "Favoritliste"},
                 {bar->widgetForAction(control<QAction>(info, "Aback")), "Tilbage"},
                 {control<QWidget>(info, "Struktur"), "Struktur"},
                 {control<QLineEdit>(info, "EditFind"), "Søg efter"},
                 {control<QToolButton>(info, "sButton"), "Søg"},
                 {control<QListWidget>(info, "Findis"), "Fundne sider"}};
    for (const auto& c : named)
        QCOMPARE(nameOf(c.control), QString::fromUtf8(c.name));
    // Hints are descriptions, read out on focus.
    info->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(info));
    control<QTabWidget>(info, "infoBog")->setCurrentIndex(1);
    control<QToolButton>(info, "sButton")->setFocus();
    QCOMPARE(QAccessible::queryAccessibleInterface(control<QToolButton>(info, "sButton"))
                 ->text(QAccessible::Description),
             control<QToolButton>(info, "sButton")->statusTip());
    QVERIFY(!control<QToolButton>(info, "sButton")->statusTip().isEmpty());
}

QTEST_MAIN(TstInfowindow)
#include "tst_infowindow.moc"
