// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtPrompter.h"
#include "platform/PictureFileDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace zelvar {

namespace {

QMessageBox::Icon iconFor(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Information:
        return QMessageBox::Information;
    case MessageKind::Warning:
        return QMessageBox::Warning;
    case MessageKind::Error:
        return QMessageBox::Critical;
    case MessageKind::Question:
        return QMessageBox::Question;
    case MessageKind::Plain:
        break;
    }
    return QMessageBox::NoIcon;
}

QString titleOr(const QString& title)
{
    return title.isEmpty() ? QtPrompter::defaultTitle() : title;
}

} // namespace

QWidget* QtPrompter::dialogParent()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

void QtPrompter::message(const QString& text, MessageKind kind, const QString& title)
{
    QMessageBox box(iconFor(kind), titleOr(title), text, QMessageBox::Ok, dialogParent());
    box.exec();
}

Answer QtPrompter::ask(const QString& text, Buttons buttons, MessageKind kind, const QString& title)
{
    QMessageBox box(iconFor(kind), titleOr(title), text, QMessageBox::NoButton, dialogParent());
    QMessageBox::StandardButtons standard;
    QMessageBox::StandardButton last = QMessageBox::Ok;
    switch (buttons) {
    case Buttons::Ok:
        standard = QMessageBox::Ok;
        last = QMessageBox::Ok;
        break;
    case Buttons::YesNo:
        standard = QMessageBox::Yes | QMessageBox::No;
        last = QMessageBox::No;
        break;
    case Buttons::YesCancel:
        standard = QMessageBox::Yes | QMessageBox::Cancel;
        last = QMessageBox::Cancel;
        break;
    case Buttons::YesNoCancel:
        standard = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        last = QMessageBox::Cancel;
        break;
    }
    box.setStandardButtons(standard);
    box.setDefaultButton(buttons == Buttons::Ok ? QMessageBox::Ok : QMessageBox::Yes);
    // Escape and the close box count as the last button.
    box.setEscapeButton(last);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    switch (clicked ? box.standardButton(clicked) : last) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return Answer::Ok;
    }
}

std::optional<QString> QtPrompter::inputText(const QString& title, const QString& prompt, const QString& initial)
{
    bool ok = false;
    const QString text = QInputDialog::getText(dialogParent(), titleOr(title), prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QString QtPrompter::openFileName(const QString& title, const QString& folder, const QStringList& filters)
{
    return QFileDialog::getOpenFileName(dialogParent(), titleOr(title), folder, filters.join(QStringLiteral(";;")));
}

QString QtPrompter::openPictureName(const QString& title, const QString& folder, const QStringList& filters)
{
    PictureFileDialog dialog(dialogParent(), titleOr(title), folder, filters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString QtPrompter::saveFileName(const QString& title, const QString& folder, const QStringList& filters,
                                 const QString& defaultSuffix)
{
    QString chosen;
    return saveFileNameOfKind(title, folder, filters, defaultSuffix, chosen);
}

QString QtPrompter::saveFileNameOfKind(const QString& title, const QString& folder, const QStringList& filters,
                                       const QString& defaultSuffix, QString& chosenFilter)
{
    QFileDialog dialog(dialogParent(), titleOr(title), folder, filters.join(QStringLiteral(";;")));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    chosenFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().constFirst();
}

bool QtPrompter::chooseFont(QFont& font)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, dialogParent());
    if (ok)
        font = chosen;
    return ok;
}

bool QtPrompter::choosePrinter(QPrinter& printer)
{
    QPrintDialog dialog(&printer, dialogParent());
    return dialog.exec() == QDialog::Accepted;
}

bool QtPrompter::choosePrinterPages(QPrinter& printer, int pageCount, int currentPage)
{
    QPrintDialog dialog(&printer, dialogParent());
    QAbstractPrintDialog::PrintDialogOptions options = dialog.options();
    options |= QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintCollateCopies;
    options.setFlag(QAbstractPrintDialog::PrintSelection, false); // a report has nothing to select
    options.setFlag(QAbstractPrintDialog::PrintCurrentPage, currentPage >= 0);
    dialog.setOptions(options);
    dialog.setMinMax(1, qMax(1, pageCount));
    if (printer.printRange() == QPrinter::AllPages)
        printer.setFromTo(1, qMax(1, pageCount)); // a range starts as the whole report
    return dialog.exec() == QDialog::Accepted;
}

} // namespace zelvar
