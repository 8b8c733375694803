// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// EditorFiles: reading and writing the editor's files. Rich text (.rtf) is
// read by our own reader, and anything that is not rich text as plain text:
// in the encoding its byte-order mark names (UTF-8, UTF-16 or UTF-32), else
// UTF-8, or the Turkish Windows code page when it is not valid UTF-8.
// Saving writes rich text, or plain text for a name ending in .txt, through
// a temporary file so that a failed save leaves the old file whole.
#include <QString>
#include <QStringList>
#include <functional>

class QTextDocument;

namespace zelvar {

class EditorFiles {
public:
    static QStringList openFilters();
    static QStringList saveFilters();
    static QString openTitle() { return QStringLiteral("Aç"); }
    static QString saveTitle() { return QStringLiteral("Farklı Kaydet"); }
    // The folder the dialogs start in: the user's home.
    static QString startFolder();
    static bool isPlainTextName(const QString& path);

    // The largest file the editor opens: it keeps the whole text and lays
    // it out for the screen. Larger files are refused with this message.
    static constexpr qint64 kLargestFile = qint64{10} * 1024 * 1024;
    static QString tooLargeMessage(qint64 bytes);

    enum class ReadResult { Read, Unreadable, Stopped };
    // Fills `document`, new and shown by no view (so that nothing is laid
    // out meanwhile, and no edit is kept for undo), with the file's text.
    // `progress` hears the share done (0 to 1) now and then; when it
    // answers false, reading stops.
    static ReadResult read(const QString& path, QTextDocument& document,
                           const std::function<bool(double)>& progress = {});
    static bool save(const QString& path, const QTextDocument& document);

    // Text of a file that is not rich text.
    static QString decodePlainText(const QByteArray& data);
};

} // namespace zelvar
