#pragma once

#include <QString>
#include <QVariant>

#include <initializer_list>

namespace kesp::rules {

// The words every rule condition is written in, over values read by column name. Each
// term is defined here once; the rule tables only combine them.
class ValueTerms
{
public:
    // The stored value of a column; null when empty.
    virtual QVariant columnValue(const QString &column) const = 0;

    QVariant value(const char *column) const { return columnValue(QString::fromLatin1(column)); }
    bool isNull(const char *column) const { return value(column).isNull(); }

    // A text not blank after trimming; any other value not null.
    bool filled(const char *column) const;
    // A yes/no value that is true; null is not ticked.
    bool ticked(const char *column) const;
    // An answer or number equal to k; null equals nothing.
    bool equals(const char *column, qint64 k) const;
    // Not null and at least k ("at least 0" demands a value and allows zero).
    bool atLeast(const char *column, qint64 k) const;

    // Numbers for sums and comparisons: null counts as 0.
    qint64 num(const char *column) const;
    double real(const char *column) const;
    qint64 sum(std::initializer_list<const char *> columns) const;
    // The text as stored; null gives an empty text.
    QString text(const char *column) const { return value(column).toString(); }

    bool anyTicked(std::initializer_list<const char *> columns) const;
    bool anyFilled(std::initializer_list<const char *> columns) const;

protected:
    ~ValueTerms() = default;
};

// "a ⇒ b" of the rule tables, for conditions that are cheap to evaluate on both sides.
constexpr bool implies(bool a, bool b)
{
    return !a || b;
}

} // namespace kesp::rules
