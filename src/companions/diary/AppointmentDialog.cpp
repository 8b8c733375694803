#include "companions/diary/AppointmentDialog.h"

#include "companions/common/CommandGuard.h"
#include "companions/diary/AppointmentBook.h"
#include "companions/diary/AppointmentTime.h"
#include "data/FieldDefs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelvar {

namespace {

QComboBox* timeBox(QWidget* parent, bool allowEmpty)
{
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMaxVisibleItems(16);
    if (allowEmpty)
        box->addItem(QString());
    box->addItems(appointmenttime::halfHours());
    box->lineEdit()->setMaxLength(5);
    box->setMinimumContentsLength(6);
    return box;
}

} // namespace

AppointmentDialog::AppointmentDialog(AppointmentBook& book, const Services& services,
                                     const std::optional<Appointment>& original, const QDate& day, const QString& start,
                                     QWidget* parent)
    : QDialog(parent),
      m_book(book),
      m_services(services)
{
    setWindowTitle(original ? editCaption() : newCaption());
    m_grid = new QGridLayout;
    QGridLayout* grid = m_grid;
    int row = 0;
    const auto caption = [this, grid](const QString& text, QWidget* control, int at) {
        auto* label = new QLabel(text, this);
        label->setBuddy(control);
        grid->addWidget(label, at, 0);
    };

    m_date = new QLineEdit(this);
    m_date->setInputMask(QStringLiteral("00.00.0000;_"));
    m_date->setMaximumWidth(110);
    caption(QStringLiteral("&Tarih"), m_date, row);
    grid->addWidget(m_date, row++, 1);

    auto* times = new QHBoxLayout;
    m_start = timeBox(this, false);
    m_end = timeBox(this, true);
    times->addWidget(m_start);
    auto* until = new QLabel(QStringLiteral("&Bitiş Saati"), this);
    until->setBuddy(m_end);
    times->addSpacing(12);
    times->addWidget(until);
    times->addWidget(m_end);
    times->addStretch(1);
    caption(QStringLiteral("&Başlangıç Saati"), m_start, row);
    grid->addLayout(times, row++, 1);

    m_bellNote = new QLabel(appointmenttime::noBellNote(), this);
    m_bellNote->setWordWrap(true);
    m_bellNote->setStyleSheet(QStringLiteral("color: rgb(160, 0, 0);"));
    m_bellNote->setVisible(false);
    grid->addWidget(m_bellNote, row++, 1);

    addLine(QStringLiteral("&Adı Soyadı"), QStringLiteral("Adi"), row++);
    addLine(QStringLiteral("&Konu"), QStringLiteral("Konu"), row++);
    addLine(QStringLiteral("T&elefon"), QStringLiteral("Telefon"), row++);
    addLine(QStringLiteral("Telefon &2"), QStringLiteral("Telefon2"), row++);
    addLine(QStringLiteral("A&dres"), QStringLiteral("Adres1"), row++);
    addLine(QStringLiteral("Adres (2. satır)"), QStringLiteral("Adres2"), row++);

    m_note = new QPlainTextEdit(this);
    m_note->setTabChangesFocus(true);
    m_note->setMinimumHeight(70);
    caption(QStringLiteral("&Not"), m_note, row);
    grid->addWidget(m_note, row++, 1);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("&Kaydet"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("&Vazgeç"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (save())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* column = new QVBoxLayout(this);
    column->addLayout(grid);
    column->addWidget(buttons);

    connect(m_start, &QComboBox::editTextChanged, this, &AppointmentDialog::startChanged);
    if (original) {
        m_original = original->key();
        fill(*original);
    } else {
        Appointment fresh;
        fresh.date = day;
        fresh.start = start;
        fill(fresh);
    }
    resize(480, sizeHint().height());
}

QLineEdit* AppointmentDialog::addLine(const QString& caption, const QString& fieldName, int row)
{
    auto* box = new QLineEdit(this);
    // The field's width from the one table of fields.
    if (const FieldDef* def = findTable(AppointmentBook::tableName())->field(fieldName))
        box->setMaxLength(def->width);
    auto* label = new QLabel(caption, this);
    label->setBuddy(box);
    m_grid->addWidget(label, row, 0);
    m_grid->addWidget(box, row, 1);
    m_lines.append({fieldName, box});
    return box;
}

QLineEdit* AppointmentDialog::field(const QString& name) const
{
    for (const auto& [fieldName, box] : m_lines)
        if (fieldName.compare(name, Qt::CaseInsensitive) == 0)
            return box;
    return nullptr;
}

void AppointmentDialog::fill(const Appointment& a)
{
    m_date->setText(a.date.toString(QLatin1String(kDateFormat)));
    m_start->setEditText(a.start);
    m_end->setEditText(a.end);
    field(QStringLiteral("Adi"))->setText(a.name);
    field(QStringLiteral("Konu"))->setText(a.subject);
    field(QStringLiteral("Telefon"))->setText(a.phone);
    field(QStringLiteral("Telefon2"))->setText(a.phone2);
    field(QStringLiteral("Adres1"))->setText(a.address1);
    field(QStringLiteral("Adres2"))->setText(a.address2);
    m_note->setPlainText(a.note);
    startChanged();
}

Appointment AppointmentDialog::typed() const
{
    Appointment a;
    a.date = QDate::fromString(m_date->text(), QLatin1String(kDateFormat));
    a.start = m_start->currentText();
    a.end = m_end->currentText();
    a.name = field(QStringLiteral("Adi"))->text().trimmed();
    a.subject = field(QStringLiteral("Konu"))->text().trimmed();
    a.phone = field(QStringLiteral("Telefon"))->text().trimmed();
    a.phone2 = field(QStringLiteral("Telefon2"))->text().trimmed();
    a.address1 = field(QStringLiteral("Adres1"))->text().trimmed();
    a.address2 = field(QStringLiteral("Adres2"))->text().trimmed();
    a.note = m_note->toPlainText();
    return a;
}

void AppointmentDialog::startChanged()
{
    // Only a real time that misses the half hours gets the note.
    const QString time = appointmenttime::normalize(m_start->currentText());
    m_bellNote->setVisible(!time.isEmpty() && !appointmenttime::ringsAt(time));
}

bool AppointmentDialog::bellNoteShown() const
{
    return !m_bellNote->isHidden();
}

bool AppointmentDialog::save()
{
    Appointment a = typed();
    const bool written = runCommand(m_services, [&] {
        m_book.save(a, m_original);
        AppointmentBook::check(a);
    });
    if (written)
        m_saved = a;
    return written;
}

} // namespace zelvar
