// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/QueryDialect.h"

#include "data/Database.h"
#include "data/Dataset.h"
#include "data/FieldDefs.h"

#include <QDate>
#include <QRegularExpression>
#include <sqlite3.h>
#include <vector>

namespace zelvar {

namespace {

enum class Kind { Space, Word, Number, Literal, Operator, Open, Close, Comma, Dot, Semicolon };

struct Token {
    Kind kind;
    QString text;  // as typed
    QString value; // a literal's text without its quotes
};

[[noreturn]] void fail(const QString& why)
{
    throw QueryDialectError(why);
}

bool isWordStart(QChar c)
{
    return c.isLetter() || c == '_';
}

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == '_';
}

// Reads a quoted literal starting at `pos`; a doubled quote stands for one.
int readLiteral(const QString& text, int pos, QString& value)
{
    const QChar quote = text[pos];
    int i = pos + 1;
    while (i < text.size()) {
        if (text[i] == quote) {
            if (i + 1 < text.size() && text[i + 1] == quote) {
                value += quote;
                i += 2;
                continue;
            }
            return i + 1;
        }
        value += text[i++];
    }
    fail(QStringLiteral("Kapanmamış tırnak"));
}

int readNumber(const QString& text, int pos)
{
    static const QRegularExpression re(QStringLiteral(R"re(\d+(\.\d+)?([eE][+-]?\d+)?)re"));
    const auto m = re.match(text, pos, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
    return pos + m.capturedLength();
}

int readOperator(const QString& text, int pos)
{
    static const QStringList twoChar{QStringLiteral("<="), QStringLiteral(">="), QStringLiteral("<>"),
                                     QStringLiteral("!="), QStringLiteral("=="), QStringLiteral("||"),
                                     QStringLiteral("<<"), QStringLiteral(">>")};
    const QString two = text.mid(pos, 2);
    if (two == QLatin1String("--") || two == QLatin1String("/*"))
        fail(QStringLiteral("Açıklama kullanılamaz"));
    if (twoChar.contains(two))
        return pos + 2;
    if (QStringLiteral("=<>+-*/%&|~").contains(text[pos]))
        return pos + 1;
    // Parameter marks, bracketed names and anything else the old engine did
    // not know.
    fail(QStringLiteral("Tanınmayan karakter: %1").arg(text[pos]));
}

std::vector<Token> tokenize(const QString& text)
{
    std::vector<Token> tokens;
    int i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        Token t{Kind::Space, QString(), QString()};
        int end = i + 1;
        if (c.isSpace()) {
            while (end < text.size() && text[end].isSpace())
                ++end;
        } else if (c == '"' || c == '\'') {
            t.kind = Kind::Literal;
            end = readLiteral(text, i, t.value);
        } else if (isWordStart(c)) {
            t.kind = Kind::Word;
            while (end < text.size() && isWordChar(text[end]))
                ++end;
        } else if (c.isDigit()) {
            t.kind = Kind::Number;
            end = readNumber(text, i);
            if (end < text.size() && isWordStart(text[end]))
                fail(QStringLiteral("Hatalı sayı"));
        } else if (c == '(') {
            t.kind = Kind::Open;
        } else if (c == ')') {
            t.kind = Kind::Close;
        } else if (c == ',') {
            t.kind = Kind::Comma;
        } else if (c == '.') {
            t.kind = Kind::Dot;
        } else if (c == ';') {
            t.kind = Kind::Semicolon;
        } else {
            t.kind = Kind::Operator;
            end = readOperator(text, i);
        }
        t.text = text.mid(i, end - i);
        tokens.push_back(t);
        i = end;
    }
    return tokens;
}

bool isComparison(const Token& t)
{
    static const QStringList ops{QStringLiteral("="),  QStringLiteral("=="), QStringLiteral("<"),
                                 QStringLiteral(">"),  QStringLiteral("<="), QStringLiteral(">="),
                                 QStringLiteral("<>"), QStringLiteral("!=")};
    return t.kind == Kind::Operator && ops.contains(t.text);
}

bool isKeyword(const Token& t, std::initializer_list<const char*> words)
{
    if (t.kind != Kind::Word)
        return false;
    for (const char* w : words)
        if (t.text.compare(QLatin1String(w), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool isDateField(const Token& t)
{
    if (t.kind != Kind::Word)
        return false;
    const FieldDef* def = findTable(QStringLiteral("zelvarx"))->field(t.text);
    return def && def->isDate();
}

// Whether the literal at `at` (an index into the tokens without blanks) is
// compared with a date field: "DogTar >= "01.08.1964"", "DogTar between "a"
// and "b"", "DogTar in ("a", "b")" or ""01.08.1964" < DogTar". A literal
// after "and" only counts inside a "between".
bool comparedWithDate(const std::vector<const Token*>& tokens, int at)
{
    const auto is = [&tokens](int j, std::initializer_list<const char*> words) {
        return j >= 0 && j < int(tokens.size()) && isKeyword(*tokens[j], words);
    };
    const auto kindAt = [&tokens](int j) { return j >= 0 && j < int(tokens.size()) ? tokens[j]->kind : Kind::Space; };
    int j = at - 1;
    if (is(j, {"and"}) && kindAt(j - 1) == Kind::Literal && is(j - 2, {"between"})) {
        j -= 2;
    } else if (kindAt(j) == Kind::Open || kindAt(j) == Kind::Comma) {
        while (kindAt(j) == Kind::Comma || kindAt(j) == Kind::Literal)
            --j;
        if (kindAt(j) != Kind::Open || !is(j - 1, {"in"}))
            return false;
        --j;
    }
    if (j >= 0 && (isComparison(*tokens[j]) || is(j, {"between", "in"}))) {
        --j;
        if (is(j, {"not"}))
            --j;
        return j >= 0 && isDateField(*tokens[j]);
    }
    j = at + 1;
    while (j < int(tokens.size()) && (isComparison(*tokens[j]) || isKeyword(*tokens[j], {"not"})))
        ++j;
    return j > at + 1 && j < int(tokens.size()) && isDateField(*tokens[j]);
}

// A literal compared with a date field must be a date: as text, "1999"
// would be compared with the stored ISO dates letter by letter.
QVariant dateParameter(const QString& literal)
{
    static const QRegularExpression re(QStringLiteral(R"re(^\s*(\d{1,2})\.(\d{1,2})\.(\d{4})\s*$)re"));
    const auto m = re.match(literal);
    if (!m.hasMatch())
        fail(QStringLiteral("Tarih değil: %1").arg(literal));
    const QDate date(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    if (!date.isValid())
        fail(QStringLiteral("Geçersiz tarih: %1").arg(literal));
    return date.toString(kIsoDateFormat);
}

// One piece turned into SQL text with its literals as "?". A semicolon may
// only end the last piece.
QString translatePiece(const QString& text, bool last, QVariantList& params)
{
    const std::vector<Token> all = tokenize(text);
    std::vector<const Token*> tokens;
    for (const Token& t : all)
        if (t.kind != Kind::Space)
            tokens.push_back(&t);

    QString sql;
    for (int i = 0; i < int(tokens.size()); ++i) {
        const Token& t = *tokens[i];
        if (t.kind == Kind::Semicolon) {
            if (!last)
                fail(QStringLiteral("Tek bir sorgu cümlesi yazılabilir"));
            for (int k = i + 1; k < int(tokens.size()); ++k)
                if (tokens[k]->kind != Kind::Semicolon)
                    fail(QStringLiteral("Tek bir sorgu cümlesi yazılabilir"));
            break;
        }
        if (!sql.isEmpty())
            sql += ' ';
        if (t.kind == Kind::Literal) {
            params << (comparedWithDate(tokens, i) ? dateParameter(t.value) : QVariant(t.value));
            sql += '?';
        } else {
            sql += t.text;
        }
    }
    return sql;
}

} // namespace

TranslatedQuery translateFreeQuery(const QString& columns, const QString& condition)
{
    TranslatedQuery q;
    const QString columnSql = translatePiece(columns, false, q.params);
    const QString conditionSql = translatePiece(condition, true, q.params);
    q.sql = QStringLiteral("select ") + columnSql + QStringLiteral(" from zelvarx \n") + conditionSql;
    return q;
}

void checkSingleSelect(Database& db, const QString& sql)
{
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v2(db.handle(), utf8.constData(), utf8.size(), &stmt, &tail);
    const QString error = QString::fromUtf8(sqlite3_errmsg(db.handle()));
    const bool readOnly = stmt && sqlite3_stmt_readonly(stmt);
    sqlite3_finalize(stmt);
    if (rc != SQLITE_OK)
        throw EngineError(error);
    if (!readOnly)
        throw EngineError(QStringLiteral("Sorgu yalnızca okuyabilir"));
    const QString rest = tail ? QString::fromUtf8(tail) : QString();
    for (QChar c : rest)
        if (!c.isSpace() && c != ';')
            throw EngineError(QStringLiteral("Tek bir sorgu cümlesi yazılabilir"));
}

void runFreeQuery(Dataset& query, const QString& columns, const QString& condition)
{
    query.close();
    const TranslatedQuery q = translateFreeQuery(columns, condition);
    checkSingleSelect(*query.database(), q.sql);
    query.setSql(q.sql, q.params);
    query.open();
}

} // namespace zelvar
