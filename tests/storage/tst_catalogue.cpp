#include "columncatalogue.h"
#include "schema.h"

#include <QSet>
#include <QTest>

using namespace kesp::storage;

class TestCatalogue : public QObject
{
    Q_OBJECT
private slots:
    void declarationRowsHaveAllColumns()
    {
        // The editor counts changes over exactly these columns.
        QCOMPARE(ColumnCatalogue::columns(QStringLiteral("DEKLARACIA")).size(), size_t(248));
        QCOMPARE(ColumnCatalogue::columns(QStringLiteral("DEKLARACIA2")).size(), size_t(188));
    }

    void fieldCodesAreUniqueAndInRange()
    {
        QSet<int> seen;
        for (const auto &c : ColumnCatalogue::all()) {
            if (!c.fieldCode)
                continue;
            QVERIFY2(c.fieldCode >= 1 && c.fieldCode <= 376, c.name);
            QVERIFY2(!seen.contains(c.fieldCode), c.name);
            seen.insert(c.fieldCode);
        }
        QCOMPARE(ColumnCatalogue::byFieldCode(165)->columnName(), QStringLiteral("GODINA"));
        QCOMPARE(ColumnCatalogue::byFieldCode(3)->columnName(), QStringLiteral("I_EIK"));
        QVERIFY(!ColumnCatalogue::byFieldCode(250));
    }

    void keysAndTypes_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("length");
        QTest::newRow("key") << "DEKLARACIA" << "DEKLARACIA_CODE" << int(ColumnType::Integer) << 0;
        QTest::newRow("ЕИК") << "DEKLARACIA" << "I_EIK" << int(ColumnType::Text) << 13;
        QTest::newRow("save time") << "DEKLARACIA" << "DEKLARACIA_DATA" << int(ColumnType::DateTime) << 0;
        QTest::newRow("memo") << "DEKLARACIA" << "IV_3_TEHN_SREDSTVA" << int(ColumnType::Memo) << 0;
        QTest::newRow("percent") << "IV_POCHIVKI" << "PROCENT" << int(ColumnType::Double) << 0;
        QTest::newRow("signs") << "I_UPRAVLIAVASHTI" << "IS_PODAVASHT" << int(ColumnType::YesNo) << 0;
        QTest::newRow("blob") << "INFO_BUTONI" << "INFO_TEXT_BLOB" << int(ColumnType::Blob) << 0;
        QTest::newRow("manager") << "II_PODRAZDELENIEA" << "RAKOVODITEL" << int(ColumnType::Text) << 255;
    }
    void keysAndTypes()
    {
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(int, type);
        QFETCH(int, length);
        const ColumnDef *c = ColumnCatalogue::find(table, column);
        QVERIFY(c);
        QCOMPARE(int(c->type), type);
        QCOMPARE(c->length, length);
    }

    void everyTableButTheLinksHasItsKeyFirst()
    {
        for (const QString &t : ColumnCatalogue::tables()) {
            if (t == QLatin1String("POLETA_PRAVILA"))
                continue;
            QVERIFY2(ColumnCatalogue::keyColumn(t).endsWith(QLatin1String("_CODE")), qPrintable(t));
        }
        QCOMPARE(ColumnCatalogue::keyColumn(QStringLiteral("P2_11_CAS")), QStringLiteral("P1_CAS_CODE"));
    }

    void firstReleaseLacksWhatTheUpgradeAdds()
    {
        const QString first = createTableStatements(QStringLiteral("DEKLARACIA"), true).first();
        const QString now = createTableStatements(QStringLiteral("DEKLARACIA"), false).first();
        for (const char *col : {"DOCUMENT_TYPE", "UVED_PREDSTAVLIAVASHT", "IS_CHUJDENEC", "UVED_IZH_NOMER"}) {
            QVERIFY(!first.contains(QLatin1String(col)));
            QVERIFY(now.contains(QLatin1String(col)));
        }
        QVERIFY(createTableStatements(QStringLiteral("II_PODRAZDELENIEA"), true)
                    .first()
                    .contains(QLatin1String("RAKOVODITEL TEXT(50)")));
        QVERIFY(!createTableStatements(QStringLiteral("I_UPRAVLIAVASHTI"), true)
                     .first()
                     .contains(QLatin1String("IS_PODAVASHT")));
    }

    void typeWords_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("known");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("length");
        QTest::newRow("yesno") << "yesno" << true << int(ColumnType::YesNo) << 0;
        QTest::newRow("long integer") << "long integer" << true << int(ColumnType::Integer) << 0;
        QTest::newRow("text(20)") << "text(20)" << true << int(ColumnType::Text) << 20;
        QTest::newRow("Text(255)") << "Text(255)" << true << int(ColumnType::Text) << 255;
        QTest::newRow("text(0)") << "text(0)" << false << 0 << 0;
        QTest::newRow("nonsense") << "varchar" << false << 0 << 0;
    }
    void typeWords()
    {
        QFETCH(QString, word);
        QFETCH(bool, known);
        QFETCH(int, type);
        QFETCH(int, length);
        ColumnType t = ColumnType::Integer;
        int n = -1;
        QCOMPARE(parseTypeWord(word, &t, &n), known);
        if (known) {
            QCOMPARE(int(t), type);
            QCOMPARE(n, length);
        }
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
