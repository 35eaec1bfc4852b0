#pragma once

#include "errors.h"

#include <QList>
#include <QObject>

#include <array>
#include <bitset>

namespace kesp::rules {

// A rule or a control addressed by a code the engine does not know.
class InternalError : public kesp::Error
{
public:
    using Error::Error;
};

// Which rules currently mark each field as wrong. A field stays marked until every rule
// that marked it is satisfied again, so the order of evaluation never changes the result.
class FieldMarks : public QObject
{
    Q_OBJECT
public:
    static constexpr int FirstField = 1;
    static constexpr int LastField = 376;
    static constexpr int FirstRule = 1;
    static constexpr int LastRule = 334;

    using RuleBits = std::bitset<256>;

    explicit FieldMarks(QObject *parent = nullptr);

    // Records the result of one rule for one field. A field code outside 1..376 throws
    // InternalError and changes nothing; a rule code outside 1..334 changes nothing.
    void mark(int fieldCode, int ruleCode, bool satisfied);

    bool isMarked(int fieldCode) const;
    bool isMarkedBy(int fieldCode, int ruleCode) const;
    // The rules marking the field, ascending.
    QList<int> markingRules(int fieldCode) const;
    QList<int> markedFields() const;

    // Rules 1..254 as bits 1..254, and rules 255..334 as bits 0..79.
    RuleBits prPravila(int fieldCode) const;
    RuleBits prPravilaNad255(int fieldCode) const;

    // The message of the error raised for a field code outside the range.
    static QString badFieldMessage();

signals:
    // A field turned from normal to marked or back; the editor recolours its controls.
    void markedChanged(int fieldCode, bool marked);

private:
    static bool validField(int fieldCode)
    {
        return fieldCode >= FirstField && fieldCode <= LastField;
    }

    std::array<RuleBits, LastField + 1> m_below255{};
    std::array<RuleBits, LastField + 1> m_from255{};
};

} // namespace kesp::rules
