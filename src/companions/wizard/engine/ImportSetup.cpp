// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizard/engine/ImportSetup.h"

#include "wizard/engine/CsvSource.h"

#include <QFileInfo>
#include <QLocale>

namespace zelvar::wizard {

ImportSetup::ImportSetup(Database& db)
    : m_db(db)
{
}

ImportSetup::~ImportSetup() = default;

void ImportSetup::setPath(const QString& path)
{
    const SourceType type = sourceTypeOf(path);
    if (type == SourceType::Unknown)
        throw ImportError(QFileInfo(path).isDir()
                              ? QStringLiteral("%1 klasöründe Paradox tablosu (.DB) yok.").arg(path)
                              : QStringLiteral("%1 okunabilen bir dosya değil: .xlsx, .ods ya da .csv olmalı.")
                                    .arg(QFileInfo(path).fileName()));
    m_path = path;
    m_type = type;
    m_encoding.reset();
    m_folder.reset();
    m_chosen.clear();
    m_headings.clear();
    m_mapping = {};
    if (type == SourceType::ParadoxFolder) {
        m_path = QFileInfo(path).isDir() ? path : QFileInfo(path).absolutePath();
        m_folder = std::make_unique<ParadoxFolder>(m_path);
        for (int t = 0; t < m_folder->tables().size(); ++t)
            m_chosen << tableImportable(t);
        const int codePage = m_folder->commonCodePage();
        m_guessed = encodingOfCodePage(codePage).value_or(Encoding::Windows1254);
        return;
    }
    const auto source = openSheet(path);
    if (const auto* csv = dynamic_cast<const CsvSource*>(source.get()))
        m_guessed = csv->encoding();
    m_headings = source->headings();
    m_mapping = guessMapping(m_headings, *guessTable(m_headings));
}

void ImportSetup::setEncoding(std::optional<Encoding> encoding)
{
    m_encoding = encoding;
    if (m_type == SourceType::Csv) {
        const auto source = openSheet(m_path, effectiveEncoding());
        if (source->headings() != m_headings) {
            m_headings = source->headings();
            m_mapping = guessMapping(m_headings, *m_mapping.table);
        }
    }
}

Encoding ImportSetup::effectiveEncoding() const
{
    return m_encoding.value_or(m_guessed);
}

bool ImportSetup::tableImportable(int table) const
{
    if (!m_folder || table < 0 || table >= m_folder->tables().size())
        return false;
    const ParadoxTable& t = m_folder->tables()[table];
    return t.target && t.problem.isEmpty() && paradoxTableLeftOut(t.fileName).isEmpty();
}

QString ImportSetup::tableNote(int table) const
{
    if (!m_folder || table < 0 || table >= m_folder->tables().size())
        return {};
    const ParadoxTable& t = m_folder->tables()[table];
    if (!t.problem.isEmpty())
        return QStringLiteral("Okunamıyor: %1").arg(t.problem);
    const QString leftOut = paradoxTableLeftOut(t.fileName);
    if (!leftOut.isEmpty())
        return QLocale(QLocale::Turkish).toUpper(leftOut.left(1)) + leftOut.mid(1);
    return t.encrypted ? QStringLiteral("Şifreli tablo; şifresiz okunur.") : QString();
}

void ImportSetup::setTableChosen(int table, bool chosen)
{
    if (table >= 0 && table < m_chosen.size())
        m_chosen[table] = chosen && tableImportable(table);
}

void ImportSetup::setTargetTable(const TableDef* table)
{
    if (table)
        m_mapping = guessMapping(m_headings, *table);
}

void ImportSetup::setColumnField(int column, int field)
{
    if (column < 0 || column >= m_mapping.fieldOfColumn.size())
        return;
    // A field is filled from one column only.
    if (field >= 0)
        for (int& f : m_mapping.fieldOfColumn)
            if (f == field)
                f = -1;
    m_mapping.fieldOfColumn[column] = field;
}

std::unique_ptr<ImportSource> ImportSetup::openSource(int table) const
{
    if (isParadox()) {
        const ParadoxTable& t = m_folder->tables()[table];
        return std::make_unique<ParadoxSource>(t, m_encoding ? m_encoding : encodingOfCodePage(t.codePage));
    }
    return openSheet(m_path, m_type == SourceType::Csv ? std::optional<Encoding>(effectiveEncoding()) : std::nullopt);
}

const TableDef* ImportSetup::previewTable(int table) const
{
    if (!isParadox())
        return m_mapping.table;
    return m_folder && table >= 0 && table < m_folder->tables().size() ? m_folder->tables()[table].target : nullptr;
}

QVector<SourceRow> ImportSetup::preview(int rows, int table) const
{
    QVector<SourceRow> shown;
    const TableDef* target = previewTable(table);
    if (!target || (isParadox() && !tableImportable(table)))
        return shown;
    auto source = openSource(table);
    const ColumnMapping mapping = isParadox() ? guessMapping(source->headings(), *target) : m_mapping;
    RowConverter converter(mapping);
    SourceRow raw;
    SourceRow row;
    while (shown.size() < rows && source->next(raw)) {
        converter.convert(raw, row, nullptr);
        shown << row;
    }
    return shown;
}

std::unique_ptr<ImportRun> ImportSetup::makeRun() const
{
    auto run = std::make_unique<ImportRun>(m_db);
    if (isParadox()) {
        for (int t = 0; t < m_folder->tables().size(); ++t) {
            if (!m_chosen.value(t))
                continue;
            auto source = openSource(t);
            const ColumnMapping mapping = guessMapping(source->headings(), *m_folder->tables()[t].target);
            run->add(std::move(source), mapping, m_folder->tables()[t].rows);
        }
        if (run->jobCount() == 0)
            throw ImportError(QStringLiteral("Aktarılacak bir tablo seçilmedi."));
        return run;
    }
    if (m_mapping.mappedCount() == 0)
        throw ImportError(QStringLiteral("Hiçbir sütun bir alanla eşlenmedi."));
    run->add(openSource(-1), m_mapping);
    return run;
}

} // namespace zelvar::wizard
