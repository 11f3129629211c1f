// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// The layouts name "MS Sans Serif", which Linux desktops lack; the usual fallback is wider and
// would overflow the fixed label boxes, so it is mapped to a metric-compatible sans first.
#include "application.h"

#include "picture.h"
#include "tavlin_version.h"

#include <QApplication>
#include <QFont>

namespace tavlin {

void installApplicationDetails()
{
    QApplication::setApplicationName(QStringLiteral("Tavlin Solitaire"));
    QApplication::setApplicationVersion(QString::fromLatin1(version::Text));
    QApplication::setDesktopFileName(QString::fromLatin1(version::AppId));
    QApplication::setWindowIcon(Picture::marble().icon());
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
                                QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans")});
}

} // namespace tavlin
