// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/TEditor.h"

#include "documents/CertificateTemplates.h"
#include "documents/DocumentKind.h"
#include "documents/EditorFileLoad.h"
#include "documents/EditorFiles.h"
#include "documents/EditorIcons.h"
#include "documents/RichTextArea.h"

#include <QAction>
#include <QComboBox>
#include <QEventLoop>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressDialog>
#include <QScrollBar>
#include <QShortcut>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace zelvar {

using editoricons::Glyph;

namespace {

constexpr int kMaxFontSize = 1638; // the largest size rich-text files carry

} // namespace

QStringList TEditor::sizeChoices()
{
    QStringList sizes;
    for (int size = 8; size <= 18; ++size)
        sizes << QString::number(size);
    return sizes;
}

QStringList TEditor::familyChoices(const QStringList& families)
{
    QStringList names;
    for (const QString& family : families) {
        const qsizetype foundry = family.endsWith(QLatin1Char(']')) ? family.lastIndexOf(QStringLiteral(" [")) : -1;
        names << (foundry > 0 ? family.left(foundry) : family);
    }
    names.removeDuplicates();
    return names;
}

TEditor::TEditor(TDM2& dm, const Services& services, QWidget* parent)
    : QWidget(parent),
      m_dm(dm),
      m_services(services),
      m_print(dm, m_services)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(caption());
    setFixedSize(kClientWidth, kClientHeight);
    move(0, 0);
    // The window's own controls use the small dialog font; the text keeps
    // the base font.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    m_text = new RichTextArea(this);

    buildToolBar();
    buildStatusBar();
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_toolFrame);
    column->addWidget(m_text, 1);
    column->addWidget(m_statusBar);

    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setContext(Qt::WidgetWithChildrenShortcut);
    connectCommand(m_services.errors, help, &QShortcut::activated, this, &TEditor::showHelp);
    m_text->setFocus();
}

TEditor::~TEditor() = default;

// ------------------------------------------------------------------ frame

QAction* TEditor::addButton(ToolItem item, const QIcon& icon, const QString& hint)
{
    auto* action = new QAction(icon, hint, this);
    action->setToolTip(hint);
    auto* button = new QToolButton(m_toolFrame);
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    button->setIconSize(QSize(18, 18));
    button->setFixedSize(23, 22);
    // The buttons leave the focus in the text, so undo and the styles act there.
    button->setFocusPolicy(Qt::NoFocus);
    button->setAccessibleName(hint);
    m_toolFrame->layout()->addWidget(button);
    m_actions[item] = action;
    m_buttons[item] = button;
    return action;
}

