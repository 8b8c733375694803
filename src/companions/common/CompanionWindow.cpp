#include "companions/common/CompanionWindow.h"

#include "companions/common/CommandGuard.h"
#include "companions/common/DataChangeWatch.h"

#include <QAction>
#include <QLabel>
#include <QLocale>
#include <QStatusBar>
#include <QToolBar>

namespace zelvar {

CompanionWindow::CompanionWindow(const CompanionInfo& info, Database& db, const Services& services, QWidget* parent)
    : QMainWindow(parent),
      m_db(db),
      m_services(services),
      m_info(info),
      m_errors(services.prompter, services.sound),
      m_watch(new DataChangeWatch(db, DataChangeWatch::kIntervalMs, this)),
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

QString CompanionWindow::statusText() const
{
    return m_status->text();
}

} // namespace zelvar
