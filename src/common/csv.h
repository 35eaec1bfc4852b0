#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kesp {

// Parses RFC 4180 text: comma-separated, fields in double quotes may hold commas,
// line breaks and doubled quotes. Throws kesp::Error on an unterminated quote.
QList<QStringList> parseCsv(const QString &text);

} // namespace kesp
