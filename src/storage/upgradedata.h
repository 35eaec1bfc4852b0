#pragma once

#include <QList>
#include <QPair>
#include <QString>

namespace kesp::storage {

enum class TUpdateAction { Add = 0, Update = 1, Del = 2 };

// One change to the rule table.
struct TPraviloDB
{
    int ID;
    QString InfoText;
    bool Active;
    TUpdateAction Action;
};

// The data the structure upgrade writes.
const QList<TPraviloDB> &ruleTextsOfStep122();
const QList<QPair<int, int>> &ruleFieldLinksOfStep124(); // (rule, field) in insertion order
const QList<QPair<int, QString>> &infoRowsOfStep134();   // (info-button code, title)

} // namespace kesp::storage
