// SPDX-License-Identifier: GPL-3.0-or-later
// The OpenDocument spreadsheet writer: content.xml streamed into its zip
// container as the rows are read.
#include "data/Database.h"
#include "data/Dataset.h"
#include "data/RowView.h"
#include "export/ExportFile.h"
#include "export/Exporters.h"
#include "export/OpenDocument.h"

#include <cmath>

namespace zelvar {

namespace {

constexpr int kProgressStep = 256;
constexpr int kFlushSize = 1 << 20;

const char kMimeType[] = "application/vnd.oasis.opendocument.spreadsheet";

const char kContentStart[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
    "xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\" "
    "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
    "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
    "xmlns:number=\"urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0\" office:version=\"1.2\">"
    "<office:automatic-styles>"
    "<number:date-style style:name=\"N1\"><number:day number:style=\"long\"/><number:text>.</number:text>"
    "<number:month number:style=\"long\"/><number:text>.</number:text><number:year number:style=\"long\"/>"
    "</number:date-style>"
    "<style:style style:name=\"ce1\" style:family=\"table-cell\" style:data-style-name=\"N1\"/>"
    "</office:automatic-styles><office:body><office:spreadsheet>";

const char kContentEnd[] = "</table:table></office:spreadsheet></office:body></office:document-content>\n";

void appendText(QByteArray& xml, const QString& text)
{
    xml += "<table:table-cell office:value-type=\"string\">";
    for (const QString& line : text.split(QLatin1Char('\n')))
        xml += "<text:p>" + paragraphContent(line, true).toUtf8() + "</text:p>";
    xml += "</table:table-cell>";
}

QByteArray numberText(double value)
{
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e15)
        return QByteArray::number(qint64(value));
    return QByteArray::number(value, 'g', 17);
}

} // namespace

void exportToOds(const Dataset& source, const QString& path, const ExportProgress& progress)
{
    ExportFile file(path);
    Database::ReadTransaction snapshot(*source.database());
    {
        Zip zip(file.nativePath(), path);
        beginOpenDocument(zip, kMimeType);
        zip.beginEntry("content.xml", true);
        QByteArray xml(kContentStart);
        QString tableName = source.tableName().isEmpty() ? source.name() : source.tableName();
        xml += "<table:table table:name=\"" + paragraphContent(tableName).toUtf8() + "\"><table:table-row>";
        const int fields = source.fieldCount();
        for (int f = 0; f < fields; ++f)
            appendText(xml, source.fieldName(f));
        xml += "</table:table-row>\n";
        int written = 0;
        source.forEachRow([&](int row, const RowView& values) {
            xml += "<table:table-row>";
            for (int f = 0; f < fields; ++f) {
                const FieldDef& def = source.fieldDef(f);
                if (values.isNull(f) || def.type == FieldType::Blob) {
                    xml += "<table:table-cell/>";
                    continue;
                }
                if (def.type == FieldType::Date) {
                    const QDate d = values.date(f);
                    if (!d.isValid()) {
                        xml += "<table:table-cell/>";
                        continue;
                    }
                    xml +=
                        "<table:table-cell table:style-name=\"ce1\" office:value-type=\"date\" office:date-value=\"" +
                        d.toString(Qt::ISODate).toLatin1() + "\"><text:p>" +
                        d.toString(QLatin1String(kDateFormat)).toLatin1() + "</text:p></table:table-cell>";
                } else if (def.isNumeric()) {
                    const QByteArray n = numberText(values.number(f));
                    xml += "<table:table-cell office:value-type=\"float\" office:value=\"" + n + "\"><text:p>" + n +
                           "</text:p></table:table-cell>";
                } else {
                    appendText(xml, QString::fromUtf8(values.utf8(f)));
                }
            }
            xml += "</table:table-row>\n";
            if (xml.size() >= kFlushSize) {
                zip.write(xml);
                xml.clear();
            }
            written = row + 1;
            if (progress && written % kProgressStep == 0)
                progress(written);
        });
        xml += kContentEnd;
        zip.write(xml);
        zip.endEntry();
        zip.close();
        if (progress)
            progress(written);
    }
    file.commit();
}

} // namespace zelvar
