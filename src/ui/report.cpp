#include "report.h"

#include "messagebox.h"
#include "result.h"
#include "spmUnit.h"

bool showFileError(const store::Result& result) {
    QString what;
    switch (result.kind) {
    case store::Result::FileNotRead:
        what = QStringLiteral("Kan ikke læse filen");
        break;
    case store::Result::FileNotCreated:
        what = QStringLiteral("Kan ikke oprette filen");
        break;
    case store::Result::FileNotDeleted:
        what = QStringLiteral("Kan ikke slette filen");
        break;
    case store::Result::FolderNotCreated:
        what = QStringLiteral("Kan ikke oprette mappen");
        break;
    default:
        return false;
    }
    MessageBox::fileError(what, result.path, result.error);
    return true;
}

bool confirmOverwrite(Tspform& spform, const QString& navn) {
    return spform.ask(QStringLiteral("Skal \"") + navn +
                      QStringLiteral("\" overskrives?\r\r\"Dato\" og \"Besøg\" "
                                     "nul-stilles, hvis elementet overskrives."));
}
