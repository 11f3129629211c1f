// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// The desktop session's abilities, told apart by Qt's platform plugin; see desktop.h.
#include "desktop.h"

#include <QGuiApplication>
#include <QPixmap>

namespace tavlin::desktop {

namespace {

bool isWayland()
{
    // The plugin comes as "wayland" or as one of its buffer variants ("wayland-egl", ...).
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

bool knowsWindowPlaces()
{
    return !isWayland();
}

bool grantsPointerGrab()
{
    // Offscreen has no pointer to grab and says so at every attempt.
    return !isWayland() && QGuiApplication::platformName() != QLatin1String("offscreen");
}

QCursor centredCursor(const QPixmap &picture)
{
    const qreal unit = QGuiApplication::platformName() == QLatin1String("xcb")
                           ? 1.0
                           : picture.devicePixelRatio();
    return QCursor(picture, int(picture.width() / unit / 2), int(picture.height() / unit / 2));
}

} // namespace tavlin::desktop
