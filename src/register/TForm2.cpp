// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/TForm2.h"
#include "ui/FixedFrame.h"
#include "ui/PageCentring.h"

#include "data/TDM2.h"
#include "register/CoverPicture.h"
#include "register/PhotoOperations.h"
#include "register/RegisterWidgets.h"
#include "ui/MainCommands.h"
#include "ui/bound/DBComboBox.h"
#include "ui/bound/DBEdit.h"
#include "ui/bound/DBGrid.h"
#include "ui/bound/DBMemo.h"
#include "ui/bound/DBRadioGroup.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

namespace zelvar {

TForm2::TForm2(TDM2& dm, const Services& services, RegisterMemory& memory, PrintedForms& forms, MainCommands* commands,
               QWidget* parent)
    : QWidget(parent),
      m_dm(dm),
      m_services(services),
      m_forms(forms),
      m_commands(commands),
      m_records(dm, services, memory, *this),
      m_photoOperations(std::make_unique<PhotoOperations>(dm, services)),
      m_coverPicture(std::make_unique<CoverPicture>(services.clock))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(caption());
    setFont(regui::pointFont(8));
    // A fixed frame that the user cannot drag; maximising it centres the pages.
    setMinimumSize(kClientWidth, kClientHeight);
    resize(kClientWidth, kClientHeight);
    move(0, 0);
    new FixedFrame(this);
    // The window fills its own background: a box that changes then repaints
    // the window under it, not the document frame around it with its title.
    setAutoFillBackground(true);

    m_ui.build(this, dm, services.clock);
    setCoverPicture(m_coverPicture->picture());
    m_records.openWholeTable();
    wire();
    m_records.followCurrentResident();
    showPage(RecordCheckPage);
    paint(ColorState::Normal);

    auto* countTimer = new QTimer(this);
    countTimer->setInterval(1000);
    on(countTimer, &QTimer::timeout, &TForm2::updateRecordCount);
    countTimer->start();
    updateRecordCount();
    m_ui.searchBox->setFocus();

    // The window sees every key before its controls do.
    qApp->installEventFilter(this);
}

TForm2::~TForm2()
{
    qApp->removeEventFilter(this);
}

// ----------------------------------------------------------------- wiring

void TForm2::wire()
{
    wireToolBar();
    wirePages();
    for (DBNavigator* navigator : {m_ui.navigators[DetailedViewPage], m_ui.navigators[MoveOutPage]})
        navigator->setPrompter(&m_services.prompter);
    m_ui.navigators[DetailedViewPage]->setRemover([this] { m_records.removeCurrentResident(); });
    reportErrorsTo(this, m_services.errors);
}

void TForm2::wireToolBar()
{
    using C = RegisterControls;
    QAction* const* tools = m_ui.tools;
    on(tools[C::CloseTool], &QAction::triggered, &TForm2::closeWindow);
    on(tools[C::NewTool], &QAction::triggered, &TForm2::newRecord);
    on(tools[C::AddTool], &QAction::triggered, &TForm2::addRecord);
    on(tools[C::SaveTool], &QAction::triggered, &TForm2::saveRecord);
    on(tools[C::DeleteTool], &QAction::triggered, &TForm2::deleteRecord);
    on(tools[C::CancelTool], &QAction::triggered, &TForm2::cancelRecord);
    on(tools[C::QueryTool], &QAction::triggered, &TForm2::openQueryWindow);
    on(tools[C::WipeTool], &QAction::triggered, &TForm2::wipeDatabase);
    on(tools[C::DwellingTool], &QAction::triggered, &TForm2::declareDwellingResidents);
    on(tools[C::IdCopyTool], &QAction::triggered, &TForm2::printIdCardCopy);
    on(tools[C::ResidenceTool], &QAction::triggered, &TForm2::printResidenceCertificate);
    on(tools[C::IdChangeTool], &QAction::triggered, &TForm2::printIdCardChange);
    on(tools[C::IdChangeBackTool], &QAction::triggered, &TForm2::composeIdCardChangeBackPage);
    on(tools[C::MoveOutCertificateTool], &QAction::triggered, &TForm2::composeMoveOutCertificate);
    on(tools[C::PovertyTool], &QAction::triggered, &TForm2::composePovertyCertificate);
    on(tools[C::StatusTool], &QAction::triggered, &TForm2::composeStatusCertificate);
    on(tools[C::HelpTool], &QAction::triggered, &TForm2::showHelp);
}

