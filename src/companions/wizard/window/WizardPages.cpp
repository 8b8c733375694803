// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizard/window/WizardPages.h"

#include "data/FieldDefs.h"
#include "wizard/engine/ImportRun.h"
#include "wizard/window/WizardWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace zelvar::wizard {

namespace {

constexpr int kPreviewRows = 20;

QLabel* wrappedLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

QString fieldTitle(const FieldDef& f)
{
    return f.caption.trimmed().isEmpty() ? f.name : QStringLiteral("%1 (%2)").arg(f.caption.trimmed(), f.name);
}

QString tableTitle(const TableDef& table)
{
    if (table.name == QLatin1String("zelvarx"))
        return QStringLiteral("Kişiler (zelvarx)");
    if (table.name == QLatin1String("Nakil"))
        return QStringLiteral("Nakil defteri (Nakil)");
    if (table.name == QLatin1String("Randevu"))
        return QStringLiteral("Randevular (Randevu)");
    if (table.name == QLatin1String("Mahalle"))
        return QStringLiteral("Mahalle bilgileri (Mahalle)");
    return table.name;
}

QTableWidgetItem* readOnlyItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

void fillEncodingBox(QComboBox* box, const QString& guessed)
{
    box->clear();
    box->addItem(QStringLiteral("Kendiliğinden: %1").arg(guessed));
    for (Encoding e : {Encoding::Utf8, Encoding::Windows1254, Encoding::Dos857})
        box->addItem(encodingName(e), int(e));
}

// Where file dialogs start: the user's documents, or his home folder
// when he has no documents folder.
QString startFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

std::optional<Encoding> chosenEncoding(const QComboBox* box)
{
    const QVariant data = box->currentData();
    return data.isValid() ? std::optional<Encoding>(Encoding(data.toInt())) : std::nullopt;
}

} // namespace

// ---------------------------------------------------------------- StartWizardPage

StartWizardPage::StartWizardPage(WizardWindow& wizard)
    : QWizardPage(&wizard)
{
    setTitle(QStringLiteral("Veri Sihirbazı"));
    setSubTitle(QStringLiteral("Ne yapmak istiyorsunuz?"));
    auto* layout = new QVBoxLayout(this);
    m_import = new QRadioButton(QStringLiteral("Kayıtları içeri al: bir Paradox tabloları klasörü ya da bir "
                                               ".xlsx, .ods, .csv dosyası"),
                                this);
    m_export =
        new QRadioButton(QStringLiteral("Kayıtları dışarı ver: bir tabloyu .xlsx, .ods ya da .csv dosyasına"), this);
    m_import->setChecked(true);
    layout->addWidget(m_import);
    layout->addWidget(m_export);
    layout->addSpacing(12);
    layout->addWidget(
        wrappedLabel(QStringLiteral("Veri klasörü: %1").arg(QDir::toNativeSeparators(wizard.dataFolder())), this));
    layout->addWidget(wrappedLabel(QStringLiteral("İçeri alınan kayıtlar yazılmadan önce veri klasörünün yedeği "
                                                  "alınır; aktarma ya bütünüyle yapılır ya da hiç yapılmaz."),
                                   this));
    layout->addStretch();
}

int StartWizardPage::nextId() const
{
    return m_export->isChecked() ? WizardWindow::ExportPage : WizardWindow::SourcePage;
}

void StartWizardPage::chooseExport(bool exportChosen)
{
    (exportChosen ? m_export : m_import)->setChecked(true);
}

// ---------------------------------------------------------------- SourceWizardPage

SourceWizardPage::SourceWizardPage(WizardWindow& wizard)
    : QWizardPage(&wizard),
      m_wizard(wizard)
{
    setTitle(QStringLiteral("Kaynak"));
    setSubTitle(QStringLiteral("Paradox tablolarının (.DB) bulunduğu klasörü ya da bir .xlsx, .ods, .csv dosyasını "
                               "seçiniz. Klasör için içindeki .DB dosyalarından birini seçmeniz yeter."));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("Klasör ya da dosya:"), this);
    m_path = new QLineEdit(this);
    label->setBuddy(m_path);
    auto* browse = new QPushButton(QStringLiteral("Seç..."), this);
    row->addWidget(label);
    row->addWidget(m_path, 1);
    row->addWidget(browse);
    layout->addLayout(row);
    layout->addStretch();
    connect(browse, &QPushButton::clicked, this, &SourceWizardPage::browse);
    connect(m_path, &QLineEdit::textChanged, this, &QWizardPage::completeChanged);
}

