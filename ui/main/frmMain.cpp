// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// The game window; see frmMain.h.
#include "frmMain.h"

#include "form.h"
#include "frmAbout.h"
#include "frmHelp.h"
#include "imagearray.h"
#include "picture.h"
#include "units.h"

#include <QEvent>
#include <QLayout>
#include <QMenuBar>

#include <utility>

namespace tavlin {

namespace {

// Around the board and in the images' transparent corners: a warm wood on light desktops, a
// deep slate on dark ones, so that both the green marbles and the grey holes stand out.
QColor boardBackground(const QPalette &palette)
{
    const bool dark = palette.color(QPalette::Window).lightness() < 128;
    return dark ? QColor(0x2e, 0x34, 0x3b) : QColor(0xd8, 0xc3, 0x9a);
}

} // namespace

frmMain::frmMain(QWidget *parent)
    : QMainWindow(parent, FixedWindowFrame), Form(new FormSurface(this)),
      imgHole(*new ImageArray(*Form, QStringLiteral("imgHole"))),
      imgMarble(*new ImageArray(*Form, QStringLiteral("imgMarble"))),
      mnuGame(menuBar()->addMenu(tr("&Game"))), mnuNew(mnuGame->addAction(tr("&New"))),
      mnuUndo(mnuGame->addAction(tr("&Undo"))), mnuRedo(mnuGame->addAction(tr("&Redo"))),
      mnuExit(mnuGame->addAction(tr("E&xit"))), mnuHelp(menuBar()->addMenu(tr("&Help"))),
      mnuHelpHow(mnuHelp->addAction(tr("&How to Play"))),
      mnuHelpAbout(mnuHelp->addAction(tr("&About")))
{
    // The stored layout of the window.
    setObjectName(QStringLiteral("frmMain"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Tavlin Solitaire"));

    Form->setObjectName(QStringLiteral("Form"));
    Form->setFixedSize(BoardUnits, BoardUnits);
    Form->setAccessibleName(tr("Board"));
    Form->setAutoFillBackground(true);
    followDesktopPalette();
    setCentralWidget(Form);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // The marble template's picture comes with its drag icon in Form_Load.
    imgHole(0)->setPicture(&Picture::hole());
    imgMarble(0)->setDragMode(DragMode::Automatic);

    mnuGame->setObjectName(QStringLiteral("mnuGame"));
    mnuNew->setObjectName(QStringLiteral("mnuNew"));
    mnuNew->setShortcut(Qt::Key_F2);
    mnuGame->insertSeparator(mnuUndo)->setObjectName(QStringLiteral("mnusep1"));
    mnuUndo->setObjectName(QStringLiteral("mnuUndo"));
    mnuRedo->setObjectName(QStringLiteral("mnuRedo"));
    mnuGame->insertSeparator(mnuExit)->setObjectName(QStringLiteral("mnusep2"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelpHow->setObjectName(QStringLiteral("mnuHelpHow"));
    mnuHelp->insertSeparator(mnuHelpAbout)->setObjectName(QStringLiteral("mnusep3"));
    mnuHelpAbout->setObjectName(QStringLiteral("mnuHelpAbout"));

    connect(mnuNew, &QAction::triggered, this, &frmMain::mnuNew_Click);
    connect(mnuUndo, &QAction::triggered, this, &frmMain::mnuUndo_Click);
    connect(mnuRedo, &QAction::triggered, this, &frmMain::mnuRedo_Click);
    connect(mnuExit, &QAction::triggered, this, &frmMain::mnuExit_Click);
    connect(mnuHelpHow, &QAction::triggered, this, &frmMain::mnuHelpHow_Click);
    connect(mnuHelpAbout, &QAction::triggered, this, &frmMain::mnuHelpAbout_Click);

    connect(&imgMarble, &ImageArray::DragOver, this, &frmMain::imgMarble_DragOver);
    connect(&imgMarble, &ImageArray::DragDrop, this, &frmMain::imgMarble_DragDrop);
    connect(&imgHole, &ImageArray::DragDrop, this, &frmMain::imgHole_DragDrop);
    connect(&imgHole, &ImageArray::MouseDown, this, &frmMain::imgHole_MouseDown);
    connect(Form, &FormSurface::DragDrop, this, &frmMain::Form_DragDrop);
    connect(Form, &FormSurface::DragCancelled, this, &frmMain::Form_DragCancel);
    connect(Form, &FormSurface::MouseMove, this, &frmMain::Form_MouseMove);
    connect(Form, &FormSurface::MouseDown, this, &frmMain::Form_MouseDown);

    m_board.setObserver(this);
    canUndoChanged(m_board.CanUndo());
    canRedoChanged(m_board.CanRedo());
    Form_Load();
}

frmMain::~frmMain()
{
    // The board and its images outlive this part of the window: a drag they end while being torn
    // down must not call back into it.
    Form->disconnect(this);
    imgHole.disconnect(this);
    imgMarble.disconnect(this);
    m_board.setObserver(nullptr);
}

void frmMain::Form_Load()
{
    Form->setScaleWidth(BoardUnits);
    Form->setScaleHeight(BoardUnits);
    imgMarble(0)->setVisible(false);
    imgMarble(0)->setPicture(&Picture::marble());
    imgMarble(0)->setDragIcon(&Picture::marble());

    for (int row = 0; row < GridSize; ++row) {
        for (int column = 0; column < GridSize; ++column) {
            if (!IsPlayable(row, column))
                continue;
            const int i = row * GridSize + column;
            imgMarble.Load(i);
            imgHole.Load(i);
            imgMarble(i)->Move(column * CellPitch + BoardMargin, row * CellPitch + BoardMargin);
            imgHole(i)->Move(column * CellPitch + BoardMargin, row * CellPitch + BoardMargin);
            imgHole(i)->setVisible(true);
        }
    }
    nameImages();
    NewGame();
}

void frmMain::NewGame()
{
    // A marble still hidden by a drag shows the new board too.
    bringBack(DragIndex);
    m_board.NewGame();
}

void frmMain::mnuNew_Click()
{
    NewGame();
}

void frmMain::mnuUndo_Click()
{
    m_board.UndoMove();
}

void frmMain::mnuRedo_Click()
{
    m_board.RedoMove();
}

void frmMain::mnuExit_Click()
{
    close();
}

void frmMain::mnuHelpHow_Click()
{
    if (!m_help)
        m_help = new frmHelp;
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

void frmMain::mnuHelpAbout_Click()
{
    if (!m_about)
        m_about = new frmAbout(this);
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void frmMain::imgMarble_DragOver(int, ImageControl *Source, int, int, DragState)
{
    // A marble hidden by an earlier drag whose end was never seen comes back before the next.
    const Cell earlier = std::exchange(DragIndex, static_cast<Cell>(Source->Index()));
    showBoardAt(earlier);
    showBoardAt(DragIndex);
}

void frmMain::imgHole_DragDrop(int Index, ImageControl *Source, int, int)
{
    DragIndex = 0;
    if (!m_board.TryMove(Source->Index(), Index))
        showBoardAt(Source->Index());
}

void frmMain::imgMarble_DragDrop(int, ImageControl *Source, int, int)
{
    bringBack(Source->Index());
}

void frmMain::Form_DragDrop(ImageControl *Source, int, int)
{
    bringBack(Source->Index());
}

void frmMain::Form_DragCancel(ImageControl *Source)
{
    // A drag released outside the window ends like a drop on the background: the marble goes
    // back at once rather than staying hidden until the pointer returns.
    Form_DragDrop(Source, 0, 0);
}

void frmMain::Form_MouseMove(int, int, int, int)
{
    bringBack(DragIndex);
}

void frmMain::Form_MouseDown(int, int Shift, int, int)
{
    if (Shift == ShiftOnly)
        m_board.RedoMove();
    if (Shift == CtrlOnly)
        m_board.UndoMove();
}

void frmMain::imgHole_MouseDown(int, int Button, int Shift, int X, int Y)
{
    Form_MouseDown(Button, Shift, X, Y);
}

void frmMain::changeEvent(QEvent *event)
{
    // The window hears of a new desktop palette before its own palette has taken it on.
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
        QMetaObject::invokeMethod(this, &frmMain::followDesktopPalette, Qt::QueuedConnection);
    QMainWindow::changeEvent(event);
}

void frmMain::followDesktopPalette()
{
    QPalette palette = Form->palette();
    palette.setColor(QPalette::Window, boardBackground(this->palette()));
    Form->setPalette(palette);
}

// Screen readers meet the board as its images: each marble by its place, and each hole by
// whether it is empty.
void frmMain::nameImages()
{
    for (int cell = 0; cell < CellCount; ++cell) {
        if (ImageControl *marble = imgMarble(cell); marble && cell != 0) {
            marble->setAccessibleName(
                tr("Marble, row %1, column %2").arg(cell / GridSize + 1).arg(cell % GridSize + 1));
            describeHole(cell, m_board.HasMarble(cell));
        }
    }
}

void frmMain::describeHole(int cell, bool hasMarble)
{
    const QString place = tr("row %1, column %2").arg(cell / GridSize + 1).arg(cell % GridSize + 1);
    ImageControl *hole = imgHole(cell);
    if (hasMarble) {
        hole->setAccessibleName(tr("Hole, %1").arg(place));
        hole->setAccessibleDescription(tr("Holds a marble"));
    } else {
        hole->setAccessibleName(tr("Empty hole, %1").arg(place));
        hole->setAccessibleDescription(QString());
    }
}

void frmMain::showBoardAt(int cell)
{
    // The one place a marble's image is shown or hidden: as the board has it, except the marble
    // a drag has hidden. A dragged marble's cell may have been emptied meanwhile (a new game, an
    // undo from the menu), so bringing it back follows the board too.
    if (ImageControl *marble = imgMarble(cell); marble && cell != 0)
        marble->setVisible(m_board.HasMarble(cell) && cell != DragIndex);
}

void frmMain::bringBack(int cell)
{
    DragIndex = 0;
    showBoardAt(cell);
}

void frmMain::cellChanged(Cell cell, bool hasMarble)
{
    showBoardAt(cell);
    describeHole(cell, hasMarble);
}

void frmMain::canUndoChanged(bool canUndo)
{
    mnuUndo->setEnabled(canUndo);
}

void frmMain::canRedoChanged(bool canRedo)
{
    mnuRedo->setEnabled(canRedo);
}

} // namespace tavlin
