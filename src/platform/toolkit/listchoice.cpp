#include "platform/toolkit/listchoice.h"

#include <QInputDialog>

bool ListChoice::testMode = false;
QList<int> ListChoice::nextChoices;
QStringList ListChoice::shown;

int ListChoice::choose(QWidget* parent, const QString& title, const QString& text,
                       const QStringList& items) {
    if (testMode) {
        shown << (QStringList{title, text} + items).join(u'|');
        return nextChoices.isEmpty() ? -1 : nextChoices.takeFirst();
    }
    QInputDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("listChoice"));
    dialog.setWindowTitle(title);
    dialog.setLabelText(text);
    dialog.setComboBoxItems(items);
    dialog.setComboBoxEditable(false);
    // The whole list at once: a user seldom has more than a few profiles.
    dialog.setOption(QInputDialog::UseListViewForComboBoxItems);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Annuller"));
    if (dialog.exec() != QDialog::Accepted)
        return -1;
    return int(items.indexOf(dialog.textValue()));
}

void ListChoice::setTestMode(bool on) {
    testMode = on;
    nextChoices.clear();
    shown.clear();
}

void ListChoice::setNextChoice(int index) {
    nextChoices << index;
}

QStringList ListChoice::takeShown() {
    return std::exchange(shown, {});
}
