#include "ruletable.h"

namespace kesp::rules {

// Appendices 1 to 5.
const std::vector<RuleRow> &rulesOfAppendices()
{
    using D = const DeclarationView &;
    static const std::vector<RuleRow> rows = {
        // Appendix 5, item 5. Linked to the appendix switch as well, but marks only the count.
        {255,
         [](D d) {
             return implies(d.ticked("P5_PRIL_E_POPULNENO"), d.atLeast("P5_ZDRAVNO_NABL", 0));
         },
         {fieldOf("P5_ZDRAVNO_NABL")}},
    };
    return rows;
}

} // namespace kesp::rules
