// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// PasswordChangeWindow: sets a new program password, typed twice. Two equal,
// non-empty entries of at most five characters are stored (as a hash) in
// the password row; anything else gives "Şifrenizi Doğru Girmediniz !" and
// the window stays open. The old password is not asked for.
#include "data/TDM2.h"
#include "platform/Services.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace zelvar {

class ScrollingStrip;

class PasswordChangeWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxLength = 5;

    PasswordChangeWindow(TDM2& dm, const Services& services, QWidget* parent = nullptr);

    QLineEdit* firstBox() const { return m_first; }
    QLineEdit* secondBox() const { return m_second; }
    QPushButton* okButton() const { return m_ok; }

public slots:
    // "&Tamam" or Enter in the second box.
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool handleKey(QObject* watched, QKeyEvent* key);
    // Edits the first password row (inserting it on an empty table), stores
    // the hash, saves, and opens the table again.
    void storePassword(const QString& password);

    TDM2& m_dm;
    Services m_services;
    QLineEdit* m_first;
    QLineEdit* m_second;
    QPushButton* m_ok;
    ScrollingStrip* m_strip;
};

} // namespace zelvar
