// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/bound/DBNavigator.h"

#include "data/Dataset.h"
#include "platform/Prompter.h"
#include "ui/DrawnPicture.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>
#include <exception>

namespace zelvar {

namespace {

// The buttons' small pictures, drawn here rather than loaded.
QIcon buttonIcon(DBNavigator::Button button)
{
    return drawnIcon(16, [button](QPainter& p) {
        const QColor ink(0, 0, 96);
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        const auto triangle = [&p](qreal tipX, qreal baseX) {
            p.drawPolygon(QPolygonF({QPointF(baseX, 3.5), QPointF(tipX, 8), QPointF(baseX, 12.5)}));
        };
        switch (button) {
        case DBNavigator::First:
            p.drawRect(QRectF(3.5, 3.5, 2, 9));
            triangle(6.5, 12.5);
            break;
        case DBNavigator::Prior:
            triangle(4.5, 10.5);
            break;
        case DBNavigator::Next:
            triangle(11.5, 5.5);
            break;
        case DBNavigator::Last:
            triangle(9.5, 3.5);
            p.drawRect(QRectF(10.5, 3.5, 2, 9));
            break;
        case DBNavigator::Insert:
            p.drawRect(QRectF(7, 3, 2, 10));
            p.drawRect(QRectF(3, 7, 10, 2));
            break;
        case DBNavigator::Delete:
            p.drawRect(QRectF(3, 7, 10, 2));
            break;
        case DBNavigator::Edit:
            p.drawPolygon(QPolygonF({QPointF(3.5, 11.5), QPointF(8, 4.5), QPointF(12.5, 11.5)}));
            break;
        case DBNavigator::Post:
            p.setPen(QPen(QColor(0, 128, 0), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
            break;
        case DBNavigator::Cancel:
            p.setPen(QPen(QColor(176, 0, 0), 2.2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(4, 4), QPointF(12, 12));
            p.drawLine(QPointF(12, 4), QPointF(4, 12));
            break;
        case DBNavigator::Refresh: {
            p.setPen(QPen(ink, 1.8, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(3.5, 3.5, 9, 9), 100 * 16, 280 * 16);
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            p.drawPolygon(QPolygonF({QPointF(7, 1), QPointF(11, 3.6), QPointF(7, 6.2)}));
            break;
        }
        }
    });
}

} // namespace

QList<DBNavigator::Button> DBNavigator::allButtons()
{
    return {First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh};
}

QString DBNavigator::defaultHint(Button button)
{
    switch (button) {
    case First:
        return QStringLiteral("İlk");
    case Prior:
        return QStringLiteral("Önceki");
    case Next:
        return QStringLiteral("Sonraki");
    case Last:
        return QStringLiteral("Son");
    case Insert:
        return QStringLiteral("Yeni");
    case Delete:
        return QStringLiteral("Sil");
    case Edit:
        return QStringLiteral("Düzelt");
    case Post:
        return QStringLiteral("Kaydet");
    case Cancel:
        return QStringLiteral("Vazgeç");
    case Refresh:
        return QStringLiteral("Tazele");
    }
    return {};
}

DBNavigator::DBNavigator(QWidget* parent)
    : QWidget(parent)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    for (Button b : allButtons()) {
        auto* button = new QToolButton(this);
        button->setIcon(buttonIcon(b));
        button->setIconSize(QSize(16, 16));
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        button->setMinimumSize(18, 18);
        connect(button, &QToolButton::clicked, this, [this, b] { runCommand(m_errors, [this, b] { click(b); }); });
        row->addWidget(button);
        m_buttons[b] = button;
        setHint(b, defaultHint(b));
    }
    updateButtons();
}

DBNavigator::DBNavigator(DataSource* source, const QList<Button>& visible, QWidget* parent)
    : DBNavigator(parent)
{
    setVisibleButtons(visible);
    setDataSource(source);
}

void DBNavigator::setDataSource(DataSource* source)
{
    for (const auto& c : m_connections)
        disconnect(c);
    m_connections.clear();
    m_source = source;
    if (Dataset* d = source ? source->dataset() : nullptr) {
        for (auto signal : {&Dataset::currentChanged, &Dataset::stateChanged, &Dataset::rowsReset})
            m_connections << connect(d, signal, this, [this] { updateButtons(); });
        m_connections << connect(d, &Dataset::activeChanged, this, [this] { updateButtons(); });
    }
    updateButtons();
}

void DBNavigator::setVisibleButtons(const QList<Button>& buttons)
{
    for (Button b : allButtons())
        m_buttons[b]->setVisible(buttons.contains(b));
}

QList<DBNavigator::Button> DBNavigator::visibleButtons() const
{
    QList<Button> shown;
    for (Button b : allButtons())
        if (!m_buttons[b]->isHidden())
            shown << b;
    return shown;
}

void DBNavigator::setHint(Button button, const QString& hint)
{
    m_buttons[button]->setToolTip(hint);
    m_buttons[button]->setAccessibleName(hint);
}

void DBNavigator::setHints(const QStringList& hints)
{
    const QList<Button> shown = visibleButtons();
    for (int i = 0; i < shown.size() && i < hints.size(); ++i)
        setHint(shown[i], hints[i]);
}

QString DBNavigator::hint(Button button) const
{
    return m_buttons[button]->toolTip();
}

void DBNavigator::click(Button button)
{
    std::exception_ptr failure;
    try {
        run(button);
    } catch (...) {
        failure = std::current_exception();
    }
    updateButtons();
    emit clicked(button);
    if (failure)
        std::rethrow_exception(failure);
}

void DBNavigator::run(Button button)
{
    Dataset* d = m_source ? m_source->dataset() : nullptr;
    if (!d)
        return;
    switch (button) {
    case First:
        d->first();
        break;
    case Prior:
        d->prior();
        break;
    case Next:
        d->next();
        break;
    case Last:
        d->last();
        break;
    case Insert:
        d->insert();
        break;
    case Edit:
        d->edit();
        break;
    case Post:
        d->post();
        break;
    case Cancel:
        d->cancel();
        break;
    case Refresh:
        if (m_refresher)
            m_refresher();
        else
            d->refresh();
        break;
    case Delete:
        // Only a row that is there is asked about; deleting from an empty
        // dataset is the dataset's own error.
        if (m_confirmDelete && d->isActive() && d->rowCount() > 0) {
            if (!m_prompter)
                return;
            if (m_prompter->ask(deleteQuestion(), Buttons::YesNo, MessageKind::Question) != Answer::Yes)
                return;
        }
        if (m_remover && d->isActive() && d->recordCount() > 0 && !d->isInserting())
            m_remover();
        else
            d->remove();
        break;
    }
}

void DBNavigator::updateButtons()
{
    Dataset* d = m_source ? m_source->dataset() : nullptr;
    const bool active = d && d->isActive();
    const bool canModify = active && !d->isReadOnly();
    const bool editing = active && d->isEditing();
    const bool up = active && !d->bof();
    const bool down = active && !d->eof();
    m_buttons[First]->setEnabled(up);
    m_buttons[Prior]->setEnabled(up);
    m_buttons[Next]->setEnabled(down);
    m_buttons[Last]->setEnabled(down);
    m_buttons[Insert]->setEnabled(canModify);
    m_buttons[Delete]->setEnabled(canModify && d->rowCount() > 0);
    m_buttons[Edit]->setEnabled(canModify && !editing);
    m_buttons[Post]->setEnabled(canModify && editing);
    m_buttons[Cancel]->setEnabled(canModify && editing);
    m_buttons[Refresh]->setEnabled(active);
}

} // namespace zelvar
