#pragma once

#include "namedsql.h"

#include <QObject>
#include <QSet>
#include <QSqlDatabase>
#include <QVariant>
#include <QVector>

namespace kesp::storage {

// The rows of one query over one table, with one current row that can be edited and
// written back. Columns of the table are writable; computed columns of the query
// (joins, aliases) are read only.
class RowSource : public QObject
{
    Q_OBJECT
public:
    enum class State { Closed, Browse, Edit, Insert };
    Q_ENUM(State)

    RowSource(const QSqlDatabase &db, const QString &table, QObject *parent = nullptr);

    QString table() const { return m_table; }
    QString keyColumn() const { return m_key; }
    void setDatabase(const QSqlDatabase &db) { m_db = db; }
    QSqlDatabase database() const { return m_db; }

    // The statement and its parameters (SetParamValue sets every occurrence of a name).
    void setSql(const QString &sql) { m_sql.setSql(sql); }
    QString sql() const { return m_sql.sql(); }
    void setParam(const QString &name, const QVariant &value) { m_sql.setParam(name, value); }

    void open();  // throws DatabaseError
    void close(); // drops pending changes
    bool isOpen() const { return m_state != State::Closed; }
    State state() const { return m_state; }

    int rowCount() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.isEmpty() && m_state != State::Insert; }
    int currentIndex() const { return m_current; }
    void first();
    void next();
    bool eof() const { return m_rows.isEmpty() || m_current >= m_rows.size(); }
    void setCurrentIndex(int row);
    // Makes the row with that key value current; false when there is none.
    bool locate(const QString &column, const QVariant &value);

    QStringList fieldNames() const { return m_fields; }
    bool hasField(const QString &column) const { return m_fieldIndex.contains(column.toUpper()); }
    QVariant value(const QString &column) const;
    bool isNull(const QString &column) const { return value(column).isNull(); }
    bool isWritable(const QString &column) const;

    void append();
    void edit();
    // Stores a value into the current row (starting an edit when browsing). Announces the
    // change before and after storing it; throws ValueError for an unknown or read-only column.
    void setValue(const QString &column, const QVariant &value);
    // Writes the changed columns in one transaction, after the length checks. On failure
    // throws and the row stays in edit with its values.
    void post();
    void cancel();
    bool isModified() const { return !m_changed.isEmpty(); }
    QStringList changedColumns() const;

    // Deletes the current row from the table.
    void remove();

    // Required columns and the labels the required-field check names them by.
    void setRequired(const QString &column, const QString &label);
    QList<QPair<QString, QString>> requiredColumns() const { return m_required; }
    // The label shown for a column (its required label, else the column's name).
    QString displayLabel(const QString &column) const;

signals:
    void valueAboutToChange(const QString &column, const QVariant &oldValue, const QVariant &newValue);
    void valueChanged(const QString &column, const QVariant &oldValue, const QVariant &newValue);
    void stateChanged(kesp::storage::RowSource::State state);
    void currentChanged(int row);
    void opened();
    void aboutToPost();
    void posted();

private:
    void setState(State s);
    int fieldIndex(const QString &column) const { return m_fieldIndex.value(column.toUpper(), -1); }
    void addField(const QString &name);

    QSqlDatabase m_db;
    QString m_table;
    QString m_key;
    NamedSql m_sql;
    State m_state = State::Closed;
    QStringList m_fields;
    QHash<QString, int> m_fieldIndex;
    QSet<QString> m_tableColumns; // upper-case names the file's table has
    QVector<QVector<QVariant>> m_rows;
    QVector<QVariant> m_buffer;
    QSet<int> m_changed;
    int m_current = 0;
    QList<QPair<QString, QString>> m_required;
};

} // namespace kesp::storage
