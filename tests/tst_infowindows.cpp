// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// The How to Play and About windows as a player meets them: the link's states and the capture and
// opener calls they make, centring, the web address check, and both windows opened from the game's
// menu, looked at, used and closed beside a game that stays playable.
#include "frmAbout.h"
#include "mousecapture.h"
#include "urlopener.h"
#include "window.h"

#include <QAction>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTextEdit>

using namespace tavlin;

// A shown About window whose capture and opener calls land in one log, an opening with the link's
// colour at that moment.
struct About final : MouseCapture, UrlOpener {
    QStringList log;
    QPointer<frmAbout> window = new frmAbout(nullptr, this, this);
    QLineEdit *link = window->findChild<QLineEdit *>("txtURL");
    About() { window->show(); }
    ~About() override { delete window; }
    void capture(QWidget *w) override { log << (w == link ? "capture" : "capture elsewhere"); }
    void release() override { log << "release"; }
    void open(const QString &address) override { log << "open " + address + " in " + colour(); }
    QString colour() const { return link->palette().color(QPalette::Text).name(); }
};

class TestInfoWindows : public QObject {
    Q_OBJECT
    QStringList opened; // what reached the desktop's URL handlers

public Q_SLOTS:
    void openUrl(const QUrl &url) { opened << url.toString(); }

private Q_SLOTS:
    void initTestCase() { test::setUpApplication(); }

