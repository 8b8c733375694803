// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// RichTextArea: the editor's text area, shared with the notebook. A rich
// text box that wraps at its width, writes a tab for the Tab key and
// carries a base font (the document's default, "Courier New" 10 points at
// first); bold, italic, underline, a chosen font and the paragraph's
// alignment apply to the selection or to what is typed next.
#include "documents/TextAreaCommands.h"

#include <QTextEdit>

namespace zelvar {

class RichTextArea : public TextAreaCommands<QTextEdit> {
    Q_OBJECT
public:
    explicit RichTextArea(QWidget* parent = nullptr);
};

} // namespace zelvar
