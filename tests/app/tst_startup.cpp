#include "controls.h"
#include "fixture.h"
#include "ui/admin/groupstab.h"
#include "writefile.h"

#include "platform/toolkit/stylemanager.h"
#include "settings/programsettings.h"
#include "ui/admin/boks.h"
#include "ui/help/url1.h"
#include "ui/main/main.h"
#include "ui/widgets/place.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <QWindow>

#include <limits>

// Start-up and close of the whole program against a base folder of the test's own.
class TstStartup : public QObject {
    Q_OBJECT
private slots:
    void firstStartAndClose();
    void readsMainOptions_data();
    void readsMainOptions();
    void unknownStyleIsReportedAndKept();
    void defaultGroupNeedsUnderholdningOfZvk();
    void noLoginName();
    void failedTemplateCopyStillStarts();
    void readsBoksOptions_data();
    void readsBoksOptions();
    void stylesAreListedSortedAndApplied();
    void extremePlacesStayOnScreen_data();
    void extremePlacesStayOnScreen();
    void toolkitSpeaksDanish();
    void secondStartMakesNoWindow();
};

void TstStartup::firstStartAndClose() {
    Fixture f;
    Fixture::element(f.base + "/Struktur/Program/Nyheder", "DR", "https://www.dr.dk/");
    writeFixture(f.base + "/Struktur/Program/webgruppe.txt", {"Nyheder"});
    App& app = f.start();
    Tmainform* main = app.mainform;
    QCOMPARE(main->windowTitle(), QStringLiteral("Lenkaro: anna"));
    QCOMPARE(StyleManager::activeStyle(), QStringLiteral("Sky"));
    QVERIFY(QFileInfo::exists(f.web() + "/Nyheder/DR.txt"));
    QVERIFY(QFileInfo(f.options()).isDir());
    QVERIFY(!QFileInfo::exists(f.options() + "/main.txt"));
    QCOMPARE(control<QListWidget>(main, "gruppeBoksen")->count(), 1);
    QCOMPARE(control<QListWidget>(app.boksform, "gruppeBoks")->item(0)->text(),
             QStringLiteral("Nyheder"));
    QCOMPARE(control<QLabel>(main, "gruppenavnLabel")->text(), QStringLiteral("Valgt gruppe"));
    QVERIFY(MessageBox::takeShown().isEmpty());

    main->show();
    // Place, size and minimum size are the frame's: the default size is also the smallest.
    QVERIFY(QTest::qWaitForWindowExposed(main));
    QCOMPARE(main->frameGeometry(), QRect(120, 120, 595, 380));
    QCOMPARE(main->minimumSize().grownBy(main->windowHandle()->frameMargins()), QSize(595, 380));
    app.model->selectGroup("Nyheder");
    main->close();
    QCOMPARE(*textfile::readLines(f.options() + "/main.txt"),
             (QStringList{"Sky", "120", "120", "595", "380", "Nyheder", "Nyheder", "", "0"}));
    QCOMPARE(*textfile::readLines(f.options() + "/lenKaro.txt"),
             (QStringList{"120", "120", "480", "480", "0"}));
}

void TstStartup::readsMainOptions_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("gruppenavn");
    QTest::addColumn<int>("funkNo");
    QTest::addColumn<QString>("label");
    const QStringList all{"Carbon", "50", "60", "700", "500", "Nyheder", "Nyheder", "Kontor", "0"};
    QTest::newRow("nine lines") << all << QRect(60, 50, 700, 500) << "Nyheder" << 0 << "Nyheder";
    QStringList programs = all;
    programs[5] = "Kontor";
    programs[8] = "1";
    QTest::newRow("programs") << programs << QRect(60, 50, 700, 500) << "Kontor" << 1 << "Kontor";
    QTest::newRow("five lines") << all.mid(0, 5) << QRect(60, 50, 700, 500) << "" << 0
                                << "Valgt gruppe";
    QStringList badWidth = all;
    badWidth[3] = "bred";
    QTest::newRow("width not a number")
        << badWidth << QRect(60, 50, 595, 380) << "" << 0 << "Valgt gruppe";
    QStringList smallWindow = all;
    smallWindow[3] = "100";
    smallWindow[4] = "100";
    QTest::newRow("never below the minimum")
        << smallWindow << QRect(60, 50, 595, 380) << "Nyheder" << 0 << "Nyheder";
    QStringList oddMode = all;
    oddMode[8] = "7";
    QTest::newRow("mode 7 is web")
        << oddMode << QRect(60, 50, 700, 500) << "Nyheder" << 0 << "Nyheder";
}

