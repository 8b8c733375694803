// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/ListingControls.h"
#include "ui/bound/BoundControl.h"

#include "data/TDM2.h"
#include "platform/Services.h"
#include "reports/ResidentSearch.h"
#include "ui/bound/DBGrid.h"
#include "ui/bound/DBNavigator.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace zelvar {

namespace {

const QVector<GridColumn>& resultColumns()
{
    static const QVector<GridColumn> columns{
        {QStringLiteral("Adi"), QStringLiteral("Adı Soyadı"), 200},
        {QStringLiteral("BabaAdi"), QStringLiteral("Baba Adı"), 66},
        {QStringLiteral("AnaAdi"), QStringLiteral("Ana Adı"), 66},
        {QStringLiteral("DogTar"), QStringLiteral("Doğ.Tarihi")},
        {QStringLiteral("DogYeri"), QStringLiteral("Doğum Yeri"), 100},
        {QStringLiteral("Vilayeti"), QStringLiteral("İli")},
        {QStringLiteral("Kazasi"), QStringLiteral("İlçesi")},
        {QStringLiteral("MahalleKoyu"), QStringLiteral("Mah./Köy")},
        {QStringLiteral("Cilt"), QStringLiteral("Cilt No")},
        {QStringLiteral("Sayfa"), QStringLiteral("Sıra N")},
        {QStringLiteral("Hane"), QStringLiteral("Aile S.No")},
        {QStringLiteral("NC_Seri"), QStringLiteral("Cüz.Se.No")},
        {QStringLiteral("NC_KayitNo"), QStringLiteral("Cüz.Kay.No.")},
    };
    return columns;
}

} // namespace

ListingControls::ListingControls(TDM2& dm, const Services& services, QWidget* parent, bool connectGrid)
    : QObject(parent),
      m_dm(dm),
      m_services(services)
{
    buildKindGroup(parent);
    buildColumnGroup(parent);

    m_wordLabel = new QLabel(QStringLiteral("Sözcük ?"), parent);
    m_wordBox = new QLineEdit(parent);
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSize(10);
    m_wordBox->setFont(arial);
    m_wordLabel->setBuddy(m_wordBox);
    m_wordBox->setAccessibleName(m_wordLabel->text());
    connectCommand(m_services.errors, m_wordBox, &QLineEdit::returnPressed, this, &ListingControls::find);

    m_totalLabel = new QLabel(FieldLengthTotal::initialLabel(), parent);
    m_totalLabel->setAccessibleName(QStringLiteral("Alan Uzunluğu"));
    m_countLabel = new QLabel(parent);
    m_countLabel->setAccessibleName(QStringLiteral("Kayıt Sayısı"));

    buildGrid(parent, connectGrid);
    reportErrorsTo(parent, m_services.errors);
}

void ListingControls::buildKindGroup(QWidget* parent)
{
    m_kindGroup = new QGroupBox(QStringLiteral("Sözcüğün Türü"), parent);
    m_kindGroup->setToolTip(QStringLiteral("Lütfen İşaretleyiniz !"));
    m_kindGroup->setAccessibleName(m_kindGroup->title());
    m_kinds = new QButtonGroup(this);
    auto* layout = new QGridLayout(m_kindGroup);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setSpacing(0);
    // Three columns, filled down one after the other.
    const QVector<SearchField>& fields = searchFields();
    const int perColumn = (fields.size() + 2) / 3;
    for (int i = 0; i < fields.size(); ++i) {
        auto* item = new QRadioButton(fields[i].caption, m_kindGroup);
        m_kinds->addButton(item, i);
        layout->addWidget(item, i % perColumn, i / perColumn);
    }
    m_kinds->button(0)->setChecked(true);
}

void ListingControls::buildColumnGroup(QWidget* parent)
{
    m_columnGroup = new QGroupBox(QStringLiteral("Listelenecek  Alan Seçimi [İsim +..]"), parent);
    m_columnGroup->setAccessibleName(m_columnGroup->title());
    auto* layout = new QGridLayout(m_columnGroup);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setSpacing(0);
    for (int i = 0; i < kOptionalColumnCount; ++i) {
        m_boxes[i] = new QCheckBox(optionalListColumns()[i].boxCaption, m_columnGroup);
        layout->addWidget(m_boxes[i], i % 4, i / 4);
        connectCommand(m_services.errors, m_boxes[i], &QCheckBox::toggled, this, &ListingControls::boxToggled);
    }
}

