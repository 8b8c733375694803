// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CertificateReport: what the three printed certificates share. Each is one
// A5 page about the resident in the print query, headed and signed with the
// office's values, with an optional photograph. The forms keep their run-time
// texts (photo, document number, reason ...) between runs.
#include "report/ReportDefinition.h"

#include <QDate>
#include <QImage>
#include <QString>

namespace zelvar {

class Dataset;

// The office's row of the neighbourhood table, as the documents print it.
struct OfficeValues {
    QString il;
    QString ilce;
    QString mahalle;
    QString zelvar;
    static OfficeValues read(const Dataset& tbMah);
};

class CertificateReport {
public:
    virtual ~CertificateReport() = default;

    // Names the print job and captions the preview.
    virtual QString jobTitle() const = 0;
    // Starts the line written to the resident's issued-documents log.
    virtual QString logTitle() const = 0;
    // The page for the office and the day; resident values come from the
    // print query's row.
    virtual report::ReportDefinition definition(const OfficeValues& office, const QDate& today) const = 0;

    void clearPhoto() { m_photo = QImage(); }
    void setPhoto(const QImage& photo) { m_photo = photo; }
    const QImage& photo() const { return m_photo; }

    static constexpr double kPhotoWidth = 30.4;
    static constexpr double kPhotoHeight = 36.2;

protected:
    // An A5 portrait page with 12.7 mm margins and one detail band.
    static report::ReportDefinition a5Page(const QString& title, double bandHeight);
    // The photo frame at its place; empty when there is no photo.
    void addPhoto(report::Band& band, double top, double left) const;
    static QString dateText(const QDate& day);

private:
    QImage m_photo;
};

} // namespace zelvar
