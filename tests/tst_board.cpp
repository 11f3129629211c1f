// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// The rules without a window: a long seeded walk of jumps (legal ones, and any pair of cells at
// all), undos, redos and new games against a small model of the game written
// from the rules.
#include "board.h"

#include <QTest>

#include <random>

using namespace tavlin;

class TestBoard : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A new game, then at random: mostly a legal jump, searched for so that
    // games go deep, else any near pair, some off the grid or beyond 16 bits; undos, redos and
    // now and then a new game. After every step the board agrees with the model (the marbles,
    // the jumps in the columns of a table, those after the cursor taken back and ready to replay
    // up to the first empty column), and TryMove says whether the jump was legal.
    void walk()
    {
        std::mt19937 rng(20240611);
        auto below = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
        Board board;
        std::array<bool, CellCount + 1> marbles{}; // the last one for any cell off the board
        std::array<Move, HistoryColumns + 2> columns{};
        std::size_t cursor = 0;
        const auto has = [&](long cell) { return marbles[IsPlayableCell(int(cell)) ? cell : CellCount]; };
        const auto step = [&](bool forward) {
            const Move move = columns[forward ? ++cursor : cursor--];
            marbles[move.from] = marbles[(move.from + move.to) / 2] = !forward;
            marbles[move.to] = forward;
        };
        const auto legal = [&](long from, long to) {
            return IsPlayableCell(int(from)) && IsPlayableCell(int(to)) && has(from) && !has(to) &&
                   has((from + to) / 2) &&
                   (std::labs(to - from) == 14 || (std::labs(to - from) == 2 && from / 7 == to / 7));
        };
        for (int n = 0; n < 20000; ++n) {
            const int dice = n == 0 ? 0 : below(1000);
            long from = below(63) - 7, to = from + below(33) - 16;
            for (int tries = 0; dice < 800 && tries < 400 && !legal(from, to); ++tries)
                from = below(49), to = from + std::array{-14, -2, 2, 14}[std::size_t(below(4))];
            if (dice % 50 == 0)
                (dice % 100 ? from : to) += 65536;
            if (dice < 3) {
                columns = {}, cursor = 0, board.NewGame();
                for (int cell = 0; cell < CellCount; ++cell)
                    marbles[std::size_t(cell)] = IsPlayableCell(cell) && cell != CentreCell;
            } else if (dice < 280) {
                if (dice < 140 ? cursor > 0 : columns[cursor + 1].from != 0)
                    step(dice >= 140);
                dice < 140 ? board.UndoMove() : board.RedoMove();
            } else {
                const bool ok = legal(from, to);
                if (ok) // a new jump cuts off what could be redone
                    columns[cursor + 1] = {Cell(from), Cell(to)}, columns[cursor + 2] = {}, step(true);
                QCOMPARE(board.TryMove(int(from), int(to)), ok);
            }
            QString seen = QString::number(n), expected = seen;
            for (int cell = 0; cell < CellCount; ++cell)
                seen += board.HasMarble(cell) ? "o" : ".", expected += marbles[std::size_t(cell)] ? "o" : ".";
            QCOMPARE(seen + QString(" %1 %2 %3").arg(board.MoveCount()).arg(board.CanUndo()).arg(board.CanRedo()),
                     expected + QString(" %1 %2 %3").arg(cursor).arg(cursor > 0).arg(columns[cursor + 1].from != 0));
        }
    }
};

QTEST_APPLESS_MAIN(TestBoard)
#include "tst_board.moc"
