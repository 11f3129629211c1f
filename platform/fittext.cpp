// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// Whether a fixed box's text shows whole, judged for each kind of control as Qt lays it out, and
// the font stepped down until it does.
#include "fittext.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextEdit>

namespace tavlin {

namespace {

constexpr qreal StepPoints = 0.25;
constexpr qreal MinimumPoints = 6;

bool fits(const QWidget *box)
{
    const QFontMetrics metrics = box->fontMetrics();
    if (const auto *edit = qobject_cast<const QTextEdit *>(box)) {
        // Before the box is first shown its viewport has not been resized, so the document is
        // laid out here at the width the viewport will have.
        const QSize viewport = edit->maximumViewportSize();
        edit->document()->setTextWidth(viewport.width());
        return edit->document()->size().height() <= viewport.height();
    }
    if (const auto *label = qobject_cast<const QLabel *>(box))
        return QRect({}, label->size()).contains(QRect({}, label->sizeHint()));
    if (const auto *button = qobject_cast<const QPushButton *>(box)) {
        QStyleOptionButton option;
        option.initFrom(button);
        if (button->isDefault())
            option.features = QStyleOptionButton::DefaultButton; // a default button's ring
        const QRect room =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        const QSize text = metrics.size(Qt::TextShowMnemonic, button->text());
        return text.width() <= room.width() && text.height() <= room.height();
    }
    if (const auto *line = qobject_cast<const QLineEdit *>(box)) {
        // Inside its text margins a line edit keeps 2 pixels clear at either side and 1 above and
        // below, and scrolls the text unless its advance and one more pixel fit between them.
        const QRect room = line->contentsRect().marginsRemoved(line->textMargins());
        return metrics.horizontalAdvance(line->text()) + 1 <= room.width() - 4 &&
               metrics.height() <= room.height() - 2;
    }
    return true;
}

} // namespace

void fitText(QWidget *box)
{
    QFont font = box->font();
    while (!fits(box) && font.pointSizeF() - StepPoints >= MinimumPoints) {
        font.setPointSizeF(font.pointSizeF() - StepPoints);
        box->setFont(font);
    }
}

} // namespace tavlin
