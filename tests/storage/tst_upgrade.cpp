#include "database.h"
#include "dialogs.h"
#include "schema.h"
#include "tdmmain.h"
#include "testdb.h"
#include "upgradedata.h"

#include <QFile>
#include <QSqlQuery>
#include <QTest>

using namespace kesp;
using kesp::test::execOn;
using kesp::test::scalarOn;

namespace {

const QString kNotice = QStringLiteral(
    "За да функционира коректно програмният продукт КЕСП+, е необходимо обновяване на базата от "
    "данни!\n\r\n\rНатиснете \"ОК\", за да се стартира автоматичното обновяване!");
const QString kFailure = QStringLiteral("Автоматичното обновяване на базата от данни приключи НЕУСПЕШНО!");
const QString kError = QStringLiteral("Неуспешно обновяване на базата данни!");
const QString kSuccess = QStringLiteral("Автоматичното обновяване на базата от данни приключи успешно!");

// Upgrades a file once and returns the texts of the boxes shown, in order.
QStringList upgrade(const QString &file)
{
    RecordingDialogs boxes;
    setDialogs(&boxes);
    { storage::TdmMain dm(file); }
    setDialogs(nullptr);
    return boxes.texts();
}

// Takes a fully upgraded file back to what an older release left behind.
void rollBackTo(const QString &file, const QVariant &version)
{
    const int v = version.isNull() ? 0 : version.toInt();
    if (v < 131)
        for (const char *c : {"DOCUMENT_TYPE", "UVED_PREDSTAVLIAVASHT", "IS_CHUJDENEC", "UVED_IZH_NOMER"})
            execOn(file, QStringLiteral("alter table DEKLARACIA drop column %1").arg(QLatin1String(c)));
    if (v < 132)
        execOn(file, QStringLiteral("delete from INFO_BUTONI where INFO_BUTON_CODE = 55"));
    if (v < 134)
        execOn(file, QStringLiteral("delete from INFO_BUTONI where INFO_BUTON_CODE in (36,39,40,41,43,44,56)"));
    // The links of the rules below 119 come with the delivered file; step 124 adds the rest.
    if (v < 124)
        execOn(file, QStringLiteral("delete from POLETA_PRAVILA where PRAVILO_CODE >= 119"));
    execOn(file,
           version.isNull() ? QStringLiteral("update INTERNAL_VALUES set DATABASE_VERSION = null")
                            : QStringLiteral("update INTERNAL_VALUES set DATABASE_VERSION = %1").arg(v));
}

QByteArray resource(const QString &name)
{
    QFile f(QStringLiteral(":/infotexts/%1.rtf").arg(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int declaredLengthOn(const QString &file, const QString &table, const QString &column)
{
    QSqlDatabase db = storage::openDatabase(file, QStringLiteral("len"));
    const int n = storage::declaredLength(db, table, column);
    db = QSqlDatabase();
    storage::closeDatabase(QStringLiteral("len"));
    return n;
}

} // namespace

class TestUpgrade : public QObject
{
    Q_OBJECT
private slots:
    void upToDateFileShowsNothing()
    {
        test::TestFiles files;
        const QString f = files.delivered();
        // The every-start insert puts back a missing title and is silent when it exists.
        execOn(f, QStringLiteral("delete from INFO_BUTONI where INFO_BUTON_CODE = 42"));
        QCOMPARE(upgrade(f), QStringList());
        QCOMPARE(scalarOn(f, QStringLiteral("select INFO_TEXT from INFO_BUTONI where INFO_BUTON_CODE = 42")).toString(),
                 QStringLiteral("Раздел IV, част ІV, т. 35"));
        QCOMPARE(upgrade(f), QStringList());
        QCOMPARE(scalarOn(f, QStringLiteral("select DATABASE_VERSION from INTERNAL_VALUES")).toInt(), 134);
    }

    void version130RunsOnlyTheLaterSteps()
    {
        test::TestFiles files;
        const QString f = files.delivered();
        rollBackTo(f, 130);
        // Marks that the earlier steps would overwrite.
        execOn(f, QStringLiteral("update PRAVILA set INFO_TEXT = 'непроменен' where PRAVILO_CODE in (117, 265)"));
        execOn(f, QStringLiteral("insert into DEKLARACIA (DEKLARACIA_CODE, GODINA) values (1, 2010)"));

        QCOMPARE(upgrade(f), QStringList({kNotice, kSuccess}));
        QCOMPARE(scalarOn(f, QStringLiteral("select DATABASE_VERSION from INTERNAL_VALUES")).toInt(), 134);
        QCOMPARE(scalarOn(f, QStringLiteral("select count(*) from PRAVILA where INFO_TEXT = 'непроменен'")).toInt(), 2);
        QCOMPARE(scalarOn(f, QStringLiteral("select DOCUMENT_TYPE from DEKLARACIA where DEKLARACIA_CODE = 1")).toInt(), 1);
        QCOMPARE(scalarOn(f, QStringLiteral("select INFO_TEXT_BLOB from INFO_BUTONI where INFO_BUTON_CODE = 55")).toByteArray(),
                 resource(QStringLiteral("ib55")));
        QCOMPARE(scalarOn(f, QStringLiteral("select INFO_TEXT from INFO_BUTONI where INFO_BUTON_CODE = 40")).toString(),
                 QStringLiteral("Раздел  ІV, част ІІ"));
    }

    void everyStepRunsFromAnOldOrEmptyVersion_data()
    {
        QTest::addColumn<QVariant>("version");
        QTest::newRow("version 1") << QVariant(1);
        QTest::newRow("empty version") << QVariant();
    }
    void everyStepRunsFromAnOldOrEmptyVersion()
    {
        QFETCH(QVariant, version);
        test::TestFiles files;
        const QString f = files.delivered();
        const QString deliveredLinks = QStringLiteral("select count(*) from POLETA_PRAVILA where PRAVILO_CODE < 119");
        const int delivered = scalarOn(f, deliveredLinks).toInt();
        QVERIFY(delivered > 0);
        rollBackTo(f, version);
        execOn(f, QStringLiteral("update INFO_BUTONI set INFO_TEXT_BLOB = null where INFO_BUTON_CODE in (7, 11, 13, 19, 42)"));
        execOn(f, QStringLiteral("update PRAVILA set INFO_TEXT = null where PRAVILO_CODE in (117, 265, 290)"));

        QCOMPARE(upgrade(f), QStringList({kNotice, kSuccess}));
        QCOMPARE(scalarOn(f, QStringLiteral("select DATABASE_VERSION from INTERNAL_VALUES")).toInt(), 134);
        for (int code : {7, 11, 13, 19, 42, 36, 39, 40, 41, 43, 44, 55, 56})
            QCOMPARE(scalarOn(f, QStringLiteral("select INFO_TEXT_BLOB from INFO_BUTONI where INFO_BUTON_CODE = %1").arg(code)).toByteArray(),
                     resource(QStringLiteral("ib%1").arg(code)));
        QCOMPARE(scalarOn(f, QStringLiteral("select INFO_TEXT from PRAVILA where PRAVILO_CODE = 265")).toString(),
                 storage::ruleTextsOfStep122().first().InfoText);
        QVERIFY(scalarOn(f, QStringLiteral("select INFO_TEXT from PRAVILA where PRAVILO_CODE = 117")).toString()
                    .startsWith(QStringLiteral("Раздел І, т. 1 - Стойността на полето \"Година\"")));
        QCOMPARE(scalarOn(f, QStringLiteral("select count(*) from POLETA_PRAVILA where PRAVILO_CODE >= 119")).toInt(), 504);
        QCOMPARE(scalarOn(f, deliveredLinks).toInt(), delivered);
        QCOMPARE(scalarOn(f, QStringLiteral("select GRAD from REGIONALNI_DIREKCII where REGIONALNA_DIREKCIA_CODE = 22")).toString(),
                 QStringLiteral("София- Град"));
    }

    void firstReleaseFileGetsTheWholeStructure()
    {
        test::TestFiles files;
        const QString f = files.firstRelease();
        QCOMPARE(declaredLengthOn(f, QStringLiteral("II_PODRAZDELENIEA"), QStringLiteral("RAKOVODITEL")), 50);
        execOn(f, QStringLiteral("insert into DEKLARACIA (DEKLARACIA_CODE) values (7)"));
        execOn(f, QStringLiteral("insert into II_PODRAZDELENIEA (II_PODRAZDELENIE_CODE, DEKLARACIA_CODE, RAKOVODITEL) values (1, 7, 'Иван Петров')"));

        QCOMPARE(upgrade(f), QStringList({kNotice, kSuccess}));
        QCOMPARE(scalarOn(f, QStringLiteral("select DATABASE_VERSION from INTERNAL_VALUES")).toInt(), 134);
        QCOMPARE(declaredLengthOn(f, QStringLiteral("II_PODRAZDELENIEA"), QStringLiteral("RAKOVODITEL")), 255);
        // The rebuilt table kept its row and its tie to the document.
        QCOMPARE(scalarOn(f, QStringLiteral("select RAKOVODITEL from II_PODRAZDELENIEA")).toString(), QStringLiteral("Иван Петров"));
        execOn(f, QStringLiteral("delete from DEKLARACIA where DEKLARACIA_CODE = 7"));
        QCOMPARE(scalarOn(f, QStringLiteral("select count(*) from II_PODRAZDELENIEA")).toInt(), 0);
        QCOMPARE(scalarOn(f, QStringLiteral("select count(IS_PODAVASHT) + 1 from I_UPRAVLIAVASHTI")).toInt(), 1);
        QCOMPARE(scalarOn(f, QStringLiteral("select DOCUMENT_TYPE from DEKLARACIA")).isNull(), true);
    }

    void anExistingNewColumnKeepsStep131Failing()
    {
        test::TestFiles files;
        const QString f = files.delivered();
        rollBackTo(f, 130);
        execOn(f, QStringLiteral("alter table DEKLARACIA add UVED_IZH_NOMER TEXT(20)"));

        for (int start = 0; start < 2; ++start) {
            QCOMPARE(upgrade(f), QStringList({kNotice, kError, kFailure}));
            QCOMPARE(scalarOn(f, QStringLiteral("select DATABASE_VERSION from INTERNAL_VALUES")).toInt(), 130);
            // The columns added before the failing one went back with the step.
            QVERIFY(scalarOn(f, QStringLiteral("select count(*) from pragma_table_info('DEKLARACIA') where name = 'DOCUMENT_TYPE'")).toInt() == 0);
        }
    }

    void fullLinkTableGetsOnlyTheDeletion()
    {
        test::TestFiles files;
        const QString f = files.delivered();
        rollBackTo(f, 123);
        execOn(f, QStringLiteral("delete from POLETA_PRAVILA"));
        execOn(f, QStringLiteral("insert into POLETA_PRAVILA (PRAVILO_CODE, POLE_CODE) values (56, 17), (56, 78), (59, 16), (59, 17), (1, 1)"));
        execOn(f, QStringLiteral("insert into POLETA_PRAVILA (PRAVILO_CODE, POLE_CODE) "
                                 "with recursive n(i) as (select 1 union all select i + 1 from n where i < 733) "
                                 "select 2, i from n"));
        QCOMPARE(scalarOn(f, QStringLiteral("select count(*) from POLETA_PRAVILA")).toInt(), 738);

        QCOMPARE(upgrade(f), QStringList({kNotice, kSuccess}));
        QCOMPARE(scalarOn(f, QStringLiteral("select count(*) from POLETA_PRAVILA")).toInt(), 734);
        QCOMPARE(scalarOn(f, QStringLiteral("select count(*) from POLETA_PRAVILA where PRAVILO_CODE in (56, 59)")).toInt(), 0);
    }

    void aStepThatFailsShowsNoSuccessAndLeavesNothingHalfDone()
    {
        test::TestFiles files;
        const QString f = files.delivered();
        rollBackTo(f, 1);
        execOn(f, QStringLiteral("update INFO_BUTONI set INFO_TEXT_BLOB = null where INFO_BUTON_CODE in (7, 19)"));
        // Step 120 loads 7 and 19 before it reaches the missing row 13.
        execOn(f, QStringLiteral("delete from INFO_BUTONI where INFO_BUTON_CODE = 13"));

        QCOMPARE(upgrade(f), QStringList({kNotice, kFailure}));
        QCOMPARE(scalarOn(f, QStringLiteral("select DATABASE_VERSION from INTERNAL_VALUES")).toInt(), 1);
        QCOMPARE(scalarOn(f, QStringLiteral("select count(INFO_TEXT_BLOB) from INFO_BUTONI where INFO_BUTON_CODE in (7, 19)")).toInt(), 0);
        // The next start tries again, and fails the same way.
        QCOMPARE(upgrade(f), QStringList({kNotice, kFailure}));
    }

    void failedVersionTableLeavesTheOldLimit()
    {
        test::TestFiles files;
        const QString f = files.firstRelease();
        // An index of that name makes the version table impossible to create.
        execOn(f, QStringLiteral("create index INTERNAL_VALUES on OBLASTI (NAIMENOVANIE)"));

        QCOMPARE(upgrade(f), QStringList({kNotice, kFailure}));
        QCOMPARE(declaredLengthOn(f, QStringLiteral("II_PODRAZDELENIEA"), QStringLiteral("RAKOVODITEL")), 50);
        // Step 1 was independent and did its work.
        QCOMPARE(scalarOn(f, QStringLiteral("select count(*) from pragma_table_info('I_UPRAVLIAVASHTI') where name = 'IS_PODAVASHT'")).toInt(), 1);
    }
};

QTEST_GUILESS_MAIN(TestUpgrade)
#include "tst_upgrade.moc"