void SourceWizardPage::setPath(const QString& path)
{
    m_path->setText(QDir::toNativeSeparators(path));
}

void SourceWizardPage::browse()
{
    const QString start = m_path->text().isEmpty() ? startFolder() : m_path->text();
    const QString chosen = m_wizard.prompter().openFileName(
        QStringLiteral("Kaynak Seç"), start,
        {QStringLiteral("Kayıt dosyaları (*.DB *.db *.xlsx *.ods *.csv *.txt)"),
         QStringLiteral("Paradox tabloları (*.DB *.db)"), QStringLiteral("Excel (*.xlsx)"),
         QStringLiteral("OpenDocument (*.ods)"), QStringLiteral("Metin dosyaları (*.csv *.txt)")});
    if (chosen.isEmpty())
        return;
    // A table of a Paradox folder stands for its folder.
    setPath(QFileInfo(chosen).suffix().compare(QLatin1String("db"), Qt::CaseInsensitive) == 0
                ? QFileInfo(chosen).absolutePath()
                : chosen);
}

bool SourceWizardPage::isComplete() const
{
    return !m_path->text().trimmed().isEmpty();
}

bool SourceWizardPage::validatePage()
{
    try {
        m_wizard.setup().setPath(QDir::fromNativeSeparators(m_path->text().trimmed()));
        return true;
    } catch (const ZelvarError& e) {
        m_wizard.prompter().message(e.message(), MessageKind::Warning);
        return false;
    }
}

int SourceWizardPage::nextId() const
{
    return m_wizard.setup().isParadox() ? WizardWindow::TablesPage : WizardWindow::SheetPage;
}

// ---------------------------------------------------------------- TablesWizardPage

TablesWizardPage::TablesWizardPage(WizardWindow& wizard)
    : QWizardPage(&wizard),
      m_wizard(wizard)
{
    setTitle(QStringLiteral("Paradox Tabloları"));
    setSubTitle(QStringLiteral("Klasörde bulunan tablolar. Aktarılacakları işaretleyiniz."));
    auto* layout = new QVBoxLayout(this);
    m_tables = new QTableWidget(0, 4, this);
    m_tables->setHorizontalHeaderLabels(
        {QStringLiteral("Tablo"), QStringLiteral("Satır"), QStringLiteral("Kod sayfası"), QStringLiteral("Not")});
    m_tables->horizontalHeader()->setStretchLastSection(true);
    m_tables->verticalHeader()->hide();
    m_tables->setAccessibleName(QStringLiteral("Tablolar"));
    layout->addWidget(m_tables, 1);
    auto* form = new QFormLayout;
    m_codePage = new QComboBox(this);
    form->addRow(QStringLiteral("Metnin kod sayfası:"), m_codePage);
    layout->addLayout(form);
    m_notes = wrappedLabel(QString(), this);
    layout->addWidget(m_notes);
    connect(m_tables, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() != 0)
            return;
        m_wizard.setup().setTableChosen(item->row(), item->checkState() == Qt::Checked);
        emit completeChanged();
    });
    connect(m_codePage, &QComboBox::activated, this, &TablesWizardPage::chooseCodePage);
}

void TablesWizardPage::initializePage()
{
    ImportSetup& setup = m_wizard.setup();
    const QVector<ParadoxTable>& tables = setup.folder()->tables();
    const QSignalBlocker block(m_tables);
    m_tables->setRowCount(int(tables.size()));
    bool password = false;
    for (int t = 0; t < tables.size(); ++t) {
        const ParadoxTable& table = tables[t];
        auto* name = readOnlyItem(table.fileName);
        name->setFlags(setup.tableImportable(t) ? (name->flags() | Qt::ItemIsUserCheckable)
                                                : (name->flags() & ~Qt::ItemIsEnabled));
        name->setCheckState(setup.tableChosen(t) ? Qt::Checked : Qt::Unchecked);
        m_tables->setItem(t, 0, name);
        m_tables->setItem(t, 1, readOnlyItem(table.problem.isEmpty() ? QString::number(table.rows) : QString()));
        m_tables->setItem(t, 2, readOnlyItem(table.codePage > 0 ? QString::number(table.codePage) : QString()));
        m_tables->setItem(t, 3, readOnlyItem(setup.tableNote(t)));
        password = password || (table.target && table.target->name == QLatin1String("sifre"));
    }
    m_tables->resizeColumnsToContents();
    const int codePage = setup.folder()->commonCodePage();
    fillEncodingBox(m_codePage, codePage > 0 ? QStringLiteral("tablo başlığından (%1)").arg(codePage)
                                             : encodingName(setup.effectiveEncoding()));
    m_codePage->removeItem(1); // UTF-8 is no code page of these tables
    QStringList notes;
    if (password)
        notes << QStringLiteral("Şifre tablosu aktarılmaz: aktarmadan sonra programda yeni bir şifre belirleyiniz "
                                "(Sabit > Şifre Değişimi).");
    notes << QStringLiteral("Şifreli tablolar şifre sorulmadan okunur.");
    m_notes->setText(notes.join(QLatin1Char('\n')));
}

