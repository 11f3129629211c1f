// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// What every window of the program shares from the application: its name, version and icon, and
// the fonts its layouts name.
#pragma once

namespace tavlin {

// Call once, right after the QApplication is made (the program and the window tests alike).
void installApplicationDetails();

} // namespace tavlin
