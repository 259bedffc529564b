#include "fixture.h"

#include "boks.h"
#include "icontheme.h"
#include "info.h"
#include "main.h"
#include "pictures.h"
#include "stylemanager.h"
#include "url1.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTest>

// The pictures come from the icon theme, in the variant that suits the style, and the
// program's own icon is the icon of every window.
class TstPictures : public QObject {
    Q_OBJECT
private slots:
    void init() { StyleManager::setStyle(QStringLiteral("Sky")); }
    void everyPictureComesFromTheTheme();
    void eachPictureIsLoadedOnce();
    void darkStylesUseTheDarkVariant();
    void labelsFollowTheStyle();
    void greyedStandsBackButStaysLegible_data();
    void greyedStandsBackButStaysLegible();
    void programIconIsEveryWindowsIcon();
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

QTEST_MAIN(TstPictures)
#include "tst_pictures.moc"
