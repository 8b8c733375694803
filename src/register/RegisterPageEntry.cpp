// Page 2 of the register window, "&Bilgi Girişi     ": the address and the
// photograph on the left, the identity on the right, the record buttons
// below.
#include "register/TForm2.h"

#include "data/TDM2.h"
#include "register/RegisterIcons.h"
#include "register/RegisterWidgets.h"
#include "ui/bound/DBComboBox.h"
#include "ui/bound/DBEdit.h"
#include "ui/bound/DBImage.h"
#include "ui/bound/DBMemo.h"
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

QWidget* TForm2::buildEntryPage()
{
    auto* page = new QWidget;
    DataSource* source = m_dm.DataSource1;
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

    m_photoPrint = new DBRadioGroup(QStringLiteral("Fotoğraflı Belge"), address);
    m_photoPrint->setItems({QStringLiteral("Evet"), QStringLiteral("Hayır")},
                           {QStringLiteral("1"), QStringLiteral("0")});
    m_photoPrint->setColumns(2);
    m_photoPrint->bind(m_dm.dsMah, QStringLiteral("Fotobas"));
    m_photoPrint->setGeometry(8, 248, 150, 46);

    // The photograph with its four buttons, and the date picker.
    m_photo = new DBImage(m_dm.dsfoto, QStringLiteral("Foto"), address);
    m_photo->setGeometry(220, 20, 96, 96);
    m_photo->setAccessibleName(QStringLiteral("Fotoğraf"));
    m_photoLoad = regui::glyphButton(address, registericons::icon(Glyph::PhotoLoad), QStringLiteral("Fotoğraf Yükle"),
                                     QRect(220, 118, 24, 22));
    m_photoDelete = regui::glyphButton(address, registericons::icon(Glyph::PhotoDelete),
                                       QStringLiteral("Fotoğrafı Sil"), QRect(244, 118, 24, 22));
    m_photoShow = regui::glyphButton(address, registericons::icon(Glyph::PhotoShow), QStringLiteral("Fotoğraf Açık"),
                                     QRect(268, 118, 24, 22));
    m_photoHide = regui::glyphButton(address, registericons::icon(Glyph::PhotoHide), QStringLiteral("Fotoğraf Gizli"),
                                     QRect(292, 118, 24, 22));
    auto* shown = new QButtonGroup(address);
    for (QToolButton* b : {m_photoShow, m_photoHide}) {
        b->setCheckable(true);
        shown->addButton(b);
    }
    m_photoShow->setChecked(true);
    connectCommand(m_services.errors, m_photoLoad, &QToolButton::clicked, this, &TForm2::loadPhoto);
    connectCommand(m_services.errors, m_photoDelete, &QToolButton::clicked, this, &TForm2::deletePhoto);
    connectCommand(m_services.errors, m_photoShow, &QToolButton::clicked, this, &TForm2::showPhoto);
    connectCommand(m_services.errors, m_photoHide, &QToolButton::clicked, this, &TForm2::hidePhoto);

    m_entryDatePicker = new QDateEdit(address);
    m_entryDatePicker->setCalendarPopup(true);
    m_entryDatePicker->setDisplayFormat(QString::fromLatin1(kDateFormat));
    m_entryDatePicker->setFocusPolicy(Qt::NoFocus);
    m_entryDatePicker->setGeometry(220, 158, 96, kBoxHeight);
    regui::caption(address, QStringLiteral("Tarih Seç"), QRect(220, 142, 96, 16), m_entryDatePicker);
    // The date counts when it is chosen in the drop-down calendar.
    QCalendarWidget* popup = m_entryDatePicker->calendarWidget();
    connectCommand(m_services.errors, popup, &QCalendarWidget::clicked, this, &TForm2::entryDatePicked);
    connectCommand(m_services.errors, popup, &QCalendarWidget::activated, this, &TForm2::entryDatePicked);

    m_houseType = new DBRadioGroup(QStringLiteral("Konutun Türü"), address);
    m_houseType->setItems({QStringLiteral("Ev"), QStringLiteral("Apt.")}, {QStringLiteral("E"), QStringLiteral("A")});
    m_houseType->setColumns(2);
    m_houseType->bind(source, QStringLiteral("Konuturu"));
    m_houseType->setGeometry(166, 248, 150, 46);

    // Right: identity, in tab order.
    auto* identity = new QGroupBox(QStringLiteral("KİMLİK BİLGİLERİ"), page);
    identity->setGeometry(334, 2, 291, 314);
    Rows right{identity, 8, 118, 128, 128, 18};
    m_nameBox = right.add(QStringLiteral("Adı - Soyadı"), editBox(QStringLiteral("Adi")));
    m_quickFindEntry = regui::glyphButton(identity, registericons::icon(Glyph::Find), QStringLiteral("Hızlı Bul !"),
                                          QRect(259, 18, 22, kBoxHeight));
    connectCommand(m_services.errors, m_quickFindEntry, &QToolButton::clicked, this, &TForm2::quickFind);
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
    m_nationalityBox = right.add(QStringLiteral("Tabiyeti"), editBox(QStringLiteral("Tabiyeti")),
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
    auto* back =
        regui::glyphButton(identity, registericons::icon(Glyph::PageBack), QString(), QRect(128, right.y + 1, 28, 18));
    back->setAccessibleName(QStringLiteral("Kayıt Kontrol"));
    auto* forward = regui::glyphButton(identity, registericons::icon(Glyph::PageForward), QString(),
                                       QRect(228, right.y + 1, 28, 18));
    forward->setAccessibleName(QStringLiteral("Nüfus Bilgileri"));
    connectCommand(m_services.errors, back, &QToolButton::clicked, this, [this] { showPage(RecordCheckPage); });
    connectCommand(m_services.errors, forward, &QToolButton::clicked, this, [this] { showPage(CivilRegistryPage); });

    // The hidden box with the highest record number, read by New.
    m_maxNumberBox = new DBEdit(m_dm.DataSource2, TDM2::maxNumberField(), page);
    m_maxNumberBox->setReadOnly(true);
    m_maxNumberBox->setAccessibleName(QStringLiteral("En Büyük Kayıt No"));
    m_maxNumberBox->hide();

    // The button row: navigator, then the record buttons.
    auto* navigator = new DBNavigator(m_dm.DataSource1, DBNavigator::movingButtons(), page);
    navigator->setGeometry(8, 322, 124, 26);
    connectCommand(m_services.errors, navigator, &DBNavigator::clicked, this, &TForm2::afterNavigator);
    m_navigators.insert(EntryPage, navigator);

    const auto recordButton = [page](const QString& text, const QString& hint, int x) {
        auto* button = new QPushButton(text, page);
        button->setToolTip(hint);
        button->setGeometry(x, 322, 92, 26);
        return button;
    };
    m_newButton = recordButton(QStringLiteral("&Yeni"), QStringLiteral("[F8]"), 146);
    m_addButton = recordButton(QStringLiteral("&Ekle"), QStringLiteral("[F9]"), 242);
    m_saveButton = recordButton(QStringLiteral("&Gir"), QStringLiteral("[F10]"), 338);
    m_deleteButton = recordButton(QStringLiteral("&Sil"), QStringLiteral("[F11]"), 434);
    m_cancelButton = recordButton(QStringLiteral("Va&zgeç"), QStringLiteral("[F12]"), 530);
    m_newButton->setIcon(registericons::icon(Glyph::NewRecord));
    m_addButton->setIcon(registericons::icon(Glyph::AddRecord));
    m_saveButton->setIcon(registericons::icon(Glyph::Save));
    m_deleteButton->setIcon(registericons::icon(Glyph::Delete));
    m_cancelButton->setIcon(registericons::icon(Glyph::Cancel));
    connectCommand(m_services.errors, m_newButton, &QPushButton::clicked, this, &TForm2::newRecord);
    connectCommand(m_services.errors, m_addButton, &QPushButton::clicked, this, &TForm2::addRecord);
    connectCommand(m_services.errors, m_saveButton, &QPushButton::clicked, this, &TForm2::saveRecord);
    connectCommand(m_services.errors, m_deleteButton, &QPushButton::clicked, this, &TForm2::deleteRecord);
    connectCommand(m_services.errors, m_cancelButton, &QPushButton::clicked, this, &TForm2::cancelRecord);
    // Tab order of the row: Yeni, Gir, Sil, Vazgeç, Ekle.
    QWidget::setTabOrder(m_newButton, m_saveButton);
    QWidget::setTabOrder(m_saveButton, m_deleteButton);
    QWidget::setTabOrder(m_deleteButton, m_cancelButton);
    QWidget::setTabOrder(m_cancelButton, m_addButton);
    return page;
}

void TForm2::showPhoto()
{
    m_photo->show();
    m_photoShow->setChecked(true);
}

void TForm2::hidePhoto()
{
    m_photo->hide();
    m_photoHide->setChecked(true);
}

} // namespace zelvar
