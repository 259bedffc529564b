#include "controls.h"
#include "fixture.h"
#include "ui/admin/entrytab.h"
#include "ui/admin/groupstab.h"
#include "writefile.h"

#include "platform/toolkit/stylemanager.h"
#include "platform/toolkit/updateaction.h"
#include "ui/admin/boks.h"
#include "ui/dialogs/infUnit.h"
#include "ui/help/info.h"
#include "ui/main/main.h"
#include "ui/widgets/groupdelegate.h"
#include "ui/widgets/pictures.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEnterEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QStyleOptionComboBox>
#include <QStyleOptionViewItem>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QWindow>

// The administration window opened from the main window and used as a user would.
class TstAdminwindow : public QObject {
    Q_OBJECT
private slots:
    void opensFromMainWindowAndHides();
    void switchesContentModeBothWays();
    void programsWithoutGroupList();
    void selectsGroupsFromEitherWindow();
    void entersElements_data();
    void entersElements();
    void declinedOverwriteStillEmptiesFields();
    void entryNeedsGroupAndItsTab();
    void messagesOpenInFrontOfTheAsker();
    void addressFieldsNamedAsTheirLabels();
    void elementListHasGridLines();
    void keepsProgramFontThroughStyles_data();
    void keepsProgramFontThroughStyles();
    void lookUpFillsProgramPath();
    void lookUpStartsBrowser();
    void shelfTabShowsActiveGroups();
    void showsHintsInOwnStatusBar();
    void informationButtons();
    void renameAndEditByKeyboard();
    void readableByScreenReaders();

private:
    // Web groups Nyheder (DR) and Musik, programs group Værktøj; Nyheder and Værktøj current.
    App& start(Fixture& f, const BrowserPlaces& browsers = {}) {
        f.makeUser();
        Fixture::element(f.web() + "/Nyheder", "DR", "https://www.dr.dk/", 41);
        QDir().mkpath(f.web() + "/Musik");
        writeFixture(f.web() + "/webgruppe.txt", {"Nyheder", "Musik"});
        writeFixture(f.web() + "/webLager.txt", {"Gammelt"});
        program = f.tmp.path() + "/lommeregner";
        writeFixture(program, {"x"});
        Fixture::element(f.programs() + "/Værktøj", "Lommeregner", program, 7);
        writeFixture(f.programs() + "/webgruppe.txt", {"Værktøj"});
        writeFixture(f.options() + "/main.txt",
                     {"Sky", "120", "120", "595", "380", "Nyheder", "Nyheder", "Værktøj", "0"});
        App& app = f.start("anna", browsers);
        app.mainform->show();
        app.mainform->activateWindow();
        if (!QTest::qWaitForWindowActive(app.mainform))
            qWarning("main window not active");
        QTest::keyClick(app.mainform, Qt::Key_A, Qt::ControlModifier);
        return app;
    }

    QString program;
};

void TstAdminwindow::opensFromMainWindowAndHides() {
    Fixture f;
    App& app = start(f);
    Tboksform* boks = app.boksform;
    QVERIFY(boks->isVisible());
    QCOMPARE(boks->windowTitle(), QStringLiteral("Administrer grupper og elementer"));
    QVERIFY(boks->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!(boks->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(boks->windowFlags() & Qt::WindowMaximizeButtonHint));
    // The least outer size, frame included.
    QVERIFY(QTest::qWaitForWindowExposed(boks));
    QCOMPARE(boks->minimumSize().grownBy(boks->windowHandle()->frameMargins()), QSize(480, 400));
    QStringList tabs;
    for (int i = 0; i < control<QTabWidget>(boks, "Bog")->count(); ++i)
        tabs << control<QTabWidget>(boks, "Bog")->tabText(i);
    QCOMPARE(tabs, (QStringList{"Grupper", "Indfør element", "Fjern eller rediger element",
                                "Administrer grupper"}));
    QCOMPARE(control<QTabWidget>(boks, "Bog")->currentIndex(), 0);
    QCOMPARE(itemTexts(control<QListWidget>(boks, "gruppeBoks")),
             (QStringList{"Nyheder", "Musik"}));
    QCOMPARE(itemTexts(control<QListWidget>(boks, "lagerBox")), QStringList{"Gammelt"});
    QCOMPARE(control<QLineEdit>(boks, "valgtGruppeEdit")->text(), QStringLiteral("Nyheder"));
    QCOMPARE(control<QTreeView>(boks, "programBoks")->model()->rowCount(), 1);

    control<QTabWidget>(boks, "Bog")->setCurrentIndex(1);
    control<QLineEdit>(boks, "FilnavnEdit")->setText("https://halvt.dk/");
    boks->close();
    QVERIFY(!boks->isVisible());
    // The main window active again, as after a click on it.
    app.mainform->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(app.mainform));
    QTest::keyClick(app.mainform, Qt::Key_A, Qt::ControlModifier);
    QVERIFY(boks->isVisible());
    QCOMPARE(control<QTabWidget>(boks, "Bog")->currentIndex(), 1);
    QCOMPARE(control<QLineEdit>(boks, "FilnavnEdit")->text(), QStringLiteral("https://halvt.dk/"));
}

