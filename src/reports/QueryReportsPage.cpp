// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/QueryReportsPage.h"
#include "ui/bound/BoundControl.h"

#include "data/Errors.h"
#include "data/QueryDialect.h"
#include "data/TDM2.h"
#include "platform/Printing.h"
#include "platform/Services.h"
#include "reports/QueryListReport.h"
#include "reports/TitleGrid.h"
#include "ui/WorkWait.h"
#include "ui/bound/DBGrid.h"
#include "ui/bound/DBNavigator.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>

namespace zelvar {

namespace {

const QColor kTreeBack(0, 0, 64);
constexpr int kRight = 150; // left edge of the right-hand column
constexpr int kRightWidth = 470;

QLabel* caption(QWidget* page, const QString& text, const QRect& box)
{
    auto* label = new QLabel(text, page);
    label->setGeometry(box);
    return label;
}

bool isAdi(const QString& field)
{
    return field.compare(QLatin1String("Adi"), Qt::CaseInsensitive) == 0;
}

} // namespace

QStringList QueryReportsPage::fieldNames()
{
    return {"Adi",      "AnaAdi",    "Apartman",   "BabaAdi",   "CepTel",   "Cilt",        "Cinsiyeti",
            "Dini",     "DogTar",    "DogYeri",    "EvDurum1",  "EvNo",     "Hane",        "IlKodu",
            "IsAdresi", "IsTelefon", "KayitNo",    "Kazasi",    "Mahalle",  "MahalleKoyu", "Medeni",
            "Meslek",   "NC_Daire",  "NC_Kayitno", "NC_Nedeni", "NC_Seri",  "NC_Tarihi",   "Sayfa",
            "Sokak",    "Tabiyeti",  "Telefon",    "Vilayeti",  "Yakinlik", "YokTar"};
}

QStringList QueryReportsPage::conditionExamples()
{
    return {"WHERE Adi =\"Mustafa\";",
            "WHERE DogTar >=\"01.08.1964\" and DogTar<=\"01.01.2000\";",
            "WHEREDogTar <\"15.09.1999\" and DogYer = \"Bornova\";",
            "WHERE NC_Seri = \"N 0054643\"",
            "WHERE Adi LIKE \"%Çalışkan%\"",
            "WHERE Apartman LIKE \"&Gül&\"",
            "WHERE Sokak = \"4001\" and EvNo =\"68/5\";",
            "WHERE Medeni = \"Evli\" and DogTar  > \"01.02.1996\" and Cinsiyeti=\"Kadın\";",
            ""};
}

QueryReportsPage::QueryReportsPage(TDM2& dm, const Services& services, QWidget* parent)
    : QWidget(parent),
      m_dm(dm),
      m_services(services),
      m_export(services, this, QStringLiteral("Sorgu"))
{
    setObjectName(QStringLiteral("queryReportsPage"));
    buildTree();
    buildBoxes();
    buildResult();
    buildButtons();
    reportErrorsTo(this, m_services.errors);
}

void QueryReportsPage::buildTree()
{
    auto* label = caption(this, QStringLiteral("Tablo Alanları"), QRect(4, 2, 140, 16));
    m_tree = new QTreeWidget(this);
    label->setBuddy(m_tree);
    m_tree->setObjectName(QStringLiteral("fieldTree"));
    m_tree->setGeometry(4, 18, 140, 336);
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(false);
    m_tree->setCursor(Qt::PointingHandCursor);
    m_tree->setToolTip(QStringLiteral("Alan Seçmek İçin Çift Tıklayınız "));
    m_tree->setFocusPolicy(Qt::ClickFocus); // the Tab key passes it by
    QPalette pal = m_tree->palette();
    pal.setColor(QPalette::Base, kTreeBack);
    pal.setColor(QPalette::Text, Qt::white);
    // The selection stays visible when the tree loses the focus.
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        pal.setColor(QPalette::Inactive, role, pal.color(QPalette::Active, role));
    m_tree->setPalette(pal);

    QStyle* style = m_tree->style();
    QIcon leafIcon = style->standardIcon(QStyle::SP_FileIcon);
    leafIcon.addPixmap(style->standardPixmap(QStyle::SP_ArrowRight), QIcon::Selected);
    auto* root = new QTreeWidgetItem(m_tree, {rootText()});
    root->setIcon(0, style->standardIcon(QStyle::SP_DirIcon));
    for (const QString& name : fieldNames())
        (new QTreeWidgetItem(root, {name}))->setIcon(0, leafIcon);
    root->setExpanded(false);
    connectCommand(m_services.errors, m_tree, &QTreeWidget::itemDoubleClicked, this,
                   [this](QTreeWidgetItem* item) { addTreeField(item); });
}

void QueryReportsPage::buildBoxes()
{
    auto* columnsLabel = caption(this, QStringLiteral("Listelenecek Alanları Seçiniz :"), QRect(kRight, 2, 300, 16));
    m_columns = new QLineEdit(QStringLiteral("Adi"), this);
    m_columns->setObjectName(QStringLiteral("columnsBox"));
    m_columns->setGeometry(kRight, 18, kRightWidth - 26, 21);
    columnsLabel->setBuddy(m_columns);
    m_clear = new QToolButton(this);
    m_clear->setGeometry(kRight + kRightWidth - 22, 18, 22, 21);
    m_clear->setIcon(style()->standardIcon(QStyle::SP_DialogResetButton));
    m_clear->setToolTip(QStringLiteral(" Tüm Alanları Temizle"));
    m_clear->setAccessibleName(m_clear->toolTip());
    connectCommand(m_services.errors, m_clear, &QToolButton::clicked, this, &QueryReportsPage::clear);

    auto* conditionLabel =
        caption(this, QStringLiteral("Listeleme Koşulları ( Örnekler) :"), QRect(kRight, 42, 300, 16));
    m_condition = new QComboBox(this);
    m_condition->setObjectName(QStringLiteral("conditionBox"));
    m_condition->setEditable(true);
    m_condition->setInsertPolicy(QComboBox::NoInsert);
    m_condition->addItems(conditionExamples());
    m_condition->setCurrentIndex(-1);
    m_condition->setEditText(QString());
    m_condition->setGeometry(kRight, 58, kRightWidth, 21);
    conditionLabel->setBuddy(m_condition);

    auto* titleLabel = caption(this, QStringLiteral("Liste Başlığı"), QRect(kRight, 82, 200, 16));
    m_title = new QLineEdit(this);
    m_title->setObjectName(QStringLiteral("titleBox"));
    m_title->setGeometry(kRight, 98, kRightWidth - 104, 21);
    titleLabel->setBuddy(m_title);
    m_query = new QPushButton(QStringLiteral("&Sorgula"), this);
    m_query->setGeometry(kRight + kRightWidth - 98, 97, 98, 23);
    connectCommand(m_services.errors, m_query, &QPushButton::clicked, this, &QueryReportsPage::query);
}

void QueryReportsPage::buildResult()
{
    auto* resultLabel = caption(this, QStringLiteral("Sorgulama Sonucu"), QRect(kRight, 122, 200, 16));
    m_result = new DBGrid(this);
    m_result->setObjectName(QStringLiteral("resultGrid"));
    m_result->setGeometry(kRight, 138, kRightWidth, 110);
    m_result->setReadOnly(true);
    resultLabel->setBuddy(m_result);

    auto* titlesLabel = caption(this, QStringLiteral("Alanlar ve Etiket Başlıkları"), QRect(kRight, 251, 250, 16));
    // Room for the most fields a query can give (SQLite's 2000 columns).
    m_fieldCount = caption(this, QStringLiteral("Alan Sayısı ="), QRect(kRight + kRightWidth - 150, 251, 150, 16));
    m_fieldCount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_fieldCount->setAccessibleName(m_fieldCount->text());
    m_titles = new TitleGrid(this);
    m_titles->setGeometry(kRight, 267, kRightWidth, 58);
    titlesLabel->setBuddy(m_titles);

    m_navigator = new DBNavigator(m_dm.DataSource3,
                                  {DBNavigator::First, DBNavigator::Prior, DBNavigator::Next, DBNavigator::Last,
                                   DBNavigator::Cancel, DBNavigator::Refresh},
                                  this);
    m_navigator->setGeometry(kRight, 331, 138, 24);
    m_navigator->setRefresher([this] { refreshResult(); });
    for (int b = 0; b < DBNavigator::kButtonCount; ++b)
        m_navigator->button(DBNavigator::Button(b))->setAutoRaise(true);
}

void QueryReportsPage::buildButtons()
{
    const auto add = [this](const QString& text, int left, void (QueryReportsPage::*slot)()) {
        auto* button = new QPushButton(text, this);
        button->setGeometry(left, 331, 78, 24);
        connectCommand(m_services.errors, button, &QPushButton::clicked, this, slot);
        return button;
    };
    const int left = kRight + 146;
    m_excel = add(QStringLiteral("E&xcel'e"), left, &QueryReportsPage::exportToExcel);
    m_word = add(QStringLiteral("&Word'e"), left + 81, &QueryReportsPage::exportToWord);
    m_print = add(QStringLiteral("&Yazdır"), left + 162, &QueryReportsPage::print);
    m_preview = add(QStringLiteral("&Ön İzle"), left + 243, &QueryReportsPage::preview);
}

void QueryReportsPage::addTreeField(QTreeWidgetItem* item)
{
    if (!item || item->text(0) == rootText())
        return;
    m_columns->setText(m_columns->text() + QStringLiteral(", ") + item->text(0));
}

void QueryReportsPage::query()
{
    if (m_running)
        return;
    if (m_columns->text().isEmpty()) {
        m_services.prompter.message(noColumnsMessage(), MessageKind::Warning);
        m_columns->setFocus();
        return;
    }
    m_titles->clearCells();
    QPointer<QueryReportsPage> alive(this);
    const FreeQueryRun::Outcome outcome = runBeside(m_columns->text(), m_condition->currentText());
    if (!alive)
        return;
    if (outcome != FreeQueryRun::Outcome::Done) {
        tellOutcome(outcome);
        return;
    }
    try {
        showResult();
    } catch (const ZelvarError&) {
        m_services.prompter.message(faultyQueryMessage(), MessageKind::Warning);
    }
}

// Runs the pieces on a thread of their own while the window waits without
// freezing; Query7 is closed meanwhile and holds the result when it is Done.
// The page may be gone when this returns (its window closed meanwhile).
FreeQueryRun::Outcome QueryReportsPage::runBeside(const QString& columns, const QString& condition)
{
    Dataset* q = m_dm.Query7;
    q->close();
    std::unique_ptr<FreeQueryRun> run;
    try {
        run = std::make_unique<FreeQueryRun>(*q, columns, condition);
    } catch (const ZelvarError&) {
        return FreeQueryRun::Outcome::Faulty;
    }
    QPointer<QueryReportsPage> alive(this);
    m_running = true;
    WorkWait::until(*run, window());
    if (!alive)
        return FreeQueryRun::Outcome::Cancelled;
    m_running = false;
    if (run->outcome() != FreeQueryRun::Outcome::Done)
        return run->outcome();
    try {
        run->openOn(*q);
    } catch (const ZelvarError&) {
        return FreeQueryRun::Outcome::Faulty;
    }
    m_ranColumns = columns;
    m_ranCondition = condition;
    return FreeQueryRun::Outcome::Done;
}

void QueryReportsPage::tellOutcome(FreeQueryRun::Outcome outcome)
{
    if (outcome == FreeQueryRun::Outcome::Faulty)
        m_services.prompter.message(faultyQueryMessage(), MessageKind::Warning);
    else if (outcome == FreeQueryRun::Outcome::TooLarge)
        m_services.prompter.message(tooLargeMessage(), MessageKind::Warning);
}

// The checks on the result; a failure here is one message for the caller.
void QueryReportsPage::showResult()
{
    Dataset* q = m_dm.Query7;
    // A single field other than Adi has no second field to look at: that is
    // a faulty query, not a missing Adi.
    if (!isAdi(q->fieldName(0))) {
        if (q->fieldCount() < 2)
            throw DatasetError(QStringLiteral("Query7: ikinci alan yok"));
        if (!isAdi(q->fieldName(1))) {
            m_result->setDataSource(nullptr);
            m_services.prompter.message(adiFirstMessage(), MessageKind::Warning);
            return;
        }
    }
    m_result->setDataSource(m_dm.DataSource3);
    m_fieldCount->setText(QStringLiteral("Alan Sayısı = ") + QString::number(q->fieldCount()));
    m_fieldCount->setAccessibleName(m_fieldCount->text());
    m_titles->setFields(q->fieldNames());
    if (q->recordCount() == 0)
        m_services.prompter.message(notFoundMessage(), MessageKind::Information);
}

// The navigator's Refresh: the result shown is read again, beside the
// window like the query itself.
void QueryReportsPage::refreshResult()
{
    if (m_running || !m_dm.Query7->isActive())
        return;
    QPointer<QueryReportsPage> alive(this);
    const FreeQueryRun::Outcome outcome = runBeside(m_ranColumns, m_ranCondition);
    if (alive)
        tellOutcome(outcome);
}

void QueryReportsPage::clear()
{
    m_columns->setText(QStringLiteral("Adi"));
    m_condition->setCurrentIndex(-1);
    m_condition->setEditText(QString());
    m_title->clear();
    m_result->setDataSource(nullptr);
    m_titles->clearCells();
}

// The name column prints Adi; the report's columns 1 to 8 come from the
// title grid's columns 3 to 10 by position. The second column is not
// printed.
bool QueryReportsPage::setUpReport()
{
    const Dataset* q = m_dm.Query7;
    if (q->isActive() && q->fieldCount() > kPrintableFields) {
        m_services.prompter.message(tooManyFieldsMessage(), MessageKind::Warning);
        return false;
    }
    if (!m_report)
        return false;
    QueryListReport::Columns columns;
    for (int i = 0; i < QueryListReport::kColumnCount; ++i) {
        const QString field = m_titles->fieldAt(i + 2);
        columns[i] = field.isEmpty() ? QueryListColumn{} : QueryListColumn{m_titles->headingAt(i + 2), field};
    }
    m_report->setUp(m_title->text(), columns);
    return true;
}

void QueryReportsPage::print()
{
    if (setUpReport())
        m_services.printing.print(m_report->build(m_dm.Query7, m_services.clock.now()));
}

void QueryReportsPage::preview()
{
    if (setUpReport())
        m_services.printing.preview(m_report->build(m_dm.Query7, m_services.clock.now()));
}

void QueryReportsPage::exportToExcel()
{
    m_export.run(m_dm.Query7, ExportCommand::Target::Spreadsheet, ExportCommand::querySpreadsheetQuestion());
}

void QueryReportsPage::exportToWord()
{
    m_export.run(m_dm.Query7, ExportCommand::Target::Document, ExportCommand::queryDocumentQuestion());
}

} // namespace zelvar
