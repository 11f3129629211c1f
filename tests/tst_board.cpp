// The rules of the game without a window: the board and a new game, the jump, and the move
// history with undo and redo. Whole boards are compared as 7-line pictures.
#include "board.h"
#include "fullgame.h"

#include <QStringList>
#include <QTest>

#include <algorithm>
#include <array>
#include <random>
#include <utility>
#include <vector>

using namespace tavlin;

namespace {

using Marbles = std::array<bool, 49>;

// The 33 playable cells of the cross, written out row by row rather than computed.
constexpr std::array<int, 33> CrossCells = {2,  3,  4,  9,  10, 11, 14, 15, 16, 17, 18,
                                              19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29,
                                              30, 31, 32, 33, 34, 37, 38, 39, 44, 45, 46};

bool onCross(int cell)
{
    return std::find(CrossCells.begin(), CrossCells.end(), cell) != CrossCells.end();
}

// "o" marble, "." empty hole, " " corner; "X" would be a marble on a corner.
QStringList pictureOf(const Marbles &marbles)
{
    QStringList lines;
    for (int row = 0; row < 7; ++row) {
        QString line;
        for (int cell = row * 7; cell < row * 7 + 7; ++cell) {
            const bool marble = marbles[std::size_t(cell)];
            line += QChar(onCross(cell) ? (marble ? u'o' : u'.') : (marble ? u'X' : u' '));
        }
        lines << line;
    }
    return lines;
}

Marbles marblesOf(const Board &board)
{
    Marbles marbles{};
    for (int cell = 0; cell < 49; ++cell)
        marbles[std::size_t(cell)] = board.HasMarble(cell);
    return marbles;
}

QStringList picture(const Board &board)
{
    return pictureOf(marblesOf(board));
}
int marbleCount(const Board &board)
{
    return int(std::ranges::count(marblesOf(board), true));
}
QString str(Move move)
{
    return QStringLiteral("%1>%2").arg(move.from).arg(move.to);
}

const QStringList StartPicture = {"  ooo  ", "  ooo  ", "ooooooo", "ooo.ooo",
                                  "ooooooo", "  ooo  ", "  ooo  "};

// Everything a caller can observe: the picture, every non-empty column of Moves, the counters.
QStringList stateOf(const Board &board)
{
    QStringList state = picture(board), columns;
    for (int column = 1; column <= HistoryColumns; ++column) {
        if (board.Moves(column) != Move{})
            columns << QStringLiteral("%1:%2").arg(column).arg(str(board.Moves(column)));
    }
    state << QStringLiteral("moves ") + columns.join(u' ');
    state << QStringLiteral("count %1 undo %2 redo %3")
                 .arg(board.MoveCount())
                 .arg(int(board.CanUndo()))
                 .arg(int(board.CanRedo()));
    return state;
}

// One step of a script: "from>to" a jump (the result is TryMove's), "u" undo, "r" redo, "n" new.
bool apply(Board &board, const QString &step)
{
    if (step == u"u")
        board.UndoMove();
    else if (step == u"r")
        board.RedoMove();
    else if (step == u"n")
        board.NewGame();
    else
        return board.TryMove(step.section(u'>', 0, 0).toInt(), step.section(u'>', 1, 1).toInt());
    return true;
}

// A new game, then the script; false when one of its jumps was refused.
bool play(Board &board, const QString &script)
{
    board.NewGame();
    for (const QString &step : script.split(u' ', Qt::SkipEmptyParts))
        if (!apply(board, step))
            return false;
    return true;
}

QStringList startState()
{
    Board board;
    play(board, {});
    return stateOf(board);
}

class Recorder final : public BoardObserver {
public:
    QStringList log;
    void cellChanged(Cell cell, bool hasMarble) override
    {
        log << QStringLiteral("cell %1 %2").arg(cell).arg(hasMarble ? u"+" : u"-");
    }
    void canUndoChanged(bool on) override { log << QStringLiteral("undo %1").arg(int(on)); }
    void canRedoChanged(bool on) override { log << QStringLiteral("redo %1").arg(int(on)); }
};

// The independent model of the property test: its own board, line of play and cursor.
struct Model {
    Marbles marbles{};
    std::vector<Move> line; // the recorded jumps; those after the cursor were taken back
    std::size_t cursor = 0;

