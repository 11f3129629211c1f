// The game window as a player meets it: the board it draws, its menu, and play by real mouse
// events (drags, drops anywhere, the Ctrl and Shift presses), with what the window draws compared
// whole against the engine's board after every step.
#include "application.h"
#include "form.h"
#include "frmHelp.h"
#include "frmMain.h"
#include "fullgame.h"
#include "imagearray.h"
#include "quiet.h"
#include "window.h"

#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QWindow>

#include <tuple>

using namespace tavlin;

class TestMainWindow : public QObject {
    Q_OBJECT

    QPointer<frmMain> w;
    const QString Start = QStringLiteral("holes 24 undo- redo-");

    static QPoint cellCentre(int cell) { return {cell % 7 * 40 + 40, cell / 7 * 40 + 40}; }
    QWindow *window() const { return w->windowHandle(); }
    // Where the pointer must be, in window coordinates, to be over a point of the board.
    QPoint on(QPoint boardPoint) const { return test::boardOf(w)->mapTo(w.data(), boardPoint); }

    int dragged() const
    {
        const ImageControl *source = test::boardOf(w)->dragSource();
        return source ? source->Index() : 0;
    }

    void drag(int from, QPoint dropAt)
    {
        QTest::mousePress(window(), Qt::LeftButton, {}, on(cellCentre(from)));
        QCOMPARE(dragged(), from); // the drag is under way
        QTest::mouseMove(window(), dropAt);
        QTest::mouseRelease(window(), Qt::LeftButton, {}, dropAt);
    }

    void dragTo(int from, int to) { drag(from, on(cellCentre(to))); }

    // The board in the engine's terms, as the window draws it or as the engine has it: "holes",
    // then each cell with its hole and no marble, or "!n" for a cell drawn wrong (a marble without
    // its hole, an image off the cross); whether Undo and Redo are enabled; and the drag's index
    // and cursor while they are there.
    static constexpr bool Drawn = true, Engine = false;
    QString board(bool drawn) const
    {
        auto shown = [](const QWidget *image) { return image && image->isVisible(); };
        QString line = QStringLiteral("holes");
        for (int cell = 0; cell < CellCount; ++cell) {
            const bool playable = IsPlayableCell(cell);
            const bool hole = drawn ? shown(test::imagesOf(w, "imgHole")(cell)) : playable;
            const bool marble =
                drawn ? shown(test::imagesOf(w, "imgMarble")(cell)) : w->board().HasMarble(cell);
            if (playable ? !hole || !marble : hole || marble)
                line += QString(playable && hole ? " %1" : " !%1").arg(cell);
        }
        const bool undo = drawn ? test::menuItem(w, "mnuUndo")->isEnabled() : w->board().CanUndo();
        const bool redo = drawn ? test::menuItem(w, "mnuRedo")->isEnabled() : w->board().CanRedo();
        line += QStringLiteral(" undo%1 redo%2").arg(undo ? '+' : '-').arg(redo ? '+' : '-');
        if (drawn && dragged() != 0)
            line += QStringLiteral(" drag %1").arg(dragged());
        return line + (drawn && QApplication::overrideCursor() ? " cursor" : "");
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

    // The opening position, drawn from 33 holes and 32 marbles (the templates of cell 0 hidden),
    // in a fixed-size window that can only be closed.
    void startUpShowsTheStartingPosition()
    {
        QCOMPARE(board(Drawn), Start);
        QCOMPARE(test::boardOf(w)->size(), QSize(318, 318));
        QCOMPARE(w->windowTitle(), QStringLiteral("Tavlin Solitaire"));
        QCOMPARE(w->minimumSize(), w->maximumSize());
        const Qt::WindowFlags buttons =
            Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint;
        QCOMPARE(w->windowFlags() & buttons, Qt::WindowCloseButtonHint);
    }

    void imagePositions_data()
    {
        QTest::addColumn<int>("cell");
        QTest::addColumn<QPoint>("topLeft");
        QTest::newRow("row 0, column 2") << 2 << QPoint(104, 24);
        QTest::newRow("centre") << 24 << QPoint(144, 144);
        QTest::newRow("row 4, column 6") << 34 << QPoint(264, 184);
    }

    // Both images of a cell lie on the 40-unit grid, the marble above its hole; the pointer
    // finds the marble there and nothing between two cells.
    void imagePositions()
    {
        QFETCH(int, cell);
        QFETCH(QPoint, topLeft);
        const QRect expected(topLeft, QSize(32, 32));
        QCOMPARE(test::imagesOf(w, "imgMarble")(cell)->geometry(), expected);
        QCOMPARE(test::imagesOf(w, "imgHole")(cell)->geometry(), expected);
        QCOMPARE(test::boardOf(w)->imageAt(expected.center()),
                 cell == 24 ? test::imagesOf(w, "imgHole")(24)
                            : test::imagesOf(w, "imgMarble")(cell));
        QCOMPARE(test::boardOf(w)->imageAt(expected.center() + QPoint(20, 0)), nullptr);
    }

    // The menu tree: names, captions with access keys, separators, F2 on New alone, and only
    // Undo and Redo disabled at the start.
    void menuTree()
    {
        QStringList tree;
        for (QAction *top : w->menuBar()->actions()) {
            tree << top->menu()->objectName() + u'=' + top->text();
            for (QAction *a : top->menu()->actions()) {
                const QString text = a->isSeparator() ? QStringLiteral("-") : a->text();
                tree << QStringLiteral("%1=%2 %3")
                                .arg(a->objectName(), text, a->shortcut().toString())
                                .trimmed() +
                            (a->isEnabled() ? "" : " off");
            }
        }
        QCOMPARE(tree,
                 QStringList({"mnuGame=&Game", "mnuNew=&New F2", "mnusep1=-", "mnuUndo=&Undo off",
                              "mnuRedo=&Redo off", "mnusep2=-", "mnuExit=E&xit", "mnuHelp=&Help",
                              "mnuHelpHow=&How to Play", "mnusep3=-", "mnuHelpAbout=&About"}));
    }

    // Undo and Redo are enabled exactly when the engine allows them, through every change.
    void menuFollowsHistory()
    {
        dragTo(10, 24);
        QCOMPARE(board(Drawn), QStringLiteral("holes 10 17 undo+ redo-"));
        test::menuItem(w, "mnuUndo")->trigger();
        QCOMPARE(board(Drawn), QStringLiteral("holes 24 undo- redo+"));
        test::menuItem(w, "mnuRedo")->trigger();
        QCOMPARE(board(Drawn), QStringLiteral("holes 10 17 undo+ redo-"));
    }

    void newGame_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::addColumn<int>("dragFrom");
        QTest::newRow("F2") << true << 0;
        QTest::newRow("Game > New") << false << 0;
        QTest::newRow("F2 while dragging a marble the new board keeps") << true << 16;
        QTest::newRow("Game > New while dragging one it has not") << false << 24;
    }

