// SPDX-License-Identifier: GPL-3.0-or-later
#include "companions/diary/AppointmentDialog.h"

#include "companions/diary/AppointmentBook.h"
#include "companions/diary/AppointmentTime.h"
#include "data/FieldDefs.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace zelvar {

namespace {

QComboBox* timeBox(QWidget* parent, bool allowEmpty)
{
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxVisibleItems(16);
    if (allowEmpty)
        box->addItem(QString());
    box->addItems(appointmenttime::halfHours());
    box->lineEdit()->setMaxLength(5);
    box->setMinimumContentsLength(6);
    return box;
}

} // namespace

AppointmentDialog::AppointmentDialog(AppointmentBook& book, const Services& services,
                                     const std::optional<Appointment>& original, const QDate& day, const QString& start,
                                     QWidget* parent)
    : FormDialog(AppointmentBook::tableName(), services, parent),
      m_book(book)
{
    setWindowTitle(original ? editCaption() : newCaption());

    m_date = new QLineEdit(this);
    m_date->setInputMask(QStringLiteral("00.00.0000;_"));
    m_date->setMaximumWidth(110);
    addRow(QStringLiteral("&Tarih"), m_date);

    auto* times = new QWidget(this);
    auto* row = new QHBoxLayout(times);
    row->setContentsMargins(0, 0, 0, 0);
    m_start = timeBox(times, false);
    m_end = timeBox(times, true);
    auto* until = new QLabel(QStringLiteral("&Bitiş Saati"), times);
    until->setBuddy(m_end);
    row->addWidget(m_start);
    row->addSpacing(12);
    row->addWidget(until);
    row->addWidget(m_end);
    row->addStretch(1);
    addRow(QStringLiteral("&Başlangıç Saati"), times);
    // The caption names the start box for screen readers.
    m_start->setAccessibleName(QStringLiteral("Başlangıç Saati"));

    m_bellNote = new QLabel(appointmenttime::noBellNote(), this);
    m_bellNote->setWordWrap(true);
    m_bellNote->setStyleSheet(QStringLiteral("color: rgb(160, 0, 0);"));
    m_bellNote->setVisible(false);
    addWide(m_bellNote);

    addField(QStringLiteral("&Adı Soyadı"), QStringLiteral("Adi"));
    addField(QStringLiteral("&Konu"), QStringLiteral("Konu"));
    addField(QStringLiteral("T&elefon"), QStringLiteral("Telefon"));
    addField(QStringLiteral("Telefon &2"), QStringLiteral("Telefon2"));
    addField(QStringLiteral("A&dres"), QStringLiteral("Adres1"));
    addField(QStringLiteral("Adres (2. satır)"), QStringLiteral("Adres2"));
    addNote(QStringLiteral("&Not"));
    addButtons();

    connect(m_start, &QComboBox::editTextChanged, this, &AppointmentDialog::startChanged);
    if (original) {
        m_original = original->key();
        fill(*original);
    } else {
        Appointment fresh;
        fresh.date = day;
        fresh.start = start;
        fill(fresh);
    }
    resize(500, sizeHint().height());
}

void AppointmentDialog::fill(const Appointment& a)
{
    m_date->setText(a.date.toString(QLatin1String(kDateFormat)));
    m_start->setEditText(a.start);
    m_end->setEditText(a.end);
    field(QStringLiteral("Adi"))->setText(a.name);
    field(QStringLiteral("Konu"))->setText(a.subject);
    field(QStringLiteral("Telefon"))->setText(a.phone);
    field(QStringLiteral("Telefon2"))->setText(a.phone2);
    field(QStringLiteral("Adres1"))->setText(a.address1);
    field(QStringLiteral("Adres2"))->setText(a.address2);
    noteBox()->setPlainText(a.note);
    startChanged();
}

Appointment AppointmentDialog::typed() const
{
    Appointment a;
    a.date = QDate::fromString(m_date->text(), QLatin1String(kDateFormat));
    a.start = m_start->currentText();
    a.end = m_end->currentText();
    a.name = text(QStringLiteral("Adi"));
    a.subject = text(QStringLiteral("Konu"));
    a.phone = text(QStringLiteral("Telefon"));
    a.phone2 = text(QStringLiteral("Telefon2"));
    a.address1 = text(QStringLiteral("Adres1"));
    a.address2 = text(QStringLiteral("Adres2"));
    a.note = noteBox()->toPlainText();
    return a;
}

void AppointmentDialog::startChanged()
{
    // Only a real time that misses the half hours gets the note.
    const QString time = appointmenttime::normalize(m_start->currentText());
    m_bellNote->setVisible(!time.isEmpty() && !appointmenttime::ringsAt(time));
}

bool AppointmentDialog::bellNoteShown() const
{
    return !m_bellNote->isHidden();
}

bool AppointmentDialog::save()
{
    Appointment a = typed();
    const bool written = guarded([&] {
        m_book.save(a, m_original);
        AppointmentBook::check(a);
    });
    if (written)
        m_saved = a;
    return written;
}

} // namespace zelvar
