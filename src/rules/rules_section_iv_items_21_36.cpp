#include "ruletable.h"

namespace kesp::rules {

// Section IV, items 21 to 36: work places, hazards, protective equipment, manual
// handling of loads, display screens.
const std::vector<RuleRow> &rulesOfSectionIVItems21To36()
{
    using D = const DeclarationView &;
    static const std::vector<RuleRow> rows = {
        // Items 25 to 28, protective equipment: a "yes" needs its counts.
        {21, [](D d) { return implies(d.equals("IV_2_LPS", 1), d.filled("IV_2_LPS_BROI")); }},
        {23,
         [](D d) { return implies(d.equals("IV_2_LPS", 1), d.filled("IV_2_POVECHE_OT_1_LPS")); }},
    };
    return rows;
}

} // namespace kesp::rules
