#include "info.h"

#include "app.h"
#include "pictures.h"

Tinfoformen::Tinfoformen(App& app_) : app(app_) {
    app.infoformen = this;
    setWindowTitle(QStringLiteral("Information"));
    setFont(tahoma(0));
    setMinimumSize(753, 500);
    strukturnavn = QStringLiteral("Lenkaroinfo.txt");
    newNavn = strukturnavn;
    LoadStruktur();
}

void Tinfoformen::LoadStruktur() {}

bool Tinfoformen::goToInfo(const QString& /*openNodetekst*/) {
    if (!isVisible())
        show();
    return false;
}
