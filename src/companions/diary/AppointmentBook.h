// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// AppointmentBook: the diary's rules on the appointment table "Randevu".
// Reads a month's marked days and a day's or a week's appointments in time
// order; checks an appointment before it is written (a whole date, start
// and end times as "hh:mm"); refuses a second appointment on the same day
// and start time, the table's key, with a Turkish message; writes each
// change, and each import, in one transaction that waits out another
// program's moment of writing.
#include "companions/common/Refused.h"
#include "companions/diary/Appointment.h"

#include <QList>
#include <QStringList>
#include <QVector>
#include <optional>

namespace zelvar {

class Database;
class Statement;

class AppointmentBook {
public:
    explicit AppointmentBook(Database& db);

    static QString clashMessage(const AppointmentKey& key);
    static QString tableName() { return QStringLiteral("Randevu"); }

    // The days of the month that hold appointments, in order.
    QList<QDate> markedDays(int year, int month) const;
    // A day's appointments, by start time.
    QVector<Appointment> onDay(const QDate& day) const;
    // From `first` to `last`, both included, by day and start time.
    QVector<Appointment> between(const QDate& first, const QDate& last) const;
    QVector<Appointment> all() const;
    std::optional<Appointment> find(const AppointmentKey& key) const;
    int count() const;

    // Puts the typed appointment in its stored form (times as "hh:mm",
    // texts cut to their fields' widths) and says what keeps it from being
    // written; empty when nothing does.
    static QString check(Appointment& appointment);

    // Writes a new appointment, or the one stored under `original` changed.
    // Throws Refused for a check that fails or a key clash; a
    // lock held too long by another program throws its StorageError.
    void save(Appointment appointment, const std::optional<AppointmentKey>& original = std::nullopt);
    void remove(const AppointmentKey& key);

    struct Added {
        int added = 0;
        QStringList skipped; // one line each: "09.12.2026 09:30 Konu: why"
    };
    // Adds appointments read from a file, all in one transaction: those
    // that fail their check or meet a stored appointment (or an earlier one
    // of the list) on their key are left out and listed.
    Added addAll(QVector<Appointment> appointments);

private:
    QVector<Appointment> select(const QString& where, const QVariantList& params) const;
    static Appointment fromRow(const Statement& row);
    static QVariantList values(const Appointment& a);
    bool exists(const AppointmentKey& key) const;

    Database& m_db;
};

} // namespace zelvar
