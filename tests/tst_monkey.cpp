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
#include "window.h"

#include <QAction>
#include <QMenuBar>
#include <QPointer>
#include <QRandomGenerator>
#include <QTest>
#include <QWindow>

using namespace tavlin;

class TestMonkey : public QObject {
    Q_OBJECT

    QPointer<frmMain> w;
    const quint32 seed = qEnvironmentVariable("TAVLIN_MONKEY_SEED", "20240611").toUInt();
    QRandomGenerator rng{seed};
    // What the run did, so that one whose events are swallowed somewhere (an open popup menu, a
    // lost grab) cannot pass: drags begun, jumps by drop, drops outside, undos and redos by
    // press, How to Play and About opened anew.
    int seen[7] = {};
    QStringList trail;     // the last events, for the failure message
    Qt::MouseButtons held; // as QTest tracks them across events

    int below(int n) { return int(rng.bounded(quint32(n))); }
    bool chance(int percent) { return below(100) < percent; }
    void note(const QString &event) { trail = trail.mid(qMax(0, trail.size() - 15)) << event; }
    QPoint onWindow(QPoint boardPoint) const
    {
        return test::boardOf(w)->mapTo(w.data(), boardPoint);
    }
    static QPoint centre(int cell) { return QPoint(cell % 7, cell / 7) * 40 + QPoint(40, 40); }
    // Any combination of Shift, Ctrl and Alt, which are three bits in a row.
    auto randomKeys() { return Qt::KeyboardModifiers::fromInt(Qt::ShiftModifier * below(8)); }

    // Mostly on the board, sometimes on the menu bar, sometimes off the window on any side; never
    // (0, 0), which QTest takes for "the centre".
    QPoint randomPoint()
    {
        const int roll = below(100);
        const QPoint p =
            roll < 75   ? onWindow(QPoint(below(318), below(318)))
            : roll < 82 ? QPoint(below(w->width()), below(w->menuBar()->height()))
                        : QPoint(below(w->width() + 300) - 150, below(w->height() + 300) - 150);
        return p.isNull() ? QPoint(1, 1) : p;
    }

    // A random empty cell the marble at a cell can jump into, as the engine judges trial moves;
    // 0 when there is none.
    int randomJump(int from)
    {
        int target = 0, found = 0;
        const Board &board = w->board();
        for (int to : {from - 14, from - 2, from + 2, from + 14}) {
            const bool inLine = to % 7 == from % 7 || to / 7 == from / 7;
            if (IsPlayableCell(to) && inLine && board.HasMarble((from + to) / 2) &&
                !board.HasMarble(to) && below(++found) == 0)
                target = to;
        }
        return target;
    }

    void mouse(QTest::MouseAction action, Qt::MouseButton button, Qt::KeyboardModifiers keys,
               QPoint at)
    {
        static const char *const verbs[] = {"press", "release", "click", "double-click", "move"};
        note(QString::asprintf("%s button %d keys %x at (%d, %d)", verbs[action], int(button),
                               keys.toInt(), at.x(), at.y()));
        const int moves = w->board().MoveCount();
        const bool dragging = test::boardOf(w)->dragSource();
        held.setFlag(button, action == QTest::MousePress);
        QTest::mouseEvent(action, w->windowHandle(), button, keys, at);
        const bool dropped = dragging && !test::boardOf(w)->dragSource();
        seen[0] += !dragging && test::boardOf(w)->dragSource();
        seen[1] += dropped && w->board().MoveCount() > moves;
        seen[2] += dropped && !w->rect().contains(at);
        seen[3] += action == QTest::MousePress && w->board().MoveCount() < moves;
        seen[4] += action == QTest::MousePress && w->board().MoveCount() > moves;
    }

