// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/GeneralReportsPage.h"

#include "data/TDM2.h"
#include "platform/Services.h"
#include "reports/ListIcons.h"
#include "reports/ListReports.h"
#include "reports/ListingControls.h"
#include "ui/bound/DBGrid.h"
#include "ui/bound/DBNavigator.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace zelvar {

namespace {

const QColor kBarBack(0, 0, 64);
constexpr int kBarWidth = 104;
constexpr int kLeft = kBarWidth + 6;

} // namespace

GeneralReportsPage::GeneralReportsPage(TDM2& dm, const Services& services, ListReports& reports, QWidget* parent)
    : QWidget(parent),
      m_dm(dm),
      m_services(services),
      m_reports(reports),
      m_printer(dm, services),
      m_export(services, this, QStringLiteral("Liste"))
{
    setObjectName(QStringLiteral("generalReportsPage"));
    buildButtonBar();
    m_listing = new ListingControls(dm, services, this, false);
    connectCommand(m_services.errors, m_listing, &ListingControls::foundRows, this,
                   &GeneralReportsPage::enableListButtons);

    m_find = new QPushButton(QStringLiteral("&Bul"), this);
    m_all = new QPushButton(QStringLiteral("&Tümü"), this);
    m_word = new QPushButton(QStringLiteral("&Word 'e"), this);
    m_excel = new QPushButton(QStringLiteral("&Excel ' e"), this);
    connectCommand(m_services.errors, m_word, &QPushButton::clicked, this, &GeneralReportsPage::exportToWord);
    connectCommand(m_services.errors, m_excel, &QPushButton::clicked, this, &GeneralReportsPage::exportToExcel);
    connectCommand(m_services.errors, m_find, &QPushButton::clicked, this, &GeneralReportsPage::find);
    connectCommand(m_services.errors, m_all, &QPushButton::clicked, this, &GeneralReportsPage::all);
    placeControls();
}

QWidget* GeneralReportsPage::buildButtonBar()
{
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("reportTypeBar"));
    bar->setGeometry(0, 0, kBarWidth, 360);
    bar->setAutoFillBackground(true);
    QPalette pal = bar->palette();
    pal.setColor(QPalette::Window, kBarBack);
    bar->setPalette(pal);
    // Light blue captions that turn light yellow under the mouse.
    bar->setStyleSheet(QStringLiteral("QToolButton { color: rgb(173, 216, 230); border: none; }"
                                      "QToolButton:hover { color: rgb(255, 255, 224); }"
                                      "QToolButton:disabled { color: rgb(110, 110, 150); }"
                                      "QLabel { color: white; background: rgb(0, 0, 100); }"));

    auto* heading = new QLabel(QStringLiteral("Rapor Tipi"), bar);
    heading->setAlignment(Qt::AlignCenter);
    heading->setGeometry(0, 0, kBarWidth, 22);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);

    m_nameListButton = addListButton(bar, listicons::nameList(), QStringLiteral("İsim Listesi"), 40);
    m_labelsButton = addListButton(bar, listicons::labels(), QStringLiteral("Adres Etiketleri"), 140);
    m_detailedButton = addListButton(bar, listicons::detailedList(), QStringLiteral("Ayrıntılı Liste"), 240);
    connectCommand(m_services.errors, m_nameListButton, &QToolButton::clicked, this, &GeneralReportsPage::nameList);
    connectCommand(m_services.errors, m_labelsButton, &QToolButton::clicked, this, &GeneralReportsPage::addressLabels);
    connectCommand(m_services.errors, m_detailedButton, &QToolButton::clicked, this, &GeneralReportsPage::detailedList);
    enableListButtons(false);
    return bar;
}

QToolButton* GeneralReportsPage::addListButton(QWidget* bar, const QIcon& icon, const QString& text, int top)
{
    auto* button = new QToolButton(bar);
    button->setIcon(icon);
    button->setIconSize(QSize(32, 32));
    button->setText(text);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setAccessibleName(text);
    button->setGeometry(2, top, kBarWidth - 4, 70);
    return button;
}

void GeneralReportsPage::placeControls()
{
    m_listing->kindGroup()->setGeometry(kLeft, 2, 292, 96);
    m_listing->columnGroup()->setGeometry(kLeft + 296, 2, 216, 96);
    m_listing->wordLabel()->setGeometry(kLeft, 104, 50, 22);
    m_listing->wordBox()->setGeometry(kLeft + 52, 104, 140, 22);
    // The count has the rest of the row, room for a million residents; the
    // field-length total stands beside the buttons.
    m_listing->countLabel()->setGeometry(kLeft + 196, 104, 316, 22);
    m_listing->totalLabel()->setGeometry(kLeft + 304, 130, 208, 24);
    m_find->setGeometry(kLeft, 130, 72, 24);
    m_all->setGeometry(kLeft + 76, 130, 72, 24);
    m_word->setGeometry(kLeft + 152, 130, 72, 24);
    m_excel->setGeometry(kLeft + 228, 130, 72, 24);
    m_listing->grid()->setGeometry(kLeft, 158, 512, 170);
    m_listing->navigator()->setGeometry(kLeft, 332, 250, 24);
}

void GeneralReportsPage::enableListButtons(bool on)
{
    for (QToolButton* b : {m_nameListButton, m_labelsButton, m_detailedButton})
        b->setEnabled(on);
}

void GeneralReportsPage::find()
{
    m_listing->find();
}

void GeneralReportsPage::all()
{
    m_listing->all();
}

// The lists print what Query1 holds; with nothing in it there is nothing to
// preview.
bool GeneralReportsPage::refuseEmptyList()
{
    if (m_listing->hasRows())
        return false;
    m_services.sound.beep();
    m_services.prompter.message(nothingToListMessage());
    return true;
}

void GeneralReportsPage::nameList()
{
    if (refuseEmptyList())
        return;
    if (!m_listing->total().fitsPaper()) {
        m_services.sound.beep();
        m_services.prompter.message(tooWideMessage());
        return;
    }
    m_reports.list.setColumns(placeListColumns(m_listing->chosenColumns()));
    m_printer.previewNameList(m_reports.list);
    all();
}

void GeneralReportsPage::addressLabels()
{
    if (refuseEmptyList())
        return;
    m_printer.previewLabels(m_reports.labels);
    all();
}

void GeneralReportsPage::detailedList()
{
    if (refuseEmptyList())
        return;
    try {
        // Only the exact text "0" turns the photographs off.
        const bool photo = m_dm.tbMah->isActive() && m_dm.tbMah->recordCount() > 0
                               ? m_dm.tbMah->displayText(QStringLiteral("Fotobas")) != QLatin1String("0")
                               : true;
        m_reports.listForm.setPhotoPrinted(photo);
        m_printer.previewDetailedList(m_reports.listForm);
    } catch (...) {
        // A detailed list that cannot be made is dropped without a word.
    }
    all();
}

void GeneralReportsPage::exportToExcel()
{
    m_export.run(m_dm.Query1, ExportCommand::Target::Spreadsheet, ExportCommand::generalSpreadsheetQuestion());
}

void GeneralReportsPage::exportToWord()
{
    m_export.run(m_dm.Query1, ExportCommand::Target::Document, ExportCommand::generalDocumentQuestion());
}

} // namespace zelvar
