// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// The game window as a player meets it, through real mouse and keyboard events: drops on every
// kind of place, the Ctrl and Shift presses and drags cut short, all judged by one check of what
// the window draws against the engine; and its pictures at every density.
#include "form.h"
#include "frmAbout.h"
#include "picture.h"
#include "window.h"

#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QWindow>
#include <QtMath>

#include <memory>

using namespace tavlin;

// A cell's centre on the board, on the game window's grid.
static QPoint centre(int cell)
{
    const QPoint corner = QPoint(cell % GridSize, cell / GridSize) * frmMain::CellPitch;
    return corner + QPoint(1, 1) * (frmMain::BoardMargin + Picture::marble().size().width() / 2);
}

class TestMainWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<test::GameWindow> game;
    frmMain *w = nullptr;
    FormSurface *form = nullptr;
    ImageArray *holes = nullptr, *marbles = nullptr;
    QAction *undo = nullptr, *redo = nullptr;

    QWindow *window() const { return w->windowHandle(); }
    QPoint on(QPoint boardPoint) const { return form->mapTo(w, boardPoint); }
    int dragged() const { return form->dragSource() ? form->dragSource()->Index() : 0; }

    // The empty cells (or "!n" where a cell is drawn wrong: a marble without its hole, an image
    // off the cross), Undo and Redo, the moves the marbles add up to, and the drag with its
    // cursor: drawn by the window, or as the engine has it. The dragged marble may be hidden.
    QString board(bool drawn) const
    {
        const Board &b = w->board();
        QString line = "holes";
        int count = 0;
        for (int cell = 0; cell < CellCount; ++cell) {
            const bool playable = IsPlayableCell(cell),
                       hole = drawn ? (*holes)(cell) && (*holes)(cell)->isVisible() : playable;
            const bool marble =
                !drawn || cell == dragged() ? b.HasMarble(cell) : (*marbles)(cell) && (*marbles)(cell)->isVisible();
            count += marble;
            if (playable ? !hole || !marble : hole || marble)
                line += (playable && hole ? " " : " !") + QString::number(cell);
        }
        const auto flag = [](bool on) { return on ? "+" : "-"; };
        line += QString(" undo") + flag(drawn ? undo->isEnabled() : b.CanUndo()) + " redo" +
                flag(drawn ? redo->isEnabled() : b.CanRedo()) + " moves " +
                QString::number(drawn ? 32 - count : b.MoveCount());
        return line + ((drawn ? QApplication::overrideCursor() != nullptr : dragged() != 0) ? " drag" : "");
    }

    // Plays the steps, comparing the window with the engine after each: pN press on cell N (or
    // "bg" between holes, "out" beyond the window, "margin"), mN move there, rN release there,
    // cN/KEYS click there with C(trl), S(hift), A(lt), R(ight) or M(iddle); xN a move with no
    // button held and yN a press, after a release the board never saw (QTest sends neither
    // mid-drag); kKEYS a key sequence; mnuX a menu command; "help" (How to Play over cell 17),
    // "delete" (the window deleted), "?" (no drag under way), oN (marble N shown, though a drag holds it).
    // Keys go to the open menu, if any.
    void play(const QString &steps)
    {
        for (const QString &step : steps.split(' ')) {
            const QString where = step.mid(1).section('/', 0, 0), keys = step.section('/', 1);
            const QPoint at = where == "out"      ? QPoint(w->width() + 50, 150)
                              : where == "bg"     ? on(centre(17) + QPoint(20, 0))
                              : where == "margin" ? on(QPoint(3, form->height() - 18))
                                                  : on(centre(where.toInt()));
            const int action = QString("prc-m").indexOf(step[0]); // as QTest::MouseAction
            const auto mods = Qt::KeyboardModifiers::fromInt(Qt::ControlModifier * keys.contains('C') |
                                                             Qt::ShiftModifier * keys.contains('S') |
                                                             Qt::AltModifier * keys.contains('A'));
            if (step == "help") {
                w->findChild<QAction *>("mnuHelpHow")->trigger();
                QWidget *help = test::openWindow("frmHelp");
                QVERIFY(QTest::qWaitForWindowExposed(help));
                help->move(form->mapToGlobal(centre(17)) - QPoint(8, 8));
                QTRY_COMPARE(QApplication::widgetAt(help->pos() + QPoint(8, 8))->window(), help);
            } else if (step == "delete") {
                delete w;
            } else if (step == "?") {
                QTRY_COMPARE(dragged(), 0);
            } else if (step[0] == 'o') {
                QVERIFY((*marbles)(where.toInt())->isVisible());
            } else if (step.startsWith("mnu")) {
                w->findChild<QAction *>(step)->trigger();
            } else if (step[0] == 'k') {
                QWidget *popup = QApplication::activePopupWidget();
                QTest::keySequence(popup ? popup->windowHandle() : window(), QKeySequence(where));
            } else if (action >= 0) {
                const int button = std::max(1, keys.contains('R') * 2 + keys.contains('M') * 4);
                QTest::mouseEvent(QTest::MouseAction(action), window(), Qt::MouseButton(button), mods, at);
                QVERIFY(action || !(*marbles)(where.toInt())->isVisible()); // its hole shows at once
            } else { // as the board gets them, whatever Qt thinks of the button
                const bool press = step[0] == 'y';
                const QPoint onForm = form->mapFrom(w, at), global = form->mapToGlobal(onForm);
                const auto buttons = Qt::MouseButtons::fromInt(press);
                QMouseEvent event(press ? QEvent::MouseButtonPress : QEvent::MouseMove, onForm, global,
                                  Qt::MouseButton(press), buttons, {});
                QApplication::sendEvent(form, &event);
            }
            if (game->w && w->isVisible() && step != "?")
                QCOMPARE(board(true), board(false));
        }
    }

