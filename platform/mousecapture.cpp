// The pointer-leaving watch behind the About window's link.
#include "mousecapture.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QWidget>

namespace tavlin {

WidgetMouseCapture::WidgetMouseCapture(QObject *parent) : QObject(parent)
{}

WidgetMouseCapture::~WidgetMouseCapture()
{
    release();
}

void WidgetMouseCapture::capture(QWidget *w)
{
    release();
    if (!w) {
        return;
    }
    m_widget = w;
    m_hadMouseTracking = w->hasMouseTracking();
    // Tracking makes the widget see moves without a button held, the ones a capture is for.
    w->setMouseTracking(true);
    w->installEventFilter(this);
}

void WidgetMouseCapture::release()
{
    QWidget *w = m_widget;
    m_widget = nullptr;
    if (w) {
        w->removeEventFilter(this);
        w->setMouseTracking(m_hadMouseTracking);
    }
}

bool WidgetMouseCapture::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_widget) {
        switch (event->type()) {
        case QEvent::Leave:
        case QEvent::WindowDeactivate:
        case QEvent::Hide:
            reportPointerOutside(m_widget);
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void WidgetMouseCapture::reportPointerOutside(QWidget *w)
{
    const QPoint global = QCursor::pos(w->screen());
    QPoint local = w->mapFromGlobal(global);
    // Deactivation or a window lying over the link can take the pointer away from it without
    // moving it; the point must still read as outside, or the link would stay red.
    if (w->rect().contains(local)) {
        local = QPoint(-1, -1);
    }
    QMouseEvent move(QEvent::MouseMove, QPointF(local), QPointF(w->mapToGlobal(local)),
                     Qt::NoButton, QGuiApplication::mouseButtons(),
                     QGuiApplication::keyboardModifiers());
    QCoreApplication::sendEvent(w, &move);
}

} // namespace tavlin
