// The game window's parts reached the way a player's tools reach them: by the names the window
// gives its controls and windows.
#pragma once

#include "form.h"
#include "imagearray.h"

#include <QAction>
#include <QApplication>
#include <QWidget>

namespace tavlin::test {

inline FormSurface *boardOf(const QWidget *w)
{
    return w->findChild<FormSurface *>(QStringLiteral("Form"));
}

inline ImageArray &imagesOf(const QWidget *w, const char *name)
{
    return *w->findChild<ImageArray *>(QLatin1String(name));
}

inline QAction *menuItem(const QWidget *w, const char *name)
{
    return w->findChild<QAction *>(QLatin1String(name));
}

// An open top-level window of that name, or nullptr.
template <class Window = QWidget> Window *openWindow(const char *name)
{
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top->objectName() == QLatin1String(name))
            return qobject_cast<Window *>(top);
    return nullptr;
}

} // namespace tavlin::test
