#include "rtfwriter.h"

#include "cp1251.h"
#include "errors.h"

#include <QSaveFile>

#include <cmath>

namespace kesp {

namespace {

int halfPoints(qreal pointSize)
{
    return int(std::lround(pointSize * 2));
}

// Text in RTF's 7-bit form.
QByteArray escaped(const QString &text)
{
    QByteArray out;
    out.reserve(text.size() * 4);
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += char(u);
        } else if (u == '\n') {
            out += "\\line ";
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u < 0x20) {
            // Other control characters have no meaning in a document.
        } else if (u < 0x80) {
            out += char(u);
        } else if (const int b = cp1251::fromUnicode(ch); b >= 0) {
            out += "\\'";
            out += QByteArray::number(b, 16).rightJustified(2, '0');
        } else {
            // \u takes a signed 16-bit number; each half of a surrogate pair goes alone.
            out += "\\u";
            out += QByteArray::number(int(qint16(u)));
            out += '?';
        }
    }
    return out;
}

// "\n", "\r\n", "\n\r" and "\r" each make one line break.
QString normalisedLineEnds(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch == QLatin1Char('\n') || ch == QLatin1Char('\r')) {
            const QChar other = ch == QLatin1Char('\n') ? QLatin1Char('\r') : QLatin1Char('\n');
            if (i + 1 < text.size() && text.at(i + 1) == other)
                ++i;
            out += QLatin1Char('\n');
        } else {
            out += ch;
        }
    }
    return out;
}

} // namespace

RtfWriter::RtfWriter(const QString &fontFamily, qreal pointSize)
    : m_fontFamily(fontFamily)
    , m_pointSize(pointSize > 0 ? pointSize : 12)
{
}

void RtfWriter::beginParagraph(RtfAlignment alignment)
{
    RtfParagraph p;
    p.alignment = alignment;
    m_paragraphs.append(p);
}

void RtfWriter::addText(const QString &text, bool bold, qreal pointSize)
{
    if (m_paragraphs.isEmpty())
        beginParagraph();
    if (text.isEmpty())
        return;
    RtfRun run;
    run.text = normalisedLineEnds(text);
    run.bold = bold;
    run.pointSize = pointSize > 0 ? pointSize : m_pointSize;
    QList<RtfRun> &runs = m_paragraphs.last().runs;
    if (!runs.isEmpty() && runs.last().sameFormat(run))
        runs.last().text += run.text;
    else
        runs.append(run);
}

void RtfWriter::addLineBreak()
{
    if (m_paragraphs.isEmpty() || m_paragraphs.last().runs.isEmpty())
        addText(QStringLiteral("\n"));
    else
        m_paragraphs.last().runs.last().text += QLatin1Char('\n');
}

void RtfWriter::addParagraph(const QString &text,
                             RtfAlignment alignment,
                             bool bold,
                             qreal pointSize)
{
    beginParagraph(alignment);
    addText(text, bold, pointSize);
}

QByteArray RtfWriter::toRtf() const
{
    const int defaultSize = halfPoints(m_pointSize);
    QByteArray out;
    out += "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1026{\\fonttbl{\\f0\\fnil\\fcharset204 ";
    out += escaped(m_fontFamily);
    out += ";}}\r\n\\viewkind4\\uc1\\f0\\fs";
    out += QByteArray::number(defaultSize);
    out += "\r\n";

    for (const RtfParagraph &p : m_paragraphs) {
        out += "\\pard";
        switch (p.alignment) {
        case RtfAlignment::Left:
            break;
        case RtfAlignment::Center:
            out += "\\qc";
            break;
        case RtfAlignment::Right:
            out += "\\qr";
            break;
        case RtfAlignment::Justify:
            out += "\\qj";
            break;
        }
        const auto measure = [&out](const char *word, int value) {
            if (value != 0) {
                out += word;
                out += QByteArray::number(value);
            }
        };
        measure("\\li", p.leftIndent);
        measure("\\fi", p.firstLineIndent);
        measure("\\sb", p.spaceBefore);
        measure("\\sa", p.spaceAfter);
        out += ' ';

        for (const RtfRun &r : p.runs) {
            const int size = halfPoints(r.pointSize);
            const bool plain = !r.bold && !r.italic && !r.underline && size == defaultSize;
            if (plain) {
                out += escaped(r.text);
                continue;
            }
            // A group keeps the format to this run, so nothing has to be switched back.
            out += '{';
            if (r.bold)
                out += "\\b";
            if (r.italic)
                out += "\\i";
            if (r.underline)
                out += "\\ul";
            if (size != defaultSize) {
                out += "\\fs";
                out += QByteArray::number(size);
            }
            out += ' ';
            out += escaped(r.text);
            out += '}';
        }
        out += "\\par\r\n";
    }
    out += "}\r\n";
    return out;
}

void RtfWriter::save(const QString &path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(toRtf()) < 0 || !file.commit()) {
        throw Error(QStringLiteral("Файлът \"%1\" не може да бъде записан: %2")
                        .arg(path, file.errorString()));
    }
}

} // namespace kesp
