// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/bound/DBComboBox.h"

#include "ui/bound/DBEdit.h"

#include <QAbstractItemModel>
#include <QFocusEvent>
#include <QLineEdit>

namespace zelvar {

DBComboBox::DBComboBox(QWidget* parent)
    : QComboBox(parent),
      BoundControl(this)
{
    setEditable(true);
    // Typed text stays as typed: no completion from the list, and Enter
    // does not add the text to the items.
    setCompleter(nullptr);
    setInsertPolicy(QComboBox::NoInsert);
    lineEdit()->installEventFilter(this);
    // Typed, chosen from the list, set by the program, dictated or put in
    // through the accessibility interface: whatever the box comes to show
    // is the user's change and is stored. Only the box's own loading and
    // what a change of the list does to the text are not.
    connect(lineEdit(), &QLineEdit::textChanged, this, [this] {
        if (m_adjusting)
            return;
        ++m_adjusting;
        dropSplitCharacter(lineEdit());
        --m_adjusting;
        userChanged();
    });
    watchList();
}

DBComboBox::DBComboBox(DataSource* source, const QString& field, const QStringList& items, QWidget* parent)
    : DBComboBox(parent)
{
    addItems(items);
    bind(source, field);
}

void DBComboBox::setModel(QAbstractItemModel* model)
{
    ++m_adjusting;
    const QString shown = currentText();
    QComboBox::setModel(model);
    watchList();
    showText(shown);
    --m_adjusting;
}

void DBComboBox::watchList()
{
    // The combo box moves its text when items come, go or change under the
    // current one (the first item added to an empty list becomes current).
    // That is no choice of the user's: the box keeps what it showed. These
    // connections run after the combo box's own, so the guard spans them.
    for (const auto& connection : std::as_const(m_listConnections))
        disconnect(connection);
    m_listConnections.clear();
    QAbstractItemModel* list = model();
    const auto begins = [this] { listChangeBegins(); };
    const auto ends = [this] { listChangeEnds(); };
    m_listConnections << connect(list, &QAbstractItemModel::rowsAboutToBeInserted, this, begins)
                      << connect(list, &QAbstractItemModel::rowsInserted, this, ends)
                      << connect(list, &QAbstractItemModel::rowsAboutToBeRemoved, this, begins)
                      << connect(list, &QAbstractItemModel::rowsRemoved, this, ends)
                      << connect(list, &QAbstractItemModel::modelAboutToBeReset, this, begins)
                      << connect(list, &QAbstractItemModel::modelReset, this, ends)
                      << connect(list, &QAbstractItemModel::layoutAboutToBeChanged, this, begins)
                      << connect(list, &QAbstractItemModel::layoutChanged, this, ends);
}

void DBComboBox::listChangeBegins()
{
    if (m_adjusting++ == 0)
        m_shownBeforeList = currentText();
}

void DBComboBox::listChangeEnds()
{
    if (m_adjusting == 1 && currentText() != m_shownBeforeList)
        showText(m_shownBeforeList);
    if (m_adjusting > 0)
        --m_adjusting;
}

void DBComboBox::showText(const QString& text)
{
    ++m_adjusting;
    setCurrentIndex(findText(text, Qt::MatchExactly));
    setEditText(text);
    --m_adjusting;
}

void DBComboBox::fieldResolved()
{
    const FieldDef* def = fieldDef();
    if (def && def->isText() && def->width > 0)
        lineEdit()->setMaxLength(def->width);
}

void DBComboBox::loadFromField()
{
    const QString text = fieldText();
    if (!hasFocus() && showsAlready(lineEdit(), text) && currentIndex() == findText(text, Qt::MatchExactly))
        return;
    showText(text);
    if (!hasFocus())
        lineEdit()->setCursorPosition(0);
}

void DBComboBox::writeToField()
{
    dataset()->setText(fieldIndex(), currentText());
}

void DBComboBox::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    if (isFocusMoveWithinWindow(event))
        writeOnFocusLeft();
}

bool DBComboBox::eventFilter(QObject* watched, QEvent* event)
{
    // The focus may sit on the inner line edit rather than on the box.
    if (watched == lineEdit() && event->type() == QEvent::FocusOut &&
        isFocusMoveWithinWindow(static_cast<QFocusEvent*>(event)) && !hasFocus())
        writeOnFocusLeft();
    return QComboBox::eventFilter(watched, event);
}

} // namespace zelvar
