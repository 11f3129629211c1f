// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// What the game window pays per input event while playing: the time of one drag move over the
// board and of one jump applied or taken back, each including the repaint it causes, and the
// area every such event repaints. The drag icon is the pointer itself, so a drag move should
// repaint nothing at all; a jump should repaint its three cells and nothing else. Paints are
// counted by an application-wide event filter and united in window coordinates, so the figure is
// the screen area redrawn, however many stacked widgets shared it.
// Run: drag_cost (offscreen by default); add -iterations N or -callgrind as for any Qt benchmark.
#include "application.h"
#include "form.h"
#include "frmMain.h"
#include "imagearray.h"

#include <QPaintEvent>
#include <QPointer>
#include <QTest>
#include <QWindow>

#include <functional>
#include <memory>

using namespace tavlin;

namespace {

// A cell's centre on the board, as the game window lays it out.
QPoint cellCentre(int cell)
{
    static const frmMain layout;
    return (*layout.findChild<ImageArray *>("imgMarble"))(cell)->geometry().center();
}

qint64 area(const QRegion &region)
{
    qint64 sum = 0;
    for (const QRect &r : region)
        sum += qint64(r.width()) * r.height();
    return sum;
}

// Every paint event of one window: how many, and the screen area they covered together.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(const QWidget &window) : m_window(window) {}

    void reset()
    {
        events = 0;
        region = {};
    }

    int events = 0;
    QRegion region;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            auto *widget = static_cast<QWidget *>(watched);
            if (widget == &m_window || m_window.isAncestorOf(widget)) {
                ++events;
                region += static_cast<QPaintEvent *>(event)->region().translated(
                    widget->mapTo(&m_window, QPoint()));
            }
        }
        return false;
    }

private:
    const QWidget &m_window;
};

// Delivers pending updates, so that whatever an event made dirty is painted now.
void flushPaints()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

} // namespace

class DragCost : public QObject {
    Q_OBJECT

    QPointer<frmMain> w;
    std::unique_ptr<PaintCounter> counter;

    QWindow *window() const { return w->windowHandle(); }
    QPoint onWindow(QPoint boardPoint) const
    {
        return w->findChild<FormSurface *>("Form")->mapTo(w.data(), boardPoint);
    }
    QPoint atCell(int cell) const { return onWindow(cellCentre(cell)); }

    QRegion cells(std::initializer_list<int> list) const
    {
        QRegion region;
        for (int cell : list)
        {
            const QWidget *marble = (*w->findChild<ImageArray *>("imgMarble"))(cell);
            region += QRect(marble->mapTo(w.data(), QPoint()), marble->size());
        }
        return region;
    }

    // Runs the events and reports what they repainted.
    QRegion paintedBy(const QString &what, const std::function<void()> &event)
    {
        flushPaints();
        counter->reset();
        event();
        flushPaints();
        qInfo().noquote() << QStringLiteral("repainted by %1: %2 px in %3 paint events")
                                 .arg(what)
                                 .arg(area(counter->region))
                                 .arg(counter->events);
        return counter->region;
    }

    void click(QPoint at, Qt::KeyboardModifiers keys)
    {
        QTest::mousePress(window(), Qt::LeftButton, keys, at);
        QTest::mouseRelease(window(), Qt::LeftButton, keys, at);
    }

private Q_SLOTS:
    void initTestCase() { installApplicationDetails(); }

    void init()
    {
        w = new frmMain;
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        counter = std::make_unique<PaintCounter>(*w);
        qApp->installEventFilter(counter.get());
        flushPaints();
    }

    void cleanup()
    {
        counter.reset();
        delete w.data();
    }

    void dragMove_data()
    {
        QTest::addColumn<QPoint>("a");
        QTest::addColumn<QPoint>("b");
        // Marble 10 is dragged; the pointer goes back and forth between a and b.
        QTest::newRow("within one marble") << cellCentre(17) << cellCentre(17) + QPoint(5, 5);
        QTest::newRow("marble to marble") << cellCentre(17) << cellCentre(16);
        QTest::newRow("marble to hole") << cellCentre(17) << cellCentre(24);
        QTest::newRow("over the background") << QPoint(5, 5) << QPoint(60, 8);
        // Qt drops a move to where the pointer already is, so neither point is the press's.
        QTest::newRow("over its own cell")
            << cellCentre(10) + QPoint(2, 2) << cellCentre(10) + QPoint(3, -3);
    }

