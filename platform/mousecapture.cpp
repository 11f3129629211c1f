// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// The program-wide watch behind the About window's link; see mousecapture.h.
#include "mousecapture.h"

#include <QApplication>
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
    if (!w)
        return;
    m_widget = w;
    // Application filters see every move, also over widgets that do not track the mouse.
    qApp->installEventFilter(this);
}

void WidgetMouseCapture::release()
{
    if (m_widget) {
        m_widget = nullptr;
        qApp->removeEventFilter(this);
    }
}

bool WidgetMouseCapture::eventFilter(QObject *watched, QEvent *event)
{
    QWidget *const w = m_widget;
    if (!w || !watched->isWidgetType())
        return false;
    const auto *over = static_cast<QWidget *>(watched);
    const bool ownWindow = over->window() == w->window();
    const QPointF outside(-1, -1);
    QPointF at;
    switch (event->type()) {
    case QEvent::MouseMove:
        if (over == w)
            return false;
        // Within one window global positions agree even where the desktop keeps the window's
        // place to itself; over another window the pointer is off the widget, wherever it is.
        at = ownWindow ? w->mapFromGlobal(over->mapToGlobal(
                             static_cast<const QMouseEvent *>(event)->position()))
                       : outside;
        break;
    case QEvent::Leave:
    case QEvent::WindowDeactivate:
        if (over != w->window())
            return false;
        at = outside;
        break;
    case QEvent::Hide:
        if (over != w && !over->isAncestorOf(w))
            return false;
        at = outside;
        break;
    default:
        return false;
    }
    QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton,
                     QGuiApplication::mouseButtons(), QGuiApplication::keyboardModifiers());
    QCoreApplication::sendEvent(w, &move);
    return false;
}

} // namespace tavlin
