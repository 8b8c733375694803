// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/TextFitter.h"

#include <cmath>

namespace zelvar::report {

namespace {

const QString kEllipsis = QStringLiteral("…");

// What a text claims of the room towards another: the width it needs, and
// whether it is the layout's own wording, which goes before a value.
struct Claim {
    double need;
    bool wording;
};

// The room one of two texts growing towards each other gets of the `gap`
// between their anchors. The layout's wording keeps what it needs and a
// value takes the rest; two of a kind each get what they need while that is
// no more than half, and whatever the other leaves.
double share(double gap, Claim mine, Claim theirs)
{
    if (gap <= 0)
        return 0;
    if (mine.need + theirs.need <= gap)
        return gap - theirs.need;
    if (mine.wording != theirs.wording)
        return mine.wording ? std::min(mine.need, gap) : std::max(0.0, gap - theirs.need);
    if (theirs.need <= gap / 2)
        return gap - theirs.need;
    if (mine.need <= gap / 2)
        return mine.need;
    return gap / 2;
}

// Two items stand on one line when their boxes share more than a fifth of
// the lower one's height: lines set closer than their line height only bring
// one line's descenders near the next line's accents.
bool sameLine(double top1, double bottom1, double top2, double bottom2)
{
    const double shared = std::min(bottom1, bottom2) - std::max(top1, top2);
    return shared > 0.2 * std::min(bottom1 - top1, bottom2 - top2);
}

} // namespace

// One item of the band as the fitting sees it: a text that grows from its
// anchor, or a fixed box (a picture, a boxed text) that others keep clear of.
struct TextFitter::Piece {
    qsizetype index = -1;
    bool grows = false;
    bool wording = false; // a text of the layout itself, not a value
    double top = 0;
    double bottom = 0;
    double anchor = 0;    // growing texts: the left edge, centre or right edge that stays
    double needLeft = 0;  // growing texts: room wanted left and right of the anchor
    double needRight = 0; //
    double left = 0;      // fixed boxes
    double right = 0;
};

QString TextFitter::withoutTrailingBlanks(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return end == text.size() ? text : text.left(end);
}

TextFitter::TextFitter(ReportFonts& fonts)
    : m_fonts(fonts)
{
}

double TextFitter::width(const QString& text, const FontSpec& font)
{
    return m_fonts.widthMm(text, font);
}

QVector<TextFitter::Piece> TextFitter::pieces(const QVector<PlacedItem>& items, qsizetype first)
{
    QVector<Piece> out;
    for (qsizetype i = first; i < items.size(); ++i) {
        const PlacedItem& placed = items[i];
        const bool text = placed.kind == ItemKind::Text;
        if (!text && placed.kind != ItemKind::Picture)
            continue;
        Piece p;
        p.index = i;
        p.top = placed.rect.top();
        p.bottom = placed.rect.bottom();
        p.left = placed.rect.left();
        p.right = placed.rect.right();
        p.grows = text && placed.item->sizing == TextSizing::Auto;
        p.wording = text && placed.item->field.isEmpty() && !placed.item->pageNumber;
        if (p.grows) {
            const Qt::Alignment align = placed.item->align;
            const double w = placed.rect.width();
            if (align & Qt::AlignHCenter) {
                p.anchor = placed.rect.center().x();
                p.needLeft = p.needRight = w / 2;
            } else if (align & Qt::AlignRight) {
                p.anchor = placed.rect.right();
                p.needLeft = w;
            } else {
                p.anchor = placed.rect.left();
                p.needRight = w;
            }
        }
        out << p;
    }
    return out;
}

double TextFitter::roomFor(const Piece& text, const QVector<Piece>& all, double left, double right)
{
    double toLeft = text.anchor - left;
    double toRight = right - text.anchor;
    for (const Piece& other : all) {
        if (other.index == text.index)
            continue;
        // Nothing may touch the photo; texts only keep clear of texts on their line.
        const bool shares = other.grows ? sameLine(text.top, text.bottom, other.top, other.bottom)
                                        : std::min(text.bottom, other.bottom) - std::max(text.top, other.top) > 0.01;
        if (!shares)
            continue;
        if (!other.grows) {
            if (other.left >= text.anchor)
                toRight = std::min(toRight, other.left - text.anchor - kGapMm);
            else if (other.right <= text.anchor)
                toLeft = std::min(toLeft, text.anchor - other.right - kGapMm);
        } else if (other.anchor > text.anchor) {
            toRight = std::min(toRight, share(other.anchor - text.anchor - kGapMm, {text.needRight, text.wording},
                                              {other.needLeft, other.wording}));
        } else if (other.anchor < text.anchor) {
            toLeft = std::min(toLeft, share(text.anchor - other.anchor - kGapMm, {text.needLeft, text.wording},
                                            {other.needRight, other.wording}));
        }
    }
    double room = toRight;
    if (text.needLeft > 0 && text.needRight > 0)
        room = 2 * std::min(toLeft, toRight);
    else if (text.needLeft > 0)
        room = toLeft;
    return std::max(0.0, room);
}

void TextFitter::fitBand(QVector<PlacedItem>& items, qsizetype first, double left, double right)
{
    // Half the gap at the band's edges: clear of its frame, and of the next
    // label column.
    left += kGapMm / 2;
    right -= kGapMm / 2;
    const QVector<Piece> all = pieces(items, first);
    QVector<double> rooms(all.size(), -1);
    for (qsizetype i = 0; i < all.size(); ++i)
        if (all[i].grows)
            rooms[i] = roomFor(all[i], all, left, right);
    // Rooms come from the widths as laid out, so every one is found before
    // any text changes.
    for (qsizetype i = 0; i < all.size(); ++i) {
        PlacedItem& placed = items[all[i].index];
        if (all[i].grows)
            fitText(placed, rooms[i]);
        else if (placed.kind == ItemKind::Text)
            fitBox(placed);
    }
}

void TextFitter::fitText(PlacedItem& placed, double room)
{
    if (placed.rect.width() <= room)
        return;
    const FontSpec& font = placed.item->font;
    const Fitted fitted = fit(placed.text, font, room);
    placed.text = fitted.text;
    if (fitted.size != font.pointSize)
        placed.pointSize = fitted.size;
    // Set smaller, it stays on its line: same baseline, inside its old box.
    QRectF rect = placed.rect;
    rect.setTop(rect.top() + m_fonts.ascentMm(font) - m_fonts.ascentMm(placed.font()));
    rect.setWidth(fitted.width);
    rect.setHeight(m_fonts.lineHeightMm(placed.font()));
    if (placed.item->align & Qt::AlignHCenter)
        rect.moveCenter(QPointF(placed.rect.center().x(), rect.center().y()));
    else if (placed.item->align & Qt::AlignRight)
        rect.moveRight(placed.rect.right());
    placed.rect = rect;
}

void TextFitter::fitBox(PlacedItem& placed)
{
    const FontSpec& font = placed.item->font;
    // A box that holds two lines or more wraps its text instead.
    if (placed.item->wordWrap && placed.rect.height() >= 2 * m_fonts.lineHeightMm(font))
        return;
    if (placed.text.contains(QLatin1Char('\n')))
        placed.text = placed.text.section(QLatin1Char('\n'), 0, 0);
    const Fitted fitted = fit(placed.text, font, placed.rect.width());
    placed.text = fitted.text;
    if (fitted.size != font.pointSize)
        placed.pointSize = fitted.size;
}

TextFitter::Fitted TextFitter::fit(const QString& text, const FontSpec& font, double room)
{
    const QString whole = withoutTrailingBlanks(text);
    double w = width(whole, font);
    if (w <= room)
        return {text, font.pointSize, w};
    FontSpec smaller = font;
    if (font.pointSize > kSmallestSize) {
        // Widths grow with the size (the fonts are measured unhinted), so
        // the first guess is close; quarter points keep the sizes few.
        double size = std::max(kSmallestSize, std::floor(font.pointSize * room / w * 4) / 4);
        for (;;) {
            smaller.pointSize = size;
            w = width(whole, smaller);
            if (w <= room)
                return {whole, size, w};
            if (size <= kSmallestSize)
                break;
            size = std::max(kSmallestSize, size - 0.25);
        }
    }
    const QString shortened = cut(whole, smaller, room);
    return {shortened, smaller.pointSize, width(shortened, smaller)};
}

QString TextFitter::cut(const QString& text, const FontSpec& font, double room)
{
    // At the last whole word that leaves room for "…".
    for (qsizetype end = text.lastIndexOf(QLatin1Char(' ')); end > 0;
         end = text.lastIndexOf(QLatin1Char(' '), end - 1)) {
        const QString head = withoutTrailingBlanks(text.left(end));
        if (!head.isEmpty() && width(head + kEllipsis, font) <= room)
            return head + kEllipsis;
    }
    // Not even the first word with "…": the first word alone, if it fits.
    QString first = text.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
    if (first.size() < text.size() && width(first, font) <= room)
        return first;
    // One word too long for the room: as many of its letters as fit.
    for (qsizetype n = first.size() - 1; n > 0; --n) {
        QString head = first.left(n) + kEllipsis;
        if (width(head, font) <= room)
            return head;
    }
    return width(kEllipsis, font) <= room ? kEllipsis : QString();
}

} // namespace zelvar::report
