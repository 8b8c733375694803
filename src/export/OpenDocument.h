// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing OpenDocument files (.odt, .ods): the zip container through
// minizip, every call's answer checked (a failure throws ExportError naming
// the file), and text as the documents' markup.
#include <QByteArray>
#include <QString>

namespace zelvar {

class Zip {
public:
    Zip(const QByteArray& nativePath, const QString& path);
    ~Zip();
    Zip(const Zip&) = delete;
    Zip& operator=(const Zip&) = delete;

    // The mimetype entry must come first and stay uncompressed.
    void beginEntry(const char* name, bool compressed);
    void write(const char* data, size_t size);
    void write(const QByteArray& bytes) { write(bytes.constData(), size_t(bytes.size())); }
    void endEntry();
    void close();

private:
    void check(int rc) const;
    [[noreturn]] void fail() const;

    void* m_zip = nullptr;
    QString m_path;
};

// The start of an OpenDocument package: the uncompressed mimetype entry and
// a manifest naming content.xml.
void beginOpenDocument(Zip& zip, const char* mimeType);

// Text as the inside of a paragraph: markup characters escaped, blanks
// that the format would fold written as space elements, line breaks and
// tabs as their elements, characters XML cannot carry dropped. A carriage
// return is kept as a character reference when `keepReturns` is set.
QString paragraphContent(const QString& text, bool keepReturns = false);

} // namespace zelvar
