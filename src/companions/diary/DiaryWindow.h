// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// DiaryWindow: "Takvim ve Randevu". A month calendar with the days that
// hold appointments marked, the chosen day's appointments by start time,
// the chosen appointment's every field; new, change, delete; the day's and
// the week's list printed; appointments to and from iCalendar files. The
// rules (times, the half hours, the key) live in AppointmentBook.
#include "companions/common/CompanionWindow.h"
#include "companions/diary/AppointmentBook.h"

#include <functional>

class QLabel;
class QTreeWidget;

namespace zelvar {

class AppointmentDialog;
class DetailsPanel;
class RaisedCalendar;

class DiaryWindow : public CompanionWindow {
    Q_OBJECT
public:
    DiaryWindow(Database& db, const Services& services, QWidget* parent = nullptr);

    static CompanionInfo info();

    // --- the commands
    void showDay(const QDate& day);
    void showToday();
    // Chooses the day's appointment that starts at "hh:mm"; false when none does.
    bool selectAppointment(const QString& start);
    void newAppointment();
    void editAppointment();
    void deleteAppointment();
    void printDay();
    void printWeek();
    void exportCalendar();
    void importCalendar();

    // Opens on the day and the appointment of the command line (--date,
    // --time), else on today.
    void openAt(const CommandLine& commandLine);

    // --- what tests reach
    QDate shownDay() const { return m_day; }
    std::optional<Appointment> selected() const;
    QList<QDate> markedDays() const { return m_marked; }
    QTreeWidget* dayList() const { return m_list; }
    RaisedCalendar* calendar() const { return m_calendar; }
    QString detailsText() const;
    // Runs an appointment dialog in place of exec(); true for "saved".
    void setDialogRunner(std::function<bool(AppointmentDialog&)> runner) { m_runDialog = std::move(runner); }

    static QString deleteQuestion(const Appointment& a);

protected:
    void reload() override;
    void handleRequest(const CommandLine& commandLine) override;

private:
    void buildCommands();
    void markMonth(int year, int month);
    void fillDay(const QString& keepStart);
    void showDetails();
    bool runDialog(const std::optional<Appointment>& original);
    QString startForNew() const;

    AppointmentBook m_book;
    QDate m_day;
    QList<QDate> m_marked;
    RaisedCalendar* m_calendar;
    QLabel* m_dayTitle;
    QTreeWidget* m_list;
    DetailsPanel* m_details;
    QVector<Appointment> m_appointments;
    std::function<bool(AppointmentDialog&)> m_runDialog;
};

} // namespace zelvar
