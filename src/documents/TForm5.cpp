// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/TForm5.h"
#include "ui/bound/BoundControl.h"

#include "data/TDM2.h"
#include "documents/TQRMDForm1.h"
#include "platform/Printing.h"
#include "ui/DatasetRows.h"
#include "ui/bound/DBGrid.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zelvar {

namespace {

QFont arial(int points)
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(points);
    return f;
}

QVector<GridColumn> declarationColumns()
{
    const auto col = [](const char* field, const char* title = nullptr, int width = 0) {
        return GridColumn{QString::fromLatin1(field), title ? QString::fromUtf8(title) : QString(), width};
    };
    return {col("NC_Seri", "Nü.Cüz.Seri No", 86),
            col("Adi", "Adı Soyadı"),
            col("BabaAdi", "Baba Adı"),
            col("AnaAdi", "Ana Adı"),
            col("DogYeri", "Doğum Yeri"),
            col("DogTar", "Doğum Tarihi"),
            col("Medeni", "Medeni Hali"),
            col("Dini"),
            col("Vilayeti", "Nüf. Kay. İl"),
            col("Kazasi", "İlçe"),
            col("MahalleKoyu", "Mahalle veya Köyü"),
            col("Cilt", "Cilt No"),
            col("Hane", "Kütük No"),
            col("Sayfa", "Sayfa No"),
            col("NC_Daire", "Ver.Nüf.Dairesi"),
            col("NC_Nedeni", "Veriliş Nedeni"),
            col("NC_KayitNo", "Nüf.Cüz.Kayıt No"),
            col("NC_Tarihi", "Nüf.Cüz.Tarihi"),
            col("Tabiyeti", "Uyruğu"),
            col("Cinsiyeti"),
            col("Meslek", "İşi -Öğr.ise Okulu"),
            col("Yakinlik", "Aile Reisine Yakınlığı"),
            col("OncekiAdresi", "Onceki Adresi"),
            col("YokTar", "Geliş Tarihi"),
            col("Telefon", nullptr, 100)};
}

} // namespace

QString TForm5::searchSql()
{
    return QStringLiteral("select * from  zelvarx\nwhere Adi <> '' and Sokak = ? and EvNo = ?");
}

TForm5::TForm5(TDM2& dm, Services services, TQRMDForm1& report, QWidget* parent)
    : QDialog(parent),
      m_dm(dm),
      m_services(services),
      m_report(report)
{
    setWindowTitle(caption());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowStaysOnTopHint);
    setModal(true);
    setFixedSize(622, 340);
    buildTopStrip();
    buildGrid();
    setTabOrder(m_street, m_number);
    setTabOrder(m_number, m_select);
    setTabOrder(m_select, m_print);
    setTabOrder(m_print, m_close);
    reportErrorsTo(this, m_services.errors);
    activate();
}

void TForm5::buildTopStrip()
{
    auto* streetLabel = new QLabel(QStringLiteral("Cadde veya Sokak ?"), this);
    streetLabel->setGeometry(8, 6, 121, 14);
    m_street = new QLineEdit(this);
    m_street->setGeometry(8, 22, 121, 21);
    m_street->setFont(arial(9));
    streetLabel->setBuddy(m_street);

    auto* numberLabel = new QLabel(QStringLiteral("Bina / Ev No ?"), this);
    numberLabel->setGeometry(140, 6, 99, 14);
    m_number = new QLineEdit(this);
    m_number->setGeometry(140, 22, 99, 21);
    m_number->setFont(arial(9));
    numberLabel->setBuddy(m_number);
    connectCommand(m_services.errors, m_number, &QLineEdit::returnPressed, this, &TForm5::search);

    const auto button = [this](const QString& text, int x) {
        auto* b = new QPushButton(text, this);
        b->setGeometry(x, 19, 75, 25);
        // Enter in the street box must not press a button.
        b->setAutoDefault(false);
        return b;
    };
    m_select = button(QStringLiteral("&Seç"), 262);
    m_print = button(QStringLiteral("&Yazdır"), 345);
    m_close = button(QStringLiteral("&Kapat"), 428);
    connectCommand(m_services.errors, m_select, &QPushButton::clicked, this, &TForm5::search);
    connectCommand(m_services.errors, m_print, &QPushButton::clicked, this, &TForm5::printReport);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

void TForm5::buildGrid()
{
    m_grid = new DBGrid(this);
    m_grid->setGeometry(0, 55, 622, 285);
    m_grid->setFont(arial(9));
    QFont titles(QStringLiteral("MS Sans Serif"));
    titles.setPointSize(8);
    m_grid->horizontalHeader()->setFont(titles);
    m_grid->setReadOnly(true);
    m_grid->setColumns(declarationColumns());
    m_grid->setAccessibleName(QStringLiteral("Konutta Oturanlar"));
}

void TForm5::activate()
{
    m_grid->setDataSource(nullptr);
    m_street->clear();
    m_number->clear();
    m_street->setFocus();
}

void TForm5::search()
{
    // The typed texts are bound: a quote in a street is searched for.
    TDM2::reopen(m_dm.Query1, searchSql(), {m_street->text(), m_number->text()});
    m_searched = true;
    m_grid->setDataSource(m_dm.ds2);
    if (m_dm.Query1->recordCount() == 0) {
        m_services.sound.beep();
        m_services.prompter.message(notFoundMessage());
    }
}

void TForm5::printReport()
{
    // Before a search here, the print query holds whatever another window
    // loaded last: that is not this address's declaration.
    if (!m_searched) {
        m_services.sound.beep();
        m_services.prompter.message(searchFirstMessage(), MessageKind::Warning);
        return;
    }
    if (m_services.prompter.ask(printQuestion(), Buttons::YesCancel) != Answer::Yes)
        return;
    auto page = std::make_shared<report::PagedReport>(m_report.definition(OfficeValues::read(*m_dm.tbMah)),
                                                      std::make_shared<DatasetRows>(m_dm.Query1));
    m_services.printing.preview(page);
    accept();
}

void TForm5::showHelp()
{
    m_services.help.showTopic(kHelpTopic);
}

void TForm5::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        activate();
}

void TForm5::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        showHelp();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace zelvar
