#include "platform/toolkit/stylemanager.h"

#include "platform/toolkit/icontheme.h"
#include "platform/toolkit/messagebox.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>

#include <algorithm>
#include <cmath>

QString StyleManager::active;

namespace {

struct Look {
    const char* name;
    QColor window, base, alternate, button, text, highlight, highlightedText, mid;
};

// Palettes of the program's own styles, drawn on Qt's Fusion style.
const Look looks[] = {
    {"Aqua Light Slate", QColor(0xdf, 0xe6, 0xee), QColor(0xfb, 0xfc, 0xfe),
     QColor(0xee, 0xf2, 0xf6), QColor(0xcb, 0xd7, 0xe4), QColor(0x1e, 0x2a, 0x36),
     QColor(0x5b, 0x7f, 0xa6), Qt::white, QColor(0x9a, 0xab, 0xbd)},
    // Lists a shade lighter than the window, so the frames of check boxes stay visible.
    {"Carbon", QColor(0x2b, 0x2b, 0x2e), QColor(0x3a, 0x3a, 0x3d), QColor(0x41, 0x41, 0x44),
     QColor(0x45, 0x45, 0x4a), QColor(0xe6, 0xe6, 0xe6), QColor(0x4a, 0x7d, 0xb8), Qt::white,
     QColor(0x6a, 0x6a, 0x70)},
    {"Iceberg Classico", QColor(0xe9, 0xf1, 0xf8), QColor(0xf8, 0xfb, 0xff),
     QColor(0xee, 0xf4, 0xfa), QColor(0xd3, 0xe2, 0xf0), QColor(0x10, 0x20, 0x30),
     QColor(0x2f, 0x6e, 0xa5), Qt::white, QColor(0xa4, 0xbc, 0xd4)},
    {"Sky", QColor(0xd7, 0xea, 0xf9), Qt::white, QColor(0xee, 0xf6, 0xfd), QColor(0xbd, 0xdb, 0xf3),
     QColor(0x0f, 0x25, 0x40), QColor(0x3a, 0x8f, 0xd8), Qt::white, QColor(0x8e, 0xb8, 0xdc)},
    {"Windows10 Clear Day", QColor(0xf0, 0xf0, 0xf0), Qt::white, QColor(0xf7, 0xf7, 0xf7),
     QColor(0xe1, 0xe1, 0xe1), Qt::black, QColor(0x00, 0x78, 0xd7), Qt::white,
     QColor(0xad, 0xad, 0xad)},
};

const char* const plainName = "Windows";

QColor blend(const QColor& a, const QColor& b) {
    return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
}

// How bright a colour looks, from 0 (black) to 1 (white), as the usual contrast measure of
// readable text reckons it.
double luminance(const QColor& c) {
    auto linear = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The colour on the way from `from` to `to` nearest to `from` that stands out from every
// background by at least ratio; `to` when none does.
QColor nearestReadable(const QColor& from, const QColor& to,
                       std::initializer_list<QColor> backgrounds, double ratio) {
    for (int step = 0; step <= 64; ++step) {
        const double t = step / 64.0;
        const QColor c = QColor::fromRgbF(float(from.redF() + (to.redF() - from.redF()) * t),
                                          float(from.greenF() + (to.greenF() - from.greenF()) * t),
                                          float(from.blueF() + (to.blueF() - from.blueF()) * t));
        bool readable = true;
        for (const QColor& background : backgrounds)
            readable = readable && contrast(c, background) >= ratio;
        if (readable)
            return c;
    }
    return to;
}

// Text on a selected row is read as any text is (at least 4.5:1); a greyed caption stays
// readable (at least 3:1 on the window, the buttons and the lists) while it still stands back
// from the active captions.
void makeReadable(QPalette& p) {
    const QColor selectedText = p.color(QPalette::Active, QPalette::HighlightedText);
    const QColor away = luminance(selectedText) > 0.5 ? QColor(Qt::black) : QColor(Qt::white);
    const QColor highlight =
        nearestReadable(p.color(QPalette::Active, QPalette::Highlight), away, {selectedText}, 4.6);
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::Highlight, highlight);
        p.setColor(group, QPalette::HighlightedText, selectedText);
    }
    const QColor text = p.color(QPalette::Active, QPalette::Text);
    // A button is drawn in a gradient up to some 40 % lighter than its colour: under a dark
    // look the top of it is where a light caption stands out least.
    const std::initializer_list<QColor> grounds{p.color(QPalette::Window), p.color(QPalette::Button),
                                                p.color(QPalette::Button).lighter(140),
                                                p.color(QPalette::Base)};
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role,
                   nearestReadable(p.color(QPalette::Disabled, role), text, grounds, 3.1));
}