void TEditor::buildToolBar()
{
    m_toolFrame = new QFrame(this);
    static_cast<QFrame*>(m_toolFrame)->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_toolFrame->setFixedHeight(kToolbarHeight);
    auto* row = new QHBoxLayout(m_toolFrame);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(0);
    const auto gap = [row] { row->addSpacing(8); };
    const auto on = [this](QAction* action, void (TEditor::*slot)()) {
        connectCommand(m_services.errors, action, &QAction::triggered, this, slot);
    };

    on(addButton(CloseItem, editoricons::icon(Glyph::Close), QStringLiteral("Kapat")), &TEditor::closeWindow);
    gap();
    on(addButton(OpenItem, editoricons::icon(Glyph::Open), QStringLiteral("Aç")), &TEditor::openFile);
    on(addButton(SaveItem, editoricons::icon(Glyph::Save), QStringLiteral("Kaydet")), &TEditor::saveFile);
    connectCommand(m_services.errors, addButton(PrintItem, editoricons::icon(Glyph::Print), QStringLiteral("Yazdır")),
                   &QAction::triggered, this, [this] { printDocument(); });
    gap();
    on(addButton(CutItem, editoricons::icon(Glyph::Cut), QStringLiteral("Kes")), &TEditor::cut);
    on(addButton(CopyItem, editoricons::icon(Glyph::Copy), QStringLiteral("Kopyala")), &TEditor::copy);
    on(addButton(PasteItem, editoricons::icon(Glyph::Paste), QStringLiteral("Yapıştır")), &TEditor::paste);
    on(addButton(UndoItem, editoricons::icon(Glyph::Undo), QStringLiteral("Geri Al")), &TEditor::undo);
    on(addButton(DeleteItem, editoricons::icon(Glyph::Delete), QStringLiteral("Sil")), &TEditor::deleteAll);
    on(addButton(SelectAllItem, editoricons::icon(Glyph::SelectAll), QStringLiteral("Hepsini Seç")),
       &TEditor::selectAll);
    gap();
    connectCommand(m_services.errors,
                   addButton(AlignLeftItem, editoricons::icon(Glyph::AlignLeft), QStringLiteral("Sola Yasla")),
                   &QAction::triggered, this, [this] { setParagraphAlignment(Qt::AlignLeft); });
    connectCommand(m_services.errors, addButton(CenterItem, editoricons::icon(Glyph::Center), QStringLiteral("Ortala")),
                   &QAction::triggered, this, [this] { setParagraphAlignment(Qt::AlignHCenter); });
    connectCommand(m_services.errors,
                   addButton(AlignRightItem, editoricons::icon(Glyph::AlignRight), QStringLiteral("Sağa Yasla")),
                   &QAction::triggered, this, [this] { setParagraphAlignment(Qt::AlignRight); });
    gap();
    // Three toggles that keep their state: they do not follow the caret.
    const auto toggle = [this](ToolItem item, Glyph glyph, const QString& hint, void (TEditor::*slot)(bool)) {
        QAction* action = addButton(item, editoricons::icon(glyph), hint);
        action->setCheckable(true);
        connectCommand(m_services.errors, action, &QAction::triggered, this, slot);
    };
    toggle(BoldItem, Glyph::Bold, QStringLiteral("Koyu"), &TEditor::setBold);
    toggle(ItalicItem, Glyph::Italic, QStringLiteral("İtalik"), &TEditor::setItalic);
    toggle(UnderlineItem, Glyph::Underline, QStringLiteral("Altı Çizili"), &TEditor::setUnderline);
    gap();
    on(addButton(FontItem, editoricons::icon(Glyph::Font), QStringLiteral("Font Özellikleri")),
       &TEditor::fontProperties);

    m_fontName = new QComboBox(m_toolFrame);
    m_fontName->setEditable(true);
    m_fontName->setInsertPolicy(QComboBox::NoInsert);
    // Every keystroke is applied as typed, so nothing completes the word.
    m_fontName->setCompleter(nullptr);
    m_fontName->addItems(familyChoices(QFontDatabase::families()));
    m_fontName->setEditText(baseFontName());
    m_fontName->setFixedWidth(121);
    m_fontName->setToolTip(QStringLiteral("Font Seç"));
    m_fontName->setAccessibleName(QStringLiteral("Font Seç"));
    row->addWidget(m_fontName);
    connectCommand(m_services.errors, m_fontName, &QComboBox::editTextChanged, this, &TEditor::setBaseFontName);

    m_fontSize = new QComboBox(m_toolFrame);
    m_fontSize->setEditable(true);
    m_fontSize->setInsertPolicy(QComboBox::NoInsert);
    m_fontSize->setCompleter(nullptr);
    m_fontSize->addItems(sizeChoices());
    m_fontSize->setEditText(QString::number(kBaseFontSize));
    m_fontSize->setFixedWidth(54);
    m_fontSize->setToolTip(QStringLiteral("Font Boyu"));
    m_fontSize->setAccessibleName(QStringLiteral("Font Boyu"));
    row->addWidget(m_fontSize);
    connectCommand(m_services.errors, m_fontSize, &QComboBox::editTextChanged, this, &TEditor::sizeTextChanged);

    row->addStretch(1);
    on(addButton(HelpItem, editoricons::icon(Glyph::Help), QStringLiteral("Yardım Dosyası")), &TEditor::showHelp);
}

