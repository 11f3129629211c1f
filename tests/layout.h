// A window's fixed layout as one printable value: its title and client size, then each control's
// name, box and text in the order the window made them, so a whole layout compares at once.
#pragma once

#include <QStringList>
#include <QVariant>
#include <QWidget>

namespace tavlin::test {

inline QStringList layoutOf(const QWidget *window)
{
    QStringList layout{QString::asprintf("%s %dx%d", qPrintable(window->windowTitle()),
                                         window->width(), window->height())};
    for (const QWidget *c : window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        const QRect r = c->geometry();
        layout << QString::asprintf("%s %d,%d %dx%d %s", qPrintable(c->objectName()), r.x(), r.y(),
                                    r.width(), r.height(),
                                    qPrintable(c->property("text").toString()))
                      .trimmed();
    }
    return layout;
}

} // namespace tavlin::test
