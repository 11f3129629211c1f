// Guards the About window: the link's hover and click states with their capture and release
// calls, centring over the main window, the fixed layout and version line, unloading, and the
// opener's refusal of anything but a web address.
#include "application.h"
#include "frmAbout.h"
#include "layout.h"
#include "mousecapture.h"
#include "urlopener.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>

namespace {

const QString Address = QStringLiteral("https://kelmargames.example/");

// A loaded window whose capture and opener calls land in one log, each opening with the link's
// colour at that moment. With desktopCapture the desktop's own capture serves instead.
struct Loaded final : tavlin::MouseCapture, tavlin::UrlOpener {
    QStringList log;
    QPointer<tavlin::frmAbout> window;
    QLineEdit *link;

    explicit Loaded(bool desktopCapture = false)
        : window(new tavlin::frmAbout(nullptr, desktopCapture ? nullptr : this, this)),
          link(window->findChild<QLineEdit *>(QStringLiteral("txtURL")))
    {
        window->show();
    }
    ~Loaded() override { delete window; }
    void capture(QWidget *w) override { log << (w == link ? "capture" : "capture elsewhere"); }
    void release() override { log << QStringLiteral("release"); }
    void open(const QString &address) override { log << "open " + address + " in " + colour(); }
    QString colour() const { return link->palette().color(QPalette::Text).name(); }
};

} // namespace

