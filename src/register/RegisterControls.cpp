// SPDX-License-Identifier: GPL-3.0-or-later
// The register window's frame: the toolbar, the status bar and the page
// control holding the six pages.
#include "register/RegisterControls.h"
#include "data/TDM2.h"
#include "platform/Clock.h"
#include "register/RegisterIcons.h"
#include "register/RegisterWidgets.h"
#include "ui/bound/DBMemo.h"
#include "ui/bound/DBText.h"

#include <QAction>
#include <QDateEdit>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

namespace zelvar {

using registericons::Glyph;

namespace {

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

void RegisterControls::build(QWidget* window, TDM2& dm, const Clock& clock)
{
    buildToolBar(window, dm);
    pages = new QTabWidget(window);
    pages->setObjectName(QStringLiteral("pages"));
    pages->setFixedSize(kPageWidth, kPageHeight);
    pages->tabBar()->setStyleSheet(QString::fromLatin1(kTabButtonStyle));
    pages->tabBar()->setDrawBase(false);
    pages->addTab(buildRecordCheckPage(dm), QStringLiteral("&Kayıt Kontrol"));
    pages->addTab(buildEntryPage(dm), QStringLiteral("&Bilgi Girişi     "));
    pages->addTab(buildCivilRegistryPage(dm), QStringLiteral("&Nüfus Bilgileri"));
    pages->addTab(buildDetailedViewPage(dm), QStringLiteral("&Ayrıntılı Bakış"));
    pages->addTab(buildDocumentsPage(dm, clock), QStringLiteral("&Verilen Belgeler"));
    pages->addTab(buildMoveOutPage(dm), QStringLiteral("Nakil &Dosyası"));
    buildStatusBar(window);
    // Tab leaves a memo for the next control, as Enter does.
    for (DBMemo* memo : window->findChildren<DBMemo*>())
        memo->setTabChangesFocus(true);
    entryDatePicker->setDate(clock.today());
    moveOutDatePicker->setDate(clock.today());
}

void RegisterControls::buildToolBar(QWidget* window, TDM2& dm)
{
    // A flat row of 24-pixel buttons, as the old toolbar: every item keeps
    // its place and width, so the row fits the window's width.
    auto* frame = new QFrame(window);
    frame->setObjectName(QStringLiteral("toolBar"));
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    toolBar = frame;
    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(0);

    const auto separator = [frame, row] {
        auto* line = new QFrame(frame);
        line->setFrameStyle(QFrame::VLine | QFrame::Sunken);
        line->setFixedSize(6, 22);
        row->addWidget(line);
    };
    const auto add = [this, window, frame, row](Tool tool, const char* name, const QIcon& icon, const QString& hint) {
        auto* action = new QAction(icon, hint, window);
        action->setObjectName(QLatin1String(name));
        action->setToolTip(hint);
        auto* button = new QToolButton(frame);
        button->setObjectName(QLatin1String(name));
        button->setDefaultAction(action);
        button->setAutoRaise(true);
        button->setIconSize(QSize(18, 18));
        button->setFixedSize(24, 24);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAccessibleName(hint);
        row->addWidget(button);
        tools[tool] = action;
        return button;
    };
    const auto cert = [&](Tool tool, const char* name, const QColor& band, const QString& tag, const QString& hint) {
        add(tool, name, registericons::certificate(band, tag), hint);
    };

    add(CloseTool, "close", registericons::icon(Glyph::Close), QStringLiteral("Kapat"));
    separator();
    add(NewTool, "newRecord", registericons::icon(Glyph::NewRecord), QStringLiteral(" Yeni Kayıt "));
    add(AddTool, "addRecord", registericons::icon(Glyph::AddRecord), QStringLiteral("Ekle ! "));
    add(SaveTool, "saveRecord", registericons::icon(Glyph::Save), QStringLiteral(" Kaydet ! "));
    add(DeleteTool, "deleteRecord", registericons::icon(Glyph::Delete), QStringLiteral(" Sil !"));
    add(CancelTool, "cancelRecord", registericons::icon(Glyph::Cancel), QStringLiteral("Vazgeç !"));
    separator();
    add(QueryTool, "query", registericons::icon(Glyph::Query), QStringLiteral("Sorgula"));
    // The wipe button has no hint; it still needs a name for screen readers.
    QToolButton* wipe = add(WipeTool, "wipe", registericons::icon(Glyph::Wipe), QString());
    tools[WipeTool]->setText(QStringLiteral("Veritabanını Boşalt"));
    tools[WipeTool]->setToolTip(QString());
    wipe->setToolTip(QString());
    wipe->setAccessibleName(QStringLiteral("Veritabanını Boşalt"));
    separator();
    separator();
    cert(DwellingTool, "dwellingDeclaration", QColor(0, 110, 60), QStringLiteral("KK"),
         QStringLiteral("Konutta Kalanlar Belgesi"));
    cert(IdCopyTool, "idCardCopy", QColor(30, 70, 170), QStringLiteral("NC"), QStringLiteral("Nüfus Cüzdan Sureti "));
    cert(ResidenceTool, "residenceCertificate", QColor(150, 20, 20), QStringLiteral("İB"),
         QStringLiteral("İkametgah Belgesi "));
    cert(IdChangeTool, "idCardChange", QColor(110, 40, 140), QStringLiteral("ND"),
         QStringLiteral("Nüfus Cüzdanı Değiştirme Belgesi "));
    cert(IdChangeBackTool, "idCardChangeBack", QColor(110, 40, 140), QStringLiteral("N2"),
         QStringLiteral("Nüfus Cüzdanı Değiştirme Sayfa 2"));
    cert(MoveOutCertificateTool, "moveOutCertificate", QColor(190, 100, 0), QStringLiteral("NB"),
         QStringLiteral("Nakil Belgesi "));
    cert(PovertyTool, "povertyCertificate", QColor(90, 90, 90), QStringLiteral("FB"),
         QStringLiteral("Fakirlik Belgesi "));
    cert(StatusTool, "statusCertificate", QColor(0, 110, 130), QStringLiteral("İH"), QStringLiteral(" İlmuhaber "));
    separator();
    separator();

    // The record-number panel: the current resident's number, white on maroon.
    auto* panel = new QFrame(frame);
    panel->setObjectName(QStringLiteral("recordNumberPanel"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setFixedSize(176, 24);
    panel->setAccessibleName(QStringLiteral("Kayıt No"));
    auto* inner = new QHBoxLayout(panel);
    inner->setContentsMargins(4, 2, 2, 2);
    inner->setSpacing(2);
    auto* number = new DBText(dm.DataSource1, QStringLiteral("KayitNo"), panel);
    number->setObjectName(QStringLiteral("recordNumber"));
    number->setAlignment(Qt::AlignCenter);
    number->setFont(regui::pointFont(10, true));
    regui::setColors(number, QColor(128, 0, 0), Qt::white);
    number->setAccessibleName(QStringLiteral("Kayıt No"));
    inner->addWidget(new QLabel(QStringLiteral("Kayıt No "), panel));
    inner->addWidget(number, 1);
    row->addWidget(panel);

    add(HelpTool, "help", registericons::icon(Glyph::Help), QStringLiteral("Yardım Dosyası"));
    row->addStretch(1);
}

void RegisterControls::buildStatusBar(QWidget* window)
{
    statusBar = new QStatusBar(window);
    statusBar->setObjectName(QStringLiteral("statusBar"));
    statusBar->setSizeGripEnabled(false);
    auto* first = new QLabel(QStringLiteral("Zelvar 2001 - Bilgi Bankası"), statusBar);
    first->setFixedWidth(208);
    auto* second = new QLabel(statusBar);
    second->setFixedWidth(50);
    for (QLabel* panel : {first, second}) {
        panel->setAlignment(Qt::AlignCenter);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        statusBar->addWidget(panel);
    }
}

void RegisterControls::registerBox(const QString& field, QWidget* box)
{
    box->setObjectName(field);
    boxes.insert(field, box);
}

QWidget* RegisterControls::entryBox(const QString& field) const
{
    if (QWidget* box = boxes.value(field))
        return box;
    for (auto it = boxes.begin(); it != boxes.end(); ++it)
        if (it.key().compare(field, Qt::CaseInsensitive) == 0)
            return it.value();
    return nullptr;
}

QList<QWidget*> RegisterControls::datePickers() const
{
    return {entryDatePicker, moveOutDatePicker};
}

} // namespace zelvar
