#pragma once

#include <QSqlDatabase>
#include <QString>

namespace kesp::storage {

class RowSource;

// Carries the data of the same person's earliest earlier document into a new
// declaration that has just been written (both rows exist). Asks first; writes the new
// rows and lists in one transaction. Returns true when data were carried over; otherwise
// the new declaration only gets the identifier.
bool ImportDeklaracia(const QSqlDatabase &db, int newCode, const QString &eik);

// Fills a notification being edited from the earliest earlier document of the person.
// Writes into the row source only; saving is the editor's.
void ImportUvedomlenie(const QSqlDatabase &db, RowSource &notification, const QString &eik);

} // namespace kesp::storage
