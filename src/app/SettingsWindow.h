// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// SettingsWindow: the "Mahalle Bilgileri" window, which edits the one
// neighbourhood row (province, district, neighbourhood, headman) that heads
// every document. Its boxes are bound to the shared neighbourhood dataset:
// "&Kaydet" saves the row, "&Tamam" only closes and leaves typed changes
// pending in the dataset for the next save of that row.
#include "data/TDM2.h"
#include "platform/Services.h"

#include <QDialog>

class QPushButton;

namespace zelvar {

class DBEdit;

class SettingsWindow : public QDialog {
    Q_OBJECT
public:
    SettingsWindow(TDM2& dm, const Services& services, QWidget* parent = nullptr);

    DBEdit* headmanBox() const { return m_headman; }
    DBEdit* provinceBox() const { return m_province; }
    DBEdit* districtBox() const { return m_district; }
    DBEdit* neighbourhoodBox() const { return m_neighbourhood; }
    QPushButton* saveButton() const { return m_save; }
    QPushButton* okButton() const { return m_ok; }

public slots:
    // "&Kaydet": edit (on an empty table: insert), save, close and reopen
    // the neighbourhood table.
    void save();

protected:
    // Closing by any way writes what the boxes hold into the row, unsaved.
    void done(int result) override;
    void showEvent(QShowEvent* event) override;

private:
    DBEdit* addBox(const QString& caption, const QString& field, const QRect& labelAt, const QRect& boxAt);

    TDM2& m_dm;
    Services m_services;
    DBEdit* m_headman;
    DBEdit* m_province;
    DBEdit* m_district;
    DBEdit* m_neighbourhood;
    QPushButton* m_save;
    QPushButton* m_ok;
};

} // namespace zelvar
