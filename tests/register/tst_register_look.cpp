// SPDX-License-Identifier: GPL-3.0-or-later
// The register window's look: its state when it opens, toolbar and status
// bar, pages and captions, the colour states, the grid shading, the page
// centring, and every page laid out inside its bounds with no control over
// another and no caption cut.
#include "RegisterGenerator.h"
#include "TestRegistry.h"
#include "tst_register_fixture.h"
#include "ui/PageCentring.h"
#include "ui/bound/DBCheckBox.h"
#include "ui/bound/DBGrid.h"
#include "ui/bound/DBImage.h"
#include "ui/bound/DBMemo.h"
#include "ui/bound/DBRadioGroup.h"
#include "ui/bound/DBText.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>

using namespace zelvar;
using namespace zelvar::testing;

namespace {

QColor baseOf(QWidget* w)
{
    return w->palette().color(QPalette::Active, QPalette::Base);
}

QStringList comboItems(DBComboBox* box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

// Direct children that the user sees, of the containers the pages are
// built from.
QList<QWidget*> visibleChildren(QWidget* parent)
{
    QList<QWidget*> shown;
    for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isHidden() && !child->isWindow())
            shown << child;
    return shown;
}

} // namespace

class RegisterLookTest : public QObject {
    Q_OBJECT
private slots:
    void stateWhenOpened()
    {
        RegisterFixture f;
        f.data.addResident("Ali Veli", 4);
        f.q()->close();
        f.q()->setSql("select * from zelvarx where adi like ?", {"X%"});
        f.q()->open();
        TForm2& w = f.open();
        QCOMPARE(w.windowTitle(), QString("Bilgi Bankası"));
        QVERIFY(w.testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(w.size(), QSize(635, 436));
        QCOMPARE(w.currentPage(), TForm2::RecordCheckPage);
        QVERIFY(child<QAbstractButton>(w, "nameMode")->isChecked());
        QVERIFY(child<QAbstractButton>(w, "wholeTable")->isChecked());
        QVERIFY(child<QAbstractButton>(w, "photoShow")->isChecked());
        QCOMPARE(f.q()->state(), Dataset::State::Browse); // opening edits nothing
        QCOMPARE(w.colorState(), ColorState::Normal);
        // The register is opened afresh on the whole table.
        QCOMPARE(f.q()->sql(), QString("select * from zelvarx"));
        QCOMPARE(f.q()->recordCount(), 1);
        QCOMPARE(child<DBText>(w, "recordNumber")->text(), QString("4"));
        // Value panels tell a screen reader their caption and their value.
        QHash<QString, QString> heard;
        for (QWidget* panel : w.findChildren<QWidget*>())
            if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(panel))
                if (iface->role() == QAccessible::StaticText && !iface->text(QAccessible::Value).isEmpty())
                    heard.insert(iface->text(QAccessible::Name), iface->text(QAccessible::Value));
        QCOMPARE(heard.value("Kayıt No"), QString("4"));
        QCOMPARE(heard.value("Bulunan Kişi"), f.name());
        QVERIFY(!f.name().isEmpty());
        QCOMPARE(child<QLineEdit>(w, "recordCount")->text(), QString("1"));
        QCOMPARE(child<QDateEdit>(w, "entryDate")->date(), f.fakes.clock.today());
        QCOMPARE(child<QDateEdit>(w, "entryDate")->displayFormat(), QString("dd.MM.yyyy"));
        QVERIFY(child<QDateEdit>(w, "entryDate")->calendarPopup());

        QCalendarWidget* c = child<QCalendarWidget>(w, "calendar");
        QCOMPARE(c->firstDayOfWeek(), Qt::Monday);
        QVERIFY(c->isGridVisible());
        QCOMPARE(c->horizontalHeaderFormat(), QCalendarWidget::ShortDayNames);
        QVERIFY(c->isNavigationBarVisible());
        c->setSelectedDate(QDate(2020, 1, 1));
        child<QAbstractButton>(w, "today")->click();
        QCOMPARE(c->selectedDate(), f.fakes.clock.today());

        // The day cells are drawn raised: light upper-left, dark lower-right
        // edges; the selected day pressed in.
        w.showPage(TForm2::DocumentsPage);
        auto* days = c->findChild<QTableView*>();
        QVERIFY(days);
        const QImage shot = c->grab().toImage();
        const QColor light = c->palette().color(QPalette::Light);
        const QColor dark = c->palette().color(QPalette::Dark);
        int raised = 0, sunken = 0;
        for (int row = 1; row < days->model()->rowCount(); ++row) {
            for (int column = 0; column < days->model()->columnCount(); ++column) {
                const QRect cell = days->visualRect(days->model()->index(row, column));
                const QPoint left = days->viewport()->mapTo(c, QPoint(cell.left(), cell.center().y()));
                const QPoint right = days->viewport()->mapTo(c, QPoint(cell.right(), cell.center().y()));
                const QColor upper = shot.pixelColor(left), lower = shot.pixelColor(right);
                raised += upper.rgb() == light.rgb() && lower.rgb() == dark.rgb();
                sunken += upper.rgb() == dark.rgb() && lower.rgb() == light.rgb();
            }
        }
        QCOMPARE(raised, 41); // six weeks of days, one of them selected
        QCOMPARE(sunken, 1);
    }

