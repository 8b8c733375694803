// SPDX-License-Identifier: GPL-3.0-or-later
// Pages 4 to 6 of the register window: the whole register in one grid, the
// documents issued with the clocks and the calendar, and the move-out file.
#include "register/RegisterControls.h"
#include "ui/RaisedCalendar.h"

#include "data/TDM2.h"
#include "platform/Clock.h"
#include "register/RegisterIcons.h"
#include "register/RegisterWidgets.h"
#include "ui/bound/DBEdit.h"
#include "ui/bound/DBGrid.h"
#include "ui/bound/DBMemo.h"
#include "ui/bound/DBNavigator.h"
#include "ui/clock/AnalogClock.h"
#include "ui/clock/DigitalClock.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTextCharFormat>
#include <QToolButton>

namespace zelvar {

namespace {

const QColor kNavy(0, 0, 64);
constexpr int boxHeight = 20;

} // namespace

QWidget* RegisterControls::buildDetailedViewPage(TDM2& dm)
{
    auto* page = new QWidget;
    auto* group = new QGroupBox(QStringLiteral("TÜM VERİ TABANI"), page);
    group->setGeometry(4, 2, 621, 314);
    const auto col = [](const char* field, const QString& title = QString()) {
        return GridColumn{QString::fromLatin1(field), title};
    };
    GridColumn number{QStringLiteral("KayitNo"), QStringLiteral("Kayıt No"), 0, true,
                      Qt::AlignHCenter,          QColor(128, 0, 0)};
    auto* detailGrid = new DBGrid(dm.DataSource1,
                                  {number,
                                   col("Adi", QStringLiteral("Adı Soyadı")),
                                   col("YokTar", QStringLiteral("Yoklama Tarihi")),
                                   col("Sokak"),
                                   col("Apartman"),
                                   col("Telefon", QStringLiteral("Ev Telefon")),
                                   col("IsTelefon", QStringLiteral("İş Telefon")),
                                   col("CepTel", QStringLiteral("CepTel.")),
                                   col("EvNo", QStringLiteral("Ev No")),
                                   col("EvDurum1", QStringLiteral("Ev Sahip/Kira")),
                                   col("Yakinlik", QStringLiteral("Yakınlığı")),
                                   col("BabaAdi", QStringLiteral("Baba Adı")),
                                   col("AnaAdi", QStringLiteral("Ana Adı")),
                                   col("DogYeri", QStringLiteral("Doğ. Yeri")),
                                   col("DogTar", QStringLiteral("Doğ.Tarihi")),
                                   col("Tabiyeti"),
                                   col("Cinsiyeti"),
                                   col("Meslek"),
                                   col("Dini"),
                                   col("Medeni", QStringLiteral("Medeni Hali")),
                                   col("EvDuru2", QStringLiteral("Okur/Yazar")),
                                   col("IlKodu", QStringLiteral("İl Kodu")),
                                   col("Vilayeti"),
                                   col("Kazasi", QStringLiteral("Kazası")),
                                   col("MahalleKoyu", QStringLiteral("Mah. Köy")),
                                   col("Hane"),
                                   col("Cilt"),
                                   col("Sayfa"),
                                   col("NC_Seri", QStringLiteral("Cüz.Seri")),
                                   col("NC_KayitNo", QStringLiteral("Cüz. Kayıt")),
                                   col("NC_Daire", QStringLiteral("Cüz.Ver.Da.")),
                                   col("NC_Nedeni", QStringLiteral("Cüz.Ver.Nedeni")),
                                   col("NC_Tarihi", QStringLiteral("Cüz.Tar.")),
                                   col("OncekiAdresi", QStringLiteral("Önceki Adresi1")),
                                   col("Oncekiadres2", QStringLiteral("Önceki Adres2")),
                                   col("GittigiAdres", QStringLiteral("Gittiği Adres1")),
                                   col("Gittigiadres2", QStringLiteral("Gittiği Adres2"))},
                                  group);
    detailGrid->setObjectName(QStringLiteral("detailGrid"));
    detailGrid->setGeometry(6, 18, 609, 288);
    detailGrid->setRowIndicator(true);
    detailGrid->setAccessibleName(QStringLiteral("TÜM VERİ TABANI"));

    auto* navigator = new DBNavigator(dm.DataSource1, DBNavigator::allButtons(), page);
    navigator->setObjectName(QStringLiteral("detailedViewNavigator"));
    navigator->setGeometry(8, 322, 280, 26);
    navigators[DetailedViewPage] = navigator;
    return page;
}

QWidget* RegisterControls::buildDocumentsPage(TDM2& dm, const Clock& clock)
{
    auto* page = new QWidget;

    auto* digital = new DigitalClock(clock, 16, page);
    digital->setColors(QColor(223, 223, 255), kNavy);
    digital->setGeometry(8, 8, 236, 32);
    digital->setAccessibleName(QStringLiteral("Saat"));

    auto* analog = new AnalogClock(clock, page);
    analog->setGeometry(62, 44, 128, 128);
    analog->setAccessibleName(QStringLiteral("Saat"));
    // A small picture in the clock's lower right corner brings the calendar
    // back to today.
    today = regui::glyphButton(analog, registericons::icon(registericons::Glyph::Today), QStringLiteral("Bugün"),
                               QRect(112, 112, 16, 16));
    today->setObjectName(QStringLiteral("today"));
    today->setAutoRaise(true);
    today->setIconSize(QSize(14, 14));

    calendar = new RaisedCalendar(page);
    calendar->setObjectName(QStringLiteral("calendar"));
    calendar->setGeometry(8, 176, 236, 172);
    calendar->setAccessibleName(QStringLiteral("Takvim"));
    calendar->setFocusPolicy(Qt::ClickFocus);
    calendar->setFirstDayOfWeek(Qt::Monday);
    calendar->setGridVisible(true);
    calendar->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calendar->setNavigationBarVisible(true);
    calendar->setSelectedDate(clock.today());

    auto* title = new QLabel(QStringLiteral("Aldığı Belgeler"), page);
    title->setFont(regui::pointFont(12, true));
    title->setGeometry(256, 6, 365, 24);
    auto* documents = new DBMemo(dm.DataSource1, QStringLiteral("Belgeler"), page);
    documents->setObjectName(QStringLiteral("documents"));
    documents->setGeometry(256, 32, 365, 316);
    documents->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    documents->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    documents->setLineWrapMode(QPlainTextEdit::NoWrap);
    documents->setFocusPolicy(Qt::ClickFocus);
    documents->setAccessibleName(QStringLiteral("Aldığı Belgeler"));
    title->setBuddy(documents);
    return page;
}

QWidget* RegisterControls::buildMoveOutPage(TDM2& dm)
{
    auto* page = new QWidget;
    DataSource* moveOut = dm.dsnakil;
    DataSource* resident = dm.DataSource1;

    // Left: the current move-out row next to the current resident.
    auto* details = new QGroupBox(QStringLiteral("Nakil Bilgileri"), page);
    details->setObjectName(QStringLiteral("moveOutDetails"));
    details->setGeometry(4, 2, 330, 314);
    int y = 20;
    const auto row = [&](const QString& captionText, QWidget* box, int height = boxHeight) {
        box->setParent(details);
        box->setGeometry(104, y, 216, height);
        regui::caption(details, captionText, QRect(8, y, 94, boxHeight), box);
        y += height + 3;
    };
    auto* name = new DBEdit(moveOut, QStringLiteral("ADI_SOYADI"));
    name->setFocusPolicy(Qt::ClickFocus);
    row(QStringLiteral("Adı Soyadı"), name);

    moveOutDatePicker = new QDateEdit;
    moveOutDatePicker->setObjectName(QStringLiteral("moveOutDate"));
    moveOutDatePicker->setCalendarPopup(true);
    moveOutDatePicker->setDisplayFormat(QString::fromLatin1(kDateFormat));
    row(QStringLiteral("Tarih"), moveOutDatePicker);
    moveOutDatePicker->setFixedWidth(110);

    row(QStringLiteral("Ayrılış Tarihi"), new DBEdit(moveOut, QStringLiteral("Tarih")));
    const QList<QPair<QString, QString>> residentRows = {
        {QStringLiteral("Baba Adı"), QStringLiteral("BabaAdi")},
        {QStringLiteral("Doğum Yeri"), QStringLiteral("DogYeri")},
        {QStringLiteral("Doğum Tarihi"), QStringLiteral("DogTar")},
        {QStringLiteral("Cadde / Sokak"), QStringLiteral("Sokak")},
        {QStringLiteral("Bina / Ev No"), QStringLiteral("EvNo")},
        {QStringLiteral("Apartman"), QStringLiteral("Apartman")},
    };
    for (const auto& [captionText, field] : residentRows) {
        auto* copy = new DBEdit(resident, field);
        copy->setReadOnly(true);
        row(captionText, copy);
    }
    auto* address = new DBMemo(moveOut, QStringLiteral("Not"));
    address->setFocusPolicy(Qt::ClickFocus);
    row(QStringLiteral("Gittiği Adres"), address, 40);
    row(QStringLiteral("Not"), new DBMemo(moveOut, QStringLiteral("Not2")), 314 - y - 8);

    // The cover lies over the whole details group.
    cover = new QLabel(page);
    cover->setObjectName(QStringLiteral("cover"));
    cover->setGeometry(details->geometry());
    cover->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    cover->setAlignment(Qt::AlignCenter);
    cover->setAccessibleName(QStringLiteral("Nakil Dosyası"));
    cover->raise();

    // Right: the move-out file with its search box.
    auto* list = new QGroupBox(QStringLiteral("NAKİL DOSYASI"), page);
    list->setGeometry(338, 2, 287, 314);
    moveOutSearch = new QLineEdit(list);
    moveOutSearch->setObjectName(QStringLiteral("moveOutSearch"));
    moveOutSearch->setFocusPolicy(Qt::ClickFocus);
    moveOutSearch->setGeometry(62, 18, 217, boxHeight);
    regui::caption(list, QStringLiteral("İsim Bul"), QRect(8, 18, 52, boxHeight), moveOutSearch);
    moveOutGrid = new DBGrid(
        moveOut,
        {{QStringLiteral("Tarih"), QString(), 74}, {QStringLiteral("ADI_SOYADI"), QStringLiteral("Adı Soyadı"), 170}},
        list);
    moveOutGrid->setObjectName(QStringLiteral("moveOutGrid"));
    moveOutGrid->setRowShading({});
    moveOutGrid->setColors(kNavy, Qt::white);
    moveOutGrid->setTabStop(false);
    moveOutGrid->setGeometry(8, 44, 271, 262);
    moveOutGrid->setAccessibleName(QStringLiteral("NAKİL DOSYASI"));

    auto* navigator = new DBNavigator(moveOut,
                                      {DBNavigator::First, DBNavigator::Prior, DBNavigator::Next, DBNavigator::Last,
                                       DBNavigator::Insert, DBNavigator::Delete, DBNavigator::Post},
                                      page);
    navigator->setObjectName(QStringLiteral("moveOutNavigator"));
    navigator->setGeometry(8, 322, 196, 26);
    navigators[MoveOutPage] = navigator;
    return page;
}

} // namespace zelvar