void TablesWizardPage::chooseCodePage(int index)
{
    m_wizard.setup().setEncoding(chosenEncoding(m_codePage));
    Q_UNUSED(index)
}

bool TablesWizardPage::isComplete() const
{
    for (int t = 0; t < m_tables->rowCount(); ++t)
        if (m_wizard.setup().tableChosen(t))
            return true;
    return false;
}

int TablesWizardPage::nextId() const
{
    return WizardWindow::PreviewPage;
}

// ---------------------------------------------------------------- SheetWizardPage

SheetWizardPage::SheetWizardPage(WizardWindow& wizard)
    : QWizardPage(&wizard),
      m_wizard(wizard)
{
    setTitle(QStringLiteral("Dosya"));
    setSubTitle(QStringLiteral("Dosyanın aktarılacağı tabloyu seçiniz."));
    auto* layout = new QVBoxLayout(this);
    m_about = wrappedLabel(QString(), this);
    layout->addWidget(m_about);
    auto* form = new QFormLayout;
    m_table = new QComboBox(this);
    for (const TableDef* t : importableTables())
        m_table->addItem(tableTitle(*t), t->name);
    form->addRow(QStringLiteral("Aktarılacağı tablo:"), m_table);
    m_encoding = new QComboBox(this);
    m_encodingLabel = new QLabel(QStringLiteral("Metnin kodlaması:"), this);
    m_encodingLabel->setBuddy(m_encoding);
    form->addRow(m_encodingLabel, m_encoding);
    layout->addLayout(form);
    layout->addStretch();
    connect(m_table, &QComboBox::activated, this,
            [this] { m_wizard.setup().setTargetTable(findTable(m_table->currentData().toString())); });
    connect(m_encoding, &QComboBox::activated, this, [this] {
        try {
            m_wizard.setup().setEncoding(chosenEncoding(m_encoding));
        } catch (const ZelvarError& e) {
            m_wizard.prompter().message(e.message(), MessageKind::Warning);
        }
    });
}

void SheetWizardPage::initializePage()
{
    ImportSetup& setup = m_wizard.setup();
    const bool text = setup.type() == SourceType::Csv;
    m_about->setText(QStringLiteral("%1: %2 sütun. Başlıklar: %3")
                         .arg(QFileInfo(setup.path()).fileName())
                         .arg(setup.headings().size())
                         .arg(setup.headings().join(QStringLiteral(", "))));
    m_table->setCurrentIndex(m_table->findData(setup.targetTable()->name));
    m_encoding->setVisible(text);
    m_encodingLabel->setVisible(text);
    if (text)
        fillEncodingBox(m_encoding, encodingName(setup.effectiveEncoding()));
}

int SheetWizardPage::nextId() const
{
    return WizardWindow::MappingPage;
}

// ---------------------------------------------------------------- MappingWizardPage

MappingWizardPage::MappingWizardPage(WizardWindow& wizard)
    : QWizardPage(&wizard),
      m_wizard(wizard)
{
    setTitle(QStringLiteral("Sütun Eşleme"));
    setSubTitle(QStringLiteral("Dosyanın her sütununun dolduracağı alan. Başlıklardan tahmin edildi; "
                               "değiştirebilirsiniz."));
    auto* layout = new QVBoxLayout(this);
    m_list = new QTableWidget(0, 3, this);
    m_list->setHorizontalHeaderLabels(
        {QStringLiteral("Dosyadaki sütun"), QStringLiteral("Alan"), QStringLiteral("İlk satırdaki değer")});
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->verticalHeader()->hide();
    m_list->setAccessibleName(QStringLiteral("Sütun eşleme"));
    layout->addWidget(m_list);
}

