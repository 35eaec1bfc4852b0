#include "rowsource.h"

#include "columncatalogue.h"
#include "database.h"
#include "errors.h"
#include "tablewriter.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace kesp::storage {

RowSource::RowSource(const QSqlDatabase &db, const QString &table, QObject *parent)
    : QObject(parent)
    , m_db(db)
    , m_table(table)
    , m_key(ColumnCatalogue::keyColumn(table))
{}

void RowSource::setState(State s)
{
    if (m_state == s)
        return;
    m_state = s;
    emit stateChanged(s);
}

void RowSource::addField(const QString &name)
{
    m_fieldIndex.insert(name.toUpper(), int(m_fields.size()));
    m_fields << name;
}

void RowSource::open()
{
    close();
    m_tableColumns.clear();
    {
        QSqlQuery info = exec(m_db, QStringLiteral("PRAGMA table_info(%1)").arg(m_table));
        while (info.next())
            m_tableColumns.insert(info.value(1).toString().toUpper());
    }
    QSqlQuery q = m_sql.exec(m_db);
    const QSqlRecord rec = q.record();
    m_fields.clear();
    m_fieldIndex.clear();
    for (int i = 0; i < rec.count(); ++i)
        addField(rec.fieldName(i));
    while (q.next()) {
        QVector<QVariant> row(m_fields.size());
        for (int i = 0; i < rec.count(); ++i)
            row[i] = fromStored(m_table, rec.fieldName(i), q.value(i));
        m_rows.append(row);
    }
    m_current = 0;
    setState(State::Browse);
    emit opened();
    emit currentChanged(m_current);
}

void RowSource::close()
{
    m_rows.clear();
    m_buffer.clear();
    m_changed.clear();
    m_current = 0;
    setState(State::Closed);
}

void RowSource::first()
{
    setCurrentIndex(0);
}

void RowSource::next()
{
    if (m_state == State::Edit || m_state == State::Insert)
        post();
    if (m_current < m_rows.size()) {
        ++m_current;
        emit currentChanged(m_current);
    }
}

void RowSource::setCurrentIndex(int row)
{
    if (m_state == State::Edit || m_state == State::Insert)
        post();
    m_current = qBound(0, row, int(m_rows.size()));
    emit currentChanged(m_current);
}

bool RowSource::locate(const QString &column, const QVariant &value)
{
    const int col = fieldIndex(column);
    if (col < 0)
        return false;
    for (int i = 0; i < m_rows.size(); ++i) {
        if (m_rows.at(i).at(col) == value) {
            setCurrentIndex(i);
            return true;
        }
    }
    return false;
}

QVariant RowSource::value(const QString &column) const
{
    const int col = fieldIndex(column);
    if (col < 0)
        return {};
    if (m_state == State::Edit || m_state == State::Insert)
        return m_buffer.value(col);
    if (m_current >= m_rows.size())
        return {};
    return m_rows.at(m_current).at(col);
}

bool RowSource::isWritable(const QString &column) const
{
    return m_tableColumns.contains(column.toUpper()) && ColumnCatalogue::find(m_table, column);
}

void RowSource::append()
{
    if (m_state == State::Closed)
        throw DatabaseError(QStringLiteral("Заявката не е отворена."));
    if (m_state == State::Edit || m_state == State::Insert)
        post();
    m_buffer = QVector<QVariant>(m_fields.size());
    m_changed.clear();
    setState(State::Insert);
}

void RowSource::edit()
{
    if (m_state == State::Edit || m_state == State::Insert)
        return;
    if (m_state == State::Closed || eof())
        throw DatabaseError(QStringLiteral("Няма текущ запис за редактиране."));
    m_buffer = m_rows.at(m_current);
    m_changed.clear();
    setState(State::Edit);
}

void RowSource::setValue(const QString &column, const QVariant &value)
{
    const int col = fieldIndex(column);
    if (col < 0 || !isWritable(column))
        throw ValueError(QStringLiteral("Полето %1 не може да бъде променяно.").arg(column));
    if (m_state == State::Browse)
        edit();
    if (m_state != State::Edit && m_state != State::Insert)
        throw DatabaseError(QStringLiteral("Заявката не е отворена."));
    // Normalise to the column's kind so that readers see one type whatever was typed.
    const QVariant stored = value.isValid() && !value.isNull()
                                ? fromStored(m_table, column, toStored(m_table, column, value))
                                : QVariant();
    const QVariant old = m_buffer.at(col);
    emit valueAboutToChange(column, old, stored);
    m_buffer[col] = stored;
    m_changed.insert(col);
    emit valueChanged(column, old, stored);
}

QStringList RowSource::changedColumns() const
{
    QStringList out;
    for (int col : m_changed)
        out << m_fields.at(col);
    out.sort();
    return out;
}

void RowSource::post()
{
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    emit aboutToPost();
    QVariantMap values;
    for (int col : std::as_const(m_changed))
        values.insert(m_fields.at(col), m_buffer.at(col));

    WriteTransaction tx(m_db);
    const int keyCol = fieldIndex(m_key);
    if (m_state == State::Insert) {
        if (keyCol >= 0 && !m_buffer.at(keyCol).isNull())
            values.insert(m_key, m_buffer.at(keyCol));
        const int key = insertRow(m_db, m_table, values);
        if (keyCol >= 0)
            m_buffer[keyCol] = key;
    } else if (!values.isEmpty()) {
        updateRow(m_db, m_table, m_rows.at(m_current).at(keyCol), values);
    }
    tx.commit();

    if (m_state == State::Insert) {
        m_current = qBound(0, m_current, int(m_rows.size()));
        m_rows.insert(m_current, m_buffer);
    } else {
        m_rows[m_current] = m_buffer;
    }
    m_changed.clear();
    m_buffer.clear();
    setState(State::Browse);
    emit posted();
}

void RowSource::cancel()
{
    if (m_state != State::Edit && m_state != State::Insert)
        return;
    m_changed.clear();
    m_buffer.clear();
    setState(State::Browse);
    emit currentChanged(m_current);
}

void RowSource::remove()
{
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (m_state == State::Edit)
        cancel();
    if (eof())
        return;
    const QVariant key = m_rows.at(m_current).at(fieldIndex(m_key));
    WriteTransaction tx(m_db);
    exec(m_db, QStringLiteral("delete from %1 where %2 = ?").arg(m_table, m_key), {key});
    tx.commit();
    m_rows.removeAt(m_current);
    m_current = qBound(0, m_current, qMax(0, int(m_rows.size()) - 1));
    emit currentChanged(m_current);
}

void RowSource::setRequired(const QString &column, const QString &label)
{
    for (auto &r : m_required)
        if (r.first == column) {
            r.second = label;
            return;
        }
    m_required.append({column, label});
}

QString RowSource::displayLabel(const QString &column) const
{
    for (const auto &r : m_required)
        if (r.first.compare(column, Qt::CaseInsensitive) == 0)
            return r.second;
    return column;
}

} // namespace kesp::storage
