#include "ui/dialogs/spmUnit.h"

#include "ui/widgets/pictures.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

Tspform::Tspform(QWidget* parent) : ModalTextWindow(parent, QStringLiteral("Spørgsmål"), 8) {
    textLabel()->setObjectName(QStringLiteral("textLabel"));
    // "Ja" is made first, so it comes first in the tab order; every question opens with the
    // focus on it. Enter presses the button that has the focus, Esc is "Nej".
    BitBtn1 = new QPushButton(QStringLiteral("Ja"));
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setFixedWidth(75);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    setOpeningButton(BitBtn1);

    annullerButton = new QPushButton(QStringLiteral("Nej"));
    annullerButton->setObjectName(QStringLiteral("annullerButton"));
    annullerButton->setFixedWidth(75);
    connect(annullerButton, &QPushButton::clicked, this, &QDialog::reject);
    auto* row = new QHBoxLayout(buttonPanel());
    row->setContentsMargins(0, 3, 0, 3);
    row->setSpacing(0);
    row->addWidget(pictures::label(pictures::Question));
    row->addSpacing(56);
    row->addWidget(annullerButton);
    row->addSpacing(8);
    row->addWidget(BitBtn1);
    row->addStretch();
    row->addWidget(pictures::label(pictures::Question));
}

bool Tspform::ask(const QString& text) {
    insertTekst(text);
    return exec() == QDialog::Accepted;
}
