// SPDX-License-Identifier: GPL-3.0-or-later
#include "companions/notebook/NotebookWindow.h"

#include "companions/common/CompanionIcons.h"
#include "data/FieldDefs.h"
#include "documents/EditorIcons.h"
#include "documents/RichTextArea.h"
#include "documents/RtfContent.h"
#include "documents/RtfReader.h"
#include "documents/RtfWriter.h"
#include "platform/Printing.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zelvar {

namespace {

QString dateText(const QDate& day)
{
    return day.toString(QLatin1String(kDateFormat));
}

} // namespace

CompanionInfo NotebookWindow::info()
{
    return {QStringLiteral("zelvar-defter"),
            QStringLiteral("Bilgi Defteri"),
            artwork::Icon::Notebook,
            {QStringLiteral("Bilgi Defteri"),
             {"Bilgi Defteri: muhtarlığın tarihli notları (Zelvar 2001).",
              "Bilgi Defteri: the dated notes of a headman's office (Zelvar 2001)."},
             {"Muhtarlığın not defteri", "Notebook of a headman's office"},
             {}}};
}

NotebookWindow::NotebookWindow(Database& db, const Services& services, QWidget* parent)
    : CompanionWindow(info(), db, services, parent),
      m_book(db),
      m_search(new QLineEdit(this)),
      m_list(new QTreeWidget(this)),
      m_title(new QLineEdit(this)),
      m_date(new QLineEdit(this)),
      m_text(new RichTextArea(this))
{
    buildCommands();

    m_search->setPlaceholderText(QStringLiteral("Başlıkta ya da metinde aranacak sözcükler"));
    m_search->setClearButtonEnabled(true);
    auto* searchLabel = new QLabel(QStringLiteral("&Ara:"), this);
    searchLabel->setBuddy(m_search);
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({QStringLiteral("Tarih"), QStringLiteral("Başlık")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setColumnWidth(0, 80);
    m_list->setAccessibleName(QStringLiteral("Notlar"));

    m_title->setMaxLength(findTable(NoteBook::tableName())->field("Baslik")->width);
    m_date->setInputMask(QStringLiteral("00.00.0000;_"));
    m_date->setFixedWidth(100);
    auto* titleLabel = new QLabel(QStringLiteral("&Başlık:"), this);
    titleLabel->setBuddy(m_title);
    auto* dateLabel = new QLabel(QStringLiteral("&Tarih:"), this);
    dateLabel->setBuddy(m_date);

    auto* left = new QWidget(this);
    auto* leftColumn = new QVBoxLayout(left);
    leftColumn->setContentsMargins(0, 0, 0, 0);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(m_search, 1);
    leftColumn->addLayout(searchRow);
    leftColumn->addWidget(m_list, 1);

    auto* right = new QWidget(this);
    auto* rightColumn = new QVBoxLayout(right);
    rightColumn->setContentsMargins(0, 0, 0, 0);
    auto* head = new QHBoxLayout;
    head->addWidget(titleLabel);
    head->addWidget(m_title, 1);
    head->addSpacing(10);
    head->addWidget(dateLabel);
    head->addWidget(m_date);
    rightColumn->addLayout(head);
    rightColumn->addWidget(buildFormatBar());
    rightColumn->addWidget(m_text, 1);

    auto* split = new QSplitter(this);
    split->addWidget(left);
    split->addWidget(right);
    split->setStretchFactor(1, 1);
    split->setSizes({300, 640});
    auto* centre = new QWidget(this);
    auto* column = new QVBoxLayout(centre);
    column->addWidget(split);
    setCentralWidget(centre);
    resize(960, 600);

    connect(m_search, &QLineEdit::textChanged, this, [this](const QString& typed) { run([&] { search(typed); }); });
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (!item)
            return;
        const qint64 id = item->data(0, Qt::UserRole).toLongLong();
        if (id != m_id)
            run([this, id] { openNote(id); });
    });
    connect(m_title, &QLineEdit::textEdited, this, [this] { setModified(true); });
    connect(m_date, &QLineEdit::textEdited, this, [this] { setModified(true); });
    connect(m_text, &QTextEdit::textChanged, this, [this] { setModified(true); });

    fillList(0);
    if (m_list->topLevelItemCount() > 0)
        openNote(m_list->topLevelItem(0)->data(0, Qt::UserRole).toLongLong());
    else
        newNote();
}

