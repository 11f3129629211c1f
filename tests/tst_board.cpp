// The rules without a window, checked two ways: a long seeded walk of jumps (legal ones and any
// pair of cells at all), undos, redos and new games against a small model of the game written
// from the rules, and a complete game played, taken back and replayed.
#include "board.h"
#include "fullgame.h"

#include <QTest>

#include <array>
#include <random>
#include <string>
#include <vector>

using namespace tavlin;

namespace {

bool onCross(long cell)
{
    const long row = cell / 7, column = cell % 7;
    return cell >= 0 && cell < 49 && ((row >= 2 && row <= 4) || (column >= 2 && column <= 4));
}

// What a player can see, as "holes 10 17 +0 | count 1 undo+ redo-": the empty cells of the cross
// and any marble off it, the count of jumps and the two flags.
template <class Game> QString stateOf(const Game &game)
{
    using std::to_string;
    std::string line = "holes";
    for (int cell = 0; cell < 49; ++cell)
        if (game.HasMarble(cell) != onCross(cell))
            line += (game.HasMarble(cell) ? " +" : " ") + to_string(cell);
    line += " | count " + to_string(game.MoveCount()) + (game.CanUndo() ? " undo+" : " undo-") +
            (game.CanRedo() ? " redo+" : " redo-");
    return QString::fromStdString(line);
}

// The game as the rules tell it: the jumps in the columns of a table, those after the cursor
// taken back and ready to replay up to the first empty column.
struct Model {
    std::array<bool, 49> marbles{};
    std::array<Move, HistoryColumns + 2> columns{};
    int cursor = 0;

    bool HasMarble(int cell) const { return marbles[std::size_t(cell)]; }
    int MoveCount() const { return cursor; }
    bool CanUndo() const { return cursor > 0; }
    bool CanRedo() const { return columns[std::size_t(cursor) + 1].from != 0; }
    bool legal(long from, long to) const
    {
        const long apart = std::labs(to - from);
        return onCross(from) && onCross(to) && HasMarble(int(from)) && !HasMarble(int(to)) &&
               HasMarble(int(from + to) / 2) && (apart == 14 || (apart == 2 && from / 7 == to / 7));
    }
    void step(bool forward)
    {
        const Move move = columns[std::size_t(forward ? ++cursor : cursor--)];
        marbles[move.from] = marbles[(move.from + move.to) / 2] = !forward;
        marbles[move.to] = forward;
    }
};

} // namespace

class TestBoard : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // After every step the whole state agrees with the model, and TryMove says whether the jump
    // was legal.
    void randomWalk()
    {
        std::mt19937 rng(20240611);
        auto below = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
        Board board;
        Model model;
        for (int step = 0; step < 20000; ++step) {
            const int dice = step == 0 ? 0 : below(1000);
            std::vector<Move> jumps;
            for (int from = 0; from < 49; ++from)
                for (int to : {from - 14, from - 2, from + 2, from + 14})
                    if (model.legal(from, to))
                        jumps.push_back({Cell(from), Cell(to)});
            // Mostly a legal jump so that games go deep, else any near pair, some off the grid
            // or beyond 16 bits.
            long from = below(63) - 7, to = from + below(33) - 16;
            if (dice < 800 && !jumps.empty()) {
                const Move jump = jumps[std::size_t(below(int(jumps.size())))];
                from = jump.from, to = jump.to;
            } else if (dice % 50 == 0) {
                (dice % 100 ? from : to) += 65536;
            }
            if (dice < 3) {
                model = {};
                for (int cell = 0; cell < 49; ++cell)
                    model.marbles[std::size_t(cell)] = onCross(cell) && cell != CentreCell;
                board.NewGame();
            } else if (dice < 280) {
                const bool undo = dice < 140;
                if (undo ? model.CanUndo() : model.CanRedo())
                    model.step(!undo);
                undo ? board.UndoMove() : board.RedoMove();
            } else {
                const bool legal = model.legal(from, to);
                if (legal) { // a new jump cuts off what could be redone
                    model.columns[std::size_t(model.cursor) + 1] = {Cell(from), Cell(to)};
                    model.columns[std::size_t(model.cursor) + 2] = {};
                    model.step(true);
                }
                QCOMPARE(board.TryMove(int(from), int(to)), legal);
            }
            QCOMPARE(QString::number(step) + stateOf(board),
                     QString::number(step) + stateOf(model));
        }
    }

    // The published complete game leaves one marble, in the centre; all 31 jumps are taken back
    // to the start and replayed.
    void completeGame()
    {
        Board board;
        board.NewGame();
        const QString start = stateOf(board).section(u'|', 0, 0);
        for (const auto &[from, to] : test::FullGame)
            QVERIFY(board.TryMove(from, to));
        const QString end = stateOf(board);
        for (int cell = 0; cell < 49; ++cell)
            QCOMPARE(board.HasMarble(cell), cell == CentreCell);
        for (int k = 0; k < 31; ++k)
            board.UndoMove();
        QCOMPARE(stateOf(board), start + "| count 0 undo- redo+");
        for (int k = 0; k < 31; ++k)
            board.RedoMove();
        QCOMPARE(stateOf(board), end);
    }
};

QTEST_APPLESS_MAIN(TestBoard)
#include "tst_board.moc"