void TForm2::wirePages()
{
    on(m_ui.pages, &QTabWidget::currentChanged, [this] {
        keepFocusInside();
        if (!m_pageChangeByWindow)
            onTabChangedByUser();
    });
    const auto toPage = [this](QAbstractButton* button, Page page) {
        on(button, &QAbstractButton::clicked, [this, page] { showPage(page); });
    };
    toPage(m_ui.checkToEntry, EntryPage);
    toPage(m_ui.checkToCivil, CivilRegistryPage);
    toPage(m_ui.entryToCheck, RecordCheckPage);
    toPage(m_ui.entryToCivil, CivilRegistryPage);
    for (int page : {RecordCheckPage, EntryPage, DetailedViewPage})
        on(m_ui.navigators[page], &DBNavigator::clicked, &TForm2::afterNavigator);
    on(m_ui.navigators[CivilRegistryPage], &DBNavigator::clicked, &TForm2::afterCivilRegistryNavigator);
    on(m_ui.navigators[MoveOutPage], &DBNavigator::clicked, &TForm2::onMoveOutListClicked);

    // page 1: search and filters
    connectCommand(m_services.errors, m_ui.searchBox, &QLineEdit::textChanged, &m_records,
                   &RegisterRecords::incrementalSearch);
    on(m_ui.nameMode, &QToolButton::clicked, [this] { setSearchMode(SearchMode::Name); });
    on(m_ui.numberMode, &QToolButton::clicked, [this] { setSearchMode(SearchMode::RecordNumber); });
    on(m_ui.quickFind, &QToolButton::clicked, &TForm2::quickFind);
    on(m_ui.surnameToggle, &QToolButton::clicked, &TForm2::surnameFilter);
    on(m_ui.wholeTableToggle, &QToolButton::clicked, &TForm2::wholeTable);
    for (auto it = m_ui.letters.begin(); it != m_ui.letters.end(); ++it)
        on(it.value(), &QToolButton::clicked, [this, letter = it.key()] { alphabetFilter(letter); });
    on(m_ui.endAlphabet, &QToolButton::clicked, &TForm2::endAlphabetFilter);

    // page 2: photograph, entry aids and the record buttons
    on(m_ui.photoLoad, &QToolButton::clicked, &TForm2::loadPhoto);
    on(m_ui.photoDelete, &QToolButton::clicked, &TForm2::deletePhoto);
    on(m_ui.photoShow, &QToolButton::clicked, &TForm2::showPhoto);
    on(m_ui.photoHide, &QToolButton::clicked, &TForm2::hidePhoto);
    // The date counts when it is chosen in the drop-down calendar.
    QCalendarWidget* entryPopup = m_ui.entryDatePicker->calendarWidget();
    on(entryPopup, &QCalendarWidget::clicked, &TForm2::entryDatePicked);
    on(entryPopup, &QCalendarWidget::activated, &TForm2::entryDatePicked);
    on(m_ui.quickFindEntry, &QToolButton::clicked, &TForm2::quickFind);
    on(m_ui.newButton, &QPushButton::clicked, &TForm2::newRecord);
    on(m_ui.addButton, &QPushButton::clicked, &TForm2::addRecord);
    on(m_ui.saveButton, &QPushButton::clicked, &TForm2::saveRecord);
    on(m_ui.deleteButton, &QPushButton::clicked, &TForm2::deleteRecord);
    on(m_ui.cancelButton, &QPushButton::clicked, &TForm2::cancelRecord);

    // page 3: the province lookup, the move-out file, the ways off the page
    connectCommand(m_services.errors, m_ui.provinceCodeBox, &QLineEdit::textChanged, &m_records,
                   [this] { m_records.provinceLookup(); });
    on(m_ui.moveOutAdd, &QToolButton::clicked, &TForm2::addToMoveOutFile);
    on(m_ui.civilToEntry, &QPushButton::clicked, &TForm2::leaveToEntry);
    on(m_ui.civilToCheck, &QPushButton::clicked, &TForm2::leaveToRecordCheck);

    // page 5: the calendar back to today
    on(m_ui.today, &QToolButton::clicked, [this] {
        const QDate today = m_services.clock.today();
        m_ui.calendar->setSelectedDate(today);
        m_ui.calendar->setCurrentPage(today.year(), today.month());
    });

    // page 6: the move-out file
    QCalendarWidget* moveOutPopup = m_ui.moveOutDatePicker->calendarWidget();
    on(moveOutPopup, &QCalendarWidget::clicked, &TForm2::onMoveOutDatePicked);
    on(moveOutPopup, &QCalendarWidget::activated, &TForm2::onMoveOutDatePicked);
    on(m_ui.moveOutSearch, &QLineEdit::textChanged, &TForm2::onMoveOutSearchChanged);
    on(m_ui.moveOutGrid, &DBGrid::clicked, &TForm2::onMoveOutListClicked);
}

// ------------------------------------------------------------------ frame

