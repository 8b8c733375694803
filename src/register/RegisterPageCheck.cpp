// SPDX-License-Identifier: GPL-3.0-or-later
// Page 1 of the register window, "&Kayıt Kontrol": the office, the current
// resident, the search box and its toggles, the filters, the resident list
// and the alphabet panel.
#include "register/RegisterControls.h"
#include "register/RegisterRecords.h"

#include "data/TDM2.h"
#include "register/RegisterIcons.h"
#include "register/RegisterWidgets.h"
#include "ui/CountWidth.h"
#include "ui/bound/DBGrid.h"
#include "ui/bound/DBNavigator.h"
#include "ui/bound/DBText.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>

namespace zelvar {

namespace {

const QColor kNavy(0, 0, 64);
const QColor kMaroon(128, 0, 0);
const QColor kTeal(0, 128, 128);

DBText* displayPanel(QWidget* page, DataSource* source, const QString& field, const QRect& place, const QColor& back,
                     const QColor& text)
{
    auto* panel = new DBText(source, field, page);
    panel->setGeometry(place);
    panel->setAlignment(Qt::AlignCenter);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setFont(regui::pointFont(10, true));
    regui::setColors(panel, back, text);
    return panel;
}

} // namespace

QWidget* RegisterControls::buildRecordCheckPage(TDM2& dm)
{
    auto* page = new QWidget;
    constexpr int captionX = 10;
    constexpr int captionWidth = 72;
    constexpr int boxX = 86;
    constexpr int boxWidth = 210;
    constexpr int rowHeight = 22;

    // The office the register belongs to.
    int y = 10;
    const QList<QPair<QString, QString>> office = {{QStringLiteral("İli"), QStringLiteral("Il")},
                                                   {QStringLiteral("İlçesi"), QStringLiteral("Ilce")},
                                                   {QStringLiteral("Mahallesi"), QStringLiteral("Mahalle")}};
    for (const auto& [captionText, field] : office) {
        DBText* panel = displayPanel(page, dm.dsMah, field, QRect(boxX, y, boxWidth, rowHeight), kNavy, Qt::white);
        regui::caption(page, captionText, QRect(captionX, y, captionWidth, rowHeight), panel);
        y += rowHeight + 4;
    }

    // The current resident and the size of the result.
    y += 6;
    DBText* number = displayPanel(page, dm.DataSource1, QStringLiteral("KayitNo"), QRect(boxX, y, 76, rowHeight),
                                  kMaroon, Qt::white);
    regui::caption(page, QStringLiteral("Kayıt No"), QRect(captionX, y, captionWidth, rowHeight), number);
    recordCount = new QLineEdit(page);
    recordCount->setObjectName(QStringLiteral("recordCount"));
    recordCount->setReadOnly(true);
    recordCount->setFocusPolicy(Qt::NoFocus);
    recordCount->setAlignment(Qt::AlignCenter);
    recordCount->setFont(regui::pointFont(10, true));
    // As wide as a register of a million residents needs.
    const int countWidth = std::max(68, widthToShow(recordCount, QString::number(kLargestRegister)));
    recordCount->setGeometry(boxX + boxWidth - countWidth, y, countWidth, rowHeight);
    regui::setColors(recordCount, kTeal, Qt::white);
    regui::caption(page, QStringLiteral("Kayıt Sayısı"), QRect(boxX + 80, y, boxWidth - 82 - countWidth, rowHeight),
                   recordCount);
    y += rowHeight + 4;

    const QPalette app = page->palette();
    DBText* found = displayPanel(page, dm.DataSource1, QStringLiteral("Adi"), QRect(boxX, y, boxWidth, rowHeight),
                                 app.color(QPalette::Active, QPalette::Highlight),
                                 app.color(QPalette::Active, QPalette::HighlightedText));
    regui::caption(page, QStringLiteral("Bulunan Kişi"), QRect(captionX, y, captionWidth, rowHeight), found);
    y += rowHeight + 12;

    // The search box and its two modes.
    searchBox = new QLineEdit(page);
    searchBox->setObjectName(QStringLiteral("searchBox"));
    searchBox->setGeometry(boxX, y, boxWidth, rowHeight);
    regui::caption(page, QStringLiteral("Bul"), QRect(captionX, y, captionWidth, rowHeight), searchBox);
    y += rowHeight + 4;

    nameMode = regui::speedButton(page, QStringLiteral("İsim"), QStringLiteral("İsim Bul"), QRect(boxX, y, 62, 24));
    numberMode = regui::speedButton(page, QStringLiteral("Kayıt No "), QStringLiteral("Kayıt No Bul"),
                                    QRect(boxX + 64, y, 72, 24));
    nameMode->setObjectName(QStringLiteral("nameMode"));
    numberMode->setObjectName(QStringLiteral("numberMode"));
    auto* modes = new QButtonGroup(page);
    for (QToolButton* b : {nameMode, numberMode}) {
        b->setCheckable(true);
        modes->addButton(b);
    }
    nameMode->setChecked(true);

    quickFind = regui::speedButton(page, QStringLiteral("Hızlı Bul"), QStringLiteral("Hızlı Bul"),
                                   QRect(boxX + boxWidth - 70, y, 70, 24));
    quickFind->setObjectName(QStringLiteral("quickFind"));
    quickFind->setIcon(registericons::icon(registericons::Glyph::Find));
    quickFind->setIconSize(QSize(14, 14));
    quickFind->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    y += 30;

    // The surname filter and the whole table.
    surnameToggle = regui::speedButton(page, QStringLiteral("Soyadı Seç"), QString(), QRect(boxX, y, 104, 24));
    wholeTableToggle =
        regui::speedButton(page, QStringLiteral("Tüm Tablo"), QString(), QRect(boxX + boxWidth - 104, y, 104, 24));
    surnameToggle->setObjectName(QStringLiteral("surnameFilter"));
    wholeTableToggle->setObjectName(QStringLiteral("wholeTable"));
    auto* filters = new QButtonGroup(page);
    for (QToolButton* b : {surnameToggle, wholeTableToggle}) {
        b->setCheckable(true);
        filters->addButton(b);
    }
    wholeTableToggle->setChecked(true);
    y += 34;

    auto* navigator = new DBNavigator(dm.DataSource1, DBNavigator::movingButtons(), page);
    navigator->setGeometry(boxX, y, boxWidth, 26);
    navigator->setObjectName(QStringLiteral("recordCheckNavigator"));
    navigators[RecordCheckPage] = navigator;
    y += 36;

    checkToEntry = new QPushButton(QStringLiteral("Bilgi Girişi"), page);
    checkToEntry->setToolTip(QStringLiteral("[F6]"));
    checkToEntry->setGeometry(boxX, y, 104, 26);
    checkToCivil = new QPushButton(QStringLiteral("Nüfus Bilgileri"), page);
    checkToCivil->setToolTip(QStringLiteral("[F7]"));
    checkToCivil->setGeometry(boxX + boxWidth - 104, y, 104, 26);

    // Right half: the residents and the alphabet panel.
    auto* group = new QGroupBox(QStringLiteral("MAHALLEDE OTURANLAR"), page);
    group->setGeometry(306, 2, 317, 348);
    residentGrid = new DBGrid(dm.DataSource1,
                              {{QStringLiteral("KayitNo"), QStringLiteral("Kayıt No"), 60},
                               {QStringLiteral("Adi"), QStringLiteral("Adı Soyadı"), 170}},
                              group);
    residentGrid->setObjectName(QStringLiteral("residentGrid"));
    residentGrid->setReadOnly(true);
    residentGrid->setTabStop(false);
    residentGrid->setRowIndicator(true);
    residentGrid->setGridLines(true);
    residentGrid->setGeometry(8, 18, 248, 322);
    residentGrid->setAccessibleName(QStringLiteral("MAHALLEDE OTURANLAR"));

    auto* letterGroup = new QButtonGroup(group);
    letterGroup->setExclusive(true);
    const QStringList alphabet = RegisterRecords::alphabet();
    const QFont letterFont = regui::pointFont(8, true);
    for (int i = 0; i < alphabet.size(); ++i) {
        const QString& letter = alphabet[i];
        const bool left = i < 15;
        const int row = left ? i : i - 15;
        auto* button = regui::speedButton(group, letter, QString(), QRect(left ? 262 : 285, 18 + row * 20, 22, 20));
        button->setFont(letterFont);
        // "Q" and "W" do not stay down.
        if (letter != QLatin1String("Q") && letter != QLatin1String("W")) {
            button->setCheckable(true);
            letterGroup->addButton(button);
        }
        button->setObjectName(QStringLiteral("letter") + letter);
        letters.insert(letter, button);
    }
    endAlphabet = regui::glyphButton(group, registericons::icon(registericons::Glyph::Undo), QStringLiteral("Vazgeç !"),
                                     QRect(262, 18 + 15 * 20, 22, 20));
    endAlphabet->setObjectName(QStringLiteral("endAlphabet"));
    endAlphabet->setCheckable(true);
    letterGroup->addButton(endAlphabet);
    return page;
}

} // namespace zelvar