    void newGame()
    {
        for (int cell = 0; cell < 49; ++cell)
            marbles[std::size_t(cell)] = onCross(cell) && cell != 24;
        line.clear();
        cursor = 0;
    }
    // The jumped-over cell, or -1 when from -> to is not a straight step of two cells.
    static int midOf(int from, int to)
    {
        const int row = from / 7, column = from % 7;
        for (auto [dr, dc] : {std::pair{0, 1}, {0, -1}, {1, 0}, {-1, 0}}) {
            const int r = row + 2 * dr, c = column + 2 * dc;
            if (r >= 0 && r < 7 && c >= 0 && c < 7 && r * 7 + c == to)
                return (row + dr) * 7 + column + dc;
        }
        return -1;
    }
    bool legal(int from, int to) const
    {
        if (!onCross(from) || !onCross(to) || midOf(from, to) < 0)
            return false;
        return marbles[std::size_t(from)] && marbles[std::size_t(midOf(from, to))] &&
               !marbles[std::size_t(to)];
    }
    std::vector<Move> legalJumps() const
    {
        std::vector<Move> jumps;
        for (int from = 0; from < 49; ++from)
            for (int to : {from - 14, from - 2, from + 2, from + 14})
                if (legal(from, to))
                    jumps.push_back(Move{Cell(from), Cell(to)});
        return jumps;
    }
    void step(bool forward)
    {
        const Move m = line[forward ? cursor++ : --cursor];
        marbles[std::size_t(m.from)] = marbles[std::size_t(midOf(m.from, m.to))] = !forward;
        marbles[std::size_t(m.to)] = forward;
    }
};

// One random operation on the board and the model; returns its description.
QString randomOperation(Board &board, Model &model, std::mt19937 &rng, QString &error)
{
    auto below = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    const int dice = below(1000);
    if (dice < 730) {
        int from = below(49), to = below(49);
        const std::vector<Move> jumps = model.legalJumps();
        if (dice < 500 && !jumps.empty()) { // mostly a legal jump, so that games go deep
            const Move jump = jumps[std::size_t(below(int(jumps.size())))];
            from = jump.from;
            to = jump.to;
        } else if (dice < 650) { // a marble and a direction, legal or not
            for (int tries = 0; tries < 49 && !model.marbles[std::size_t(from)]; ++tries)
                from = below(49);
            to = from + std::array{2, -2, 14, -14}[std::size_t(below(4))];
        } else if (dice >= 700) { // garbage
            from = below(65536) - 32768;
            to = below(200) - 50;
        }
        const bool legal = model.legal(from, to);
        if (board.TryMove(from, to) != legal)
            error = QStringLiteral("TryMove disagrees with the model (%1)").arg(legal);
        if (legal) {
            model.line.resize(model.cursor);
            model.line.push_back(Move{Cell(from), Cell(to)});
            model.step(true);
        }
        return QStringLiteral("TryMove(%1, %2)").arg(from).arg(to);
    }
    if (dice < 860) {
        board.UndoMove();
        if (model.cursor > 0)
            model.step(false);
        return QStringLiteral("UndoMove");
    }
    if (dice < 997) {
        board.RedoMove();
        if (model.cursor < model.line.size())
            model.step(true);
        return QStringLiteral("RedoMove");
    }
    board.NewGame();
    model.newGame();
    return QStringLiteral("NewGame");
}

// The history's invariants and agreement with the model; empty when all hold.
QString compareWithModel(const Board &board, const Model &model)
{
    const int count = board.MoveCount();
    if (marblesOf(board) != model.marbles)
        return QStringLiteral("board\n%1\nmodel\n%2")
            .arg(picture(board).join(u'\n'), pictureOf(model.marbles).join(u'\n'));
    if (count != int(model.cursor) || marbleCount(board) != 32 - count)
        return QStringLiteral("MoveCount %1, %2 marbles").arg(count).arg(marbleCount(board));
    if (board.CanUndo() != (count > 0))
        return QStringLiteral("CanUndo %1").arg(board.CanUndo());
    if (board.CanRedo() != (board.Moves(count + 1).from != 0) ||
        board.CanRedo() != (model.cursor < model.line.size()))
        return QStringLiteral("CanRedo %1").arg(board.CanRedo());
    for (std::size_t k = 0; k <= model.line.size(); ++k) {
        const Move want = k < model.line.size() ? model.line[k] : Move{};
        const Move have = board.Moves(int(k + 1));
        if (have.from != want.from || (want.from != 0 && have != want))
            return QStringLiteral("column %1: %2, model %3").arg(k + 1).arg(str(have), str(want));
    }
    return {};
}

// What the observer must have heard for a step from `before` to `board`, in a sorted list.
QStringList changesOf(const Marbles &before, bool undoBefore, bool redoBefore, const Board &board)
{
    QStringList changes;
    for (int cell = 0; cell < 49; ++cell)
        if (board.HasMarble(cell) != before[std::size_t(cell)])
            changes
                << QStringLiteral("cell %1 %2").arg(cell).arg(board.HasMarble(cell) ? "+" : "-");
    if (board.CanUndo() != undoBefore)
        changes << QStringLiteral("undo %1").arg(int(board.CanUndo()));
    if (board.CanRedo() != redoBefore)
        changes << QStringLiteral("redo %1").arg(int(board.CanRedo()));
    changes.sort();
    return changes;
}

} // namespace

