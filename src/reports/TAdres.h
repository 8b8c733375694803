// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TAdres: the statistics window. Counts the register by sex, literacy,
// tenure, marital status, unemployment, religion and age, draws the counts
// as two bar charts, and carries the general-reports and query-reports pages.
#include "platform/Services.h"
#include "reports/StatisticsRun.h"
#include "ui/PageCentring.h"
#include "ui/ValueLabel.h"

#include <QSize>
#include <QWidget>
#include <array>
#include <memory>

class QAction;
class QFrame;
class QLabel;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QToolBar;

namespace zelvar {

class BarChart;
class Dataset;
class GeneralReportsPage;
class QueryReportsPage;
struct ListReports;
class StatisticsStore;
class TDM2;

class TAdres : public QWidget {
    Q_OBJECT
public:
    // The lists print through the report instances made at start-up.
    TAdres(TDM2& dm, const Services& services, ListReports& reports, QWidget* parent = nullptr);
    // With report instances of its own.
    TAdres(TDM2& dm, const Services& services, QWidget* parent = nullptr);
    ~TAdres() override;

    static QString caption() { return QStringLiteral("İstatistik ve Raporlar"); }
    static QString blankDateMessage()
    {
        return QStringLiteral("Yanlış Girdiğiniz ya da Boş Bıraktığınız Doğum Tarihleri Var!");
    }
    static constexpr int kHelpTopic = 106;
    static constexpr int kClientWidth = 632;
    static constexpr int kClientHeight = 436;
    static constexpr int kToolbarHeight = 30;
    static constexpr int kStatusHeight = 20;

    // Counts the register, stores the counts in the chart tables, redraws the
    // charts and shows the counts. A resident without a usable birth date
    // stops it with a message and nothing changes. True when it completed.
    bool runStatistics();
    // The first count runs once the window is on the screen, so that its
    // message, if any, stands over the window.
    bool firstRunDone() const { return m_firstRunDone; }

    // What tests and the main window reach.
    QTabWidget* pages() const { return m_pages; }
    QToolBar* toolBar() const { return m_toolBar; }
    QStatusBar* statusBar() const { return m_statusBar; }
    BarChart* headcountChart() const { return m_headcountChart; }
    BarChart* ageChart() const { return m_ageChart; }
    ValueLabel* headcountPanel(Headcount h) const { return m_headcountPanels[h]; }
    ValueLabel* agePanel(AgeBracket b) const { return m_agePanels[b]; }
    QAction* exitAction() const { return m_exit; }
    QAction* updateAction() const { return m_update; }
    QAction* valuesAction() const { return m_values; }
    QAction* percentAction() const { return m_percent; }
    QAction* helpAction() const { return m_help; }
    QPushButton* headcountUpdateButton() const { return m_headcountUpdate; }
    QPushButton* ageUpdateButton() const { return m_ageUpdate; }
    GeneralReportsPage* generalReportsPage() const { return m_generalReports; }
    QueryReportsPage* queryReportsPage() const { return m_queryReports; }
    Dataset* headcountTable() const;
    Dataset* ageTable() const;

public slots:
    void closeWindow();
    void showHelp();
    void showValueMarks();
    void showPercentMarks();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    TAdres(TDM2& dm, const Services& services, ListReports* reports, QWidget* parent);
    void buildToolBar();
    void buildStatusBar();
    void buildPages();
    QWidget* buildHeadcountPage();
    QWidget* buildAgePage();
    ValueLabel* addCounter(QWidget* page, const QString& caption, const QRect& panel, int captionWidth);
    void showCounts(const StatisticsCounts& counts);

    TDM2& m_dm;
    Services m_services;
    std::unique_ptr<ListReports> m_ownReports;
    ListReports* m_reports;
    StatisticsStore* m_store; // the statistics source and the chart tables

    QToolBar* m_toolBar = nullptr;
    QFrame* m_toolFrame = nullptr;
    QStatusBar* m_statusBar = nullptr;
    QTabWidget* m_pages = nullptr;
    BarChart* m_headcountChart = nullptr;
    BarChart* m_ageChart = nullptr;
    std::array<ValueLabel*, HeadcountCount> m_headcountPanels{};
    std::array<ValueLabel*, AgeBracketCount> m_agePanels{};
    QAction* m_exit = nullptr;
    QAction* m_update = nullptr;
    QAction* m_values = nullptr;
    QAction* m_percent = nullptr;
    QAction* m_help = nullptr;
    QPushButton* m_headcountUpdate = nullptr;
    QPushButton* m_ageUpdate = nullptr;
    GeneralReportsPage* m_generalReports = nullptr;
    QueryReportsPage* m_queryReports = nullptr;
    bool m_firstRunStarted = false;
    bool m_firstRunDone = false;
};

} // namespace zelvar
