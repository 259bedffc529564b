#include "controls.h"
#include "modalkeys.h"
#include "ui/dialogs/infUnit.h"
#include "ui/dialogs/spmUnit.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

// The message and question windows, shown for real and answered by key or button.
class TstDialogs : public QObject {
    Q_OBJECT
private slots:
    void messageHeightFollowsText();
    void messageIsEmptiedOnClose();
    void questionAnswers_data();
    void questionAnswers();
    void questionAnsweredByKeys_data();
    void questionAnsweredByKeys();
    void everyQuestionOpensOnJa();
    void seamRecordsAndAnswers();

private:
    // Runs act once the modal window is up, and returns what the window showed meanwhile.
    static void whileShown(QDialog* dialog, std::function<void()> act) {
        QTimer::singleShot(0, dialog, [dialog, act] {
            QTRY_VERIFY(dialog->isVisible());
            act();
        });
    }
};

void TstDialogs::messageHeightFollowsText() {
    Tinfform form(nullptr);
    struct Seen {
        int width, height, labelHeight;
        QString text;
    };
    auto showFor = [&](const QString& text) {
        Seen seen{};
        whileShown(&form, [&] {
            seen = {form.width(), form.height(), control<QLabel>(&form, "Label1")->height(),
                    control<QLabel>(&form, "Label1")->text()};
            control<QPushButton>(&form, "BitBtn1")->click();
        });
        form.inform(text);
        return seen;
    };
    const Seen one = showFor("Kort navn: Minimum 3 tegn!");
    QCOMPARE(one.width, 339);
    QCOMPARE(one.height, one.labelHeight + 80);
    QCOMPARE(control<QLabel>(&form, "Label1")->font().pointSize(), 8);

    const Seen blankLine = showFor("Valgt: \r\rSkal det valgte element slettes?");
    QCOMPARE(blankLine.text, QStringLiteral("Valgt: \n\nSkal det valgte element slettes?"));
    QVERIFY(blankLine.labelHeight >= 3 * one.labelHeight - 2);

    const Seen wrapped = showFor(QString("Meget lang besked ").repeated(20));
    QCOMPARE(wrapped.width, 339);
    QVERIFY(wrapped.labelHeight > 3 * one.labelHeight);
    QCOMPARE(wrapped.height, wrapped.labelHeight + 80);
}

void TstDialogs::messageIsEmptiedOnClose() {
    Tinfform form(nullptr);
    QCOMPARE(form.windowTitle(), QStringLiteral("Information"));
    QString second;
    whileShown(&form, [&] { QTest::keyClick(&form, Qt::Key_Return); });
    form.inform("Første");
    QCOMPARE(control<QLabel>(&form, "Label1")->text(), QString());
    whileShown(&form, [&] {
        second = control<QLabel>(&form, "Label1")->text();
        control<QPushButton>(&form, "BitBtn1")->click();
    });
    form.inform("Anden");
    QCOMPARE(second, QStringLiteral("Anden"));
}

void TstDialogs::questionAnswers_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("yes");
    QTest::newRow("Ja") << "ja" << true;
    QTest::newRow("Enter presses Ja") << "enter" << true;
    QTest::newRow("Nej") << "nej" << false;
    QTest::newRow("Esc") << "esc" << false;
    QTest::newRow("title bar") << "close" << false;
}

void TstDialogs::questionAnswers() {
    QFETCH(QString, how);
    QFETCH(bool, yes);
    Tspform form(nullptr);
    QCOMPARE(form.windowTitle(), QStringLiteral("Spørgsmål"));
    QCOMPARE(control<QPushButton>(&form, "BitBtn1")->text(), QStringLiteral("Ja"));
    QCOMPARE(control<QPushButton>(&form, "annullerButton")->text(), QStringLiteral("Nej"));
    whileShown(&form, [&] {
        if (how == "ja")
            control<QPushButton>(&form, "BitBtn1")->click();
        else if (how == "enter")
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &form,
                            Qt::Key_Return);
        else if (how == "nej")
            control<QPushButton>(&form, "annullerButton")->click();
        else if (how == "esc")
            QTest::keyClick(&form, Qt::Key_Escape);
        else
            form.close();
    });
    QCOMPARE(form.ask("Skal programgruppen Musik slettes?"), yes);
    QCOMPARE(form.findChild<QLabel*>("textLabel")->text(), QString());
}

void TstDialogs::questionAnsweredByKeys_data() {
    QTest::addColumn<QList<QKeyCombination>>("keys");
    QTest::addColumn<bool>("yes");
    QTest::newRow("Enter") << QList<QKeyCombination>{Qt::Key_Return} << true;
    QTest::newRow("Tab to Nej, Enter")
        << QList<QKeyCombination>{Qt::Key_Tab, Qt::Key_Return} << false;
    QTest::newRow("Tab to Nej, keypad Enter")
        << QList<QKeyCombination>{Qt::Key_Tab, Qt::Key_Enter} << false;
    QTest::newRow("Shift+Tab to Nej, Enter")
        << QList<QKeyCombination>{Qt::ShiftModifier | Qt::Key_Backtab, Qt::Key_Return} << false;
    QTest::newRow("Tab twice, back on Ja")
        << QList<QKeyCombination>{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Return} << true;
    QTest::newRow("Tab to Nej, Space")
        << QList<QKeyCombination>{Qt::Key_Tab, Qt::Key_Space} << false;
    QTest::newRow("Esc") << QList<QKeyCombination>{Qt::Key_Escape} << false;
}

void TstDialogs::questionAnsweredByKeys() {
    QFETCH(QList<QKeyCombination>, keys);
    QFETCH(bool, yes);
    Tspform form(nullptr);
    pressInNextModal(keys);
    QCOMPARE(form.ask("Skal \"DR\" overskrives?"), yes);
}

void TstDialogs::everyQuestionOpensOnJa() {
    Tspform form(nullptr);
    // A click on "Nej" leaves the focus there as the window closes.
    whileShown(&form, [&] {
        QTest::mouseClick(control<QPushButton>(&form, "annullerButton"), Qt::LeftButton);
    });
    QVERIFY(!form.ask("første"));
    QWidget* focused = nullptr;
    whileShown(&form, [&] {
        focused = form.focusWidget();
        QTest::keyClick(form.focusWidget() ? form.focusWidget() : &form, Qt::Key_Return);
    });
    QVERIFY(form.ask("anden"));
    QCOMPARE(focused, control<QPushButton>(&form, "BitBtn1"));
    // The same after Tab and Esc.
    pressInNextModal({Qt::Key_Tab, Qt::Key_Escape});
    QVERIFY(!form.ask("tredje"));
    pressInNextModal({Qt::Key_Return});
    QVERIFY(form.ask("fjerde"));
}

void TstDialogs::seamRecordsAndAnswers() {
    Tspform form(nullptr);
    form.setTestMode(true);
    form.setNextAnswer(true);
    QVERIFY(form.ask("første"));
    QVERIFY(!form.ask("anden, uden svar"));
    QCOMPARE(form.takeShown(), (QStringList{"første", "anden, uden svar"}));
}

QTEST_MAIN(TstDialogs)
#include "tst_dialogs.moc"
