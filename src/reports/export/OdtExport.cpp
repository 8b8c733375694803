// The word-processor writer. The document is an OpenDocument text file
// written straight into its zip container as the rows are read, so a large
// register needs neither a document in memory nor a temporary copy.
#include "data/Database.h"
#include "data/Dataset.h"
#include "reports/export/ExportFile.h"
#include "reports/export/Exporters.h"

#include <QDateTime>
#include <minizip/zip.h>

namespace zelvar {

namespace {

constexpr int kProgressStep = 256;
constexpr int kFlushSize = 1 << 20;

const char kMimeType[] = "application/vnd.oasis.opendocument.text";

const char kManifest[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                         "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\" "
                         "manifest:version=\"1.2\">\n"
                         " <manifest:file-entry manifest:full-path=\"/\" manifest:version=\"1.2\" "
                         "manifest:media-type=\"application/vnd.oasis.opendocument.text\"/>\n"
                         " <manifest:file-entry manifest:full-path=\"content.xml\" manifest:media-type=\"text/xml\"/>\n"
                         "</manifest:manifest>\n";

const char kContentStart[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
    "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" office:version=\"1.2\">"
    "<office:body><office:text>\n";

const char kContentEnd[] = "</office:text></office:body></office:document-content>\n";

// One zip container being written; every call's answer is checked.
class Zip {
public:
    Zip(const QByteArray& nativePath, const QString& path)
        : m_path(path)
    {
        m_zip = zipOpen64(nativePath.constData(), APPEND_STATUS_CREATE);
        if (!m_zip)
            fail();
    }
    ~Zip()
    {
        if (m_zip)
            zipClose(m_zip, nullptr);
    }

    // The mimetype entry must come first and stay uncompressed.
    void beginEntry(const char* name, bool compressed)
    {
        zip_fileinfo info{};
        const QDateTime now = QDateTime::currentDateTime();
        info.tmz_date = {uInt(now.time().second()), uInt(now.time().minute()),    uInt(now.time().hour()),
                         uInt(now.date().day()),    uInt(now.date().month() - 1), uInt(now.date().year())};
        const int method = compressed ? Z_DEFLATED : 0;
        const int level = compressed ? Z_DEFAULT_COMPRESSION : 0;
        check(zipOpenNewFileInZip64(m_zip, name, &info, nullptr, 0, nullptr, 0, nullptr, method, level, 0));
    }
    void write(const char* data, size_t size) { check(zipWriteInFileInZip(m_zip, data, unsigned(size))); }
    void write(const QByteArray& bytes) { write(bytes.constData(), size_t(bytes.size())); }
    void endEntry() { check(zipCloseFileInZip(m_zip)); }
    void close()
    {
        const int rc = zipClose(m_zip, nullptr);
        m_zip = nullptr;
        check(rc);
    }

private:
    void check(int rc) const
    {
        if (rc != ZIP_OK)
            fail();
    }
    [[noreturn]] void fail() const { throw ExportError(QStringLiteral("Dosya yazılamadı: %1").arg(m_path)); }

    zipFile m_zip = nullptr;
    QString m_path;
};

// Appends a run of blanks. The document format folds blanks, so every
// blank that would be lost (a second one in a row, or one at the start or
// the end of the paragraph) is written as a space element.
void appendBlanks(QString& xml, int count, bool atEdge)
{
    if (!atEdge) {
        xml += ' ';
        --count;
    }
    if (count == 1)
        xml += QLatin1String("<text:s/>");
    else if (count > 1)
        xml += QStringLiteral("<text:s text:c=\"%1\"/>").arg(count);
}

// The paragraph's text as document markup: markup characters escaped, line
// breaks and tabs as their elements, characters XML cannot carry dropped.
QString paragraphXml(const QString& text)
{
    QString xml;
    xml.reserve(text.size() + 32);
    xml += QLatin1String("<text:p>");
    const int size = int(text.size());
    for (int i = 0; i < size;) {
        const QChar c = text[i];
        if (c == ' ') {
            int end = i;
            while (end < size && text[end] == ' ')
                ++end;
            appendBlanks(xml, end - i, i == 0 || end == size);
            i = end;
            continue;
        }
        if (c == '\n')
            xml += QLatin1String("<text:line-break/>");
        else if (c == '\t')
            xml += QLatin1String("<text:tab/>");
        else if (c == '&')
            xml += QLatin1String("&amp;");
        else if (c == '<')
            xml += QLatin1String("&lt;");
        else if (c == '>')
            xml += QLatin1String("&gt;");
        else if (c.unicode() >= 0x20 && c.unicode() != 0xFFFE && c.unicode() != 0xFFFF)
            xml += c;
        ++i;
    }
    xml += QLatin1String("</text:p>\n");
    return xml;
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
        zip.beginEntry("mimetype", false);
        zip.write(kMimeType, sizeof kMimeType - 1);
        zip.endEntry();
        zip.beginEntry("META-INF/manifest.xml", true);
        zip.write(kManifest, sizeof kManifest - 1);
        zip.endEntry();

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
