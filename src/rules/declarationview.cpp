#include "declarationview.h"

#include "columncatalogue.h"
#include "fieldmarks.h"
#include "namedsql.h"
#include "rowsource.h"
#include "tablewriter.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace kesp::rules {

namespace {

enum class Holder { None, First, Second };

// Which of the two rows holds a column, from the catalogue; built once.
Holder holderOf(const QString &column)
{
    static const QHash<QString, Holder> holders = [] {
        QHash<QString, Holder> h;
        for (const storage::ColumnDef &c : storage::ColumnCatalogue::all())
            if (c.tableName() == QLatin1String("DEKLARACIA2"))
                h.insert(c.columnName().toUpper(), Holder::Second);
        // The first row wins for the columns both have (the document code).
        for (const storage::ColumnDef &c : storage::ColumnCatalogue::all())
            if (c.tableName() == QLatin1String("DEKLARACIA"))
                h.insert(c.columnName().toUpper(), Holder::First);
        return h;
    }();
    const auto it = holders.constFind(column.toUpper());
    return it == holders.constEnd() ? Holder::None : *it;
}

} // namespace

DetailRows::DetailRows(const QString &table,
                       const QSqlDatabase &db,
                       const QString &sql,
                       const QList<QPair<QString, QVariant>> &params)
{
    storage::NamedSql statement(sql);
    for (const auto &[name, value] : params)
        statement.setParam(name, value);
    QSqlQuery q = statement.exec(db);
    const QSqlRecord rec = q.record();
    QStringList names;
    for (int i = 0; i < rec.count(); ++i) {
        names.append(rec.fieldName(i));
        m_columns.insert(rec.fieldName(i).toUpper(), i);
    }
    while (q.next()) {
        QVariantList row;
        row.reserve(rec.count());
        for (int i = 0; i < rec.count(); ++i)
            row.append(storage::fromStored(table, names.at(i), q.value(i)));
        m_values.append(row);
    }
}

QVariant DetailRows::Row::columnValue(const QString &column) const
{
    const int col = m_rows->m_columns.value(column.toUpper(), -1);
    if (col < 0)
        throw InternalError(QStringLiteral("The detail rows have no column %1.").arg(column));
    return m_rows->m_values.at(m_index).at(col);
}

DeclarationView::DeclarationView(const storage::RowSource *deklaracia,
                                 const storage::RowSource *deklaracia2,
                                 const QSqlDatabase &db)
    : m_deklaracia(deklaracia)
    , m_deklaracia2(deklaracia2)
    , m_db(db)
{
}

QVariant DeclarationView::columnValue(const QString &column) const
{
    const storage::RowSource *row = nullptr;
    switch (holderOf(column)) {
    case Holder::None:
        throw InternalError(QStringLiteral("The declaration has no column %1.").arg(column));
    case Holder::First:
        row = m_deklaracia;
        break;
    case Holder::Second:
        row = m_deklaracia2;
        break;
    }
    if (!row || !row->isOpen())
        return {};
    return row->value(column);
}

QVariant DeclarationView::code() const
{
    return columnValue(QStringLiteral("DEKLARACIA_CODE"));
}

DetailRows
DeclarationView::byCode(const QString &table, const QString &sql, const QString &param) const
{
    return DetailRows(table, m_db, sql, {{param, code()}});
}

DetailRows DeclarationView::qryII_KID() const
{
    return byCode(QStringLiteral("II_KID"),
                  QStringLiteral("select * from II_KID where DEKLARACIA_CODE = :DECLARACIA_CODE"),
                  QStringLiteral("DECLARACIA_CODE"));
}

DetailRows DeclarationView::qryPochivki() const
{
    return byCode(
        QStringLiteral("IV_POCHIVKI"),
        QStringLiteral("select * from IV_POCHIVKI where DEKLARACIA_CODE = :DEKLARACIA_CODE"),
        QStringLiteral("DEKLARACIA_CODE"));
}

DetailRows DeclarationView::qryUpravliavashti() const
{
    return byCode(
        QStringLiteral("I_UPRAVLIAVASHTI"),
        QStringLiteral("select * from I_UPRAVLIAVASHTI where DEKLARACIA_CODE = :DEKLARACIA_CODE"),
        QStringLiteral("DEKLARACIA_CODE"));
}

DetailRows DeclarationView::qryHimAg() const
{
    return byCode(QStringLiteral("P2_4_CAS"),
                  QStringLiteral("select * from P2_4_CAS where DEKLARACIA_CODE = :DEKLARACIA_CODE"),
                  QStringLiteral("DEKLARACIA_CODE"));
}

DetailRows DeclarationView::qryMuta() const
{
    return byCode(
        QStringLiteral("P2_11_CAS"),
        QStringLiteral("select * from P2_11_CAS where DEKLARACIA_CODE = :DEKLARACIA_CODE"),
        QStringLiteral("DEKLARACIA_CODE"));
}

DetailRows DeclarationView::qryPodrazdelenia() const
{
    return byCode(QStringLiteral("II_PODRAZDELENIEA"),
                  QStringLiteral("select II_PODRAZDELENIE_CODE, NAIMENOVANIE, BROI_NAETI_LICA, "
                                 "ADRES, DEINOST_KID, KID_CODE, RAKOVODITEL from II_PODRAZDELENIEA "
                                 "where DEKLARACIA_CODE = :DEC_CODE"),
                  QStringLiteral("DEC_CODE"));
}

DetailRows DeclarationView::qryKid2(const QVariant &kid) const
{
    return DetailRows(QStringLiteral("II_KID"),
                      m_db,
                      QStringLiteral("select II_KID_CODE, KID_TEKST, KID_KOD, KID_CODE from II_KID "
                                     "where DEKLARACIA_CODE = :DEC_CODE and KID_CODE = :KID"),
                      {{QStringLiteral("DEC_CODE"), code()},
                       {QStringLiteral("KID"), kid.isNull() ? QVariant(0) : kid}});
}

} // namespace kesp::rules
