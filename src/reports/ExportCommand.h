// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ExportCommand: the four export buttons of the statistics window. Sends
// every row of a dataset to a spreadsheet (.xlsx) or a word-processor
// document (.odt) that the user saves where he chooses, then opens it with
// the desktop's program for it.
#include "platform/Services.h"
#include <QString>

class QWidget;

namespace zelvar {

class Dataset;
class PleaseWaitWindow;

class ExportCommand {
public:
    enum class Target { Spreadsheet, Document };

    // The confirmations of the four buttons; they differ in capitals.
    static QString generalSpreadsheetQuestion()
    {
        return QStringLiteral("Bu İşlem Zaman Alabilir !\r\nDevam etmek İstiyor musunuz ?");
    }
    static QString generalDocumentQuestion()
    {
        return QStringLiteral("Bu İşlem Zaman Alabilir !\r\nDevam etmek İstiyor musunuz ?");
    }
    static QString querySpreadsheetQuestion()
    {
        return QStringLiteral("Bu İşlem Zaman Alabilir !\r\nDevam Etmek İstiyor musunuz ?");
    }
    static QString queryDocumentQuestion()
    {
        return QStringLiteral("Bu işlem zaman alabilir !\r\nDevam etmek İstiyor musunuz ?");
    }
    static QString wordMissingMessage() { return QStringLiteral("Word Programı Bulunamadı !"); }
    static QString notSavedMessage() { return QStringLiteral("Dosya Kaydedilemedi !"); }
    static QString bellFile() { return QStringLiteral("ring.wav"); }

    // `fileBase` begins the suggested file name: "Liste", "Sorgu".
    ExportCommand(const Services& services, QWidget* window, QString fileBase);

    // Runs the whole export. A closed source does nothing, an empty one only
    // beeps; a refused confirmation or a cancelled save dialog starts
    // nothing. Returns the path written, or an empty text.
    QString run(Dataset* source, Target target, const QString& question);

    // Where the save dialog starts: the Documents folder, a name with today's date.
    QString suggestedPath(Target target) const;
    void setDocumentsFolder(const QString& folder) { m_documents = folder; }

private:
    QString choosePath(Target target);
    bool write(Dataset& source, Target target, const QString& path);
    void open(Target target, const QString& path);

    Services m_services;
    QWidget* m_window;
    QString m_fileBase;
    QString m_documents;
};

} // namespace zelvar