void TstAdminwindow::switchesContentModeBothWays() {
    Fixture f;
    App& app = start(f);
    Tboksform* boks = app.boksform;
    QCOMPARE(control<QLabel>(boks, "adrLabel")->text(), QStringLiteral("Werbadresse"));
    QTest::mouseClick(control<QCheckBox>(boks, "funkCheck"), Qt::LeftButton, {},
                      QPoint(5, control<QCheckBox>(boks, "funkCheck")->height() / 2));
    QVERIFY(control<QCheckBox>(boks, "funkCheck")->isChecked());
    QCOMPARE(int(app.model->funkNo()), 1);
    QCOMPARE(app.model->gruppenavn(), QStringLiteral("Værktøj"));
    QCOMPARE(control<QLabel>(app.mainform, "gruppenavnLabel")->text(), QStringLiteral("Værktøj"));
    QCOMPARE(elementName(control<QTableView>(app.mainform, "Listen"), 0),
             QStringLiteral("Lommeregner"));
    QCOMPARE(itemTexts(control<QListWidget>(boks, "gruppeBoks")), QStringList{"Værktøj"});
    QCOMPARE(itemTexts(control<QListWidget>(app.mainform, "gruppeBoksen")), QStringList{"Værktøj"});
    QCOMPARE(itemTexts(control<QListWidget>(boks, "lagerBox")), QStringList{});
    QCOMPARE(control<QLabel>(boks, "adrLabel")->text(), QStringLiteral("Program"));
    QCOMPARE(control<QLabel>(boks, "adrLabel2")->text(), QStringLiteral("Program"));
    QCOMPARE(control<QTableView>(app.mainform, "Listen")
                 ->model()
                 ->headerData(3, Qt::Horizontal)
                 .toString(),
             QStringLiteral("Program"));

    // Choosing another web group is remembered for web mode and comes back after a switch.
    control<QCheckBox>(boks, "funkCheck")->click();
    QCOMPARE(app.model->gruppenavn(), QStringLiteral("Nyheder"));
    control<QListWidget>(boks, "gruppeBoks")->setCurrentRow(1);
    control<GroupsTab>(boks, "groupsTab")->gruppeBoksClick();
    control<QCheckBox>(boks, "funkCheck")->click();
    control<QCheckBox>(boks, "funkCheck")->click();
    QCOMPARE(app.model->gruppenavn(), QStringLiteral("Musik"));
    QCOMPARE(itemTexts(control<QListWidget>(boks, "lagerBox")), QStringList{"Gammelt"});
    QCOMPARE(control<QLabel>(boks, "adrLabel")->text(), QStringLiteral("Werbadresse"));
    QCOMPARE(control<QTableView>(app.mainform, "Listen")
                 ->model()
                 ->headerData(3, Qt::Horizontal)
                 .toString(),
             QStringLiteral("Webside"));
}

void TstAdminwindow::programsWithoutGroupList() {
    Fixture f;
    App& app = start(f);
    QFile::remove(f.programs() + "/webgruppe.txt");
    control<QCheckBox>(app.boksform, "funkCheck")->click();
    QCOMPARE(control<QListWidget>(app.boksform, "gruppeBoks")->count(), 0);
    QCOMPARE(control<QListWidget>(app.mainform, "gruppeBoksen")->count(), 0);
    // The group last chosen in programs mode is still shown; its folder exists.
    QCOMPARE(control<QTableView>(app.mainform, "Listen")->model()->rowCount(), 1);
}