void NotebookWindow::buildCommands()
{
    addCommand(QStringLiteral("Yeni"), companionicons::icon(companionicons::Glyph::New),
               QKeySequence(Qt::CTRL | Qt::Key_N), [this] { newNote(); });
    addCommand(QStringLiteral("Kaydet"), companionicons::icon(companionicons::Glyph::Save),
               QKeySequence(Qt::CTRL | Qt::Key_S), [this] { saveNote(); });
    addCommand(QStringLiteral("Sil"), companionicons::icon(companionicons::Glyph::Delete),
               QKeySequence(Qt::CTRL | Qt::Key_Delete), [this] { deleteNote(); });
    addSeparator();
    addCommand(QStringLiteral("Yazdır"), companionicons::icon(companionicons::Glyph::Print),
               QKeySequence(Qt::CTRL | Qt::Key_P), [this] { printNote(); });
    addCloseCommand();
}

// The editor's own buttons over the text: styles, alignment, font.
QWidget* NotebookWindow::buildFormatBar()
{
    auto* bar = new QFrame(this);
    bar->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(0);
    const auto button = [this, bar, row](editoricons::Glyph glyph, const QString& hint, bool checkable,
                                         std::function<void(bool)> apply) {
        auto* action = new QAction(editoricons::icon(glyph), hint, this);
        action->setToolTip(hint);
        action->setCheckable(checkable);
        connect(action, &QAction::triggered, this, [apply = std::move(apply)](bool on) { apply(on); });
        auto* b = new QToolButton(bar);
        b->setDefaultAction(action);
        b->setAutoRaise(true);
        b->setIconSize(QSize(18, 18));
        b->setFocusPolicy(Qt::NoFocus); // the styles act on the text
        b->setAccessibleName(hint);
        row->addWidget(b);
    };
    button(editoricons::Glyph::Bold, QStringLiteral("Koyu"), true, [this](bool on) { m_text->setBold(on); });
    button(editoricons::Glyph::Italic, QStringLiteral("İtalik"), true, [this](bool on) { m_text->setItalic(on); });
    button(editoricons::Glyph::Underline, QStringLiteral("Altı Çizili"), true,
           [this](bool on) { m_text->setUnderline(on); });
    row->addSpacing(8);
    button(editoricons::Glyph::AlignLeft, QStringLiteral("Sola Yasla"), false,
           [this](bool) { m_text->setParagraphAlignment(Qt::AlignLeft); });
    button(editoricons::Glyph::Center, QStringLiteral("Ortala"), false,
           [this](bool) { m_text->setParagraphAlignment(Qt::AlignHCenter); });
    button(editoricons::Glyph::AlignRight, QStringLiteral("Sağa Yasla"), false,
           [this](bool) { m_text->setParagraphAlignment(Qt::AlignRight); });
    row->addSpacing(8);
    button(editoricons::Glyph::Font, QStringLiteral("Font Özellikleri"), false,
           [this](bool) { m_text->chooseFont(m_services.prompter); });
    row->addStretch(1);
    return bar;
}

void NotebookWindow::fillList(qint64 keepId)
{
    const QVector<NoteBook::Entry> entries = m_book.list(m_search->text());
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    QTreeWidgetItem* keep = nullptr;
    for (const NoteBook::Entry& e : entries) {
        auto* item = new QTreeWidgetItem(m_list, {dateText(e.date), e.title});
        item->setData(0, Qt::UserRole, e.id);
        if (e.id == keepId)
            keep = item;
    }
    if (keep)
        m_list->setCurrentItem(keep);
    const int all = m_book.count();
    setCount(entries.size() == all ? QStringLiteral("%1 not").arg(all)
                                   : QStringLiteral("%1 / %2 not").arg(entries.size()).arg(all));
}

void NotebookWindow::search(const QString&)
{
    fillList(m_id);
    setStatus(
        m_search->text().trimmed().isEmpty()
            ? QString()
            : QStringLiteral("\"%1\" geçen %2 not.").arg(m_search->text().trimmed()).arg(m_list->topLevelItemCount()));
}

