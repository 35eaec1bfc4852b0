#include "identifiers.h"

#include <QtTest>

using namespace kesp;

class TestIdentifiers : public QObject
{
    Q_OBJECT

private slots:
    void egn_data();
    void egn();
    void egnWithoutDate();
    void eik_data();
    void eik();
    void lnch_data();
    void lnch();
};

void TestIdentifiers::egn_data()
{
    QTest::addColumn<QString>("egn");
    QTest::addColumn<int>("result");
    QTest::addColumn<QDate>("birthDate");

    const QDate none;
    QTest::newRow("born 1975") << "7501021230" << 0 << QDate(1975, 1, 2);
    QTest::newRow("born 1975, remainder 10 gives 0") << "7501021020" << 0 << QDate(1975, 1, 2);
    QTest::newRow("month 42: February 2005") << "0542151235" << 0 << QDate(2005, 2, 15);
    QTest::newRow("month 22: February 1885") << "8522034563" << 0 << QDate(1885, 2, 3);
    QTest::newRow("month 31: November 1875") << "7531123450" << 0 << QDate(1875, 11, 12);
    QTest::newRow("29 February 2000") << "0042291239" << 0 << QDate(2000, 2, 29);
    QTest::newRow("29 February 2004") << "0442290005" << 0 << QDate(2004, 2, 29);
    QTest::newRow("30 April") << "8804301238" << 0 << QDate(1988, 4, 30);

    QTest::newRow("wrong check digit keeps the date") << "7501021231" << 4 << QDate(1975, 1, 2);
    QTest::newRow("wrong check digit, 2000s") << "0542151230" << 4 << QDate(2005, 2, 15);

    QTest::newRow("month 00") << "7500021230" << 3 << none;
    QTest::newRow("month 13") << "7513021230" << 3 << none;
    QTest::newRow("month 33 (13 of the 1800s)") << "7533021230" << 3 << none;
    QTest::newRow("month 40 (20 of the 1800s)") << "7540021230" << 3 << none;
    QTest::newRow("month 53 (13 of the 2000s)") << "0553021230" << 3 << none;
    QTest::newRow("day 00") << "7501001230" << 3 << none;
    QTest::newRow("31 April") << "8804311230" << 3 << none;
    QTest::newRow("29 February 1900") << "0002291230" << 3 << none;
    QTest::newRow("29 February 2001") << "0142291230" << 3 << none;

    QTest::newRow("9 characters") << "750102123" << 1 << none;
    QTest::newRow("11 characters") << "75010212300" << 1 << none;
    QTest::newRow("empty") << "" << 1 << none;
    QTest::newRow("letter") << "75010A1230" << 2 << none;
    QTest::newRow("letter in the check place") << "750102123X" << 2 << none;
    QTest::newRow("letter beats a bad date") << "7513A21230" << 2 << none;
    QTest::newRow("blank") << " 750102123" << 2 << none;
    QTest::newRow("Arabic-Indic digit") << QString::fromUtf8("750102123\u0660") << 2 << none;
}

void TestIdentifiers::egn()
{
    QFETCH(QString, egn);
    QFETCH(int, result);
    QFETCH(QDate, birthDate);

    // A date left from an earlier call must not survive a number without one.
    QDate date(1999, 9, 9);
    QCOMPARE(CheckEGN(egn, &date), result);
    QCOMPARE(date, birthDate);
}

void TestIdentifiers::egnWithoutDate()
{
    QCOMPARE(CheckEGN(QStringLiteral("7501021230")), 0);
    QCOMPARE(CheckEGN(QStringLiteral("7501021231")), 4);
}

void TestIdentifiers::eik_data()
{
    QTest::addColumn<QString>("eik");
    QTest::addColumn<bool>("valid");

    QTest::newRow("9 digits") << "831175048" << true;
    QTest::newRow("9 digits, other") << "836044501" << true;
    QTest::newRow("9 digits, first sum leaves 10") << "342852497" << true;
    QTest::newRow("9 digits, both sums leave 10: 0") << "981378170" << true;
    QTest::newRow("9 digits, wrong") << "831175047" << false;
    QTest::newRow("first sum leaves 10, its own digit is not taken") << "342852490" << false;
    QTest::newRow("both sums leave 10, any digit but 0") << "981378171" << false;

    QTest::newRow("13 digits") << "8311750483550" << true;
    QTest::newRow("13 digits, tail sum leaves 10") << "8311750482070" << true;
    QTest::newRow("13 digits, both tail sums leave 10: 0") << "8311750480590" << true;
    QTest::newRow("13 digits, wrong last") << "8311750483551" << false;
    QTest::newRow("13 digits, both tail sums 10, not 0") << "8311750480591" << false;
    QTest::newRow("13 digits, good tail on a bad 9") << "8311750473550" << false;
    QTest::newRow("13 characters, letter in the tail") << "831175048355A" << false;
    QTest::newRow("13 characters, letter in place 10") << "831175048A550" << false;
    QTest::newRow("9 characters, letter") << "83117504A" << false;

    QTest::newRow("8 digits") << "83117504" << false;
    QTest::newRow("10 digits") << "8311750480" << false;
    QTest::newRow("12 digits") << "831175048355" << false;
    QTest::newRow("14 digits") << "83117504835500" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("valid ЕГН is not an ЕИК") << "7501021230" << false;
}

void TestIdentifiers::eik()
{
    QFETCH(QString, eik);
    QFETCH(bool, valid);
    QCOMPARE(CheckEIK(eik), valid);
}

void TestIdentifiers::lnch_data()
{
    QTest::addColumn<QString>("lnch");
    QTest::addColumn<bool>("valid");

    QTest::newRow("valid") << "1002345676" << true;
    QTest::newRow("valid, also passes as ЕГН") << "1234567893" << true;
    QTest::newRow("valid, not a date") << "9999999999" << true;
    QTest::newRow("wrong check digit") << "1002345677" << false;
    QTest::newRow("valid ЕГН, wrong as ЛНЧ") << "7501021230" << false;
    QTest::newRow("9 digits") << "100234567" << false;
    QTest::newRow("11 digits") << "10023456760" << false;
    QTest::newRow("letter") << "100234567A" << false;
    QTest::newRow("empty") << "" << false;
}

void TestIdentifiers::lnch()
{
    QFETCH(QString, lnch);
    QFETCH(bool, valid);
    QCOMPARE(CheckLNCh(lnch), valid);
}

QTEST_APPLESS_MAIN(TestIdentifiers)
#include "tst_identifiers.moc"
