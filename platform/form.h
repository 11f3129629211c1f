// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// The client area of a window that holds image arrays: its coordinate system, the pointer events
// of its background, and the automatic drag of images.
//
// The drag is made here by hand rather than with QDrag: QDrag cannot run under the offscreen
// platform, and on X11 it draws its icon with opaque corners. A press on an image in automatic
// drag mode starts the drag: the form keeps the pointer and the drag icon becomes the pointer.
// The drag is judged by what the form itself receives, in its own coordinates: drag-over events
// go to the shown image under the pointer, and the release drops on the image or the background
// under it. A drag whose release the form cannot see ends as a cancelled drag, so that the window
// can put the dragged image back at once: a release anywhere else than on the form (outside the
// window, over the menu bar, over another window lying on top of it where the desktop can tell),
// and a drag whose pointer another window took (a menu opening, the window losing activation).
// While a drag is under way no other press or move is reported.
#pragma once

#include <QPointer>
#include <QWidget>

namespace tavlin {

class ImageControl;

class FormSurface : public QWidget {
    Q_OBJECT
public:
    explicit FormSurface(QWidget *parent = nullptr);
    ~FormSurface() override;

    // The coordinate system: so many units across and down the client area.
    void setScaleWidth(int units) { m_scaleWidth = units; }
    void setScaleHeight(int units) { m_scaleHeight = units; }
    int scaleWidth() const { return m_scaleWidth; }
    int scaleHeight() const { return m_scaleHeight; }
    QPoint fromUnits(QPoint units) const;
    QPoint toUnits(QPointF pixels) const;

    // The image being dragged, or nullptr when no drag is under way.
    ImageControl *dragSource() const { return m_dragSource; }

    // The topmost shown image at a point of the client area, or nullptr over the background.
    ImageControl *imageAt(QPoint pos) const;

Q_SIGNALS:
    void DragDrop(tavlin::ImageControl *Source, int X, int Y);
    void DragCancelled(tavlin::ImageControl *Source);
    void MouseDown(int Button, int Shift, int X, int Y);
    void MouseMove(int Button, int Shift, int X, int Y);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Whether a point of the form's own (pos, and the same on the screen) lies on it, not covered
    // by another window where the desktop can tell.
    bool isOverForm(QPoint pos, QPoint globalPos) const;
    void beginDrag(ImageControl *source, QPoint pos);
    void dragTo(QPoint pos, QPoint globalPos);
    void endDrag(QPoint pos, QPoint globalPos);
    void cancelDrag();
    // Ends the drag's hold on the pointer; returns the source it had.
    ImageControl *releaseDrag();

    int m_scaleWidth = 0;
    int m_scaleHeight = 0;
    QPointer<ImageControl> m_dragSource;
    QPointer<ImageControl> m_dragTarget;
};

} // namespace tavlin
