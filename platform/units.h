// Window measures as the layouts state them: twips (1/1440 inch, 15 to the pixel at 96 dpi) and
// colours in blue-green-red order with a flag bit for system colours. Qt works in logical pixels
// and scales them for the screen, so a twip is always 1/15 of a logical pixel here.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>

namespace tavlin {

inline constexpr int TwipsPerPixel = 15;

// Every window's frame: a caption with the system menu and close box, no minimise or maximise.
inline constexpr Qt::WindowFlags FixedWindowFrame = Qt::Window | Qt::CustomizeWindowHint |
                                                    Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                                    Qt::WindowCloseButtonHint;

constexpr int twipsToPixels(int twips)
{
    return twips / TwipsPerPixel;
}

constexpr int pixelsToTwips(int pixels)
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

// The face the window layouts are measured in, at the given size.
QFont layoutFont(qreal points, bool bold = false);

// The Shift/Ctrl/Alt state as the handlers take it: the sum of 1, 2 and 4.
int shiftState(Qt::KeyboardModifiers modifiers);

} // namespace tavlin
