// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A printed report as plain data: paper, margins, bands and their items, all
// measured in millimetres. Documents build one of these; the paginator turns
// it and the rows into pages, and the page painter draws them.
//
// Positions of items are taken from the top-left corner of their band, in the
// order the layout tables give them: top first, then left.
//
//   Band detail;
//   detail.height = 6.3;
//   detail.items << Item::value("Adi", {"Arial", 9}).at(0.8, 2.1)
//                << Item::label("Sayfa", {"Arial", 9}).centredOn(1.1, 80);
#include <QColor>
#include <QImage>
#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QString>

namespace zelvar::report {

// A font as a layout names it ("Courier New", "Arial", "MS Sans Serif"), with
// its size in points.
struct FontSpec {
    QString family = QStringLiteral("Arial");
    double pointSize = 10;
    bool bold = false;

    FontSpec() = default;
    FontSpec(QString fam, double size, bool isBold = false)
        : family(std::move(fam)),
          pointSize(size),
          bold(isBold)
    {
    }
    bool operator==(const FontSpec& o) const
    {
        return family == o.family && pointSize == o.pointSize && bold == o.bold;
    }
};

enum class ItemKind { Text, Frame, Fill, Line, Picture };

// Which sides of a frame are drawn.
enum Side { NoSide = 0, LeftSide = 1, TopSide = 2, RightSide = 4, BottomSide = 8, AllSides = 15 };

// How a text takes its width.
enum class TextSizing {
    // As wide as its text: from `left` to the right, or both ways round a
    // centre. A text too long for the room before the next item or the
    // band's edge is set smaller, then cut (TextFitter); it never moves.
    Auto,
    FixedBox, // the box `width` x `height`
};

enum class PictureFit {
    Stretch, // fills the frame, proportions ignored
    Centre,  // as large as fits with its proportions kept, centred in the frame
};

struct Item {
    ItemKind kind = ItemKind::Text;
    double top = 0;    // mm from the band's top
    double left = 0;   // mm from the band's left; the centre for centred auto texts
    double width = 0;  // fixed boxes, frames, fills, pictures; 0 = the band's width
    double height = 0; // likewise; 0 = the band's height. Lines go from (left, top) by (width, height).

    // Text: a literal, or the row's value of `field` when it is set. A page
    // number item prints `text` immediately followed by the page's number.
    QString text;
    QString field;
    bool pageNumber = false;
    FontSpec font;
    Qt::Alignment align = Qt::AlignLeft; // AlignLeft, AlignHCenter or AlignRight
    bool centredInBand = false;          // centred across the whole band width
    TextSizing sizing = TextSizing::Auto;
    bool wordWrap = false;

    QColor color = Qt::black; // text and lines
    QColor background;        // fills, and an optional background behind a text
    int sides = AllSides;     // frames
    double penWidth = 0.25;   // frames and lines, mm

    QImage picture; // a fixed picture, or the row's `field` holds a QImage
    PictureFit fit = PictureFit::Stretch;

    // --- building
    static Item label(const QString& text, const FontSpec& font);
    static Item value(const QString& name, const FontSpec& font);
    static Item pageNo(const QString& prefix, const FontSpec& font); // "Sayfa" -> Sayfa1, Sayfa2 ...
    // A frame around (top, left, width, height); width/height 0 = the whole band.
    static Item frame(double top = 0, double left = 0, double width = 0, double height = 0, int sides = AllSides);
    static Item fill(const QColor& colour, double top = 0, double left = 0, double width = 0, double height = 0);
    static Item line(double top, double left, double width, double height);
    static Item image(const QImage& image, double top, double left, double width, double height,
                      PictureFit fit = PictureFit::Stretch);
    static Item imageField(const QString& field, double top, double left, double width, double height,
                           PictureFit fit = PictureFit::Stretch);

    Item& at(double topMm, double leftMm);              // left edge, grows right
    Item& centredOn(double topMm, double centreMm);     // grows both ways
    Item& rightAlignedAt(double topMm, double rightMm); // right edge, grows left
    Item& centredAcross(double topMm);                  // centred on the band's middle
    // A fixed box. Its text is set smaller or cut to fit one line, or, in a
    // box that holds two lines or more and with wrap set, wrapped at word
    // ends and clipped to the box.
    Item& inBox(double topMm, double leftMm, double widthMm, double heightMm, bool wrap = true);
    Item& withBackground(const QColor& colour);
};

struct Band {
    double height = 0; // mm; a band of height 0 is not printed
    QList<Item> items;

    bool present() const { return height > 0; }
};

struct ReportDefinition {
    QString title; // names the print job and captions the preview
    QPageSize::PageSizeId paper = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins{12.7, 12.7, 12.7, 12.7}; // mm: left, top, right, bottom
    bool framePrintableArea = false;           // a frame round the printable area of every page

    Band titleBand;    // once, at the top of the first page
    Band columnHeader; // at the top of every page, under the title on the first
    Band detail;       // once per row
    Band pageFooter;   // at the bottom of every page

    // Label columns: detail bands fill the first column downwards, then the
    // next, then a new page. One column by default; columnWidth 0 = the
    // printable width divided by the columns.
    int columns = 1;
    double columnWidth = 0;
    double columnGap = 0;

    QSizeF pageSizeMm() const;  // oriented
    QRectF printableMm() const; // from the page's top-left corner
    QPageLayout pageLayout() const;
};

} // namespace zelvar::report
