// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// Renders the SVG pictures compiled into the program. Each picture is drawn at the exact device
// pixel size asked for, never scaled from another size, and kept once drawn. The few sizes that
// every start needs come drawn already by the build, as raw pixels.
#include "picture.h"
#include "svgdrawing.h"

#include <QIconEngine>
#include <QPainter>
#include <QResource>
#include <QSvgRenderer>
#include <QtMath>

#include <utility>

namespace tavlin {

const Picture &Picture::marble()
{
    static const Picture picture(QStringLiteral(":/pictures/marble.svg"), QSize(32, 32));
    return picture;
}

const Picture &Picture::hole()
{
    static const Picture picture(QStringLiteral(":/pictures/hole.svg"), QSize(32, 32));
    return picture;
}

const Picture &Picture::boardIcon()
{
    static const Picture picture(QStringLiteral(":/pictures/boardicon.svg"), QSize(32, 32));
    return picture;
}

const Picture &Picture::banner()
{
    static const Picture picture(QStringLiteral(":/pictures/banner.svg"), QSize(309, 91));
    return picture;
}

Picture::Picture(QString resource, QSize size) : m_resource(std::move(resource)), m_size(size)
{}

Picture::~Picture() = default;

QSvgRenderer &Picture::renderer() const
{
    if (!m_renderer)
        m_renderer = std::make_unique<QSvgRenderer>(m_resource);
    return *m_renderer;
}

QPixmap Picture::pixmap(qreal devicePixelRatio) const
{
    // A ratio that is not positive (or NaN) would make no picture and break the cache's ordering.
    if (!(devicePixelRatio > 0))
        devicePixelRatio = 1.0;

    const auto cached = m_pixmaps.find(devicePixelRatio);
    if (cached != m_pixmaps.end())
        return cached->second;

    // Round up so the picture is never cut short, but let float noise in a product such as
    // 32 * 1.25 stay on its whole number.
    const auto devicePixels = [devicePixelRatio](int logical) {
        return qCeil(logical * devicePixelRatio - 1e-6);
    };
    const QSize pixelSize(devicePixels(m_size.width()), devicePixels(m_size.height()));
    // At a ratio of 1 the picture is also the icon of that size: drawn once for both.
    QPixmap pixmap =
        devicePixelRatio == 1.0 ? sized(pixelSize) : QPixmap::fromImage(image(pixelSize));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    m_pixmaps.emplace(devicePixelRatio, pixmap);
    return pixmap;
}

QPixmap Picture::sized(QSize pixelSize) const
{
    const std::pair key(pixelSize.width(), pixelSize.height());
    const auto cached = m_sized.find(key);
    if (cached != m_sized.end())
        return cached->second;
    return m_sized.emplace(key, QPixmap::fromImage(image(pixelSize))).first->second;
}

QImage Picture::image(QSize pixelSize) const
{
    const int width = pixelSize.width();
    const int height = pixelSize.height();
    const QString svg = QStringLiteral(".svg");
    if (width > 0 && height > 0 && m_resource.endsWith(svg)) {
        const QResource raw(QStringLiteral("%1-%2x%3.argb")
                                .arg(QStringView(m_resource).chopped(svg.size()))
                                .arg(width)
                                .arg(height));
        // Used in place, so only if stored as it was written.
        if (raw.isValid() && raw.compressionAlgorithm() == QResource::NoCompression &&
            raw.size() == qint64(width) * height * 4)
            return QImage(raw.data(), width, height, width * 4,
                          QImage::Format_ARGB32_Premultiplied);
    }
    return render(pixelSize);
}

QImage Picture::render(QSize pixelSize) const
{
    return drawSvg(renderer(), pixelSize);
}

namespace {

// Makes each size of an icon only when a desktop asks for it, at exactly that size: sharp at every
// size, nothing made ahead, and no icon plugin to load. Each size is made once, since X11 asks for
// the same four whenever a window is made or its icon set.
class PictureIconEngine : public QIconEngine {
public:
    explicit PictureIconEngine(const Picture &picture) : m_picture(picture) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode, QIcon::State) override
    {
        const qreal ratio = painter->device()->devicePixelRatioF();
        painter->drawPixmap(rect, m_picture.sized(rect.size() * ratio));
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        return m_picture.sized(size);
    }

    QIconEngine *clone() const override { return new PictureIconEngine(m_picture); }

private:
    const Picture &m_picture;
};

} // namespace

QIcon Picture::icon() const
{
    return QIcon(new PictureIconEngine(*this));
}

} // namespace tavlin