void TForm2::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_ui.toolBar->setGeometry(0, 0, width(), RegisterControls::kToolbarHeight);
    m_ui.statusBar->setGeometry(0, height() - RegisterControls::kStatusHeight, width(),
                                RegisterControls::kStatusHeight);
    m_ui.pages->move(centredPageOrigin(size(), m_ui.pages->size(), RegisterControls::kToolbarHeight));
    // The status bar lies over the foot of the pages, as the toolbar over
    // nothing: the page control is centred in the whole client area.
    m_ui.statusBar->raise();
}

bool TForm2::isFrameBorder(const QPoint& pos) const
{
    return FixedFrame::isBorder(this, pos);
}

void TForm2::showPage(Page page)
{
    m_pageChangeByWindow = true;
    m_ui.pages->setCurrentIndex(page);
    m_pageChangeByWindow = false;
}

TForm2::Page TForm2::currentPage() const
{
    return Page(m_ui.pages->currentIndex());
}

void TForm2::keepFocusInside()
{
    // The page that went may have held the focus; the document frame then
    // takes it and the window's keys would no longer arrive. The page row
    // keeps it instead, and nothing is entered on the way.
    QWidget* focus = QApplication::focusWidget();
    if (focus && !isMine(focus) && focus->isAncestorOf(this))
        m_ui.pages->tabBar()->setFocus(Qt::OtherFocusReason);
}

void TForm2::closeWindow()
{
    // Inside the main window's document area the frame is what closes.
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->close();
    else
        close();
}

// The query window is modal: the register waits until it is closed.
void TForm2::openQueryWindow()
{
    if (m_commands)
        m_commands->queryWindowCommand(this);
}

void TForm2::showHelp()
{
    m_services.help.showTopic(kHelpTopic);
}

// ------------------------------------------------- what the rules ask for

QString TForm2::boxText(const QString& field) const
{
    QWidget* box = m_ui.entryBox(field);
    // A box on a page not shown may not show the current row yet.
    if (auto* bound = dynamic_cast<BoundControl*>(box))
        bound->showWaitingField();
    if (auto* line = qobject_cast<DBEdit*>(box))
        return line->entryText();
    if (auto* choice = qobject_cast<DBComboBox*>(box))
        return choice->currentText();
    if (auto* memoBox = qobject_cast<DBMemo*>(box))
        return memoBox->toPlainText();
    return QString();
}

bool TForm2::showsHouse() const
{
    m_ui.houseType->showWaitingField();
    return m_ui.houseType->itemIndex() == 0;
}

void TForm2::focusBox(const QString& field)
{
    if (QWidget* box = m_ui.entryBox(field))
        box->setFocus();
}

void TForm2::recordSaved()
{
    if (currentPage() == EntryPage)
        m_ui.newButton->setFocus();
}

void TForm2::paintState(ColorState state)
{
    const QColor color = colorOf(state);
    paintEntryControls(this, color);
    for (QWidget* picker : m_ui.datePickers()) {
        QPalette pal = picker->palette();
        for (auto group : {QPalette::Active, QPalette::Inactive})
            pal.setColor(group, QPalette::Base, color);
        picker->setPalette(pal);
    }
}

// ------------------------------------------ leaving page 3, search, filters

void TForm2::leaveToRecordCheck()
{
    m_records.answerUnsavedQuestion(false);
    showPage(RecordCheckPage);
}

void TForm2::leaveToEntry()
{
    m_records.answerUnsavedQuestion(true);
    showPage(EntryPage);
}

void TForm2::setSearchMode(SearchMode mode)
{
    m_records.setSearchMode(mode);
    (mode == SearchMode::Name ? m_ui.nameMode : m_ui.numberMode)->setChecked(true);
    m_ui.searchBox->clear();
}

void TForm2::surnameFilter()
{
    const QString text = m_ui.searchBox->text();
    if (!text.isEmpty())
        m_ui.surnameToggle->setChecked(true);
    if (!m_records.surnameFilter(text))
        m_ui.wholeTableToggle->setChecked(true);
}

void TForm2::wholeTable()
{
    m_ui.wholeTableToggle->setChecked(true);
    m_records.wholeTable();
    m_ui.residentGrid->setColors(colorOf(ColorState::Normal), palette().color(QPalette::Text));
}

void TForm2::alphabetFilter(const QString& letter)
{
    if (QToolButton* button = m_ui.letters.value(letter); button && button->isCheckable())
        button->setChecked(true);
    m_records.alphabetFilter(letter);
}

void TForm2::endAlphabetFilter()
{
    m_ui.endAlphabet->setChecked(true);
    m_records.endAlphabetFilter();
}

