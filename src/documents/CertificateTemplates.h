// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The four text certificates the register window composes into the editor:
// move-out, poverty, status, and the back page of the identity-card change
// certificate. Each is a fixed list of lines joining fixed Turkish text with
// the resident's values (as the register's boxes show them) and the office's
// neighbourhood settings; alignment is made with spaces and dot runs, so
// every blank and dot below belongs to the document.
#include <QDate>
#include <QHash>
#include <QLocale>
#include <QString>
#include <QVector>
#include <functional>
#include <optional>

namespace zelvar {

// What the lines are filled with.
struct TemplateValues {
    std::function<QString(const QString& field)> resident; // the register's box text
    QHash<QString, QString> office;                        // Il, Ilce, Mahalle, Zelvar
    QString today;                                         // see templateDate()

    QString r(const char* field) const { return resident ? resident(QString::fromLatin1(field)) : QString(); }
    QString o(const char* field) const { return office.value(QString::fromLatin1(field)); }
};

// A formatting step: size in points and bold.
struct LineFormat {
    int size;
    bool bold;
    bool operator==(const LineFormat& o) const { return size == o.size && bold == o.bold; }
};

// One line; no format means the editor's base formatting.
struct TemplateLine {
    QString text;
    std::optional<LineFormat> format;
};

// Today as the certificates print it: two-digit day, two-digit month and
// four-digit year, separated by the locale's date separator.
QString templateDate(const QDate& date, const QLocale& locale = QLocale());

class CertificateTemplate {
public:
    virtual ~CertificateTemplate() = default;
    virtual int kind() const = 0;        // the DocumentKind it sets
    virtual QString caption() const = 0; // the editor's caption
    virtual bool setsCourierNew() const { return false; }
    virtual QVector<TemplateLine> lines(const TemplateValues& v) const = 0;
};

// "NAKİL BELGESİ": the resident has moved away; his record here is closed.
class MoveOutCertificate : public CertificateTemplate {
public:
    int kind() const override;
    QString caption() const override { return QStringLiteral("Editor [Nakil Belgesi]"); }
    bool setsCourierNew() const override { return true; }
    QVector<TemplateLine> lines(const TemplateValues& v) const override;
};

// "FAKİRLİK BELGESİ": the resident owns nothing here and needs help.
class PovertyCertificate : public CertificateTemplate {
public:
    int kind() const override;
    QString caption() const override { return QStringLiteral("Editor [Fakirlik Belgesi]"); }
    QVector<TemplateLine> lines(const TemplateValues& v) const override;
};

// "İLMUHABER(BELGE)": the headman certifies the resident alive or widowed.
class StatusCertificate : public CertificateTemplate {
public:
    int kind() const override;
    QString caption() const override { return QStringLiteral("Editor [İlmuhaber]"); }
    QVector<TemplateLine> lines(const TemplateValues& v) const override;
};

// "NÜFUS KAYIT ÖRNEĞİ": the back page of the identity-card change certificate.
class IdCardChangeBackPage : public CertificateTemplate {
public:
    int kind() const override;
    QString caption() const override { return QStringLiteral("Editor [Nüfus Cüzdanı Değiştirme Belgesi-Arka]"); }
    QVector<TemplateLine> lines(const TemplateValues& v) const override;
};

} // namespace zelvar
