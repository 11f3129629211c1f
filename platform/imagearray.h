// Image controls in indexed arrays, the way the windows' handlers expect them: element 0 is a
// hidden template laid out with the window, Load(i) makes element i as a copy of it, and the
// array reports each element's events with the element number. Pointer input does not reach the
// images directly: the form they lie on finds the image under the pointer and reports through
// the image's array, so that drags and drops can be delivered as the handlers expect.
#pragma once

#include <QObject>
#include <QWidget>

#include <map>

namespace tavlin {

class FormSurface;
class ImageArray;
class Picture;

// Whether pressing the mouse on an image starts a drag by itself.
enum class DragMode { Manual, Automatic };

// What a drag-over event tells: the pointer entered, left or moved over the control.
enum DragState { DragEnter = 0, DragLeave = 1, DragOver = 2 };

class ImageControl : public QWidget {
    Q_OBJECT
public:
    ImageControl(ImageArray &array, int index, QWidget *layer);

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

class ImageArray : public QObject {
    Q_OBJECT
public:
    // Arrays stack in the order they are made: a later array's images lie above an earlier one's.
    ImageArray(FormSurface &form, const QString &name);

    // Element index, or nullptr when it has not been loaded.
    ImageControl *operator()(int index) const;

    // Creates element index as a hidden copy of element 0 (picture, size, drag mode, drag icon).
    ImageControl *Load(int index);

    FormSurface &form() const { return m_form; }

Q_SIGNALS:
    void DragOver(int Index, tavlin::ImageControl *Source, int X, int Y, int State);
    void DragDrop(int Index, tavlin::ImageControl *Source, int X, int Y);
    void MouseDown(int Index, int Button, int Shift, int X, int Y);

private:
    friend class FormSurface;

    FormSurface &m_form;
    QWidget *m_layer;
    std::map<int, ImageControl *> m_elements;
};

} // namespace tavlin
