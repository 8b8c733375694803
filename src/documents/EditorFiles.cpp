// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/EditorFiles.h"

#include "documents/AnsiCodePage.h"
#include "documents/RtfReader.h"
#include "documents/RtfWriter.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSaveFile>
#include <QStringDecoder>
#include <QTextCursor>
#include <QTextDocument>
#include <optional>

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

QString EditorFiles::tooLargeMessage(qint64 bytes)
{
    const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
    return QStringLiteral("Dosya Çok Büyük (%1 MB) ! Editörde En Çok %2 MB'lık Dosyalar Açılabilir.")
        .arg(turkish.toString(double(bytes) / (1024 * 1024), 'f', 1))
        .arg(kLargestFile / (qint64{1024} * 1024));
}

QString EditorFiles::decodePlainText(const QByteArray& data)
{
    if (const std::optional<QStringConverter::Encoding> marked = QStringConverter::encodingForData(data)) {
        QStringDecoder decoder(*marked); // leaves the mark out
        return decoder.decode(data);
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(data);
    if (utf8.hasError()) {
        const AnsiCodePage& page = AnsiCodePage::turkish();
        text.clear();
        text.reserve(data.size());
        for (const char b : data)
            text += page.decode(static_cast<unsigned char>(b));
    }
    return text;
}

namespace {

// Line ends within one block of the document become line breaks (see
// paragraphsPerBlock).
QString withLinesGrouped(QString text)
{
    const qsizetype perBlock = paragraphsPerBlock(text.count(QLatin1Char('\n')) + 1);
    if (perBlock == 1)
        return text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    qsizetype lines = 0;
    for (QChar& c : text)
        if (c == QLatin1Char('\n') && ++lines % perBlock != 0)
            c = QChar::LineSeparator;
    return text;
}

// Plain text goes in piece by piece, each ending at a line's end, so that a
// long file reports its progress and can be stopped.
bool fillPlainText(QTextDocument& document, const QString& text, const std::function<bool(double)>& progress)
{
    constexpr qsizetype kPiece = qsizetype{256} * 1024;
    document.clear();
    QTextCursor cursor(&document);
    for (qsizetype from = 0; from < text.size();) {
        if (progress && !progress(double(from) / double(text.size())))
            return false;
        qsizetype to = std::min(text.size(), from + kPiece);
        const qsizetype lineEnd = text.indexOf(QLatin1Char('\n'), to);
        to = to == text.size() ? to : (lineEnd < 0 ? text.size() : lineEnd + 1);
        cursor.insertText(text.mid(from, to - from));
        from = to;
    }
    return true;
}

} // namespace

EditorFiles::ReadResult EditorFiles::read(const QString& path, QTextDocument& document,
                                          const std::function<bool(double)>& progress)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ReadResult::Unreadable;
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return ReadResult::Unreadable;
    document.setUndoRedoEnabled(false);
    // Reading the file takes about as long as filling the document.
    const auto firstHalf = [&](double done) { return !progress || progress(done / 2); };
    const auto secondHalf = [&](double done) { return !progress || progress(0.5 + done / 2); };
    bool whole = true;
    if (RtfReader::isRtf(data)) {
        RtfContent content = RtfReader::parse(data, firstHalf);
        data.clear();
        whole = firstHalf(1) && fillDocument(document, std::move(content), secondHalf);
    } else {
        const QString text = withLinesGrouped(decodePlainText(data));
        data.clear();
        whole = firstHalf(1) && fillPlainText(document, text, secondHalf);
    }
    document.setUndoRedoEnabled(true);
    return whole ? ReadResult::Read : ReadResult::Stopped;
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
