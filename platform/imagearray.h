// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// Image controls in indexed arrays, the way the windows' handlers expect them: element 0 is a
// hidden template laid out with the window, Load(i) makes element i as a copy of it, and the
// array's signals carry each element's events with the element number. Images take no pointer
// input themselves: the form they lie on owns the pointer, finds the image under it and emits
// the event from that image's array in one step, so that drags and drops arrive as the handlers
// expect.
#pragma once

#include <QWidget>

#include <map>

namespace tavlin {

class FormSurface;
class ImageArray;
class Picture;

// Whether pressing the mouse on an image starts a drag by itself.
enum class DragMode { Manual, Automatic };

// What a drag-over event tells: the pointer entered, left or moved over the control.
enum class DragState { Enter = 0, Leave = 1, Over = 2 };

class ImageControl : public QWidget {
    Q_OBJECT
public:
    ImageControl(ImageArray &array, int index);

    int Index() const { return m_index; }
    ImageArray &array() const { return m_array; }

    const Picture *picture() const { return m_picture; }
    void setPicture(const Picture *picture);

    DragMode dragMode() const { return m_dragMode; }
    void setDragMode(DragMode mode) { m_dragMode = mode; }

    const Picture *dragIcon() const { return m_dragIcon; }
    void setDragIcon(const Picture *icon) { m_dragIcon = icon; }

    // Places the image at a position in the form's coordinate units.
    void Move(int left, int top);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    ImageArray &m_array;
    const int m_index;
    const Picture *m_picture = nullptr;
    DragMode m_dragMode = DragMode::Manual;
    const Picture *m_dragIcon = nullptr;
};

// The array is a transparent layer over the whole form holding its elements, so arrays stack
// in the order they are made: a later array's images lie above an earlier one's.
class ImageArray : public QWidget {
    Q_OBJECT
public:
    ImageArray(FormSurface &form, const QString &name);

    // Element index, or nullptr when it has not been loaded.
    ImageControl *operator()(int index) const;

    // Creates element index as a hidden copy of element 0 (picture, size, drag mode, drag icon).
    ImageControl *Load(int index);

    FormSurface &form() const { return m_form; }

    // The topmost shown element at a point of the form, or nullptr.
    ImageControl *elementAt(QPoint pos) const;

Q_SIGNALS:
    // Emitted by the form, which finds the element under the pointer; positions in its units.
    void DragOver(int Index, tavlin::ImageControl *Source, int X, int Y, tavlin::DragState State);
    void DragDrop(int Index, tavlin::ImageControl *Source, int X, int Y);
    void MouseDown(int Index, int Button, int Shift, int X, int Y);

private:
    FormSurface &m_form;
    std::map<int, ImageControl *> m_elements;
};

} // namespace tavlin
