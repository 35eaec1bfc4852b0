#pragma once

#include <QList>
#include <QString>

namespace kesp {

// The small model of rich text that the program writes and reads as RTF.

enum class RtfAlignment { Left, Center, Right, Justify };

// A stretch of text with one character format. "\n" in the text is a line break
// within the paragraph, "\t" a tab.
struct RtfRun
{
    QString text;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    qreal pointSize = 12; // RTF's own default

    bool operator==(const RtfRun &) const = default;
    bool sameFormat(const RtfRun &o) const
    {
        return bold == o.bold && italic == o.italic && underline == o.underline &&
               pointSize == o.pointSize;
    }
};

struct RtfParagraph
{
    RtfAlignment alignment = RtfAlignment::Left;
    // Twentieths of a point, as RTF measures them.
    int leftIndent = 0;
    int firstLineIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    QList<RtfRun> runs;

    bool operator==(const RtfParagraph &) const = default;
    QString text() const
    {
        QString t;
        for (const RtfRun &r : runs)
            t += r.text;
        return t;
    }
};

} // namespace kesp