void TstStartup::readsMainOptions() {
    QFETCH(QStringList, lines);
    QFETCH(QRect, geometry);
    QFETCH(QString, gruppenavn);
    QFETCH(int, funkNo);
    QFETCH(QString, label);
    Fixture f;
    f.makeUser();
    Fixture::element(f.web() + "/Nyheder", "DR", "https://www.dr.dk/");
    Fixture::element(f.programs() + "/Kontor", "Regneark", "/usr/bin/localc");
    writeFixture(f.web() + "/webgruppe.txt", {"Nyheder", "Musik"});
    writeFixture(f.programs() + "/webgruppe.txt", {"Kontor"});
    writeFixture(f.options() + "/main.txt", lines);
    App& app = f.start();
    Tmainform* main = app.mainform;
    QCOMPARE(app.settings->designname(), lines[0]);
    QCOMPARE(StyleManager::activeStyle(), lines[0]);
    QCOMPARE(outerPlace(main), geometry);
    QCOMPARE(app.model->gruppenavn(), gruppenavn);
    QCOMPARE(int(app.model->funkNo()), funkNo);
    QCOMPARE(control<QLabel>(main, "gruppenavnLabel")->text(), label);
    QCOMPARE(control<QCheckBox>(app.boksform, "funkCheck")->isChecked(), funkNo == 1);
    QCOMPARE(app.model->programdir(), funkNo == 1 ? f.programs() + "/" : f.web() + "/");
    QCOMPARE(control<QListWidget>(main, "gruppeBoksen")->count(), funkNo == 1 ? 1 : 2);
    QCOMPARE(control<QTableView>(main, "Listen")->model()->headerData(3, Qt::Horizontal).toString(),
             funkNo == 1 ? QStringLiteral("Program") : QStringLiteral("Hjemmeside"));

    main->show();
    QCOMPARE(control<QTableView>(main, "Listen")->model()->rowCount(),
             gruppenavn.isEmpty() ? 0 : 1);
    main->close();
    const QStringList saved = *textfile::readLines(f.options() + "/main.txt");
    QCOMPARE(saved.size(), 9);
    QCOMPARE(saved[5], saved[funkNo == 1 ? 7 : 6]);
    QCOMPARE(saved[8], QString::number(funkNo));
}

void TstStartup::unknownStyleIsReportedAndKept() {
    Fixture f;
    f.makeUser();
    writeFixture(f.options() + "/main.txt", {"Marmor", "50", "60", "700", "500", "", "", "", "0"});
    App& app = f.start();
    const auto shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown[0].text.contains("Marmor"));
    QCOMPARE(StyleManager::activeStyle(), QStringLiteral("Sky"));
    // The rest of the file is still read.
    QCOMPARE(outerPlace(app.mainform).size(), QSize(700, 500));
    QCOMPARE(control<QComboBox>(app.boksform, "designBox")->currentIndex(), -1);
    app.mainform->close();
    QCOMPARE(textfile::readLines(f.options() + "/main.txt")->first(), QStringLiteral("Marmor"));
}

void TstStartup::defaultGroupNeedsUnderholdningOfZvk() {
    for (bool present : {false, true}) {
        Fixture f;
        f.makeUser();
        Fixture::element(f.web() + "/Underholdning", "DRTV", "https://www.dr.dk/drtv/");
        if (present)
            QDir().mkpath(f.base + "/zvk/Program/Underholdning");
        App& app = f.start();
        QCOMPARE(app.model->gruppenavn(), present ? QStringLiteral("Underholdning") : QString());
        QCOMPARE(app.model->gruppenavn0(), app.model->gruppenavn());
    }
}

void TstStartup::noLoginName() {
    Fixture f;
    App& app = f.start(QString());
    QCOMPARE(app.mainform->windowTitle(), QStringLiteral("Lenkaro: Bruger"));
    QVERIFY(QFileInfo(f.base + "/Bruger/Egenskaber").isDir());
}

void TstStartup::failedTemplateCopyStillStarts() {
    Fixture f;
    QDir(f.base + "/Struktur/Program").removeRecursively();
    App& app = f.start();
    const auto shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown[0].text.contains(QDir::toNativeSeparators(f.base + "/Struktur/Program")));
    QCOMPARE(app.settings->optdir(), f.options() + "/");
    QCOMPARE(app.model->webGruppefil(), f.web() + "/webgruppe.txt");
    app.mainform->show();
    app.mainform->close();
    QCOMPARE(textfile::readLines(f.options() + "/main.txt")->size(), 9);
}

