// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// FormDialog: the companions' entry dialogs (an appointment, a contact):
// captioned boxes in a column, each text box as wide as its field in the
// one table of fields allows, a note box, and "Kaydet" / "Vazgeç". Kaydet
// runs the dialog's save(); a refusal keeps the dialog open with what was
// typed.
#include "platform/Services.h"

#include <QDialog>

class QGridLayout;
class QLineEdit;
class QPlainTextEdit;

namespace zelvar {

class FormDialog : public QDialog {
    Q_OBJECT
public:
    FormDialog(const QString& table, const Services& services, QWidget* parent = nullptr);

    // "Kaydet": checks and writes what was typed; true when written.
    virtual bool save() = 0;

    // The text box of a field ("Adi"), for the dialog and for tests.
    QLineEdit* field(const QString& name) const;
    QPlainTextEdit* noteBox() const { return m_note; }

protected:
    // A text box for the field under its caption, on the next row.
    QLineEdit* addField(const QString& caption, const QString& fieldName);
    // Any control under its caption, on the next row; returns its row.
    int addRow(const QString& caption, QWidget* control);
    void addWide(QWidget* control);
    QPlainTextEdit* addNote(const QString& caption);
    // Ends the form with the buttons.
    void addButtons();
    // Runs a command the companions' way (refusals shown, nothing escapes).
    bool guarded(const std::function<void()>& command);
    QString text(const QString& fieldName) const;

    Services m_services;

private:
    QString m_table;
    QGridLayout* m_grid;
    int m_rows = 0;
    QList<QPair<QString, QLineEdit*>> m_fields;
    QPlainTextEdit* m_note = nullptr;
};

} // namespace zelvar
