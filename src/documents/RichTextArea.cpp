// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/RichTextArea.h"

#include "platform/Prompter.h"

#include <QTextCharFormat>

namespace zelvar {

RichTextArea::RichTextArea(QWidget* parent)
    : QTextEdit(parent)
{
    setAccessibleName(QStringLiteral("Metin"));
    setAcceptRichText(true);
    setTabChangesFocus(false); // Tab writes a tab into the text
    setLineWrapMode(QTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont base(baseFontName());
    base.setPointSize(kBaseFontSize);
    setBaseFont(base);
}

QFont RichTextArea::baseFont() const
{
    return document()->defaultFont();
}

void RichTextArea::setBaseFont(const QFont& font)
{
    // The text area hands its own font to the document on every font
    // change, so both carry the base font.
    setFont(font);
    document()->setDefaultFont(font);
}

void RichTextArea::setBaseFontName(const QString& name)
{
    QFont font = baseFont();
    font.setFamilies({name});
    setBaseFont(font);
}

void RichTextArea::setBaseFontSize(int points)
{
    QFont font = baseFont();
    font.setPointSize(points);
    setBaseFont(font);
}

void RichTextArea::setParagraphAlignment(Qt::Alignment alignment)
{
    setAlignment(alignment);
}

void RichTextArea::mergeFormat(const QTextCharFormat& format)
{
    mergeCurrentCharFormat(format);
}

void RichTextArea::setBold(bool on)
{
    QTextCharFormat format;
    format.setFontWeight(on ? QFont::Bold : QFont::Normal);
    mergeFormat(format);
}

void RichTextArea::setItalic(bool on)
{
    QTextCharFormat format;
    format.setFontItalic(on);
    mergeFormat(format);
}

void RichTextArea::setUnderline(bool on)
{
    QTextCharFormat format;
    format.setFontUnderline(on);
    mergeFormat(format);
}

bool RichTextArea::chooseFont(Prompter& prompter)
{
    QFont font = currentCharFormat().font().resolve(baseFont());
    if (!prompter.chooseFont(font))
        return false;
    QTextCharFormat format;
    format.setFont(font);
    mergeFormat(format);
    setFocus();
    return true;
}

} // namespace zelvar
