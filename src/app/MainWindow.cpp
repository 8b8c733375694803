// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainWindow.h"

#include "app/DocumentArea.h"
#include "app/RecordsSafety.h"
#include "app/SplashWindow.h"
#include "data/TDM2.h"
#include "platform/CompanionArguments.h"
#include "ui/ValueLabel.h"
#include "ui/ZelvarApplication.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace zelvar {

using artwork::Icon;

MainWindow::MainWindow(TDM2& dm, const Services& services, WindowFactories factories, QWidget* parent)
    : QMainWindow(parent),
      m_dm(dm),
      m_services(services),
      m_factories(std::move(factories)),
      m_reminder(dm.tbrandevu, services.sound, services.launcher),
      m_area(new DocumentArea(this)),
      m_registerGuard(m_area, WindowGuard::exactCaption(QStringLiteral("Bilgi Bankası"))),
      m_statisticsGuard(m_area, WindowGuard::exactCaption(QStringLiteral("İstatistik ve Raporlar"))),
      m_editorGuard(m_area, WindowGuard::firstLetter(QLatin1Char('E'))),
      m_timer(new QTimer(this))
{
    setWindowTitle(caption());
    setCentralWidget(m_area);
    m_safety = new RecordsSafety(
        dm, services, [this] { return closeDocumentWindows(); }, this);
    buildActions();
    buildMenus();
    buildToolBars();
    buildStatusBar();
    connect(m_safety, &RecordsSafety::notice, m_hintPanel, &ValueLabel::setText);
    // Nothing of the program answers before the password is accepted: the
    // window exists, hidden, while the login waits, and its menus, buttons
    // and keys would otherwise be reachable through the accessibility
    // interface. Only a frame built without a login opens at once.
    setCommandsEnabled(!m_factories.login);

    // Restored size, centred on the screen; the program shows it maximized.
    resize(643, 476);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // The timer runs from now on, also while the password window is open.
    connectCommand(m_services.errors, m_timer, &QTimer::timeout, this, &MainWindow::tick);
    m_timer->start(1000);
    m_clockPanel->setText(statusClockText(m_services.clock.now()));

    qApp->installEventFilter(this);
}

MainWindow::~MainWindow()
{
    qApp->removeEventFilter(this);
    m_timer->stop();
    m_hints.uninstall();
}

// ----------------------------------------------------------------- building

QAction* MainWindow::makeAction(const QString& text, const QString& hint, const QKeySequence& shortcut,
                                std::function<void()> handler)
{
    auto* action = new QAction(text, this);
    action->setObjectName(text);
    if (!hint.isEmpty()) {
        action->setToolTip(hint);
        action->setStatusTip(hint);
    }
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        // The menu keys work from every window of the program, the clock
        // windows included; a modal dialog still holds them back.
        action->setShortcutContext(Qt::ApplicationShortcut);
    }
    if (handler)
        connectCommand(m_services.errors, action, &QAction::triggered, this,
                       [handler = std::move(handler)] { handler(); });
    m_actions << action;
    return action;
}

