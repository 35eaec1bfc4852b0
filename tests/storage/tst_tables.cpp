#include "columncatalogue.h"
#include "database.h"
#include "dialogs.h"
#include "errors.h"
#include "tablewriter.h"
#include "tdmmain.h"
#include "testdb.h"

#include <QDateTime>
#include <QTest>

using namespace kesp;
using namespace kesp::storage;

namespace {

// A value of the column's own kind, different for every column.
QVariant sampleValue(const ColumnDef &c, int n)
{
    switch (c.type) {
    case ColumnType::Integer:
        return 1000 + n;
    case ColumnType::YesNo:
        return n % 2 == 0;
    case ColumnType::Text:
        return QStringLiteral("Ж%1щ").arg(n).left(c.length).leftJustified(c.length, QChar(0x0416));
    case ColumnType::Memo:
        return QStringLiteral("Бележка %1 ").arg(n).repeated(200);
    case ColumnType::Double:
        return n + 0.25;
    case ColumnType::DateTime:
        return QDateTime(QDate(2010, 1 + n % 12, 1 + n % 28), QTime(n % 24, 30, 15));
    case ColumnType::Blob:
        return QByteArray("\x00\x01\xff", 3);
    }
    return {};
}

} // namespace

class TestTables : public QObject
{
    Q_OBJECT

    test::TestFiles m_files;
    std::unique_ptr<TdmMain> m_dm;
    QSqlDatabase db() const { return m_dm->database(); }

private slots:
    void init()
    {
        m_dm = std::make_unique<TdmMain>(m_files.delivered());
    }
    void cleanup() { m_dm.reset(); }

