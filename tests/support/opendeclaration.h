#pragma once

#include "rowsource.h"

#include <memory>

namespace kesp::test {

// Writes an empty declaration: its DEKLARACIA and DEKLARACIA2 rows.
void insertEmptyDeclaration(const QSqlDatabase &db, int code);

// One row of a stored declaration, open and in editing, as the editor holds it.
std::unique_ptr<storage::RowSource> openDeclarationRow(const QSqlDatabase &db,
                                                       const QString &table,
                                                       int code);

} // namespace kesp::test