class TestAbout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { tavlin::installApplicationDetails(); }

    // The link's state table: each step is a move handed to the link's mouse-move handler (x,y
    // in twips), a click on the link, or a key on the focused control. The result is the log,
    // with each key and the control it went to, then "closed" or the link's colour and pointer,
    // which turns to the arrow on the first entry for good.
    void linkStates_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("result");
        auto row = [](const char *name, const char *steps, const QString &result) {
            QTest::newRow(name) << QString::fromLatin1(steps) << result;
        };
        const QString hot = QStringLiteral("capture, #ff0000, arrow");
        row("loaded", "", QStringLiteral("#0000ff, I-beam"));
        row("entering", "100,100", hot);
        row("staying", "100,100 2000,30 0,0", hot);
        row("X = Width, Y = Height", "2415,255", hot);
        row("X or Y = -1, or just past Width or Height", "-1,100 100,-1 2416,0 0,256",
            QStringLiteral("release, release, release, release, #0000ff, I-beam"));
        row("leaving far away", "100,100 -30000,45000", "capture, release, #0000ff, arrow");
        row("every outside move releases", "-1,0 10,10 3000,0 4000,0 10,10",
            "release, capture, release, release, " + hot);
        row("click, then over the link again", "50,50 click 60,50",
            "capture, release, open " + Address + " in #0000ff, " + hot);
        row("Return on OK while red", "10,10 Return",
            "capture, Return on cmdCancel, release, closed");
        row("Esc on OK while blue again", "10,10 -10,10 Esc",
            "capture, release, Esc on cmdCancel, closed");
        row("Return on the picture while blue again", "10,10 -10,10 Tab Return",
            "capture, release, Tab on cmdCancel, Return on Picture1, closed");
        row("Esc on the picture, tabbed round, while red", "10,10 Tab Tab Tab Esc",
            "capture, Tab on cmdCancel, Tab on Picture1, Tab on cmdCancel, Esc on Picture1, "
            "release, closed");
    }
    void linkStates()
    {
        QFETCH(QString, steps);
        Loaded loaded;
        QVERIFY(QTest::qWaitForWindowActive(loaded.window));
        for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
            const QStringList xy = step.split(u',');
            if (step == QLatin1String("click")) {
                QTest::mouseClick(loaded.link, Qt::LeftButton, {}, {5, 5});
            } else if (xy.size() == 2) {
                // A move at a fraction of a pixel, as a precise pointer reports it.
                const QPointF at(xy[0].toDouble() / 15, xy[1].toDouble() / 15);
                QMouseEvent move(QEvent::MouseMove, at, loaded.link->mapToGlobal(at), Qt::NoButton,
                                 Qt::NoButton, Qt::NoModifier);
                QApplication::sendEvent(loaded.link, &move);
            } else {
                loaded.log << step + " on " + QApplication::focusWidget()->objectName();
                QTest::keySequence(QApplication::focusWidget(), QKeySequence(step));
            }
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const bool arrow = loaded.window && loaded.link->cursor().shape() == Qt::ArrowCursor;
        loaded.log << (!loaded.window ? QStringLiteral("closed")
                                      : loaded.colour() + (arrow ? ", arrow" : ", I-beam"));
        QTEST(loaded.log.join(QStringLiteral(", ")), "result");
    }

    // Real pointer events through the desktop's capture: onto the link turns it red, off it to
    // the right turns it blue, a click on it opens it, a press on it released beside it opens
    // nothing, and losing the activation turns it blue with the pointer still on it.
    void realPointer()
    {
        Loaded loaded(true);
        QVERIFY(QTest::qWaitForWindowActive(loaded.window));
        QTest::mouseMove(loaded.link, {30, 5});
        QTRY_COMPARE(loaded.colour(), QStringLiteral("#ff0000"));
        QTest::mouseMove(loaded.window, loaded.link->geometry().topRight() + QPoint(30, 5));
        QTRY_COMPARE(loaded.colour(), QStringLiteral("#0000ff"));
        QTest::mouseClick(loaded.link, Qt::LeftButton, {}, {30, 5});
        QTest::mousePress(loaded.link, Qt::LeftButton, {}, {30, 5});
        QTest::mouseRelease(loaded.link, Qt::LeftButton, {}, {30, 25});
        QCOMPARE(loaded.log, QStringList{"open " + Address + " in #0000ff"});
        QTest::mouseMove(loaded.link, {30, 5});
        QTRY_COMPARE(loaded.colour(), QStringLiteral("#ff0000"));
        QWidget other;
        other.show();
        other.activateWindow();
        QTRY_COMPARE(loaded.colour(), QStringLiteral("#0000ff"));
    }

    // Centring along one axis in twips: main position and size, own size; halves go towards
    // minus infinity, also left of the screen's origin.
    void centredPosition_data()
    {
        QTest::addColumn<QList<double>>("args");
        QTest::addColumn<int>("expected");
        QTest::newRow("945 narrower") << QList<double>{1500, 5670, 4725} << 1500 + 472;
        QTest::newRow("945 wider") << QList<double>{0, 4725, 5670} << -473;
        QTest::newRow("945 narrower, main left of 0") << QList<double>{-3000, 5670, 4725} << -2528;
    }
    void centredPosition()
    {
        QFETCH(QList<double>, args);
        QTEST(tavlin::frmAbout::centredPosition(args[0], args[1], args[2]), "expected");
    }

    // A real main window 945 twips (63 pixels) wider and as much lower than the About window's
    // frame puts that frame 472 twips right of the main frame's left and 473 above its top. The
    // main window is frameless, so the estimate made at load is off until the frame is known.
    void centresOverMainWindow()
    {
        QWidget main(nullptr, Qt::FramelessWindowHint);
        main.setGeometry(140, 110, 329 + 4 + 63, 258 + 4 - 63); // offscreen frames: 2 pixels
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        tavlin::frmAbout about(&main);
        QCOMPARE(about.pos(), QPoint(140 + 33, 110 - 30));
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QCOMPARE(about.frameGeometry().topLeft(), QPoint(140 + 31, 110 - 32));
    }

    // Title and size, then every control's name, box and text in creation order; the banner
    // fills the picture box inside its border, and the address fits its box and cannot be typed
    // over.
    void layout()
    {
        Loaded loaded;
        QWidget *w = loaded.window;
        QCOMPARE(tavlin::test::layoutOf(w),
                 QStringList({"About Kelmar 329x258", "txtURL 80,192 161x17 " + Address,
                              "Picture1 8,88 313x95", "cmdCancel 128,224 65x25 OK",
                              "Image1 16,16 32x32", "lblVersion 72,56 185x17 Version: 1.0.2",
                              "lblDescription 72,32 205x22 Written by Kelmar Games.",
                              "lblTitle 72,8 251x32 Kelmar Solitaire"}));
        QCOMPARE(w->findChild<QWidget *>(QStringLiteral("Picture1"))->contentsRect().size(),
                 QSize(309, 91));
        QVERIFY(loaded.link->fontMetrics().horizontalAdvance(Address) <= loaded.link->width() - 4);
        QTest::keyClicks(loaded.link, QStringLiteral("\bx"));
        QCOMPARE(loaded.link->text(), Address);
    }

    // The layout's black text and blue link need a light window, also on a dark desktop.
    void readableOnDarkDesktops()
    {
        const QPalette saved = QApplication::palette();
        QPalette dark = saved;
        dark.setColor(QPalette::Window, QColor(0x2a, 0x2a, 0x2a));
        QApplication::setPalette(dark);
        Loaded loaded;
        QApplication::setPalette(saved);
        const QImage shot = loaded.window->grab().toImage();
        const auto title = loaded.window->findChild<QWidget *>(QStringLiteral("lblTitle"));
        QCOMPARE(title->palette().color(QPalette::WindowText), QColor(Qt::black));
        QVERIFY(shot.pixelColor(title->geometry().bottomRight()).lightness() > 160);
        QVERIFY(loaded.link->palette().color(QPalette::Base).lightness() > 160);
    }

    // Only http and https addresses with a host reach the desktop.
    void webAddressCheck_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("https") << Address << true;
        QTest::newRow("http with path") << "http://kelmargames.example/games?x=1" << true;
        QTest::newRow("local file") << "file:///etc/passwd" << false;
        QTest::newRow("ftp") << "ftp://x" << false;
        QTest::newRow("no host") << "https://" << false;
        QTest::newRow("space in the path") << "https://kelmargames.example/a b" << false;
    }
    void webAddressCheck()
    {
        QFETCH(QString, address);
        QTEST(tavlin::DesktopUrlOpener::isWebAddress(address), "accepted");
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
