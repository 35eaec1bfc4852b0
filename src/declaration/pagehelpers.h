#pragma once

#include "detaillist.h"
#include "rowsource.h"

#include <QHeaderView>
#include <QString>
#include <QTableView>
#include <QVariant>

// Small helpers the pages of the declaration editor share.
namespace kesp::declaration::pages {

inline bool editing(const storage::RowSource *rows)
{
    return rows && (rows->state() == storage::RowSource::State::Edit ||
                    rows->state() == storage::RowSource::State::Insert);
}

// Null, or a text with no characters.
inline bool isEmptyValue(const QVariant &v)
{
    return v.isNull() || !v.isValid() ||
           (v.typeId() == QMetaType::QString && v.toString().isEmpty());
}

inline bool sameValue(const QVariant &a, const QVariant &b)
{
    const bool an = isEmptyValue(a);
    const bool bn = isEmptyValue(b);
    if (an || bn)
        return an == bn;
    return a == b;
}

// A count as the rules read it: empty is 0.
inline qint64 countOf(const storage::RowSource *rows, const QString &column)
{
    const QVariant v = rows->value(column);
    return v.isNull() ? 0 : v.toLongLong();
}

// A list's grid: its name column takes the width the other columns leave, and Tab moves
// on to the next control instead of from cell to cell.
inline void tidyGrid(QTableView *grid, int column)
{
    grid->setTabKeyNavigation(false);
    QHeaderView *header = grid->horizontalHeader();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(column, QHeaderView::Stretch);
}

// A list's row dialog reached through its process-wide accessor at the moment of the
// call, so that the order in which the windows are created does not matter.
template<auto Accessor> RowDialogCalls rowDialogOf()
{
    return RowDialogCalls{[](int code) {
                              auto *d = Accessor();
                              return d ? int(d->AddItem(code)) : -1;
                          },
                          [](int key) {
                              auto *d = Accessor();
                              return d ? bool(d->EditItem(key)) : false;
                          },
                          [](int key) {
                              auto *d = Accessor();
                              return d ? bool(d->DeleteItem(key)) : false;
                          }};
}

} // namespace kesp::declaration::pages
