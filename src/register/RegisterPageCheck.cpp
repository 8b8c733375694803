// Page 1 of the register window, "&Kayıt Kontrol": the office, the current
// resident, the search box and its toggles, the filters, the resident list
// and the alphabet panel.
#include "register/TForm2.h"

#include "data/TDM2.h"
#include "register/RegisterIcons.h"
#include "register/RegisterWidgets.h"
#include "ui/bound/DBGrid.h"
#include "ui/bound/DBText.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

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

QWidget* TForm2::buildRecordCheckPage()
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
        DBText* panel = displayPanel(page, m_dm.dsMah, field, QRect(boxX, y, boxWidth, rowHeight), kNavy, Qt::white);
        regui::caption(page, captionText, QRect(captionX, y, captionWidth, rowHeight), panel);
        y += rowHeight + 4;
    }

    // The current resident and the size of the result.
    y += 6;
    DBText* number = displayPanel(page, m_dm.DataSource1, QStringLiteral("KayitNo"), QRect(boxX, y, 76, rowHeight),
                                  kMaroon, Qt::white);
    regui::caption(page, QStringLiteral("Kayıt No"), QRect(captionX, y, captionWidth, rowHeight), number);
    m_recordCount = new QLineEdit(page);
    m_recordCount->setReadOnly(true);
    m_recordCount->setFocusPolicy(Qt::NoFocus);
    m_recordCount->setAlignment(Qt::AlignCenter);
    m_recordCount->setFont(regui::pointFont(10, true));
    m_recordCount->setGeometry(boxX + boxWidth - 68, y, 68, rowHeight);
    regui::setColors(m_recordCount, kTeal, Qt::white);
    regui::caption(page, QStringLiteral("Kayıt Sayısı"), QRect(boxX + 80, y, 60, rowHeight), m_recordCount);
    y += rowHeight + 4;

    const QPalette app = palette();
    DBText* found = displayPanel(page, m_dm.DataSource1, QStringLiteral("Adi"), QRect(boxX, y, boxWidth, rowHeight),
                                 app.color(QPalette::Active, QPalette::Highlight),
                                 app.color(QPalette::Active, QPalette::HighlightedText));
    regui::caption(page, QStringLiteral("Bulunan Kişi"), QRect(captionX, y, captionWidth, rowHeight), found);
    y += rowHeight + 12;

    // The search box and its two modes.
    m_searchBox = new QLineEdit(page);
    m_searchBox->setGeometry(boxX, y, boxWidth, rowHeight);
    regui::caption(page, QStringLiteral("Bul"), QRect(captionX, y, captionWidth, rowHeight), m_searchBox);
    connectCommand(m_services.errors, m_searchBox, &QLineEdit::textChanged, this, &TForm2::incrementalSearch);
    y += rowHeight + 4;

    m_nameMode = regui::speedButton(page, QStringLiteral("İsim"), QStringLiteral("İsim Bul"), QRect(boxX, y, 62, 24));
    m_numberMode = regui::speedButton(page, QStringLiteral("Kayıt No "), QStringLiteral("Kayıt No Bul"),
                                      QRect(boxX + 64, y, 72, 24));
    auto* modes = new QButtonGroup(page);
    for (QToolButton* b : {m_nameMode, m_numberMode}) {
        b->setCheckable(true);
        modes->addButton(b);
    }
    m_nameMode->setChecked(true);
    connectCommand(m_services.errors, m_nameMode, &QToolButton::clicked, this,
                   [this] { setSearchMode(SearchMode::Name); });
    connectCommand(m_services.errors, m_numberMode, &QToolButton::clicked, this,
                   [this] { setSearchMode(SearchMode::RecordNumber); });

    m_quickFind = regui::speedButton(page, QStringLiteral("Hızlı Bul"), QStringLiteral("Hızlı Bul"),
                                     QRect(boxX + boxWidth - 70, y, 70, 24));
    m_quickFind->setIcon(registericons::icon(registericons::Glyph::Find));
    m_quickFind->setIconSize(QSize(14, 14));
    m_quickFind->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connectCommand(m_services.errors, m_quickFind, &QToolButton::clicked, this, &TForm2::quickFind);
    y += 30;

    // The surname filter and the whole table.
    m_surnameToggle = regui::speedButton(page, QStringLiteral("Soyadı Seç"), QString(), QRect(boxX, y, 104, 24));
    m_wholeTableToggle =
        regui::speedButton(page, QStringLiteral("Tüm Tablo"), QString(), QRect(boxX + boxWidth - 104, y, 104, 24));
    auto* filters = new QButtonGroup(page);
    for (QToolButton* b : {m_surnameToggle, m_wholeTableToggle}) {
        b->setCheckable(true);
        filters->addButton(b);
    }
    m_wholeTableToggle->setChecked(true);
    connectCommand(m_services.errors, m_surnameToggle, &QToolButton::clicked, this, &TForm2::surnameFilter);
    connectCommand(m_services.errors, m_wholeTableToggle, &QToolButton::clicked, this, &TForm2::wholeTable);
    y += 34;

    auto* navigator = new DBNavigator(m_dm.DataSource1, DBNavigator::movingButtons(), page);
    navigator->setGeometry(boxX, y, boxWidth, 26);
    connectCommand(m_services.errors, navigator, &DBNavigator::clicked, this, &TForm2::afterNavigator);
    m_navigators.insert(RecordCheckPage, navigator);
    y += 36;

    auto* toEntry = new QPushButton(QStringLiteral("Bilgi Girişi"), page);
    toEntry->setToolTip(QStringLiteral("[F6]"));
    toEntry->setGeometry(boxX, y, 104, 26);
    auto* toCivil = new QPushButton(QStringLiteral("Nüfus Bilgileri"), page);
    toCivil->setToolTip(QStringLiteral("[F7]"));
    toCivil->setGeometry(boxX + boxWidth - 104, y, 104, 26);
    connectCommand(m_services.errors, toEntry, &QPushButton::clicked, this, [this] { showPage(EntryPage); });
    connectCommand(m_services.errors, toCivil, &QPushButton::clicked, this, [this] { showPage(CivilRegistryPage); });

    // Right half: the residents and the alphabet panel.
    auto* group = new QGroupBox(QStringLiteral("MAHALLEDE OTURANLAR"), page);
    group->setGeometry(306, 2, 317, 348);
    m_residentGrid = new DBGrid(m_dm.DataSource1,
                                {{QStringLiteral("KayitNo"), QStringLiteral("Kayıt No"), 60},
                                 {QStringLiteral("Adi"), QStringLiteral("Adı Soyadı"), 170}},
                                group);
    m_residentGrid->setReadOnly(true);
    m_residentGrid->setTabStop(false);
    m_residentGrid->setRowIndicator(true);
    m_residentGrid->setGridLines(true);
    m_residentGrid->setGeometry(8, 18, 248, 322);
    m_residentGrid->setAccessibleName(QStringLiteral("MAHALLEDE OTURANLAR"));

    m_letterGroup = new QButtonGroup(group);
    m_letterGroup->setExclusive(true);
    const QStringList letters = alphabet();
    const QFont letterFont = regui::pointFont(8, true);
    for (int i = 0; i < letters.size(); ++i) {
        const QString letter = letters[i];
        const bool left = i < 15;
        const int row = left ? i : i - 15;
        auto* button = regui::speedButton(group, letter, QString(), QRect(left ? 262 : 285, 18 + row * 20, 22, 20));
        button->setFont(letterFont);
        // "Q" and "W" do not stay down.
        if (letter != QLatin1String("Q") && letter != QLatin1String("W")) {
            button->setCheckable(true);
            m_letterGroup->addButton(button);
        }
        connectCommand(m_services.errors, button, &QToolButton::clicked, this,
                       [this, letter] { alphabetFilter(letter); });
        m_letters.insert(letter, button);
    }
    m_endAlphabet = regui::glyphButton(group, registericons::icon(registericons::Glyph::Undo),
                                       QStringLiteral("Vazgeç !"), QRect(262, 18 + 15 * 20, 22, 20));
    m_endAlphabet->setCheckable(true);
    m_letterGroup->addButton(m_endAlphabet);
    connectCommand(m_services.errors, m_endAlphabet, &QToolButton::clicked, this, &TForm2::endAlphabetFilter);
    return page;
}

} // namespace zelvar
