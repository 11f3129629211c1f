// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// The How to Play window: its stored layout, then Form_Load fills in the rules text, so every
// opening shows the same text whatever happened to the last window.
#include "frmHelp.h"

#include "fittext.h"
#include "layout.h"
#include "units.h"

#include <QPushButton>
#include <QTextEdit>

namespace tavlin {

namespace {

using namespace layout;
using enum layout::Kind;

constexpr Form Window = {"frmHelp", "How to Play", 4545, 4080};

// Shape1 runs past the client area's right and bottom edges: only its top and left edges show.
// clang-format off
constexpr Control Controls[] = {
//   kind      name        left   top  width height
    {TextBox,  "Text1",     120,  480, 4335, 3015},
    {OkButton, "Command1", 1800, 3600,  855,  375, {.text = "OK"}},
    {Label,    "Label1",    120,  120, 4335,  375,
     {.text = "How to play Tavlin Solitaire", .font = Font{.points = 9.75, .bold = true},
      .align = Qt::AlignHCenter | Qt::AlignTop}},
    {Shape,    "Shape1",      0,    0, 4575, 4215},
};
// clang-format on

} // namespace

frmHelp::frmHelp() : QDialog(nullptr, FixedWindowFrame)
{
    build(this, Window, Controls);
    Text1 = findChild<QTextEdit *>(QStringLiteral("Text1"));
    connect(findChild<QPushButton *>(QStringLiteral("Command1")), &QPushButton::clicked, this,
            &frmHelp::Command1_Click);
    Form_Load();
}

QString frmHelp::rulesText()
{
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("Remove as many marbles as possible from the board.") +
           QStringLiteral(" The only legal moves are horizontal or vertical jumps of one marble"
                          " over another to an empty hole on the other side.") +
           QStringLiteral(" The marble that is jumped is removed from the board.") + crlf + crlf +
           QStringLiteral("To move, just put the pointer on the marble you want to move, hold the"
                          " mouse button down,") +
           QStringLiteral(" and drag the marble to a legal empty spot.") + crlf + crlf +
           QStringLiteral("The ultimate object of the game is to remove all marbles except for one,"
                          " which should end in the middle hole.") +
           crlf + crlf + QStringLiteral("Good Luck.");
}

void frmHelp::Form_Load()
{
    Text1->setPlainText(rulesText());
    fitText(Text1);
}

void frmHelp::Command1_Click()
{
    close();
}

} // namespace tavlin
