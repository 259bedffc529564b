#include "platform/translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace platform {

bool installDanishToolkitTexts() {
    static const bool installed = [] {
        const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        const QLocale danish(QLocale::Danish, QLocale::Denmark);
        bool any = false;
        // qtbase holds the dialogs and widgets; the web engine's context menu has its own
        // catalogue, shipped for a few languages only.
        for (const char* catalogue : {"qtbase", "qtwebengine"}) {
            auto* translator = new QTranslator(QCoreApplication::instance());
            if (translator->load(danish, QString::fromLatin1(catalogue), QStringLiteral("_"),
                                 folder) &&
                QCoreApplication::installTranslator(translator)) {
                any = any || QLatin1String(catalogue) == QLatin1String("qtbase");
                continue;
            }
            delete translator;
        }
        return any;
    }();
    return installed;
}

} // namespace platform
