// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// The layout the end-to-end run points at, asked of the real windows built offscreen rather than
// restated in the scripts, and printed as shell assignments in logical pixels: cx[i] cy[i] the
// centre of cell i's marble on the board, board its size (it fills the bottom of the game
// window's client area), mnuGame and mnuHelp the centres of the menu titles, link the About
// link's box (x y width height), each relative to its window's client area. Controls are found
// by their object names alone.
#include "application.h"
#include "board.h"
#include "frmAbout.h"
#include "frmMain.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>

#include <cstdio>

template <typename T = QWidget> T *named(const QObject *window, const char *name)
{
    T *control = window->findChild<T *>(QLatin1String(name));
    return control ? control : (qFatal("layout: no control named %s", name), nullptr);
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    tavlin::installApplicationDetails();
    tavlin::frmMain main;
    main.show();
    const QWidget *form = named(&main, "Form");
    std::printf("board=(%d %d)\n", form->width(), form->height());
    for (int i = 1; i < tavlin::CellCount; ++i)
        if (const auto *marble = form->findChild<QWidget *>(QStringLiteral("imgMarble(%1)").arg(i))) {
            const QPoint c = marble->mapTo(form, QPoint(marble->width(), marble->height()) / 2);
            std::printf("cx[%d]=%d cy[%d]=%d\n", i, c.x(), i, c.y());
        }
    const auto *bar = main.findChild<QMenuBar *>();
    for (const char *menu : {"mnuGame", "mnuHelp"}) {
        const QPoint c = bar->mapTo(&main, bar->actionGeometry(named<QMenu>(&main, menu)->menuAction()).center());
        std::printf("%s=(%d %d)\n", menu, c.x(), c.y());
    }
    tavlin::frmAbout about(&main);
    const QWidget *link = named(&about, "txtURL");
    const QRect box(link->mapTo(&about, QPoint()), link->size());
    std::printf("link=(%d %d %d %d)\n", box.x(), box.y(), box.width(), box.height());
}
