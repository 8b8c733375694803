// SPDX-License-Identifier: GPL-3.0-or-later
#include "companions/diary/AppointmentTime.h"

#include <QRegularExpression>

namespace zelvar::appointmenttime {

QString normalize(const QString& typed, QString* problem)
{
    const auto fail = [problem](const QString& why) {
        if (problem)
            *problem = why;
        return QString();
    };
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return fail(QStringLiteral("Saati giriniz (örnek: 09:30) !"));
    static const QRegularExpression form(QStringLiteral("^(\\d{1,2}):(\\d{2})$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return fail(QStringLiteral("Saati \"ss:dd\" biçiminde, saati ve dakikayı iki rakamla giriniz "
                                   "(örnek: 09:05) ! Girilen: %1")
                        .arg(text));
    const int hour = m.captured(1).toInt();
    const int minute = m.captured(2).toInt();
    if (hour > 23 || minute > 59)
        return fail(QStringLiteral("Böyle bir saat yok: %1. Saat 00:00 ile 23:59 arasında olmalıdır !").arg(text));
    if (problem)
        problem->clear();
    return QTime(hour, minute).toString(QStringLiteral("hh:mm"));
}

bool ringsAt(const QString& hhmm)
{
    return hhmm.size() == 5 && (hhmm.endsWith(QLatin1String(":00")) || hhmm.endsWith(QLatin1String(":30")));
}

QString noBellNote()
{
    return QStringLiteral("Hatırlatıcı yalnız saat başlarında ve buçuklarda (ss:00, ss:30) çalar; "
                          "bu saatteki randevu kaydedilir ama zil çalmaz.");
}

QStringList halfHours()
{
    QStringList times;
    for (int h = 0; h < 24; ++h)
        for (int m : {0, 30})
            times << QTime(h, m).toString(QStringLiteral("hh:mm"));
    return times;
}

QString nextHalfHour(const QTime& now)
{
    const int minutes = now.hour() * 60 + now.minute();
    const int next = std::min((minutes / 30 + 1) * 30, 23 * 60 + 30);
    return QTime(next / 60, next % 60).toString(QStringLiteral("hh:mm"));
}

} // namespace zelvar::appointmenttime
