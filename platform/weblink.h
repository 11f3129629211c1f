// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// A web address in a locked, borderless text box that behaves like a hyperlink: blue, red while
// the pointer is on it, opened in the browser when clicked. It reports the pointer as a window's
// handlers take it (MouseMove in twips, Click), and offers the hover and the opening for them to
// call, so the window's handlers stay one line each.
#pragma once

#include <QLineEdit>

#include <memory>

namespace tavlin {

class MouseCapture;
class UrlOpener;

class WebLink final : public QLineEdit {
    Q_OBJECT
public:
    static constexpr quint32 Blue = 0x00FF0000;
    static constexpr quint32 Red = 0x000000FF;

    explicit WebLink(QWidget *parent = nullptr);
    ~WebLink() override;

    // Where the capture and the opening go; a null one keeps the desktop's own.
    void useServices(MouseCapture *capture, UrlOpener *opener);

    // The pointer at X, Y twips from the link's top-left corner. On the link, the right and
    // bottom edges (X = width, Y = height) included, a blue link takes the capture and turns red
    // with an arrow pointer; off it the link lets the capture go and turns blue, every time.
    void hover(double X, double Y);
    // Lets the capture go and turns blue, then opens the address the link shows.
    void follow();
    // The window is going: a red link lets the capture go.
    void unload();

    bool isHot() const { return m_hot; }

Q_SIGNALS:
    // Every move over the link, and while it holds the capture every move anywhere; twips from
    // its top-left corner. Button and Shift are sums, as the window's handlers take them.
    void MouseMove(int Button, int Shift, double X, double Y);
    // A left press and release both on the link.
    void Click();

protected:
    void enterEvent(QEnterEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // Back to Normal: the capture let go, the link blue.
    void cool();
    void reportMove(QPointF at, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

    std::unique_ptr<MouseCapture> m_ownCapture;
    std::unique_ptr<UrlOpener> m_ownOpener;
    MouseCapture *m_capture = nullptr;
    UrlOpener *m_opener = nullptr;
    bool m_hot = false;
    bool m_pressed = false;
};

} // namespace tavlin
