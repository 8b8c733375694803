// SPDX-License-Identifier: GPL-3.0-or-later
#include "companions/common/ContentLines.h"

#include "documents/EditorFiles.h"

#include <QFile>
#include <QFileInfo>

namespace zelvar::contentlines {

namespace {

QString refusal(const QString& kind, const QString& why)
{
    return QStringLiteral("Dosya geçerli bir %1 dosyası değil.\n%2").arg(kind, why);
}

// Quoted-printable (old address cards): "=C4=B0" is one byte, a line that
// ends in "=" goes on in the next one.
QByteArray decodeQuotedPrintable(const QByteArray& in)
{
    QByteArray out;
    out.reserve(in.size());
    for (int i = 0; i < in.size(); ++i) {
        if (in[i] == '=' && i + 2 < in.size()) {
            bool ok = false;
            const int byte = in.mid(i + 1, 2).toInt(&ok, 16);
            if (ok) {
                out += char(byte);
                i += 2;
                continue;
            }
        }
        out += in[i];
    }
    return out;
}

bool isQuotedPrintable(const QString& physical)
{
    const int colon = physical.indexOf(QLatin1Char(':'));
    return colon > 0 && physical.left(colon).contains(QLatin1String("QUOTED-PRINTABLE"), Qt::CaseInsensitive);
}

// The physical lines joined into logical ones.
QVector<QPair<int, QString>> unfold(const QString& text)
{
    QVector<QPair<int, QString>> lines;
    const QStringList physical = text.split(QLatin1Char('\n'));
    bool softBreak = false;
    for (int i = 0; i < physical.size(); ++i) {
        QString line = physical[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const bool continuation =
            !lines.isEmpty() && !line.isEmpty() && (line[0] == QLatin1Char(' ') || line[0] == QLatin1Char('\t'));
        if (softBreak && !lines.isEmpty()) {
            lines.last().second.chop(1); // the "=" of the soft break
            lines.last().second += line;
        } else if (continuation) {
            lines.last().second += line.mid(1);
        } else if (!line.trimmed().isEmpty()) {
            lines.append({i + 1, line});
        }
        softBreak = !lines.isEmpty() && isQuotedPrintable(lines.last().second) &&
                    lines.last().second.endsWith(QLatin1Char('='));
    }
    return lines;
}

// "NAME;A=1;B="x,y":value" -> a Line; false when there is no colon.
bool splitLine(const QString& text, Line& line)
{
    int colon = -1;
    bool quoted = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (c == QLatin1Char(':') && !quoted) {
            colon = i;
            break;
        }
    }
    if (colon <= 0)
        return false;
    line.value = text.mid(colon + 1);
    const QStringList parts = text.left(colon).split(QLatin1Char(';'));
    line.name = parts[0].section(QLatin1Char('.'), -1).trimmed().toUpper();
    for (int i = 1; i < parts.size(); ++i) {
        const QString& part = parts[i];
        const int eq = part.indexOf(QLatin1Char('='));
        // vCard 2.1 writes bare types: "TEL;WORK;VOICE:".
        const QString name = (eq < 0 ? QStringLiteral("TYPE") : part.left(eq)).trimmed().toUpper();
        QString value = eq < 0 ? part : part.mid(eq + 1);
        value.remove(QLatin1Char('"'));
        line.params.insert(name, value);
    }
    return !line.name.isEmpty();
}

} // namespace

QString Line::param(const QString& paramName) const
{
    return params.value(paramName.toUpper());
}

bool Line::hasParam(const QString& paramName, const QString& wanted) const
{
    const auto values = params.values(paramName.toUpper());
    for (const QString& v : values)
        for (const QString& item : v.split(QLatin1Char(',')))
            if (item.trimmed().compare(wanted, Qt::CaseInsensitive) == 0)
                return true;
    return false;
}

QString Line::text() const
{
    if (hasParam(QStringLiteral("ENCODING"), QStringLiteral("QUOTED-PRINTABLE")))
        return unescape(EditorFiles::decodePlainText(decodeQuotedPrintable(value.toLatin1())));
    return unescape(value);
}

const Line* Component::first(const QString& lineName) const
{
    for (const Line& line : lines)
        if (line.name == lineName)
            return &line;
    return nullptr;
}

QVector<const Line*> Component::all(const QString& lineName) const
{
    QVector<const Line*> found;
    for (const Line& line : lines)
        if (line.name == lineName)
            found << &line;
    return found;
}

Document readFile(const QString& path, const QString& kind)
{
    Document doc;
    const QFileInfo info(path);
    if (!info.isFile()) {
        doc.problem = QStringLiteral("Dosya bulunamadı:\n%1").arg(path);
        return doc;
    }
    if (info.size() > kMaxFileBytes) {
        doc.problem = QStringLiteral("Dosya çok büyük (%1 MB). En çok %2 MB'lık %3 dosyası alınabilir.")
                          .arg(info.size() / (qint64{1024} * 1024))
                          .arg(kMaxFileBytes / (qint64{1024} * 1024))
                          .arg(kind);
        return doc;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        doc.problem = QStringLiteral("Dosya okunamadı:\n%1").arg(path);
        return doc;
    }
    return parse(file.readAll(), kind);
}

Document parse(const QByteArray& data, const QString& kind)
{
    Document doc;
    if (data.trimmed().isEmpty()) {
        doc.problem = refusal(kind, QStringLiteral("Dosya boş."));
        return doc;
    }
    if (data.contains('\0')) {
        doc.problem = refusal(kind, QStringLiteral("Dosya metin değil (ikili bir dosya)."));
        return doc;
    }
    QString text = EditorFiles::decodePlainText(data);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    QVector<Component> stack;
    const QVector<QPair<int, QString>> lines = unfold(text);
    for (int i = 0; i < lines.size(); ++i) {
        const auto& [number, raw] = lines[i];
        Line line;
        line.number = number;
        if (!splitLine(raw, line)) {
            // A broken last line inside an open part: the file was cut there.
            const bool cut = i + 1 == lines.size() && !stack.isEmpty();
            doc.problem =
                refusal(kind, cut ? QStringLiteral("Dosya yarıda kesilmiş: son satırı (%1.) eksik.").arg(number)
                                  : QStringLiteral("%1. satır okunamadı.").arg(number));
            return doc;
        }
        if (line.name == QLatin1String("BEGIN")) {
            Component c;
            c.name = line.value.trimmed().toUpper();
            c.number = number;
            stack.append(c);
            continue;
        }
        if (line.name == QLatin1String("END")) {
            const QString name = line.value.trimmed().toUpper();
            if (stack.isEmpty() || stack.last().name != name) {
                doc.problem = refusal(
                    kind, QStringLiteral("%1. satırdaki END:%2 açılmamış bir bölümü kapatıyor.").arg(number).arg(name));
                return doc;
            }
            Component done = stack.takeLast();
            if (stack.isEmpty())
                doc.components.append(std::move(done));
            else
                stack.last().children.append(std::move(done));
            continue;
        }
        if (stack.isEmpty()) {
            doc.problem = refusal(kind, QStringLiteral("%1. satır hiçbir bölümün içinde değil.").arg(number));
            return doc;
        }
        stack.last().lines.append(std::move(line));
    }
    if (!stack.isEmpty()) {
        doc.problem = refusal(kind, QStringLiteral("Dosya yarıda kesilmiş: %1. satırda başlayan %2 bölümü kapanmıyor.")
                                        .arg(stack.last().number)
                                        .arg(stack.last().name));
        doc.components.clear();
        return doc;
    }
    if (doc.components.isEmpty())
        doc.problem = refusal(kind, QStringLiteral("Dosyada hiçbir bölüm yok."));
    return doc;
}

QString unescape(const QString& value)
{
    QString out;
    out.reserve(value.size());
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c != QLatin1Char('\\') || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const QChar next = value[++i];
        if (next == QLatin1Char('n') || next == QLatin1Char('N'))
            out += QLatin1Char('\n');
        else
            out += next;
    }
    return out;
}

