#include "schema.h"

#include "database.h"
#include "errors.h"

#include <QRegularExpression>
#include <QSqlQuery>

namespace kesp::storage {

QString columnDefinition(const QString &name, ColumnType type, int length)
{
    switch (type) {
    case ColumnType::Integer:
    case ColumnType::YesNo:
        return name + QStringLiteral(" INTEGER");
    case ColumnType::Text:
        return QStringLiteral("%1 TEXT(%2) CHECK (length(%1) <= %2)").arg(name).arg(length);
    case ColumnType::Memo:
    case ColumnType::DateTime:
        return name + QStringLiteral(" TEXT");
    case ColumnType::Double:
        return name + QStringLiteral(" REAL");
    case ColumnType::Blob:
        return name + QStringLiteral(" BLOB");
    }
    return name;
}

bool parseTypeWord(const QString &word, ColumnType *type, int *length)
{
    const QString w = word.trimmed().toLower();
    *length = 0;
    static const QRegularExpression text(QStringLiteral("^text\\s*\\((\\d+)\\)$"));
    if (const auto m = text.match(w); m.hasMatch()) {
        *type = ColumnType::Text;
        *length = m.captured(1).toInt();
        return *length > 0;
    }
    if (w == QLatin1String("yesno") || w == QLatin1String("yes/no") || w == QLatin1String("bit"))
        *type = ColumnType::YesNo;
    else if (w == QLatin1String("long integer") || w == QLatin1String("long")
             || w == QLatin1String("integer"))
        *type = ColumnType::Integer;
    else if (w == QLatin1String("memo"))
        *type = ColumnType::Memo;
    else if (w == QLatin1String("double"))
        *type = ColumnType::Double;
    else if (w == QLatin1String("datetime") || w == QLatin1String("date/time"))
        *type = ColumnType::DateTime;
    else
        return false;
    return true;
}

QStringList createTableStatements(const QString &table, bool firstRelease)
{
    const auto cols = ColumnCatalogue::columns(table);
    const QString key = ColumnCatalogue::keyColumn(table);
    QStringList defs;
    for (const auto *c : cols) {
        if (firstRelease && c->addedByStep != 0)
            continue;
        QString def = columnDefinition(c->columnName(),
                                       c->type,
                                       firstRelease ? c->earliestLength : c->length);
        if (c->columnName() == key)
            def = key + QStringLiteral(" INTEGER NOT NULL PRIMARY KEY");
        defs << def;
    }
    const bool belongsToDocument = table == QLatin1String("DEKLARACIA2")
                                   || ColumnCatalogue::detailTables().contains(table);
    // A document's second row and its list rows go with it.
    if (belongsToDocument)
        defs << QStringLiteral("FOREIGN KEY (DEKLARACIA_CODE) REFERENCES DEKLARACIA "
                               "(DEKLARACIA_CODE) ON DELETE CASCADE");

    QStringList out;
    out << QStringLiteral("CREATE TABLE %1 (\n  %2\n)").arg(table, defs.join(QStringLiteral(",\n  ")));
    if (ColumnCatalogue::detailTables().contains(table))
        out << QStringLiteral("CREATE INDEX IX_%1_DOC ON %1 (DEKLARACIA_CODE)").arg(table);
    if (table == QLatin1String("OBSHTINI"))
        out << QStringLiteral("CREATE INDEX IX_OBSHTINI_OBLAST ON OBSHTINI (OBLAST_CODE)");
    if (table == QLatin1String("GRADOVE"))
        out << QStringLiteral(
            "CREATE INDEX IX_GRADOVE_PLACE ON GRADOVE (OBLAST_CODE, OBSHTINA_CODE)");
    if (table == QLatin1String("POLETA_PRAVILA"))
        out << QStringLiteral("CREATE INDEX IX_POLETA_PRAVILA_POLE ON POLETA_PRAVILA (POLE_CODE)");
    return out;
}

void createSchema(const QSqlDatabase &db, bool firstRelease)
{
    WriteTransaction tx(db);
    for (const QString &table : ColumnCatalogue::tables()) {
        if (firstRelease && table == QLatin1String("INTERNAL_VALUES"))
            continue;
        for (const QString &sql : createTableStatements(table, firstRelease))
            exec(db, sql);
    }
    tx.commit();
}

namespace {

struct FileColumn
{
    QString name;
    QString declaredType;
};

QList<FileColumn> fileColumns(const QSqlDatabase &db, const QString &table)
{
    QList<FileColumn> out;
    QSqlQuery q = exec(db, QStringLiteral("PRAGMA table_info(%1)").arg(table));
    while (q.next())
        out.append({q.value(1).toString(), q.value(2).toString()});
    return out;
}

} // namespace

int declaredLength(const QSqlDatabase &db, const QString &table, const QString &column)
{
    static const QRegularExpression re(QStringLiteral("^TEXT\\s*\\((\\d+)\\)$"),
                                       QRegularExpression::CaseInsensitiveOption);
    for (const auto &c : fileColumns(db, table)) {
        if (c.name.compare(column, Qt::CaseInsensitive) != 0)
            continue;
        const auto m = re.match(c.declaredType.trimmed());
        return m.hasMatch() ? m.captured(1).toInt() : 0;
    }
    return 0;
}

void alterColumnType(const QSqlDatabase &db,
                     const QString &table,
                     const QString &column,
                     const QString &typeWord)
{
    ColumnType type;
    int length;
    if (!parseTypeWord(typeWord, &type, &length))
        throw DatabaseError(QStringLiteral("Непознат тип на колона: %1").arg(typeWord));
    const QString createSql = scalar(db,
                                     QStringLiteral("select sql from sqlite_master where type = "
                                                    "'table' and name = ? collate nocase"),
                                     {table})
                                  .toString();
    if (createSql.isEmpty())
        throw DatabaseError(QStringLiteral("Няма таблица %1").arg(table));

    // Find the column's current definition, up to the next top-level comma.
    const QRegularExpression re(
        QStringLiteral("(\\(|,)(\\s*)(%1\\s+[^,()]*(?:\\([^()]*(?:\\([^()]*\\)[^()]*)*\\)[^,()]*)*)")
            .arg(QRegularExpression::escape(column)),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(createSql);
    if (!m.hasMatch())
        throw DatabaseError(QStringLiteral("Няма колона %1 в таблица %2").arg(column, table));
    QString newSql = createSql;
    newSql.replace(m.capturedStart(3), m.capturedLength(3), columnDefinition(column, type, length));

    const QString tmp = table + QStringLiteral("_REBUILD");
    newSql.replace(QRegularExpression(QStringLiteral("^CREATE TABLE\\s+\"?%1\"?")
                                          .arg(QRegularExpression::escape(table)),
                                      QRegularExpression::CaseInsensitiveOption),
                   QStringLiteral("CREATE TABLE ") + tmp);

    QStringList indexSql;
    {
        QSqlQuery q = exec(db,
                           QStringLiteral("select sql from sqlite_master where type = 'index' "
                                          "and tbl_name = ? collate nocase and sql is not null"),
                           {table});
        while (q.next())
            indexSql << q.value(0).toString();
    }
    // Dropping a table that others refer to would delete their rows with it.
    for (const QString &other : ColumnCatalogue::tables()) {
        QSqlQuery fk(db);
        if (fk.exec(QStringLiteral("PRAGMA foreign_key_list(%1)").arg(other)))
            while (fk.next())
                if (fk.value(2).toString().compare(table, Qt::CaseInsensitive) == 0)
                    throw DatabaseError(
                        QStringLiteral("Таблица %1 не може да бъде преустроена.").arg(table));
    }
    WriteTransaction tx(db);
    exec(db, newSql);
    exec(db, QStringLiteral("INSERT INTO %1 SELECT * FROM %2").arg(tmp, table));
    exec(db, QStringLiteral("DROP TABLE %1").arg(table));
    exec(db, QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(tmp, table));
    for (const QString &sql : indexSql)
        exec(db, sql);
    tx.commit();
}

} // namespace kesp::storage
