#pragma once

#include "declarationview.h"

#include <array>
#include <vector>

namespace kesp::rules {

// True when the rule is satisfied by the declaration in view.
using Condition = bool (*)(const DeclarationView &);

// One correctness rule: its code, its condition and, only where the rule marks other
// fields than those it is linked to, the field codes it marks. Without them the rule
// marks the fields that the rule-field links of the database give it.
struct RuleRow
{
    int code;
    Condition satisfied;
    std::vector<int> marks = {};
};

// The field code of a column of DEKLARACIA or DEKLARACIA2, for the marks of a rule row;
// throws InternalError for a column without one.
int fieldOf(const char *column);

// The rule tables, one per group of the form.
const std::vector<RuleRow> &rulesOfSectionsIAndII();
const std::vector<RuleRow> &rulesOfSectionIVItems21To36();
const std::vector<RuleRow> &rulesOfSectionIVItems37To56();
const std::vector<RuleRow> &rulesOfAppendices();

// Every rule with a condition, by code.
class RuleSet
{
public:
    static constexpr int FirstRule = 1;
    static constexpr int LastRule = 334;

    static const RuleSet &instance();

    // The row of a rule that has a condition; nullptr for a retired code, a code without
    // condition, a code outside 1..334 and a code no table holds.
    const RuleRow *row(int code) const;

    // The codes switched off for good: always satisfied, never marking, never listed.
    static bool isRetired(int code);
    // The codes that are part of the catalogue but check nothing.
    static bool isWithoutCondition(int code);

private:
    RuleSet();
    std::array<const RuleRow *, LastRule + 1> m_rows{};
};

} // namespace kesp::rules
