// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/TitleGrid.h"

#include <QHeaderView>

namespace zelvar {

namespace {

constexpr int kColumnWidth = 64;
constexpr int kRowHeight = 17;

} // namespace

TitleGrid::TitleGrid(QWidget* parent)
    : QTableWidget(parent)
{
    setObjectName(QStringLiteral("titleGrid"));
    setRowCount(1);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    verticalHeader()->setMinimumSectionSize(kRowHeight);
    horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    horizontalHeader()->setFixedHeight(kRowHeight + 2);
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    setAutoFillBackground(true);
    setColumns(kInitialColumns);
}

void TitleGrid::setColumns(int count)
{
    // A fresh set of columns stands in its own order again.
    setColumnCount(0);
    setColumnCount(count);
    QHeaderView* header = horizontalHeader();
    for (int c = 0; c < count; ++c) {
        setHorizontalHeaderItem(c, new QTableWidgetItem);
        setItem(0, c, new QTableWidgetItem);
        setColumnWidth(c, kColumnWidth);
        header->moveSection(header->visualIndex(c), c);
    }
}

void TitleGrid::setFields(const QStringList& names)
{
    setColumns(int(names.size()));
    for (int c = 0; c < names.size(); ++c)
        horizontalHeaderItem(c)->setText(names[c]);
    m_editable = names.size() <= kEditableColumns;
    setEditTriggers(m_editable ? QAbstractItemView::AllEditTriggers : QAbstractItemView::NoEditTriggers);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, m_editable ? QPalette().color(QPalette::Base) : QColor(255, 255, 0));
    setPalette(pal);
}

void TitleGrid::clearCells()
{
    for (int c = 0; c < columnCount(); ++c) {
        if (QTableWidgetItem* h = horizontalHeaderItem(c))
            h->setText(QString());
        if (QTableWidgetItem* cell = item(0, c))
            cell->setText(QString());
    }
}

QString TitleGrid::fieldAt(int position) const
{
    if (position < 0 || position >= columnCount())
        return QString();
    const QTableWidgetItem* h = horizontalHeaderItem(horizontalHeader()->logicalIndex(position));
    return h ? h->text() : QString();
}

QString TitleGrid::headingAt(int position) const
{
    if (position < 0 || position >= columnCount())
        return QString();
    const QTableWidgetItem* cell = item(0, horizontalHeader()->logicalIndex(position));
    return cell ? cell->text() : QString();
}

void TitleGrid::setHeadingAt(int position, const QString& text)
{
    if (position >= 0 && position < columnCount())
        item(0, horizontalHeader()->logicalIndex(position))->setText(text);
}

void TitleGrid::moveColumn(int from, int to)
{
    horizontalHeader()->moveSection(from, to);
}

} // namespace zelvar
