// SPDX-License-Identifier: GPL-3.0-or-later
#include "companions/diary/DiaryWindow.h"

#include "companions/common/CompanionIcons.h"
#include "companions/common/CompanionReports.h"
#include "companions/common/DetailsPanel.h"
#include "companions/diary/AppointmentDialog.h"
#include "companions/diary/AppointmentTime.h"
#include "companions/diary/DiaryReports.h"
#include "companions/diary/IcsFile.h"
#include "data/FieldDefs.h"
#include "platform/CompanionArguments.h"
#include "platform/Printing.h"
#include "ui/RaisedCalendar.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTextCharFormat>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zelvar {

using companionicons::Glyph;

namespace {

const QLocale kTurkish(QLocale::Turkish, QLocale::Turkey);

enum Column { StartColumn, EndColumn, NameColumn, SubjectColumn, PhoneColumn };

} // namespace

CompanionInfo DiaryWindow::info()
{
    return {QStringLiteral("zelvar-takvim"),
            QStringLiteral("Takvim ve Randevu"),
            artwork::Icon::Diary,
            {QStringLiteral("Takvim ve Randevu"),
             {"Takvim ve Randevu: muhtarlığın randevu defteri (Zelvar 2001).",
              "Takvim ve Randevu: the appointment diary of a headman's office (Zelvar 2001)."},
             {"Muhtarlığın randevu defteri", "Appointment diary of a headman's office"},
             {{companionargs::dateOption(),
               {"YYYY-AA-GG", "YYYY-MM-DD"},
               {"Takvimi bu günde açar.", "Opens the diary on this day."}},
              {companionargs::timeOption(),
               {"SS:DD", "HH:MM"},
               {"O gün bu saatte başlayan randevuyu seçer.", "Chooses that day's appointment starting then."}}}}};
}

DiaryWindow::DiaryWindow(Database& db, const Services& services, QWidget* parent)
    : CompanionWindow(info(), db, services, parent),
      m_book(db),
      m_calendar(new RaisedCalendar(this)),
      m_dayTitle(new QLabel(this)),
      m_list(new QTreeWidget(this)),
      m_details(new DetailsPanel(QStringLiteral("Randevunun ayrıntıları"), this))
{
    buildCommands();

    m_calendar->setFirstDayOfWeek(Qt::Monday);
    m_calendar->setLocale(kTurkish);
    m_calendar->setGridVisible(false);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setAccessibleName(QStringLiteral("Takvim"));
    m_calendar->setMinimumSize(300, 230);
    auto* legend = new QLabel(QStringLiteral("Randevusu olan günler kalın ve renklidir."), this);
    legend->setWordWrap(true);

    QFont big = m_dayTitle->font();
    big.setPointSize(big.pointSize() + 3);
    big.setBold(true);
    m_dayTitle->setFont(big);
    m_dayTitle->setAccessibleName(QStringLiteral("Gün"));

    m_list->setColumnCount(5);
    m_list->setHeaderLabels({QStringLiteral("Saat"), QStringLiteral("Bitiş"), QStringLiteral("Adı Soyadı"),
                             QStringLiteral("Konu"), QStringLiteral("Telefon")});
    m_list->setRootIsDecorated(false);
    m_list->setAllColumnsShowFocus(true);
    m_list->setUniformRowHeights(true);
    m_list->setAccessibleName(QStringLiteral("Günün randevuları"));
    m_list->header()->setStretchLastSection(true);
    m_list->setColumnWidth(StartColumn, 60);
    m_list->setColumnWidth(EndColumn, 60);
    m_list->setColumnWidth(NameColumn, 170);
    m_list->setColumnWidth(SubjectColumn, 170);

    m_details->setMinimumHeight(130);

    auto* left = new QVBoxLayout;
    left->addWidget(m_calendar);
    left->addWidget(legend);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(m_dayTitle);
    right->addWidget(m_list, 3);
    right->addWidget(m_details, 1);
    auto* centre = new QWidget(this);
    auto* row = new QHBoxLayout(centre);
    row->addLayout(left);
    row->addLayout(right, 1);
    setCentralWidget(centre);
    resize(940, 560);

    connect(m_calendar, &QCalendarWidget::selectionChanged, this,
            [this] { run([this] { showDay(m_calendar->selectedDate()); }); });
    connect(m_calendar, &QCalendarWidget::currentPageChanged, this,
            [this](int year, int month) { run([this, year, month] { markMonth(year, month); }); });
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this] { showDetails(); });
    connect(m_list, &QTreeWidget::itemActivated, this, [this] { run([this] { editAppointment(); }); });
}

