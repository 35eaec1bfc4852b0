#pragma once

#include <QString>
#include <QVariant>

namespace kesp::storage {

class RowSource;
class ListModel;

// Removes trailing blanks from every limited-length text of the current row; a text of
// blanks only becomes empty. Leading blanks stay. Memo columns are left alone.
void TrimStringFields(RowSource &rows);

// Trims, then fails (ValueError) at the first required column, in field order, that is
// empty: "Полето '<label>' трябва да има стойност!".
void CheckRequiredFields(RowSource &rows);

// Closes and opens again; an opening error still passes on.
void RefreshQuery(RowSource &rows);
void RefreshQuery(ListModel &list);

bool IsDataSetEmpty(const RowSource &rows);
bool IsDataSetEmpty(const ListModel &list);

// Sets every occurrence of the named parameter.
void SetParamValue(RowSource &rows, const QString &name, const QVariant &value);
void SetParamValue(ListModel &list, const QString &name, const QVariant &value);

// Shows the fields of the current row, forty to a box, through the Dialogs interface.
void ShowFieldValues(const RowSource &rows, const QString &title);

} // namespace kesp::storage
