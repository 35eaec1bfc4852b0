#include "columncatalogue.h"

#include <QHash>

namespace kesp::storage {

QStringList ColumnCatalogue::tables()
{
    QStringList out;
    for (const auto &c : all())
        if (out.isEmpty() || out.constLast() != QLatin1String(c.table))
            out << c.tableName();
    return out;
}

std::vector<const ColumnDef *> ColumnCatalogue::columns(const QString &table)
{
    std::vector<const ColumnDef *> out;
    for (const auto &c : all())
        if (table == QLatin1String(c.table))
            out.push_back(&c);
    return out;
}

QStringList ColumnCatalogue::columnNames(const QString &table)
{
    QStringList out;
    for (const auto *c : columns(table))
        out << c->columnName();
    return out;
}

const ColumnDef *ColumnCatalogue::find(const QString &table, const QString &column)
{
    // Looked up for every value read or written: an index, not a scan.
    static const QHash<QString, const ColumnDef *> index = [] {
        QHash<QString, const ColumnDef *> h;
        for (const auto &c : all())
            h.insert(QLatin1String(c.table) + QLatin1Char('.') + QLatin1String(c.name), &c);
        return h;
    }();
    return index.value(table.toUpper() + QLatin1Char('.') + column.toUpper(), nullptr);
}

QString ColumnCatalogue::keyColumn(const QString &table)
{
    if (table == QLatin1String("POLETA_PRAVILA"))
        return {};
    const auto cols = columns(table);
    return cols.empty() ? QString() : cols.front()->columnName();
}

const ColumnDef *ColumnCatalogue::byFieldCode(int fieldCode)
{
    static const QHash<int, const ColumnDef *> index = [] {
        QHash<int, const ColumnDef *> h;
        for (const auto &c : all())
            if (c.fieldCode > 0)
                h.insert(c.fieldCode, &c);
        return h;
    }();
    return index.value(fieldCode, nullptr);
}

const QStringList &ColumnCatalogue::detailTables()
{
    static const QStringList t{QStringLiteral("I_UPRAVLIAVASHTI"),
                               QStringLiteral("II_KID"),
                               QStringLiteral("II_PODRAZDELENIEA"),
                               QStringLiteral("IV_POCHIVKI"),
                               QStringLiteral("P2_4_CAS"),
                               QStringLiteral("P2_11_CAS")};
    return t;
}

} // namespace kesp::storage
