// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PasswordChangeWindow.h"

#include "app/LoginWindow.h"
#include "data/PasswordHash.h"
#include "ui/ScrollingStrip.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace zelvar {

using namespace passwordwindow;

PasswordChangeWindow::PasswordChangeWindow(TDM2& dm, const Services& services, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      m_dm(dm),
      m_services(services)
{
    setWindowTitle(QStringLiteral("Yeni Şifreyi İki Kez Giriniz !"));
    setFixedSize(244, 150);

    makePicturePanel(this, QRect(0, 0, 90, 125), keyPicture());
    QFrame* right = makeRaisedPanel(this, QRect(90, 0, 154, 125));
    auto* framed = new QFrame(right);
    framed->setFrameStyle(QFrame::Box | QFrame::Sunken);
    framed->setGeometry(8, 6, 138, 76);
    m_first = makePasswordBox(framed);
    m_first->setGeometry(8, 6, 122, 30);
    m_second = makePasswordBox(framed);
    m_second->setGeometry(8, 40, 122, 30);
    for (QLineEdit* box : {m_first, m_second})
        box->setMaxLength(kMaxLength);
    m_first->setAccessibleName(QStringLiteral("Yeni Şifre"));
    m_second->setAccessibleName(QStringLiteral("Yeni Şifre (tekrar)"));
    setTabOrder(m_first, m_second);

    m_ok = new QPushButton(okIcon(), QStringLiteral("&Tamam"), right);
    m_ok->setFocusPolicy(Qt::NoFocus);
    m_ok->setAutoDefault(false);
    m_ok->setGeometry(8, 88, 138, 30);
    connectCommand(m_services.errors, m_ok, &QPushButton::clicked, this, &PasswordChangeWindow::accept);

    m_strip = makeStrip(this, QRect(0, 125, 244, 25));
    m_strip->setLines(m_strip->lines() << QStringLiteral("Yeni şifre en çok 5 karakter olabilir"));

    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    m_first->setFocus();
}

void PasswordChangeWindow::accept()
{
    const QString first = m_first->text();
    const QString second = m_second->text();
    if (first.isEmpty() || first != second) {
        m_services.sound.beep();
        m_services.prompter.message(QStringLiteral("Şifrenizi Doğru Girmediniz !"));
        return;
    }
    storePassword(second);
    m_services.prompter.message(QStringLiteral("Şifreniz Değiştirildi !"));
    QDialog::accept();
}

void PasswordChangeWindow::storePassword(const QString& password)
{
    Dataset* table = m_dm.tbsifre;
    if (!table->isActive())
        table->open();
    table->first();
    table->edit();
    try {
        table->setText(QStringLiteral("sifre"), PasswordHash::make(password));
        table->post();
    } catch (...) {
        // Nothing half-stored stays behind in the password row.
        table->cancel();
        throw;
    }
    table->close();
    table->open();
}

bool PasswordChangeWindow::handleKey(QObject* watched, QKeyEvent* key)
{
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        // Enter in the first box does nothing; in the second it is "&Tamam".
        if (watched == m_second)
            accept();
        return watched == m_first || watched == m_second;
    }
    return false;
}

bool PasswordChangeWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && handleKey(watched, static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void PasswordChangeWindow::keyPressEvent(QKeyEvent* event)
{
    // Escape does not close the window; only the close box does.
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

void PasswordChangeWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centreOnScreen(this);
}

} // namespace zelvar