void TEditor::buildStatusBar()
{
    m_statusBar = new QStatusBar(this);
    m_statusBar->setSizeGripEnabled(false);
    m_panels[0] = new QLabel(statusText(), m_statusBar);
    m_panels[0]->setFixedWidth(120);
    m_panels[1] = new QLabel(m_statusBar);
    m_panels[1]->setFixedWidth(50);
    for (QLabel* panel : m_panels) {
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        m_statusBar->addWidget(panel);
    }
}

// ------------------------------------------------------------- base font

QFont TEditor::baseFont() const
{
    return m_tall ? m_tall->baseFont() : m_text->baseFont();
}

void TEditor::setBaseFontName(const QString& name)
{
    onShownText([&](auto& box) { box.setBaseFontName(name); });
}

void TEditor::sizeTextChanged(const QString& text)
{
    bool ok = false;
    const int size = text.trimmed().toInt(&ok);
    if (!ok || size <= 0 || size > kMaxFontSize) {
        // Not a size: the warning beep, and the size stays as it was.
        m_services.sound.exclamation();
        return;
    }
    onShownText([&](auto& box) { box.setBaseFontSize(size); });
}

// --------------------------------------------------------------- commands

void TEditor::closeWindow()
{
    // Inside the main window's document area the frame is what closes.
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->close();
    else
        close();
}

void TEditor::openFile()
{
    const QString path = m_services.prompter.openFileName(EditorFiles::openTitle(), EditorFiles::startFolder(),
                                                          EditorFiles::openFilters());
    if (path.isEmpty())
        return;
    const qint64 size = QFileInfo(path).size();
    if (size > EditorFiles::kLargestFile) {
        fileFailed(EditorFiles::tooLargeMessage(size));
        return;
    }
    EditorFileLoad load(path, baseFont());
    waitFor(load);
    switch (load.result()) {
    case EditorFiles::ReadResult::Read:
        showDocument(load.takeDocument());
        // A file is no certificate of a resident: printing it logs nothing.
        m_pendingLog.reset();
        break;
    case EditorFiles::ReadResult::Unreadable:
        fileFailed(QStringLiteral("Dosya Açılamadı !"));
        break;
    case EditorFiles::ReadResult::Stopped:
        break; // cancelled: the text stays as it was
    }
}