    // One random event, as a player (or a cat on the keyboard) might make it.
    void randomEvent()
    {
        const int roll = below(1000);
        auto *source = held.testFlag(Qt::LeftButton) ? test::boardOf(w)->dragSource() : nullptr;
        const int target = source ? randomJump(source->Index()) : 0;
        if (roll < 230) {
            // Any button pressed or let go, now and then one pressed in another window: left, right
            // or middle, the left one twice as often.
            const auto button = Qt::MouseButton(1 << qMax(0, below(4) - 1));
            const bool release = held.testFlag(button) || chance(30);
            mouse(release ? QTest::MouseRelease : QTest::MousePress, button, randomKeys(),
                  randomPoint());
        } else if (roll < 380 && !held.testFlag(Qt::LeftButton)) {
            // Mostly a marble with a jump to make, so that games grow long; a little off centre.
            int cell = 0;
            for (int n = chance(75) ? 0 : 100;
                 !w->board().HasMarble(cell) || (n < 100 && !randomJump(cell)); ++n)
                cell = below(CellCount);
            const QPoint jitter(below(25) - 12, below(25) - 12);
            mouse(QTest::MousePress, Qt::LeftButton, chance(70) ? Qt::NoModifier : randomKeys(),
                  onWindow(centre(cell) + jitter));
        } else if (roll < 600 && target) {
            mouse(QTest::MouseRelease, Qt::LeftButton, {}, onWindow(centre(target)));
        } else if (roll < 900) {
            mouse(QTest::MouseMove, Qt::NoButton, {}, randomPoint());
        } else if (roll < 902) {
            const Qt::KeyboardModifiers keys = chance(80) ? Qt::NoModifier : randomKeys();
            note(QStringLiteral("F2 keys %1").arg(keys.toInt(), 0, 16));
            QTest::keyClick(w->windowHandle(), Qt::Key_F2, keys);
        } else if (roll < 965) {
            QAction *action = roll < 903   ? test::menuItem(w, "mnuNew")
                              : roll < 935 ? test::menuItem(w, "mnuUndo")
                                           : test::menuItem(w, "mnuRedo");
            note(action->objectName());
            action->trigger();
        } else if (roll < 975) {
            // What a click on its frame would do under a window manager.
            note(QStringLiteral("activate the main window"));
            w->activateWindow();
        } else {
            // Either information window, closed by Esc, Enter or its close box, or opened.
            const int which = roll < 987 ? 0 : 1, how = below(5);
            auto open = [&] {
                return QList<QDialog *>{test::openWindow<frmHelp>("frmHelp"),
                                        test::openWindow<frmAbout>("frmAbout")}[which];
            };
            QDialog *dialog = open();
            note(QStringLiteral("information window %1, way %2").arg(which).arg(dialog ? how : 3));
            if (!dialog || how >= 3)
                (which ? test::menuItem(w, "mnuHelpAbout") : test::menuItem(w, "mnuHelpHow"))
                    ->trigger();
            else if (how == 2)
                dialog->close();
            else
                QTest::keyClick(dialog->windowHandle(), how ? Qt::Key_Return : Qt::Key_Escape);
            seen[5 + which] += !dialog && open();
        }
        // What the event loop does between two events: windows closed meanwhile go away.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // What the window shows against what it must show: every hole, each marble as the engine has
    // it (a dragged one may be hidden, never shown on an empty cell), a marble count that agrees
    // with the moves made, the menu as the history allows, and a drag index and a drag cursor
    // exactly while a drag is under way.
    std::pair<QString, QString> shownAndWanted() const
    {
        const Board &board = w->board();
        const ImageControl *dragged = test::boardOf(w)->dragSource();
        QString shown, wanted;
        int marbles = 0;
        for (int cell = 0; cell < CellCount; ++cell) {
            marbles += board.HasMarble(cell);
            if (!IsPlayableCell(cell))
                continue;
            const ImageControl *marble = test::imagesOf(w, "imgMarble")(cell);
            shown += !test::imagesOf(w, "imgHole")(cell)->isVisible() ? '?'
                     : marble->isVisible()                            ? 'o'
                                                                      : '.';
            wanted +=
                board.HasMarble(cell) && (marble != dragged || marble->isVisible()) ? 'o' : '.';
        }
        const char *rest = " marbles %d undo %d redo %d cursor %d";
        shown += QString::asprintf(rest, marbles, test::menuItem(w, "mnuUndo")->isEnabled(),
                                   test::menuItem(w, "mnuRedo")->isEnabled(),
                                   bool(QApplication::overrideCursor()));
        wanted += QString::asprintf(rest, 32 - board.MoveCount(), board.CanUndo(), board.CanRedo(),
                                    bool(dragged));
        return {shown, wanted};
    }

private Q_SLOTS:
    // Every event leaves the window a faithful mirror of the engine; the monkey gets everywhere.
    void randomInput()
    {
        installApplicationDetails();
        test::quietOffscreenPlatform();
        // QTest warns of every event it sends beyond the window's edge; the monkey sends
        // thousands on purpose.
        static const QtMessageHandler passOn = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext &context, const QString &text) {
                if (!text.contains(QLatin1String("occurs outside target window")))
                    passOn(type, context, text);
            });
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        w = new frmMain;
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        w->activateWindow();
        // A press on the menu bar opens the Game menu, and a release over Exit would end the
        // run; Exit gets its turn at the end.
        test::menuItem(w, "mnuExit")->setEnabled(false);

        for (int event = 1; event <= 30000; ++event) {
            randomEvent();
            const auto [shown, wanted] = shownAndWanted();
            if (shown != wanted)
                qInfo().noquote() << "seed" << seed << "event" << event << "after\n "
                                  << trail.join("\n  ");
            QCOMPARE(shown, wanted);
        }

        // Floors far below what any seed reaches; only a monkey whose events were swallowed
        // somewhere falls short.
        const int floors[] = {1000, 100, 50, 20, 20, 50, 50};
        for (int kind = 0; kind < 7; ++kind)
            QVERIFY2(seen[kind] > floors[kind], qPrintable(QString::number(kind)));

        // And Exit, once, wherever the monkey left the game.
        test::menuItem(w, "mnuExit")->setEnabled(true);
        test::menuItem(w, "mnuExit")->trigger();
        QTRY_VERIFY(w.isNull());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }
};

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
