// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/bound/BoundControl.h"
#include "ui/bound/DBGrid.h"
#include "ui/bound/DBNavigator.h"

#include <QEvent>
#include <QMetaObject>
#include <QWidget>

namespace zelvar {

namespace {

// Every bound control alive, so that a window finds its own without walking
// all its widgets (it paints its colour state on every record saved).
QList<BoundControl*>& liveControls()
{
    static QList<BoundControl*> controls;
    return controls;
}

// Shows a control's waiting field when the control is shown.
class ShowWatcher : public QObject {
public:
    ShowWatcher(QWidget* widget, BoundControl* control)
        : QObject(widget),
          m_control(control)
    {
        widget->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            m_control->showWaitingField();
        return false;
    }

private:
    BoundControl* m_control;
};

} // namespace

BoundControl::BoundControl(QWidget* self)
    : m_self(self)
{
    liveControls().append(this);
    new ShowWatcher(self, this);
}

BoundControl::~BoundControl()
{
    liveControls().removeOne(this);
    detach();
}

void BoundControl::bind(DataSource* source, const QString& field)
{
    m_field = field;
    setDataSource(source);
}

void BoundControl::setDataSource(DataSource* source)
{
    detach();
    m_source = source;
    attach();
}

void BoundControl::setDataField(const QString& field)
{
    m_field = field;
    resolveField();
    reload();
}

void BoundControl::attach()
{
    m_dataset = m_source ? m_source->dataset() : nullptr;
    if (m_dataset) {
        Dataset* d = m_dataset;
        d->addLink(this);
        m_connections << QObject::connect(d, &Dataset::currentChanged, m_self, [this] { reload(); })
                      << QObject::connect(d, &Dataset::stateChanged, m_self, [this] { reload(); })
                      << QObject::connect(d, &Dataset::activeChanged, m_self,
                                          [this](bool active) { onActiveChanged(active); })
                      << QObject::connect(d, &Dataset::fieldChanged, m_self, [this](int field) {
                             if (field == m_fieldIndex)
                                 reload();
                         });
    }
    onActiveChanged(m_dataset && m_dataset->isActive());
}

void BoundControl::detach()
{
    for (const auto& c : m_connections)
        QObject::disconnect(c);
    m_connections.clear();
    if (m_dataset)
        m_dataset->removeLink(this);
    m_dataset = nullptr;
    m_fieldIndex = -1;
}

void BoundControl::onActiveChanged(bool active)
{
    // A control over a closed dataset looks disabled; it comes back when the
    // dataset opens, unless the window disabled it itself.
    if (!active && m_dataset && m_self->isEnabled()) {
        m_self->setEnabled(false);
        m_disabledByData = true;
    } else if (active && m_disabledByData) {
        m_self->setEnabled(true);
        m_disabledByData = false;
    }
    resolveField();
    reload();
}

void BoundControl::resolveField()
{
    const int before = m_fieldIndex;
    m_fieldIndex = m_dataset && m_dataset->isActive() && !m_field.isEmpty() ? m_dataset->fieldIndex(m_field) : -1;
    if (m_fieldIndex >= 0 || before >= 0)
        fieldResolved();
}

const FieldDef* BoundControl::fieldDef() const
{
    return m_fieldIndex >= 0 && m_dataset ? &m_dataset->fieldDef(m_fieldIndex) : nullptr;
}

bool BoundControl::hasRow() const
{
    return m_dataset && m_dataset->isActive() && m_fieldIndex >= 0 &&
           (m_dataset->recNo() >= 0 || m_dataset->isEditing());
}

QVariant BoundControl::fieldValue() const
{
    return hasRow() ? m_dataset->value(m_fieldIndex) : QVariant();
}

QString BoundControl::fieldText() const
{
    return hasRow() ? m_dataset->displayText(m_fieldIndex) : QString();
}

bool BoundControl::canModify() const
{
    if (!m_dataset || !m_dataset->isActive() || m_fieldIndex < 0 || m_dataset->isReadOnly())
        return false;
    return m_dataset->fieldDef(m_fieldIndex).type != FieldType::AutoInc;
}

bool BoundControl::waitsWhileHidden() const
{
    return !m_self->isVisible() && m_self->window()->isVisible();
}

void BoundControl::showWaitingField()
{
    if (!m_fieldWaiting)
        return;
    runCommand(m_errors, [this] { load(); });
}

void BoundControl::reload()
{
    if (m_ownEdit || m_loading)
        return;
    if (waitsWhileHidden()) {
        // As a load would, the user's unsaved change is dropped now.
        m_fieldWaiting = true;
        m_modified = false;
        return;
    }
    load();
}

void BoundControl::load()
{
    if (m_ownEdit || m_loading)
        return;
    m_fieldWaiting = false;
    m_loading = true;
    try {
        loadFromField();
    } catch (...) {
        m_loading = false;
        throw;
    }
    m_loading = false;
    m_modified = false;
}

bool BoundControl::userChanged()
{
    if (m_loading)
        return false;
    const bool mayEdit = canModify() && (m_dataset->isEditing() || !m_source || m_source->autoEdit());
    if (!mayEdit) {
        // Show the stored value again after the signal that told us of the
        // change has returned.
        QMetaObject::invokeMethod(
            m_self, [this] { runCommand(m_errors, [this] { reload(); }); }, Qt::QueuedConnection);
        return false;
    }
    if (!m_dataset->isEditing()) {
        // Starting the edit makes every control of the row show it again;
        // this one keeps what the user has just typed.
        m_ownEdit = true;
        try {
            m_dataset->edit();
        } catch (...) {
            m_ownEdit = false;
            reportError(m_errors, std::current_exception());
            runCommand(m_errors, [this] { reload(); });
            return false;
        }
        m_ownEdit = false;
    }
    m_modified = true;
    return true;
}

void BoundControl::userChangedAndWrite()
{
    if (userChanged())
        runCommand(m_errors, [this] { updateRecord(); });
}

void BoundControl::updateRecord()
{
    if (!m_modified || !m_dataset || !m_dataset->isActive() || m_fieldIndex < 0)
        return;
    if (!m_dataset->isEditing())
        m_dataset->edit();
    writeToField();
    m_modified = false;
}

bool BoundControl::writeOnFocusLeft()
{
    try {
        updateRecord();
        return true;
    } catch (...) {
        QMetaObject::invokeMethod(
            m_self,
            [self = QPointer<QWidget>(m_self)] {
                if (self)
                    self->setFocus(Qt::OtherFocusReason);
            },
            Qt::QueuedConnection);
        reportError(m_errors, std::current_exception());
        return false;
    }
}

void BoundControl::setBackgroundColor(const QColor& color)
{
    QPalette pal = m_self->palette();
    // Painted in this colour already: setting the palette again would make
    // the control and its children resolve their palettes anew.
    if (color == m_paintedBackground && pal.color(QPalette::Active, QPalette::Base) == color &&
        pal.color(QPalette::Inactive, QPalette::Base) == color &&
        pal.color(QPalette::Active, QPalette::Window) == color &&
        pal.color(QPalette::Inactive, QPalette::Window) == color)
        return;
    m_paintedBackground = color;
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Base, color);
        pal.setColor(group, QPalette::Window, color);
    }
    m_self->setPalette(pal);
}

