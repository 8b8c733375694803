// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// RichTextArea: the editor's text area, shared with the notebook. A rich
// text box that wraps at its width, writes a tab for the Tab key and
// carries a base font (the document's default, "Courier New" 10 points at
// first); bold, italic, underline, a chosen font and the paragraph's
// alignment apply to the selection or to what is typed next.
#include <QTextEdit>

namespace zelvar {

class Prompter;

class RichTextArea : public QTextEdit {
    Q_OBJECT
public:
    explicit RichTextArea(QWidget* parent = nullptr);

    static QString baseFontName() { return QStringLiteral("Courier New"); }
    static constexpr int kBaseFontSize = 10;

    QFont baseFont() const;
    void setBaseFont(const QFont& font);
    void setBaseFontName(const QString& name);
    void setBaseFontSize(int points);

    void setParagraphAlignment(Qt::Alignment alignment);
    void setBold(bool on);
    void setItalic(bool on);
    void setUnderline(bool on);
    // The font dialog over the caret's font; false when cancelled.
    bool chooseFont(Prompter& prompter);

private:
    void mergeFormat(const QTextCharFormat& format);
};

} // namespace zelvar
