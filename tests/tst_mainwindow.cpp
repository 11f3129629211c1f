// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// The game window as a player meets it, through real mouse and keyboard events: drops on every
// kind of place, the Ctrl and Shift presses and drags cut short, all judged by one check of what
// the window draws against the engine (each cell's images, the menu, the marble count against the
// moves made, a drag and its cursor together); and its colours and pictures, at every density.
#include "form.h"
#include "frmAbout.h"
#include "imagearray.h"
#include "picture.h"
#include "window.h"

#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QWindow>
#include <QtMath>

#include <memory>
#include <random>
#include <string>

using namespace tavlin;

// Partly covered pixels lie in a band about a pixel wide along every outline: drawn afresh at n
// times the size there are about n times as many, in an enlarged bitmap n * n times.
static double partlyCovered(const QImage &image)
{
    const auto *pixels = reinterpret_cast<const QRgb *>(image.constBits());
    return std::count_if(pixels, pixels + image.width() * image.height(),
                         [](QRgb pixel) { return qAlpha(pixel) % 255 != 0; });
}

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
    int dragged() const { return form->dragSource() ? form->dragSource()->Index() : 0; }

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
        form = w->findChild<FormSurface *>("Form");
        holes = w->findChild<ImageArray *>("imgHole");
        marbles = w->findChild<ImageArray *>("imgMarble");
        undo = w->findChild<QAction *>("mnuUndo"), redo = w->findChild<QAction *>("mnuRedo");
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
        row("drop between holes") << 16 << background << left << none << OneUndone;
        row("drop outside the window") << 26 << QPoint(400, 150) << left << none << OneUndone;
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
            w->findChild<QAction *>("mnuHelpHow")->trigger();
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
            w->findChild<QAction *>(by)->trigger();
        else if (by == u"window")
            other.show(), other.activateWindow();
        else if (by == u"delete")
            delete w;
        else
            QTest::keySequence(window(), QKeySequence(by));
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

    // Random games: 20,000 drags of a marble two cells in any direction, many of them jumps,
    // clicks of any button near a cell, some under Ctrl or Shift, and now and then F2. The window
    // agrees with the engine after each, however deep the game.
    void randomGames()
    {
        std::mt19937 rng(20240611);
        auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
        int deepest = 0;
        for (int event = 0; event < 20000 && !QTest::currentTestFailed(); ++event) {
            const int from = below(CellCount);
            const int step = std::array{-14, -2, 2, 14}[std::size_t(below(4))];
            const int to = (from + step + CellCount) % CellCount; // round the grid, never the menu
            const QPoint at = on(centre(to) + QPoint(below(9), below(9)) - QPoint(4, 4));
            const auto keys = Qt::KeyboardModifiers::fromInt(Qt::ShiftModifier * below(4));
            if (below(1000) == 0)
                QTest::keyClick(window(), Qt::Key_F2);
            else if (w->board().HasMarble(from))
                drag(from, at);
            else
                QTest::mouseClick(window(), Qt::MouseButton(1 << below(3)), keys, at);
            deepest = std::max(deepest, int(w->board().MoveCount()));
            QCOMPARE(board(Drawn), board(Engine));
        }
        QCOMPARE_GE(deepest, 20); // games go deep
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
                const QColor c = shot.pixelColor(at * shot.devicePixelRatio());
                QCOMPARE_GT(qAbs(c.red() - back.red()) + qAbs(c.green() - back.green()) +
                                qAbs(c.blue() - back.blue()),
                            60);
            }
        }
        QApplication::setPalette(saved);
    }

    // At every screen density (CTest runs this at several) a marble, a hole, the About banner and
    // the drag cursor show their picture drawn at the screen's device pixels, rounded up so that
    // nothing is cut short.
    void pictures()
    {
        const frmAbout about(w);
        const qreal ratio = w->screen()->devicePixelRatio();
        const std::pair<QWidget *, const Picture *> shown[] = {
            {(*marbles)(10), &Picture::marble()},
            {(*holes)(10), &Picture::hole()},
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
        // The drag cursor too, its hot spot in the middle of the marble (logical pixels here).
        QTest::mousePress(window(), Qt::LeftButton, {}, on(10));
        const QCursor *cursor = QApplication::overrideCursor();
        QVERIFY(cursor);
        QImage image = cursor->pixmap().toImage();
        QCOMPARE(image.devicePixelRatio(), ratio);
        image.setDevicePixelRatio(1);
        QCOMPARE(image, Picture::marble().render(image.size()));
        QCOMPARE_GE(image.width(), 32 * ratio);
        QCOMPARE(cursor->hotSpot(), QPoint(16, 16));
        QTest::mouseRelease(window(), Qt::LeftButton, {}, on(10));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