    void everyColumnRoundTripsWithItsType_data()
    {
        QTest::addColumn<QString>("table");
        QTest::newRow("DEKLARACIA") << "DEKLARACIA";
        QTest::newRow("DEKLARACIA2") << "DEKLARACIA2";
        for (const QString &t : ColumnCatalogue::detailTables())
            QTest::newRow(qPrintable(t)) << t;
    }
    void everyColumnRoundTripsWithItsType()
    {
        QFETCH(QString, table);
        if (table != QLatin1String("DEKLARACIA"))
            insertRow(db(), QStringLiteral("DEKLARACIA"), {{QStringLiteral("DEKLARACIA_CODE"), 1000}});
        QVariantMap values;
        int n = 0;
        for (const ColumnDef *c : ColumnCatalogue::columns(table))
            values.insert(c->columnName(), sampleValue(*c, n++));
        if (table != QLatin1String("DEKLARACIA"))
            values.insert(QStringLiteral("DEKLARACIA_CODE"), 1000);
        const QString key = ColumnCatalogue::keyColumn(table);
        values.insert(key, 1000);

        QCOMPARE(insertRow(db(), table, values), 1000);
        const QVariantMap back = readRow(db(), table, 1000);
        QCOMPARE(back.size(), values.size());
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            QCOMPARE(back.value(it.key()).typeId(), it.value().typeId());
            QVERIFY2(back.value(it.key()) == it.value(), qPrintable(it.key()));
        }
    }

    void tooLongTextIsRefusedAndNothingStored()
    {
        const QVariantMap row{{QStringLiteral("DEKLARACIA_CODE"), 5},
                              {QStringLiteral("I_EIK"), QStringLiteral("12345678901234")}};
        try {
            insertRow(db(), QStringLiteral("DEKLARACIA"), row);
            QFAIL("a 14-character identifier was stored");
        } catch (const ValueError &e) {
            QVERIFY2(e.message().contains(QStringLiteral("„ЕИК / ЕГН“")), qPrintable(e.message()));
            QVERIFY(e.message().contains(QStringLiteral("13")));
        }
        QCOMPARE(scalar(db(), QStringLiteral("select count(*) from DEKLARACIA")).toInt(), 0);

        insertRow(db(), QStringLiteral("DEKLARACIA"), {{QStringLiteral("DEKLARACIA_CODE"), 5}});
        QVERIFY_THROWS_EXCEPTION(ValueError,
                                 updateRow(db(), QStringLiteral("DEKLARACIA"), 5,
                                           {{QStringLiteral("I_IMENA_FL"), QStringLiteral("Иван")},
                                            {QStringLiteral("I_BLOK_VHOD"), QStringLiteral("АБВ")}}));
        QVERIFY(scalar(db(), QStringLiteral("select I_IMENA_FL from DEKLARACIA")).isNull());
        // The file refuses it too, whoever writes.
        QVERIFY(!tryExec(db(), QStringLiteral("update DEKLARACIA set I_BLOK_VHOD = 'АБВ'")));
    }

    void subdivisionManagerLengthFollowsTheFile()
    {
        insertRow(db(), QStringLiteral("DEKLARACIA"), {{QStringLiteral("DEKLARACIA_CODE"), 1}});
        const QString manager = QString(255, QChar(0x0419));
        insertRow(db(), QStringLiteral("II_PODRAZDELENIEA"),
                  {{QStringLiteral("DEKLARACIA_CODE"), 1}, {QStringLiteral("RAKOVODITEL"), manager}});
        QCOMPARE(scalar(db(), QStringLiteral("select RAKOVODITEL from II_PODRAZDELENIEA")).toString(), manager);

        // A file whose upgrade could not widen the column keeps 50.
        m_dm.reset();
        const QString old = m_files.firstRelease(QStringLiteral("old.ddb"));
        test::execOn(old, QStringLiteral("create index INTERNAL_VALUES on OBLASTI (NAIMENOVANIE)"));
        RecordingDialogs quiet;
        setDialogs(&quiet);
        m_dm = std::make_unique<TdmMain>(old);
        setDialogs(nullptr);
        insertRow(db(), QStringLiteral("DEKLARACIA"), {{QStringLiteral("DEKLARACIA_CODE"), 1}});
        QVERIFY_THROWS_EXCEPTION(ValueError,
                                 insertRow(db(), QStringLiteral("II_PODRAZDELENIEA"),
                                           {{QStringLiteral("DEKLARACIA_CODE"), 1},
                                            {QStringLiteral("RAKOVODITEL"), QString(51, QChar(0x0419))}}));
        insertRow(db(), QStringLiteral("II_PODRAZDELENIEA"),
                  {{QStringLiteral("DEKLARACIA_CODE"), 1}, {QStringLiteral("RAKOVODITEL"), QString(50, QChar(0x0419))}});
    }

    void deletingADocumentTakesAllItsRows()
    {
        for (int code : {1, 2}) {
            insertRow(db(), QStringLiteral("DEKLARACIA"), {{QStringLiteral("DEKLARACIA_CODE"), code}});
            insertRow(db(), QStringLiteral("DEKLARACIA2"), {{QStringLiteral("DEKLARACIA_CODE"), code}});
            for (const QString &t : ColumnCatalogue::detailTables())
                insertRow(db(), t, {{QStringLiteral("DEKLARACIA_CODE"), code}});
        }
        deleteDocument(db(), 1);
        // And by the relations alone, whoever deletes.
        exec(db(), QStringLiteral("delete from DEKLARACIA where DEKLARACIA_CODE = 2"));
        QStringList tables = ColumnCatalogue::detailTables();
        tables << QStringLiteral("DEKLARACIA") << QStringLiteral("DEKLARACIA2");
        for (const QString &t : tables)
            QVERIFY2(scalar(db(), QStringLiteral("select count(*) from %1").arg(t)).toInt() == 0, qPrintable(t));
    }

    void detailKeysAreConsecutiveAndTheTopOneIsReused()
    {
        insertRow(db(), QStringLiteral("DEKLARACIA"), {{QStringLiteral("DEKLARACIA_CODE"), 1}});
        const QVariantMap agent{{QStringLiteral("DEKLARACIA_CODE"), 1},
                                {QStringLiteral("CAS_HIM_AGENT"), QStringLiteral("бензен")}};
        QCOMPARE(insertRow(db(), QStringLiteral("P2_4_CAS"), agent), 1);
        QCOMPARE(insertRow(db(), QStringLiteral("P2_4_CAS"), agent), 2);
        // The other agent table counts its own keys.
        QCOMPARE(insertRow(db(), QStringLiteral("P2_11_CAS"), agent), 1);
        exec(db(), QStringLiteral("delete from P2_4_CAS where P1_CAS_CODE = 2"));
        QCOMPARE(insertRow(db(), QStringLiteral("P2_4_CAS"), agent), 2);
    }

    void keysDoNotCollideAcrossConnections()
    {
        // A second program on the same file: the key is read inside the write lock.
        const QString other = QStringLiteral("other-process");
        QSqlDatabase second = openDatabase(m_dm->path(), other);
        {
            WriteTransaction tx(db());
            const int mine = insertRow(db(), QStringLiteral("DEKLARACIA"), {});
            QCOMPARE(mine, 1);
            // The other connection cannot take the write lock meanwhile.
            exec(second, QStringLiteral("PRAGMA busy_timeout = 50"));
            QVERIFY(!tryExec(second, QStringLiteral("BEGIN IMMEDIATE")));
            tx.commit();
        }
        QCOMPARE(insertRow(second, QStringLiteral("DEKLARACIA"), {}), 2);
        second = QSqlDatabase();
        closeDatabase(other);
    }
};

QTEST_GUILESS_MAIN(TestTables)
#include "tst_tables.moc"