void MainWindow::buildActions()
{
    const auto key = [](const char* k) { return QKeySequence(QString::fromLatin1(k)); };
    m_backupNow = makeAction(RecordsSafety::menuBackupText(), QString(), {}, [this] { m_safety->backupNowCommand(); });
    m_restore = makeAction(RecordsSafety::menuRestoreText(), QString(), {}, [this] { m_safety->restoreCommand(); });
    m_exit = makeAction("Çık", "Çık ! ", key("Ctrl+E"), [this] { exitCommand(); });
    m_register = makeAction("Bilgi Bankası", "Bilgi Bankası", key("Ctrl+B"), [this] { registerCommand(); });
    m_statistics =
        makeAction("İstatistik ve Raporlar", "İstatistik ve Raporlar", key("Ctrl+I"), [this] { statisticsCommand(); });
    m_editor = makeAction("Editor", "Editor", key("Ctrl+D"), [this] { editorCommand(); });
    m_addressBook = makeAction("Adres Defteri", "Adres Defteri", key("Ctrl+A"), [this] { addressBookCommand(); });
    m_diary = makeAction("Takvim", "Takvim ve Randevu", key("Ctrl+T"), [this] { diaryCommand(); });
    m_notebook = makeAction("Bilgi Defteri", "Bilgi Defteri", key("Ctrl+G"), [this] { notebookCommand(); });
    m_dataWizard = makeAction("Veri Sihirbazı", "Veri Sihirbazı", key("F3"), [this] { dataWizardCommand(); });
    m_clock = makeAction("Saat", "Saat", {}, [this] { clockCommand(); });
    m_settings = makeAction("Mahalle Bilgileri", "Mahalle Bilgileri", key("Ctrl+M"), [this] { settingsCommand(); });
    m_passwordChange =
        makeAction("Şifre Değişimi", "Şifre Değiştir !", key("Ctrl+S"), [this] { passwordChangeCommand(); });

    // The hints switch is two controls, a menu item with a check mark and a
    // toggle button; each handler keeps the other in step.
    m_hintsMenu = makeAction("İpuçları", QString(), key("Ctrl+P"), [this] { hintsMenuClicked(); });
    m_hintsMenu->setCheckable(true);
    m_hintsMenu->setChecked(true);
    m_hintsButton = makeAction("İpuçları düğmesi", "İpuçları", {}, [this] { hintsButtonClicked(); });
    m_hintsButton->setCheckable(true);
    m_hintsButton->setChecked(true);
    m_hintsButton->setIcon(artwork::icon(Icon::HintsOn));

    // The reminder switch has no action of its own: the timer reads it.
    m_reminderSwitch = makeAction("Alarm Açık/Kapalı", "Alarm Açık/Kapalı", {}, {});
    m_reminderSwitch->setCheckable(true);
    m_reminderSwitch->setChecked(true);

    m_calculator = makeAction("Hesap Makinesi", "Hesap Makinesi", key("Ctrl+H"), [this] { calculatorCommand(); });
    m_wordPad = makeAction("Kelime İşlemci", "WordPad", key("Ctrl+W"), [this] { wordPadCommand(); });
    m_msWord = makeAction("MS Word", "MS Word", {}, [this] { msWordCommand(); });
    m_msExcel = makeAction("MS Excel", "MS Excel", {}, [this] { msExcelCommand(); });
    m_browser = makeAction("MS Internet Explorer", "MS Internet Explorer", {}, [this] { browserCommand(); });
    m_musicPlayer = makeAction("WinAmp", "WinAmp", {}, [this] { musicPlayerCommand(); });
    m_cascade = makeAction("Ardarda Sırala", QString(), {}, [this] { cascadeCommand(); });
    m_arrangeIcons = makeAction("Simgeleri Düzelt", QString(), {}, [this] { arrangeIconsCommand(); });
    m_help = makeAction("Yardım Dosyası", "Yardım Dosyası", key("Ctrl+Y"), [this] { helpCommand(); });
    m_about = makeAction("Program Hakkında", "Program Hakkında", {}, [this] { aboutCommand(); });
}

void MainWindow::buildMenus()
{
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("&Dosya"));
    file->addActions({m_backupNow, m_restore});
    file->addSeparator();
    file->addAction(m_exit);

    QMenu* units = bar->addMenu(QStringLiteral("&Birim"));
    units->addActions({m_register, m_statistics, m_editor, m_addressBook, m_diary, m_notebook, m_dataWizard, m_clock});

    QMenu* fixed = bar->addMenu(QStringLiteral("&Sabit"));
    fixed->addActions({m_settings, m_passwordChange});

    QMenu* view = bar->addMenu(QStringLiteral("&Görünüm"));
    view->addAction(m_hintsMenu);

    QMenu* tools = bar->addMenu(QStringLiteral("&Araç"));
    tools->addActions({m_calculator, m_wordPad, m_msWord, m_msExcel, m_browser, m_musicPlayer});

    // The window list follows the two arranging commands.
    m_windowMenu = bar->addMenu(QStringLiteral("&Pencere"));
    connect(m_windowMenu, &QMenu::aboutToShow, this, &MainWindow::fillWindowMenu);
    fillWindowMenu();

    QMenu* help = bar->addMenu(QStringLiteral("&Yardım"));
    help->addActions({m_help, m_about});
}

void MainWindow::fillWindowMenu()
{
    m_windowMenu->clear();
    m_windowMenu->addActions({m_cascade, m_arrangeIcons});
    const QList<QMdiSubWindow*> windows = m_area->subWindowList(QMdiArea::CreationOrder);
    if (!windows.isEmpty())
        m_windowMenu->addSeparator();
    int number = 1;
    for (QMdiSubWindow* w : windows) {
        QString title = w->widget() ? w->widget()->windowTitle() : w->windowTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* item = m_windowMenu->addAction(number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(title) : title);
        ++number;
        item->setCheckable(true);
        item->setChecked(w == m_area->activeSubWindow());
        connect(item, &QAction::triggered, w, [this, w] {
            if (w->isMinimized())
                w->showNormal();
            m_area->setActiveSubWindow(w);
        });
    }
}

