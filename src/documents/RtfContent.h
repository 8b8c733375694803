// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// RtfContent: what a rich-text file holds that the editor keeps: paragraphs
// with their alignment, and runs of text with their character formatting.
#include <QString>
#include <QTextCharFormat>
#include <QVector>
#include <functional>

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

// Qt's text engine fills and lays out a document paragraph by paragraph,
// and a million paragraphs take it many seconds. A document of more than
// kManyBlocks paragraphs keeps runs of up to kLinesPerBlock alike paragraphs
// as the lines of one (line breaks: "\line" in rich text, line ends in plain
// text), which show, print and save the same text. (Longer runs make Qt's
// layout of a block far slower in a fixed-pitch font.)
constexpr qsizetype kManyBlocks = 100000;
constexpr qsizetype kLinesPerBlock = 4;
// Beyond kLinesPerBlock * kMostBlocks paragraphs, runs grow so the document
// keeps at most this many blocks: each block costs its fill a split of the
// document's pieces.
constexpr qsizetype kMostBlocks = 250000;
// How many paragraphs of a document of `paragraphs` go into one block.
qsizetype paragraphsPerBlock(qsizetype paragraphs);

// Replaces the whole text of the document with the content.
void fillDocument(QTextDocument& document, const RtfContent& content);
// The same for a document no view shows yet, handing each paragraph's
// memory back once it is in and joining paragraphs beyond kManyBlocks; tells `progress` the share done (0 to 1) now
// and then and stops, returning false, when it answers false.
bool fillDocument(QTextDocument& document, RtfContent&& content, const std::function<bool(double)>& progress);

} // namespace zelvar
