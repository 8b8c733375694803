// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/OpenDocument.h"

#include "export/Exporters.h"

#include <QDateTime>
#include <cstring>
#include <minizip/zip.h>

namespace zelvar {

namespace {

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

} // namespace

QString paragraphContent(const QString& text, bool keepReturns)
{
    QString xml;
    xml.reserve(text.size() + 32);
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
        else if (c == '\r' && keepReturns)
            xml += QLatin1String("&#13;");
        else if (c.unicode() >= 0x20 && c.unicode() != 0xFFFE && c.unicode() != 0xFFFF)
            xml += c;
        ++i;
    }
    return xml;
}

Zip::Zip(const QByteArray& nativePath, const QString& path)
    : m_path(path)
{
    m_zip = zipOpen64(nativePath.constData(), APPEND_STATUS_CREATE);
    if (!m_zip)
        fail();
}

Zip::~Zip()
{
    if (m_zip)
        zipClose(m_zip, nullptr);
}

void Zip::beginEntry(const char* name, bool compressed)
{
    zip_fileinfo info{};
    const QDateTime now = QDateTime::currentDateTime();
    info.tmz_date = {uInt(now.time().second()), uInt(now.time().minute()),    uInt(now.time().hour()),
                     uInt(now.date().day()),    uInt(now.date().month() - 1), uInt(now.date().year())};
    const int method = compressed ? Z_DEFLATED : 0;
    const int level = compressed ? Z_DEFAULT_COMPRESSION : 0;
    check(zipOpenNewFileInZip64(m_zip, name, &info, nullptr, 0, nullptr, 0, nullptr, method, level, 0));
}

void Zip::write(const char* data, size_t size)
{
    check(zipWriteInFileInZip(m_zip, data, unsigned(size)));
}

void Zip::endEntry()
{
    check(zipCloseFileInZip(m_zip));
}

void Zip::close()
{
    const int rc = zipClose(m_zip, nullptr);
    m_zip = nullptr;
    check(rc);
}

void Zip::check(int rc) const
{
    if (rc != ZIP_OK)
        fail();
}

void Zip::fail() const
{
    throw ExportError(QStringLiteral("Dosya yazılamadı: %1").arg(m_path));
}

void beginOpenDocument(Zip& zip, const char* mimeType)
{
    zip.beginEntry("mimetype", false);
    zip.write(mimeType, std::strlen(mimeType));
    zip.endEntry();
    const QByteArray manifest =
        QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                   "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\" "
                   "manifest:version=\"1.2\">\n"
                   " <manifest:file-entry manifest:full-path=\"/\" manifest:version=\"1.2\" manifest:media-type=\"") +
        mimeType +
        "\"/>\n"
        " <manifest:file-entry manifest:full-path=\"content.xml\" manifest:media-type=\"text/xml\"/>\n"
        "</manifest:manifest>\n";
    zip.beginEntry("META-INF/manifest.xml", true);
    zip.write(manifest);
    zip.endEntry();
}

} // namespace zelvar
