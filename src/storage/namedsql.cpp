#include "namedsql.h"

#include "errors.h"

#include <QSqlError>

namespace kesp::storage {

void NamedSql::setSql(const QString &sql)
{
    m_sql = sql;
    m_positional.clear();
    m_occurrences.clear();
    QChar quote;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar ch = sql.at(i);
        if (!quote.isNull()) {
            if (ch == quote)
                quote = QChar();
            m_positional += ch;
            continue;
        }
        if (ch == QLatin1Char('\'') || ch == QLatin1Char('"')) {
            quote = ch;
            m_positional += ch;
            continue;
        }
        const bool startsName = ch == QLatin1Char(':') && i + 1 < sql.size()
                                && (sql.at(i + 1).isLetter() || sql.at(i + 1) == QLatin1Char('_'));
        if (!startsName) {
            m_positional += ch;
            continue;
        }
        qsizetype j = i + 1;
        while (j < sql.size() && (sql.at(j).isLetterOrNumber() || sql.at(j) == QLatin1Char('_')))
            ++j;
        m_occurrences << sql.mid(i + 1, j - i - 1);
        m_positional += QLatin1Char('?');
        i = j - 1;
    }
}

QStringList NamedSql::parameterNames() const
{
    QStringList out;
    for (const QString &n : m_occurrences)
        if (!out.contains(n))
            out << n;
    return out;
}

void NamedSql::setParam(const QString &name, const QVariant &value)
{
    if (m_occurrences.contains(name))
        m_values.insert(name, value);
}

QSqlQuery NamedSql::exec(const QSqlDatabase &db) const
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(m_positional))
        throw DatabaseError(q.lastError().text() + QStringLiteral("\n") + m_sql);
    for (int i = 0; i < m_occurrences.size(); ++i)
        q.bindValue(i, m_values.value(m_occurrences.at(i)));
    if (!q.exec())
        throw DatabaseError(q.lastError().text() + QStringLiteral("\n") + m_sql);
    return q;
}

} // namespace kesp::storage
