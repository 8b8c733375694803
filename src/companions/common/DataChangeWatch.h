// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// DataChangeWatch: notices what the other programs on the same database
// file commit (the main program, the other companions, a restore of a
// backup) by SQLite's PRAGMA data_version, which moves only with other
// connections' commits, and tells the window to read what it shows again.
// A restore of an older backup lacks the companions' tables: they are made
// again before the window reads. Its timer's looks run through the error
// handler: an error other than a busy file is told, never thrown into Qt.
#include <QObject>
#include <QTimer>

namespace zelvar {

class Database;
class ErrorReporter;

class DataChangeWatch : public QObject {
    Q_OBJECT
public:
    DataChangeWatch(Database& db, ErrorReporter& errors, int intervalMs = kIntervalMs, QObject* parent = nullptr);

    static constexpr int kIntervalMs = 1000;

    // Looks once; true, and changed() emitted, when another program
    // committed since the last look. A look that fails (the file busy for a
    // moment) is repeated at the next one.
    bool check();

signals:
    void changed();

private:
    qint64 version();

    Database& m_db;
    QTimer m_timer;
    qint64 m_version = -1;
};

} // namespace zelvar
