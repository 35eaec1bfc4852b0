#include "textlist.h"

#include <QtTest>

using namespace kesp;

class TestTextList : public QObject
{
    Q_OBJECT

private slots:
    void formatString_data();
    void formatString();
};

void TestTextList::formatString_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("accumulated");

    QTest::newRow("first entry") << QStringList{QStringLiteral("Правило 1")}
                                 << QStringLiteral(" - Правило 1");
    // Line feed before carriage return, twice: an empty line between entries.
    QTest::newRow("second entry") << QStringList{QStringLiteral("А"), QStringLiteral("Б")}
                                  << QStringLiteral(" - А\n\r\n\r - Б");
    QTest::newRow("three entries")
        << QStringList{QStringLiteral("А"), QStringLiteral("Б"), QStringLiteral("В")}
        << QStringLiteral(" - А\n\r\n\r - Б\n\r\n\r - В");
    QTest::newRow("empty entry still counts")
        << QStringList{QString(), QStringLiteral("Б")} << QStringLiteral(" - \n\r\n\r - Б");
}

void TestTextList::formatString()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, accumulated);

    QString text;
    for (const QString &e : entries)
        FormatString(e, text);
    QCOMPARE(text, accumulated);
}

QTEST_APPLESS_MAIN(TestTextList)
#include "tst_textlist.moc"
