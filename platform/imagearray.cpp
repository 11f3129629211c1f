// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// Image controls and their arrays; see imagearray.h.
#include "imagearray.h"

#include "form.h"
#include "picture.h"

#include <QPainter>

namespace tavlin {

ImageControl::ImageControl(ImageArray &array, int index)
    : QWidget(&array), m_array(array), m_index(index)
{
    // The form does the hit testing, so images never take pointer events themselves.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setObjectName(QStringLiteral("%1(%2)").arg(array.objectName()).arg(index));
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

ImageArray::ImageArray(FormSurface &form, const QString &name) : QWidget(&form), m_form(form)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(form.rect());
    show();
    m_elements.emplace(0, new ImageControl(*this, 0));
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
    auto *element = new ImageControl(*this, index);
    element->setPicture(model->picture());
    element->resize(model->size());
    element->setDragMode(model->dragMode());
    element->setDragIcon(model->dragIcon());
    m_elements.emplace(index, element);
    return element;
}

ImageControl *ImageArray::elementAt(QPoint pos) const
{
    // Children paint in the order they were made, so the last one made lies on top.
    const QObjectList &elements = children();
    for (auto it = elements.rbegin(); it != elements.rend(); ++it) {
        auto *element = qobject_cast<ImageControl *>(*it);
        if (element && element->isVisible() && element->geometry().contains(pos))
            return element;
    }
    return nullptr;
}

} // namespace tavlin