void TForm2::afterNavigator()
{
    followRegisterToMoveOutFile();
    m_records.paintAfterMove();
}

void TForm2::afterCivilRegistryNavigator(DBNavigator::Button button)
{
    if (button == DBNavigator::Post)
        paint(ColorState::Normal);
    m_records.paintAfterMove();
    followRegisterToMoveOutFile();
}

void TForm2::updateRecordCount()
{
    m_ui.recordCount->setText(QString::number(m_dm.Query2->recordCount()));
}

// ------------------------------------------------------------------- keys

bool TForm2::isMine(QObject* object) const
{
    auto* widget = qobject_cast<QWidget*>(object);
    // The document frame around the window counts as the window: it holds
    // the focus when no control does.
    const bool frame = widget && widget == parentWidget() && qobject_cast<QMdiSubWindow*>(widget);
    return widget && (widget == this || frame || isAncestorOf(widget));
}

namespace {

bool isWindowKey(const QKeyEvent* event)
{
    if (event->modifiers() & ~Qt::KeyboardModifiers(Qt::KeypadModifier))
        return false;
    switch (event->key()) {
    case Qt::Key_F1:
    case Qt::Key_F5:
    case Qt::Key_F6:
    case Qt::Key_F7:
    case Qt::Key_F8:
    case Qt::Key_F9:
    case Qt::Key_F10:
    case Qt::Key_F11:
    case Qt::Key_F12:
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    default:
        return false;
    }
}

} // namespace

int TForm2::pageOfKey(const QKeyEvent* event) const
{
    // Ctrl+Tab and Ctrl+Shift+Tab step through the pages; Alt and a page's
    // underlined letter opens it, before the main menu sees the key.
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const int count = m_ui.pages->count();
    const int current = m_ui.pages->currentIndex();
    if (mods == Qt::ControlModifier && event->key() == Qt::Key_Tab)
        return (current + 1) % count;
    if ((mods == (Qt::ControlModifier | Qt::ShiftModifier)) &&
        (event->key() == Qt::Key_Backtab || event->key() == Qt::Key_Tab))
        return (current + count - 1) % count;
    if (mods != Qt::AltModifier || event->key() < Qt::Key_A || event->key() > Qt::Key_Z)
        return -1;
    const QChar letter = QLatin1Char(char('A' + (event->key() - Qt::Key_A)));
    for (int page = 0; page < count; ++page) {
        const QString text = m_ui.pages->tabText(page);
        const int amp = text.indexOf(QLatin1Char('&'));
        if (amp >= 0 && amp + 1 < text.size() && text.at(amp + 1).toUpper() == letter)
            return page;
    }
    return -1;
}

bool TForm2::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // The window's keys are not anybody's shortcuts while it has the focus.
        if (isMine(watched) &&
            (isWindowKey(static_cast<QKeyEvent*>(event)) || pageOfKey(static_cast<QKeyEvent*>(event)) >= 0)) {
            event->accept();
            return true;
        }
        break;
    case QEvent::KeyPress:
        if (isMine(watched) && isWindowKey(static_cast<QKeyEvent*>(event))) {
            // The key's command reports its own errors: none may unwind
            // into Qt's event delivery.
            bool handled = true;
            runCommand(&m_services.errors, [&] { handled = handleKey(static_cast<QKeyEvent*>(event)); });
            return handled;
        }
        if (isMine(watched)) {
            const int page = pageOfKey(static_cast<QKeyEvent*>(event));
            if (page >= 0) {
                // As a click on the page's tab.
                m_ui.pages->setCurrentIndex(page);
                return true;
            }
        }
        break;
    case QEvent::FocusIn:
        if (watched && watched == m_ui.nationalityBox) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            // Coming back to the window is not entering the box.
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                runCommand(&m_services.errors, [this] { m_records.nationalityFill(); });
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool TForm2::handleKey(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_F1:
        showHelp();
        break;
    case Qt::Key_F5:
        leaveToRecordCheck();
        break;
    case Qt::Key_F6:
        showPage(EntryPage);
        break;
    case Qt::Key_F7:
        showPage(CivilRegistryPage);
        break;
    case Qt::Key_F8:
        newRecord();
        break;
    case Qt::Key_F9:
        addRecord();
        break;
    case Qt::Key_F10:
        saveRecord();
        break;
    case Qt::Key_F11:
        deleteRecord();
        break;
    case Qt::Key_F12:
        cancelRecord();
        break;
    case Qt::Key_Escape:
        closeWindow();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // As a Tab would: the next control in tab order, memos included.
        // Inside the main window's document area the frame keeps the cycle
        // within it.
        focusNextPrevChild(true);
        break;
    default:
        return false;
    }
    return true;
}

} // namespace zelvar
