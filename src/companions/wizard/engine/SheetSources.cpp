// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizard/engine/SheetSources.h"

#include <QFileInfo>

namespace zelvar::wizard {

namespace {

constexpr qint64 kPiece = 256 * 1024;
constexpr int kMaxColumns = 16384; // the widest sheet a spreadsheet program makes
constexpr int kMaxRepeatedColumns = 1024;

// Column index of a cell reference such as "B5"; -1 when it has none.
int columnOf(QStringView reference)
{
    int column = 0;
    int letters = 0;
    for (QChar c : reference) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) {
            column = column * 26 + (c.unicode() - 'A' + 1);
            ++letters;
        } else {
            break;
        }
    }
    return letters ? column - 1 : -1;
}

int rowOf(QStringView reference)
{
    int row = 0;
    for (QChar c : reference) {
        if (c.isDigit())
            row = row * 10 + c.digitValue();
        else if (row > 0)
            break;
    }
    return row;
}

// Built-in number formats that show a date.
bool isBuiltInDateFormat(int id)
{
    return (id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) || (id >= 50 && id <= 58);
}

// A format code shows a date when, outside quoted text and brackets, it
// has a day, month or year part.
bool isDateFormatCode(const QString& code)
{
    bool quoted = false;
    bool bracket = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == QLatin1Char('\\'))
            ++i;
        else if (c == QLatin1Char('['))
            bracket = true;
        else if (c == QLatin1Char(']'))
            bracket = false;
        else if (!bracket && QStringLiteral("dDyY").contains(c))
            return true;
    }
    return false;
}

