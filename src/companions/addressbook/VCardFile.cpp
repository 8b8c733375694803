// SPDX-License-Identifier: GPL-3.0-or-later
#include "companions/addressbook/VCardFile.h"

#include "companions/common/ContentLines.h"
#include "companions/common/TextParts.h"

namespace zelvar::vcard {

using contentlines::Component;
using contentlines::Line;

namespace {

// A telephone as written: a 4.0 card may give it as a "tel:" address.
QString phoneOf(const Line& line)
{
    QString text = line.text().trimmed();
    if (text.startsWith(QLatin1String("tel:"), Qt::CaseInsensitive))
        text = text.mid(4);
    return text;
}

// The lines of a kind, the preferred ones first.
QVector<const Line*> preferredFirst(const Component& card, const QString& name)
{
    QVector<const Line*> first;
    QVector<const Line*> rest;
    for (const Line* line : card.all(name)) {
        const bool preferred = line->hasParam(QStringLiteral("TYPE"), QStringLiteral("PREF")) ||
                               !line->param(QStringLiteral("PREF")).isEmpty();
        (preferred ? first : rest) << line;
    }
    return first + rest;
}

QString textOf(const Component& card, const QString& name)
{
    const Line* line = card.first(name);
    return line ? line->text().trimmed() : QString();
}

Contact contactOf(const Component& card)
{
    Contact c;
    const Line* n = card.first(QStringLiteral("N"));
    const QStringList parts =
        n ? contentlines::splitStructured(
                n->hasParam(QStringLiteral("ENCODING"), QStringLiteral("QUOTED-PRINTABLE")) ? n->text() : n->value)
          : QStringList();
    const QString fromParts = joinNonEmpty(
        {parts.value(3), parts.value(1), parts.value(2), parts.value(0), parts.value(4)}, QStringLiteral(" "));
    const Line* org = card.first(QStringLiteral("ORG"));
    c.institution = org ? joinNonEmpty(contentlines::splitStructured(org->value), QStringLiteral(", ")) : QString();
    if (org && org->hasParam(QStringLiteral("ENCODING"), QStringLiteral("QUOTED-PRINTABLE")))
        c.institution = joinNonEmpty(org->text().split(QLatin1Char(';')), QStringLiteral(", "));
    c.name = textOf(card, QStringLiteral("FN"));
    if (c.name.isEmpty())
        c.name = fromParts;
    // A card of an office names the office as its name; the name is the
    // institution's then, not a person's.
    if (fromParts.isEmpty() && c.name == c.institution)
        c.name.clear();
    c.title = textOf(card, QStringLiteral("TITLE"));
    if (c.title.isEmpty())
        c.title = textOf(card, QStringLiteral("ROLE"));

    QStringList extra;
    const QVector<const Line*> phones = preferredFirst(card, QStringLiteral("TEL"));
    for (int i = 0; i < phones.size(); ++i) {
        const QString phone = phoneOf(*phones[i]);
        if (i == 0)
            c.phone = phone;
        else if (i == 1)
            c.phone2 = phone;
        else if (!phone.isEmpty())
            extra << QStringLiteral("Telefon: ") + phone;
    }
    const QVector<const Line*> mails = preferredFirst(card, QStringLiteral("EMAIL"));
    for (int i = 0; i < mails.size(); ++i) {
        const QString mail = mails[i]->text().trimmed();
        if (i == 0)
            c.email = mail;
        else if (!mail.isEmpty())
            extra << QStringLiteral("E-posta: ") + mail;
    }
    // ADR: post box; extended; street; locality; region; code; country.
    if (const Line* adr = card.first(QStringLiteral("ADR"))) {
        const QStringList a = contentlines::splitStructured(
            adr->hasParam(QStringLiteral("ENCODING"), QStringLiteral("QUOTED-PRINTABLE")) ? adr->text() : adr->value);
        QStringList street = a.value(2).split(QLatin1Char('\n'));
        const QString box = joinNonEmpty({a.value(0), a.value(1)}, QStringLiteral(" "));
        if (!box.isEmpty())
            street[0] = joinNonEmpty({box, street[0]}, QStringLiteral(" "));
        c.address1 = street.value(0).trimmed();
        const QString place = joinNonEmpty({a.value(5), a.value(3), a.value(4), a.value(6)}, QStringLiteral(" "));
        c.address2 = joinNonEmpty(QStringList(street.mid(1)) << place, QStringLiteral(", "));
    }
    c.note = joinNonEmpty(QStringList{textOf(card, QStringLiteral("NOTE"))} + extra, QStringLiteral("\n"));
    return c;
}

Read fromDocument(const contentlines::Document& doc)
{
    Read result;
    if (!doc.ok()) {
        result.problem = doc.problem;
        return result;
    }
    int cards = 0;
    for (const Component& card : doc.components) {
        if (card.name != QLatin1String("VCARD"))
            continue;
        ++cards;
        const Contact c = contactOf(card);
        if (c.caption().isEmpty()) {
            result.skipped << QStringLiteral("%1. satırdaki kart: adı ve kurumu yok").arg(card.number);
            continue;
        }
        result.contacts << c;
    }
    if (cards == 0)
        result.problem =
            QStringLiteral("Dosya geçerli bir %1 dosyası değil.\nDosyada adres kartı (VCARD) yok.").arg(kind());
    return result;
}

// "Ahmet Yılmaz" -> family "Yılmaz", given "Ahmet".
QString structuredName(const QString& name)
{
    using contentlines::escape;
    const QString trimmed = name.trimmed();
    const int blank = trimmed.lastIndexOf(QLatin1Char(' '));
    const QString family = blank < 0 ? trimmed : trimmed.mid(blank + 1);
    const QString given = blank < 0 ? QString() : trimmed.left(blank);
    return escape(family) + QLatin1Char(';') + escape(given) + QStringLiteral(";;;");
}

} // namespace

QString kind()
{
    return QStringLiteral("vCard (.vcf)");
}

QStringList saveFilters()
{
    return {QStringLiteral("vCard 3.0 (*.vcf)"), QStringLiteral("vCard 4.0 (*.vcf)")};
}

QStringList openFilters()
{
    return {QStringLiteral("vCard dosyaları (*.vcf *.vcard)"), QStringLiteral("Bütün dosyalar (*)")};
}

Version versionOfFilter(const QString& filter)
{
    return filter.contains(QLatin1String("4.0")) ? Version::V4 : Version::V3;
}

Read readFile(const QString& path)
{
    return fromDocument(contentlines::readFile(path, kind()));
}

Read read(const QByteArray& data)
{
    return fromDocument(contentlines::parse(data, kind()));
}

QByteArray write(const QVector<Contact>& contacts, Version version)
{
    using contentlines::appendLine;
    using contentlines::escape;
    const bool v4 = version == Version::V4;
    QByteArray out;
    out.reserve(contacts.size() * 300);
    for (const Contact& c : contacts) {
        appendLine(out, QStringLiteral("BEGIN"), QStringLiteral("VCARD"));
        appendLine(out, QStringLiteral("VERSION"), v4 ? QStringLiteral("4.0") : QStringLiteral("3.0"));
        appendLine(out, QStringLiteral("FN"), escape(c.caption()));
        // An office's card has no person's name: its parts stay empty.
        appendLine(out, QStringLiteral("N"), c.name.isEmpty() ? QStringLiteral(";;;;") : structuredName(c.name));
        if (!c.institution.isEmpty())
            appendLine(out, QStringLiteral("ORG"), escape(c.institution));
        if (!c.title.isEmpty())
            appendLine(out, QStringLiteral("TITLE"), escape(c.title));
        const QString text = v4 ? QStringLiteral(";VALUE=text") : QString();
        if (!c.phone.isEmpty())
            appendLine(out, QStringLiteral("TEL;TYPE=%1%2").arg(v4 ? "work,pref" : "WORK,VOICE,PREF", text),
                       escape(c.phone));
        if (!c.phone2.isEmpty())
            appendLine(out, QStringLiteral("TEL;TYPE=%1%2").arg(v4 ? "cell" : "CELL", text), escape(c.phone2));
        if (!c.email.isEmpty())
            appendLine(out, v4 ? QStringLiteral("EMAIL;TYPE=work") : QStringLiteral("EMAIL;TYPE=INTERNET,WORK"),
                       escape(c.email));
        if (!c.address1.isEmpty() || !c.address2.isEmpty()) {
            // Both lines in the street, one under the other.
            const QString street = c.address2.isEmpty() ? c.address1 : c.address1 + QLatin1Char('\n') + c.address2;
            appendLine(out, v4 ? QStringLiteral("ADR;TYPE=work") : QStringLiteral("ADR;TYPE=WORK"),
                       QStringLiteral(";;") + escape(street) + QStringLiteral(";;;;"));
        }
        if (!c.note.isEmpty())
            appendLine(out, QStringLiteral("NOTE"), escape(c.note));
        appendLine(out, QStringLiteral("END"), QStringLiteral("VCARD"));
    }
    return out;
}

} // namespace zelvar::vcard
