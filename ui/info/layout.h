// SPDX-FileCopyrightText: 2026 Kelmar Games
// SPDX-License-Identifier: MIT

// The information windows' fixed layouts as tables: one row per control, in twips, in the order
// the window creates them, so a later control lies above an earlier one. build() turns a table
// into the window's widgets; the window then looks up the few it works with by name.
#pragma once

#include <Qt>
#include <QtGlobal>

#include <optional>
#include <span>

class QDialog;

namespace tavlin {

class Picture;

namespace layout {

enum class Kind {
    Label,      // a caption; it paints no background, so overlapping labels both stay readable
    OkButton,   // the window's one button: its default and cancel button, focused on opening
    TextBox,    // multi-line and locked: wrapped at words, no scroll bars, focused by a click only
    Link,       // a WebLink
    PictureBox, // a picture inside a sunken 2-pixel border; a tab stop
    Image,      // a picture alone
    Shape,      // an outline behind every other control, deaf to the mouse
};

// The face the layouts were measured in, at the window's own size unless given.
struct Font {
    qreal points = 8.25;
    bool bold = false;
    bool underline = false;
};

struct Settings {
    const char *text = "";          // the caption; for a picture, what it shows, for screen readers
    std::optional<Font> font = {};  // the window's when not given
    std::optional<quint32> color = {}; // the text's, 0x00BBGGRR or a system colour
    std::optional<quint32> back = {};  // the background's, the same way
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop;
    const Picture &(*picture)() = nullptr;
};

struct Control {
    Kind kind;
    const char *name;
    int left, top, width, height; // twips from the client area's top-left corner
    Settings settings = {};
};

struct Form {
    const char *name;
    const char *caption;
    int width, height; // the client area, twips
};

// Makes window the fixed-size form it describes, deleted when closed, and creates its controls.
// Every text is fitted to its box (see fitText).
void build(QDialog *window, const Form &form, std::span<const Control> controls);

} // namespace layout
} // namespace tavlin
