// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// QtPrompter: the real dialogs behind the Prompter interface, Qt's own
// message, input, file, font and print dialogs. Their standard buttons read
// Turkish once the Turkish Qt translation is loaded at start.
#include "platform/Prompter.h"

namespace zelvar {

class QtPrompter : public Prompter {
public:
    // Caption of every box that is given no title of its own.
    static QString defaultTitle() { return QStringLiteral("Zelvar 2001"); }

    void message(const QString& text, MessageKind kind = MessageKind::Plain, const QString& title = QString()) override;
    Answer ask(const QString& text, Buttons buttons, MessageKind kind = MessageKind::Question,
               const QString& title = QString()) override;
    std::optional<QString> inputText(const QString& title, const QString& prompt,
                                     const QString& initial = QString()) override;
    QString openFileName(const QString& title, const QString& folder, const QStringList& filters) override;
    QString openPictureName(const QString& title, const QString& folder, const QStringList& filters) override;
    QString saveFileName(const QString& title, const QString& folder, const QStringList& filters,
                         const QString& defaultSuffix = QString()) override;
    QString saveFileNameOfKind(const QString& title, const QString& folder, const QStringList& filters,
                               const QString& defaultSuffix, QString& chosenFilter) override;
    bool chooseFont(QFont& font) override;
    bool choosePrinter(QPrinter& printer) override;
    bool choosePrinterPages(QPrinter& printer, int pageCount, int currentPage) override;

private:
    static QWidget* dialogParent();
};

} // namespace zelvar