    // F2 and Game > New bring back the starting position and forget the history. In the middle
    // of a drag the dragged marble's cell shows the new board at once, and the drop can no longer
    // put back a marble the new board does not have.
    void newGame()
    {
        QFETCH(bool, byKey);
        QFETCH(int, dragFrom);
        dragTo(10, 24);
        dragTo(31, 17);
        test::menuItem(w, "mnuUndo")->trigger(); // one move to undo, one to redo
        if (dragFrom) {
            QTest::mousePress(window(), Qt::LeftButton, {}, on(cellCentre(dragFrom)));
            QCOMPARE(dragged(), dragFrom);
        }
        if (byKey)
            QTest::keyClick(window(), Qt::Key_F2);
        else
            test::menuItem(w, "mnuNew")->trigger();
        QCOMPARE(board(Drawn),
                 Start + (dragFrom ? QStringLiteral(" drag %1 cursor").arg(dragFrom) : ""));
        QTest::mouseMove(window(), on(QPoint(5, 5)));
        QTest::mouseRelease(window(), Qt::LeftButton, {}, on(QPoint(5, 5)));
        QCOMPARE(board(Drawn), Start);
    }

    // The legal opening move: the marble vanishes from its cell as the drag begins, passes over
    // marble 17 and lands in the centre.
    void legalDrag()
    {
        QTest::mousePress(window(), Qt::LeftButton, {}, on(cellCentre(10)));
        QCOMPARE(board(Drawn), QStringLiteral("holes 10 24 undo- redo- drag 10 cursor"));
        QTest::mouseMove(window(), on(cellCentre(17)));
        QCOMPARE(board(Drawn), QStringLiteral("holes 10 24 undo- redo- drag 10 cursor"));
        QTest::mouseMove(window(), on(cellCentre(24)));
        QTest::mouseRelease(window(), Qt::LeftButton, {}, on(cellCentre(24)));
        QCOMPARE(board(Drawn), QStringLiteral("holes 10 17 undo+ redo-"));
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
        for (int event = 0; event < 2 && !w->rect().contains(on(boardPoint)); ++event)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("occurs outside target window"));
        drag(from, on(boardPoint));
        QCOMPARE(board(Drawn), Start);
    }

    void lostRelease_data()
    {
        QTest::addColumn<QString>("loss");
        QTest::newRow("a menu opened from the keyboard") << QStringLiteral("menu");
        QTest::newRow("another window activated") << QStringLiteral("window");
        QTest::newRow("no trace but a move without the button") << QStringLiteral("move");
    }

    // A drag whose release never reaches the board ends as soon as that is known, with the
    // marble back and no jump: not even when the pointer then moves over a hole it could jump to.
    void lostRelease()
    {
        QFETCH(QString, loss);
        QTest::mousePress(window(), Qt::LeftButton, {}, on(cellCentre(10)));
        QTest::mouseMove(window(), on(cellCentre(17)));
        QWidget other;
        if (loss == QLatin1String("menu")) {
            QTest::keyClick(window(), Qt::Key_G, Qt::AltModifier);
            QTRY_VERIFY(QApplication::activePopupWidget());
            QCOMPARE(board(Drawn), Start);
            QTest::mouseRelease(window(), Qt::LeftButton, {}, on(cellCentre(17)));
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
            QTRY_VERIFY(!QApplication::activePopupWidget());
        } else if (loss == QLatin1String("window")) {
            other.show();
            other.activateWindow();
            QTRY_COMPARE(board(Drawn), Start);
        }
        // The window system reports a move with no button held, which QTest cannot send while
        // it thinks the button is down.
        const QPoint hole = on(cellCentre(24));
        qt_handleMouseEvent(window(), hole, window()->mapToGlobal(hole), Qt::NoButton, Qt::NoButton,
                            QEvent::MouseMove, Qt::NoModifier, 0);
        QCOMPARE(board(Drawn), Start);
        if (loss != QLatin1String("menu"))
            QTest::mouseRelease(window(), Qt::LeftButton, {}, hole); // QTest's own idea of it
    }

    // A window lying over the board takes no drop and passes none on to the board below.
    void dropOverAnotherWindow()
    {
        test::menuItem(w, "mnuHelpHow")->trigger();
        QWidget *help = test::openWindow<frmHelp>("frmHelp");
        QVERIFY(help && QTest::qWaitForWindowExposed(help));
        // The help window covers the lower right of the board, the empty centre included.
        const QPoint centre = test::boardOf(w)->mapToGlobal(cellCentre(24));
        help->move(centre - QPoint(8, 8));
        QTRY_COMPARE(QApplication::widgetAt(centre)->window(), help);
        drag(10, w->mapFromGlobal(centre));
        QCOMPARE(board(Drawn), Start);
        help->close();
    }

    void mouseShortcuts_data()
    {
        QTest::addColumn<QPoint>("boardPoint");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<Qt::KeyboardModifiers>("keys");
        QTest::addColumn<int>("movesAfter");
        const QPoint background = cellCentre(17) + QPoint(20, 0), hole = cellCentre(10);
        const QPoint marble = cellCentre(16), margin(3, 300);
        const Qt::KeyboardModifiers none, shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
        const Qt::KeyboardModifiers alt = Qt::AltModifier;
        const Qt::MouseButton left = Qt::LeftButton, right = Qt::RightButton,
                              mid = Qt::MiddleButton;
        QTest::newRow("Ctrl on the background undoes") << background << left << ctrl << 0;
        QTest::newRow("Ctrl, middle button, on a hole undoes") << hole << mid << ctrl << 0;
        QTest::newRow("Shift, right button, on a hole redoes") << hole << right << shift << 2;
        QTest::newRow("Shift on the margin redoes") << margin << left << shift << 2;
        QTest::newRow("Shift+Ctrl does nothing") << background << left << (shift | ctrl) << 1;
        QTest::newRow("Alt+Ctrl does nothing") << hole << left << (alt | ctrl) << 1;
        QTest::newRow("Alt+Shift does nothing") << hole << left << (alt | shift) << 1;
        QTest::newRow("no keys does nothing") << background << left << none << 1;
        QTest::newRow("Ctrl on a marble does not undo") << marble << left << ctrl << 1;
        QTest::newRow("Ctrl, right button, on a marble") << marble << right << ctrl << 1;
    }

    // Undo and redo by a mouse press with exactly Ctrl or exactly Shift held, any button.
    void mouseShortcuts()
    {
        QFETCH(QPoint, boardPoint);
        QFETCH(Qt::MouseButton, button);
        QFETCH(Qt::KeyboardModifiers, keys);
        QFETCH(int, movesAfter);
        dragTo(10, 24);
        dragTo(31, 17);
        test::menuItem(w, "mnuUndo")->trigger(); // one move to undo, one to redo
        QTest::mouseClick(window(), button, keys, on(boardPoint));
        QCOMPARE(w->board().MoveCount(), movesAfter);
        QCOMPARE(board(Drawn), board(Engine));
    }

    // A whole game played by drags, taken back by Ctrl-presses and replayed by Shift-presses.
    void wholeGameByMouse()
    {
        for (const auto &[from, to] : test::FullGame) {
            dragTo(from, to);
            QCOMPARE(board(Drawn), board(Engine));
        }
        QCOMPARE(w->board().MoveCount(), 31);
        for (const auto &[button, keys, step] :
             {std::tuple{Qt::LeftButton, Qt::ControlModifier, -1},
              {Qt::RightButton, Qt::ShiftModifier, 1}}) {
            for (int n = 0; n < 31; ++n) {
                const int before = w->board().MoveCount();
                QTest::mouseClick(window(), button, keys, on(QPoint(10, 10)));
                QCOMPARE(w->board().MoveCount(), before + step);
                QCOMPARE(board(Drawn), board(Engine));
            }
        }
    }

    // A screen reader hears each image by its place, and each hole by whether it is empty.
    void accessibleNames()
    {
        auto name = [](QWidget *image) {
            return QAccessible::queryAccessibleInterface(image)->text(QAccessible::Name);
        };
        auto names = [&] {
            return QStringList{
                name(test::imagesOf(w, "imgMarble")(10)), name(test::imagesOf(w, "imgHole")(10)),
                name(test::imagesOf(w, "imgHole")(17)), name(test::imagesOf(w, "imgHole")(24))};
        };
        QCOMPARE(names(), QStringList({"Marble, row 2, column 4", "Hole, row 2, column 4",
                                       "Hole, row 3, column 4", "Empty hole, row 4, column 4"}));
        dragTo(10, 24);
        QCOMPARE(names(), QStringList({"Marble, row 2, column 4", "Empty hole, row 2, column 4",
                                       "Empty hole, row 3, column 4", "Hole, row 4, column 4"}));
    }

    void desktopPalettes_data()
    {
        QTest::addColumn<QColor>("window");
        QTest::newRow("light") << QColor(0xef, 0xef, 0xef);
        QTest::newRow("dark") << QColor(0x2a, 0x2a, 0x2a);
    }

    // On a light or a dark desktop the board's background stands apart from both the green
    // marbles and the grey holes, the hole's rim included.
    void desktopPalettes()
    {
        QFETCH(QColor, window);
        const QPalette saved = QApplication::palette();
        QApplication::setPalette(QPalette(window));
        auto shot = [&] { return test::boardOf(w)->grab().toImage(); };
        QTRY_COMPARE(shot().pixelColor(5, 5).lightness() < 128, window.lightness() < 128);
        const QImage image = shot();
        QApplication::setPalette(saved);

        auto distance = [&](QPoint at) {
            const QColor a = image.pixelColor(5, 5), b = image.pixelColor(at);
            return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                   std::abs(a.blue() - b.blue());
        };
        QVERIFY2(distance(cellCentre(10)) > 150, "marble");
        QVERIFY2(distance(cellCentre(24)) > 90, "hole");
        QVERIFY2(distance(cellCentre(24) + QPoint(13, 0)) > 60, "hole rim");
    }

    // Exit unloads the window rather than hiding it, and in the middle of a drag ends the drag at
    // once, cursor and all; the close box takes the same way. Deleting the window mid-drag ends
    // the drag without calling back into the half-destroyed window.
    void endDuringDrag_data()
    {
        QTest::addColumn<bool>("deleted");
        QTest::newRow("Game > Exit") << false;
        QTest::newRow("deleted outright") << true;
    }

    void endDuringDrag()
    {
        QFETCH(bool, deleted);
        QTest::mousePress(window(), Qt::LeftButton, {}, on(cellCentre(10)));
        QVERIFY(QApplication::overrideCursor());
        if (deleted)
            delete w.data();
        else
            test::menuItem(w, "mnuExit")->trigger();
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QTRY_VERIFY(w.isNull());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