QColor BoundControl::backgroundColor() const
{
    return m_self->palette().color(QPalette::Active, QPalette::Base);
}

void BoundControl::setTextColor(const QColor& color)
{
    QPalette pal = m_self->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Text, color);
        pal.setColor(group, QPalette::WindowText, color);
        pal.setColor(group, QPalette::ButtonText, color);
    }
    m_self->setPalette(pal);
}

QList<BoundControl*> boundControls(QWidget* root)
{
    QList<BoundControl*> found;
    for (BoundControl* control : std::as_const(liveControls())) {
        for (QWidget* w = control->widget()->parentWidget(); w; w = w->parentWidget()) {
            if (w == root) {
                found << control;
                break;
            }
        }
    }
    return found;
}

QList<BoundControl*> entryControls(QWidget* root)
{
    QList<BoundControl*> found;
    for (BoundControl* control : boundControls(root))
        if (control->isEntryControl())
            found << control;
    return found;
}

void paintEntryControls(QWidget* root, const QColor& color)
{
    for (BoundControl* control : entryControls(root))
        control->setBackgroundColor(color);
}

void reportErrorsTo(QWidget* root, ErrorReporter& errors)
{
    for (BoundControl* control : boundControls(root))
        control->setErrorReporter(&errors);
    for (DBGrid* grid : root->findChildren<DBGrid*>())
        grid->setErrorReporter(&errors);
    for (DBNavigator* navigator : root->findChildren<DBNavigator*>())
        navigator->setErrorReporter(&errors);
}

} // namespace zelvar
