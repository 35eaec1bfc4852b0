#pragma once

#include "valueterms.h"

#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QStringList>
#include <QVariant>

#include <memory>

namespace kesp::storage {
class RowSource;
}

namespace kesp::rules {

// The rows one detail query returned, typed by the column catalogue. Read once per
// evaluation; nothing is kept between evaluations.
class DetailRows
{
public:
    class Row : public ValueTerms
    {
    public:
        Row(const DetailRows *rows, int index)
            : m_rows(rows)
            , m_index(index)
        {
        }
        QVariant columnValue(const QString &column) const override;

    private:
        const DetailRows *m_rows;
        int m_index;
    };

    DetailRows() = default;
    DetailRows(const QString &table,
               const QSqlDatabase &db,
               const QString &sql,
               const QList<QPair<QString, QVariant>> &params);

    int size() const { return int(m_values.size()); }
    bool isEmpty() const { return m_values.isEmpty(); }
    Row at(int index) const { return Row(this, index); }

    template<typename Pred> bool any(Pred pred) const
    {
        for (int i = 0; i < size(); ++i)
            if (pred(at(i)))
                return true;
        return false;
    }
    template<typename Pred> bool all(Pred pred) const
    {
        for (int i = 0; i < size(); ++i)
            if (!pred(at(i)))
                return false;
        return true;
    }

private:
    QHash<QString, int> m_columns; // upper-case name → position
    QList<QVariantList> m_values;
};

// What a rule sees of the declaration: the two open rows as the editor holds them
// (unsaved edits included) and the detail lists, read afresh from the database by
// the document code each time a rule asks for them.
class DeclarationView : public ValueTerms
{
public:
    DeclarationView(const storage::RowSource *deklaracia,
                    const storage::RowSource *deklaracia2,
                    const QSqlDatabase &db);

    // A column of DEKLARACIA or DEKLARACIA2; null while its row is not open. A name
    // that neither table has is a fault in a rule and throws InternalError.
    QVariant columnValue(const QString &column) const override;

    // DEKLARACIA_CODE of the loaded first row.
    QVariant code() const;

    // The engine's detail queries, each run for the loaded document's code. Throw
    // DatabaseError when the database fails.
    DetailRows qryII_KID() const;
    DetailRows qryPochivki() const;
    DetailRows qryUpravliavashti() const;
    DetailRows qryHimAg() const;
    DetailRows qryMuta() const;
    DetailRows qryPodrazdelenia() const;
    // The activities of the document with that register code (empty code taken as 0).
    DetailRows qryKid2(const QVariant &kid) const;

private:
    DetailRows byCode(const QString &table, const QString &sql, const QString &param) const;

    const storage::RowSource *m_deklaracia;
    const storage::RowSource *m_deklaracia2;
    QSqlDatabase m_db;
};

} // namespace kesp::rules
