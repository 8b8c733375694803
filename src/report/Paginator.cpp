// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/Paginator.h"

namespace zelvar::report {

namespace {

// Layout values are given to 0.1 mm; this keeps a band that fits exactly from
// going to the next page through rounding.
constexpr double kSlackMm = 0.01;

const Item& printableFrame()
{
    static const Item frame = Item::frame();
    return frame;
}

} // namespace

const PlacedItem* Page::findText(const QString& text, int nth) const
{
    for (const PlacedItem& p : items)
        if (p.kind == ItemKind::Text && p.text == text && nth-- == 0)
            return &p;
    return nullptr;
}

QStringList Page::texts() const
{
    QStringList out;
    for (const PlacedItem& p : items)
        if (p.kind == ItemKind::Text)
            out << p.text;
    return out;
}

Paginator::Paginator(const ReportDefinition& definition, const RowSource& rows)
    : m_def(definition),
      m_rows(rows)
{
}

Page Paginator::nextPage()
{
    return layoutPage(true);
}

void Paginator::skipPage()
{
    layoutPage(false);
}

void Paginator::seek(Position position)
{
    m_nextRow = position.row;
    m_pageNumber = position.pageNumber;
    m_done = false;
}

Page Paginator::layoutPage(bool place)
{
    Page page;
    page.number = ++m_pageNumber;
    const QRectF area = m_def.printableMm();
    double y = area.top();
    const double bottom = area.bottom() - m_def.pageFooter.height;
    const int total = m_rows.rowCount();
    const int firstRow = m_nextRow < total ? m_nextRow : (total > 0 ? total - 1 : -1);

    if (place && m_def.framePrintableArea)
        page.items.append(PlacedItem{ItemKind::Frame, area, {}, {}, &printableFrame()});
    if (page.number == 1 && m_def.titleBand.present()) {
        if (place)
            placeBand(page, m_def.titleBand, {area.left(), y}, area.width(), firstRow);
        y += m_def.titleBand.height;
    }
    if (m_def.columnHeader.present()) {
        if (place)
            placeBand(page, m_def.columnHeader, {area.left(), y}, area.width(), firstRow);
        y += m_def.columnHeader.height;
    }
    const int placed = placeDetails(page, y, bottom, place);
    if (place && m_def.pageFooter.present()) {
        const int lastRow = placed > 0 ? page.firstRow + placed - 1 : firstRow;
        placeBand(page, m_def.pageFooter, {area.left(), bottom}, area.width(), lastRow);
    }
    m_done = m_nextRow >= total;
    return page;
}

int Paginator::placeDetails(Page& page, double top, double bottom, bool place)
{
    const Band& band = m_def.detail;
    const int total = m_rows.rowCount();
    if (!band.present() || m_nextRow >= total) {
        m_nextRow = total;
        return 0;
    }
    const QRectF area = m_def.printableMm();
    const int columns = qMax(1, m_def.columns);
    const double columnWidth =
        m_def.columnWidth > 0 ? m_def.columnWidth : (area.width() - m_def.columnGap * (columns - 1)) / columns;
    page.firstRow = m_nextRow;
    int placed = 0;
    for (int column = 0; column < columns && m_nextRow < total; ++column) {
        const double x = area.left() + column * (columnWidth + m_def.columnGap);
        double y = top;
        // A band taller than the room left on an empty page still prints, so
        // that the report always comes to an end.
        while (m_nextRow < total && (y + band.height <= bottom + kSlackMm || placed == 0)) {
            if (place)
                placeBand(page, band, {x, y}, columnWidth, m_nextRow);
            y += band.height;
            ++m_nextRow;
            ++placed;
        }
    }
    page.rowCount = placed;
    return placed;
}

void Paginator::placeBand(Page& page, const Band& band, QPointF origin, double width, int row)
{
    const qsizetype first = page.items.size();
    for (const Item& item : band.items) {
        if (item.kind == ItemKind::Text)
            placeText(page, item, origin, width, row, page.number);
        else
            placeBox(page, item, origin, width, band.height, row);
    }
    m_fitter.fitBand(page.items, first, origin.x(), origin.x() + width);
}

QVariant Paginator::fieldValue(const Item& item, int row)
{
    if (row < 0)
        return {};
    auto it = m_fieldIndex.constFind(&item);
    if (it == m_fieldIndex.constEnd())
        it = m_fieldIndex.insert(&item, m_rows.fieldIndex(item.field));
    return *it < 0 ? QVariant() : m_rows.value(row, *it);
}

void Paginator::placeText(Page& page, const Item& item, QPointF origin, double bandWidth, int row, int pageNumber)
{
    QString text = item.field.isEmpty() ? item.text : fieldValue(item, row).toString();
    if (item.pageNumber)
        text += QString::number(pageNumber);
    if (text.isEmpty())
        return;
    QRectF rect;
    if (item.sizing == TextSizing::FixedBox) {
        rect = QRectF(origin.x() + item.left, origin.y() + item.top, item.width, item.height);
    } else {
        auto known = m_lineHeight.constFind(&item);
        if (known == m_lineHeight.constEnd())
            known = m_lineHeight.insert(&item, m_fonts.lineHeightMm(item.font));
        const double height = *known;
        double anchor = origin.x() + (item.centredInBand ? bandWidth / 2 : item.left);
        if (!(item.align & (Qt::AlignHCenter | Qt::AlignRight))) {
            // Blanks leading a text are room the layout gives: the text
            // stands where its first letter does, whatever size it is set in.
            qsizetype blanks = 0;
            while (blanks < text.size() && text.at(blanks) == QLatin1Char(' '))
                ++blanks;
            if (blanks == text.size())
                return;
            if (blanks > 0) {
                anchor += m_fonts.widthMm(text.left(blanks), item.font);
                text.remove(0, blanks);
            }
        }
        const double w = m_fonts.widthMm(TextFitter::withoutTrailingBlanks(text), item.font);
        const double top = origin.y() + item.top;
        if (item.align & Qt::AlignHCenter)
            rect = QRectF(anchor - w / 2, top, w, height);
        else if (item.align & Qt::AlignRight)
            rect = QRectF(anchor - w, top, w, height);
        else
            rect = QRectF(anchor, top, w, height);
    }
    page.items.append(PlacedItem{ItemKind::Text, rect, text, {}, &item});
}

void Paginator::placeBox(Page& page, const Item& item, QPointF origin, double bandWidth, double bandHeight, int row)
{
    QRectF rect(origin.x() + item.left, origin.y() + item.top, item.width, item.height);
    if (item.kind != ItemKind::Line) {
        if (item.width <= 0)
            rect.setWidth(bandWidth - item.left);
        if (item.height <= 0)
            rect.setHeight(bandHeight - item.top);
    }
    QImage picture;
    if (item.kind == ItemKind::Picture) {
        picture = item.field.isEmpty() ? item.picture : fieldValue(item, row).value<QImage>();
        if (picture.isNull())
            return;
    }
    page.items.append(PlacedItem{item.kind, rect, {}, picture, &item});
}

QVector<Page> paginate(const ReportDefinition& definition, const RowSource& rows)
{
    Paginator paginator(definition, rows);
    QVector<Page> pages;
    do {
        pages.append(paginator.nextPage());
    } while (!paginator.atEnd());
    return pages;
}

} // namespace zelvar::report
