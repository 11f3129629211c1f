// A monkey at the game window: tens of thousands of random real input events (presses, releases
// and moves of every button under every Shift/Ctrl/Alt combination, inside and outside the
// window, drags from marbles dropped anywhere, F2, the Game menu, both information windows
// opened and closed), with the window checked against the engine after every single event. The
// run is fixed by its seed, printed with the last events on a failure; TAVLIN_MONKEY_SEED runs
// another.
#include "application.h"
#include "form.h"
#include "frmAbout.h"
#include "frmHelp.h"
#include "frmMain.h"
#include "imagearray.h"
#include "quiet.h"

#include <QAction>
#include <QMenuBar>
#include <QPointer>
#include <QRandomGenerator>
#include <QTest>
#include <QWindow>

#include <array>
#include <vector>

using namespace tavlin;

namespace {

constexpr quint32 DefaultSeed = 20240611;
constexpr int EventCount = 30000;

QPoint cellCentre(int cell)
{
    return {cell % 7 * 40 + 24 + 16, cell / 7 * 40 + 24 + 16};
}

// QTest warns of every event it sends beyond the window's right or bottom edge; the monkey
// sends thousands on purpose, so those warnings alone are counted instead of printed.
QtMessageHandler passOn = nullptr;
int outsideWarnings = 0;

void countOutsideWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.contains(QLatin1String("occurs outside target window"))) {
        ++outsideWarnings;
        return;
    }
    passOn(type, context, message);
}

