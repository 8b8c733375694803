// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/bound/DBGrid.h"

#include "ui/bound/DBEdit.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QtMath>

namespace zelvar {

// Paints every cell in the grid's row colours and gives date and text
// cells the same limits as the edit boxes.
class GridDelegate : public QStyledItemDelegate {
public:
    explicit GridDelegate(DBGrid* grid)
        : QStyledItemDelegate(grid),
          m_grid(grid)
    {
    }

    QWidget* openEditor() const { return m_editor; }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            const FieldDef* def = fieldDef(index);
            if (def && def->isDate())
                line->setInputMask(DBEdit::dateInputMask());
            else if (def && def->isText() && def->width > 0)
                line->setMaxLength(def->width);
            // Typing into a cell puts the row into editing, as typing into
            // an edit box does.
            connect(line, &QLineEdit::textEdited, m_grid,
                    [grid = m_grid] { runCommand(grid->errorReporter(), [grid] { grid->cellTyped(); }); });
        }
        m_editor = editor;
        return editor;
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        auto* line = qobject_cast<QLineEdit*>(editor);
        const FieldDef* def = fieldDef(index);
        runCommand(m_grid->errorReporter(), [&] {
            if (line && def && def->isDate())
                // The blanks tell an incomplete date from an empty one.
                model->setData(index, line->displayText());
            else
                QStyledItemDelegate::setModelData(editor, model, index);
        });
    }

    void destroyEditor(QWidget* editor, const QModelIndex& index) const override
    {
        if (editor == m_editor)
            m_editor = nullptr;
        QStyledItemDelegate::destroyEditor(editor, index);
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->backgroundBrush = m_grid->cellBackground(index);
        const QColor text = m_grid->cellTextColor(index);
        option->palette.setColor(QPalette::Text, text);
        option->palette.setColor(QPalette::HighlightedText, text);
        option->state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    }

    // A cell is its row colour and one line of text, drawn here as the
    // style draws it: the style's general item path asks the model for
    // every role and lays the text out twice, for every cell painted.
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        painter->fillRect(option.rect, m_grid->cellBackground(index));
        const QString text = index.data(Qt::DisplayRole).toString();
        if (!text.isEmpty()) {
            const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
            const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option.widget) + 1;
            const QRect cell = option.rect.adjusted(margin, 0, -margin, 0);
            const QVariant wanted = index.data(Qt::TextAlignmentRole);
            const Qt::Alignment alignment = wanted.isValid() ? wanted.value<Qt::Alignment>() : option.displayAlignment;
            // The line is placed as the style places its laid-out text: a
            // line box of the font's height rounded up, aligned in the cell,
            // the baseline one ascent below its top.
            const QFontMetricsF metrics(option.font);
            const QString shown = metrics.elidedText(text, option.textElideMode, cell.width());
            const QRect line =
                QStyle::alignedRect(option.direction, alignment, QSize(cell.width(), qCeil(metrics.height())), cell);
            const qreal spare = cell.width() - metrics.horizontalAdvance(shown);
            const Qt::Alignment across = QStyle::visualAlignment(option.direction, alignment);
            const qreal x = line.left() + (across & Qt::AlignRight ? spare : across & Qt::AlignHCenter ? spare / 2 : 0);
            painter->save();
            painter->setPen(m_grid->cellTextColor(index));
            painter->setFont(option.font);
            painter->drawText(QPointF(x, line.top() + metrics.ascent()), shown);
            painter->restore();
        }
        // The focused cell keeps its row colour and gets a dotted frame.
        if (option.state & QStyle::State_HasFocus) {
            painter->save();
            painter->setPen(QPen(m_grid->cellTextColor(index), 1, Qt::DotLine));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
            painter->restore();
        }
    }

private:
    const FieldDef* fieldDef(const QModelIndex& index) const
    {
        const DatasetTableModel* model = m_grid->tableModel();
        const int field = model ? model->fieldOf(index.column()) : -1;
        return field >= 0 ? &model->dataset()->fieldDef(field) : nullptr;
    }

    DBGrid* m_grid;
    mutable QPointer<QWidget> m_editor;
};

DBGrid::RowShading DBGrid::alternateRowShading()
{
    return [](int rowNumber) { return rowNumber % 2 == 0 ? lavender() : QColor(); };
}

