// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// DocumentArea: the main window's area for document windows. Its background
// is a picture laid as whole tiles from the top-left corner, the last row and
// column cut at the edge. It cascades its windows keeping their sizes and
// lines minimized ones up along the bottom.
#include <QList>
#include <QMdiArea>
#include <QPixmap>
#include <QRect>

namespace zelvar {

// Where the tiles of a picture of size `tile` go in an area of size `area`:
// rows 0 to H div h and columns 0 to W div w, each at (column·w, row·h).
QList<QRect> backgroundTiles(const QSize& tile, const QSize& area);

// Top-left corners for `count` cascaded windows, each `step` further down and
// right; a window that would start below or right of `area` less `room`
// begins a new cascade from the top-left.
QList<QPoint> cascadePositions(int count, int step, const QSize& area, const QSize& room);

// Places for minimized windows of the given size: along the bottom edge from
// the left, a new row above when one is full.
QList<QPoint> iconPositions(const QList<QSize>& sizes, const QSize& area);

class DocumentArea : public QMdiArea {
    Q_OBJECT
public:
    explicit DocumentArea(QWidget* parent = nullptr);

    void setTile(const QPixmap& tile);
    QPixmap tile() const { return m_tile; }

public slots:
    // Cascades the open, not minimized windows, keeping their sizes.
    void cascade();
    // Lines up the minimized windows along the bottom.
    void arrangeIcons();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_tile;
};

} // namespace zelvar
