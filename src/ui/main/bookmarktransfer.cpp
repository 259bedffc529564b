#include "ui/main/bookmarktransfer.h"

#include "platform/browserprofiles.h"
#include "platform/toolkit/filedialog.h"
#include "platform/toolkit/listchoice.h"
#include "platform/toolkit/progresswindow.h"
#include "store/bookmarkexchange.h"
#include "store/bookmarks.h"
#include "store/model.h"
#include "store/profilebookmarks.h"
#include "ui/dialogs/infUnit.h"
#include "ui/dialogs/report.h"
#include "ui/dialogs/spmUnit.h"
#include "ui/windowcontext.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

BookmarkTransfer::BookmarkTransfer(WindowContext& context_, QWidget* window_)
    : context(context_), model(context_.model), window(window_) {}

namespace {
const QString bookmarkFilter = QStringLiteral("Bogmærkefiler (*.html *.htm);;Alle filer (*)");

// "1 gruppe", "2 grupper".
QString counted(qsizetype n, const char* one, const char* more) {
    return QString::number(n) + u' ' + QString::fromUtf8(n == 1 ? one : more);
}
QString bookmarksCounted(qsizetype n) {
    return counted(n, "bogmærke", "bogmærker");
}
QString groupsCounted(qsizetype n) {
    return counted(n, "gruppe", "grupper");
}

// The question asked once before an import overwrites anything.
QString overwriteQuestion(const store::ExistingElements& existing) {
    const int n = existing.elements;
    QString where;
    if (existing.groups.size() == 1) {
        where = QStringLiteral("gruppen \"%1\"").arg(existing.groups.first());
    } else {
        // A long list of groups is cut: the question must fit on the screen.
        constexpr int shownGroups = 10;
        QStringList names;
        for (const QString& group : existing.groups.mid(0, shownGroups))
            names << u'"' + group + u'"';
        where = QStringLiteral("%1: %2").arg(groupsCounted(existing.groups.size()),
                                             names.join(QStringLiteral(", ")));
        if (existing.groups.size() > shownGroups)
            where += QStringLiteral(" og %1 flere").arg(existing.groups.size() - shownGroups);
    }
    return QStringLiteral("%1 findes allerede i %2.\r%3\r\r\"Nej\" beholder %4 og indfører resten.")
        .arg(counted(n, "element", "elementer"), where,
             n == 1 ? QStringLiteral("Skal det overskrives?")
                    : QStringLiteral("Skal de overskrives?"),
             n == 1 ? QStringLiteral("det") : QStringLiteral("dem"));
}
} // namespace

void BookmarkTransfer::importFile() {
    const QString path = FileDialog::open(window, QStringLiteral("Vælg bogmærkefil"),
                                          QDir::homePath(), bookmarkFilter);
    if (path.isEmpty())
        return;
    namespace bookmarks = store::bookmarks;
    const bookmarks::ReadResult read = bookmarks::readFile(path);
    if (read.error == bookmarks::ReadError::NotRead) {
        showFileError({store::Result::FileNotRead, path, read.reason});
        return;
    }
    if (read.error == bookmarks::ReadError::NotBookmarks) {
        context.infform->inform(QStringLiteral("Filen er ikke en bogmærkefil!\r"
                                               "Vælg en fil, som en browser har eksporteret "
                                               "bogmærker til (HTML)."));
        return;
    }
    importFolders(read.root, read.cut, QStringLiteral("Der er ingen webadresser i bogmærkefilen."));
}

void BookmarkTransfer::importProfile() {
    const QList<BrowserProfile> profiles = findBrowserProfiles();
    if (profiles.isEmpty()) {
        context.infform->inform(QStringLiteral("Der er ingen browserprofiler med bogmærker."));
        return;
    }
    QStringList labels;
    for (const BrowserProfile& profile : profiles)
        labels << profile.label();
    // The chooser gives back the label chosen: two profiles of one label (the snap's and the
    // package's Firefox both "default") are told apart by their folders.
    const QStringList plain = labels;
    for (qsizetype i = 0; i < profiles.size(); ++i) {
        if (plain.count(plain[i]) > 1)
            labels[i] += QStringLiteral(" (%1)").arg(
                QDir::toNativeSeparators(QFileInfo(profiles[i].file).absolutePath()));
    }
    const int chosen = ListChoice::choose(window, QStringLiteral("Importér fra browser"),
                                          QStringLiteral("Vælg den browserprofil, hvis bogmærker "
                                                         "skal indføres:"),
                                          labels);
    if (chosen < 0 || chosen >= profiles.size())
        return;
    const BrowserProfile& profile = profiles[chosen];
    namespace bookmarks = store::bookmarks;
    const bookmarks::ProfileRead read = profile.kind == BrowserProfile::Firefox
                                            ? bookmarks::readFirefoxPlaces(profile.file)
                                            : bookmarks::readChromiumBookmarks(profile.file);
    if (!read.ok) {
        context.infform->inform(
            QStringLiteral("Bogmærkerne i %1 kan ikke læses:\r%2\r%3")
                .arg(profile.label(), QDir::toNativeSeparators(profile.file), read.reason));
        return;
    }
    importFolders(read.root, read.cut,
                  QStringLiteral("Der er ingen webadresser i browserprofilen."));
}