void MappingWizardPage::initializePage()
{
    ImportSetup& setup = m_wizard.setup();
    const TableDef& table = *setup.targetTable();
    const QStringList headings = setup.headings();
    QVector<SourceRow> first;
    try {
        // The raw first row, to show what each column holds.
        auto source =
            openSheet(setup.path(), setup.type() == SourceType::Csv ? std::optional<Encoding>(setup.effectiveEncoding())
                                                                    : std::nullopt);
        SourceRow row;
        if (source->next(row))
            first << row;
    } catch (const ZelvarError&) {
    }
    m_list->setRowCount(int(headings.size()));
    for (int c = 0; c < headings.size(); ++c) {
        m_list->setItem(c, 0, readOnlyItem(headings[c]));
        auto* box = new QComboBox(m_list);
        box->addItem(QStringLiteral("— aktarılmaz —"), -1);
        for (int f = 0; f < table.fields.size(); ++f)
            box->addItem(fieldTitle(table.fields[f]), f);
        box->setCurrentIndex(box->findData(setup.mapping().fieldOfColumn.value(c, -1)));
        box->setAccessibleName(QStringLiteral("%1 sütununun alanı").arg(headings[c]));
        m_list->setCellWidget(c, 1, box);
        connect(box, &QComboBox::activated, this, [this, c, box] {
            m_wizard.setup().setColumnField(c, box->currentData().toInt());
            // Another column that filled this field is now left out.
            for (int other = 0; other < m_list->rowCount(); ++other)
                if (auto* b = qobject_cast<QComboBox*>(m_list->cellWidget(other, 1)))
                    b->setCurrentIndex(b->findData(m_wizard.setup().mapping().fieldOfColumn.value(other, -1)));
            emit completeChanged();
        });
        m_list->setItem(c, 2, readOnlyItem(first.isEmpty() ? QString() : first.first().displayText(c)));
    }
    m_list->resizeColumnsToContents();
}

bool MappingWizardPage::isComplete() const
{
    return m_wizard.setup().mapping().mappedCount() > 0;
}

int MappingWizardPage::nextId() const
{
    return WizardWindow::PreviewPage;
}

// ---------------------------------------------------------------- PreviewWizardPage

PreviewWizardPage::PreviewWizardPage(WizardWindow& wizard)
    : QWizardPage(&wizard),
      m_wizard(wizard)
{
    setTitle(QStringLiteral("Önizleme"));
    setSubTitle(QStringLiteral("İlk satırlar, kaydedilecekleri biçimde: tarihler okunmuş, uzun metinler "
                               "alanlarına göre kısaltılmış."));
    auto* layout = new QVBoxLayout(this);
    m_table = new QComboBox(this);
    m_table->setAccessibleName(QStringLiteral("Önizlenen tablo"));
    layout->addWidget(m_table);
    m_rows = new QTableWidget(this);
    m_rows->setAccessibleName(QStringLiteral("Önizleme"));
    layout->addWidget(m_rows, 1);
    connect(m_table, &QComboBox::activated, this, [this] { show(m_table->currentData().toInt()); });
}

void PreviewWizardPage::initializePage()
{
    ImportSetup& setup = m_wizard.setup();
    m_table->clear();
    if (setup.isParadox()) {
        for (int t = 0; t < setup.folder()->tables().size(); ++t)
            if (setup.tableChosen(t))
                m_table->addItem(setup.folder()->tables()[t].fileName, t);
        // The residents first: they are what the office looks at.
        for (int i = 0; i < m_table->count(); ++i)
            if (setup.previewTable(m_table->itemData(i).toInt())->name == QLatin1String("zelvarx"))
                m_table->setCurrentIndex(i);
    } else {
        m_table->addItem(tableTitle(*setup.targetTable()), -1);
    }
    m_table->setVisible(setup.isParadox());
    show(m_table->currentData().toInt());
}

void PreviewWizardPage::show(int table)
{
    ImportSetup& setup = m_wizard.setup();
    const TableDef* def = setup.previewTable(table);
    m_rows->clear();
    if (!def)
        return;
    QVector<SourceRow> rows;
    try {
        rows = setup.preview(kPreviewRows, table);
    } catch (const ZelvarError& e) {
        m_wizard.prompter().message(e.message(), MessageKind::Warning);
    }
    // A Paradox table shows every field; a sheet the fields its columns
    // fill, in the file's order, so that nothing empty crowds them out.
    QVector<int> shown;
    if (setup.isParadox()) {
        for (int f = 0; f < def->fields.size(); ++f)
            shown << f;
    } else {
        for (int field : setup.mapping().fieldOfColumn)
            if (field >= 0)
                shown << field;
    }
    m_rows->setColumnCount(int(shown.size()));
    m_rows->setRowCount(int(rows.size()));
    QStringList headers;
    for (int f : shown) {
        const FieldDef& field = def->fields[f];
        headers << (field.caption.trimmed().isEmpty() ? field.name : field.caption.trimmed());
    }
    m_rows->setHorizontalHeaderLabels(headers);
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < shown.size(); ++c)
            m_rows->setItem(r, c, readOnlyItem(rows[r].displayText(shown[c])));
    m_rows->resizeColumnsToContents();
}

