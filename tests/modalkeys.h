#pragma once

#include <QApplication>
#include <QList>
#include <QTest>
#include <QTimer>
#include <QWidget>

// Presses keys in the next modal window to open, as a user would: each key goes to the widget
// that has the focus in that window at that moment.
inline void pressInNextModal(const QList<QKeyCombination>& keys) {
    QTimer::singleShot(0, [keys] {
        QTRY_VERIFY(QApplication::activeModalWidget() &&
                    QApplication::activeModalWidget()->isVisible());
        QWidget* modal = QApplication::activeModalWidget();
        for (const QKeyCombination key : keys) {
            QWidget* focus = modal->focusWidget() ? modal->focusWidget() : modal;
            QTest::keyClick(focus, key.key(), key.keyboardModifiers());
        }
    });
}
