#pragma once

#include "ui/dialogs/modalwindow.h"

class QPushButton;

// The question window: the answer is yes exactly when "Ja" closed it.
class Tspform : public ModalTextWindow {
    Q_OBJECT
public:
    explicit Tspform(QWidget* parent);

    // Shows text as a question and waits; true for "Ja".
    bool ask(const QString& text);

private:
    // Controls, found by their object names in tests.
    QPushButton* BitBtn1;
    QPushButton* annullerButton;
};
