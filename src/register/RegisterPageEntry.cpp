// SPDX-License-Identifier: GPL-3.0-or-later
// Page 2 of the register window, "&Bilgi Girişi     ": the address and the
// photograph on the left, the identity on the right, the record buttons
// below.
#include "register/RegisterControls.h"

#include "data/TDM2.h"
#include "register/RegisterIcons.h"
#include "register/RegisterWidgets.h"
#include "ui/bound/DBComboBox.h"
#include "ui/bound/DBEdit.h"
#include "ui/bound/DBImage.h"
#include "ui/bound/DBMemo.h"
#include "ui/bound/DBNavigator.h"
#include "ui/bound/DBRadioGroup.h"

#include <QButtonGroup>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace zelvar {

using registericons::Glyph;

namespace {

constexpr int kRowPitch = 21;
constexpr int kBoxHeight = 20;

const QString kChooseHint = QStringLiteral("Kutudan seçiniz!");

// Places "caption  box" rows one under the other inside a group.
struct Rows {
    QWidget* parent;
    int captionX;
    int captionWidth;
    int boxX;
    int boxWidth;
    int y;

    template <class Box>
    Box* add(const QString& captionText, Box* box, const QString& hint = QString(), int width = 0)
    {
        box->setParent(parent);
        box->setGeometry(boxX, y, width > 0 ? width : boxWidth, kBoxHeight);
        if (!hint.isEmpty())
            box->setToolTip(hint);
        regui::caption(parent, captionText, QRect(captionX, y, captionWidth, kBoxHeight), box);
        y += kRowPitch;
        return box;
    }
};

} // namespace