QPalette paletteOf(const Look& look) {
    QPalette p;
    p.setColor(QPalette::Window, look.window);
    p.setColor(QPalette::WindowText, look.text);
    p.setColor(QPalette::Base, look.base);
    p.setColor(QPalette::AlternateBase, look.alternate);
    p.setColor(QPalette::Text, look.text);
    p.setColor(QPalette::Button, look.button);
    p.setColor(QPalette::ButtonText, look.text);
    p.setColor(QPalette::Highlight, look.highlight);
    p.setColor(QPalette::HighlightedText, look.highlightedText);
    p.setColor(QPalette::ToolTipBase, look.base);
    p.setColor(QPalette::ToolTipText, look.text);
    p.setColor(QPalette::PlaceholderText, look.mid);
    p.setColor(QPalette::Mid, look.mid);
    p.setColor(QPalette::Light, look.button.lighter(130));
    p.setColor(QPalette::Midlight, look.button.lighter(110));
    p.setColor(QPalette::Dark, look.mid.darker(120));
    p.setColor(QPalette::Shadow, look.mid.darker(200));
    // Greyed text starts half way from the text to the button: the frame colour would all but
    // vanish into the buttons, under a dark look most of all.
    const QColor greyed = blend(look.text, look.button);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, greyed);
    makeReadable(p);
    return p;
}

// Greyed pictures, drawn faded. The common style lightens a greyed picture towards white,
// which under a dark look, where the pictures are light already, leaves a greyed arrow as
// bright as an active one.
class LookStyle : public QProxyStyle {
public:
    explicit LookStyle(QStyle* base) : QProxyStyle(base) {}

    QPixmap generatedIconPixmap(QIcon::Mode mode, const QPixmap& pixmap,
                                const QStyleOption* option) const override {
        if (mode != QIcon::Disabled || !option ||
            option->palette.color(QPalette::Window).lightness() >= 128)
            return QProxyStyle::generatedIconPixmap(mode, pixmap, option);
        QPixmap faded(pixmap.size());
        faded.setDevicePixelRatio(pixmap.devicePixelRatio());
        faded.fill(Qt::transparent);
        QPainter painter(&faded);
        painter.setOpacity(0.4);
        painter.drawPixmap(0, 0, pixmap);
        return faded;
    }
};

// Every style, the plain one too, keeps tabs and column captions compact, so that the
// windows' captions fit the widths they were designed with.
const char* const compactRules = "QTabBar::tab { padding: 3px 6px; }"
                                 "QHeaderView::section { padding: 1px 2px; }";

QString sheetOf(const Look& look) {
    // A few rules of each style's own on top of the palette: framed status bar and tab pages.
    return QStringLiteral("QStatusBar { border-top: 1px solid %1; }"
                          "QTabWidget::pane { border: 1px solid %1; }")
               .arg(look.mid.name()) +
           QString::fromLatin1(compactRules);
}

// A style is dark when its windows are: the pictures then come in the theme's dark variant.
bool isDark(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() < 128;
}

QString plainStyleKey() {
    // The style Qt chose for this platform before the program set any of its own.
    static const QString key = QApplication::style()->name();
    return key;
}

} // namespace

QStringList StyleManager::styleNames() {
    QStringList names{QString::fromLatin1(plainName)};
    for (const Look& look : looks)
        names << QString::fromLatin1(look.name);
    return names;
}

bool StyleManager::setStyle(const QString& name) {
    // The style in use stays as it is: applying it again would only polish every widget anew.
    if (!active.isEmpty() && name.compare(active, Qt::CaseInsensitive) == 0)
        return true;
    const QString plainKey = plainStyleKey();
    if (name.compare(QLatin1String(plainName), Qt::CaseInsensitive) == 0) {
        QStyle* style = QStyleFactory::create(plainKey);
        icontheme::use(isDark(style->standardPalette()));
        QApplication::setStyle(style);
        QPalette palette = style->standardPalette();
        makeReadable(palette);
        QApplication::setPalette(palette);
        qApp->setStyleSheet(QString::fromLatin1(compactRules));
        active = QString::fromLatin1(plainName);
        return true;
    }
    for (const Look& look : looks) {
        if (name.compare(QLatin1String(look.name), Qt::CaseInsensitive) != 0)
            continue;
        const QPalette palette = paletteOf(look);
        icontheme::use(isDark(palette));
        QApplication::setStyle(new LookStyle(QStyleFactory::create(QStringLiteral("Fusion"))));
        QApplication::setPalette(palette);
        qApp->setStyleSheet(sheetOf(look));
        active = QString::fromLatin1(look.name);
        return true;
    }
    MessageBox::show(QStringLiteral("Lenkaro"),
                     QStringLiteral("Stilen \"%1\" findes ikke.").arg(name));
    return false;
}

QString StyleManager::activeStyle() {
    return active;
}