    // The time of one pointer move during a drag.
    void dragMove()
    {
        QFETCH(QPoint, a);
        QFETCH(QPoint, b);
        QTest::mousePress(window(), Qt::LeftButton, {}, atCell(10));
        QVERIFY(w->findChild<FormSurface *>("Form")->dragSource());
        bool toA = true;
        QBENCHMARK
        {
            QTest::mouseMove(window(), onWindow(toA ? a : b));
            toA = !toA;
        }
        QVERIFY(w->findChild<FormSurface *>("Form")->dragSource());
        QTest::mouseRelease(window(), Qt::LeftButton, {}, onWindow(b));
    }

    void dragMoveRepaint_data() { dragMove_data(); }

    // The drag icon is the pointer, so moving it repaints nothing.
    void dragMoveRepaint()
    {
        QFETCH(QPoint, a);
        QFETCH(QPoint, b);
        QTest::mousePress(window(), Qt::LeftButton, {}, atCell(10));
        const QRegion moved = paintedBy(QStringLiteral("two drag moves"), [&] {
            QTest::mouseMove(window(), onWindow(a));
            QTest::mouseMove(window(), onWindow(b));
        });
        QCOMPARE(area(moved), 0);
        QTest::mouseRelease(window(), Qt::LeftButton, {}, onWindow(b));
    }

    void dragGestureRepaint_data()
    {
        QTest::addColumn<int>("dropOn");
        QTest::addColumn<int>("movesAfter");
        QTest::newRow("drop applying the jump 10 -> 24") << 24 << 1;
        QTest::newRow("refused drop on 16") << 16 << 0;
    }

    // A whole drag repaints the cells whose marbles change and nothing else: the press the
    // dragged marble's cell, the moves nothing, the drop the rest.
    void dragGestureRepaint()
    {
        QFETCH(int, dropOn);
        QFETCH(int, movesAfter);
        QRegion all;
        const QRegion pressed = paintedBy(QStringLiteral("the press that starts a drag"), [&] {
            QTest::mousePress(window(), Qt::LeftButton, {}, atCell(10));
        });
        QCOMPARE(pressed, cells({10}));
        all += pressed;
        all += paintedBy(QStringLiteral("the moves of the drag"), [&] {
            QTest::mouseMove(window(), atCell(17));
            QTest::mouseMove(window(), atCell(dropOn));
        });
        all += paintedBy(QStringLiteral("the drop"), [&] {
            QTest::mouseRelease(window(), Qt::LeftButton, {}, atCell(dropOn));
        });
        QCOMPARE(w->board().MoveCount(), movesAfter);
        const QRegion changed = movesAfter ? cells({10, 17, 24}) : cells({10});
        qInfo().noquote() << QStringLiteral("the whole drag: %1 px, its changed cells: %2 px")
                                 .arg(area(all))
                                 .arg(area(changed));
        QCOMPARE(all, changed);
    }

    void jump_data()
    {
        QTest::addColumn<bool>("redo");
        QTest::newRow("replayed by a Shift-click") << true;
        QTest::newRow("taken back by a Ctrl-click") << false;
    }

    // The time of one jump applied (or taken back) through the window by a real click, its
    // repaint included. The clicks alternate, so that every one moves three marbles.
    void jump()
    {
        QFETCH(bool, redo);
        playAndTakeBack();
        if (!redo)
            click(background(), Qt::ShiftModifier);
        bool replay = redo;
        QBENCHMARK
        {
            click(background(), replay ? Qt::ShiftModifier : Qt::ControlModifier);
            replay = !replay;
        }
        QVERIFY(w->board().MoveCount() <= 1);
    }

    void jumpRepaint_data() { jump_data(); }

    // A jump through the window repaints its three cells and nothing else.
    void jumpRepaint()
    {
        QFETCH(bool, redo);
        playAndTakeBack();
        if (!redo)
            click(background(), Qt::ShiftModifier);
        const QRegion painted = paintedBy(QStringLiteral("the click"), [&] {
            click(background(), redo ? Qt::ShiftModifier : Qt::ControlModifier);
        });
        QCOMPARE(w->board().MoveCount(), redo ? 1 : 0);
        QCOMPARE(painted, cells({10, 17, 24}));
    }

private:
    QPoint background() const { return onWindow(QPoint(5, 5)); }

    // Leaves the jump 10 -> 24 ready to be replayed.
    void playAndTakeBack()
    {
        QTest::mousePress(window(), Qt::LeftButton, {}, atCell(10));
        QTest::mouseMove(window(), atCell(24));
        QTest::mouseRelease(window(), Qt::LeftButton, {}, atCell(24));
        QCOMPARE(w->board().MoveCount(), 1);
        click(background(), Qt::ControlModifier);
        QCOMPARE(w->board().MoveCount(), 0);
        QVERIFY(w->board().CanRedo());
    }
};

int main(int argc, char *argv[])
{
    // The figures are the window's own cost, free of any display server.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    DragCost bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "drag_cost.moc"
