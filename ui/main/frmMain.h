// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// The game window: the board drawn as two arrays of images (a hole and a marble for each cell of
// the cross), the Game and Help menus, and the handlers that turn drags and mouse presses into
// moves. The window holds the game and mirrors it: the engine decides, and every change it
// reports becomes a marble's visibility or a menu item's enabled state before the handler that
// caused it returns.
#pragma once

#include "board.h"
#include "imagearray.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QMenu;

namespace tavlin {

class FormSurface;
class frmAbout;
class frmHelp;

class frmMain : public QMainWindow, private BoardObserver {
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // The board's coordinate system, which is also its size in pixels at 96 dots per inch, and
    // the grid its cells lie on.
    static constexpr int BoardUnits = 318;
    static constexpr int CellPitch = 40;
    static constexpr int BoardMargin = 24;

    // The game as the window shows it, for whoever wants to read it.
    const Board &board() const { return m_board; }

protected:
    void changeEvent(QEvent *event) override;

private:
    // The controls, named as the handlers know them; found from outside by these names.
    FormSurface *const Form;
    ImageArray &imgHole;
    ImageArray &imgMarble;
    QMenu *const mnuGame;
    QAction *const mnuNew;
    QAction *const mnuUndo;
    QAction *const mnuRedo;
    QAction *const mnuExit;
    QMenu *const mnuHelp;
    QAction *const mnuHelpHow;
    QAction *const mnuHelpAbout;

    void Form_Load();
    void NewGame();

    void mnuNew_Click();
    void mnuUndo_Click();
    void mnuRedo_Click();
    void mnuExit_Click();
    void mnuHelpHow_Click();
    void mnuHelpAbout_Click();

    void imgMarble_DragOver(int Index, ImageControl *Source, int X, int Y, DragState State);
    void imgHole_DragDrop(int Index, ImageControl *Source, int X, int Y);
    void imgMarble_DragDrop(int Index, ImageControl *Source, int X, int Y);
    void Form_DragDrop(ImageControl *Source, int X, int Y);
    void Form_DragCancel(ImageControl *Source);
    void Form_MouseMove(int Button, int Shift, int X, int Y);
    void Form_MouseDown(int Button, int Shift, int X, int Y);
    void imgHole_MouseDown(int Index, int Button, int Shift, int X, int Y);

    // The board's background follows the desktop's light or dark palette.
    void followDesktopPalette();
    void nameImages();
    void describeHole(int cell, bool hasMarble);

    // Shows a cell's marble image as the board and the drag have it.
    void showBoardAt(int cell);
    // Ends a drag's hold on its marble: DragIndex becomes 0 and the cell shows the board.
    void bringBack(int cell);

    void cellChanged(Cell cell, bool hasMarble) override;
    void canUndoChanged(bool canUndo) override;
    void canRedoChanged(bool canRedo) override;

    Board m_board;
    // The cell of a marble whose image a drag has hidden; 0 when there is none.
    Cell DragIndex = 0;
    QPointer<frmHelp> m_help;
    QPointer<frmAbout> m_about;
};

} // namespace tavlin
