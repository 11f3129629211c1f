// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// Conversions from the layouts' measures, fonts, colour values and key states to Qt's.
#include "units.h"

#include <QWidget>

namespace tavlin {

QColor colorFromBgr(quint32 value, const QPalette &palette)
{
    constexpr quint32 SystemColorFlag = 0x80000000u;
    if (value & SystemColorFlag) {
        // The few system colours the windows use, mapped to the palette's roles.
        switch (value & ~SystemColorFlag) {
        case 5: // window background
            return palette.color(QPalette::Base);
        case 8: // window text
            return palette.color(QPalette::Text);
        case 10: // active window border
        case 15: // button face
        default:
            return palette.color(QPalette::Window);
        }
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

void setColor(QWidget *w, QPalette::ColorRole role, quint32 value)
{
    QPalette palette = w->palette();
    palette.setColor(role, colorFromBgr(value, palette));
    w->setPalette(palette);
}

QFont layoutFont(qreal points, bool bold)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

int shiftState(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? ShiftKey : 0) +
           (modifiers & Qt::ControlModifier ? CtrlKey : 0) +
           (modifiers & Qt::AltModifier ? AltKey : 0);
}

int buttonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return LeftButton;
    case Qt::RightButton:
        return RightButton;
    case Qt::MiddleButton:
        return MiddleButton;
    default:
        return 0;
    }
}

int buttonState(Qt::MouseButtons buttons)
{
    int state = 0;
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
        state += buttons.testFlag(button) ? buttonCode(button) : 0;
    return state;
}

} // namespace tavlin