void TstAdminwindow::selectsGroupsFromEitherWindow() {
    Fixture f;
    App& app = start(f);
    Tboksform* boks = app.boksform;
    QListWidget* list = control<QListWidget>(boks, "gruppeBoks");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(1)).center());
    QCOMPARE(app.model->gruppenavn(), QStringLiteral("Musik"));
    QCOMPARE(control<QLabel>(app.mainform, "gruppenavnLabel")->text(), QStringLiteral("Musik"));
    QCOMPARE(control<QLineEdit>(boks, "gruppeEdit")->text(), QStringLiteral("Musik"));
    QCOMPARE(control<QLineEdit>(boks, "gNameEdit")->text(), QStringLiteral("Musik"));
    QCOMPARE(control<QTableView>(app.mainform, "Listen")->model()->rowCount(), 0);

    // Moving the highlight with the keyboard selects the group it lands on.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Up);
    QTRY_COMPARE(app.model->gruppenavn(), QStringLiteral("Nyheder"));
    QCOMPARE(control<QTableView>(app.mainform, "Listen")->model()->rowCount(), 1);
    QCOMPARE(elementName(control<QTreeView>(boks, "programBoks"), 0), QStringLiteral("DR"));

    // And from the main window, which marks the same row here.
    control<QListWidget>(app.mainform, "gruppeBoksen")->setCurrentRow(1);
    QTest::keyClick(control<QListWidget>(app.mainform, "gruppeBoksen"), Qt::Key_Return);
    QCOMPARE(list->currentRow(), 1);
    QCOMPARE(control<QLineEdit>(boks, "valgtGruppeEdit")->text(), QStringLiteral("Musik"));
}

void TstAdminwindow::entersElements_data() {
    QTest::addColumn<bool>("programs");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("one character") << false << "https://www.tv2.dk/"
                                   << "T"
                                   << "";
    QTest::newRow("no name") << false << "https://www.tv2.dk/"
                             << ""
                             << "Der mangler et kort navn!";
    QTest::newRow("no address") << false << ""
                                << "TV 2"
                                << "Der mangler en webadresse!";
    QTest::newRow("name first") << false << ""
                                << ""
                                << "Der mangler et kort navn!";
    QTest::newRow("bad address") << false << "tv2.dk"
                                 << "TV 2"
                                 << "Der mangler en gyldig webadresse!";
    QTest::newRow("unusable name") << false << "https://www.tv2.dk/"
                                   << "TV?"
                                   << "Navnet kan ikke bruges som filnavn.";
    QTest::newRow("program") << true << "PROGRAM"
                             << "Regner"
                             << "";
    QTest::newRow("no program") << true << ""
                                << "Regner"
                                << "Der mangler et program!";
    QTest::newRow("missing program") << true << "/ingen/fil"
                                     << "Regner"
                                     << "Filen kunne ikke findes!";
}

void TstAdminwindow::entersElements() {
    QFETCH(bool, programs);
    QFETCH(QString, address);
    QFETCH(QString, name);
    QFETCH(QString, message);
    Fixture f;
    App& app = start(f);
    Tboksform* boks = app.boksform;
    if (programs)
        control<QCheckBox>(boks, "funkCheck")->click();
    if (address == "PROGRAM")
        address = program;
    control<QTabWidget>(boks, "Bog")->setCurrentIndex(1);
    control<QLineEdit>(boks, "FilnavnEdit")->setText(address);
    control<QLineEdit>(boks, "tekstEdit")->setText(name);
    const int before = control<QTableView>(app.mainform, "Listen")->model()->rowCount();
    // The action runs only with both fields filled; the checks run whichever way it starts.
    control<EntryTab>(boks, "entryTab")->InsertElement();
    if (message.isEmpty()) {
        QVERIFY(app.infform->takeShown().isEmpty());
        QCOMPARE(control<QLineEdit>(boks, "FilnavnEdit")->text(), QString());
        QCOMPARE(control<QLineEdit>(boks, "tekstEdit")->text(), QString());
        QCOMPARE(control<QTableView>(app.mainform, "Listen")->model()->rowCount(), before + 1);
        QCOMPARE(control<QTreeView>(boks, "programBoks")->model()->rowCount(), before + 1);
        const QString group = programs ? f.programs() + "/Værktøj/" : f.web() + "/Nyheder/";
        QCOMPARE(textfile::readLines(group + name + ".txt")->mid(0, 5),
                 (QStringList{address, name, "Dato", "XX:XX", "0"}));
    } else {
        QCOMPARE(app.infform->takeShown(), QStringList{message});
        QCOMPARE(control<QLineEdit>(boks, "FilnavnEdit")->text(), address);
        QCOMPARE(control<QLineEdit>(boks, "tekstEdit")->text(), name);
        QCOMPARE(control<QTableView>(app.mainform, "Listen")->model()->rowCount(), before);
    }
}

