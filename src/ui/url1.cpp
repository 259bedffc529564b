#include "url1.h"

#include "app.h"
#include "pictures.h"

Turlform1::Turlform1(App& app_) : QWidget(nullptr, Qt::Window), app(app_) {
    app.urlform1 = this;
    setWindowTitle(QStringLiteral("Urlboks"));
    setFont(tahoma(8));
    setMinimumSize(300, 200);
}