void DiaryWindow::buildCommands()
{
    addRecordCommands([this] { newAppointment(); }, [this] { editAppointment(); }, [this] { deleteAppointment(); });
    addSeparator();
    addCommand(QStringLiteral("Bugün"), companionicons::icon(Glyph::Today), QKeySequence(Qt::CTRL | Qt::Key_B),
               [this] { showToday(); });
    addSeparator();
    addCommand(QStringLiteral("Günü Yazdır"), companionicons::icon(Glyph::Print), QKeySequence(Qt::CTRL | Qt::Key_P),
               [this] { printDay(); });
    addCommand(QStringLiteral("Haftayı Yazdır"), companionicons::icon(Glyph::Print), QKeySequence(),
               [this] { printWeek(); });
    addSeparator();
    addFileCommands([this] { exportCalendar(); }, [this] { importCalendar(); });
    addCloseCommand();
}

void DiaryWindow::openAt(const CommandLine& commandLine)
{
    const QDate day = QDate::fromString(commandLine.value(companionargs::dateOption()), Qt::ISODate);
    showDay(day.isValid() ? day : m_services.clock.today());
    const QString start = appointmenttime::normalize(commandLine.value(companionargs::timeOption()));
    if (!start.isEmpty())
        selectAppointment(start);
}

void DiaryWindow::handleRequest(const CommandLine& commandLine)
{
    openAt(commandLine);
}

void DiaryWindow::showToday()
{
    showDay(m_services.clock.today());
}

void DiaryWindow::showDay(const QDate& day)
{
    if (!day.isValid())
        return;
    const bool otherMonth = !m_day.isValid() || day.year() != m_day.year() || day.month() != m_day.month();
    m_day = day;
    {
        const QSignalBlocker quiet(m_calendar);
        m_calendar->setSelectedDate(day);
    }
    if (otherMonth)
        markMonth(day.year(), day.month());
    fillDay(QString());
}

void DiaryWindow::markMonth(int year, int month)
{
    // Last month's marks go; this month's are read anew.
    for (const QDate& day : std::as_const(m_marked))
        m_calendar->setDateTextFormat(day, QTextCharFormat());
    m_marked = m_book.markedDays(year, month);
    QTextCharFormat marked;
    marked.setFontWeight(QFont::Bold);
    marked.setForeground(QColor(0, 0, 160));
    marked.setBackground(QColor(255, 236, 160));
    for (const QDate& day : std::as_const(m_marked))
        m_calendar->setDateTextFormat(day, marked);
}

void DiaryWindow::fillDay(const QString& keepStart)
{
    m_appointments = m_book.onDay(m_day);
    m_dayTitle->setText(kTurkish.toString(m_day, QStringLiteral("d MMMM yyyy dddd")));
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    QTreeWidgetItem* keep = nullptr;
    for (const Appointment& a : std::as_const(m_appointments)) {
        auto* item = new QTreeWidgetItem(m_list, {a.start, a.end, a.name, a.subject, a.phone});
        if (!appointmenttime::ringsAt(a.start)) {
            item->setForeground(StartColumn, QColor(150, 0, 0));
            item->setToolTip(StartColumn, appointmenttime::noBellNote());
        }
        if (a.start == keepStart)
            keep = item;
    }
    m_list->setCurrentItem(keep ? keep : m_list->topLevelItem(0));
    setCount(QStringLiteral("%1 randevu").arg(m_appointments.size()));
    setStatus(m_appointments.isEmpty() ? QStringLiteral("Bu günde randevu yok.")
                                       : QStringLiteral("Bu günde %1 randevu var.").arg(m_appointments.size()));
    showDetails();
}

bool DiaryWindow::selectAppointment(const QString& start)
{
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        if (m_list->topLevelItem(i)->text(StartColumn) == start) {
            m_list->setCurrentItem(m_list->topLevelItem(i));
            m_list->scrollToItem(m_list->topLevelItem(i));
            return true;
        }
    }
    return false;
}

std::optional<Appointment> DiaryWindow::selected() const
{
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    if (row < 0 || row >= m_appointments.size())
        return std::nullopt;
    return m_appointments[row];
}

void DiaryWindow::showDetails()
{
    const std::optional<Appointment> a = selected();
    if (!a) {
        m_details->clear();
        return;
    }
    m_details->begin(a->key().text() + (a->end.isEmpty() ? QString() : QStringLiteral(" - ") + a->end));
    m_details->addLine(QStringLiteral("Adı Soyadı"), a->name);
    m_details->addLine(QStringLiteral("Konu"), a->subject);
    m_details->addLine(QStringLiteral("Telefon"), joinNonEmpty({a->phone, a->phone2}, QStringLiteral(" / ")));
    m_details->addLine(QStringLiteral("Adres"), joinNonEmpty({a->address1, a->address2}, QStringLiteral("\n")));
    m_details->addLine(QStringLiteral("Not"), a->note);
    if (!appointmenttime::ringsAt(a->start))
        m_details->addWarning(appointmenttime::noBellNote());
    m_details->finish();
}

QString DiaryWindow::detailsText() const
{
    return m_details->plainText();
}