void TstAdminwindow::declinedOverwriteStillEmptiesFields() {
    Fixture f;
    App& app = start(f);
    Tboksform* boks = app.boksform;
    control<QTabWidget>(boks, "Bog")->setCurrentIndex(1);
    control<QLineEdit>(boks, "FilnavnEdit")->setText("https://www.dr.dk/tv");
    control<QLineEdit>(boks, "tekstEdit")->setText("DR");
    app.spform->setNextAnswer(false);
    QTest::keyClick(control<QLineEdit>(boks, "tekstEdit"), Qt::Key_Return);
    QCOMPARE(app.spform->takeShown().size(), 1);
    QCOMPARE(control<QLineEdit>(boks, "FilnavnEdit")->text(), QString());
    QCOMPARE(control<QLineEdit>(boks, "tekstEdit")->text(), QString());
    QCOMPARE(textfile::readLines(f.web() + "/Nyheder/DR.txt")->mid(0, 5),
             (QStringList{"https://www.dr.dk/", "DR", "01-12-2026", "10:15", "41"}));
}

void TstAdminwindow::entryNeedsGroupAndItsTab() {
    Fixture f;
    App& app = start(f);
    Tboksform* boks = app.boksform;
    boks->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(boks));
    control<QLineEdit>(boks, "FilnavnEdit")->setText("https://www.tv2.dk/");
    control<QLineEdit>(boks, "tekstEdit")->setText("TV 2");
    // On another tab Ctrl+I does not act on the entry tab.
    QTest::keyClick(boks, Qt::Key_I, Qt::ControlModifier);
    QVERIFY(!QFileInfo::exists(f.web() + "/Nyheder/TV 2.txt"));
    QVERIFY(!control<UpdateAction>(boks, "actionOpenEle")->update());

    control<QTabWidget>(boks, "Bog")->setCurrentIndex(1);
    QVERIFY(control<UpdateAction>(boks, "actionOpenEle")->update());
    app.model->selectGroup(QString());
    control<QLineEdit>(boks, "FilnavnEdit")->setText("https://www.tv2.dk/");
    control<QLineEdit>(boks, "tekstEdit")->setText("TV 2");
    QTest::keyClick(boks, Qt::Key_I, Qt::ControlModifier);
    QTest::keyClick(control<QLineEdit>(boks, "tekstEdit"), Qt::Key_Return);
    QVERIFY(!control<UpdateAction>(boks, "actionOpenEle")->update());
    QVERIFY(!control<QToolButton>(boks, "insertKnap")->isEnabled());
    QVERIFY(app.infform->takeShown().isEmpty());
    QCOMPARE(control<QLineEdit>(boks, "tekstEdit")->text(), QStringLiteral("TV 2"));

    app.model->selectGroup("Nyheder");
    control<QLineEdit>(boks, "FilnavnEdit")->setText("https://www.tv2.dk/");
    control<QLineEdit>(boks, "tekstEdit")->setText("TV 2");
    QTest::keyClick(boks, Qt::Key_I, Qt::ControlModifier);
    QVERIFY(QFileInfo::exists(f.web() + "/Nyheder/TV 2.txt"));
    QCOMPARE(control<QTableView>(app.mainform, "Listen")->model()->rowCount(), 2);
}

