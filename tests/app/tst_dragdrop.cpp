#include "controls.h"
#include "fixture.h"
#include "writefile.h"

#include "platform/toolkit/updateaction.h"
#include "store/model.h"
#include "ui/admin/boks.h"
#include "ui/main/main.h"

#include <QAbstractItemView>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTableView>
#include <QTest>
#include <QTreeView>

// Links dragged from a browser, and programs from a file manager, dropped onto the element
// lists of the main and the administration window.
class TstDragDrop : public QObject {
    Q_OBJECT
private slots:
    void linkEntersCurrentGroup_data();
    void linkEntersCurrentGroup();
    void existingElementIsAskedAbout();
    void nothingWithoutCurrentGroup();
    void programsInContentMode1_data();
    void programsInContentMode1();
    void whatIsNoLinkIsRefused();
};

namespace {

// A link as Chromium and Firefox offer it in a drag.
QMimeData* dragged(const QString& url, const QString& title) {
    auto* mime = new QMimeData;
    mime->setUrls({QUrl(url)});
    mime->setText(url);
    const QString moz = url + u'\n' + title;
    mime->setData("text/x-moz-url",
                  QByteArray(reinterpret_cast<const char*>(moz.utf16()), moz.size() * 2));
    mime->setHtml("<a href=\"" + url + "\">" + title.toHtmlEscaped() + "</a>");
    return mime;
}

// Drags mime over view and drops it; whether the view took it.
bool drop(QAbstractItemView* view, QMimeData* mime) {
    std::unique_ptr<QMimeData> owned(mime);
    const QPoint at(10, 10);
    QDragEnterEvent enter(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view->viewport(), &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent dropped(QPointF(at), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view->viewport(), &dropped);
    QCoreApplication::processEvents();
    return dropped.isAccepted();
}

QAbstractItemView* mainList(App& app) {
    return app.mainform->findChild<QTableView*>("Listen");
}
QAbstractItemView* adminList(App& app) {
    return app.boksform->findChild<QTreeView*>("programBoks");
}

} // namespace

void TstDragDrop::linkEntersCurrentGroup_data() {
    QTest::addColumn<bool>("admin");
    QTest::newRow("main window") << false;
    QTest::newRow("administration window") << true;
}

void TstDragDrop::linkEntersCurrentGroup() {
    QFETCH(bool, admin);
    Fixture f;
    f.makeGroupsWithShelf();
    App& app = f.start();
    QAbstractItemView* list = admin ? adminList(app) : mainList(app);
    QVERIFY(list);
    QVERIFY(drop(list, dragged("https://www.dr.dk/nyheder", "DR: Nyheder / Indland")));
    // The title as a name a file can have, in the current group B, shown at once.
    const auto lines = textfile::readLines(f.web() + "/B/DR Nyheder Indland.txt");
    QVERIFY(lines);
    QCOMPARE(lines->mid(0, 5), (QStringList{"https://www.dr.dk/nyheder", "DR Nyheder Indland",
                                            "Dato", "XX:XX", "0"}));
    QCOMPARE(app.model->Web().size(), 2);
    QVERIFY(app.infform->takeShown().isEmpty());
    QVERIFY(app.spform->takeShown().isEmpty());
}

void TstDragDrop::existingElementIsAskedAbout() {
    Fixture f;
    f.makeGroupsWithShelf();
    App& app = f.start();
    // The main window's entry wants three characters at least, as when typed.
    QVERIFY(drop(mainList(app), dragged("https://www.dr.dk/tv", "DR")));
    QCOMPARE(app.infform->takeShown(), QStringList{"Kort navn: Minimum 3 tegn!"});
    app.spform->setNextAnswer(false);
    QVERIFY(drop(adminList(app), dragged("https://www.dr.dk/tv", "DR")));
    QCOMPARE(app.spform->takeShown(),
             QStringList{"Skal \"DR\" overskrives?\r\r\"Dato\" og \"Besøg\" nul-stilles, hvis "
                         "elementet overskrives."});
    QCOMPARE(textfile::readLines(f.web() + "/B/DR.txt")->value(0),
             QStringLiteral("https://www.dr.dk/"));
}

void TstDragDrop::nothingWithoutCurrentGroup() {
    Fixture f;
    f.makeUser();
    writeFixture(f.web() + "/webgruppe.txt", {"A"});
    QDir().mkpath(f.web() + "/A");
    App& app = f.start();
    QVERIFY(!app.model->hasGroup());
    QVERIFY(drop(mainList(app), dragged("https://www.dr.dk/", "DR")));
    QCOMPARE(app.infform->takeShown(),
             QStringList{"Vælg først den gruppe, elementet skal indføres i."});
    QCOMPARE(QDir(f.web() + "/A").entryList(QDir::Files), QStringList());
}

void TstDragDrop::programsInContentMode1_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("executable");
    QTest::addColumn<QString>("navn");
    QTest::newRow("a program file")
        << "lommeregner" << QByteArray("#!/bin/sh\n") << true << "lommeregner";
    QTest::newRow("a desktop entry")
        << "org.gnome.Calculator.desktop"
        << QByteArray("[Desktop Entry]\nType=Application\nName=Lommeregner\nExec=calc\n") << false
        << "Lommeregner";
}

void TstDragDrop::programsInContentMode1() {
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(bool, executable);
    QFETCH(QString, navn);
    Fixture f;
    f.makeGroupsWithShelf();
    const QString path = f.tmp.filePath(file);
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(content);
    out.close();
    if (executable)
        out.setPermissions(out.permissions() | QFile::ExeOwner);
    App& app = f.start();
    control<UpdateAction>(app.mainform, "actionSI")->trigger();
    QCOMPARE(app.model->funkNo(), quint8(1));
    QVERIFY(app.model->hasGroup());
    // A web link is no program.
    QVERIFY(!drop(mainList(app), dragged("https://www.dr.dk/", "DR")));
    QVERIFY(drop(mainList(app), [&] {
        auto* mime = new QMimeData;
        mime->setUrls({QUrl::fromLocalFile(path)});
        return mime;
    }()));
    const auto lines = textfile::readLines(f.programs() + "/P/" + navn + ".txt");
    QVERIFY(lines);
    QCOMPARE(lines->value(0), path);
    QCOMPARE(lines->value(1), navn);
}

void TstDragDrop::whatIsNoLinkIsRefused() {
    Fixture f;
    f.makeGroupsWithShelf();
    App& app = f.start();
    auto* text = new QMimeData;
    text->setText("bare noget tekst");
    QVERIFY(!drop(mainList(app), text));
    auto* other = new QMimeData;
    other->setUrls({QUrl("javascript:alert(1)")});
    QVERIFY(!drop(adminList(app), other));
    QCOMPARE(QDir(f.web() + "/B").entryList(QDir::Files), QStringList{"DR.txt"});
}

QTEST_MAIN(TstDragDrop)
#include "tst_dragdrop.moc"
