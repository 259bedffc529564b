#include "writefile.h"
#include "fixture.h"
#include "helpstructure.h"

#include "info.h"
#include "main.h"

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
    FakeShell* shell() const { return f.fakes.shell; }
};
} // namespace

void TstEditdocument::noEditorLeavesButtonDisabled() {
    Help h(false);
    QVERIFY(h.info()->htmlProgram.isEmpty());
    QVERIFY(!h.info()->redigerKnap->isEnabled());
}

void TstEditdocument::documentOpensAsOneQuotedParameter() {
    Help h;
    QCOMPARE(h.info()->htmlProgram, h.editor);
    QVERIFY(h.info()->redigerKnap->isEnabled());
    const QString document = h.tekstfiler + "/Mit dokument.html";
    writeFixture(document, {"<p>Hej</p>"});
    h.info()->hjemmeside = document;
    h.shell()->calls.clear();
    QTest::mouseClick(h.info()->redigerKnap, Qt::LeftButton);
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
    h.info()->hjemmeside = h.tekstfiler + "/https://example.org/";
    QTest::mouseClick(h.info()->redigerKnap, Qt::LeftButton);
    h.info()->hjemmeside = h.tekstfiler;
    QTest::mouseClick(h.info()->redigerKnap, Qt::LeftButton);
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
    h.info()->hjemmeside = h.tekstfiler + "/Grupper.html";
    QTest::mouseClick(h.info()->redigerKnap, Qt::LeftButton);
    const QList<MessageBox::Shown> shown = MessageBox::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().title, QString("Fejlinformation"));
    QCOMPARE(shown.first().text, text);
}

QTEST_MAIN(TstEditdocument)
#include "tst_editdocument.moc"