int PreviewWizardPage::nextId() const
{
    return WizardWindow::CheckPage;
}

// ---------------------------------------------------------------- JobProgress

JobProgress::JobProgress(WizardWindow& wizard, QWidget* parent)
    : QWidget(parent),
      m_wizard(wizard)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    m_state = new QLabel(this);
    m_bar = new QProgressBar(this);
    m_state->setObjectName(QStringLiteral("jobState"));
    m_cancel = new QPushButton(QStringLiteral("İptal"), this);
    m_cancel->setObjectName(QStringLiteral("jobCancel"));
    m_cancel->setEnabled(false);
    row->addWidget(m_state, 1);
    row->addWidget(m_bar, 1);
    row->addWidget(m_cancel);
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_wizard.requestCancel(); });
}

void JobProgress::start(const QString& state)
{
    m_wizard.setBusy(true);
    m_wizard.clearCancel();
    m_cancel->setEnabled(true);
    m_state->setText(state);
    m_bar->setRange(0, 0);
    QApplication::processEvents();
}

ImportProgress JobProgress::report(const QString& verb)
{
    return [this, verb](const QString& table, qint64 done, qint64 total) {
        m_state->setText(QStringLiteral("%1: %2 satır %3").arg(table).arg(done).arg(verb));
        m_bar->setRange(0, total > 0 ? int(std::min<qint64>(total, INT_MAX)) : 0);
        if (total > 0)
            m_bar->setValue(int(std::min(done, total)));
        QApplication::processEvents();
        return !m_wizard.cancelRequested();
    };
}

void JobProgress::committing()
{
    m_cancel->setEnabled(false);
    m_state->setText(QStringLiteral("Kaydediliyor..."));
    m_bar->setRange(0, 0);
    // Painted now, as the commit keeps the window busy; clicks wait until
    // it is done and then meet a disabled button.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void JobProgress::finish(const QString& state)
{
    m_wizard.setBusy(false);
    m_cancel->setEnabled(false);
    m_bar->setRange(0, 1);
    m_bar->setValue(1);
    m_state->setText(state);
}

// ---------------------------------------------------------------- IssueModel

void IssueModel::setRun(const ImportRun* run)
{
    beginResetModel();
    m_run = run;
    endResetModel();
}

int IssueModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_run ? 0 : int(m_run->issues().size());
}

int IssueModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 5;
}

QVariant IssueModel::data(const QModelIndex& index, int role) const
{
    if (!m_run || role != Qt::DisplayRole)
        return {};
    const Issue& issue = m_run->issues()[index.row()];
    switch (index.column()) {
    case 0:
        return issue.file;
    case 1:
        return issue.line;
    case 2:
        return issue.field;
    case 3:
        return issue.detail;
    case 4:
        return decisionTitle(m_run->decision(issue.kind));
    }
    return {};
}

QVariant IssueModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const QStringList titles = {QStringLiteral("Dosya"), QStringLiteral("Satır"), QStringLiteral("Alan"),
                                       QStringLiteral("Sorun"), QStringLiteral("Yapılacak")};
    return titles.value(section);
}

// ---------------------------------------------------------------- CheckWizardPage

CheckWizardPage::CheckWizardPage(WizardWindow& wizard)
    : QWizardPage(&wizard),
      m_wizard(wizard)
{
    setTitle(QStringLiteral("Denetim"));
    setSubTitle(QStringLiteral("Reddedilecek ya da değiştirilecek her satır. Her sorun türü için ne "
                               "yapılacağını seçiniz; henüz hiçbir şey kaydedilmedi."));
    auto* layout = new QVBoxLayout(this);
    m_progress = new JobProgress(wizard, this);
    layout->addWidget(m_progress);
    m_kinds = new QTableWidget(0, 3, this);
    m_kinds->setHorizontalHeaderLabels(
        {QStringLiteral("Sorun türü"), QStringLiteral("Satır"), QStringLiteral("Yapılacak")});
    m_kinds->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_kinds->verticalHeader()->hide();
    m_kinds->setAccessibleName(QStringLiteral("Sorun türleri"));
    m_kinds->setMaximumHeight(170);
    layout->addWidget(m_kinds);
    m_issues = new QTableView(this);
    m_issues->setModel(&m_model);
    m_issues->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    m_issues->verticalHeader()->hide();
    m_issues->setAccessibleName(QStringLiteral("Denetim raporu"));
    layout->addWidget(m_issues, 1);
    auto* bottom = new QHBoxLayout;
    m_summary = wrappedLabel(QString(), this);
    m_save = new QPushButton(QStringLiteral("Raporu Kaydet..."), this);
    bottom->addWidget(m_summary, 1);
    bottom->addWidget(m_save);
    layout->addLayout(bottom);
    connect(m_save, &QPushButton::clicked, this, &CheckWizardPage::saveReport);
    // After the writing there is no going back to change the choices.
    setCommitPage(true);
    setButtonText(QWizard::CommitButton, QStringLiteral("Aktar"));
}

