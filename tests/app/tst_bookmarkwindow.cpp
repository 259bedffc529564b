#include "writefile.h"
#include "fixture.h"

#include "bookmarks.h"
#include "main.h"
#include "model.h"
#include "updateaction.h"

#include <QListWidget>
#include <QMenu>
#include <QTest>

// Bookmark files in and out through the main window's popup menu, as a user would.
class TstBookmarkWindow : public QObject {
    Q_OBJECT
private slots:
    void popupMenuEndsWithTheTwoItems();
    void importsBrowserFile();
    void importAsksBeforeOverwriting();
    void refusesFileThatIsNoBookmarkFile();
    void cancelledDialogDoesNothing();
    void exportsCurrentGroupOrAll();
    void onlyForWebAddresses();
};

namespace {

QString fixture(const char* name) {
    return QStringLiteral(FIXTURES "/") + QString::fromLatin1(name);
}

// A user with the web group Nyheder holding DR.
void nyheder(Fixture& f) {
    f.makeUser();
    Fixture::element(f.web() + "/Nyheder", "DR", "https://www.dr.dk/", 7);
    writeFixture(f.web() + "/webgruppe.txt", {"Nyheder"});
}

QStringList groupRows(const QListWidget* list) {
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows << list->item(i)->text();
    return rows;
}

} // namespace

void TstBookmarkWindow::popupMenuEndsWithTheTwoItems() {
    Fixture f;
    App& app = f.start();
    QStringList items;
    for (const QAction* action : app.mainform->popupMenu->actions())
        items << (action->isSeparator() ? QStringLiteral("-") : action->text());
    // "Find element..." comes after them, behind a separator of its own.
    QCOMPARE(items, (QStringList{"Administrer grupper og elementer", "-", "Skift indhold", "-",
                                 "Information", "-", "Importér bogmærker...",
                                 "Eksportér bogmærker...", "-", "Find element..."}));
}

void TstBookmarkWindow::importsBrowserFile() {
    Fixture f;
    nyheder(f);
    App& app = f.start();
    FileDialog::setNextFile(fixture("chromium.html"));
    QVERIFY(app.mainform->aImportBookmarks->execute());
    QCOMPARE(FileDialog::takeShown(), QStringList{"Vælg bogmærkefil|" + QDir::homePath()});
    QCOMPARE(app.infform->takeShown(), QStringList{"6 bogmærker er indført i 4 grupper."});
    QVERIFY(app.spform->takeShown().isEmpty());
    const QStringList groups{"Nyheder", "Bogmærkelinje", "Opslag", "Andre bogmærker", "Opslag (2)"};
    QCOMPARE(groupRows(app.mainform->gruppeBoksen), groups);
    QCOMPARE(*textfile::readLines(f.web() + "/webgruppe.txt"), groups);
    QCOMPARE(textfile::readLines(f.web() + "/Opslag/www.krak.dk.txt")->value(0),
             QStringLiteral("https://www.krak.dk/"));
    QVERIFY(QFileInfo::exists(f.web() + "/Andre bogmærker/youtube (2).txt"));
}

void TstBookmarkWindow::importAsksBeforeOverwriting() {
    Fixture f;
    nyheder(f);
    App& app = f.start();
    app.model->selectGroup("Nyheder");
    const QString path = f.tmp.filePath("nyheder.html");
    QVERIFY(store::bookmarks::writeFile(
        path,
        {{"Nyheder", {{"DR", "https://www.dr.dk/nyheder"}, {"TV 2", "https://nyheder.tv2.dk/"}}}}));
    FileDialog::setNextFile(path);
    app.spform->setNextAnswer(false);
    QVERIFY(app.mainform->aImportBookmarks->execute());
    QCOMPARE(app.spform->takeShown(),
             QStringList{"Skal \"DR\" overskrives?\r\r\"Dato\" og \"Besøg\" nul-stilles, hvis "
                         "elementet overskrives."});
    QCOMPARE(app.infform->takeShown(),
             QStringList{"1 bogmærke er indført i 1 gruppe.\r1 blev ikke overskrevet."});
    // DR keeps its address and visits; the current group's list shows TV 2 at once.
    QCOMPARE(textfile::readLines(f.web() + "/Nyheder/DR.txt")->value(4), QStringLiteral("7"));
    QCOMPARE(app.model->Web().size(), 2);
    QCOMPARE(groupRows(app.mainform->gruppeBoksen), QStringList{"Nyheder"});
}

