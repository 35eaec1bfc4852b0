#include "rtfreader.h"

#include "cp1251.h"
#include "errors.h"

#include <QHash>
#include <QSet>

#include <vector>

namespace kesp {

namespace {

// What a group carries and restores when it closes.
struct State
{
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 24;
    RtfAlignment alignment = RtfAlignment::Left;
    int leftIndent = 0;
    int firstLineIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    int unicodeSkip = 1;  // \uc
    bool skipped = false; // inside a destination we do not show

    void resetCharacter()
    {
        bold = italic = underline = false;
        halfPoints = 24;
    }
    void resetParagraph()
    {
        alignment = RtfAlignment::Left;
        leftIndent = firstLineIndent = spaceBefore = spaceAfter = 0;
    }
};

// Destinations whose content is not document text.
const QSet<QByteArray> &skippedDestinations()
{
    // clang-format off
    static const QSet<QByteArray> names{
        "fonttbl", "colortbl", "stylesheet", "info", "pict", "object", "header", "headerl",
        "headerr", "headerf", "footer", "footerl", "footerr", "footerf", "footnote",
        "listtable", "listoverridetable", "revtbl", "rsidtbl", "filetbl", "nonshppict", "shp",
        "fldinst", "themedata", "colorschememapping", "latentstyles", "datastore", "xmlnstbl",
        "generator", "pgdsctbl", "xe", "tc", "bkmkstart", "bkmkend",
    };
    // clang-format on
    return names;
}

// Nesting beyond this is not a real document; deeper groups share the last state.
constexpr int kMaxDepth = 1000;
constexpr qint64 kParamBound = 1'000'000'000;

class Parser
{
public:
    explicit Parser(const QByteArray &rtf)
        : m_in(rtf)
    {
    }

    QList<RtfParagraph> run()
    {
        const qsizetype n = m_in.size();
        qsizetype i = 0;
        while (i < n && m_in.at(i) != '{')
            ++i;
        while (i < n && !m_done) {
            const char c = m_in.at(i);
            if (c == '{') {
                openGroup();
                ++i;
            } else if (c == '}') {
                closeGroup();
                ++i;
            } else if (c == '\\') {
                i = control(i + 1);
            } else if (c == '\r' || c == '\n') {
                ++i;
            } else if (c == '\t') {
                character(QLatin1Char('\t'));
                ++i;
            } else if (uchar(c) < 0x20) {
                ++i;
            } else {
                character(cp1251::toUnicode(uchar(c)));
                ++i;
            }
        }
        if (!m_current.runs.isEmpty())
            finishParagraph(m_lastTextState);
        return m_paragraphs;
    }

private:
    State &state() { return m_stack.back(); }

    void openGroup()
    {
        m_pendingSkip = 0;
        if (int(m_stack.size()) >= kMaxDepth) {
            ++m_overflow;
            return;
        }
        m_stack.push_back(m_stack.empty() ? State() : m_stack.back());
    }

    void closeGroup()
    {
        m_pendingSkip = 0;
        if (m_overflow > 0) {
            --m_overflow;
            return;
        }
        if (!m_stack.empty())
            m_stack.pop_back();
        // The document's own group has closed: anything after it is not part of it.
        if (m_stack.empty())
            m_done = true;
    }

    // Reads one control word or symbol starting after its backslash; returns where the
    // text goes on.
    qsizetype control(qsizetype i)
    {
        const qsizetype n = m_in.size();
        if (i >= n)
            return i;
        const char c = m_in.at(i);
        if (!isLetter(c))
            return symbol(i);

        const qsizetype start = i;
        while (i < n && isLetter(m_in.at(i)) && i - start < 32)
            ++i;
        const QByteArray word = m_in.mid(start, i - start);
        bool hasParam = false;
        bool negative = false;
        qint64 param = 0;
        if (i < n && m_in.at(i) == '-' && i + 1 < n && isDigit(m_in.at(i + 1))) {
            negative = true;
            ++i;
        }
        while (i < n && isDigit(m_in.at(i))) {
            hasParam = true;
            // Held at a bound that no real parameter reaches, so it cannot overflow.
            param = qMin<qint64>(param * 10 + (m_in.at(i) - '0'), kParamBound);
            ++i;
        }
        if (i < n && m_in.at(i) == ' ')
            ++i;
        if (negative)
            param = -param;

        // Raw bytes are skipped whatever the state: they could hold braces.
        if (word == "bin") {
            return qMin(n, i + (hasParam && param > 0 ? qsizetype(param) : 0));
        }
        if (m_stack.empty() || state().skipped)
            return i;
        if (m_pendingSkip > 0) {
            --m_pendingSkip;
            return i;
        }
        controlWord(word, hasParam, int(param));
        return i;
    }