    void toolbarAndStatusBar()
    {
        RegisterFixture f;
        TForm2& w = f.open();
        const QStringList hints = {"Kapat",
                                   " Yeni Kayıt ",
                                   "Ekle ! ",
                                   " Kaydet ! ",
                                   " Sil !",
                                   "Vazgeç !",
                                   "Sorgula",
                                   "",
                                   "Konutta Kalanlar Belgesi",
                                   "Nüfus Cüzdan Sureti ",
                                   "İkametgah Belgesi ",
                                   "Nüfus Cüzdanı Değiştirme Belgesi ",
                                   "Nüfus Cüzdanı Değiştirme Sayfa 2",
                                   "Nakil Belgesi ",
                                   "Fakirlik Belgesi ",
                                   " İlmuhaber ",
                                   "",
                                   "Yardım Dosyası"};
        const QStringList items = {"close",
                                   "newRecord",
                                   "addRecord",
                                   "saveRecord",
                                   "deleteRecord",
                                   "cancelRecord",
                                   "query",
                                   "wipe",
                                   "dwellingDeclaration",
                                   "idCardCopy",
                                   "residenceCertificate",
                                   "idCardChange",
                                   "idCardChangeBack",
                                   "moveOutCertificate",
                                   "povertyCertificate",
                                   "statusCertificate",
                                   "recordNumberPanel",
                                   "help"};
        int left = -1;
        for (int i = 0; i < items.size(); ++i) {
            const QString& item = items[i];
            QWidget* button = child<QWidget>(w, item);
            QCOMPARE(button->toolTip(), hints[i]);
            QVERIFY(!button->accessibleName().isEmpty());
            QVERIFY(button->x() > left); // left to right in this order
            left = button->x();
            QVERIFY(button->geometry().right() < child<QWidget>(w, "toolBar")->width());
            if (item != "recordNumberPanel")
                QCOMPARE(button->height(), 24);
            // Every toolbar button works.
            const bool later = false;
            QCOMPARE(button->isEnabled(), !later);
        }
        QCOMPARE(child<QWidget>(w, "recordNumberPanel")->width(), 176);
        QVERIFY(child<QWidget>(w, "recordNumberPanel")->isAncestorOf(child<DBText>(w, "recordNumber")));
        QCOMPARE(child<DBText>(w, "recordNumber")->palette().color(QPalette::Window), QColor(128, 0, 0));
        QCOMPARE(child<DBText>(w, "recordNumber")->font().pixelSize(), 13);

        const QList<QLabel*> panels = child<QStatusBar>(w, "statusBar")->findChildren<QLabel*>();
        QCOMPARE(panels.size(), 2);
        QCOMPARE(panels[0]->text(), QString("Zelvar 2001 - Bilgi Bankası"));
        QCOMPARE(panels[0]->width(), 208);
        QVERIFY(panels[1]->text().isEmpty());
        QCOMPARE(panels[1]->width(), 50);

        child<QAction>(w, "help")->trigger();
        QCOMPARE(f.fakes.help.topics, QList<int>{102});
        child<QAction>(w, "close")->trigger();
        QTRY_VERIFY(f.window.isNull());
    }

