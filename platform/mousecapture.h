// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// The About window's link must go on hearing about the pointer after it has left the link, so it
// can turn blue again. This seam lets the window ask for that without knowing how the desktop
// provides it, and lets the tests record what the window asked for.
#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace tavlin {

class MouseCapture {
public:
    virtual ~MouseCapture() = default;

    // From now on w hears of the pointer's movements, also once it has left w, until release().
    virtual void capture(QWidget *w) = 0;
    // Ends the capture; harmless when none is held.
    virtual void release() = 0;
};

// Watches the whole program instead of grabbing the pointer: a pointer grab can leave the
// desktop's pointer stuck if the window goes away while holding it, and Wayland grants none.
// Every move over any of the program's windows reaches the captured widget, in its own
// coordinates, as a platform capture would send it; the pointer leaving the widget's window,
// the window losing activation and the widget hiding arrive as a move to a point outside it.
class WidgetMouseCapture final : public QObject, public MouseCapture {
    Q_OBJECT
public:
    explicit WidgetMouseCapture(QObject *parent = nullptr);
    ~WidgetMouseCapture() override;

    void capture(QWidget *w) override;
    void release() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> m_widget;
};

} // namespace tavlin