    qsizetype symbol(qsizetype i)
    {
        const char c = m_in.at(i);
        if (c == '\'') {
            int value = 0;
            qsizetype j = i + 1;
            int digits = 0;
            for (; j < m_in.size() && digits < 2; ++j, ++digits) {
                const int h = hexValue(m_in.at(j));
                if (h < 0)
                    break;
                value = value * 16 + h;
            }
            // A cut-off escape at the end of a damaged document shows nothing.
            if (digits == 2)
                character(cp1251::toUnicode(uchar(value)));
            return j;
        }
        if (m_stack.empty())
            return i + 1;
        if (c == '\r' || c == '\n') {
            if (!consumedAsFallback())
                finishParagraph(state());
            return i + 1;
        }
        if (state().skipped)
            return i + 1;
        switch (c) {
        case '\\':
        case '{':
        case '}':
            character(QLatin1Char(c));
            break;
        case '~':
            character(QChar(0x00A0));
            break;
        case '_':
            character(QChar(0x2011));
            break;
        case '*':
            // An optional destination: none of them is document text for us.
            state().skipped = true;
            break;
        default:
            // \- (optional hyphen), \| and \: show nothing, but stand for a character.
            consumedAsFallback();
            break;
        }
        return i + 1;
    }

    void controlWord(const QByteArray &word, bool hasParam, int param)
    {
        State &s = state();
        const bool on = !hasParam || param != 0;
        if (skippedDestinations().contains(word)) {
            s.skipped = true;
        } else if (word == "par" || word == "sect" || word == "page" || word == "row") {
            finishParagraph(s);
        } else if (word == "line") {
            append(QLatin1Char('\n'));
        } else if (word == "tab" || word == "cell") {
            append(QLatin1Char('\t'));
        } else if (word == "u") {
            // Signed 16 bits by the format; anything else is damage, shown as nothing.
            if (param >= -32768 && param <= 65535)
                append(QChar(char16_t(param < 0 ? param + 65536 : param)));
            m_pendingSkip = s.unicodeSkip;
        } else if (word == "uc") {
            s.unicodeSkip = qMax(0, param);
        } else if (word == "b") {
            s.bold = on;
        } else if (word == "i") {
            s.italic = on;
        } else if (word == "ulnone") {
            s.underline = false;
        } else if (word.startsWith("ul") && word != "ulc") {
            // \ul and its dotted, double, wavy … kinds; \ulc is only a colour.
            s.underline = on;
        } else if (word == "plain") {
            s.resetCharacter();
        } else if (word == "fs") {
            // Word's own largest size is 1638 points.
            s.halfPoints = hasParam && param > 0 ? qMin(param, 3276) : 24;
        } else if (word == "pard") {
            s.resetParagraph();
        } else if (word == "ql") {
            s.alignment = RtfAlignment::Left;
        } else if (word == "qc") {
            s.alignment = RtfAlignment::Center;
        } else if (word == "qr") {
            s.alignment = RtfAlignment::Right;
        } else if (word == "qj") {
            s.alignment = RtfAlignment::Justify;
        } else if (word == "li") {
            s.leftIndent = param;
        } else if (word == "fi") {
            s.firstLineIndent = param;
        } else if (word == "sb") {
            s.spaceBefore = param;
        } else if (word == "sa") {
            s.spaceAfter = param;
        } else if (const QChar ch = namedCharacter(word); !ch.isNull()) {
            append(ch);
        }
    }

    static QChar namedCharacter(const QByteArray &word)
    {
        static const QHash<QByteArray, char16_t> names{
            {"emdash", 0x2014},
            {"endash", 0x2013},
            {"bullet", 0x2022},
            {"lquote", 0x2018},
            {"rquote", 0x2019},
            {"ldblquote", 0x201C},
            {"rdblquote", 0x201D},
            {"emspace", 0x2003},
            {"enspace", 0x2002},
            {"qmspace", 0x2005},
        };
        const auto it = names.constFind(word);
        return it == names.cend() ? QChar() : QChar(*it);
    }