void TstStartup::readsBoksOptions_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<int>("browser");
    QTest::newRow("no file") << QStringList{"-"} << QRect(120, 120, 480, 480) << 0;
    QTest::newRow("five lines") << QStringList{"30", "40", "600", "450", "1"}
                                << QRect(40, 30, 600, 450) << 1;
    QTest::newRow("four lines") << QStringList{"30", "40", "600", "450"} << QRect(40, 30, 600, 450)
                                << 0;
    QTest::newRow("browser 2 is Edge")
        << QStringList{"30", "40", "600", "450", "2"} << QRect(40, 30, 600, 450) << 1;
    QTest::newRow("browser -1 is none")
        << QStringList{"30", "40", "600", "450", "-1"} << QRect(40, 30, 600, 450) << -1;
    QTest::newRow("bad width") << QStringList{"30", "40", "x", "450", "1"}
                               << QRect(40, 30, 480, 400) << 0;
}

void TstStartup::readsBoksOptions() {
    QFETCH(QStringList, lines);
    QFETCH(QRect, geometry);
    QFETCH(int, browser);
    Fixture f;
    f.makeUser();
    if (lines != QStringList{"-"})
        writeFixture(f.options() + "/lenKaro.txt", lines);
    App& app = f.start();
    QCOMPARE(outerPlace(app.boksform), geometry);
    QCOMPARE(app.settings->browserValg(), browser);
    app.mainform->close();
    const QStringList saved = *textfile::readLines(f.options() + "/lenKaro.txt");
    QCOMPARE(saved.size(), 5);
    QCOMPARE(saved[4], QString::number(browser));
}

void TstStartup::stylesAreListedSortedAndApplied() {
    Fixture f;
    App& app = f.start();
    QComboBox* box = control<QComboBox>(app.boksform, "designBox");
    QStringList names;
    for (int i = 0; i < box->count(); ++i)
        names << box->itemText(i);
    QCOMPARE(names, (QStringList{"Aqua Light Slate", "Carbon", "Iceberg Classico", "Sky", "Windows",
                                 "Windows10 Clear Day"}));
    QCOMPARE(box->currentIndex(), 3);

    app.mainform->show();
    app.boksform->show();
    const QColor skyWindow = app.boksform->palette().color(QPalette::Window);
    box->setCurrentIndex(1);
    control<GroupsTab>(app.boksform, "groupsTab")->designBoxChange();
    QCOMPARE(app.settings->designname(), QStringLiteral("Carbon"));
    QCOMPARE(StyleManager::activeStyle(), QStringLiteral("Carbon"));
    // Every open window takes the new look at once.
    QVERIFY(app.mainform->palette().color(QPalette::Window) != skyWindow);
    QCOMPARE(app.mainform->palette().color(QPalette::Window),
             app.boksform->palette().color(QPalette::Window));
    QVERIFY(app.mainform->palette().color(QPalette::Window).lightness() < 100);

    // Styles are found whatever the case of their names.
    QVERIFY(StyleManager::setStyle("windows10 clear day"));
    QCOMPARE(StyleManager::activeStyle(), QStringLiteral("Windows10 Clear Day"));
    QVERIFY(StyleManager::setStyle("WINDOWS"));
    QVERIFY(MessageBox::takeShown().isEmpty());
}

void TstStartup::extremePlacesStayOnScreen_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("lines");
    // Where top, left, width and height are in the file; -1 for a value it does not hold.
    QTest::addColumn<QList<int>>("fields");
    const QString most = QString::number(std::numeric_limits<int>::max());
    const QString least = QString::number(std::numeric_limits<int>::min());
    const QList<int> main{1, 2, 3, 4}, boks{0, 1, 2, 3}, urls{-1, -1, 0, 1};
    QTest::newRow("main.txt, largest")
        << "main.txt" << QStringList{"Sky", most, most, most, most, "", "", "", "0"} << main;
    QTest::newRow("main.txt, smallest")
        << "main.txt" << QStringList{"Sky", least, least, least, least, "", "", "", "0"} << main;
    QTest::newRow("main.txt, off the screen")
        << "main.txt" << QStringList{"Sky", "-3000", "5000", "700", "500", "", "", "", "0"} << main;
    QTest::newRow("lenKaro.txt, largest")
        << "lenKaro.txt" << QStringList{most, most, most, most, "0"} << boks;
    QTest::newRow("lenKaro.txt, smallest")
        << "lenKaro.txt" << QStringList{least, least, least, least, "0"} << boks;
    QTest::newRow("lenKaro.txt, only a huge width")
        << "lenKaro.txt" << QStringList{"30", "40", most} << boks;
    QTest::newRow("urlboks1.txt, largest") << "urlboks1.txt" << QStringList{most, most} << urls;
    QTest::newRow("urlboks1.txt, smallest") << "urlboks1.txt" << QStringList{least, least} << urls;
}

