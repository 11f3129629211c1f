// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// Each kind of control made as a Qt widget, then placed, lettered and coloured from its row.
#include "layout.h"

#include "fittext.h"
#include "picture.h"
#include "units.h"
#include "weblink.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>

namespace tavlin::layout {

namespace {

QWidget *create(QDialog *window, Kind kind, const Settings &settings)
{
    const QString text = QString::fromUtf8(settings.text);
    switch (kind) {
    case Kind::Label: {
        auto *label = new QLabel(text, window);
        label->setAlignment(settings.align);
        return label;
    }
    case Kind::OkButton: {
        auto *button = new QPushButton(text, window);
        button->setDefault(true);
        button->setFocus();
        return button;
    }
    case Kind::TextBox: {
        auto *box = new QTextEdit(window);
        box->setReadOnly(true);
        // Read-only alone would let only the mouse select; the keyboard must be able to as well.
        box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        box->setAcceptRichText(false);
        box->setWordWrapMode(QTextOption::WordWrap);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setFocusPolicy(Qt::ClickFocus);
        box->setPlainText(text);
        return box;
    }
    case Kind::Link: {
        auto *link = new WebLink(window);
        link->setText(text);
        link->setAlignment(settings.align);
        return link;
    }
    case Kind::PictureBox:
    case Kind::Image: {
        auto *picture = new QLabel(window);
        picture->setPixmap(settings.picture().pixmap(window->devicePixelRatioF()));
        picture->setAccessibleName(text);
        if (kind == Kind::PictureBox) {
            picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            picture->setLineWidth(2);
            picture->setAlignment(settings.align);
            picture->setFocusPolicy(Qt::StrongFocus);
        }
        return picture;
    }
    case Kind::Shape: {
        auto *shape = new QFrame(window);
        shape->setFrameStyle(QFrame::Box | QFrame::Plain);
        shape->setAttribute(Qt::WA_TransparentForMouseEvents);
        shape->lower();
        return shape;
    }
    }
    Q_UNREACHABLE();
}

} // namespace

void build(QDialog *window, const Form &form, std::span<const Control> controls)
{
    window->setObjectName(QString::fromUtf8(form.name));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QString::fromUtf8(form.caption));
    // The boxes were measured for this face and size; the desktop's own default is often larger
    // and would push texts out of their boxes.
    window->setFont(layoutFont(Font().points));
    window->setFixedSize(twipsToPixels(form.width), twipsToPixels(form.height));
    for (const Control &control : controls) {
        const Settings &settings = control.settings;
        QWidget *w = create(window, control.kind, settings);
        w->setObjectName(QString::fromUtf8(control.name));
        w->setGeometry(twipsRect(control.left, control.top, control.width, control.height));
        if (settings.font) {
            QFont font = layoutFont(settings.font->points, settings.font->bold);
            font.setUnderline(settings.font->underline);
            w->setFont(font);
        }
        if (settings.color)
            setColor(w, w->foregroundRole(), *settings.color);
        if (settings.back)
            setColor(w, w->backgroundRole(), *settings.back);
        if (!settings.picture)
            fitText(w);
    }
}

} // namespace tavlin::layout
