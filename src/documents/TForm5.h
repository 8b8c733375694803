// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TForm5: the selection window of the dwelling residents declaration. The
// clerk types a street and a house number, "&Seç" loads the residents living
// there into the print query Query1 and the grid, and "&Yazdır" prints them
// as the declaration (TQRMDForm1). Help topic 103.
#include "platform/Services.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace zelvar {

class DBGrid;
class TDM2;
class TQRMDForm1;

class TForm5 : public QDialog {
    Q_OBJECT
public:
    TForm5(TDM2& dm, Services services, TQRMDForm1& report, QWidget* parent = nullptr);

    static QString caption() { return QStringLiteral("Konutta Oturanlar Kimlik Bildirme Belgesi Seçme Formu"); }
    static constexpr int kHelpTopic = 103;
    static QString notFoundMessage() { return QStringLiteral("Kayıt Bulunamadı!!"); }
    static QString printQuestion() { return QStringLiteral("Konutta Oturanlar Belgesi Yazdırılsın mı?"); }
    static QString searchFirstMessage() { return QStringLiteral("Lütfen Önce Adresi Yazıp Seç Düğmesine Basınız !"); }
    // Residents with a name at exactly this street and number; both bound.
    static QString searchSql();

    // Each time the window becomes active: the grid shows nothing, both
    // boxes are emptied and the street box gets the focus.
    void activate();
    void search();      // "&Seç", or Enter in the number box
    void printReport(); // "&Yazdır"
    void showHelp();

    QLineEdit* streetBox() const { return m_street; }
    QLineEdit* numberBox() const { return m_number; }
    QPushButton* selectButton() const { return m_select; }
    QPushButton* printButton() const { return m_print; }
    QPushButton* closeButton() const { return m_close; }
    DBGrid* grid() const { return m_grid; }

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildTopStrip();
    void buildGrid();

    TDM2& m_dm;
    Services m_services;
    TQRMDForm1& m_report;
    QLineEdit* m_street = nullptr;
    QLineEdit* m_number = nullptr;
    QPushButton* m_select = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_close = nullptr;
    DBGrid* m_grid = nullptr;
    bool m_searched = false; // Query1 holds this window's search
};

} // namespace zelvar
