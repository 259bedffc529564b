#include "pictures.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QStyle>

namespace pictures {

QIcon icon(Kind kind) {
    struct Source {
        const char* theme;
        QStyle::StandardPixmap fallback;
    };
    static const Source sources[] = {
        {"dialog-information", QStyle::SP_MessageBoxInformation},
        {"dialog-question", QStyle::SP_MessageBoxQuestion},
        {"preferences-system", QStyle::SP_FileDialogDetailedView},
        {"go-jump", QStyle::SP_ArrowForward},
        {"system-search", QStyle::SP_FileDialogContentsView},
        {"list-add", QStyle::SP_FileDialogNewFolder},
        {"help-contents", QStyle::SP_DialogHelpButton},
        {"view-refresh", QStyle::SP_BrowserReload},
        {"edit-delete", QStyle::SP_TrashIcon},
        {"document-save", QStyle::SP_DialogSaveButton},
        {"folder-new", QStyle::SP_FileDialogNewFolder},
        {"edit-clear", QStyle::SP_DialogResetButton},
        {"go-next", QStyle::SP_ArrowRight},
        {"go-previous", QStyle::SP_ArrowLeft},
        {"go-last", QStyle::SP_MediaSkipForward},
        {"go-first", QStyle::SP_MediaSkipBackward},
        {"go-up", QStyle::SP_ArrowUp},
        {"go-down", QStyle::SP_ArrowDown},
        {"view-sort-ascending", QStyle::SP_FileDialogListView},
        {"go-first", QStyle::SP_MediaSkipBackward},
        {"go-previous", QStyle::SP_ArrowBack},
        {"go-next", QStyle::SP_ArrowForward},
        {"go-last", QStyle::SP_MediaSkipForward},
        {"go-jump", QStyle::SP_BrowserReload},
        {"view-history", QStyle::SP_FileDialogListView},
        {"document-edit", QStyle::SP_FileDialogDetailedView},
        {"text-html", QStyle::SP_FileIcon},
        {"folder", QStyle::SP_DirIcon},
    };
    const Source& s = sources[kind];
    return QIcon::fromTheme(QString::fromLatin1(s.theme),
                            QApplication::style()->standardIcon(s.fallback));
}

QLabel* label(Kind kind) {
    auto* l = new QLabel;
    l->setFixedSize(16, 16);
    l->setPixmap(icon(kind).pixmap(16, 16));
    return l;
}

} // namespace pictures

QFont tahoma(int pointSize) {
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    if (pointSize > 0)
        font.setPointSize(pointSize);
    return font;
}