// Text of an .xlsx file may hold characters XML cannot carry as escapes
// "_xHHHH_" (a carriage return is "_x000D_"), and "_x005F_" for a "_"
// that would start one.
QString unescapeXlsx(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('_') && i + 6 < text.size() && text[i + 1] == QLatin1Char('x') &&
            text[i + 6] == QLatin1Char('_')) {
            bool ok = false;
            const ushort code = text.mid(i + 2, 4).toUShort(&ok, 16);
            if (ok) {
                out += QChar(code);
                i += 6;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

bool hasXlsxEscape(QStringView text)
{
    return text.contains(QLatin1String("_x"));
}

// An attribute by its local name, whatever prefix the file gives it
// ("table:number-rows-repeated").
QStringView attribute(const QXmlStreamAttributes& attributes, QLatin1String name)
{
    for (const QXmlStreamAttribute& a : attributes)
        if (a.name() == name)
            return a.value();
    return {};
}

QDate isoDatePart(QStringView text)
{
    return QDate::fromString(text.left(10).toString(), Qt::ISODate);
}

} // namespace

// ---------------------------------------------------------------- XmlSheetSource

XmlSheetSource::XmlSheetSource(const QString& path)
    : m_path(path),
      m_zip(path)
{
}

QString XmlSheetSource::fileName() const
{
    return QFileInfo(m_path).fileName();
}

void XmlSheetSource::fail(const QString& why) const
{
    if (m_line > 0)
        throw ImportError(QStringLiteral("%1, satır %2: %3").arg(fileName()).arg(m_line).arg(why));
    throw ImportError(QStringLiteral("%1: %2").arg(fileName(), why));
}

void XmlSheetSource::cellTooLarge() const
{
    fail(QStringLiteral("bir hücre çok uzun (1 MB'tan fazla)."));
}

void XmlSheetSource::openSheet()
{
    m_zip.open(m_sheetEntry);
    m_xml.clear();
    m_entryDone = false;
    m_line = 0;
    restart();
}

void XmlSheetSource::begin(const QString& sheetEntry)
{
    m_sheetEntry = sheetEntry;
    openSheet();
    SourceRow row;
    while (readRow(row)) {
        if (row.isBlank())
            continue;
        for (int c = 0; c < row.columnCount(); ++c)
            m_headings << row.displayText(c).trimmed();
        while (!m_headings.isEmpty() && m_headings.last().isEmpty())
            m_headings.removeLast();
        m_columns = int(m_headings.size());
        return;
    }
    throw ImportError(QStringLiteral("%1 dosyasının ilk sayfası boş.").arg(fileName()));
}

void XmlSheetSource::rewind()
{
    openSheet();
    SourceRow row;
    while (readRow(row) && row.isBlank()) {
    }
}

bool XmlSheetSource::next(SourceRow& row)
{
    while (readRow(row))
        if (!row.isBlank())
            return true;
    return false;
}

QXmlStreamReader::TokenType XmlSheetSource::nextToken()
{
    qint64 fed = 0;
    for (;;) {
        const QXmlStreamReader::TokenType token = m_xml.readNext();
        if (token != QXmlStreamReader::Invalid)
            return token;
        if (m_xml.error() != QXmlStreamReader::PrematureEndOfDocumentError || m_entryDone)
            fail(QStringLiteral("dosya bozuk (%1).").arg(m_xml.errorString()));
        const QByteArray piece = m_zip.read(kPiece);
        if (piece.isEmpty()) {
            m_entryDone = true;
            fail(QStringLiteral("dosya yarım kalmış."));
        }
        // Text the reader keeps gathering without giving a token is one
        // enormous cell.
        fed += piece.size();
        if (fed > 8 * kMaxCellBytes)
            cellTooLarge();
        m_xml.addData(piece);
    }
}

void XmlSheetSource::skipElement()
{
    int depth = 0;
    for (;;) {
        const auto token = nextToken();
        if (token == QXmlStreamReader::StartElement)
            ++depth;
        else if (token == QXmlStreamReader::EndElement && depth-- == 0)
            return;
    }
}

QStringView XmlSheetSource::elementText()
{
    QString& text = m_text;
    text.resize(0);
    int depth = 0;
    for (;;) {
        switch (nextToken()) {
        case QXmlStreamReader::Characters:
            text += m_xml.text();
            if (text.size() > kMaxCellBytes)
                cellTooLarge();
            break;
        case QXmlStreamReader::StartElement:
            // Phonetic guides of East Asian text are not the cell's text.
            if (m_xml.name() == QLatin1String("rPh")) {
                skipElement();
                break;
            }
            ++depth;
            break;
        case QXmlStreamReader::EndElement:
            if (depth == 0)
                return text;
            --depth;
            break;
        case QXmlStreamReader::EndDocument:
            fail(QStringLiteral("dosya yarım kalmış."));
        default:
            break;
        }
    }
}

// ---------------------------------------------------------------- XlsxSource

XlsxSource::XlsxSource(const QString& path)
    : XmlSheetSource(path)
{
    if (!zip().contains(QStringLiteral("xl/workbook.xml")))
        throw ImportError(QStringLiteral("%1 bir Excel (.xlsx) dosyası değil ya da bozuk.").arg(fileName()));
    readWorkbook(zip());
    readStyles(zip());
    readSharedStrings(zip());
    begin(m_sheetPart);
}

void XlsxSource::readWorkbook(ZipEntryReader& zip)
{
    QXmlStreamReader workbook(zip.readAll(QStringLiteral("xl/workbook.xml"), 16 << 20));
    QString firstSheetId;
    while (!workbook.atEnd()) {
        if (workbook.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (workbook.name() == QLatin1String("workbookPr"))
            m_date1904 = workbook.attributes().value(QLatin1String("date1904")) == QLatin1String("1") ||
                         workbook.attributes().value(QLatin1String("date1904")) == QLatin1String("true");
        else if (workbook.name() == QLatin1String("sheet") && firstSheetId.isEmpty())
            for (const QXmlStreamAttribute& a : workbook.attributes())
                if (a.name() == QLatin1String("id"))
                    firstSheetId = a.value().toString();
    }
    m_sheetPart = QStringLiteral("xl/worksheets/sheet1.xml");
    const QString relations = QStringLiteral("xl/_rels/workbook.xml.rels");
    if (firstSheetId.isEmpty() || !zip.contains(relations))
        return;
    QXmlStreamReader rels(zip.readAll(relations, 16 << 20));
    while (!rels.atEnd()) {
        if (rels.readNext() != QXmlStreamReader::StartElement || rels.name() != QLatin1String("Relationship"))
            continue;
        if (rels.attributes().value(QLatin1String("Id")) != firstSheetId)
            continue;
        const QString target = rels.attributes().value(QLatin1String("Target")).toString();
        m_sheetPart = target.startsWith(QLatin1Char('/')) ? target.mid(1) : QStringLiteral("xl/") + target;
    }
}

void XlsxSource::readStyles(ZipEntryReader& zip)
{
    const QString part = QStringLiteral("xl/styles.xml");
    if (!zip.contains(part))
        return;
    QXmlStreamReader styles(zip.readAll(part, 64 << 20));
    QHash<int, bool> customDates;
    bool inCellFormats = false;
    while (!styles.atEnd()) {
        const auto token = styles.readNext();
        if (token == QXmlStreamReader::EndElement && styles.name() == QLatin1String("cellXfs"))
            inCellFormats = false;
        if (token != QXmlStreamReader::StartElement)
            continue;
        const auto attributes = styles.attributes();
        if (styles.name() == QLatin1String("numFmt")) {
            customDates.insert(attributes.value(QLatin1String("numFmtId")).toInt(),
                               isDateFormatCode(attributes.value(QLatin1String("formatCode")).toString()));
        } else if (styles.name() == QLatin1String("cellXfs")) {
            inCellFormats = true;
        } else if (inCellFormats && styles.name() == QLatin1String("xf")) {
            const int id = attributes.value(QLatin1String("numFmtId")).toInt();
            m_dateStyles << (customDates.contains(id) ? customDates.value(id) : isBuiltInDateFormat(id));
        }
    }
}

void XlsxSource::readSharedStrings(ZipEntryReader& zip)
{
    const QString part = QStringLiteral("xl/sharedStrings.xml");
    if (!zip.contains(part))
        return;
    zip.open(part);
    QXmlStreamReader xml;
    QString text;
    bool inItem = false;
    int skipDepth = 0;
    for (;;) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::Invalid) {
            if (xml.error() != QXmlStreamReader::PrematureEndOfDocumentError)
                throw ImportError(QStringLiteral("%1 dosyası bozuk: ortak metinler okunamadı.").arg(fileName()));
            const QByteArray piece = zip.read(kPiece);
            if (piece.isEmpty())
                throw ImportError(QStringLiteral("%1 dosyası bozuk: ortak metinler yarım kalmış.").arg(fileName()));
            xml.addData(piece);
            continue;
        }
        if (token == QXmlStreamReader::EndDocument)
            break;
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == QLatin1String("si")) {
                inItem = true;
                text.clear();
            } else if (xml.name() == QLatin1String("rPh")) {
                ++skipDepth;
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (xml.name() == QLatin1String("rPh")) {
                --skipDepth;
            } else if (xml.name() == QLatin1String("si")) {
                inItem = false;
                m_strings += (hasXlsxEscape(text) ? unescapeXlsx(text) : text).toUtf8();
                m_stringEnds << m_strings.size();
            }
        } else if (token == QXmlStreamReader::Characters && inItem && skipDepth == 0) {
            text += xml.text();
            if (text.size() > kMaxCellBytes)
                throw ImportError(QStringLiteral("%1: bir hücre çok uzun (1 MB'tan fazla).").arg(fileName()));
        }
    }
}

