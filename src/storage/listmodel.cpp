#include "listmodel.h"

#include "errors.h"

#include <QCollator>
#include <QDateTime>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>

namespace kesp::storage {

namespace {

const QCollator &bulgarianCollator()
{
    static const QCollator c = [] {
        QCollator col{QLocale(QLocale::Bulgarian, QLocale::Bulgaria)};
        col.setCaseSensitivity(Qt::CaseInsensitive);
        col.setNumericMode(false);
        return col;
    }();
    return c;
}

int compareValues(const QVariant &a, const QVariant &b)
{
    // Empty values come first, as a database orders nulls.
    if (a.isNull() || b.isNull())
        return int(!a.isNull()) - int(!b.isNull());
    switch (a.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
    case QMetaType::Bool: {
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case QMetaType::QDateTime: {
        const QDateTime x = a.toDateTime(), y = b.toDateTime();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    default:
        return ListModel::compareText(a.toString(), b.toString());
    }
}

} // namespace

int ListModel::compareText(const QString &a, const QString &b)
{
    return bulgarianCollator().compare(a, b);
}

ListModel::ListModel(const QSqlDatabase &db, QObject *parent)
    : QAbstractTableModel(parent)
    , m_db(db)
{}

void ListModel::setColumns(const QList<Column> &columns)
{
    beginResetModel();
    m_columns = columns;
    endResetModel();
}

void ListModel::open()
{
    QSqlQuery q = m_sql.exec(m_db);
    const QSqlRecord rec = q.record();
    QStringList fields;
    QHash<QString, int> index;
    for (int i = 0; i < rec.count(); ++i) {
        index.insert(rec.fieldName(i).toUpper(), i);
        fields << rec.fieldName(i);
    }
    QVector<QVector<QVariant>> rows;
    while (q.next()) {
        QVector<QVariant> row(rec.count());
        for (int i = 0; i < rec.count(); ++i)
            row[i] = q.value(i);
        rows.append(std::move(row));
    }
    beginResetModel();
    m_fields = fields;
    m_fieldIndex = index;
    m_rows = std::move(rows);
    m_open = true;
    rebuildView();
    endResetModel();
}

void ListModel::close()
{
    beginResetModel();
    m_rows.clear();
    m_view.clear();
    m_open = false;
    endResetModel();
}

void ListModel::setFilter(const QList<FilterCondition> &conditions)
{
    beginResetModel();
    m_filter = conditions;
    rebuildView();
    endResetModel();
}

void ListModel::sortByField(const QString &field, Qt::SortOrder order)
{
    beginResetModel();
    m_sortField = field;
    m_sortOrder = order;
    rebuildView();
    endResetModel();
}

void ListModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= m_columns.size())
        sortByField(QString(), Qt::AscendingOrder);
    else
        sortByField(m_columns.at(column).field, order);
}

bool ListModel::accepts(const QVector<QVariant> &row) const
{
    for (const FilterCondition &c : m_filter) {
        const int col = fieldIndex(c.column);
        if (col < 0)
            return false;
        const QVariant &v = row.at(col);
        if (v.isNull())
            return false;
        switch (c.op) {
        case FilterCondition::Op::Equals:
            if (v.typeId() == QMetaType::QString
                    ? v.toString().compare(c.value.toString(), Qt::CaseInsensitive) != 0
                    : compareValues(v, c.value) != 0)
                return false;
            break;
        case FilterCondition::Op::Contains:
            if (!v.toString().contains(c.value.toString(), Qt::CaseInsensitive))
                return false;
            break;
        case FilterCondition::Op::StartsWith:
            if (!v.toString().startsWith(c.value.toString(), Qt::CaseInsensitive))
                return false;
            break;
        }
    }
    return true;
}

void ListModel::rebuildView()
{
    m_view.clear();
    for (int i = 0; i < m_rows.size(); ++i)
        if (accepts(m_rows.at(i)))
            m_view.append(i);
    const int col = fieldIndex(m_sortField);
    if (col < 0)
        return;
    const bool desc = m_sortOrder == Qt::DescendingOrder;
    std::stable_sort(m_view.begin(), m_view.end(), [&](int a, int b) {
        const int c = compareValues(m_rows.at(a).at(col), m_rows.at(b).at(col));
        return desc ? c > 0 : c < 0;
    });
}

int ListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_view.size());
}

int ListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant ListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_view.size() || index.column() >= m_columns.size())
        return {};
    const Column &c = m_columns.at(index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(c.alignment);
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const QVariant v = value(index.row(), c.field);
    if (c.format)
        return c.format(v);
    return v.isNull() ? QString() : v.toString();
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < m_columns.size())
        return m_columns.at(section).title;
    // The row header is only the grid's indicator column: no row numbers.
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return QString();
    return QAbstractTableModel::headerData(section, orientation, role);
}

QVariant ListModel::value(int row, const QString &field) const
{
    const int col = fieldIndex(field);
    if (row < 0 || row >= m_view.size() || col < 0)
        return {};
    return m_rows.at(m_view.at(row)).at(col);
}

int ListModel::rowOfValue(const QString &field, const QVariant &value) const
{
    const int col = fieldIndex(field);
    if (col < 0)
        return -1;
    for (int i = 0; i < m_view.size(); ++i)
        if (compareValues(m_rows.at(m_view.at(i)).at(col), value) == 0)
            return i;
    return -1;
}

} // namespace kesp::storage
