// Renders the SVG pictures compiled into the program. Each picture is drawn afresh at the exact
// device pixel size asked for, never scaled from a smaller bitmap, and kept once drawn.
#include "picture.h"

#include <QIconEngine>
#include <QPainter>
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
    QPixmap pixmap = QPixmap::fromImage(
        render(QSize(devicePixels(m_size.width()), devicePixels(m_size.height()))));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    m_pixmaps.emplace(devicePixelRatio, pixmap);
    return pixmap;
}

QImage Picture::render(QSize pixelSize) const
{
    if (pixelSize.isEmpty())
        return {};

    QImage image(pixelSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(m_resource);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixelSize)));
    return image;
}

namespace {

// Draws each size of an icon from the vector picture only when a desktop asks for it: sharp at
// every size, nothing drawn ahead at start-up, and no icon plugin to load.
class PictureIconEngine : public QIconEngine {
public:
    explicit PictureIconEngine(const Picture &picture) : m_picture(picture) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode, QIcon::State) override
    {
        const qreal ratio = painter->device()->devicePixelRatioF();
        painter->drawImage(rect, m_picture.render(rect.size() * ratio));
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        return QPixmap::fromImage(m_picture.render(size));
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
