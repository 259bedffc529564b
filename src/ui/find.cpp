#include "find.h"

#include "app.h"

Teditform::Teditform(App& app_) : QWidget(nullptr, Qt::Window), app(app_) {
    app.editform = this;
    setWindowTitle(QStringLiteral("editform"));
}
