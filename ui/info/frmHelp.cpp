// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// The How to Play window: the constructor builds the fixed layout, then Form_Load fills in the
// rules text, so every opening shows the same text whatever happened to the last window.
#include "frmHelp.h"

#include "fittext.h"
#include "units.h"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>

namespace tavlin {

frmHelp::frmHelp() : QDialog(nullptr, FixedWindowFrame)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("How to Play"));
    // The boxes below were measured for this face and size; the desktop's own default is often
    // larger and would push the rules out of their box.
    setFont(layoutFont(8.25, false));
    setFixedSize(twipsToPixels(4545), twipsToPixels(4080));

    Text1 = new QTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(twipsRect(120, 480, 4335, 3015));
    Text1->setReadOnly(true);
    // Read-only alone would still let the mouse select; the keyboard must be able to as well.
    Text1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Text1->setAcceptRichText(false);
    Text1->setLineWrapMode(QTextEdit::WidgetWidth);
    Text1->setWordWrapMode(QTextOption::WordWrap);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1->setFocusPolicy(Qt::ClickFocus);

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twipsRect(1800, 3600, 855, 375));
    Command1->setDefault(true);
    fitText(Command1);
    connect(Command1, &QPushButton::clicked, this, &frmHelp::Command1_Click);

    Label1 = new QLabel(QStringLiteral("How to play Tavlin Solitaire"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipsRect(120, 120, 4335, 375));
    Label1->setFont(layoutFont(9.75, true));
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    fitText(Label1);

    // An outline around the client area; only its top and left edges fall inside the window.
    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(twipsRect(0, 0, 4575, 4215));
    Shape1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Shape1->setAttribute(Qt::WA_TransparentForMouseEvents);
    Shape1->lower();

    // Only the button is a tab stop; the text box joins the chain once clicked into.
    setTabOrder(Command1, Text1);
    Command1->setFocus();

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
