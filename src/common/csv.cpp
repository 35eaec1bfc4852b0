#include "csv.h"

#include "errors.h"

namespace kesp {

QList<QStringList> parseCsv(const QString &text)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    bool fieldStarted = false;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = text.at(i);
        if (quoted) {
            if (ch == QLatin1Char('"')) {
                if (i + 1 < n && text.at(i + 1) == QLatin1Char('"')) {
                    field += QLatin1Char('"');
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += ch;
            }
            continue;
        }
        if (ch == QLatin1Char('"') && field.isEmpty()) {
            quoted = true;
            fieldStarted = true;
        } else if (ch == QLatin1Char(',')) {
            row << field;
            field.clear();
            fieldStarted = true;
        } else if (ch == QLatin1Char('\r')) {
            // CR LF and lone LF both end a record.
        } else if (ch == QLatin1Char('\n')) {
            row << field;
            rows << row;
            row.clear();
            field.clear();
            fieldStarted = false;
        } else {
            field += ch;
            fieldStarted = true;
        }
    }
    if (quoted)
        throw Error(QStringLiteral("Незавършени кавички в CSV текст."));
    if (fieldStarted || !field.isEmpty() || !row.isEmpty()) {
        row << field;
        rows << row;
    }
    return rows;
}

} // namespace kesp
