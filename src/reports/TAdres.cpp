// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/TAdres.h"

#include "data/Errors.h"
#include "data/StatisticsStore.h"
#include "data/TDM2.h"
#include "platform/Services.h"
#include "reports/GeneralReportsPage.h"
#include "reports/ListReports.h"
#include "reports/QueryReportsPage.h"
#include "reports/StatsIcons.h"
#include "ui/FixedFrame.h"
#include "ui/PleaseWaitWindow.h"
#include "ui/ValueLabel.h"
#include "ui/chart/BarChart.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace zelvar {

namespace {

const QColor kPanelBack(0, 0, 64);

// Left edge of the charts and counters inside a page.
constexpr int kPageLeft = 16;
constexpr int kChartTop = 34;

QLabel* headingPanel(QWidget* page, const QString& text, int pixelSize)
{
    auto* heading = new QLabel(text, page);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixelSize);
    f.setBold(true);
    heading->setFont(f);
    heading->setFrameStyle(QFrame::Panel | QFrame::Raised);
    heading->setLineWidth(1);
    heading->setAlignment(Qt::AlignCenter);
    heading->setMargin(2);
    heading->adjustSize();
    heading->setGeometry(8, 6, heading->width() + 16, 24);
    return heading;
}

} // namespace

TAdres::TAdres(TDM2& dm, const Services& services, QWidget* parent)
    : TAdres(dm, services, nullptr, parent)
{
}

TAdres::TAdres(TDM2& dm, const Services& services, ListReports& reports, QWidget* parent)
    : TAdres(dm, services, &reports, parent)
{
}

TAdres::TAdres(TDM2& dm, const Services& services, ListReports* reports, QWidget* parent)
    : QWidget(parent),
      m_dm(dm),
      m_services(services),
      m_ownReports(reports ? nullptr : std::make_unique<ListReports>()),
      m_reports(reports ? reports : m_ownReports.get())
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(caption());
    setFocusPolicy(Qt::StrongFocus);
    QFont small = font();
    small.setPixelSize(11);
    setFont(small);
    // Not resizable by dragging, but the frame may maximise it: then the page
    // area is centred.
    setMinimumSize(kClientWidth, kClientHeight);
    resize(kClientWidth, kClientHeight);
    new FixedFrame(this);

    m_store = new StatisticsStore(dm.database(), this);

    buildToolBar();
    buildPages();
    buildStatusBar();

    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setContext(Qt::WidgetWithChildrenShortcut);
    connectCommand(m_services.errors, f1, &QShortcut::activated, this, &TAdres::showHelp);
}

void TAdres::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_firstRunStarted)
        return;
    m_firstRunStarted = true;
    // Shown and painted first, then counted.
    QTimer::singleShot(0, this, [this] {
        (parentWidget() ? parentWidget() : this)->repaint();
        runCommand(&m_services.errors, [this] { runStatistics(); });
    });
}

TAdres::~TAdres() = default;

Dataset* TAdres::headcountTable() const
{
    return m_store->headcounts();
}

Dataset* TAdres::ageTable() const
{
    return m_store->ageBrackets();
}

void TAdres::buildToolBar()
{
    m_toolFrame = new QFrame(this);
    m_toolFrame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_toolBar = new QToolBar(m_toolFrame);
    m_toolBar->setIconSize(QSize(20, 20));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolBar->setMovable(false);
    auto* layout = new QVBoxLayout(m_toolFrame);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_toolBar);

    auto add = [this](const QIcon& icon, const QString& hint) {
        QAction* action = m_toolBar->addAction(icon, hint);
        action->setToolTip(hint);
        QWidget* button = m_toolBar->widgetForAction(action);
        button->setAccessibleName(hint);
        button->setFixedHeight(25);
        return action;
    };
    m_exit = add(statsicons::exit(), QStringLiteral(" Çık ! "));
    m_toolBar->addSeparator();
    m_toolBar->addSeparator();
    m_update = add(statsicons::updateChart(), QStringLiteral("Grafiği Güncelle !"));
    m_values = add(statsicons::values(), QStringLiteral("Grafikte Değer Göster !"));
    m_percent = add(statsicons::percent(), QStringLiteral("Grafikte Yüzde Oranı Göster !"));
    m_toolBar->addSeparator();
    m_toolBar->addSeparator();
    m_help = add(statsicons::help(), QStringLiteral("Yardım Dosyası"));
    m_toolBar->addSeparator();

    // Values and Percent: one of the two is always down.
    auto* marks = new QActionGroup(this);
    marks->setExclusive(true);
    for (QAction* a : {m_values, m_percent}) {
        a->setCheckable(true);
        marks->addAction(a);
    }
    m_values->setChecked(true);

    connectCommand(m_services.errors, m_exit, &QAction::triggered, this, &TAdres::closeWindow);
    connectCommand(m_services.errors, m_update, &QAction::triggered, this, [this] { runStatistics(); });
    connectCommand(m_services.errors, m_values, &QAction::triggered, this, &TAdres::showValueMarks);
    connectCommand(m_services.errors, m_percent, &QAction::triggered, this, &TAdres::showPercentMarks);
    connectCommand(m_services.errors, m_help, &QAction::triggered, this, &TAdres::showHelp);
}

