// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// Draws a vector picture at an exact pixel size, never scaled from another size.
#include "svgdrawing.h"

#include <QPainter>
#include <QSvgRenderer>

namespace tavlin {

QImage drawSvg(QSvgRenderer &svg, QSize pixelSize, QImage::Format format)
{
    if (pixelSize.isEmpty())
        return {};

    QImage image(pixelSize, format);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    svg.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixelSize)));
    return image;
}

} // namespace tavlin
