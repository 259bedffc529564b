#include "fixture.h"

#include "platform/toolkit/icontheme.h"
#include "platform/toolkit/stylemanager.h"
#include "ui/admin/boks.h"
#include "ui/help/info.h"
#include "ui/help/url1.h"
#include "ui/main/main.h"
#include "ui/widgets/pictures.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <cmath>

// The pictures come from the icon theme, in the variant that suits the style, and the
// program's own icon is the icon of every window.
class TstPictures : public QObject {
    Q_OBJECT
private slots:
    void init() { StyleManager::setStyle(QStringLiteral("Sky")); }
    void everyPictureComesFromTheTheme();
    void eachPictureIsLoadedOnce();
    void themeFollowsTheDesktop_data();
    void themeFollowsTheDesktop();
    void darkStylesUseTheDarkVariant();
    void labelsFollowTheStyle();
    void greyedStandsBackButStaysLegible_data();
    void greyedStandsBackButStaysLegible();
    void programIconIsEveryWindowsIcon();
    void everyStyleIsReadable_data();
    void everyStyleIsReadable();
};

namespace {

// The mean grey of the picture's opaque pixels at 16 × 16: dark pictures for light styles,
// light ones for dark styles.
// How far a picture drawn on background stands out from it: the mean difference in grey.
int strength(const QPixmap& pixmap, const QColor& background) {
    QImage image(pixmap.size(), QImage::Format_ARGB32);
    image.fill(background);
    QPainter painter(&image);
    painter.drawPixmap(0, 0, pixmap);
    painter.end();
    long sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            sum += std::abs(qGray(image.pixel(x, y)) - qGray(background.rgb()));
    }
    return int(sum / (image.width() * image.height()));
}

int meanGrey(const QPixmap& pixmap) {
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    long sum = 0;
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) > 128) {
                sum += qGray(pixel);
                ++count;
            }
        }
    }
    return count ? int(sum / count) : -1;
}

} // namespace

void TstPictures::everyPictureComesFromTheTheme() {
    for (int k = 0; k < pictures::KindCount; ++k) {
        const auto kind = pictures::Kind(k);
        const QString name = pictures::themeName(kind);
        QVERIFY2(QIcon::hasThemeIcon(name), qPrintable(name));
        QVERIFY2(!pictures::icon(kind).pixmap(16, 16).isNull(), qPrintable(name));
        QCOMPARE(pictures::icon(kind).name(), name);
    }
}

void TstPictures::eachPictureIsLoadedOnce() {
    for (int k = 0; k < pictures::KindCount; ++k) {
        const auto kind = pictures::Kind(k);
        QCOMPARE(pictures::icon(kind).cacheKey(), pictures::icon(kind).cacheKey());
    }
    const qint64 before = pictures::icon(pictures::ToShelf).cacheKey();
    StyleManager::setStyle(QStringLiteral("Carbon"));
    QCOMPARE(pictures::icon(pictures::ToShelf).cacheKey(), before);
}

void TstPictures::themeFollowsTheDesktop_data() {
    QTest::addColumn<QString>("desktop");
    QTest::addColumn<bool>("dark");
    QTest::addColumn<QString>("theme");
    QTest::newRow("no desktop theme (offscreen)") << "" << false << "breeze";
    // A bare X session: the platform names the base theme, which has none of the pictures.
    QTest::newRow("bare X session") << "hicolor" << false << "breeze";
    QTest::newRow("bare X session, dark style") << "hicolor" << true << "breeze-dark";
    QTest::newRow("Breeze desktop, dark style") << "breeze" << true << "breeze-dark";
    QTest::newRow("Breeze Dark desktop, light style") << "breeze-dark" << false << "breeze";
    QTest::newRow("GNOME keeps its theme") << "Adwaita" << true << "Adwaita";
}

void TstPictures::themeFollowsTheDesktop() {
    QFETCH(QString, desktop);
    QFETCH(bool, dark);
    QFETCH(QString, theme);
    QCOMPARE(icontheme::themeFor(desktop, dark), theme);
}

void TstPictures::darkStylesUseTheDarkVariant() {
    QVERIFY(!icontheme::dark());
    const QIcon arrow = pictures::icon(pictures::ToShelf);
    const int onSky = meanGrey(arrow.pixmap(16, 16));
    QVERIFY2(onSky < 100, qPrintable(QString::number(onSky)));

    StyleManager::setStyle(QStringLiteral("Carbon"));
    QVERIFY(icontheme::dark());
    // The same icon, made before the change, now draws the dark theme's light picture.
    const int onCarbon = meanGrey(arrow.pixmap(16, 16));
    QVERIFY2(onCarbon > 150, qPrintable(QString::number(onCarbon)));

    StyleManager::setStyle(QStringLiteral("Iceberg Classico"));
    QVERIFY(!icontheme::dark());
    QCOMPARE(meanGrey(arrow.pixmap(16, 16)), onSky);
}

void TstPictures::greyedStandsBackButStaysLegible_data() {
    QTest::addColumn<QString>("style");
    QTest::newRow("Sky") << "Sky";
    QTest::newRow("Carbon") << "Carbon";
}