void ListingControls::buildGrid(QWidget* parent, bool connectGrid)
{
    m_grid = new DBGrid(parent);
    m_grid->setColumns(resultColumns());
    // One colour for the whole grid, which Find and All change.
    m_grid->setRowShading({});
    m_grid->setRowIndicator(true);
    m_grid->setAccessibleName(QStringLiteral("Bulunan Kişiler"));
    if (connectGrid)
        m_grid->setDataSource(m_dm.ds2);
    connectCommand(m_services.errors, m_grid, &DBGrid::clicked, this, &ListingControls::gridClick);

    m_navigator = new DBNavigator(m_dm.ds2, DBNavigator::allButtons(), parent);
    m_navigator->setPrompter(&m_services.prompter);
}

int ListingControls::searchKind() const
{
    return std::max(0, m_kinds->checkedId());
}

void ListingControls::setSearchKind(int kind)
{
    m_kinds->button(kind)->setChecked(true);
}

ColumnChoice ListingControls::chosenColumns() const
{
    ColumnChoice chosen{};
    for (int i = 0; i < kOptionalColumnCount; ++i)
        chosen[i] = m_boxes[i]->isChecked();
    return chosen;
}

bool ListingControls::hasRows() const
{
    return m_dm.Query1->isActive() && m_dm.Query1->recordCount() > 0;
}

void ListingControls::find()
{
    const QString word = m_wordBox->text();
    if (word.isEmpty()) {
        m_services.sound.beep();
        m_services.prompter.message(emptyWordMessage());
        focusWordBox();
        return;
    }
    // A word that cannot be searched for leaves Query1 closed; the error
    // goes on to the caller.
    Dataset* query = m_dm.Query1;
    query->close();
    const SearchStatement statement = searchStatement(searchKind(), word);
    TDM2::reopen(query, statement.sql, statement.params);
    if (m_grid->dataSource() != m_dm.ds2)
        m_grid->setDataSource(m_dm.ds2);

    const bool found = query->recordCount() > 0;
    if (found) {
        paintGrid(m_foundColor);
        m_countLabel->setText(countText(query->recordCount()));
        followFirstRow();
    }
    emit foundRows(found);
    if (!found) {
        m_services.sound.beep();
        m_services.prompter.message(notFoundMessage());
        focusWordBox();
    }
}

void ListingControls::all()
{
    TDM2::reopen(m_dm.Query1, allResidentsSql());
    paintGrid(QPalette().color(QPalette::Base));
    m_countLabel->setText(countText(m_dm.Query1->recordCount()));
    if (m_dm.Query1->recordCount() > 0)
        followFirstRow();
}

void ListingControls::gridClick()
{
    if (hasRows())
        showInRegister(m_dm.Query1->value(QStringLiteral("Kayitno")));
}

void ListingControls::boxToggled(bool ticked)
{
    m_total.boxToggled(ticked);
    paintTotal();
}

void ListingControls::paintTotal()
{
    m_totalLabel->setText(m_total.label());
    QPalette pal = m_totalLabel->palette();
    pal.setColor(QPalette::WindowText,
                 m_total.fitsPaper() ? QPalette().color(QPalette::WindowText) : QColor(255, 0, 0));
    m_totalLabel->setPalette(pal);
}

void ListingControls::paintGrid(const QColor& color)
{
    m_grid->setColors(color, QPalette().color(QPalette::Text));
}

// The register window follows the first resident found.
void ListingControls::followFirstRow()
{
    m_dm.Query1->first();
    showInRegister(m_dm.Query1->value(QStringLiteral("KayitNo")));
}

// Moves the register to the resident; a register closed by a failed filter
// or one that does not hold him stays where it is.
void ListingControls::showInRegister(const QVariant& recordNumber)
{
    if (m_dm.Query2->isActive())
        m_dm.Query2->locate(QStringLiteral("KayitNo"), recordNumber);
}

void ListingControls::focusWordBox()
{
    if (m_wordBox->isVisible() && m_wordBox->isEnabled())
        m_wordBox->setFocus();
}

} // namespace zelvar
