// Guards the About window: the link's hover and click states with their capture and release
// calls, centring over the main window, the fixed layout and version line, unloading by every
// route, and the opener's refusal of anything but a web address.
#include "application.h"
#include "frmAbout.h"
#include "mousecapture.h"
#include "urlopener.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QWindow>

using tavlin::frmAbout;

namespace {

const QColor Blue(0, 0, 255);
const QColor Red(255, 0, 0);

// Records, in one log, what the window asks of the capture and the opener, and the link's
// colour at the moment it asks to open.
struct Recorder final : tavlin::MouseCapture, tavlin::UrlOpener {
    QStringList log;
    QPointer<QLineEdit> link;

    void capture(QWidget *w) override { log << QStringLiteral("capture ") + w->objectName(); }
    void release() override { log << QStringLiteral("release"); }
    void open(const QString &address) override
    {
        log << QStringLiteral("open %1 in %2").arg(address, colour().name());
    }
    QColor colour() const { return link->palette().color(QPalette::Text); }
};

struct Loaded {
    QPointer<frmAbout> window;
    QLineEdit *link;

    explicit Loaded(Recorder *recorder, const QWidget *main = nullptr)
        : window(new frmAbout(main, recorder, recorder)),
          link(window->findChild<QLineEdit *>(QStringLiteral("txtURL")))
    {
        if (recorder) {
            recorder->link = link;
        }
    }
    ~Loaded() { delete window; }
    template <class T> T *control(const char *name) const
    {
        return window->findChild<T *>(QLatin1String(name));
    }
    bool show()
    {
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window);
    }
    QPoint inWindow(QPoint linkPoint) const { return link->mapTo(window, linkPoint); }
};

} // namespace

