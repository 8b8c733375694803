// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ContentLines: the line syntax that calendar files (.ics) and address
// cards (.vcf) share. A line is "NAME;PARAM=VALUE:value"; a long line goes
// on over lines that begin with a blank; text values escape new lines,
// commas, semicolons and backslashes; BEGIN and END lines nest components.
// The reader checks the whole file before anything is taken from it, so a
// file that is too large, binary, cut short or unbalanced is refused whole
// with a Turkish message.
#include <QByteArray>
#include <QMultiHash>
#include <QString>
#include <QStringList>
#include <QVector>

namespace zelvar::contentlines {

struct Line {
    QString name;                        // upper case, without its group ("item1.TEL" -> "TEL")
    QMultiHash<QString, QString> params; // names upper case, values unquoted
    QString value;                       // as written: escapes are kept
    int number = 0;                      // where it began in the file, from 1

    // The first value of a parameter; empty when absent.
    QString param(const QString& paramName) const;
    // Whether a parameter lists the value (any case): TYPE=WORK, TYPE="work,voice".
    bool hasParam(const QString& paramName, const QString& wanted) const;
    // The value as text: escapes resolved, quoted-printable decoded.
    QString text() const;
};

struct Component {
    QString name; // "VCALENDAR", "VEVENT", "VCARD"
    QVector<Line> lines;
    QVector<Component> children;
    int number = 0; // line of its BEGIN

    // The first line of that name, or nullptr.
    const Line* first(const QString& lineName) const;
    QVector<const Line*> all(const QString& lineName) const;
};

// The largest file read: ten thousand appointments or cards take a few
// megabytes.
constexpr qint64 kMaxFileBytes = qint64{16} * 1024 * 1024;

// What reading gave: the top components, or the problem that refused the
// file (a Turkish sentence).
struct Document {
    QVector<Component> components;
    QString problem;
    bool ok() const { return problem.isEmpty(); }
};

// Reads a whole file: refuses it when missing, empty, too large, binary,
// cut short or with unbalanced components. `kind` names the file in
// messages ("iCalendar (.ics)").
Document readFile(const QString& path, const QString& kind);
Document parse(const QByteArray& data, const QString& kind);

// Escaping of text values.
QString unescape(const QString& value);
QString escape(const QString& text);
// A structured value split at unescaped separators, each part unescaped:
// "Yılmaz;Ahmet;;;" -> {"Yılmaz", "Ahmet", "", "", ""}.
QStringList splitStructured(const QString& value, QChar separator = QLatin1Char(';'));

// Writes one line, folded so that no line is longer than 75 bytes (never
// inside a character), ending in CRLF. `head` is the name with its
// parameters; `value` is written as given (escape text values first).
void appendLine(QByteArray& out, const QString& head, const QString& value);

} // namespace zelvar::contentlines
