#include "ruletable.h"

namespace kesp::rules {

// The header year, the obliged person (Section I) and the enterprise (Section II).
const std::vector<RuleRow> &rulesOfSectionsIAndII()
{
    static const std::vector<RuleRow> rows = {};
    return rows;
}

} // namespace kesp::rules
