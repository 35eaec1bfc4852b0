#include "identifiers.h"

#include <array>

namespace kesp {

namespace {

// Only ASCII digits count: an identifier typed with other scripts' digits is not one.
bool isAsciiDigit(QChar ch)
{
    return ch >= QLatin1Char('0') && ch <= QLatin1Char('9');
}

int digitAt(const QString &text, qsizetype index)
{
    return text.at(index).unicode() - '0';
}

bool allDigits(const QString &text, qsizetype from, qsizetype to)
{
    for (qsizetype i = from; i < to; ++i) {
        if (!isAsciiDigit(text.at(i)))
            return false;
    }
    return true;
}

template<std::size_t N>
int weightedSum(const QString &text, qsizetype from, const std::array<int, N> &weights)
{
    int sum = 0;
    for (std::size_t i = 0; i < N; ++i)
        sum += weights[i] * digitAt(text, from + qsizetype(i));
    return sum;
}

// The ЕИК check digits: a remainder of 10 falls back to a second set of weights, and a
// second 10 means 0.
int eikCheckDigit(int firstSum, int secondSum)
{
    const int r = firstSum % 11;
    if (r != 10)
        return r;
    const int r2 = secondSum % 11;
    return r2 == 10 ? 0 : r2;
}

} // namespace

int CheckEGN(const QString &egn, QDate *birthDate)
{
    if (birthDate)
        *birthDate = QDate();
    if (egn.size() != 10)
        return EgnWrongLength;
    if (!allDigits(egn, 0, 10))
        return EgnNotDigit;

    int year = 10 * digitAt(egn, 0) + digitAt(egn, 1);
    int month = 10 * digitAt(egn, 2) + digitAt(egn, 3);
    const int day = 10 * digitAt(egn, 4) + digitAt(egn, 5);
    // The month carries the century: +40 after 1999, +20 before 1900.
    if (month > 40) {
        month -= 40;
        year += 2000;
    } else if (month > 20) {
        month -= 20;
        year += 1800;
    } else {
        year += 1900;
    }
    const QDate date(year, month, day);
    if (!date.isValid())
        return EgnBadDate;
    // Callers use the date even when only the check digit is wrong.
    if (birthDate)
        *birthDate = date;

    static constexpr std::array<int, 9> weights{2, 4, 8, 5, 10, 9, 7, 3, 6};
    const int check = (weightedSum(egn, 0, weights) % 11) % 10;
    return check == digitAt(egn, 9) ? EgnValid : EgnBadCheckDigit;
}

bool CheckEIK(const QString &eik)
{
    const qsizetype n = eik.size();
    if ((n != 9 && n != 13) || !allDigits(eik, 0, n))
        return false;

    static constexpr std::array<int, 8> first{1, 2, 3, 4, 5, 6, 7, 8};
    static constexpr std::array<int, 8> second{3, 4, 5, 6, 7, 8, 9, 10};
    if (eikCheckDigit(weightedSum(eik, 0, first), weightedSum(eik, 0, second)) != digitAt(eik, 8))
        return false;
    if (n == 9)
        return true;

    static constexpr std::array<int, 4> tailFirst{2, 7, 3, 5};
    static constexpr std::array<int, 4> tailSecond{4, 9, 5, 7};
    return eikCheckDigit(weightedSum(eik, 8, tailFirst), weightedSum(eik, 8, tailSecond)) ==
           digitAt(eik, 12);
}

bool CheckLNCh(const QString &lnch)
{
    if (lnch.size() != 10 || !allDigits(lnch, 0, 10))
        return false;
    static constexpr std::array<int, 9> weights{21, 19, 17, 13, 11, 9, 7, 3, 1};
    return weightedSum(lnch, 0, weights) % 10 == digitAt(lnch, 9);
}

} // namespace kesp