DBGrid::DBGrid(QWidget* parent)
    : QTableView(parent),
      m_delegate(new GridDelegate(this)),
      m_shading(alternateRowShading())
{
    setItemDelegate(m_delegate);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    configureRowHeader(verticalHeader(), false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
}

DBGrid::DBGrid(DataSource* source, const QVector<GridColumn>& columns, QWidget* parent)
    : DBGrid(parent)
{
    setDataSource(source);
    setColumns(columns);
}

DBGrid::~DBGrid()
{
    if (m_linked)
        m_linked->removeLink(this);
}

Dataset* DBGrid::dataset() const
{
    return m_source ? m_source->dataset() : nullptr;
}

void DBGrid::setDataSource(DataSource* source)
{
    if (m_linked)
        m_linked->removeLink(this);
    m_source = source;
    m_linked = dataset();
    if (m_linked)
        m_linked->addLink(this);
    auto* model = m_linked ? new DatasetTableModel(m_linked, this) : nullptr;
    if (model)
        model->setColumns(m_columns);
    setTableModel(model);
}

void DBGrid::setTableModel(DatasetTableModel* model)
{
    for (const auto& c : m_connections)
        disconnect(c);
    m_connections.clear();
    DatasetTableModel* old = m_model;
    m_model = model;
    if (m_model) {
        m_model->setParent(this);
        m_model->setReadOnly(m_readOnly);
    }
    QItemSelectionModel* oldSelection = selectionModel();
    setModel(m_model);
    takeOverRowHeaderUpdates();
    if (oldSelection && oldSelection != selectionModel())
        oldSelection->deleteLater();
    if (old && old != m_model)
        old->deleteLater();
    if (!m_model)
        return;
    // Binding the model gave the row header room for every row: a hidden
    // grid lets it go at once, before the next grid takes its own.
    m_rowHeaderHasRoom = true;
    setRowsTracked(isVisible());
    renewHiddenRowHeader();
    m_connections << connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        applyColumnWidths();
        followDataset();
    });
    m_connections << connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
                             [this](const QModelIndex& current, const QModelIndex& previous) {
                                 runCommand(m_errors, [&] { viewRowChanged(current, previous); });
                             });
    m_connections << connect(m_model->dataset(), &Dataset::currentChanged, this, [this] { followDataset(); });
    m_connections << connect(m_model, &QAbstractItemModel::headerDataChanged, this,
                             [this](Qt::Orientation orientation, int first, int last) {
                                 if (orientation == Qt::Vertical)
                                     repaintRowHeader(first, last);
                                 else
                                     scheduleDelayedItemsLayout();
                             });
    applyColumnWidths();
    followDataset();
}

void DBGrid::setColumns(const QVector<GridColumn>& columns)
{
    m_columns = columns;
    if (m_model)
        m_model->setColumns(columns);
}

void DBGrid::applyColumnWidths()
{
    if (!m_model)
        return;
    const QFontMetrics metrics = fontMetrics();
    const QVector<GridColumn>& columns = m_model->columns();
    for (int c = 0; c < columns.size(); ++c) {
        int width = columns[c].width;
        if (width <= 0) {
            // Wide enough for the field's width in characters (at most 30),
            // a date or a number, and for the title.
            const int field = m_model->fieldOf(c);
            int content = metrics.horizontalAdvance(QStringLiteral("00.00.0000"));
            if (field >= 0) {
                const FieldDef& def = m_model->dataset()->fieldDef(field);
                if ((def.isText() && def.width > 0) || def.type == FieldType::Memo)
                    content = metrics.averageCharWidth() * std::min(def.width > 0 ? def.width : 30, 30);
            }
            const QString title = m_model->headerData(c, Qt::Horizontal).toString();
            width = std::max(content, metrics.horizontalAdvance(title)) + 12;
        }
        setColumnWidth(c, width);
    }
}

void DBGrid::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    if (m_model)
        m_model->setReadOnly(readOnly);
    setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers
                             : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                   QAbstractItemView::AnyKeyPressed);
}

void DBGrid::setTabStop(bool on)
{
    setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
}

void DBGrid::setRowIndicator(bool on)
{
    verticalHeader()->setVisible(on);
}

void DBGrid::setRowShading(RowShading shading)
{
    m_shading = std::move(shading);
    viewport()->update();
}

void DBGrid::setColors(const QColor& background, const QColor& text)
{
    QPalette pal = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Base, background);
        pal.setColor(group, QPalette::Text, text);
    }
    setPalette(pal);
}

QColor DBGrid::cellBackground(const QModelIndex& index) const
{
    if (m_shading) {
        const QColor shade = m_shading(index.row() + 1);
        return shade.isValid() ? shade : palette().color(QPalette::Base);
    }
    const QVariant column = index.data(Qt::BackgroundRole);
    return column.isValid() ? column.value<QColor>() : palette().color(QPalette::Base);
}

QColor DBGrid::cellTextColor(const QModelIndex&) const
{
    return palette().color(QPalette::Text);
}

void DBGrid::followDataset()
{
    if (m_following || !m_model)
        return;
    Dataset* d = m_model->dataset();
    const int row = d && d->isActive() ? d->recNo() : -1;
    m_following = true;
    if (row < 0 || row >= m_model->rowCount()) {
        selectionModel()->clearCurrentIndex();
    } else {
        const int column = std::max(currentIndex().column(), 0);
        const QModelIndex target = m_model->index(row, std::min(column, m_model->columnCount() - 1));
        if (target.isValid() && currentIndex() != target) {
            selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
            // Placing a row walks every row above it once rows were added:
            // a grid on a hidden page scrolls when it is shown instead.
            if (isVisible())
                scrollTo(target);
        }
    }
    m_following = false;
}

