// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SettingsWindow.h"
#include "ui/bound/BoundControl.h"

#include "ui/bound/DBEdit.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace zelvar {

SettingsWindow::SettingsWindow(TDM2& dm, const Services& services, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      m_dm(dm),
      m_services(services)
{
    setWindowTitle(QStringLiteral("Mahalle Bilgileri"));
    setFixedSize(296, 176);

    m_headman = addBox(QStringLiteral("Zelvarın Adı Soyadı"), QStringLiteral("Zelvar"), QRect(12, 8, 273, 16),
                       QRect(12, 24, 273, 22));
    m_province = addBox(QStringLiteral("İl"), QStringLiteral("Il"), QRect(12, 52, 129, 16), QRect(12, 68, 129, 22));
    m_district =
        addBox(QStringLiteral("İlçe"), QStringLiteral("Ilce"), QRect(148, 52, 137, 16), QRect(148, 68, 137, 22));
    m_neighbourhood = addBox(QStringLiteral("Mahalle veya Köy"), QStringLiteral("Mahalle"), QRect(12, 96, 273, 16),
                             QRect(12, 112, 273, 22));
    m_neighbourhood->setToolTip(QStringLiteral("Yalnız İsmini Giriniz !"));

    m_save = new QPushButton(QStringLiteral("&Kaydet"), this);
    m_save->setGeometry(129, 143, 75, 25);
    m_ok = new QPushButton(QStringLiteral("&Tamam"), this);
    m_ok->setGeometry(210, 143, 75, 25);
    for (QPushButton* b : {m_save, m_ok})
        b->setAutoDefault(false);
    connectCommand(m_services.errors, m_save, &QPushButton::clicked, this, &SettingsWindow::save);
    connectCommand(m_services.errors, m_ok, &QPushButton::clicked, this, &SettingsWindow::accept);

    setTabOrder(m_headman, m_province);
    setTabOrder(m_province, m_district);
    setTabOrder(m_district, m_neighbourhood);
    setTabOrder(m_neighbourhood, m_save);
    setTabOrder(m_save, m_ok);
    reportErrorsTo(this, m_services.errors);
    m_headman->setFocus();
}

DBEdit* SettingsWindow::addBox(const QString& caption, const QString& field, const QRect& labelAt, const QRect& boxAt)
{
    auto* box = new DBEdit(m_dm.dsMah, field, this);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    box->setFont(font);
    box->setGeometry(boxAt);
    auto* label = new QLabel(caption, this);
    label->setGeometry(labelAt);
    label->setBuddy(box);
    box->setAccessibleName(caption);
    return box;
}

void SettingsWindow::save()
{
    Dataset* table = m_dm.tbMah;
    table->edit();
    table->post();
    table->close();
    table->open();
}

void SettingsWindow::done(int result)
{
    // A box that still has the focus has not written its text yet; it goes
    // into the shared row, where the next save of the row stores it.
    m_dm.tbMah->updateLinks();
    QDialog::done(result);
}

void SettingsWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

} // namespace zelvar
