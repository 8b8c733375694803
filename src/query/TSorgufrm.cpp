// SPDX-License-Identifier: GPL-3.0-or-later
#include "query/TSorgufrm.h"

#include "data/TDM2.h"
#include "platform/Services.h"
#include "reports/GeneralReportsPage.h"
#include "reports/ListReports.h"
#include "reports/ListingControls.h"
#include "ui/bound/DBGrid.h"
#include "ui/bound/DBNavigator.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace zelvar {

namespace {

constexpr int kClientWidth = 520;
constexpr int kClientHeight = 324;

} // namespace

TSorgufrm::TSorgufrm(TDM2& dm, const Services& services, QWidget* parent)
    : QDialog(parent),
      m_dm(dm),
      m_services(services),
      m_printer(dm, services)
{
    setWindowTitle(caption());
    // A fixed frame with only the close button in its title bar.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);
    buildControls();
    placeControls();
    setFixedSize(kClientWidth, kClientHeight);

    // The name column alone, from the start.
    m_listing->totalLabel()->setText(QStringLiteral("Toplam Alan Uzunluğu = ") +
                                     QString::number(m_listing->total().value()));

    m_guard = new QTimer(this);
    m_guard->setInterval(kGuardInterval);
    connectCommand(m_services.errors, m_guard, &QTimer::timeout, this, &TSorgufrm::guardButtons);
    m_guard->start();
    guardButtons();
}

void TSorgufrm::buildControls()
{
    m_listing = new ListingControls(m_dm, m_services, this, true);
    m_listing->setFoundColor(palette().color(QPalette::ToolTipBase));

    auto button = [this](const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setAutoDefault(false);
        return b;
    };
    m_find = button(QStringLiteral("&Bul"));
    m_all = button(QStringLiteral("&Tümü"));
    m_nameList = button(QStringLiteral("&İsim"));
    m_detailed = button(QStringLiteral("&Ayrıntı"));
    m_labels = button(QStringLiteral("&Etiket"));
    m_close = button(QStringLiteral("&Kapat"));
    connectCommand(m_services.errors, m_find, &QPushButton::clicked, this, &TSorgufrm::find);
    connectCommand(m_services.errors, m_all, &QPushButton::clicked, this, &TSorgufrm::all);
    connectCommand(m_services.errors, m_nameList, &QPushButton::clicked, this, &TSorgufrm::nameList);
    connectCommand(m_services.errors, m_detailed, &QPushButton::clicked, this, &TSorgufrm::detailedList);
    connectCommand(m_services.errors, m_labels, &QPushButton::clicked, this, &TSorgufrm::labels);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

void TSorgufrm::placeControls()
{
    m_listing->kindGroup()->setGeometry(6, 4, 290, 96);
    m_listing->columnGroup()->setGeometry(302, 4, 212, 96);
    m_listing->wordLabel()->setGeometry(8, 102, 60, 18);
    m_listing->countLabel()->setGeometry(72, 102, 228, 18); // room for a million residents
    m_listing->totalLabel()->setGeometry(304, 102, 210, 18);
    m_listing->wordBox()->setGeometry(6, 122, 140, 24);
    int x = 150;
    for (QPushButton* b : {m_find, m_all, m_nameList, m_detailed, m_labels, m_close}) {
        b->setGeometry(x, 122, 58, 24);
        x += 61;
    }
    m_listing->grid()->setGeometry(6, 150, 508, 142);
    m_listing->navigator()->setGeometry(6, 296, 250, 24);
}

void TSorgufrm::guardButtons()
{
    const bool open = m_dm.Query1->isActive();
    for (QPushButton* b : {m_nameList, m_detailed, m_labels})
        b->setEnabled(open);
}

void TSorgufrm::find()
{
    m_listing->find();
}

void TSorgufrm::all()
{
    m_listing->all();
}

bool TSorgufrm::refuseEmptyList()
{
    if (m_listing->hasRows())
        return false;
    m_services.sound.beep();
    m_services.prompter.message(GeneralReportsPage::nothingToListMessage());
    return true;
}

void TSorgufrm::nameList()
{
    if (refuseEmptyList())
        return;
    if (!m_listing->total().fitsPaper()) {
        m_services.sound.beep();
        m_services.prompter.message(GeneralReportsPage::tooWideMessage());
        return;
    }
    // An instance for this preview only.
    TQRList report;
    report.setColumns(placeListColumns(m_listing->chosenColumns()));
    m_printer.previewNameList(report);
    all();
}

void TSorgufrm::detailedList()
{
    if (refuseEmptyList())
        return;
    try {
        // Photographs whatever the office's setting says.
        TQRListForm report;
        report.setPhotoPrinted(true);
        m_printer.previewDetailedList(report);
    } catch (...) {
        // A detailed list that cannot be made is dropped without a word.
    }
    all();
}

void TSorgufrm::labels()
{
    if (refuseEmptyList())
        return;
    TQRLabelForm report;
    m_printer.previewLabels(report);
    all();
}

} // namespace zelvar
