// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// NoteBook: the notebook's rules on its table "Notlar". A note has a date,
// a title and its text as rich text, kept once more as plain text for the
// search. The search keeps the notes whose title or text holds every typed
// word, ignoring case the Turkish way; typed text is a bound pattern, so a
// quote or a "%" is searched for as it is. Each change is one transaction
// that waits out another program's moment of writing.
#include <QByteArray>
#include <QDate>
#include <QString>
#include <QVector>
#include <optional>

namespace zelvar {

class Database;

struct Note {
    qint64 id = 0;  // Sira; 0 for a note not stored yet
    QDate date;     // Tarih
    QString title;  // Baslik
    QByteArray rtf; // Metin: the text as rich text
    QString plain;  // DuzMetin: the same text, plain
};

class NoteBook {
public:
    explicit NoteBook(Database& db);

    static QString tableName() { return QStringLiteral("Notlar"); }

    struct Entry {
        qint64 id = 0;
        QDate date;
        QString title;
    };
    // The notes matching every typed word, newest first; all for no words.
    QVector<Entry> list(const QString& search = QString()) const;
    std::optional<Note> find(qint64 id) const;
    int count() const;

    // Puts the note in its stored form and says what keeps it from being
    // written; empty when nothing does.
    static QString check(Note& note);
    // Writes a new note (id 0) or changes the stored one; gives its id.
    // Throws Refused when the check fails.
    qint64 save(Note note);
    void remove(qint64 id);

private:
    Database& m_db;
};

} // namespace zelvar
