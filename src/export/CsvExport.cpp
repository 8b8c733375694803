// SPDX-License-Identifier: GPL-3.0-or-later
// The text-file writer: one line per row, written through a buffer as the
// rows are read.
#include "data/Database.h"
#include "data/Dataset.h"
#include "data/RowView.h"
#include "export/ExportFile.h"
#include "export/Exporters.h"

#include <QFile>
#include <cmath>

namespace zelvar {

namespace {

constexpr int kProgressStep = 256;
constexpr int kFlushSize = 1 << 20;

void appendField(QByteArray& line, QByteArrayView text)
{
    bool quote = false;
    for (char c : text)
        if (c == ';' || c == '"' || c == '\n' || c == '\r') {
            quote = true;
            break;
        }
    if (!quote) {
        line.append(text.data(), text.size());
        return;
    }
    line += '"';
    for (char c : text) {
        if (c == '"')
            line += '"';
        line += c;
    }
    line += '"';
}

} // namespace

void exportToCsv(const Dataset& source, const QString& path, const ExportProgress& progress)
{
    ExportFile file(path);
    Database::ReadTransaction snapshot(*source.database());
    {
        QFile out(QFile::decodeName(file.nativePath()));
        if (!out.open(QIODevice::WriteOnly))
            throw ExportError(QStringLiteral("Dosya yazılamadı: %1\n%2").arg(path, out.errorString()));
        const auto flush = [&](QByteArray& text) {
            if (out.write(text) != text.size())
                throw ExportError(QStringLiteral("Dosya yazılamadı: %1\n%2").arg(path, out.errorString()));
            text.clear();
        };
        QByteArray text("\xEF\xBB\xBF");
        const int fields = source.fieldCount();
        for (int f = 0; f < fields; ++f) {
            if (f > 0)
                text += ';';
            appendField(text, source.fieldName(f).toUtf8());
        }
        text += "\r\n";
        int written = 0;
        source.forEachRow([&](int row, const RowView& values) {
            for (int f = 0; f < fields; ++f) {
                if (f > 0)
                    text += ';';
                const FieldDef& def = source.fieldDef(f);
                if (values.isNull(f) || def.type == FieldType::Blob)
                    continue;
                if (def.type == FieldType::Date) {
                    const QDate d = values.date(f);
                    if (d.isValid())
                        text += d.toString(QLatin1String(kDateFormat)).toLatin1();
                } else if (def.isNumeric()) {
                    const double n = values.number(f);
                    text += std::isfinite(n) && n == std::floor(n) && std::fabs(n) < 1e15
                                ? QByteArray::number(qint64(n))
                                : QByteArray::number(n, 'g', 17);
                } else {
                    appendField(text, values.utf8(f));
                }
            }
            text += "\r\n";
            if (text.size() >= kFlushSize)
                flush(text);
            written = row + 1;
            if (progress && written % kProgressStep == 0)
                progress(written);
        });
        flush(text);
        if (!out.flush())
            throw ExportError(QStringLiteral("Dosya yazılamadı: %1\n%2").arg(path, out.errorString()));
        out.close();
        if (progress)
            progress(written);
    }
    file.commit();
}

} // namespace zelvar
