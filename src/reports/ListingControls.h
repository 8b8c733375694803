// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ListingControls: the search, the column choice and the result grid that the
// general reports page and the query window share. It makes the controls
// (the caller places them) and runs Find, All, the grid click and the box
// toggle on the listing query Query1. Where the two windows differ, they
// set the colour Find paints and react to foundRows().
#include "platform/Services.h"
#include "reports/NameListColumns.h"

#include <QColor>
#include <QObject>
#include <array>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace zelvar {

class DBGrid;
class DBNavigator;
class TDM2;

class ListingControls : public QObject {
    Q_OBJECT
public:
    static QColor lightBlue() { return QColor(210, 210, 255); }
    static QString emptyWordMessage() { return QStringLiteral("Sözcüğü Girmediniz!"); }
    static QString notFoundMessage() { return QStringLiteral("Kayıt Bulunamadı !"); }
    static QString countText(int count) { return QStringLiteral("Kayıt Sayısı = ") + QString::number(count); }

    // The controls are children of `parent`. The grid shows Query1 at once
    // when `connectGrid` is set, otherwise from the first Find on.
    ListingControls(TDM2& dm, const Services& services, QWidget* parent, bool connectGrid);

    // The colour Find gives the grid when it found residents.
    void setFoundColor(const QColor& color) { m_foundColor = color; }

    // Finds the residents for the typed word. An empty word or an empty
    // result is told to the user; a birth date that is not a date throws
    // DateEntryError and leaves Query1 closed.
    void find();
    // Lists every resident.
    void all();
    // The register follows the resident of the grid's current row.
    void gridClick();
    // A column box changed: the total follows and its label is repainted.
    void boxToggled(bool ticked);

    QGroupBox* kindGroup() const { return m_kindGroup; }
    QButtonGroup* kinds() const { return m_kinds; }
    QGroupBox* columnGroup() const { return m_columnGroup; }
    QCheckBox* columnBox(int column) const { return m_boxes[column]; }
    QLabel* wordLabel() const { return m_wordLabel; }
    QLineEdit* wordBox() const { return m_wordBox; }
    QLabel* totalLabel() const { return m_totalLabel; }
    QLabel* countLabel() const { return m_countLabel; }
    DBGrid* grid() const { return m_grid; }
    DBNavigator* navigator() const { return m_navigator; }

    int searchKind() const; // index into searchFields()
    void setSearchKind(int kind);
    ColumnChoice chosenColumns() const;
    const FieldLengthTotal& total() const { return m_total; }
    bool hasRows() const;

signals:
    // After a Find that opened Query1: whether it found anyone.
    void foundRows(bool found);

private:
    void buildKindGroup(QWidget* parent);
    void buildColumnGroup(QWidget* parent);
    void buildGrid(QWidget* parent, bool connectGrid);
    void paintGrid(const QColor& color);
    void paintTotal();
    void followFirstRow();
    void showInRegister(const QVariant& recordNumber);
    void focusWordBox();

    TDM2& m_dm;
    Services m_services;
    FieldLengthTotal m_total;
    QColor m_foundColor = lightBlue();

    QGroupBox* m_kindGroup = nullptr;
    QButtonGroup* m_kinds = nullptr;
    QGroupBox* m_columnGroup = nullptr;
    std::array<QCheckBox*, kOptionalColumnCount> m_boxes{};
    QLabel* m_wordLabel = nullptr;
    QLineEdit* m_wordBox = nullptr;
    QLabel* m_totalLabel = nullptr;
    QLabel* m_countLabel = nullptr;
    DBGrid* m_grid = nullptr;
    DBNavigator* m_navigator = nullptr;
};

} // namespace zelvar
