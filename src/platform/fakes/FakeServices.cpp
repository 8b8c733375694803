// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fakes/FakeServices.h"

#include <QFont>
#include <QTextDocument>

namespace zelvar {

void FakePrompter::font(std::optional<QFont> f)
{
    m_fonts.push_back(std::move(f));
}

void FakePrompter::message(const QString& text, MessageKind kind, const QString& title)
{
    shown << ShownDialog{text, title, kind, Buttons::Ok};
    if (onShow)
        onShow(shown.last());
}

Answer FakePrompter::ask(const QString& text, Buttons buttons, MessageKind kind, const QString& title)
{
    shown << ShownDialog{text, title, kind, buttons};
    if (onShow)
        onShow(shown.last());
    if (m_answers.empty()) {
        unexpected << QStringLiteral("ask: ") + text;
        return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
    const Answer a = m_answers.front();
    m_answers.pop_front();
    return a;
}

std::optional<QString> FakePrompter::inputText(const QString& title, const QString& prompt, const QString&)
{
    shown << ShownDialog{prompt, title, MessageKind::Plain, Buttons::Ok};
    if (m_inputs.empty()) {
        unexpected << QStringLiteral("input: ") + title;
        return std::nullopt;
    }
    // Copying the optional itself trips GCC 12's maybe-uninitialized check.
    const bool given = m_inputs.front().has_value();
    const QString text = given ? *m_inputs.front() : QString();
    m_inputs.pop_front();
    return given ? std::optional<QString>(text) : std::nullopt;
}

QString FakePrompter::openFileName(const QString& title, const QString&, const QStringList& filters)
{
    lastFilters = filters;
    shown << ShownDialog{title, title, MessageKind::Plain, Buttons::Ok};
    if (m_files.empty()) {
        unexpected << QStringLiteral("open file: ") + title;
        return QString();
    }
    QString f = m_files.front();
    m_files.pop_front();
    return f;
}

QString FakePrompter::saveFileName(const QString& title, const QString& folder, const QStringList& filters,
                                   const QString&)
{
    return openFileName(title, folder, filters);
}

QString FakePrompter::saveFileNameOfKind(const QString& title, const QString& folder, const QStringList& filters,
                                         const QString& defaultSuffix, QString& chosen)
{
    chosen = chosenFilter.isEmpty() ? filters.value(0) : chosenFilter;
    return saveFileName(title, folder, filters, defaultSuffix);
}

bool FakePrompter::chooseFont(QFont& font)
{
    if (m_fonts.empty()) {
        unexpected << QStringLiteral("font dialog");
        return false;
    }
    auto f = m_fonts.front();
    m_fonts.pop_front();
    if (!f)
        return false;
    font = *f;
    return true;
}

void FakePrompter::printer(bool accept)
{
    m_printers.push_back([accept](QPrinter&) { return accept; });
}

void FakePrompter::printerChoice(std::function<void(QPrinter&)> choose)
{
    m_printers.push_back([choose = std::move(choose)](QPrinter& printer) {
        choose(printer);
        return true;
    });
}

bool FakePrompter::choosePrinter(QPrinter& printer)
{
    if (m_printers.empty()) {
        unexpected << QStringLiteral("print dialog");
        return false;
    }
    const auto choose = std::move(m_printers.front());
    m_printers.pop_front();
    return choose(printer);
}

bool FakePrompter::choosePrinterPages(QPrinter& printer, int pageCount, int currentPage)
{
    lastPrintPageCount = pageCount;
    lastPrintCurrentPage = currentPage;
    return choosePrinter(printer);
}

QStringList FakePrompter::texts() const
{
    QStringList t;
    for (const ShownDialog& d : shown)
        t << d.text;
    return t;
}

void FakePrompter::clear()
{
    shown.clear();
    unexpected.clear();
    m_answers.clear();
    m_inputs.clear();
    m_files.clear();
    m_fonts.clear();
    m_printers.clear();
}

int FakePrinting::nextAnswer()
{
    if (m_prints.empty())
        return 0;
    const int n = m_prints.front();
    m_prints.pop_front();
    return n;
}

bool FakePrinting::preview(std::shared_ptr<report::PagedReport> report, const AfterPrint& afterPrint)
{
    report->pageCount();
    // The preview window shows the first page as it opens, from the rows as
    // they are then; the report keeps it, so a test reads what was shown
    // even after the window's rows have changed.
    report->page(0);
    const int prints = nextAnswer();
    requests << Request{report->title(), report, true, prints};
    for (int i = 0; i < prints; ++i)
        if (afterPrint)
            afterPrint();
    return prints > 0;
}

bool FakePrinting::print(std::shared_ptr<report::PagedReport> report)
{
    report->pageCount();
    const int prints = qMin(1, nextAnswer());
    requests << Request{report->title(), report, false, prints};
    return prints > 0;
}

TextPrintResult FakePrinting::printText(const QTextDocument& document)
{
    printedTexts << document.toPlainText();
    if (m_textResults.empty())
        return TextPrintResult::Cancelled;
    const TextPrintResult result = m_textResults.front();
    m_textResults.pop_front();
    return result;
}

QStringList FakePrinting::titles() const
{
    QStringList out;
    for (const Request& r : requests)
        out << r.title;
    return out;
}

void FakeErrors::report(std::exception_ptr error) noexcept
{
    try {
        reported.push_back(error);
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            texts << QString::fromUtf8(e.what());
        } catch (...) {
            texts << QString();
        }
    } catch (...) {
    }
}

} // namespace zelvar
