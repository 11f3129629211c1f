// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// The one way a vector picture becomes pixels, shared by the program and by the build's icon
// maker, so that the pixels the build prepares are those the program would draw. Needs Qt Gui and
// Svg only: the icon maker runs at build time without widgets.
#pragma once

#include <QImage>
#include <QSize>

class QSvgRenderer;

namespace tavlin {

// The picture drawn into exactly pixelSize pixels, transparent outside its shape; a null image
// for an empty size. Files that keep straight alpha (PNG) are drawn in Format_ARGB32.
QImage drawSvg(QSvgRenderer &svg, QSize pixelSize,
               QImage::Format format = QImage::Format_ARGB32_Premultiplied);

} // namespace tavlin
