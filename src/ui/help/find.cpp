#include "ui/help/find.h"

#include "ui/widgets/pictures.h"

#include <QTextEdit>
#include <QVBoxLayout>

Teditform::Teditform() : QWidget(nullptr, Qt::Window) {
    setWindowTitle(QStringLiteral("editform"));
    RE = new QTextEdit(this);
    RE->setObjectName(QStringLiteral("RE"));
    RE->setAcceptRichText(false);
    QFont font = tahoma(0);
    font.setPixelSize(11);
    RE->setFont(font);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(RE);
}
