// Guards the look of the pictures: the round outline shared by marble and hole, their colours and
// lighting, the board icon's cross, the banner, and that every scale is drawn sharp, not enlarged.
#include "picture.h"

#include <QTest>

#include <cstdlib>

using tavlin::Picture;

namespace {

const Picture &pictureNamed(const QString &name)
{
    if (name == QLatin1String("hole"))
        return Picture::hole();
    if (name == QLatin1String("boardIcon"))
        return Picture::boardIcon();
    if (name == QLatin1String("banner"))
        return Picture::banner();
    return Picture::marble();
}

// Straight (not premultiplied) colours, so the colour of an edge pixel can be judged too.
QImage rendered(const QString &name, int side)
{
    return pictureNamed(name).render(QSize(side, side)).convertToFormat(QImage::Format_ARGB32);
}

struct Found {
    QRgb pixel = 0;
    QPoint at{-1, -1};
};

// The solid pixel on which score is highest.
template <typename Score> Found highest(const QImage &image, Score score)
{
    Found best;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (const QRgb pixel = image.pixel(x, y); qAlpha(pixel) == 255)
                if (best.at.x() < 0 || score(pixel) > score(best.pixel))
                    best = {pixel, QPoint(x, y)};
    return best;
}

// The first pixel of the picture's shape (at least half covered) whose colour is not ok.
template <typename Check> QString firstWrong(const QImage &image, Check ok)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (const QRgb pixel = image.pixel(x, y); qAlpha(pixel) >= 128 && !ok(pixel))
                return QStringLiteral("%1 at %2,%3").arg(pixel, 8, 16).arg(x).arg(y);
    return {};
}

template <typename Check> int countPixels(const QImage &image, Check check)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += check(image.pixel(x, y));
    return count;
}

// Pixels neither clear nor solid: an outline drawn at the right scale is about one pixel wide.
int partlyCovered(const QImage &image)
{
    return countPixels(image, [](QRgb pixel) { return qAlpha(pixel) > 0 && qAlpha(pixel) < 255; });
}

void addRoundPictures()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("side");
    for (const char *name : {"marble", "hole"})
        for (int side : {32, 64})
            QTest::addRow("%s %d", name, side) << QString::fromLatin1(name) << side;
}

} // namespace

class TestPictures : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void roundOutline_data() { addRoundPictures(); }
    void roundOutline();
    void marbleColours_data();
    void marbleColours();
    void holeColours_data() { marbleColours_data(); }
    void holeColours();
    void drawnAtEveryScale_data();
    void drawnAtEveryScale();
    void pixmapPerRatio_data();
    void pixmapPerRatio();
    void iconSizes();
    void boardIcon_data();
    void boardIcon();
    void banner();
};

// Marble and hole share one disc touching all four edges, 821 of 1024 pixels at 32 px.
void TestPictures::roundOutline()
{
    QFETCH(QString, name);
    QFETCH(int, side);
    const QImage image = rendered(name, side);
    QCOMPARE(image.size(), QSize(side, side));
    for (QPoint corner :
         {QPoint(0, 0), QPoint(side - 1, 0), QPoint(0, side - 1), QPoint(side - 1, side - 1)})
        QCOMPARE(qAlpha(image.pixel(corner)), 0);
    QCOMPARE(qAlpha(image.pixel(side / 2, side / 2)), 255);

    const int solid = countPixels(image, [](QRgb pixel) { return qAlpha(pixel) >= 128; });
    const int expected = 821 * side * side / (32 * 32);
    QVERIFY2(std::abs(solid - expected) <= expected / 100,
             qPrintable(QStringLiteral("%1 solid pixels").arg(solid)));
}

void TestPictures::marbleColours_data()
{
    QTest::addColumn<int>("side");
    QTest::newRow("32") << 32;
    QTest::newRow("64") << 64;
    QTest::newRow("128") << 128;
}

