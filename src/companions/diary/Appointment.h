// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Appointment: one row of the appointment table "Randevu", every field of
// it. The day and the start time are the table's key.
#include <QDate>
#include <QString>

namespace zelvar {

struct AppointmentKey {
    QDate date;
    QString start; // "hh:mm"

    bool operator==(const AppointmentKey& o) const { return date == o.date && start == o.start; }
    bool operator!=(const AppointmentKey& o) const { return !(*this == o); }
    // "09.12.2026 09:30"
    QString text() const;
};

struct Appointment {
    QDate date;       // Tarih
    QString start;    // Saati, "hh:mm"
    QString end;      // Saati2, "hh:mm" or empty
    QString name;     // Adi
    QString subject;  // Konu
    QString phone;    // Telefon
    QString phone2;   // Telefon2
    QString address1; // Adres1
    QString address2; // Adres2
    QString note;     // Not

    AppointmentKey key() const { return {date, start}; }
    bool operator==(const Appointment& o) const;
    bool operator!=(const Appointment& o) const { return !(*this == o); }
    // What the lists show of it: the subject, else the name.
    QString caption() const;
};

} // namespace zelvar
