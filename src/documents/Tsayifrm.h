// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tsayifrm: the residence certificate's small dialog "İkametgah Ek Bilgi",
// asking the purpose and the document number. "&Tamam" copies both into the
// certificate form and closes it; the title bar has no buttons.
#include <QDialog>

class QLineEdit;
class QPushButton;

namespace zelvar {

class TQrIkamet;

class Tsayifrm : public QDialog {
    Q_OBJECT
public:
    explicit Tsayifrm(TQrIkamet& form, QWidget* parent = nullptr);

    QLineEdit* purposeBox() const { return m_purpose; }
    QLineEdit* numberBox() const { return m_number; }
    QPushButton* okButton() const { return m_ok; }

    // "&Tamam"
    void ok();
    // Escape does not close it: the only way out is "&Tamam".
    void reject() override {}

    static QString caption() { return QStringLiteral("İkametgah Ek Bilgi"); }

private:
    TQrIkamet& m_form;
    QLineEdit* m_purpose;
    QLineEdit* m_number;
    QPushButton* m_ok;
};

} // namespace zelvar
