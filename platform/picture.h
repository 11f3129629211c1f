// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// The program's pictures, drawn as scalable vector sources and rendered at the device pixel ratio
// of the screen that shows them, so they stay sharp at every scale.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

#include <map>
#include <memory>
#include <utility>

class QSvgRenderer;

namespace tavlin {

class Picture {
public:
    // The green marble: every marble image, the drag icon and the icon of every window.
    static const Picture &marble();
    // The empty hole.
    static const Picture &hole();
    // The small picture of the whole board in the About window.
    static const Picture &boardIcon();
    // The maker's banner in the About window.
    static const Picture &banner();

    // The size in logical pixels at which the windows show the picture.
    QSize size() const { return m_size; }

    // The picture at size() logical pixels for a screen of the given device pixel ratio; cached.
    QPixmap pixmap(qreal devicePixelRatio) const;

    // The picture rendered into exactly pixelSize device pixels, transparent outside its shape.
    QImage render(QSize pixelSize) const;

    // The picture at the usual icon sizes, for window and application icons.
    QIcon icon() const;

    // The picture at exactly pixelSize device pixels, as a pixmap at a ratio of 1; cached. Icons
    // take each of their sizes from here.
    QPixmap sized(QSize pixelSize) const;

private:
    Picture(QString resource, QSize size);
    ~Picture();

    // The parsed source, read on first use and kept: parsing costs more than drawing a small size.
    QSvgRenderer &renderer() const;
    // The picture at exactly pixelSize device pixels: the build's raw pixels of that size where
    // there are any (NAME-WxH.argb beside NAME.svg), otherwise render(pixelSize).
    QImage image(QSize pixelSize) const;

    QString m_resource;
    QSize m_size;
    // Filled on first use; the pictures are only ever drawn from the UI thread.
    mutable std::unique_ptr<QSvgRenderer> m_renderer;
    mutable std::map<qreal, QPixmap> m_pixmaps;
    mutable std::map<std::pair<int, int>, QPixmap> m_sized;
};

} // namespace tavlin