QByteArrayView XlsxSource::sharedString(qsizetype index) const
{
    if (index < 0 || index >= m_stringEnds.size())
        fail(QStringLiteral("dosya bozuk (olmayan bir ortak metne başvuru)."));
    const qsizetype start = index == 0 ? 0 : m_stringEnds[index - 1];
    return QByteArrayView(m_strings.constData() + start, m_stringEnds[index] - start);
}

bool XlsxSource::readRow(SourceRow& row)
{
    for (;;) {
        switch (nextToken()) {
        case QXmlStreamReader::StartElement:
            if (m_xml.name() == QLatin1String("row")) {
                const int number = m_xml.attributes().value(QLatin1String("r")).toInt();
                m_line = number > 0 ? number : m_line + 1;
                row.reset(m_columns, m_line);
                for (;;) {
                    const auto token = nextToken();
                    if (token == QXmlStreamReader::StartElement && m_xml.name() == QLatin1String("c"))
                        readCell(row);
                    else if (token == QXmlStreamReader::EndElement && m_xml.name() == QLatin1String("row"))
                        return true;
                }
            }
            if (m_xml.name() == QLatin1String("mergeCells"))
                readMergedCells();
            break;
        case QXmlStreamReader::EndDocument:
            return false;
        default:
            break;
        }
    }
}

