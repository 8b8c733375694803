// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// DBNavigator: the row of buttons that moves and changes a data source's
// dataset: first, prior, next, last, insert, delete, edit, post, cancel,
// refresh. Any of them may be shown; each carries its Turkish hint as
// tooltip and accessible name. Delete asks "Kayıt silinsin mi?" first.
//
// After a button's action has run, clicked(button) is emitted, also when the
// action failed or did nothing, so that windows can apply their own rules
// after every press; an error of the action then goes on to the caller.
#include "data/DataSource.h"
#include "platform/ErrorReporter.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class QToolButton;

namespace zelvar {

class Prompter;

class DBNavigator : public QWidget {
    Q_OBJECT
public:
    enum Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh };
    Q_ENUM(Button)
    static constexpr int kButtonCount = 10;

    static QList<Button> allButtons();
    static QList<Button> movingButtons() { return {First, Prior, Next, Last}; }
    static QString defaultHint(Button button);
    static QString deleteQuestion() { return QStringLiteral("Kayıt silinsin mi?"); }

    explicit DBNavigator(QWidget* parent = nullptr);
    DBNavigator(DataSource* source, const QList<Button>& visible, QWidget* parent = nullptr);

    void setDataSource(DataSource* source);
    DataSource* dataSource() const { return m_source; }
    // The prompter that asks before a delete; while the question is on, a
    // navigator without one does not delete.
    void setPrompter(Prompter* prompter) { m_prompter = prompter; }
    void setConfirmDelete(bool on) { m_confirmDelete = on; }
    // Where the errors of a pressed button go; without one they are logged.
    void setErrorReporter(ErrorReporter* errors) { m_errors = errors; }
    // What Delete does once it is confirmed; by default the dataset removes
    // its current row. A window whose rows carry others with them (a
    // resident's photographs) removes them all together here.
    void setRemover(std::function<void()> remover) { m_remover = std::move(remover); }
    // What Refresh does; by default the dataset reads its rows again. A
    // window whose query runs beside it (the free query) runs it again.
    void setRefresher(std::function<void()> refresher) { m_refresher = std::move(refresher); }

    void setVisibleButtons(const QList<Button>& buttons);
    QList<Button> visibleButtons() const;
    void setHint(Button button, const QString& hint);
    // Hints for the visible buttons, in their order.
    void setHints(const QStringList& hints);
    QString hint(Button button) const;
    QToolButton* button(Button button) const { return m_buttons[button]; }

    // Runs a button's action as a press does.
    void click(Button button);

signals:
    void clicked(zelvar::DBNavigator::Button button);

private:
    void run(Button button);
    void updateButtons();

    QPointer<DataSource> m_source;
    Prompter* m_prompter = nullptr;
    ErrorReporter* m_errors = nullptr;
    bool m_confirmDelete = true;
    std::function<void()> m_remover;
    std::function<void()> m_refresher;
    QToolButton* m_buttons[kButtonCount];
    QList<QMetaObject::Connection> m_connections;
};

} // namespace zelvar
