#include "valueterms.h"

namespace kesp::rules {

namespace {

bool isText(const QVariant &v)
{
    return v.typeId() == QMetaType::QString;
}

} // namespace

bool ValueTerms::filled(const char *column) const
{
    const QVariant v = value(column);
    if (v.isNull())
        return false;
    return !isText(v) || !v.toString().trimmed().isEmpty();
}

bool ValueTerms::ticked(const char *column) const
{
    const QVariant v = value(column);
    return !v.isNull() && v.toBool();
}

bool ValueTerms::equals(const char *column, qint64 k) const
{
    const QVariant v = value(column);
    bool ok = false;
    const qint64 n = v.toLongLong(&ok);
    return !v.isNull() && ok && n == k;
}

bool ValueTerms::atLeast(const char *column, qint64 k) const
{
    const QVariant v = value(column);
    bool ok = false;
    const qint64 n = v.toLongLong(&ok);
    return !v.isNull() && ok && n >= k;
}

qint64 ValueTerms::num(const char *column) const
{
    const QVariant v = value(column);
    return v.isNull() ? 0 : v.toLongLong();
}

double ValueTerms::real(const char *column) const
{
    const QVariant v = value(column);
    return v.isNull() ? 0.0 : v.toDouble();
}

qint64 ValueTerms::sum(std::initializer_list<const char *> columns) const
{
    qint64 total = 0;
    for (const char *c : columns)
        total += num(c);
    return total;
}

bool ValueTerms::anyTicked(std::initializer_list<const char *> columns) const
{
    for (const char *c : columns)
        if (ticked(c))
            return true;
    return false;
}

bool ValueTerms::anyFilled(std::initializer_list<const char *> columns) const
{
    for (const char *c : columns)
        if (filled(c))
            return true;
    return false;
}

} // namespace kesp::rules
