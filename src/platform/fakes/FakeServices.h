// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Test stand-ins for the platform services. Each records what it was asked;
// the prompter answers from a script and notes every dialog no test expected.
#include "platform/Printing.h"
#include "platform/Services.h"

#include <QDateTime>
#include <QList>
#include <QStringList>
#include <deque>
#include <functional>
#include <variant>
#include <vector>

namespace zelvar {

struct ShownDialog {
    QString text;
    QString title;
    MessageKind kind;
    Buttons buttons; // Ok for plain messages
};

class FakePrompter : public Prompter {
public:
    // Scripted answers, used in order by ask(), inputText() and the file dialogs.
    void answer(Answer a) { m_answers.push_back(a); }
    void input(std::optional<QString> text) { m_inputs.push_back(std::move(text)); }
    void file(const QString& path) { m_files.push_back(path); }
    void font(std::optional<QFont> f);
    void printer(bool accept);
    // The print dialog accepted with these choices made on the printer
    // (range, copies, ...).
    void printerChoice(std::function<void(QPrinter&)> choose);

    void message(const QString& text, MessageKind kind, const QString& title) override;
    Answer ask(const QString& text, Buttons buttons, MessageKind kind, const QString& title) override;
    std::optional<QString> inputText(const QString& title, const QString& prompt, const QString& initial) override;
    QString openFileName(const QString& title, const QString& folder, const QStringList& filters) override;
    QString openPictureName(const QString& title, const QString& folder, const QStringList& filters) override
    {
        lastFileDialogPreviews = true;
        return openFileName(title, folder, filters);
    }
    QString saveFileName(const QString& title, const QString& folder, const QStringList& filters,
                         const QString& defaultSuffix) override;
    QString saveFileNameOfKind(const QString& title, const QString& folder, const QStringList& filters,
                               const QString& defaultSuffix, QString& chosenFilter) override;
    bool chooseFont(QFont& font) override;
    bool choosePrinter(QPrinter& printer) override;
    bool choosePrinterPages(QPrinter& printer, int pageCount, int currentPage) override;

    // Every dialog shown, in order.
    QList<ShownDialog> shown;
    // Called as each dialog is shown, for tests that look at the screen then.
    std::function<void(const ShownDialog&)> onShow;
    // Filters offered by the last file dialog.
    QStringList lastFilters;
    // The filter a save dialog of a file kind answers with; the first offered when empty.
    QString chosenFilter;
    // Whether a file dialog offered a picture preview.
    bool lastFileDialogPreviews = false;
    // The page limits the last report print dialog offered: its page count
    // and current page (0-based, -1 when not offered).
    int lastPrintPageCount = 0;
    int lastPrintCurrentPage = -1;
    // Dialogs that found no scripted answer; a test expects this empty.
    QStringList unexpected;

    QStringList texts() const;
    QString lastText() const { return shown.isEmpty() ? QString() : shown.last().text; }
    bool scriptUsedUp() const
    {
        return m_answers.empty() && m_inputs.empty() && m_files.empty() && m_fonts.empty() && m_printers.empty();
    }
    void clear();

private:
    std::deque<Answer> m_answers;
    std::deque<std::optional<QString>> m_inputs;
    std::deque<QString> m_files;
    std::deque<std::optional<QFont>> m_fonts;
    std::deque<std::function<bool(QPrinter&)>> m_printers;
};

class FakeSound : public Sound {
public:
    void beep() override { events << QStringLiteral("beep"); }
    void exclamation() override { events << QStringLiteral("exclamation"); }
    void playSync(const QString& file, int times) override
    {
        events << QStringLiteral("play %1 x%2").arg(file).arg(times);
    }
    QStringList events;
};

class FakeLauncher : public Launcher {
public:
    bool start(Program program, const QStringList& arguments = {}) override
    {
        started << program;
        startArguments << arguments;
        return !failing.contains(program);
    }
    bool openFile(const QString& path) override
    {
        opened << path;
        return !openFails;
    }
    QList<Program> started;
    QList<QStringList> startArguments; // the command line of each start
    QList<Program> failing;            // programs that cannot be started
    QStringList opened;
    bool openFails = false; // no program on the desktop opens such a file
};

class FakeHelp : public Help {
public:
    void showTopic(int topic) override { topics << topic; }
    QList<int> topics;
};

class FakeClock : public Clock {
public:
    FakeClock()
        : current(QDate(2026, 12, 9), QTime(9, 0, 0))
    {
    }
    QDateTime now() const override { return current; }
    void set(const QDateTime& t) { current = t; }
    QDateTime current;
};

// Records every report asked for and answers from a script how many times
// the user printed it from the preview (none when the script is used up).
// Texts are recorded as plain text and answered from a script of their own
// (cancelled when it is used up).
class FakePrinting : public Printing {
public:
    struct Request {
        QString title;
        std::shared_ptr<report::PagedReport> report; // every page found, the first laid out
        bool previewed = false;                      // false: printed without preview
        int prints = 0;
    };
    void answerPrinted(int times = 1) { m_prints.push_back(times); }
    void answerNotPrinted() { m_prints.push_back(0); }

    bool preview(std::shared_ptr<report::PagedReport> report, const AfterPrint& afterPrint) override;
    bool print(std::shared_ptr<report::PagedReport> report) override;
    TextPrintResult printText(const QTextDocument& document) override;

    void answerText(TextPrintResult result) { m_textResults.push_back(result); }

    QList<Request> requests;
    QStringList printedTexts; // every text asked for, whatever the answer
    QStringList titles() const;
    std::shared_ptr<report::PagedReport> lastReport() const
    {
        return requests.isEmpty() ? nullptr : requests.last().report;
    }

private:
    int nextAnswer();
    std::deque<int> m_prints;
    std::deque<TextPrintResult> m_textResults;
};

// Records every error a command left unhandled, as the application error
// handler would receive it.
class FakeErrors : public ErrorReporter {
public:
    void report(std::exception_ptr error) noexcept override;
    // The errors' own texts, in order.
    QStringList texts;
    std::vector<std::exception_ptr> reported;
};

// All fakes together, with a Services view of them.
struct FakeServices {
    FakePrompter prompter;
    FakeSound sound;
    FakeLauncher launcher;
    FakeHelp help;
    FakeClock clock;
    FakePrinting printing;
    FakeErrors errors;
    Services services{prompter, sound, launcher, help, clock, printing, errors};
};

} // namespace zelvar
