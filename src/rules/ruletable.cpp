#include "ruletable.h"

#include "columncatalogue.h"
#include "fieldmarks.h"

#include <algorithm>

namespace kesp::rules {

int fieldOf(const char *column)
{
    const QString name = QString::fromLatin1(column);
    for (const char *table : {"DEKLARACIA", "DEKLARACIA2"}) {
        const storage::ColumnDef *c =
            storage::ColumnCatalogue::find(QString::fromLatin1(table), name);
        if (c && c->fieldCode > 0)
            return c->fieldCode;
    }
    throw InternalError(QStringLiteral("The column %1 has no field code.").arg(name));
}

bool RuleSet::isRetired(int code)
{
    static constexpr std::pair<int, int> ranges[] = {
        {71, 77},
        {80, 84},
        {87, 88},
        {91, 98},
        {103, 103},
        {143, 143},
        {151, 172},
        {184, 194},
        {196, 196},
        {198, 198},
        {200, 202},
        {205, 205},
        {238, 239},
        {254, 254},
        {303, 303},
        {321, 329},
        {331, 332},
    };
    return std::any_of(std::begin(ranges), std::end(ranges), [code](const auto &r) {
        return code >= r.first && code <= r.second;
    });
}

bool RuleSet::isWithoutCondition(int code)
{
    static constexpr int codes[] = {2, 22, 56, 59, 97, 206, 215, 300};
    return std::find(std::begin(codes), std::end(codes), code) != std::end(codes);
}

RuleSet::RuleSet()
{
    for (const auto *table : {&rulesOfSectionsIAndII(),
                              &rulesOfSectionIVItems21To36(),
                              &rulesOfSectionIVItems37To56(),
                              &rulesOfAppendices()}) {
        for (const RuleRow &r : *table) {
            // A row that could never run, or a code written twice, is a slip in a table.
            if (r.code < FirstRule || r.code > LastRule || !r.satisfied || isRetired(r.code) ||
                isWithoutCondition(r.code) || m_rows[r.code])
                throw InternalError(QStringLiteral("Rule %1 cannot be in the tables.").arg(r.code));
            m_rows[r.code] = &r;
        }
    }
}

const RuleSet &RuleSet::instance()
{
    static const RuleSet set;
    return set;
}

const RuleRow *RuleSet::row(int code) const
{
    if (code < FirstRule || code > LastRule)
        return nullptr;
    return m_rows[code];
}

} // namespace kesp::rules
