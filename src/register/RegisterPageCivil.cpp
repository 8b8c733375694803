// SPDX-License-Identifier: GPL-3.0-or-later
// Page 3 of the register window, "&Nüfus Bilgileri": the civil-registry
// record, the previous and next addresses with the move-out flag, and the
// name list.
#include "register/RegisterControls.h"

#include "data/TDM2.h"
#include "register/RegisterIcons.h"
#include "register/RegisterWidgets.h"
#include "ui/bound/DBCheckBox.h"
#include "ui/bound/DBEdit.h"
#include "ui/bound/DBGrid.h"
#include "ui/bound/DBMemo.h"
#include "ui/bound/DBNavigator.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace zelvar {

QWidget* RegisterControls::buildCivilRegistryPage(TDM2& dm)
{
    auto* page = new QWidget;
    DataSource* source = dm.DataSource1;
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
    provinceCodeBox = static_cast<DBEdit*>(entryBox(QStringLiteral("IlKodu")));
    provinceCodeBox->setToolTip(QStringLiteral("İlin trafik kodunu giriniz!"));
    entryBox(QStringLiteral("Vilayeti"))->setFocusPolicy(Qt::ClickFocus);

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
    static_cast<DBEdit*>(entryBox(QStringLiteral("GittigiAdres")))->setSelectAllOnFocus(false);

    auto* moveOutFlag = new DBCheckBox(source, QStringLiteral("Nakil"), extra);
    moveOutFlag->setObjectName(QStringLiteral("moveOutFlag"));
    moveOutFlag->setValues(QStringLiteral("1"), QStringLiteral("0"));
    moveOutFlag->setGeometry(152, 20 + 3 * 42 + 16, 18, boxHeight);
    moveOutFlag->setAccessibleName(QStringLiteral("Nakil"));
    moveOutAdd = regui::glyphButton(extra, registericons::icon(registericons::Glyph::MoveOutAdd),
                                    QStringLiteral("Nakil dosyasına ekle !"), QRect(172, 20 + 3 * 42 + 16, 26, 20));
    moveOutAdd->setObjectName(QStringLiteral("moveOutAdd"));

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
    auto* nameList = new DBGrid(source, {{QStringLiteral("Adi"), QString(), 140}}, names);
    nameList->setObjectName(QStringLiteral("nameList"));
    nameList->setGeometry(8, 18, 155, 288);
    nameList->setRowIndicator(true);
    nameList->setAccessibleName(QStringLiteral("İSİM LİSTESİ"));

    // Foot row: navigator with post, then the two ways off the page.
    auto* navigator = new DBNavigator(
        source, {DBNavigator::First, DBNavigator::Prior, DBNavigator::Next, DBNavigator::Last, DBNavigator::Post},
        page);
    navigator->setObjectName(QStringLiteral("civilRegistryNavigator"));
    navigator->setGeometry(244, 322, 140, 26);
    navigators[CivilRegistryPage] = navigator;

    const auto leave = [page](const char* name, const QString& text, const QString& hint, int x) {
        auto* button = new QPushButton(registericons::icon(registericons::Glyph::PageBack), text, page);
        button->setObjectName(QLatin1String(name));
        button->setToolTip(hint);
        button->setGeometry(x, 322, 112, 26);
        return button;
    };
    civilToEntry = leave("civilToEntry", QStringLiteral("Bilgi Giriş"), QStringLiteral("[F6]"), 392);
    civilToCheck = leave("civilToCheck", QStringLiteral("Kayıt Kontrol"), QStringLiteral("[F5]"), 512);
    return page;
}

} // namespace zelvar
