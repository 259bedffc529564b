#include "ui/dialogs/report.h"

#include "platform/toolkit/filedialog.h"
#include "platform/toolkit/messagebox.h"
#include "store/entrycheck.h"
#include "store/model.h"
#include "store/result.h"
#include "ui/dialogs/infUnit.h"
#include "ui/dialogs/spmUnit.h"
#include "ui/windowcontext.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

namespace {
// The Danish text for an error code of the shell's execute.
QString shellErrorText(int Nr) {
    QString text;
    switch (Nr) {
    case 0:
        text = QStringLiteral("Operationssystemet er løbet tør for hukommelse eller resourcer.");
        break;
    case 2:
        text = QStringLiteral("Den specificerede fil blev ikke fundet.");
        break;
    case 3:
        text = QStringLiteral("Stien blev ikke fundet.");
        break;
    case 5:
        text = QStringLiteral("Operationssystemet forbød adgang til filen.");
        break;
    case 8:
        text = QStringLiteral("Der var ikke hukommelse nok til at fuldføre operationen.");
        break;
    case 11:
        text =
            QStringLiteral("Invalid exe fil (non-Microsoft Win32 .exe eller fejl i .exe image).");
        break;
    case 26:
        text = QStringLiteral("Der opstod en \"sharing violation\".");
        break;
    case 27:
        text = QStringLiteral("Filnavnsassociatonen er ukomplet eller invalid");
        break;
    case 28:
        text = QStringLiteral(
            "\"DDE transaction\" kunne ikke udføres fordi \"the request timed out\".");
        break;
    case 29:
        text = QStringLiteral("\"DDE transaction\" mislykkedes.");
        break;
    case 30:
        text =
            QStringLiteral("Den \"Dynamic Data Exchange (DDE) transaction\" kunne ikke fuldføres\r"
                           "fordi andre \"DDE transactions\" skulle udføres.");
        break;
    case 31:
        text = QStringLiteral("Der er ikke associeret noget program til givne filefternavn.\r"
                              "Der er muligvist valgt: For redigering.\r"
                              "Der skal muligvist vælges: For kørsel.");
        break;
    case 32:
        text = QStringLiteral("Det specificerede \"dynamic-link library (DLL)\" blev ikke fundet.");
        break;
    default:
        text = QStringLiteral("Meningsløs operation eller ukendt fejl.");
        break;
    }
    return text;
}
} // namespace

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

bool informFailedEntry(Tinfform& infform, store::EntryCheck check, EntryForm form) {
    const bool main = form == EntryForm::MainWindow;
    QString text;
    switch (check) {
    case store::EntryCheck::Ok:
        return false;
    case store::EntryCheck::ShortName:
        text = main ? QStringLiteral("Kort navn: Minimum 3 tegn!")
                    : QStringLiteral("Der mangler et kort navn!");
        break;
    case store::EntryCheck::NoAddress:
        text = main ? QStringLiteral("Der mangler en gyldig webadresse!")
                    : QStringLiteral("Der mangler en webadresse!");
        break;
    case store::EntryCheck::InvalidAddress:
        text = QStringLiteral("Der mangler en gyldig webadresse!");
        break;
    case store::EntryCheck::NoProgram:
        text = QStringLiteral("Der mangler et program!");
        break;
    case store::EntryCheck::ProgramMissing:
        text = QStringLiteral("Filen kunne ikke findes!");
        break;
    }
    infform.inform(text);
    return true;
}

void enterTypedElement(const WindowContext& context, EntryForm form, QLineEdit* adresseEdit,
                       QLineEdit* navnEdit) {
    store::Model& model = context.model;
    if (!model.hasGroup())
        return;
    const QString adresse = adresseEdit->text();
    const QString navn = navnEdit->text();
    // The main window asks for a name of three characters at least, the entry tab for one.
    const int minNameLength = form == EntryForm::MainWindow ? 3 : 1;
    if (informFailedEntry(*context.infform,
                          store::checkEntry(model.funkNo(), adresse, navn, minNameLength,
                                            *context.services.urlCheck),
                          form))
        return;
    const store::Result result = model.insertElement(
        adresse, navn, [&context](const QString& name) { return confirmOverwrite(*context.spform, name); });
    if (result.kind == store::Result::UnusableName) {
        context.infform->inform(unusableFileName());
        return;
    }
    // A failed write keeps what was typed, so it can be tried again.
    if (showFileError(result))
        return;
    adresseEdit->clear();
    navnEdit->clear();
}

void enterDroppedElement(const WindowContext& context, EntryForm form, QLineEdit* adresseEdit,
                         QLineEdit* navnEdit, const QString& adresse, const QString& navn) {
    if (!context.model.hasGroup()) {
        context.infform->inform(
            QStringLiteral("Vælg først den gruppe, elementet skal indføres i."));
        return;
    }
    // Entered as if typed into the two fields and entered: the same checks, question and
    // messages, and what could not be entered stays in the fields to be mended.
    adresseEdit->setText(adresse);
    navnEdit->setText(navn);
    enterTypedElement(context, form, adresseEdit, navnEdit);
}

QString chooseProgram(QWidget* parent) {
    const QString file = FileDialog::open(parent, QStringLiteral("Vælg program"), QDir::rootPath());
    return !file.isEmpty() && QFileInfo(file).isFile() ? QDir::toNativeSeparators(file) : QString();
}

void ErrorInfo(int Nr, ShellErrorAdvice advice) {
    QString text = shellErrorText(Nr);
    if (Nr == 31 && advice == ShellErrorAdvice::WithoutFileTypes)
        text = text.section(u'\r', 0, 0);
    MessageBox::show(QStringLiteral("Fejlinformation"), text);
}
