// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window over a fresh data module with the real register and
// editor windows, the platform fakes, an office row and two residents: one
// with every field the certificates use, one with only a name.
#include "DataFixture.h"
#include "FindChild.h"
#include "app/DocumentArea.h"
#include "app/MainWindow.h"
#include "app/WindowFactories.h"
#include "data/TDM2.h"
#include "documents/DocumentKind.h"
#include "documents/TEditor.h"
#include "platform/fakes/FakeServices.h"
#include "register/TForm2.h"

#include <QAction>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace zelvar::testing {

struct Desk {
    DataFixture data;
    FakeServices fakes;
    QTemporaryDir files;
    std::unique_ptr<MainWindow> main;

    static constexpr int kFull = 1;  // Ayşe Yılmaz, every field
    static constexpr int kEmpty = 2; // Mehmet Öztürk, a name only

    Desk()
    {
        DocumentKind = 0;
        fakes.clock.set(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
    }
    ~Desk()
    {
        main.reset();
        DocumentKind = 0;
    }

    TDM2& dm() { return data.dm(); }

    void addOffice()
    {
        dm().database().exec(QStringLiteral("insert into Mahalle (Il, Ilce, Mahalle, Zelvar) values (?, ?, ?, ?)"),
                             {QStringLiteral("Ankara"), QStringLiteral("Çankaya"), QStringLiteral("Kocatepe"),
                              QStringLiteral("Ömer Şahin")});
        dm().tbMah->refresh();
    }

    static QVariantMap fullFields()
    {
        return {{"BabaAdi", QStringLiteral("Hüseyin")},
                {"AnaAdi", QStringLiteral("Gülşen")},
                {"DogYeri", QStringLiteral("Çorum")},
                {"DogTar", QStringLiteral("1980-03-05")},
                {"Medeni", QStringLiteral("Evli")},
                {"Tabiyeti", QStringLiteral("T.C.")},
                {"Meslek", QStringLiteral("Öğretmen")},
                {"Dini", QStringLiteral("İslam")},
                {"Vilayeti", QStringLiteral("Çorum")},
                {"Kazasi", QStringLiteral("Sungurlu")},
                {"MahalleKoyu", QStringLiteral("Kemalli")},
                {"Cilt", QStringLiteral("12")},
                {"Hane", QStringLiteral("345")},
                {"Sayfa", QStringLiteral("67")},
                {"Sokak", QStringLiteral("Gül Sokak")},
                {"Apartman", QStringLiteral("Işık Apt.")},
                {"EvNo", QStringLiteral("5/3")}};
    }

    void addResidents()
    {
        data.addResident(QStringLiteral("Ayşe Yılmaz"), kFull, fullFields());
        data.addResident(QStringLiteral("Mehmet Öztürk"), kEmpty);
    }

    MainWindow& openMain()
    {
        main = std::make_unique<MainWindow>(dm(), fakes.services, makeWindowFactories(dm(), fakes.services));
        main->resize(900, 700);
        main->show();
        return *main;
    }

    TForm2& registerWindow()
    {
        if (!main)
            openMain();
        auto* w = qobject_cast<TForm2*>(main->registerCommand());
        Q_ASSERT(w);
        return *w;
    }

    // The register's current resident moved to the given record number.
    void goTo(int number) { dm().Query2->locate(QStringLiteral("KayitNo"), number); }

    TEditor* editor() const { return main ? qobject_cast<TEditor*>(main->editorWindow()) : nullptr; }

    int editorWindows() const
    {
        int count = 0;
        for (QMdiSubWindow* w : main->documentArea()->subWindowList())
            if (w->widget() && w->widget()->windowTitle().startsWith(QLatin1Char('E')))
                ++count;
        return count;
    }

    void press(const char* item) { child<QAction>(registerWindow(), item)->trigger(); }

    QString log(int number)
    {
        return dm()
            .database()
            .scalar(QStringLiteral("select Belgeler from zelvarx where KayitNo = ?"), {number})
            .toString();
    }
};

// The text, size and bold flag of each line of the editor's text.
struct ShownLine {
    QString text;
    int size;
    bool bold;
    bool operator==(const ShownLine& o) const { return text == o.text && size == o.size && bold == o.bold; }
};

} // namespace zelvar::testing
