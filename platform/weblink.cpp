// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// The link's two states, Normal (blue, no capture) and Hot (red, holding the capture), and the
// Qt events that report the pointer to its window.
#include "weblink.h"

#include "mousecapture.h"
#include "units.h"
#include "urlopener.h"

#include <QEnterEvent>
#include <QGuiApplication>
#include <QMouseEvent>

namespace tavlin {

WebLink::WebLink(QWidget *parent)
    : QLineEdit(parent), m_ownCapture(std::make_unique<WidgetMouseCapture>()),
      m_ownOpener(std::make_unique<DesktopUrlOpener>()), m_capture(m_ownCapture.get()),
      m_opener(m_ownOpener.get())
{
    setReadOnly(true);
    setFrame(false);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    // A text box's own pointer until the pointer first comes onto the link; a read-only line
    // edit would show the arrow from the start.
    setCursor(Qt::IBeamCursor);
    setColor(this, QPalette::Text, Blue);
}

WebLink::~WebLink() = default;

void WebLink::useServices(MouseCapture *capture, UrlOpener *opener)
{
    m_capture = capture ? capture : m_ownCapture.get();
    m_opener = opener ? opener : m_ownOpener.get();
}

void WebLink::hover(double X, double Y)
{
    if (X < 0 || Y < 0 || X > pixelsToTwips(width()) || Y > pixelsToTwips(height())) {
        cool();
    } else if (!m_hot) {
        m_hot = true;
        m_capture->capture(this);
        setColor(this, QPalette::Text, Red);
        setCursor(Qt::ArrowCursor);
    }
}

void WebLink::follow()
{
    cool();
    m_opener->open(text());
}

void WebLink::cool()
{
    m_capture->release();
    m_hot = false;
    setColor(this, QPalette::Text, Blue);
}

void WebLink::unload()
{
    if (m_hot)
        m_capture->release();
}

void WebLink::enterEvent(QEnterEvent *event)
{
    // Coming onto the link is a move onto it, also where no move follows (Wayland sends none).
    reportMove(event->position(), QGuiApplication::mouseButtons(),
               QGuiApplication::keyboardModifiers());
    QLineEdit::enterEvent(event);
}

void WebLink::mouseMoveEvent(QMouseEvent *event)
{
    reportMove(event->position(), event->buttons(), event->modifiers());
    QLineEdit::mouseMoveEvent(event);
}

void WebLink::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QLineEdit::mousePressEvent(event);
}

void WebLink::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        Q_EMIT Click();
    QLineEdit::mouseReleaseEvent(event);
}

void WebLink::reportMove(QPointF at, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    Q_EMIT MouseMove(buttonState(buttons), shiftState(modifiers), pixelsToTwips(at.x()),
                     pixelsToTwips(at.y()));
}

} // namespace tavlin