void TstAdminwindow::messagesOpenInFrontOfTheAsker() {
    Fixture f;
    App& app = start(f);
    Tboksform* boks = app.boksform;
    boks->move(260, 150);
    boks->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(boks));
    struct Seen {
        QWidget* owner = nullptr;
        QWindow* transientParent = nullptr;
        QPoint centre;
        bool onTop = false;
    };
    // What the next message or question looks like while it is open.
    auto watch = [](ModalTextWindow* form, Seen& seen) {
        QTimer::singleShot(0, form, [form, &seen] {
            seen = {form->parentWidget(), form->windowHandle()->transientParent(),
                    form->geometry().center(),
                    bool(form->windowFlags() & Qt::WindowStaysOnTopHint)};
        });
    };

    // A refusal on the entry tab: the administration window stays on top of the main window.
    control<QTabWidget>(boks, "Bog")->setCurrentIndex(1);
    control<QLineEdit>(boks, "FilnavnEdit")->setText("ikke en adresse");
    control<QLineEdit>(boks, "tekstEdit")->setText("TV 2");
    Seen message;
    watch(app.infform, message);
    QTest::keyClick(boks, Qt::Key_I, Qt::ControlModifier);
    QCOMPARE(app.infform->takeShown(), QStringList{"Der mangler en gyldig webadresse!"});
    QCOMPARE(message.owner, boks);
    QCOMPARE(message.transientParent, boks->windowHandle());
    QVERIFY(message.onTop);
    QVERIFY((message.centre - boks->geometry().center()).manhattanLength() <= 4);

    // A question asked there too.
    boks->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(boks));
    control<QLineEdit>(boks, "FilnavnEdit")->setText("https://www.dr.dk/sporten");
    control<QLineEdit>(boks, "tekstEdit")->setText("DR");
    Seen question;
    watch(app.spform, question);
    QTest::keyClick(boks, Qt::Key_I, Qt::ControlModifier);
    QCOMPARE(app.spform->takeShown().size(), 1);
    QCOMPARE(question.owner, boks);
    QVERIFY((question.centre - boks->geometry().center()).manhattanLength() <= 4);

    // Closed, both belong to the main window again, and a message it asks for opens over it.
    QCOMPARE(app.infform->parentWidget(), app.mainform);
    QCOMPARE(app.spform->parentWidget(), app.mainform);
    app.mainform->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(app.mainform));
    control<QLineEdit>(app.mainform, "webEdit2")->setText("x");
    control<QLineEdit>(app.mainform, "webEdit1")->setText("https://www.dr.dk/");
    watch(app.infform, message);
    control<UpdateAction>(app.mainform, "actionIL")->execute();
    QCOMPARE(app.infform->takeShown(), QStringList{"Kort navn: Minimum 3 tegn!"});
    QCOMPARE(message.owner, app.mainform);
    QVERIFY((message.centre - app.mainform->geometry().center()).manhattanLength() <= 4);
}

void TstAdminwindow::addressFieldsNamedAsTheirLabels() {
    Fixture f;
    App& app = start(f);
    Tboksform* boks = app.boksform;
    for (const bool programs : {false, true, false}) {
        control<QCheckBox>(boks, "funkCheck")->setChecked(programs);
        const QString caption = programs ? "Program" : "Werbadresse";
        QCOMPARE(control<QLabel>(boks, "adrLabel")->text(), caption);
        QCOMPARE(control<QLabel>(boks, "adrLabel2")->text(), caption);
        QCOMPARE(control<QLineEdit>(boks, "FilnavnEdit")->accessibleName(), caption);
        QCOMPARE(control<QLineEdit>(boks, "webUrlEdit")->accessibleName(), caption);
    }
}

namespace {
// Presses Tab in window until widget has the focus; false when a whole round never reaches it.
bool tabReaches(QWidget* window, QWidget* widget) {
    for (int i = 0; i < 40; ++i) {
        if (QApplication::focusWidget() == widget)
            return true;
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window,
                        Qt::Key_Tab);
    }
    return QApplication::focusWidget() == widget;
}
} // namespace

