// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// NotebookWindow: "Bilgi Defteri", the office's notebook. The notes, newest
// first, searched over their titles and texts as the words are typed; the
// chosen note's date, title and rich text in the editor's own text area,
// with its bold, italic, underline, alignment and font; new, save, delete,
// print. A changed note is never dropped unasked.
#include "companions/common/CompanionWindow.h"
#include "companions/notebook/NoteBook.h"

#include <functional>

class QLineEdit;
class QTreeWidget;

namespace zelvar {

class RichTextArea;

class NotebookWindow : public CompanionWindow {
    Q_OBJECT
public:
    NotebookWindow(Database& db, const Services& services, QWidget* parent = nullptr);

    static CompanionInfo info();
    static QString saveQuestion() { return QStringLiteral("Not değişti. Değişiklikler kaydedilsin mi?"); }

    // --- the commands
    void search(const QString& typed);
    bool openNote(qint64 id);
    void newNote();
    bool saveNote();
    void deleteNote();
    void printNote();

    // --- what tests reach
    QLineEdit* searchBox() const { return m_search; }
    QTreeWidget* noteList() const { return m_list; }
    QLineEdit* titleBox() const { return m_title; }
    QLineEdit* dateBox() const { return m_date; }
    RichTextArea* textArea() const { return m_text; }
    qint64 currentId() const { return m_id; }
    bool isModified() const;

protected:
    void reload() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildCommands();
    QWidget* buildFormatBar();
    void fillList(qint64 keepId);
    void showNote(const Note& note);
    Note typed() const;
    void setModified(bool modified);
    // Asks about unsaved changes: false when the user wants to stay.
    bool settle();

    NoteBook m_book;
    qint64 m_id = 0;
    bool m_modified = false;
    QLineEdit* m_search;
    QTreeWidget* m_list;
    QLineEdit* m_title;
    QLineEdit* m_date;
    RichTextArea* m_text;
};

} // namespace zelvar
