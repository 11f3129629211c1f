// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// The layout the end-to-end run points at, asked of the real windows built offscreen rather than
// restated in the scripts: printed as shell assignments in logical pixels. cx[i] cy[i] is the
// centre of cell i's marble on the board, board its size (it fills the bottom of the game
// window's client area), menu_game and menu_help the centres of the menu titles and link the
// About link's box (x y width height), each relative to its window's client area. Controls are
// found by their object names alone.
#include "application.h"
#include "board.h"
#include "frmAbout.h"
#include "frmMain.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>

#include <cstdio>
#include <utility>

namespace {

template <typename T> T *named(const QObject *window, const char *name)
{
    if (auto *control = window->findChild<T *>(QLatin1String(name)))
        return control;
    qFatal("layout: no control named %s", name);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    tavlin::installApplicationDetails();
    tavlin::frmMain main;
    main.show();
    const auto *form = named<QWidget>(&main, "Form");
    std::printf("board=(%d %d)\n", form->width(), form->height());
    for (int cell = 1; cell < tavlin::CellCount; ++cell) {
        const auto name = QStringLiteral("imgMarble(%1)").arg(cell).toLatin1();
        if (const auto *marble = form->findChild<QWidget *>(QLatin1String(name))) {
            const QPoint centre = marble->mapTo(form, QPoint(marble->width(), marble->height()) / 2);
            std::printf("cx[%d]=%d cy[%d]=%d\n", cell, centre.x(), cell, centre.y());
        }
    }
    const auto *bar = main.findChild<QMenuBar *>();
    for (const auto &[key, name] : {std::pair{"game", "mnuGame"}, {"help", "mnuHelp"}}) {
        const QRect title = bar->actionGeometry(named<QMenu>(&main, name)->menuAction());
        const QPoint centre = bar->mapTo(&main, title.center());
        std::printf("menu_%s=(%d %d)\n", key, centre.x(), centre.y());
    }
    tavlin::frmAbout about(&main);
    const auto *link = named<QWidget>(&about, "txtURL");
    const QPoint corner = link->mapTo(&about, QPoint());
    std::printf("link=(%d %d %d %d)\n", corner.x(), corner.y(), link->width(), link->height());
}
