#pragma once

#include <QSqlDatabase>
#include <QString>

namespace kesp::storage {

// Loads every data/<TABLE>.csv whose name is a table of the catalogue into that table,
// in one transaction. A blob column holds a path relative to the folder. Returns the
// number of rows loaded; throws on any bad row, leaving nothing loaded.
int loadDeliveredData(const QSqlDatabase &db, const QString &dataDir);

// Writes a new delivered file: the first release's structure, the delivered rows, then
// the program's own upgrade. Refuses an existing file.
void buildDeliveredDatabase(const QString &outPath, const QString &dataDir);

} // namespace kesp::storage
