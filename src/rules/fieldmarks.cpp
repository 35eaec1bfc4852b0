#include "fieldmarks.h"

namespace kesp::rules {

FieldMarks::FieldMarks(QObject *parent)
    : QObject(parent)
{
}

QString FieldMarks::badFieldMessage()
{
    return QStringLiteral("Възникна вътрешна грешка No 1А39");
}

void FieldMarks::mark(int fieldCode, int ruleCode, bool satisfied)
{
    if (!validField(fieldCode))
        throw InternalError(badFieldMessage());
    if (ruleCode < FirstRule || ruleCode > LastRule)
        return;

    const bool before = isMarked(fieldCode);
    if (ruleCode < 255)
        m_below255[fieldCode].set(ruleCode, !satisfied);
    else
        m_from255[fieldCode].set(ruleCode - 255, !satisfied);
    const bool after = isMarked(fieldCode);
    if (before != after)
        emit markedChanged(fieldCode, after);
}

bool FieldMarks::isMarked(int fieldCode) const
{
    return validField(fieldCode) && (m_below255[fieldCode].any() || m_from255[fieldCode].any());
}

bool FieldMarks::isMarkedBy(int fieldCode, int ruleCode) const
{
    if (!validField(fieldCode) || ruleCode < FirstRule || ruleCode > LastRule)
        return false;
    return ruleCode < 255 ? m_below255[fieldCode].test(ruleCode)
                          : m_from255[fieldCode].test(ruleCode - 255);
}

QList<int> FieldMarks::markingRules(int fieldCode) const
{
    QList<int> out;
    for (int r = FirstRule; r <= LastRule; ++r)
        if (isMarkedBy(fieldCode, r))
            out.append(r);
    return out;
}

QList<int> FieldMarks::markedFields() const
{
    QList<int> out;
    for (int f = FirstField; f <= LastField; ++f)
        if (isMarked(f))
            out.append(f);
    return out;
}

FieldMarks::RuleBits FieldMarks::prPravila(int fieldCode) const
{
    return validField(fieldCode) ? m_below255[fieldCode] : RuleBits();
}

FieldMarks::RuleBits FieldMarks::prPravilaNad255(int fieldCode) const
{
    return validField(fieldCode) ? m_from255[fieldCode] : RuleBits();
}

} // namespace kesp::rules
