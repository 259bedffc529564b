#include "info.h"

#include "app.h"

Tinfoformen::Tinfoformen(App& app_) : app(app_) {
    app.infoformen = this;
    setWindowTitle(QStringLiteral("Information"));
    setFont(QFont(QStringLiteral("Tahoma")));
    setMinimumSize(753, 500);
}
