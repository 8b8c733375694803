// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CountWidth.h"

#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <cmath>

namespace zelvar {

int widthToShow(const QWidget* box, const QString& text)
{
    if (const auto* label = qobject_cast<const QLabel*>(box)) {
        // A label of the same make tells what it needs for the text.
        QLabel probe(text);
        probe.setFont(label->font());
        probe.setFrameStyle(label->frameStyle());
        probe.setLineWidth(label->lineWidth());
        probe.setMargin(label->margin());
        probe.setIndent(label->indent());
        return probe.sizeHint().width();
    }
    const int advance = int(std::ceil(box->fontMetrics().horizontalAdvance(text)));
    if (const auto* line = qobject_cast<const QLineEdit*>(box)) {
        constexpr int kTextMargin = 2; // a line box's own room each side of its text
        const QMargins margins = line->textMargins();
        QStyleOptionFrame option;
        option.initFrom(line);
        option.lineWidth =
            line->hasFrame() ? line->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, line) : 0;
        const QSize contents(advance + 2 * kTextMargin + margins.left() + margins.right() + 1, line->height());
        return line->style()->sizeFromContents(QStyle::CT_LineEdit, &option, contents, line).width();
    }
    return advance;
}

} // namespace zelvar
