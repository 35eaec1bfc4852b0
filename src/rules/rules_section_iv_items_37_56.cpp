#include "ruletable.h"

namespace kesp::rules {

// Section IV, items 37 to 56.
const std::vector<RuleRow> &rulesOfSectionIVItems37To56()
{
    static const std::vector<RuleRow> rows = {};
    return rows;
}

} // namespace kesp::rules
