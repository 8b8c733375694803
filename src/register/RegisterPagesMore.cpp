// Pages 4 to 6 of the register window: the whole register in one grid, the
// documents issued with the clocks and the calendar, and the move-out file.
#include "register/TForm2.h"
#include "ui/RaisedCalendar.h"

#include "data/TDM2.h"
#include "platform/Services.h"
#include "register/CoverPicture.h"
#include "register/RegisterIcons.h"
#include "register/RegisterWidgets.h"
#include "ui/bound/DBEdit.h"
#include "ui/bound/DBGrid.h"
#include "ui/bound/DBMemo.h"
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

QWidget* TForm2::buildDetailedViewPage()
{
    auto* page = new QWidget;
    auto* group = new QGroupBox(QStringLiteral("TÜM VERİ TABANI"), page);
    group->setGeometry(4, 2, 621, 314);
    const auto col = [](const char* field, const QString& title = QString()) {
        return GridColumn{QString::fromLatin1(field), title};
    };
    GridColumn number{QStringLiteral("KayitNo"), QStringLiteral("Kayıt No"), 0, true,
                      Qt::AlignHCenter,          QColor(128, 0, 0)};
    m_detailGrid = new DBGrid(m_dm.DataSource1,
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
    m_detailGrid->setGeometry(6, 18, 609, 288);
    m_detailGrid->setRowIndicator(true);
    m_detailGrid->setAccessibleName(QStringLiteral("TÜM VERİ TABANI"));

    auto* navigator = new DBNavigator(m_dm.DataSource1, DBNavigator::allButtons(), page);
    navigator->setPrompter(&m_services.prompter);
    navigator->setRemover([this] { removeCurrentResident(); });
    navigator->setGeometry(8, 322, 280, 26);
    connectCommand(m_services.errors, navigator, &DBNavigator::clicked, this, &TForm2::afterNavigator);
    m_navigators.insert(DetailedViewPage, navigator);
    return page;
}

QWidget* TForm2::buildDocumentsPage()
{
    auto* page = new QWidget;

    auto* digital = new DigitalClock(m_services.clock, 16, page);
    digital->setColors(QColor(223, 223, 255), kNavy);
    digital->setGeometry(8, 8, 236, 32);
    digital->setAccessibleName(QStringLiteral("Saat"));

    auto* analog = new AnalogClock(m_services.clock, page);
    analog->setGeometry(62, 44, 128, 128);
    analog->setAccessibleName(QStringLiteral("Saat"));
    // A small picture in the clock's lower right corner brings the calendar
    // back to today.
    m_today = regui::glyphButton(analog, registericons::icon(registericons::Glyph::Today), QStringLiteral("Bugün"),
                                 QRect(112, 112, 16, 16));
    m_today->setAutoRaise(true);
    m_today->setIconSize(QSize(14, 14));
    connectCommand(m_services.errors, m_today, &QToolButton::clicked, this, [this] {
        const QDate today = m_services.clock.today();
        m_calendar->setSelectedDate(today);
        m_calendar->setCurrentPage(today.year(), today.month());
    });

    m_calendar = new RaisedCalendar(page);
    m_calendar->setGeometry(8, 176, 236, 172);
    m_calendar->setAccessibleName(QStringLiteral("Takvim"));
    m_calendar->setFocusPolicy(Qt::ClickFocus);

    auto* title = new QLabel(QStringLiteral("Aldığı Belgeler"), page);
    title->setFont(regui::pointFont(12, true));
    title->setGeometry(256, 6, 365, 24);
    m_documents = new DBMemo(m_dm.DataSource1, QStringLiteral("Belgeler"), page);
    m_documents->setGeometry(256, 32, 365, 316);
    m_documents->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_documents->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_documents->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_documents->setFocusPolicy(Qt::ClickFocus);
    m_documents->setAccessibleName(QStringLiteral("Aldığı Belgeler"));
    title->setBuddy(m_documents);
    return page;
}

void TForm2::setUpCalendar()
{
    m_calendar->setFirstDayOfWeek(Qt::Monday);
    m_calendar->setGridVisible(true);
    m_calendar->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setNavigationBarVisible(true);
    m_calendar->setSelectedDate(m_services.clock.today());
}

QWidget* TForm2::buildMoveOutPage()
{
    auto* page = new QWidget;
    DataSource* moveOut = m_dm.dsnakil;
    DataSource* resident = m_dm.DataSource1;

    // Left: the current move-out row next to the current resident.
    m_moveOutDetails = new QGroupBox(QStringLiteral("Nakil Bilgileri"), page);
    m_moveOutDetails->setGeometry(4, 2, 330, 314);
    QWidget* details = m_moveOutDetails;
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

    m_moveOutDatePicker = new QDateEdit;
    m_moveOutDatePicker->setCalendarPopup(true);
    m_moveOutDatePicker->setDisplayFormat(QString::fromLatin1(kDateFormat));
    row(QStringLiteral("Tarih"), m_moveOutDatePicker);
    m_moveOutDatePicker->setFixedWidth(110);
    QCalendarWidget* popup = m_moveOutDatePicker->calendarWidget();
    connectCommand(m_services.errors, popup, &QCalendarWidget::clicked, this, &TForm2::onMoveOutDatePicked);
    connectCommand(m_services.errors, popup, &QCalendarWidget::activated, this, &TForm2::onMoveOutDatePicked);

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
    m_cover = new QLabel(page);
    m_cover->setGeometry(m_moveOutDetails->geometry());
    m_cover->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_cover->setAlignment(Qt::AlignCenter);
    m_cover->setAccessibleName(QStringLiteral("Nakil Dosyası"));
    setCoverPicture(m_coverPicture->picture());
    m_cover->raise();

    // Right: the move-out file with its search box.
    auto* list = new QGroupBox(QStringLiteral("NAKİL DOSYASI"), page);
    list->setGeometry(338, 2, 287, 314);
    m_moveOutSearch = new QLineEdit(list);
    m_moveOutSearch->setFocusPolicy(Qt::ClickFocus);
    m_moveOutSearch->setGeometry(62, 18, 217, boxHeight);
    regui::caption(list, QStringLiteral("İsim Bul"), QRect(8, 18, 52, boxHeight), m_moveOutSearch);
    connectCommand(m_services.errors, m_moveOutSearch, &QLineEdit::textChanged, this, &TForm2::onMoveOutSearchChanged);
    m_moveOutGrid = new DBGrid(
        moveOut,
        {{QStringLiteral("Tarih"), QString(), 74}, {QStringLiteral("ADI_SOYADI"), QStringLiteral("Adı Soyadı"), 170}},
        list);
    m_moveOutGrid->setRowShading({});
    m_moveOutGrid->setColors(kNavy, Qt::white);
    m_moveOutGrid->setTabStop(false);
    m_moveOutGrid->setGeometry(8, 44, 271, 262);
    m_moveOutGrid->setAccessibleName(QStringLiteral("NAKİL DOSYASI"));
    connectCommand(m_services.errors, m_moveOutGrid, &DBGrid::clicked, this, [this] { onMoveOutListClicked(); });

    auto* navigator = new DBNavigator(moveOut,
                                      {DBNavigator::First, DBNavigator::Prior, DBNavigator::Next, DBNavigator::Last,
                                       DBNavigator::Insert, DBNavigator::Delete, DBNavigator::Post},
                                      page);
    navigator->setPrompter(&m_services.prompter);
    navigator->setGeometry(8, 322, 196, 26);
    connectCommand(m_services.errors, navigator, &DBNavigator::clicked, this, [this] { onMoveOutListClicked(); });
    m_navigators.insert(MoveOutPage, navigator);
    return page;
}

} // namespace zelvar
