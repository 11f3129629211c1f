// The rules of the game without a window: the board and a new game, the jump, and the move
// history with undo and redo. A board is compared whole, as the one line of its empty holes.
#include "board.h"
#include "fullgame.h"

#include <QStringList>
#include <QTest>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <random>
#include <vector>

using namespace tavlin;

namespace {

// The 33 playable cells of the cross, written out row by row rather than computed.
constexpr std::array<int, 33> CrossCells = {2,  3,  4,  9,  10, 11, 14, 15, 16, 17, 18,
                                            19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29,
                                            30, 31, 32, 33, 34, 37, 38, 39, 44, 45, 46};

bool onCross(int cell)
{
    return std::find(CrossCells.begin(), CrossCells.end(), cell) != CrossCells.end();
}

// The whole board: "holes" and its empty playable cells, with "+n" for a marble off the cross.
QString holes(const auto &hasMarble)
{
    QString line = QStringLiteral("holes");
    for (int cell = 0; cell < 49; ++cell)
        if (hasMarble(cell) != onCross(cell))
            line += QStringLiteral(" %1%2").arg(hasMarble(cell) ? "+" : "").arg(cell);
    return line;
}

// "17-": cell 17 lost its marble; "undo+": undo became available.
QString note(const QString &what, bool on)
{
    return what + (on ? u'+' : u'-');
}

QString counters(int count, bool canUndo, bool canRedo)
{
    return QStringLiteral("count %1 ").arg(count) + note("undo", canUndo) + u' ' +
           note("redo", canRedo);
}

// All a caller can observe: the board, the counters and every non-empty column of Moves (asked
// in range and beyond), as "holes 10 17|count 1 undo+ redo-|1:10>24".
QString stateOf(const Board &board)
{
    QStringList moves;
    for (int column = -1; column <= HistoryColumns + 1; ++column)
        if (const Move move = board.Moves(column); move != Move{})
            moves << QStringLiteral("%1:%2>%3").arg(column).arg(move.from).arg(move.to);
    return holes([&board](int cell) { return board.HasMarble(cell); }) + u'|' +
           counters(board.MoveCount(), board.CanUndo(), board.CanRedo()) + u'|' + moves.join(u' ');
}

// Steps: "from>to" a jump, "u" undo, "r" redo, "n" new game; false as soon as a jump is refused.
bool play(Board &board, const QString &script)
{
    for (const QString &step : script.split(u' ', Qt::SkipEmptyParts)) {
        if (step == u"u")
            board.UndoMove();
        else if (step == u"r")
            board.RedoMove();
        else if (step == u"n")
            board.NewGame();
        else if (!board.TryMove(step.section(u'>', 0, 0).toInt(), step.section(u'>', 1).toInt()))
            return false;
    }
    return true;
}

struct Recorder final : BoardObserver {
    QStringList log;
    void cellChanged(Cell cell, bool on) override { log << note(QString::number(cell), on); }
    void canUndoChanged(bool on) override { log << note("undo", on); }
    void canRedoChanged(bool on) override { log << note("redo", on); }
};

// The random test's own board, line of play and cursor, with the rule in index arithmetic.
struct Model {
    std::array<bool, 49> marbles{};
    std::vector<Move> line; // the jumps played; those from the cursor on were taken back
    std::size_t cursor = 0;

    bool canUndo() const { return cursor > 0; }
    bool canRedo() const { return cursor < line.size(); }
    bool legal(int from, int to) const
    {
        const int apart = std::abs(to - from);
        return onCross(from) && marbles[from] && onCross(to) && !marbles[to] &&
               (apart == 14 || (apart == 2 && from / 7 == to / 7)) && marbles[(from + to) / 2];
    }
    void step(bool forward) // replays the jump at the cursor, or takes back the one before it
    {
        const Move move = line[forward ? cursor++ : --cursor];
        marbles[move.from] = marbles[(move.from + move.to) / 2] = !forward;
        marbles[move.to] = forward;
    }
};

} // namespace

