// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// QueryReportsPage: the statistics window's page "&Sorgu Raporları". The
// user writes a column list and a condition, runs them as the free query
// Query7, gives each result column a printed heading and prints the result
// as the query list report, or exports it. The query runs beside the
// window, which keeps answering; a long one can be cancelled.
#include "data/FreeQueryRun.h"
#include "platform/Services.h"
#include "reports/ExportCommand.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zelvar {

class DBGrid;
class DBNavigator;
class QueryListReport;
class TDM2;
class TitleGrid;

class QueryReportsPage : public QWidget {
    Q_OBJECT
public:
    static QString rootText() { return QStringLiteral("Zelvarx Tablosu"); }
    static QStringList fieldNames();
    static QStringList conditionExamples();
    static QString noColumnsMessage() { return QStringLiteral("Lütfen Listelenecek Alanları Seçiniz !"); }
    static QString adiFirstMessage()
    {
        return QStringLiteral("Lütfen SQL Cümlenizde İlk Alan Olarak \"Adi\" Alanını Seçiniz !");
    }
    static QString notFoundMessage() { return QStringLiteral("Kayıt Bulunamadı !"); }
    static QString faultyQueryMessage() { return QStringLiteral("Sorgu Cümleniz Hatalı !"); }
    static QString tooLargeMessage()
    {
        return QStringLiteral("Sorgu Sonucu Çok Büyük ! Lütfen Daha Az Alan Seçiniz ya da Koşulu Daraltınız.");
    }
    static QString tooManyFieldsMessage()
    {
        return QStringLiteral("Sorgulamanızın Alan Sayısı Bu Rapor Tipi İçin Fazla ! Lütfen Text Dosya "
                              "Yazdırmayı ya da Excel'e , Word'e Aktarmayı Deneyiniz ");
    }
    static constexpr int kPrintableFields = 10;

    QueryReportsPage(TDM2& dm, const Services& services, QWidget* parent = nullptr);

    // The start-up instance of the query list report; without one the page
    // cannot print.
    void setReport(QueryListReport* report) { m_report = report; }
    QueryListReport* report() const { return m_report; }

    QTreeWidget* fieldTree() const { return m_tree; }
    QLineEdit* columnsBox() const { return m_columns; }
    QComboBox* conditionBox() const { return m_condition; }
    QLineEdit* titleBox() const { return m_title; }
    DBGrid* resultGrid() const { return m_result; }
    TitleGrid* titleGrid() const { return m_titles; }
    QLabel* fieldCountLabel() const { return m_fieldCount; }
    DBNavigator* navigator() const { return m_navigator; }
    QToolButton* clearButton() const { return m_clear; }
    QPushButton* queryButton() const { return m_query; }
    QPushButton* excelButton() const { return m_excel; }
    QPushButton* wordButton() const { return m_word; }
    QPushButton* printButton() const { return m_print; }
    QPushButton* previewButton() const { return m_preview; }
    ExportCommand& exportCommand() { return m_export; }

public slots:
    // Double-click in the field tree: the field is added to the column list.
    void addTreeField(QTreeWidgetItem* item);
    void query();
    void clear();
    void print();
    void preview();
    void exportToExcel();
    void exportToWord();

private:
    void buildTree();
    void buildBoxes();
    void buildResult();
    void buildButtons();
    FreeQueryRun::Outcome runBeside(const QString& columns, const QString& condition);
    void tellOutcome(FreeQueryRun::Outcome outcome);
    void showResult();
    void refreshResult();
    bool setUpReport();

    TDM2& m_dm;
    Services m_services;
    bool m_running = false;
    QString m_ranColumns;   // the pieces of the result shown,
    QString m_ranCondition; // which Refresh runs again
    ExportCommand m_export;
    QueryListReport* m_report = nullptr;

    QTreeWidget* m_tree = nullptr;
    QLineEdit* m_columns = nullptr;
    QToolButton* m_clear = nullptr;
    QComboBox* m_condition = nullptr;
    QLineEdit* m_title = nullptr;
    QPushButton* m_query = nullptr;
    DBGrid* m_result = nullptr;
    QLabel* m_fieldCount = nullptr;
    TitleGrid* m_titles = nullptr;
    DBNavigator* m_navigator = nullptr;
    QPushButton* m_excel = nullptr;
    QPushButton* m_word = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_preview = nullptr;
};

} // namespace zelvar
