// The game window as a player meets it: the board it draws, its menu, and play by real mouse
// events (drags, drops anywhere, the Ctrl and Shift presses), with the window's marble images
// checked against the engine's board after every step.
#include "application.h"
#include "form.h"
#include "frmHelp.h"
#include "frmMain.h"
#include "fullgame.h"
#include "imagearray.h"
#include "quiet.h"

#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QWindow>

using namespace tavlin;

namespace {

QPoint cellCentre(int cell)
{
    return {cell % 7 * 40 + 24 + 16, cell / 7 * 40 + 24 + 16};
}

// Where the pointer must be, in window coordinates, to be over a point of the board.
QPoint onWindow(const frmMain &w, QPoint boardPoint)
{
    return w.Form->mapTo(&w, boardPoint);
}

// Every marble image shows exactly the engine's board; corner cells have no images at all.
QString mirrorFault(const frmMain &w)
{
    for (int cell = 0; cell < CellCount; ++cell) {
        const bool playable = IsPlayableCell(cell);
        if (cell != 0 && (w.imgMarble(cell) != nullptr) != playable)
            return QStringLiteral("marble image existence at %1").arg(cell);
        if (cell != 0 && (w.imgHole(cell) != nullptr) != playable)
            return QStringLiteral("hole image existence at %1").arg(cell);
        if (!playable)
            continue;
        if (w.imgMarble(cell)->isVisible() != w.board().HasMarble(cell))
            return QStringLiteral("marble image %1 shown %2, board has %3")
                .arg(cell)
                .arg(w.imgMarble(cell)->isVisible())
                .arg(w.board().HasMarble(cell));
        if (!w.imgHole(cell)->isVisible())
            return QStringLiteral("hole %1 hidden").arg(cell);
    }
    if (w.mnuUndo->isEnabled() != w.board().CanUndo())
        return QStringLiteral("Undo enabled %1").arg(w.mnuUndo->isEnabled());
    if (w.mnuRedo->isEnabled() != w.board().CanRedo())
        return QStringLiteral("Redo enabled %1").arg(w.mnuRedo->isEnabled());
    return {};
}

int shownMarbles(const frmMain &w)
{
    int shown = 0;
    for (int cell = 1; cell < CellCount; ++cell)
        shown += w.imgMarble(cell) && w.imgMarble(cell)->isVisible();
    return shown;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

    QPointer<frmMain> w;

    QWindow *window() const { return w->windowHandle(); }

    void drag(int from, QPoint dropAt, QList<QPoint> via = {})
    {
        QTest::mousePress(window(), Qt::LeftButton, {}, onWindow(*w, cellCentre(from)));
        for (const QPoint &p : via)
            QTest::mouseMove(window(), p);
        QTest::mouseMove(window(), dropAt);
        QTest::mouseRelease(window(), Qt::LeftButton, {}, dropAt);
    }

    void dragTo(int from, int to) { drag(from, onWindow(*w, cellCentre(to))); }

    void press(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers keys)
    {
        QTest::mousePress(window(), button, keys, at);
        QTest::mouseRelease(window(), button, keys, at);
    }

private Q_SLOTS:
    void initTestCase()
    {
        installApplicationDetails();
        test::quietOffscreenPlatform();
    }

    void init()
    {
        w = new frmMain;
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }

    void cleanup()
    {
        delete w.data();
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    // The opening position is drawn from 33 holes and 32 marbles; the templates stay hidden.
    void startUpShowsTheStartingPosition()
    {
        QCOMPARE(mirrorFault(*w), QString());
        QCOMPARE(shownMarbles(*w), 32);
        QVERIFY(!w->imgMarble(24)->isVisible());
        QVERIFY(w->imgHole(24)->isVisible());
        QVERIFY(!w->imgMarble(0)->isVisible());
        QVERIFY(!w->imgHole(0)->isVisible());
        QCOMPARE(w->Form->size(), QSize(318, 318));
        QCOMPARE(w->windowTitle(), QStringLiteral("Tavlin Solitaire"));
        QCOMPARE(w->minimumSize(), w->maximumSize());
        QVERIFY(
            !(w->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(w->windowFlags() & Qt::WindowCloseButtonHint);
    }

    void imagePositions_data()
    {
        QTest::addColumn<int>("cell");
        QTest::addColumn<QPoint>("topLeft");
        QTest::newRow("row 0, column 2") << 2 << QPoint(104, 24);
        QTest::newRow("centre") << 24 << QPoint(144, 144);
        QTest::newRow("row 6, column 4") << 46 << QPoint(184, 264);
        QTest::newRow("row 3, column 0") << 21 << QPoint(24, 144);
        QTest::newRow("row 4, column 6") << 34 << QPoint(264, 184);
    }

    // Both images of a cell lie on the 40-unit grid, the marble above its hole.
    void imagePositions()
    {
        QFETCH(int, cell);
        QFETCH(QPoint, topLeft);
        const QRect expected(topLeft, QSize(32, 32));
        QCOMPARE(w->imgMarble(cell)->geometry(), expected);
        QCOMPARE(w->imgHole(cell)->geometry(), expected);
        if (cell != 24)
            QCOMPARE(w->Form->imageAt(expected.center()), w->imgMarble(cell));
        QCOMPARE(w->Form->imageAt(expected.center() + QPoint(20, 0)), nullptr);
    }

    // The menu tree: names, captions with access keys, separators, and F2 on New alone.
    void menuTree()
    {
        QStringList bar;
        for (QAction *a : w->menuBar()->actions())
            bar << a->menu()->objectName() + QLatin1Char('=') + a->text();
        QCOMPARE(bar, QStringList({"mnuGame=&Game", "mnuHelp=&Help"}));

        auto items = [](QMenu *menu) {
            QStringList out;
            for (QAction *a : menu->actions()) {
                out << a->objectName() + QLatin1Char('=') + (a->isSeparator() ? "-" : a->text()) +
                           (a->shortcut().isEmpty() ? QString() : " " + a->shortcut().toString());
            }
            return out;
        };
        QCOMPARE(items(w->mnuGame), QStringList({"mnuNew=&New F2", "mnusep1=-", "mnuUndo=&Undo",
                                                 "mnuRedo=&Redo", "mnusep2=-", "mnuExit=E&xit"}));
        QCOMPARE(items(w->mnuHelp),
                 QStringList({"mnuHelpHow=&How to Play", "mnusep3=-", "mnuHelpAbout=&About"}));
        for (QAction *a : {w->mnuNew, w->mnuExit, w->mnuHelpHow, w->mnuHelpAbout})
            QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
        QVERIFY(!w->mnuUndo->isEnabled());
        QVERIFY(!w->mnuRedo->isEnabled());
    }

    // Undo and Redo are enabled exactly when the engine allows them, through every change.
    void menuFollowsHistory()
    {
        dragTo(10, 24);
        QCOMPARE(w->board().MoveCount(), 1);
        QVERIFY(w->mnuUndo->isEnabled() && !w->mnuRedo->isEnabled());
        w->mnuUndo->trigger();
        QCOMPARE(w->board().MoveCount(), 0);
        QVERIFY(!w->mnuUndo->isEnabled() && w->mnuRedo->isEnabled());
        QCOMPARE(mirrorFault(*w), QString());
        w->mnuRedo->trigger();
        QVERIFY(w->mnuUndo->isEnabled() && !w->mnuRedo->isEnabled());
        QVERIFY(!w->imgMarble(10)->isVisible() && w->imgMarble(24)->isVisible());
        QCOMPARE(mirrorFault(*w), QString());
    }

    void newGame_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("F2") << true;
        QTest::newRow("Game > New") << false;
    }

    // F2 and Game > New bring back the starting position and forget the history.
    void newGame()
    {
        QFETCH(bool, byKey);
        dragTo(10, 24);
        dragTo(31, 17);
        w->mnuUndo->trigger();
        if (byKey)
            QTest::keyClick(window(), Qt::Key_F2);
        else
            w->mnuNew->trigger();
        QCOMPARE(w->board().MoveCount(), 0);
        QCOMPARE(shownMarbles(*w), 32);
        QVERIFY(!w->mnuUndo->isEnabled() && !w->mnuRedo->isEnabled());
        QCOMPARE(mirrorFault(*w), QString());
    }

    // Exit unloads the window rather than hiding it.
    void exitClosesTheWindow()
    {
        w->mnuExit->trigger();
        QTRY_VERIFY(w.isNull());
    }

    // The legal opening move: the marble vanishes from its cell as the drag begins, passes over
    // marble 17 and lands in the centre.
    void legalDrag()
    {
        QTest::mousePress(window(), Qt::LeftButton, {}, onWindow(*w, cellCentre(10)));
        QVERIFY(!w->imgMarble(10)->isVisible());
        QCOMPARE(w->dragIndex(), Cell(10));
        QVERIFY(QApplication::overrideCursor());
        QTest::mouseMove(window(), onWindow(*w, cellCentre(17)));
        QCOMPARE(w->dragIndex(), Cell(10));
        QVERIFY(w->imgMarble(17)->isVisible());
        QTest::mouseMove(window(), onWindow(*w, cellCentre(24)));
        QTest::mouseRelease(window(), Qt::LeftButton, {}, onWindow(*w, cellCentre(24)));
        QCOMPARE(w->dragIndex(), Cell(0));
        QCOMPARE(w->board().MoveCount(), 1);
        QCOMPARE(w->board().Moves(1), (Move{10, 24}));
        QVERIFY(!w->imgMarble(10)->isVisible() && !w->imgMarble(17)->isVisible());
        QVERIFY(w->imgMarble(24)->isVisible());
        QCOMPARE(mirrorFault(*w), QString());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void dropsThatMakeNoJump_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<QPoint>("boardPoint");
        QTest::newRow("own cell") << 10 << cellCentre(10);
        QTest::newRow("a marble") << 16 << cellCentre(18);
        QTest::newRow("the empty centre, out of reach") << 2 << cellCentre(24);
        QTest::newRow("background between holes") << 16 << cellCentre(17) + QPoint(20, 0);
        QTest::newRow("top-left margin") << 16 << QPoint(5, 5);
        QTest::newRow("bottom-right margin") << 46 << QPoint(316, 316);
        QTest::newRow("outside the window") << 26 << QPoint(400, 150);
        QTest::newRow("over the menu bar") << 10 << QPoint(10, -10);
    }

    // A drop that is no legal jump puts the marble back at once and changes nothing else.
    void dropsThatMakeNoJump()
    {
        QFETCH(int, from);
        QFETCH(QPoint, boardPoint);
        // QTest warns of each event it sends outside the window: the move and the release.
        if (!w->rect().contains(onWindow(*w, boardPoint))) {
            for (int event = 0; event < 2; ++event)
                QTest::ignoreMessage(QtWarningMsg,
                                     QRegularExpression("occurs outside target window"));
        }
        drag(from, onWindow(*w, boardPoint));
        QCOMPARE(w->board().MoveCount(), 0);
        QCOMPARE(w->dragIndex(), Cell(0));
        QCOMPARE(shownMarbles(*w), 32);
        QCOMPARE(mirrorFault(*w), QString());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    // A window lying over the board takes no drop and passes none on to the board below.
    void dropOverAnotherWindow()
    {
        w->mnuHelpHow->trigger();
        QWidget *help = w->helpWindow();
        QVERIFY(help);
        QVERIFY(QTest::qWaitForWindowExposed(help));
        // The help window covers the lower right of the board, the empty centre included.
        const QPoint centre = w->Form->mapToGlobal(cellCentre(24));
        help->move(centre - QPoint(8, 8));
        QTRY_COMPARE(QApplication::widgetAt(centre)->window(), help);
        QTest::mousePress(window(), Qt::LeftButton, {}, onWindow(*w, cellCentre(10)));
        QCOMPARE(w->dragIndex(), Cell(10));
        QTest::mouseMove(window(), w->mapFromGlobal(centre));
        QTest::mouseRelease(window(), Qt::LeftButton, {}, w->mapFromGlobal(centre));
        QCOMPARE(w->board().MoveCount(), 0);
        QCOMPARE(w->dragIndex(), Cell(0));
        QCOMPARE(mirrorFault(*w), QString());
        help->close();
    }

    void mouseShortcuts_data()
    {
        QTest::addColumn<QPoint>("boardPoint");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("keys");
        QTest::addColumn<int>("movesAfter");
        // Two jumps are made and one undone before each press: 1 move applied, 1 to redo.
        const QPoint background = cellCentre(17) + QPoint(20, 0);
        const QPoint hole = cellCentre(10);
        const QPoint marble = cellCentre(16);
        const int shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier, alt = Qt::AltModifier;
        QTest::newRow("Ctrl on the background undoes")
            << background << int(Qt::LeftButton) << ctrl << 0;
        QTest::newRow("Ctrl, middle button, on a hole undoes")
            << hole << int(Qt::MiddleButton) << ctrl << 0;
        QTest::newRow("Shift, right button, on a hole redoes")
            << hole << int(Qt::RightButton) << shift << 2;
        QTest::newRow("Shift on the margin redoes")
            << QPoint(3, 300) << int(Qt::LeftButton) << shift << 2;
        QTest::newRow("Shift+Ctrl does nothing")
            << background << int(Qt::LeftButton) << (shift | ctrl) << 1;
        QTest::newRow("Alt+Ctrl does nothing") << hole << int(Qt::LeftButton) << (alt | ctrl) << 1;
        QTest::newRow("Alt+Shift does nothing")
            << hole << int(Qt::LeftButton) << (alt | shift) << 1;
        QTest::newRow("no keys does nothing") << background << int(Qt::LeftButton) << 0 << 1;
        QTest::newRow("Ctrl on a marble does not undo")
            << marble << int(Qt::LeftButton) << ctrl << 1;
        QTest::newRow("Ctrl, right button, on a marble")
            << marble << int(Qt::RightButton) << ctrl << 1;
    }

    // Undo and redo by a mouse press with exactly Ctrl or exactly Shift held, any button.
    void mouseShortcuts()
    {
        QFETCH(QPoint, boardPoint);
        QFETCH(int, button);
        QFETCH(int, keys);
        QFETCH(int, movesAfter);
        dragTo(10, 24);
        dragTo(31, 17);
        w->mnuUndo->trigger();
        QCOMPARE(w->board().MoveCount(), 1);
        press(onWindow(*w, boardPoint), Qt::MouseButton(button), Qt::KeyboardModifiers(keys));
        QCOMPARE(w->board().MoveCount(), movesAfter);
        QCOMPARE(w->dragIndex(), Cell(0));
        QCOMPARE(mirrorFault(*w), QString());
    }

    // A whole game played by drags, taken back by Ctrl-presses and replayed by Shift-presses.
    void wholeGameByMouse()
    {
        const QPoint background = onWindow(*w, QPoint(10, 10));
        for (const auto &[from, to] : test::FullGame) {
            dragTo(from, to);
            QCOMPARE(mirrorFault(*w), QString());
        }
        QCOMPARE(w->board().MoveCount(), 31);
        QCOMPARE(shownMarbles(*w), 1);
        QVERIFY(w->imgMarble(24)->isVisible());
        for (int n = 30; n >= 0; --n) {
            press(background, Qt::LeftButton, Qt::ControlModifier);
            QCOMPARE(w->board().MoveCount(), n);
            QCOMPARE(mirrorFault(*w), QString());
        }
        QCOMPARE(shownMarbles(*w), 32);
        for (int n = 1; n <= 31; ++n) {
            press(background, Qt::RightButton, Qt::ShiftModifier);
            QCOMPARE(w->board().MoveCount(), n);
            QCOMPARE(mirrorFault(*w), QString());
        }
        QCOMPARE(shownMarbles(*w), 1);
        QVERIFY(!w->mnuRedo->isEnabled());
    }

    // Game > New in the middle of a drag: the board is new and the drag can no longer put back
    // a marble the new board does not have.
    void newGameDuringDrag()
    {
        dragTo(10, 24);
        QTest::mousePress(window(), Qt::LeftButton, {}, onWindow(*w, cellCentre(24)));
        QVERIFY(!w->imgMarble(24)->isVisible());
        w->mnuNew->trigger();
        QCOMPARE(w->dragIndex(), Cell(0));
        QCOMPARE(shownMarbles(*w), 32);
        QTest::mouseMove(window(), onWindow(*w, QPoint(5, 5)));
        QTest::mouseRelease(window(), Qt::LeftButton, {}, onWindow(*w, QPoint(5, 5)));
        QCOMPARE(w->board().MoveCount(), 0);
        QCOMPARE(shownMarbles(*w), 32);
        QCOMPARE(mirrorFault(*w), QString());
    }

    // A screen reader hears each image by its place, and each hole by whether it is empty.
    void accessibleNames()
    {
        auto name = [](QWidget *widget) {
            return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
        };
        QCOMPARE(name(w->imgMarble(10)), QStringLiteral("Marble, row 2, column 4"));
        QCOMPARE(name(w->imgHole(24)), QStringLiteral("Empty hole, row 4, column 4"));
        QCOMPARE(name(w->imgHole(10)), QStringLiteral("Hole, row 2, column 4"));
        dragTo(10, 24);
        QCOMPARE(name(w->imgHole(10)), QStringLiteral("Empty hole, row 2, column 4"));
        QCOMPARE(name(w->imgHole(17)), QStringLiteral("Empty hole, row 3, column 4"));
        QCOMPARE(name(w->imgHole(24)), QStringLiteral("Hole, row 4, column 4"));
    }

    void desktopPalettes_data()
    {
        QTest::addColumn<QColor>("window");
        QTest::newRow("light") << QColor(0xef, 0xef, 0xef);
        QTest::newRow("dark") << QColor(0x2a, 0x2a, 0x2a);
    }

    // On a light or a dark desktop the board's background stands apart from both the green
    // marbles and the grey holes.
    void desktopPalettes()
    {
        QFETCH(QColor, window);
        const QPalette saved = QApplication::palette();
        QPalette palette = saved;
        palette.setColor(QPalette::Window, window);
        QApplication::setPalette(palette);
        const bool dark = window.lightness() < 128;
        auto boardIsDark = [&] {
            return w->Form->grab().toImage().pixelColor(5, 5).lightness() < 128;
        };
        QTRY_COMPARE(boardIsDark(), dark);
        const QImage shot = w->Form->grab().toImage();
        QApplication::setPalette(saved);

        const QColor background = shot.pixelColor(5, 5);
        auto distance = [](QColor a, QColor b) {
            return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                   std::abs(a.blue() - b.blue());
        };
        const QColor marble = shot.pixelColor(cellCentre(10));
        const QColor hole = shot.pixelColor(cellCentre(24));
        // The hole's rim, where it meets the background, must stand out too.
        const QColor holeRim = shot.pixelColor(cellCentre(24) + QPoint(13, 0));
        QVERIFY2(distance(background, marble) > 150, qPrintable(marble.name()));
        QVERIFY2(distance(background, hole) > 90, qPrintable(hole.name()));
        QVERIFY2(distance(background, holeRim) > 60, qPrintable(holeRim.name()));
    }

    // Closing the window in the middle of a drag leaves no drag cursor behind.
    void closeDuringDrag()
    {
        QTest::mousePress(window(), Qt::LeftButton, {}, onWindow(*w, cellCentre(10)));
        QVERIFY(QApplication::overrideCursor());
        w->close();
        QTRY_VERIFY(w.isNull());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
