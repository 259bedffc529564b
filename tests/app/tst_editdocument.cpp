#include "controls.h"
#include "fixture.h"
#include "helpstructure.h"
#include "writefile.h"

#include "ui/help/info.h"
#include "ui/main/main.h"

#include <QProcess>
#include <QTest>
#include <QToolButton>

// The help window's "Rediger": the document shown opens in the editor found at start.
class TstEditdocument : public QObject {
    Q_OBJECT
private slots:
    void noEditorLeavesButtonDisabled();
    void documentOpensAsOneQuotedParameter();
    void missingDocumentOpensNothing();
    void refusalShownInDanish_data();
    void refusalShownInDanish();
    void terminalEditorOpensInTerminal();
    void terminalEditorWithoutTerminalIsExplained();
};

namespace {
struct Help {
    Fixture f;
    QString tekstfiler;
    QString editor;
    App* app = nullptr;

    explicit Help(bool withEditor = true) {
        tekstfiler = makeHelpStructure(f.base);
        if (withEditor) {
            editor = f.tmp.filePath("pennolo");
            QFile file(editor);
            file.open(QIODevice::WriteOnly);
            f.fakes.editors.places = {editor};
        }
        f.makeUser();
        app = &f.start();
        app->mainform->Information("Lenkaro");
    }
    Tinfoformen* info() const { return app->infoformen; }
    // The page view shows page of the document folder, as after a link was followed.
    void showPage(const QString& page) const { f.fakes.pageView->load(page); }
    FakeShell* shell() const { return f.fakes.shell; }
};
} // namespace

void TstEditdocument::noEditorLeavesButtonDisabled() {
    Help h(false);
    QVERIFY(h.info()->editorProgram().isEmpty());
    QVERIFY(!control<QToolButton>(h.info(), "redigerKnap")->isEnabled());
    QCOMPARE(control<QToolButton>(h.info(), "redigerKnap")->statusTip(),
             QStringLiteral("Rediger: der er ingen teksteditor at rette siden i. Installér en "
                            "teksteditor, fx gedit eller mousepad."));
}

void TstEditdocument::documentOpensAsOneQuotedParameter() {
    Help h;
    QCOMPARE(h.info()->editorProgram(), h.editor);
    QVERIFY(control<QToolButton>(h.info(), "redigerKnap")->isEnabled());
    const QString document = h.tekstfiler + "/Mit dokument.html";
    writeFixture(document, {"<p>Hej</p>"});
    h.showPage("Mit dokument.html");
    h.shell()->calls.clear();
    QTest::mouseClick(control<QToolButton>(h.info(), "redigerKnap"), Qt::LeftButton);
    QCOMPARE(h.shell()->calls.size(), 1);
    const FakeShell::Call call = h.shell()->calls.first();
    QCOMPARE(call.operation, QString("open"));
    QCOMPARE(call.file, h.editor);
    QCOMPARE(call.parameters, '"' + document + '"');
    QCOMPARE(call.showMode, int(Shell::Show));
}

void TstEditdocument::missingDocumentOpensNothing() {
    Help h;
    h.shell()->calls.clear();
    // A page outside the structure leaves a name that is no file of the document folder.
    h.showPage("https://example.org/");
    QTest::mouseClick(control<QToolButton>(h.info(), "redigerKnap"), Qt::LeftButton);
    // Nor does a name that is the folder itself.
    h.showPage("");
    QTest::mouseClick(control<QToolButton>(h.info(), "redigerKnap"), Qt::LeftButton);
    QCOMPARE(h.shell()->calls.size(), 0);
    QCOMPARE(MessageBox::takeShown().size(), 0);
}

void TstEditdocument::refusalShownInDanish_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("no program for the type: the first line alone")
        << 31 << "Der er ikke associeret noget program til givne filefternavn.";
    QTest::newRow("file not found") << 2 << "Den specificerede fil blev ikke fundet.";
    QTest::newRow("unknown code") << 12 << "Meningsløs operation eller ukendt fejl.";
}

void TstEditdocument::refusalShownInDanish() {
    QFETCH(int, code);
    QFETCH(QString, text);
    Help h;
    MessageBox::takeShown();
    h.shell()->result = code;
    h.showPage("Grupper.html");
    QTest::mouseClick(control<QToolButton>(h.info(), "redigerKnap"), Qt::LeftButton);
    const QList<MessageBox::Shown> shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().title, QString("Fejlinformation"));
    QCOMPARE(shown.first().text, text);
}

namespace {
// A desktop whose program for plain text is vim, in a desktop entry with Terminal=true, and
// the programs installed in bin.
void vimDesktop(Fixture& f, const QStringList& programs) {
    const QString bin = f.tmp.filePath("bin");
    QDir().mkpath(bin);
    for (const QString& name : programs) {
        QFile file(bin + "/" + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n");
        file.setPermissions(file.permissions() | QFile::ExeOwner);
    }
    const QString data = f.tmp.filePath("data");
    QDir().mkpath(data + "/applications");
    QFile entry(data + "/applications/vim.desktop");
    QVERIFY(entry.open(QIODevice::WriteOnly));
    entry.write("[Desktop Entry]\nType=Application\nName=Vim\nExec=vim %F\nTerminal=true\n"
                "MimeType=text/plain;\n");
    f.fakes.editors = EditorPlaces{
        {}, XdgDirs{{f.tmp.filePath("config")}, {data}, {}}, {bin}, {"x-terminal-emulator"}};
}
} // namespace

// vim started with no terminal writes its screen into the program's output and ends: it is
// started in the desktop's terminal, the document still one parameter.
void TstEditdocument::terminalEditorOpensInTerminal() {
    Fixture f;
    const QString tekstfiler = makeHelpStructure(f.base);
    vimDesktop(f, {"vim", "x-terminal-emulator"});
    f.makeUser();
    App& app = f.start();
    app.mainform->Information("Lenkaro");
    Tinfoformen* info = app.infoformen;
    QVERIFY(control<QToolButton>(info, "redigerKnap")->isEnabled());
    const QString document = tekstfiler + "/Mit dokument.html";
    writeFixture(document, {"<p>Hej</p>"});
    f.fakes.pageView->load("Mit dokument.html");
    f.fakes.shell->calls.clear();
    QTest::mouseClick(control<QToolButton>(info, "redigerKnap"), Qt::LeftButton);
    QCOMPARE(f.fakes.shell->calls.size(), 1);
    const FakeShell::Call call = f.fakes.shell->calls.first();
    const QString bin = f.tmp.filePath("bin");
    QCOMPARE(call.file, bin + "/x-terminal-emulator");
    QCOMPARE(QProcess::splitCommand(call.parameters), (QStringList{"-e", bin + "/vim", document}));
}

// With no terminal to show it in, the button is grey and its hint says why.
void TstEditdocument::terminalEditorWithoutTerminalIsExplained() {
    Fixture f;
    makeHelpStructure(f.base);
    vimDesktop(f, {"vim"});
    f.makeUser();
    App& app = f.start();
    app.mainform->Information("Lenkaro");
    Tinfoformen* info = app.infoformen;
    QVERIFY(!control<QToolButton>(info, "redigerKnap")->isEnabled());
    QCOMPARE(control<QToolButton>(info, "redigerKnap")->statusTip(),
             QStringLiteral("Rediger: teksteditoren vim kører i en terminal, og der er ingen "
                            "terminal at vise den i. Installér en teksteditor med eget vindue, "
                            "fx gedit eller mousepad."));
}

QTEST_MAIN(TstEditdocument)
#include "tst_editdocument.moc"