    // A character of the text, unless it is the fallback of a \u just read.
    void character(QChar ch)
    {
        if (m_stack.empty() || state().skipped || consumedAsFallback())
            return;
        append(ch);
    }

    bool consumedAsFallback()
    {
        if (m_pendingSkip <= 0)
            return false;
        --m_pendingSkip;
        return true;
    }

    void append(QChar ch)
    {
        const State &s = state();
        RtfRun run;
        run.bold = s.bold;
        run.italic = s.italic;
        run.underline = s.underline;
        run.pointSize = s.halfPoints / 2.0;
        if (m_current.runs.isEmpty() || !m_current.runs.last().sameFormat(run))
            m_current.runs.append(run);
        m_current.runs.last().text += ch;
        m_lastTextState = s;
    }

    // A paragraph takes the paragraph properties in force at its end.
    void finishParagraph(const State &s)
    {
        if (!m_stack.empty() && state().skipped)
            return;
        m_current.alignment = s.alignment;
        m_current.leftIndent = s.leftIndent;
        m_current.firstLineIndent = s.firstLineIndent;
        m_current.spaceBefore = s.spaceBefore;
        m_current.spaceAfter = s.spaceAfter;
        m_paragraphs.append(m_current);
        m_current = RtfParagraph();
    }

    static bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }
    static int hexValue(char c)
    {
        if (isDigit(c))
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    const QByteArray &m_in;
    std::vector<State> m_stack;
    int m_overflow = 0;
    bool m_done = false;
    int m_pendingSkip = 0;
    State m_lastTextState;
    RtfParagraph m_current;
    QList<RtfParagraph> m_paragraphs;
};

// Qt's rich text takes paragraph margins in pixels only (96 per inch, 15 twips each).
QString pixels(int twips)
{
    return QString::number(qRound(twips / 15.0)) + QStringLiteral("px");
}

} // namespace

RtfReader::RtfReader(const QByteArray &rtf)
{
    if (!isRtf(rtf))
        throw Error(QStringLiteral("Текстът не е във формат RTF."));
    m_paragraphs = Parser(rtf).run();
}

bool RtfReader::isRtf(const QByteArray &bytes)
{
    return bytes.trimmed().startsWith("{\\rtf");
}

QString RtfReader::plainText() const
{
    QStringList lines;
    lines.reserve(m_paragraphs.size());
    for (const RtfParagraph &p : m_paragraphs)
        lines << p.text();
    return lines.join(QLatin1Char('\n'));
}

QString RtfReader::html() const
{
    QString out = QStringLiteral("<html><body>");
    for (const RtfParagraph &p : m_paragraphs) {
        out += QStringLiteral("<p");
        switch (p.alignment) {
        case RtfAlignment::Left:
            break;
        case RtfAlignment::Center:
            out += QStringLiteral(" align=\"center\"");
            break;
        case RtfAlignment::Right:
            out += QStringLiteral(" align=\"right\"");
            break;
        case RtfAlignment::Justify:
            out += QStringLiteral(" align=\"justify\"");
            break;
        }
        // pre-wrap keeps tabs and runs of blanks as the document has them; for the same
        // reason nothing, not even a line end, stands between the tags.
        out += QStringLiteral(" style=\"margin-top:%1; margin-bottom:%2; margin-left:%3; "
                              "text-indent:%4; white-space:pre-wrap;")
                   .arg(pixels(p.spaceBefore),
                        pixels(p.spaceAfter),
                        pixels(p.leftIndent),
                        pixels(p.firstLineIndent));
        if (p.runs.isEmpty()) {
            // Qt's own mark for an empty line, so it is not shown as two.
            out += QStringLiteral(" -qt-paragraph-type:empty;\"><br /></p>");
            continue;
        }
        out += QStringLiteral("\">");
        for (const RtfRun &r : p.runs) {
            out += QStringLiteral("<span style=\"font-size:%1pt;").arg(r.pointSize);
            if (r.bold)
                out += QStringLiteral(" font-weight:700;");
            if (r.italic)
                out += QStringLiteral(" font-style:italic;");
            if (r.underline)
                out += QStringLiteral(" text-decoration:underline;");
            out += QStringLiteral("\">");
            out += r.text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br />"));
            out += QStringLiteral("</span>");
        }
        out += QStringLiteral("</p>");
    }
    out += QStringLiteral("</body></html>");
    return out;
}

} // namespace kesp
