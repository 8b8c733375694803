// SPDX-License-Identifier: GPL-3.0-or-later
#include "companions/common/FormDialog.h"

#include "companions/common/CommandGuard.h"
#include "data/FieldDefs.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace zelvar {

FormDialog::FormDialog(const QString& table, const Services& services, QWidget* parent)
    : QDialog(parent),
      m_services(services),
      m_table(table),
      m_grid(new QGridLayout(this))
{
}

int FormDialog::addRow(const QString& caption, QWidget* control)
{
    auto* label = new QLabel(caption, this);
    label->setBuddy(control);
    m_grid->addWidget(label, m_rows, 0, Qt::AlignLeft | Qt::AlignTop);
    m_grid->addWidget(control, m_rows, 1);
    return m_rows++;
}

void FormDialog::addWide(QWidget* control)
{
    m_grid->addWidget(control, m_rows++, 1);
}

QLineEdit* FormDialog::addField(const QString& caption, const QString& fieldName)
{
    auto* box = new QLineEdit(this);
    // The field's width from the one table of fields.
    if (const TableDef* table = findTable(m_table))
        if (const FieldDef* def = table->field(fieldName); def && def->width > 0)
            box->setMaxLength(def->width);
    addRow(caption, box);
    m_fields.append({fieldName, box});
    return box;
}

QPlainTextEdit* FormDialog::addNote(const QString& caption)
{
    m_note = new QPlainTextEdit(this);
    m_note->setTabChangesFocus(true);
    m_note->setMinimumHeight(70);
    addRow(caption, m_note);
    return m_note;
}

void FormDialog::addButtons()
{
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("&Kaydet"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("&Vazgeç"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (save())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_grid->addWidget(buttons, m_rows++, 0, 1, 2);
}

QLineEdit* FormDialog::field(const QString& name) const
{
    for (const auto& [fieldName, box] : m_fields)
        if (fieldName.compare(name, Qt::CaseInsensitive) == 0)
            return box;
    return nullptr;
}

QString FormDialog::text(const QString& fieldName) const
{
    const QLineEdit* box = field(fieldName);
    return box ? box->text().trimmed() : QString();
}

bool FormDialog::guarded(const std::function<void()>& command)
{
    return runCommand(m_services, command);
}

} // namespace zelvar
