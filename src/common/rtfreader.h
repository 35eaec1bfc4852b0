#pragma once

#include "rtfdocument.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace kesp {

// Reads the RTF the program's help texts and reports are written in: paragraphs with
// alignment, indents and spacing; bold, italic, underline and size; \line, \tab; text in
// code page 1251 and \uN. Tables of fonts, colours and styles, pictures, document
// information and \* destinations are skipped. Unknown control words are ignored, and
// a truncated or unbalanced document gives what it holds up to that point.
class RtfReader
{
public:
    // Throws kesp::Error when the bytes do not start as an RTF document.
    explicit RtfReader(const QByteArray &rtf);

    static bool isRtf(const QByteArray &bytes);

    const QList<RtfParagraph> &paragraphs() const { return m_paragraphs; }

    // Paragraphs and line breaks as "\n", tabs as "\t".
    QString plainText() const;

    // The subset of HTML that QTextEdit shows: one <p> per paragraph, <span> per format.
    QString html() const;

private:
    QList<RtfParagraph> m_paragraphs;
};

} // namespace kesp
