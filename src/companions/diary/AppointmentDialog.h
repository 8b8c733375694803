// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// AppointmentDialog: a new appointment, or one changed, with every field of
// the appointment table. Times are typed as "hh:mm" or picked from the half
// hours offered; a start time between the half hours is kept, and the
// dialog says that the bell will not ring for it. "Kaydet" checks and
// writes through the appointment book; a refusal (a key clash, a time that
// is no time, an incomplete date) is told and the dialog stays open.
#include "companions/common/FormDialog.h"
#include "companions/diary/Appointment.h"

#include <optional>

class QComboBox;
class QLabel;

namespace zelvar {

class AppointmentBook;

class AppointmentDialog : public FormDialog {
    Q_OBJECT
public:
    // `original`: the appointment being changed; none for a new one, which
    // starts on `day` at `start`.
    AppointmentDialog(AppointmentBook& book, const Services& services, const std::optional<Appointment>& original,
                      const QDate& day, const QString& start, QWidget* parent = nullptr);

    static QString newCaption() { return QStringLiteral("Yeni Randevu"); }
    static QString editCaption() { return QStringLiteral("Randevuyu Düzelt"); }

    // The appointment as typed.
    Appointment typed() const;
    void fill(const Appointment& appointment);
    bool save() override;
    // What was written, once save() succeeded.
    Appointment saved() const { return m_saved; }

    QLineEdit* dateBox() const { return m_date; }
    QComboBox* startBox() const { return m_start; }
    // The note under the start time: shown when the bell will not ring.
    bool bellNoteShown() const;

private:
    void startChanged();

    AppointmentBook& m_book;
    std::optional<AppointmentKey> m_original;
    Appointment m_saved;

    QLineEdit* m_date = nullptr;
    QComboBox* m_start = nullptr;
    QComboBox* m_end = nullptr;
    QLabel* m_bellNote = nullptr;
};

} // namespace zelvar
