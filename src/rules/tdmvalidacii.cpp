#include "tdmvalidacii.h"

#include "database.h"
#include "declarationview.h"
#include "rowsource.h"
#include "ruletable.h"
#include "tdmmain.h"
#include "textlist.h"

#include <QSqlQuery>

namespace kesp::rules {

namespace {
TdmValidacii *g_dmValidacii = nullptr;

bool validRule(int code)
{
    return code >= 1 && code <= TdmValidacii::RuleCount;
}

bool validField(int code)
{
    return code >= 1 && code <= TdmValidacii::FieldCount;
}
} // namespace

TdmValidacii *dmValidacii()
{
    return g_dmValidacii;
}

TdmValidacii::TdmValidacii(QObject *parent)
    : QObject(parent)
    , m_useMainDatabase(true)
    , m_marks(new FieldMarks(this))
{
    setObjectName(QStringLiteral("dmValidacii"));
    g_dmValidacii = this;
}

TdmValidacii::TdmValidacii(const QSqlDatabase &db, QObject *parent)
    : QObject(parent)
    , m_db(db)
    , m_marks(new FieldMarks(this))
{
    setObjectName(QStringLiteral("dmValidacii"));
    g_dmValidacii = this;
}

TdmValidacii::~TdmValidacii()
{
    if (g_dmValidacii == this)
        g_dmValidacii = nullptr;
}

QSqlDatabase TdmValidacii::database() const
{
    if (m_useMainDatabase && storage::dmMain())
        return storage::dmMain()->database();
    return m_db;
}

void TdmValidacii::UpdatePravila()
{
    m_pravila.fill(TPravilo());
    QSqlQuery q =
        storage::exec(database(), QStringLiteral("select * from PRAVILA order by PRAVILO_CODE"));
    while (q.next()) {
        const int code = q.value(QStringLiteral("PRAVILO_CODE")).toInt();
        if (!validRule(code))
            continue;
        m_pravila[code].Active = q.value(QStringLiteral("ACTIVE")).toBool();
        m_pravila[code].InfoText = q.value(QStringLiteral("INFO_TEXT")).toString();
    }
}

void TdmValidacii::UpdatePoletaPravila()
{
    m_poleta.fill(QString());
    m_polePravila.fill(QList<int>());
    m_ruleFields.fill(QList<int>());

    // Links of one field come in the order they were stored.
    QSqlQuery q = storage::exec(
        database(),
        QStringLiteral("select POLETA_PRAVILA.*, POLETA.POLE_IME from POLETA_PRAVILA "
                       "left outer join POLETA on POLETA.POLE_CODE = POLETA_PRAVILA.POLE_CODE "
                       "order by POLETA_PRAVILA.POLE_CODE, POLETA_PRAVILA.rowid"));
    while (q.next()) {
        const int field = q.value(QStringLiteral("POLE_CODE")).toInt();
        const int rule = q.value(QStringLiteral("PRAVILO_CODE")).toInt();
        if (!validField(field) || !validRule(rule))
            continue;
        m_poleta[field] = q.value(QStringLiteral("POLE_IME")).toString();
        if (m_polePravila[field].size() < MaxRulesPerField)
            m_polePravila[field].append(rule);
        // What a rule marks does not depend on how many rules its fields list.
        if (!m_ruleFields[rule].contains(field))
            m_ruleFields[rule].append(field);
    }
}

void TdmValidacii::setDeclaration(const storage::RowSource *deklaracia,
                                  const storage::RowSource *deklaracia2)
{
    m_deklaracia = deklaracia;
    m_deklaracia2 = deklaracia2;
}

bool TdmValidacii::PrviloActive(int PraviloCode)
{
    return !RuleSet::isRetired(PraviloCode);
}

bool TdmValidacii::hasCondition(int PraviloCode)
{
    return validRule(PraviloCode) && !RuleSet::isRetired(PraviloCode) &&
           !RuleSet::isWithoutCondition(PraviloCode);
}

QList<int> TdmValidacii::fieldsMarkedBy(int PraviloCode) const
{
    const RuleRow *row = RuleSet::instance().row(PraviloCode);
    if (row && !row->marks.empty())
        return QList<int>(row->marks.begin(), row->marks.end());
    return validRule(PraviloCode) ? m_ruleFields[PraviloCode] : QList<int>();
}

bool TdmValidacii::ValidateRule(int ValidaciaNomer, bool Svetvai)
{
    // Retired codes, codes without a condition and unknown codes have no row.
    const RuleRow *row = RuleSet::instance().row(ValidaciaNomer);
    if (!row)
        return true;

    const DeclarationView view(m_deklaracia.data(), m_deklaracia2.data(), database());
    const bool satisfied = row->satisfied(view);
    if (Svetvai) {
        if (!row->marks.empty()) {
            for (int field : row->marks)
                m_marks->mark(field, ValidaciaNomer, satisfied);
        } else {
            for (int field : std::as_const(m_ruleFields[ValidaciaNomer]))
                m_marks->mark(field, ValidaciaNomer, satisfied);
        }
    }
    return satisfied;
}

bool TdmValidacii::CheckValidations(bool Svetvai, QString &Greshki)
{
    Greshki.clear();
    bool result = true;
    for (int n = 1; n <= RuleCount; ++n) {
        if (!ValidateRule(n, Svetvai)) {
            result = false;
            FormatString(m_pravila[n].InfoText, Greshki);
        }
    }
    return result;
}

std::optional<FieldRuleList> TdmValidacii::RecheckFieldRules(int PoleCode, bool Svetvai)
{
    const QList<int> rules = rulesOfField(PoleCode);
    QList<bool> results;
    results.reserve(rules.size());
    for (int r : rules)
        results.append(ValidateRule(r, Svetvai));
    if (Svetvai)
        return std::nullopt;

    FieldRuleList list;
    for (qsizetype i = 0; i < rules.size(); ++i)
        if (PrviloActive(rules[i]) && !results[i])
            list.violated.append({rules[i], m_pravila[rules[i]].InfoText});
    for (qsizetype i = 0; i < rules.size(); ++i)
        if (PrviloActive(rules[i]) && results[i])
            list.satisfied.append({rules[i], m_pravila[rules[i]].InfoText});
    return list;
}

TPravilo TdmValidacii::pravilo(int PraviloCode) const
{
    return validRule(PraviloCode) ? m_pravila[PraviloCode] : TPravilo();
}

QString TdmValidacii::fieldName(int PoleCode) const
{
    return validField(PoleCode) ? m_poleta[PoleCode] : QString();
}

QList<int> TdmValidacii::rulesOfField(int PoleCode) const
{
    return validField(PoleCode) ? m_polePravila[PoleCode] : QList<int>();
}

} // namespace kesp::rules
