#pragma once

#include "columncatalogue.h"

#include <QSqlDatabase>
#include <QString>

namespace kesp::storage {

// SQL column definition for a column of the given type and length; text lengths are
// declared in the file and enforced there by a check.
QString columnDefinition(const QString &name, ColumnType type, int length);

// Translates the type words the upgrade uses ("yesno", "long integer", "text(255)", …).
// Returns false for a word it does not know.
bool parseTypeWord(const QString &word, ColumnType *type, int *length);

// The statements that create one table: as the current release has it, or as the
// first release had it (without the columns the upgrade adds, with the old lengths).
QStringList createTableStatements(const QString &table, bool firstRelease);

// Creates every table of the catalogue (the first release lacks INTERNAL_VALUES).
void createSchema(const QSqlDatabase &db, bool firstRelease);

// Changes the declared type of one column by rebuilding its table, inside the caller's
// transaction. Throws DatabaseError.
void alterColumnType(const QSqlDatabase &db,
                     const QString &table,
                     const QString &column,
                     const QString &typeWord);

// The text length the file declares for a column, or 0 when it declares none.
int declaredLength(const QSqlDatabase &db, const QString &table, const QString &column);

} // namespace kesp::storage
