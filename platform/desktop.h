// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// Where desktop sessions differ in what a window may know and do. X11, Windows and macOS tell a
// window where every window lies on the screen and let it grab the pointer; Wayland tells a
// client neither, and grants pointer grabs to popups only (its compositor keeps the pointer with
// the pressed window until the button comes up, which is all a drag needs).
#pragma once

#include <QCursor>

class QPixmap;

namespace tavlin::desktop {

// Whether a global position names the same point for every window of the program, so that the
// window lying over a point can be asked for.
bool knowsWindowPlaces();

// Whether QWidget::grabMouse can take the pointer outside a popup.
bool grantsPointerGrab();

// A cursor of the picture with its hot spot at the picture's centre. The pixmap carries the
// screen's device pixel ratio; X11 reads the hot spot in device pixels, the others in logical.
QCursor centredCursor(const QPixmap &picture);

} // namespace tavlin::desktop