QString escape(const QString& text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case ';':
            out += QLatin1String("\\;");
            break;
        case ',':
            out += QLatin1String("\\,");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\r':
            break;
        default:
            out += c;
        }
    }
    return out;
}

QStringList splitStructured(const QString& value, QChar separator)
{
    QStringList parts;
    QString current;
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == QLatin1Char('\\') && i + 1 < value.size()) {
            current += c;
            current += value[++i];
        } else if (c == separator) {
            parts << unescape(current);
            current.clear();
        } else {
            current += c;
        }
    }
    parts << unescape(current);
    return parts;
}

void appendLine(QByteArray& out, const QString& head, const QString& value)
{
    const QByteArray line = (head + QLatin1Char(':') + value).toUtf8();
    constexpr int kFirst = 75;
    constexpr int kNext = 74; // after the leading blank
    int start = 0;
    int room = kFirst;
    while (line.size() - start > room) {
        int cut = start + room;
        // Never inside a UTF-8 character: back up over continuation bytes.
        while (cut > start && (uchar(line[cut]) & 0xC0) == 0x80)
            --cut;
        out += line.mid(start, cut - start);
        out += "\r\n ";
        start = cut;
        room = kNext;
    }
    out += line.mid(start);
    out += "\r\n";
}

} // namespace zelvar::contentlines
