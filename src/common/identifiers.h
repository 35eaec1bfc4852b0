#pragma once

#include <QDate>
#include <QString>

namespace kesp {

// Result codes of CheckEGN.
enum EgnCheckResult {
    EgnValid = 0,
    EgnWrongLength = 1,
    EgnNotDigit = 2,
    EgnBadDate = 3,
    EgnBadCheckDigit = 4,
};

// Personal number (ЕГН): one of EgnCheckResult. The birth date is delivered for codes 0
// and 4; for the others it is set to an invalid date, so a reused variable never keeps
// the date of an earlier number.
int CheckEGN(const QString &egn, QDate *birthDate = nullptr);

// Company number (ЕИК / БУЛСТАТ) of 9 or 13 digits.
bool CheckEIK(const QString &eik);

// Personal number of a foreigner (ЛНЧ), 10 digits.
bool CheckLNCh(const QString &lnch);

} // namespace kesp
