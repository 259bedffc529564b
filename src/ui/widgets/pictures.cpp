#include "ui/widgets/pictures.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QStyle>

#include <array>

namespace pictures {

namespace {

struct Source {
    const char* theme;
    QStyle::StandardPixmap fallback;
};

const Source sources[KindCount] = {
    {"dialog-information", QStyle::SP_MessageBoxInformation},
    {"dialog-question", QStyle::SP_MessageBoxQuestion},
    {"preferences-system", QStyle::SP_FileDialogDetailedView},
    {"go-jump", QStyle::SP_ArrowForward},
    {"system-search", QStyle::SP_FileDialogContentsView},
    {"list-add", QStyle::SP_FileDialogNewFolder},
    {"help-about", QStyle::SP_DialogHelpButton},
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
    {"document-import", QStyle::SP_DialogOpenButton},
    {"document-export", QStyle::SP_DialogSaveButton},
    {"edit-find", QStyle::SP_FileDialogContentsView},
};

class PictureLabel : public QLabel {
public:
    explicit PictureLabel(Kind kind) : picture(kind) {
        setFixedSize(16, 16);
        draw();
    }

protected:
    void changeEvent(QEvent* event) override {
        // A new style may bring the other variant of the theme.
        if (event->type() == QEvent::StyleChange || event->type() == QEvent::PaletteChange)
            draw();
        QLabel::changeEvent(event);
    }

private:
    void draw() { setPixmap(icon(picture).pixmap(16, 16)); }
    Kind picture;
};

} // namespace

QString themeName(Kind kind) {
    return QString::fromLatin1(sources[kind].theme);
}

QIcon icon(Kind kind) {
    // A theme's picture follows the theme, also when the style changes it later; only a
    // picture that no theme has falls back to the style's, once and for good.
    static std::array<QIcon, KindCount> loaded;
    QIcon& picture = loaded[kind];
    if (picture.isNull()) {
        const QString name = themeName(kind);
        picture = QIcon::hasThemeIcon(name)
                      ? QIcon::fromTheme(name)
                      : QApplication::style()->standardIcon(sources[kind].fallback);
    }
    return picture;
}

QLabel* label(Kind kind) {
    return new PictureLabel(kind);
}

QIcon programIcon() {
    static const QIcon icon(QStringLiteral(":/lenkaro/lenkaro.svg"));
    return icon;
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
