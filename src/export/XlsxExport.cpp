// SPDX-License-Identifier: GPL-3.0-or-later
// The spreadsheet writer, over libxlsxwriter in constant-memory mode: rows
// go to the file as they are written and are not kept.
#include "data/Database.h"
#include "data/Dataset.h"
#include "data/RowView.h"
#include "export/ExportFile.h"
#include "export/Exporters.h"

#include <QDate>
#include <xlsxwriter.h>

namespace zelvar {

namespace {

constexpr int kProgressStep = 256;
constexpr int kMaxCellText = 32767; // the most a spreadsheet cell holds

[[noreturn]] void fail(const QString& path, lxw_error error)
{
    throw ExportError(QStringLiteral("Dosya yazılamadı: %1\n%2").arg(path, QString::fromUtf8(lxw_strerror(error))));
}

double columnWidth(const FieldDef& def)
{
    switch (def.type) {
    case FieldType::Date:
        return 11;
    case FieldType::Memo:
        return 40;
    case FieldType::Text:
        return qBound(8, std::max(def.width, int(def.name.size())) + 2, 40);
    default:
        return std::max(10.0, def.name.size() + 2.0);
    }
}

class Sheet {
public:
    Sheet(lxw_workbook* book, const QString& path)
        : m_path(path)
    {
        m_sheet = workbook_add_worksheet(book, nullptr);
        m_date = workbook_add_format(book);
        format_set_num_format(m_date, "dd.mm.yyyy");
        m_heading = workbook_add_format(book);
        format_set_bold(m_heading);
    }

    void check(lxw_error error) const
    {
        if (error != LXW_NO_ERROR)
            fail(m_path, error);
    }

    void heading(const Dataset& source)
    {
        for (int f = 0; f < source.fieldCount(); ++f)
            check(worksheet_set_column(m_sheet, f, f, columnWidth(source.fieldDef(f)), nullptr));
        for (int f = 0; f < source.fieldCount(); ++f)
            text(0, f, source.fieldName(f), m_heading);
        worksheet_freeze_panes(m_sheet, 1, 0);
    }

    void cell(lxw_row_t row, lxw_col_t col, const FieldDef& def, const RowView& values)
    {
        if (values.isNull(col))
            return;
        switch (def.type) {
        case FieldType::Date: {
            const QDate d = values.date(col);
            if (!d.isValid())
                return;
            lxw_datetime when{d.year(), d.month(), d.day(), 0, 0, 0};
            check(worksheet_write_datetime(m_sheet, row, col, &when, m_date));
            break;
        }
        case FieldType::Number:
        case FieldType::Integer:
        case FieldType::AutoInc:
            check(worksheet_write_number(m_sheet, row, col, values.number(col), nullptr));
            break;
        case FieldType::Blob:
            break;
        default:
            text(row, col, values.utf8(col), nullptr);
        }
    }

private:
    void text(lxw_row_t row, lxw_col_t col, const QString& value, lxw_format* format)
    {
        text(row, col, QByteArrayView(value.toUtf8()), format);
    }

    // The bytes end in a zero, as the library needs them.
    void text(lxw_row_t row, lxw_col_t col, QByteArrayView utf8, lxw_format* format)
    {
        if (utf8.isEmpty())
            return;
        // Characters are never more than bytes: only long text needs counting.
        if (utf8.size() > kMaxCellText) {
            const QByteArray cut = QString::fromUtf8(utf8).left(kMaxCellText).toUtf8();
            check(worksheet_write_string(m_sheet, row, col, cut.constData(), format));
            return;
        }
        check(worksheet_write_string(m_sheet, row, col, utf8.data(), format));
    }

    QString m_path;
    lxw_worksheet* m_sheet;
    lxw_format* m_date;
    lxw_format* m_heading;
};

} // namespace

void exportToXlsx(const Dataset& source, const QString& path, const ExportProgress& progress)
{
    ExportFile file(path);
    Database::ReadTransaction snapshot(*source.database());
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* book = workbook_new_opt(file.nativePath().constData(), &options);
    if (!book)
        throw ExportError(QStringLiteral("Dosya yazılamadı: %1").arg(path));
    try {
        Sheet sheet(book, path);
        sheet.heading(source);
        const int fields = source.fieldCount();
        int written = 0;
        source.forEachRow([&](int row, const RowView& values) {
            for (int f = 0; f < fields; ++f)
                sheet.cell(lxw_row_t(row + 1), lxw_col_t(f), source.fieldDef(f), values);
            written = row + 1;
            if (progress && written % kProgressStep == 0)
                progress(written);
        });
        if (progress)
            progress(written);
    } catch (...) {
        workbook_close(book);
        throw;
    }
    // Closing writes the file: its answer is the export's.
    const lxw_error closed = workbook_close(book);
    if (closed != LXW_NO_ERROR)
        fail(path, closed);
    file.commit();
}

} // namespace zelvar
