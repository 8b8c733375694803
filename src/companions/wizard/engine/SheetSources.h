// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The first sheet of a spreadsheet file: Office Open XML (.xlsx) or
// OpenDocument (.ods). The container is read with minizip and the sheet's
// XML streamed piece by piece, so a sheet of a million rows never sits in
// memory. The first row with any text holds the headings.
#include "wizard/engine/ImportSource.h"
#include "wizard/engine/ZipEntryReader.h"

#include <QXmlStreamReader>

namespace zelvar::wizard {

class XmlSheetSource : public ImportSource {
public:
    QString fileName() const override;
    QStringList headings() const override { return m_headings; }
    bool next(SourceRow& row) override;
    void rewind() override;

    // A cell holding more text than this is refused; a file with such a
    // cell is not a list of residents.
    static constexpr qsizetype kMaxCellBytes = 1 << 20;

protected:
    explicit XmlSheetSource(const QString& path);
    // Finds the sheet and reads the headings; called by the subclasses'
    // constructors once they know the sheet's part.
    void begin(const QString& sheetEntry);
    // Reads the next row of the sheet, blank or not; false at the sheet's end.
    virtual bool readRow(SourceRow& row) = 0;
    virtual void restart() {}

    // The next XML token, feeding the reader from the container as it needs.
    QXmlStreamReader::TokenType nextToken();
    // The text inside the current element, up to its end tag; valid until
    // the next call.
    QStringView elementText();
    // Passes over the current element and everything inside it.
    void skipElement();
    [[noreturn]] void fail(const QString& why) const;
    [[noreturn]] void cellTooLarge() const;
    ZipEntryReader& zip() { return m_zip; }

    QXmlStreamReader m_xml;
    qint64 m_line = 0; // the sheet row being read, for messages
    int m_columns = 0;

private:
    void openSheet();

    QString m_path;
    ZipEntryReader m_zip;
    QString m_sheetEntry;
    bool m_entryDone = false;
    QStringList m_headings;
    QString m_text; // elementText's, its room kept from cell to cell
};

class XlsxSource : public XmlSheetSource {
public:
    // Throws ImportError naming the file.
    explicit XlsxSource(const QString& path);

    QVector<QPair<qint64, QString>> lateNotes() const override { return m_merged; }

private:
    bool readRow(SourceRow& row) override;
    void readCell(SourceRow& row);
    void readSharedStrings(ZipEntryReader& zip);
    void readStyles(ZipEntryReader& zip);
    void readWorkbook(ZipEntryReader& zip);
    void readMergedCells();
    QByteArrayView sharedString(qsizetype index) const;

    QString m_sheetPart;
    QByteArray m_strings; // the shared strings, UTF-8, one after another
    QVector<qsizetype> m_stringEnds;
    QVector<bool> m_dateStyles; // by cell style index
    bool m_date1904 = false;
    QVector<QPair<qint64, QString>> m_merged;
};

class OdsSource : public XmlSheetSource {
public:
    explicit OdsSource(const QString& path);

private:
    bool readRow(SourceRow& row) override;
    void restart() override { m_repeatsLeft = 0; }
    void readCell(SourceRow& row, int& column);
    QString cellText();

    // A row that stands for several equal ones.
    SourceRow m_repeated;
    qint64 m_repeatsLeft = 0;
};

} // namespace zelvar::wizard
