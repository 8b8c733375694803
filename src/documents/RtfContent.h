#pragma once
// RtfContent: what a rich-text file holds that the editor keeps: paragraphs
// with their alignment, and runs of text with their character formatting.
#include <QString>
#include <QTextCharFormat>
#include <QVector>

class QTextDocument;

namespace zelvar {

struct RtfRun {
    QString text; // tabs as '\t', line breaks as U+2028
    QTextCharFormat format;
};

struct RtfParagraph {
    Qt::Alignment alignment = Qt::AlignLeft;
    QVector<RtfRun> runs;
    QTextCharFormat markFormat; // the formatting at the paragraph's end
};

struct RtfContent {
    QVector<RtfParagraph> paragraphs;
    QString plainText() const; // paragraphs joined by '\n'
};

// Replaces the whole text of the document with the content.
void fillDocument(QTextDocument& document, const RtfContent& content);

} // namespace zelvar
