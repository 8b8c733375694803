// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/RtfWriter.h"

#include "documents/AnsiCodePage.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <cmath>

namespace zelvar {

namespace {

// The font and colour tables, filled in the order the text uses them.
class Tables {
public:
    explicit Tables(const QString& baseFamily) { fontIndex(baseFamily); }

    int fontIndex(const QString& family)
    {
        auto it = m_fontIndex.constFind(family);
        if (it != m_fontIndex.constEnd())
            return *it;
        m_fonts << family;
        return *m_fontIndex.insert(family, int(m_fonts.size()) - 1);
    }

    // 0 is the automatic colour; the others count from 1.
    int colorIndex(const QColor& color)
    {
        const QRgb rgb = color.rgb();
        auto it = m_colorIndex.constFind(rgb);
        if (it != m_colorIndex.constEnd())
            return *it;
        m_colors << rgb;
        return *m_colorIndex.insert(rgb, int(m_colors.size()));
    }

    QByteArray header() const;

private:
    QStringList m_fonts;
    QHash<QString, int> m_fontIndex;
    QList<QRgb> m_colors;
    QHash<QRgb, int> m_colorIndex;
};

void appendText(QByteArray& out, const QString& text)
{
    const AnsiCodePage& page = AnsiCodePage::turkish();
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        switch (u) {
        case '\\':
            out += "\\\\";
            continue;
        case '{':
            out += "\\{";
            continue;
        case '}':
            out += "\\}";
            continue;
        case '\t':
            out += "\\tab ";
            continue;
        case QChar::LineSeparator:
            out += "\\line ";
            continue;
        case QChar::Nbsp:
            out += "\\~";
            continue;
        case QChar::ObjectReplacementCharacter:
            continue; // a picture the editor does not keep
        default:
            break;
        }
        if (u >= 0x20 && u < 0x80) {
            out += char(u);
        } else if (u < 0x20) {
            continue; // other control characters are not text
        } else {
            // RTF numbers are signed 16-bit; the fallback byte follows (\uc1).
            out += "\\u" + QByteArray::number(u > 32767 ? int(u) - 65536 : int(u));
            const unsigned char b = c.isSurrogate() ? 0 : page.encode(c);
            if (b >= 0x80) {
                out += "\\'" + QByteArray::number(b, 16).rightJustified(2, '0');
            } else {
                out += '?';
            }
        }
    }
}

QByteArray Tables::header() const
{
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1254\\deff0\\deflang1055\\uc1\r\n{\\fonttbl";
    for (int i = 0; i < m_fonts.size(); ++i) {
        out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset162 ";
        QString name = m_fonts[i];
        appendText(out, name.remove(QLatin1Char(';')));
        out += ";}";
    }
    out += "}\r\n{\\colortbl;";
    for (QRgb rgb : m_colors)
        out += "\\red" + QByteArray::number(qRed(rgb)) + "\\green" + QByteArray::number(qGreen(rgb)) + "\\blue" +
               QByteArray::number(qBlue(rgb)) + ';';
    out += "}\r\n\\viewkind4\r\n";
    return out;
}

QByteArray alignment(Qt::Alignment a)
{
    if (a & Qt::AlignHCenter)
        return "\\qc";
    if (a & Qt::AlignJustify)
        return "\\qj";
    if (a & Qt::AlignRight)
        return "\\qr";
    return "\\ql";
}

// The character formatting of a run, every property spelt out, so that the
// file looks the same whatever the reader's defaults.
QByteArray charFormat(const QTextCharFormat& format, const QFont& base, Tables& tables)
{
    const QFont font = format.font().resolve(base);
    const QString family = font.families().isEmpty() ? font.family() : font.families().constFirst();
    const qreal points = font.pointSizeF() > 0 ? font.pointSizeF() : base.pointSizeF();
    QByteArray out = "\\plain\\f" + QByteArray::number(tables.fontIndex(family)) + "\\fs" +
                     QByteArray::number(std::max(1, int(std::lround(points * 2))));
    if (font.bold())
        out += "\\b";
    if (font.italic())
        out += "\\i";
    if (font.underline() || format.underlineStyle() != QTextCharFormat::NoUnderline)
        out += "\\ul";
    if (font.strikeOut())
        out += "\\strike";
    if (format.hasProperty(QTextFormat::ForegroundBrush)) {
        const QBrush brush = format.foreground();
        if (brush.style() != Qt::NoBrush)
            out += "\\cf" + QByteArray::number(tables.colorIndex(brush.color()));
    }
    out += ' ';
    return out;
}

} // namespace

QByteArray RtfWriter::write(const QTextDocument& document)
{
    const QFont base = document.defaultFont();
    Tables tables(base.family());
    QByteArray body;
    body.reserve(document.characterCount() * 2 + 256);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        body += "\\pard" + alignment(block.blockFormat().alignment());
        bool empty = true;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            body += charFormat(fragment.charFormat(), base, tables);
            appendText(body, fragment.text());
            empty = false;
        }
        if (empty)
            body += charFormat(block.charFormat(), base, tables);
        body += "\\par\r\n";
    }
    return tables.header() + body + "}\r\n";
}

} // namespace zelvar
