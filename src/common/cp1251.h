#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

namespace kesp::cp1251 {

// Windows-1251 (Cyrillic) of our own: Qt's converters lack it unless built with ICU.

// The character of one byte; the one unassigned byte (0x98) gives U+FFFD.
QChar toUnicode(uchar byte);

// The byte of one UTF-16 unit, or -1 when Windows-1251 has no such character.
int fromUnicode(QChar ch);

QString decode(const QByteArray &bytes);

// Characters without a byte become the replacement byte.
QByteArray encode(const QString &text, char replacement = '?');

} // namespace kesp::cp1251
