#include "csv.h"
#include "errors.h"

#include <QtTest>

using namespace kesp;

using Rows = QList<QStringList>;

class TestCsv : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void unterminatedQuoteThrows();
};

void TestCsv::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Rows>("rows");

    QTest::newRow("plain") << "a,b,c\n1,2,3\n" << Rows{{"a", "b", "c"}, {"1", "2", "3"}};
    QTest::newRow("quoted comma") << "\"София, град\",22\n" << Rows{{"София, град", "22"}};
    QTest::newRow("doubled quote") << "\"ЕТ \"\"Изток\"\"\",x\n" << Rows{{"ЕТ \"Изток\"", "x"}};
    QTest::newRow("line break inside quotes") << "1,\"ред едно\nред две\"\n2,x\n"
                                              << Rows{{"1", "ред едно\nред две"}, {"2", "x"}};
    QTest::newRow("CRLF") << "a,b\r\nc,d\r\n" << Rows{{"a", "b"}, {"c", "d"}};
    QTest::newRow("empty fields") << ",,\na,,b\n" << Rows{{"", "", ""}, {"a", "", "b"}};
    QTest::newRow("empty quoted field") << "\"\",x\n" << Rows{{"", "x"}};
    QTest::newRow("last line without newline") << "a,b\nc,d" << Rows{{"a", "b"}, {"c", "d"}};
    QTest::newRow("last field empty, no newline") << "a," << Rows{{"a", ""}};
    QTest::newRow("empty text") << "" << Rows{};
}

void TestCsv::parse()
{
    QFETCH(QString, text);
    QFETCH(Rows, rows);
    QCOMPARE(parseCsv(text), rows);
}

void TestCsv::unterminatedQuoteThrows()
{
    QVERIFY_THROWS_EXCEPTION(Error, parseCsv(QStringLiteral("a,\"b\nc,d\n")));
}

QTEST_APPLESS_MAIN(TestCsv)
#include "tst_csv.moc"
