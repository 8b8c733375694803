// SPDX-License-Identifier: GPL-3.0-or-later
#include "companions/common/CompanionWindow.h"

#include "companions/common/CommandGuard.h"
#include "companions/common/DataChangeWatch.h"

#include "companions/common/CompanionIcons.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QSaveFile>
#include <QStatusBar>
#include <QToolBar>

namespace zelvar {

CompanionWindow::CompanionWindow(const CompanionInfo& info, Database& db, const Services& services, QWidget* parent)
    : QMainWindow(parent),
      m_db(db),
      m_services(services),
      m_info(info),
      m_watch(new DataChangeWatch(db, services.errors, DataChangeWatch::kIntervalMs, this)),
      m_bar(new QToolBar(QStringLiteral("Menu  "), this))
{
    setWindowTitle(info.title);
    setWindowIcon(artwork::icon(info.icon));
    m_bar->setMovable(false);
    m_bar->setIconSize(QSize(24, 24));
    m_bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    addToolBar(Qt::TopToolBarArea, m_bar);

    m_status = new QLabel(statusBar());
    m_count = new QLabel(statusBar());
    for (QLabel* panel : {m_status, m_count}) {
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setAccessibleName(panel == m_status ? QStringLiteral("Durum") : QStringLiteral("Sayı"));
    }
    statusBar()->addWidget(m_status, 1);
    statusBar()->addPermanentWidget(m_count);
    statusBar()->setSizeGripEnabled(true);

    connect(m_watch, &DataChangeWatch::changed, this, [this] { run([this] { reload(); }); });
}

CompanionWindow::~CompanionWindow() = default;

bool CompanionWindow::run(const std::function<void()>& command)
{
    return runCommand(m_services, command);
}

void CompanionWindow::startedAgain(const QStringList& arguments)
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
    const CommandLine commandLine(QStringList{m_info.executable} + arguments, QLocale::system(), m_info.description);
    if (commandLine.shouldRun())
        run([&] { handleRequest(commandLine); });
}

QAction* CompanionWindow::addCommand(const QString& text, const QIcon& icon, const QKeySequence& shortcut,
                                     std::function<void()> handler)
{
    auto* action = new QAction(icon, text, this);
    action->setShortcut(shortcut);
    const QString hint =
        shortcut.isEmpty() ? text : QStringLiteral("%1 (%2)").arg(text, shortcut.toString(QKeySequence::NativeText));
    action->setToolTip(hint);
    action->setStatusTip(text);
    connect(action, &QAction::triggered, this, [this, handler = std::move(handler)] { run(handler); });
    m_bar->addAction(action);
    addAction(action); // the key works wherever the focus is in the window
    return action;
}

void CompanionWindow::addRecordCommands(std::function<void()> add, std::function<void()> edit,
                                        std::function<void()> remove)
{
    using companionicons::Glyph;
    addCommand(QStringLiteral("Yeni"), companionicons::icon(Glyph::New), QKeySequence(Qt::Key_Insert), std::move(add));
    addCommand(QStringLiteral("Düzelt"), companionicons::icon(Glyph::Edit), QKeySequence(Qt::Key_F2), std::move(edit));
    addCommand(QStringLiteral("Sil"), companionicons::icon(Glyph::Delete), QKeySequence(Qt::CTRL | Qt::Key_Delete),
               std::move(remove));
}

void CompanionWindow::addFileCommands(std::function<void()> exportToFile, std::function<void()> importFromFile)
{
    using companionicons::Glyph;
    addCommand(QStringLiteral("Dışa Aktar"), companionicons::icon(Glyph::Export), QKeySequence(),
               std::move(exportToFile));
    addCommand(QStringLiteral("İçe Aktar"), companionicons::icon(Glyph::Import), QKeySequence(),
               std::move(importFromFile));
}

bool CompanionWindow::writeExport(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    m_services.sound.exclamation();
    m_services.prompter.message(QStringLiteral("Dosya yazılamadı !\n%1").arg(QDir::toNativeSeparators(path)),
                                MessageKind::Warning);
    return false;
}

QString CompanionWindow::skippedList(const QStringList& skipped)
{
    constexpr int kShown = 15;
    QString text = QStringLiteral("\n\nAlınmayanlar (%1):").arg(skipped.size());
    for (int i = 0; i < skipped.size() && i < kShown; ++i)
        text += QStringLiteral("\n- ") + skipped[i];
    if (skipped.size() > kShown)
        text += QStringLiteral("\n... ve %1 tane daha").arg(skipped.size() - kShown);
    return text;
}

void CompanionWindow::tellImported(int added, const QString& what, const QStringList& skipped)
{
    m_services.prompter.message(QStringLiteral("%1 %2 alındı.").arg(added).arg(what) +
                                    (skipped.isEmpty() ? QString() : skippedList(skipped)),
                                skipped.isEmpty() ? MessageKind::Information : MessageKind::Warning);
}

void CompanionWindow::askForChoice(const QString& what)
{
    m_services.prompter.message(QStringLiteral("Önce listeden bir %1 seçiniz !").arg(what), MessageKind::Information);
}

void CompanionWindow::addSeparator()
{
    m_bar->addSeparator();
}

void CompanionWindow::addCloseCommand()
{
    auto* spacer = new QWidget(m_bar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_bar->addWidget(spacer);
    addCommand(closeText(), artwork::icon(artwork::Icon::Exit), QKeySequence(Qt::CTRL | Qt::Key_E),
               [this] { close(); });
}

QAction* CompanionWindow::command(const QString& text) const
{
    for (QAction* action : m_bar->actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

void CompanionWindow::setStatus(const QString& text)
{
    m_status->setText(text);
}

void CompanionWindow::setCount(const QString& text)
{
    m_count->setText(text);
}

} // namespace zelvar