void BookmarkTransfer::importFolders(const store::bookmarks::Folder& root,
                                     const store::bookmarks::Cut& cut, const QString& noneText) {
    namespace bookmarks = store::bookmarks;
    bookmarks::Skipped skipped;
    const QList<bookmarks::Group> groups = bookmarks::toGroups(root, &skipped);
    auto skippedLines = [&cut](int notWeb, int unusable) {
        // What the reader's limits left out comes first: it was never looked at.
        const QLocale danish(QLocale::Danish, QLocale::Denmark);
        QString text;
        if (cut.tooDeep > 0)
            text += QStringLiteral("\r%1 blev sprunget over: en import læser mapper højst %2 "
                                   "niveauer ned.")
                        .arg(bookmarksCounted(cut.tooDeep))
                        .arg(bookmarks::deepestFolder);
        if (cut.tooMany > 0)
            text +=
                QStringLiteral("\r%1 blev sprunget over: en import tager højst %2 bogmærker "
                               "og %3 mapper.")
                    .arg(bookmarksCounted(cut.tooMany), danish.toString(bookmarks::mostBookmarks),
                         danish.toString(bookmarks::mostFolders));
        if (notWeb == 1)
            text += QStringLiteral("\r1 var ikke en webadresse og blev sprunget over.");
        else if (notWeb > 1)
            text += QStringLiteral("\r%1 var ikke webadresser og blev sprunget over.").arg(notWeb);
        if (unusable == 1)
            text += QStringLiteral("\r1 havde et navn eller en adresse, som ikke kan stå i en "
                                   "fil, og blev sprunget over.");
        else if (unusable > 1)
            text += QStringLiteral("\r%1 havde navne eller adresser, som ikke kan stå i en fil, "
                                   "og blev sprunget over.")
                        .arg(unusable);
        return text;
    };
    if (groups.isEmpty()) {
        context.infform->inform(noneText + skippedLines(skipped.notWeb, skipped.unusable));
        return;
    }
    bool overwrite = false;
    if (const store::ExistingElements existing = store::existingElements(model, groups);
        existing.elements > 0)
        overwrite = context.spform->ask(overwriteQuestion(existing));
    store::Imported imported;
    store::Result result;
    {
        int total = 0;
        for (const bookmarks::Group& group : groups)
            total += int(group.entries.size());
        ProgressWindow progress(window, QStringLiteral("Lenkaro"),
                                QStringLiteral("Bogmærkerne indføres ..."), total);
        result = store::importBookmarks(
            model, groups, overwrite,
            [&progress](int handled, int) { return progress.advance(handled); }, &imported);
    }
    if (showFileError(result))
        return;
    QString text;
    if (imported.cancelled)
        text = QStringLiteral("Importen blev annulleret efter %1 af %2.\r")
                   .arg(imported.handled)
                   .arg(bookmarksCounted(imported.total));
    text += QStringLiteral("%1 er indført i %2.")
                .arg(bookmarksCounted(imported.elements), groupsCounted(imported.groups));
    if (imported.declined > 0)
        text += QStringLiteral("\r%1 blev ikke overskrevet.").arg(imported.declined);
    text += skippedLines(skipped.notWeb, skipped.unusable + imported.unusable);
    context.infform->inform(text);
}

void BookmarkTransfer::exportGroups() {
    QStringList names = model.gruppeliste();
    QString fileName = QStringLiteral("Lenkaro bogmærker.html");
    if (model.hasGroup() &&
        context.spform->ask(QStringLiteral("Eksportér kun gruppen \"") + model.gruppenavn() +
                            QStringLiteral("\"?\r\r\"Nej\" eksporterer alle grupperne."))) {
        names = QStringList{model.gruppenavn()};
        fileName = model.gruppenavn() + QStringLiteral(".html");
    }
    const QString path =
        FileDialog::save(window, QStringLiteral("Gem bogmærkefil"),
                         QDir(QDir::homePath()).filePath(fileName), bookmarkFilter);
    if (path.isEmpty())
        return;
    int written = 0;
    if (showFileError(store::exportBookmarks(model, path, names, &written)))
        return;
    context.infform->inform(QStringLiteral("%1 i %2 er gemt i\r%3")
                                .arg(bookmarksCounted(written), groupsCounted(names.size()),
                                     QDir::toNativeSeparators(path)));
}
