// The game window as a player meets it, through real mouse and keyboard events: drops on every
// kind of place, the Ctrl and Shift presses, drags cut short, and 100,000 random events. One
// check serves them all: what the window draws compared whole with the engine (each cell's
// images, the menu, the marble count against the moves made, a drag and its cursor together).
#include "window.h"

#include <QAccessible>
#include <QMenu>
#include <QMenuBar>
#include <QWindow>

#include <memory>
#include <random>
#include <string>

using namespace tavlin;

class TestMainWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<test::GameWindow> game;
    frmMain *w = nullptr;
    FormSurface *form = nullptr;
    ImageArray *holes = nullptr, *marbles = nullptr;
    QAction *undo = nullptr, *redo = nullptr;
    const QString Start = QStringLiteral("holes 24 undo- redo- moves 0");
    // After 10 -> 24, 31 -> 17 and Game > Undo (tried out with Redo and Undo again): a jump to
    // undo, one to redo, and 31 -> 17 to make again.
    const QString OneUndone = QStringLiteral("holes 10 17 undo+ redo+ moves 1");

    static QPoint centre(int cell) { return {cell % 7 * 40 + 40, cell / 7 * 40 + 40}; }
    QWindow *window() const { return w->windowHandle(); }
    // Where the pointer must be, in window coordinates, to be over a point of the board.
    QPoint on(QPoint boardPoint) const { return form->mapTo(w, boardPoint); }
    QPoint on(int cell) const { return on(centre(cell)); }
    int dragged() const
    {
        const ImageControl *source = form->dragSource();
        return source ? source->Index() : 0;
    }

    // "holes", each cell drawn without its marble (or "!n" when drawn wrong: a marble without
    // its hole, an image off the cross), Undo and Redo, the moves the marbles add up to, and the
    // drag with its cursor. A dragged marble may be hidden while the engine has it.
    static constexpr bool Drawn = true, Engine = false;
    QString board(bool drawn) const
    {
        const Board &b = w->board();
        const int source = dragged();
        std::string line = "holes";
        int count = 0;
        for (int cell = 0; cell < CellCount; ++cell) {
            const bool playable = IsPlayableCell(cell);
            const QWidget *hole = (*holes)(cell), *marble = (*marbles)(cell);
            const bool holeShown = drawn ? hole && hole->isVisible() : playable;
            const bool marbleShown =
                drawn ? (marble && marble->isVisible()) || (cell == source && b.HasMarble(cell))
                      : b.HasMarble(cell);
            count += marbleShown;
            if (playable ? !holeShown || !marbleShown : holeShown || marbleShown)
                line += (playable && holeShown ? " " : " !") + std::to_string(cell);
        }
        line += (drawn ? undo->isEnabled() : b.CanUndo()) ? " undo+" : " undo-";
        line += (drawn ? redo->isEnabled() : b.CanRedo()) ? " redo+" : " redo-";
        line += " moves " + std::to_string(drawn ? 32 - count : b.MoveCount());
        if (source)
            line += " drag " + std::to_string(source);
        if (drawn ? QApplication::overrideCursor() != nullptr : source != 0)
            line += " cursor";
        return QString::fromStdString(line);
    }

    void drag(int from, QPoint dropAt)
    {
        QTest::mousePress(window(), Qt::LeftButton, {}, on(from));
        QVERIFY(!(*marbles)(from)->isVisible()); // its hole shows at once
        QTest::mouseMove(window(), dropAt);
        QTest::mouseRelease(window(), Qt::LeftButton, {}, dropAt);
        QCOMPARE(board(Drawn), board(Engine));
    }

    void undoOneOfTwo()
    {
        drag(10, on(24));
        drag(31, on(17));
        undo->trigger();
        QCOMPARE(board(Drawn), OneUndone);
        redo->trigger();
        QCOMPARE(board(Drawn), QStringLiteral("holes 10 24 31 undo+ redo- moves 2"));
        undo->trigger();
    }

