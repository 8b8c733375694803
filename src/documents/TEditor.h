// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TEditor: the document editor, a small rich-text word processor inside the
// main window. The clerk finishes the text certificates that the register
// window composes into it, prints them and may save them as files; any
// letter can be written here too. One editor window exists at a time; its
// caption always begins with "E", by which the main window finds it.
#include "documents/EditorPrint.h"
#include "documents/RichTextArea.h"
#include "documents/TallTextArea.h"
#include "platform/Services.h"

#include <QFont>
#include <QWidget>
#include <memory>
#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QStatusBar;
class QTextDocument;
class QTextEdit;
class QToolButton;

namespace zelvar {

class CertificateTemplate;
class EditorFileLoad;
struct TemplateValues;
class TDM2;

class TEditor : public QWidget {
    Q_OBJECT
public:
    TEditor(TDM2& dm, const Services& services, QWidget* parent = nullptr);
    ~TEditor() override;

    static QString caption() { return QStringLiteral("Editor"); }
    static QString statusText() { return QStringLiteral("Zelvar 2001 - Editor"); }
    static constexpr int kHelpTopic = 105;
    static constexpr int kClientWidth = 630;
    static constexpr int kClientHeight = 436;
    static constexpr int kToolbarHeight = 30;
    static QString baseFontName() { return RichTextArea::baseFontName(); }
    static constexpr int kBaseFontSize = RichTextArea::kBaseFontSize;
    // A file read in less than this shows no progress window.
    static constexpr int kProgressDelayMs = 500;
    void setProgressDelay(int ms) { m_progressDelayMs = ms; }
    static QStringList sizeChoices();
    // The font name box's list: each family once. The font database names a
    // family that several foundries make with the foundry in brackets
    // ("C059 [urw]", "C059 [UKWN]"); fonts are asked for by family alone.
    static QStringList familyChoices(const QStringList& families);

    // The toolbar's buttons, left to right.
    enum ToolItem {
        CloseItem,
        OpenItem,
        SaveItem,
        PrintItem,
        CutItem,
        CopyItem,
        PasteItem,
        UndoItem,
        DeleteItem,
        SelectAllItem,
        AlignLeftItem,
        CenterItem,
        AlignRightItem,
        BoldItem,
        ItalicItem,
        UnderlineItem,
        FontItem,
        HelpItem,
    };
    static constexpr int kToolItemCount = 18;

    // --- the commands behind the buttons
    void closeWindow();
    void openFile();
    void saveFile();
    EditorPrint::Result printDocument();
    void cut();
    void copy();
    void paste();
    void undo();
    void deleteAll(); // "Sil": the whole text
    void selectAll();
    void setParagraphAlignment(Qt::Alignment alignment);
    void setBold(bool on);
    void setItalic(bool on);
    void setUnderline(bool on);
    void fontProperties();
    void setBaseFontName(const QString& name);
    void sizeTextChanged(const QString& text); // each change of the size box's text
    void showHelp();

    // --- what the certificate templates use
    // Replaces the text with a template's lines for the resident with the
    // given record number, sets the caption and puts the caret at the top.
    void compose(const CertificateTemplate& certificate, const TemplateValues& values, int recordNumber);
    // The resident a printed certificate will be logged to, if any.
    std::optional<PendingLog> pendingLog() const { return m_pendingLog; }

    // --- what tests reach
    QTextEdit* textArea() const { return m_text; }
    // The text box shown: the rich view, or the tall view for a text too
    // tall for it.
    QWidget* shownTextBox() const;
    QTextDocument* shownDocument() const;
    QComboBox* fontNameBox() const { return m_fontName; }
    QComboBox* fontSizeBox() const { return m_fontSize; }
    QAction* toolAction(ToolItem item) const { return m_actions[item]; }
    QToolButton* toolButton(ToolItem item) const { return m_buttons[item]; }
    QStatusBar* statusBar() const { return m_statusBar; }
    QLabel* statusPanel(int index) const { return m_panels[index]; }
    QFont baseFont() const;

private:
    void buildToolBar();
    void buildStatusBar();
    QAction* addButton(ToolItem item, const QIcon& icon, const QString& hint);
    // Waits for a file being read, showing its progress with a way to
    // cancel when it takes long; the window keeps answering.
    void waitFor(EditorFileLoad& load);
    // Shows a document read from a file in place of the text.
    void showDocument(std::unique_ptr<QTextDocument> document);
    void fileFailed(const QString& message);
    // Back to the rich view, the tall view and its text gone.
    void showRichView();
    // Runs a command on the text box shown; both views take the same ones.
    template <class Command>
    void onShownText(Command command)
    {
        if (m_tall)
            command(*m_tall);
        else
            command(*m_text);
    }

    TDM2& m_dm;
    Services m_services;
    EditorPrint m_print;
    std::optional<PendingLog> m_pendingLog;
    int m_progressDelayMs = kProgressDelayMs;

    QWidget* m_toolFrame = nullptr;
    QAction* m_actions[kToolItemCount] = {};
    QToolButton* m_buttons[kToolItemCount] = {};
    QComboBox* m_fontName = nullptr;
    QComboBox* m_fontSize = nullptr;
    RichTextArea* m_text = nullptr;
    TallTextArea* m_tall = nullptr; // only while it shows a tall text
    QStatusBar* m_statusBar = nullptr;
    QLabel* m_panels[2] = {};
};

} // namespace zelvar
