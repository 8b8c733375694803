// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/Tsayifrm.h"
#include "documents/TQrIkamet.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zelvar {

Tsayifrm::Tsayifrm(TQrIkamet& form, QWidget* parent)
    : QDialog(parent),
      m_form(form)
{
    setWindowTitle(caption());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);
    setFixedSize(209, 84);

    auto* purposeLabel = new QLabel(QStringLiteral("Niçin Verildiği"), this);
    purposeLabel->setGeometry(4, 2, 201, 14);
    m_purpose = new QLineEdit(this);
    m_purpose->setGeometry(4, 17, 201, 21);
    purposeLabel->setBuddy(m_purpose);

    auto* numberLabel = new QLabel(QStringLiteral("Belge Sayı No ?"), this);
    numberLabel->setGeometry(4, 42, 123, 14);
    m_number = new QLineEdit(this);
    m_number->setGeometry(4, 57, 123, 21);
    numberLabel->setBuddy(m_number);

    m_ok = new QPushButton(QStringLiteral("&Tamam"), this);
    m_ok->setGeometry(132, 55, 73, 25);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &Tsayifrm::ok);

    setTabOrder(m_purpose, m_number);
    setTabOrder(m_number, m_ok);
    m_purpose->setFocus();
}

void Tsayifrm::ok()
{
    m_form.number = m_number->text();
    m_form.purpose = m_purpose->text();
    accept();
}

} // namespace zelvar
