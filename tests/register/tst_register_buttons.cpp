// SPDX-License-Identifier: GPL-3.0-or-later
// The register window's certificate buttons open the printed certificates
// and the declaration's selection window.
#include "../documents/CertificateFixture.h"
#include "DialogWaiter.h"
#include "FindChild.h"
#include "TestRegistry.h"
#include "documents/TForm5.h"
#include "documents/Tsayifrm.h"
#include "register/RegisterMemory.h"
#include "register/TForm2.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

using namespace zelvar;
using namespace zelvar::testing;

class TstRegisterCertificateButtons : public QObject {
    Q_OBJECT
private slots:
    void buttonsRunTheirCertificates()
    {
        CertificateFixture f;
        f.setOffice();
        f.data.addResident(QStringLiteral("Ayşe Yılmaz"), 7, CertificateFixture::fullResident());
        RegisterMemory memory;
        TForm2 window(f.dm(), f.fakes.services, memory, f.forms);
        for (const char* item : {"dwellingDeclaration", "idCardCopy", "residenceCertificate", "idCardChange"})
            QVERIFY(child<QAction>(window, item)->isEnabled());

        f.fakes.printing.answerPrinted(1);
        child<QAction>(window, "idCardCopy")->trigger();
        f.fakes.prompter.input(QStringLiteral("Yıprandı"));
        child<QAction>(window, "idCardChange")->trigger();
        whenDialogOpens<Tsayifrm>([](Tsayifrm* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("İkametgah Ek Bilgi"));
            QVERIFY(dialog->numberBox()->text().isEmpty());
            dialog->numberBox()->setText(QStringLiteral("44"));
            dialog->purposeBox()->setText(QStringLiteral("Okul"));
            if (qEnvironmentVariableIsSet("ZELVAR_SHOT_DIR"))
                dialog->grab().save(qEnvironmentVariable("ZELVAR_SHOT_DIR") + QStringLiteral("/tsayifrm.png"));
            dialog->okButton()->click();
        });
        child<QAction>(window, "residenceCertificate")->trigger();
        QCOMPARE(f.fakes.printing.titles(),
                 QStringList({"Zelvar 2001 [Nüfus Cüzdan Sureti]", "Zelvar 2001 [Nüfus Cüzdanı Değiştirme Belgesi]",
                              "Zelvar 2001 [İkametgah Belgesi]"}));
        QVERIFY(f.fakes.printing.lastReport()->page(0).findText(QStringLiteral("44")));
        QVERIFY(f.fakes.printing.lastReport()->page(0).findText(QStringLiteral("Okul")));
        QCOMPARE(f.log(7), QStringLiteral("Nüfus Cüzdan Sureti 09.12.2026"));
        // The register shows the line on its documents page.
        QCOMPARE(f.dm().Query2->displayText(QStringLiteral("Belgeler")),
                 QStringLiteral("Nüfus Cüzdan Sureti 09.12.2026"));

        bool opened = false;
        whenDialogOpens<TForm5>([&opened](TForm5* dialog) {
            opened = true;
            dialog->closeButton()->click();
        });
        child<QAction>(window, "dwellingDeclaration")->trigger();
        QVERIFY(opened);
        QVERIFY(f.fakes.prompter.unexpected.isEmpty());
    }
};

ZELVAR_TEST(TstRegisterCertificateButtons)
#include "tst_register_buttons.moc"
