#pragma once

#include "namedsql.h"

#include <QAbstractTableModel>
#include <QSqlDatabase>
#include <QVector>

namespace kesp::storage {

// One condition of a list filter. Text comparisons ignore letter case (Cyrillic too);
// typed text is matched as it is: "%" and "_" have no special meaning.
struct FilterCondition
{
    enum class Op { Equals, Contains, StartsWith };
    QString column;
    Op op = Op::Equals;
    QVariant value;
};

// A read-only list for a grid: the rows of a query with named parameters, held in
// memory, with a filter over the rows read (all conditions together) and a sort by one
// column. Columns show the fields given by setColumns, with their titles.
class ListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    struct Column
    {
        QString field;
        QString title;
        Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
        // Turns a value into its displayed text; empty means the value as text.
        std::function<QString(const QVariant &)> format;
    };

    explicit ListModel(const QSqlDatabase &db, QObject *parent = nullptr);

    void setDatabase(const QSqlDatabase &db) { m_db = db; }
    void setSql(const QString &sql) { m_sql.setSql(sql); }
    void setParam(const QString &name, const QVariant &value) { m_sql.setParam(name, value); }
    void setColumns(const QList<Column> &columns);
    const QList<Column> &columns() const { return m_columns; }

    void open();  // reads every row; throws DatabaseError
    void close();
    bool isOpen() const { return m_open; }
    // Closes and opens again (RefreshQuery).
    void refresh() { open(); }

    void setFilter(const QList<FilterCondition> &conditions);
    void clearFilter() { setFilter({}); }
    const QList<FilterCondition> &filter() const { return m_filter; }

    // Sorts the shown rows by one field; an empty field returns to the query's order.
    void sortByField(const QString &field, Qt::SortOrder order);
    QString sortField() const { return m_sortField; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }

    // Shown rows.
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

    // Field access on shown rows; -1 when the key is not among them.
    QVariant value(int row, const QString &field) const;
    int rowOfValue(const QString &field, const QVariant &value) const;
    QStringList fieldNames() const { return m_fields; }
    bool isEmpty() const { return rowCount() == 0; }

    // Case-insensitive comparison of two texts in Bulgarian order.
    static int compareText(const QString &a, const QString &b);

private:
    void rebuildView();
    bool accepts(const QVector<QVariant> &row) const;
    int fieldIndex(const QString &field) const { return m_fieldIndex.value(field.toUpper(), -1); }

    QSqlDatabase m_db;
    NamedSql m_sql;
    bool m_open = false;
    QStringList m_fields;
    QHash<QString, int> m_fieldIndex;
    QVector<QVector<QVariant>> m_rows; // in the query's order
    QVector<int> m_view;               // indices of the shown rows
    QList<Column> m_columns;
    QList<FilterCondition> m_filter;
    QString m_sortField;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

} // namespace kesp::storage