// Pure greens only; bright green in the middle, the highlight up left, the shade down right.
void TestPictures::marbleColours()
{
    QFETCH(int, side);
    const QImage image = rendered(QStringLiteral("marble"), side);
    const QString wrong = firstWrong(image, [](QRgb pixel) {
        return std::abs(qRed(pixel) - qBlue(pixel)) <= 2 && qGreen(pixel) >= qRed(pixel) + 60;
    });
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));

    const QRgb centre = image.pixel(side / 2, side / 2);
    QVERIFY(qRed(centre) <= 12 && qGreen(centre) >= 236);
    const Found palest = highest(image, [](QRgb pixel) { return qRed(pixel); });
    QVERIFY(palest.at.x() < side / 2 && palest.at.y() < side / 2);
    QVERIFY(qRed(palest.pixel) >= 125 && qRed(palest.pixel) <= 150);
    const Found darkest = highest(image, [](QRgb pixel) { return -qGreen(pixel); });
    QVERIFY(darkest.at.x() + darkest.at.y() > side);
    QVERIFY(qGreen(darkest.pixel) >= 100 && qGreen(darkest.pixel) <= 130);
}

// Neutral greys; the upper-left wall in shadow, the lower right in the light.
void TestPictures::holeColours()
{
    QFETCH(int, side);
    // Judged premultiplied: unpremultiplying an edge pixel would magnify its rounding.
    const QString wrong = firstWrong(Picture::hole().render(QSize(side, side)), [](QRgb pixel) {
        return std::abs(qRed(pixel) - qBlue(pixel)) <= 2 &&
               std::abs(qGreen(pixel) - qRed(pixel)) <= 3;
    });
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));

    const QImage image = rendered(QStringLiteral("hole"), side);
    QVERIFY(std::abs(qGreen(image.pixel(side / 2, side / 2)) - 134) <= 8);
    const Found darkest = highest(image, [](QRgb pixel) { return -qGreen(pixel); });
    QVERIFY(darkest.at.x() + darkest.at.y() < side);
    QVERIFY(std::abs(qGreen(darkest.pixel) - 58) <= 10);
    const Found lightest = highest(image, [](QRgb pixel) { return qGreen(pixel); });
    QVERIFY(lightest.at.x() + lightest.at.y() > side);
    QVERIFY(std::abs(qGreen(lightest.pixel) - 190) <= 10);
}

void TestPictures::drawnAtEveryScale_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("scale");
    for (const char *name : {"marble", "hole", "boardIcon"})
        for (int scale : {2, 4})
            QTest::addRow("%s x%d", name, scale) << QString::fromLatin1(name) << scale;
}

// A bitmap enlarged by n widens every outline n times as well; a fresh drawing keeps it a pixel
// wide, so its partly covered pixels grow about n times, not n * n times.
void TestPictures::drawnAtEveryScale()
{
    QFETCH(QString, name);
    QFETCH(int, scale);
    const QImage small = rendered(name, 32);
    const QImage large = rendered(name, 32 * scale);
    const double limit = 0.75 * scale * scale * partlyCovered(small);

    for (Qt::TransformationMode mode : {Qt::FastTransformation, Qt::SmoothTransformation})
        QVERIFY(partlyCovered(small.scaled(large.size(), Qt::IgnoreAspectRatio, mode)) > limit);
    QVERIFY2(partlyCovered(large) < limit,
             qPrintable(QStringLiteral("%1 partly covered pixels at 32, %2 at %3")
                            .arg(partlyCovered(small))
                            .arg(partlyCovered(large))
                            .arg(large.width())));
}