private Q_SLOTS:
    void initTestCase() { installApplicationDetails(); }
    void init()
    {
        game = std::make_unique<test::GameWindow>();
        w = game->w, form = w->findChild<FormSurface *>("Form");
        holes = w->findChild<ImageArray *>("imgHole"), marbles = w->findChild<ImageArray *>("imgMarble");
        undo = w->findChild<QAction *>("mnuUndo"), redo = w->findChild<QAction *>("mnuRedo");
    }
    void cleanup()
    {
        game.reset();
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    // The opening position in a fixed-size window that can only be closed, its images on the
    // grid, its menu, and what a screen reader hears of the board.
    void startUp()
    {
        QCOMPARE(board(true), "holes 24 undo- redo- moves 0");
        QCOMPARE(w->windowTitle(), "Tavlin Solitaire");
        QCOMPARE(w->minimumSize(), w->maximumSize());
        QCOMPARE(w->windowFlags() & (Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
                 Qt::WindowCloseButtonHint);
        QCOMPARE(form->size(), QSize(318, 318));
        QCOMPARE((*holes)(24)->geometry(), QRect(144, 144, 32, 32));
        QCOMPARE((*marbles)(2)->geometry(), QRect(104, 24, 32, 32));
        QStringList tree, names;
        for (QAction *top : w->menuBar()->actions())
            for (QAction *a : QList<QAction *>{top} + top->menu()->actions())
                tree << a->text() + a->shortcut().toString() + (a->isEnabled() ? "" : " off");
        QCOMPARE(tree.join(','), "&Game,&NewF2,,&Undo off,&Redo off,,E&xit,&Help,&How to Play,,&About");
        play("p10 m24 r24");
        for (QWidget *image : {(*marbles)(9), (*holes)(9), (*holes)(10)})
            names << QAccessible::queryAccessibleInterface(image)->text(QAccessible::Name);
        QCOMPARE(names,
                 QStringList({"Marble, row 2, column 3", "Hole, row 2, column 3", "Empty hole, row 2, column 4"}));
    }

    // After: the board as the steps leave it, "" for a window gone.
    void gestures_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("after");
        const char *undone = "holes 24 undo- redo+ moves 0", *one = "holes 10 17 undo+ redo+ moves 1",
                   *redone = "holes 10 24 31 undo+ redo- moves 2", *start = "holes 24 undo- redo- moves 0";
        for (auto [name, steps, after] :
             {std::tuple("legal drop, cutting off Redo", "p31 m17 r17", redone),
              {"drop on its own cell", "p31 m31 r31", one},
              {"drop between holes", "p16 mbg rbg", one},
              {"drop on a marble", "p16 m23 r23", one},
              {"drop outside the window", "p26 mout rout", one},
              {"drop under How to Play", "help p15 m17 r17", one},
              {"Ctrl on the background undoes", "cbg/C", undone},
              {"Ctrl, middle button, on a hole", "c10/CM", undone},
              {"Shift, right button, on a hole redoes", "c10/SR", redone},
              {"Shift on the margin", "cmargin/S", redone},
              {"Shift+Ctrl", "cbg/SC", one},
              {"Alt+Ctrl", "c10/AC", one},
              {"Ctrl on a marble", "c16/CR", one},
              {"F2 mid-drag, the new game keeping the marble", "p31 m24 kF2 o31 x17 r17", start},
              {"Game > New mid-drag, the new game lacking it", "p24 m24 mnuNew x17 r17", start},
              {"a menu opened from the keyboard", "p31 m24 kAlt+G r24 kEscape ? x17", one},
              {"another window activated", "p31 m24 mnuHelpHow ? x17 r17", one},
              {"a release gone astray, then a move", "p31 m24 x17 ? r17", one},
              {"a release gone astray, then a press", "p31 m24 y17 ? r17", one},
              {"Game > Exit mid-drag", "p31 m24 mnuExit", ""},
              {"the window deleted mid-drag", "p31 m24 delete", ""}})
            QTest::newRow(name) << QString(steps) << QString(after);
    }
    // From 10 -> 24, 31 -> 17, Undo, Redo, Undo: a drop makes a jump only on a hole the rule
    // allows; anywhere else, a window lying over the board included, the marble is back at once.
    // A press with exactly Ctrl held undoes, with exactly Shift redoes, with any button, on the
    // background or a hole; a marble answers a press only by starting a drag. A drag whose
    // release the board never sees ends at once with no jump; exit and deletion end it, cursor
    // and all, without calling back into the window.
    void gestures()
    {
        QFETCH(QString, steps);
        QFETCH(QString, after);
        play("p10 m24 r24 p31 m17 r17 mnuUndo mnuRedo mnuUndo " + steps);
        delete test::openWindow("frmHelp");
        QTRY_COMPARE(game->w ? board(true) : QString(), after);
    }

    // At every screen density (CTest runs this at several) a marble, a hole, the About banner and
    // the drag cursor show their picture at its own size, drawn at the screen's device pixels,
    // rounded up.
    void pictures()
    {
        const frmAbout about(w);
        const qreal ratio = w->screen()->devicePixelRatio();
        QTest::mousePress(window(), Qt::LeftButton, {}, on(centre(10)));
        QVERIFY(QApplication::overrideCursor());
        QCOMPARE(QApplication::overrideCursor()->hotSpot(), QPoint(16, 16));
        const std::tuple<QWidget *, const Picture *, QSize> shown[] = {
            {(*marbles)(10), &Picture::marble(), {32, 32}}, // hidden by the drag, still drawable
            {(*holes)(9), &Picture::hole(), {32, 32}},
            {about.findChild<QWidget *>("Picture1"), &Picture::banner(), {309, 91}},
            {nullptr, &Picture::marble(), {32, 32}}}; // the cursor
        for (auto [widget, picture, size] : shown) {
            const QSize pixels(qCeil(size.width() * ratio), qCeil(size.height() * ratio));
            QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(ratio), image.fill(Qt::transparent);
            widget ? widget->render(&image, {}, widget->contentsRect(), QWidget::DrawChildren)
                   : void(image = QApplication::overrideCursor()->pixmap().toImage());
            QCOMPARE(widget ? widget->contentsRect().size() : size, size);
            QCOMPARE(std::pair(image.size(), image.devicePixelRatio()), std::pair(pixels, ratio));
            image.setDevicePixelRatio(1);
            QCOMPARE(image, picture->render(pixels));
        }
        QTest::mouseRelease(window(), Qt::LeftButton, {}, on(centre(10)));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
