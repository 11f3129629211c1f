// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// The game of marble solitaire on the 33-hole cross, without any window: the board, the jump rule
// and the move history with undo and redo. Whoever shows the game attaches a BoardObserver and
// learns of every change before the call that made it returns.
#pragma once

#include <array>
#include <cstdint>

namespace tavlin {

// A cell of the 7 x 7 grid: row * 7 + column. Cell 0 is a corner and never playable, so 0 also
// stands for "no cell".
using Cell = std::int16_t;

inline constexpr int GridSize = 7;
inline constexpr int CellCount = GridSize * GridSize;
inline constexpr Cell CentreCell = 24;
inline constexpr int HistoryColumns = 35;

// The cross: every cell of the middle three rows or the middle three columns.
constexpr bool IsPlayable(int row, int column)
{
    const bool inGrid = row >= 0 && row < GridSize && column >= 0 && column < GridSize;
    return inGrid && ((row >= 2 && row <= 4) || (column >= 2 && column <= 4));
}

constexpr bool IsPlayableCell(int cell)
{
    return cell >= 0 && cell < CellCount && IsPlayable(cell / GridSize, cell % GridSize);
}

// One column of the history: the jump's from and to cells; from == 0 means the column is empty.
struct Move {
    Cell from = 0;
    Cell to = 0;
    friend bool operator==(const Move &, const Move &) = default;
};

class BoardObserver {
public:
    virtual ~BoardObserver() = default;
    // A cell gained or lost its marble.
    virtual void cellChanged(Cell cell, bool hasMarble) = 0;
    // Undo or redo became available or unavailable.
    virtual void canUndoChanged(bool canUndo) = 0;
    virtual void canRedoChanged(bool canRedo) = 0;
};

class Board {
public:
    // An empty board with an empty history: NewGame sets up the starting position.
    Board() = default;
    // Not copyable: a copy would go on reporting its own changes to the original's observer,
    // which would then show a game that is not the one it holds.
    Board(const Board &) = delete;
    Board &operator=(const Board &) = delete;

    // The observer must outlive the board or be detached with nullptr.
    void setObserver(BoardObserver *observer) { m_observer = observer; }

    bool HasMarble(int cell) const;

    // Every playable cell filled but the centre; the history cleared.
    void NewGame();

    // Applies the jump from -> to and returns true when it is legal; otherwise changes nothing.
    bool TryMove(int from, int to);

    // Take back the last applied jump, or replay the one taken back most recently. Each does
    // nothing when it is not available.
    void UndoMove();
    void RedoMove();

    bool CanUndo() const { return m_canUndo; }
    bool CanRedo() const { return m_canRedo; }
    std::int16_t MoveCount() const { return m_moveCount; }

    // Column 1 to 35 of the history; an empty Move for a column outside that range.
    Move Moves(int column) const;

private:
    void setMarble(Cell cell, bool hasMarble);
    void setCanUndo(bool canUndo);
    void setCanRedo(bool canRedo);
    static Cell jumpedOver(const Move &move)
    {
        return static_cast<Cell>((move.from + move.to) / 2);
    }

    std::array<bool, CellCount> m_marbles{};
    std::array<Move, HistoryColumns + 1> m_moves{}; // index 0 unused: columns are numbered from 1
    std::int16_t m_moveCount = 0;
    bool m_canUndo = false;
    bool m_canRedo = false;
    BoardObserver *m_observer = nullptr;
};

} // namespace tavlin
