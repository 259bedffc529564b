#include "ui/dialogs/infUnit.h"

#include "ui/widgets/pictures.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

Tinfform::Tinfform(QWidget* parent) : ModalTextWindow(parent, QStringLiteral("Information"), 10) {
    Label1 = textLabel();
    Label1->setObjectName(QStringLiteral("Label1"));
    BitBtn1 = new QPushButton(QStringLiteral("OK"));
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    // The window's 10 points: a style sheet keeps controls from taking their window's font.
    BitBtn1->setFont(font());
    setOpeningButton(BitBtn1);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    auto* row = new QHBoxLayout(buttonPanel());
    row->setContentsMargins(0, 3, 0, 3);
    row->setSpacing(0);
    row->addWidget(pictures::label(pictures::Info));
    row->addSpacing(100);
    row->addWidget(BitBtn1, 1);
    row->addSpacing(100);
    row->addWidget(pictures::label(pictures::Info));
}

void Tinfform::inform(const QString& text) {
    insertTekst(text);
    exec();
}
