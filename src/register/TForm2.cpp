#include "register/TForm2.h"
#include "ui/FixedFrame.h"
#include "ui/PageCentring.h"

#include "data/TDM2.h"
#include "platform/Services.h"
#include "register/CoverPicture.h"
#include "register/PhotoOperations.h"
#include "register/RegisterIcons.h"
#include "register/RegisterWidgets.h"
#include "ui/MainCommands.h"
#include "ui/bound/DBComboBox.h"
#include "ui/bound/DBEdit.h"
#include "ui/bound/DBMemo.h"
#include "ui/bound/DBText.h"

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QFocusEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

namespace zelvar {

using registericons::Glyph;

namespace {

const QColor kMaroon(128, 0, 0);

// The page tabs look like a row of buttons and light up under the mouse.
const char* kTabButtonStyle = R"(
QTabBar::tab {
    border: 1px solid #8a8a8a; border-radius: 2px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fbfbfb, stop:1 #dedede);
    padding: 3px 8px; margin: 2px 1px 1px 1px;
}
QTabBar::tab:hover { background: #f4f8ff; border-color: #3d6fb5; color: #0a3d91; }
QTabBar::tab:selected {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #cfcfcf, stop:1 #e9e9e9);
    border-color: #5c5c5c; color: #000060;
}
)";

} // namespace

QStringList TForm2::alphabet()
{
    return {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("Ç"), QStringLiteral("D"),
            QStringLiteral("E"), QStringLiteral("F"), QStringLiteral("G"), QStringLiteral("H"), QStringLiteral("I"),
            QStringLiteral("İ"), QStringLiteral("J"), QStringLiteral("K"), QStringLiteral("L"), QStringLiteral("M"),
            QStringLiteral("N"), QStringLiteral("O"), QStringLiteral("Ö"), QStringLiteral("P"), QStringLiteral("Q"),
            QStringLiteral("R"), QStringLiteral("S"), QStringLiteral("Ş"), QStringLiteral("T"), QStringLiteral("U"),
            QStringLiteral("Ü"), QStringLiteral("V"), QStringLiteral("W"), QStringLiteral("X"), QStringLiteral("Y"),
            QStringLiteral("Z")};
}

TForm2::TForm2(TDM2& dm, const Services& services, RegisterMemory& memory, PrintedForms& forms, MainCommands* commands,
               QWidget* parent)
    : QWidget(parent),
      m_dm(dm),
      m_services(services),
      m_memory(memory),
      m_forms(forms),
      m_commands(commands),
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

    buildToolBar();
    wireTextCertificates();
    buildPages();
    buildStatusBar();
    // Tab leaves a memo for the next control, as Enter does.
    for (DBMemo* memoBox : findChildren<DBMemo*>())
        memoBox->setTabChangesFocus(true);

    m_entryDatePicker->setDate(m_services.clock.today());
    m_moveOutDatePicker->setDate(m_services.clock.today());
    TDM2::reopen(register_(), wholeTableSql());
    register_()->refresh();
    setUpCalendar();

    connectDataset();
    wirePrintedCertificates();
    showPage(RecordCheckPage);
    paint(ColorState::Normal);

    m_countTimer = new QTimer(this);
    m_countTimer->setInterval(1000);
    connectCommand(m_services.errors, m_countTimer, &QTimer::timeout, this, &TForm2::updateRecordCount);
    m_countTimer->start();
    updateRecordCount();
    m_searchBox->setFocus();

    // The window sees every key before its controls do.
    qApp->installEventFilter(this);
}

TForm2::~TForm2()
{
    qApp->removeEventFilter(this);
}

Dataset* TForm2::register_() const
{
    return m_dm.Query2;
}

// ------------------------------------------------------------------ frame

