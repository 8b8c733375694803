// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/CertificateCommand.h"

#include "data/TDM2.h"
#include "documents/CertificateReport.h"
#include "documents/IssuedDocumentLog.h"
#include "documents/TQRDeg.h"
#include "documents/TQRNuSu.h"
#include "documents/TQrIkamet.h"
#include "documents/Tsayifrm.h"
#include "platform/Printing.h"
#include "ui/DatasetRows.h"

#include <QApplication>
#include <QClipboard>

namespace zelvar {

CertificateCommand::CertificateCommand(TDM2& dm, Services services)
    : m_dm(dm),
      m_services(services),
      m_residenceDialog([](TQrIkamet& form) {
          Tsayifrm dialog(form, QApplication::activeWindow());
          dialog.exec();
      })
{
}

QString CertificateCommand::logLine(const QString& title, const QDate& day)
{
    return title + day.toString(QStringLiteral("dd.MM.yyyy"));
}

bool CertificateCommand::residence(TQrIkamet& form)
{
    return run(form, [this, &form] { m_residenceDialog(form); });
}

bool CertificateCommand::idCardChange(TQRDeg& form)
{
    return run(form, [this, &form] {
        form.setWorkAddress(m_dm.Query2->displayText(QStringLiteral("IsAdresi")));
        form.reason = m_services.prompter.inputText(reasonTitle(), reasonPrompt(), QString()).value_or(QString());
    });
}

bool CertificateCommand::idCardCopy(TQRNuSu& form)
{
    return run(form, {});
}

bool CertificateCommand::run(CertificateReport& form, const std::function<void()>& extraStep)
{
    QVariant recordNumber;
    const QDate today = m_services.clock.today();
    std::shared_ptr<report::PagedReport> page;
    try {
        if (!prepare(form, extraStep, recordNumber))
            return false;
        page = std::make_shared<report::PagedReport>(form.definition(OfficeValues::read(*m_dm.tbMah), today),
                                                     std::make_shared<DatasetRows>(m_dm.Query1));
    } catch (...) {
        // Whatever went wrong while preparing: the run ends quietly and the
        // forms stay usable.
        return false;
    }
    const QString line = logLine(form.logTitle(), today);
    TDM2& dm = m_dm;
    // The line goes to the resident printed, even if the register has moved
    // on meanwhile; a resident deleted meanwhile gets nothing. Errors while
    // printing or logging reach the program's error handler.
    m_services.printing.preview(
        page, [&dm, recordNumber, line] { IssuedDocumentLog(dm).append(recordNumber.toInt(), line); });
    return true;
}

bool CertificateCommand::prepare(CertificateReport& form, const std::function<void()>& extraStep,
                                 QVariant& recordNumber)
{
    saveOfficeRow();
    Dataset* residents = m_dm.Query2;
    if (!residents->isActive() || residents->recordCount() == 0)
        return false;
    recordNumber = residents->value(QStringLiteral("KayitNo"));
    if (recordNumber.isNull())
        return false;
    // The number is bound, not pasted into the statement.
    TDM2::reopen(m_dm.Query1, printQuerySql(), {recordNumber});
    if (m_dm.Query1->recordCount() == 0)
        return false;
    form.clearPhoto();
    const QImage photo = residentPhoto(recordNumber);
    if (!photo.isNull()) {
        // The photo travels through the clipboard, which keeps it afterwards.
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setImage(photo);
        const QImage pasted = clipboard->image();
        form.setPhoto(pasted.isNull() ? photo : pasted);
    }
    if (extraStep)
        extraStep();
    return true;
}

void CertificateCommand::saveOfficeRow()
{
    // Stores the register's "Fotoğraflı Belge" choice, which edits this row,
    // before it is read; on an empty table this makes its first row.
    Dataset* office = m_dm.tbMah;
    office->edit();
    office->post();
}

QImage CertificateCommand::residentPhoto(const QVariant& recordNumber) const
{
    const Dataset* office = m_dm.tbMah;
    if (office->displayText(QStringLiteral("Fotobas")) != QLatin1String("1"))
        return {};
    const Dataset* photos = m_dm.tbfoto;
    if (!photos->isActive() || photos->recordCount() == 0)
        return {};
    // The photo row the register shows must be this resident's.
    const QString shownOwner = photos->displayText(QStringLiteral("Kayitno"));
    const QString resident = m_dm.Query2->displayText(QStringLiteral("KayitNo"));
    if (shownOwner.isEmpty() || shownOwner != resident ||
        resident != Dataset::formatValue(*m_dm.Query2->fieldDef(QStringLiteral("KayitNo")), recordNumber))
        return {};
    return QImage::fromData(photos->value(QStringLiteral("Foto")).toByteArray());
}

} // namespace zelvar
