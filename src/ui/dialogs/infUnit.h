#pragma once

#include "ui/dialogs/modalwindow.h"

class QPushButton;

// The message window: one text and an OK button.
class Tinfform : public ModalTextWindow {
    Q_OBJECT
public:
    explicit Tinfform(QWidget* parent);

    // Shows text and waits for OK.
    void inform(const QString& text);

private:
    // Controls, found by their object names in tests.
    QLabel* Label1;
    QPushButton* BitBtn1;
};
