// SPDX-License-Identifier: GPL-3.0-or-later
#include "companions/addressbook/AddressBookWindow.h"

#include "companions/addressbook/AddressReports.h"
#include "companions/addressbook/ContactDialog.h"
#include "companions/addressbook/ContactModel.h"
#include "companions/addressbook/VCardFile.h"
#include "companions/common/CompanionIcons.h"
#include "companions/common/CompanionReports.h"
#include "companions/common/DetailsPanel.h"
#include "platform/Printing.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QVBoxLayout>

namespace zelvar {

using companionicons::Glyph;

CompanionInfo AddressBookWindow::info()
{
    return {QStringLiteral("zelvar-adres"),
            QStringLiteral("Adres Defteri"),
            artwork::Icon::AddressBook,
            {QStringLiteral("Adres Defteri"),
             {"Adres Defteri: muhtarlığın kurum, esnaf ve görevli adresleri (Zelvar 2001).",
              "Adres Defteri: the address book of a headman's office (Zelvar 2001)."},
             {"Muhtarlığın adres defteri", "Address book of a headman's office"},
             {}}};
}

AddressBookWindow::AddressBookWindow(Database& db, const Services& services, QWidget* parent)
    : CompanionWindow(info(), db, services, parent),
      m_book(db),
      m_model(new ContactModel(m_list, this)),
      m_search(new QLineEdit(this)),
      m_table(new QTableView(this)),
      m_details(new DetailsPanel(QStringLiteral("Kişinin bilgileri"), this))
{
    buildCommands();

    m_search->setPlaceholderText(QStringLiteral("Ad, kurum, unvan, telefon ya da e-posta yazınız"));
    m_search->setClearButtonEnabled(true);
    auto* searchLabel = new QLabel(QStringLiteral("&Ara:"), this);
    searchLabel->setBuddy(m_search);

    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setAlternatingRowColors(true);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->hide();
    // Every row as high as the first: the view lays out a long list at once.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnWidth(0, 190);
    m_table->setColumnWidth(1, 190);
    m_table->setColumnWidth(2, 130);
    m_table->setAccessibleName(QStringLiteral("Kişiler"));

    m_details->setFixedWidth(280);

    auto* top = new QHBoxLayout;
    top->addWidget(searchLabel);
    top->addWidget(m_search, 1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(m_table, 1);
    middle->addWidget(m_details);
    auto* centre = new QWidget(this);
    auto* column = new QVBoxLayout(centre);
    column->addLayout(top);
    column->addLayout(middle, 1);
    setCentralWidget(centre);
    resize(980, 580);

    connect(m_search, &QLineEdit::textChanged, this, [this](const QString& typed) { run([&] { search(typed); }); });
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { run([this] { showDetails(); }); });
    connect(m_table, &QTableView::activated, this, [this] { run([this] { editContact(); }); });

    refill(0);
    m_search->setFocus();
}

AddressBookWindow::~AddressBookWindow() = default;

void AddressBookWindow::buildCommands()
{
    addRecordCommands([this] { newContact(); }, [this] { editContact(); }, [this] { deleteContact(); });
    addSeparator();
    addCommand(QStringLiteral("Listeyi Yazdır"), companionicons::icon(Glyph::Print), QKeySequence(Qt::CTRL | Qt::Key_P),
               [this] { printList(); });
    addCommand(QStringLiteral("Etiketleri Yazdır"), companionicons::icon(Glyph::Labels), QKeySequence(),
               [this] { printLabels(); });
    addSeparator();
    addFileCommands([this] { exportCards(); }, [this] { importCards(); });
    addCloseCommand();
}

void AddressBookWindow::refill(qint64 keepId)
{
    m_model->reset([this] { m_list.load(m_db); });
    if (!keepId || !selectContact(keepId))
        m_table->setCurrentIndex(m_model->index(0, 0));
    showDetails();
}

void AddressBookWindow::search(const QString& typed)
{
    m_model->reset([&] { m_list.filter(typed); });
    m_table->setCurrentIndex(m_model->index(0, 0));
    showDetails();
}

bool AddressBookWindow::selectContact(qint64 id)
{
    const int row = m_list.shownRowOf(id);
    if (row < 0)
        return false;
    m_table->setCurrentIndex(m_model->index(row, 0));
    m_table->scrollTo(m_model->index(row, 0));
    return true;
}

std::optional<Contact> AddressBookWindow::selected() const
{
    const int row = m_table->currentIndex().row();
    if (row < 0 || row >= m_list.shownCount())
        return std::nullopt;
    return m_book.find(m_list.shown(row).id);
}

void AddressBookWindow::showDetails()
{
    const int shown = m_list.shownCount();
    setCount(shown == m_list.size() ? QStringLiteral("%1 kişi").arg(shown)
                                    : QStringLiteral("%1 / %2 kişi").arg(shown).arg(m_list.size()));
    setStatus(m_list.filterText().trimmed().isEmpty()
                  ? QStringLiteral("Bütün kişiler adlarına göre sıralı.")
                  : QStringLiteral("\"%1\" aramasına uyan %2 kişi.").arg(m_list.filterText().trimmed()).arg(shown));
    const std::optional<Contact> c = selected();
    if (!c) {
        m_details->clear();
        return;
    }
    m_details->begin(c->caption());
    if (!c->name.isEmpty())
        m_details->addLine(QStringLiteral("Kurum"), c->institution);
    m_details->addLine(QStringLiteral("Unvanı"), c->title);
    m_details->addLine(QStringLiteral("Telefon"), c->phone);
    m_details->addLine(QStringLiteral("Telefon 2"), c->phone2);
    m_details->addLine(QStringLiteral("E-posta"), c->email);
    m_details->addLine(QStringLiteral("Adres"), joinNonEmpty({c->address1, c->address2}, QStringLiteral("\n")));
    m_details->addLine(QStringLiteral("Not"), c->note);
    m_details->finish();
}

QString AddressBookWindow::detailsText() const
{
    return m_details->plainText();
}

bool AddressBookWindow::runDialog(const Contact& contact)
{
    ContactDialog dialog(m_book, m_services, contact, this);
    const bool saved = m_runDialog ? m_runDialog(dialog) : dialog.exec() == QDialog::Accepted;
    if (!saved)
        return false;
    // The contact written is shown even when the search would hide it.
    const qint64 id = dialog.savedId();
    refill(id);
    if (m_list.shownRowOf(id) < 0) {
        const QSignalBlocker quiet(m_search);
        m_search->clear();
        search(QString());
        selectContact(id);
        showDetails();
    }
    return true;
}

void AddressBookWindow::newContact()
{
    runDialog(Contact());
}

void AddressBookWindow::editContact()
{
    const std::optional<Contact> c = selected();
    if (!c) {
        askForChoice(QStringLiteral("kişi"));
        return;
    }
    runDialog(*c);
}

void AddressBookWindow::deleteContact()
{
    const std::optional<Contact> c = selected();
    if (!c) {
        askForChoice(QStringLiteral("kişi"));
        return;
    }
    if (m_services.prompter.ask(QStringLiteral("%1 adres defterinden silinsin mi?").arg(c->caption()),
                                Buttons::YesNo) != Answer::Yes)
        return;
    const int row = m_table->currentIndex().row();
    m_book.remove(c->id);
    refill(0);
    m_table->setCurrentIndex(m_model->index(std::min(row, m_list.shownCount() - 1), 0));
    showDetails();
}

QVector<Contact> AddressBookWindow::shownContacts() const
{
    QHash<qint64, Contact> byId;
    for (const Contact& c : m_book.all())
        byId.insert(c.id, c);
    QVector<Contact> shown;
    for (qint64 id : m_list.shownIds())
        if (byId.contains(id))
            shown << byId.value(id);
    return shown;
}

void AddressBookWindow::printList()
{
    const QVector<Contact> list = shownContacts();
    if (list.isEmpty()) {
        m_services.prompter.message(QStringLiteral("Listede yazdırılacak kişi yok !"), MessageKind::Information);
        return;
    }
    m_services.printing.preview(
        addressreports::list(companionreports::officeName(m_db), list, m_services.clock.today()));
}

void AddressBookWindow::printLabels()
{
    const QVector<Contact> list = shownContacts();
    if (list.isEmpty()) {
        m_services.prompter.message(QStringLiteral("Listede yazdırılacak kişi yok !"), MessageKind::Information);
        return;
    }
    m_services.printing.preview(addressreports::labels(list));
}

void AddressBookWindow::exportCards()
{
    const QVector<Contact> list = shownContacts();
    if (list.isEmpty()) {
        m_services.prompter.message(QStringLiteral("Listede aktarılacak kişi yok !"), MessageKind::Information);
        return;
    }
    // The version is the file kind the dialog was left on.
    QString kind;
    const QString path = m_services.prompter.saveFileNameOfKind(
        QStringLiteral("vCard Dosyasına Aktar"), QDir::homePath(), vcard::saveFilters(), QStringLiteral("vcf"), kind);
    if (path.isEmpty())
        return;
    const QByteArray cards = vcard::write(list, vcard::versionOfFilter(kind));
    if (!writeExport(path, cards))
        return;
    m_services.prompter.message(
        QStringLiteral("%1 kişi aktarıldı:\n%2").arg(list.size()).arg(QDir::toNativeSeparators(path)),
        MessageKind::Information);
}

void AddressBookWindow::importCards()
{
    const QString path = m_services.prompter.openFileName(QStringLiteral("vCard Dosyasından Al"), QDir::homePath(),
                                                          vcard::openFilters());
    if (path.isEmpty())
        return;
    const vcard::Read read = vcard::readFile(path);
    if (!read.problem.isEmpty()) {
        m_services.sound.exclamation();
        m_services.prompter.message(read.problem + QStringLiteral("\n\nHiçbir kişi alınmadı."), MessageKind::Warning);
        return;
    }
    const ContactBook::Added added = m_book.addAll(read.contacts);
    refill(selected() ? selected()->id : 0);
    tellImported(added.added, QStringLiteral("kişi"), read.skipped + added.skipped);
}

void AddressBookWindow::reload()
{
    const std::optional<Contact> c = selected();
    refill(c ? c->id : 0);
}

} // namespace zelvar