void TForm2::buildToolBar()
{
    // A flat row of 24-pixel buttons, as the old toolbar: every item keeps
    // its place and width, so the row fits the window's width.
    auto* toolFrame = new QFrame(this);
    toolFrame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_toolFrame = toolFrame;
    auto* row = new QHBoxLayout(toolFrame);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(0);

    const auto separator = [toolFrame, row] {
        auto* line = new QFrame(toolFrame);
        line->setFrameStyle(QFrame::VLine | QFrame::Sunken);
        line->setFixedSize(6, 22);
        row->addWidget(line);
    };
    const auto add = [this, toolFrame, row](ToolItem item, const QIcon& icon, const QString& hint) {
        auto* action = new QAction(icon, hint, this);
        action->setToolTip(hint);
        auto* button = new QToolButton(toolFrame);
        button->setDefaultAction(action);
        button->setAutoRaise(true);
        button->setIconSize(QSize(18, 18));
        button->setFixedSize(24, 24);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAccessibleName(hint);
        row->addWidget(button);
        m_toolActions[item] = action;
        m_toolWidgets[item] = button;
        return action;
    };
    const auto cert = [&](ToolItem item, const QColor& band, const QString& tag, const QString& hint) {
        // The certificates arrive with their own windows; until then their
        // buttons are shown but cannot be pressed.
        add(item, registericons::certificate(band, tag), hint)->setEnabled(false);
    };

    connectCommand(m_services.errors, add(CloseItem, registericons::icon(Glyph::Close), QStringLiteral("Kapat")),
                   &QAction::triggered, this, &TForm2::closeWindow);
    separator();
    connectCommand(m_services.errors,
                   add(NewItem, registericons::icon(Glyph::NewRecord), QStringLiteral(" Yeni Kayıt ")),
                   &QAction::triggered, this, &TForm2::newRecord);
    connectCommand(m_services.errors, add(AddItem, registericons::icon(Glyph::AddRecord), QStringLiteral("Ekle ! ")),
                   &QAction::triggered, this, &TForm2::addRecord);
    connectCommand(m_services.errors, add(SaveItem, registericons::icon(Glyph::Save), QStringLiteral(" Kaydet ! ")),
                   &QAction::triggered, this, &TForm2::saveRecord);
    connectCommand(m_services.errors, add(DeleteItem, registericons::icon(Glyph::Delete), QStringLiteral(" Sil !")),
                   &QAction::triggered, this, &TForm2::deleteRecord);
    connectCommand(m_services.errors, add(CancelItem, registericons::icon(Glyph::Cancel), QStringLiteral("Vazgeç !")),
                   &QAction::triggered, this, &TForm2::cancelRecord);
    separator();
    connectCommand(m_services.errors, add(QueryItem, registericons::icon(Glyph::Query), QStringLiteral("Sorgula")),
                   &QAction::triggered, this, &TForm2::openQueryWindow);
    // The wipe button has no hint; it still needs a name for screen readers.
    QAction* wipe = add(WipeItem, registericons::icon(Glyph::Wipe), QString());
    wipe->setText(QStringLiteral("Veritabanını Boşalt"));
    wipe->setToolTip(QString());
    m_toolWidgets[WipeItem]->setToolTip(QString());
    m_toolWidgets[WipeItem]->setAccessibleName(QStringLiteral("Veritabanını Boşalt"));
    connectCommand(m_services.errors, wipe, &QAction::triggered, this, &TForm2::wipeDatabase);
    separator();
    separator();
    cert(DwellingItem, QColor(0, 110, 60), QStringLiteral("KK"), QStringLiteral("Konutta Kalanlar Belgesi"));
    cert(IdCopyItem, QColor(30, 70, 170), QStringLiteral("NC"), QStringLiteral("Nüfus Cüzdan Sureti "));
    cert(ResidenceItem, QColor(150, 20, 20), QStringLiteral("İB"), QStringLiteral("İkametgah Belgesi "));
    cert(IdChangeItem, QColor(110, 40, 140), QStringLiteral("ND"), QStringLiteral("Nüfus Cüzdanı Değiştirme Belgesi "));
    cert(IdChangeBackItem, QColor(110, 40, 140), QStringLiteral("N2"),
         QStringLiteral("Nüfus Cüzdanı Değiştirme Sayfa 2"));
    cert(MoveOutCertificateItem, QColor(190, 100, 0), QStringLiteral("NB"), QStringLiteral("Nakil Belgesi "));
    cert(PovertyItem, QColor(90, 90, 90), QStringLiteral("FB"), QStringLiteral("Fakirlik Belgesi "));
    cert(StatusItem, QColor(0, 110, 130), QStringLiteral("İH"), QStringLiteral(" İlmuhaber "));
    separator();
    separator();

    // The record-number panel: the current resident's number, white on maroon.
    auto* panel = new QFrame(toolFrame);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setFixedSize(176, 24);
    panel->setAccessibleName(QStringLiteral("Kayıt No"));
    auto* inner = new QHBoxLayout(panel);
    inner->setContentsMargins(4, 2, 2, 2);
    inner->setSpacing(2);
    auto* label = new QLabel(QStringLiteral("Kayıt No "), panel);
    m_toolbarNumber = new DBText(m_dm.DataSource1, QStringLiteral("KayitNo"), panel);
    m_toolbarNumber->setAlignment(Qt::AlignCenter);
    m_toolbarNumber->setFont(regui::pointFont(10, true));
    regui::setColors(m_toolbarNumber, kMaroon, Qt::white);
    m_toolbarNumber->setAccessibleName(QStringLiteral("Kayıt No"));
    inner->addWidget(label);
    inner->addWidget(m_toolbarNumber, 1);
    row->addWidget(panel);
    m_toolWidgets[RecordNumberItem] = panel;

    connectCommand(m_services.errors, add(HelpItem, registericons::icon(Glyph::Help), QStringLiteral("Yardım Dosyası")),
                   &QAction::triggered, this, &TForm2::showHelp);
    row->addStretch(1);
}

