// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Prompter: every message box, question, input box and file dialog of the
// program goes through this interface, so tests answer them and check their
// exact texts.
#include <QString>
#include <QStringList>
#include <optional>

class QFont;
class QPrinter;
class QWidget;

namespace zelvar {

enum class MessageKind { Plain, Information, Warning, Error, Question };
enum class Buttons { Ok, YesNo, YesCancel, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

class Prompter {
public:
    virtual ~Prompter() = default;
    // A message with an OK button.
    virtual void message(const QString& text, MessageKind kind = MessageKind::Plain,
                         const QString& title = QString()) = 0;
    // A question; closing the box counts as the last button (No or Cancel).
    virtual Answer ask(const QString& text, Buttons buttons, MessageKind kind = MessageKind::Question,
                       const QString& title = QString()) = 0;
    // An input box; empty optional when cancelled.
    virtual std::optional<QString> inputText(const QString& title, const QString& prompt,
                                             const QString& initial = QString()) = 0;
    // File dialogs; empty text when cancelled. Filters as "Bitmaps (*.bmp)".
    virtual QString openFileName(const QString& title, const QString& folder, const QStringList& filters) = 0;
    // The same for a picture, with a preview of the picture being chosen.
    virtual QString openPictureName(const QString& title, const QString& folder, const QStringList& filters)
    {
        return openFileName(title, folder, filters);
    }
    virtual QString saveFileName(const QString& title, const QString& folder, const QStringList& filters,
                                 const QString& defaultSuffix = QString()) = 0;
    // The same, telling which of the filters was chosen when the dialog
    // closed (a file kind: "vCard 4.0 (*.vcf)"); the first one unless the
    // dialog says otherwise.
    virtual QString saveFileNameOfKind(const QString& title, const QString& folder, const QStringList& filters,
                                       const QString& defaultSuffix, QString& chosenFilter)
    {
        chosenFilter = filters.value(0);
        return saveFileName(title, folder, filters, defaultSuffix);
    }
    // Font dialog; false when cancelled.
    virtual bool chooseFont(QFont& font) = 0;
    // Print dialog; false when cancelled.
    virtual bool choosePrinter(QPrinter& printer) = 0;
    // Print dialog for a report of `pageCount` pages: it offers every page, a
    // page range within 1..pageCount and, when `currentPage` (0-based) is not
    // -1, that page; the choice is left in the printer's print range, page
    // ranges and copies. False when cancelled.
    virtual bool choosePrinterPages(QPrinter& printer, int pageCount, int currentPage)
    {
        Q_UNUSED(pageCount)
        Q_UNUSED(currentPage)
        return choosePrinter(printer);
    }
};

} // namespace zelvar
