// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/ExportCommand.h"

#include "data/Dataset.h"
#include "export/Exporters.h"
#include "platform/FreedMemory.h"
#include "platform/Services.h"
#include "ui/PleaseWaitWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QWidget>
#include <memory>

namespace zelvar {

namespace {

QString suffixOf(ExportCommand::Target target)
{
    return target == ExportCommand::Target::Spreadsheet ? QStringLiteral("xlsx") : QStringLiteral("odt");
}

} // namespace

ExportCommand::ExportCommand(const Services& services, QWidget* window, QString fileBase)
    : m_services(services),
      m_window(window),
      m_fileBase(std::move(fileBase))
{
    m_documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (m_documents.isEmpty() || !QDir(m_documents).exists())
        m_documents = QDir::homePath();
}

QString ExportCommand::suggestedPath(Target target) const
{
    const QString date = m_services.clock.now().date().toString(QStringLiteral("dd.MM.yyyy"));
    return QDir(m_documents).filePath(QStringLiteral("%1 %2.%3").arg(m_fileBase, date, suffixOf(target)));
}

QString ExportCommand::run(Dataset* source, Target target, const QString& question)
{
    if (!source || !source->isActive())
        return QString();
    if (source->recordCount() == 0) {
        m_services.sound.beep();
        return QString();
    }
    if (m_services.prompter.ask(question, Buttons::YesCancel) != Answer::Yes)
        return QString();
    QString path = choosePath(target);
    if (path.isEmpty())
        return QString();
    const bool written = write(*source, target, path);
    returnFreedMemory();
    if (!written)
        return QString();
    m_services.sound.playSync(bellFile(), 1);
    open(target, path);
    return path;
}

QString ExportCommand::choosePath(Target target)
{
    const bool sheet = target == Target::Spreadsheet;
    const QString title =
        sheet ? QStringLiteral("Excel Dosyası Olarak Kaydet") : QStringLiteral("Word Dosyası Olarak Kaydet");
    const QString filter =
        sheet ? QStringLiteral("Excel Çalışma Kitabı (*.xlsx)") : QStringLiteral("OpenDocument Metin Belgesi (*.odt)");
    QString path = m_services.prompter.saveFileName(title, suggestedPath(target), {filter}, suffixOf(target));
    if (!path.isEmpty() && !path.endsWith('.' + suffixOf(target), Qt::CaseInsensitive))
        path += '.' + suffixOf(target);
    return path;
}

// Writes the file behind the please-wait window, which counts the rows.
// Between rows only painting is let through: a click could otherwise close
// the window or rerun the query under the running export.
bool ExportCommand::write(Dataset& source, Target target, const QString& path)
{
    if (m_window)
        m_window->repaint();
    auto wait = std::make_unique<PleaseWaitWindow>(m_window);
    wait->showNow();
    const auto progress = [&wait](int rows) {
        wait->showCount(rows);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    try {
        if (target == Target::Spreadsheet)
            exportToXlsx(source, path, progress);
        else
            exportToOdt(source, path, progress);
    } catch (const ExportError&) {
        wait.reset();
        m_services.sound.beep();
        m_services.prompter.message(notSavedMessage() + QStringLiteral("\n") + QDir::toNativeSeparators(path),
                                    MessageKind::Warning);
        return false;
    }
    return true;
}

// No program for the file: the document says so in its own words; the
// spreadsheet only beeps. Either way the file stays saved.
void ExportCommand::open(Target target, const QString& path)
{
    if (m_services.launcher.openFile(path))
        return;
    if (target == Target::Document)
        m_services.prompter.message(wordMissingMessage(), MessageKind::Information);
    else
        m_services.sound.beep();
}

} // namespace zelvar
