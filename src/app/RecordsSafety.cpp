// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RecordsSafety.h"

#include "app/BackgroundJob.h"
#include "data/Backup.h"
#include "data/TDM2.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>

namespace zelvar {

namespace {

QString dateTimeText(const QDateTime& t)
{
    return t.toString(QStringLiteral("dd.MM.yyyy hh:mm"));
}

// A wait cursor for work the user asked for and waits on.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

RecordsSafety::RecordsSafety(TDM2& dm, const Services& services, std::function<bool()> closeWindows, QObject* parent)
    : QObject(parent),
      m_dm(dm),
      m_services(services),
      m_closeWindows(std::move(closeWindows)),
      m_folder(dm.database().folder()),
      m_changesAtStart(dm.database().totalChanges())
{
    m_newDay.setInterval(kNewDayCheckMs);
    connectCommand(m_services.errors, &m_newDay, &QTimer::timeout, this, &RecordsSafety::checkNewDay);
}

RecordsSafety::~RecordsSafety()
{
    // A backup is never cut off: the jobs' destructors wait for them.
    m_scheduler.hurry();
    delete m_check;
    delete m_backup;
}

QString RecordsSafety::automaticBackupFailed(const QString& why)
{
    return QStringLiteral("Otomatik yedek alınamadı: %1").arg(why);
}

QString RecordsSafety::backupFolderPath() const
{
    return BackupFolder(m_folder).path();
}

int RecordsSafety::currentResidents() const
{
    return m_dm.database().scalar(QStringLiteral("select count(*) from \"zelvarx\"")).toInt();
}

void RecordsSafety::waitForBackground()
{
    m_scheduler.hurry();
    for (BackgroundJob* job : {m_check.data(), m_backup.data()})
        if (job)
            job->wait();
    m_scheduler.relax();
    QCoreApplication::sendPostedEvents(this);
    QCoreApplication::sendPostedEvents(m_check);
    QCoreApplication::sendPostedEvents(m_backup);
}

// ------------------------------------------------------ start-up check

void RecordsSafety::startIntegrityCheck()
{
    if (!enabled() || m_check)
        return;
    const QString file = m_dm.database().filePath();
    const QString folder = m_folder;
    auto finding = std::make_shared<Finding>();
    m_check = m_scheduler.whenIdle(
        [file, folder, finding](const Pause& pause) {
            finding->problems = quickCheck(file, pause);
            if (!finding->problems.isEmpty())
                finding->soundBackup = BackupFolder(folder).newestSound(&finding->soundInfo, pause);
        },
        this);
    connectCommand(m_services.errors, m_check.data(), &BackgroundJob::done, this,
                   [this, finding] { checkFinished(*finding); });
}

void RecordsSafety::checkFinished(const Finding& finding)
{
    m_checkDone = true;
    m_problems = finding.problems;
    m_damage = finding;
    if (!m_problems.isEmpty())
        qWarning() << "Zelvar: veritabanı denetimi:" << m_problems;
    // Nothing is shown before the password has been given.
    if (m_loggedIn)
        afterLogin();
}

void RecordsSafety::afterLogin()
{
    m_loggedIn = true;
    if (!enabled())
        return;
    if (!m_checkDone) {
        startIntegrityCheck(); // continues here when it ends
        return;
    }
    if (!m_problems.isEmpty()) {
        // A damaged database is never backed up over the good copies.
        reportDamage(m_damage);
        return;
    }
    m_newDay.start();
    checkNewDay();
}

void RecordsSafety::checkNewDay()
{
    const QDate today = m_services.clock.today();
    // One try a day: a backup that cannot be written is not retried all day.
    if (!m_loggedIn || !m_problems.isEmpty() || m_backupTried == today)
        return;
    if (BackupFolder(m_folder).hasBackupOn(today))
        return;
    m_backupTried = today;
    startBackup(false);
}

void RecordsSafety::reportDamage(const Finding& finding)
{
    if (m_damageTold)
        return;
    m_damageTold = true;
    QStringList shown = finding.problems.mid(0, 3);
    if (finding.problems.size() > 3)
        shown << QStringLiteral("... (%1 sorun)").arg(finding.problems.size());
    QString found = QStringLiteral("Veritabanı dosyasında bozukluk bulundu:\n%1").arg(shown.join('\n'));
    if (!finding.note.isEmpty())
        found += QStringLiteral("\n\n") + finding.note;

    if (finding.soundBackup.isEmpty()) {
        m_services.prompter.message(
            found + QStringLiteral(
                        "\n\nGeri yüklenecek sağlam bir yedek bulunamadı. Bilgi girmeden önce bir uzmana danışınız."),
            MessageKind::Warning);
        return;
    }
    const QString question =
        found + QStringLiteral("\n\nEn yeni yedek: %1 (%2 kişi)\n%3\n\nBu yedek geri yüklensin mi?")
                    .arg(dateTimeText(finding.soundInfo.taken))
                    .arg(finding.soundInfo.residents)
                    .arg(QDir::toNativeSeparators(finding.soundBackup));
    if (m_services.prompter.ask(question, Buttons::YesNo, MessageKind::Warning) == Answer::Yes)
        restore(finding.soundBackup, finding.soundInfo, false);
}

// ------------------------------------------------------ automatic backups

void RecordsSafety::startBackup(bool atExit)
{
    if (!enabled())
        return;
    if (m_backup && !m_backup->isStarted()) {
        // Still waiting for a quiet moment; at exit there is no other.
        if (atExit)
            m_backup->start(BackgroundJob::Priority::Normal);
        return;
    }
    delete m_backup; // waits for a backup still running
    const QString folder = m_folder;
    const QString live = m_dm.database().filePath();
    const QDateTime now = m_services.clock.now();
    auto finding = std::make_shared<Finding>();
    const auto work = [folder, live, now, finding, atExit](const Pause& pause) {
        try {
            BackupFolder(folder).backUp(now, pause);
            return;
        } catch (const DamagedCopyError& e) {
            finding->problems = e.problems();
            finding->note =
                QStringLiteral("Günün yedeği bu bozukluğu taşıdığı için silindi; önceki yedekler korunuyor.");
        } catch (const ZelvarError& e) {
            finding->failure = e.message();
            // No backup, so no check of its copy: the file itself is checked,
            // while the program runs to tell what it finds.
            if (!atExit)
                finding->problems = integrityCheck(live, pause);
        }
        if (!finding->problems.isEmpty())
            finding->soundBackup = BackupFolder(folder).newestSound(&finding->soundInfo, pause);
    };
    m_backup = atExit ? m_scheduler.now(work, this) : m_scheduler.whenIdle(work, this);
    connectCommand(m_services.errors, m_backup.data(), &BackgroundJob::done, this,
                   [this, finding] { backupFinished(*finding); });
}

void RecordsSafety::backupFinished(const Finding& finding)
{
    if (!finding.failure.isEmpty()) {
        qWarning() << "Zelvar:" << finding.failure;
        // Told once; the work goes on either way.
        if (!m_failureTold) {
            m_failureTold = true;
            emit notice(automaticBackupFailed(finding.failure));
        }
    }
    if (finding.problems.isEmpty())
        return;
    qWarning() << "Zelvar: veritabanı denetimi:" << finding.problems;
    m_problems = finding.problems;
    m_damage = finding;
    reportDamage(finding);
}

void RecordsSafety::atExit()
{
    if (!enabled())
        return;
    // The program now waits for what runs beside it.
    m_scheduler.hurry();
    const bool changed = m_dm.database().totalChanges() != m_changesAtStart || m_restoredDuringRun;
    // A damaged database is not copied over the good backups.
    if (changed && m_problems.isEmpty())
        startBackup(true);
}

// ------------------------------------------------------ the two commands

void RecordsSafety::backupNowCommand()
{
    const QString suggested = QDir::home().filePath(BackupFolder::fileNameFor(m_services.clock.now()));
    const QString target =
        m_services.prompter.saveFileName(QStringLiteral("Yedek Al"), suggested,
                                         {QStringLiteral("Zelvar yedekleri (*.sqlite)")}, QStringLiteral("sqlite"));
    if (target.isEmpty())
        return;
    if (QFileInfo(target).absoluteFilePath() == QFileInfo(m_dm.database().filePath()).absoluteFilePath()) {
        m_services.prompter.message(QStringLiteral("Yedek, veritabanının kendi dosyasının üzerine yazılamaz !"),
                                    MessageKind::Warning);
        return;
    }
    try {
        WaitCursor wait;
        copyDatabase(m_dm.database().handle(), target, {Pause(), true});
    } catch (const DamagedCopyError& e) {
        Finding finding;
        finding.problems = e.problems();
        finding.note = QStringLiteral("Yedek, bu bozukluğu taşıdığı için yazılmadı.");
        finding.soundBackup = BackupFolder(m_folder).newestSound(&finding.soundInfo);
        m_problems = finding.problems;
        m_damageTold = false; // the user asked: he is told again
        reportDamage(finding);
        return;
    } catch (const BackupError& e) {
        m_services.prompter.message(e.message(), MessageKind::Warning);
        return;
    }
    m_services.prompter.message(QStringLiteral("Yedek alındı:\n%1").arg(QDir::toNativeSeparators(target)),
                                MessageKind::Information);
}

void RecordsSafety::restoreCommand()
{
    const QString file = m_services.prompter.openFileName(
        QStringLiteral("Yedekten Geri Yükle"), backupFolderPath(),
        {QStringLiteral("Zelvar yedekleri (*.sqlite)"), QStringLiteral("Tüm dosyalar (*)")});
    if (!file.isEmpty())
        restoreFrom(file);
}

// The data as it is now, copied into the backup folder before a restore
// replaces it. A damaged database may refuse the online backup; its file is
// then kept as it is.
bool RecordsSafety::keepCurrentData(const QDateTime& now)
{
    const BackupFolder folder(m_folder);
    QDir().mkpath(folder.path());
    try {
        copyDatabase(m_dm.database().handle(), QDir(folder.path()).filePath(BackupFolder::fileNameFor(now)));
        return true;
    } catch (const BackupError& e) {
        qWarning() << "Zelvar:" << e.message();
    }
    const QString raw = QDir(folder.path()).filePath(QStringLiteral("bozuk_") + BackupFolder::fileNameFor(now));
    const QString live = m_dm.database().filePath();
    QFile::remove(raw);
    if (!QFile::copy(live, raw))
        return false;
    if (QFileInfo::exists(live + QStringLiteral("-wal"))) {
        QFile::remove(raw + QStringLiteral("-wal"));
        QFile::copy(live + QStringLiteral("-wal"), raw + QStringLiteral("-wal"));
    }
    return true;
}

bool RecordsSafety::restoreFrom(const QString& file)
{
    if (!enabled())
        return false;
    BackupInfo info;
    try {
        info = inspectBackup(file);
    } catch (const BackupError& e) {
        m_services.prompter.message(e.message() + QStringLiteral("\nŞimdiki bilgiler değiştirilmedi."),
                                    MessageKind::Warning);
        return false;
    }
    return restore(file, info, true);
}

bool RecordsSafety::restore(const QString& file, const BackupInfo& info, bool ask)
{
    if (ask) {
        const QString question =
            QStringLiteral("%1 tarihli yedekte %2 kişi kayıtlı.\nŞimdiki bilgilerin yerine bu yedek yüklensin mi?\n"
                           "(Şimdiki bilgiler önce yedeklenir.)")
                .arg(dateTimeText(info.taken))
                .arg(info.residents);
        if (m_services.prompter.ask(question, Buttons::YesNo, MessageKind::Question) != Answer::Yes)
            return false;
    }
    if (m_closeWindows && !m_closeWindows()) {
        m_services.prompter.message(QStringLiteral("Açık pencereler kapatılamadı; yedek geri yüklenmedi."),
                                    MessageKind::Warning);
        return false;
    }
    waitForBackground();
    WaitCursor wait;
    if (!keepCurrentData(m_services.clock.now())) {
        m_services.prompter.message(QStringLiteral("Şimdiki bilgilerin yedeği alınamadı; yedek geri yüklenmedi."),
                                    MessageKind::Warning);
        return false;
    }
    m_dm.closeAll();
    try {
        restoreBackup(m_dm.database(), file);
    } catch (const BackupError& e) {
        m_dm.reopenAll();
        m_services.prompter.message(e.message(), MessageKind::Warning);
        return false;
    }
    m_dm.reopenAll();
    BackupFolder(m_folder).prune(currentResidents());
    m_restoredDuringRun = true;
    m_problems.clear();
    if (m_loggedIn)
        m_newDay.start();
    emit restored();
    m_services.prompter.message(
        QStringLiteral("Yedek geri yüklendi: %1 tarihli yedekteki %2 kişi ile çalışmaya devam ediliyor.")
            .arg(dateTimeText(info.taken))
            .arg(info.residents),
        MessageKind::Information);
    return true;
}

} // namespace zelvar