// What the monkey achieved, so that a run swallowed by some state (an open popup menu, a lost
// grab) cannot pass unnoticed.
struct Coverage {
    int dragsStarted = 0;
    int jumpsByDrop = 0;
    int dropsOutside = 0;
    int undosByClick = 0;
    int redosByClick = 0;
    int newGames = 0;
    int helpOpened = 0;
    int aboutOpened = 0;
    int deepestGame = 0;
};

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT

    QPointer<frmMain> w;
    QPointer<frmHelp> help;
    QPointer<frmAbout> about;
    QRandomGenerator rng;
    quint32 seed = DefaultSeed;
    Coverage seen;
    // The last events, for the failure message.
    std::array<QString, 16> trail;
    int eventNumber = 0;
    // The buttons QTest holds down, as it tracks them across events.
    Qt::MouseButtons held;

    QWindow *window() const { return w->windowHandle(); }
    QPoint onWindow(QPoint boardPoint) const { return w->Form->mapTo(w.data(), boardPoint); }

    int below(int n) { return int(rng.bounded(quint32(n))); }
    bool chance(int percent) { return below(100) < percent; }

    void note(const QString &event) { trail[eventNumber % trail.size()] = event; }

    Qt::KeyboardModifiers randomKeys()
    {
        Qt::KeyboardModifiers keys;
        for (Qt::KeyboardModifier key : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier})
            keys.setFlag(key, chance(25));
        return keys;
    }

    Qt::MouseButton randomButton()
    {
        static constexpr Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::LeftButton,
                                                      Qt::RightButton, Qt::MiddleButton};
        return buttons[below(4)];
    }

    // A point in window coordinates: mostly on the board, sometimes on the menu bar, sometimes
    // off the window on any side. Never (0, 0), which QTest would take for "the centre".
    QPoint randomPoint()
    {
        const int roll = below(100);
        QPoint p;
        if (roll < 75)
            p = onWindow(QPoint(below(318), below(318)));
        else if (roll < 82)
            p = QPoint(below(w->width()), below(w->menuBar()->height()));
        else
            p = QPoint(below(w->width() + 300) - 150, below(w->height() + 300) - 150);
        return p.isNull() ? QPoint(1, 1) : p;
    }

    // Mostly one that has a jump to make, so that games grow long.
    QPoint randomMarble()
    {
        std::vector<int> marbles, movable;
        for (int cell = 0; cell < CellCount; ++cell) {
            if (w->board().HasMarble(cell)) {
                marbles.push_back(cell);
                if (!legalTargets(cell).empty())
                    movable.push_back(cell);
            }
        }
        if (!movable.empty() && chance(75))
            marbles.swap(movable);
        const QPoint jitter(below(25) - 12, below(25) - 12);
        return onWindow(cellCentre(marbles[below(int(marbles.size()))]) + jitter);
    }

    // Empty cells the dragged marble could legally jump into, per the rule: two cells along a
    // row or column, over a marble.
    std::vector<int> legalTargets(int from) const
    {
        std::vector<int> targets;
        const int row = from / 7, column = from % 7;
        for (const auto &[dr, dc] : {std::pair{0, 2}, {0, -2}, {2, 0}, {-2, 0}}) {
            const int r = row + dr, c = column + dc;
            if (!IsPlayable(r, c))
                continue;
            const int to = r * 7 + c, over = (from + to) / 2;
            if (w->board().HasMarble(over) && !w->board().HasMarble(to))
                targets.push_back(to);
        }
        return targets;
    }

    void press(Qt::MouseButton button, Qt::KeyboardModifiers keys, QPoint at)
    {
        note(QStringLiteral("press %1 keys %2 at (%3, %4)")
                 .arg(button)
                 .arg(keys.toInt())
                 .arg(at.x())
                 .arg(at.y()));
        const int before = w->board().MoveCount();
        const bool startsDrag = !w->Form->dragSource();
        held.setFlag(button);
        QTest::mousePress(window(), button, keys, at);
        if (startsDrag && w->Form->dragSource())
            ++seen.dragsStarted;
        seen.undosByClick += w->board().MoveCount() < before;
        seen.redosByClick += w->board().MoveCount() > before;
    }

    void release(Qt::MouseButton button, Qt::KeyboardModifiers keys, QPoint at)
    {
        note(QStringLiteral("release %1 keys %2 at (%3, %4)")
                 .arg(button)
                 .arg(keys.toInt())
                 .arg(at.x())
                 .arg(at.y()));
        const int before = w->board().MoveCount();
        const bool dragging = w->Form->dragSource();
        held.setFlag(button, false);
        QTest::mouseRelease(window(), button, keys, at);
        if (dragging && !w->Form->dragSource()) {
            seen.jumpsByDrop += w->board().MoveCount() > before;
            seen.dropsOutside += !w->rect().contains(at);
        }
    }

    void move(QPoint at)
    {
        note(QStringLiteral("move to (%1, %2)").arg(at.x()).arg(at.y()));
        QTest::mouseMove(window(), at);
    }

    void trigger(QAction *action)
    {
        note(QStringLiteral("trigger ") + action->objectName());
        action->trigger();
    }

    void closeInfoWindow(QDialog *dialog, const QString &name)
    {
        switch (below(3)) {
        case 0:
            note(name + QStringLiteral(": Esc"));
            QTest::keyClick(dialog->windowHandle(), Qt::Key_Escape);
            break;
        case 1:
            note(name + QStringLiteral(": Enter"));
            QTest::keyClick(dialog->windowHandle(), Qt::Key_Return);
            break;
        default:
            note(name + QStringLiteral(": close box"));
            dialog->close();
        }
    }

    // One random event, as a player (or a cat on the keyboard) might make it.
    void randomEvent()
    {
        const int roll = below(1000);
        if (roll < 300) {
            move(randomPoint());
        } else if (roll < 450) {
            if (!held.testFlag(Qt::LeftButton))
                press(Qt::LeftButton, chance(70) ? Qt::NoModifier : randomKeys(), randomMarble());
            else
                move(randomPoint());
        } else if (roll < 560) {
            const Qt::MouseButton button = randomButton();
            if (!held.testFlag(button))
                press(button, randomKeys(), randomPoint());
            else
                release(button, randomKeys(), randomPoint());
        } else if (roll < 680) {
            // Mostly a held button; now and then one never pressed here, as when the press
            // went to another window.
            Qt::MouseButton button = randomButton();
            for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
                if (held.testFlag(b) && chance(80))
                    button = b;
            }
            release(button, randomKeys(), randomPoint());
        } else if (roll < 900) {
            const ImageControl *source = w->Form->dragSource();
            const std::vector<int> targets =
                source ? legalTargets(source->Index()) : std::vector<int>{};
            if (held.testFlag(Qt::LeftButton) && !targets.empty()) {
                const int to = targets[below(int(targets.size()))];
                release(Qt::LeftButton, Qt::NoModifier, onWindow(cellCentre(to)));
            } else {
                move(randomPoint());
            }
        } else if (roll < 902) {
            const Qt::KeyboardModifiers keys = chance(80) ? Qt::NoModifier : randomKeys();
            note(QStringLiteral("F2 keys %1").arg(keys.toInt()));
            QTest::keyClick(window(), Qt::Key_F2, keys);
        } else if (roll < 903) {
            trigger(w->mnuNew);
        } else if (roll < 935) {
            trigger(w->mnuUndo);
        } else if (roll < 965) {
            trigger(w->mnuRedo);
        } else if (roll < 975) {
            // What a click on its frame would do under a window manager.
            note(QStringLiteral("activate the main window"));
            w->activateWindow();
        } else if (roll < 987) {
            if (help && chance(60)) {
                closeInfoWindow(help, QStringLiteral("How to Play"));
            } else {
                trigger(w->mnuHelpHow);
                help = w->helpWindow();
                ++seen.helpOpened;
            }
        } else {
            if (about && chance(60)) {
                closeInfoWindow(about, QStringLiteral("About"));
            } else {
                trigger(w->mnuHelpAbout);
                about = w->aboutWindow();
                ++seen.aboutOpened;
            }
        }
        // What the event loop does between two events: windows closed meanwhile go away.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The window against the engine; empty when all is well.
    QString fault() const
    {
        if (!w)
            return QStringLiteral("the main window is gone");
        const Board &board = w->board();
        const ImageControl *dragged = w->Form->dragSource();
        int marbles = 0;
        for (int cell = 0; cell < CellCount; ++cell) {
            marbles += board.HasMarble(cell);
            if (!IsPlayableCell(cell))
                continue;
            const ImageControl *marble = w->imgMarble(cell);
            if (marble == dragged) {
                if (marble->isVisible() && !board.HasMarble(cell))
                    return QStringLiteral("dragged marble %1 shown on an empty cell").arg(cell);
            } else if (marble->isVisible() != board.HasMarble(cell)) {
                return QStringLiteral("marble %1 shown %2, board has %3")
                    .arg(cell)
                    .arg(marble->isVisible())
                    .arg(board.HasMarble(cell));
            }
            if (!w->imgHole(cell)->isVisible())
                return QStringLiteral("hole %1 hidden").arg(cell);
        }
        if (marbles != 32 - board.MoveCount())
            return QStringLiteral("%1 marbles after %2 moves").arg(marbles).arg(board.MoveCount());
        if (w->mnuUndo->isEnabled() != board.CanUndo())
            return QStringLiteral("Undo enabled %1").arg(w->mnuUndo->isEnabled());
        if (w->mnuRedo->isEnabled() != board.CanRedo())
            return QStringLiteral("Redo enabled %1").arg(w->mnuRedo->isEnabled());
        if (!dragged && w->dragIndex() != 0)
            return QStringLiteral("DragIndex %1 with no drag").arg(w->dragIndex());
        if (!dragged && QApplication::overrideCursor())
            return QStringLiteral("an override cursor outlived its drag");
        if (dragged && !QApplication::overrideCursor())
            return QStringLiteral("a drag without its cursor");
        return {};
    }

    QString failure(const QString &what) const
    {
        QString message = QStringLiteral("seed %1, event %2 of %3: %4\nlast events:")
                              .arg(seed)
                              .arg(eventNumber)
                              .arg(EventCount)
                              .arg(what);
        for (int n = qMax(1, eventNumber - int(trail.size()) + 1); n <= eventNumber; ++n)
            message += QStringLiteral("\n  %1: %2").arg(n).arg(trail[n % trail.size()]);
        return message;
    }

    void releaseHeldButtons()
    {
        for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
            if (w && held.testFlag(b))
                release(b, {}, onWindow(QPoint(5, 5)));
        }
    }

