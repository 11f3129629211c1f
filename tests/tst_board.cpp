// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// The rules without a window: a long seeded walk of jumps (a complete game, then legal ones and
// any pair of cells at all), undos, redos and new games against a small model of the game written
// from the rules.
#include "board.h"

#include <QTest>

#include <random>
#include <string>

using namespace tavlin;

namespace {

// What a player can see, as "holes 10 17 +0 | count 1 undo+ redo-": the empty cells of the cross
// and any marble off it, the count of jumps and the two flags.
template <class Game> QString stateOf(const Game &game)
{
    using std::to_string;
    std::string line = "holes";
    for (int cell = 0; cell < 49; ++cell)
        if (game.HasMarble(cell) != IsPlayableCell(cell))
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
        return IsPlayableCell(int(from)) && IsPlayableCell(int(to)) && HasMarble(int(from)) &&
               !HasMarble(int(to)) && HasMarble(int(from + to) / 2) &&
               (apart == 14 || (apart == 2 && from / 7 == to / 7));
    }
    void step(bool forward)
    {
        const Move move = columns[std::size_t(forward ? ++cursor : cursor--)];
        marbles[move.from] = marbles[(move.from + move.to) / 2] = !forward;
        marbles[move.to] = forward;
    }
};

// A published complete game: 31 jumps from the starting position that leave one marble, in the
// centre.
constexpr std::pair<int, int> FullGame[] = {
    {10, 24}, {15, 17}, {2, 16},  {4, 2},   {17, 15}, {14, 16}, {18, 4},  {20, 18},
    {23, 9},  {2, 16},  {21, 23}, {23, 9},  {25, 23}, {27, 25}, {25, 11}, {4, 18},
    {30, 16}, {9, 23},  {28, 30}, {31, 29}, {39, 25}, {34, 32}, {44, 30}, {23, 37},
    {46, 44}, {44, 30}, {29, 31}, {31, 33}, {18, 32}, {33, 31}, {38, 24},
};

} // namespace

class TestBoard : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A new game and the complete game, then at random: mostly a legal jump, searched for so that
    // games go deep, else any near pair, some off the grid or beyond 16 bits; undos, redos and
    // now and then a new game. After every step the whole state agrees with the model, and
    // TryMove says whether the jump was legal.
    void walk()
    {
        std::mt19937 rng(20240611);
        auto below = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
        Board board;
        Model model;
        for (int step = 0; step < 20000; ++step) {
            const bool complete = step >= 1 && step <= 31;
            const int dice = step == 0 ? 0 : complete ? 301 : below(1000);
            long from = below(63) - 7, to = from + below(33) - 16;
            if (complete)
                from = FullGame[step - 1].first, to = FullGame[step - 1].second;
            for (int tries = 0; dice < 800 && tries < 400 && !model.legal(from, to); ++tries)
                from = below(49), to = from + std::array{-14, -2, 2, 14}[std::size_t(below(4))];
            if (dice % 50 == 0)
                (dice % 100 ? from : to) += 65536;
            if (dice < 3) {
                model = {};
                for (int cell = 0; cell < 49; ++cell)
                    model.marbles[std::size_t(cell)] = IsPlayableCell(cell) && cell != CentreCell;
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
};

QTEST_APPLESS_MAIN(TestBoard)
#include "tst_board.moc"
