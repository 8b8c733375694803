// SPDX-License-Identifier: GPL-3.0-or-later
// The word-processor writer. The document is an OpenDocument text file
// written straight into its zip container as the rows are read, so a large
// register needs neither a document in memory nor a temporary copy.
#include "data/Database.h"
#include "data/Dataset.h"
#include "export/ExportFile.h"
#include "export/Exporters.h"
#include "export/OpenDocument.h"

namespace zelvar {

namespace {

constexpr int kProgressStep = 256;
constexpr int kFlushSize = 1 << 20;

const char kMimeType[] = "application/vnd.oasis.opendocument.text";

const char kContentStart[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
    "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" office:version=\"1.2\">"
    "<office:body><office:text>\n";

const char kContentEnd[] = "</office:text></office:body></office:document-content>\n";

// One paragraph of the document.
QString paragraphXml(const QString& text)
{
    return QLatin1String("<text:p>") + paragraphContent(text) + QLatin1String("</text:p>\n");
}

} // namespace

QString odtParagraphText(const Dataset& source, int row)
{
    QString text;
    const QVector<QVariant>& values = source.valuesAt(row);
    for (int f = 0; f < source.fieldCount(); ++f) {
        QString value = Dataset::formatValue(source.fieldDef(f), values.value(f));
        value.remove('\r');
        text += value;
        text += ' ';
    }
    return text;
}

void exportToOdt(const Dataset& source, const QString& path, const ExportProgress& progress)
{
    ExportFile file(path);
    Database::ReadTransaction snapshot(*source.database());
    {
        Zip zip(file.nativePath(), path);
        beginOpenDocument(zip, kMimeType);

        zip.beginEntry("content.xml", true);
        QByteArray buffer(kContentStart);
        const int rows = source.recordCount();
        for (int row = 0; row < rows; ++row) {
            buffer += paragraphXml(odtParagraphText(source, row)).toUtf8();
            if (buffer.size() >= kFlushSize) {
                zip.write(buffer);
                buffer.clear();
            }
            if (progress && (row + 1) % kProgressStep == 0)
                progress(row + 1);
        }
        buffer += kContentEnd;
        zip.write(buffer);
        zip.endEntry();
        zip.close();
        if (progress)
            progress(rows);
    }
    file.commit();
}

} // namespace zelvar
