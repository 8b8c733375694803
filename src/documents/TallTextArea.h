// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TallTextArea: the editor's view for a text too tall for the rich view,
// such as a file of a million lines. It lays out only the paragraphs on
// the screen, so such a text shows and scrolls at once. Formats show as in
// the rich view; paragraphs show left-aligned, and keep their alignment for
// printing and saving.
#include "documents/TextAreaCommands.h"

#include <QPlainTextEdit>

namespace zelvar {

class TallTextArea : public TextAreaCommands<QPlainTextEdit> {
    Q_OBJECT
public:
    explicit TallTextArea(QWidget* parent = nullptr);

    // Whether a document may come near the end of the rich view's layout,
    // whose coordinates end at 8,388,607 pixels (about 500,000 lines of
    // 10-point text): past it, that layout never finishes.
    static bool needed(const QTextDocument& document);

    // Shows a document in place of the text; the box then owns it.
    void replaceDocument(std::unique_ptr<QTextDocument> document);
};

} // namespace zelvar