void XlsxSource::readMergedCells()
{
    m_merged.clear();
    for (;;) {
        const auto token = nextToken();
        if (token == QXmlStreamReader::EndElement && m_xml.name() == QLatin1String("mergeCells"))
            return;
        if (token != QXmlStreamReader::StartElement || m_xml.name() != QLatin1String("mergeCell"))
            continue;
        const QString range = m_xml.attributes().value(QLatin1String("ref")).toString();
        m_merged.append({rowOf(range), QStringLiteral("%1 hücreleri birleştirilmiş: değer yalnız ilk hücrede "
                                                      "duruyor, öteki hücreler boş alındı.")
                                           .arg(range)});
    }
}

void XlsxSource::readCell(SourceRow& row)
{
    enum class Type { Number, Shared, Text, Date };
    Type type = Type::Number;
    int style = 0;
    int column = -1;
    {
        // Read before the reader moves on, so that it need not copy its
        // attributes for this one.
        const QXmlStreamAttributes attributes = m_xml.attributes();
        const QStringView t = attributes.value(QLatin1String("t"));
        if (t == QLatin1String("s"))
            type = Type::Shared;
        else if (t == QLatin1String("inlineStr") || t == QLatin1String("str") || t == QLatin1String("e"))
            type = Type::Text;
        else if (t == QLatin1String("d"))
            type = Type::Date;
        style = attributes.value(QLatin1String("s")).toInt();
        column = columnOf(attributes.value(QLatin1String("r")));
    }
    if (column < 0)
        column = row.columnCount();
    QStringView value;
    bool hasValue = false;
    bool formula = false;
    for (;;) {
        const auto token = nextToken();
        if (token == QXmlStreamReader::EndElement && m_xml.name() == QLatin1String("c"))
            break;
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (m_xml.name() == QLatin1String("f")) {
            formula = true;
            skipElement();
        } else if (m_xml.name() == QLatin1String("v") || m_xml.name() == QLatin1String("is")) {
            value = elementText();
            hasValue = true;
        }
    }
    if (column >= kMaxColumns || !hasValue)
        return;
    switch (type) {
    case Type::Shared:
        row.setText(column, sharedString(value.toLongLong()));
        break;
    case Type::Text:
        if (hasXlsxEscape(value))
            row.setText(column, QStringView(unescapeXlsx(value)));
        else
            row.setText(column, value);
        break;
    case Type::Date:
        row.setDate(column, isoDatePart(value));
        break;
    case Type::Number: {
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (!ok)
            row.setText(column, value);
        else if (style >= 0 && style < m_dateStyles.size() && m_dateStyles[style])
            row.setDate(column, QDate(m_date1904 ? 1904 : 1899, m_date1904 ? 1 : 12, m_date1904 ? 1 : 30)
                                    .addDays(qint64(std::floor(number))));
        else
            row.setNumber(column, number);
        break;
    }
    }
    if (formula)
        row.markFormula(column);
}

// ---------------------------------------------------------------- OdsSource

OdsSource::OdsSource(const QString& path)
    : XmlSheetSource(path)
{
    if (!zip().contains(QStringLiteral("content.xml")))
        throw ImportError(QStringLiteral("%1 bir OpenDocument (.ods) dosyası değil ya da bozuk.").arg(fileName()));
    begin(QStringLiteral("content.xml"));
}

