// Image controls and their arrays; see imagearray.h.
#include "imagearray.h"

#include "form.h"
#include "picture.h"

#include <QPainter>

namespace tavlin {

ImageControl::ImageControl(ImageArray &array, int index, QWidget *layer)
    : QWidget(layer), m_array(array), m_index(index)
{
    // The form does the hit testing, so images never take pointer events themselves.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void ImageControl::setPicture(const Picture *picture)
{
    m_picture = picture;
    if (picture)
        resize(picture->size());
    update();
}

void ImageControl::Move(int left, int top)
{
    move(m_array.form().fromUnits(QPoint(left, top)));
}

void ImageControl::paintEvent(QPaintEvent *)
{
    if (!m_picture)
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture->pixmap(devicePixelRatioF()));
}

ImageArray::ImageArray(FormSurface &form, const QString &name)
    : QObject(&form), m_form(form), m_layer(new QWidget(&form))
{
    setObjectName(name);
    m_layer->setObjectName(name + QStringLiteral("Layer"));
    m_layer->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_layer->setGeometry(form.rect());
    m_layer->show();
    form.addArray(this);

    auto *element = new ImageControl(*this, 0, m_layer);
    element->setObjectName(QStringLiteral("%1(0)").arg(name));
    m_elements.emplace(0, element);
}

ImageControl *ImageArray::operator()(int index) const
{
    const auto it = m_elements.find(index);
    return it == m_elements.end() ? nullptr : it->second;
}

ImageControl *ImageArray::Load(int index)
{
    if (ImageControl *existing = (*this)(index))
        return existing;
    const ImageControl *model = m_elements.at(0);
    auto *element = new ImageControl(*this, index, m_layer);
    element->setObjectName(QStringLiteral("%1(%2)").arg(objectName()).arg(index));
    element->setPicture(model->picture());
    element->resize(model->size());
    element->setDragMode(model->dragMode());
    element->setDragIcon(model->dragIcon());
    m_elements.emplace(index, element);
    return element;
}

} // namespace tavlin
