// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// What the window tests share: the offscreen platform kept quiet about what it cannot do, a shown
// game window, and the open windows found by the names they give themselves.
#pragma once

#include "application.h"
#include "frmMain.h"

#include <QApplication>
#include <QPointer>
#include <QTest>

namespace tavlin::test {

// The offscreen platform warns of every size hint and raise it cannot honour, and QTest of
// every event sent beyond a window's edge, which the tests do on purpose; those lines would bury
// a real warning, so they alone are dropped.
inline void setUpApplication()
{
    installApplicationDetails();
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context,
                                         const QString &message) {
        if (type != QtWarningMsg || !(message.startsWith(QLatin1String("This plugin does not")) ||
                                      message.contains(QLatin1String("outside target window"))))
            previous(type, context, message);
    });
}

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