void NotebookWindow::showNote(const Note& note)
{
    m_id = note.id;
    m_title->setText(note.title);
    m_date->setText(dateText(note.date));
    {
        const QSignalBlocker quiet(m_text);
        if (note.rtf.isEmpty())
            m_text->clear();
        else
            fillDocument(*m_text->document(), RtfReader::parse(note.rtf));
        m_text->document()->setModified(false);
        m_text->moveCursor(QTextCursor::Start);
    }
    setModified(false);
}

bool NotebookWindow::openNote(qint64 id)
{
    if (id == m_id && !m_modified)
        return true;
    if (!settle()) {
        // Staying on the changed note: the list shows it chosen again.
        fillList(m_id);
        return false;
    }
    const std::optional<Note> note = m_book.find(id);
    if (!note)
        return false;
    showNote(*note);
    fillList(m_id);
    setStatus(QString());
    return true;
}

void NotebookWindow::newNote()
{
    if (!settle())
        return;
    Note note;
    note.date = m_services.clock.today();
    showNote(note);
    {
        const QSignalBlocker quiet(m_list);
        m_list->setCurrentItem(nullptr);
    }
    m_title->setFocus();
    setStatus(QStringLiteral("Yeni not."));
}

Note NotebookWindow::typed() const
{
    Note note;
    note.id = m_id;
    note.date = QDate::fromString(m_date->text(), QLatin1String(kDateFormat));
    note.title = m_title->text();
    note.rtf = RtfWriter::write(*m_text->document());
    note.plain = m_text->toPlainText();
    return note;
}

bool NotebookWindow::isModified() const
{
    return m_modified;
}

void NotebookWindow::setModified(bool modified)
{
    m_modified = modified;
    setWindowTitle(info().title + (modified ? QStringLiteral(" *") : QString()));
}

bool NotebookWindow::saveNote()
{
    const Note note = typed();
    const qint64 id = m_book.save(note);
    m_id = id;
    const std::optional<Note> stored = m_book.find(id);
    if (stored)
        m_title->setText(stored->title);
    m_text->document()->setModified(false);
    setModified(false);
    fillList(m_id);
    setStatus(QStringLiteral("Not kaydedildi."));
    return true;
}

bool NotebookWindow::settle()
{
    if (!m_modified)
        return true;
    switch (m_services.prompter.ask(saveQuestion(), Buttons::YesNoCancel)) {
    case Answer::Yes:
        return run([this] { saveNote(); });
    case Answer::No:
        setModified(false);
        return true;
    default:
        return false;
    }
}

void NotebookWindow::deleteNote()
{
    if (m_id == 0) {
        // A note never saved is only dropped.
        setModified(false);
        newNote();
        return;
    }
    if (m_services.prompter.ask(QStringLiteral("\"%1\" notu silinsin mi?").arg(m_title->text()), Buttons::YesNo) !=
        Answer::Yes)
        return;
    m_book.remove(m_id);
    setModified(false);
    m_id = 0;
    fillList(0);
    if (m_list->topLevelItemCount() > 0)
        openNote(m_list->topLevelItem(0)->data(0, Qt::UserRole).toLongLong());
    else
        newNote();
}

void NotebookWindow::printNote()
{
    // The note's title and date head its text.
    QTextDocument page;
    page.setDefaultFont(m_text->baseFont());
    QTextCursor cursor(&page);
    QTextCharFormat heading;
    heading.setFontPointSize(14);
    heading.setFontWeight(QFont::Bold);
    cursor.insertText(m_title->text(), heading);
    QTextCharFormat small;
    small.setFontPointSize(9);
    cursor.insertBlock(QTextBlockFormat(), small);
    cursor.insertText(m_date->text(), small);
    cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    cursor.insertFragment(QTextDocumentFragment(m_text->document()));

    if (m_services.printing.printText(page) == TextPrintResult::Failed) {
        m_services.sound.exclamation();
        m_services.prompter.message(QStringLiteral("Not yazdırılamadı !"), MessageKind::Warning);
    }
}

void NotebookWindow::reload()
{
    // What is being written stays; the list and an unchanged note follow
    // the other program's changes.
    if (!m_modified && m_id != 0) {
        if (const std::optional<Note> note = m_book.find(m_id))
            showNote(*note);
    }
    fillList(m_id);
}

void NotebookWindow::closeEvent(QCloseEvent* event)
{
    bool leave = true;
    run([&] { leave = settle(); });
    if (leave)
        event->accept();
    else
        event->ignore();
}

} // namespace zelvar
