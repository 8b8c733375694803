// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every data-bound control shares: the data source and field it shows,
// whether the user has changed it, and the colours a window paints on it.
//
// The control follows its dataset: it shows the field of the current row
// again whenever the row, the field, the state or the open state changes.
// A change by the user puts the row into editing (when the data source
// edits by itself) and marks the control modified; the control writes its
// text into the field when the dataset asks for it (updateRecord) and, for
// text controls, when it loses the focus. An error of a change the user
// started (a refused edit, an incomplete date) goes to the window's error
// reporter; it never unwinds into Qt's event handling.
#include "data/DataSource.h"
#include "data/Dataset.h"
#include "platform/ErrorReporter.h"

#include <QColor>
#include <QList>
#include <QPointer>

class QWidget;

namespace zelvar {

class BoundControl : public DataLink {
public:
    explicit BoundControl(QWidget* self);
    ~BoundControl() override;
    BoundControl(const BoundControl&) = delete;
    BoundControl& operator=(const BoundControl&) = delete;

    void bind(DataSource* source, const QString& field);
    void setDataSource(DataSource* source); // nullptr unbinds
    DataSource* dataSource() const { return m_source; }
    Dataset* dataset() const { return m_dataset; }
    void setDataField(const QString& field); // any case
    QString dataField() const { return m_field; }
    // The definition of the bound field; nullptr while unbound, closed, or
    // when the dataset has no such field.
    const FieldDef* fieldDef() const;

    // True when the user changed the control since it last showed the field.
    bool hasPendingEdit() const { return m_modified; }

    // Entry controls (edit boxes, combo boxes, memos) take the colour state
    // a window paints on all of them at once.
    virtual bool isEntryControl() const { return false; }
    virtual void setBackgroundColor(const QColor& color);
    QColor backgroundColor() const;
    virtual void setTextColor(const QColor& color);

    QWidget* widget() const { return m_self; }

    // Where errors of the user's changes go; without one they are logged.
    void setErrorReporter(ErrorReporter* errors) { m_errors = errors; }

    // Writes the user's change into the field; nothing when unchanged.
    void updateRecord() override;

    // A control hidden in a shown window (on a page not shown) lets the
    // field wait and shows it when it is shown itself: a window with many
    // pages would otherwise set every box on every page at each move. Code
    // that reads what such a control shows calls this first.
    void showWaitingField();

protected:
    // Shows the field of the current row; empty when there is none.
    virtual void loadFromField() = 0;
    // Writes the control's content into the field; the dataset is editing.
    virtual void writeToField() = 0;
    // The bound field was (re)found: a new binding or the dataset opened.
    virtual void fieldResolved() {}

    // Called after the user changed the control. Puts the row into editing
    // and marks the control modified; when the row cannot be edited the
    // control shows the field again and false is returned (a refusal of the
    // data store is reported).
    bool userChanged();
    // As userChanged(), then writes at once (check boxes, radio groups); a
    // refused value is reported.
    void userChangedAndWrite();
    // Shows the field again, dropping any unsaved change of the user.
    void reload();
    // Writes on losing the focus; a refused value (an incomplete date)
    // keeps the focus in the control and is reported. False when refused.
    bool writeOnFocusLeft();

    bool isLoading() const { return m_loading; }
    int fieldIndex() const { return m_fieldIndex; }
    bool canModify() const;
    // The current row's value and display text of the field; empty when
    // there is no row.
    QVariant fieldValue() const;
    QString fieldText() const;

private:
    void attach();
    void detach();
    void resolveField();
    void onActiveChanged(bool active);
    bool hasRow() const;
    bool waitsWhileHidden() const;
    void load(); // shows the field now, hidden or not

    QWidget* m_self;
    ErrorReporter* m_errors = nullptr;
    QPointer<DataSource> m_source;
    QPointer<Dataset> m_dataset;
    QString m_field;
    int m_fieldIndex = -1;
    bool m_modified = false;
    bool m_loading = false;
    bool m_ownEdit = false;        // this control is putting the row into editing
    bool m_fieldWaiting = false;   // hidden: the field is shown when the control is
    bool m_disabledByData = false; // disabled because the dataset is closed
    QColor m_paintedBackground;    // the colour setBackgroundColor last set
    QList<QMetaObject::Connection> m_connections;
};

// Every bound control inside a window, and the entry controls among them,
// so that a window can paint its colour state on all of them.
QList<BoundControl*> boundControls(QWidget* root);
QList<BoundControl*> entryControls(QWidget* root);
void paintEntryControls(QWidget* root, const QColor& color);

// Sends the errors of every data-aware widget inside a window (bound
// controls, grids, navigators) to the window's error reporter.
void reportErrorsTo(QWidget* root, ErrorReporter& errors);

} // namespace zelvar