// A greyed caption ("Gem", "Indfør i gruppen") and a greyed arrow stand out less from their
// button than active ones, and a greyed caption can still be read.
void TstPictures::greyedStandsBackButStaysLegible() {
    QFETCH(QString, style);
    QVERIFY(StyleManager::setStyle(style));
    const QPalette palette = QApplication::palette();
    const int button = palette.color(QPalette::Button).lightness();
    const int active =
        std::abs(palette.color(QPalette::Active, QPalette::ButtonText).lightness() - button);
    const int greyed =
        std::abs(palette.color(QPalette::Disabled, QPalette::ButtonText).lightness() - button);
    QVERIFY2(greyed < active && greyed >= 45,
             qPrintable(QStringLiteral("greyed %1, active %2").arg(greyed).arg(active)));

    const QIcon arrow = pictures::icon(pictures::Back);
    const QColor background = palette.color(QPalette::Window);
    const int normal = strength(arrow.pixmap(16, 16), background);
    const int disabled = strength(arrow.pixmap(16, 16, QIcon::Disabled), background);
    QVERIFY2(disabled < normal && disabled > 0,
             qPrintable(QStringLiteral("greyed %1, active %2").arg(disabled).arg(normal)));
}

void TstPictures::labelsFollowTheStyle() {
    std::unique_ptr<QLabel> label(pictures::label(pictures::Info));
    QCOMPARE(label->size(), QSize(16, 16));
    const QImage onSky = label->pixmap().toImage();
    QVERIFY(!onSky.isNull());
    StyleManager::setStyle(QStringLiteral("Carbon"));
    QVERIFY(label->pixmap().toImage() != onSky);
    StyleManager::setStyle(QStringLiteral("Sky"));
    QCOMPARE(label->pixmap().toImage(), onSky);
}

void TstPictures::programIconIsEveryWindowsIcon() {
    const QIcon icon = pictures::programIcon();
    QVERIFY(!icon.isNull());
    const QImage image = icon.pixmap(64, 64).toImage();
    QCOMPARE(image.size(), QSize(64, 64));
    // Drawn: the corners are clear, the middle is not.
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(32, 32)), 255);

    Fixture f;
    App& app = f.start();
    const qint64 key = QApplication::windowIcon().cacheKey();
    QCOMPARE(key, icon.cacheKey());
    for (QWidget* window : std::initializer_list<QWidget*>{
             app.mainform, app.boksform, app.infoformen, app.urlform1, app.infform, app.spform})
        QCOMPARE(window->windowIcon().cacheKey(), key);
}

void TstPictures::everyStyleIsReadable_data() {
    QTest::addColumn<QString>("style");
    for (const QString& name : StyleManager::styleNames())
        QTest::newRow(qPrintable(name)) << name;
}

// The contrast of text on its background as readers of a screen reckon it (sRGB luminance,
// (lighter + 0.05) / (darker + 0.05)).
static double contrastOf(const QColor& a, const QColor& b) {
    auto luminance = [](const QColor& c) {
        auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double x = luminance(a), y = luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

// A selected row is read as any text is (4.5:1), in an active window and in one behind it; a
// greyed caption can be read (3:1) on the window, a button and a list, and still stands back
// from an active one.
void TstPictures::everyStyleIsReadable() {
    QFETCH(QString, style);
    QVERIFY(StyleManager::setStyle(style));
    const QPalette p = QApplication::palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        const double selected = contrastOf(p.color(group, QPalette::HighlightedText),
                                           p.color(group, QPalette::Highlight));
        QVERIFY2(selected >= 4.5, qPrintable(QStringLiteral("selected row %1:1").arg(selected)));
    }
    const struct {
        QPalette::ColorRole text, ground;
    } pairs[] = {{QPalette::WindowText, QPalette::Window},
                 {QPalette::ButtonText, QPalette::Button},
                 {QPalette::Text, QPalette::Base}};
    for (const auto& pair : pairs) {
        const double greyed =
            contrastOf(p.color(QPalette::Disabled, pair.text), p.color(pair.ground));
        const double active =
            contrastOf(p.color(QPalette::Active, pair.text), p.color(pair.ground));
        QVERIFY2(greyed >= 3.0 && greyed < active / 1.5,
                 qPrintable(QStringLiteral("greyed %1:1, active %2:1").arg(greyed).arg(active)));
    }
    // As drawn: the strongest pixel of a greyed button's caption on the button's own shade
    // beside it, where the style draws the button lighter than its colour.
    QToolButton button;
    button.setText(QStringLiteral("Gem"));
    button.setToolButtonStyle(Qt::ToolButtonTextOnly);
    button.setEnabled(false);
    button.resize(60, 24);
    const QImage shot = button.grab().toImage();
    double strongest = 0;
    for (int y = 3; y < shot.height() - 3; ++y) {
        const QColor ground = shot.pixelColor(3, y);
        double row = 0;
        for (int x = 3; x < shot.width() - 3; ++x)
            row = std::max(row, contrastOf(shot.pixelColor(x, y), ground));
        strongest = std::max(strongest, row);
    }
    QVERIFY2(strongest >= 3.0,
             qPrintable(QStringLiteral("drawn greyed caption %1:1").arg(strongest)));
}

QTEST_MAIN(TstPictures)
#include "tst_pictures.moc"