void TstBookmarkWindow::refusesFileThatIsNoBookmarkFile() {
    Fixture f;
    nyheder(f);
    App& app = f.start();
    FileDialog::setNextFile(fixture("page.html"));
    QVERIFY(app.mainform->aImportBookmarks->execute());
    QCOMPARE(app.infform->takeShown(),
             QStringList{"Filen er ikke en bogmærkefil!\rVælg en fil, som en browser har "
                         "eksporteret bogmærker til (HTML)."});
    QCOMPARE(QDir(f.web()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"Nyheder"});
    QCOMPARE(*textfile::readLines(f.web() + "/webgruppe.txt"), QStringList{"Nyheder"});

    // A file that cannot be read is a file error, with its path.
    FileDialog::setNextFile(f.tmp.filePath("findes-ikke.html"));
    QVERIFY(app.mainform->aImportBookmarks->execute());
    QCOMPARE(MessageBox::takeShown().size(), 1);
    QVERIFY(app.infform->takeShown().isEmpty());
}

void TstBookmarkWindow::cancelledDialogDoesNothing() {
    Fixture f;
    nyheder(f);
    App& app = f.start();
    QVERIFY(app.mainform->aImportBookmarks->execute());
    QVERIFY(app.mainform->aExportBookmarks->execute());
    QCOMPARE(FileDialog::takeShown().size(), 2);
    QVERIFY(app.infform->takeShown().isEmpty());
    QVERIFY(MessageBox::takeShown().isEmpty());
}

void TstBookmarkWindow::exportsCurrentGroupOrAll() {
    Fixture f;
    nyheder(f);
    Fixture::element(f.web() + "/Opslag", "Krak", "https://www.krak.dk/");
    writeFixture(f.web() + "/webgruppe.txt", {"Nyheder", "Opslag"});
    App& app = f.start();
    app.model->selectGroup("Nyheder");
    const QString one = f.tmp.filePath("en.html");
    FileDialog::setNextFile(one);
    app.spform->setNextAnswer(true);
    QVERIFY(app.mainform->aExportBookmarks->execute());
    QCOMPARE(app.spform->takeShown(),
             QStringList{"Eksportér kun gruppen \"Nyheder\"?\r\r\"Nej\" eksporterer alle "
                         "grupperne."});
    QCOMPARE(FileDialog::takeShown(),
             QStringList{"Gem bogmærkefil|" + QDir(QDir::homePath()).filePath("Nyheder.html")});
    QCOMPARE(app.infform->takeShown(),
             QStringList{"1 bogmærke i 1 gruppe er gemt i\r" + QDir::toNativeSeparators(one)});
    auto groups = store::bookmarks::toGroups(store::bookmarks::readFile(one).root);
    QCOMPARE(groups.size(), 1);
    QCOMPARE(groups[0].navn, QStringLiteral("Nyheder"));

    const QString all = f.tmp.filePath("alle.html");
    FileDialog::setNextFile(all);
    app.spform->setNextAnswer(false);
    QVERIFY(app.mainform->aExportBookmarks->execute());
    groups = store::bookmarks::toGroups(store::bookmarks::readFile(all).root);
    QCOMPARE(groups.size(), 2);
    QCOMPARE(groups[1].entries[0].url, QStringLiteral("https://www.krak.dk/"));
}

void TstBookmarkWindow::onlyForWebAddresses() {
    Fixture f;
    nyheder(f);
    App& app = f.start();
    QVERIFY(app.mainform->aImportBookmarks->update());
    QVERIFY(app.mainform->aExportBookmarks->update());
    app.mainform->actionSI->trigger();
    QCOMPARE(app.model->funkNo(), quint8(1));
    QVERIFY(!app.mainform->aImportBookmarks->update());
    QVERIFY(!app.mainform->aExportBookmarks->update());
    QVERIFY(!app.mainform->aImportBookmarks->execute());
    QVERIFY(FileDialog::takeShown().isEmpty());
}

QTEST_MAIN(TstBookmarkWindow)
#include "tst_bookmarkwindow.moc"
