// Page 3 of the register window, "&Nüfus Bilgileri": the civil-registry
// record, the previous and next addresses with the move-out flag, and the
// name list.
#include "register/TForm2.h"

#include "data/TDM2.h"
#include "register/RegisterIcons.h"
#include "register/RegisterWidgets.h"
#include "ui/bound/DBCheckBox.h"
#include "ui/bound/DBEdit.h"
#include "ui/bound/DBGrid.h"
#include "ui/bound/DBMemo.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace zelvar {

QWidget* TForm2::buildCivilRegistryPage()
{
    auto* page = new QWidget;
    DataSource* source = m_dm.DataSource1;
    constexpr int boxHeight = 20;

    // Left: the civil-registry record, in tab order.
    auto* registry = new QGroupBox(QStringLiteral("NÜFUS KAYIT BİLGİLERİ"), page);
    registry->setGeometry(4, 2, 236, 314);
    const QList<QPair<QString, QString>> rows = {
        {QStringLiteral("İl Kodu"), QStringLiteral("IlKodu")},
        {QStringLiteral("İli"), QStringLiteral("Vilayeti")},
        {QStringLiteral("İlçesi"), QStringLiteral("Kazasi")},
        {QStringLiteral("Mahalle veya Köyü"), QStringLiteral("MahalleKoyu")},
        {QStringLiteral("Cilt No"), QStringLiteral("Cilt")},
        {QStringLiteral("Aile Sıra No"), QStringLiteral("Hane")},
        {QStringLiteral("Sıra No"), QStringLiteral("Sayfa")},
        {QStringLiteral("Cüzdan/Psprt.Seri No"), QStringLiteral("NC_Seri")},
        {QStringLiteral("Cüz./Psprt. Kay. No"), QStringLiteral("NC_KayitNo")},
        {QStringLiteral("Verildiği Nüfus Dairesi"), QStringLiteral("NC_Daire")},
        {QStringLiteral("Veriliş Nedeni"), QStringLiteral("NC_Nedeni")},
        {QStringLiteral("Cüz./ Psprt.Tarihi"), QStringLiteral("NC_Tarihi")},
    };
    int y = 22;
    for (const auto& [captionText, field] : rows) {
        auto* box = new DBEdit(source, field, registry);
        box->setGeometry(128, y, 100, boxHeight);
        regui::caption(registry, captionText, QRect(8, y, 118, boxHeight), box);
        registerBox(field, box);
        y += 24;
    }
    m_provinceCodeBox = edit(QStringLiteral("IlKodu"));
    m_provinceCodeBox->setToolTip(QStringLiteral("İlin trafik kodunu giriniz!"));
    connectCommand(m_services.errors, m_provinceCodeBox, &QLineEdit::textChanged, this, [this] { provinceLookup(); });
    edit(QStringLiteral("Vilayeti"))->setFocusPolicy(Qt::ClickFocus);

    // Middle: where the resident came from and went to.
    auto* extra = new QGroupBox(QStringLiteral("EK BİLGİLER"), page);
    extra->setGeometry(244, 2, 206, 314);
    const QList<QPair<QString, QString>> lines = {
        {QStringLiteral("Geldiği Adres Satır 1"), QStringLiteral("OncekiAdresi")},
        {QStringLiteral("Geldiği Adres Satır 2"), QStringLiteral("Oncekiadres2")},
        {QStringLiteral("Gittiği Adres Satır 1"), QStringLiteral("GittigiAdres")},
        {QStringLiteral("Gittiği Adres Satır 2"), QStringLiteral("Gittigiadres2")},
    };
    y = 20;
    for (const auto& [captionText, field] : lines) {
        auto* box = new DBEdit(source, field, extra);
        // The second move-out line leaves room for the flag and its button.
        box->setGeometry(8, y + 16, field == QLatin1String("Gittigiadres2") ? 138 : 190, boxHeight);
        regui::caption(extra, captionText, QRect(8, y, 190, 16), box);
        registerBox(field, box);
        y += 42;
    }
    // The first move-out line keeps what is in it when it is entered.
    edit(QStringLiteral("GittigiAdres"))->setSelectAllOnFocus(false);

    m_moveOutFlag = new DBCheckBox(source, QStringLiteral("Nakil"), extra);
    m_moveOutFlag->setValues(QStringLiteral("1"), QStringLiteral("0"));
    m_moveOutFlag->setGeometry(152, 20 + 3 * 42 + 16, 18, boxHeight);
    m_moveOutFlag->setAccessibleName(QStringLiteral("Nakil"));
    m_moveOutAdd = regui::glyphButton(extra, registericons::icon(registericons::Glyph::MoveOutAdd),
                                      QStringLiteral("Nakil dosyasına ekle !"), QRect(172, 20 + 3 * 42 + 16, 26, 20));
    connectCommand(m_services.errors, m_moveOutAdd, &QToolButton::clicked, this, &TForm2::addToMoveOutFile);

    auto* note = new DBMemo(source, QStringLiteral("Not"), extra);
    note->setReadOnly(true);
    note->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    note->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    note->setLineWrapMode(QPlainTextEdit::NoWrap);
    note->setTextColor(Qt::white);
    note->setGeometry(8, y + 16, 190, 314 - y - 26);
    regui::caption(extra, QStringLiteral("Not"), QRect(8, y, 190, 16), note);
    registerBox(QStringLiteral("Not"), note);

    // Right: the name list.
    auto* names = new QGroupBox(QStringLiteral("İSİM LİSTESİ"), page);
    names->setGeometry(454, 2, 171, 314);
    m_nameList = new DBGrid(source, {{QStringLiteral("Adi"), QString(), 140}}, names);
    m_nameList->setGeometry(8, 18, 155, 288);
    m_nameList->setRowIndicator(true);
    m_nameList->setAccessibleName(QStringLiteral("İSİM LİSTESİ"));

    // Foot row: navigator with post, then the two ways off the page.
    auto* navigator = new DBNavigator(
        source, {DBNavigator::First, DBNavigator::Prior, DBNavigator::Next, DBNavigator::Last, DBNavigator::Post},
        page);
    navigator->setGeometry(244, 322, 140, 26);
    connectCommand(m_services.errors, navigator, &DBNavigator::clicked, this, &TForm2::afterCivilRegistryNavigator);
    m_navigators.insert(CivilRegistryPage, navigator);

    m_toEntry = new QPushButton(QStringLiteral("Bilgi Giriş"), page);
    m_toEntry->setToolTip(QStringLiteral("[F6]"));
    m_toEntry->setIcon(registericons::icon(registericons::Glyph::PageBack));
    m_toEntry->setGeometry(392, 322, 112, 26);
    m_toRecordCheck = new QPushButton(QStringLiteral("Kayıt Kontrol"), page);
    m_toRecordCheck->setToolTip(QStringLiteral("[F5]"));
    m_toRecordCheck->setIcon(registericons::icon(registericons::Glyph::PageBack));
    m_toRecordCheck->setGeometry(512, 322, 112, 26);
    connectCommand(m_services.errors, m_toEntry, &QPushButton::clicked, this, &TForm2::leaveToEntry);
    connectCommand(m_services.errors, m_toRecordCheck, &QPushButton::clicked, this, &TForm2::leaveToRecordCheck);
    return page;
}

} // namespace zelvar
