// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/PagePainter.h"
#include "report/ReportFonts.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

namespace zelvar::report {

namespace {

constexpr double kMmPerInch = 25.4;

Item defaultFrame()
{
    return Item::frame();
}

} // namespace

PagePainter::PagePainter(QPainter& painter)
    : m_painter(painter),
      m_scaleX(painter.device()->logicalDpiX() / kMmPerInch),
      m_scaleY(painter.device()->logicalDpiY() / kMmPerInch)
{
}

void PagePainter::paint(const Page& page)
{
    m_painter.save();
    m_currentFont = nullptr;
    m_currentPen = QColor();
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    for (const PlacedItem& placed : page.items) {
        switch (placed.kind) {
        case ItemKind::Text:
            paintText(placed);
            break;
        case ItemKind::Frame:
            paintFrame(placed);
            break;
        case ItemKind::Fill:
            paintFill(placed);
            break;
        case ItemKind::Line:
            paintLine(placed);
            break;
        case ItemKind::Picture:
            paintPicture(placed);
            break;
        }
    }
    m_painter.restore();
}

QRectF PagePainter::toDevice(const QRectF& mm) const
{
    return QRectF(mm.x() * m_scaleX, mm.y() * m_scaleY, mm.width() * m_scaleX, mm.height() * m_scaleY);
}

const PagePainter::FontOnDevice& PagePainter::deviceFont(const PlacedItem& placed)
{
    // A text set smaller to fit has a size of its own.
    if (placed.pointSize > 0)
        return deviceFont(placed.font());
    const Item& item = *placed.item;
    if (const FontOnDevice* known = m_itemFonts.value(&item))
        return *known;
    const FontOnDevice& f = deviceFont(item.font);
    m_itemFonts.insert(&item, &f);
    return f;
}

const PagePainter::FontOnDevice& PagePainter::deviceFont(const FontSpec& wanted)
{
    const QString key =
        wanted.family + QLatin1Char('|') + QString::number(wanted.pointSize) + QLatin1Char(wanted.bold ? 'b' : 'r');
    auto it = m_fonts.find(key);
    if (it == m_fonts.end()) {
        FontOnDevice f;
        f.font = ReportFonts::font(wanted);
        f.metrics = QFontMetricsF(f.font, m_painter.device());
        f.ascent = f.metrics.ascent();
        f.height = f.metrics.height();
        it = m_fonts.emplace(key, f).first;
    }
    return it->second;
}

void PagePainter::usePen(const QColor& colour)
{
    if (m_currentPen == colour)
        return;
    m_painter.setPen(colour);
    m_currentPen = colour;
}

void PagePainter::paintText(const PlacedItem& placed)
{
    const Item& item = *placed.item;
    const FontOnDevice& f = deviceFont(placed);
    if (m_currentFont != &f) {
        m_painter.setFont(f.font);
        m_currentFont = &f;
    }
    const QRectF box = toDevice(placed.rect);

    if (item.sizing == TextSizing::FixedBox) {
        if (item.background.isValid())
            m_painter.fillRect(box, item.background);
        usePen(item.color);
        // A text on one line needs neither a clip nor a line layout, and a
        // long list of boxed values writes its PDF far faster. The paginator
        // has fitted the text of a box that cannot wrap to its width.
        const bool wraps = item.wordWrap && 2 * f.height <= box.height();
        if (!placed.text.contains(QLatin1Char('\n'))) {
            const double width = f.metrics.horizontalAdvance(placed.text);
            if (!wraps || width <= box.width()) {
                double x = box.left();
                if (item.align & Qt::AlignHCenter)
                    x = box.center().x() - width / 2;
                else if (item.align & Qt::AlignRight)
                    x = box.right() - width;
                m_painter.drawText(QPointF(x, box.top() + f.ascent), placed.text);
                return;
            }
        }
        m_painter.save();
        m_painter.setClipRect(box);
        const int flags = int(item.align) | Qt::AlignTop | (item.wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine);
        m_painter.drawText(box, flags, placed.text);
        m_painter.restore();
        m_currentFont = nullptr;
        m_currentPen = QColor();
        return;
    }
    // Auto width: left, centre or right edge as laid out; measured again on
    // this device so that centring is exact at its resolution.
    double x = box.left();
    if (item.align & (Qt::AlignHCenter | Qt::AlignRight) || item.background.isValid()) {
        const double width = QFontMetricsF(f.font, m_painter.device()).horizontalAdvance(placed.text);
        if (item.align & Qt::AlignHCenter)
            x = box.center().x() - width / 2;
        else if (item.align & Qt::AlignRight)
            x = box.right() - width;
        if (item.background.isValid())
            m_painter.fillRect(QRectF(x, box.top(), width, box.height()), item.background);
    }
    usePen(item.color);
    m_painter.drawText(QPointF(x, box.top() + f.ascent), placed.text);
}

void PagePainter::paintFrame(const PlacedItem& placed)
{
    static const Item fallback = defaultFrame();
    const Item& item = placed.item ? *placed.item : fallback;
    QPen pen(item.color);
    pen.setWidthF(item.penWidth * m_scaleX);
    pen.setCapStyle(Qt::SquareCap);
    m_painter.setPen(pen);
    m_currentPen = QColor();
    const QRectF r = toDevice(placed.rect);
    if (item.sides & TopSide)
        m_painter.drawLine(r.topLeft(), r.topRight());
    if (item.sides & BottomSide)
        m_painter.drawLine(r.bottomLeft(), r.bottomRight());
    if (item.sides & LeftSide)
        m_painter.drawLine(r.topLeft(), r.bottomLeft());
    if (item.sides & RightSide)
        m_painter.drawLine(r.topRight(), r.bottomRight());
}

void PagePainter::paintFill(const PlacedItem& placed)
{
    m_painter.fillRect(toDevice(placed.rect), placed.item->background);
}

void PagePainter::paintLine(const PlacedItem& placed)
{
    const Item& item = *placed.item;
    QPen pen(item.color);
    pen.setWidthF(item.penWidth * m_scaleX);
    m_painter.setPen(pen);
    m_currentPen = QColor();
    const QRectF r = toDevice(placed.rect);
    m_painter.drawLine(r.topLeft(), r.bottomRight());
}

void PagePainter::paintPicture(const PlacedItem& placed)
{
    const QRectF frame = toDevice(placed.rect);
    QRectF target = frame;
    if (placed.item->fit == PictureFit::Centre) {
        QSizeF size = QSizeF(placed.picture.size());
        size.scale(frame.size(), Qt::KeepAspectRatio);
        target = QRectF(QPointF(), size);
        target.moveCenter(frame.center());
    }
    m_painter.drawImage(target, placed.picture);
}

} // namespace zelvar::report
