// Small rules of the register window that spare the clerk typing: the
// province name from the province code, "T.C." in the nationality box, the
// moving-in date from the date picker.
#include "register/TForm2.h"

#include "data/TDM2.h"
#include "register/Provinces.h"
#include "ui/bound/DBEdit.h"

namespace zelvar {

void TForm2::connectDataset()
{
    Dataset* q = register_();
    connect(q, &Dataset::currentChanged, this, &TForm2::currentResidentChanged);
    // The number of a new row is part of what tells one resident from the
    // next: after its post the same row stays current.
    connect(q, &Dataset::fieldChanged, this, [this](int field) {
        Dataset* d = register_();
        if (d->fieldName(field).compare(QLatin1String("KayitNo"), Qt::CaseInsensitive) == 0)
            m_lastCurrentKey = QString::number(d->recNo()) + QLatin1Char('|') + d->displayText(field);
    });
    currentResidentChanged();
}

void TForm2::currentResidentChanged()
{
    // The province lookup runs whenever another resident becomes current,
    // even when his code reads the same as the last one's; not when the same
    // row is merely saved, cancelled or put into editing.
    Dataset* q = register_();
    if (!q->isActive()) {
        m_lastCurrentKey.clear();
        return;
    }
    const QString key = QString::number(q->recNo()) + QLatin1Char('|') + q->displayText(QStringLiteral("KayitNo"));
    if (key == m_lastCurrentKey)
        return;
    m_lastCurrentKey = key;
    if (q->state() == Dataset::State::Browse)
        provinceLookup();
}

void TForm2::provinceLookup()
{
    if (!m_provinceCodeBox)
        return;
    const QString text = m_provinceCodeBox->text();
    if (text.isEmpty())
        return;
    const std::optional<int> code = parseProvinceCode(text);
    if (!code)
        return;
    try {
        Dataset* q = register_();
        if (m_dm.DataSource1->autoEdit() && q->state() == Dataset::State::Browse)
            q->edit();
        const std::optional<QString> name = provinceName(*code);
        if (name && q->isEditing() && q->displayText(QStringLiteral("Vilayeti")) != *name)
            q->setText(QStringLiteral("Vilayeti"), *name);
    } catch (...) {
        // The name stays as it was.
    }
}

void TForm2::nationalityFill()
{
    // Fails, to the application's handler, when the register is closed.
    Dataset* q = register_();
    if (!q->isEditing())
        q->edit();
    q->setText(QStringLiteral("Tabiyeti"), QStringLiteral("T.C."));
}

void TForm2::entryDatePicked(const QDate& date)
{
    Dataset* q = register_();
    if (!q->isInserting())
        return;
    q->setText(QStringLiteral("YokTar"), date.toString(QString::fromLatin1(kDateFormat)));
}

} // namespace zelvar