private Q_SLOTS:
    void initTestCase()
    {
        installApplicationDetails();
        test::quietOffscreenPlatform();
        passOn = qInstallMessageHandler(countOutsideWarnings);
        bool given = false;
        const quint32 fromEnvironment = qEnvironmentVariable("TAVLIN_MONKEY_SEED").toUInt(&given);
        seed = given ? fromEnvironment : DefaultSeed;
        rng.seed(seed);
    }

    void cleanup()
    {
        releaseHeldButtons();
        delete help.data();
        delete about.data();
        delete w.data();
    }

    // Every event leaves the window a faithful mirror of the engine; the monkey gets everywhere.
    void randomInput()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        w = new frmMain;
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        w->activateWindow();
        // A press on the menu bar opens the Game menu, and a release over Exit would end the
        // run; Exit gets its turn once the monkey is done.
        w->mnuExit->setEnabled(false);

        for (eventNumber = 1; eventNumber <= EventCount; ++eventNumber) {
            const bool fresh = w->board().MoveCount() == 0 && !w->board().CanRedo();
            randomEvent();
            if (const QString problem = fault(); !problem.isEmpty())
                QFAIL(qPrintable(failure(problem)));
            seen.deepestGame = qMax(seen.deepestGame, int(w->board().MoveCount()));
            seen.newGames += !fresh && w->board().MoveCount() == 0 && !w->board().CanRedo();
        }

        qInfo().noquote() << QStringLiteral(
                                 "seed %1: %2 events; %3 drags, %4 jumps by drop, %5 drops "
                                 "outside, %6 undos and %7 redos by click, %8 fresh boards, "
                                 "deepest game %9 moves, help opened %10, About opened %11")
                                 .arg(seed)
                                 .arg(EventCount)
                                 .arg(seen.dragsStarted)
                                 .arg(seen.jumpsByDrop)
                                 .arg(seen.dropsOutside)
                                 .arg(seen.undosByClick)
                                 .arg(seen.redosByClick)
                                 .arg(seen.newGames)
                                 .arg(seen.deepestGame)
                                 .arg(seen.helpOpened)
                                 .arg(seen.aboutOpened);
        // Floors well below what any of hundreds of seeds reached: only a monkey that lost its
        // way, its events swallowed somewhere, falls short of them.
        QVERIFY(seen.dragsStarted > 1000);
        QVERIFY(seen.jumpsByDrop > 100);
        QVERIFY(seen.dropsOutside > 50);
        QVERIFY(seen.undosByClick > 20 && seen.redosByClick > 20);
        QVERIFY(seen.deepestGame >= 5);
        QVERIFY(seen.newGames > 5);
        QVERIFY(seen.helpOpened > 50 && seen.aboutOpened > 50);
        QVERIFY(outsideWarnings > 0);

        // And Exit, once, wherever the monkey left the game.
        releaseHeldButtons();
        w->mnuExit->setEnabled(true);
        w->mnuExit->trigger();
        QTRY_VERIFY(w.isNull());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }
};

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
