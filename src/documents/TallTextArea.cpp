// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/TallTextArea.h"

#include <QPlainTextDocumentLayout>

namespace zelvar {

namespace {
// Lines the rich view is trusted with: a third of what 10-point text can
// reach, leaving room for larger fonts and lines that wrap.
constexpr qint64 kRichViewLines = 150000;
// A wrapped line of the narrowest text the editor shows holds at least this
// many characters.
constexpr qint64 kCharactersPerLine = 60;
} // namespace

TallTextArea::TallTextArea(QWidget* parent)
    : TextAreaCommands<QPlainTextEdit>(parent)
{
    setUpTextBox();
}

bool TallTextArea::needed(const QTextDocument& document)
{
    const qint64 lines = qint64(document.blockCount()) + document.characterCount() / kCharactersPerLine;
    return lines > kRichViewLines;
}

void TallTextArea::replaceDocument(std::unique_ptr<QTextDocument> document)
{
    // This view draws with the plain layout, which measures in paragraphs
    // rather than pixels and lays out a paragraph only when it is shown.
    document->setDocumentLayout(new QPlainTextDocumentLayout(document.get()));
    TextAreaCommands<QPlainTextEdit>::replaceDocument(std::move(document));
}

} // namespace zelvar