void CheckWizardPage::initializePage()
{
    m_done = false;
    m_kinds->setRowCount(0);
    m_model.setRun(nullptr);
    m_summary->clear();
    m_save->setEnabled(false);
    // Shown first, then checked: the progress is on screen while it runs.
    QTimer::singleShot(0, this, [this] {
        if (!m_done && !m_wizard.busy())
            runCheck();
    });
}

void CheckWizardPage::cleanupPage()
{
    m_wizard.setRun(nullptr);
    m_model.setRun(nullptr);
}

void CheckWizardPage::runCheck()
{
    m_progress->start(QStringLiteral("Denetleniyor..."));
    QString state;
    try {
        m_wizard.setRun(m_wizard.setup().makeRun());
        m_wizard.run()->check(m_progress->report(QStringLiteral("denetlendi")));
        state = QStringLiteral("Denetim bitti: %1 sorun.").arg(m_wizard.run()->issues().size());
    } catch (const ImportCancelled& e) {
        state = e.message();
        m_wizard.setRun(nullptr);
    } catch (const ZelvarError& e) {
        state = QStringLiteral("Denetim yapılamadı.");
        m_wizard.setRun(nullptr);
        m_wizard.prompter().message(e.message(), MessageKind::Warning);
    }
    m_progress->finish(state);
    m_done = m_wizard.run() != nullptr;
    if (m_done)
        showResult();
    emit completeChanged();
}

void CheckWizardPage::showResult()
{
    ImportRun* run = m_wizard.run();
    m_model.setRun(run);
    m_issues->resizeColumnToContents(0);
    m_issues->resizeColumnToContents(1);
    m_issues->resizeColumnToContents(2);
    m_kinds->setRowCount(0);
    for (int k = 0; k < kIssueKindCount; ++k) {
        const auto kind = IssueKind(k);
        const int count = run->issueCount(kind);
        if (count == 0)
            continue;
        const int row = m_kinds->rowCount();
        m_kinds->insertRow(row);
        m_kinds->setItem(row, 0, readOnlyItem(issueKindInfo(kind).title));
        m_kinds->setItem(row, 1, readOnlyItem(QString::number(count)));
        auto* box = new QComboBox(m_kinds);
        for (Decision d : issueKindInfo(kind).decisions)
            box->addItem(decisionTitle(d), int(d));
        box->setCurrentIndex(box->findData(int(run->decision(kind))));
        box->setAccessibleName(QStringLiteral("%1: yapılacak").arg(issueKindInfo(kind).title));
        m_kinds->setCellWidget(row, 2, box);
        connect(box, &QComboBox::activated, this, [this, kind, box] {
            m_wizard.run()->setDecision(kind, Decision(box->currentData().toInt()));
            m_model.setRun(m_wizard.run());
            updateSummary();
        });
    }
    m_kinds->resizeColumnToContents(2);
    m_save->setEnabled(!run->issues().isEmpty());
    updateSummary();
}

void CheckWizardPage::updateSummary()
{
    if (ImportRun* run = m_wizard.run())
        m_summary->setText(ImportRun::summaryText(run->checkSummary())
                               .replace(QStringLiteral("kaydedildi"), QStringLiteral("kaydedilecek"))
                               .replace(QStringLiteral("atlandı"), QStringLiteral("atlanacak"))
                               .replace(QStringLiteral("aldı"), QStringLiteral("alacak")));
}

