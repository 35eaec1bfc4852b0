#include "textlist.h"

namespace kesp {

void FormatString(const QString &NovString, QString &NatrupanStringDotuk)
{
    if (NatrupanStringDotuk.isEmpty())
        NatrupanStringDotuk = QStringLiteral(" - ") + NovString;
    else
        NatrupanStringDotuk += QStringLiteral("\n\r\n\r - ") + NovString;
}

} // namespace kesp
