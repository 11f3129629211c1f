// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// The browser hand-off for the About window's link.
#include "urlopener.h"

#include <QDesktopServices>
#include <QUrl>

namespace tavlin {

bool DesktopUrlOpener::isWebAddress(const QString &address)
{
    // Strict parsing: the tolerant modes would guess a scheme for text that is no address at all.
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme();
    return url.isValid() && !url.host().isEmpty() &&
           (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

void DesktopUrlOpener::open(const QString &address)
{
    if (isWebAddress(address)) {
        QDesktopServices::openUrl(QUrl(address, QUrl::StrictMode));
    }
}

} // namespace tavlin
