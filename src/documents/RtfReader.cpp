// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/RtfReader.h"

#include "documents/AnsiCodePage.h"

#include <QColor>
#include <QHash>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <vector>

namespace zelvar {

namespace {

// Groups nested deeper than this share the state of the deepest saved one,
// so a file of nothing but opening braces costs no memory per brace.
constexpr int kMaxSavedGroups = 512;
constexpr int kMaxHalfPoints = 3276; // 1638 points, the largest size Word allows
constexpr int kDefaultHalfPoints = 24;

enum class Dest { Text, Skip, FontTable, ColorTable };

// Character formatting as the file states it; fonts and colours are table
// numbers, resolved once the whole file has been read.
struct CharProps {
    int font = -1; // -1: the document's default font
    int halfPoints = kDefaultHalfPoints;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int color = 0;

    bool operator==(const CharProps& o) const
    {
        return font == o.font && halfPoints == o.halfPoints && bold == o.bold && italic == o.italic &&
               underline == o.underline && strike == o.strike && color == o.color;
    }
    bool operator!=(const CharProps& o) const { return !(*this == o); }
};

struct GroupState {
    Dest dest = Dest::Text;
    CharProps chars;
    Qt::Alignment alignment = Qt::AlignLeft;
    int uc = 1; // bytes that stand in for each \u character
};

struct Run {
    QString text;
    CharProps props;
};

struct Paragraph {
    Qt::Alignment alignment = Qt::AlignLeft;
    std::vector<Run> runs;
    CharProps mark;
};

struct FontEntry {
    QString name;
    int charset = -1;
};

enum class Word {
    Unknown,
    SkipDest,
    FontTable,
    ColorTable,
    AnsiCpg,
    Deff,
    F,
    FCharset,
    Fs,
    B,
    I,
    Strike,
    Ul,
    UlNone,
    Cf,
    Plain,
    Pard,
    Ql,
    Qc,
    Qr,
    Qj,
    Par,
    SoftBreak,
    Line,
    Tab,
    Cell,
    Row,
    U,
    Uc,
    Bin,
    Red,
    Green,
    Blue,
    Char,
};

struct WordInfo {
    Word word;
    char16_t ch = 0;
};

const QHash<QByteArray, WordInfo>& words()
{
    static const QHash<QByteArray, WordInfo> table = [] {
        QHash<QByteArray, WordInfo> t;
        // Destinations whose content is not text of the document.
        for (const char* d : {"stylesheet",   "info",         "pict",         "fldinst",    "objdata",
                              "nonshppict",   "filetbl",      "revtbl",       "listtable",  "listoverridetable",
                              "rsidtbl",      "generator",    "xmlnstbl",     "themedata",  "colorschememapping",
                              "latentstyles", "datastore",    "pgdsctbl",     "template",   "ftnsep",
                              "ftnsepc",      "aftnsep",      "aftnsepc",     "pntxta",     "pntxtb",
                              "bkmkstart",    "bkmkend",      "xe",           "tc",         "userprops",
                              "docvar",       "mmathPr",      "fchars",       "lchars",     "falt",
                              "panose",       "fontemb",      "fontfile",     "shpinst",    "datafield",
                              "leveltext",    "levelnumbers", "listname",     "objclass",   "objname",
                              "private",      "blipuid",      "passwordhash", "protusertbl"})
            t.insert(d, {Word::SkipDest});
        t.insert("fonttbl", {Word::FontTable});
        t.insert("colortbl", {Word::ColorTable});
        t.insert("ansicpg", {Word::AnsiCpg});
        t.insert("deff", {Word::Deff});
        t.insert("f", {Word::F});
        t.insert("fcharset", {Word::FCharset});
        t.insert("fs", {Word::Fs});
        t.insert("b", {Word::B});
        t.insert("i", {Word::I});
        t.insert("strike", {Word::Strike});
        t.insert("striked", {Word::Strike});
        for (const char* u :
             {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash", "ulth", "ulthd", "ulthdash",
              "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw", "ulwave"})
            t.insert(u, {Word::Ul});
        t.insert("ulnone", {Word::UlNone});
        t.insert("cf", {Word::Cf});
        t.insert("plain", {Word::Plain});
        t.insert("pard", {Word::Pard});
        t.insert("ql", {Word::Ql});
        t.insert("qc", {Word::Qc});
        t.insert("qr", {Word::Qr});
        t.insert("qj", {Word::Qj});
        t.insert("qd", {Word::Qj});
        t.insert("par", {Word::Par});
        t.insert("sect", {Word::SoftBreak});
        t.insert("page", {Word::SoftBreak});
        t.insert("line", {Word::Line});
        t.insert("tab", {Word::Tab});
        t.insert("cell", {Word::Cell});
        t.insert("nestcell", {Word::Cell});
        t.insert("row", {Word::Row});
        t.insert("nestrow", {Word::Row});
        t.insert("u", {Word::U});
        t.insert("uc", {Word::Uc});
        t.insert("bin", {Word::Bin});
        t.insert("red", {Word::Red});
        t.insert("green", {Word::Green});
        t.insert("blue", {Word::Blue});
        t.insert("emdash", {Word::Char, 0x2014});
        t.insert("endash", {Word::Char, 0x2013});
        t.insert("bullet", {Word::Char, 0x2022});
        t.insert("lquote", {Word::Char, 0x2018});
        t.insert("rquote", {Word::Char, 0x2019});
        t.insert("ldblquote", {Word::Char, 0x201C});
        t.insert("rdblquote", {Word::Char, 0x201D});
        t.insert("emspace", {Word::Char, 0x2003});
        t.insert("enspace", {Word::Char, 0x2002});
        t.insert("qmspace", {Word::Char, 0x2005});
        return t;
    }();
    return table;
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

size_t qHash(const CharProps& p, size_t seed = 0)
{
    return qHashMulti(seed, p.font, p.halfPoints, p.bold, p.italic, p.underline, p.strike, p.color);
}

// How often a long read reports its progress, in bytes.
constexpr qsizetype kProgressStep = 64 * 1024;

class Parser {
public:
    Parser(const QByteArray& data, const std::function<bool(double)>& progress)
        : m_p(data.constData()),
          m_n(data.size()),
          m_progress(progress)
    {
    }

    RtfContent run()
    {
        qsizetype nextReport = kProgressStep;
        while (m_pos < m_n) {
            if (m_progress && m_pos >= nextReport) {
                if (!m_progress(double(m_pos) / double(m_n)))
                    return {};
                nextReport = m_pos + kProgressStep;
            }
            const char c = m_p[m_pos];
            switch (c) {
            case '{':
                openGroup();
                ++m_pos;
                break;
            case '}':
                closeGroup();
                ++m_pos;
                break;
            case '\\':
                ++m_pos;
                control();
                break;
            case '\r':
            case '\n':
                ++m_pos;
                break;
            default:
                plainText();
                break;
            }
        }
        if (!m_para.runs.empty())
            finishParagraph();
        return resolve();
    }

private:
    // --- groups

    void openGroup()
    {
        if (m_stack.size() < size_t(kMaxSavedGroups))
            m_stack.push_back(m_st);
        else
            ++m_overflow;
        m_ucSkip = 0;
        m_starPending = false;
    }

    void closeGroup()
    {
        if (m_overflow > 0) {
            --m_overflow;
        } else if (!m_stack.empty()) {
            if (m_st.dest == Dest::FontTable)
                storeFontName();
            m_st = m_stack.back();
            m_stack.pop_back();
        }
        m_ucSkip = 0;
        m_starPending = false;
    }

    // --- text

    // A stretch of ordinary ASCII text goes into the run in one piece.
    void plainText()
    {
        if (m_st.dest == Dest::Skip) {
            // Skipped content (a picture's hex digits) is passed over quickly.
            while (m_pos < m_n && m_p[m_pos] != '\\' && m_p[m_pos] != '{' && m_p[m_pos] != '}')
                ++m_pos;
            return;
        }
        if (m_st.dest == Dest::Text && m_ucSkip == 0) {
            qsizetype end = m_pos;
            while (end < m_n) {
                const unsigned char b = static_cast<unsigned char>(m_p[end]);
                if (b < 0x20 || b >= 0x80 || b == '\\' || b == '{' || b == '}')
                    break;
                ++end;
            }
            if (end > m_pos) {
                currentRun().text.append(QLatin1String(m_p + m_pos, end - m_pos));
                m_pos = end;
                return;
            }
        }
        const unsigned char b = static_cast<unsigned char>(m_p[m_pos++]);
        if (b == '\t')
            character(QChar('\t'), true);
        else if (b >= 0x20)
            character(pageFor(m_st.chars.font).decode(b), true);
        // other control bytes are not text
    }

    // One character of the file; `counts` when it may stand in for a \u.
    void character(QChar c, bool counts)
    {
        if (counts && m_ucSkip > 0) {
            --m_ucSkip;
            return;
        }
        switch (m_st.dest) {
        case Dest::Skip:
            return;
        case Dest::FontTable:
            if (c == QLatin1Char(';'))
                storeFontName();
            else
                m_fontName.append(c);
            return;
        case Dest::ColorTable:
            if (c == QLatin1Char(';'))
                storeColor();
            return;
        case Dest::Text:
            currentRun().text.append(c);
            return;
        }
    }

    Run& currentRun()
    {
        if (m_para.runs.empty() || m_para.runs.back().props != m_st.chars)
            m_para.runs.push_back(Run{QString(), m_st.chars});
        return m_para.runs.back();
    }

    void finishParagraph()
    {
        m_para.alignment = m_st.alignment;
        m_para.mark = m_st.chars;
        m_paragraphs.push_back(std::move(m_para));
        m_para = Paragraph();
    }

    // --- control words and symbols

    void control()
    {
        if (m_pos >= m_n)
            return;
        const char c = m_p[m_pos];
        if (!isLetter(c)) {
            ++m_pos;
            symbol(c);
            return;
        }
        const qsizetype start = m_pos;
        while (m_pos < m_n && isLetter(m_p[m_pos]))
            ++m_pos;
        const QByteArray name(m_p + start, std::min<qsizetype>(m_pos - start, 32));
        bool hasParam = false;
        bool negative = false;
        long long param = 0;
        if (m_pos < m_n && m_p[m_pos] == '-' && m_pos + 1 < m_n && isDigit(m_p[m_pos + 1])) {
            negative = true;
            ++m_pos;
        }
        int digits = 0;
        while (m_pos < m_n && isDigit(m_p[m_pos])) {
            if (digits++ < 10)
                param = param * 10 + (m_p[m_pos] - '0');
            hasParam = true;
            ++m_pos;
        }
        if (m_pos < m_n && m_p[m_pos] == ' ')
            ++m_pos;
        param = std::clamp<long long>(negative ? -param : param, -2147483647LL, 2147483647LL);
        word(name, hasParam, int(param));
    }

    void symbol(char c)
    {
        switch (c) {
        case '\'': {
            if (m_pos + 1 < m_n) {
                const int hi = hexValue(m_p[m_pos]);
                const int lo = hexValue(m_p[m_pos + 1]);
                if (hi >= 0 && lo >= 0) {
                    m_pos += 2;
                    const int font = m_st.dest == Dest::FontTable ? m_fontNumber : m_st.chars.font;
                    character(pageFor(font).decode(static_cast<unsigned char>(hi * 16 + lo)), true);
                }
            }
            return;
        }
        case '\\':
        case '{':
        case '}':
            character(QLatin1Char(c), true);
            return;
        case '~':
            character(QChar(QChar::Nbsp), true);
            return;
        case '_':
            character(QChar(0x2011), true);
            return;
        case '\t':
            character(QChar('\t'), true);
            return;
        case '\r':
        case '\n':
            paragraphBreak();
            return;
        case '*':
            m_starPending = true;
            return;
        default:
            return; // \- optional hyphen, \| \: index marks and unknown symbols
        }
    }

    void word(const QByteArray& name, bool hasParam, int param)
    {
        const auto found = words().constFind(name);
        const WordInfo info = found == words().constEnd() ? WordInfo{Word::Unknown} : *found;
        if (m_starPending) {
            // An ignorable destination: skipped unless it is one we read.
            m_starPending = false;
            if (info.word != Word::FontTable && info.word != Word::ColorTable) {
                m_st.dest = Dest::Skip;
                return;
            }
        }
        const bool on = !hasParam || param != 0;
        CharProps& ch = m_st.chars;
        switch (info.word) {
        case Word::Unknown:
            return;
        case Word::SkipDest:
            m_st.dest = Dest::Skip;
            return;
        case Word::FontTable:
            if (m_st.dest != Dest::Skip)
                m_st.dest = Dest::FontTable;
            return;
        case Word::ColorTable:
            if (m_st.dest != Dest::Skip) {
                m_st.dest = Dest::ColorTable;
                m_colorSet = false;
            }
            return;
        case Word::AnsiCpg:
            m_page = &AnsiCodePage::forCodePage(param);
            return;
        case Word::Deff:
            m_defaultFont = param;
            return;
        case Word::F:
            if (m_st.dest == Dest::FontTable) {
                storeFontName();
                m_fontNumber = param;
            } else {
                ch.font = param;
            }
            return;
        case Word::FCharset:
            if (m_st.dest == Dest::FontTable)
                m_fonts[m_fontNumber].charset = param;
            return;
        case Word::Fs:
            ch.halfPoints = param > 0 ? std::min(param, kMaxHalfPoints) : kDefaultHalfPoints;
            return;
        case Word::B:
            ch.bold = on;
            return;
        case Word::I:
            ch.italic = on;
            return;
        case Word::Strike:
            ch.strike = on;
            return;
        case Word::Ul:
            ch.underline = on;
            return;
        case Word::UlNone:
            ch.underline = false;
            return;
        case Word::Cf:
            ch.color = std::max(param, 0);
            return;
        case Word::Plain:
            ch = CharProps();
            return;
        case Word::Pard:
            m_st.alignment = Qt::AlignLeft;
            return;
        case Word::Ql:
            m_st.alignment = Qt::AlignLeft;
            return;
        case Word::Qc:
            m_st.alignment = Qt::AlignHCenter;
            return;
        case Word::Qr:
            m_st.alignment = Qt::AlignRight;
            return;
        case Word::Qj:
            m_st.alignment = Qt::AlignJustify;
            return;
        case Word::Par:
            paragraphBreak();
            return;
        case Word::SoftBreak:
            if (m_st.dest == Dest::Text && !m_para.runs.empty())
                finishParagraph();
            return;
        case Word::Row:
            paragraphBreak();
            return;
        case Word::Line:
            character(QChar(QChar::LineSeparator), false);
            return;
        case Word::Tab:
        case Word::Cell:
            character(QChar('\t'), false);
            return;
        case Word::Char:
            character(QChar(info.ch), false);
            return;
        case Word::U:
            character(QChar(char16_t(param < 0 ? param + 65536 : param)), false);
            m_ucSkip = m_st.uc;
            return;
        case Word::Uc:
            m_st.uc = std::clamp(param, 0, 16);
            return;
        case Word::Bin:
            // Raw bytes follow; they are never text.
            m_pos += std::min<qsizetype>(std::max(param, 0), m_n - m_pos);
            return;
        case Word::Red:
            m_color.setRed(std::clamp(param, 0, 255));
            m_colorSet = true;
            return;
        case Word::Green:
            m_color.setGreen(std::clamp(param, 0, 255));
            m_colorSet = true;
            return;
        case Word::Blue:
            m_color.setBlue(std::clamp(param, 0, 255));
            m_colorSet = true;
            return;
        }
    }

    void paragraphBreak()
    {
        if (m_st.dest == Dest::Text)
            finishParagraph();
    }

    // --- tables

    void storeFontName()
    {
        QString name = m_fontName.trimmed();
        m_fontName.clear();
        if (!name.isEmpty() && m_fontNumber >= -1) {
            FontEntry& entry = m_fonts[m_fontNumber];
            if (entry.name.isEmpty())
                entry.name = name;
        }
    }

    void storeColor()
    {
        m_colors.push_back(m_colorSet ? m_color : QColor());
        m_color = QColor(0, 0, 0);
        m_colorSet = false;
    }

    const AnsiCodePage& pageFor(int font) const
    {
        const auto it = m_fonts.constFind(font < 0 ? m_defaultFont : font);
        if (it != m_fonts.constEnd())
            if (const AnsiCodePage* page = AnsiCodePage::forCharset(it->charset))
                return *page;
        return *m_page;
    }

    // --- the result

    // Runs of the same formatting share one format, so a file of a million
    // paragraphs holds a handful of formats, not a million.
    QTextCharFormat format(const CharProps& props)
    {
        auto known = m_formats.constFind(props);
        if (known == m_formats.constEnd())
            known = m_formats.insert(props, makeFormat(props));
        return *known;
    }

    QTextCharFormat makeFormat(const CharProps& props) const
    {
        QTextCharFormat f;
        const auto font = m_fonts.constFind(props.font < 0 ? m_defaultFont : props.font);
        if (font != m_fonts.constEnd() && !font->name.isEmpty())
            f.setFontFamilies({font->name});
        f.setFontPointSize(props.halfPoints / 2.0);
        f.setFontWeight(props.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(props.italic);
        f.setFontUnderline(props.underline);
        f.setFontStrikeOut(props.strike);
        if (props.color > 0 && size_t(props.color) < m_colors.size() && m_colors[props.color].isValid())
            f.setForeground(m_colors[props.color]);
        return f;
    }

    RtfContent resolve()
    {
        RtfContent content;
        content.paragraphs.reserve(qsizetype(m_paragraphs.size()));
        for (Paragraph& p : m_paragraphs) {
            RtfParagraph out;
            out.alignment = p.alignment;
            out.markFormat = format(p.mark);
            out.runs.reserve(qsizetype(p.runs.size()));
            for (Run& r : p.runs)
                if (!r.text.isEmpty())
                    out.runs.push_back(RtfRun{std::move(r.text), format(r.props)});
            content.paragraphs.push_back(std::move(out));
            std::vector<Run>().swap(p.runs); // its memory back at once, not after the last paragraph
        }
        std::vector<Paragraph>().swap(m_paragraphs);
        return content;
    }

    const char* m_p;
    qsizetype m_n;
    qsizetype m_pos = 0;
    const std::function<bool(double)>& m_progress;
    QHash<CharProps, QTextCharFormat> m_formats;

    std::vector<GroupState> m_stack;
    int m_overflow = 0;
    GroupState m_st;
    int m_ucSkip = 0;
    bool m_starPending = false;

    const AnsiCodePage* m_page = &AnsiCodePage::western();
    int m_defaultFont = 0;
    QHash<int, FontEntry> m_fonts;
    int m_fontNumber = -2; // none yet
    QString m_fontName;
    std::vector<QColor> m_colors;
    QColor m_color{0, 0, 0};
    bool m_colorSet = false;

    std::vector<Paragraph> m_paragraphs;
    Paragraph m_para;
};

} // namespace

bool RtfReader::isRtf(const QByteArray& data)
{
    qsizetype i = 0;
    while (i < data.size() && (data[i] == ' ' || data[i] == '\t' || data[i] == '\r' || data[i] == '\n'))
        ++i;
    return data.mid(i, 5) == "{\\rtf";
}

RtfContent RtfReader::parse(const QByteArray& data)
{
    return parse(data, {});
}

RtfContent RtfReader::parse(const QByteArray& data, const std::function<bool(double)>& progress)
{
    return Parser(data, progress).run();
}

QString RtfContent::plainText() const
{
    QString text;
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        if (i > 0)
            text += QLatin1Char('\n');
        for (const RtfRun& run : paragraphs[i].runs)
            text += run.text;
    }
    return text;
}

namespace {

// Starts the paragraph's block, or formats the document's first one.
void startParagraph(QTextCursor& cursor, const RtfParagraph& p, bool first)
{
    QTextBlockFormat block;
    block.setAlignment(p.alignment);
    if (first) {
        cursor.setBlockFormat(block);
        cursor.setBlockCharFormat(p.markFormat);
    } else {
        cursor.insertBlock(block, p.markFormat);
    }
}

void insertParagraph(QTextCursor& cursor, const RtfParagraph& p, bool first)
{
    startParagraph(cursor, p, first);
    for (const RtfRun& run : p.runs)
        cursor.insertText(run.text, run.format);
}

} // namespace

void fillDocument(QTextDocument& document, const RtfContent& content)
{
    document.clear();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (qsizetype i = 0; i < content.paragraphs.size(); ++i)
        insertParagraph(cursor, content.paragraphs[i], i == 0);
    cursor.endEditBlock();
}

qsizetype paragraphsPerBlock(qsizetype paragraphs)
{
    if (paragraphs <= kManyBlocks)
        return 1;
    return std::max(kLinesPerBlock, (paragraphs + kMostBlocks - 1) / kMostBlocks);
}

bool fillDocument(QTextDocument& document, RtfContent&& content, const std::function<bool(double)>& progress)
{
    document.clear();
    QTextCursor cursor(&document);
    const qsizetype count = content.paragraphs.size();
    const qsizetype perBlock = paragraphsPerBlock(count);
    const QString lineBreak(QChar(QChar::LineSeparator));
    qsizetype inBlock = 0;
    Qt::Alignment blockAlignment;
    QTextCharFormat blockMark;
    // Text of one format goes in at once: every insert costs the document
    // a split of its pieces and a look-up of the format.
    QString pending;
    QTextCharFormat pendingFormat;
    const auto flush = [&] {
        if (!pending.isEmpty())
            cursor.insertText(pending, pendingFormat);
        pending.clear();
    };
    const auto add = [&](const QString& text, const QTextCharFormat& format) {
        if (!pending.isEmpty() && format != pendingFormat)
            flush();
        if (pending.isEmpty())
            pendingFormat = format;
        pending += text;
    };
    // One edit: the cursor does not measure its place after every insert.
    cursor.beginEditBlock();
    for (qsizetype i = 0; i < count; ++i) {
        if (progress && i % 4096 == 0 && !progress(double(i) / double(count))) {
            cursor.endEditBlock();
            return false;
        }
        RtfParagraph& p = content.paragraphs[i];
        if (i > 0 && inBlock < perBlock && p.alignment == blockAlignment && p.markFormat == blockMark) {
            add(lineBreak, blockMark);
            ++inBlock;
        } else {
            flush();
            startParagraph(cursor, p, i == 0);
            blockAlignment = p.alignment;
            blockMark = p.markFormat;
            inBlock = 1;
        }
        for (const RtfRun& run : p.runs)
            add(run.text, run.format);
        p = RtfParagraph();
    }
    flush();
    cursor.endEditBlock();
    return true;
}

} // namespace zelvar
