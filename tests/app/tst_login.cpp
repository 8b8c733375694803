// SPDX-License-Identifier: GPL-3.0-or-later
// The password: its stored form, the login window and the change window.
#include "DataFixture.h"
#include "TestRegistry.h"
#include "app/LoginWindow.h"
#include "app/PasswordChangeWindow.h"
#include "data/Errors.h"
#include "data/PasswordHash.h"
#include "platform/fakes/FakeServices.h"
#include "ui/ScrollingStrip.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace zelvar;
using zelvar::testing::DataFixture;

namespace {

void storePassword(DataFixture& f, const QString& password)
{
    f.dm().database().exec("insert into sifre (sifre) values (?)", {PasswordHash::make(password, 1000)});
    f.dm().tbsifre->refresh();
}

QString storedText(DataFixture& f)
{
    return f.dm().database().scalar("select group_concat(sifre, '|') from sifre").toString();
}

// The outcome of one login with a typed password.
LoginWindow::Outcome login(DataFixture& f, FakeServices& s, const QString& typed)
{
    LoginWindow w(f.dm(), s.services);
    w.typePassword(typed);
    w.accept();
    return w.outcome();
}

void typeInto(QWidget* widget, const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(widget, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

} // namespace

class LoginTest : public QObject {
    Q_OBJECT
private slots:
    void storedFormIsASaltedHash()
    {
        const QString stored = PasswordHash::make("Gizli Şifre 42");
        QVERIFY(stored.startsWith("pbkdf2-sha256$120000$"));
        QVERIFY(!stored.contains("Gizli"));
        QVERIFY(stored.size() <= 160);                           // fits the field
        QVERIFY(stored != PasswordHash::make("Gizli Şifre 42")); // a fresh salt each time
        QVERIFY(PasswordHash::verify("Gizli Şifre 42", stored));
        QVERIFY(!PasswordHash::verify("gizli şifre 42", stored));
        QVERIFY(!PasswordHash::verify("Gizli Şifre 42 ", stored));
        QVERIFY(!PasswordHash::verify("", stored));
        // A damaged stored form matches nothing.
        QString damaged = stored;
        damaged.replace("$120000$", "$120001$");
        QVERIFY(!PasswordHash::verify("Gizli Şifre 42", damaged));
        QVERIFY(!PasswordHash::verify("Gizli Şifre 42", "pbkdf2-sha256$0$AAAA$AAAA"));
        QVERIFY(!PasswordHash::verify("Gizli Şifre 42", "pbkdf2-sha256$999999999$AAAA$AAAA"));
        // No password yet: only the empty entry.
        QVERIFY(PasswordHash::verify("", ""));
        QVERIFY(!PasswordHash::verify("a", ""));
    }

    void loginComparesExactly()
    {
        DataFixture f;
        storePassword(f, "Ab3");
        FakeServices s;
        QCOMPARE(login(f, s, "Ab3"), LoginWindow::Outcome::Accepted);
        QVERIFY(s.prompter.shown.isEmpty());
        QVERIFY(s.sound.events.isEmpty());

        for (const QString& wrong : {QString("ab3"), QString("AB3"), QString("Ab3 "), QString()}) {
            FakeServices refused;
            QCOMPARE(login(f, refused, wrong), LoginWindow::Outcome::EndProgram);
            QCOMPARE(refused.sound.events, QStringList{"beep"});
            QCOMPARE(refused.prompter.texts(), QStringList{"Üzgünüm Şifre Yanlış !"});
        }

        // An empty table accepts the empty entry only.
        DataFixture empty;
        QCOMPARE(login(empty, s, ""), LoginWindow::Outcome::Accepted);
        QCOMPARE(login(empty, s, "x"), LoginWindow::Outcome::EndProgram);
    }

    void loginWindowAndItsKeys()
    {
        DataFixture f;
        storePassword(f, "Ab3");
        FakeServices s;
        {
            LoginWindow w(f.dm(), s.services);
            QCOMPARE(w.windowTitle(), QString("Şifreniz ?"));
            QCOMPARE(w.size(), QSize(249, 148));
            QVERIFY(!(w.windowFlags() & Qt::WindowCloseButtonHint));
            QCOMPARE(w.okButton()->focusPolicy(), Qt::NoFocus);
            QCOMPARE(w.cancelButton()->focusPolicy(), Qt::NoFocus);
            QVERIFY(w.okButton()->isFlat());
            QCOMPARE(w.passwordBox()->font().pixelSize(), 16);
            QCOMPARE(w.strip()->height(), 25);
            w.show();
            QVERIFY(QTest::qWaitForWindowActive(&w));
            QVERIFY(w.passwordBox()->hasFocus());

            typeInto(w.passwordBox(), "Ab3");
            QCOMPARE(w.passwordBox()->displayText(), QString("***"));
            // Escape and Ctrl+Alt+F4 do nothing.
            QTest::keyClick(w.passwordBox(), Qt::Key_Escape);
            QTest::keyClick(w.passwordBox(), Qt::Key_F4, Qt::ControlModifier | Qt::AltModifier);
            QVERIFY(w.isVisible());
            QCOMPARE(w.outcome(), LoginWindow::Outcome::Waiting);
            // Enter is "&Tamam".
            QTest::keyClick(w.passwordBox(), Qt::Key_Return);
            QCOMPARE(w.outcome(), LoginWindow::Outcome::Accepted);
            QVERIFY(!w.isVisible());
        }
        {
            LoginWindow w(f.dm(), s.services);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            QTest::keyClick(w.passwordBox(), Qt::Key_F4, Qt::AltModifier);
            QCOMPARE(w.outcome(), LoginWindow::Outcome::EndProgram);
            QVERIFY(!w.isVisible());
        }
        {
            LoginWindow w(f.dm(), s.services);
            w.show();
            QTest::mouseClick(w.cancelButton(), Qt::LeftButton);
            QCOMPARE(w.outcome(), LoginWindow::Outcome::EndProgram);
        }
        {
            // A close request from the desktop ends the program too.
            LoginWindow w(f.dm(), s.services);
            w.show();
            w.close();
            QCOMPARE(w.outcome(), LoginWindow::Outcome::EndProgram);
        }
        QVERIFY(s.prompter.shown.isEmpty());
    }

    void changeStoresAHashAndTheNextLoginUsesIt()
    {
        DataFixture f;
        FakeServices s;
        PasswordChangeWindow w(f.dm(), s.services);
        QCOMPARE(w.windowTitle(), QString("Yeni Şifreyi İki Kez Giriniz !"));
        QCOMPARE(w.size(), QSize(244, 150));
        QVERIFY(w.windowFlags() & Qt::WindowCloseButtonHint);
        QCOMPARE(w.okButton()->focusPolicy(), Qt::NoFocus);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));

        // A sixth character is refused.
        typeInto(w.firstBox(), "Kedi42");
        QCOMPARE(w.firstBox()->text(), QString("Kedi4"));
        QCOMPARE(w.firstBox()->displayText(), QString("*****"));
        // Enter in the first box does nothing.
        QTest::keyClick(w.firstBox(), Qt::Key_Return);
        QVERIFY(s.prompter.shown.isEmpty());

        // Different entries: the message, nothing stored, both boxes keep their text.
        w.secondBox()->setFocus();
        typeInto(w.secondBox(), "Kedi5");
        QTest::keyClick(w.secondBox(), Qt::Key_Return);
        QCOMPARE(s.prompter.texts(), QStringList{"Şifrenizi Doğru Girmediniz !"});
        QCOMPARE(s.sound.events, QStringList{"beep"});
        QVERIFY(w.isVisible());
        QCOMPARE(w.firstBox()->text(), QString("Kedi4"));
        QCOMPARE(w.secondBox()->text(), QString("Kedi5"));
        QCOMPARE(f.dm().database().scalar("select count(*) from sifre").toInt(), 0);

        // Equal entries: on an empty table the first change creates the row.
        w.secondBox()->clear();
        typeInto(w.secondBox(), "Kedi4");
        QTest::keyClick(w.secondBox(), Qt::Key_Return);
        QCOMPARE(s.prompter.lastText(), QString("Şifreniz Değiştirildi !"));
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(f.dm().database().scalar("select count(*) from sifre").toInt(), 1);
        QVERIFY(PasswordHash::isHash(storedText(f)));
        QVERIFY(!storedText(f).contains("Kedi4"));
        QCOMPARE(f.dm().tbsifre->state(), Dataset::State::Browse);

        // The next start asks for the new password.
        f.restart();
        FakeServices next;
        QCOMPARE(login(f, next, "Kedi4"), LoginWindow::Outcome::Accepted);
        QCOMPARE(login(f, next, "kedi4"), LoginWindow::Outcome::EndProgram);

        // A second change replaces the one row.
        PasswordChangeWindow again(f.dm(), next.services);
        again.firstBox()->setText("Yeni");
        again.secondBox()->setText("Yeni");
        again.accept();
        QCOMPARE(f.dm().database().scalar("select count(*) from sifre").toInt(), 1);
        QCOMPARE(login(f, next, "Yeni"), LoginWindow::Outcome::Accepted);
    }

    void changeRefusesEmptyAndReportsAFailedSave()
    {
        DataFixture f;
        storePassword(f, "Eski");
        const QString before = storedText(f);
        FakeServices s;
        PasswordChangeWindow w(f.dm(), s.services);
        w.accept();
        QCOMPARE(s.prompter.texts(), QStringList{"Şifrenizi Doğru Girmediniz !"});
        QCOMPARE(storedText(f), before);

        // The engine refuses the save: the error goes on, no success message.
        f.dm().database().exec("create trigger refuse before update on sifre "
                               "begin select raise(abort, 'kilitli'); end");
        s.prompter.clear();
        w.firstBox()->setText("Yeni");
        w.secondBox()->setText("Yeni");
        QVERIFY_THROWS_EXCEPTION(EngineError, w.accept());
        QVERIFY(s.prompter.shown.isEmpty());
        QCOMPARE(storedText(f), before);
        QCOMPARE(f.dm().tbsifre->state(), Dataset::State::Browse);
        QCOMPARE(login(f, s, "Eski"), LoginWindow::Outcome::Accepted);
    }
};

ZELVAR_TEST(LoginTest)
#include "tst_login.moc"
