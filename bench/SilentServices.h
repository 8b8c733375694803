// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Platform services for the benchmarks: every question answered Yes, no
// sound, no programs, no help, the real clock and printing service. No dialog
// may stop a benchmark.
#include "platform/Clock.h"
#include "platform/Help.h"
#include "platform/Launcher.h"
#include "platform/Prompter.h"
#include "platform/QtPrinting.h"
#include "platform/Services.h"
#include "platform/Sound.h"

#include <optional>

namespace zelvar::bench {

class SilentPrompter : public Prompter {
public:
    QString saveFolder;
    void message(const QString&, MessageKind, const QString&) override {}
    Answer ask(const QString&, Buttons, MessageKind, const QString&) override { return Answer::Yes; }
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override { return {}; }
    QString openFileName(const QString&, const QString&, const QStringList&) override { return {}; }
    // A file to save goes into saveFolder when one is set, else nowhere.
    QString saveFileName(const QString&, const QString&, const QStringList&, const QString& suffix) override
    {
        return saveFolder.isEmpty() ? QString() : saveFolder + QStringLiteral("/cikti.") + suffix;
    }
    bool chooseFont(QFont&) override { return false; }
    bool choosePrinter(QPrinter&) override { return false; }
};

class SilentSound : public Sound {
public:
    void beep() override {}
    void exclamation() override {}
    void playSync(const QString&, int) override {}
};

class NoLauncher : public Launcher {
public:
    bool start(Program, const QStringList& = {}) override { return false; }
    bool openFile(const QString&) override { return false; }
};

class NoHelp : public Help {
public:
    void showTopic(int) override {}
};

// Errors are written to the log; no dialog.
class LoggedErrors : public ErrorReporter {
public:
    void report(std::exception_ptr error) noexcept override { reportError(nullptr, error); }
};

struct SilentServices {
    SilentPrompter prompter;
    SilentSound sound;
    NoLauncher launcher;
    NoHelp help;
    SystemClock clock;
    QtPrinting printing{prompter};
    LoggedErrors errors;
    Services services{prompter, sound, launcher, help, clock, printing, errors};
};

} // namespace zelvar::bench
