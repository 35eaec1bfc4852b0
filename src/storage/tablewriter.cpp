#include "tablewriter.h"

#include "columncatalogue.h"
#include "database.h"
#include "errors.h"
#include "schema.h"

#include <QDateTime>
#include <QSqlQuery>
#include <QSqlRecord>

#include <limits>

namespace kesp::storage {

namespace {
const QString kDateFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

QString userColumnName(const ColumnDef *c, const QString &column)
{
    // The form's caption when the catalogue has one in quotes, else the column's name.
    if (c) {
        const QString form = QString::fromUtf8(c->formText);
        if (form.startsWith(QLatin1Char('"'))) {
            const int end = form.indexOf(QLatin1Char('"'), 1);
            if (end > 1)
                return QStringLiteral("„%1“ (%2)").arg(form.mid(1, end - 1), column);
        }
    }
    return column;
}
} // namespace

QVariant fromStored(const QString &table, const QString &column, const QVariant &stored)
{
    const ColumnDef *c = ColumnCatalogue::find(table, column);
    if (!c || stored.isNull())
        return stored;
    switch (c->type) {
    case ColumnType::Integer:
        return stored.toInt();
    case ColumnType::YesNo:
        return stored.toInt() != 0;
    case ColumnType::Double:
        return stored.toDouble();
    case ColumnType::DateTime:
        return QDateTime::fromString(stored.toString(), kDateFormat);
    case ColumnType::Text:
    case ColumnType::Memo:
        return stored.toString();
    case ColumnType::Blob:
        return stored.toByteArray();
    }
    return stored;
}

QVariant toStored(const QString &table, const QString &column, const QVariant &value)
{
    const ColumnDef *c = ColumnCatalogue::find(table, column);
    if (!c || value.isNull() || !value.isValid())
        return value.isValid() ? value : QVariant();
    switch (c->type) {
    case ColumnType::YesNo:
        return value.toBool() ? 1 : 0;
    case ColumnType::DateTime:
        if (value.canConvert<QDateTime>() && value.toDateTime().isValid())
            return value.toDateTime().toString(kDateFormat);
        return value.toString();
    case ColumnType::Integer: {
        bool ok = false;
        const qlonglong v = value.toLongLong(&ok);
        if (!ok || v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
            throw ValueError(QStringLiteral("Стойността на поле %1 не е цяло число в допустимите граници.")
                                 .arg(userColumnName(c, column)));
        return int(v);
    }
    case ColumnType::Double:
        return value.toDouble();
    case ColumnType::Blob:
        return value.toByteArray();
    default:
        return value.toString();
    }
}

void checkLengths(const QSqlDatabase &db, const QString &table, const QVariantMap &values)
{
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const ColumnDef *c = ColumnCatalogue::find(table, it.key());
        if (!c || c->type != ColumnType::Text || it.value().isNull())
            continue;
        const int limit = declaredLength(db, table, it.key());
        const int len = int(it.value().toString().size());
        if (limit > 0 && len > limit)
            throw ValueError(QStringLiteral("Текстът в поле %1 е твърде дълъг: %2 знака при "
                                            "допустими най-много %3. Нищо не е записано.")
                                 .arg(userColumnName(c, it.key()))
                                 .arg(len)
                                 .arg(limit));
    }
}

int nextKey(const QSqlDatabase &db, const QString &table)
{
    const QString key = ColumnCatalogue::keyColumn(table);
    if (key.isEmpty())
        throw DatabaseError(QStringLiteral("Таблица %1 няма ключ.").arg(table));
    return scalar(db, QStringLiteral("select coalesce(max(%1), 0) + 1 from %2").arg(key, table)).toInt();
}

int insertRow(const QSqlDatabase &db, const QString &table, QVariantMap values)
{
    checkLengths(db, table, values);
    WriteTransaction tx(db);
    const QString key = ColumnCatalogue::keyColumn(table);
    if (!key.isEmpty() && values.value(key).isNull())
        values.insert(key, nextKey(db, table));
    QStringList cols, marks;
    QVariantList params;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        cols << it.key();
        marks << QStringLiteral("?");
        params << toStored(table, it.key(), it.value());
    }
    exec(db,
         QStringLiteral("insert into %1 (%2) values (%3)")
             .arg(table, cols.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
         params);
    tx.commit();
    return key.isEmpty() ? 0 : values.value(key).toInt();
}

void updateRow(const QSqlDatabase &db, const QString &table, const QVariant &key, const QVariantMap &values)
{
    if (values.isEmpty())
        return;
    checkLengths(db, table, values);
    QStringList sets;
    QVariantList params;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        sets << it.key() + QStringLiteral(" = ?");
        params << toStored(table, it.key(), it.value());
    }
    params << key;
    WriteTransaction tx(db);
    exec(db,
         QStringLiteral("update %1 set %2 where %3 = ?")
             .arg(table, sets.join(QStringLiteral(", ")), ColumnCatalogue::keyColumn(table)),
         params);
    tx.commit();
}

QVariantMap currentRecord(const QString &table, const QSqlQuery &query)
{
    QVariantMap out;
    const QSqlRecord rec = query.record();
    for (int i = 0; i < rec.count(); ++i)
        out.insert(rec.fieldName(i), fromStored(table, rec.fieldName(i), query.value(i)));
    return out;
}

QVariantMap readRow(const QSqlDatabase &db, const QString &table, const QVariant &key)
{
    QSqlQuery q = exec(db,
                       QStringLiteral("select * from %1 where %2 = ?")
                           .arg(table, ColumnCatalogue::keyColumn(table)),
                       {key});
    return q.next() ? currentRecord(table, q) : QVariantMap();
}

void deleteDocument(const QSqlDatabase &db, int code)
{
    WriteTransaction tx(db);
    // Explicit deletes as well as the cascade: a file built without the relations still
    // loses no orphans.
    for (const QString &t : ColumnCatalogue::detailTables())
        exec(db, QStringLiteral("delete from %1 where DEKLARACIA_CODE = ?").arg(t), {code});
    exec(db, QStringLiteral("delete from DEKLARACIA2 where DEKLARACIA_CODE = ?"), {code});
    exec(db, QStringLiteral("delete from DEKLARACIA where DEKLARACIA_CODE = ?"), {code});
    tx.commit();
}

} // namespace kesp::storage
