#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>

class QLabel;
class QPushButton;

// The common frame of the message window and the question window: a fixed-width dialog whose
// height follows its wrapped text, emptied each time it closes. It opens in front of the window
// that asked, centred on it, even when that window stays on top of the others.
//
// Test seam: with test mode on, exec() still shows the real window, then closes it at once with
// the next queued answer (no when none is queued) and keeps the text that was shown.
class ModalTextWindow : public QDialog {
    Q_OBJECT
public:
    void insertTekst(const QString& tekst);
    void resetValues();

    int exec() override;
    void done(int result) override;

    void setTestMode(bool on);
    void setNextAnswer(bool yes);
    QStringList takeShown();

protected:
    ModalTextWindow(QWidget* parent, const QString& caption, int windowPointSize);
    void showEvent(QShowEvent* event) override;

    // The label that shows the text, and the panel of buttons under it.
    QLabel* textLabel() const { return label; }
    QWidget* buttonPanel() const { return panel; }

    // The button that has the focus, and that Enter presses, each time the window opens,
    // whichever button had the focus when it last closed.
    void setOpeningButton(QPushButton* button);

private:
    QLabel* label;
    QWidget* panel;
    QPushButton* openingButton = nullptr;
    // The window that owns this one between uses.
    QWidget* home;
    QString tekst;
    bool testMode = false;
    QList<bool> answers;
    QStringList shown;
};
