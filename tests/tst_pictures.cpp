// The pictures at the screen's density, run once per scale factor (CTest sets QT_SCALE_FACTOR):
// each is shown at exactly the screen's device pixels and drawn there, not enlarged from a bitmap
// of its logical size, and the window icon is drawn at each size a desktop asks for.
#include "frmAbout.h"
#include "picture.h"
#include "window.h"

#include <QtMath>

using namespace tavlin;

// Partly covered pixels lie in a band about a pixel wide along every outline: drawn afresh at n
// times the size there are about n times as many, in an enlarged bitmap n * n times.
static double partlyCovered(const QImage &image)
{
    const auto *pixels = reinterpret_cast<const QRgb *>(image.constBits());
    return std::count_if(pixels, pixels + image.width() * image.height(),
                         [](QRgb pixel) { return qAlpha(pixel) % 255 != 0; });
}

class TestPictures : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { test::setUpApplication(); }

    // A marble, a hole and the About banner show their picture drawn at the screen's device
    // pixels, rounded up so that nothing is cut short.
    void drawnAtTheScreensDensity()
    {
        test::GameWindow game;
        const frmAbout about(game.w);
        const qreal ratio = game.w->screen()->devicePixelRatio();
        const std::pair<QWidget *, const Picture *> shown[] = {
            {test::imagesOf(game.w, "imgMarble")(10), &Picture::marble()},
            {test::imagesOf(game.w, "imgHole")(10), &Picture::hole()},
            {about.findChild<QWidget *>("Picture1"), &Picture::banner()}};
        for (auto [widget, picture] : shown) {
            const QSize size = picture->size();
            QImage image(qCeil(size.width() * ratio), qCeil(size.height() * ratio),
                         QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(ratio);
            image.fill(Qt::transparent);
            widget->render(&image, {}, widget->contentsRect(), QWidget::DrawChildren);
            image.setDevicePixelRatio(1);
            QCOMPARE(image, picture->render(image.size()));
            QCOMPARE_LE(partlyCovered(image), 1.25 * ratio * partlyCovered(picture->render(size)));
        }
    }

    // Desktops ask for window icons from 16 to 256 pixels; each comes at that size, as sharp as a
    // drawing at 32 pixels.
    void windowIcon()
    {
        const QIcon icon = QApplication::windowIcon();
        for (int side = 16; side <= 256; side *= 2) {
            const QImage image = icon.pixmap({side, side}, 1.0).toImage();
            QCOMPARE(image.size(), QSize(side, side));
            QCOMPARE_LE(partlyCovered(image),
                        1.25 * side / 32 * partlyCovered(icon.pixmap({32, 32}, 1.0).toImage()));
        }
    }
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