class TestBoard : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void isPlayable_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("playable");
        for (auto [r, c] : {std::pair{0, 2}, {0, 4}, {2, 0}, {4, 6}, {6, 3}, {3, 3}})
            QTest::addRow("(%d,%d) holds", r, c) << r << c << true;
        for (auto [r, c] : {std::pair{0, 0}, {1, 1}, {1, 5}, {5, 1}, {6, 6}, {-1, 3}, {3, 7}})
            QTest::addRow("(%d,%d) does not hold", r, c) << r << c << false;
    }
    void isPlayable()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(bool, playable);
        QCOMPARE(IsPlayable(row, column), playable);
    }
    void isPlayableMask() // exactly 33 of 49, the cells of the table
    {
        QList<int> cells;
        for (int cell = 0; cell < 49; ++cell)
            if (IsPlayable(cell / 7, cell % 7))
                cells << cell;
        QCOMPARE(cells, QList<int>(CrossCells.begin(), CrossCells.end()));
    }

    // NewGame sets up the same starting state whatever came before it.
    void newGame_data()
    {
        QTest::addColumn<QString>("before");
        for (auto [name, before] : {std::pair{"first game", ""},
                                    {"mid-game", "10>24 15>17 2>16"},
                                    {"after undos", "10>24 15>17 2>16 u u"},
                                    {"after undoing all", "10>24 u"},
                                    {"twice in a row", "10>24 n"}})
            QTest::newRow(name) << QString::fromUtf8(before);
    }
    void newGame()
    {
        QFETCH(QString, before);
        Board board;
        QVERIFY(play(board, before));
        board.NewGame();
        QCOMPARE(picture(board), StartPicture);
        QCOMPARE(marbleCount(board), 32);
        QVERIFY(!board.HasMarble(CentreCell));
        for (int cell : {0, 1, 5, 6, 7, 8, 12, 13, 35, 36, 40, 41, 42, 43, 47, 48, -1, 49})
            QVERIFY2(!board.HasMarble(cell), qPrintable(QString::number(cell)));
        QCOMPARE(int(board.MoveCount()), 0);
        QVERIFY(!board.CanUndo());
        QVERIFY(!board.CanRedo());
        for (int column = -1; column <= HistoryColumns + 1; ++column)
            QCOMPARE(str(board.Moves(column)), QStringLiteral("0>0"));
        QCOMPARE(stateOf(board), startState());
        // A first new jump leaves nothing to redo.
        QVERIFY(board.TryMove(10, 24));
        QVERIFY(!board.CanRedo());
        QCOMPARE(str(board.Moves(2)), QStringLiteral("0>0"));
    }

    // From the start, every (from, to) pair: only 10, 22, 26 and 38 may jump, each into 24; every
    // refused pair changes nothing and tells the observer nothing.
    void startPairs_data()
    {
        QTest::addColumn<int>("from");
        for (int from = 0; from < 49; ++from)
            QTest::addRow("from %d", from) << from;
    }
    void startPairs()
    {
        QFETCH(int, from);
        const QStringList start = startState();
        for (int to = 0; to < 49; ++to) {
            Board board;
            board.NewGame();
            Recorder recorder;
            board.setObserver(&recorder);
            const bool legal = to == 24 && (from == 10 || from == 22 || from == 26 || from == 38);
            QCOMPARE(board.TryMove(from, to), legal);
            if (legal) {
                const int mid = (from + to) / 2;
                QStringList expected = StartPicture;
                expected[from / 7][from % 7] = expected[mid / 7][mid % 7] = u'.';
                expected[3][3] = u'o';
                QCOMPARE(picture(board), expected);
                QCOMPARE(int(board.MoveCount()), 1);
                QCOMPARE(str(board.Moves(1)), str(Move{Cell(from), Cell(to)}));
                QCOMPARE(str(board.Moves(2)), QStringLiteral("0>0"));
                QVERIFY(board.CanUndo() && !board.CanRedo());
            } else {
                QVERIFY2(stateOf(board) == start, qPrintable(QString::number(to)));
                QVERIFY2(recorder.log.isEmpty(), qPrintable(recorder.log.join(u", ")));
            }
        }
    }

    // Refused jumps, calls the window never makes, unavailable undo and redo: no change at all.
    void nothingHappens_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("step");
        static const char *const rows[][3] = {
            {"20>22 different rows", "", "20>22"},
            {"16>32 diagonal over 24", "", "16>32"},
            {"10>10 same cell", "", "10>10"},
            {"23>24 neighbours", "", "23>24"},
            {"21>24 three apart", "", "21>24"},
            {"3>17 target occupied", "", "3>17"},
            {"3>17 over an empty cell", "10>24", "3>17"},
            {"10>24 from without a marble", "10>24 31>17", "10>24"},
            {"24>10 from the empty centre", "", "24>10"},
            {"from -1", "", "-1>1"},
            {"to -1", "", "1>-1"},
            {"from 49", "", "49>35"},
            {"to 49", "10>24", "35>49"},
            {"from 32767", "", "32767>24"},
            {"to 32767", "", "10>32767"},
            {"from -32768", "", "-32768>24"},
            {"to -32768", "", "38>-32768"},
            {"from corner 0", "", "0>2"},
            {"10>8 into a corner over a marble", "", "10>8"},
            {"22>8 into a corner over a marble", "", "22>8"},
            {"to corner 36", "", "38>36"},
            {"undo right after NewGame", "", "u"},
            {"redo right after NewGame", "", "r"},
            {"redo right after a jump", "10>24", "r"},
            {"redo after undoing and a new jump", "10>24 31>17 u 19>17", "r"},
            {"redo after NewGame following undos", "10>24 31>17 u u n", "r"},
            {"undo after undoing all", "10>24 31>17 u u", "u"},
        };
        for (const auto &row : rows)
            QTest::newRow(row[0]) << QString::fromUtf8(row[1]) << QString::fromUtf8(row[2]);
    }
    void nothingHappens()
    {
        QFETCH(QString, before);
        QFETCH(QString, step);
        Board board;
        QVERIFY(play(board, before));
        const QStringList state = stateOf(board);
        Recorder recorder;
        board.setObserver(&recorder);
        QCOMPARE(apply(board, step), !step.contains(u'>'));
        QCOMPARE(stateOf(board), state);
        QCOMPARE(recorder.log, QStringList());
    }

    void undoRedoTwoJumps()
    {
        Board board;
        QVERIFY(play(board, "10>24 31>17"));
        const QStringList twoJumps = picture(board);
        board.UndoMove();
        board.UndoMove();
        QCOMPARE(picture(board), StartPicture);
        QCOMPARE(int(board.MoveCount()), 0);
        QVERIFY(!board.CanUndo() && board.CanRedo());
        board.RedoMove();
        board.RedoMove();
        QCOMPARE(picture(board), twoJumps);
        QCOMPARE(int(board.MoveCount()), 2);
        QVERIFY(board.CanUndo() && !board.CanRedo());
    }

    void newJumpCutsRedoChain()
    {
        Board board, reference;
        QVERIFY(play(board, "10>24 15>17 2>16 u u"));
        QVERIFY(board.TryMove(19, 17));
        QCOMPARE(int(board.MoveCount()), 2);
        QCOMPARE(str(board.Moves(3)), QStringLiteral("0>0"));
        QVERIFY(!board.CanRedo());
        QVERIFY(play(reference, "10>24 19>17"));
        QCOMPARE(stateOf(board), stateOf(reference));
        board.RedoMove(); // the two jumps taken back are gone for good
        QCOMPARE(stateOf(board), stateOf(reference));
    }

    // The exact order of what the observer hears: a flag only when its value changes.
    void notifications_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("expected");
        static const char *const rows[][4] = {
            {"first jump", "", "10>24", "undo 1, cell 10 -, cell 17 -, cell 24 +"},
            {"second jump", "10>24", "31>17", "cell 31 -, cell 24 -, cell 17 +"},
            {"jump cutting redo", "10>24 31>17 u", "19>17",
             "redo 0, cell 19 -, cell 18 -, cell 17 +"},
            {"jump after undoing all", "10>24 u", "22>24",
             "undo 1, redo 0, cell 22 -, cell 23 -, cell 24 +"},
            {"undo the only jump", "10>24", "u", "cell 10 +, cell 17 +, cell 24 -, undo 0, redo 1"},
            {"undo, more to undo", "10>24 31>17", "u", "cell 31 +, cell 24 +, cell 17 -, redo 1"},
            {"undo the first, redo on", "10>24 31>17 u", "u",
             "cell 10 +, cell 17 +, cell 24 -, undo 0"},
            {"redo, more to redo", "10>24 31>17 u u", "r",
             "cell 10 -, cell 17 -, cell 24 +, undo 1"},
            {"redo the last, undo on", "10>24 31>17 u u r", "r",
             "cell 31 -, cell 24 -, cell 17 +, redo 0"},
            {"redo the only jump", "10>24 u", "r",
             "cell 10 -, cell 17 -, cell 24 +, redo 0, undo 1"},
            {"new game mid-game", "10>24 15>17 2>16", "n",
             "cell 2 +, cell 9 +, cell 10 +, cell 15 +, cell 24 -, undo 0"},
            {"new game after an undo", "10>24 15>17 2>16 u", "n",
             "cell 10 +, cell 15 +, cell 16 +, cell 24 -, undo 0, redo 0"},
            {"new game after undoing all", "10>24 u", "n", "redo 0"},
            {"new game at the start", "", "n", ""},
        };
        for (const auto &row : rows)
            QTest::newRow(row[0]) << QString::fromUtf8(row[1]) << QString::fromUtf8(row[2])
                                  << QString::fromUtf8(row[3]);
    }
    void notifications()
    {
        QFETCH(QString, before);
        QFETCH(QString, step);
        QFETCH(QString, expected);
        Board board;
        QVERIFY(play(board, before));
        Recorder recorder;
        board.setObserver(&recorder);
        QVERIFY(apply(board, step));
        QCOMPARE(recorder.log, expected.split(QStringLiteral(", "), Qt::SkipEmptyParts));
    }
    void newGameOnEmptyBoard()
    {
        Board board;
        Recorder recorder;
        board.setObserver(&recorder);
        board.NewGame();
        QStringList expected; // ascending cell order, no flag (both were already false)
        for (int cell : CrossCells)
            if (cell != 24)
                expected << QStringLiteral("cell %1 +").arg(cell);
        QCOMPARE(recorder.log, expected);
    }

    void completeGame()
    {
        Board board;
        board.NewGame();
        std::vector<QStringList> pictures{picture(board)};
        // tavlin::test::FullGame was found by a depth-first search run offline, not taken from a
        // publication; this test is what proves it, jump by jump, through the engine.
        for (int count = 1; count <= 31; ++count) {
            const auto [from, to] = test::FullGame[std::size_t(count - 1)];
            const Move move{Cell(from), Cell(to)};
            QVERIFY2(board.TryMove(move.from, move.to), qPrintable(str(move)));
            QCOMPARE(int(board.MoveCount()), count);
            QCOMPARE(str(board.Moves(count)), str(move));
            QCOMPARE(str(board.Moves(32)), QStringLiteral("0>0"));
            QCOMPARE(marbleCount(board), 32 - count);
            pictures.push_back(picture(board));
        }
        QCOMPARE(picture(board), (QStringList{"  ...  ", "  ...  ", ".......", "...o...", ".......",
                                              "  ...  ", "  ...  "}));
        QVERIFY(!board.CanRedo());
        for (int count = 30; count >= 0; --count) {
            board.UndoMove();
            QCOMPARE(int(board.MoveCount()), count);
            QCOMPARE(picture(board), pictures[std::size_t(count)]);
            QCOMPARE(str(board.Moves(32)), QStringLiteral("0>0"));
        }
        QCOMPARE(picture(board), StartPicture);
        QVERIFY(!board.CanUndo() && board.CanRedo());
        for (int count = 1; count <= 31; ++count) {
            board.RedoMove();
            QCOMPARE(int(board.MoveCount()), count);
            QCOMPARE(picture(board), pictures[std::size_t(count)]);
            QCOMPARE(str(board.Moves(32)), QStringLiteral("0>0"));
            QCOMPARE(board.CanRedo(), count < 31);
        }
        QVERIFY(board.CanUndo() && !board.CanRedo());
    }

    // Random operations against the model; the seed is fixed and printed on failure.
    void randomOperations()
    {
        constexpr unsigned Seed = 20240611;
        std::mt19937 rng(Seed);
        Board board;
        Recorder recorder;
        board.setObserver(&recorder);
        Model model;
        for (int step = 0; step < 20000; ++step) {
            const Marbles before = marblesOf(board);
            const bool undoBefore = board.CanUndo(), redoBefore = board.CanRedo();
            recorder.log.clear();
            QString op = QStringLiteral("NewGame"), error;
            if (step == 0) {
                board.NewGame();
                model.newGame();
            } else {
                op = randomOperation(board, model, rng, error);
            }
            if (error.isEmpty())
                error = compareWithModel(board, model);
            QStringList heard = recorder.log;
            heard.sort();
            const QStringList changes = changesOf(before, undoBefore, redoBefore, board);
            if (error.isEmpty() && heard != changes)
                error = QStringLiteral("heard [%1], changes [%2]")
                            .arg(recorder.log.join(u", "), changes.join(u", "));
            // An undo followed by a redo, or a redo followed by an undo, restores the board.
            if (error.isEmpty() && op.endsWith(u"doMove") && marblesOf(board) != before) {
                Board probe = board;
                probe.setObserver(nullptr);
                op == u"UndoMove" ? probe.RedoMove() : probe.UndoMove();
                if (marblesOf(probe) != before)
                    error = QStringLiteral("the opposite operation did not restore the board");
            }
            if (!error.isEmpty())
                QFAIL(qPrintable(
                    QStringLiteral("seed %1, step %2, %3: %4").arg(Seed).arg(step).arg(op, error)));
        }
    }
};

QTEST_APPLESS_MAIN(TestBoard)
#include "tst_board.moc"