void TAdres::buildStatusBar()
{
    m_statusBar = new QStatusBar(this);
    m_statusBar->setSizeGripEnabled(false);
    auto* first = new QLabel(QStringLiteral("Zelvar 2001 - İstatistik"), m_statusBar);
    first->setFixedWidth(125);
    first->setAlignment(Qt::AlignCenter);
    auto* second = new QLabel(m_statusBar);
    second->setFixedWidth(50);
    for (QLabel* panel : {first, second})
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_statusBar->addWidget(first);
    m_statusBar->addWidget(second);
}

void TAdres::buildPages()
{
    m_pages = new QTabWidget(this);
    m_pages->setFixedSize(kClientWidth, kClientHeight - kToolbarHeight - kStatusHeight);
    m_pages->addTab(buildHeadcountPage(), QStringLiteral("&Kişi Sayıları Grafiği"));
    m_pages->addTab(buildAgePage(), QStringLiteral("&Yaş Grupları Grafiği"));
    m_generalReports = new GeneralReportsPage(m_dm, m_services, *m_reports);
    m_pages->addTab(m_generalReports, QStringLiteral("&Genel Raporlar"));
    m_queryReports = new QueryReportsPage(m_dm, m_services);
    m_pages->addTab(m_queryReports, QStringLiteral("&Sorgu Raporları"));
    m_pages->setCurrentIndex(0);
}

ValueLabel* TAdres::addCounter(QWidget* page, const QString& captionText, const QRect& panelBox, int captionWidth)
{
    auto* label = new QLabel(captionText, page);
    label->setGeometry(panelBox.left(), panelBox.top() - 15, captionWidth, 14);

    auto* panel = new ValueLabel(page);
    panel->setGeometry(panelBox);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAlignment(Qt::AlignCenter);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, kPanelBack);
    pal.setColor(QPalette::WindowText, Qt::white);
    panel->setPalette(pal);
    QFont f = panel->font();
    f.setPixelSize(15);
    panel->setFont(f);
    panel->setAccessibleName(captionText);
    return panel;
}

QWidget* TAdres::buildHeadcountPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("headcountPage"));
    headingPanel(page, QStringLiteral("GENEL KİŞİ SAYILARI"), 15);

    m_headcountChart = new BarChart(page);
    m_headcountChart->setObjectName(QStringLiteral("headcountChart"));
    m_headcountChart->setGeometry(kPageLeft, kChartTop, 593, 221);
    m_headcountChart->setGradient(true);
    m_headcountChart->setBarWidthPercent(60);
    m_headcountChart->setDepthPercent(25);
    m_headcountChart->setTable(m_store->headcounts());

    // Two rows of counters under the chart; the update button takes the
    // place of the last two counters of the second row.
    constexpr int pitch = 101;
    constexpr int firstRow = 274;
    constexpr int secondRow = 318;
    const QList<Headcount> top{Women, Men, Literate, Illiterate, Unemployed, MinorityReligion};
    const QList<Headcount> bottom{Married, Single, Owners, Tenants};
    const QStringList captions = headcountLabels();
    for (int i = 0; i < top.size(); ++i)
        m_headcountPanels[top[i]] =
            addCounter(page, captions[top[i]], QRect(kPageLeft + i * pitch, firstRow, 89, 25), pitch - 4);
    for (int i = 0; i < bottom.size(); ++i)
        m_headcountPanels[bottom[i]] =
            addCounter(page, captions[bottom[i]], QRect(kPageLeft + i * pitch, secondRow, 89, 25), pitch - 4);

    m_headcountUpdate = new QPushButton(QStringLiteral("Güncelle"), page);
    m_headcountUpdate->setGeometry(kPageLeft + 4 * pitch, secondRow, pitch + 89, 25);
    m_headcountUpdate->setToolTip(QStringLiteral("Grafiği Güncelle !"));
    connectCommand(m_services.errors, m_headcountUpdate, &QPushButton::clicked, this, [this] { runStatistics(); });
    return page;
}