void TForm2::buildStatusBar()
{
    m_statusBar = new QStatusBar(this);
    m_statusBar->setSizeGripEnabled(false);
    auto* first = new QLabel(QStringLiteral("Zelvar 2001 - Bilgi Bankası"), m_statusBar);
    first->setFixedWidth(208);
    auto* second = new QLabel(m_statusBar);
    second->setFixedWidth(50);
    for (QLabel* panel : {first, second}) {
        panel->setAlignment(Qt::AlignCenter);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        m_statusBar->addWidget(panel);
    }
}

void TForm2::buildPages()
{
    m_pages = new QTabWidget(this);
    m_pages->setFixedSize(kPageWidth, kPageHeight);
    m_pages->tabBar()->setStyleSheet(QString::fromLatin1(kTabButtonStyle));
    m_pages->tabBar()->setDrawBase(false);
    m_pages->addTab(buildRecordCheckPage(), QStringLiteral("&Kayıt Kontrol"));
    m_pages->addTab(buildEntryPage(), QStringLiteral("&Bilgi Girişi     "));
    m_pages->addTab(buildCivilRegistryPage(), QStringLiteral("&Nüfus Bilgileri"));
    m_pages->addTab(buildDetailedViewPage(), QStringLiteral("&Ayrıntılı Bakış"));
    m_pages->addTab(buildDocumentsPage(), QStringLiteral("&Verilen Belgeler"));
    m_pages->addTab(buildMoveOutPage(), QStringLiteral("Nakil &Dosyası"));
    connectCommand(m_services.errors, m_pages, &QTabWidget::currentChanged, this, [this](int index) {
        keepFocusInside();
        if (!m_pageChangeByWindow)
            onTabChangedByUser(index);
    });
}

void TForm2::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_toolFrame->setGeometry(0, 0, width(), kToolbarHeight);
    m_statusBar->setGeometry(0, height() - kStatusHeight, width(), kStatusHeight);
    m_pages->move(centredPageOrigin(size(), m_pages->size(), kToolbarHeight));
    // The status bar lies over the foot of the pages, as the toolbar over
    // nothing: the page control is centred in the whole client area.
    m_statusBar->raise();
}

void TForm2::showPage(Page page)
{
    m_pageChangeByWindow = true;
    m_pages->setCurrentIndex(page);
    m_pageChangeByWindow = false;
}

