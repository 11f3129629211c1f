// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// Opening the About window's link in the user's browser: the one place the program hands
// anything to the outside world, kept behind a seam so tests never start a browser.
#pragma once

#include <QString>

namespace tavlin {

class UrlOpener {
public:
    virtual ~UrlOpener() = default;

    // Asks the desktop to show the address; whether that worked is not reported.
    virtual void open(const QString &address) = 0;
};

// Hands only web addresses to the desktop, so a changed link text can never run a program or
// open a local file.
class DesktopUrlOpener final : public UrlOpener {
public:
    // True for a well-formed http or https address with a host.
    static bool isWebAddress(const QString &address);

    void open(const QString &address) override;
};

} // namespace tavlin