void MainWindow::addButton(QToolBar* band, QAction* action, Icon icon)
{
    if (action != m_hintsButton)
        action->setIcon(artwork::icon(icon));
    band->addAction(action);
    if (QWidget* button = band->widgetForAction(action)) {
        // Icon-only: the hint names the button for screen readers too.
        button->setAccessibleName(action->toolTip());
        button->setToolTip(action->toolTip());
    }
}

void MainWindow::buildToolBars()
{
    const auto band = [this](const QString& caption) {
        auto* b = new QToolBar(caption, this);
        b->setObjectName(caption.trimmed());
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        b->setIconSize(QSize(20, 20));
        b->setMinimumHeight(22);
        auto* label = new QLabel(caption, b);
        label->setContentsMargins(4, 0, 4, 0);
        b->addWidget(label);
        addToolBar(Qt::TopToolBarArea, b);
        return b;
    };
    m_menuBand = band(QStringLiteral("Menu  "));
    addButton(m_menuBand, m_exit, Icon::Exit);
    m_menuBand->addSeparator();
    m_menuBand->addSeparator();
    addButton(m_menuBand, m_register, Icon::Register);
    addButton(m_menuBand, m_statistics, Icon::Statistics);
    addButton(m_menuBand, m_editor, Icon::Editor);
    addButton(m_menuBand, m_addressBook, Icon::AddressBook);
    addButton(m_menuBand, m_diary, Icon::Diary);
    addButton(m_menuBand, m_notebook, Icon::Notebook);
    addButton(m_menuBand, m_dataWizard, Icon::DataWizard);
    addButton(m_menuBand, m_clock, Icon::Clock);
    m_menuBand->addSeparator();
    addButton(m_menuBand, m_settings, Icon::Settings);
    addButton(m_menuBand, m_passwordChange, Icon::Password);
    m_menuBand->addSeparator();
    addButton(m_menuBand, m_hintsButton, Icon::HintsOn);
    m_menuBand->addSeparator();
    addButton(m_menuBand, m_reminderSwitch, Icon::Reminder);

    m_toolBand = band(QStringLiteral("Araç  "));
    addButton(m_toolBand, m_calculator, Icon::Calculator);
    addButton(m_toolBand, m_wordPad, Icon::WordPad);
    addButton(m_toolBand, m_msWord, Icon::Word);
    addButton(m_toolBand, m_msExcel, Icon::Excel);
    addButton(m_toolBand, m_browser, Icon::Browser);
    addButton(m_toolBand, m_musicPlayer, Icon::Music);
    m_toolBand->addSeparator();
    addButton(m_toolBand, m_help, Icon::Help);
    addButton(m_toolBand, m_about, Icon::About);
}

void MainWindow::buildStatusBar()
{
    const auto panel = [this](int width, const QString& name) {
        auto* label = new ValueLabel(this);
        label->setAlignment(Qt::AlignCenter);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setFixedWidth(width);
        label->setAccessibleName(name);
        statusBar()->addWidget(label);
        return label;
    };
    // The clock panel is 140 pixels, or as wide as the longest date needs in
    // the font at hand.
    const int clockWidth =
        std::max(140, fontMetrics().horizontalAdvance(QStringLiteral("30 Ağustos 2000  00:00:00")) + 12);
    m_clockPanel = panel(clockWidth, QStringLiteral("Tarih ve saat"));
    m_hintPanel = panel(260, QStringLiteral("İpucu"));
    m_emptyPanel = panel(50, QString());
}

// --------------------------------------------------------------- start-up

void MainWindow::installHandlers()
{
    connect(&m_hints, &HintHandler::hintChanged, m_hintPanel, &ValueLabel::setText, Qt::UniqueConnection);
    m_hints.install();
}

bool MainWindow::startUp(QWidget* splash)
{
    // The database is checked beside the login window, never delaying it.
    m_safety->startIntegrityCheck();
    installHandlers();
    if (splash) {
        splash->hide();
        splash->close();
        delete splash;
    }
    if (m_factories.login && !m_factories.login(this))
        return false;
    setCommandsEnabled(true);
    m_safety->afterLogin();
    m_area->cascade();
    m_area->setTile(artwork::backgroundTile());
    return true;
}