    void pagesCaptionsAndLists()
    {
        RegisterFixture f;
        TForm2& w = f.open();
        const QStringList tabs = {"&Kayıt Kontrol",   "&Bilgi Girişi     ", "&Nüfus Bilgileri",
                                  "&Ayrıntılı Bakış", "&Verilen Belgeler",  "Nakil &Dosyası"};
        for (int i = 0; i < tabs.size(); ++i)
            QCOMPARE(child<QTabWidget>(w, "pages")->tabText(i), tabs[i]);
        QCOMPARE(child<QTabWidget>(w, "pages")->size(), QSize(633, 405));
        // All six tabs fit in one row, whichever is chosen.
        for (int i = 0; i < tabs.size(); ++i) {
            w.showPage(TForm2::Page(i));
            QTabBar* bar = child<QTabWidget>(w, "pages")->tabBar();
            QVERIFY(bar->tabRect(0).left() >= 0);
            QVERIFY(bar->tabRect(tabs.size() - 1).right() < bar->width());
        }
        QStringList groups;
        for (QGroupBox* g : w.findChildren<QGroupBox*>())
            if (!qobject_cast<DBRadioGroup*>(g))
                groups << g->title();
        groups.sort();
        QStringList expected = {"MAHALLEDE OTURANLAR", "FOTOĞRAF VE ADRES BİLGİLERİ",
                                "KİMLİK BİLGİLERİ",    "NÜFUS KAYIT BİLGİLERİ",
                                "EK BİLGİLER",         "İSİM LİSTESİ",
                                "TÜM VERİ TABANI",     "Nakil Bilgileri",
                                "NAKİL DOSYASI"};
        expected.sort();
        QCOMPARE(groups, expected);

        QCOMPARE(comboItems(combo(w, "EvDurum1")), (QStringList{"Evsahibi", "Kiracı"}));
        QCOMPARE(comboItems(combo(w, "Yakinlik")), (QStringList{"Kendisi", "Eşi", "Oğlu", "Kızı", "Akrabası"}));
        QCOMPARE(comboItems(combo(w, "Medeni")), (QStringList{"Evli", "Bekar", "Dul"}));
        QCOMPARE(comboItems(combo(w, "Cinsiyeti")), (QStringList{"Erkek", "Kadın"}));
        QCOMPARE(comboItems(combo(w, "Dini")), (QStringList{"İslam", "Musevi", "Hıristiyan"}));
        QCOMPARE(comboItems(combo(w, "EvDuru2")), (QStringList{"Evet", "Hayır"}));
        const QStringList jobs = comboItems(combo(w, "Meslek"));
        QCOMPARE(jobs.size(), 18);
        QCOMPARE(jobs.first(), QString("İşçi"));
        QCOMPARE(jobs[15], QString("Yazar"));
        QVERIFY(jobs[16].isEmpty() && jobs[17].isEmpty());
        for (const char* field : {"EvDurum1", "Yakinlik", "Medeni", "Cinsiyeti", "Meslek", "Dini", "EvDuru2"})
            QVERIFY(combo(w, field)->isEditable());
        for (const char* field : {"EvDurum1", "Medeni", "Cinsiyeti", "Meslek", "Dini", "EvDuru2"})
            QCOMPARE(combo(w, field)->toolTip(), QString("Kutudan seçiniz!"));
        QCOMPARE(edit(w, "YokTar")->toolTip(), QString("Bugünün tarihi için çift tıklayınız!"));
        QCOMPARE(edit(w, "DogTar")->toolTip(), QString("Doğum tarihini gg.aa.yyyy olarak giriniz!"));
        QCOMPARE(edit(w, "Tabiyeti")->toolTip(), QString("T.C. için çift tıklayınız!"));
        QCOMPARE(edit(w, "IlKodu")->toolTip(), QString("İlin trafik kodunu giriniz!"));
        QCOMPARE(memo(w, "IsAdresi")->maxLength(), 200);
        QCOMPARE(edit(w, "Vilayeti")->focusPolicy(), Qt::ClickFocus);
        QVERIFY(memo(w, "Not")->isReadOnly());
        QVERIFY(!edit(w, "GittigiAdres")->selectsAllOnFocus());
        QCOMPARE(child<DBRadioGroup>(w, "photoPrint")->codes(), (QStringList{"1", "0"}));
        QCOMPARE(child<DBRadioGroup>(w, "houseType")->codes(), (QStringList{"E", "A"}));
        QCOMPARE(child<DBCheckBox>(w, "moveOutFlag")->checkedValue(), QString("1"));
        QCOMPARE(child<QAbstractButton>(w, "moveOutAdd")->toolTip(), QString("Nakil dosyasına ekle !"));
        QCOMPARE(child<QAbstractButton>(w, "photoLoad")->toolTip(), QString("Fotoğraf Yükle"));
        QCOMPARE(child<QAbstractButton>(w, "photoDelete")->toolTip(), QString("Fotoğrafı Sil"));
        QCOMPARE(child<QAbstractButton>(w, "photoHide")->toolTip(), QString("Fotoğraf Gizli"));
        QCOMPARE(child<QAbstractButton>(w, "quickFindEntry")->toolTip(), QString("Hızlı Bul !"));
        QCOMPARE(child<QAbstractButton>(w, "endAlphabet")->toolTip(), QString("Vazgeç !"));
        QCOMPARE(child<QAbstractButton>(w, "nameMode")->toolTip(), QString("İsim Bul"));
        QCOMPARE(child<QAbstractButton>(w, "numberMode")->toolTip(), QString("Kayıt No Bul"));
        QCOMPARE(child<QAbstractButton>(w, "numberMode")->text(), QString("Kayıt No "));
        for (const QString& l : RegisterRecords::alphabet())
            QVERIFY(letter(w, l));
        QCOMPARE(RegisterRecords::alphabet().size(), 31);

        // Page 2's button row: hints, and the tab order Yeni, Gir, Sil, Vazgeç, Ekle.
        QCOMPARE(child<QPushButton>(w, "newButton")->toolTip(), QString("[F8]"));
        QCOMPARE(child<QPushButton>(w, "cancelButton")->text(), QString("Va&zgeç"));
        QCOMPARE(child<QPushButton>(w, "newButton")->nextInFocusChain(),
                 static_cast<QWidget*>(child<QPushButton>(w, "saveButton")));
        QCOMPARE(child<QPushButton>(w, "saveButton")->nextInFocusChain(),
                 static_cast<QWidget*>(child<QPushButton>(w, "deleteButton")));
        QCOMPARE(child<QPushButton>(w, "deleteButton")->nextInFocusChain(),
                 static_cast<QWidget*>(child<QPushButton>(w, "cancelButton")));
        QCOMPARE(child<QPushButton>(w, "cancelButton")->nextInFocusChain(),
                 static_cast<QWidget*>(child<QPushButton>(w, "addButton")));

        // Grids and navigators.
        QVERIFY(child<DBGrid>(w, "residentGrid")->isReadOnly());
        QCOMPARE(child<DBGrid>(w, "residentGrid")->focusPolicy(), Qt::ClickFocus);
        QCOMPARE(child<DBGrid>(w, "residentGrid")->model()->headerData(0, Qt::Horizontal).toString(),
                 QString("Kayıt No"));
        QCOMPARE(child<DBGrid>(w, "residentGrid")->columnWidth(1), 170);
        QCOMPARE(child<DBGrid>(w, "nameList")->model()->headerData(0, Qt::Horizontal).toString(), QString("Adi"));
        QAbstractItemModel* all = child<DBGrid>(w, "detailGrid")->model();
        QCOMPARE(all->columnCount(), 37);
        QCOMPARE(all->headerData(7, Qt::Horizontal).toString(), QString("CepTel."));
        QCOMPARE(all->headerData(3, Qt::Horizontal).toString(), QString("Sokak"));
        QCOMPARE(all->headerData(36, Qt::Horizontal).toString(), QString("Gittiği Adres2"));
        QVERIFY(!(all->flags(all->index(0, 0)) & Qt::ItemIsEditable)); // the number is read-only
        QCOMPARE(navigator(w, TForm2::DetailedViewPage)->visibleButtons().size(), 10);
        QCOMPARE(navigator(w, TForm2::CivilRegistryPage)->hint(DBNavigator::Post), QString("Kaydet"));
        QCOMPARE(navigator(w, TForm2::RecordCheckPage)->visibleButtons(), DBNavigator::movingButtons());
        QCOMPARE(navigator(w, TForm2::MoveOutPage)->visibleButtons().size(), 7);
        QCOMPARE(child<DBGrid>(w, "moveOutGrid")->model()->headerData(1, Qt::Horizontal).toString(),
                 QString("Adı Soyadı"));
        QCOMPARE(child<DBGrid>(w, "moveOutGrid")->focusPolicy(), Qt::ClickFocus);
        QCOMPARE(child<QLineEdit>(w, "moveOutSearch")->focusPolicy(), Qt::ClickFocus);
        QCOMPARE(child<DBMemo>(w, "documents")->focusPolicy(), Qt::ClickFocus);
    }