void TForm2::keepFocusInside()
{
    // The page that went may have held the focus; the document frame then
    // takes it and the window's keys would no longer arrive. The page row
    // keeps it instead, and nothing is entered on the way.
    QWidget* focus = QApplication::focusWidget();
    if (focus && !isMine(focus) && focus->isAncestorOf(this))
        m_pages->tabBar()->setFocus(Qt::OtherFocusReason);
}

TForm2::Page TForm2::currentPage() const
{
    return Page(m_pages->currentIndex());
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

// ------------------------------------------------------------ colour state

QList<QWidget*> TForm2::datePickers() const
{
    return {m_entryDatePicker, m_moveOutDatePicker};
}

void TForm2::paint(ColorState state)
{
    m_colorState = state;
    const QColor color = colorOf(state);
    paintEntryControls(this, color);
    for (QWidget* picker : datePickers()) {
        QPalette pal = picker->palette();
        for (auto group : {QPalette::Active, QPalette::Inactive})
            pal.setColor(group, QPalette::Base, color);
        picker->setPalette(pal);
    }
}

void TForm2::paintByFlag()
{
    Dataset* q = register_();
    QString flag;
    if (q->isActive() && q->fieldIndex(QStringLiteral("Nakil")) >= 0)
        flag = q->displayText(QStringLiteral("Nakil"));
    paint(flag == QLatin1String("1") ? ColorState::MovedOut : ColorState::Normal);
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
    const int count = m_pages->count();
    if (mods == Qt::ControlModifier && event->key() == Qt::Key_Tab)
        return (m_pages->currentIndex() + 1) % count;
    if ((mods == (Qt::ControlModifier | Qt::ShiftModifier)) &&
        (event->key() == Qt::Key_Backtab || event->key() == Qt::Key_Tab))
        return (m_pages->currentIndex() + count - 1) % count;
    if (mods != Qt::AltModifier || event->key() < Qt::Key_A || event->key() > Qt::Key_Z)
        return -1;
    const QChar letter = QLatin1Char(char('A' + (event->key() - Qt::Key_A)));
    for (int page = 0; page < count; ++page) {
        const QString text = m_pages->tabText(page);
        const int amp = text.indexOf(QLatin1Char('&'));
        if (amp >= 0 && amp + 1 < text.size() && text.at(amp + 1).toUpper() == letter)
            return page;
    }
    return -1;
}

bool TForm2::isFrameBorder(const QPoint& pos) const
{
    return FixedFrame::isBorder(this, pos);
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
                m_pages->setCurrentIndex(page);
                return true;
            }
        }
        break;
    case QEvent::FocusIn:
        if (watched && watched == m_nationalityBox) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            // Coming back to the window is not entering the box.
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                runCommand(&m_services.errors, [this] { nationalityFill(); });
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
        moveFocusToNext();
        break;
    default:
        return false;
    }
    return true;
}

void TForm2::moveFocusToNext()
{
    // As a Tab would: the next control in tab order, memos included. Inside
    // the main window's document area the frame keeps the cycle within it.
    focusNextPrevChild(true);
}

// -------------------------------------------------------------- controls

void TForm2::registerBox(const QString& field, QWidget* box)
{
    m_boxes.insert(field, box);
}

QWidget* TForm2::entryBox(const QString& field) const
{
    for (auto it = m_boxes.begin(); it != m_boxes.end(); ++it)
        if (it.key().compare(field, Qt::CaseInsensitive) == 0)
            return it.value();
    return nullptr;
}

DBEdit* TForm2::edit(const QString& field) const
{
    return qobject_cast<DBEdit*>(entryBox(field));
}

DBComboBox* TForm2::combo(const QString& field) const
{
    return qobject_cast<DBComboBox*>(entryBox(field));
}

DBMemo* TForm2::memo(const QString& field) const
{
    return qobject_cast<DBMemo*>(entryBox(field));
}

QAbstractButton* TForm2::queryButton() const
{
    return qobject_cast<QAbstractButton*>(m_toolWidgets[QueryItem]);
}

} // namespace zelvar
