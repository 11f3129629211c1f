// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// Window measures as the layouts state them: twips (1/1440 inch, 15 to the pixel at 96 dpi) and
// colours in blue-green-red order with a flag bit for system colours. Qt works in logical pixels
// and scales them for the screen, so a twip is always 1/15 of a logical pixel here.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>

class QWidget;

namespace tavlin {

inline constexpr int TwipsPerPixel = 15;

// Every window's frame: a caption with the system menu and close box, no minimise or maximise.
inline constexpr Qt::WindowFlags FixedWindowFrame = Qt::Window | Qt::CustomizeWindowHint |
                                                    Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                                    Qt::WindowCloseButtonHint;

// Whole pixels, rounded towards minus infinity as the layouts' integer arithmetic does.
constexpr int twipsToPixels(double twips)
{
    const double pixels = twips / TwipsPerPixel;
    const int truncated = int(pixels);
    return truncated - (pixels < truncated ? 1 : 0);
}

constexpr double pixelsToTwips(double pixels)
{
    return pixels * TwipsPerPixel;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

// 0x00BBGGRR for an explicit colour; 0x80000000 plus an index for a system colour, taken from
// the given palette.
QColor colorFromBgr(quint32 value, const QPalette &palette);
// One role of w's own palette set to such a value.
void setColor(QWidget *w, QPalette::ColorRole role, quint32 value);

// The face the window layouts are measured in, at the given size.
QFont layoutFont(qreal points, bool bold = false);

// The Shift/Ctrl/Alt state as the handlers take it: the sum of the keys held.
inline constexpr int ShiftKey = 1;
inline constexpr int CtrlKey = 2;
inline constexpr int AltKey = 4;
// A press with that key alone held.
inline constexpr int ShiftOnly = ShiftKey;
inline constexpr int CtrlOnly = CtrlKey;

int shiftState(Qt::KeyboardModifiers modifiers);

// Mouse buttons as the handlers take them; a move reports the sum of the buttons held.
inline constexpr int LeftButton = 1;
inline constexpr int RightButton = 2;
inline constexpr int MiddleButton = 4;

int buttonCode(Qt::MouseButton button);
int buttonState(Qt::MouseButtons buttons);

} // namespace tavlin
