#include "ui/dialogs/modalwindow.h"

#include "ui/widgets/pictures.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int windowWidth = 339;
constexpr int panelHeight = 31;
constexpr int extraHeight = 80;
} // namespace

ModalTextWindow::ModalTextWindow(QWidget* parent, const QString& caption, int windowPointSize)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint),
      home(parent) {
    setWindowTitle(caption);
    setFont(tahoma(windowPointSize));
    setFixedWidth(windowWidth);

    label = new QLabel(this);
    label->setObjectName(QStringLiteral("textLabel"));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    panel = new QWidget(this);
    panel->setFixedHeight(panelHeight);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(3, 3, 3, 0);
    layout->setSpacing(0);
    layout->addWidget(label);
    layout->addStretch();
    layout->addWidget(panel);
    resetValues();
}

void ModalTextWindow::insertTekst(const QString& text) {
    tekst = text;
    // Line breaks in the program's messages are single carriage returns.
    QString shownText = text;
    shownText.replace(u'\r', u'\n');
    label->setText(shownText);
}

void ModalTextWindow::resetValues() {
    tekst.clear();
    label->clear();
    QFont f = label->font();
    f.setPointSize(8);
    label->setFont(f);
}

void ModalTextWindow::showEvent(QShowEvent* event) {
    QFont f = label->font();
    f.setPointSize(10);
    label->setFont(f);
    const int labelWidth = windowWidth - 6;
    const int labelHeight = label->heightForWidth(labelWidth);
    label->setFixedHeight(labelHeight);
    setFixedHeight(labelHeight + extraHeight);
    if (openingButton) {
        openingButton->setDefault(true);
        openingButton->setFocus(Qt::OtherFocusReason);
    }
    QDialog::showEvent(event);
}

void ModalTextWindow::setOpeningButton(QPushButton* button) {
    openingButton = button;
    button->setDefault(true);
}

int ModalTextWindow::exec() {
    // The window that asked becomes the owner for this one showing: the window system keeps an
    // owned window in front of its owner, and the dialog centres itself on it. Owned by the
    // main window alone, a message asked for by a window that stays on top opened behind it.
    // A window that has just closed may still count as active for a moment.
    QWidget* asker = QApplication::activeWindow();
    if (!asker || asker == this || !asker->isVisible())
        asker = home;
    if (asker != parentWidget())
        setParent(asker, windowFlags());
    if (testMode) {
        shown << tekst;
        const bool yes = answers.isEmpty() ? false : answers.takeFirst();
        QTimer::singleShot(0, this, [this, yes] { done(yes ? Accepted : Rejected); });
    }
    const int result = QDialog::exec();
    if (parentWidget() != home)
        setParent(home, windowFlags());
    return result;
}

void ModalTextWindow::done(int result) {
    QDialog::done(result);
    resetValues();
    label->setMinimumHeight(0);
    label->setMaximumHeight(QWIDGETSIZE_MAX);
}

void ModalTextWindow::setTestMode(bool on) {
    testMode = on;
    answers.clear();
    shown.clear();
}

void ModalTextWindow::setNextAnswer(bool yes) {
    answers << yes;
}

QStringList ModalTextWindow::takeShown() {
    return std::exchange(shown, {});
}
