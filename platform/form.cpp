// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// The client area, its coordinate system and the hand-made drag; see form.h.
#include "form.h"

#include "desktop.h"
#include "imagearray.h"
#include "picture.h"
#include "units.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>

namespace tavlin {

FormSurface::FormSurface(QWidget *parent) : QWidget(parent)
{
    // Moves without a button reach the form only over its background: that is the form's own
    // mouse-move event.
    setMouseTracking(true);
}

FormSurface::~FormSurface()
{
    // The override cursor belongs to the whole application; never leave it behind.
    releaseDrag();
}

QPoint FormSurface::fromUnits(QPoint units) const
{
    if (m_scaleWidth <= 0 || m_scaleHeight <= 0)
        return units;
    return {units.x() * width() / m_scaleWidth, units.y() * height() / m_scaleHeight};
}

QPoint FormSurface::toUnits(QPointF pixels) const
{
    if (m_scaleWidth <= 0 || m_scaleHeight <= 0 || width() <= 0 || height() <= 0)
        return pixels.toPoint();
    return {int(pixels.x() * m_scaleWidth / width()), int(pixels.y() * m_scaleHeight / height())};
}

ImageControl *FormSurface::imageAt(QPoint pos) const
{
    // The arrays are the form's children, the last made lying on top.
    const QObjectList &layers = children();
    for (auto it = layers.rbegin(); it != layers.rend(); ++it) {
        if (const auto *array = qobject_cast<const ImageArray *>(*it))
            if (ImageControl *image = array->elementAt(pos))
                return image;
    }
    return nullptr;
}

bool FormSurface::isOverForm(QPoint pos, QPoint globalPos) const
{
    if (!rect().contains(pos))
        return false;
    // Only where global positions mean the same for every window can a window lying over the
    // form be found; elsewhere another window's place would be a guess, and the form's own
    // events are all there is to go by.
    if (!desktop::knowsWindowPlaces())
        return true;
    const QWidget *top = QApplication::widgetAt(globalPos);
    return top && (top == this || isAncestorOf(top));
}

void FormSurface::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (m_dragSource) {
        // A press while we still think a drag is under way means its release was lost (the
        // grab was broken from outside): end that drag first, then take the press as usual.
        if (!(event->buttons() & ~event->button() & Qt::LeftButton))
            cancelDrag();
        else
            return;
    }
    const int button = buttonCode(event->button());
    const int shift = shiftState(event->modifiers());
    const QPoint units = toUnits(event->position());
    ImageControl *image = imageAt(pos);
    if (!image) {
        Q_EMIT MouseDown(button, shift, units.x(), units.y());
    } else if (image->dragMode() == DragMode::Automatic) {
        if (event->button() == Qt::LeftButton)
            beginDrag(image, pos);
    } else {
        Q_EMIT image->array().MouseDown(image->Index(), button, shift, units.x(), units.y());
    }
}

void FormSurface::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (m_dragSource) {
        // Without the button the release went elsewhere: where the pointer is now is not
        // where the player let go, so this is no drop.
        if (event->buttons() & Qt::LeftButton)
            dragTo(pos, event->globalPosition().toPoint());
        else
            cancelDrag();
        return;
    }
    if (!imageAt(pos)) {
        const QPoint units = toUnits(event->position());
        Q_EMIT MouseMove(buttonState(event->buttons()), shiftState(event->modifiers()), units.x(),
                         units.y());
    }
}

void FormSurface::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_dragSource && event->button() == Qt::LeftButton)
        endDrag(event->position().toPoint(), event->globalPosition().toPoint());
}

void FormSurface::resizeEvent(QResizeEvent *event)
{
    for (ImageArray *array : findChildren<ImageArray *>(Qt::FindDirectChildrenOnly))
        array->setGeometry(rect());
    QWidget::resizeEvent(event);
}

void FormSurface::hideEvent(QHideEvent *event)
{
    // A window closed or minimised in the middle of a drag takes the drag with it.
    if (m_dragSource)
        cancelDrag();
    QWidget::hideEvent(event);
}

bool FormSurface::eventFilter(QObject *watched, QEvent *event)
{
    // Watched only while a drag is under way. A popup (a menu opened from the keyboard) takes the
    // pointer the moment it shows, and a window that is no longer active has lost it to another
    // program: either way the release will not come here. Ending the drag before the popup's
    // own grab begins also keeps Qt from handing the grab back to this form when it closes.
    const bool popupShown = event->type() == QEvent::Show && watched->isWidgetType() &&
                            static_cast<QWidget *>(watched)->windowType() == Qt::Popup;
    const bool deactivated = event->type() == QEvent::WindowDeactivate && watched == window();
    if (popupShown || deactivated)
        cancelDrag();
    return QWidget::eventFilter(watched, event);
}

void FormSurface::beginDrag(ImageControl *source, QPoint pos)
{
    m_dragSource = source;
    m_dragTarget = nullptr;
    // The form must keep the pointer outside the window too. Where the desktop does not keep it
    // with the pressed window by itself (X11), that takes a grab.
    if (desktop::grantsPointerGrab())
        grabMouse();
    qApp->installEventFilter(this);
    if (const Picture *icon = source->dragIcon()) {
        QApplication::setOverrideCursor(desktop::centredCursor(icon->pixmap(devicePixelRatioF())));
    } else {
        QApplication::setOverrideCursor(QCursor(Qt::DragMoveCursor));
    }
    dragTo(pos, mapToGlobal(pos));
}

void FormSurface::dragTo(QPoint pos, QPoint globalPos)
{
    ImageControl *target = isOverForm(pos, globalPos) ? imageAt(pos) : nullptr;
    ImageControl *source = m_dragSource;
    const QPoint units = toUnits(QPointF(pos));
    const auto over = [&](ImageControl *image, DragState state) {
        Q_EMIT image->array().DragOver(image->Index(), source, units.x(), units.y(), state);
    };
    if (target != m_dragTarget) {
        if (ImageControl *left = m_dragTarget; left && left->isVisible())
            over(left, DragState::Leave);
        m_dragTarget = target;
        if (target && m_dragSource)
            over(target, DragState::Enter);
    } else if (target && m_dragSource) {
        over(target, DragState::Over);
    }
}

void FormSurface::endDrag(QPoint pos, QPoint globalPos)
{
    const bool overForm = isOverForm(pos, globalPos);
    ImageControl *target = overForm ? imageAt(pos) : nullptr;
    ImageControl *source = releaseDrag();
    if (!source)
        return;
    const QPoint units = toUnits(QPointF(pos));
    if (!overForm)
        Q_EMIT DragCancelled(source);
    else if (target)
        Q_EMIT target->array().DragDrop(target->Index(), source, units.x(), units.y());
    else
        Q_EMIT DragDrop(source, units.x(), units.y());
}

void FormSurface::cancelDrag()
{
    if (ImageControl *source = releaseDrag())
        Q_EMIT DragCancelled(source);
}

ImageControl *FormSurface::releaseDrag()
{
    ImageControl *source = m_dragSource;
    if (!source)
        return nullptr;
    m_dragSource = nullptr;
    m_dragTarget = nullptr;
    qApp->removeEventFilter(this);
    // Does nothing where no grab was taken.
    releaseMouse();
    QApplication::restoreOverrideCursor();
    return source;
}

} // namespace tavlin
