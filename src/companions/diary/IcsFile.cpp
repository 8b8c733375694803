// SPDX-License-Identifier: GPL-3.0-or-later
#include "companions/diary/IcsFile.h"

#include "companions/common/ContentLines.h"
#include "data/FieldDefs.h"

#include <QRegularExpression>
#include <QTimeZone>
#include <optional>

namespace zelvar::ics {

using contentlines::Component;
using contentlines::Line;

namespace {

const QString kOwn = QStringLiteral("X-ZELVAR-");

struct When {
    QDateTime local;
    bool wholeDay = false;
};

// A DTSTART or DTEND as a local time: UTC ("Z") and named zones are turned
// into the computer's own time, a floating time is taken as written.
std::optional<When> whenOf(const Line& line)
{
    const QString value = line.value.trimmed();
    When when;
    if (line.hasParam(QStringLiteral("VALUE"), QStringLiteral("DATE")) ||
        (value.size() == 8 && !value.contains(QLatin1Char('T')))) {
        const QDate day = QDate::fromString(value.left(8), QStringLiteral("yyyyMMdd"));
        if (!day.isValid())
            return std::nullopt;
        when.local = QDateTime(day, QTime(0, 0));
        when.wholeDay = true;
        return when;
    }
    QDateTime time = QDateTime::fromString(value.left(15), QStringLiteral("yyyyMMdd'T'HHmmss"));
    if (!time.isValid())
        time = QDateTime::fromString(value.left(13), QStringLiteral("yyyyMMdd'T'HHmm"));
    if (!time.isValid())
        return std::nullopt;
    if (value.endsWith(QLatin1Char('Z'), Qt::CaseInsensitive)) {
        time.setTimeZone(QTimeZone::utc());
        time = time.toLocalTime();
    } else if (const QString zone = line.param(QStringLiteral("TZID")); !zone.isEmpty()) {
        const QTimeZone named(zone.toUtf8());
        if (named.isValid()) {
            time.setTimeZone(named);
            time = time.toLocalTime();
        }
    }
    when.local = time;
    return when;
}

// "PT1H30M", "P1D": seconds, or -1 when unreadable.
qint64 durationSeconds(const QString& text)
{
    static const QRegularExpression form(
        QStringLiteral("^([+-])?P(?:(\\d+)W)?(?:(\\d+)D)?(?:T(?:(\\d+)H)?(?:(\\d+)M)?(?:(\\d+)S)?)?$"));
    const QRegularExpressionMatch m = form.match(text.trimmed().toUpper());
    if (!m.hasMatch())
        return -1;
    const qint64 seconds = m.captured(2).toLongLong() * 7 * 86400 + m.captured(3).toLongLong() * 86400 +
                           m.captured(4).toLongLong() * 3600 + m.captured(5).toLongLong() * 60 +
                           m.captured(6).toLongLong();
    return m.captured(1) == QLatin1String("-") ? -seconds : seconds;
}

QString textOf(const Component& event, const QString& name)
{
    const Line* line = event.first(name);
    return line ? line->text().trimmed() : QString();
}

// An event written by this program carries every field under its own
// property names; any other event is read from the standard ones.
bool writtenHere(const Component& event)
{
    return event.first(kOwn + QStringLiteral("SURUM")) != nullptr;
}

QString timeText(const QDateTime& t)
{
    return t.time().toString(QStringLiteral("hh:mm"));
}

QString labelOf(const Component& event, const std::optional<When>& start)
{
    QString label = start ? start->local.toString(start->wholeDay ? QStringLiteral("dd.MM.yyyy")
                                                                  : QStringLiteral("dd.MM.yyyy hh:mm"))
                          : QStringLiteral("(tarihsiz)");
    const QString summary = textOf(event, QStringLiteral("SUMMARY"));
    if (!summary.isEmpty())
        label += QLatin1Char(' ') + summary.left(40);
    return label;
}

// The appointment of one event, or why it cannot be one.
std::optional<Appointment> appointmentOf(const Component& event, QString& why)
{
    const Line* startLine = event.first(QStringLiteral("DTSTART"));
    const std::optional<When> start = startLine ? whenOf(*startLine) : std::nullopt;
    if (!start) {
        why = startLine ? QStringLiteral("başlangıç zamanı okunamadı") : QStringLiteral("başlangıç zamanı yok");
        return std::nullopt;
    }
    if (start->wholeDay) {
        why = QStringLiteral("bütün gün süren etkinlik; başlangıç saati yok");
        return std::nullopt;
    }
    if (event.first(QStringLiteral("RRULE")) || event.first(QStringLiteral("RDATE"))) {
        why = QStringLiteral("tekrarlanan etkinlik; randevu defteri tekrarları tutamaz");
        return std::nullopt;
    }
    if (textOf(event, QStringLiteral("STATUS")).compare(QLatin1String("CANCELLED"), Qt::CaseInsensitive) == 0) {
        why = QStringLiteral("iptal edilmiş etkinlik");
        return std::nullopt;
    }
    Appointment a;
    a.date = start->local.date();
    a.start = timeText(start->local);
    if (const Line* endLine = event.first(QStringLiteral("DTEND"))) {
        if (const std::optional<When> end = whenOf(*endLine); end && !end->wholeDay)
            a.end = timeText(end->local);
    } else if (const Line* duration = event.first(QStringLiteral("DURATION"))) {
        const qint64 seconds = durationSeconds(duration->value);
        if (seconds > 0)
            a.end = timeText(start->local.addSecs(seconds));
    }

    if (writtenHere(event)) {
        const auto own = [&event](const char* name) { return textOf(event, kOwn + QLatin1String(name)); };
        a.end = own("SAATI2");
        a.name = own("ADI");
        a.subject = own("KONU");
        a.phone = own("TELEFON");
        a.phone2 = own("TELEFON2");
        a.address1 = own("ADRES1");
        a.address2 = own("ADRES2");
        a.note = own("NOT");
        return a;
    }
    a.subject = textOf(event, QStringLiteral("SUMMARY"));
    a.name = textOf(event, QStringLiteral("CONTACT"));
    // A location of several lines fills both address lines.
    const QStringList lines = textOf(event, QStringLiteral("LOCATION")).split(QLatin1Char('\n'));
    a.address1 = lines.value(0).trimmed();
    a.address2 = lines.mid(1).join(QStringLiteral(", ")).trimmed();
    a.note = textOf(event, QStringLiteral("DESCRIPTION"));
    return a;
}

QString stamp(const QDateTime& t)
{
    return t.toString(QStringLiteral("yyyyMMdd'T'HHmmss"));
}

} // namespace

QString kind()
{
    return QStringLiteral("iCalendar (.ics)");
}

QStringList fileFilters()
{
    return {QStringLiteral("iCalendar dosyaları (*.ics)"), QStringLiteral("Bütün dosyalar (*)")};
}

namespace {

Read fromDocument(const contentlines::Document& doc)
{
    Read result;
    if (!doc.ok()) {
        result.problem = doc.problem;
        return result;
    }
    bool calendar = false;
    for (const Component& top : doc.components) {
        if (top.name != QLatin1String("VCALENDAR"))
            continue;
        calendar = true;
        for (const Component& event : top.children) {
            if (event.name != QLatin1String("VEVENT"))
                continue;
            QString why;
            if (std::optional<Appointment> a = appointmentOf(event, why)) {
                result.appointments << *a;
            } else {
                const Line* startLine = event.first(QStringLiteral("DTSTART"));
                result.skipped << labelOf(event, startLine ? whenOf(*startLine) : std::nullopt) + QStringLiteral(": ") +
                                      why;
            }
        }
    }
    if (!calendar)
        result.problem =
            QStringLiteral("Dosya geçerli bir %1 dosyası değil.\nDosyada takvim (VCALENDAR) bölümü yok.").arg(kind());
    return result;
}

} // namespace

Read readFile(const QString& path)
{
    return fromDocument(contentlines::readFile(path, kind()));
}

Read read(const QByteArray& data)
{
    return fromDocument(contentlines::parse(data, kind()));
}

QByteArray write(const QVector<Appointment>& appointments, const QDateTime& now)
{
    using contentlines::appendLine;
    using contentlines::escape;
    QByteArray out;
    out.reserve(appointments.size() * 400 + 200);
    appendLine(out, QStringLiteral("BEGIN"), QStringLiteral("VCALENDAR"));
    appendLine(out, QStringLiteral("VERSION"), QStringLiteral("2.0"));
    appendLine(out, QStringLiteral("PRODID"), QStringLiteral("-//Zelvar 2001//Takvim ve Randevu//TR"));
    appendLine(out, QStringLiteral("CALSCALE"), QStringLiteral("GREGORIAN"));
    const QString stampUtc = stamp(now.toUTC()) + QLatin1Char('Z');
    for (const Appointment& a : appointments) {
        const QDateTime start(a.date, QTime::fromString(a.start, QStringLiteral("hh:mm")));
        appendLine(out, QStringLiteral("BEGIN"), QStringLiteral("VEVENT"));
        appendLine(out, QStringLiteral("UID"),
                   QStringLiteral("zelvar-%1@takvim.zelvar").arg(start.toString(QStringLiteral("yyyyMMdd-HHmm"))));
        appendLine(out, QStringLiteral("DTSTAMP"), stampUtc);
        appendLine(out, QStringLiteral("DTSTART"), stamp(start));
        const QTime end = QTime::fromString(a.end, QStringLiteral("hh:mm"));
        if (end.isValid() && end > start.time())
            appendLine(out, QStringLiteral("DTEND"), stamp(QDateTime(a.date, end)));
        appendLine(out, QStringLiteral("SUMMARY"), escape(a.caption()));
        const QString location = QStringList{a.address1, a.address2}.filter(QRegularExpression(".")).join('\n');
        if (!location.isEmpty())
            appendLine(out, QStringLiteral("LOCATION"), escape(location));
        if (!a.note.isEmpty())
            appendLine(out, QStringLiteral("DESCRIPTION"), escape(a.note));
        const QString contact = QStringList{a.name, a.phone, a.phone2}.filter(QRegularExpression(".")).join(", ");
        if (!contact.isEmpty())
            appendLine(out, QStringLiteral("CONTACT"), escape(contact));
        appendLine(out, kOwn + QStringLiteral("SURUM"), QStringLiteral("1"));
        const std::pair<const char*, const QString*> own[] = {
            {"ADI", &a.name},        {"KONU", &a.subject},    {"SAATI2", &a.end},      {"TELEFON", &a.phone},
            {"TELEFON2", &a.phone2}, {"ADRES1", &a.address1}, {"ADRES2", &a.address2}, {"NOT", &a.note},
        };
        for (const auto& [name, value] : own)
            if (!value->isEmpty())
                appendLine(out, kOwn + QLatin1String(name), escape(*value));
        appendLine(out, QStringLiteral("END"), QStringLiteral("VEVENT"));
    }
    appendLine(out, QStringLiteral("END"), QStringLiteral("VCALENDAR"));
    return out;
}

} // namespace zelvar::ics