void CheckWizardPage::saveReport()
{
    if (!m_wizard.run())
        return;
    const QString path = m_wizard.prompter().saveFileName(
        QStringLiteral("Raporu Kaydet"), QDir(startFolder()).filePath(QStringLiteral("denetim.csv")),
        {QStringLiteral("CSV dosyaları (*.csv)")}, QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    try {
        m_wizard.run()->saveReport(path);
    } catch (const ZelvarError& e) {
        m_wizard.prompter().message(e.message(), MessageKind::Warning);
    }
}

bool CheckWizardPage::isComplete() const
{
    if (!m_done || !m_wizard.run())
        return false;
    for (const TableSummary& s : m_wizard.run()->checkSummary())
        if (s.written > 0)
            return true;
    return false;
}

bool CheckWizardPage::validatePage()
{
    return m_wizard.prompter().ask(QStringLiteral("Kayıtlar aktarılsın mı?\nÖnce veri klasörünün yedeği alınır."),
                                   Buttons::YesNo) == Answer::Yes;
}

int CheckWizardPage::nextId() const
{
    return WizardWindow::WritePage;
}

// ---------------------------------------------------------------- WriteWizardPage

WriteWizardPage::WriteWizardPage(WizardWindow& wizard)
    : QWizardPage(&wizard),
      m_wizard(wizard)
{
    setTitle(QStringLiteral("Aktarma"));
    setSubTitle(QStringLiteral("Yazmadan önce yedek alınır; sonra bütün satırlar tek seferde yazılır. İptal "
                               "edilirse kayıtlar olduğu gibi kalır."));
    setFinalPage(true);
    auto* layout = new QVBoxLayout(this);
    m_progress = new JobProgress(wizard, this);
    layout->addWidget(m_progress);
    m_result = wrappedLabel(QString(), this);
    m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_result->setAccessibleName(QStringLiteral("Sonuç"));
    layout->addWidget(m_result);
    layout->addStretch();
}

void WriteWizardPage::initializePage()
{
    m_done = false;
    m_result->clear();
    QTimer::singleShot(0, this, [this] {
        if (!m_done && !m_wizard.busy())
            runWrite();
    });
}

void WriteWizardPage::runWrite()
{
    ImportRun* run = m_wizard.run();
    if (!run)
        return;
    m_progress->start(QStringLiteral("Yedek alınıyor..."));
    QString state;
    QString result;
    try {
        const QVector<TableSummary> summary =
            run->write(m_wizard.dataFolder(), m_wizard.clock().now(), m_progress->report(QStringLiteral("yazıldı")),
                       [this] { m_progress->committing(); });
        state = QStringLiteral("Aktarma bitti.");
        result = ImportRun::summaryText(summary);
        if (!run->backupFile().isEmpty())
            result +=
                QStringLiteral("\n\nAktarmadan önceki yedek: %1").arg(QDir::toNativeSeparators(run->backupFile()));
        result += QStringLiteral("\n\nProgram açıksa yeni kayıtları, kayıtları bir sonraki okuyuşunda gösterir.");
        if (m_wizard.setup().isParadox())
            result += QStringLiteral("\nŞifre aktarılmadı: programda yeni bir şifre belirleyiniz "
                                     "(Sabit > Şifre Değişimi).");
    } catch (const ImportCancelled& e) {
        state = QStringLiteral("İptal edildi.");
        result = e.message();
    } catch (const ZelvarError& e) {
        state = QStringLiteral("Aktarma yapılamadı.");
        result = QStringLiteral("Aktarma yapılamadı; kayıtlar değişmedi.\n%1").arg(e.message());
    }
    m_progress->finish(state);
    m_result->setText(result);
    m_done = true;
    emit completeChanged();
}

bool WriteWizardPage::isComplete() const
{
    return m_done;
}

// ---------------------------------------------------------------- ExportWizardPage

ExportWizardPage::ExportWizardPage(WizardWindow& wizard)
    : QWizardPage(&wizard),
      m_wizard(wizard)
{
    setTitle(QStringLiteral("Dışarı Ver"));
    setSubTitle(QStringLiteral("Bir tabloyu bir hesap tablosuna ya da metin dosyasına yazar. Fotoğraflar bu "
                               "dosyalara sığmaz: tam bir kopya için veri klasörünün yedeğini kullanınız."));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_table = new QComboBox(this);
    for (const ExportChoice& c : exportChoices())
        m_table->addItem(c.title, c.name);
    form->addRow(QStringLiteral("Tablo:"), m_table);
    m_format = new QComboBox(this);
    m_format->addItem(QStringLiteral("Excel (.xlsx)"), QStringLiteral("xlsx"));
    m_format->addItem(QStringLiteral("OpenDocument (.ods)"), QStringLiteral("ods"));
    m_format->addItem(QStringLiteral("Metin, noktalı virgülle (.csv)"), QStringLiteral("csv"));
    form->addRow(QStringLiteral("Biçim:"), m_format);
    auto* fileRow = new QHBoxLayout;
    m_file = new QLineEdit(this);
    auto* browse = new QPushButton(QStringLiteral("Seç..."), this);
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(browse);
    form->addRow(QStringLiteral("Dosya:"), fileRow);
    layout->addLayout(form);
    m_progress = new QProgressBar(this);
    m_progress->setVisible(false);
    layout->addWidget(m_progress);
    layout->addStretch();
    m_file->setText(QDir::toNativeSeparators(QDir(startFolder()).filePath(QStringLiteral("zelvarx.xlsx"))));
    connect(browse, &QPushButton::clicked, this, &ExportWizardPage::browse);
    connect(m_file, &QLineEdit::textChanged, this, &QWizardPage::completeChanged);
    connect(m_format, &QComboBox::activated, this, [this] { suggestName(false); });
    connect(m_table, &QComboBox::activated, this, [this] { suggestName(true); });
}

void ExportWizardPage::suggestName(bool tableChanged)
{
    // A new format keeps the name typed and changes its extension; a new
    // table suggests its own name.
    const QFileInfo current(QDir::fromNativeSeparators(m_file->text()));
    const QString base = tableChanged || current.completeBaseName().isEmpty() ? m_table->currentData().toString()
                                                                              : current.completeBaseName();
    const QString name = base + QLatin1Char('.') + m_format->currentData().toString();
    m_file->setText(QDir::toNativeSeparators(QDir(current.absolutePath()).filePath(name)));
}

void ExportWizardPage::browse()
{
    const QString suffix = m_format->currentData().toString();
    const QString path =
        m_wizard.prompter().saveFileName(QStringLiteral("Dosya Seç"), QDir::fromNativeSeparators(m_file->text()),
                                         {m_format->currentText() + QStringLiteral(" (*.%1)").arg(suffix)}, suffix);
    if (!path.isEmpty())
        m_file->setText(QDir::toNativeSeparators(path));
}

bool ExportWizardPage::isComplete() const
{
    return !m_file->text().trimmed().isEmpty();
}

bool ExportWizardPage::validatePage()
{
    QString path = QDir::fromNativeSeparators(m_file->text().trimmed());
    if (!exportFormatOf(path))
        path += QLatin1Char('.') + m_format->currentData().toString();
    const ExportChoice choice = *exportChoice(m_table->currentData().toString());
    m_progress->setVisible(true);
    m_progress->setRange(0, 0);
    try {
        const int rows = exportTable(m_wizard.database(), choice, path, *exportFormatOf(path), [this](int done) {
            m_progress->setFormat(QStringLiteral("%1 satır").arg(done));
            QApplication::processEvents();
        });
        m_result =
            QStringLiteral("%1: %2 satır yazıldı.\n%3").arg(choice.title).arg(rows).arg(QDir::toNativeSeparators(path));
        if (choice.name == QLatin1String("zelvarx") || choice.name == QLatin1String("kalanlar"))
            m_result += QStringLiteral("\n\nFotoğraflar bu dosyada yok. Fotoğraflarıyla tam bir kopya için veri "
                                       "klasörünün yedek klasöründeki (yedek) en yeni dosyayı saklayınız.");
    } catch (const ZelvarError& e) {
        m_progress->setVisible(false);
        m_wizard.prompter().message(e.message(), MessageKind::Warning);
        return false;
    }
    m_progress->setVisible(false);
    return true;
}

int ExportWizardPage::nextId() const
{
    return WizardWindow::ExportDonePage;
}

ExportDoneWizardPage::ExportDoneWizardPage(WizardWindow& wizard)
    : QWizardPage(&wizard),
      m_wizard(wizard)
{
    setTitle(QStringLiteral("Dışarı Verildi"));
    // A subtitle keeps the page under the same header as the others.
    setSubTitle(QStringLiteral("Tablo dosyaya yazıldı; bir hesap tablosu programıyla açılabilir."));
    setFinalPage(true);
    auto* layout = new QVBoxLayout(this);
    m_result = wrappedLabel(QString(), this);
    m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_result);
    layout->addStretch();
}

void ExportDoneWizardPage::initializePage()
{
    if (auto* page = qobject_cast<ExportWizardPage*>(m_wizard.page(WizardWindow::ExportPage)))
        m_result->setText(page->lastResult());
}

} // namespace zelvar::wizard
