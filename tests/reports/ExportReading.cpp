// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExportReading.h"

#include <QProcess>
#include <QXmlStreamReader>

namespace zelvar::testing {

namespace {

QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(program, arguments);
    p.waitForFinished(30000);
    return p.readAllStandardOutput();
}

// Splits CSV text into rows of fields; quoted fields may hold commas,
// doubled quotes and line breaks.
QList<QStringList> parseCsv(const QString& text)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            row << field;
            field.clear();
        } else if (c == '\n') {
            row << field;
            rows << row;
            row.clear();
            field.clear();
        } else if (c != '\r') {
            field += c;
        }
    }
    if (!field.isEmpty() || !row.isEmpty())
        rows << (row << field);
    return rows;
}

} // namespace

QList<QStringList> xlsxRows(const QString& path)
{
    return parseCsv(QString::fromUtf8(run("xlsx2csv", {path})));
}

QString unzipEntry(const QString& path, const QString& entry)
{
    return QString::fromUtf8(run("unzip", {"-p", path, entry}));
}

QStringList odtParagraphs(const QString& path)
{
    QStringList paragraphs;
    QXmlStreamReader xml(unzipEntry(path, "content.xml"));
    QString current;
    bool inParagraph = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.qualifiedName() == QLatin1String("text:p")) {
            inParagraph = true;
            current.clear();
        } else if (xml.isEndElement() && xml.qualifiedName() == QLatin1String("text:p")) {
            inParagraph = false;
            paragraphs << current;
        } else if (inParagraph && xml.isStartElement() && xml.qualifiedName() == QLatin1String("text:s")) {
            const QString c = xml.attributes().value("text:c").toString();
            current += QString(c.isEmpty() ? 1 : c.toInt(), ' ');
        } else if (inParagraph && xml.isStartElement() && xml.qualifiedName() == QLatin1String("text:line-break")) {
            current += '\n';
        } else if (inParagraph && xml.isStartElement() && xml.qualifiedName() == QLatin1String("text:tab")) {
            current += '\t';
        } else if (inParagraph && xml.isCharacters()) {
            current += xml.text();
        }
    }
    return paragraphs;
}

} // namespace zelvar::testing
