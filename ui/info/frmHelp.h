// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// The How to Play window: the rules of the game in a read-only text box, a title and an OK
// button. It is shown modeless and without an owner, so the board stays playable beside it, and
// it is deleted when it closes, so the next opening loads it afresh.
#pragma once

#include <QDialog>
#include <QString>

class QTextEdit;

namespace tavlin {

class frmHelp : public QDialog {
    Q_OBJECT
public:
    frmHelp();

    // The rules as the text box receives them, paragraphs separated by CR LF CR LF.
    static QString rulesText();

private:
    void Form_Load();
    void Command1_Click();

    QTextEdit *Text1 = nullptr;
};

} // namespace tavlin
