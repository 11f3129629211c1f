// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// Fixed text boxes against the fonts a system really has: the layouts were measured in one face,
// and a wider stand-in for it must not cut what a player reads.
#pragma once

class QWidget;

namespace tavlin {

// Steps the box's font down a quarter point at a time, to no less than 6 points, until its text
// shows whole in the box; a text that fits keeps its font. Knows labels, push buttons, line edits
// and text edits without scroll bars. Call it once the box has its geometry, text and font.
void fitText(QWidget *box);

} // namespace tavlin