QWidget* TAdres::buildAgePage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("agePage"));
    headingPanel(page, QStringLiteral("YAŞ GRUPLARI"), 16);

    m_ageChart = new BarChart(page);
    m_ageChart->setObjectName(QStringLiteral("ageChart"));
    m_ageChart->setGeometry(kPageLeft, kChartTop, 593, 220);
    m_ageChart->setGradient(false);
    m_ageChart->setBarWidthPercent(75);
    m_ageChart->setDepthPercent(35);
    m_ageChart->setTable(m_store->ageBrackets());

    constexpr int pitch = 102;
    constexpr int row = 274;
    const QStringList captions = ageBracketLabels();
    for (int i = 0; i < AgeBracketCount; ++i)
        m_agePanels[i] = addCounter(page, captions[i], QRect(kPageLeft + i * pitch, row, 80, 25), pitch - 2);

    m_ageUpdate = new QPushButton(QStringLiteral("&Güncelle"), page);
    m_ageUpdate->setGeometry(kPageLeft + 4 * pitch, row + 40, pitch + 80, 25);
    connectCommand(m_services.errors, m_ageUpdate, &QPushButton::clicked, this, [this] { runStatistics(); });
    return page;
}

bool TAdres::runStatistics()
{
    auto wait = std::make_unique<PleaseWaitWindow>(this);
    wait->showNow();

    bool complete = false;
    StatisticsCounts counts;
    try {
        const StatisticsOutcome outcome = zelvar::runStatistics(m_store->source(), m_services.clock.today());
        if (outcome.complete) {
            storeCounts(*m_store, outcome.counts);
            counts = outcome.counts;
            complete = true;
        }
    } catch (const ZelvarError&) {
        // A table that cannot be read or written stops the run like a
        // missing birth date; the transaction left both tables as they were.
    }
    try {
        // The charts read their tables again.
        m_store->reread();
    } catch (const ZelvarError&) {
        complete = false;
    }
    if (complete)
        showCounts(counts);
    wait.reset();

    m_firstRunDone = true;
    if (!complete)
        m_services.prompter.message(blankDateMessage());
    return complete;
}

void TAdres::showCounts(const StatisticsCounts& counts)
{
    for (int i = 0; i < HeadcountCount; ++i)
        m_headcountPanels[i]->setText(QString::number(counts.headcounts[i]));
    for (int i = 0; i < AgeBracketCount; ++i)
        m_agePanels[i]->setText(QString::number(counts.ageBrackets[i]));
}

void TAdres::closeWindow()
{
    // Inside the main window's document area the frame is what closes.
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->close();
    else
        close();
}

void TAdres::showHelp()
{
    m_services.help.showTopic(kHelpTopic);
}

void TAdres::showValueMarks()
{
    m_values->setChecked(true);
    m_headcountChart->setMarkStyle(MarkStyle::Value);
    m_ageChart->setMarkStyle(MarkStyle::Value);
}

void TAdres::showPercentMarks()
{
    m_percent->setChecked(true);
    m_headcountChart->setMarkStyle(MarkStyle::Percent);
    m_ageChart->setMarkStyle(MarkStyle::Percent);
}

void TAdres::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_toolFrame->setGeometry(0, 0, width(), kToolbarHeight);
    m_statusBar->setGeometry(0, height() - kStatusHeight, width(), kStatusHeight);
    // The status bar is left out of the client height: centring over it
    // would push the pages under it at the window's own size.
    const QSize client(width(), height() - kStatusHeight);
    m_pages->move(centredPageOrigin(client, m_pages->size(), kToolbarHeight));
}

void TAdres::keyPressEvent(QKeyEvent* event)
{
    const QWidget* focus = QApplication::focusWidget();
    // Esc belongs to the focused control unless the window itself holds the focus.
    if (event->key() == Qt::Key_Escape && (focus == this || focus == nullptr)) {
        closeWindow();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace zelvar