// A group renamed and an element's address edited without the mouse: "Valgt gruppe" is a Tab
// stop while "Rediger" is ticked, a row chosen with the arrows fills the edit tab's fields, and
// "Werbadresse" is a Tab stop.
void TstAdminwindow::renameAndEditByKeyboard() {
    Fixture f;
    Fixture::element(f.web() + "/Nyheder", "TV 2", "https://nyheder.tv2.dk/", 2);
    App& app = start(f);
    Tboksform* boks = app.boksform;
    boks->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(boks));
    auto* name = control<QLineEdit>(boks, "valgtGruppeEdit");
    auto* groups = control<QListWidget>(boks, "gruppeBoks");
    groups->setFocus();
    QVERIFY(!tabReaches(boks, name));
    auto* rediger = control<QCheckBox>(boks, "redigerCheck");
    rediger->setFocus();
    QTest::keyClick(rediger, Qt::Key_Space);
    QVERIFY(rediger->isChecked());
    QVERIFY(tabReaches(boks, name));
    name->selectAll();
    QTest::keyClicks(name, "Aviser");
    QVERIFY(tabReaches(boks, control<QToolButton>(boks, "redigerKnap")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(app.model->gruppenavn(), QStringLiteral("Aviser"));
    QVERIFY(!rediger->isChecked());
    QVERIFY(!(name->focusPolicy() & Qt::TabFocus));

    control<QTabWidget>(boks, "Bog")->setCurrentIndex(2);
    auto* list = control<QTreeView>(boks, "programBoks");
    list->setFocus();
    QTest::keyClick(list, Qt::Key_End);
    QTest::keyClick(list, Qt::Key_Home);
    QCOMPARE(control<QLineEdit>(boks, "webUrlEdit")->text(), QStringLiteral("https://www.dr.dk/"));
    QCOMPARE(control<QLineEdit>(boks, "nytekstEdit")->text(), QStringLiteral("DR"));
    QVERIFY(tabReaches(boks, control<QLineEdit>(boks, "webUrlEdit")));
}

void TstAdminwindow::readableByScreenReaders() {
    Fixture f;
    App& app = start(f);
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(app.boksform);
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(window->text(QAccessible::Name), QStringLiteral("Administrer grupper og elementer"));
}

void TstAdminwindow::elementListHasGridLines() {
    Fixture f;
    App& app = start(f);
    Tboksform* boks = app.boksform;
    control<QTabWidget>(boks, "Bog")->setCurrentIndex(2);
    QTreeView* list = control<QTreeView>(boks, "programBoks");
    QCOMPARE(list->model()->rowCount(), 1);
    QCoreApplication::processEvents();
    int shown = 0;
    while (list->isColumnHidden(shown))
        ++shown;
    const QRect cell = list->visualRect(list->model()->index(0, shown));
    const QImage image = list->viewport()->grab().toImage();
    QStyleOptionViewItem option;
    option.initFrom(list);
    const QColor grid = QColor::fromRgba(
        QRgb(list->style()->styleHint(QStyle::SH_Table_GridLineColor, &option, list)));
    QVERIFY(grid.alpha() > 0);
    QCOMPARE(image.pixelColor(cell.center().x(), cell.bottom()), grid);
    QCOMPARE(image.pixelColor(cell.center().x(), cell.center().y()) == grid, false);
}

void TstAdminwindow::keepsProgramFontThroughStyles_data() {
    QTest::addColumn<QString>("style");
    for (const QString& style : StyleManager::styleNames())
        QTest::newRow(qPrintable(style)) << style;
}

// A style changes colours and frames, never the program's font: the narrow 8-point font is what
// the columns and fields were made to fit.
void TstAdminwindow::keepsProgramFontThroughStyles() {
    QFETCH(QString, style);
    Fixture f;
    App& app = start(f);
    StyleManager::setStyle(style);
    QCoreApplication::processEvents();
    const QString family = QFontInfo(tahoma(8)).family();
    QTableView* listen = control<QTableView>(app.mainform, "Listen");
    Tboksform* boks = app.boksform;
    for (QWidget* w : std::initializer_list<QWidget*>{
             listen, listen->horizontalHeader(), control<QLineEdit>(app.mainform, "webEdit1"),
             control<QLabel>(app.mainform, "Label2"), control<QComboBox>(boks, "designBox"),
             control<QListWidget>(boks, "gruppeBoks"), control<QTreeView>(boks, "programBoks"),
             control<QCheckBox>(boks, "funkCheck"), control<QToolButton>(boks, "insertKnap"),
             control<QPushButton>(app.infform, "BitBtn1"),
             control<QPushButton>(app.spform, "BitBtn1")}) {
        QCOMPARE(QFontInfo(w->font()).family(), family);
        QCOMPARE(w->font().pointSize(),
                 w == static_cast<QWidget*>(control<QPushButton>(app.infform, "BitBtn1")) ? 10 : 8);
    }
    QVERIFY(control<QLabel>(app.mainform, "Label2")->font().bold());

    // The captions and a ten-character date fit the columns, the longest style name its list.
    const QFontMetrics header(listen->horizontalHeader()->font());
    QVERIFY2(header.horizontalAdvance("Klokken") + 6 <= listen->columnWidth(1),
             qPrintable(QString::number(header.horizontalAdvance("Klokken"))));
    const QFontMetrics cells(listen->font());
    QVERIFY2(cells.horizontalAdvance("10-12-2026") + 8 <= listen->columnWidth(0),
             qPrintable(QString::number(cells.horizontalAdvance("10-12-2026"))));
    QComboBox* design = control<QComboBox>(boks, "designBox");
    QStyleOptionComboBox option;
    option.initFrom(design);
    option.editable = false;
    const QRect field = design->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                        QStyle::SC_ComboBoxEditField, design);
    QVERIFY2(design->fontMetrics().horizontalAdvance("Windows10 Clear Day") <= field.width(),
             qPrintable(QString::number(field.width())));
}

