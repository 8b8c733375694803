// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TextAreaCommands: the editing commands the editor's text boxes share,
// written once over the Qt text box they extend (QTextEdit for the rich
// view, QPlainTextEdit for the tall view). Both carry a base font, the
// document's default, and apply bold, italic, underline, a chosen font
// and the paragraph's alignment to the selection or to what is typed next.
#include "platform/Prompter.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <memory>

namespace zelvar {

template <class TextBox>
class TextAreaCommands : public TextBox {
public:
    using TextBox::TextBox;

    static QString baseFontName() { return QStringLiteral("Courier New"); }
    static constexpr int kBaseFontSize = 10;

    QFont baseFont() const { return this->document()->defaultFont(); }

    void setBaseFont(const QFont& font)
    {
        // The text box hands its own font to the document on every font
        // change, so both carry the base font.
        this->setFont(font);
        this->document()->setDefaultFont(font);
    }

    void setBaseFontName(const QString& name)
    {
        QFont font = baseFont();
        font.setFamilies({name});
        setBaseFont(font);
    }

    void setBaseFontSize(int points)
    {
        QFont font = baseFont();
        font.setPointSize(points);
        setBaseFont(font);
    }

    void setParagraphAlignment(Qt::Alignment alignment)
    {
        QTextBlockFormat format;
        format.setAlignment(alignment);
        QTextCursor cursor = this->textCursor();
        cursor.mergeBlockFormat(format);
        this->setTextCursor(cursor);
    }

    void setBold(bool on)
    {
        QTextCharFormat format;
        format.setFontWeight(on ? QFont::Bold : QFont::Normal);
        this->mergeCurrentCharFormat(format);
    }

    void setItalic(bool on)
    {
        QTextCharFormat format;
        format.setFontItalic(on);
        this->mergeCurrentCharFormat(format);
    }

    void setUnderline(bool on)
    {
        QTextCharFormat format;
        format.setFontUnderline(on);
        this->mergeCurrentCharFormat(format);
    }

    // The font dialog over the caret's font; false when cancelled.
    bool chooseFont(Prompter& prompter)
    {
        QFont font = this->currentCharFormat().font().resolve(baseFont());
        if (!prompter.chooseFont(font))
            return false;
        QTextCharFormat format;
        format.setFont(font);
        this->mergeCurrentCharFormat(format);
        this->setFocus();
        return true;
    }

    // Shows a document in place of the text; the box then owns it. A
    // document the box made itself stays with it, one it was given goes.
    void replaceDocument(std::unique_ptr<QTextDocument> document)
    {
        QTextDocument* previous = this->document();
        const bool given = previous->parent() == this;
        QTextDocument* shown = document.release();
        shown->setParent(this);
        this->setDocument(shown);
        if (given)
            delete previous;
    }

protected:
    // The settings both views share: wrapped at the box's width, a tab
    // written for the Tab key, the base font "Courier New" 10 points.
    void setUpTextBox()
    {
        this->setAccessibleName(QStringLiteral("Metin"));
        this->setTabChangesFocus(false);
        this->setLineWrapMode(TextBox::WidgetWidth);
        this->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        this->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        QFont base(baseFontName());
        base.setPointSize(kBaseFontSize);
        setBaseFont(base);
    }
};

} // namespace zelvar