class TestBoard : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void isPlayable()
    {
        QList<int> cells; // a row and a column beyond the grid on each side must not count
        for (int row = -1; row <= 7; ++row)
            for (int column = -1; column <= 7; ++column)
                if (IsPlayable(row, column))
                    cells << row * 7 + column;
        QCOMPARE(cells, QList<int>(CrossCells.begin(), CrossCells.end()));
    }

    // A script's last step: what the observer hears of it, in order and a flag only when it
    // changes, and the state it leaves. Refused jumps, calls the window never makes and undo or
    // redo when unavailable hear nothing and leave the state as it was ("").
    void lastStep_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("log");
        QTest::addColumn<QString>("state");
        static const char *const rows[][4] = {
            {"10>24", "10>24", "undo+ 10- 17- 24+", "holes 10 17|count 1 undo+ redo-|1:10>24"},
            {"22>24", "22>24", "undo+ 22- 23- 24+", "holes 22 23|count 1 undo+ redo-|1:22>24"},
            {"26>24", "26>24", "undo+ 26- 25- 24+", "holes 25 26|count 1 undo+ redo-|1:26>24"},
            {"38>24", "38>24", "undo+ 38- 31- 24+", "holes 31 38|count 1 undo+ redo-|1:38>24"},
            {"jump after undoing all", "10>24 u 22>24", "undo+ redo- 22- 23- 24+",
             "holes 22 23|count 1 undo+ redo-|1:22>24"},
            {"undo the only jump", "10>24 u", "10+ 17+ 24- undo- redo+",
             "holes 24|count 0 undo- redo+|1:10>24"},
            {"undo twice", "10>24 31>17 u u", "10+ 17+ 24- undo-",
             "holes 24|count 0 undo- redo+|1:10>24 2:31>17"},
            {"redo the only jump", "10>24 u r", "10- 17- 24+ redo- undo+",
             "holes 10 17|count 1 undo+ redo-|1:10>24"},
            {"redo twice", "10>24 31>17 u u r r", "31- 24- 17+ redo-",
             "holes 10 24 31|count 2 undo+ redo-|1:10>24 2:31>17"},
            {"new jump cuts redo", "10>24 15>17 2>16 u u 19>17", "redo- 19- 18- 17+",
             "holes 10 18 19|count 2 undo+ redo-|1:10>24 2:19>17"},
            {"new game", "10>24 15>17 2>16 u n", "10+ 15+ 16+ 24- undo- redo-",
             "holes 24|count 0 undo- redo-|"},
            {"new game twice", "10>24 n n", "", ""},
            {"redo after the cut", "10>24 15>17 2>16 u u 19>17 r", "", ""},
            {"undo after new game", "u", "", ""},
            {"redo after new game", "r", "", ""},
            {"20>22 rows differ", "22>24 20>22", "", ""},
            {"16>32 diagonal", "38>24 33>31 16>32", "", ""},
            {"over an empty cell", "10>24 3>17", "", ""},
            {"from an empty cell", "10>24 31>17 10>24", "", ""},
            {"into a corner", "38>36", "", ""},
            {"from 10 + 65536", "65546>24", "", ""},
            {"to 24 + 65536", "10>65560", "", ""},
        };
        for (const auto &[name, script, log, state] : rows)
            QTest::newRow(name) << script << log << state;
        // Every other pair of cells from the start is refused.
        for (int pair = 0; pair < 49 * 49; ++pair) {
            const QString jump = QStringLiteral("%1>%2").arg(pair / 49).arg(pair % 49);
            if (!QStringList{"10>24", "22>24", "26>24", "38>24"}.contains(jump))
                QTest::newRow(qPrintable("start " + jump)) << jump << QString() << QString();
        }
    }
    void lastStep()
    {
        QFETCH(QString, script);
        QFETCH(QString, log);
        QFETCH(QString, state);
        const QString last = script.section(u' ', -1);
        Board board;
        board.NewGame();
        QVERIFY(play(board, script.chopped(last.size())));
        const QString before = stateOf(board);
        Recorder recorder;
        board.setObserver(&recorder);
        QCOMPARE(play(board, last), !log.isEmpty() || !last.contains(u'>'));
        QCOMPARE(recorder.log.join(u' '), log);
        QCOMPARE(stateOf(board), state.isEmpty() ? before : state);
    }

    void completeGame()
    {
        Board board;
        board.NewGame();
        QStringList boards{stateOf(board).section(u'|', 0, 0)}; // the board after k jumps
        QStringList moves;
        // FullGame came from an offline search; this is what proves it, jump by jump.
        for (int k = 1; k <= 31; ++k) {
            const auto [from, to] = test::FullGame[k - 1];
            QVERIFY2(board.TryMove(from, to), qPrintable(QString::number(k)));
            moves << QStringLiteral("%1:%2>%3").arg(k).arg(from).arg(to);
            boards << stateOf(board).section(u'|', 0, 0);
        }
        const QString history = moves.join(u' ');
        QCOMPARE(boards.back(),
                 "holes 2 3 4 9 10 11 14 15 16 17 18 19 20 21 22 23 25 26 27 28 29 30 31 "
                 "32 33 34 37 38 39 44 45 46");
        for (int k = 30; k >= 0; --k) {
            board.UndoMove();
            QCOMPARE(stateOf(board), boards[k] + u'|' + counters(k, k > 0, true) + u'|' + history);
        }
        for (int k = 1; k <= 31; ++k) {
            board.RedoMove();
            QCOMPARE(stateOf(board), boards[k] + u'|' + counters(k, true, k < 31) + u'|' + history);
        }
    }

    // Random steps, mostly legal jumps so that games go deep, checked against the model after
    // each one: the board, the counters, the cells the observer heard of and TryMove's
    // result.
    void randomSteps()
    {
        std::mt19937 rng(20240611);
        auto below = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
        Board board;
        Recorder recorder;
        board.setObserver(&recorder);
        Model model;
        for (int step = 0; step < 20000; ++step) {
            const Model was = model;
            const int dice = step == 0 ? 0 : below(1000);
            std::vector<Move> jumps; // mostly a legal jump, so that games go deep
            for (int from = 0; from < 49; ++from)
                for (int to : {from - 14, from - 2, from + 2, from + 14})
                    if (model.legal(from, to))
                        jumps.push_back({Cell(from), Cell(to)});
            Move move{Cell(below(63) - 7), 0}; // else a near pair, at times off the grid
            move.to = Cell(move.from + below(33) - 16);
            if (dice < 800 && !jumps.empty())
                move = jumps[std::size_t(below(int(jumps.size())))];
            QString op = QStringLiteral("%1>%2").arg(move.from).arg(move.to);
            if (dice < 280)
                op = dice < 3 ? "n" : dice < 140 ? "u" : "r";
            const bool legal = dice < 280 || model.legal(move.from, move.to);
            if (op == u"n") {
                model = {};
                for (int cell : CrossCells)
                    model.marbles[cell] = cell != 24;
            } else if (op == u"u" ? model.canUndo() : op == u"r" ? model.canRedo() : legal) {
                if (op.contains(u'>')) { // a new jump cuts off what could be redone
                    model.line.resize(model.cursor);
                    model.line.push_back(move);
                }
                model.step(op != u"u");
            }
            recorder.log.clear();
            const bool accepted = play(board, op);
            QStringList changes;
            for (int cell = 0; cell < 49; ++cell)
                if (model.marbles[cell] != was.marbles[cell])
                    changes << note(QString::number(cell), model.marbles[cell]);
            recorder.log.removeIf([](const QString &entry) { return entry.contains(u"do"); });
            recorder.log.sort();
            changes.sort();
            const QString where = QStringLiteral("step %1, %2|").arg(step).arg(op);
            QCOMPARE(where + stateOf(board).section(u'|', 0, 1) + u'|' + recorder.log.join(u' ') +
                         (accepted ? "" : "|refused"),
                     where + holes([&model](int cell) { return model.marbles[cell]; }) + u'|' +
                         counters(int(model.cursor), model.canUndo(), model.canRedo()) + u'|' +
                         changes.join(u' ') + (legal ? "" : "|refused"));
        }
    }
};

QTEST_APPLESS_MAIN(TestBoard)
#include "tst_board.moc"