QWidget* RegisterControls::buildEntryPage(TDM2& dm)
{
    auto* page = new QWidget;
    DataSource* source = dm.DataSource1;
    const auto editBox = [&](const QString& field) {
        auto* box = new DBEdit(source, field);
        registerBox(field, box);
        return box;
    };
    const auto comboBox = [&](const QString& field, const QStringList& items) {
        auto* box = new DBComboBox(source, field, items);
        registerBox(field, box);
        return box;
    };
    const auto glyph = [](QWidget* parent, const char* name, Glyph icon, const QString& hint, const QRect& place) {
        QToolButton* button = regui::glyphButton(parent, registericons::icon(icon), hint, place);
        button->setObjectName(QLatin1String(name));
        return button;
    };

    // Left: address and photograph, in tab order.
    auto* address = new QGroupBox(QStringLiteral("FOTOĞRAF VE ADRES BİLGİLERİ"), page);
    address->setGeometry(4, 2, 326, 314);
    Rows left{address, 8, 94, 104, 108, 20};
    left.add(QStringLiteral("TaşındığıTarih"), editBox(QStringLiteral("YokTar")),
             QStringLiteral("Bugünün tarihi için çift tıklayınız!"));
    left.add(QStringLiteral("Cadde / Sokak"), editBox(QStringLiteral("Sokak")));
    left.add(QStringLiteral("Ev / Daire No"), editBox(QStringLiteral("EvNo")));
    left.add(QStringLiteral("Apartman Adı"), editBox(QStringLiteral("Apartman")));
    left.add(QStringLiteral("Ev sahibi /Kiracı "),
             comboBox(QStringLiteral("EvDurum1"), {QStringLiteral("Evsahibi"), QStringLiteral("Kiracı")}), kChooseHint);
    left.add(QStringLiteral("Ev Telefonu"), editBox(QStringLiteral("Telefon")));
    left.add(QStringLiteral("İş Telefonu"), editBox(QStringLiteral("IsTelefon")));

    auto* workAddress = new DBMemo(source, QStringLiteral("IsAdresi"), address);
    workAddress->setMaxLength(200);
    workAddress->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    workAddress->setGeometry(104, 184, 212, 54);
    registerBox(QStringLiteral("IsAdresi"), workAddress);
    regui::caption(address, QStringLiteral("İş Adresi"), QRect(8, 184, 94, kBoxHeight), workAddress);

    auto* photoPrint = new DBRadioGroup(QStringLiteral("Fotoğraflı Belge"), address);
    photoPrint->setObjectName(QStringLiteral("photoPrint"));
    photoPrint->setItems({QStringLiteral("Evet"), QStringLiteral("Hayır")}, {QStringLiteral("1"), QStringLiteral("0")});
    photoPrint->setColumns(2);
    photoPrint->bind(dm.dsMah, QStringLiteral("Fotobas"));
    photoPrint->setGeometry(8, 248, 150, 46);

    // The photograph with its four buttons, and the date picker.
    photo = new DBImage(dm.dsfoto, QStringLiteral("Foto"), address);
    photo->setObjectName(QStringLiteral("photo"));
    photo->setGeometry(220, 20, 96, 96);
    photo->setAccessibleName(QStringLiteral("Fotoğraf"));
    photoLoad =
        glyph(address, "photoLoad", Glyph::PhotoLoad, QStringLiteral("Fotoğraf Yükle"), QRect(220, 118, 24, 22));
    photoDelete =
        glyph(address, "photoDelete", Glyph::PhotoDelete, QStringLiteral("Fotoğrafı Sil"), QRect(244, 118, 24, 22));
    photoShow = glyph(address, "photoShow", Glyph::PhotoShow, QStringLiteral("Fotoğraf Açık"), QRect(268, 118, 24, 22));
    photoHide =
        glyph(address, "photoHide", Glyph::PhotoHide, QStringLiteral("Fotoğraf Gizli"), QRect(292, 118, 24, 22));
    auto* shown = new QButtonGroup(address);
    for (QToolButton* b : {photoShow, photoHide}) {
        b->setCheckable(true);
        shown->addButton(b);
    }
    photoShow->setChecked(true);

    entryDatePicker = new QDateEdit(address);
    entryDatePicker->setObjectName(QStringLiteral("entryDate"));
    entryDatePicker->setCalendarPopup(true);
    entryDatePicker->setDisplayFormat(QString::fromLatin1(kDateFormat));
    entryDatePicker->setFocusPolicy(Qt::NoFocus);
    entryDatePicker->setGeometry(220, 158, 96, kBoxHeight);
    regui::caption(address, QStringLiteral("Tarih Seç"), QRect(220, 142, 96, 16), entryDatePicker);

    houseType = new DBRadioGroup(QStringLiteral("Konutun Türü"), address);
    houseType->setObjectName(QStringLiteral("houseType"));
    houseType->setItems({QStringLiteral("Ev"), QStringLiteral("Apt.")}, {QStringLiteral("E"), QStringLiteral("A")});
    houseType->setColumns(2);
    houseType->bind(source, QStringLiteral("Konuturu"));
    houseType->setGeometry(166, 248, 150, 46);

    // Right: identity, in tab order.
    auto* identity = new QGroupBox(QStringLiteral("KİMLİK BİLGİLERİ"), page);
    identity->setGeometry(334, 2, 291, 314);
    Rows right{identity, 8, 118, 128, 128, 18};
    right.add(QStringLiteral("Adı - Soyadı"), editBox(QStringLiteral("Adi")));
    quickFindEntry =
        glyph(identity, "quickFindEntry", Glyph::Find, QStringLiteral("Hızlı Bul !"), QRect(259, 18, 22, kBoxHeight));
    right.add(
        QStringLiteral("Yakınlığı"),
        comboBox(QStringLiteral("Yakinlik"), {QStringLiteral("Kendisi"), QStringLiteral("Eşi"), QStringLiteral("Oğlu"),
                                              QStringLiteral("Kızı"), QStringLiteral("Akrabası")}));
    right.add(
        QStringLiteral("Medeni Hali"),
        comboBox(QStringLiteral("Medeni"), {QStringLiteral("Evli"), QStringLiteral("Bekar"), QStringLiteral("Dul")}),
        kChooseHint);
    right.add(QStringLiteral("Baba Adı"), editBox(QStringLiteral("BabaAdi")));
    right.add(QStringLiteral("Ana Adı"), editBox(QStringLiteral("AnaAdi")));
    right.add(QStringLiteral("Doğum Yeri"), editBox(QStringLiteral("DogYeri")));
    right.add(QStringLiteral("Doğum Tarihi"), editBox(QStringLiteral("DogTar")),
              QStringLiteral("Doğum tarihini gg.aa.yyyy olarak giriniz!"));
    nationalityBox = right.add(QStringLiteral("Tabiyeti"), editBox(QStringLiteral("Tabiyeti")),
                               QStringLiteral("T.C. için çift tıklayınız!"));
    right.add(QStringLiteral("Cinsiyeti"),
              comboBox(QStringLiteral("Cinsiyeti"), {QStringLiteral("Erkek"), QStringLiteral("Kadın")}), kChooseHint);
    right.add(QStringLiteral("İşi / Öğrenciyse Okulu"),
              comboBox(QStringLiteral("Meslek"),
                       {QStringLiteral("İşçi"), QStringLiteral("Memur"), QStringLiteral("Hekim"),
                        QStringLiteral("Öğretmen"), QStringLiteral("Ev Kadını"), QStringLiteral("Polis Memuru"),
                        QStringLiteral("Tüccar"), QStringLiteral("Serbest"), QStringLiteral("Sanayici"),
                        QStringLiteral("Emekli"), QStringLiteral("Esnaf"), QStringLiteral("Sanatkar"),
                        QStringLiteral("Çiftçi"), QStringLiteral("Sağlık Personeli"), QStringLiteral("Gazeteci"),
                        QStringLiteral("Yazar"), QString(), QString()}),
              kChooseHint);
    right.add(QStringLiteral("Sınıf / No"), editBox(QStringLiteral("Sinif_No")));
    right.add(QStringLiteral("Dini"),
              comboBox(QStringLiteral("Dini"),
                       {QStringLiteral("İslam"), QStringLiteral("Musevi"), QStringLiteral("Hıristiyan")}),
              kChooseHint);
    right.add(QStringLiteral("Okur-Yazar mı?"),
              comboBox(QStringLiteral("EvDuru2"), {QStringLiteral("Evet"), QStringLiteral("Hayır")}), kChooseHint);

    // Two small buttons at the foot of the group: to page 1 and to page 3.
    entryToCheck = glyph(identity, "entryToCheck", Glyph::PageBack, QString(), QRect(128, right.y + 1, 28, 18));
    entryToCheck->setAccessibleName(QStringLiteral("Kayıt Kontrol"));
    entryToCivil = glyph(identity, "entryToCivil", Glyph::PageForward, QString(), QRect(228, right.y + 1, 28, 18));
    entryToCivil->setAccessibleName(QStringLiteral("Nüfus Bilgileri"));

    // The button row: navigator, then the record buttons.
    auto* navigator = new DBNavigator(dm.DataSource1, DBNavigator::movingButtons(), page);
    navigator->setObjectName(QStringLiteral("entryNavigator"));
    navigator->setGeometry(8, 322, 124, 26);
    navigators[EntryPage] = navigator;

    const auto recordButton = [page](const char* name, const QString& text, const QString& hint, Glyph icon, int x) {
        auto* button = new QPushButton(registericons::icon(icon), text, page);
        button->setObjectName(QLatin1String(name));
        button->setToolTip(hint);
        button->setGeometry(x, 322, 92, 26);
        return button;
    };
    newButton = recordButton("newButton", QStringLiteral("&Yeni"), QStringLiteral("[F8]"), Glyph::NewRecord, 146);
    addButton = recordButton("addButton", QStringLiteral("&Ekle"), QStringLiteral("[F9]"), Glyph::AddRecord, 242);
    saveButton = recordButton("saveButton", QStringLiteral("&Gir"), QStringLiteral("[F10]"), Glyph::Save, 338);
    deleteButton = recordButton("deleteButton", QStringLiteral("&Sil"), QStringLiteral("[F11]"), Glyph::Delete, 434);
    cancelButton = recordButton("cancelButton", QStringLiteral("Va&zgeç"), QStringLiteral("[F12]"), Glyph::Cancel, 530);
    // Tab order of the row: Yeni, Gir, Sil, Vazgeç, Ekle.
    QWidget::setTabOrder(newButton, saveButton);
    QWidget::setTabOrder(saveButton, deleteButton);
    QWidget::setTabOrder(deleteButton, cancelButton);
    QWidget::setTabOrder(cancelButton, addButton);
    return page;
}

} // namespace zelvar
