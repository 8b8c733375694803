// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// GeneralReportsPage: the statistics window's page "&Genel Raporlar". It
// finds residents by one field, lets the user choose the name list's extra
// columns within the paper width, and prints the found residents as a name
// list, address labels or a detailed list through the start-up report
// instances.
#include "platform/Services.h"
#include "reports/ExportCommand.h"
#include "reports/ListPrinter.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QToolButton;

namespace zelvar {

class ListingControls;
class TDM2;
struct ListReports;

class GeneralReportsPage : public QWidget {
    Q_OBJECT
public:
    static QString nothingToListMessage() { return QStringLiteral("Listelenecek Herhangi Bir Bilgi Yok !"); }
    static QString tooWideMessage() { return QStringLiteral("Seçtiğiniz Alanlar Kağıda Sığmaz. Lütfen Azaltınız!"); }

    GeneralReportsPage(TDM2& dm, const Services& services, ListReports& reports, QWidget* parent = nullptr);

    ListingControls* listing() const { return m_listing; }
    QToolButton* nameListButton() const { return m_nameListButton; }
    QToolButton* labelsButton() const { return m_labelsButton; }
    QToolButton* detailedListButton() const { return m_detailedButton; }
    QPushButton* findButton() const { return m_find; }
    QPushButton* allButton() const { return m_all; }
    // The two export buttons send the found residents to a file.
    QPushButton* wordButton() const { return m_word; }
    QPushButton* excelButton() const { return m_excel; }
    ExportCommand& exportCommand() { return m_export; }

public slots:
    void find();
    void all();
    // "İsim Listesi": the name list with the chosen columns.
    void nameList();
    // "Adres Etiketleri"
    void addressLabels();
    // "Ayrıntılı Liste": photographs unless the office turned them off.
    void detailedList();
    void exportToExcel();
    void exportToWord();

private:
    QWidget* buildButtonBar();
    QToolButton* addListButton(QWidget* bar, const QIcon& icon, const QString& text, int top);
    void placeControls();
    void enableListButtons(bool on);
    bool refuseEmptyList();

    TDM2& m_dm;
    Services m_services;
    ListReports& m_reports;
    ListPrinter m_printer;
    ExportCommand m_export;
    ListingControls* m_listing = nullptr;
    QToolButton* m_nameListButton = nullptr;
    QToolButton* m_labelsButton = nullptr;
    QToolButton* m_detailedButton = nullptr;
    QPushButton* m_find = nullptr;
    QPushButton* m_all = nullptr;
    QPushButton* m_word = nullptr;
    QPushButton* m_excel = nullptr;
};

} // namespace zelvar
