// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// LoginWindow: asks for the program password at start. The typed text must
// equal the stored password exactly; a wrong password, "&Vazgeç" or Alt+F4
// end the program. There is no second attempt and no close box.
#include "data/TDM2.h"
#include "platform/Services.h"

#include <QDialog>

class QFrame;
class QLineEdit;
class QPushButton;

namespace zelvar {

class ScrollingStrip;

class LoginWindow : public QDialog {
    Q_OBJECT
public:
    enum class Outcome { Waiting, Accepted, EndProgram };

    LoginWindow(TDM2& dm, const Services& services, QWidget* parent = nullptr);

    // Shows the window modally; true when the password was accepted, false
    // when the program must end.
    static bool run(TDM2& dm, const Services& services, QWidget* parent);

    void typePassword(const QString& text);
    Outcome outcome() const { return m_outcome; }
    QLineEdit* passwordBox() const { return m_box; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }
    ScrollingStrip* strip() const { return m_strip; }

public slots:
    // "&Tamam" or Enter: checks the typed password.
    void accept() override;
    // "&Vazgeç": ends the program without a message.
    void cancel();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool handleKey(QObject* watched, QKeyEvent* key);
    void endProgram();
    QString storedPassword() const;

    TDM2& m_dm;
    Services m_services;
    QLineEdit* m_box;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    ScrollingStrip* m_strip;
    Outcome m_outcome = Outcome::Waiting;
};

// The parts the two password windows share.
namespace passwordwindow {

const QColor kNavy(0, 0, 64);
const QColor kLightBlue(198, 198, 255);

// An edit box in the password style: "*" for every character, Courier New
// 16-pixel light-blue type on dark navy.
QLineEdit* makePasswordBox(QWidget* parent);
// A raised panel holding a picture stretched over it.
QFrame* makePicturePanel(QWidget* parent, const QRect& geometry, const QPixmap& picture);
QFrame* makeRaisedPanel(QWidget* parent, const QRect& geometry);
ScrollingStrip* makeStrip(QWidget* parent, const QRect& geometry);
// The pictures: a padlock for the login, a key for the change.
QPixmap padlockPicture();
QPixmap keyPicture();
QIcon okIcon();
// Places a fixed-size window at the centre of its screen.
void centreOnScreen(QWidget* window);

} // namespace passwordwindow

} // namespace zelvar
