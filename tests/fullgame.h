// A complete game on the 33-hole cross: 31 jumps from the starting position that leave one marble
// in the centre. Found by a depth-first search over the board and proved by the tests that play
// it through the engine and through the window.
#pragma once

#include <array>
#include <utility>

namespace tavlin::test {

inline constexpr std::array<std::pair<int, int>, 31> FullGame{{
    {10, 24}, {15, 17}, {2, 16},  {4, 2},   {17, 15}, {14, 16}, {18, 4},  {20, 18},
    {23, 9},  {2, 16},  {21, 23}, {23, 9},  {25, 23}, {27, 25}, {25, 11}, {4, 18},
    {30, 16}, {9, 23},  {28, 30}, {31, 29}, {39, 25}, {34, 32}, {44, 30}, {23, 37},
    {46, 44}, {44, 30}, {29, 31}, {31, 33}, {18, 32}, {33, 31}, {38, 24},
}};

} // namespace tavlin::test