void TestPictures::pixmapPerRatio_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QSize>("logical");
    QTest::addColumn<QSize>("devicePixels");
    QTest::newRow("marble 1") << QStringLiteral("marble") << 1.0 << QSize(32, 32) << QSize(32, 32);
    QTest::newRow("marble 2") << QStringLiteral("marble") << 2.0 << QSize(32, 32) << QSize(64, 64);
    QTest::newRow("hole 1.25") << QStringLiteral("hole") << 1.25 << QSize(32, 32) << QSize(40, 40);
    QTest::newRow("board icon 1.5")
        << QStringLiteral("boardIcon") << 1.5 << QSize(32, 32) << QSize(48, 48);
    QTest::newRow("banner 1") << QStringLiteral("banner") << 1.0 << QSize(309, 91)
                              << QSize(309, 91);
    QTest::newRow("banner 1.5 rounds up")
        << QStringLiteral("banner") << 1.5 << QSize(309, 91) << QSize(464, 137);
}

// Each ratio gets its own pixmap, drawn once and then handed out again.
void TestPictures::pixmapPerRatio()
{
    QFETCH(QString, name);
    QFETCH(qreal, ratio);
    QFETCH(QSize, logical);
    QFETCH(QSize, devicePixels);
    const Picture &picture = pictureNamed(name);
    QCOMPARE(picture.size(), logical);

    const QPixmap pixmap = picture.pixmap(ratio);
    QCOMPARE(pixmap.size(), devicePixels);
    QCOMPARE(pixmap.devicePixelRatio(), ratio);
    QCOMPARE(picture.pixmap(ratio).cacheKey(), pixmap.cacheKey());
    QVERIFY(picture.pixmap(ratio + 1.0).cacheKey() != pixmap.cacheKey());
}

void TestPictures::iconSizes()
{
    const QIcon icon = Picture::marble().icon();
    const QList<QSize> expected{{16, 16}, {24, 24},   {32, 32},  {48, 48},
                                {64, 64}, {128, 128}, {256, 256}};
    QCOMPARE(icon.availableSizes(), expected);
    const QImage image = icon.pixmap(QSize(48, 48)).toImage();
    QCOMPARE(image.size(), QSize(48, 48));
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QVERIFY(qGreen(image.pixel(24, 24)) > 200);
}

void TestPictures::boardIcon_data()
{
    marbleColours_data();
}

// The cross in miniature, read at each cell's centre: o marble, . hole, blank outside the board.
void TestPictures::boardIcon()
{
    QFETCH(int, side);
    const QImage image = rendered(QStringLiteral("boardIcon"), side);
    QString board;
    for (int row = 0; row < 7; ++row) {
        for (int column = 0; column < 7; ++column) {
            const QRgb pixel = image.pixel((4 + 4 * column) * side / 32, (4 + 4 * row) * side / 32);
            const bool greyish = std::abs(qRed(pixel) - qBlue(pixel)) <= 2;
            if (qAlpha(pixel) == 0)
                board += QLatin1Char(' ');
            else if (greyish && qGreen(pixel) > qRed(pixel) + 60)
                board += QLatin1Char('o');
            else if (greyish && std::abs(qGreen(pixel) - qRed(pixel)) <= 3)
                board += QLatin1Char('.');
            else
                board += QLatin1Char('?');
        }
        board += QLatin1Char('\n');
    }
    QCOMPARE(board, QStringLiteral("  ooo  \n"
                                   "  ooo  \n"
                                   "ooooooo\n"
                                   "ooo.ooo\n"
                                   "ooooooo\n"
                                   "  ooo  \n"
                                   "  ooo  \n"));
}

// An opaque box filler with its lettering actually drawn.
void TestPictures::banner()
{
    const QImage image = Picture::banner().render(QSize(309, 91));
    const int opaque = countPixels(image, [](QRgb pixel) { return qAlpha(pixel) == 255; });
    QVERIFY(opaque >= image.width() * image.height() * 99 / 100);
    const int lettering = countPixels(image.copy(95, 0, 214, 91), [](QRgb pixel) {
        return qRed(pixel) > 200 && qGreen(pixel) > 200 && qBlue(pixel) > 200;
    });
    QVERIFY2(lettering > 500, qPrintable(QStringLiteral("%1 lettering pixels").arg(lettering)));
}

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
