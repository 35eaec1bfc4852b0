#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariantMap>

namespace kesp::storage {

// Converts a value read from the file into the column's own kind (int, bool, double,
// QDateTime, QString, QByteArray); null stays null.
QVariant fromStored(const QString &table, const QString &column, const QVariant &stored);
// Converts a value for storing (bool → 0/1, dates → "yyyy-MM-dd HH:mm:ss").
QVariant toStored(const QString &table, const QString &column, const QVariant &value);

// Refuses a text that is longer than the length the file declares for its column.
// Throws ValueError with a message for the user.
void checkLengths(const QSqlDatabase &db, const QString &table, const QVariantMap &values);

// One more than the largest key of the table (1 when empty). Call it inside a
// WriteTransaction so that no other process takes the same key.
int nextKey(const QSqlDatabase &db, const QString &table);

// Inserts one row; a missing key is assigned as nextKey. Returns the key.
// Lengths are checked first; nothing is stored on any failure.
int insertRow(const QSqlDatabase &db, const QString &table, QVariantMap values);
// Updates the given columns of the row with that key.
void updateRow(const QSqlDatabase &db, const QString &table, const QVariant &key, const QVariantMap &values);
// The current record of a query over one table, typed by the catalogue.
QVariantMap currentRecord(const QString &table, const QSqlQuery &query);
// Reads one row by key, typed by the catalogue; empty when there is none.
QVariantMap readRow(const QSqlDatabase &db, const QString &table, const QVariant &key);

// Deletes a document: its DEKLARACIA row, its DEKLARACIA2 row and all its list rows,
// in one transaction.
void deleteDocument(const QSqlDatabase &db, int code);

} // namespace kesp::storage