// The row indicator moves with every keystroke that finds another row. The
// view's own answer to a change of header data is to lay itself out anew,
// and the row header's to drop its size hint and measure its sections
// again: more work than the rest of the keystroke. The row header's width
// is fixed, so the grid repaints just the rows whose indicator changed; a
// change of column titles still lays the grid out.
void DBGrid::takeOverRowHeaderUpdates()
{
    if (!m_model)
        return;
    // The view itself lays out again on any change of header data (a slot
    // of Qt's own: where it is named otherwise, nothing is disconnected and
    // the grid is only slower).
    QObject::disconnect(m_model, SIGNAL(headerDataChanged(Qt::Orientation, int, int)), this,
                        SLOT(_q_headerDataChanged()));
    QHeaderView* rows = verticalHeader();
    if (rows->model() == m_model)
        QObject::disconnect(m_model, SIGNAL(headerDataChanged(Qt::Orientation, int, int)), rows,
                            SLOT(headerDataChanged(Qt::Orientation, int, int)));
}

void DBGrid::repaintRowHeader(int first, int last)
{
    QHeaderView* rows = verticalHeader();
    if (!rows->isVisible() || rows->model() != m_model || first < 0 || last >= rows->count())
        return;
    const int top = rows->sectionViewportPosition(first);
    const int bottom = rows->sectionViewportPosition(last) + rows->sectionSize(last);
    if (bottom >= 0 && top <= rows->viewport()->height())
        rows->viewport()->update(0, top, rows->viewport()->width(), bottom - top);
}

// Uniform row heights: the view then lays out only the rows it shows.
void DBGrid::configureRowHeader(QHeaderView* rows, bool visible)
{
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 4);
    rows->setMinimumSectionSize(fontMetrics().height() + 4);
    rows->setFixedWidth(12);
    rows->setVisible(visible);
}

// The row header keeps an entry for every row, and a row added or removed
// moves all the entries after it: with a million rows that is several
// megabytes moved per grid on every New. A hidden grid paints no rows, so
// its row header stands over no rows until the grid is shown again.
void DBGrid::setRowsTracked(bool tracked)
{
    QHeaderView* rows = verticalHeader();
    QAbstractItemModel* wanted = tracked && m_model ? static_cast<QAbstractItemModel*>(m_model) : &m_noRows;
    if (rows->model() == wanted)
        return;
    // Widgets are not made while the window may be going: the header is
    // renewed once the events of the moment are over.
    if (wanted == &m_noRows)
        QTimer::singleShot(0, this, [this] { renewHiddenRowHeader(); });
    else
        m_rowHeaderHasRoom = true;
    QItemSelectionModel* own = rows->selectionModel();
    rows->setModel(wanted);
    takeOverRowHeaderUpdates();
    // The header made a selection model of its own for the new model; it
    // shares the grid's when it stands over the grid's rows.
    if (wanted == m_model && selectionModel())
        rows->setSelectionModel(selectionModel());
    if (own && own != selectionModel() && own != rows->selectionModel())
        own->deleteLater();
}

// A header keeps the room it had for its rows even when set over none: a
// hidden grid gets a fresh header, and the old one goes with its room.
void DBGrid::renewHiddenRowHeader()
{
    QHeaderView* rows = verticalHeader();
    if (!m_rowHeaderHasRoom || isVisible() || rows->model() != &m_noRows)
        return;
    m_rowHeaderHasRoom = false;
    auto* fresh = new QHeaderView(Qt::Vertical, this);
    fresh->setModel(&m_noRows);
    configureRowHeader(fresh, !rows->isHidden());
    setVerticalHeader(fresh);
}

void DBGrid::hideEvent(QHideEvent* event)
{
    QTableView::hideEvent(event);
    setRowsTracked(false);
}

void DBGrid::showEvent(QShowEvent* event)
{
    setRowsTracked(true);
    QTableView::showEvent(event);
    if (currentIndex().isValid()) {
        // The scroll bars learn the rows now, not at the next layout.
        updateGeometries();
        scrollTo(currentIndex());
    }
}

void DBGrid::viewRowChanged(const QModelIndex& current, const QModelIndex& previous)
{
    if (m_following || !current.isValid() || current.row() == previous.row() || m_model->isChanging())
        return;
    Dataset* d = m_model->dataset();
    if (!d || !d->isActive() || current.row() == d->recNo())
        return;
    try {
        d->moveTo(current.row());
    } catch (...) {
        // The row the grid shows as current is the dataset's, even when the
        // move was refused.
        followDataset();
        throw;
    }
    followDataset();
}

void DBGrid::cellTyped()
{
    Dataset* d = m_model ? m_model->dataset() : nullptr;
    if (d && d->isActive() && !d->isEditing() && (!m_source || m_source->autoEdit()))
        d->edit();
}

void DBGrid::updateRecord()
{
    QWidget* editor = m_delegate->openEditor();
    if (!editor || state() != QAbstractItemView::EditingState || !m_model)
        return;
    Dataset* d = m_model->dataset();
    if (currentIndex().row() == d->recNo())
        commitData(editor);
}

} // namespace zelvar
