#pragma once

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace kesp::storage {

// A statement with named parameters (":NAME"). A name may stand several times; each
// occurrence is bound to the value given for the name. Values are always bound, never
// pieced into the text.
class NamedSql
{
public:
    NamedSql() = default;
    explicit NamedSql(const QString &sql) { setSql(sql); }

    void setSql(const QString &sql);
    const QString &sql() const { return m_sql; }
    // The names in order of their first occurrence.
    QStringList parameterNames() const;

    // Sets every occurrence of the name (exact, case-sensitive); unknown names are ignored.
    void setParam(const QString &name, const QVariant &value);
    QVariant param(const QString &name) const { return m_values.value(name); }

    // Runs the statement; throws DatabaseError.
    QSqlQuery exec(const QSqlDatabase &db) const;

private:
    QString m_sql;
    QString m_positional;
    QStringList m_occurrences; // the name of each "?" in order
    QHash<QString, QVariant> m_values;
};

} // namespace kesp::storage