QString DiaryWindow::startForNew() const
{
    // Today's next half hour; another day begins in the morning.
    const QDateTime now = m_services.clock.now();
    return m_day == now.date() ? appointmenttime::nextHalfHour(now.time()) : QStringLiteral("09:00");
}

bool DiaryWindow::runDialog(const std::optional<Appointment>& original)
{
    AppointmentDialog dialog(m_book, m_services, original, m_day, startForNew(), this);
    const bool saved = m_runDialog ? m_runDialog(dialog) : dialog.exec() == QDialog::Accepted;
    if (!saved)
        return false;
    // The day of what was written is shown, with it chosen.
    const Appointment written = dialog.saved();
    m_day = written.date;
    {
        const QSignalBlocker quiet(m_calendar);
        m_calendar->setSelectedDate(m_day);
    }
    markMonth(m_day.year(), m_day.month());
    fillDay(written.start);
    return true;
}

void DiaryWindow::newAppointment()
{
    runDialog(std::nullopt);
}

void DiaryWindow::editAppointment()
{
    const std::optional<Appointment> a = selected();
    if (!a) {
        askForChoice(QStringLiteral("randevu"));
        return;
    }
    runDialog(a);
}

QString DiaryWindow::deleteQuestion(const Appointment& a)
{
    return QStringLiteral("%1 randevusu (%2) silinsin mi?").arg(a.key().text(), a.caption());
}

void DiaryWindow::deleteAppointment()
{
    const std::optional<Appointment> a = selected();
    if (!a) {
        askForChoice(QStringLiteral("randevu"));
        return;
    }
    if (m_services.prompter.ask(deleteQuestion(*a), Buttons::YesNo) != Answer::Yes)
        return;
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    m_book.remove(a->key());
    markMonth(m_day.year(), m_day.month());
    fillDay(QString());
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(std::min(row, m_list->topLevelItemCount() - 1)));
}

void DiaryWindow::printDay()
{
    const QVector<Appointment> list = m_book.onDay(m_day);
    if (list.isEmpty()) {
        m_services.prompter.message(QStringLiteral("Bu günde yazdırılacak randevu yok !"), MessageKind::Information);
        return;
    }
    m_services.printing.preview(
        diaryreports::day(companionreports::officeName(m_db), m_day, list, m_services.clock.today()));
}

void DiaryWindow::printWeek()
{
    const QVector<Appointment> list = m_book.between(diaryreports::weekStart(m_day), diaryreports::weekEnd(m_day));
    if (list.isEmpty()) {
        m_services.prompter.message(QStringLiteral("Bu haftada yazdırılacak randevu yok !"), MessageKind::Information);
        return;
    }
    m_services.printing.preview(
        diaryreports::week(companionreports::officeName(m_db), m_day, list, m_services.clock.today()));
}

void DiaryWindow::exportCalendar()
{
    const QVector<Appointment> list = m_book.all();
    if (list.isEmpty()) {
        m_services.prompter.message(QStringLiteral("Aktarılacak randevu yok !"), MessageKind::Information);
        return;
    }
    const QString path = m_services.prompter.saveFileName(QStringLiteral("iCalendar Dosyasına Aktar"), QDir::homePath(),
                                                          ics::fileFilters(), QStringLiteral("ics"));
    if (path.isEmpty())
        return;
    if (!writeExport(path, ics::write(list, m_services.clock.now())))
        return;
    m_services.prompter.message(
        QStringLiteral("%1 randevu aktarıldı:\n%2").arg(list.size()).arg(QDir::toNativeSeparators(path)),
        MessageKind::Information);
}

void DiaryWindow::importCalendar()
{
    const QString path = m_services.prompter.openFileName(QStringLiteral("iCalendar Dosyasından Al"), QDir::homePath(),
                                                          ics::fileFilters());
    if (path.isEmpty())
        return;
    const ics::Read read = ics::readFile(path);
    if (!read.problem.isEmpty()) {
        m_services.sound.exclamation();
        m_services.prompter.message(read.problem + QStringLiteral("\n\nHiçbir randevu alınmadı."),
                                    MessageKind::Warning);
        return;
    }
    if (read.appointments.isEmpty()) {
        m_services.prompter.message(QStringLiteral("Dosyada alınabilecek randevu yok.") +
                                        (read.skipped.isEmpty() ? QString() : skippedList(read.skipped)),
                                    MessageKind::Information);
        return;
    }
    const AppointmentBook::Added added = m_book.addAll(read.appointments);
    reload();
    tellImported(added.added, QStringLiteral("randevu"), read.skipped + added.skipped);
}

void DiaryWindow::reload()
{
    const std::optional<Appointment> current = selected();
    markMonth(m_calendar->yearShown(), m_calendar->monthShown());
    fillDay(current ? current->start : QString());
}

} // namespace zelvar
