// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// What the window tests share: a shown game window, and the open windows found by the names they
// give themselves. (The offscreen platform warns of the size hints and raises it cannot honour,
// and QTest of events sent beyond a window's edge: both harmless.)
#pragma once

#include "application.h"
#include "frmMain.h"

#include <QApplication>
#include <QPointer>
#include <QTest>

namespace tavlin::test {

// An open top-level window of that name, or nullptr.
inline QWidget *openWindow(const char *name)
{
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top->objectName() == QLatin1String(name))
            return top;
    return nullptr;
}

// A game window shown and exposed, deleted with the fixture unless it went first.
struct GameWindow {
    QPointer<frmMain> w = new frmMain;
    GameWindow()
    {
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    ~GameWindow() { delete w.data(); }
};

} // namespace tavlin::test
