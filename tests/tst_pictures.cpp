// Guards the look of the pictures: the round outline shared by marble and hole, their colours and
// lighting, the board icon's cross, the banner, and that every scale is drawn sharp, not enlarged.
#include "picture.h"

#include <QTest>

#include <algorithm>

using tavlin::Picture;

namespace {

template <typename Check> QList<QPoint> where(const QImage &image, Check check)
{
    QList<QPoint> found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (check(image.pixel(x, y)))
                found << QPoint(x, y);
    return found;
}

// o pure green, . neutral grey, blank clear, ? anything else. Judged premultiplied, since
// unpremultiplying an edge pixel would magnify its rounding.
char kind(QRgb pixel)
{
    if (qAlpha(pixel) == 0 || qAbs(qRed(pixel) - qBlue(pixel)) > 2)
        return qAlpha(pixel) == 0 ? ' ' : '?';
    const int greenOverRed = qGreen(pixel) - qRed(pixel);
    return greenOverRed >= 40 ? 'o' : qAbs(greenOverRed) <= 3 ? '.' : '?';
}

// Blue is left out: kind() holds it to red.
bool near(const QColor &seen, const QColor &wanted)
{
    return qAbs(seen.red() - wanted.red()) <= 10 && qAbs(seen.green() - wanted.green()) <= 10;
}

// Partly covered pixels lie in a band about a pixel wide along every outline: drawn afresh at n
// times 32 px there are about n times as many as at 32 px, in an enlarged 32 px bitmap n * n times.
int partlyCovered(const QImage &image)
{
    return where(image, [](QRgb p) { return qAlpha(p) > 0 && qAlpha(p) < 255; }).size();
}

} // namespace

class TestPictures : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void marbleAndHole_data()
    {
        QTest::addColumn<const Picture *>("picture");
        QTest::addColumn<int>("side");
        QTest::addColumn<QList<QColor>>("colours"); // centre, brightest, darkest
        for (int side : {32, 40, 64, 128}) {
            QTest::addRow("marble %d", side)
                << &Picture::marble() << side << QList<QColor>{0x04f604, 0x8cd28c, 0x047004};
            QTest::addRow("hole %d", side)
                << &Picture::hole() << side << QList<QColor>{0x848684, 0xbcbebc, 0x3c3a3c};
        }
    }

    // Drawn sharp as one disc touching all four edges, 821 of 1024 pixels at 32 px, all in the
    // centre's hue.
    void marbleAndHole()
    {
        QFETCH(const Picture *, picture);
        QFETCH(int, side);
        QFETCH(QList<QColor>, colours);
        const QImage image = picture->pixmap(side / 32.0).toImage();
        QCOMPARE_LE(partlyCovered(image),
                    1.5 * side / 32 * partlyCovered(picture->render({32, 32})));
        const int e = side - 1;
        const QPoint mid(side / 2, side / 2);
        QCOMPARE(QList<int>({image.width(), image.height(), qAlpha(image.pixel(0, 0)),
                             qAlpha(image.pixel(e, 0)), qAlpha(image.pixel(0, e)),
                             qAlpha(image.pixel(e, e)), qAlpha(image.pixel(mid))}),
                 QList<int>({side, side, 0, 0, 0, 0, 255}));
        const auto solid = where(image, [](QRgb p) { return qAlpha(p) >= 128; }).size();
        QCOMPARE_LE(qAbs(solid - 821 * side * side / 1024), side * side / 128);

        const char hue = kind(image.pixel(mid));
        QCOMPARE(where(image, [hue](QRgb p) { return qAlpha(p) >= 128 && kind(p) != hue; }),
                 QList<QPoint>());
        const auto [dark, bright] =
            std::ranges::minmax(where(image, [](QRgb p) { return qAlpha(p) == 255; }), {},
                                [&image](QPoint at) { return qGray(image.pixel(at)); });
        const QList<QColor> seen{image.pixel(mid), image.pixel(bright), image.pixel(dark)};
        QVERIFY2(std::equal(seen.begin(), seen.end(), colours.begin(), near),
                 qPrintable(QDebug::toString(seen)));
        // Lit from the upper left: a ball is brightest there, a hollow's wall darkest.
        QCOMPARE(std::make_pair(bright.x() + bright.y() < side, dark.x() + dark.y() > side),
                 std::make_pair(hue == 'o', hue == 'o'));
    }

    void boardIcon_data()
    {
        QTest::addColumn<int>("side");
        for (int side : {32, 64, 128})
            QTest::addRow("%d", side) << side;
    }

    // The cross in miniature, read at each cell's centre.
    void boardIcon()
    {
        QFETCH(int, side);
        const QImage image = Picture::boardIcon().pixmap(side / 32.0).toImage();
        QCOMPARE_LE(partlyCovered(image),
                    1.5 * side / 32 * partlyCovered(Picture::boardIcon().render({32, 32})));
        QByteArray board;
        for (int row = 1; row <= 7; ++row)
            for (int column = 1; column <= 8; ++column)
                board += column == 8 ? '\n' : kind(image.pixel(column * side / 8, row * side / 8));
        QCOMPARE(board, QByteArray("  ooo  \n"
                                   "  ooo  \n"
                                   "ooooooo\n"
                                   "ooo.ooo\n"
                                   "ooooooo\n"
                                   "  ooo  \n"
                                   "  ooo  \n"));
    }

    // The window icon is drawn at each size it offers, not scaled by QIcon from another.
    void windowIcon()
    {
        QCOMPARE(Picture::marble().icon().pixmap(48).toImage(), Picture::marble().render({48, 48}));
    }

    // Opaque, so no window colour shows through, with its lettering (its only pale pixels) drawn;
    // 309 x 91 rounded up at a fractional ratio, and drawn once for each ratio.
    void banner()
    {
        const QImage image = Picture::banner().pixmap(1).toImage();
        QCOMPARE(where(image, [](QRgb p) { return qAlpha(p) < 255; }), QList<QPoint>());
        QCOMPARE_GT(where(image, [](QRgb p) { return qGray(p) > 200; }).size(), 500);

        // Asked after pixmap(1), so a cache blind to the ratio would hand back the wrong size.
        const QPixmap pixmap = Picture::banner().pixmap(1.25);
        QCOMPARE(std::make_tuple(pixmap.size(), pixmap.devicePixelRatio(),
                                 Picture::banner().pixmap(1.25).cacheKey()),
                 std::make_tuple(QSize(387, 114), 1.25, pixmap.cacheKey()));
    }
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
