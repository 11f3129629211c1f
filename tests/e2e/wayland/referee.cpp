// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// The rules' side of the Wayland run's random burst: plays a seeded series of drags on its own
// board and prints each as "FROM TO", then the 33 playable cells in cell order as the script
// reads them from the screen (o a marble, . a hole). Most drags are legal jumps, so that the game
// goes somewhere; the rest take a random marble to any playable cell, mostly changing nothing.
// Usage: referee SEED COUNT
#include "board.h"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <utility>
#include <vector>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SEED COUNT\n", argv[0]);
        return 2;
    }
    std::mt19937 random(static_cast<unsigned>(std::strtoul(argv[1], nullptr, 10)));
    const long count = std::strtol(argv[2], nullptr, 10);
    const auto pick = [&random](const std::vector<int> &cells) {
        return cells[random() % cells.size()];
    };

    tavlin::Board board;
    board.NewGame();
    std::vector<int> playable;
    for (int cell = 0; cell < tavlin::CellCount; ++cell)
        if (tavlin::IsPlayableCell(cell))
            playable.push_back(cell);

    for (long drag = 0; drag < count; ++drag) {
        // A jump lands two cells away in a straight line, over a marble, into a hole.
        std::vector<int> marbles;
        std::vector<std::pair<int, int>> jumps;
        for (int from : playable) {
            if (!board.HasMarble(from))
                continue;
            marbles.push_back(from);
            const int row = from / tavlin::GridSize, column = from % tavlin::GridSize;
            for (const auto &[dr, dc] : {std::pair{-2, 0}, {2, 0}, {0, -2}, {0, 2}}) {
                const int to = from + dr * tavlin::GridSize + dc;
                if (tavlin::IsPlayable(row + dr, column + dc) && !board.HasMarble(to) &&
                    board.HasMarble((from + to) / 2))
                    jumps.emplace_back(from, to);
            }
        }
        const auto [from, to] = !jumps.empty() && random() % 4 != 0
                                    ? jumps[random() % jumps.size()]
                                    : std::pair{pick(marbles), pick(playable)};
        board.TryMove(from, to);
        std::printf("%d %d\n", from, to);
    }
    for (int cell : playable)
        std::putchar(board.HasMarble(cell) ? 'o' : '.');
    std::putchar('\n');
}
