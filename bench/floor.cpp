// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// The floor every Qt Widgets program pays: a window with the game's client area under a menu bar
// with a Game and a Help menu, and nothing else. bench/startup.sh measures it beside the game, so
// that the game is judged by what it adds to this.
#include "frmMain.h"

#include <QApplication>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Floor"));

    QMenu *game = window.menuBar()->addMenu(QStringLiteral("&Game"));
    game->addAction(QStringLiteral("&New"))->setShortcut(Qt::Key_F2);
    game->addSeparator();
    game->addAction(QStringLiteral("&Undo"))->setEnabled(false);
    game->addAction(QStringLiteral("&Redo"))->setEnabled(false);
    game->addSeparator();
    QObject::connect(game->addAction(QStringLiteral("E&xit")), &QAction::triggered, &window,
                     &QWidget::close);
    QMenu *help = window.menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("&How to Play"));
    help->addSeparator();
    help->addAction(QStringLiteral("&About"));

    auto *client = new QWidget;
    client->setFixedSize(tavlin::frmMain::BoardUnits, tavlin::frmMain::BoardUnits);
    window.setCentralWidget(client);
    window.layout()->setSizeConstraint(QLayout::SetFixedSize);

    window.show();
    return app.exec();
}