bool OdsSource::readRow(SourceRow& row)
{
    if (m_repeatsLeft > 0) {
        --m_repeatsLeft;
        row.reset(m_repeated.columnCount(), ++m_line);
        for (int c = 0; c < m_repeated.columnCount(); ++c) {
            switch (m_repeated.kind(c)) {
            case CellKind::Text:
                row.setText(c, m_repeated.bytes(c));
                break;
            case CellKind::Number:
                row.setNumber(c, m_repeated.number(c));
                break;
            case CellKind::Date:
                row.setDate(c, m_repeated.date(c));
                break;
            default:
                break;
            }
        }
        return true;
    }
    for (;;) {
        switch (nextToken()) {
        case QXmlStreamReader::StartElement:
            if (m_xml.name() == QLatin1String("table-row")) {
                const qint64 repeat =
                    qMax<qint64>(1, attribute(m_xml.attributes(), QLatin1String("number-rows-repeated")).toLongLong());
                row.reset(m_columns, ++m_line);
                int column = 0;
                for (;;) {
                    const auto token = nextToken();
                    if (token == QXmlStreamReader::StartElement &&
                        (m_xml.name() == QLatin1String("table-cell") ||
                         m_xml.name() == QLatin1String("covered-table-cell")))
                        readCell(row, column);
                    else if (token == QXmlStreamReader::EndElement && m_xml.name() == QLatin1String("table-row"))
                        break;
                }
                if (row.isBlank()) {
                    m_line += repeat - 1;
                } else if (repeat > 1) {
                    m_repeated = row;
                    m_repeatsLeft = repeat - 1;
                }
                return true;
            }
            break;
        case QXmlStreamReader::EndElement:
            // Only the first sheet is read.
            if (m_xml.name() == QLatin1String("table"))
                return false;
            break;
        case QXmlStreamReader::EndDocument:
            return false;
        default:
            break;
        }
    }
}

void OdsSource::readCell(SourceRow& row, int& column)
{
    const bool covered = m_xml.name() == QLatin1String("covered-table-cell");
    const auto attributes = m_xml.attributes();
    const int repeat = qMax(1, attribute(attributes, QLatin1String("number-columns-repeated")).toInt());
    const QString type = attribute(attributes, QLatin1String("value-type")).toString();
    const QString value = attribute(attributes, QLatin1String("value")).toString();
    const QString dateValue = attribute(attributes, QLatin1String("date-value")).toString();
    const QString booleanValue = attribute(attributes, QLatin1String("boolean-value")).toString();
    const bool formula = !attribute(attributes, QLatin1String("formula")).isEmpty();
    const QString text = cellText();
    const bool empty = type.isEmpty() && text.isEmpty();
    if (empty && !covered) {
        column += repeat;
        return;
    }
    const int count = qMin(repeat, kMaxRepeatedColumns);
    for (int k = 0; k < count && column < kMaxColumns; ++k, ++column) {
        if (type == QLatin1String("float") || type == QLatin1String("percentage") || type == QLatin1String("currency"))
            row.setNumber(column, value.toDouble());
        else if (type == QLatin1String("date"))
            row.setDate(column, isoDatePart(dateValue));
        else if (type == QLatin1String("boolean"))
            row.setNumber(column, booleanValue == QLatin1String("true") ? 1 : 0);
        else if (!text.isEmpty())
            row.setText(column, text.toUtf8());
        if (formula)
            row.markFormula(column);
        if (covered)
            row.markMerged(column);
    }
    column += repeat - count;
}

QString OdsSource::cellText()
{
    QString text;
    int depth = 0;
    int paragraphs = 0;
    for (;;) {
        switch (nextToken()) {
        case QXmlStreamReader::StartElement: {
            const auto name = m_xml.name();
            if (name == QLatin1String("annotation")) {
                skipElement();
                break;
            }
            ++depth;
            if (name == QLatin1String("p") && paragraphs++ > 0)
                text += QLatin1Char('\n');
            else if (name == QLatin1String("s"))
                text += QString(qMax(1, attribute(m_xml.attributes(), QLatin1String("c")).toInt()), QLatin1Char(' '));
            else if (name == QLatin1String("tab"))
                text += QLatin1Char('\t');
            else if (name == QLatin1String("line-break"))
                text += QLatin1Char('\n');
            break;
        }
        case QXmlStreamReader::Characters:
            text += m_xml.text();
            if (text.size() > kMaxCellBytes)
                cellTooLarge();
            break;
        case QXmlStreamReader::EndElement:
            if (depth == 0)
                return text;
            --depth;
            break;
        case QXmlStreamReader::EndDocument:
            fail(QStringLiteral("dosya yarım kalmış."));
        default:
            break;
        }
    }
}

} // namespace zelvar::wizard
