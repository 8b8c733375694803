#pragma once
// EditorFiles: reading and writing the editor's files. Rich text (.rtf) is
// read by our own reader, and anything that is not rich text as plain text
// (UTF-8, or the Turkish Windows code page when it is not valid UTF-8).
// Saving writes rich text, or plain text for a name ending in .txt, through
// a temporary file so that a failed save leaves the old file whole.
#include <QString>
#include <QStringList>

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

    // Replaces the document's text with the file's; false when the file
    // cannot be read, and the document is then unchanged.
    static bool load(const QString& path, QTextDocument& document);
    static bool save(const QString& path, const QTextDocument& document);

    // Text of a file that is not rich text.
    static QString decodePlainText(const QByteArray& data);
};

} // namespace zelvar
