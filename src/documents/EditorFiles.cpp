#include "documents/EditorFiles.h"

#include "documents/AnsiCodePage.h"
#include "documents/RtfReader.h"
#include "documents/RtfWriter.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QTextDocument>

namespace zelvar {

QStringList EditorFiles::openFilters()
{
    return {QStringLiteral("Zengin Metin Dosyaları [*.rtf] (*.rtf)"),
            QStringLiteral("Metin Dosyaları [*.txt] (*.txt)")};
}

QStringList EditorFiles::saveFilters()
{
    return {QStringLiteral("Zengin Metin Dosyası [*.rtf] (*.rtf)"), QStringLiteral("Metin Dosyası [*.txt] (*.txt)")};
}

QString EditorFiles::startFolder()
{
    return QDir::homePath();
}

bool EditorFiles::isPlainTextName(const QString& path)
{
    return path.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive);
}

QString EditorFiles::decodePlainText(const QByteArray& data)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(data);
    if (utf8.hasError()) {
        const AnsiCodePage& page = AnsiCodePage::turkish();
        text.clear();
        text.reserve(data.size());
        for (const char b : data)
            text += page.decode(static_cast<unsigned char>(b));
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

bool EditorFiles::load(const QString& path, QTextDocument& document)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    if (RtfReader::isRtf(data))
        fillDocument(document, RtfReader::parse(data));
    else
        document.setPlainText(decodePlainText(data));
    return true;
}

bool EditorFiles::save(const QString& path, const QTextDocument& document)
{
    const QByteArray data = isPlainTextName(path) ? document.toPlainText().toUtf8() : RtfWriter::write(document);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(data) != data.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace zelvar
