#include "database.h"
#include "testdb.h"

#include <QFile>
#include <QProcess>
#include <QTest>

using namespace kesp;
using kesp::test::scalarOn;

class TestDelivered : public QObject
{
    Q_OBJECT
private slots:
    void registersAreComplete_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("rows");
        QTest::newRow("provinces") << "OBLASTI" << 28;
        QTest::newRow("municipalities") << "OBSHTINI" << 265;
        QTest::newRow("settlements") << "GRADOVE" << 5256;
        QTest::newRow("activities") << "KID" << 996;
        QTest::newRow("chemical agents") << "CAS" << 4196;
        QTest::newRow("directorates") << "REGIONALNI_DIREKCII" << 28;
        QTest::newRow("rules") << "PRAVILA" << 334;
    }
    void registersAreComplete()
    {
        QFETCH(QString, table);
        QFETCH(int, rows);
        test::TestFiles files;
        QCOMPARE(scalarOn(files.delivered(), QStringLiteral("select count(*) from %1").arg(table)).toInt(), rows);
    }

    void fileIsUpgradedAndSound()
    {
        test::TestFiles files;
        const QString f = files.delivered();
        QCOMPARE(scalarOn(f, QStringLiteral("select DATABASE_VERSION from INTERNAL_VALUES")).toInt(), 134);
        QCOMPARE(scalarOn(f, QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
        QCOMPARE(scalarOn(f, QStringLiteral("PRAGMA foreign_key_check")).isValid(), false);
        // Every municipality and settlement sits in a province and municipality that exist.
        QCOMPARE(scalarOn(f, QStringLiteral("select count(*) from OBSHTINI m left join OBLASTI o on o.OBLAST_CODE = m.OBLAST_CODE where o.OBLAST_CODE is null")).toInt(), 0);
        QCOMPARE(scalarOn(f, QStringLiteral("select count(*) from GRADOVE g left join OBSHTINI m on m.OBSHTINA_CODE = g.OBSHTINA_CODE and m.OBLAST_CODE = g.OBLAST_CODE where m.OBSHTINA_CODE is null")).toInt(), 0);
        // The classifier's codes as it writes them.
        QCOMPARE(scalarOn(f, QStringLiteral("select NAIMENOVANIE from KID where KOD = '01.11'")).toString().isEmpty(), false);
        QCOMPARE(scalarOn(f, QStringLiteral("select count(*) from KID where KOD in ('A', '01', '01.1', '01.11')")).toInt(), 4);
        QCOMPARE(scalarOn(f, QStringLiteral("select NAIMENOVANIE from GRADOVE where GRAD_CODE = 68134")).toString(), QStringLiteral("София"));
    }

    void cliBuildsUpgradesAndRefuses()
    {
        test::TestFiles files;
        const QString cli = QStringLiteral(KESP_CLI);
        const QString out = files.path(QStringLiteral("built.ddb"));

        QProcess p;
        p.start(cli, {QStringLiteral("db"), QStringLiteral("build"), out});
        QVERIFY(p.waitForFinished(120000));
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(scalarOn(out, QStringLiteral("select DATABASE_VERSION from INTERNAL_VALUES")).toInt(), 134);

        // A second build never overwrites.
        const qint64 size = QFile(out).size();
        p.start(cli, {QStringLiteral("db"), QStringLiteral("build"), out});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 1);
        QCOMPARE(QFile(out).size(), size);

        // An up-to-date file: nothing to say.
        p.start(cli, {QStringLiteral("db"), QStringLiteral("upgrade"), out});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(p.readAllStandardOutput(), QByteArray());

        // An old file: the notice and the closing box, one line each.
        test::execOn(out, QStringLiteral("update INTERNAL_VALUES set DATABASE_VERSION = 132"));
        p.start(cli, {QStringLiteral("db"), QStringLiteral("upgrade"), out});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        const QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines.at(0).startsWith(QStringLiteral("За да функционира коректно")));
        QCOMPARE(lines.at(1), QStringLiteral("Автоматичното обновяване на базата от данни приключи успешно!"));

        const QString missing = files.path(QStringLiteral("missing.ddb"));
        p.start(cli, {QStringLiteral("db"), QStringLiteral("upgrade"), missing});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 1);
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains(QStringLiteral("не съществува")));
        QVERIFY(!QFile::exists(missing));
    }
};

QTEST_GUILESS_MAIN(TestDelivered)
#include "tst_delivered.moc"