    // Each step is a move sent to the link (x,y in twips, W and H its width and height; ^x,y the
    // pointer coming onto it there with no move), a click on it, a press on it released below it,
    // or a key to the focused control. The result
    // is the log, each key with where it went, then "closed" or the link's colour and pointer.
    void linkStates_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("result");
        const QString hot = "capture, #ff0000, arrow", released = "release, release, release, ";
        auto row = [](const char *name, const char *steps, const QString &result) {
            QTest::newRow(name) << QString(steps) << result;
        };
        row("loaded", "", "#0000ff, I-beam");
        row("entering, staying, X = W, Y = H", "100,100 2000,30 W,H 0,0", hot);
        row("coming onto it and stopping", "^30,30", hot);
        row("-1, just past W or H", "-1,100 100,-1 W+1,0 0,H+1",
            released + "release, #0000ff, I-beam");
        row("every move outside releases", "10,10 W+1,0 -30000,45000 -1,-1",
            "capture, " + released + "#0000ff, arrow");
        row("click, released beside, over again", "50,50 click beside 60,50",
            "capture, release, open " + frmAbout::homePage() + " in #0000ff, " + hot);
        row("Esc on OK", "10,10 Esc", "capture, Esc cmdCancel, release, closed");
        row("Return on the picture", "10,10 Tab Return",
            "capture, Tab cmdCancel, Return Picture1, release, closed");
    }
    void linkStates()
    {
        QFETCH(QString, steps);
        About about;
        QVERIFY(QTest::qWaitForWindowActive(about.window));
        const QSize twips = about.link->size() * 15; // 15 twips to the pixel
        steps.replace('W', QString::number(twips.width()))
            .replace('H', QString::number(twips.height()));
        auto pixels = [](const QString &sum) { // fractions, as a precise pointer reports them
            return (sum.section('+', 0, 0).toDouble() + sum.section('+', 1).toDouble()) / 15;
        };
        for (const QString &step : steps.split(' ', Qt::SkipEmptyParts)) {
            if (step.startsWith('^')) {
                const QPointF at(pixels(step.section(',', 0, 0).mid(1)), pixels(step.section(',', 1)));
                QEnterEvent enter(at, at, about.link->mapToGlobal(at));
                QApplication::sendEvent(about.link, &enter);
            } else if (step.contains(',')) {
                const QPointF at(pixels(step.section(',', 0, 0)), pixels(step.section(',', 1)));
                QMouseEvent move(QEvent::MouseMove, at, about.link->mapToGlobal(at), {}, {}, {});
                QApplication::sendEvent(about.link, &move);
            } else if (step == "click" || step == "beside") {
                QTest::mousePress(about.link, Qt::LeftButton, {}, {5, 5});
                QTest::mouseRelease(about.link, Qt::LeftButton, {}, {5, step == "click" ? 5 : 25});
            } else {
                about.log << step + " " + QApplication::focusWidget()->objectName();
                QTest::keySequence(QApplication::focusWidget(), QKeySequence(step));
            }
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const bool arrow = about.window && about.link->cursor().shape() == Qt::ArrowCursor;
        about.log << (!about.window ? "closed" : about.colour() + (arrow ? ", arrow" : ", I-beam"));
        QTEST(about.log.join(", "), "result");
    }

    // In twips, halves towards minus infinity, also left of the screen's origin. Over a frameless
    // main window 63 pixels (945 twips) wider and lower than its frame, once that frame is known.
    void centring()
    {
        QCOMPARE(frmAbout::centredPosition(1500, 5670, 4725), 1500 + 472);
        QCOMPARE(frmAbout::centredPosition(0, 4725, 5670), -473);
        const QSize own = frmAbout(nullptr).size() + QSize(4, 4); // offscreen frames: 2 pixels
        QWidget main(nullptr, Qt::FramelessWindowHint);
        main.setGeometry(140, 110, own.width() + 63, own.height() - 63);
        frmAbout about(&main);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QCOMPARE(about.frameGeometry().topLeft(), QPoint(140 + 31, 110 - 32));
    }

    // Only well-formed http and https addresses with a host reach the desktop.
    void webAddresses()
    {
        const char *schemes[] = {"http", "https", "file", "ftp"};
        for (const char *scheme : schemes)
            QDesktopServices::setUrlHandler(scheme, this, "openUrl");
        const QStringList addresses = {frmAbout::homePage(), "http://a.example/g?x=1",
                                       "file:///etc/passwd", "ftp://x",
                                       "https://",           "https://a.example/a b"};
        for (const QString &address : addresses)
            DesktopUrlOpener().open(address);
        for (const char *scheme : schemes)
            QDesktopServices::unsetUrlHandler(scheme);
        QCOMPARE(opened, addresses.first(2));
    }

    // On a dark desktop each Help command shows its one window, owned by nothing; Esc on OK closes
    // it and the next command makes a new one, every text whole in its box whatever face stands in
    // for the layouts' own, with OK at the bottom in the middle, shown again where the player left
    // it and not loaded again. The About window stays light and its link follows the pointer; the
    // rules read whole and never change; and neither window blocks the board.
    void fromTheMenu()
    {
        const QPalette saved = QApplication::palette();
        QApplication::setPalette(QPalette(QColor(0x2a, 0x2a, 0x2a)));
        test::GameWindow game;
        QPoint aside = game.w->frameGeometry().topRight() + QPoint(50, 0); // nothing over another
        for (auto [command, name] :
             {std::pair("mnuHelpHow", "frmHelp"), {"mnuHelpAbout", "frmAbout"}}) {
            game.w->findChild<QAction *>(command)->trigger();
            QPointer<QWidget> info = test::openWindow(name);
            QVERIFY(info && QTest::qWaitForWindowExposed(info) && !info->parent());
            QTest::keyClick(info->focusWidget(), Qt::Key_Escape);
            QTRY_VERIFY(info.isNull());
            game.w->findChild<QAction *>(command)->trigger();
            QVERIFY((info = test::openWindow(name)) && QTest::qWaitForWindowExposed(info));
            for (const QLabel *label : info->findChildren<QLabel *>())
                QVERIFY2(QRect({}, label->size()).contains(QRect({}, label->sizeHint())),
                         qPrintable(label->objectName()));
            for (const QPushButton *button : info->findChildren<QPushButton *>()) {
                QStyleOptionButton face;
                face.initFrom(button);
                const QRect room =
                    button->style()->subElementRect(QStyle::SE_PushButtonContents, &face, button);
                QVERIFY2(QRect({}, room.size())
                             .contains(QRect({}, button->fontMetrics().size(0, button->text()))),
                         qPrintable(button->objectName()));
            }
            const QWidget *ok = info->focusWidget();
            QVERIFY(ok->property("default").toBool() && ok->y() > info->height() * 3 / 4);
            QCOMPARE_LT(qAbs(ok->geometry().center().x() - info->width() / 2), info->width() / 16);
            info->move(aside);
            aside.rx() += info->frameGeometry().width() + 50;
            const auto shown = [&] {
                return std::tuple(test::openWindow(name), info->pos(),
                                  QApplication::topLevelWidgets().size());
            };
            const auto before = shown();
            game.w->findChild<QAction *>(command)->trigger();
            QCOMPARE(shown(), before);
        }
        QApplication::setPalette(saved);

        QWidget *about = test::openWindow("frmAbout");
        const auto *title = about->findChild<QLabel *>("lblTitle");
        QCOMPARE(title->palette().color(QPalette::WindowText), QColor(Qt::black));
        QCOMPARE_GT(about->grab().toImage().pixelColor(title->geometry().bottomRight()).lightness(),
                    160);
        // Major, minor and the fourth field, the revision, of the project's version.
        const QStringList project = QStringLiteral(TAVLIN_PROJECT_VERSION).split('.');
        QCOMPARE(about->findChild<QLabel *>("lblVersion")->text(),
                 "Version: " + project[0] + '.' + project[1] + '.' + project[3]);
        auto *link = about->findChild<QLineEdit *>("txtURL");
        QCOMPARE_LE(link->fontMetrics().horizontalAdvance(link->text()), link->width() - 4);
        if (qEnvironmentVariableIsSet("FONTCONFIG_FILE")) // a wider face stands in: it had to shrink
            QCOMPARE_LT(link->font().pointSizeF(), 8.25);
        const QPoint on(30, 5), beside = link->mapFrom(about, link->geometry().topRight() + on);
        for (auto [at, colour] : {std::pair(on, "#ff0000"), {beside, "#0000ff"}, {on, "#ff0000"}}) {
            QTest::mouseMove(link, at);
            QTRY_COMPARE(link->palette().color(QPalette::Text).name(), colour);
        }
        // Left slowly, a pixel at a time, to the right and below: the first pixel past the box is
        // still its edge, the next one is off it. The moves reach the window, as a pointer's do.
        const QRect box = link->geometry();
        const QPoint right(box.right(), box.center().y()), below(box.center().x(), box.bottom());
        for (auto [at, colour] : {std::pair(right, "#ff0000"), {right + QPoint(1, 0), "#ff0000"},
                                  {right + QPoint(2, 0), "#0000ff"}, {below, "#ff0000"},
                                  {below + QPoint(0, 1), "#ff0000"}, {below + QPoint(0, 2), "#0000ff"}}) {
            QTest::mouseMove(about->windowHandle(), at);
            QCOMPARE(link->palette().color(QPalette::Text).name(), colour);
        }
        game.w->activateWindow();
        QTRY_COMPARE(link->palette().color(QPalette::Text).name(), "#0000ff");

        auto *text = test::openWindow("frmHelp")->findChild<QTextEdit *>("Text1");
        const QString rules =
            "Remove as many marbles as possible from the board. The only legal moves are "
            "horizontal or vertical jumps of one marble over another to an empty hole on the other "
            "side. The marble that is jumped is removed from the board.\n\nTo move, just put the "
            "pointer on the marble you want to move, hold the mouse button down, and drag the "
            "marble to a legal empty spot.\n\nThe ultimate object of the game is to remove all "
            "marbles except for one, which should end in the middle hole.\n\nGood Luck.";
        QCOMPARE_LE(text->document()->size().height(), text->viewport()->height());
        QTest::keyClicks(text, "typed\b");
        QCOMPARE(text->toPlainText(), rules);

        QCOMPARE(QGuiApplication::modalWindow(), nullptr); // nothing keeps the player from the game
        QTest::keyClick(text, Qt::Key_Return);
        QTRY_VERIFY(!test::openWindow("frmHelp"));
        delete about;
    }
};

QTEST_MAIN(TestInfoWindows)
#include "tst_infowindows.moc"
