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

#include <sys/stat.h>

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
    void pageSelectionIsNoTitle();
    void unusableFilesAreRefused_data();
    void unusableFilesAreRefused();
    void dragIsReadOnce();
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
    // The desktop shows the Danish name where the entry has one, wherever it stands.
    QTest::newRow("a desktop entry's Danish name")
        << "org.gnome.Calculator.desktop"
        << QByteArray("[Desktop Entry]\nType=Application\nName[da]=Lommeregner\n"
                      "Name=Calculator\nName[de]=Rechner\nExec=calc\n")
        << false << "Lommeregner";
    QTest::newRow("a name holding a comma")
        << "lyd.desktop"
        << QByteArray("[Desktop Entry]\nType=Application\nName=Tekst, billeder og lyd\n") << false
        << "Tekst, billeder og lyd";
    // An element file holds its name on one line.
    QTest::newRow("a name with control characters")
        << "regner.desktop" << QByteArray("[Desktop Entry]\nName=Lomme\x81regner\\nny\n") << false
        << "Lomme regner ny";
    QTest::newRow("a desktop entry without a name")
        << "org.example.Tool.desktop" << QByteArray("[Desktop Entry]\nExec=tool\n") << false
        << "org.example.Tool";
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

// A selection of a page dragged with a link is no link's HTML: it is not searched for a title,
// however it is made, and the link is named after its host.
void TstDragDrop::pageSelectionIsNoTitle() {
    Fixture f;
    f.makeGroupsWithShelf();
    App& app = f.start();
    auto* mime = new QMimeData;
    mime->setUrls({QUrl("https://www.dr.dk/nyheder")});
    QString html = "<p>";
    for (int i = 0; i < 100000; ++i)
        html += "<a ";
    mime->setHtml(html + "<a href=\"https://www.dr.dk/nyheder\">Langt væk</a>");
    QVERIFY(drop(mainList(app), mime));
    QVERIFY(QFileInfo::exists(f.web() + "/B/www.dr.dk.txt"));
}

void TstDragDrop::unusableFilesAreRefused_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("larger than a desktop entry can be") << "huge";
    QTest::newRow("named pipe") << "fifo";
    QTest::newRow("no desktop entry in it") << "other";
    QTest::newRow("a folder") << "folder";
    QTest::newRow("a program whose name holds a line break") << "line break";
}

// A file named .desktop is read only when it is a regular file of a desktop entry's size, and
// taken only when it is a desktop entry; a named pipe keeps nothing waiting. A path no line of
// an element file can hold is no element either.
void TstDragDrop::unusableFilesAreRefused() {
    QFETCH(QString, kind);
    Fixture f;
    f.makeGroupsWithShelf();
    const QString path =
        f.tmp.filePath(kind == "line break" ? "lomme\nregner" : "lommeregner.desktop");
    const QByteArray start = "[Desktop Entry]\nType=Application\nName=Lommeregner\nExec=calc\n";
    if (kind == "fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == "folder") {
        QVERIFY(QDir().mkpath(path));
    } else {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        if (kind == "huge") {
            // A real entry at the top, and far more than an entry holds after it.
            out.write(start);
            out.write(QByteArray(textfile::largestSmallFile, '#'));
        } else if (kind == "line break") {
            out.write("#!/bin/sh\n");
            out.setPermissions(out.permissions() | QFile::ExeOwner);
        } else {
            out.write("[Desktop]\nName=Lommeregner\n");
        }
    }
    App& app = f.start();
    control<UpdateAction>(app.mainform, "actionSI")->trigger();
    QVERIFY(app.model->hasGroup());
    for (QAbstractItemView* list : {mainList(app), adminList(app)}) {
        auto* mime = new QMimeData;
        mime->setUrls({QUrl::fromLocalFile(path)});
        QVERIFY(!drop(list, mime));
    }
    QCOMPARE(QDir(f.programs() + "/P").entryList(QDir::Files), QStringList());
}

// The mouse moving over the list sends an event for every step: what the drag brings is read
// when it enters, once, and the drop enters that.
void TstDragDrop::dragIsReadOnce() {
    Fixture f;
    f.makeGroupsWithShelf();
    const QString path = f.tmp.filePath("regner.desktop");
    auto writeName = [&](const QByteArray& name) {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write("[Desktop Entry]\nType=Application\nName=" + name + "\nExec=calc\n");
    };
    writeName("Lommeregner");
    App& app = f.start();
    control<UpdateAction>(app.mainform, "actionSI")->trigger();
    QWidget* viewport = mainList(app)->viewport();
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    const QPoint at(10, 10);
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &enter);
    QVERIFY(enter.isAccepted());
    // Changed while the mouse moves: the drag keeps what it brought.
    writeName("Ændret");
    for (int y = 11; y < 20; ++y) {
        QDragMoveEvent move(QPoint(10, y), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &move);
        QVERIFY(move.isAccepted());
    }
    QDropEvent dropped(QPointF(10, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &dropped);
    QVERIFY(dropped.isAccepted());
    QTRY_VERIFY(QFileInfo::exists(f.programs() + "/P/Lommeregner.txt"));

    // A drag that left and a new one: the new one reads the file as it is now.
    QDragEnterEvent again(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &again);
    QDragLeaveEvent leave;
    QCoreApplication::sendEvent(viewport, &leave);
    writeName("Regnemaskine");
    QVERIFY(drop(mainList(app), [&] {
        auto* m = new QMimeData;
        m->setUrls({QUrl::fromLocalFile(path)});
        return m;
    }()));
    QVERIFY(QFileInfo::exists(f.programs() + "/P/Regnemaskine.txt"));
    QCOMPARE(QDir(f.programs() + "/P").entryList(QDir::Files),
             (QStringList{"Lommeregner.txt", "Regnemaskine.txt"}));
}

QTEST_MAIN(TstDragDrop)
#include "tst_dragdrop.moc"