// Options files are edited by hand and copied from other machines: whatever numbers they hold,
// the window comes up whole on the screen, at least its minimum size, and that place is what
// is written back and found again at the next start.
void TstStartup::extremePlacesStayOnScreen() {
    QFETCH(QString, file);
    QFETCH(QStringList, lines);
    QFETCH(QList<int>, fields);
    Fixture f;
    f.makeUser();
    const QString path = f.options() + "/" + file;
    writeFixture(path, lines);
    auto windowOf = [&file](App& app) -> QWidget* {
        if (file == "main.txt")
            return app.mainform;
        if (file == "lenKaro.txt")
            return app.boksform;
        return app.urlform1;
    };
    App& app = f.start();
    QWidget* window = windowOf(app);
    // The place is the frame's: title bar and borders on the screen too.
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QRect placed = window->frameGeometry();
    const QRect available = window->screen()->availableGeometry();
    QVERIFY2(available.contains(placed), qPrintable(QString("%1,%2 %3x%4")
                                                        .arg(placed.x())
                                                        .arg(placed.y())
                                                        .arg(placed.width())
                                                        .arg(placed.height())));
    QVERIFY(placed.width() >= window->minimumWidth());
    QVERIFY(placed.height() >= window->minimumHeight());
    // The URL list window writes its size when it is closed, the others when the program ends.
    window->close();
    app.mainform->close();
    const QStringList saved = *textfile::readLines(path);
    const int values[] = {placed.y(), placed.x(), placed.width(), placed.height()};
    for (int i = 0; i < 4; ++i) {
        if (fields[i] >= 0)
            QCOMPARE(saved.value(fields[i]), QString::number(values[i]));
    }

    f.app.reset();
    App& again = f.start();
    windowOf(again)->show();
    QVERIFY(QTest::qWaitForWindowExposed(windowOf(again)));
    QCOMPARE(windowOf(again)->frameGeometry(), placed);
}

// The file dialogs and the fields' context menus are the toolkit's own: started, the program
// has them speak Danish, whatever the desktop's language (the tests run in English).
void TstStartup::toolkitSpeaksDanish() {
    Fixture f;
    f.start();
    QFileDialog dialog(nullptr, QStringLiteral("Vælg program"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    QVERIFY(buttons);
    QCOMPARE(buttons->button(QDialogButtonBox::Open)->text(), QStringLiteral("&Åbn"));
    QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Annuller"));
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        labels << label->text();
    QVERIFY2(labels.contains(QStringLiteral("Kig i:")), qPrintable(labels.join(u'|')));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    QCOMPARE(buttons->button(QDialogButtonBox::Save)->text(), QStringLiteral("&Gem"));

    QLineEdit field;
    std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    QStringList items;
    for (const QAction* action : menu->actions())
        items << action->text().section(u'\t', 0, 0);
    QVERIFY2(items.contains(QStringLiteral("Markér alt")), qPrintable(items.join(u'|')));
    QVERIFY(items.contains(QStringLiteral("&Fortryd")));
}

void TstStartup::secondStartMakesNoWindow() {
    Fixture f;
    f.makeGroupsWithShelf();
    FakeServices firstFakes, secondFakes;
    Services firstServices = firstFakes.make();
    firstServices.singleInstance = true;
    App first(f.base, "anna", std::move(firstServices));
    QVERIFY(!first.runsElsewhere());
    QVERIFY(!first.mainform->isVisible());
    const QStringList options = textfile::readLines(f.options() + "/main.txt").value();
    Services secondServices = secondFakes.make();
    secondServices.singleInstance = true;
    {
        App second(f.base, "anna", std::move(secondServices));
        // The claim comes before any window: none is made, no options file read or written.
        QVERIFY(second.runsElsewhere());
        QVERIFY(second.mainform == nullptr);
        QVERIFY(second.boksform == nullptr && second.infoformen == nullptr);
        QVERIFY(second.urlform1 == nullptr && second.findform() == nullptr);
    }
    // The first program was asked to the front.
    QTRY_VERIFY(first.mainform->isVisible());
    QCOMPARE(textfile::readLines(f.options() + "/main.txt").value(), options);
    QVERIFY(MessageBox::takeShown().isEmpty());
}

QTEST_MAIN(TstStartup)
#include "tst_startup.moc"
