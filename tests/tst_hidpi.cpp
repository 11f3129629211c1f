// The board on screens of other pixel densities, run once per scale factor (QT_SCALE_FACTOR is set
// by CTest): it keeps its 318-unit size and proportions, and each marble is drawn from the vector
// picture at the screen's own density, not enlarged from a 32-pixel bitmap.
#include "application.h"
#include "form.h"
#include "frmMain.h"
#include "imagearray.h"
#include "quiet.h"
#include "window.h"

#include <QPointer>
#include <QTest>

#include <cmath>

using namespace tavlin;

class TestHiDpi : public QObject {
    Q_OBJECT

    QPointer<frmMain> w;

private Q_SLOTS:
    void initTestCase()
    {
        installApplicationDetails();
        test::quietOffscreenPlatform();
        w = new frmMain;
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }

    void cleanupTestCase() { delete w.data(); }

    // The board is 318 logical pixels whatever the density, and the grid keeps its proportions.
    void boardKeepsItsProportions()
    {
        const qreal ratio = w->devicePixelRatioF();
        QVERIFY2(ratio >= 1.0, qPrintable(QString::number(ratio)));
        QCOMPARE(test::boardOf(w)->size(), QSize(318, 318));
        QCOMPARE(test::imagesOf(w, "imgMarble")(24)->geometry(), QRect(144, 144, 32, 32));
        const QPixmap shot = test::boardOf(w)->grab();
        QCOMPARE(shot.size(), QSize(318, 318) * ratio);
    }

    // At a whole-number density a marble enlarged from its 32-pixel bitmap would be made of
    // uniform blocks of ratio x ratio pixels; one drawn at the density has detail inside them.
    void marblesAreDrawnAtTheScreensDensity()
    {
        const qreal ratio = w->devicePixelRatioF();
        if (ratio < 2 || std::floor(ratio) != ratio)
            QSKIP("needs a whole-number density of 2 or more");
        const int n = int(ratio);
        const QImage shot = test::imagesOf(w, "imgMarble")(10)->grab().toImage();
        QCOMPARE(shot.size(), QSize(32 * n, 32 * n));
        int detailedBlocks = 0;
        for (int by = 0; by < 32; ++by) {
            for (int bx = 0; bx < 32; ++bx) {
                const QRgb first = shot.pixel(bx * n, by * n);
                bool uniform = true;
                for (int y = 0; y < n && uniform; ++y)
                    for (int x = 0; x < n && uniform; ++x)
                        uniform = shot.pixel(bx * n + x, by * n + y) == first;
                detailedBlocks += !uniform;
            }
        }
        // The rim and the shading change from pixel to pixel in most blocks.
        QVERIFY2(detailedBlocks > 32 * 32 / 4, qPrintable(QString::number(detailedBlocks)));
    }
};

QTEST_MAIN(TestHiDpi)
#include "tst_hidpi.moc"