class TestAbout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { tavlin::installApplicationDetails(); }

    // The hover state table, driven through the link's mouse-move handler (twips).
    void linkStates_data()
    {
        QTest::addColumn<QList<QPointF>>("moves");
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<int>("cursor");
        const QString capture = QStringLiteral("capture txtURL");
        const QString release = QStringLiteral("release");
        const int arrow = Qt::ArrowCursor;
        auto row = [](const char *name, QList<QPointF> moves, QStringList log, QColor colour,
                      int cursor) { QTest::newRow(name) << moves << log << colour << cursor; };
        row("entering", {{100, 100}}, {capture}, Red, arrow);
        row("staying", {{100, 100}, {2000, 30}, {0, 0}}, {capture}, Red, arrow);
        row("X = Width, Y = Height", {{2415, 255}}, {capture}, Red, arrow);
        row("X = -1, Y = -1, just past Width and Height",
            {{-1, 100}, {100, -1}, {2416, 0}, {0, 256}}, {release, release, release, release}, Blue,
            Qt::IBeamCursor);
        row("leaving far away", {{100, 100}, {-30000, 45000}}, {capture, release}, Blue, arrow);
        row("every outside move releases", {{-1, 0}, {10, 10}, {3000, 0}, {4000, 0}, {10, 10}},
            {release, capture, release, release, capture}, Red, arrow);
    }
    void linkStates()
    {
        QFETCH(QList<QPointF>, moves);
        QFETCH(QStringList, log);
        QFETCH(QColor, colour);
        QFETCH(int, cursor);
        Recorder recorder;
        Loaded loaded(&recorder);
        QCOMPARE(recorder.colour(), Blue);
        for (const QPointF &p : moves) {
            loaded.window->txtURL_MouseMove(0, 0, p.x(), p.y());
        }
        QCOMPARE(recorder.log, log);
        QCOMPARE(recorder.colour(), colour);
        QCOMPARE(int(loaded.link->cursor().shape()), cursor);
    }

    // A click ends the hover before the address is handed over, and the next move starts it again.
    void clickOpensAfterTurningBlue()
    {
        Recorder recorder;
        Loaded loaded(&recorder);
        loaded.window->txtURL_MouseMove(0, 0, 50, 50);
        loaded.window->txtURL_Click();
        loaded.window->txtURL_MouseMove(0, 0, 60, 50);
        const QString open = QStringLiteral("open %1 in #0000ff").arg(frmAbout::homePage());
        QCOMPARE(recorder.log,
                 QStringList({QStringLiteral("capture txtURL"), QStringLiteral("release"), open,
                              QStringLiteral("capture txtURL")}));
    }

    // Real pointer events: a press and release on the link opens exactly its text, a release
    // elsewhere opens nothing; moving onto the link turns it red and moving off, near or far,
    // turns it blue through the desktop capture.
    void realClick_data()
    {
        QTest::addColumn<QPoint>("releaseAt");
        QTest::addColumn<bool>("opens");
        QTest::newRow("released on the link") << QPoint(80, 8) << true;
        QTest::newRow("released beside the link") << QPoint(80, 30) << false;
    }
    void realClick()
    {
        QFETCH(QPoint, releaseAt);
        QFETCH(bool, opens);
        Recorder recorder;
        Loaded loaded(&recorder);
        QVERIFY(loaded.show());
        QWindow *window = loaded.window->windowHandle();
        QTest::mousePress(window, Qt::LeftButton, {}, loaded.inWindow({20, 8}));
        QTest::mouseRelease(window, Qt::LeftButton, {}, loaded.inWindow(releaseAt));
        const QString open = QStringLiteral("open https://kelmargames.example/ in #0000ff");
        QCOMPARE(recorder.log.contains(open), opens);
    }

    // Only the OK button and the picture box take the focus from the keyboard.
    void tabOrder()
    {
        Loaded loaded(nullptr);
        QVERIFY(loaded.show());
        QWidget *ok = loaded.control<QPushButton>("cmdCancel");
        QWidget *picture = loaded.control<QLabel>("Picture1");
        QList<QWidget *> visited{QApplication::focusWidget()};
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget();
        }
        QCOMPARE(visited, (QList<QWidget *>{ok, picture, ok, picture}));
    }

    void realPointer_data()
    {
        QTest::addColumn<QString>("away");
        QTest::newRow("onto the window's background") << "background";
        QTest::newRow("onto another window") << "window";
        QTest::newRow("onto the bare desktop far away") << "desktop";
        QTest::newRow("staying while another window is activated") << "deactivated";
    }
    void realPointer()
    {
        QFETCH(QString, away);
        QWidget other;
        other.setGeometry(1200, 900, 100, 100);
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        Loaded loaded(nullptr);
        QVERIFY(loaded.show());
        auto colour = [&] { return loaded.link->palette().color(QPalette::Text); };
        // The platform pointer itself, so that enter and leave follow as on a desktop.
        QCursor::setPos(loaded.link->mapToGlobal(QPoint(30, 5)));
        QTRY_COMPARE(colour(), Red);
        if (away == QLatin1String("deactivated")) {
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
        } else if (away == QLatin1String("window")) {
            QCursor::setPos(other.mapToGlobal(QPoint(50, 50)));
        } else if (away == QLatin1String("desktop")) {
            QCursor::setPos(3000, 2500);
        } else {
            QCursor::setPos(loaded.window->mapToGlobal(QPoint(5, 5)));
        }
        QTRY_COMPARE(colour(), Blue);
        QCursor::setPos(loaded.link->mapToGlobal(QPoint(3, 3)));
        QTRY_COMPARE(colour(), Red);
    }

    // Unloading releases the capture exactly when the link is red, by every route.
    void unload_data()
    {
        QTest::addColumn<QString>("route");
        QTest::addColumn<bool>("red");
        for (const char *route : {"OK", "Enter", "Esc", "close box"}) {
            QTest::addRow("%s while red", route) << route << true;
            QTest::addRow("%s while blue", route) << route << false;
        }
        QTest::newRow("Enter on the picture") << "Enter picture" << true;
        QTest::newRow("Esc on the picture") << "Esc picture" << false;
    }
    void unload()
    {
        QFETCH(QString, route);
        QFETCH(bool, red);
        Recorder recorder;
        Loaded loaded(&recorder);
        QVERIFY(loaded.show());
        QCOMPARE(QApplication::focusWidget(), loaded.control<QPushButton>("cmdCancel"));
        loaded.window->txtURL_MouseMove(0, 0, 10, 10);
        if (!red) {
            loaded.window->txtURL_MouseMove(0, 0, -10, 10);
        }
        if (route.endsWith(QLatin1String("picture"))) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), loaded.control<QLabel>("Picture1"));
        }
        recorder.log.clear();
        if (route.startsWith(QLatin1String("Enter"))) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        } else if (route.startsWith(QLatin1String("Esc"))) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        } else if (route == QLatin1String("OK")) {
            QTest::mouseClick(loaded.control<QPushButton>("cmdCancel"), Qt::LeftButton);
        } else {
            loaded.window->close();
        }
        QTRY_VERIFY(loaded.window.isNull());
        QCOMPARE(recorder.log, red ? QStringList{QStringLiteral("release")} : QStringList{});
    }

    // Centring in twips, halves towards minus infinity.
    void centredPosition_data()
    {
        QTest::addColumn<double>("mainPosition");
        QTest::addColumn<double>("mainSize");
        QTest::addColumn<double>("ownSize");
        QTest::addColumn<int>("expected");
        QTest::newRow("945 narrower") << 1500.0 << 5670.0 << 4725.0 << 1500 + 472;
        QTest::newRow("945 wider") << 1500.0 << 4725.0 << 5670.0 << 1500 - 473;
        QTest::newRow("same size") << 300.0 << 4000.0 << 4000.0 << 300;
        QTest::newRow("main off the left edge") << -3000.0 << 5670.0 << 4725.0 << -3000 + 472;
    }
    void centredPosition()
    {
        QFETCH(double, mainPosition);
        QFETCH(double, mainSize);
        QFETCH(double, ownSize);
        QFETCH(int, expected);
        QCOMPARE(frmAbout::centredPosition(mainPosition, mainSize, ownSize), expected);
    }

    // Once shown, the window's frame is centred over the main window's frame, also when the
    // frame it was given differs from the main window's, on which the load had to guess.
    void centresOverMainWindow_data()
    {
        QTest::addColumn<bool>("framelessMain");
        QTest::newRow("same frames") << false;
        QTest::newRow("frameless main window") << true;
    }
    void centresOverMainWindow()
    {
        QFETCH(bool, framelessMain);
        QWidget main(nullptr, framelessMain ? Qt::FramelessWindowHint : Qt::WindowFlags());
        main.setGeometry(140, 110, 4935 / 15 + 91, 3870 / 15 + 63);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        Recorder recorder;
        Loaded loaded(&recorder, &main);
        QVERIFY(loaded.show());
        const QRect mainFrame = main.frameGeometry();
        const QRect frame = loaded.window->frameGeometry();
        // An odd difference in pixels is a half of 15 twips; the half goes to the left and top.
        QCOMPARE((mainFrame.width() - frame.width()) % 2, 1);
        QCOMPARE(frame.topLeft(),
                 mainFrame.topLeft() + QPoint((mainFrame.width() - frame.width()) / 2,
                                              (mainFrame.height() - frame.height()) / 2));
    }

    // Each control sits where the layout puts it (twips / 15).
    void layout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        QTest::newRow("txtURL") << "txtURL" << QRect(1200, 2880, 2415, 255);
        QTest::newRow("Picture1") << "Picture1" << QRect(120, 1320, 4695, 1425);
        QTest::newRow("cmdCancel") << "cmdCancel" << QRect(1920, 3360, 975, 375);
        QTest::newRow("Image1") << "Image1" << QRect(240, 240, 480, 480);
        QTest::newRow("lblVersion") << "lblVersion" << QRect(1080, 840, 2775, 255);
        QTest::newRow("lblDescription") << "lblDescription" << QRect(1080, 480, 3075, 330);
        QTest::newRow("lblTitle") << "lblTitle" << QRect(1080, 120, 3765, 480);
    }
    void layout()
    {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        Loaded loaded(nullptr);
        QCOMPARE(loaded.window->size(), QSize(4935 / 15, 3870 / 15));
        auto *control = loaded.window->findChild<QWidget *>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(),
                 QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
    }

    // The banner fills the picture box inside its 2-pixel border; the version line and the
    // title are written as the window loads.
    void contents()
    {
        Loaded loaded(nullptr);
        const auto *picture = loaded.control<QLabel>("Picture1");
        QCOMPARE(picture->contentsRect().size(), QSize(309, 91));
        QCOMPARE(picture->pixmap().deviceIndependentSize().toSize(), QSize(309, 91));
        QCOMPARE(loaded.control<QLabel>("lblVersion")->text(), QStringLiteral("Version: 1.0.2"));
        QCOMPARE(loaded.control<QLabel>("lblTitle")->text(), QStringLiteral("Kelmar Solitaire"));
        QCOMPARE(loaded.window->windowTitle(), QStringLiteral("About Kelmar"));
    }

    // The address: 28 characters, a web address, whole within the link's box, and locked.
    void linkAddress()
    {
        Loaded loaded(nullptr);
        const QString address = loaded.link->text();
        QCOMPARE(address, frmAbout::homePage());
        QCOMPARE(address.size(), 28);
        QVERIFY(tavlin::DesktopUrlOpener::isWebAddress(address));
        // A frameless line edit keeps 2 pixels clear at each side.
        QVERIFY(loaded.link->fontMetrics().horizontalAdvance(address) <= loaded.link->width() - 4);
        QTest::keyClicks(loaded.link, QStringLiteral("x"));
        QTest::keyClick(loaded.link, Qt::Key_Backspace);
        QCOMPARE(loaded.link->text(), address);
    }

    // Only http and https addresses with a host reach the desktop.
    void webAddressCheck_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("https") << "https://kelmargames.example/" << true;
        QTest::newRow("http with path") << "http://kelmargames.example/games?x=1" << true;
        QTest::newRow("javascript") << "javascript:alert(1)" << false;
        QTest::newRow("file") << "file:///etc/passwd" << false;
        QTest::newRow("ftp") << "ftp://x" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("no host") << "https://" << false;
        QTest::newRow("space inside") << "https://kelmar games.example/" << false;
    }
    void webAddressCheck()
    {
        QFETCH(QString, address);
        QFETCH(bool, accepted);
        QCOMPARE(tavlin::DesktopUrlOpener::isWebAddress(address), accepted);
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
