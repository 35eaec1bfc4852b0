#include "numbers.h"

#include <QtTest>

using namespace kesp;

class TestNumbers : public QObject
{
    Q_OBJECT

private slots:
    void strToFloatAny_data();
    void strToFloatAny();
    void strToFloatAnyRefuses_data();
    void strToFloatAnyRefuses();
};

void TestNumbers::strToFloatAny_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    QTest::newRow("comma") << "12,5" << 12.5;
    QTest::newRow("full stop") << "12.5" << 12.5;
    QTest::newRow("integer") << "40" << 40.0;
    QTest::newRow("zero") << "0" << 0.0;
    QTest::newRow("leading zero, comma") << "0,75" << 0.75;
    QTest::newRow("any other character is a separator") << "12;5" << 12.5;
    QTest::newRow("letter as separator") << "12a5" << 12.5;
    QTest::newRow("minus keeps its sign") << "-3,5" << -3.5;
    QTest::newRow("minus, integer") << "-3" << -3.0;
    QTest::newRow("surrounding blanks") << " 12,5 " << 12.5;
    QTest::newRow("separator last") << "12," << 12.0;
    QTest::newRow("separator first") << ",5" << 0.5;
    QTest::newRow("long fraction") << "33,333333" << 33.333333;
}

void TestNumbers::strToFloatAny()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    const std::optional<double> got = StrToFloatAny(text);
    QVERIFY(got.has_value());
    QCOMPARE(*got, value);
}

void TestNumbers::strToFloatAnyRefuses_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << "";
    QTest::newRow("blanks") << "   ";
    QTest::newRow("no digits") << "abc";
    QTest::newRow("separator only") << ",";
    QTest::newRow("minus only") << "-";
    QTest::newRow("two separators") << "1.234,5";
    QTest::newRow("thousands blank") << "1 234,5";
    QTest::newRow("minus inside is a second separator") << "1,2-3";
    QTest::newRow("doubled minus") << "--1";
    QTest::newRow("exponent") << "1e5,0";
    QTest::newRow("too large") << QString(400, QLatin1Char('9'));
}

void TestNumbers::strToFloatAnyRefuses()
{
    QFETCH(QString, text);
    const std::optional<double> got = StrToFloatAny(text);
    QVERIFY2(!got.has_value(), qPrintable(QString::number(got.value_or(0))));
}

QTEST_APPLESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
