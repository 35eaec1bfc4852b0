#pragma once

#include "rtfdocument.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace kesp {

// Builds an RTF document in code page 1251 that word processors and our own RtfReader
// open alike: Cyrillic is written as \'xx, anything else outside the code page as \uN?.
class RtfWriter
{
public:
    explicit RtfWriter(const QString &fontFamily = QStringLiteral("Times New Roman"),
                       qreal pointSize = 12);

    // Starts a new paragraph; text added afterwards goes into it.
    void beginParagraph(RtfAlignment alignment = RtfAlignment::Left);

    // Appends to the current paragraph (starting one if there is none). Line ends of any
    // kind ("\n", "\r\n", "\n\r", "\r") become line breaks, "\t" a tab. A point size of 0
    // means the document's own.
    void addText(const QString &text, bool bold = false, qreal pointSize = 0);
    void addLineBreak();

    // One whole paragraph in one format.
    void addParagraph(const QString &text,
                      RtfAlignment alignment = RtfAlignment::Left,
                      bool bold = false,
                      qreal pointSize = 0);

    const QList<RtfParagraph> &paragraphs() const { return m_paragraphs; }

    QByteArray toRtf() const;

    // Writes the document, replacing the file only once it is complete; throws kesp::Error.
    void save(const QString &path) const;

private:
    QString m_fontFamily;
    qreal m_pointSize;
    QList<RtfParagraph> m_paragraphs;
};

} // namespace kesp
