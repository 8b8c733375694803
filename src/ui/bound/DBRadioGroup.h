// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// DBRadioGroup: a titled group of radio buttons bound to a coded field. Each
// item has a caption and the code stored for it ("Evet" = "1"); the items
// are laid out down N columns. Choosing an item puts the row into editing
// and writes its code at once; a field holding no item's code shows no item
// chosen.
#include "ui/bound/BoundControl.h"

#include <QGroupBox>

class QButtonGroup;
class QRadioButton;

namespace zelvar {

class DBRadioGroup : public QGroupBox, public BoundControl {
    Q_OBJECT
public:
    explicit DBRadioGroup(const QString& title, QWidget* parent = nullptr);

    // Captions and their codes; without codes the captions are stored.
    void setItems(const QStringList& captions, const QStringList& codes = {});
    void setColumns(int columns);
    int columns() const { return m_columns; }
    QStringList codes() const { return m_codes; }

    // The chosen item, -1 for none.
    int itemIndex() const;
    QRadioButton* button(int item) const;

protected:
    void loadFromField() override;
    void writeToField() override;

private:
    void layoutButtons();

    QStringList m_codes;
    int m_columns = 1;
    QButtonGroup* m_group;
    QList<QRadioButton*> m_buttons;
};

} // namespace zelvar
