#pragma once

#include <QString>

namespace kesp {

// Adds one entry to a list of messages: the first becomes " - " + entry, each further one
// is appended after an empty line (LF CR LF CR, the program's own paragraph break).
void FormatString(const QString &NovString, QString &NatrupanStringDotuk);

} // namespace kesp
