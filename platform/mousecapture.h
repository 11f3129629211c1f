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

// Watches the captured widget instead of grabbing the pointer: a pointer grab can leave the
// desktop's pointer stuck if the window goes away while holding it, and all the link needs to
// learn is the moment the pointer leaves. That moment arrives as one mouse move at a point
// outside the widget.
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
    void reportPointerOutside(QWidget *w);

    QPointer<QWidget> m_widget;
    bool m_hadMouseTracking = false;
};

} // namespace tavlin