void MainWindow::setCommandsEnabled(bool enabled)
{
    m_commandsEnabled = enabled;
    for (QAction* action : std::as_const(m_actions))
        action->setEnabled(enabled);
    for (QAction* menu : menuBar()->actions())
        menu->setEnabled(enabled);
    menuBar()->setEnabled(enabled);
    m_menuBand->setEnabled(enabled);
    m_toolBand->setEnabled(enabled);
    m_area->setEnabled(enabled);
}

// ---------------------------------------------------------------- status

QString MainWindow::statusClockText(const QDateTime& now)
{
    return QLocale(QLocale::Turkish, QLocale::Turkey).toString(now, QStringLiteral("dd MMMM yyyy  hh:mm:ss"));
}

void MainWindow::tick()
{
    const QDateTime now = m_services.clock.now();
    m_reminder.tick(now, reminderSwitchDown());
    m_clockPanel->setText(statusClockText(now));
}

QString MainWindow::clockText() const
{
    return m_clockPanel->text();
}

QString MainWindow::hintText() const
{
    return m_hintPanel->text();
}

bool MainWindow::reminderSwitchDown() const
{
    return m_reminderSwitch->isChecked();
}

void MainWindow::setReminderSwitch(bool down)
{
    m_reminderSwitch->setChecked(down);
}

bool MainWindow::hintsButtonDown() const
{
    return m_hintsButton->isChecked();
}

bool MainWindow::hintsMenuChecked() const
{
    return m_hintsMenu->isChecked();
}

QAction* MainWindow::findAction(const QString& text) const
{
    for (QAction* a : m_actions)
        if (a->text() == text || a->toolTip() == text)
            return a;
    return nullptr;
}

bool MainWindow::event(QEvent* event)
{
    // Hints go to their own panel (through the hint handler), never over
    // the whole status bar.
    if (event->type() == QEvent::StatusTip)
        return true;
    return QMainWindow::event(event);
}

bool MainWindow::isMenuKey(const QKeyEvent* event) const
{
    const QKeySequence pressed(event->keyCombination());
    for (QAction* action : m_actions)
        if (action->isEnabled() && !action->shortcut().isEmpty() && action->shortcut() == pressed)
            return true;
    return false;
}

