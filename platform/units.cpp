// Conversions from the layouts' measures, fonts, colour values and key states to Qt's.
#include "units.h"

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

QFont layoutFont(qreal points, bool bold)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

int shiftState(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) + (modifiers & Qt::ControlModifier ? 2 : 0) +
           (modifiers & Qt::AltModifier ? 4 : 0);
}

} // namespace tavlin