    void tabOrderOfTheEntryPage()
    {
        RegisterFixture f;
        f.data.dm().database().exec("insert into Mahalle (Il, Fotobas) values ('İzmir', '1')");
        f.data.dm().tbMah->refresh();
        f.data.addResident("Ali Veli", 1, {{"Konuturu", "E"}});
        TForm2& w = f.open();
        w.showPage(TForm2::EntryPage);
        edit(w, "YokTar")->setFocus();
        QStringList order;
        for (int step = 0; step < 28; ++step) {
            QWidget* focus = QApplication::focusWidget();
            const auto* button = qobject_cast<QAbstractButton*>(focus);
            order << (focus->accessibleName().isEmpty() && button ? button->text() : focus->accessibleName());
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        const QStringList expected = {
            "TaşındığıTarih", "Cadde / Sokak", "Ev / Daire No",  "Apartman Adı", "Ev sahibi /Kiracı",
            "Ev Telefonu",    "İş Telefonu",   "İş Adresi",      "Evet",         "Ev",
            "Adı - Soyadı",   "Yakınlığı",     "Medeni Hali",    "Baba Adı",     "Ana Adı",
            "Doğum Yeri",     "Doğum Tarihi",  "Tabiyeti",       "Cinsiyeti",    "İşi / Öğrenciyse Okulu",
            "Sınıf / No",     "Dini",          "Okur-Yazar mı?", "&Yeni",        "&Gir",
            "&Sil",           "Va&zgeç",       "&Ekle"};
        QCOMPARE(order, expected);
    }

    void everyEntryControlIsNamed()
    {
        RegisterFixture f;
        TForm2& w = f.open();
        int named = 0;
        for (BoundControl* control : entryControls(&w)) {
            QVERIFY2(!control->widget()->accessibleName().isEmpty(), qPrintable(control->dataField()));
            ++named;
        }
        QVERIFY(named > 40);
        for (QWidget* picker : w.findChildren<QDateEdit*>())
            QVERIFY(!picker->accessibleName().isEmpty());
        QCOMPARE(edit(w, "Adi")->accessibleName(), QString("Adı - Soyadı"));
        QCOMPARE(edit(w, "NC_Tarihi")->accessibleName(), QString("Cüz./ Psprt.Tarihi"));
        QCOMPARE(child<QLineEdit>(w, "searchBox")->accessibleName(), QString("Bul"));
    }

    void colourStatesPaintTheEntryControlsOnly()
    {
        RegisterFixture f;
        f.data.addResident("Ali Veli", 1);
        TForm2& w = f.open();
        const QColor grid = baseOf(child<DBGrid>(w, "residentGrid"));
        const QColor search = baseOf(child<QLineEdit>(w, "searchBox"));
        const QColor radio = baseOf(child<DBRadioGroup>(w, "houseType"));
        const QColor photo = baseOf(child<DBImage>(w, "photo"));
        const QColor flag = baseOf(child<DBCheckBox>(w, "moveOutFlag"));
        QCOMPARE(colorOf(ColorState::Entry), QColor(210, 210, 255));
        QCOMPARE(colorOf(ColorState::SurnameFilter), QColor(0, 255, 255));
        for (ColorState state :
             {ColorState::Entry, ColorState::SurnameFilter, ColorState::MovedOut, ColorState::Normal}) {
            w.paint(state);
            QCOMPARE(w.colorState(), state);
            const QList<BoundControl*> controls = entryControls(&w);
            for (BoundControl* control : controls)
                QCOMPARE(control->backgroundColor(), colorOf(state));
            for (QWidget* picker : w.findChildren<QDateEdit*>())
                QCOMPARE(baseOf(picker), colorOf(state));
            QCOMPARE(baseOf(child<DBGrid>(w, "residentGrid")), grid);
            QCOMPARE(baseOf(child<QLineEdit>(w, "searchBox")), search);
            QCOMPARE(baseOf(child<DBRadioGroup>(w, "houseType")), radio);
            QCOMPARE(baseOf(child<DBImage>(w, "photo")), photo);
            QCOMPARE(baseOf(child<DBCheckBox>(w, "moveOutFlag")), flag);
        }
        // The read-only copies of the move-out page are entry controls too.
        int copies = 0;
        for (BoundControl* control : entryControls(child<QGroupBox>(w, "moveOutDetails")))
            copies += control->dataSource() == f.data.dm().DataSource1 ? 1 : 0;
        QCOMPARE(copies, 6);
        QCOMPARE(colorOf(ColorState::Normal), QColor(Qt::white));
    }

    void gridsShadeEveryOtherRow()
    {
        RegisterFixture f;
        for (int i = 1; i <= 5; ++i)
            f.data.addResident(QString("Kişi %1").arg(i), i);
        TForm2& w = f.open();
        for (DBGrid* grid :
             {child<DBGrid>(w, "residentGrid"), child<DBGrid>(w, "nameList"), child<DBGrid>(w, "detailGrid")}) {
            QCOMPARE(grid->model()->rowCount(), 5);
            for (int row = 0; row < 5; ++row) {
                const QColor expected = row % 2 == 1 ? QColor(210, 210, 255) : colorOf(ColorState::Normal);
                QCOMPARE(grid->cellBackground(grid->model()->index(row, 0)), expected);
            }
        }
        // The move-out list keeps its navy.
        child<DBGrid>(w, "moveOutGrid");
        QCOMPARE(baseOf(child<DBGrid>(w, "moveOutGrid")), QColor(0, 0, 64));
    }

    void pagesAreCentred()
    {
        QCOMPARE(centredPageOrigin(QSize(635, 436), QSize(633, 405), 28), QPoint(1, 30));
        // Halves round to the even neighbour, the toolbar's on its own.
        QCOMPARE(centredPageOrigin(QSize(636, 437), QSize(633, 405), 27), QPoint(2, 30));
        QCOMPARE(centredPageOrigin(QSize(638, 439), QSize(633, 405), 29), QPoint(2, 31));
        QCOMPARE(centredPageOrigin(QSize(1000, 700), QSize(633, 405), 28), QPoint(184, 162));

        // The window at its own size and maximised: the pages stand centred
        // under the toolbar, clear of it and of the status bar, which keeps
        // to the foot of the window.
        RegisterFixture f;
        TForm2& w = f.open();
        for (const QSize size : {QSize(TForm2::kClientWidth, TForm2::kClientHeight), QSize(1000, 700)}) {
            w.resize(size);
            const QRect pages = child<QTabWidget>(w, "pages")->geometry();
            QCOMPARE(pages.topLeft(),
                     centredPageOrigin(w.size(), pages.size(), child<QWidget>(w, "toolBar")->height()));
            QVERIFY(qAbs(pages.left() - (w.width() - 1 - pages.right())) <= 1);
            QVERIFY(pages.top() > child<QWidget>(w, "toolBar")->geometry().bottom());
            QCOMPARE(child<QWidget>(w, "toolBar")->geometry().top(), 0);
            QCOMPARE(child<QStatusBar>(w, "statusBar")->geometry().bottom(), w.height() - 1);
            QCOMPARE(child<QStatusBar>(w, "statusBar")->width(), w.width());
        }
    }

    void documentFrameKeepsItsSizeUnlessMaximised()
    {
        RegisterFixture f;
        QMdiArea area;
        area.resize(1100, 800);
        area.show();
        auto* w = new TForm2(f.data.dm(), f.fakes.services, f.memory, f.forms);
        QMdiSubWindow* frame = area.addSubWindow(w);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        const QSize before = frame->size();
        const QPoint edge(frame->width() - 2, frame->height() / 2);
        QVERIFY(w->isFrameBorder(edge));
        QVERIFY(!w->isFrameBorder(QPoint(frame->width() / 2, w->y() - 4))); // the title bar moves it
        const auto send = [frame](QEvent::Type type, const QPoint& at, Qt::MouseButton button, Qt::MouseButtons held) {
            QMouseEvent event(type, at, frame->mapToGlobal(at), button, held, Qt::NoModifier);
            QApplication::sendEvent(frame, &event);
        };
        send(QEvent::MouseMove, edge, Qt::NoButton, Qt::NoButton); // the frame picks its operation here
        send(QEvent::MouseButtonPress, edge, Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseMove, edge + QPoint(120, 0), Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, edge + QPoint(120, 0), Qt::LeftButton, Qt::NoButton);
        QCOMPARE(frame->size(), before);

        frame->showMaximized();
        QVERIFY(w->width() > 635);
        QCOMPARE(child<QTabWidget>(w, "pages")->pos(),
                 centredPageOrigin(w->size(), child<QTabWidget>(w, "pages")->size(), TForm2::kToolbarHeight));
        QVERIFY(!w->isFrameBorder(edge));
    }

    void photoToggles()
    {
        RegisterFixture f;
        TForm2& w = f.open();
        w.showPage(TForm2::EntryPage);
        child<QAbstractButton>(w, "photoHide")->click();
        QVERIFY(child<DBImage>(w, "photo")->isHidden());
        QVERIFY(!child<QAbstractButton>(w, "photoShow")->isChecked());
        child<QAbstractButton>(w, "photoShow")->click();
        QVERIFY(!child<DBImage>(w, "photo")->isHidden());
        w.setCoverVisible(false);
        QVERIFY(!w.isCoverVisible());
        QCOMPARE(child<QLabel>(w, "cover")->geometry(), child<QGroupBox>(w, "moveOutDetails")->geometry());
    }

    void everyPageIsLaidOutCleanly()
    {
        RegisterFixture f;
        GeneratorOptions options;
        options.residents = 60;
        generateRegister(f.data.dm().database(), options);
        f.data.restart();
        TForm2& w = f.open();
        const QString dir = qEnvironmentVariable("ZELVAR_RENDER_DIR");
        QLabel* cover = child<QLabel>(w, "cover");
        QStatusBar* status = child<QStatusBar>(w, "statusBar");
        for (int page = 0; page < child<QTabWidget>(w, "pages")->count(); ++page) {
            w.showPage(TForm2::Page(page));
            QWidget* sheet = child<QTabWidget>(w, "pages")->widget(page);
            QList<QWidget*> containers{sheet};
            for (QGroupBox* g : sheet->findChildren<QGroupBox*>())
                if (!qobject_cast<DBRadioGroup*>(g))
                    containers << g;
            for (QWidget* container : containers) {
                const QList<QWidget*> children = visibleChildren(container);
                for (QWidget* child : children) {
                    const QString where = container->objectName() + "/" + child->metaObject()->className() + " " +
                                          child->accessibleName();
                    QVERIFY2(container->rect().contains(child->geometry()), qPrintable(where));
                    if (auto* label = qobject_cast<QLabel*>(child); label && !label->text().isEmpty())
                        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width(),
                                 qPrintable("cut: " + label->text()));
                    for (QWidget* other : children)
                        if (other != child && other != cover && child != cover)
                            QVERIFY2(!child->geometry().intersects(other->geometry()),
                                     qPrintable(where + " over " + other->metaObject()->className() + " " +
                                                other->accessibleName()));
                }
            }
            // The foot of every page stays clear of the status bar.
            for (QWidget* child : visibleChildren(sheet)) {
                const QPoint bottom = child->mapTo(&w, child->rect().bottomLeft());
                QVERIFY2(bottom.y() < status->y(), qPrintable(child->accessibleName()));
            }
            if (!dir.isEmpty())
                w.grab().save(QDir(dir).filePath(QString("page%1.png").arg(page + 1)));
        }
    }
};

ZELVAR_TEST(RegisterLookTest)
#include "tst_register_look.moc"
