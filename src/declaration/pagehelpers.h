#pragma once

#include "detaillist.h"
#include "pagebuilder.h"
#include "rowsource.h"

#include <QHeaderView>
#include <QString>
#include <QTableView>
#include <QVariant>

// Small helpers the pages of the declaration editor share.
namespace kesp::declaration::pages {

// One box of an address line: the control's name, its column, caption and width; a
// whole number (the postal code) when `integer` is set.
struct AddressBox
{
    const char *name;
    const char *column;
    const char *caption;
    int width;
    bool integer = false;
};

// The lines of an address below its place look-ups: each inner list is one line.
inline void addressLines(PageBuilder &b,
                         std::initializer_list<std::initializer_list<AddressBox>> lines)
{
    for (const auto &line : lines) {
        b.beginRow();
        for (const AddressBox &box : line) {
            const QString name = QLatin1String(box.name);
            const QString column = QLatin1String(box.column);
            const QString caption = QString::fromUtf8(box.caption);
            if (box.integer)
                b.integer(name, column, caption, box.width);
            else
                b.edit(name, column, caption, box.width);
        }
        b.endRow();
    }
}

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
