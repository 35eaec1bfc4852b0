#include "ruletable.h"

#include "identifiers.h"

#include <QByteArray>

namespace kesp::rules {

namespace {

using D = const DeclarationView &;
using Row = DetailRows::Row;

// The groups of item 10; each has a total (O), men (M) and women (J).
constexpr char kNaeti[] = "II_NAETI_";
constexpr char kSrochno[] = "II_NAETI_SROCHNO_";
constexpr char kTnr[] = "II_NAETI_TNR_";
constexpr char kNad55[] = "II_NAETI_NAD55_";
constexpr char kPod25[] = "II_NAETI_POD25_";
constexpr char kEs[] = "II_NAETI_ES_";
constexpr char kDrDarj[] = "II_NAETI_DR_DARJ_";
constexpr char kEip[] = "II_NAETI_EIP_";
constexpr char kDrLice[] = "II_NAETI_DR_LICE_";

qint64 count(D d, const char *prefix, char column)
{
    const QByteArray name = QByteArray(prefix) + column;
    return d.num(name.constData());
}

// Women plus men equal the group's total; all three empty is 0 + 0 = 0.
template<const char *Prefix> bool womenAndMenMakeTheTotal(D d)
{
    return count(d, Prefix, 'J') + count(d, Prefix, 'M') == count(d, Prefix, 'O');
}

// A subgroup of item 10.1 never exceeds the whole in the same column.
template<const char *Prefix, char Column> bool notAboveTheWhole(D d)
{
    return count(d, Prefix, Column) <= count(d, kNaeti, Column);
}

// The identifier must be the kind of number the obliged person has: a company number for
// a legal entity, a foreigner's number for a foreigner, and for a natural person a personal
// number or, when registered as a trader, a company number.
bool identifierFitsThePerson(D d)
{
    const bool legalEntity = d.filled("I_NAIMENOVANIE_UL");
    const bool naturalPerson = d.filled("I_IMENA_FL");
    if (legalEntity == naturalPerson)
        return false;
    // Blanks around the number are dropped when the row is saved; they must not count here.
    const QString id = d.text("I_EIK").trimmed();
    if (legalEntity)
        return CheckEIK(id);
    if (d.ticked("IS_CHUJDENEC"))
        return CheckLNCh(id);
    return CheckEGN(id) == EgnValid || CheckEIK(id);
}

// Someone manages and someone represents; one person may do both.
bool managerAndRepresentative(D d)
{
    const DetailRows rows = d.qryUpravliavashti();
    const bool manages = rows.any(
        [](const Row &r) { return r.equals("TIP_DLAJNOST", 1) || r.equals("TIP_DLAJNOST", 3); });
    const bool represents = rows.any(
        [](const Row &r) { return r.equals("TIP_DLAJNOST", 2) || r.equals("TIP_DLAJNOST", 3); });
    return manages && represents;
}

// Every subdivision's activity is one of the enterprise's activities. Each row is looked
// up, also after a miss, so that a failing lookup is never hidden by an earlier one.
bool subdivisionActivitiesAreListed(D d)
{
    const DetailRows subdivisions = d.qryPodrazdelenia();
    bool listed = true;
    for (int i = 0; i < subdivisions.size(); ++i)
        if (d.qryKid2(subdivisions.at(i).value("KID_CODE")).isEmpty())
            listed = false;
    return listed;
}

} // namespace

// The header year, the obliged person (Section I) and the enterprise (Section II).
const std::vector<RuleRow> &rulesOfSectionsIAndII()
{
    static const std::vector<RuleRow> rows = {
        // The year.
        {116, [](D d) { return d.filled("GODINA"); }},
        {117,
         [](D d) {
             const qint64 year = d.num("GODINA");
             return year >= 2009 && year <= 2020;
         }},

        // Section I, item 1: the obliged person.
        {1, [](D d) { return d.filled("I_NAIMENOVANIE_UL") != d.filled("I_IMENA_FL"); }},
        {99,
         [](D d) {
             return d.anyTicked({"I_SAMOSTO_NAEMAT_RAB", "I_ZAEMANI_RABOTNICI"});
         }},
        {115, identifierFitsThePerson},

        // Item 2: seat and address of management.
        {3, [](D d) { return d.filled("I_EIK"); }},
        {4, [](D d) { return d.filled("I_OBLAST_CODE"); }},
        {5, [](D d) { return d.filled("I_OBSHTINA_CODE"); }},
        {6, [](D d) { return d.filled("I_GRAD_CODE"); }},
        {11, [](D d) { return d.filled("I_POSHTENSKI_KOD"); }},
        {144,
         [](D d) {
             return d.anyFilled({"I_JILISHTEN_KOMPLEKS", "I_ULICA"});
         }},
        {146,
         [](D d) {
             return d.anyFilled({"I_ULICA_NOMER", "I_BLOK_NO"});
         }},

        // Item 3: managers and representatives.
        {118, managerAndRepresentative},
        {197,
         [](D d) {
             return d.qryUpravliavashti().any(
                 [](const Row &r) { return r.ticked("IS_PODAVASHT"); });
         }},

        // Item 4: contact person.
        {100, [](D d) { return d.filled("I_LK_IMENA"); }},
        {101, [](D d) { return d.filled("I_LK_DLAJNOST"); }},
        {102, [](D d) { return d.filled("I_LK_TEL_FAKS"); }},

        // Section II, item 5: the enterprise.
        {9, [](D d) { return d.filled("II_NAIMENOVANIE"); }},
        {7, [](D d) { return d.filled("II_OBLAST_CODE"); }},
        {8, [](D d) { return d.filled("II_OBSHTINA_CODE"); }},
        {10, [](D d) { return d.filled("II_GRAD_CODE"); }},
        {12, [](D d) { return d.filled("II_POSHTENSKI_KOD"); }},
        {145,
         [](D d) {
             return d.anyFilled({"II_JILISHTEN_KOMPLEKS", "II_ULICA"});
         }},

        // Item 6: head of the enterprise.
        {16, [](D d) { return d.filled("II_RAKOVODITEL_IMENA"); }},
        {14, [](D d) { return d.filled("II_RAKOVODITEL_DLAJNOST"); }},
        {15, [](D d) { return d.filled("II_RAKOVODITEL_TELEFON"); }},

        // Items 7 and 8: activities and subdivisions.
        {13, [](D d) { return !d.qryII_KID().isEmpty(); }},
        {334, subdivisionActivitiesAreListed},

        // Item 9: size.
        {17, [](D d) { return d.filled("II_PERSONAL_BROI"); }},

        // Item 10: hired persons.
        {18, [](D d) { return d.filled("II_NAETI_LICA"); }},
        {69,
         [](D d) {
             return d.sum({"II_NAETI_O", "II_NAETI_DR_LICE_O"}) == d.num("II_NAETI_LICA");
         }},
        {60, womenAndMenMakeTheTotal<kNaeti>},
        {61, womenAndMenMakeTheTotal<kSrochno>},
        {62, womenAndMenMakeTheTotal<kTnr>},
        {63, womenAndMenMakeTheTotal<kNad55>},
        {64, womenAndMenMakeTheTotal<kPod25>},
        {65, womenAndMenMakeTheTotal<kEs>},
        {66, womenAndMenMakeTheTotal<kDrDarj>},
        {67, womenAndMenMakeTheTotal<kEip>},
        {68, womenAndMenMakeTheTotal<kDrLice>},

        // Subgroups of item 10.1: total, women, men.
        {225, notAboveTheWhole<kSrochno, 'O'>},
        {226, notAboveTheWhole<kTnr, 'O'>},
        {227, notAboveTheWhole<kNad55, 'O'>},
        {228, notAboveTheWhole<kPod25, 'O'>},
        {229, notAboveTheWhole<kEs, 'O'>},
        {230, notAboveTheWhole<kEip, 'O'>},
        {231, notAboveTheWhole<kDrDarj, 'O'>},
        {307, notAboveTheWhole<kSrochno, 'J'>},
        {308, notAboveTheWhole<kTnr, 'J'>},
        {309, notAboveTheWhole<kNad55, 'J'>},
        {310, notAboveTheWhole<kPod25, 'J'>},
        {311, notAboveTheWhole<kEs, 'J'>},
        {312, notAboveTheWhole<kEip, 'J'>},
        {313, notAboveTheWhole<kDrDarj, 'J'>},
        {314, notAboveTheWhole<kSrochno, 'M'>},
        {315, notAboveTheWhole<kTnr, 'M'>},
        {316, notAboveTheWhole<kNad55, 'M'>},
        {317, notAboveTheWhole<kPod25, 'M'>},
        {318, notAboveTheWhole<kEs, 'M'>},
        {319, notAboveTheWhole<kEip, 'M'>},
        {320, notAboveTheWhole<kDrDarj, 'M'>},

        // Item 11: places for re-employed persons.
        {57, [](D d) { return d.num("II_MESTA_ZA_TRUDUOST") >= d.num("II_ZAETI_TRUDOUST"); }},
        {58, [](D d) { return d.num("II_MESTA_ZA_TRUDUOST") >= d.num("II_MESTA_S_TU"); }},
        {70, [](D d) { return d.num("II_MESTA_ZA_TRUDUOST") >= d.num("II_TRUDOUST_BREMENNI"); }},
    };
    return rows;
}

} // namespace kesp::rules