private Q_SLOTS:
    void initTestCase() { test::setUpApplication(); }
    void init()
    {
        game = std::make_unique<test::GameWindow>();
        w = game->w;
        form = test::boardOf(w);
        holes = &test::imagesOf(w, "imgHole");
        marbles = &test::imagesOf(w, "imgMarble");
        undo = test::menuItem(w, "mnuUndo"), redo = test::menuItem(w, "mnuRedo");
    }
    void cleanup()
    {
        game.reset();
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    // The opening position in a fixed-size window that can only be closed, its images on the
    // 40-unit grid, its menu, and what a screen reader hears of the board.
    void startUp()
    {
        QCOMPARE(board(Drawn), Start);
        QCOMPARE(w->windowTitle(), QStringLiteral("Tavlin Solitaire"));
        QCOMPARE(w->minimumSize(), w->maximumSize());
        QCOMPARE(w->windowFlags() & (Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
                 Qt::WindowCloseButtonHint);
        QCOMPARE((*holes)(24)->geometry(), QRect(144, 144, 32, 32));
        QCOMPARE((*marbles)(2)->geometry(), QRect(104, 24, 32, 32));
        QStringList tree;
        for (QAction *top : w->menuBar()->actions())
            for (QAction *a : QList<QAction *>{top} + top->menu()->actions())
                tree << a->text() + a->shortcut().toString() + (a->isEnabled() ? "" : " off");
        QCOMPARE(
            tree.join(u','),
            QStringLiteral("&Game,&NewF2,,&Undo off,&Redo off,,E&xit,&Help,&How to Play,,&About"));
        drag(10, on(24));
        auto name = [](QWidget *image) {
            return QAccessible::queryAccessibleInterface(image)->text(QAccessible::Name);
        };
        QCOMPARE(QStringList({name((*marbles)(9)), name((*holes)(9)), name((*holes)(10))}),
                 QStringList({"Marble, row 2, column 3", "Hole, row 2, column 3",
                              "Empty hole, row 2, column 4"}));
    }

    void pointer_data()
    {
        QTest::addColumn<int>("from"); // the marble dragged, or 0 for a click
        QTest::addColumn<QPoint>("boardPoint");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<Qt::KeyboardModifiers>("keys");
        QTest::addColumn<QString>("after");
        const QString undone = QStringLiteral("holes 24 undo- redo+ moves 0");
        const QString redone = QStringLiteral("holes 10 24 31 undo+ redo- moves 2");
        const QPoint background = centre(17) + QPoint(20, 0);
        const Qt::KeyboardModifiers none, shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
        const Qt::MouseButton left = Qt::LeftButton, right = Qt::RightButton;
        auto row = [](const char *name) -> QTestData & { return QTest::newRow(name); };
        row("legal drop, cutting off Redo") << 31 << centre(17) << left << none << redone;
        row("drop on its own cell") << 31 << centre(31) << left << none << OneUndone;
        row("drop on a marble") << 16 << centre(18) << left << none << OneUndone;
        row("drop out of reach") << 45 << centre(17) << left << none << OneUndone;
        row("drop over an empty hole") << 3 << centre(17) << left << none << OneUndone;
        row("drop between holes") << 16 << background << left << none << OneUndone;
        row("drop on the margin") << 46 << QPoint(316, 316) << left << none << OneUndone;
        row("drop outside the window") << 26 << QPoint(400, 150) << left << none << OneUndone;
        row("drop on the menu bar") << 24 << QPoint(10, -10) << left << none << OneUndone;
        row("drop under How to Play") << 15 << QPoint() << left << none << OneUndone;
        row("Ctrl on the background undoes") << 0 << background << left << ctrl << undone;
        row("Ctrl, middle button, on a hole")
            << 0 << centre(10) << Qt::MiddleButton << ctrl << undone;
        row("Shift, right button, on a hole redoes") << 0 << centre(10) << right << shift << redone;
        row("Shift on the margin") << 0 << QPoint(3, 300) << left << shift << redone;
        row("Shift+Ctrl") << 0 << background << left << (shift | ctrl) << OneUndone;
        row("Alt+Ctrl") << 0 << centre(10) << left << (ctrl | Qt::AltModifier) << OneUndone;
        row("Ctrl on a marble") << 0 << centre(16) << right << ctrl << OneUndone;
    }

    // A drop makes a jump only on a hole the rule allows; anywhere else, a window lying over the
    // board included, the marble is back at once. A press with exactly Ctrl held undoes, with
    // exactly Shift redoes, with any button, on the background or a hole; a marble answers a
    // press only by starting a drag.
    void pointer()
    {
        QFETCH(int, from);
        QFETCH(QPoint, boardPoint);
        QFETCH(Qt::MouseButton, button);
        QFETCH(Qt::KeyboardModifiers, keys);
        undoOneOfTwo();
        if (boardPoint.isNull()) {
            test::menuItem(w, "mnuHelpHow")->trigger();
            QWidget *help = test::openWindow("frmHelp");
            QVERIFY(QTest::qWaitForWindowExposed(help));
            help->move(form->mapToGlobal(centre(17)) - QPoint(8, 8));
            boardPoint = centre(17);
            QTRY_COMPARE(QApplication::widgetAt(help->pos() + QPoint(8, 8))->window(), help);
        }
        from ? drag(from, on(boardPoint))
             : QTest::mouseClick(window(), button, keys, on(boardPoint));
        QTEST(board(Drawn), "after");
        delete test::openWindow("frmHelp");
    }

    void cutShort_data()
    {
        QTest::addColumn<QString>("by");
        QTest::addColumn<int>("from");
        QTest::addColumn<QString>("after");
        QTest::newRow("F2, the new game keeping the marble") << "F2" << 31 << Start;
        QTest::newRow("Game > New, the new game lacking it") << "mnuNew" << 24 << Start;
        QTest::newRow("a menu opened from the keyboard") << "Alt+G" << 31 << OneUndone;
        QTest::newRow("another window activated") << "window" << 31 << OneUndone;
        QTest::newRow("nothing, the release went astray") << "" << 31 << OneUndone;
        QTest::newRow("Game > Exit") << "mnuExit" << 31 << "";
        QTest::newRow("the window deleted") << "delete" << 31 << "";
    }

    // A drag cut short by a new game shows the new board; one whose release the board never
    // sees ends at once with no jump, not even when the pointer then passes over a hole it
    // could jump to. Exit and deletion end the drag, cursor and all, and never call back into
    // a half-destroyed window.
    void cutShort()
    {
        QFETCH(QString, by);
        QFETCH(int, from);
        QFETCH(QString, after);
        undoOneOfTwo();
        QTest::mousePress(window(), Qt::LeftButton, {}, on(from));
        QTest::mouseMove(window(), on(24));
        QWidget other;
        if (by.startsWith(u"mnu"))
            test::menuItem(w, qPrintable(by))->trigger();
        else if (by == u"window")
            other.show(), other.activateWindow();
        else if (by == u"delete")
            delete w;
        else if (!by.isEmpty())
            QTest::keyClick(window(), by == u"F2" ? Qt::Key_F2 : Qt::Key_G,
                            by == u"F2" ? Qt::NoModifier : Qt::AltModifier);
        if (after.isEmpty()) {
            QCOMPARE(QApplication::overrideCursor(), nullptr);
            QTRY_VERIFY(game->w.isNull());
            return;
        }
        if (QWidget *menu = QApplication::activePopupWidget()) {
            QTest::mouseRelease(window(), Qt::LeftButton, {}, on(24));
            QTest::keyClick(menu, Qt::Key_Escape);
        }
        QTRY_COMPARE(dragged() != 0, after == Start || by.isEmpty()); // a lost release ends at once
        if (after == Start) // the new game shows the dragged marble's cell as it has it
            QCOMPARE((*marbles)(from)->isVisible(), w->board().HasMarble(from));
        QCOMPARE(board(Drawn), board(Engine));
        // The window system's report of a move without the button, which QTest will not send
        // while it thinks the button is down.
        qt_handleMouseEvent(window(), on(17), window()->mapToGlobal(on(17)), Qt::NoButton,
                            Qt::NoButton, QEvent::MouseMove, Qt::NoModifier, 0);
        QCOMPARE(board(Drawn), after);
        QTest::mouseRelease(window(), Qt::LeftButton, {}, on(17)); // QTest's own idea of it
        QCOMPARE(board(Drawn), after);
    }

    // On a light or a dark desktop the board's background follows it and stands apart from the
    // green marbles, the grey holes and their rims.
    void palettes()
    {
        const QPalette saved = QApplication::palette();
        for (const QColor desktop : {QColor(0xef, 0xef, 0xef), QColor(0x2a, 0x2a, 0x2a)}) {
            QApplication::setPalette(QPalette(desktop));
            QTest::qWait(0); // the board hears of the palette after the window does
            const QImage shot = form->grab().toImage();
            const QColor back = shot.pixelColor(5, 5);
            QCOMPARE(back.lightness() < 128, desktop.lightness() < 128);
            for (const QPoint at : {centre(10), centre(24), centre(24) + QPoint(13, 0)}) {
                const QColor c = shot.pixelColor(at);
                QCOMPARE_GT(qAbs(c.red() - back.red()) + qAbs(c.green() - back.green()) +
                                qAbs(c.blue() - back.blue()),
                            60);
            }
        }
        QApplication::setPalette(saved);
    }

    // 100,000 random events as a player, or a cat on the keyboard, might make them: presses on
    // marbles and releases on holes, any button under any keys anywhere, on or off the window,
    // moves, the menu, F2 and Alt+G. The window agrees with the engine after each one.
    void randomEvents()
    {
        std::mt19937 rng(20240611);
        auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
        const Board &b = w->board();
        auto jumpFrom = [&](int from) { // where the marble at a cell can jump, or 0: for aiming
            for (int to : {from - 14, from - 2, from + 2, from + 14})
                if (IsPlayableCell(to) && (to / 7 == from / 7 || to % 7 == from % 7) &&
                    b.HasMarble(from) && b.HasMarble((from + to) / 2) && !b.HasMarble(to))
                    return to;
            return 0;
        };
        int deepest = 0;
        for (int event = 0; event < 100000; ++event) {
            const int roll = below(1000);
            int cell = below(CellCount);
            for (int tries = 0; tries < 20 && !jumpFrom(cell); ++tries)
                cell = below(CellCount);
            const QPoint at =
                roll % 5
                    ? on(centre(cell) + QPoint(below(9), below(9)) - QPoint(4, 4))
                    : QPoint(below(w->width() + 200), below(w->height() + 200)) - QPoint(100, 100);
            const auto keys = Qt::KeyboardModifiers::fromInt(Qt::ShiftModifier * below(8));
            if (roll < 300 && jumpFrom(dragged())) // mostly a jump
                QTest::mouseRelease(window(), Qt::LeftButton, {}, on(jumpFrom(dragged())));
            else if (roll < 300)
                QTest::mousePress(window(), Qt::LeftButton, {}, at);
            else if (roll < 450)
                QTest::mouseEvent(roll % 2 ? QTest::MousePress : QTest::MouseRelease, window(),
                                  Qt::MouseButton(1 << below(3)), below(4) ? keys : Qt::NoModifier,
                                  at);
            else if (roll < 990)
                QTest::mouseMove(window(), at);
            else if (roll < 995)
                (roll < 993 ? undo : redo)->trigger();
            else
                QTest::keyClick(window(), roll < 999 ? Qt::Key_G : Qt::Key_F2,
                                roll < 999 ? Qt::AltModifier : Qt::NoModifier);
            // A menu opened by a key or on the menu bar closes before a click could choose Exit.
            if (QWidget *menu = QApplication::activePopupWidget())
                QTest::keyClick(menu, Qt::Key_Escape);
            deepest = std::max(deepest, int(b.MoveCount()));
            if (board(Drawn) != board(Engine))
                QFAIL(qPrintable(QStringLiteral("event %1: drawn %2, engine %3")
                                     .arg(event)
                                     .arg(board(Drawn), board(Engine))));
        }
        QCOMPARE_GE(deepest, 20);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
