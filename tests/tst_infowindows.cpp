// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// The How to Play and About windows as a player meets them on a dark desktop, opened from the
// game's menu beside a game that stays playable: what each shows and says, its keys, the About
// link under the pointer and clicked, which addresses reach the desktop, and where About opens.
#include "frmAbout.h"
#include "urlopener.h"
#include "window.h"

#include <QAction>
#include <QDesktopServices>
#include <QTextEdit>

using namespace tavlin;

class TestInfoWindows : public QObject {
    Q_OBJECT
    QStringList log;

public Q_SLOTS:
    void openUrl(const QUrl &url) { log << "open " + url.toString(); }

private Q_SLOTS:
    void initTestCase() { installApplicationDetails(); }

    // Steps: mnuHelpHow or mnuHelpAbout opens that window from the game's menu, owned by nothing.
    // read types into each control, then logs the caption (About's marked where it is not centred over
    // the game window) and each control's text or, in brackets,
    // what a screen reader says of its picture, marked where cut short or faint on its background.
    // A key goes to the focused control and logs whether the window closed. On the 161 x 17 pixel
    // link, in pixels from its corner, each logging the link's colour and, where that is not the
    // arrow, its pointer: @x,y the pointer moved there through the window, ^x,y the pointer coming
    // onto it with no move (as on Wayland), click on it, beside: pressed on it, released off it.
    // open:ADDRESS hands an address to the desktop's opener.
    // clang-format off
    void player_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("log");
        QTest::newRow("How to Play") << "mnuHelpHow Esc mnuHelpHow read Return"
            << "closed, How to Play, Remove as many marbles as possible from the board. The only legal moves are "
               "horizontal or vertical jumps of one marble over another to an empty hole on the other side. The marble "
               "that is jumped is removed from the board.\n\nTo move, just put the pointer on the marble you want to "
               "move, hold the mouse button down, and drag the marble to a legal empty spot.\n\nThe ultimate object of "
               "the game is to remove all marbles except for one, which should end in the middle hole.\n\nGood Luck., "
               "OK, How to play Tavlin Solitaire, closed";
        QTest::newRow("About") << "mnuHelpAbout Esc mnuHelpAbout mnuHelpAbout read Tab Return"
            << "closed, About Kelmar, " + frmAbout::homePage() + ", [Kelmar Solitaire banner], OK, [The board at the "
               "start of a game], Version: 1.0.2, Written by Kelmar Games., Kelmar Solitaire, still open, closed";
        QTest::newRow("link entered at its corners, left at -1, or a pixel at a time past X = W and Y = H")
            << "mnuHelpAbout @-1,9 @9,-1 @162,9 @9,18 @160,16 @99,2 @-1,0 @0,0 @0,-1 ^3,3 @160,9 @161,9 @162,9 "
               "@9,16 @9,17 @9,18 Esc"
            << "#0000ff I-beam, #0000ff I-beam, #0000ff I-beam, #0000ff I-beam, #ff0000, #ff0000, #0000ff, #ff0000, "
               "#0000ff, #ff0000, #ff0000, #ff0000, #0000ff, #ff0000, #ff0000, #0000ff, closed";
        QTest::newRow("link clicked, released beside, over again") << "mnuHelpAbout @50,5 click beside @60,5 Esc"
            << "#ff0000, open " + frmAbout::homePage() + ", #0000ff, #0000ff, #ff0000, closed";
        QTest::newRow("only web addresses") << "open:file:///etc/passwd open:ftp://a.example/ open:http://a.example/g?x=1 open:https:// "
                                               "open:https://a.example/a^b" << "open http://a.example/g?x=1";
    }
    // clang-format on
    void player()
    {
        QFETCH(QString, steps);
        QApplication::setPalette(QPalette(QColor(0x2a, 0x2a, 0x2a)));
        for (const char *scheme : {"http", "https", "file", "ftp"})
            QDesktopServices::setUrlHandler(scheme, this, "openUrl");
        test::GameWindow game;
        QPointer<QWidget> window;
        log.clear();
        for (const QString &step : steps.split(' ')) {
            QWidget *link = window ? window->findChild<QWidget *>("txtURL") : nullptr;
            const QPoint at(step.mid(1).section(',', 0, 0).toInt(), step.section(',', 1).toInt());
            if (step.startsWith("mnu")) {
                game.w->findChild<QAction *>(step)->trigger();
                window = test::openWindow(step == "mnuHelpHow" ? "frmHelp" : "frmAbout");
                QVERIFY(window && QTest::qWaitForWindowActive(window) && !window->parent());
            } else if (step == "read") {
                const QPoint off = window->frameGeometry().center() - game.w->frameGeometry().center();
                const bool placed = window->objectName() != "frmAbout" || off.manhattanLength() <= 1;
                log << window->windowTitle() + (placed ? "" : " off centre");
                for (QWidget *c : window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
                    QTest::keyClicks(c, "typed\b");
                    const auto *box = qobject_cast<const QTextEdit *>(c);
                    const QString text = box ? box->toPlainText() : c->property("text").toString();
                    const QFontMetrics font = c->fontMetrics();
                    const QSize room = box ? box->viewport()->size() : c->size();
                    const QSize need = box ? box->document()->size().toSize()
                                           : QSize(font.horizontalAdvance(text) + 4, font.height());
                    const int contrast = c->palette().color(c->foregroundRole()).lightness() -
                                         c->palette().color(c->backgroundRole()).lightness();
                    const bool picture = !c->property("pixmap").value<QPixmap>().isNull();
                    if (picture || !text.isEmpty())
                        log << (picture ? '[' + c->accessibleName() + ']' : text) +
                                   (room.expandedTo(need) == room ? "" : " (cut)") +
                                   (qAbs(contrast) > 100 ? "" : " (faint)");
                }
            } else if (step.startsWith("open:")) {
                DesktopUrlOpener().open(step.mid(5));
            } else if (step[0] == '@') {
                QTest::mouseMove(window->windowHandle(), link->mapTo(window, at));
            } else if (step[0] == '^') {
                QApplication::sendEvent(link, std::make_unique<QEnterEvent>(at, at, at).get());
            } else if (step == "click" || step == "beside") {
                QTest::mousePress(link, Qt::LeftButton, {}, {5, 5});
                QTest::mouseRelease(link, Qt::LeftButton, {}, {5, step == "click" ? 5 : 25});
            } else {
                QTest::keySequence(window->focusWidget(), QKeySequence(step));
                log << (QTest::qWaitFor([&] { return !window; }, 0) ? "closed" : "still open");
            }
            if (QString("@^cb").contains(step[0]))
                log << link->palette().color(QPalette::Text).name() +
                           (link->cursor().shape() == Qt::ArrowCursor ? "" : " I-beam");
        }
        for (const char *scheme : {"http", "https", "file", "ftp"})
            QDesktopServices::unsetUrlHandler(scheme);
        QTEST(log.join(", "), "log");
        QVERIFY(!test::openWindow("frmAbout")); // never a second one left behind
    }
};

QTEST_MAIN(TestInfoWindows)
#include "tst_infowindows.moc"
