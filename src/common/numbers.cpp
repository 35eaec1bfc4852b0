#include "numbers.h"

#include <QLocale>

#include <cmath>

namespace kesp {

namespace {

bool isAsciiDigit(QChar ch)
{
    return ch >= QLatin1Char('0') && ch <= QLatin1Char('9');
}

} // namespace

std::optional<double> StrToFloatAny(const QString &text)
{
    const QString trimmed = text.trimmed();
    QString normal;
    normal.reserve(trimmed.size());
    bool seenDigit = false;
    bool seenPoint = false;
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        const QChar ch = trimmed.at(i);
        if (isAsciiDigit(ch)) {
            normal += ch;
            seenDigit = true;
        } else if (i == 0 && ch == QLatin1Char('-') && trimmed.size() > 1 &&
                   isAsciiDigit(trimmed.at(1))) {
            // A sign, not a separator: otherwise "-3" would read as ".3".
            normal += ch;
        } else {
            if (seenPoint)
                return std::nullopt;
            seenPoint = true;
            normal += QLatin1Char('.');
        }
    }
    if (!seenDigit)
        return std::nullopt;

    bool ok = false;
    const double value = QLocale::c().toDouble(normal, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace kesp
