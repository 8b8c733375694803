// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One row of a dataset as a pass over every row sees it: each field as the
// database holds it, text as UTF-8, with no QVariant made for it. Writers of
// large files read a register of 100,000 rows through it at the speed of the
// engine itself. A view is valid only inside the visit that hands it over.
#include <QByteArrayView>
#include <QDate>
#include <QVariant>
#include <QVector>

namespace zelvar {

class Statement;

class RowView {
public:
    virtual ~RowView() = default;
    virtual bool isNull(int field) const = 0;
    virtual double number(int field) const = 0;
    // Invalid when the stored text is not a date.
    virtual QDate date(int field) const = 0;
    // The text as UTF-8, followed by a terminating zero; valid until the
    // next call on this view.
    virtual QByteArrayView utf8(int field) const = 0;
};

// A row held as values: a dataset read whole, or the row being edited.
class ValuesRowView : public RowView {
public:
    explicit ValuesRowView(const QVector<QVariant>& values)
        : m_values(values)
    {
    }
    bool isNull(int field) const override;
    double number(int field) const override;
    QDate date(int field) const override;
    QByteArrayView utf8(int field) const override;

private:
    const QVector<QVariant>& m_values;
    mutable QByteArray m_text;
};

// The row a statement stands on; its columns are the fields in order.
class StatementRowView : public RowView {
public:
    explicit StatementRowView(const Statement& statement)
        : m_statement(statement)
    {
    }
    bool isNull(int field) const override;
    double number(int field) const override;
    QDate date(int field) const override;
    QByteArrayView utf8(int field) const override;

private:
    const Statement& m_statement;
};

} // namespace zelvar
