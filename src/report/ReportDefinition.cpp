// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/ReportDefinition.h"

namespace zelvar::report {

Item Item::label(const QString& text, const FontSpec& font)
{
    Item i;
    i.text = text;
    i.font = font;
    return i;
}

Item Item::value(const QString& name, const FontSpec& font)
{
    Item i;
    i.field = name;
    i.font = font;
    return i;
}

Item Item::pageNo(const QString& prefix, const FontSpec& font)
{
    Item i = label(prefix, font);
    i.pageNumber = true;
    return i;
}

Item Item::frame(double top, double left, double width, double height, int sides)
{
    Item i;
    i.kind = ItemKind::Frame;
    i.top = top;
    i.left = left;
    i.width = width;
    i.height = height;
    i.sides = sides;
    return i;
}

Item Item::fill(const QColor& colour, double top, double left, double width, double height)
{
    Item i = frame(top, left, width, height, NoSide);
    i.kind = ItemKind::Fill;
    i.background = colour;
    return i;
}

Item Item::line(double top, double left, double width, double height)
{
    Item i = frame(top, left, width, height, NoSide);
    i.kind = ItemKind::Line;
    return i;
}

Item Item::image(const QImage& image, double top, double left, double width, double height, PictureFit fit)
{
    Item i = frame(top, left, width, height, NoSide);
    i.kind = ItemKind::Picture;
    i.picture = image;
    i.fit = fit;
    return i;
}

Item Item::imageField(const QString& field, double top, double left, double width, double height, PictureFit fit)
{
    Item i = image(QImage(), top, left, width, height, fit);
    i.field = field;
    return i;
}

Item& Item::at(double topMm, double leftMm)
{
    top = topMm;
    left = leftMm;
    align = Qt::AlignLeft;
    sizing = TextSizing::Auto;
    return *this;
}

Item& Item::centredOn(double topMm, double centreMm)
{
    at(topMm, centreMm);
    align = Qt::AlignHCenter;
    return *this;
}

Item& Item::rightAlignedAt(double topMm, double rightMm)
{
    at(topMm, rightMm);
    align = Qt::AlignRight;
    return *this;
}

Item& Item::centredAcross(double topMm)
{
    centredOn(topMm, 0);
    centredInBand = true;
    return *this;
}

Item& Item::inBox(double topMm, double leftMm, double widthMm, double heightMm, bool wrap)
{
    top = topMm;
    left = leftMm;
    width = widthMm;
    height = heightMm;
    sizing = TextSizing::FixedBox;
    wordWrap = wrap;
    return *this;
}

Item& Item::withBackground(const QColor& colour)
{
    background = colour;
    return *this;
}

QSizeF ReportDefinition::pageSizeMm() const
{
    const QSizeF size = QPageSize::size(paper, QPageSize::Millimeter);
    return orientation == QPageLayout::Landscape ? size.transposed() : size;
}

QRectF ReportDefinition::printableMm() const
{
    const QSizeF size = pageSizeMm();
    return QRectF(margins.left(), margins.top(), size.width() - margins.left() - margins.right(),
                  size.height() - margins.top() - margins.bottom());
}

QPageLayout ReportDefinition::pageLayout() const
{
    // The painter draws from the paper's corner itself, so the device gets no
    // margins of its own.
    return QPageLayout(QPageSize(paper), orientation, QMarginsF(), QPageLayout::Millimeter);
}

} // namespace zelvar::report
