// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TSorgufrm: the query window "Bilgi Sorgu ve Listeleme", a modal dialog of
// the register window. It finds residents by one field like the general
// reports page and prints them as a name list, detailed list or labels
// through fresh report instances of its own, so the start-up instances of
// the statistics window stay as they were.
#include "platform/Services.h"
#include "reports/ListPrinter.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTimer;

namespace zelvar {

class ListingControls;
class TDM2;

class TSorgufrm : public QDialog {
    Q_OBJECT
public:
    static QString caption() { return QStringLiteral("Bilgi Sorgu ve Listeleme"); }
    static constexpr int kGuardInterval = 300; // ms

    TSorgufrm(TDM2& dm, const Services& services, QWidget* parent = nullptr);

    ListingControls* listing() const { return m_listing; }
    QPushButton* findButton() const { return m_find; }
    QPushButton* allButton() const { return m_all; }
    QPushButton* nameListButton() const { return m_nameList; }
    QPushButton* detailedListButton() const { return m_detailed; }
    QPushButton* labelsButton() const { return m_labels; }
    QPushButton* closeButton() const { return m_close; }
    QTimer* buttonGuard() const { return m_guard; }

public slots:
    void find();
    void all();
    // "&İsim": a name list with the chosen columns.
    void nameList();
    // "&Ayrıntı": a detailed list, always with photographs.
    void detailedList();
    // "&Etiket": address labels.
    void labels();
    // The list buttons follow whether Query1 is open at all.
    void guardButtons();

private:
    void buildControls();
    void placeControls();
    bool refuseEmptyList();

    TDM2& m_dm;
    Services m_services;
    ListPrinter m_printer;
    ListingControls* m_listing = nullptr;
    QPushButton* m_find = nullptr;
    QPushButton* m_all = nullptr;
    QPushButton* m_nameList = nullptr;
    QPushButton* m_detailed = nullptr;
    QPushButton* m_labels = nullptr;
    QPushButton* m_close = nullptr;
    QTimer* m_guard = nullptr;
};

} // namespace zelvar