bool MainWindow::isInProgram(QObject* object) const
{
    // This window, its document windows and the windows it owns.
    for (auto* widget = qobject_cast<QWidget*>(object); widget; widget = widget->parentWidget())
        if (widget == this)
            return true;
    return false;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    // An edit box claims Ctrl+A (select all) and Ctrl+E (end of line) for
    // itself; the menu's keys come first everywhere in the program. Left
    // unaccepted, the key goes on to the menu item.
    if (event->type() == QEvent::ShortcutOverride && m_commandsEnabled && isInProgram(watched) &&
        isMenuKey(static_cast<QKeyEvent*>(event)))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    m_area->cascade();
    m_area->arrangeIcons();
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    // F1 that no document window took for its own help opens the main topic.
    if (m_commandsEnabled && event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        helpCommand();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // The document windows close first and may keep the program open.
    m_area->closeAllSubWindows();
    if (!m_area->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    event->accept();
    m_safety->atExit();
    emit closed();
}

// --------------------------------------------------------------- commands

void MainWindow::exitCommand()
{
    if (m_services.prompter.ask(exitQuestion(), Buttons::YesNo, MessageKind::Question) != Answer::Yes)
        return;
    m_services.sound.beep();
    close();
}

QWidget* MainWindow::registerCommand()
{
    return m_registerGuard.open(
        [this]() -> QWidget* { return m_factories.registerWindow ? m_factories.registerWindow(*this) : nullptr; });
}

QWidget* MainWindow::statisticsCommand()
{
    return m_statisticsGuard.open(
        [this]() -> QWidget* { return m_factories.statisticsWindow ? m_factories.statisticsWindow(*this) : nullptr; });
}

QWidget* MainWindow::editorCommand()
{
    try {
        return m_editorGuard.open(
            [this]() -> QWidget* { return m_factories.editorWindow ? m_factories.editorWindow(*this) : nullptr; },
            true);
    } catch (...) {
        // A failure while the editor is being made passes without a message.
        return nullptr;
    }
}

void MainWindow::queryWindowCommand(QWidget* over)
{
    if (m_factories.queryWindow)
        m_factories.queryWindow(*this, over);
}

QList<QWidget*> MainWindow::documentWindows() const
{
    QList<QWidget*> windows;
    for (QMdiSubWindow* frame : m_area->subWindowList(QMdiArea::CreationOrder))
        windows << (frame->widget() ? frame->widget() : frame);
    return windows;
}

bool MainWindow::closeDocumentWindows()
{
    m_area->closeAllSubWindows();
    // Closed windows let go of the datasets before these are reopened.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return m_area->subWindowList().isEmpty();
}

QStringList MainWindow::companionArguments() const
{
    // Each companion works on the program's own data folder.
    return companionargs::forFolder(m_dm.database().folder());
}

void MainWindow::startCompanion(Program program)
{
    // Companions that cannot start leave no message.
    m_services.launcher.start(program, companionArguments());
}

void MainWindow::addressBookCommand()
{
    startCompanion(Program::AddressBook);
}

void MainWindow::diaryCommand()
{
    startCompanion(Program::Diary);
}

void MainWindow::notebookCommand()
{
    startCompanion(Program::Notebook);
}

void MainWindow::waitWithoutInput(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void MainWindow::dataWizardCommand()
{
    // The wizard works on the same file: the register and the photos are let
    // go while it runs and read afresh afterwards.
    m_dm.releaseForExternalProgram();
    m_services.launcher.start(Program::DataWizard, companionArguments());
    waitWithoutInput(kWizardWaitMs);
    m_dm.takeBackAfterExternalProgram();
}

QWidget* MainWindow::clockCommand()
{
    if (!m_factories.clockWindow)
        return nullptr;
    QWidget* clock = m_factories.clockWindow();
    if (!clock)
        return nullptr;
    // A window of its own that goes when the program ends.
    if (!clock->parent())
        clock->setParent(this, clock->windowFlags() | Qt::Window);
    clock->setAttribute(Qt::WA_DeleteOnClose);
    clock->show();
    return clock;
}

void MainWindow::settingsCommand()
{
    if (m_factories.settings)
        m_factories.settings(this);
}

void MainWindow::passwordChangeCommand()
{
    if (m_factories.passwordChange)
        m_factories.passwordChange(this);
}

void MainWindow::hintsButtonClicked()
{
    // The button has just changed its state; hints and the menu mark follow.
    const bool on = m_hintsButton->isChecked();
    m_hints.setPopupsEnabled(on);
    m_hintsButton->setIcon(artwork::icon(on ? Icon::HintsOn : Icon::HintsOff));
    m_hintsMenu->setChecked(on);
}

void MainWindow::hintsMenuClicked()
{
    m_hintsButton->setChecked(!m_hintsButton->isChecked());
    hintsButtonClicked();
}

void MainWindow::startProgram(Program program, const QString& failure, MessageKind kind)
{
    if (!m_services.launcher.start(program))
        m_services.prompter.message(failure, kind);
}

void MainWindow::calculatorCommand()
{
    startProgram(Program::Calculator, QStringLiteral("Window'un Hesap Makinesini Yüklü Değil !"), MessageKind::Plain);
}

void MainWindow::wordPadCommand()
{
    startProgram(Program::WordProcessor, QStringLiteral("Lütfen Wordpad Programını Yükleyiniz!"), MessageKind::Plain);
}

void MainWindow::msWordCommand()
{
    startProgram(Program::MsWord, QStringLiteral("Microsoft Word Bulunamadı!"), MessageKind::Warning);
}

void MainWindow::msExcelCommand()
{
    startProgram(Program::MsExcel, QStringLiteral("Microsoft Excel Bulunamadı !"), MessageKind::Warning);
}

void MainWindow::browserCommand()
{
    m_services.launcher.start(Program::WebBrowser);
}

void MainWindow::musicPlayerCommand()
{
    startProgram(Program::MusicPlayer, QStringLiteral("WinAmp Programı Yüklü Değil !"), MessageKind::Plain);
}

void MainWindow::cascadeCommand()
{
    m_area->cascade();
}

void MainWindow::arrangeIconsCommand()
{
    m_area->arrangeIcons();
}

void MainWindow::helpCommand()
{
    m_services.help.showTopic(kHelpTopic);
}

void MainWindow::aboutCommand()
{
    SplashWindow about(this);
    about.exec();
}

} // namespace zelvar
