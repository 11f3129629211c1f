// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// The rules of the game. Each operation reports its changes to the observer in the order of its
// steps, so the window mirrors every step before control returns to it.
#include "board.h"

#include <cstdlib>

namespace tavlin {

bool Board::HasMarble(int cell) const
{
    return cell >= 0 && cell < CellCount && m_marbles[static_cast<std::size_t>(cell)];
}

Move Board::Moves(int column) const
{
    if (column < 1 || column > HistoryColumns)
        return {};
    return m_moves[static_cast<std::size_t>(column)];
}

void Board::NewGame()
{
    for (int row = 0; row < GridSize; ++row) {
        for (int column = 0; column < GridSize; ++column) {
            const auto cell = static_cast<Cell>(row * GridSize + column);
            if (IsPlayable(row, column))
                setMarble(cell, cell != CentreCell);
        }
    }
    m_moves.fill(Move{});
    m_moveCount = 0;
    setCanUndo(false);
    setCanRedo(false);
}

bool Board::TryMove(int from, int to)
{
    // The window only proposes a marble's own cell and a hole's cell; anything else is refused
    // here rather than trusted.
    if (!IsPlayableCell(from) || !IsPlayableCell(to) || !HasMarble(from))
        return false;

    const int fromRow = from / GridSize;
    const int fromColumn = from % GridSize;
    const int toRow = to / GridSize;
    const int toColumn = to % GridSize;
    const bool vertical = std::abs(toRow - fromRow) == 2 && toColumn == fromColumn;
    const bool horizontal = std::abs(toColumn - fromColumn) == 2 && toRow == fromRow;
    if (!vertical && !horizontal)
        return false;

    const Move move{static_cast<Cell>(from), static_cast<Cell>(to)};
    if (!HasMarble(jumpedOver(move)) || HasMarble(to))
        return false;

    // A game has at most 31 jumps, so the table never fills; the guard only keeps it in bounds.
    if (m_moveCount >= HistoryColumns - 1)
        return false;

    setCanUndo(true);
    setCanRedo(false);

    ++m_moveCount;
    m_moves[static_cast<std::size_t>(m_moveCount)] = move;
    m_moves[static_cast<std::size_t>(m_moveCount + 1)] = Move{};

    setMarble(move.from, false);
    setMarble(jumpedOver(move), false);
    setMarble(move.to, true);
    return true;
}

void Board::UndoMove()
{
    if (!m_canUndo)
        return;
    const Move move = m_moves[static_cast<std::size_t>(m_moveCount)];
    setMarble(move.from, true);
    setMarble(jumpedOver(move), true);
    setMarble(move.to, false);

    --m_moveCount;
    if (m_moveCount == 0)
        setCanUndo(false);
    setCanRedo(true);
}

void Board::RedoMove()
{
    if (!m_canRedo)
        return;
    ++m_moveCount;
    const Move move = m_moves[static_cast<std::size_t>(m_moveCount)];
    setMarble(move.from, false);
    setMarble(jumpedOver(move), false);
    setMarble(move.to, true);

    if (m_moves[static_cast<std::size_t>(m_moveCount + 1)].from == 0)
        setCanRedo(false);
    setCanUndo(true);
}

void Board::setMarble(Cell cell, bool hasMarble)
{
    bool &slot = m_marbles[static_cast<std::size_t>(cell)];
    if (slot == hasMarble)
        return;
    slot = hasMarble;
    if (m_observer)
        m_observer->cellChanged(cell, hasMarble);
}

void Board::setCanUndo(bool canUndo)
{
    if (m_canUndo == canUndo)
        return;
    m_canUndo = canUndo;
    if (m_observer)
        m_observer->canUndoChanged(canUndo);
}

void Board::setCanRedo(bool canRedo)
{
    if (m_canRedo == canRedo)
        return;
    m_canRedo = canRedo;
    if (m_observer)
        m_observer->canRedoChanged(canRedo);
}

} // namespace tavlin