void TstAdminwindow::lookUpFillsProgramPath() {
    Fixture f;
    App& app = start(f);
    Tboksform* boks = app.boksform;
    control<QCheckBox>(boks, "funkCheck")->click();
    control<QTabWidget>(boks, "Bog")->setCurrentIndex(1);
    FileDialog::setNextFile(program);
    control<UpdateAction>(boks, "actionOpenEle")->execute();
    QCOMPARE(FileDialog::takeShown(), QStringList{"Vælg program|" + QDir::rootPath()});
    QCOMPARE(control<QLineEdit>(boks, "FilnavnEdit")->text(), program);
    control<UpdateAction>(boks, "actionOpenEle")->execute(); // cancelled
    QCOMPARE(control<QLineEdit>(boks, "FilnavnEdit")->text(), program);
}

void TstAdminwindow::lookUpStartsBrowser() {
    Fixture f;
    const QString edge = f.tmp.path() + "/msedge";
    writeFixture(edge, {"x"});
    App& app = start(f, {{f.tmp.path() + "/chrome"}, {edge}});
    Tboksform* boks = app.boksform;
    control<QTabWidget>(boks, "Bog")->setCurrentIndex(1);
    control<QLineEdit>(boks, "FilnavnEdit")->setText("uændret");
    control<UpdateAction>(boks, "actionOpenEle")->execute();
    QCOMPARE(f.fakes.shell->calls.size(), 1);
    QCOMPARE(f.fakes.shell->calls[0].file, edge);
    QCOMPARE(control<QLineEdit>(boks, "FilnavnEdit")->text(), QStringLiteral("uændret"));
}

void TstAdminwindow::shelfTabShowsActiveGroups() {
    Fixture f;
    App& app = start(f);
    Tboksform* boks = app.boksform;
    control<QTabWidget>(boks, "Bog")->setCurrentIndex(3);
    // With no moves pending the draft is the active list.
    QCOMPARE(itemTexts(control<QListWidget>(boks, "Box")), (QStringList{"Nyheder", "Musik"}));
    QCOMPARE(control<QListWidget>(boks, "Box")->selectionMode(),
             QAbstractItemView::ExtendedSelection);
}

void TstAdminwindow::showsHintsInOwnStatusBar() {
    Fixture f;
    App& app = start(f);
    Tboksform* boks = app.boksform;
    // The pointer entering a control shows its hint.
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(control<QToolButton>(boks, "sletKnap"), &enter);
    QCOMPARE(control<QStatusBar>(boks, "infoBar")->currentMessage(),
             QStringLiteral("Slet aktuelle gruppe"));
    QCOMPARE(control<QStatusBar>(app.mainform, "infoBar")->currentMessage(), QString());
    QCOMPARE(
        control<QToolButton>(boks, "openKnap")->accessibleName(),
        QStringLiteral("Indsæt program eller webadresse  ved Stifinder eller Browser: Ctrl+B"));
    QCOMPARE(control<QLineEdit>(boks, "FilnavnEdit")->accessibleName(),
             QStringLiteral("Werbadresse"));
    QCOMPARE(control<QLineEdit>(boks, "tekstEdit")->accessibleName(), QStringLiteral("Kort navn"));
}

void TstAdminwindow::informationButtons() {
    Fixture f;
    App& app = start(f);
    QVERIFY(!app.infoformen->isVisible());
    control<QToolButton>(app.boksform, "sbInfo2")->click();
    QVERIFY(app.infoformen->isVisible());
}

QTEST_MAIN(TstAdminwindow)
#include "tst_adminwindow.moc"
