#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

namespace kesp::storage {

// Opens an existing database file and never creates one. Throws DatabaseOpenError
// whose text names the file and the reason.
QSqlDatabase openDatabase(const QString &path, const QString &connectionName);
// Creates a new, empty file for the builder; refuses an existing one.
QSqlDatabase createDatabase(const QString &path, const QString &connectionName);
void closeDatabase(const QString &connectionName);

// Runs one statement with positional parameters; throws DatabaseError on failure.
QSqlQuery exec(const QSqlDatabase &db, const QString &sql, const QVariantList &params = {});
// Runs one statement; false on failure, with the reason in *error when given.
bool tryExec(const QSqlDatabase &db, const QString &sql, QString *error = nullptr);
// First column of the first row, or an invalid QVariant when there is no row.
QVariant scalar(const QSqlDatabase &db, const QString &sql, const QVariantList &params = {});

// A short write transaction that takes the write lock at once (BEGIN IMMEDIATE), so
// that keys read as max + 1 inside it cannot be taken by another process meanwhile.
// Rolled back unless committed.
class WriteTransaction
{
public:
    explicit WriteTransaction(const QSqlDatabase &db);
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction &) = delete;
    WriteTransaction &operator=(const WriteTransaction &) = delete;

    void commit();
    void rollback();
    // True when this object opened the transaction (a nested one joins the outer).
    bool owns() const { return m_owns; }

private:
    QSqlDatabase m_db;
    bool m_owns = false;
    bool m_done = false;
};

} // namespace kesp::storage
