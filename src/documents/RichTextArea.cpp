// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/RichTextArea.h"

namespace zelvar {

RichTextArea::RichTextArea(QWidget* parent)
    : TextAreaCommands<QTextEdit>(parent)
{
    setAcceptRichText(true);
    setUpTextBox();
}

} // namespace zelvar