void TEditor::waitFor(EditorFileLoad& load)
{
    QEventLoop loop;
    connect(&load, &EditorFileLoad::done, &loop, &QEventLoop::quit);
    load.start();
    // A short read passes unseen: the window repaints and its clocks run,
    // and keys and clicks wait until the text is there.
    QTimer::singleShot(m_progressDelayMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (load.isDone())
        return;
    QProgressDialog progress(QStringLiteral("Dosya Açılıyor..."), QStringLiteral("İptal"), 0, 100, this);
    progress.setWindowTitle(caption());
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setMinimumDuration(0);
    connect(&load, &EditorFileLoad::progress, &progress, &QProgressDialog::setValue);
    connect(&progress, &QProgressDialog::canceled, &load, &EditorFileLoad::cancel);
    progress.show();
    loop.exec();
}

void TEditor::showDocument(std::unique_ptr<QTextDocument> document)
{
    // Shown only now, the text is laid out while the window answers: the
    // first screen at once, the rest a piece at a time.
    const QFont base = baseFont();
    if (!TallTextArea::needed(*document)) {
        showRichView();
        m_text->replaceDocument(std::move(document));
        m_text->setBaseFont(base);
        m_text->moveCursor(QTextCursor::Start);
        return;
    }
    if (!m_tall) {
        m_tall = new TallTextArea(this);
        auto* column = static_cast<QBoxLayout*>(layout());
        column->insertWidget(column->indexOf(m_text), m_tall, 1);
        m_tall->show();
        m_text->hide();
        m_text->clear(); // its text gives its memory back
    }
    m_tall->replaceDocument(std::move(document));
    m_tall->setBaseFont(base);
    m_tall->moveCursor(QTextCursor::Start);
    m_tall->setFocus();
}

void TEditor::showRichView()
{
    if (!m_tall)
        return;
    const QFont base = m_tall->baseFont();
    delete m_tall;
    m_tall = nullptr;
    m_text->setBaseFont(base);
    m_text->show();
    m_text->setFocus();
}

QWidget* TEditor::shownTextBox() const
{
    return m_tall ? static_cast<QWidget*>(m_tall) : m_text;
}

QTextDocument* TEditor::shownDocument() const
{
    return m_tall ? m_tall->document() : m_text->document();
}

void TEditor::saveFile()
{
    const QString path = m_services.prompter.saveFileName(EditorFiles::saveTitle(), EditorFiles::startFolder(),
                                                          EditorFiles::saveFilters(), QStringLiteral("rtf"));
    if (path.isEmpty())
        return;
    if (!EditorFiles::save(path, *shownDocument()))
        fileFailed(QStringLiteral("Dosya Kaydedilemedi !"));
}

void TEditor::fileFailed(const QString& message)
{
    m_services.sound.exclamation();
    m_services.prompter.message(message, MessageKind::Warning);
}

EditorPrint::Result TEditor::printDocument()
{
    return m_print.run(*shownDocument(), m_pendingLog);
}

void TEditor::cut()
{
    onShownText([](auto& box) { box.cut(); });
}

void TEditor::copy()
{
    onShownText([](auto& box) { box.copy(); });
}

void TEditor::paste()
{
    onShownText([](auto& box) { box.paste(); });
}

void TEditor::undo()
{
    if (focusWidget() == shownTextBox())
        onShownText([](auto& box) { box.undo(); });
}

void TEditor::deleteAll()
{
    showRichView();
    m_text->clear();
    m_pendingLog.reset();
}

void TEditor::selectAll()
{
    onShownText([](auto& box) { box.selectAll(); });
}

void TEditor::setParagraphAlignment(Qt::Alignment alignment)
{
    onShownText([&](auto& box) { box.setParagraphAlignment(alignment); });
}

void TEditor::setBold(bool on)
{
    onShownText([&](auto& box) { box.setBold(on); });
}

void TEditor::setItalic(bool on)
{
    onShownText([&](auto& box) { box.setItalic(on); });
}

void TEditor::setUnderline(bool on)
{
    onShownText([&](auto& box) { box.setUnderline(on); });
}

void TEditor::fontProperties()
{
    onShownText([&](auto& box) { box.chooseFont(m_services.prompter); });
}

void TEditor::showHelp()
{
    m_services.help.showTopic(kHelpTopic);
}

// ---------------------------------------------------------- certificates

void TEditor::compose(const CertificateTemplate& certificate, const TemplateValues& values, int recordNumber)
{
    // Whatever the editor held is replaced without a question.
    showRichView();
    m_text->clear();
    setWindowTitle(certificate.caption());
    if (certificate.setsCourierNew()) {
        setBaseFontName(baseFontName());
        const QSignalBlocker quiet(m_fontName);
        m_fontName->setEditText(baseFontName());
    }
    QTextCursor cursor(m_text->document());
    cursor.beginEditBlock();
    bool first = true;
    for (const TemplateLine& line : certificate.lines(values)) {
        // A line without a format has the base formatting; a format step
        // sets only size and bold, so the base font name still shows.
        QTextCharFormat format;
        if (line.format) {
            format.setFontPointSize(line.format->size);
            format.setFontWeight(line.format->bold ? QFont::Bold : QFont::Normal);
        }
        if (first)
            cursor.setBlockCharFormat(format);
        else
            cursor.insertBlock(QTextBlockFormat(), format);
        cursor.insertText(line.text, format);
        first = false;
    }
    cursor.endEditBlock();

    m_pendingLog.reset();
    if (!documentkind::logTitle(certificate.kind()).isEmpty())
        m_pendingLog = PendingLog{recordNumber};
    QTextCursor caret(m_text->document());
    caret.setPosition(std::min(1, m_text->document()->characterCount() - 1));
    m_text->setTextCursor(caret);
    m_text->verticalScrollBar()->setValue(0);
    raise();
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        frame->raise();
        if (frame->mdiArea())
            frame->mdiArea()->setActiveSubWindow(frame);
    }
    m_text->setFocus();
}

} // namespace zelvar
